#pragma once
// Reading back a program's log.
#include <string>
#include <vector>

namespace orvelin::test {

// The log's events in order, each line without its leading date and time.
std::vector<std::wstring> LogEvents(const std::wstring& logFile);
// Whether some event begins with the text.
bool HasEventStartingWith(const std::vector<std::wstring>& events, const std::wstring& text);

}  // namespace orvelin::test
