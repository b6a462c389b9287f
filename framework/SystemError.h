// The system's own words for an error code, for messages shown to the player.
#pragma once

#include <windows.h>
#include <string>

namespace fw {

// FormatMessage text of the code without its trailing line break; the number
// itself when the system has no text for it.
std::string SystemErrorText(DWORD error);

}  // namespace fw
