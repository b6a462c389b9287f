// The window probe's figures: how long the updater's window took to answer
// each message. No windows.h: tested natively.
#pragma once

#include <cstddef>
#include <vector>

namespace bench {

struct LatencySummary {
    size_t count = 0;        // messages sent
    double worstMs = 0;      // the longest answer (a message left unanswered counts as its time-out)
    double p99Ms = 0;        // 99th percentile, nearest rank
    size_t unanswered = 0;   // messages that timed out
    size_t over = 0;         // answers slower than the limit
};

// Summarises answer times in milliseconds; unanswered: how many of them are
// time-outs; limitMs: the goal an answer must meet.
LatencySummary Summarize(std::vector<double> latenciesMs, size_t unanswered, double limitMs);

}  // namespace bench
