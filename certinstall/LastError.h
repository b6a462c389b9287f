// The system's message text for the calling thread's last error.
#pragma once

#include <array>

namespace trustfit {

using ErrorText = std::array<char, 256>;

// In the user's default language, at most 255 bytes (never half a double-byte
// character) and NUL-terminated; empty when the system has no text for the code.
// Call it right after the failing call: printing may change the last error.
ErrorText FormatLastError();

// The cut that FormatLastError applies, on its own for testing.
ErrorText CutErrorText(const char* text);

}  // namespace trustfit
