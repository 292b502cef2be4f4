#include "support/LogFile.h"

#include <algorithm>

#include "platform/TextFile.h"

namespace orvelin::test {

namespace {
// "yyyy-mm-dd hh:mm:ss.mmm" and two blanks.
constexpr size_t kStampLength = 25;
}  // namespace

std::vector<std::wstring> LogEvents(const std::wstring& logFile) {
    std::vector<std::wstring> events;
    for (const auto& line : ReadTextFile(logFile).lines)
        events.push_back(line.size() >= kStampLength ? line.substr(kStampLength) : line);
    return events;
}

bool HasEventStartingWith(const std::vector<std::wstring>& events, const std::wstring& text) {
    return std::any_of(events.begin(), events.end(), [&](const std::wstring& event) { return event.starts_with(text); });
}

}  // namespace orvelin::test
