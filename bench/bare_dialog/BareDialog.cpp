// A dialog program that does nothing but show its window: the installer's start-up is measured
// against it, started the same way, so that what Wine costs any program is set aside.
#include <windows.h>
#include <commctrl.h>

#include "BareDialogResource.h"

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_CLOSE) return FALSE;
    EndDialog(dialog, 0);
    return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The same common controls as the installer's window, so their loading counts on both sides.
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    return static_cast<int>(DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_BARE_DIALOG), nullptr, DialogProc, 0));
}
