#pragma once
// Where a program's run spent its time, read from the time stamps of its log: each phase
// lasts from the line that ends the one before it to the first line that begins with the
// phase's end mark. What the log cannot see (process start and exit) is the rest of the time
// measured from outside.
#include <string>
#include <vector>

namespace orvelin::bench {

struct Phase {
    const char* name;
    std::wstring endMark;   // empty: the phase lasts to the log's last line
};

// "name_ms=N ... outside_log_ms=N"; a phase whose end mark is missing shows as "name_ms=?".
std::string DescribePhases(const std::wstring& logFile, double measuredMilliseconds, const std::vector<Phase>& phases);

}  // namespace orvelin::bench
