// Where the running program lies. Both programs, the package library and the
// certificate installer find their neighbouring files from here.
#pragma once

#include <string>

namespace fw {

// The running program's full path as the system reports it, read into a buffer
// of 512 bytes; empty when it does not fit (a cut path would name a wrong file).
std::string GetModulePath();

// GetModulePath cut before its last "\" (a GBK trail byte 0x5C is no separator),
// so without a trailing backslash: "C:\Games\Vantor". Empty when there is none.
std::string GetModuleFolder();

}  // namespace fw
