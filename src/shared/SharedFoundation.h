#pragma once
// The one owner of the shared start-up order: the application environment (folders, key,
// error log), then the setup file, then the interface language. Destroyed in reverse order
// after the last window is gone. One per program.
#include "shared/GenUtil.h"
#include "shared/Globals.h"
#include "shared/ToggleLanguage.h"

namespace orvelin {

class SharedFoundation {
public:
    SharedFoundation();
    ~SharedFoundation();
    SharedFoundation(const SharedFoundation&) = delete;
    SharedFoundation& operator=(const SharedFoundation&) = delete;

    const AppEnvironment& Environment() const noexcept { return environment_; }
    const SetupConfig& Setup() const noexcept { return setup_; }
    const Language& Lang() const noexcept { return language_; }

    // The running program's foundation; throws when none has started.
    static const SharedFoundation& Current();

private:
    AppEnvironment environment_;
    SetupConfig setup_;
    Language language_;
};

}  // namespace orvelin
