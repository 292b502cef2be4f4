// uninstall.exe: the shared start-up, then the uninstaller window until it closes.
#include <windows.h>

#include "ui/ProgramEntry.h"
#include "uninstaller/UninstallerWindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return orvelin::RunProgram([](orvelin::Startup& startup) { return orvelin::UninstallerWindow(startup).Run(); });
}
