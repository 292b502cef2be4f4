// Apart from the uninstaller's: both programs' resource headers use the same names.
#include "DesignedWindow.h"
#include "installer/InstallerWindow.h"
#include "installer/resource.h"

namespace orvelin::test {

WindowExpectation InstallerWindowExpectation() {
    // The GUID and name boxes are read-only (disabled), the database choice hidden until the
    // setup offers one.
    return {&InstallerWindow::Design(), L"install.exe", {344, 252}, IDC_BANNER, IDC_ADD_SHORTCUT,
            {IDC_ADD_SHORTCUT, IDC_SHORTCUT_NAME, IDC_INSTALL, IDC_EXIT}};
}

}  // namespace orvelin::test
