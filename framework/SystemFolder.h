// The system folder, from which the launcher takes the system's programs and
// libraries by full path: a process start or a library load by bare name looks
// in the program's own folder first, where anything may have been put.
#pragma once

#include <string>

namespace fw {

// The system folder with a trailing backslash ("C:\WINDOWS\system32\"); empty
// when the system does not say.
std::string GetSystemFolder();

}  // namespace fw
