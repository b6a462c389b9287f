// CSkinIcon: the skin of the caption frame's icon placeholder. That window is
// created hidden and nothing anchors it or gives it an icon, so nothing it
// could draw would ever be seen: the class only holds the hook, and the
// static's own procedure answers every message. Should the placeholder ever
// be shown, it looks like the empty static it is rather than like a stale
// picture.
#pragma once

#include "skin/WndHook.h"

class CSkinIcon : public CWndHook {};
