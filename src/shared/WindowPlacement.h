#pragma once
// Creating a main window from its dialog design, and sizing it in pixels.
#include <windows.h>

namespace orvelin {

// Creates the modeless dialog from the Arabic resource module when that module holds the
// design, otherwise from the program itself. `owner` comes back through DialogOwner.
HWND CreateMainDialog(int dialogId, DLGPROC procedure, void* owner);

// The object a dialog procedure belongs to: remembered at WM_INITDIALOG.
template <class T>
T* DialogOwner(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        auto* owner = reinterpret_cast<T*>(lParam);
        owner->AttachWindow(window);
        return owner;
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, DWLP_USER));
}

void SetClientSize(HWND window, int width, int height);
// Takes `pixels` off the window's height (outer and client alike).
void ReduceHeight(HWND window, int pixels);

}  // namespace orvelin
