#pragma once
// The exit codes of both programs, in every mode: the numbers deployment tools already read
// from Windows installers.
#include <exception>
#include <string>

#include "platform/Error.h"

namespace orvelin {

enum ExitCode : int {
    kSucceeded = 0,
    kCancelled = 1602,          // the person gave up, or said No
    kFailed = 1603,             // the run failed; the message and the log say why
    kNotInstalled = 1605,       // uninstall: no Uninstall key for the GUID
    kAnotherRunActive = 1618,   // another install or uninstall of this product is running
    kAlreadyInstalled = 1638,   // install: the product's Uninstall key exists
    kBadCommandLine = 1639,
};

// An error that ends the program with an exit code of its own rather than kFailed.
class RunRefusal : public Error {
public:
    RunRefusal(std::wstring text, ExitCode code) : Error(std::move(text)), code_(code) {}
    ExitCode Code() const noexcept { return code_; }

private:
    ExitCode code_;
};

inline ExitCode ExitCodeOf(const std::exception& error) {
    const auto* refusal = dynamic_cast<const RunRefusal*>(&error);
    return refusal ? refusal->Code() : kFailed;
}

}  // namespace orvelin
