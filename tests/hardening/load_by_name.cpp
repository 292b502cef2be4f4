// The control of the planting test: a program that loads each DLL named on its command line
// (blank-separated) by name, with Windows' default search (its own folder first), as a program
// that does not restrict the search would. It imports nothing but kernel32. Exit code: how
// many of them could not be loaded.
#include <windows.h>

extern "C" void WINAPI LoadByNameEntry() {
    wchar_t* cursor = GetCommandLineW();
    // Past the program's own (possibly quoted) name.
    const wchar_t end = *cursor == L'"' ? L'"' : L' ';
    if (*cursor == L'"') ++cursor;
    while (*cursor && *cursor != end) ++cursor;
    if (*cursor) ++cursor;
    UINT failed = 0;
    while (*cursor) {
        while (*cursor == L' ') ++cursor;
        wchar_t* name = cursor;
        while (*cursor && *cursor != L' ') ++cursor;
        if (cursor == name) break;
        const bool last = *cursor == 0;
        *cursor = 0;
        if (!LoadLibraryW(name)) ++failed;
        if (!last) ++cursor;
    }
    ExitProcess(failed);
}
