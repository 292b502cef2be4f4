// install.exe: the shared start-up, then the install, through its window or not.
#include <windows.h>

#include "installer/Installer.h"
#include "ui/ProgramEntry.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return orvelin::RunProgram({orvelin::InstallOptions(), orvelin::RunInstaller});
}
