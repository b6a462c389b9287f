// Tag names as navigation and end-tag checks compare them.
#pragma once

#include <cstddef>
#include <cstdint>

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
inline bool EndTagMatches(const char* text, size_t length, size_t startTag, NameSpan endName);

// Whether the element whose start tag begins at text[tagStart] matches the
// searched name (not empty): SearchedNameMatches(name, ReadTagName(...)).
// Navigation asks this of element after element, so a name of plain bytes
// (printable ASCII without blanks or any of "<>=\\/?![") is compared with the
// tag byte for byte in one pass: such bytes never belong to a two-byte
// character, element tags never start with a blank or a quote, and such a name
// can match only a tag name of exactly its bytes. Other names step through the
// tag's characters.
inline bool ElementNameMatches(const char* text, size_t length, size_t tagStart, const char* name);

// The character-stepping comparison, for names that are not plain.
bool ElementNameMatchesByCharacter(const char* text, size_t length, size_t tagStart, const char* name);

// Bytes of a searched name that compare byte for byte: printable ASCII (never
// part of a two-byte character) that ends no tag name (" \t\n\r<>=\\/?!") and
// is not "[" (a searched name may continue after the tag name with one of
// " =/[").
inline bool IsPlainNameByte(char c) {
    constexpr uint64_t kBelow64 = ~((1ull << '<') | (1ull << '>') | (1ull << '=') | (1ull << '/') | (1ull << '?') |
                                    (1ull << '!') | ((1ull << 0x21) - 1));  // and blanks, controls
    constexpr uint64_t kFrom64 = ~((1ull << ('\\' - 64)) | (1ull << ('[' - 64)));
    // Without branches: navigation tests every byte of the searched name.
    unsigned char u = static_cast<unsigned char>(c);
    uint64_t bits = u < 64 ? kBelow64 : kFrom64;
    return (u < 128) & static_cast<bool>((bits >> (u & 63)) & 1);
}

// Of the bytes that may follow a plain name in the text, those that end a tag
// name: white space and "<>=/?!" (below 0x40) and backslash.
inline bool EndsTagNameAfterPlain(char c) {
    constexpr uint64_t kBelow64 = (1ull << ' ') | (1ull << '\t') | (1ull << '\n') | (1ull << '\r') | (1ull << '<') |
                                  (1ull << '>') | (1ull << '=') | (1ull << '/') | (1ull << '?') | (1ull << '!');
    unsigned char u = static_cast<unsigned char>(c);
    return u < 64 ? ((kBelow64 >> u) & 1) != 0 : c == '\\';
}

// A searched name, looked at once for the comparisons with a run of elements:
// navigation tries it on sibling after sibling.
class SearchedElementName {
public:
    explicit SearchedElementName(const char* name) : m_name(name) {
        for (; name[m_length] != 0; ++m_length) m_plain &= IsPlainNameByte(name[m_length]);
    }

    // ElementNameMatches for this name.
    bool Matches(const char* text, size_t length, size_t tagStart) const {
        if (!m_plain) return ElementNameMatchesByCharacter(text, length, tagStart, m_name);
        // A difference within plain bytes rules out a match: the tag name would
        // have to end before it, and the searched name continue with a byte
        // that is not plain.
        const size_t nameStart = tagStart + 1;
        if (length - nameStart < m_length) return false;
        for (size_t i = 0; i < m_length; ++i)
            if (text[nameStart + i] != m_name[i]) return false;
        // The byte after a plain name is a whole character: the tag name ends
        // there exactly when it is one that ends tag names, or the text ends.
        const size_t after = nameStart + m_length;
        return after == length || EndsTagNameAfterPlain(text[after]);
    }

private:
    const char* m_name;
    size_t m_length = 0;
    bool m_plain = true;
};

inline bool ElementNameMatches(const char* text, size_t length, size_t tagStart, const char* name) {
    return SearchedElementName(name).Matches(text, length, tagStart);
}

// The bytes that end a name in ReadTagName and not in the tag scan. In a
// scanned name without them ReadTagName reads the whole scanned name: the scan's
// own stops (" \t\n\r/>") are below 0x40, never trail bytes, so stepping by
// character lands on them.
inline bool EndsOnlyReadName(char c) { return c == '<' || c == '=' || c == '\\' || c == '?' || c == '!'; }

inline bool EndsScannedName(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '/' || c == '>';
}

inline bool EndTagMatches(const char* text, size_t length, size_t startTag, NameSpan endName) {
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

}  // namespace xml
