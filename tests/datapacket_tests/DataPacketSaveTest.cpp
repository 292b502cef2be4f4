// Writing packets, and reading back what was written.
#include <gtest/gtest.h>

#include "datapacket_tests/SamplePacket.h"
#include "platform/Paths.h"
#include "platform/Text.h"

using namespace orvelin;
using namespace orvelin::testing_support;

namespace {

constexpr std::monostate null;

TEST(PacketSaveTest, WritesTheDataPacketForm) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    table.Append({1, std::wstring(L"a<b"), 2, null});
    table.Append({2, null, null, std::wstring(L"x")});
    table.Save(folder / L"out.xml");
    EXPECT_EQ(ReadFileBytes(folder / L"out.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
              "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
              "<FIELD attrname=\"ID\" fieldtype=\"i4\" required=\"true\"/>"
              "<FIELD attrname=\"NAME\" fieldtype=\"string.uni\" required=\"true\" WIDTH=\"40\"/>"
              "<FIELD attrname=\"LEVEL\" fieldtype=\"i2\"/>"
              "<FIELD attrname=\"NOTE\" fieldtype=\"string.uni\" WIDTH=\"200\"/>"
              "</FIELDS><PARAMS/></METADATA><ROWDATA>\r\n"
              "<ROW ID=\"1\" NAME=\"a&lt;b\" LEVEL=\"2\"/>\r\n"
              "<ROW ID=\"2\" NOTE=\"x\"/>\r\n"
              "</ROWDATA></DATAPACKET>\r\n");
}

TEST(PacketSaveTest, EscapesTheCharactersOfTheTable) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    table.Append({1, null, null, std::wstring(L"<>&'\"\r\n\t\\ \x0645")});
    table.Save(folder / L"out.xml");
    EXPECT_NE(ReadFileBytes(folder / L"out.xml")
                  .find(" NOTE=\"&lt;&gt;&amp;&apos;&quot;&#013;&#010;&#009;&#092; \xD9\x85\"/>"),
              std::string::npos);
}

class TextRoundTripTest : public testing::TestWithParam<std::wstring> {};

TEST_P(TextRoundTripTest, TextSurvivesSaveAndLoadUnchanged) {
    TempFolder folder;
    DataPacketTable written(SampleFields());
    written.Append({1, std::wstring(L"n"), null, GetParam()});
    written.Save(folder / L"out.xml");
    DataPacketTable read(SampleFields());
    read.Load(folder / L"out.xml");
    EXPECT_EQ(read.AsText(L"NOTE"), GetParam());
    EXPECT_FALSE(read.IsNull(L"NOTE"));
}

INSTANTIATE_TEST_SUITE_P(Texts, TextRoundTripTest,
                         testing::Values(L"C:\\Program Files\\ORVELIN\\", L"first line\r\nsecond line", L"lf\nonly",
                                         L"cr\ronly", L"tab\there", L"  blanks around  ", L"\"quoted\" & 'single'",
                                         L"<tag attr=\"v\"/>", L"\x0645\x0644\x0641 \x0627\x0644\x0639\x0631\x0628\x064A",
                                         L"emoji \xD83D\xDE00", L"control \x01\x1F", L""));

TEST(PacketSaveTest, NullsAndIntegersRoundTrip) {
    TempFolder folder;
    DataPacketTable written(SampleFields());
    written.Append({-5, null, 32767, null});
    written.Append({INT32_MAX, std::wstring(L"b"), null, std::wstring(L"n")});
    written.Save(folder / L"out.xml");
    DataPacketTable read(SampleFields());
    read.Load(folder / L"out.xml");
    read.First();
    EXPECT_EQ(read.AsInteger(L"ID"), -5);
    EXPECT_TRUE(read.IsNull(L"NAME"));
    EXPECT_EQ(read.AsInteger(L"LEVEL"), 32767);
    EXPECT_TRUE(read.IsNull(L"NOTE"));
    read.Next();
    EXPECT_EQ(read.AsInteger(L"ID"), INT32_MAX);
    EXPECT_TRUE(read.IsNull(L"LEVEL"));
    EXPECT_EQ(read.AsText(L"NOTE"), L"n");
}

TEST(PacketSaveTest, WritesEveryRecordInTableOrderWhateverIsShown) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    table.Append({3, std::wstring(L"c"), 1, null});
    table.Append({1, std::wstring(L"a"), 2, null});
    table.Append({2, std::wstring(L"b"), 1, null});
    table.SetOrdering(L"ID");
    table.SetSelection(L"LEVEL = 2 and ID = 1");
    table.EnableSelection(true);
    ASSERT_EQ(table.RecordCount(), 1);
    table.Save(folder / L"out.xml");
    DataPacketTable read(SampleFields());
    read.Load(folder / L"out.xml");
    EXPECT_EQ(ShownIntegers(read), (std::vector<int>{3, 1, 2}));
}

TEST(PacketSaveTest, SaveReplacesAnExistingFile) {
    TempFolder folder;
    const std::wstring file = WriteFile(folder, std::string(5000, 'x'), L"out.xml");
    DataPacketTable table(SampleFields());
    table.Append({1, std::wstring(L"a"), null, null});
    table.Save(file);
    DataPacketTable read(SampleFields());
    read.Load(file);
    EXPECT_EQ(ShownIntegers(read), (std::vector<int>{1}));
}

TEST(PacketSaveTest, FileThatCannotBeCreatedIsNamed) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    const std::wstring file = folder / L"no such folder\\out.xml";
    EXPECT_EQ(ErrorTextOf([&] { table.Save(file); }),
              Substitute(L"Cannot create file \"%s\". %s", {file, SystemErrorText(ERROR_PATH_NOT_FOUND)}));
}

}  // namespace
