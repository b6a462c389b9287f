// The skinned push button's mouse rules: which look it shows, when it holds
// the mouse capture and when it tells its parent it was clicked. The window
// class feeds it the mouse messages and whether it holds the capture (asked
// of the window system just before), and carries out the reaction.
#pragma once

#include <cstdint>

namespace vantor {
namespace skin {

// The values the button keeps in its state field.
enum ButtonState : int { kButtonHover = 0, kButtonPressed = 1, kButtonNormal = 2 };

enum class ButtonLook { kNormal, kPressed, kHover, kDisabled };

// A mouse message's position against the button's drawing size. Both words of
// lParam are read as unsigned 16-bit values, so a position left of or above
// the button (negative) is far outside; the right and bottom edges
// (x == width, y == height) count as inside.
bool IsInsideButton(uint32_t lParam, int width, int height);

// What the window class does after a message, in this order: capture,
// repaint (invalidate without erase, update at once), then the WM_COMMAND to
// the parent. Releasing the capture makes the window system send
// WM_CAPTURECHANGED at once; feed that to CaptureChanged as usual.
struct ButtonReaction {
    bool takeCapture = false;
    bool releaseCapture = false;
    bool repaint = false;
    bool sendCommand = false;
};

class ButtonTracker {
public:
    ButtonState State() const { return m_nState; }

    // A press inside shows the pressed look and keeps the mouse until release.
    ButtonReaction ButtonDown(bool inside, bool holdsCapture);
    // A release is a click only when it comes inside and the button was
    // pressed when it came: a press that left the button, or a release at the
    // end of a drag that began elsewhere, does nothing but repaint, so the
    // user can still back out of a click (the close button ends the update).
    ButtonReaction ButtonUp(bool inside, bool holdsCapture);
    // Entering takes the capture so that leaving is seen; leaving gives it
    // back and cancels a press.
    ButtonReaction MouseMove(bool inside, bool holdsCapture);
    // gainerIsSelf: the window taking the capture is the button itself.
    // Another window (or none) taking it ends hover and press; true means the
    // normal look is to be drawn at once (only an enabled button does so).
    bool CaptureChanged(bool gainerIsSelf, bool enabled);
    // The look for WM_PAINT. A hover state without the capture is stale (the
    // mouse left while the capture was elsewhere): it paints and becomes normal.
    ButtonLook PaintLook(bool enabled, bool holdsCapture);

private:
    ButtonState m_nState = kButtonNormal;
};

}  // namespace skin
}  // namespace vantor
