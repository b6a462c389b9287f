#include "xml/XmlCharacters.h"

namespace xml {

bool IsCharBoundary(const char* text, size_t length, size_t offset) {
    const char* end = text + length;
    size_t at = 0;
    while (at < offset) at += CharLength(text + at, end);
    return at == offset;
}

}  // namespace xml
