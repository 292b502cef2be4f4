// A dialog program that does nothing but show a dialog: the installer's start-up is measured
// against it showing the installer's own design (taken from the program file given as its
// argument), so that the figure is what the installer adds to its window: its start-up, its
// settings and catalogue, its log. Without an argument it shows a small design of its own.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "BareDialogResource.h"
#include "installer/resource.h"

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_CLOSE) return FALSE;
    EndDialog(dialog, 0);
    return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The same common controls as the installer's window, so their loading counts on both sides.
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    HMODULE design = instance;
    int dialog = IDD_BARE_DIALOG;
    if (__argc > 1) {
        design = LoadLibraryExW(__wargv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
        dialog = IDD_MAIN_INSTALL;
    }
    if (!design) return 1;
    return static_cast<int>(DialogBoxParamW(design, MAKEINTRESOURCEW(dialog), nullptr, DialogProc, 0));
}
