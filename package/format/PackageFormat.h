// The inner update package: a 260-byte header (256-byte magic field holding
// "ParcelkitPk" and its NUL, then the entry count), a table of 264-byte entries
// (256-byte NUL-terminated bare file name, data offset, data size) and the file
// data. All integers are 32-bit signed little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "PathText.h"

namespace pk {

constexpr char kMagic[] = "ParcelkitPk";
constexpr size_t kMagicFieldSize = 256;
constexpr size_t kHeaderSize = 260;
constexpr size_t kNameFieldSize = 256;
constexpr size_t kEntrySize = 264;
constexpr size_t kMaxFiles = 100;
constexpr size_t kChunkSize = 1024;  // data moves through one buffer of this size
constexpr int64_t kMaxOffset = INT32_MAX;

struct PackageEntry {
    std::string name;
    int32_t offset = 0;
    int32_t size = 0;
};

enum class PackageStatus {
    Ok,
    CannotOpen,
    ShortHeader,       // fewer than 260 bytes
    BadMagic,          // the magic text is not "ParcelkitPk"
    BadCount,          // negative, or the table would pass the end of the file
    BadName,           // no NUL in the name field, or not a safe bare file name
    EntryOutsideFile,  // negative offset or size, or data past the end of the file
    ReadFailed,
};

void EncodeHeader(int32_t count, uint8_t out[kHeaderSize]);
void EncodeEntry(const PackageEntry& entry, uint8_t out[kEntrySize]);
// Checks the magic and gives the count as stored (not yet checked).
PackageStatus DecodeHeader(const uint8_t in[kHeaderSize], int32_t* count);
// Decodes one entry and checks it against the package's size.
PackageStatus DecodeEntry(const uint8_t in[kEntrySize], int64_t packageSize, PackageEntry* entry);

// A name that, joined to a folder, stays a file in that folder: not empty, under
// 256 bytes, no "\", "/" or ":", not made only of dots and spaces, and not a
// device name such as CON or LPT1. charLength (may be null) steps over two-byte
// characters, whose second byte may look like "\".
bool IsSafeBareName(const std::string& name, CharLengthRule charLength);

// Places the files back to back after the table, in order. False when an offset
// or the end of the data would pass the signed 32-bit range.
bool LayOutEntries(const std::vector<std::string>& names, const std::vector<int64_t>& sizes,
                   std::vector<PackageEntry>* entries);

}  // namespace pk
