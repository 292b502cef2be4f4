#include "ui/MessageLoop.h"

namespace orvelin {

namespace {
void Dispatch(HWND dialog, MSG& message) {
    if (dialog && IsWindow(dialog) && IsDialogMessageW(dialog, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}
}  // namespace

int RunMessageLoop(HWND dialog) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(dialog, message);
    return static_cast<int>(message.wParam);
}

bool ProcessMessages(HWND dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        Dispatch(dialog, message);
    }
    return true;
}

}  // namespace orvelin
