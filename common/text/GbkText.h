// Character stepping in the system code page of the game's players, GBK
// (code page 936): a lead byte 0x81-0xFE followed by a trail byte 0x40-0x7E or
// 0x80-0xFE is one character; every other byte is a character of its own.
// Backslash (0x5C) can be a trail byte, so code that looks for a path separator
// steps character by character. Both programs and the package library use this
// one rule, the same in every build, so what the native tests check is what runs.
//
// Paths the system hands out (the program's own module path) are in the
// machine's code page, which need not be GBK: LeadByteRule steps them by that
// code page's lead bytes, so that on a code page 1252 machine "\xE9\\" stays
// two characters.
#pragma once

#include <bitset>
#include <cstddef>
#include <string>

namespace vantor {

inline bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

inline bool IsGbkTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE); }

// Length in bytes (1 or 2) of the character at p; end bounds the text, so a
// lead byte in the last position is one character and nothing is read past end.
inline size_t GbkCharLength(const char* p, const char* end) {
    if (IsGbkLeadByte(static_cast<unsigned char>(p[0])) && end - p >= 2 &&
        IsGbkTrailByte(static_cast<unsigned char>(p[1])))
        return 2;
    return 1;
}

// True when offset splits no character of text[0, length), stepping from the start.
bool IsGbkCharBoundary(const char* text, size_t length, size_t offset);

// Which bytes of a code page lead a two-byte character. A lead byte and the
// byte after it are one character when that byte lies in 0x40-0x7E or
// 0x80-0xFE (the trail bytes of GBK, which also hold those of the other
// double-byte code pages at the one place that matters here: 0x5C is a trail
// byte in each); a single-byte code page has no lead bytes.
class LeadByteRule {
public:
    // GBK's lead bytes, 0x81-0xFE.
    static LeadByteRule Gbk();
    // No lead bytes: every byte is one character (code pages 1251, 1252, ...).
    static LeadByteRule SingleByte() { return LeadByteRule(); }
    // From lead-byte ranges as the system reports a code page's: pairs of first
    // and last byte, up to count bytes or the first pair that starts with 0.
    static LeadByteRule FromRanges(const unsigned char* ranges, size_t count);

    bool IsLead(unsigned char c) const { return m_lead[c]; }
    // Length in bytes (1 or 2) of the character at p; nothing is read at or past end.
    size_t CharLength(const char* p, const char* end) const {
        if (IsLead(static_cast<unsigned char>(p[0])) && end - p >= 2 &&
            IsGbkTrailByte(static_cast<unsigned char>(p[1])))
            return 2;
        return 1;
    }

private:
    std::bitset<256> m_lead;
};

// Position of the last "\" of text that is a character of its own (not a trail
// byte); npos when there is none. Without a rule, GBK's.
size_t FindLastBackslash(const std::string& text);
size_t FindLastBackslash(const std::string& text, const LeadByteRule& rule);

// path cut before its last "\" (no trailing backslash): "C:\Games\a.exe" gives
// "C:\Games"; empty when path has none. Without a rule, GBK's.
std::string FolderBeforeLastBackslash(const std::string& path);
std::string FolderBeforeLastBackslash(const std::string& path, const LeadByteRule& rule);

// How many bytes of text, at most maxBytes, form whole characters: a cut never
// keeps half of a two-byte character.
size_t WholeCharacterPrefix(const char* text, size_t length, size_t maxBytes);

}  // namespace vantor
