// Where the running program lies. Both programs, the package library and the
// certificate installer find their neighbouring files from here.
#pragma once

#include "text/GbkText.h"

#include <string>

namespace fw {

// The lead bytes of the system's ANSI code page, as the system reports them:
// GBK's under code page 936, none under 1251 or 1252.
vantor::LeadByteRule SystemLeadByteRule();

// The running program's full path as the system reports it, read into a buffer
// of 512 bytes; empty when it does not fit (a cut path would name a wrong file).
std::string GetModulePath();

// GetModulePath cut before its last "\" by the system code page's rule (under
// 936 a GBK trail byte 0x5C is no separator; under 1252 every "\" is one),
// so without a trailing backslash: "C:\Games\Vantor". Empty when there is none.
std::string GetModuleFolder();

}  // namespace fw
