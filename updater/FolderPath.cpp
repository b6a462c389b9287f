#include "FolderPath.h"

#include "logic/FolderLevels.h"

#include <windows.h>

bool CreateFolderPath(const std::string& path) {
    bool exists = false;
    for (const std::string& level : vantor::FolderLevels(path)) {
        exists = ::CreateDirectoryA(level.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
    }
    return exists;
}
