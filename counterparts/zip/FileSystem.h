// The few file-system services the zip component needs beyond C streams; one
// implementation per platform (FileSystem_win32.cpp, FileSystem_posix.cpp).
#pragma once

#include <cstdint>
#include <string>

namespace vzip {

extern const char kNativeSeparator;

// True when c starts a two-byte character in the system's ANSI code page, so that
// a following 0x5C byte is part of that character and not a "\" separator.
bool IsLeadByte(unsigned char c);

// Creates one folder; true if it exists afterwards.
bool MakeFolder(const std::string& path);

// True when both paths name the same existing file.
bool IsSameFile(const std::string& a, const std::string& b);

// Modification time of a file in MS-DOS form (time in the low half, date in the high).
uint32_t DosTimeOfFile(const char* path);

}  // namespace vzip
