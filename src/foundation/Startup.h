#pragma once
// The shared start-up of both programs, in its order: the application environment (folders,
// key, error log), then the setup file, then the interface language. Shut down in reverse
// order after the last window is gone. One per program, handed to what needs it.
#include "foundation/AppEnvironment.h"
#include "foundation/InterfaceLanguage.h"
#include "foundation/SetupIni.h"

namespace orvelin {

class Startup {
public:
    explicit Startup(DevelopmentModeProbe developmentMode = DevelopmentEnvironmentRunning);
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    const AppFolders& Folders() const noexcept { return environment_.Folders(); }
    const SetupIni& Setup() const noexcept { return setup_; }
    InterfaceLanguage& Language() noexcept { return language_; }
    const InterfaceLanguage& Language() const noexcept { return language_; }
    bool DevelopmentMode() const { return developmentMode_(); }

private:
    DevelopmentModeProbe developmentMode_;
    AppEnvironment environment_;
    SetupIni setup_;
    InterfaceLanguage language_;
};

}  // namespace orvelin
