// The language start-up and shut-down in English, in the test program itself.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <thread>

#include "shared/Error.h"
#include "shared/FileSystem.h"
#include "shared/GenUtil.h"
#include "shared/TextUtil.h"
#include "shared/ToggleLanguage.h"
#include "support/ScriptedView.h"
#include "support/TempFolder.h"

using namespace orvelin;
using namespace orvelin::test;

namespace {

std::vector<FieldDef> MessageFields() {
    return {{L"EngMsg", FieldType::WideText, 400, false}, {L"ArbMsg", FieldType::WideText, 400, false}};
}
std::vector<FieldDef> WordFields() {
    return {{L"Eng", FieldType::WideText, 200, false}, {L"Arb", FieldType::WideText, 200, false}};
}

AppFolders FoldersIn(const TempFolder& folder) {
    AppFolders folders;
    folders.BinDir = folder / L"Bin\\";
    folders.TempDir = folder / L"Temp\\";
    ForceDirectories(folders.BinDir);
    ForceDirectories(folders.TempDir);
    return folders;
}

std::unique_ptr<Language> EnglishLanguage(const AppFolders& folders) {
    return std::make_unique<Language>(folders, InterfaceLanguage::English, folders.BinDir + L"program.exe");
}

std::vector<std::wstring> FieldNames(const DataPacketTable& table) {
    std::vector<std::wstring> names;
    for (const auto& field : table.Fields()) names.push_back(field.name + L":" + std::to_wstring(field.size));
    return names;
}

// The development environment's main window, as IsDevelopmentMode looks for it.
class DevelopmentWindow {
public:
    DevelopmentWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TAppBuilder";
        RegisterClassW(&wc);
        window_ = CreateWindowW(L"TAppBuilder", L"", 0, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~DevelopmentWindow() { DestroyWindow(window_); }
    DevelopmentWindow(const DevelopmentWindow&) = delete;
    DevelopmentWindow& operator=(const DevelopmentWindow&) = delete;

private:
    HWND window_ = nullptr;
};

// Other test programs of the same session may show such a window for a moment.
bool NoDevelopmentWindowFor(std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (IsDevelopmentMode()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// A message dictionary saved with a pending change: one inserted row.
const char* const MessagesWithChangeLog =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    "<FIELD attrname=\"EngMsg\" fieldtype=\"string.uni\" WIDTH=\"800\"/>"
    "<FIELD attrname=\"ArbMsg\" fieldtype=\"string.uni\" WIDTH=\"800\"/>"
    "</FIELDS><PARAMS CHANGE_LOG=\"1 0 4\"/></METADATA><ROWDATA>"
    "<ROW RowState=\"4\" EngMsg=\"Closed\" ArbMsg=\"&#x645;&#x63A;&#x644;&#x642;\"/>"
    "</ROWDATA></DATAPACKET>\r\n";

// A word dictionary without changes, laid out as a save would not lay it out.
const char* const WordsWithoutChanges =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<DATAPACKET Version=\"2.0\">\r\n  <METADATA>\r\n    <FIELDS>\r\n"
    "      <FIELD attrname=\"Eng\" fieldtype=\"string.uni\" WIDTH=\"400\"/>\r\n"
    "      <FIELD attrname=\"Arb\" fieldtype=\"string.uni\" WIDTH=\"400\"/>\r\n"
    "    </FIELDS>\r\n  </METADATA>\r\n  <ROWDATA>\r\n"
    "    <ROW Eng=\"Name\" Arb=\"&#x627;&#x633;&#x645;\"/>\r\n"
    "  </ROWDATA>\r\n</DATAPACKET>\r\n";

}  // namespace

TEST(LanguageTest, MissingDictionaryFilesGiveEmptyTablesWithTheirFields) {
    TempFolder folder;
    auto language = EnglishLanguage(FoldersIn(folder));
    EXPECT_EQ(language->WordDictionary().RecordCount(), 0);
    EXPECT_EQ(language->MessageDictionary().RecordCount(), 0);
    EXPECT_EQ(FieldNames(language->WordDictionary()), (std::vector<std::wstring>{L"Eng:200", L"Arb:200"}));
    EXPECT_EQ(FieldNames(language->MessageDictionary()), (std::vector<std::wstring>{L"EngMsg:400", L"ArbMsg:400"}));
    EXPECT_TRUE(language->RequiredFieldsList().empty());
    EXPECT_FALSE(language->IsArabic());
    EXPECT_EQ(language->ResourceModule(), nullptr);
}

TEST(LanguageTest, DictionariesAreLoadedFromTheBinFolder) {
    TempFolder folder;
    const AppFolders folders = FoldersIn(folder);
    {
        DataPacketTable words(WordFields());
        words.Append({std::wstring(L"Name"), std::wstring(L"\x0627\x0633\x0645")});
        words.Append({std::wstring(L"Date"), std::wstring(L"\x062A\x0627\x0631\x064A\x062E")});
        words.Save(folders.BinDir + L"DicFile.XML");
        DataPacketTable messages(MessageFields());
        messages.Append({std::wstring(L"The path is blank"), std::wstring(L"\x0641\x0627\x0631\x063A")});
        messages.Save(folders.BinDir + L"MsgFile.XML");
    }
    auto language = EnglishLanguage(folders);
    EXPECT_EQ(language->WordDictionary().RecordCount(), 2);
    ASSERT_TRUE(language->WordDictionary().Locate(L"Eng", L"date"));
    EXPECT_EQ(language->WordDictionary().AsText(L"Arb"), L"\x062A\x0627\x0631\x064A\x062E");
    EXPECT_EQ(language->MessageDictionary().RecordCount(), 1);

    // In English the dictionary is not consulted.
    EXPECT_EQ(language->TranslateMsg(L"The path is blank"), L"The path is blank ");
    EXPECT_EQ(language->TranslateMsg(L"Closed "), L"Closed  ");
    EXPECT_EQ(language->ShowMsgText(L"The path is blank"), L"The path is blank");
}

TEST(LanguageTest, UnreadableDictionaryStopsTheStartUp) {
    TempFolder folder;
    const AppFolders folders = FoldersIn(folder);
    WriteFileBytes(folders.BinDir + L"MsgFile.XML", "not a data packet");
    EXPECT_THROW(EnglishLanguage(folders), Error);
}

TEST(LanguageTest, WithoutRunningLanguageTheMessagesAreEnglish) {
    ASSERT_EQ(CurrentLanguage(), nullptr);
    EXPECT_EQ(TranslateMsg(L"The path is blank"), L"The path is blank ");
    ScriptedView view;
    ShowMsg(view, L"Error starting the application!");
    EXPECT_EQ(view.messages, std::vector<std::wstring>{L"Error starting the application!"});
    EXPECT_EQ(ResourceInstance(), GetModuleHandleW(nullptr));
}

TEST(LanguageTest, ModuleFunctionsFollowTheCurrentLanguage) {
    TempFolder folder;
    auto language = EnglishLanguage(FoldersIn(folder));
    SetCurrentLanguage(language.get());
    EXPECT_EQ(CurrentLanguage(), language.get());
    EXPECT_EQ(TranslateMsg(L"Closed"), L"Closed ");
    ScriptedView view;
    ShowMsg(view, L"Closed ");
    EXPECT_EQ(view.messages, std::vector<std::wstring>{L"Closed "});
    EXPECT_EQ(ResourceInstance(), GetModuleHandleW(nullptr));   // English: no resource module
    SetCurrentLanguage(nullptr);
    EXPECT_EQ(CurrentLanguage(), nullptr);
}

struct RequiredFieldsCase {
    const char* what;
    std::optional<std::string> fileBefore;
    std::vector<std::wstring> list;
    std::string fileAfter;
};

class RequiredFieldsTest : public testing::TestWithParam<RequiredFieldsCase> {};

TEST_P(RequiredFieldsTest, ListIsSortedWithoutCaseDuplicatesAndWrittenBack) {
    TempFolder folder;
    const AppFolders folders = FoldersIn(folder);
    const std::wstring file = folders.TempDir + L"Required fields list.txt";
    if (GetParam().fileBefore) WriteFileBytes(file, *GetParam().fileBefore);
    {
        auto language = EnglishLanguage(folders);
        EXPECT_EQ(language->RequiredFieldsList(), GetParam().list) << GetParam().what;
    }
    ASSERT_TRUE(FileExists(file));
    EXPECT_EQ(ReadFileBytes(file), GetParam().fileAfter) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Files, RequiredFieldsTest,
    testing::Values(RequiredFieldsCase{"the first of lines differing in case stays", "b\r\nA\r\na\r\n", {L"A", L"b"},
                                       "A\r\nb\r\n"},
                    RequiredFieldsCase{"line feeds only", "Zeta\nalpha\nBeta\nALPHA\n", {L"alpha", L"Beta", L"Zeta"},
                                       "alpha\r\nBeta\r\nZeta\r\n"},
                    RequiredFieldsCase{"no file: an empty one is written", std::nullopt, {}, ""}));

TEST(RequiredFieldsTest, WriteFailureAtShutDownIsIgnored) {
    TempFolder folder;
    AppFolders folders = FoldersIn(folder);
    folders.TempDir = folder / L"missing\\";
    EXPECT_NO_THROW(EnglishLanguage(folders).reset());
    EXPECT_FALSE(DirectoryExists(folders.TempDir));
}

class DictionarySavingTest : public testing::TestWithParam<bool> {};

TEST_P(DictionarySavingTest, PendingChangesAreSavedOnlyInDevelopmentMode) {
    const bool developmentMode = GetParam();
    TempFolder folder;
    const AppFolders folders = FoldersIn(folder);
    WriteFileBytes(folders.BinDir + L"MsgFile.XML", MessagesWithChangeLog);
    WriteFileBytes(folders.BinDir + L"DicFile.XML", WordsWithoutChanges);

    auto language = EnglishLanguage(folders);
    ASSERT_TRUE(language->MessageDictionary().HasPendingChanges());
    ASSERT_FALSE(language->WordDictionary().HasPendingChanges());
    if (developmentMode) {
        DevelopmentWindow ide;
        ASSERT_TRUE(IsDevelopmentMode());
        language.reset();
    } else {
        ASSERT_TRUE(NoDevelopmentWindowFor(std::chrono::seconds(10)));
        language.reset();
    }

    const std::string messagesAfter = ReadFileBytes(folders.BinDir + L"MsgFile.xml");
    if (developmentMode) {
        EXPECT_EQ(messagesAfter.find("RowState"), std::string::npos) << "changes merged before saving";
        DataPacketTable reloaded(MessageFields());
        reloaded.Load(folders.BinDir + L"MsgFile.xml");
        EXPECT_FALSE(reloaded.HasPendingChanges());
        ASSERT_TRUE(reloaded.Locate(L"EngMsg", L"Closed"));
        EXPECT_EQ(reloaded.AsText(L"ArbMsg"), L"\x0645\x063A\x0644\x0642");
    } else {
        EXPECT_EQ(messagesAfter, MessagesWithChangeLog);
    }
    EXPECT_EQ(ReadFileBytes(folders.BinDir + L"DicFile.XML"), WordsWithoutChanges) << "nothing to merge, nothing saved";
}

INSTANTIATE_TEST_SUITE_P(Modes, DictionarySavingTest, testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Development" : "Installed"; });
