// The three zip records this component reads and writes: local file header,
// central directory header and end of central directory. Little-endian, no zip64.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vzip {

constexpr uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr uint32_t kEndRecordSignature = 0x06054b50;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kCentralHeaderSize = 46;
constexpr size_t kEndRecordSize = 22;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kVersionNeeded = 20;  // deflate

inline uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t Get32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline void Put16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
inline void Put32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); p[2] = uint8_t(v >> 16); p[3] = uint8_t(v >> 24);
}

// What one entry's central header says; the local header repeats part of it.
struct EntryRecord {
    std::string name;
    uint16_t flags = 0;
    uint16_t method = kMethodDeflated;
    uint32_t dosTime = 0;  // date in the high half
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t size = 0;
    uint32_t localOffset = 0;
};

struct EndRecord {
    uint16_t entryCount = 0;
    uint32_t directorySize = 0;
    uint32_t directoryOffset = 0;
};

void EncodeLocalHeader(const EntryRecord& e, uint8_t out[kLocalHeaderSize]);
void EncodeCentralHeader(const EntryRecord& e, uint8_t out[kCentralHeaderSize]);
void EncodeEndRecord(const EndRecord& r, uint8_t out[kEndRecordSize]);

// Decoders check the signature and return false on a mismatch. The central header
// decoder also reports how many bytes (name, extra field, comment) follow it.
bool DecodeCentralHeader(const uint8_t* in, EntryRecord* e, size_t* nameLength, size_t* trailingLength);
bool DecodeLocalHeader(const uint8_t* in, size_t* nameAndExtraLength);
// Finds the last end record in the tail of an archive (tail = the archive's last
// bytes, tailOffset = where they start); false if there is none or it spans disks.
bool FindEndRecord(const uint8_t* tail, size_t tailSize, EndRecord* r, uint64_t* recordOffset,
                   uint64_t tailOffset);

}  // namespace vzip
