#include "DownloadProgress.h"

namespace vantor {

int ProgressPercent(uint32_t received, uint32_t total) {
    if (total == 0) return 0;
    // A body longer than announced still ends at 100: the bar's range.
    if (received >= total) return 100;
    return static_cast<int>(static_cast<double>(received) * 100.0 / static_cast<double>(total));
}

bool ProgressGate::ShouldPost(int percent) {
    if (percent == m_nLast) return false;
    m_nLast = percent;
    return true;
}

}  // namespace vantor
