#include "foundation/InterfaceLanguage.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/TextFile.h"

namespace orvelin {

namespace {

constexpr const wchar_t* RequiredFieldsFile = L"Required fields list.txt";

void LoadIfPresent(DataPacketTable& table, const std::wstring& path) {
    if (FileExists(path)) table.Load(path);
}

// Development builds may have added translations; only then is a dictionary written back.
void SaveIfChanged(DataPacketTable& table, const std::wstring& path) noexcept {
    try {
        if (!table.HasPendingChanges()) return;
        table.MergeChangesLog();
        table.Save(path);
    } catch (const std::exception&) {
        // The program is ending; the file on disk keeps the last saved dictionary.
    }
}

// The list's order: the user's collation, letter case ignored.
int CompareIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) -
           CSTR_EQUAL;
}

void AddSortedUnique(std::vector<std::wstring>& list, const std::wstring& line) {
    const auto at = std::lower_bound(list.begin(), list.end(), line, [](const std::wstring& a, const std::wstring& b) {
        return CompareIgnoringCase(a, b) < 0;
    });
    if (at != list.end() && CompareIgnoringCase(*at, line) == 0) return;
    list.insert(at, line);
}

size_t TrailingBlanks(const std::wstring& text) {
    const size_t last = text.find_last_not_of(L' ');
    return last == std::wstring::npos ? text.size() : text.size() - 1 - last;
}

}  // namespace

std::wstring GetLocaleText(LCID locale, LCTYPE item) {
    const int size = GetLocaleInfoW(locale, item, nullptr, 0);
    if (size <= 0) return {};
    std::wstring text(static_cast<size_t>(size), L'\0');
    const int written = GetLocaleInfoW(locale, item, text.data(), size);
    text.resize(written > 0 ? static_cast<size_t>(written - 1) : 0);
    return text;
}

bool IsArabicLanguageName(const std::wstring& languageName) {
    const size_t blank = languageName.find(L' ');
    const std::wstring firstWord = blank == std::wstring::npos ? std::wstring() : languageName.substr(0, blank + 1);
    return UpperAscii(Trim(firstWord)) == L"ARABIC";
}

UiLanguage UserInterfaceLanguage() {
    return IsArabicLanguageName(GetLocaleText(GetUserDefaultLCID(), LOCALE_SLANGUAGE)) ? UiLanguage::Arabic
                                                                                       : UiLanguage::English;
}

MessageDictionary::MessageDictionary()
    : table_({{L"EngMsg", FieldType::WideText, 400, false}, {L"ArbMsg", FieldType::WideText, 400, false}}) {}

std::wstring MessageDictionary::Lookup(const std::wstring& text) {
    if (table_.Locate(L"EngMsg", text) && !table_.IsNull(L"ArbMsg")) return table_.AsText(L"ArbMsg");
    // Callers append blanks to messages; the dictionary holds them without.
    const size_t blanks = TrailingBlanks(text);
    if (blanks > 0 && table_.Locate(L"EngMsg", Trim(text))) {
        const std::wstring arabic = table_.IsNull(L"ArbMsg") ? L"" : table_.AsText(L"ArbMsg");
        return arabic + std::wstring(blanks, L' ');
    }
    return text;
}

InterfaceLanguage::InterfaceLanguage(const AppFolders& folders, UiLanguage language, const std::wstring& programPath,
                                     DevelopmentModeProbe developmentMode)
    : binDir_(folders.BinDir),
      tempDir_(folders.TempDir),
      developmentMode_(std::move(developmentMode)),
      words_({{L"Eng", FieldType::WideText, 200, false}, {L"Arb", FieldType::WideText, 200, false}}) {
    // Before any window exists, so that every window is created right-to-left.
    if (language == UiLanguage::Arabic) arabic_.emplace(programPath);
    LoadIfPresent(words_, binDir_ + L"DicFile.XML");
    LoadIfPresent(messages_.Table(), binDir_ + L"MsgFile.XML");
    LoadRequiredFields();
}

InterfaceLanguage::~InterfaceLanguage() {
    if (developmentMode_()) SaveDictionaries();
    SaveRequiredFields();
}

void InterfaceLanguage::LoadRequiredFields() {
    const std::wstring path = tempDir_ + RequiredFieldsFile;
    if (!FileExists(path)) return;
    for (const auto& line : ReadTextFile(path).lines) AddSortedUnique(requiredFields_, line);
}

void InterfaceLanguage::SaveDictionaries() noexcept {
    SaveIfChanged(words_, binDir_ + L"DicFile.xml");
    SaveIfChanged(messages_.Table(), binDir_ + L"MsgFile.xml");
}

void InterfaceLanguage::SaveRequiredFields() noexcept {
    try {
        WriteTextFile(tempDir_ + RequiredFieldsFile, requiredFields_, TextEncoding::Ansi);
    } catch (const std::exception&) {
        // Nothing reads the list during a run; a missing folder or no rights just lose it.
    }
}

}  // namespace orvelin
