#pragma once
// The interface language: English, or Arabic and right-to-left when the Windows user's locale
// is Arabic. Also the two dictionaries and the required-fields list kept alongside.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "shared/ArabicInterface.h"
#include "shared/DataPacketTable.h"
#include "shared/GenUtil.h"

namespace orvelin {

class RunView;

// A locale information item, without the terminating zero; empty when the locale has none.
std::wstring GetLocaleText(LCID locale, LCTYPE item);

// The decision from a language name such as "Arabic (Saudi Arabia)": its text up to and
// including the first blank, trimmed, with a to z in capitals, must be "ARABIC".
bool IsArabicLanguageName(const std::wstring& languageName);

enum class InterfaceLanguage { English, Arabic };

// The decision for the user running the program, from the language name of the user's
// default locale.
InterfaceLanguage UserInterfaceLanguage();

// The Arabic text of a message: the first record whose "EngMsg" is the text (case ignored);
// without an "ArbMsg" there, the record of the text without its trailing blanks, the counted
// blanks added back; otherwise the text itself. The lookup moves the table's cursor.
std::wstring LookupMessage(DataPacketTable& messageDictionary, const std::wstring& text);

// The language of one program run: started on construction, shut down on destruction.
class Language {
public:
    // The language from the user's locale; the Arabic resource module is looked for beside
    // the running program.
    explicit Language(const AppFolders& folders);
    // The language given; programPath names the program file the resource module belongs to.
    Language(const AppFolders& folders, InterfaceLanguage language, const std::wstring& programPath);
    // Saves the dictionaries (development mode, pending changes only) and the required-fields
    // list; failures are ignored, as the program is ending.
    ~Language();
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

    bool IsArabic() const noexcept { return arabic_.has_value(); }
    // The Arabic resource module when one was loaded, otherwise null.
    HMODULE ResourceModule() const noexcept { return arabic_ ? arabic_->ResourceModule() : nullptr; }

    // The message in the interface language followed by one blank.
    std::wstring TranslateMsg(const std::wstring& text) const;
    // The message in the interface language, as ShowMsg shows it.
    std::wstring ShowMsgText(const std::wstring& text) const;

    DataPacketTable& WordDictionary() noexcept { return wordDictionary_; }
    DataPacketTable& MessageDictionary() noexcept { return messageDictionary_; }
    // Sorted, case ignored, without lines that differ only in letter case.
    const std::vector<std::wstring>& RequiredFieldsList() const noexcept { return requiredFields_; }

private:
    void LoadRequiredFields();
    void SaveDictionaries() noexcept;
    void SaveRequiredFields() noexcept;

    std::wstring binDir_;
    std::wstring tempDir_;
    std::optional<ArabicInterface> arabic_;
    DataPacketTable wordDictionary_;
    mutable DataPacketTable messageDictionary_;   // a lookup moves its cursor
    std::vector<std::wstring> requiredFields_;
};

// The running program's language, set by the shared start-up for its lifetime; null when
// none runs (as in unit tests), and the functions below then behave as English.
const Language* CurrentLanguage() noexcept;
void SetCurrentLanguage(const Language* language) noexcept;

// The message in the interface language followed by one blank.
std::wstring TranslateMsg(const std::wstring& text);
// Shows the message, in the interface language, in a plain message box of the view.
void ShowMsg(RunView& view, const std::wstring& text);
// Where windows take their designs from: the Arabic resource module if loaded, else the program.
HINSTANCE ResourceInstance();

}  // namespace orvelin
