// The few file-system services the zip component needs beyond C streams; one
// implementation per platform (FileSystem_win32.cpp, FileSystem_posix.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vzip {

extern const char kNativeSeparator;

// Length in bytes of the character at p (end bounds the text): on Windows the
// GBK rule of code page 936, in which the game runs, so that a 0x5C trail byte
// is part of its character and not a "\" separator; elsewhere one byte.
size_t CharLength(const char* p, const char* end);

// Creates one folder; true if it exists afterwards.
bool MakeFolder(const std::string& path);

// True when both paths name the same existing file.
bool IsSameFile(const std::string& a, const std::string& b);

// Modification time of a file in MS-DOS form (time in the low half, date in the high).
uint32_t DosTimeOfFile(const char* path);

}  // namespace vzip
