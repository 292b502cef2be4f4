// uninstall.exe: the shared start-up, then the one window until it closes.
#include <windows.h>
#include <commctrl.h>

#include "shared/Error.h"
#include "shared/Handles.h"
#include "shared/SharedFoundation.h"
#include "uninstaller/UnInstallMainForm.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    orvelin::ComApartment com;
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    try {
        orvelin::SharedFoundation foundation;
        orvelin::TfmUninstallMain window;
        return window.Run();
    } catch (const std::exception& e) {
        orvelin::ShowErrorBox(nullptr, orvelin::ErrorText(e));
        return 1;
    }
}
