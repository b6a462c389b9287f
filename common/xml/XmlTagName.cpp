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

// The bytes that end a name in the tag scan (" \t\n\r/>").
bool EndsScannedName(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '/' || c == '>';
}

// The bytes that end a name in ReadTagName and not in the tag scan. In a
// scanned name without them ReadTagName reads the whole scanned name: the scan's
// own stops are below 0x40, never trail bytes, so stepping by character lands on
// them.
bool EndsOnlyReadName(char c) {
    return c == '<' || c == '=' || c == '\\' || c == '?' || c == '!';
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

bool EndTagMatches(const char* text, size_t length, size_t startTag, NameSpan endName) {
    // When the start tag's scanned name is the end tag's name byte for byte and
    // holds none of the bytes that only ReadTagName stops at, ReadTagName reads
    // that same name, which the end tag's name then matches.
    const size_t nameStart = startTag + 1;
    if (nameStart + endName.length < length) {
        const char* name = text + nameStart;
        bool same = EndsScannedName(name[endName.length]);
        for (size_t i = 0; same && i < endName.length; ++i)
            same = name[i] == endName.data[i] && !EndsOnlyReadName(name[i]);
        if (same) return true;
    }
    return SearchedNameMatches(endName, ReadTagName(text, length, startTag));
}

bool ElementNameMatchesByCharacter(const char* text, size_t length, size_t tagStart, const char* name) {
    return SearchedNameMatches({name, std::strlen(name)}, ReadTagName(text, length, tagStart));
}

}  // namespace xml
