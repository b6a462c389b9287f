// Which file a path leads to, so that two spellings of one file (letter case,
// short names, hard links) are known as the same: the package library and the
// zip component refuse to write a file over the one they are reading.
#pragma once

#include <cstdint>

namespace fw {

struct FileIdentity {
    uint32_t volume = 0;  // volume serial number
    uint64_t index = 0;   // file index on that volume
};

// False when path names nothing that can be opened.
bool GetFileIdentity(const char* path, FileIdentity& identity);

}  // namespace fw
