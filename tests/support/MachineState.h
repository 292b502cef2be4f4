#pragma once
// What a run may change on the machine, captured to compare before and after: every file below
// the given folders (with its bytes and attributes), every folder, and every value below the
// given HKEY_LOCAL_MACHINE keys. Two captures compare equal when nothing of that changed.
#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace orvelin::test {

struct MachineState {
    std::map<std::wstring, std::string> files;      // upper-cased path -> attributes and bytes
    std::set<std::wstring> folders;                 // upper-cased paths
    std::map<std::wstring, std::wstring> registry;  // "key\name" -> type and data

    // folders: roots to walk (missing ones are recorded as missing); keys: under HKEY_LOCAL_MACHINE.
    static MachineState Capture(const std::vector<std::wstring>& folders, const std::vector<std::wstring>& keys);

    bool operator==(const MachineState&) const = default;
};

// The differences, one per line, for a failed comparison.
std::string Differences(const MachineState& before, const MachineState& after);

}  // namespace orvelin::test
