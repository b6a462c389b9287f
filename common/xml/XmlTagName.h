// Tag names as navigation and end-tag checks compare them.
#pragma once

#include <cstddef>

namespace xml {

struct NameSpan {
    const char* data;
    size_t length;
};

// The name of the tag whose "<" is at text[tagStart], read from the byte after
// the "<": leading white space is skipped; a name in double or single quotes is
// the quoted text; otherwise it runs up to the first character of
// " \t\n\r<>=\\/?!" (stepping over whole characters, so a trail byte that
// happens to be a backslash does not end it).
NameSpan ReadTagName(const char* text, size_t length, size_t tagStart);

// Whether the searched name matches the tag name of n bytes: its first n bytes
// equal the tag name and it ends there or continues with one of " =/[" standing
// as a character of its own.
bool SearchedNameMatches(NameSpan searched, NameSpan tagName);

// Whether the end tag's name (as the tag scan delimits it) closes the start tag
// at text[startTag]: SearchedNameMatches(endName, ReadTagName(...)), found by a
// byte comparison when both names are the same plain bytes, the usual case.
bool EndTagMatches(const char* text, size_t length, size_t startTag, NameSpan endName);

// Whether the element whose start tag begins at text[tagStart] matches the
// searched name (not empty): SearchedNameMatches(name, ReadTagName(...)).
// Navigation asks this of element after element, so a name of plain bytes
// (printable ASCII without blanks or any of "<>=\\/?![") is compared with the
// tag byte for byte in one pass: such bytes never belong to a two-byte
// character, element tags never start with a blank or a quote, and such a name
// can match only a tag name of exactly its bytes. Other names step through the
// tag's characters.
bool ElementNameMatches(const char* text, size_t length, size_t tagStart, const char* name);

}  // namespace xml
