#pragma once
// Runs tests/helpers/language_probe.cpp in a process of its own, so that a right-to-left
// switch or another user locale never touches the test program, and reads back what it saw.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace orvelin::test {

struct ProbeReport {
    std::multimap<std::wstring, std::wstring> values;

    // The first value of that name; empty when there is none.
    std::wstring operator[](const std::wstring& name) const;
    std::vector<std::wstring> All(const std::wstring& name) const;
};

// folder: a scratch folder (trailing backslash) used as the probe's Bin and Temp folder.
// unixLocale: when not empty, the user locale the probe runs under, as Wine names it after
// the Unix locale (for example "ar_SA.UTF-8").
ProbeReport RunLanguageProbe(const std::wstring& folder, bool forceArabic, const std::wstring& unixLocale = L"");

// The folder of the test program, where the helper programs are built too.
std::wstring TestBinFolder();

}  // namespace orvelin::test
