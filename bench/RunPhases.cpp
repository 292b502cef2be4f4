#include "RunPhases.h"

#include <windows.h>

#include <cwchar>
#include <optional>

#include "platform/TextFile.h"

namespace orvelin::bench {

namespace {

// RunLog's lines begin "yyyy-mm-dd hh:mm:ss.mmm  ".
constexpr size_t kStampLength = 23;
constexpr size_t kTextStart = kStampLength + 2;

struct Stamped {
    double milliseconds;
    std::wstring text;
};

std::optional<Stamped> ParseLine(const std::wstring& line) {
    unsigned year, month, day, hour, minute, second, millisecond;
    if (line.size() < kTextStart ||
        std::swscanf(line.c_str(), L"%4u-%2u-%2u %2u:%2u:%2u.%3u", &year, &month, &day, &hour, &minute, &second,
                     &millisecond) != 7)
        return std::nullopt;
    const SYSTEMTIME time{static_cast<WORD>(year), static_cast<WORD>(month), 0, static_cast<WORD>(day), static_cast<WORD>(hour),
            static_cast<WORD>(minute), static_cast<WORD>(second), static_cast<WORD>(millisecond)};
    FILETIME file;
    if (!SystemTimeToFileTime(&time, &file)) return std::nullopt;
    const double ticks = static_cast<double>((static_cast<unsigned long long>(file.dwHighDateTime) << 32) | file.dwLowDateTime);
    return Stamped{ticks / 10000.0, line.substr(kTextStart)};
}

}  // namespace

std::string DescribePhases(const std::wstring& logFile, double measuredMilliseconds, const std::vector<Phase>& phases) {
    std::vector<Stamped> lines;
    for (const auto& line : ReadTextFile(logFile).lines)
        if (auto stamped = ParseLine(line)) lines.push_back(std::move(*stamped));
    if (lines.empty()) return "no time stamps in the log";

    std::string text;
    size_t from = 0;
    for (const Phase& phase : phases) {
        size_t to = lines.size() - 1;
        if (!phase.endMark.empty()) {
            to = from;
            while (to < lines.size() && !lines[to].text.starts_with(phase.endMark)) ++to;
        }
        if (!text.empty()) text += ' ';
        text += phase.name;
        text += "_ms=";
        if (to == lines.size()) {
            text += "?";
            continue;
        }
        text += std::to_string(static_cast<long>(lines[to].milliseconds - lines[from].milliseconds + 0.5));
        from = to;
    }
    const double logged = lines.back().milliseconds - lines.front().milliseconds;
    return text + " outside_log_ms=" + std::to_string(static_cast<long>(measuredMilliseconds - logged + 0.5));
}

}  // namespace orvelin::bench
