#include "skin/logic/ButtonTracker.h"

namespace vantor {
namespace skin {

bool IsInsideButton(uint32_t lParam, int width, int height) {
    const int64_t x = lParam & 0xFFFFu;
    const int64_t y = (lParam >> 16) & 0xFFFFu;
    return x <= width && y <= height;
}

ButtonReaction ButtonTracker::ButtonDown(bool inside, bool holdsCapture) {
    ButtonReaction r;
    if (!inside) return r;
    m_nState = kButtonPressed;
    r.takeCapture = !holdsCapture;
    r.repaint = true;
    return r;
}

ButtonReaction ButtonTracker::ButtonUp(bool inside, bool holdsCapture) {
    ButtonReaction r;
    r.sendCommand = inside && m_nState == kButtonPressed;
    m_nState = inside ? kButtonHover : kButtonNormal;
    r.releaseCapture = holdsCapture;
    r.repaint = true;
    return r;
}

ButtonReaction ButtonTracker::MouseMove(bool inside, bool holdsCapture) {
    ButtonReaction r;
    if (!inside) {
        if (!holdsCapture) return r;
        r.releaseCapture = true;
        m_nState = kButtonNormal;
        r.repaint = true;
        return r;
    }
    r.takeCapture = !holdsCapture;
    if (m_nState == kButtonNormal) {
        m_nState = kButtonHover;
        r.repaint = true;
    }
    return r;
}

bool ButtonTracker::CaptureChanged(bool gainerIsSelf, bool enabled) {
    if (gainerIsSelf || !enabled) return false;
    m_nState = kButtonNormal;
    return true;
}

ButtonLook ButtonTracker::PaintLook(bool enabled, bool holdsCapture) {
    if (!enabled) return ButtonLook::kDisabled;
    switch (m_nState) {
        case kButtonHover:
            if (holdsCapture) return ButtonLook::kHover;
            m_nState = kButtonNormal;
            return ButtonLook::kNormal;
        case kButtonPressed: return ButtonLook::kPressed;
        default: return ButtonLook::kNormal;
    }
}

}  // namespace skin
}  // namespace vantor
