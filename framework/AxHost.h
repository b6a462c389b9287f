// ActiveX hosting through the system's atl.dll: after AxHostInit, a child
// window of class "AtlAxWin" whose text is a class identifier hosts that control.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace fw {

// Loads atl.dll once for the life of the process and registers "AtlAxWin".
bool AxHostInit();

// The hosted control's IUnknown (one reference, which the caller releases),
// or null when the window hosts nothing.
IUnknown* AxHostGetControl(HWND host);

}  // namespace fw
