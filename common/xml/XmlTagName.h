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

}  // namespace xml
