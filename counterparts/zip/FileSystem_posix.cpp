#include "FileSystem.h"

#include <sys/stat.h>
#include <time.h>

namespace vzip {

const char kNativeSeparator = '/';

size_t CharLength(const char*, const char*) { return 1; }

bool MakeFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0777) == 0) return true;
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

uint32_t DosTimeOfFile(const char* path) {
    struct stat st;
    if (stat(path, &st) != 0) return (1u << 5 | 1u) << 16;  // 1980-01-01 00:00
    struct tm t;
    localtime_r(&st.st_mtime, &t);
    if (t.tm_year < 80) return (1u << 5 | 1u) << 16;
    uint32_t date = static_cast<uint32_t>((t.tm_year - 80) << 9 | (t.tm_mon + 1) << 5 | t.tm_mday);
    uint32_t time = static_cast<uint32_t>(t.tm_hour << 11 | t.tm_min << 5 | t.tm_sec / 2);
    return date << 16 | time;
}

}  // namespace vzip
