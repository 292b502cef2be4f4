#pragma once
// The programs measured from outside, as a person or a deployment tool starts them: the time
// from CreateProcess until the program has ended, or until its window is on the screen.
#include <windows.h>

#include <string>

namespace orvelin::bench {

// Starts the program in its own folder and waits until it ends. Throws when it ends with
// another exit code than 0.
double MillisecondsToEnd(const std::wstring& program, const std::wstring& arguments);

// Starts the program in its own folder and waits until a top-level window of it is visible;
// then closes that window (WM_CLOSE) and waits until the program has ended. Throws when the
// window is a message box: the program did not come up plainly.
double MillisecondsToWindow(const std::wstring& program, const std::wstring& arguments);

}  // namespace orvelin::bench
