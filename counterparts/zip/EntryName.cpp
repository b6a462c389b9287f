#include "EntryName.h"

#include "FileSystem.h"

namespace vzip {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

size_t CharLengthAt(const std::string& text, size_t i) {
    return CharLength(text.data() + i, text.data() + text.size());
}

bool IsOnlyDotsAndSpaces(const std::string& part) {
    for (char c : part) {
        if (c != '.' && c != ' ') return false;
    }
    return true;
}

}  // namespace

std::string BaseNameOf(const std::string& path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size();) {
        const size_t step = CharLengthAt(path, i);
        if (step == 1 && IsSeparator(path[i])) start = i + 1;
        i += step;
    }
    return path.substr(start);
}

bool SplitEntryName(const std::string& name, std::vector<std::string>* parts, bool* isFolder) {
    parts->clear();
    *isFolder = false;
    if (name.empty() || IsSeparator(name[0])) return false;
    std::string part;
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c == ':' || c == '\0') return false;
        if (CharLengthAt(name, i) == 2) {
            part += name[i];
            part += name[++i];
        } else if (IsSeparator(name[i])) {
            if (IsOnlyDotsAndSpaces(part)) return false;
            parts->push_back(part);
            part.clear();
        } else {
            part += name[i];
        }
    }
    if (part.empty()) {
        *isFolder = true;  // "dir/": the last part is a folder
        return !parts->empty();
    }
    if (IsOnlyDotsAndSpaces(part)) return false;
    parts->push_back(part);
    return true;
}

}  // namespace vzip
