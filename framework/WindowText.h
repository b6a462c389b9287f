// A window's text as a string, whatever its length.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

// GetWindowTextA into a buffer sized from GetWindowTextLengthA; empty when the
// window has no text or cannot tell it.
std::string GetWindowTextString(HWND window);

}  // namespace fw
