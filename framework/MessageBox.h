// Modal message boxes with the program's name as caption.
#pragma once

#include <windows.h>
#include <string>

namespace fw {

// Shows text with an OK button (or the buttons of type), owned by the main
// window while that is visible. Returns the button the player pressed.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);

}  // namespace fw
