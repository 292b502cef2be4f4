// The shown records: cursor, ordering, master link, selection and lookup.
#include <gtest/gtest.h>

#include "datapacket_tests/SamplePacket.h"

using namespace orvelin;
using namespace orvelin::testing_support;

namespace {

constexpr std::monostate null;

std::vector<FieldDef> NodeFields() {
    return {{L"ID", FieldType::Integer32}, {L"NODE_LEVEL", FieldType::Integer32}, {L"PARENT_ID", FieldType::Integer32},
            {L"NAME", FieldType::WideText, 50}};
}

// ---- cursor ----

TEST(CursorTest, EofOnlyAfterNextPassedTheLastRecordWhichStaysCurrent) {
    DataPacketTable table(SampleFields());
    table.Append({1, std::wstring(L"a"), null, null});
    table.Append({2, std::wstring(L"b"), null, null});
    table.First();
    EXPECT_FALSE(table.Eof());
    table.Next();
    EXPECT_FALSE(table.Eof());
    EXPECT_EQ(table.AsInteger(L"ID"), 2);
    table.Next();
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.AsInteger(L"ID"), 2);
    table.First();
    EXPECT_FALSE(table.Eof());
    EXPECT_EQ(table.AsInteger(L"ID"), 1);
}

TEST(CursorTest, EmptyTableIsAtEofAndReadsNull) {
    DataPacketTable table(SampleFields());
    table.First();
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_TRUE(table.IsNull(L"ID"));
    EXPECT_EQ(table.AsInteger(L"ID"), 0);
    EXPECT_EQ(table.AsText(L"NAME"), L"");
    EXPECT_EQ(table.AsTextView(table.FieldIndex(L"NAME")), L"");
    table.Next();
    EXPECT_TRUE(table.Eof());
}

TEST(CursorTest, ClearRemovesEveryRecord) {
    DataPacketTable table(SampleFields());
    table.Append({1, std::wstring(L"a"), null, null});
    table.Clear();
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_TRUE(table.Eof());
}

// ---- fields and reads ----

TEST(FieldReadTest, FieldsAreFoundLetterCaseAsideAndUnknownOnesNamed) {
    DataPacketTable table(SampleFields());
    EXPECT_EQ(table.FieldIndex(L"NOTE"), 3);
    EXPECT_EQ(table.FieldIndex(L"note"), 3);
    EXPECT_EQ(ErrorTextOf([&] { table.FieldIndex(L"NOTES"); }), L"Field 'NOTES' not found");
    EXPECT_EQ(ErrorTextOf([&] { table.AsInteger(L"MISSING"); }), L"Field 'MISSING' not found");
}

TEST(FieldReadTest, ReadsAcrossTypesAndFastForms) {
    DataPacketTable table(SampleFields());
    table.Append({42, std::wstring(L"17"), -3, std::wstring(L"text")});
    table.First();
    EXPECT_EQ(table.AsText(L"ID"), L"42");
    EXPECT_EQ(table.AsInteger(L"NAME"), 17);
    EXPECT_EQ(table.AsInteger(table.FieldIndex(L"LEVEL")), -3);
    EXPECT_EQ(table.AsTextView(table.FieldIndex(L"NOTE")), L"text");
    EXPECT_FALSE(table.IsNull(0));
    EXPECT_EQ(ErrorTextOf([&] { table.AsInteger(L"NOTE"); }), L"'text' is not a valid integer value");
    EXPECT_EQ(ErrorTextOf([&] { table.AsTextView(0); }), L"Field 'ID' is not a text field");
    EXPECT_EQ(ErrorTextOf([&] { table.IsNull(4); }), L"Field index 4 out of range");
}

TEST(FieldReadTest, AppendChecksCountAndTypesAndCutsLongText) {
    DataPacketTable table(SampleFields());
    EXPECT_EQ(ErrorTextOf([&] { table.Append({1, null}); }), L"A record needs 4 values, not 2");
    EXPECT_EQ(ErrorTextOf([&] { table.Append({std::wstring(L"1"), null, null, null}); }),
              L"Type mismatch for field 'ID', expecting: Integer actual: WideString");
    EXPECT_EQ(ErrorTextOf([&] { table.Append({1, 2, null, null}); }),
              L"Type mismatch for field 'NAME', expecting: WideString actual: Integer");
    EXPECT_EQ(table.RecordCount(), 0);
    table.Append({1, std::wstring(25, L'x'), null, null});
    EXPECT_EQ(table.AsText(L"NAME"), std::wstring(20, L'x'));
}

// ---- ordering ----

TEST(OrderingTest, StableAscendingWithNullsFirstAndBackToFileOrder) {
    DataPacketTable table(SampleFields());
    const int levels[] = {3, 1, 3, 2, 1};
    for (int id = 1; id <= 5; ++id) table.Append({id, null, levels[id - 1], null});
    table.Append({6, null, null, null});
    table.SetOrdering(L"LEVEL");
    EXPECT_EQ(ShownIntegers(table), (std::vector<int>{6, 2, 5, 4, 1, 3}));
    table.SetOrdering(L"");
    EXPECT_EQ(ShownIntegers(table), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(OrderingTest, EqualKeysKeepFileOrderInALargeTable) {
    DataPacketTable table(SampleFields());
    const auto levelOf = [](int id) { return (id * 7) % 3; };
    for (int id = 1; id <= 200; ++id) table.Append({id, null, levelOf(id), null});
    table.SetOrdering(L"LEVEL");
    std::vector<int> expected;
    for (int level = 0; level < 3; ++level)
        for (int id = 1; id <= 200; ++id)
            if (levelOf(id) == level) expected.push_back(id);
    EXPECT_EQ(ShownIntegers(table), expected);
}

TEST(OrderingTest, TextOrderingByCodeUnit) {
    DataPacketTable table(SampleFields());
    table.Append({1, std::wstring(L"b"), null, null});
    table.Append({2, std::wstring(L"B"), null, null});
    table.Append({3, std::wstring(L"a"), null, null});
    table.SetOrdering(L"NAME");
    EXPECT_EQ(ShownIntegers(table), (std::vector<int>{2, 3, 1}));
}

TEST(OrderingTest, RecordsAppendedLaterTakeTheirPlace) {
    DataPacketTable table(SampleFields());
    table.SetOrdering(L"ID");
    table.Append({5, null, null, null});
    EXPECT_EQ(ShownIntegers(table), (std::vector<int>{5}));
    table.Append({2, null, null, null});
    EXPECT_EQ(ShownIntegers(table), (std::vector<int>{2, 5}));
}

// ---- selection ----

TEST(SelectionTest, ShowsExactlyTheMatchingRecordsInOrder) {
    DataPacketTable table(NodeFields());
    table.Append({1, 2, 5, null});
    table.Append({2, 3, 5, null});
    table.Append({3, 2, 5, null});
    table.Append({4, 2, 6, null});
    table.SetSelection(L"NODE_LEVEL = 2 and PARENT_ID = 5");
    EXPECT_EQ(table.RecordCount(), 4) << "not yet switched on";
    table.EnableSelection(true);
    EXPECT_EQ(ShownIntegers(table), (std::vector<int>{1, 3}));
    EXPECT_EQ(table.RecordCount(), 2);
    table.SetSelection(L"NODE_LEVEL = 2 and PARENT_ID = 6");
    EXPECT_EQ(ShownIntegers(table), (std::vector<int>{4}));
    table.SetSelection(L"NODE_LEVEL = 4 and PARENT_ID = 6");
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.RecordCount(), 0);
    table.EnableSelection(false);
    EXPECT_EQ(table.RecordCount(), 4);
}

TEST(SelectionTest, ClearSelectionEmptiesTheTextAndSwitchesItOff) {
    DataPacketTable table(NodeFields());
    table.Append({1, 2, 5, null});
    table.Append({2, 3, 5, null});
    table.SetSelection(L"NODE_LEVEL = 3 and PARENT_ID = 5");
    table.EnableSelection(true);
    ASSERT_EQ(table.RecordCount(), 1);
    table.ClearSelection();
    EXPECT_EQ(table.SelectionText(), L"");
    EXPECT_FALSE(table.SelectionEnabled());
    EXPECT_EQ(table.RecordCount(), 2);
    table.EnableSelection(true);
    EXPECT_EQ(table.RecordCount(), 2) << "no text selects everything";
}

TEST(SelectionTest, NullsAndLaterRecordsAreSeen) {
    DataPacketTable table(NodeFields());
    table.Append({1, 2, null, null});
    table.SetSelection(L"NODE_LEVEL = 2 and PARENT_ID = 0");
    table.EnableSelection(true);
    EXPECT_EQ(table.RecordCount(), 0) << "a null is no 0 here";
    table.Append({2, 2, 0, null});
    EXPECT_EQ(ShownIntegers(table), (std::vector<int>{2}));
}

struct SelectionTextCase {
    const wchar_t* text;
    const wchar_t* error;   // empty when understood
    std::vector<int> shown = {};
};

class SelectionTextTest : public testing::TestWithParam<SelectionTextCase> {};

TEST_P(SelectionTextTest, UnderstandsOnlyTwoIntegerEqualities) {
    DataPacketTable table(NodeFields());
    table.Append({1, 2, 5, null});
    table.Append({2, -1, 5, null});
    table.Append({3, 2, 5, null});
    const std::wstring error = ErrorTextOf([&] { table.SetSelection(GetParam().text); });
    if (*GetParam().error) {
        EXPECT_EQ(error, GetParam().error);
        return;
    }
    ASSERT_EQ(error, L"(no error)");
    table.EnableSelection(true);
    EXPECT_EQ(ShownIntegers(table), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SelectionTextTest,
    testing::Values(
        SelectionTextCase{L"NODE_LEVEL = 2 and PARENT_ID = 5", L"", {1, 3}},
        SelectionTextCase{L"  NODE_LEVEL=2   AND PARENT_ID=5 ", L"", {1, 3}},
        SelectionTextCase{L"parent_id = 5 and node_level = -1", L"", {2}},
        SelectionTextCase{L"NODE_LEVEL = 2 and NODE_LEVEL = 2", L"", {1, 3}},
        SelectionTextCase{L"NODE_LEVEL = 2",
                          L"Selection \"NODE_LEVEL = 2\" is not understood; expected \"<field> = <integer> and <field> = <integer>\""},
        SelectionTextCase{L"NODE_LEVEL = 2 or PARENT_ID = 5",
                          L"Selection \"NODE_LEVEL = 2 or PARENT_ID = 5\" is not understood; expected \"<field> = <integer> and <field> = <integer>\""},
        SelectionTextCase{L"NODE_LEVEL > 2 and PARENT_ID = 5",
                          L"Selection \"NODE_LEVEL > 2 and PARENT_ID = 5\" is not understood; expected \"<field> = <integer> and <field> = <integer>\""},
        SelectionTextCase{L"NODE_LEVEL = 'x' and PARENT_ID = 5",
                          L"Selection \"NODE_LEVEL = 'x' and PARENT_ID = 5\" is not understood; expected \"<field> = <integer> and <field> = <integer>\""},
        SelectionTextCase{L"NODE_LEVEL = 2 and PARENT_ID = 5 and ID = 1",
                          L"Selection \"NODE_LEVEL = 2 and PARENT_ID = 5 and ID = 1\" is not understood; expected \"<field> = <integer> and <field> = <integer>\""},
        SelectionTextCase{L"NODE_LEVEL = 99999999999 and PARENT_ID = 5",
                          L"Selection \"NODE_LEVEL = 99999999999 and PARENT_ID = 5\" is not understood; expected \"<field> = <integer> and <field> = <integer>\""},
        SelectionTextCase{L"LEVEL = 2 and PARENT_ID = 5", L"Field 'LEVEL' not found"},
        SelectionTextCase{L"NAME = 2 and PARENT_ID = 5",
                          L"Selection \"NAME = 2 and PARENT_ID = 5\": field 'NAME' is not an integer field"}));

TEST(SelectionTextTest, RefusedTextKeepsThePreviousSelection) {
    DataPacketTable table(NodeFields());
    table.Append({1, 2, 5, null});
    table.Append({2, 3, 5, null});
    table.SetSelection(L"NODE_LEVEL = 3 and PARENT_ID = 5");
    table.EnableSelection(true);
    EXPECT_THROW(table.SetSelection(L"NODE_LEVEL = 2"), Error);
    EXPECT_EQ(table.SelectionText(), L"NODE_LEVEL = 3 and PARENT_ID = 5");
    EXPECT_EQ(ShownIntegers(table), (std::vector<int>{2}));
}

// ---- master link ----

class MasterLinkTest : public testing::Test {
protected:
    MasterLinkTest() {
        // Masters 1, 2, 3; details of 1 (two, file order 12 then 11), of 3 (one), none of 2.
        master.Append({1, std::wstring(L"one"), null, null});
        master.Append({2, std::wstring(L"two"), null, null});
        master.Append({3, std::wstring(L"three"), null, null});
        detail.Append({12, null, 1, null});
        detail.Append({31, null, 3, null});
        detail.Append({11, null, 1, null});
        detail.Append({99, null, null, null});
        detail.SetMasterLink(master, L"ID", L"LEVEL");
    }

    DataPacketTable master{SampleFields()};
    DataPacketTable detail{SampleFields()};
};

TEST_F(MasterLinkTest, DetailShowsTheCurrentMastersRecordsAndFollowsItsCursor) {
    master.First();
    EXPECT_EQ(ShownIntegers(detail), (std::vector<int>{12, 11}));
    master.Next();
    EXPECT_TRUE(detail.Eof()) << "a master without details shows none";
    EXPECT_EQ(detail.RecordCount(), 0);
    master.Next();
    EXPECT_EQ(ShownIntegers(detail), (std::vector<int>{31}));
}

TEST_F(MasterLinkTest, DetailCursorGoesToFirstWhenTheMasterMoves) {
    master.First();
    detail.First();
    detail.Next();
    ASSERT_EQ(detail.AsInteger(L"ID"), 11);
    master.Next();
    master.First();
    EXPECT_FALSE(detail.Eof());
    EXPECT_EQ(detail.AsInteger(L"ID"), 12);
}

TEST_F(MasterLinkTest, OrderingAndSelectionApplyWithinTheLink) {
    detail.SetOrdering(L"ID");
    master.First();
    EXPECT_EQ(ShownIntegers(detail), (std::vector<int>{11, 12}));
    detail.SetSelection(L"ID = 12 and LEVEL = 1");
    detail.EnableSelection(true);
    EXPECT_EQ(ShownIntegers(detail), (std::vector<int>{12}));
    master.Next();
    master.Next();
    EXPECT_EQ(detail.RecordCount(), 0);
}

TEST_F(MasterLinkTest, LocateAndLoadOnTheMasterMoveTheDetail) {
    ASSERT_TRUE(master.Locate(L"NAME", L"THREE"));
    EXPECT_EQ(ShownIntegers(detail), (std::vector<int>{31}));
    TempFolder folder;
    master.Load(WriteFile(folder, PacketText(kSampleFieldsXml, R"(<ROW ID="3" NAME="x"/><ROW ID="1" NAME="y"/>)")));
    EXPECT_EQ(ShownIntegers(detail), (std::vector<int>{31}));
}

TEST_F(MasterLinkTest, EmptyMasterShowsNoDetail) {
    master.Clear();
    EXPECT_TRUE(detail.Eof());
    EXPECT_EQ(detail.RecordCount(), 0);
}

TEST_F(MasterLinkTest, GrandDetailFollowsTheTopMaster) {
    DataPacketTable grandDetail(SampleFields());
    grandDetail.Append({100, null, 11, null});
    grandDetail.Append({101, null, 31, null});
    grandDetail.SetMasterLink(detail, L"ID", L"LEVEL");
    master.First();
    detail.Next();   // 11
    EXPECT_EQ(ShownIntegers(grandDetail), (std::vector<int>{100}));
    master.Next();
    master.Next();   // 3 -> detail 31
    EXPECT_EQ(ShownIntegers(grandDetail), (std::vector<int>{101}));
    master.Next();   // stays on 3 at Eof
    EXPECT_EQ(ShownIntegers(grandDetail), (std::vector<int>{101}));
}

TEST_F(MasterLinkTest, LinksNeedIntegerFieldsAndNoCycle) {
    EXPECT_EQ(ErrorTextOf([&] { detail.SetMasterLink(master, L"NAME", L"LEVEL"); }),
              L"The master link needs integer fields, not 'NAME' and 'LEVEL'");
    EXPECT_EQ(ErrorTextOf([&] { master.SetMasterLink(detail, L"ID", L"ID"); }), L"A table cannot be a master of itself");
    EXPECT_EQ(ErrorTextOf([&] { detail.SetMasterLink(master, L"ID", L"NOPE"); }), L"Field 'NOPE' not found");
}

TEST_F(MasterLinkTest, TablesOutlivingTheirPartnersStayUsable) {
    {
        DataPacketTable shortDetail(SampleFields());
        shortDetail.SetMasterLink(master, L"ID", L"ID");
    }
    master.First();
    master.Next();
    auto lonelyDetail = std::make_unique<DataPacketTable>(SampleFields());
    {
        DataPacketTable shortMaster(SampleFields());
        lonelyDetail->Append({5, null, null, null});
        lonelyDetail->SetMasterLink(shortMaster, L"ID", L"ID");
        EXPECT_EQ(lonelyDetail->RecordCount(), 0);
    }
    EXPECT_EQ(ShownIntegers(*lonelyDetail), (std::vector<int>{5})) << "without a master every record shows";
}

// ---- locate ----

struct LocateCase {
    const wchar_t* field;
    const wchar_t* text;
    int found;   // ID of the record found, 0 when none
};

class LocateTest : public testing::TestWithParam<LocateCase> {};

TEST_P(LocateTest, FindsTheWholeValueLetterCaseAside) {
    DataPacketTable table(SampleFields());
    table.Append({1, std::wstring(L"Program Files"), null, null});
    table.Append({2, std::wstring(L"Save"), 7, null});
    table.Append({3, std::wstring(L"save"), null, null});
    table.Append({4, std::wstring(L"\x0645\x0644\x0641"), null, null});
    table.First();
    table.Next();
    table.Next();
    const bool found = table.Locate(GetParam().field, GetParam().text);
    EXPECT_EQ(found, GetParam().found != 0);
    EXPECT_EQ(table.AsInteger(L"ID"), found ? GetParam().found : 3) << "a failed lookup leaves the cursor";
    EXPECT_FALSE(table.Eof());
}

INSTANTIATE_TEST_SUITE_P(Cases, LocateTest,
                         testing::Values(LocateCase{L"NAME", L"Save", 2}, LocateCase{L"NAME", L"SAVE", 2},
                                         LocateCase{L"NAME", L"program files", 1}, LocateCase{L"NAME", L"Save ", 0},
                                         LocateCase{L"NAME", L" Save", 0}, LocateCase{L"NAME", L"Sav", 0},
                                         LocateCase{L"NAME", L"\x0645\x0644\x0641", 4}, LocateCase{L"LEVEL", L"7", 2},
                                         LocateCase{L"NOTE", L"", 1}, LocateCase{L"NAME", L"", 0}));

TEST(LocateTest, SearchesOnlyTheShownRecords) {
    DataPacketTable table(NodeFields());
    table.Append({1, 2, 5, std::wstring(L"a")});
    table.Append({2, 3, 5, std::wstring(L"b")});
    table.SetSelection(L"NODE_LEVEL = 2 and PARENT_ID = 5");
    table.EnableSelection(true);
    EXPECT_FALSE(table.Locate(L"NAME", L"b"));
    EXPECT_TRUE(table.Locate(L"NAME", L"A"));
}

}  // namespace
