#pragma once
// A setup folder that uses every installation category, location kind and run code, made the way
// a release engineer makes one: a catalogue description and a FILES tree, from which
// `catalog build` writes the packets.
#include <string>

namespace orvelin::test {

struct EveryKindSetup {
    static constexpr const wchar_t* kGuid = L"{7D1C5B2A-3E4F-4A6B-9C8D-0E1F2A3B4C5D}";
    static constexpr const wchar_t* kExeName = L"EveryKind.exe";

    // The catalogue description.
    static const wchar_t* Description();

    // Writes setup.ini and the FILES tree into the folder (with trailing backslash). The setup
    // programs are copies of setupProgram and the uninstaller a copy of uninstaller; where one
    // is empty, a small text file stands in for it.
    static void WriteFolder(const std::wstring& folder, const std::wstring& setupProgram = L"",
                            const std::wstring& uninstaller = L"");
};

}  // namespace orvelin::test
