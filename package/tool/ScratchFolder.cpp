#include "ScratchFolder.h"

#include <windows.h>

#include "framework/ScopedHandles.h"

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    fw::ScopedFind find(::FindFirstFileA((folder + "\\*").c_str(), &data));
    if (find) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
            else ::DeleteFileA(path.c_str());
        } while (::FindNextFileA(find.get(), &data));
    }
    find.reset();
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& parent) {
    char base[MAX_PATH], file[MAX_PATH];
    if (parent.empty() ? ::GetTempPathA(MAX_PATH, base) == 0 : parent.size() >= MAX_PATH) return;
    if (!parent.empty()) lstrcpynA(base, parent.c_str(), MAX_PATH);
    // GetTempFileName claims a unique name by creating a file of it.
    if (::GetTempFileNameA(base, "pcl", 0, file) && ::DeleteFileA(file) && ::CreateDirectoryA(file, nullptr))
        m_path = file;
}

ScratchFolder::~ScratchFolder() {
    if (!m_path.empty()) RemoveTree(m_path);
}
