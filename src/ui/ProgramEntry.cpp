#include "ui/ProgramEntry.h"

#include <commctrl.h>

#include "platform/Error.h"
#include "platform/Handles.h"
#include "ui/MessageBoxes.h"

namespace orvelin {

int RunProgram(const std::function<int(Startup&)>& runWindow) {
    const ComApartment com;
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    try {
        Startup startup;
        // Inside the development environment the window comes up without settings.
        if (!startup.Setup().Found() && !startup.DevelopmentMode()) {
            ShowMessageBox(nullptr, L"shutting down: setup.ini file was not found");
            return 0;
        }
        return runWindow(startup);
    } catch (const std::exception& e) {
        ShowErrorBox(nullptr, ErrorText(e));
        return 1;
    }
}

}  // namespace orvelin
