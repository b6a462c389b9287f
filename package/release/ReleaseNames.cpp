#include "ReleaseNames.h"

#include <cstring>

#include "text/GbkText.h"

namespace pk {
namespace {

bool IsDevice(const std::string& name) {
    std::string stem;
    for (char c : name) {
        if (c == '.') break;
        stem += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    }
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

NameProblem CheckName(const std::string& name) {
    if (name.empty() || name.front() == ' ' || name.back() == ' ' || name.back() == '.') return NameProblem::BadName;
    for (size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        const size_t step = vantor::GbkCharLength(name.data() + i, name.data() + name.size());
        i += step;
        if (step == 2) continue;
        // A lone byte of 0x80 or above is no GBK character at all.
        if (c < 0x20 || c == 0x7F || c >= 0x80 || std::strchr("<>:\"/|?*", c)) return NameProblem::BadName;
    }
    return IsDevice(name) ? NameProblem::DeviceName : NameProblem::None;
}

// Splits path at each "\" that is a character of its own.
std::vector<std::string> NamesOf(const std::string& path) {
    std::vector<std::string> names(1);
    for (size_t i = 0; i < path.size();) {
        const size_t step = vantor::GbkCharLength(path.data() + i, path.data() + path.size());
        if (step == 1 && path[i] == '\\') names.emplace_back();
        else names.back().append(path, i, step);
        i += step;
    }
    return names;
}

}  // namespace

NameProblem CheckReleasePath(const std::string& path) {
    if (path.size() > kMaxItemLength) return NameProblem::TooLong;
    for (const std::string& name : NamesOf(path)) {
        const NameProblem problem = CheckName(name);
        if (problem != NameProblem::None) return problem;
    }
    return NameProblem::None;
}

const char* NameProblemText(NameProblem problem) {
    switch (problem) {
        case NameProblem::None: return "fit";
        case NameProblem::TooLong: return "the path is longer than the 149 bytes that fit below every installation folder";
        case NameProblem::BadName:
            return "a name is empty, starts or ends with a blank, ends with a dot, or holds a control character, a "
                   "byte that is no GBK character or one of < > : \" / | ? *";
        case NameProblem::DeviceName: return "a name is a device name (CON, NUL, COM1, LPT1, ...)";
    }
    return "?";
}

std::string FoldedPath(const std::string& path) {
    std::string folded = path;
    for (size_t i = 0; i < folded.size();) {
        const size_t step = vantor::GbkCharLength(folded.data() + i, folded.data() + folded.size());
        if (step == 1 && folded[i] >= 'a' && folded[i] <= 'z') folded[i] = char(folded[i] - 'a' + 'A');
        i += step;
    }
    return folded;
}

std::string LastNameOf(const std::string& path) { return NamesOf(path).back(); }

bool IsTopLevel(const std::string& path) { return NamesOf(path).size() == 1; }

std::vector<std::string> FoldersOf(const std::string& path) {
    const std::vector<std::string> names = NamesOf(path);
    std::vector<std::string> folders;
    std::string folder;
    for (size_t i = 0; i + 1 < names.size(); ++i) {
        folder += (i ? "\\" : "") + names[i];
        folders.push_back(folder);
    }
    return folders;
}

std::string ZipEntryNameOf(const std::string& path) {
    std::string name;
    for (const std::string& part : NamesOf(path)) name += (name.empty() ? "" : "/") + part;
    return name;
}

}  // namespace pk
