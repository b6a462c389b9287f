// ANSI text (the system code page) to and from the BSTRs of COM calls: the
// launcher hands the login payload to the password-protection component and
// reads its token back this way.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

// A new BSTR of text converted from the system code page (the caller frees it;
// fw::ScopedBstr does); null when there is no memory.
BSTR AnsiToBstr(const std::string& text);

// The BSTR's characters in the system code page; empty for null or "".
std::string BstrToAnsi(BSTR text);

}  // namespace fw
