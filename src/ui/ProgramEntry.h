#pragma once
// What either program's entry point does around its window: COM and the common controls for
// the thread, the shared start-up, the end of a program started without its setup.ini, and the
// report of an error that nothing else caught.
#include <functional>

#include "foundation/Startup.h"

namespace orvelin {

// runWindow creates the program's window and runs it; its answer is the exit code.
int RunProgram(const std::function<int(Startup&)>& runWindow);

}  // namespace orvelin
