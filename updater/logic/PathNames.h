// Rules for names that come from a package address or a manifest and end up
// as files below the installation folder. Text is GBK: a trail byte 0x5C is
// part of a character, never a separator.
#pragma once

#include <cstddef>

namespace vantor {

inline bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

// One name of a path (no separator in it) that Windows keeps inside its
// folder: not empty, not made only of dots and blanks (Windows drops trailing
// dots and blanks, so ". ." means the folder itself and ". . ." its parent),
// no ":" (a drive or a stream) and no control character.
bool IsPlainFileName(const char* begin, const char* end);

// Length of the character at p (1 or 2 bytes), see GbkText.h.
size_t PathCharLength(const char* p, const char* end);

}  // namespace vantor
