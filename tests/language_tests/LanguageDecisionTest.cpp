#include <gtest/gtest.h>

#include "LanguageProbe.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "foundation/InterfaceLanguage.h"
#include "support/TempFolder.h"

using namespace orvelin;
using namespace orvelin::test;

struct LanguageNameCase {
    const wchar_t* name;
    bool arabic;
};

class LanguageNameTest : public testing::TestWithParam<LanguageNameCase> {};

TEST_P(LanguageNameTest, OnlyAFirstWordArabicBeforeABlankMakesTheInterfaceArabic) {
    EXPECT_EQ(IsArabicLanguageName(GetParam().name), GetParam().arabic) << ToUtf8(GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LanguageNameTest,
    testing::Values(LanguageNameCase{L"Arabic (Saudi Arabia)", true},
                    LanguageNameCase{L"arabic (Egypt)", true},
                    LanguageNameCase{L"\tArabic (Jordan)", true},   // controls before the word are trimmed
                    LanguageNameCase{L"Arabic", false},             // no blank: nothing is kept
                    LanguageNameCase{L"Arabic(Saudi Arabia)", false},
                    LanguageNameCase{L" Arabic (Saudi Arabia)", false},   // the first blank comes first
                    LanguageNameCase{L"Arabics (x)", false},
                    LanguageNameCase{L"English (United States)", false},
                    LanguageNameCase{L"\x0627\x0644\x0639\x0631\x0628\x064A\x0629 (\x0645\x0635\x0631)", false},
                    LanguageNameCase{L"", false}));

struct LocaleTextCase {
    LCID locale;
    LCTYPE item;
    const wchar_t* text;
};

class LocaleTextTest : public testing::TestWithParam<LocaleTextCase> {};

TEST_P(LocaleTextTest, GivesTheItemWithoutTerminatingZero) {
    EXPECT_EQ(GetLocaleText(GetParam().locale, GetParam().item), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Items, LocaleTextTest,
                         testing::Values(LocaleTextCase{1025, LOCALE_SABBREVLANGNAME, L"ARA"},
                                         LocaleTextCase{1033, LOCALE_SABBREVLANGNAME, L"ENU"},
                                         LocaleTextCase{1025, LOCALE_SENGLANGUAGE, L"Arabic"},
                                         LocaleTextCase{1033, LOCALE_SISO3166CTRYNAME, L"US"},
                                         LocaleTextCase{0x7F7F, LOCALE_SENGLANGUAGE, L""}));   // no such locale

// The decision made by a program started under a user locale, in a process of its own.
struct UserLocaleCase {
    const wchar_t* unixLocale;   // Wine takes the user locale from the Unix locale settings
    LCID userLcid;
    const wchar_t* decision;
    const wchar_t* processLayout;
};

class UserLocaleTest : public testing::TestWithParam<UserLocaleCase> {};

TEST_P(UserLocaleTest, ProgramStartedUnderTheLocaleTakesItsLanguage) {
    TempFolder folder;
    const auto& c = GetParam();
    const ProbeReport report = RunLanguageProbe(folder.Path(), false, c.unixLocale);
    ASSERT_EQ(report[L"error"], L"");
    wchar_t lcid[16];
    swprintf(lcid, 16, L"0x%04lX", static_cast<unsigned long>(c.userLcid));
    ASSERT_EQ(report[L"userLcid"], lcid) << "the child did not run under the locale " << ToUtf8(c.unixLocale);
    EXPECT_EQ(report[L"decision"], c.decision) << ToUtf8(report[L"languageName"]);
    EXPECT_EQ(report[L"isArabic"], std::wstring(c.decision) == L"Arabic" ? L"1" : L"0");
    EXPECT_EQ(report[L"processLayout"], c.processLayout);
}

INSTANTIATE_TEST_SUITE_P(Locales, UserLocaleTest,
                         testing::Values(UserLocaleCase{L"ar_SA.UTF-8", 0x0401, L"Arabic", L"0x0001"},
                                         UserLocaleCase{L"en_US.UTF-8", 0x0409, L"English", L"0x0000"}));
