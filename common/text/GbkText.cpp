#include "GbkText.h"

namespace vantor {

size_t FindLastBackslash(const std::string& text) {
    size_t found = std::string::npos;
    const char* begin = text.data();
    const char* end = begin + text.size();
    for (const char* p = begin; p < end; p += GbkCharLength(p, end))
        if (*p == '\\') found = static_cast<size_t>(p - begin);
    return found;
}

}  // namespace vantor
