// Apart from the installer's: both programs' resource headers use the same names.
#include "DesignedWindow.h"
#include "uninstaller/UninstallerWindow.h"
#include "uninstaller/resource.h"

namespace orvelin::test {

WindowExpectation UninstallerWindowExpectation() {
    // 325 x 269 less the 30 pixels cut off; the GUID and name boxes are read-only (disabled).
    return {&UninstallerWindow::Design(), L"uninstall.exe", {325, 239}, IDC_BANNER, IDC_REMOVE,
            {IDC_REMOVE, IDC_START, IDC_PROGRESS}};
}

}  // namespace orvelin::test
