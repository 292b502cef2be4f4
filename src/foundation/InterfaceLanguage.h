#pragma once
// The interface language: English, or Arabic and right-to-left when the Windows user's locale
// is Arabic. Also the two dictionaries and the required-fields list kept alongside.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "datapacket/DataPacketTable.h"
#include "foundation/AppEnvironment.h"
#include "foundation/ArabicInterface.h"

namespace orvelin {

// A locale information item, without the terminating zero; empty when the locale has none.
std::wstring GetLocaleText(LCID locale, LCTYPE item);

// The decision from a language name such as "Arabic (Saudi Arabia)": its text up to and
// including the first blank, trimmed, with a to z in capitals, must be "ARABIC".
bool IsArabicLanguageName(const std::wstring& languageName);

enum class UiLanguage { English, Arabic };

// The decision for the user running the program, from the language name of the user's
// default locale.
UiLanguage UserInterfaceLanguage();

// The message dictionary ("MsgFile.XML"): English message texts and their Arabic forms.
class MessageDictionary {
public:
    MessageDictionary();
    DataPacketTable& Table() noexcept { return table_; }
    // The Arabic text of a message: the first record whose "EngMsg" is the text (case
    // ignored); without an "ArbMsg" there, the record of the text without its trailing
    // blanks, the counted blanks added back; otherwise the text itself.
    std::wstring Lookup(const std::wstring& text);

private:
    DataPacketTable table_;
};

// How the messages of the shared routines read in the interface language: as written, or
// through the Arabic message dictionary.
class Translator {
public:
    Translator() = default;   // English
    explicit Translator(MessageDictionary& arabic) : arabic_(&arabic) {}
    std::wstring operator()(const std::wstring& text) const { return arabic_ ? arabic_->Lookup(text) : text; }

private:
    MessageDictionary* arabic_ = nullptr;
};

// The language of one program run: started on construction, shut down on destruction.
class InterfaceLanguage {
public:
    // programPath names the program file the Arabic resource module belongs to.
    InterfaceLanguage(const AppFolders& folders, UiLanguage language, const std::wstring& programPath,
                      DevelopmentModeProbe developmentMode);
    // Saves the dictionaries (development mode, pending changes only) and the required-fields
    // list; failures are ignored, as the program is ending.
    ~InterfaceLanguage();
    InterfaceLanguage(const InterfaceLanguage&) = delete;
    InterfaceLanguage& operator=(const InterfaceLanguage&) = delete;

    bool IsArabic() const noexcept { return arabic_.has_value(); }
    // Where windows take their designs from: the Arabic resource module if one was loaded,
    // otherwise null (the program itself).
    HMODULE ResourceModule() const noexcept { return arabic_ ? arabic_->ResourceModule() : nullptr; }
    Translator Translate() const noexcept { return IsArabic() ? Translator(messages_) : Translator(); }

    DataPacketTable& WordDictionary() noexcept { return words_; }
    MessageDictionary& Messages() noexcept { return messages_; }
    // Sorted, case ignored, without lines that differ only in letter case.
    const std::vector<std::wstring>& RequiredFieldsList() const noexcept { return requiredFields_; }

private:
    void LoadRequiredFields();
    void SaveDictionaries() noexcept;
    void SaveRequiredFields() noexcept;

    std::wstring binDir_;
    std::wstring tempDir_;
    DevelopmentModeProbe developmentMode_;
    std::optional<ArabicInterface> arabic_;
    DataPacketTable words_;
    mutable MessageDictionary messages_;   // a lookup moves its cursor
    std::vector<std::wstring> requiredFields_;
};

}  // namespace orvelin
