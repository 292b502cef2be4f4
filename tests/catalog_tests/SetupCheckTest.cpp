// The check of a setup folder: a small folder that installs cleanly, and the same folder broken
// in one way at a time, each with the one finding it must give.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

#include "catalog/CatalogCommand.h"
#include "installer/CatalogueWriter.h"
#include "installer/SetupCheck.h"
#include "platform/Text.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

namespace orvelin::test {
namespace {

// A setup folder as data, so that a case can break one thing before it is written.
struct SetupFolderSpec {
    std::string ini;   // setup.ini's text; empty: no setup.ini
    std::vector<CatalogueApplication> applications;
    std::vector<CatalogueLocation> locations;
    std::vector<CatalogueFolder> folders;
    std::vector<CatalogueFile> files;
    std::vector<std::wstring> sources;                                 // below FILES
    std::vector<std::pair<std::wstring, std::string>> overwritten{};   // written last

    void Write(const std::wstring& root) const {
        if (!ini.empty()) PutFile(root + L"setup.ini", ini);
        CatalogueWriter writer;
        for (const auto& application : applications) writer.Add(application);
        for (const auto& location : locations) writer.Add(location);
        for (const auto& folder : folders) writer.Add(folder);
        for (const auto& file : files) writer.Add(file);
        writer.Save(root);
        for (const auto& source : sources) PutFile(root + L"FILES\\" + source, ToUtf8(source));
        for (const auto& [path, bytes] : overwritten) PutFile(root + path, bytes);
    }

    void Remove(const std::wstring& source) { std::erase(sources, source); }
    CatalogueFolder& Folder(int id) { return *std::find_if(folders.begin(), folders.end(), [&](auto& f) { return f.detailId == id; }); }
    CatalogueLocation& Location(int id) {
        return *std::find_if(locations.begin(), locations.end(), [&](auto& l) { return l.minorId == id; });
    }
    void ReplaceInIni(const std::string& from, const std::string& to) { ini.replace(ini.find(from), from.size(), to); }
};

CatalogueFile File(int id, int parent, int level, std::wstring name) {
    return {.fileId = id, .parentId = parent, .nodeLevel = level, .description = std::move(name)};
}

// The application's files in two locations, a database server for each Windows generation with
// a copy folder and a setup program, and another vendor's setup program.
SetupFolderSpec GoodSetup() {
    return {
        .ini = "[Setup]\r\nApplicExeName=App.exe\r\nApplicFullName=App Suite\r\nInstallDbServer=1\r\n"
               "[Install]\r\nGuidId={0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}\r\nDisplayName=App 1.0\r\n"
               "DskTopShortCutName=App\r\n[QuietArguments]\r\ndbsetup.exe=/S\r\ntool.exe=/quiet\r\n",
        .applications = {{1, L"App", 1}, {2, L"Server", 0}, {3, L"Tools", 3}},
        .locations = {{10, 1, L"PROGRAM", 1}, {11, 1, L"DATA", 3}, {20, 2, L"FB25", 1}, {21, 2, L"FB15", -1},
                      {30, 3, L"TOOL", 1}},
        .folders = {{100, 10, L"BIN"}, {200, 20, L"BIN", 0}, {201, 20, L"Setup", 5}, {210, 21, L"BIN", 0},
                    {211, 21, L"Setup", 10}, {300, 30, L"Tool Setup", 5}},
        .files = {File(1, 100, 3, L"App.exe"), File(2, 100, 3, L"app.dll"), File(3, 11, 2, L"data.dat"),
                  File(4, 200, 3, L"fb.conf"), File(5, 201, 3, L"dbsetup.exe"), File(6, 210, 3, L"fb.conf"),
                  File(7, 211, 3, L"dbsetup.exe"), File(8, 300, 3, L"tool.exe")},
        .sources = {L"INSTALLED APPLIC\\App.exe", L"INSTALLED APPLIC\\app.dll", L"INSTALLED APPLIC\\data.dat",
                    L"INSTALLED APPLIC\\uninstall.exe", L"DATABASE SERVERS\\FB25\\BIN\\fb.conf",
                    L"DATABASE SERVERS\\FB25\\Setup\\dbsetup.exe", L"DATABASE SERVERS\\FB15\\BIN\\fb.conf",
                    L"DATABASE SERVERS\\FB15\\Setup\\dbsetup.exe", L"THIRED PARTY APP\\TOOL\\Tool Setup\\tool.exe"},
    };
}

// What identifies a finding; its texts are for people.
struct Expected {
    FindingKind kind;
    std::wstring packet;
    std::wstring record;
    std::wstring windows = L"";

    bool operator==(const Expected&) const = default;
};

std::vector<Expected> Identified(const std::vector<Finding>& findings) {
    std::vector<Expected> identified;
    for (const auto& f : findings) identified.push_back({f.kind, f.packet, f.record, f.windows});
    return identified;
}

void PrintTo(const Expected& e, std::ostream* out) {
    *out << ToUtf8(CodeOf(e.kind)) << " " << ToUtf8(e.packet) << " " << ToUtf8(e.record) << " " << ToUtf8(e.windows);
}

const std::wstring kVista = L"Windows Vista and later";
const std::wstring kXp = L"Windows XP and earlier";
const std::wstring kNonAnsiName = L"\u0915\u0916.dat";   // Devanagari

struct FaultCase {
    const char* name;
    std::function<void(SetupFolderSpec&)> fault;
    Expected finding;
};

class SetupCheckTest : public testing::TestWithParam<FaultCase> {
protected:
    std::vector<Finding> Check(const SetupFolderSpec& spec) {
        spec.Write(folder.Path());
        return CheckSetupFolder(folder.Path());
    }
    TempFolder folder;
};

TEST_F(SetupCheckTest, TheUnbrokenFolderHasNoFinding) {
    const std::vector<Finding> findings = Check(GoodSetup());
    std::wstring texts;
    for (const auto& finding : findings) texts += FindingText(finding) + L"\n";
    EXPECT_TRUE(findings.empty()) << ToUtf8(texts);
}

TEST_P(SetupCheckTest, OneFaultGivesItsFinding) {
    const FaultCase& c = GetParam();
    if (c.finding.kind == FindingKind::NotInAnsiCodePage && FitsAnsiCodePage({kNonAnsiName}))
        GTEST_SKIP() << "this ANSI code page holds the name";
    SetupFolderSpec spec = GoodSetup();
    c.fault(spec);
    const std::vector<Finding> findings = Check(spec);
    EXPECT_EQ(Identified(findings), std::vector<Expected>{c.finding});
    for (const auto& finding : findings) {
        EXPECT_FALSE(finding.problem.empty());
        EXPECT_FALSE(finding.fix.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, SetupCheckTest,
    testing::Values(
        FaultCase{"PacketThatDoesNotLoad", [](auto& s) { s.overwritten.push_back({L"data\\tblFolders.xml", "<DATAPACKET"}); },
                  {FindingKind::PacketUnreadable, L"data\\tblFolders.xml", L""}},
        FaultCase{"NoSetupIni", [](auto& s) { s.ini.clear(); }, {FindingKind::SetupIniMissing, L"setup.ini", L""}},
        FaultCase{"NoShortcutName", [](auto& s) { s.ReplaceInIni("DskTopShortCutName=App\r\n", ""); },
                  {FindingKind::SettingMissing, L"setup.ini", L"[Install] DskTopShortCutName"}},
        FaultCase{"GuidWithoutBraces",
                  [](auto& s) { s.ReplaceInIni("{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}", "0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0"); },
                  {FindingKind::GuidMalformed, L"setup.ini", L"[Install] GuidId"}},
        FaultCase{"ShortcutNameThatIsNoFileName", [](auto& s) { s.ReplaceInIni("DskTopShortCutName=App", "DskTopShortCutName=App: Pro"); },
                  {FindingKind::NameNotPlain, L"setup.ini", L"[Install] DskTopShortCutName"}},
        FaultCase{"TitleFromTheRoot", [](auto& s) { s.Location(11).title = L"\\DATA"; },
                  {FindingKind::NameLeavesFolder, L"data\\tblLocations.xml", L"MINOR_ID 11 \"\\DATA\""}},
        FaultCase{"ListedFileMissing", [](auto& s) { s.Remove(L"INSTALLED APPLIC\\app.dll"); },
                  {FindingKind::SourceMissing, L"data\\tblFiles.xml", L"FILE_ID 2 \"app.dll\""}},
        FaultCase{"MainExecutableNotListed", [](auto& s) { s.ReplaceInIni("ApplicExeName=App.exe", "ApplicExeName=Main.exe"); },
                  {FindingKind::NoMainExecutable, L"setup.ini", L"[Setup] ApplicExeName"}},
        FaultCase{"NoUninstallerBesideTheMainExecutable", [](auto& s) { s.Remove(L"INSTALLED APPLIC\\uninstall.exe"); },
                  {FindingKind::UninstallerNotBeside, L"FILES", L"FILES\\INSTALLED APPLIC\\uninstall.exe"}},
        FaultCase{"CapitalsTitleMatchingNoEarlierFolder",
                  [](auto& s) {
                      s.Folder(200).title = L"LIB";
                      s.Remove(L"DATABASE SERVERS\\FB25\\BIN\\fb.conf");
                      s.sources.push_back(L"DATABASE SERVERS\\FB25\\LIB\\fb.conf");
                  },
                  {FindingKind::CapitalsTitleUnmatched, L"data\\tblFolders.xml", L"DETAIL_ID 200 \"LIB\"", kVista}},
        FaultCase{"CopyFolderTitledWithSmallLetters", [](auto& s) { s.Folder(210).title = L"Bin"; },
                  {FindingKind::CopyIntoTitlePath, L"data\\tblFolders.xml", L"DETAIL_ID 210 \"Bin\"", kXp}},
        FaultCase{"DestinationBeyondThePathLimit",
                  [](auto& s) {
                      // The folder stays within the folder limit; the file goes beyond the file limit.
                      wchar_t data[MAX_PATH] = {};
                      SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, data);
                      const size_t base = std::wstring(data).size() + std::wstring(L"\\ORVELIN\\App\\").size();
                      s.Location(11).title = L"DATA\\" + std::wstring(240 - base - 5, L'D');
                      const std::wstring name = std::wstring(30, L'd') + L".dat";
                      s.files[2].description = name;
                      s.Remove(L"INSTALLED APPLIC\\data.dat");
                      s.sources.push_back(L"INSTALLED APPLIC\\" + name);
                  },
                  {FindingKind::DestinationTooLong, L"data\\tblFiles.xml",
                   L"FILE_ID 3 \"" + std::wstring(30, L'd') + L".dat\""}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Warnings, SetupCheckTest,
    testing::Values(
        FaultCase{"UnknownCategory", [](auto& s) { s.applications.push_back({4, L"Extras", 7}); },
                  {FindingKind::UnknownCategory, L"data\\tblApplics.xml", L"MAJOR_ID 4 \"Extras\""}},
        FaultCase{"UnknownLocationKind", [](auto& s) { s.Location(11).functionId = 9; },
                  {FindingKind::UnknownLocationKind, L"data\\tblLocations.xml", L"MINOR_ID 11 \"DATA\""}},
        FaultCase{"UnknownFolderAction", [](auto& s) { s.Folder(201).functionId = 7; },
                  {FindingKind::UnknownFolderAction, L"data\\tblFolders.xml", L"DETAIL_ID 201 \"Setup\""}},
        FaultCase{"RunCodeOfTheOtherGeneration", [](auto& s) { s.Folder(201).functionId = 10; },
                  {FindingKind::UnknownFolderAction, L"data\\tblFolders.xml", L"DETAIL_ID 201 \"Setup\""}},
        FaultCase{"LocationOfNoApplication", [](auto& s) { s.locations.push_back({12, 99, L"LOST", 1}); },
                  {FindingKind::ParentMissing, L"data\\tblLocations.xml", L"MINOR_ID 12 \"LOST\""}},
        FaultCase{"FileOfNoFolder", [](auto& s) { s.files.push_back(File(9, 999, 3, L"lost.dll")); },
                  {FindingKind::ParentMissing, L"data\\tblFiles.xml", L"FILE_ID 9 \"lost.dll\""}},
        FaultCase{"DuplicateApplicationId", [](auto& s) { s.applications.push_back({1, L"Again", 1}); },
                  {FindingKind::DuplicateId, L"data\\tblApplics.xml", L"MAJOR_ID 1 \"Again\""}},
        FaultCase{"LocationFileBesideFolders", [](auto& s) { s.files.push_back(File(9, 10, 2, L"readme.txt")); },
                  {FindingKind::FileNeverCopied, L"data\\tblFiles.xml", L"FILE_ID 9 \"readme.txt\""}},
        FaultCase{"NodeLevelOfNoNode", [](auto& s) { s.files.push_back(File(9, 100, 4, L"app.dll")); },
                  {FindingKind::FileNeverCopied, L"data\\tblFiles.xml", L"FILE_ID 9 \"app.dll\""}},
        FaultCase{"NamelessFirstFile", [](auto& s) { s.files.insert(s.files.begin() + 2, File(9, 11, 2, L"")); },
                  {FindingKind::NodeSkipped, L"data\\tblFiles.xml", L"FILE_ID 9 \"\""}},
        FaultCase{"FileNothingLists", [](auto& s) { s.sources.push_back(L"COMMON APPLIC\\stray.txt"); },
                  {FindingKind::FileNotListed, L"FILES", L"FILES\\COMMON APPLIC\\stray.txt"}},
        FaultCase{"SetupProgramMissing", [](auto& s) { s.Remove(L"DATABASE SERVERS\\FB25\\Setup\\dbsetup.exe"); },
                  {FindingKind::SetupProgramMissing, L"data\\tblFiles.xml", L"FILE_ID 5 \"dbsetup.exe\"", kVista}},
        FaultCase{"NameOutsideTheAnsiCodePage",
                  [](auto& s) {
                      s.files.push_back(File(9, 11, 2, kNonAnsiName));
                      s.sources.push_back(L"INSTALLED APPLIC\\" + kNonAnsiName);
                  },
                  {FindingKind::NotInAnsiCodePage, L"data\\tblFiles.xml", L"FILE_ID 9 \"" + kNonAnsiName + L"\""}},
        FaultCase{"SetupProgramWithoutQuietArguments", [](auto& s) { s.ReplaceInIni("tool.exe=/quiet\r\n", ""); },
                  {FindingKind::NoQuietArguments, L"setup.ini", L"[QuietArguments] tool.exe", kVista}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExitCase {
    const char* name;
    std::function<void(SetupFolderSpec&)> fault;
    int exitCode;
    const wchar_t* jsonCount;
};

class CatalogCheckCommandTest : public testing::TestWithParam<ExitCase> {
protected:
    TempFolder folder;
};

// Scripts read the exit code; machines read the same findings as JSON.
TEST_P(CatalogCheckCommandTest, ExitCodeAndJsonFollowTheWorstFinding) {
    SetupFolderSpec spec = GoodSetup();
    GetParam().fault(spec);
    spec.Write(folder.Path());

    const CommandResult text = RunCatalogCommand({L"check", folder.Path()});
    const CommandResult json = RunCatalogCommand({L"check", folder.Path(), L"--json"});

    EXPECT_EQ(text.exitCode, GetParam().exitCode) << ToUtf8(text.output);
    EXPECT_EQ(json.exitCode, GetParam().exitCode);
    EXPECT_TRUE(json.output.starts_with(GetParam().jsonCount)) << ToUtf8(json.output);
    EXPECT_TRUE(text.errors.empty() && json.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CatalogCheckCommandTest,
    testing::Values(ExitCase{"Clean", [](auto&) {}, 0, L"{\"errors\": 0, \"warnings\": 0, \"findings\": []}"},
                    ExitCase{"WarningsOnly", [](auto& s) { s.sources.push_back(L"WINDOWS\\stray.dll"); }, 1,
                             L"{\"errors\": 0, \"warnings\": 1, \"findings\": [\r\n  {\"class\": \"warning\", "
                             L"\"code\": \"file-not-listed\", \"packet\": \"FILES\", \"record\": "
                             L"\"FILES\\\\WINDOWS\\\\stray.dll\""},
                    ExitCase{"Errors", [](auto& s) { s.Remove(L"INSTALLED APPLIC\\app.dll"); }, 2,
                             L"{\"errors\": 1, \"warnings\": 0, \"findings\": [\r\n  {\"class\": \"error\", "
                             L"\"code\": \"source-missing\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CatalogCommandTest, AnUnknownCommandLineShowsTheUsage) {
    for (const std::vector<std::wstring>& arguments :
         {std::vector<std::wstring>{}, {L"check"}, {L"list", L"x"}, {L"build", L"only-one"}}) {
        const CommandResult result = RunCatalogCommand(arguments);
        EXPECT_EQ(result.exitCode, 3);
        EXPECT_TRUE(result.output.empty());
        EXPECT_TRUE(result.errors.starts_with(L"catalog check SETUPFOLDER [--json]")) << ToUtf8(result.errors);
    }
}

}  // namespace
}  // namespace orvelin::test
