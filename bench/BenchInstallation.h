#pragma once
// Where an install of the generated product lands on this machine, and its removal between
// runs, so that every run starts from the same clean machine.
#include <string>

namespace orvelin::bench {

class BenchInstallation {
public:
    BenchInstallation();

    // With trailing backslash.
    const std::wstring& UninstallFolder() const noexcept { return uninstallFolder_; }
    std::wstring Uninstaller() const;

    // Whatever an install, an uninstall or a killed run left: the application's folder, the
    // uninstall folder, the programs-menu folder and both registry keys.
    void RemoveAll(const std::wstring& applicationFolder) const;

private:
    std::wstring uninstallFolder_;
    std::wstring groupFolder_;
};

}  // namespace orvelin::bench
