// Decimal conversion as the settings, replies and command lines of both programs use it.
#pragma once

#include <string>

namespace vantor {

// Reads the decimal number at the start of text, after leading white space and
// an optional sign, as the runtime's conversions do ("12abc" is 12). value gets
// the number, or 0 when no digit follows; values beyond the 32-bit range stop at
// its limits. Returns whether at least one digit was read.
bool ReadDecimalPrefix(const std::string& text, int& value);

// The value ReadDecimalPrefix reads; 0 when there is none.
int DecimalPrefixValue(const std::string& text);

}  // namespace vantor
