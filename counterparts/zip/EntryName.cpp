#include "EntryName.h"

#include "FileSystem.h"

namespace vzip {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsOnlyDotsAndSpaces(const std::string& part) {
    for (char c : part) {
        if (c != '.' && c != ' ') return false;
    }
    return true;
}

}  // namespace

std::string BaseNameOf(const std::string& path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(c) && i + 1 < path.size()) {
            ++i;
        } else if (IsSeparator(path[i])) {
            start = i + 1;
        }
    }
    return path.substr(start);
}

bool SplitEntryName(const std::string& name, std::vector<std::string>* parts, bool* isFolder) {
    parts->clear();
    *isFolder = false;
    if (name.empty() || IsSeparator(name[0])) return false;
    std::string part;
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c == ':' || c == '\0') return false;
        if (IsLeadByte(c) && i + 1 < name.size()) {
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
