#include "installer/SetupFindings.h"

#include <algorithm>

#include "platform/TextFile.h"

namespace orvelin {

FindingClass ClassOf(FindingKind kind) {
    return kind < FindingKind::UnknownCategory ? FindingClass::Error : FindingClass::Warning;
}

std::wstring_view CodeOf(FindingKind kind) {
    switch (kind) {
        case FindingKind::PacketUnreadable: return L"packet-unreadable";
        case FindingKind::SetupIniMissing: return L"setup-ini-missing";
        case FindingKind::SettingMissing: return L"setting-missing";
        case FindingKind::GuidMalformed: return L"guid-malformed";
        case FindingKind::NameNotPlain: return L"name-not-plain";
        case FindingKind::NameLeavesFolder: return L"name-leaves-folder";
        case FindingKind::SourceMissing: return L"source-missing";
        case FindingKind::NoMainExecutable: return L"no-main-executable";
        case FindingKind::UninstallerNotBeside: return L"uninstaller-not-beside";
        case FindingKind::CapitalsTitleUnmatched: return L"capitals-title-unmatched";
        case FindingKind::CopyIntoTitlePath: return L"copy-into-title-path";
        case FindingKind::DestinationTooLong: return L"destination-too-long";
        case FindingKind::UnknownCategory: return L"unknown-category";
        case FindingKind::UnknownLocationKind: return L"unknown-location-kind";
        case FindingKind::UnknownFolderAction: return L"unknown-folder-action";
        case FindingKind::ParentMissing: return L"parent-missing";
        case FindingKind::DuplicateId: return L"duplicate-id";
        case FindingKind::FileNeverCopied: return L"file-never-copied";
        case FindingKind::NodeSkipped: return L"node-skipped";
        case FindingKind::FileNotListed: return L"file-not-listed";
        case FindingKind::SetupProgramMissing: return L"setup-program-missing";
        case FindingKind::NotInAnsiCodePage: return L"not-in-ansi-code-page";
        case FindingKind::NoQuietArguments: return L"no-quiet-arguments";
    }
    return L"unknown";
}

void SortFindings(std::vector<Finding>& findings) {
    std::vector<Finding> kept;
    for (auto& finding : findings)
        if (std::find(kept.begin(), kept.end(), finding) == kept.end()) kept.push_back(std::move(finding));
    std::stable_sort(kept.begin(), kept.end(), [](const Finding& a, const Finding& b) {
        return a.Class() == FindingClass::Error && b.Class() == FindingClass::Warning;
    });
    findings = std::move(kept);
}

bool HasErrors(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& finding) { return finding.Class() == FindingClass::Error; });
}

std::wstring FindingText(const Finding& finding) {
    std::wstring text = finding.Class() == FindingClass::Error ? L"error " : L"warning ";
    text += CodeOf(finding.kind);
    text += L": " + finding.packet;
    if (!finding.record.empty()) text += L", " + finding.record;
    text += L": " + finding.problem;
    if (!finding.windows.empty()) text += L" [" + finding.windows + L"]";
    text += L"\r\n    fix: " + finding.fix;
    return text;
}

std::wstring RecordName(std::wstring_view idField, int id, std::wstring_view title) {
    return std::wstring(idField) + L" " + std::to_wstring(id) + L" \"" + std::wstring(title) + L"\"";
}

void CheckAnsiName(std::vector<Finding>& findings, const std::wstring& packet, const std::wstring& record,
                   const std::wstring& name) {
    if (!FitsAnsiCodePage({name}))
        findings.push_back({FindingKind::NotInAnsiCodePage, packet, record,
                            L"\"" + name + L"\" has characters this PC's ANSI code page cannot hold: ANSI programs see "
                            L"question marks",
                            L"use characters of the code page of the PCs the product goes to", {}});
}

}  // namespace orvelin
