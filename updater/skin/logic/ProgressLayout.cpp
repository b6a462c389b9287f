#include "skin/logic/ProgressLayout.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>

namespace vantor {
namespace skin {

namespace {

int64_t Ratio(int64_t numerator, int range) {
    if (range == 0) return 0;
    // INT64_MIN / -1 cannot arise: |numerator| <= 2^31 * 2^31.
    return numerator / range;
}

int Saturate(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

}  // namespace

int ProgressFilledWidth(int position, int width, int range) {
    return Saturate(Ratio(static_cast<int64_t>(position) * width, range));
}

ProgressPaint PlanProgressPaint(int style, int position, int range, Size client) {
    ProgressPaint paint;
    paint.filled = ProgressFilledWidth(position, client.cx, range);
    const int filled = paint.filled;
    if (style & kProgressSolid) {
        if (filled > 0) paint.done.push_back({0, 0, filled, client.cy});
    } else {
        for (int64_t left = 0; left < filled && left < client.cx; left += kProgressBlockWidth) {
            const int64_t right = std::min<int64_t>(left + kProgressBlockWidth, filled);
            paint.done.push_back({static_cast<int>(left), 0, static_cast<int>(right), client.cy});
        }
    }
    const int emptyLeft = std::max(filled, 0);
    if (emptyLeft < client.cx) {
        paint.hasEmpty = true;
        paint.empty = {emptyLeft, 0, client.cx, client.cy};
    }
    return paint;
}

std::string ProgressPercentText(int position, int range) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld %%", static_cast<long long>(Ratio(static_cast<int64_t>(position) * 100, range)));
    return text;
}

}  // namespace skin
}  // namespace vantor
