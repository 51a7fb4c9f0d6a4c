// Clock and median for the benchmarks that time by hand (the Windows ones, without a benchmark
// library): milliseconds from a steady clock, and the median of a set of runs.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

inline double now_ms() {
    using clock = std::chrono::steady_clock;
    return std::chrono::duration<double, std::milli>(clock::now().time_since_epoch()).count();
}

inline double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
