#include "foundation/Startup.h"

#include "platform/FileSystem.h"

namespace orvelin {

Startup::Startup(DevelopmentModeProbe developmentMode)
    : developmentMode_(std::move(developmentMode)),
      environment_(ModuleFilePath(), developmentMode_),
      setup_(environment_.Folders().ExePath),
      language_(environment_.Folders(), UserInterfaceLanguage(), ModuleFilePath(), developmentMode_) {}

}  // namespace orvelin
