// The system's message text for the calling thread's last error.
#pragma once

#include <array>

namespace trustfit {

using ErrorText = std::array<char, 256>;

// In the user's default language with its line break, at most 255 bytes (never
// half a GBK character: the installer runs in code page 936) and NUL-terminated;
// empty when the system has no text for the code. Call it right after the
// failing call: printing may change the last error. The last error is the same
// afterwards.
ErrorText FormatLastError();

}  // namespace trustfit
