// Character stepping in the system code page of the game's players, GBK
// (code page 936): a lead byte 0x81-0xFE followed by a trail byte 0x40-0x7E or
// 0x80-0xFE is one character; every other byte is a character of its own.
//
// The trail range never contains the bytes below 0x40, so "<", ">", "&", ";",
// "/", "?", "-", "=", the quotes and white space are always whole characters and
// a byte search for them finds only real ones. Backslash, "[", "]", letters and
// the other bytes from 0x40 up can be trail bytes; wherever the reader looks
// for those it steps character by character.
//
// The rule is applied the same way in every build, so the reader the programs
// run is the one the native tests and the fuzzer exercise.
#pragma once

#include <cstddef>

namespace xml {

inline bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

inline bool IsTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE);
}

// Length in bytes (1 or 2) of the character at p; end bounds the text, so a lead
// byte in the last position is one character and nothing is read past end.
inline size_t CharLength(const char* p, const char* end) {
    if (IsLeadByte(static_cast<unsigned char>(p[0])) && end - p >= 2 &&
        IsTrailByte(static_cast<unsigned char>(p[1])))
        return 2;
    return 1;
}

// True when offset splits no character of text[0, length), stepping from the start.
bool IsCharBoundary(const char* text, size_t length, size_t offset);

}  // namespace xml
