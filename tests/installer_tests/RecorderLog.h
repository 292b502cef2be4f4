#pragma once
// The log that the run_recorder helper programs append to, and copies of that helper placed
// where a catalogue expects setup programs.
#include <windows.h>

#include <string>
#include <vector>

namespace orvelin::test {

// Points the recorder programs started by this process (through the inherited environment)
// at a log file of the scratch folder, for the owner's lifetime.
class RecorderLog {
public:
    explicit RecorderLog(std::wstring path);
    ~RecorderLog();
    RecorderLog(const RecorderLog&) = delete;
    RecorderLog& operator=(const RecorderLog&) = delete;

    // "start <program>" and "end <program>" in the order written, without the ticks.
    std::vector<std::wstring> Events() const;

private:
    std::wstring path_;
};

// Copies the recorder helper to the path; its file name is what it writes to the log.
void PlaceRecorderProgram(const std::wstring& path);
// A helper program built beside the test programs.
std::wstring HelperProgram(const std::wstring& name);

}  // namespace orvelin::test
