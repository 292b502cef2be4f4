#include "shared/ToggleLanguage.h"

#include <algorithm>

#include "shared/Error.h"
#include "shared/FileSystem.h"
#include "shared/RunView.h"
#include "shared/TextFile.h"
#include "shared/TextUtil.h"

namespace orvelin {

namespace {

const Language* currentLanguage = nullptr;

constexpr const wchar_t* RequiredFieldsFile = L"Required fields list.txt";

std::vector<FieldDef> WordDictionaryFields() {
    return {{L"Eng", FieldType::WideText, 200, false}, {L"Arb", FieldType::WideText, 200, false}};
}

std::vector<FieldDef> MessageDictionaryFields() {
    return {{L"EngMsg", FieldType::WideText, 400, false}, {L"ArbMsg", FieldType::WideText, 400, false}};
}

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

InterfaceLanguage UserInterfaceLanguage() {
    return IsArabicLanguageName(GetLocaleText(GetUserDefaultLCID(), LOCALE_SLANGUAGE)) ? InterfaceLanguage::Arabic
                                                                                       : InterfaceLanguage::English;
}

std::wstring LookupMessage(DataPacketTable& messageDictionary, const std::wstring& text) {
    if (messageDictionary.Locate(L"EngMsg", text) && !messageDictionary.IsNull(L"ArbMsg"))
        return messageDictionary.AsText(L"ArbMsg");
    // Callers append blanks to messages; the dictionary holds them without.
    const size_t blanks = TrailingBlanks(text);
    if (blanks > 0 && messageDictionary.Locate(L"EngMsg", Trim(text))) {
        const std::wstring arabic = messageDictionary.IsNull(L"ArbMsg") ? L"" : messageDictionary.AsText(L"ArbMsg");
        return arabic + std::wstring(blanks, L' ');
    }
    return text;
}

Language::Language(const AppFolders& folders) : Language(folders, UserInterfaceLanguage(), ModuleFilePath()) {}

Language::Language(const AppFolders& folders, InterfaceLanguage language, const std::wstring& programPath)
    : binDir_(folders.BinDir),
      tempDir_(folders.TempDir),
      wordDictionary_(WordDictionaryFields()),
      messageDictionary_(MessageDictionaryFields()) {
    // Before any window exists, so that every window is created right-to-left.
    if (language == InterfaceLanguage::Arabic) arabic_.emplace(programPath);
    LoadIfPresent(wordDictionary_, binDir_ + L"DicFile.XML");
    LoadIfPresent(messageDictionary_, binDir_ + L"MsgFile.XML");
    LoadRequiredFields();
}

Language::~Language() {
    if (IsDevelopmentMode()) SaveDictionaries();
    SaveRequiredFields();
}

std::wstring Language::TranslateMsg(const std::wstring& text) const { return ShowMsgText(text) + L" "; }

std::wstring Language::ShowMsgText(const std::wstring& text) const {
    return IsArabic() ? LookupMessage(messageDictionary_, text) : text;
}

void Language::LoadRequiredFields() {
    const std::wstring path = tempDir_ + RequiredFieldsFile;
    if (!FileExists(path)) return;
    for (const auto& line : ReadTextFile(path).lines) AddSortedUnique(requiredFields_, line);
}

void Language::SaveDictionaries() noexcept {
    SaveIfChanged(wordDictionary_, binDir_ + L"DicFile.xml");
    SaveIfChanged(messageDictionary_, binDir_ + L"MsgFile.xml");
}

void Language::SaveRequiredFields() noexcept {
    try {
        WriteTextFile(tempDir_ + RequiredFieldsFile, requiredFields_, TextEncoding::Ansi);
    } catch (const std::exception&) {
        // Nothing reads the list during a run; a missing folder or no rights just lose it.
    }
}

const Language* CurrentLanguage() noexcept { return currentLanguage; }

void SetCurrentLanguage(const Language* language) noexcept { currentLanguage = language; }

std::wstring TranslateMsg(const std::wstring& text) {
    return currentLanguage ? currentLanguage->TranslateMsg(text) : text + L" ";
}

void ShowMsg(RunView& view, const std::wstring& text) {
    view.ShowMessage(currentLanguage ? currentLanguage->ShowMsgText(text) : text);
}

HINSTANCE ResourceInstance() {
    if (currentLanguage && currentLanguage->ResourceModule()) return currentLanguage->ResourceModule();
    return GetModuleHandleW(nullptr);
}

}  // namespace orvelin
