#pragma once
// The installed application while it runs, as far as the uninstaller can tell: another process
// holding the mutex named by the application GUID (tests/helpers/mutex_holder.cpp).
#include <string>

#include "platform/Handles.h"

namespace orvelin::test {

class RunningApplication {
public:
    // Returns once the other process holds the mutex; throws when it could not be started.
    explicit RunningApplication(const std::wstring& guid);
    ~RunningApplication() { Quit(); }
    RunningApplication(const RunningApplication&) = delete;
    RunningApplication& operator=(const RunningApplication&) = delete;

    // Ends the other process and waits for it.
    void Quit();

private:
    UniqueHandle ready_;
    UniqueHandle quit_;
    UniqueHandle process_;
};

}  // namespace orvelin::test
