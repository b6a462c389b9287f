#include "FileSystem.h"

#include "framework/FileIdentity.h"
#include "text/GbkText.h"

#include <windows.h>

namespace vzip {

const char kNativeSeparator = '\\';

size_t CharLength(const char* p, const char* end) { return vantor::GbkCharLength(p, end); }

bool MakeFolder(const std::string& path) {
    if (CreateDirectoryA(path.c_str(), nullptr)) return true;
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsSameFile(const std::string& a, const std::string& b) {
    fw::FileIdentity ia, ib;
    return fw::GetFileIdentity(a.c_str(), ia) && fw::GetFileIdentity(b.c_str(), ib) && ia.volume == ib.volume &&
           ia.index == ib.index;
}

uint32_t DosTimeOfFile(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    FILETIME local;
    WORD date = 0, time = 0;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
        !FileTimeToDosDateTime(&local, &date, &time)) {
        return (1u << 5 | 1u) << 16;  // 1980-01-01 00:00
    }
    return static_cast<uint32_t>(date) << 16 | time;
}

}  // namespace vzip
