#include "PathText.h"

namespace pk {
namespace {

// Position just after the last separator, 0 when there is none.
size_t AfterLastSeparator(const std::string& path, const Platform& platform) {
    size_t after = 0;
    for (size_t i = 0; i < path.size();) {
        const size_t step = CharLengthAt(platform.charLength, path, i);
        if (step == 1 && (path[i] == '\\' || path[i] == '/')) after = i + 1;
        i += step;
    }
    return after;
}

}  // namespace

bool IsSameFile(const char* a, const char* b, const Platform& platform) {
    FileId ia, ib;
    return platform.identifyFile(a, &ia) && platform.identifyFile(b, &ib) && ia == ib;
}

bool SplitFileList(const std::string& list, size_t maxPieces, std::vector<std::string>* paths) {
    paths->clear();
    size_t start = 0;
    for (;;) {
        size_t bar = list.find('|', start);
        if (paths->size() == maxPieces) return false;
        paths->push_back(list.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) return true;
        start = bar + 1;
    }
}

std::string FileNameOf(const std::string& path, const Platform& platform) {
    return path.substr(AfterLastSeparator(path, platform));
}

std::string FolderOf(const std::string& path, const Platform& platform) {
    return path.substr(0, AfterLastSeparator(path, platform));
}

}  // namespace pk
