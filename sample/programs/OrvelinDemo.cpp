// OrvelinDemo.exe: the sample application that the sample setup folder installs. While it runs
// it holds the mutex named by its application GUID, which is how the uninstaller tells that it
// is running, and it keeps its per-user settings key as every Orvelin program does. Closing its
// window (or WM_CLOSE) ends it.
#include <windows.h>

#include <string>

#include "contract/InstallContract.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#ifndef ORVELIN_SAMPLE_GUID
#error "ORVELIN_SAMPLE_GUID must name the application GUID of the sample setup"
#endif

namespace {

constexpr const wchar_t* WindowClass = L"OrvelinDemoWindow";
constexpr const wchar_t* Caption = L"Orvelin Demo";

// HKEY_CURRENT_USER\Software\ORVELIN\<program name>, as the shared start-up of the real
// application creates it; the uninstaller removes it.
orvelin::UniqueRegKey OpenSettingsKey(const std::wstring& baseName) {
    orvelin::UniqueRegKey key;
    const std::wstring path = orvelin::ProgramSettingsKeyPath(baseName);
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Put(), nullptr) !=
        ERROR_SUCCESS)
        key.Release();
    return key;
}

void RecordStart(HKEY settings) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[32];
    wsprintfW(text, L"%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
              now.wSecond);
    RegSetValueExW(settings, L"LastStarted", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t)));
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateMainWindow(HINSTANCE instance, const std::wstring& programPath) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = WindowClass;
    if (!RegisterClassExW(&windowClass)) return nullptr;

    const HWND window = CreateWindowExW(0, WindowClass, Caption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                        CW_USEDEFAULT, CW_USEDEFAULT, 420, 160, nullptr, nullptr, instance, nullptr);
    if (!window) return nullptr;
    const std::wstring text = L"Orvelin Demo is running.\nClose this window to end it.\n\n" + programPath;
    CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 12, 12, 390, 100, window, nullptr,
                    instance, nullptr);
    SendMessageW(GetWindow(window, GW_CHILD), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return window;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    // Held until the program ends: the uninstaller refuses to run meanwhile.
    const orvelin::UniqueHandle running(CreateMutexW(nullptr, FALSE, ORVELIN_SAMPLE_GUID));
    if (!running) return 1;

    const std::wstring programPath = orvelin::ModuleFilePath();
    const auto settings = OpenSettingsKey(orvelin::ChangeFileExt(orvelin::ExtractFileName(programPath), L""));
    if (settings) RecordStart(settings.Get());

    const HWND window = CreateMainWindow(instance, programPath);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
