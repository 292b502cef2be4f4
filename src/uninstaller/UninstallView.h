#pragma once
// What the uninstall run needs from the uninstaller window beyond any run's needs.
#include <string>

#include "shared/RunView.h"

namespace orvelin {

class UninstallView : public RunView {
public:
    virtual std::wstring GuidId() const = 0;     // edGuidId
    virtual bool RemoveFiles() const = 0;        // cbRemove
    virtual void CloseWindow() = 0;              // the main window closing ends the program
};

}  // namespace orvelin
