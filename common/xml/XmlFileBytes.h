// Reading a whole file as raw bytes with the C runtime, for XmlDocument::LoadFile.
#pragma once

#include <string>

namespace xml {

// On success bytes holds the file's content. On failure error holds the
// runtime library's text for the system error and bytes is untouched.
bool ReadFileBytes(const char* path, std::string& bytes, std::string& error);

}  // namespace xml
