// Decisions of the caption frame that need no window: which window command a
// system button's click becomes, and how large a maximised skinned window is.
#pragma once

#include <cstdint>

#include "skin/logic/SkinTypes.h"

namespace vantor {
namespace skin {

// Control IDs of the caption frame's child windows. The close button shares
// ID 1 with the dialog's default button, so Enter closes the window as well.
enum CaptionControlId : int {
    kCloseButtonId = 1,
    kIconId = 3,
    kMinimizeButtonId = 4,
    kMaximizeButtonId = 5,
};

enum class CaptionAction {
    kNone,      // not a system button's click: the frame passes the message on
    kClose,     // WM_CLOSE
    kMinimize,  // WM_SYSCOMMAND SC_MINIMIZE
    kMaximize,  // WM_SYSCOMMAND SC_MAXIMIZE
    kRestore,   // WM_SYSCOMMAND SC_RESTORE
};

// wParam: WM_COMMAND's, control ID in the low word, notification code in the
// high word. Only code 0 (a click) counts; whoever sends it. The maximize
// button toggles: a zoomed window is restored.
CaptionAction CaptionCommand(uint32_t wParam, bool zoomed);

// The MINMAXINFO members the frame sets on WM_GETMINMAXINFO.
struct MaximizedBounds {
    Point maxSize;
    Point maxPosition;
};

// workArea: the desktop work area (without the taskbar). frameThickness: the
// sizing-frame metrics (SM_CXFRAME, SM_CYFRAME) read at start-up. A resizable
// window is grown by its sizing border on every side, so that the border lies
// outside the work area and the visible window covers it exactly.
MaximizedBounds MaximizedBoundsFor(Rect workArea, bool resizable, Size frameThickness);

}  // namespace skin
}  // namespace vantor
