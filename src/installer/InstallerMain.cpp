// install.exe: the shared start-up, then the installer window until it closes.
#include <windows.h>

#include "installer/InstallerWindow.h"
#include "ui/ProgramEntry.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return orvelin::RunProgram([](orvelin::Startup& startup) { return orvelin::InstallerWindow(startup).Run(); });
}
