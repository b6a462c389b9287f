#include "skin/logic/ButtonTracker.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace vantor {
namespace skin {
namespace {

uint32_t Pos(int x, int y) { return (static_cast<uint32_t>(y & 0xFFFF) << 16) | static_cast<uint32_t>(x & 0xFFFF); }

// Plays a script against a 30 x 27 button the way the window system delivers
// it: 'm x y' move, 'd x y' press, 'u x y' release, 'c' another window takes
// the capture. A mouse message reaches the button when the pointer is over it
// or while it holds the capture; releasing the capture is answered by
// WM_CAPTURECHANGED. Returns the WM_COMMANDs sent.
int Commands(const std::string& script, ButtonTracker& tracker, bool& capture) {
    std::istringstream in(script);
    int commands = 0;
    for (char what; in >> what;) {
        if (what == 'c') {
            capture = false;
            tracker.CaptureChanged(false, true);
            continue;
        }
        int x = 0, y = 0;
        in >> x >> y;
        // Positions are packed as the window system does, so x = -3 is 65533.
        const bool inside = IsInsideButton(Pos(x, y), 30, 27);
        if (!inside && !capture) continue;
        const ButtonReaction r = what == 'm'   ? tracker.MouseMove(inside, capture)
                                 : what == 'd' ? tracker.ButtonDown(inside, capture)
                                               : tracker.ButtonUp(inside, capture);
        if (r.takeCapture) capture = true;
        if (r.releaseCapture) {
            capture = false;
            tracker.CaptureChanged(false, true);
        }
        commands += r.sendCommand;
    }
    return commands;
}

TEST(ButtonClicks, OnlyAPressAndReleaseInsideClicks) {
    const struct {
        const char* script;
        int commands;
    } cases[] = {
        {"m 5 5 d 5 5 u 6 6 m 40 5", 1},      {"d 5 5 u 5 5", 1},  // with or without moving first
        {"d 30 27 u 30 27", 1},  // the right and bottom edges are inside               {"d 5 5 u 5 5 d 5 5 u 5 5", 2},
        {"d 5 5 m 40 5 u 40 5", 0},           {"d 5 5 m 40 5 m 5 5 u 5 5 m 50 50", 0},  // left, came back
        {"d 5 5 u 40 5", 0},                  {"d 5 5 u -3 5", 0},  // released outside while holding the capture
        {"m 5 5 u 5 5 m 60 5", 0},            {"d 40 5 m 5 5 u 5 5 m 60 5", 0},  // drag begun elsewhere
        {"d 5 5 c m 5 5 u 5 5 m 60 60", 0},  // capture taken away during the press
    };
    for (const auto& c : cases) {
        ButtonTracker tracker;
        bool capture = false;
        EXPECT_EQ(c.commands, Commands(c.script, tracker, capture)) << c.script;
        EXPECT_FALSE(capture) << c.script;
        EXPECT_EQ(kButtonNormal, tracker.State()) << c.script;
    }
}

TEST(ButtonTracker, LooksAndCaptureLoss) {
    ButtonTracker t;
    EXPECT_TRUE(t.MouseMove(true, false).takeCapture);
    EXPECT_EQ(ButtonLook::kHover, t.PaintLook(true, true));
    EXPECT_EQ(ButtonLook::kDisabled, t.PaintLook(false, true));
    EXPECT_EQ(kButtonHover, t.State()) << "a disabled paint keeps the state";
    EXPECT_EQ(ButtonLook::kNormal, t.PaintLook(true, false)) << "hover without the capture is stale";
    EXPECT_EQ(kButtonNormal, t.State());
    t.ButtonDown(true, true);
    EXPECT_EQ(ButtonLook::kPressed, t.PaintLook(true, true));
    const ButtonReaction still = t.MouseMove(true, true);
    EXPECT_FALSE(still.repaint || still.takeCapture);
    EXPECT_FALSE(t.CaptureChanged(true, true)) << "the button taking the capture itself";
    EXPECT_FALSE(t.CaptureChanged(false, false)) << "a disabled button is left as it is";
    EXPECT_EQ(kButtonPressed, t.State());
    EXPECT_TRUE(t.CaptureChanged(false, true));
    EXPECT_EQ(kButtonNormal, t.State());
}

}  // namespace
}  // namespace skin
}  // namespace vantor
