#pragma once
// The message loop of a program whose main window is a modeless dialog.
#include <windows.h>

namespace orvelin {

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop(HWND dialog);
// Handles every pending message once. False when the program has been asked to end; the
// request is posted again so that the main loop still sees it.
bool ProcessMessages(HWND dialog);

}  // namespace orvelin
