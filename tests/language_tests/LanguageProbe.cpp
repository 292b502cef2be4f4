#include "LanguageProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/TextFile.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin::test {

namespace {

constexpr auto ProbeTimeout = std::chrono::seconds(60);

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring EnvironmentVariable(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

// The current environment with one variable set, as a Unicode environment block.
std::wstring EnvironmentBlockWith(const std::wstring& name, const std::wstring& value) {
    std::vector<std::wstring> entries;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
        const std::wstring text(entry);
        if (!EqualsIgnoreCase(text.substr(0, text.find(L'=', 1)), name)) entries.push_back(text);
    }
    FreeEnvironmentStringsW(strings);
    entries.push_back(name + L"=" + value);
    std::sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    });
    std::wstring block;
    for (const auto& entry : entries) block += entry + L'\0';
    return block + L'\0';
}

bool StartAndWait(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        ADD_FAILURE() << "cannot start the language probe, error " << GetLastError();
        return false;
    }
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    if (WaitForSingleObject(process.Get(), static_cast<DWORD>(ProbeTimeout / std::chrono::milliseconds(1))) ==
        WAIT_OBJECT_0)
        return true;
    TerminateProcess(process.Get(), 1);
    ADD_FAILURE() << "the language probe did not end";
    return false;
}

// Wine gives a process the user locale that LC_ALL names in its Unix environment, and a
// Windows child inherits the Unix environment of its parent: the block passed to
// CreateProcessW reaches only the child's Windows side. A Unix program started by
// CreateProcessW does get the block as its Unix environment, so the probe is started
// through /usr/bin/env and Wine's own loader. Its result file tells when it has ended.
bool StartUnderUnixLocale(const std::wstring& probeArguments, const std::wstring& unixLocale,
                          const std::wstring& resultFile) {
    const std::wstring loader = EnvironmentVariable(L"WINELOADER");
    if (loader.empty()) {
        ADD_FAILURE() << "no Wine loader to start a program under another user locale";
        return false;
    }
    const std::wstring env = L"Z:\\usr\\bin\\env";
    std::wstring commandLine = Quoted(env) + L" " + Quoted(loader) + L" " + probeArguments;
    std::wstring block = EnvironmentBlockWith(L"LC_ALL", unixLocale);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(env.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        block.data(), nullptr, &startup, &started)) {
        ADD_FAILURE() << "cannot start " << ToUtf8(env) << ", error " << GetLastError();
        return false;
    }
    // Unix programs come without handles; close whatever there is.
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    const auto deadline = std::chrono::steady_clock::now() + ProbeTimeout;
    while (!FileExists(resultFile)) {
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "the language probe wrote no result under " << ToUtf8(unixLocale);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

}  // namespace

std::wstring ProbeReport::operator[](const std::wstring& name) const {
    const auto found = values.find(name);
    return found == values.end() ? L"" : found->second;
}

std::vector<std::wstring> ProbeReport::All(const std::wstring& name) const {
    std::vector<std::wstring> result;
    const auto [first, last] = values.equal_range(name);
    for (auto it = first; it != last; ++it) result.push_back(it->second);
    return result;
}

std::wstring TestBinFolder() { return ExtractFilePath(ModuleFilePath()); }

ProbeReport RunLanguageProbe(const std::wstring& folder, bool forceArabic, const std::wstring& unixLocale) {
    const std::wstring resultFile = folder + L"probe-result.txt";
    const std::wstring probeArguments = Quoted(TestBinFolder() + L"language_probe.exe") + L" " + Quoted(resultFile) +
                                        L" " + Quoted(ExcludeTrailingBackslash(folder)) +
                                        (forceArabic ? L" arabic" : L"");
    ProbeReport report;
    const bool ended = unixLocale.empty() ? StartAndWait(probeArguments)
                                          : StartUnderUnixLocale(probeArguments, unixLocale, resultFile);
    if (!ended) return report;
    if (!FileExists(resultFile)) {
        ADD_FAILURE() << "the language probe wrote no result";
        return report;
    }
    for (const auto& line : ReadTextFile(resultFile).lines) {
        const size_t equals = line.find(L'=');
        if (equals != std::wstring::npos) report.values.emplace(line.substr(0, equals), line.substr(equals + 1));
    }
    return report;
}

}  // namespace orvelin::test
