#pragma once
// The words a catalogue description uses for the catalogue's codes, and that `catalog show`
// prints back: categories, location bases, database servers, Windows generations and what a
// folder of setup programs does. Words compare without regard to letter case.
#include <optional>
#include <string>
#include <vector>

namespace orvelin {

// "application files", "common files", "Windows files", "database servers",
// "third-party programs".
std::optional<int> CategoryOfWord(const std::wstring& word);
std::wstring CategoryWord(int category);

// "Program Files (x86)", "Program Files", "ProgramData", "AppData": location kinds 1 to 4.
std::optional<int> LocationKindOfWord(const std::wstring& word);

// "Vista and later" (+1), "XP and earlier" (-1).
std::optional<int> GenerationSignOfWord(const std::wstring& word);
// The database servers by their index of the database-server choice: FIREBIRD is 1.
std::optional<int> ServerOfWord(const std::wstring& word);

inline constexpr wchar_t kCopyWord[] = L"copy";
inline constexpr wchar_t kRunWord[] = L"run";

// A location's FUNCTION_ID in words for its category, e.g. "ProgramData" or
// "FIREBIRD, XP and earlier"; "FUNCTION_ID 9" when the code has no meaning there.
std::wstring LocationWords(int category, int functionId);
// A folder's FUNCTION_ID for database servers and other vendors' programs: "copy", "run",
// else "FUNCTION_ID 7".
std::wstring FolderActionWords(int functionId);

// Every word of one kind, for messages: "ProgramData, AppData, ...".
std::wstring CategoryWords();
std::wstring LocationKindWords();
std::wstring ServerWords();
std::wstring GenerationWords();

}  // namespace orvelin
