#include "LatencyStats.h"

#include <algorithm>

namespace bench {

LatencySummary Summarize(std::vector<double> latenciesMs, size_t unanswered, double limitMs) {
    LatencySummary summary;
    summary.count = latenciesMs.size();
    summary.unanswered = unanswered;
    if (latenciesMs.empty()) return summary;
    std::sort(latenciesMs.begin(), latenciesMs.end());
    summary.worstMs = latenciesMs.back();
    // Nearest rank: the smallest value that at least 99 % of the answers do not exceed.
    const size_t rank = (latenciesMs.size() * 99 + 99) / 100;
    summary.p99Ms = latenciesMs[rank - 1];
    summary.over = size_t(latenciesMs.end() - std::upper_bound(latenciesMs.begin(), latenciesMs.end(), limitMs));
    return summary;
}

}  // namespace bench
