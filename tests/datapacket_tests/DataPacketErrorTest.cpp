// Input a table must refuse with a clear Error, and never crash on.
#include <gtest/gtest.h>

#include <random>

#include "datapacket_tests/SamplePacket.h"
#include "platform/Paths.h"
#include "platform/Text.h"

using namespace orvelin;
using namespace orvelin::testing_support;

namespace {

const std::string kValidPacket =
    PacketText(kSampleFieldsXml, R"(<ROW ID="1" NAME="first &amp; best" LEVEL="2" NOTE="line&#013;&#010;two"/>)"
                                 R"(<ROW NOTE="&#092;share" ID="2" NAME="Zo&#235;" LEVEL="-3"/><ROW ID="3"/>)",
               R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)");

struct BadPacketCase {
    const char* label;
    std::string bytes;
    // The message, with %s standing for the file name; a trailing '*' matches any rest.
    const wchar_t* message;
};

class BadPacketTest : public testing::TestWithParam<BadPacketCase> {};

TEST_P(BadPacketTest, IsRefusedWithAClearError) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    const std::wstring file = WriteFile(folder, GetParam().bytes);
    const std::wstring error = ErrorTextOf([&] { table.Load(file); });
    std::wstring expected = Substitute(GetParam().message, {file});
    if (!expected.empty() && expected.back() == L'*') {
        expected.pop_back();
        EXPECT_EQ(error.substr(0, expected.size()), expected) << ToUtf8(error);
        EXPECT_GT(error.size(), expected.size()) << "the parser's reason is missing";
    } else {
        EXPECT_EQ(error, expected);
    }
    EXPECT_EQ(table.RecordCount(), 0);
}

std::string WithRow(std::string_view row) { return PacketText(kSampleFieldsXml, row); }

INSTANTIATE_TEST_SUITE_P(
    Packets, BadPacketTest,
    testing::Values(
        BadPacketCase{"EmptyFile", "", L"Data packet \"%s\" is empty"},
        BadPacketCase{"OnlyBlanks", "  \r\n", L"Data packet \"%s\" is not well-formed XML: No document element found*"},
        BadPacketCase{"TruncatedDocument", kValidPacket.substr(0, kValidPacket.size() / 2),
                      L"Data packet \"%s\" is not well-formed XML: *"},
        BadPacketCase{"TruncatedAfterLastRow", kValidPacket.substr(0, kValidPacket.find("</ROWDATA>")),
                      L"Data packet \"%s\" is not well-formed XML: *"},
        BadPacketCase{"MismatchedEndTag", R"(<DATAPACKET><METADATA></ROWDATA></DATAPACKET>)",
                      L"Data packet \"%s\" is not well-formed XML: *"},
        BadPacketCase{"WrongRoot", R"(<?xml version="1.0"?><TABLE><METADATA/></TABLE>)",
                      L"Data packet \"%s\" has the root element \"TABLE\" instead of \"DATAPACKET\""},
        BadPacketCase{"MetadataMissing", R"(<DATAPACKET Version="2.0"><ROWDATA/></DATAPACKET>)",
                      L"Data packet \"%s\" has no element \"METADATA\" in \"DATAPACKET\""},
        BadPacketCase{"FieldsMissing", R"(<DATAPACKET Version="2.0"><METADATA><PARAMS/></METADATA><ROWDATA/></DATAPACKET>)",
                      L"Data packet \"%s\" has no element \"FIELDS\" in \"METADATA\""},
        BadPacketCase{"RowDataMissing",
                      std::string(R"(<DATAPACKET Version="2.0"><METADATA><FIELDS>)") + kSampleFieldsXml +
                          "</FIELDS></METADATA></DATAPACKET>",
                      L"Data packet \"%s\" has no element \"ROWDATA\" in \"DATAPACKET\""},
        BadPacketCase{"FieldOfWrongType",
                      PacketText(R"(<FIELD attrname="ID" fieldtype="string"/><FIELD attrname="NAME" fieldtype="string.uni"/>)",
                                 ""),
                      L"Type mismatch for field 'ID', expecting: Integer actual: String"},
        BadPacketCase{"IntegerThatIsNot", WithRow(R"(<ROW ID="12a" NAME="x"/>)"),
                      L"'12a' is not a valid integer value for field 'ID' in data packet \"%s\""},
        BadPacketCase{"IntegerBeyond32Bits", WithRow(R"(<ROW ID="1" LEVEL="2147483648"/>)"),
                      L"'2147483648' is not a valid integer value for field 'LEVEL' in data packet \"%s\""},
        BadPacketCase{"EmptyInteger", WithRow(R"(<ROW ID=""/>)"),
                      L"'' is not a valid integer value for field 'ID' in data packet \"%s\""},
        BadPacketCase{"MegabyteInteger", WithRow(R"(<ROW ID=")" + std::string(1 << 20, '7') + R"(x"/>)"),
                      L"'7777777777777777777777777777777777777777...' is not a valid integer value for field 'ID' in "
                      L"data packet \"%s\""},
        BadPacketCase{"RowStateThatIsNoNumber", WithRow(R"(<ROW RowState="deleted" ID="1"/>)"),
                      L"'deleted' is not a valid integer value for field 'RowState' in data packet \"%s\""},
        BadPacketCase{"GarbageBytes", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
                      L"Data packet \"%s\" is not valid UTF-8 text (byte 0)"},
        BadPacketCase{"GarbageText", "this is not XML at all", L"Data packet \"%s\" is not well-formed XML: *"},
        BadPacketCase{"InvalidUtf8InAValue", WithRow("<ROW ID=\"1\" NAME=\"Zo\xEB\"/>"),
                      L"Data packet \"%s\" is not valid UTF-8 text (byte *"},
        BadPacketCase{"UnknownEncoding", PacketText(kSampleFieldsXml, "", R"(<?xml version="1.0" encoding="EBCDIC-US"?>)"),
                      L"Data packet \"%s\" declares the encoding \"EBCDIC-US\", which cannot be read"},
        BadPacketCase{"Utf16DeclaredButEightBit", PacketText(kSampleFieldsXml, "", R"(<?xml version="1.0" encoding="UTF-16"?>)"),
                      L"Data packet \"%s\" declares the encoding \"UTF-16\" but is not written in it"},
        BadPacketCase{"MalformedDeclaration", PacketText(kSampleFieldsXml, "", R"(<?xml version="1.0" encoding=?>)"),
                      L"Data packet \"%s\" is not well-formed XML: *"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(BadPacketTest, MissingFileGivesTheSystemsReason) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    const std::wstring file = folder / L"absent.xml";
    EXPECT_EQ(ErrorTextOf([&] { table.Load(file); }),
              Substitute(L"Cannot open file \"%s\". %s", {file, SystemErrorText(ERROR_FILE_NOT_FOUND)}));
}

TEST(BadPacketTest, FolderInsteadOfFileCannotBeOpened) {
    TempFolder folder;
    DataPacketTable table(SampleFields());
    const std::wstring error = ErrorTextOf([&] { table.Load(folder.Path()); });
    EXPECT_EQ(error.rfind(L"Cannot open file \"" + folder.Path() + L"\". ", 0), 0u) << ToUtf8(error);
}

// Random byte edits of a valid packet: each result loads or is refused with Error; any other
// exception, a crash or a hang fails the run.
TEST(PacketMutationTest, EditedPacketsLoadOrRaiseErrorOnly) {
    TempFolder folder;
    const std::wstring file = folder / L"mutated.xml";
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byteValue(0, 255);
    using namespace std::string_view_literals;
    const std::string_view interesting = "<>&\"'=/;#x\r\n \0\xC3\xFF"sv;
    int loaded = 0, refused = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = kValidPacket;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const size_t at = random() % bytes.size();
            const char value = random() % 2 ? static_cast<char>(byteValue(random))
                                            : interesting[random() % interesting.size()];
            switch (random() % 3) {
                case 0: bytes[at] = value; break;
                case 1: bytes.erase(at, 1 + random() % 8); break;
                default: bytes.insert(at, 1, value); break;
            }
        }
        PutFile(file, bytes);
        DataPacketTable table(SampleFields());
        try {
            table.Load(file);
            ++loaded;
            for (table.First(); !table.Eof(); table.Next())
                for (const FieldDef& field : table.Fields()) (void)table.AsText(field.name);
        } catch (const Error&) {
            ++refused;
        }
    }
    // Both outcomes occur, so the edits really reached the reader.
    EXPECT_GT(loaded, 100);
    EXPECT_GT(refused, 100);
}

}  // namespace
