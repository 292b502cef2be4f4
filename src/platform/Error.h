#pragma once
// The failure convention of both programs: an operation that cannot go on throws Error with
// the message text; each top level catches it once and reports it.
#include <windows.h>

#include <exception>
#include <string>

namespace orvelin {

class Error : public std::exception {
public:
    explicit Error(std::wstring text);
    const std::wstring& Text() const noexcept { return text_; }
    // UTF-8 copy of the text, so test frameworks and logs can print it.
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    std::wstring text_;
    std::string utf8_;
};

// "System Error.  Code: %d.\r\n%s" with the system's description of the code
// ("A call to an OS function failed" for code 0).
std::wstring SystemErrorMessage(DWORD code);

// The system's own description of an error code, without trailing blanks, line breaks and
// full stops; empty when the system has none.
std::wstring SystemErrorText(DWORD code);

[[noreturn]] void RaiseLastOSError(DWORD code = GetLastError());

// The text of any exception, as the programs report it.
std::wstring ErrorText(const std::exception& error);

}  // namespace orvelin
