#include "ModuleFolder.h"

#include "text/GbkText.h"

#include <windows.h>

namespace fw {

std::string GetModulePath() {
    char path[512] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof(path));
    // A full buffer means the name was cut (and, before Vista, left unterminated).
    if (length == 0 || length >= sizeof(path)) return std::string();
    return std::string(path, length);
}

std::string GetModuleFolder() { return vantor::FolderBeforeLastBackslash(GetModulePath()); }

}  // namespace fw
