#include "installer_tests/RecorderLog.h"

#include <stdexcept>

#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin::test {

RecorderLog::RecorderLog(std::wstring path) : path_(std::move(path)) {
    SetEnvironmentVariableW(L"ORVELIN_RUN_LOG", path_.c_str());
}

RecorderLog::~RecorderLog() { SetEnvironmentVariableW(L"ORVELIN_RUN_LOG", nullptr); }

std::vector<std::wstring> RecorderLog::Events() const {
    std::vector<std::wstring> events;
    if (!FileExists(path_)) return events;
    for (const auto& line : ReadTextFile(path_).lines) {
        if (line.empty()) continue;
        events.push_back(line.substr(0, line.rfind(L' ')));
    }
    return events;
}

std::wstring HelperProgram(const std::wstring& name) {
    return ExtractFilePath(ModuleFilePath()) + name + L".exe";
}

void PlaceRecorderProgram(const std::wstring& path) {
    ForceDirectories(ExtractFilePath(path));
    if (!CopyFileW(HelperProgram(L"run_recorder").c_str(), path.c_str(), FALSE))
        throw std::runtime_error("cannot place the recorder program at " + ToUtf8(path));
}

}  // namespace orvelin::test
