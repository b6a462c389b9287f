#include "skin/logic/CaptionRules.h"

namespace vantor {
namespace skin {

CaptionAction CaptionCommand(uint32_t wParam, bool zoomed) {
    const uint32_t id = wParam & 0xFFFFu;
    const uint32_t code = wParam >> 16;
    if (code != 0) return CaptionAction::kNone;
    switch (id) {
        case kCloseButtonId: return CaptionAction::kClose;
        case kMinimizeButtonId: return CaptionAction::kMinimize;
        case kMaximizeButtonId: return zoomed ? CaptionAction::kRestore : CaptionAction::kMaximize;
        default: return CaptionAction::kNone;
    }
}

MaximizedBounds MaximizedBoundsFor(Rect area, bool resizable, Size frame) {
    if (resizable) {
        area.left -= frame.cx;
        area.right += frame.cx;
        area.top -= frame.cy;
        area.bottom += frame.cy;
    }
    return {{area.right - area.left, area.bottom - area.top}, {area.left, area.top}};
}

}  // namespace skin
}  // namespace vantor
