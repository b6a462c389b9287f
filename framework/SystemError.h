// The system's own words for an error code: for messages shown to the player
// and for the certificate installer's console report.
#pragma once

#include <windows.h>
#include <string>

namespace fw {

// FormatMessage text of the code in the user's default language, exactly as the
// system gives it (with its trailing line break); empty when it has none.
std::string SystemMessage(DWORD error);

// SystemMessage without its trailing line break, followed by the number in
// parentheses; the number alone when the system has no text for it.
std::string SystemErrorText(DWORD error);

}  // namespace fw
