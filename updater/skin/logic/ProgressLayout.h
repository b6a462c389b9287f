// What the skinned progress bar paints for a position: the filled width, the
// blocks or solid fill of the done part, the empty rest and the percentage.
#pragma once

#include <string>
#include <vector>

#include "skin/logic/SkinTypes.h"

namespace vantor {
namespace skin {

// Style bits of the bar.
enum ProgressStyleBits : int {
    kProgressSolid = 1,        // clear: 10-pixel blocks
    kProgressPercentText = 2,  // centred "N %" over the bar
};

constexpr int kProgressBlockWidth = 10;

// position × width ÷ range, truncated; 0 when the range is 0. Computed in 64
// bits, so a large position cannot overflow; the result is not capped at the
// width (a position above the range fills past the bar's end), but saturates
// at the int range.
int ProgressFilledWidth(int position, int width, int range);

struct ProgressPaint {
    int filled = 0;  // ProgressFilledWidth as computed
    // Solid style: one rectangle (0, 0, filled, height), drawn only when
    // non-empty. Block style: blocks at 0, 10, 20, … up to the filled width,
    // the last one cut there; each is drawn with a one-pixel outline in the
    // empty colour, which separates neighbours. Blocks starting at or past
    // the bar's end are left out: they would be clipped anyway, and a huge
    // position must not cost millions of rectangles.
    std::vector<Rect> done;
    // The rest of the bar in the empty colour, (filled, 0, width, height);
    // absent (false) when nothing of the bar is left.
    bool hasEmpty = false;
    Rect empty;
};

ProgressPaint PlanProgressPaint(int style, int position, int range, Size client);

// The percentage text: position × 100 ÷ range, truncated, then a blank and a
// percent sign. Not capped: position 150 of range 100 reads "150 %".
// Range 0 reads "0 %": its filled width is 0 too, so text and bar agree, and
// the text keeps its place instead of vanishing as if the paint had failed.
std::string ProgressPercentText(int position, int range);

}  // namespace skin
}  // namespace vantor
