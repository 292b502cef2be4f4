// Runs the interface-language start-up in a process of its own and writes what it saw, one
// "name=value" per line, to a result file (UTF-8):
//   language_probe.exe RESULT FOLDER [arabic]
// FOLDER serves as Bin and Temp folder and holds the program file name "probe.exe" whose
// Arabic resource module is looked for. Without "arabic" the user's locale decides.
// Each line of FOLDER\texts.txt is translated; results are written between '[' and ']'.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "foundation/InterfaceLanguage.h"

using namespace orvelin;

namespace {

constexpr UINT ProbeStringId = 1;

std::wstring Hex(DWORD value) {
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%04lX", static_cast<unsigned long>(value));
    return text;
}

DWORD ProcessLayout() {
    DWORD layout = 0;
    return GetProcessDefaultLayout(&layout) ? layout : 0xFFFFFFFF;
}

// A top-level window created now: does it follow a right-to-left default layout?
bool NewWindowIsMirrored() {
    HWND window = CreateWindowExW(0, L"STATIC", L"probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    const bool mirrored = window && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    if (window) DestroyWindow(window);
    return mirrored;
}

std::wstring ResourceString(HMODULE module) {
    if (!module) return L"";
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, ProbeStringId, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : L"";
}

void Probe(const std::wstring& folder, bool forceArabic, std::vector<std::wstring>& report) {
    const LCID user = GetUserDefaultLCID();
    report.push_back(L"userLcid=" + Hex(user));
    report.push_back(L"languageName=" + GetLocaleText(user, LOCALE_SLANGUAGE));
    const UiLanguage decided = UserInterfaceLanguage();
    report.push_back(std::wstring(L"decision=") + (decided == UiLanguage::Arabic ? L"Arabic" : L"English"));

    AppFolders folders;
    folders.BinDir = folders.TempDir = folder;
    {
        InterfaceLanguage language(folders, forceArabic ? UiLanguage::Arabic : decided, folder + L"probe.exe",
                                   [] { return false; });
        report.push_back(std::wstring(L"isArabic=") + (language.IsArabic() ? L"1" : L"0"));
        report.push_back(std::wstring(L"resourceModule=") + (language.ResourceModule() ? L"1" : L"0"));
        report.push_back(L"resourceString=" + ResourceString(language.ResourceModule()));
        report.push_back(L"processLayout=" + Hex(ProcessLayout()));
        report.push_back(std::wstring(L"newWindowMirrored=") + (NewWindowIsMirrored() ? L"1" : L"0"));
        if (FileExists(folder + L"texts.txt")) {
            for (const auto& text : ReadTextFile(folder + L"texts.txt").lines) {
                report.push_back(L"translate=[" + language.Translate()(text) + L"]");
            }
        }
    }
    report.push_back(L"layoutAfter=" + Hex(ProcessLayout()));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 3) return 2;
    const std::wstring resultFile = arguments[1];
    const std::wstring folder = IncludeTrailingBackslash(arguments[2]);
    const bool forceArabic = count > 3 && std::wstring(arguments[3]) == L"arabic";
    LocalFree(arguments);

    std::vector<std::wstring> report;
    int exitCode = 0;
    try {
        Probe(folder, forceArabic, report);
    } catch (const Error& e) {
        report.push_back(L"error=" + e.Text());
        exitCode = 1;
    } catch (const std::exception& e) {
        report.push_back(L"error=" + FromUtf8(e.what()));
        exitCode = 1;
    }
    // Complete or not there at all, for a reader polling for it.
    const std::wstring partial = resultFile + L".part";
    WriteTextFile(partial, report, TextEncoding::Utf8Bom);
    MoveFileExW(partial.c_str(), resultFile.c_str(), MOVEFILE_REPLACE_EXISTING);
    return exitCode;
}
