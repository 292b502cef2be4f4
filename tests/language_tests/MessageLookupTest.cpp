#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "platform/Text.h"
#include "foundation/InterfaceLanguage.h"

using namespace orvelin;

namespace {

const std::wstring PathBlankArabic = L"\x0627\x0644\x0645\x0633\x0627\x0631 \x0641\x0627\x0631\x063A";
const std::wstring ClosedArabic = L"\x0645\x063A\x0644\x0642";

// A dictionary as "MsgFile.XML" holds it: the key not unique, "ArbMsg" sometimes null.
void FillDictionary(MessageDictionary& messages) {
    DataPacketTable& dictionary = messages.Table();
    dictionary.Append({std::wstring(L"the path is blank"), PathBlankArabic});
    dictionary.Append({std::wstring(L"No Arabic yet"), std::monostate{}});
    dictionary.Append({std::wstring(L"Closed"), ClosedArabic});
    dictionary.Append({std::wstring(L"Closed"), std::wstring(L"second record")});
}

}  // namespace

struct LookupCase {
    const char* what;
    std::wstring text;
    std::wstring result;
};

class MessageLookupTest : public testing::TestWithParam<LookupCase> {};

TEST_P(MessageLookupTest, AnswersTheArabicTextOrTheTextItself) {
    MessageDictionary dictionary;
    FillDictionary(dictionary);
    EXPECT_EQ(dictionary.Lookup(GetParam().text), GetParam().result) << GetParam().what;
    EXPECT_EQ(Translator(dictionary)(GetParam().text), GetParam().result) << GetParam().what;
    EXPECT_EQ(Translator()(GetParam().text), GetParam().text) << "English; " << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MessageLookupTest,
    testing::Values(
        LookupCase{"letter case is ignored", L"The path is blank", PathBlankArabic},
        LookupCase{"the first of equal keys wins", L"closed", ClosedArabic},
        LookupCase{"a null Arabic text without trailing blank keeps the text", L"No Arabic yet", L"No Arabic yet"},
        LookupCase{"a null Arabic text with a trailing blank gives the blank alone", L"No Arabic yet ", L" "},
        LookupCase{"trailing blanks are counted and put back", L"Closed  ", ClosedArabic + L"  "},
        LookupCase{"leading blanks go in the trimmed lookup, only trailing ones come back", L"  Closed ",
                   ClosedArabic + L" "},
        LookupCase{"only blanks are counted, a tab before them is trimmed", L"Closed\t ", ClosedArabic + L" "},
        LookupCase{"a trailing tab alone is no blank", L"Closed\t", L"Closed\t"},
        LookupCase{"no record", L"Unknown message", L"Unknown message"},
        LookupCase{"no record for the trimmed text either", L"Unknown message  ", L"Unknown message  "}));

TEST(MessageLookupTest, EmptyDictionaryAnswersTheText) {
    MessageDictionary dictionary;
    EXPECT_EQ(dictionary.Lookup(L"The path is blank "), L"The path is blank ");
}
