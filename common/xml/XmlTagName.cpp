#include "xml/XmlTagName.h"

#include <cstring>

#include "text/GbkText.h"

namespace xml {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool EndsTagName(char c) {
    switch (c) {
        case ' ': case '\t': case '\n': case '\r':
        case '<': case '>': case '=': case '\\': case '/': case '?': case '!':
            return true;
        default:
            return false;
    }
}

}  // namespace

NameSpan ReadTagName(const char* text, size_t length, size_t tagStart) {
    const char* end = text + length;
    const char* p = text + tagStart + 1;
    while (p < end && IsBlank(*p)) ++p;
    if (p < end && (*p == '"' || *p == '\'')) {
        const char* begin = p + 1;
        const void* close = begin < end ? std::memchr(begin, *p, end - begin) : nullptr;
        const char* stop = close ? static_cast<const char*>(close) : end;
        return {begin, static_cast<size_t>(stop - begin)};
    }
    const char* begin = p;
    while (p < end) {
        size_t step = vantor::GbkCharLength(p, end);
        if (step == 1 && EndsTagName(*p)) break;
        p += step;
    }
    return {begin, static_cast<size_t>(p - begin)};
}

bool SearchedNameMatches(NameSpan searched, NameSpan tagName) {
    size_t n = tagName.length;
    if (searched.length < n || std::memcmp(searched.data, tagName.data, n) != 0) return false;
    if (searched.length == n) return true;
    char next = searched.data[n];
    return (next == ' ' || next == '=' || next == '/' || next == '[') &&
           vantor::IsGbkCharBoundary(searched.data, searched.length, n);
}

bool ElementNameMatchesByCharacter(const char* text, size_t length, size_t tagStart, const char* name) {
    return SearchedNameMatches({name, std::strlen(name)}, ReadTagName(text, length, tagStart));
}

}  // namespace xml
