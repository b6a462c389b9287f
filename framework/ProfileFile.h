// Reading and writing keys of profile files (ClientInfo.ini and its kind).
// The launcher reads its settings and locations through these; the updater
// records the new client version with WriteProfileString.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// windows.h maps WriteProfileString (win.ini) to WriteProfileStringA; without
// this the function below would carry that name in some files and not in others.
#undef WriteProfileString

namespace fw {

// The value of key in section of the file at path, at most maxChars bytes
// (a longer value is cut there); empty when the file, section or key is missing.
std::string ReadProfileString(const std::string& path, const char* section, const char* key, size_t maxChars);

// The decimal value of the key; defaultValue when the key is missing.
int ReadProfileInt(const std::string& path, const char* section, const char* key, int defaultValue);

// Writes value under key of section, creating the file, section or key as needed;
// false when the system refuses the write.
bool WriteProfileString(const std::string& path, const char* section, const char* key, const std::string& value);

}  // namespace fw
