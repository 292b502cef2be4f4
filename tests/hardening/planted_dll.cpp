// A DLL planted under a system DLL's name: when any process loads it, it appends its own path
// to the file ORVELIN_PLANTED_LOG names, then refuses to load, so the process goes on with the
// real one (or fails to start). It imports nothing but kernel32, which cannot be planted, so
// that it never loads another planted DLL itself.
#include <windows.h>

extern "C" BOOL WINAPI PlantedEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t log[MAX_PATH];
    wchar_t self[MAX_PATH];
    const DWORD logLength = GetEnvironmentVariableW(L"ORVELIN_PLANTED_LOG", log, MAX_PATH);
    const DWORD selfLength = GetModuleFileNameW(instance, self, MAX_PATH);
    if (logLength == 0 || logLength >= MAX_PATH || selfLength == 0 || selfLength >= MAX_PATH) return FALSE;
    const HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    self[selfLength] = L'\n';
    DWORD written = 0;
    WriteFile(file, self, (selfLength + 1) * sizeof(wchar_t), &written, nullptr);
    CloseHandle(file);
    return FALSE;
}
