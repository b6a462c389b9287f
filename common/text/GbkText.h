// Character stepping in the system code page of the game's players, GBK
// (code page 936): a lead byte 0x81-0xFE followed by a trail byte 0x40-0x7E or
// 0x80-0xFE is one character; every other byte is a character of its own.
// Backslash (0x5C) can be a trail byte, so code that looks for a path separator
// steps character by character. Both programs and the package library use this
// one rule, the same in every build, so what the native tests check is what runs.
#pragma once

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

// Position of the last "\" of text that is a character of its own (not a trail
// byte); npos when there is none.
size_t FindLastBackslash(const std::string& text);

// path cut before its last "\" (no trailing backslash): "C:\Games\a.exe" gives
// "C:\Games"; empty when path has none.
std::string FolderBeforeLastBackslash(const std::string& path);

// How many bytes of text, at most maxBytes, form whole characters: a cut never
// keeps half of a two-byte character.
size_t WholeCharacterPrefix(const char* text, size_t length, size_t maxBytes);

}  // namespace vantor
