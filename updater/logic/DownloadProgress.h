// The progress that the download worker reports to the window.
#pragma once

#include <cstdint>

namespace vantor {

// received * 100 / total in floating point, truncated toward zero. Both counts
// are taken as unsigned 32-bit numbers, so a package over 2 GiB still counts
// up from 0; 0 when total is 0. At most 100: a body longer than announced ends
// the bar at 100, the range the window's progress messages carry.
int ProgressPercent(uint32_t received, uint32_t total);

// Posts progress only when the percentage changed: one message per chunk would
// flood the window's queue (a 200 MB package is 200,000 chunks), so a download
// posts at most 101 progress messages (0 to 100).
class ProgressGate {
public:
    // True when percent differs from the last one let through (the first always passes).
    bool ShouldPost(int percent);

private:
    int m_nLast = -1;
};

}  // namespace vantor
