// Processor time and the spread of a set of timings, for the tables the level
// benchmarks print.
#pragma once

#include <algorithm>
#include <cstddef>
#include <ctime>
#include <limits>
#include <vector>

namespace zk::bench {

// The processor time of the whole process (every thread), in milliseconds.
inline double ProcessorMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Spread {
    double median = 0, p90 = 0, p99 = 0, slowest = 0, total = 0;
    std::size_t within = 0; // how many took at most the limit
};

inline Spread SpreadOf(std::vector<double> ms,
                       double limit = std::numeric_limits<double>::infinity()) {
    Spread s;
    if (ms.empty()) {
        return s;
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) {
        return ms[std::min(ms.size() - 1,
                           static_cast<std::size_t>(q * static_cast<double>(ms.size())))];
    };
    s.median = at(0.5);
    s.p90 = at(0.9);
    s.p99 = at(0.99);
    s.slowest = ms.back();
    for (const double v : ms) {
        s.total += v;
        s.within += v <= limit ? 1 : 0;
    }
    return s;
}

} // namespace zk::bench
