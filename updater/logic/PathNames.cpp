#include "PathNames.h"

#include "text/GbkText.h"

namespace vantor {

size_t PathCharLength(const char* p, const char* end) { return GbkCharLength(p, end); }

bool IsPlainFileName(const char* begin, const char* end) {
    if (begin == end) return false;
    bool onlyDotsAndBlanks = true;
    for (const char* p = begin; p < end;) {
        const size_t step = GbkCharLength(p, end);
        if (step == 1) {
            const unsigned char c = static_cast<unsigned char>(*p);
            if (c < 0x20 || c == 0x7F || c == ':' || IsPathSeparator(*p)) return false;
            if (c != '.' && c != ' ') onlyDotsAndBlanks = false;
        } else {
            onlyDotsAndBlanks = false;
        }
        p += step;
    }
    return !onlyDotsAndBlanks;
}

}  // namespace vantor
