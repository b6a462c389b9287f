#include "SystemFolder.h"

#include <windows.h>

namespace fw {

std::string GetSystemFolder() {
    char folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryA(folder, sizeof(folder));
    if (length == 0 || length >= sizeof(folder)) return std::string();
    std::string text(folder, length);
    if (text.back() != '\\') text += '\\';
    return text;
}

}  // namespace fw
