#include "FolderLevels.h"

#include "logic/PathNames.h"

namespace vantor {

namespace {

// Position after the "\\server\share" of a path that begins with two separators.
size_t AfterServerAndShare(const std::string& path) {
    const char* begin = path.data();
    const char* end = begin + path.size();
    const char* p = begin + 2;
    for (int names = 0; names < 2 && p < end; ++names) {
        while (p < end && !IsPathSeparator(*p)) p += PathCharLength(p, end);
        if (names == 0 && p < end) ++p;  // the separator between server and share
    }
    return static_cast<size_t>(p - begin);
}

size_t FirstLevelStart(const std::string& path) {
    if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) return AfterServerAndShare(path);
    const unsigned char drive = static_cast<unsigned char>(path.size() >= 2 ? path[0] : 0);
    if (path.size() >= 2 && path[1] == ':' && ((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')))
        return 2;
    return 0;
}

}  // namespace

std::vector<std::string> FolderLevels(const std::string& path) {
    std::vector<std::string> levels;
    const char* begin = path.data();
    const char* end = begin + path.size();
    bool inName = false;
    for (const char* p = begin + FirstLevelStart(path); p < end; p += PathCharLength(p, end)) {
        if (IsPathSeparator(*p)) {
            if (inName) levels.push_back(path.substr(0, static_cast<size_t>(p - begin)));
            inName = false;
        } else {
            inName = true;
        }
    }
    if (inName) levels.push_back(path);
    return levels;
}

}  // namespace vantor
