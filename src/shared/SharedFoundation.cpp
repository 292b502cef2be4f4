#include "shared/SharedFoundation.h"

#include <stdexcept>

#include "shared/FileSystem.h"

namespace orvelin {

namespace {
const SharedFoundation* current = nullptr;
}

SharedFoundation::SharedFoundation()
    : environment_(ModuleFilePath()), setup_(environment_.Folders().ExePath), language_(environment_.Folders()) {
    SetCurrentLanguage(&language_);
    current = this;
}

SharedFoundation::~SharedFoundation() {
    current = nullptr;
    SetCurrentLanguage(nullptr);
}

const SharedFoundation& SharedFoundation::Current() {
    if (!current) throw std::logic_error("the shared start-up has not run");
    return *current;
}

const AppFolders& Folders() { return SharedFoundation::Current().Environment().Folders(); }
const IniFile& SetupIni() { return SharedFoundation::Current().Setup().Ini(); }
bool SetupIniFound() { return SharedFoundation::Current().Setup().Found(); }
bool IsArabic() {
    const Language* language = CurrentLanguage();
    return language && language->IsArabic();
}

}  // namespace orvelin
