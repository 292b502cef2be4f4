#include "catalog/CatalogueVocabulary.h"

#include <cstdlib>
#include <iterator>
#include <span>

#include "installer/CatalogueCodes.h"
#include "installer/InstallView.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

struct Word {
    int code;
    const wchar_t* text;
};

constexpr Word kCategories[] = {
    {kApplicationCategory, L"application files"},  {kCommonCategory, L"common files"},
    {kWindowsCategory, L"Windows files"},          {kDatabaseServerCategory, L"database servers"},
    {kThirdPartyCategory, L"third-party programs"},
};
// Named as the Windows folders are named on 64-bit Windows.
constexpr Word kLocationKinds[] = {
    {kProgramFilesX86Kind, L"Program Files (x86)"},
    {kProgramFilesKind, L"Program Files"},
    {kCommonDataKind, L"ProgramData"},
    {kUserDataKind, L"AppData"},
};
constexpr Word kGenerations[] = {{1, L"Vista and later"}, {-1, L"XP and earlier"}};

std::span<const wchar_t* const> Servers() { return {std::begin(kDatabaseChoices) + kFirebirdIndex, std::end(kDatabaseChoices)}; }

std::optional<int> CodeOfWord(std::span<const Word> words, const std::wstring& text) {
    for (const auto& word : words)
        if (EqualsIgnoreCase(word.text, text)) return word.code;
    return std::nullopt;
}

std::wstring WordOfCode(std::span<const Word> words, int code) {
    for (const auto& word : words)
        if (word.code == code) return word.text;
    return {};
}

std::wstring Listed(std::span<const Word> words) {
    std::wstring text;
    for (const auto& word : words) text += (text.empty() ? L"" : L", ") + std::wstring(word.text);
    return text;
}

std::wstring Unknown(int functionId) { return L"FUNCTION_ID " + std::to_wstring(functionId); }

}  // namespace

std::optional<int> CategoryOfWord(const std::wstring& word) { return CodeOfWord(kCategories, word); }
std::wstring CategoryWord(int category) { return WordOfCode(kCategories, category); }
std::optional<int> LocationKindOfWord(const std::wstring& word) { return CodeOfWord(kLocationKinds, word); }
std::optional<int> GenerationSignOfWord(const std::wstring& word) { return CodeOfWord(kGenerations, word); }

std::optional<int> ServerOfWord(const std::wstring& word) {
    const auto servers = Servers();
    for (size_t i = 0; i < servers.size(); ++i)
        if (EqualsIgnoreCase(servers[i], word)) return kFirebirdIndex + static_cast<int>(i);
    return std::nullopt;
}

std::wstring LocationWords(int category, int functionId) {
    if (!HasSetupPrograms(category)) {
        const std::wstring kind = WordOfCode(kLocationKinds, functionId);
        return kind.empty() ? Unknown(functionId) : kind;
    }
    if (functionId == 0) return Unknown(functionId);
    const std::wstring generation = WordOfCode(kGenerations, functionId > 0 ? 1 : -1);
    if (category == kThirdPartyCategory) return generation;
    const size_t server = static_cast<size_t>(std::abs(functionId)) - kFirebirdIndex;
    return server < Servers().size() ? std::wstring(Servers()[server]) + L", " + generation : Unknown(functionId);
}

std::wstring FolderActionWords(int functionId) {
    if (functionId == kCopyFolderAction) return kCopyWord;
    if (functionId == kVistaRunCode || functionId == kXpRunCode) return kRunWord;
    return Unknown(functionId);
}

std::wstring CategoryWords() { return Listed(kCategories); }
std::wstring LocationKindWords() { return Listed(kLocationKinds); }
std::wstring GenerationWords() { return Listed(kGenerations); }

std::wstring ServerWords() {
    std::wstring text;
    for (const wchar_t* server : Servers()) text += (text.empty() ? L"" : L", ") + std::wstring(server);
    return text;
}

}  // namespace orvelin
