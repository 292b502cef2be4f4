// Loading packets as this system and other tools write them.
#include <gtest/gtest.h>

#include "datapacket_tests/SamplePacket.h"
#include "platform/Paths.h"
#include "platform/Text.h"

using namespace orvelin;
using namespace orvelin::testing_support;

namespace {

std::string OneRowPacket(std::string_view declaration, std::string_view name) {
    return PacketText(kSampleFieldsXml, R"(<ROW ID="7" NAME=")" + std::string(name) + R"("/>)", declaration);
}

std::wstring Widen(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// ---- text encodings ----

struct EncodingCase {
    const char* label;
    std::string bytes;
    std::wstring name;
};

class PacketEncodingTest : public testing::TestWithParam<EncodingCase> {};

TEST_P(PacketEncodingTest, DecodesTheTextAsTheFileDeclaresIt) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    table.Load(WriteFile(folder, GetParam().bytes));
    ASSERT_EQ(table.RecordCount(), 1);
    EXPECT_EQ(table.AsInteger(L"ID"), 7);
    EXPECT_EQ(table.AsText(L"NAME"), GetParam().name);
}

const std::wstring kArabic = L"\x0645\x0644\x0641";

INSTANTIATE_TEST_SUITE_P(
    Packets, PacketEncodingTest,
    testing::Values(
        EncodingCase{"NoEncodingDeclared", OneRowPacket(kPlainDeclaration, "Zo\xC3\xAB"), L"Zo\x00EB"},
        EncodingCase{"NoDeclaration", OneRowPacket("", "\xD9\x85\xD9\x84\xD9\x81"), kArabic},
        EncodingCase{"Utf8Declared",
                     OneRowPacket(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)", "\xD9\x85\xD9\x84\xD9\x81"),
                     kArabic},
        EncodingCase{"Utf8WithMark", "\xEF\xBB\xBF" + OneRowPacket(kPlainDeclaration, "Zo\xC3\xAB"), L"Zo\x00EB"},
        EncodingCase{"Utf16LittleEndianWithMark",
                     Utf16WithMark(Widen(OneRowPacket(R"(<?xml version="1.0" encoding="UTF-16"?>)", "@@")), false),
                     L"@@"},
        EncodingCase{"Iso88591Declared",
                     OneRowPacket(R"(<?xml version="1.0" encoding="ISO-8859-1" standalone="yes"?>)", "Zo\xEB"),
                     L"Zo\x00EB"},
        EncodingCase{"Latin1SingleQuoted", OneRowPacket(R"(<?xml version='1.0' encoding='latin1'?>)", "caf\xE9"),
                     L"caf\x00E9"},
        EncodingCase{"Windows1256Declared",
                     OneRowPacket(R"(<?xml version="1.0" encoding="windows-1256"?>)", "\xE3\xE1\xDD"), kArabic}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PacketEncodingTest, Utf16CarriesTextBeyondAscii) {
    // The packet text is built wide so the UTF-16 file holds real non-ASCII characters.
    const std::wstring packet = L"<?xml version=\"1.0\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>" +
                                Widen(kSampleFieldsXml) + L"</FIELDS><PARAMS/></METADATA><ROWDATA><ROW ID=\"1\" NAME=\"" +
                                kArabic + L"\"/></ROWDATA></DATAPACKET>";
    for (const bool bigEndian : {false, true}) {
        TempFolder folder;
        DataPacketTable table(SampleFields());
        table.Load(WriteFile(folder, Utf16WithMark(packet, bigEndian)));
        EXPECT_EQ(table.AsText(L"NAME"), kArabic) << (bigEndian ? "big endian" : "little endian");
    }
}

// ---- packets as other tools write them ----

struct ForeignPacketCase {
    const char* label;
    std::string bytes;
    std::wstring name;
    int level;
};

class ForeignPacketTest : public testing::TestWithParam<ForeignPacketCase> {};

TEST_P(ForeignPacketTest, LoadsWhatTheTableNeeds) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    table.Load(WriteFile(folder, GetParam().bytes));
    ASSERT_EQ(table.RecordCount(), 1);
    EXPECT_EQ(table.AsInteger(L"ID"), 5);
    EXPECT_EQ(table.AsText(L"NAME"), GetParam().name);
    EXPECT_EQ(table.AsInteger(L"LEVEL"), GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(
    Packets, ForeignPacketTest,
    testing::Values(
        ForeignPacketCase{"ParamsWithAttributes",
                          std::string(kPlainDeclaration) +
                              R"(<DATAPACKET Version="2.0"><METADATA><FIELDS>)" + kSampleFieldsXml +
                              R"(</FIELDS><PARAMS LCID="1025" CHANGE_LOG="1 0 4" DEFAULT_ORDER="1"/></METADATA>)"
                              R"(<ROWDATA><ROW ID="5" NAME="a" LEVEL="2"/></ROWDATA></DATAPACKET>)",
                          L"a", 2},
        ForeignPacketCase{"UnknownFieldsDeclaredAndCarried",
                          PacketText(std::string(R"(<FIELD attrname="EXTRA" fieldtype="r8"/>)") + kSampleFieldsXml +
                                         R"(<FIELD attrname="WHEN" fieldtype="dateTime"/>)",
                                     R"(<ROW EXTRA="1.5" ID="5" NAME="b" LEVEL="3" WHEN="20240101T10:00:00"/>)"),
                          L"b", 3},
        ForeignPacketCase{"AttributesInAnyOrder",
                          PacketText(kSampleFieldsXml, R"(<ROW LEVEL="4" NAME="c" ID="5"/>)"), L"c", 4},
        ForeignPacketCase{"FieldsInAnotherOrderAndCase",
                          PacketText(R"(<FIELD attrname="level" fieldtype="i4"/><FIELD attrname="Name" fieldtype="string.uni" WIDTH="9"/>)"
                                     R"(<FIELD attrname="id" fieldtype="i2"/><FIELD attrname="NOTE" fieldtype="string.uni"/>)",
                                     R"(<ROW id="5" Name="d" level="6"/>)"),
                          L"d", 6},
        ForeignPacketCase{"NamedAndNumericReferences",
                          PacketText(kSampleFieldsXml,
                                     R"(<ROW ID="5" NAME="&lt;&gt;&amp;&apos;&quot;&#65;&#x42;&#092;&#013;&#010;&#9;" LEVEL="&#049;"/>)"),
                          L"<>&'\"AB\\\r\n\t", 1},
        ForeignPacketCase{"LiteralLineBreaksAreBlanksAsXmlSays",
                          PacketText(kSampleFieldsXml, "<ROW ID=\"5\" NAME=\"x\r\ny\tz\"/>"), L"x y z", 0},
        ForeignPacketCase{"CommentsAndLayoutBetweenElements",
                          std::string(kPlainDeclaration) + "\r\n<!-- written by hand -->\r\n<DATAPACKET Version=\"2.0\">\r\n"
                              "  <METADATA>\r\n    <FIELDS>" + kSampleFieldsXml + "</FIELDS>\r\n    <PARAMS/>\r\n  </METADATA>\r\n"
                              "  <ROWDATA>\r\n    <!-- one row -->\r\n    <ROW ID=\"5\" NAME=\"e\" LEVEL=\"8\"/>\r\n  </ROWDATA>\r\n"
                              "</DATAPACKET>\r\n",
                          L"e", 8},
        ForeignPacketCase{"MetadataAfterRowData",
                          std::string(kPlainDeclaration) + R"(<DATAPACKET Version="2.0"><ROWDATA><ROW ID="5" NAME="f" LEVEL="9"/></ROWDATA>)"
                              R"(<METADATA><PARAMS/><FIELDS>)" + kSampleFieldsXml + "</FIELDS></METADATA></DATAPACKET>",
                          L"f", 9}),
    [](const auto& info) { return std::string(info.param.label); });

// ---- binding declared fields to the file's fields ----

struct BindingCase {
    FieldType declared;
    const char* fileType;
    const wchar_t* error;   // empty when the file loads
};

class FieldBindingTest : public testing::TestWithParam<BindingCase> {};

TEST_P(FieldBindingTest, AcceptsCompatibleTypesAndNamesTheMismatch) {
    const BindingCase& c = GetParam();
    TempFolder folder;
    DataPacketTable table({{L"VALUE", c.declared, 10, true}});
    const bool text = c.declared == FieldType::WideText;
    const std::string packet =
        PacketText(std::string(R"(<FIELD attrname="VALUE" fieldtype=")") + c.fileType + R"(" WIDTH="20"/>)",
                   text ? R"(<ROW VALUE="abc"/>)" : R"(<ROW VALUE="-12"/>)");
    const std::wstring error = ErrorTextOf([&] { table.Load(WriteFile(folder, packet)); });
    if (*c.error == L'\0') {
        EXPECT_EQ(error, L"(no error)");
        EXPECT_EQ(table.AsText(L"VALUE"), text ? L"abc" : L"-12");
    } else {
        EXPECT_EQ(error, c.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, FieldBindingTest,
    testing::Values(
        BindingCase{FieldType::Integer32, "i4", L""}, BindingCase{FieldType::Integer32, "i2", L""},
        BindingCase{FieldType::Integer32, "i1", L""}, BindingCase{FieldType::Integer32, "ui1", L""},
        BindingCase{FieldType::Integer32, "ui2", L""}, BindingCase{FieldType::Integer16, "i4", L""},
        BindingCase{FieldType::Integer16, "i1", L""}, BindingCase{FieldType::WideText, "string.uni", L""},
        BindingCase{FieldType::WideText, "string",
                    L"Type mismatch for field 'VALUE', expecting: WideString actual: String"},
        BindingCase{FieldType::WideText, "i4", L"Type mismatch for field 'VALUE', expecting: WideString actual: Integer"},
        BindingCase{FieldType::WideText, "bin.hex", L"Type mismatch for field 'VALUE', expecting: WideString actual: Blob"},
        BindingCase{FieldType::Integer32, "string.uni",
                    L"Type mismatch for field 'VALUE', expecting: Integer actual: WideString"},
        BindingCase{FieldType::Integer16, "string", L"Type mismatch for field 'VALUE', expecting: SmallInt actual: String"},
        BindingCase{FieldType::Integer16, "r8", L"Type mismatch for field 'VALUE', expecting: SmallInt actual: Float"},
        BindingCase{FieldType::Integer32, "boolean", L"Type mismatch for field 'VALUE', expecting: Integer actual: Boolean"},
        BindingCase{FieldType::Integer32, "date", L"Type mismatch for field 'VALUE', expecting: Integer actual: Date"},
        BindingCase{FieldType::Integer32, "dateTime",
                    L"Type mismatch for field 'VALUE', expecting: Integer actual: DateTime"},
        BindingCase{FieldType::Integer32, "ui4", L"Type mismatch for field 'VALUE', expecting: Integer actual: ui4"},
        BindingCase{FieldType::Integer32, "I4", L"Type mismatch for field 'VALUE', expecting: Integer actual: I4"},
        BindingCase{FieldType::WideText, "", L"Type mismatch for field 'VALUE', expecting: WideString actual: "}));

TEST(FieldBindingTest, MissingDeclaredFieldIsNamed) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    const std::string packet = PacketText(R"(<FIELD attrname="ID" fieldtype="i4"/><FIELD attrname="NAME" fieldtype="string.uni"/>)"
                                          R"(<FIELD attrname="LEVEL" fieldtype="i2"/>)",
                                          R"(<ROW ID="1" NAME="a"/>)");
    EXPECT_EQ(ErrorTextOf([&] { table.Load(WriteFile(folder, packet)); }), L"Field 'NOTE' not found");
}

// ---- values ----

TEST(PacketValuesTest, MissingAttributeIsNullAndEmptyAttributeIsNot) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    table.Load(WriteFile(folder, PacketText(kSampleFieldsXml, R"(<ROW ID="1"/><ROW ID="2" NAME="" LEVEL="0"/>)")));
    table.First();
    EXPECT_TRUE(table.IsNull(L"NAME"));
    EXPECT_TRUE(table.IsNull(L"LEVEL"));
    EXPECT_EQ(table.AsText(L"NAME"), L"");
    EXPECT_EQ(table.AsInteger(L"LEVEL"), 0);
    EXPECT_EQ(table.AsText(L"LEVEL"), L"");
    EXPECT_FALSE(table.IsNull(L"ID"));
    table.Next();
    EXPECT_FALSE(table.IsNull(L"NAME"));
    EXPECT_FALSE(table.IsNull(L"LEVEL"));
    EXPECT_EQ(table.AsText(L"LEVEL"), L"0");
}

TEST(PacketValuesTest, IntegersTakeSignsAndTheFull32BitRange) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    table.Load(WriteFile(folder, PacketText(kSampleFieldsXml,
                                            R"(<ROW ID="-2147483648"/><ROW ID="+2147483647"/><ROW ID=" 12 "/><ROW ID="70000" LEVEL="70000"/>)")));
    EXPECT_EQ(ShownIntegers(table), (std::vector<int>{INT32_MIN, INT32_MAX, 12, 70000}));
    table.Locate(L"ID", L"70000");
    EXPECT_EQ(table.AsInteger(L"LEVEL"), 70000) << "values are taken as they stand";
}

TEST(PacketValuesTest, TextLongerThanItsFieldIsCutToTheSize) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    const std::string longName(30, 'n');
    const std::string megabyte(1 << 20, 'm');
    table.Load(WriteFile(folder, PacketText(kSampleFieldsXml, R"(<ROW ID="1" NAME=")" + longName + R"(" NOTE=")" +
                                                                  megabyte + R"("/>)")));
    EXPECT_EQ(table.AsText(L"NAME"), std::wstring(20, L'n'));
    EXPECT_EQ(table.AsText(L"NOTE"), std::wstring(100, L'm'));
}

TEST(PacketValuesTest, CutNeverSplitsASurrogatePair) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    // 19 letters, then U+1F600 (two UTF-16 units) straddling the 20-character limit.
    table.Load(WriteFile(folder, PacketText(kSampleFieldsXml,
                                            R"(<ROW ID="1" NAME=")" + std::string(19, 'a') + "\xF0\x9F\x98\x80" + R"("/>)")));
    EXPECT_EQ(table.AsText(L"NAME"), std::wstring(19, L'a'));
}

// ---- rows saved with pending changes ----

struct RowStateCase {
    const char* label;
    const char* rows;
    std::vector<int> ids;
    std::vector<std::wstring> names;
};

class RowStateTest : public testing::TestWithParam<RowStateCase> {};

TEST_P(RowStateTest, ShowsTheChangedDataAndReportsPendingChanges) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    table.Load(WriteFile(folder, PacketText(kSampleFieldsXml, GetParam().rows)));
    EXPECT_TRUE(table.HasPendingChanges());
    std::vector<std::wstring> names;
    for (table.First(); !table.Eof(); table.Next()) names.push_back(table.AsText(L"NAME"));
    EXPECT_EQ(ShownIntegers(table), GetParam().ids);
    EXPECT_EQ(names, GetParam().names);

    // Merged and saved, the same records come back as plain data.
    table.Save(folder / L"merged.xml");
    EXPECT_FALSE(table.HasPendingChanges());
    EXPECT_EQ(ReadFileBytes(folder / L"merged.xml").find("RowState"), std::string::npos);
    DataPacketTable reloaded(SampleFields());
    reloaded.Load(folder / L"merged.xml");
    EXPECT_FALSE(reloaded.HasPendingChanges());
    EXPECT_EQ(ShownIntegers(reloaded), GetParam().ids);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowStateTest,
    testing::Values(
        RowStateCase{"DeletedRowIsDropped", R"(<ROW ID="1" NAME="a"/><ROW RowState="2" ID="2" NAME="b"/><ROW ID="3" NAME="c"/>)",
                     {1, 3}, {L"a", L"c"}},
        RowStateCase{"InsertedRowIsARecord", R"(<ROW ID="1" NAME="a"/><ROW RowState="4" ID="2" NAME="b"/>)", {1, 2},
                     {L"a", L"b"}},
        RowStateCase{"ModificationOverlaysItsOriginal",
                     R"(<ROW RowState="1" ID="1" NAME="old" NOTE="kept"/><ROW RowState="8" NAME="new"/><ROW ID="2" NAME="b"/>)",
                     {1, 2}, {L"new", L"b"}},
        RowStateCase{"ModificationWithoutOriginalStandsAlone", R"(<ROW ID="1" NAME="a"/><ROW RowState="8" ID="2" NAME="b"/>)",
                     {1, 2}, {L"a", L"b"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(RowStateTest, ModifiedRecordKeepsTheOriginalsOtherFields) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    table.Load(WriteFile(folder, PacketText(kSampleFieldsXml,
                                            R"(<ROW RowState="1" ID="1" NAME="old" NOTE="kept"/><ROW RowState="8" NAME="new"/>)")));
    EXPECT_EQ(table.AsText(L"NOTE"), L"kept");
    EXPECT_EQ(table.AsInteger(L"ID"), 1);
}

TEST(RowStateTest, PlainPacketHasNoPendingChanges) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    table.Load(WriteFile(folder, PacketText(kSampleFieldsXml, R"(<ROW ID="1" NAME="a"/>)")));
    EXPECT_FALSE(table.HasPendingChanges());
}

// ---- load replaces content ----

TEST(PacketLoadTest, LoadReplacesContentAndAFailedLoadKeepsIt) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    table.Append({99, std::wstring(L"in code"), std::monostate{}, std::monostate{}});
    table.Load(WriteFile(folder, PacketText(kSampleFieldsXml, R"(<ROW ID="1" NAME="a"/><ROW ID="2" NAME="b"/>)")));
    EXPECT_EQ(ShownIntegers(table), (std::vector<int>{1, 2}));
    table.Next();
    EXPECT_THROW(table.Load(WriteFile(folder, "<DATAPACKET>", L"broken.xml")), Error);
    EXPECT_EQ(ShownIntegers(table), (std::vector<int>{1, 2}));
}

TEST(PacketLoadTest, CursorStartsAtTheFirstRecord) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    table.Load(WriteFile(folder, PacketText(kSampleFieldsXml, R"(<ROW ID="4" NAME="a"/><ROW ID="2" NAME="b"/>)")));
    EXPECT_FALSE(table.Eof());
    EXPECT_EQ(table.AsInteger(L"ID"), 4);
    EXPECT_EQ(table.RecordCount(), 2);
}

}  // namespace
