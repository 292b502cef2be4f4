#pragma once
// A program's window opened in this test program from the program's own design and resource
// module, sized and cut as the program does it, without the run behind it; and what the tests
// expect of each of the programs' windows.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/MainDialog.h"

namespace orvelin::test {

class DesignedWindow final : public DialogWindow {
public:
    // resources: the program file or its Arabic module, loaded as data.
    DesignedWindow(const DialogDesign& design, HMODULE resources) : DialogWindow(design, resources) {}

    using DialogWindow::ControlText;
    using DialogWindow::Open;
    using DialogWindow::SetReadingOrder;
    using DialogWindow::SetStatusText;
    using DialogWindow::ShowPendingStatus;
    using DialogWindow::Window;

private:
    void OnShow() override {}
    void OnCommand(int) override {}
};

// One program's window as a user meets it.
struct WindowExpectation {
    const DialogDesign* design;
    std::wstring program;   // the program file, beside this test program
    SIZE clientAt96Dpi;     // the client area as shown, at 96 DPI
    int bannerId;
    int firstFocusId;
    std::vector<int> tabOrder;   // from the first focused control round to it again
};

WindowExpectation InstallerWindowExpectation();
WindowExpectation UninstallerWindowExpectation();

}  // namespace orvelin::test
