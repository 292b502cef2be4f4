#pragma once
// What a check of a setup folder finds: each finding names the packet, the record and the fix.
// Errors are what would stop an install part-way or put files in the wrong place; warnings are
// what the install passes over without a word.
#include <string>
#include <string_view>
#include <vector>

namespace orvelin {

enum class FindingClass { Error, Warning };

enum class FindingKind {
    // Errors.
    PacketUnreadable,
    SetupIniMissing,
    SettingMissing,
    GuidMalformed,
    NameNotPlain,
    NameLeavesFolder,
    SourceMissing,
    NoMainExecutable,
    UninstallerNotBeside,
    CapitalsTitleUnmatched,
    CopyIntoTitlePath,
    DestinationTooLong,
    // Warnings.
    UnknownCategory,
    UnknownLocationKind,
    UnknownFolderAction,
    ParentMissing,
    DuplicateId,
    FileNeverCopied,
    NodeSkipped,
    FileNotListed,
    SetupProgramMissing,
    NotInAnsiCodePage,
    NoQuietArguments,
};

FindingClass ClassOf(FindingKind kind);
// A short fixed name for machines and for searching the README: "source-missing" and so on.
std::wstring_view CodeOf(FindingKind kind);

struct Finding {
    FindingKind kind;
    std::wstring packet;    // "setup.ini", "data\tblFiles.xml", ..., "FILES"
    std::wstring record;    // e.g. FILE_ID 7 "Foo.dll", [Install] GuidId, a path below FILES
    std::wstring problem;   // what is wrong and what an install would do with it
    std::wstring fix;
    std::wstring windows;   // the Windows it concerns when not every one: "Windows XP and earlier"

    FindingClass Class() const { return ClassOf(kind); }
    bool operator==(const Finding&) const = default;
};

// Errors first, then warnings, each in the order found; a finding found twice is kept once.
void SortFindings(std::vector<Finding>& findings);
bool HasErrors(const std::vector<Finding>& findings);
// "error source-missing: <packet>, <record>: <problem> [<windows>]" and the fix on an indented
// second line.
std::wstring FindingText(const Finding& finding);

// How findings name records: TABLE_ID 7 "TITLE".
std::wstring RecordName(std::wstring_view idField, int id, std::wstring_view title);

// A name the ANSI code page cannot hold gives a warning.
void CheckAnsiName(std::vector<Finding>& findings, const std::wstring& packet, const std::wstring& record,
                   const std::wstring& name);

}  // namespace orvelin
