// The language start-up and shut-down in English, in the test program itself.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "foundation/AppEnvironment.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "foundation/InterfaceLanguage.h"
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

std::unique_ptr<InterfaceLanguage> EnglishLanguage(const AppFolders& folders, bool developmentMode = false) {
    return std::make_unique<InterfaceLanguage>(folders, UiLanguage::English, folders.BinDir + L"program.exe",
                                               [developmentMode] { return developmentMode; });
}

std::vector<std::wstring> FieldNames(const DataPacketTable& table) {
    std::vector<std::wstring> names;
    for (const auto& field : table.Fields()) names.push_back(field.name + L":" + std::to_wstring(field.size));
    return names;
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
    EXPECT_EQ(language->Messages().Table().RecordCount(), 0);
    EXPECT_EQ(FieldNames(language->WordDictionary()), (std::vector<std::wstring>{L"Eng:200", L"Arb:200"}));
    EXPECT_EQ(FieldNames(language->Messages().Table()), (std::vector<std::wstring>{L"EngMsg:400", L"ArbMsg:400"}));
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
    EXPECT_EQ(language->Messages().Table().RecordCount(), 1);

    // In English the dictionary is not consulted.
    EXPECT_EQ(language->Translate()(L"The path is blank"), L"The path is blank");
    EXPECT_EQ(language->Translate()(L"Closed "), L"Closed ");
}

TEST(LanguageTest, UnreadableDictionaryStopsTheStartUp) {
    TempFolder folder;
    const AppFolders folders = FoldersIn(folder);
    PutFile(folders.BinDir + L"MsgFile.XML", "not a data packet");
    EXPECT_THROW(EnglishLanguage(folders), Error);
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
    if (GetParam().fileBefore) PutFile(file, *GetParam().fileBefore);
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
    PutFile(folders.BinDir + L"MsgFile.XML", MessagesWithChangeLog);
    PutFile(folders.BinDir + L"DicFile.XML", WordsWithoutChanges);

    auto language = EnglishLanguage(folders, developmentMode);
    ASSERT_TRUE(language->Messages().Table().HasPendingChanges());
    ASSERT_FALSE(language->WordDictionary().HasPendingChanges());
    language.reset();

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
