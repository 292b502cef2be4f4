// uninstall.exe: the shared start-up, then the uninstall, through its window or not.
#include <windows.h>

#include "ui/ProgramEntry.h"
#include "uninstaller/Uninstaller.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return orvelin::RunProgram({orvelin::UninstallOptions(), orvelin::RunUninstaller});
}
