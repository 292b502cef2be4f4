#pragma once
// Saves what a window shows on the screen as a PNG file (Windows Imaging Component), so that
// screenshots need nothing beyond the programs' own platform.
#include <windows.h>

#include <string>

namespace orvelin::test {

// The window's outer rectangle as the screen shows it, brought to the top first. COM must be
// initialised on the calling thread. Throws when the image cannot be taken or written.
void CaptureWindowPng(HWND window, const std::wstring& pngFile);

}  // namespace orvelin::test
