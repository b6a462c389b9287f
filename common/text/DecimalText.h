// Decimal conversion as the settings, replies and command lines of both programs use it.
#pragma once

#include <string>

namespace vantor {

// The value of the decimal number at the start of text, after leading blanks
// and an optional sign ("12abc" is 12); 0 when there is none. Values beyond
// the 32-bit range stop at its limits.
int DecimalPrefixValue(const std::string& text);

}  // namespace vantor
