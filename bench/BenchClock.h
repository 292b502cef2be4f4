#pragma once
// Wall-clock figures: one timed action, the runs of a figure, of which the best is the run
// least disturbed by whatever else the machine was doing, and the ratio of two figures.
#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace orvelin::bench {

inline double Milliseconds(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

class RunTimes {
public:
    // A note on the run (where its time went) is kept when the run is the best so far.
    void Add(double milliseconds, std::string note = {}) {
        if (runs_.empty() || milliseconds < Best()) bestNote_ = std::move(note);
        runs_.push_back(milliseconds);
    }
    double Best() const { return runs_.empty() ? 0 : *std::min_element(runs_.begin(), runs_.end()); }
    const std::string& BestNote() const noexcept { return bestNote_; }
    const std::vector<double>& Runs() const noexcept { return runs_; }
    // "812 790 801": every run, in order.
    std::string Listed() const {
        std::string text;
        for (const double run : runs_) {
            if (!text.empty()) text += ' ';
            text += std::to_string(static_cast<long>(run + 0.5));
        }
        return text;
    }

private:
    std::vector<double> runs_;
    std::string bestNote_;
};

// Two figures measured in pairs, one run of each side by side: each pair's ratio, and their
// median, which whatever else slows the machine for a while moves far less than the best runs.
struct PairedRatio {
    std::vector<double> ratios;
    double median = 0;
};

inline PairedRatio PairRuns(const RunTimes& measured, const RunTimes& against) {
    PairedRatio result;
    const size_t pairs = std::min(measured.Runs().size(), against.Runs().size());
    for (size_t i = 0; i < pairs; ++i) result.ratios.push_back(measured.Runs()[i] / against.Runs()[i]);
    if (pairs == 0) return result;
    std::vector<double> sorted = result.ratios;
    std::sort(sorted.begin(), sorted.end());
    result.median = pairs % 2 ? sorted[pairs / 2] : (sorted[pairs / 2 - 1] + sorted[pairs / 2]) / 2;
    return result;
}

}  // namespace orvelin::bench
