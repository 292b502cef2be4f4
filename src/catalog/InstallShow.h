#pragma once
// `catalog show`: a setup package's install as the install run walks it, in the words of a
// catalogue description: each application in install order, each location and folder with its
// destination on this Windows and on Windows XP, each file, each setup program offered to run.
#include <string>

#include "installer/SetupPackage.h"
#include "platform/WindowsPlatform.h"

namespace orvelin {

// Lines end with CR LF.
std::wstring ShowInstall(SetupPackage& package, const WindowsPlatform& here);

}  // namespace orvelin
