#include "GbkText.h"

namespace vantor {

bool IsGbkCharBoundary(const char* text, size_t length, size_t offset) {
    const char* end = text + length;
    size_t at = 0;
    while (at < offset) at += GbkCharLength(text + at, end);
    return at == offset;
}

size_t FindLastBackslash(const std::string& text) {
    size_t found = std::string::npos;
    const char* begin = text.data();
    const char* end = begin + text.size();
    for (const char* p = begin; p < end; p += GbkCharLength(p, end))
        if (*p == '\\') found = static_cast<size_t>(p - begin);
    return found;
}

std::string FolderBeforeLastBackslash(const std::string& path) {
    const size_t cut = FindLastBackslash(path);
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

size_t WholeCharacterPrefix(const char* text, size_t length, size_t maxBytes) {
    const char* end = text + length;
    size_t kept = 0;
    while (kept < length) {
        const size_t step = GbkCharLength(text + kept, end);
        if (kept + step > maxBytes) break;
        kept += step;
    }
    return kept;
}

}  // namespace vantor
