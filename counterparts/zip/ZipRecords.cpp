#include "ZipRecords.h"

namespace vzip {

void EncodeLocalHeader(const EntryRecord& e, uint8_t out[kLocalHeaderSize]) {
    Put32(out + 0, kLocalHeaderSignature);
    Put16(out + 4, kVersionNeeded);
    Put16(out + 6, e.flags);
    Put16(out + 8, e.method);
    Put32(out + 10, e.dosTime);
    Put32(out + 14, e.crc);
    Put32(out + 18, e.compressedSize);
    Put32(out + 22, e.size);
    Put16(out + 26, static_cast<uint16_t>(e.name.size()));
    Put16(out + 28, 0);  // extra field length
}

void EncodeCentralHeader(const EntryRecord& e, uint8_t out[kCentralHeaderSize]) {
    Put32(out + 0, kCentralHeaderSignature);
    Put16(out + 4, kVersionNeeded);  // made by: MS-DOS attributes, version 2.0
    Put16(out + 6, kVersionNeeded);
    Put16(out + 8, e.flags);
    Put16(out + 10, e.method);
    Put32(out + 12, e.dosTime);
    Put32(out + 16, e.crc);
    Put32(out + 20, e.compressedSize);
    Put32(out + 24, e.size);
    Put16(out + 28, static_cast<uint16_t>(e.name.size()));
    Put16(out + 30, 0);  // extra field length
    Put16(out + 32, 0);  // comment length
    Put16(out + 34, 0);  // disk number start
    Put16(out + 36, 0);  // internal attributes
    Put32(out + 38, 0x20);  // external attributes: archive bit
    Put32(out + 42, e.localOffset);
}

void EncodeEndRecord(const EndRecord& r, uint8_t out[kEndRecordSize]) {
    Put32(out + 0, kEndRecordSignature);
    Put16(out + 4, 0);
    Put16(out + 6, 0);
    Put16(out + 8, r.entryCount);
    Put16(out + 10, r.entryCount);
    Put32(out + 12, r.directorySize);
    Put32(out + 16, r.directoryOffset);
    Put16(out + 20, 0);  // comment length
}

bool DecodeCentralHeader(const uint8_t* in, EntryRecord* e, size_t* nameLength, size_t* trailingLength) {
    if (Get32(in) != kCentralHeaderSignature) return false;
    e->flags = Get16(in + 8);
    e->method = Get16(in + 10);
    e->dosTime = Get32(in + 12);
    e->crc = Get32(in + 16);
    e->compressedSize = Get32(in + 20);
    e->size = Get32(in + 24);
    *nameLength = Get16(in + 28);
    *trailingLength = size_t(Get16(in + 30)) + Get16(in + 32);
    e->localOffset = Get32(in + 42);
    return true;
}

bool DecodeLocalHeader(const uint8_t* in, size_t* nameAndExtraLength) {
    if (Get32(in) != kLocalHeaderSignature) return false;
    *nameAndExtraLength = size_t(Get16(in + 26)) + Get16(in + 28);
    return true;
}

bool FindEndRecord(const uint8_t* tail, size_t tailSize, EndRecord* r, uint64_t* recordOffset,
                   uint64_t tailOffset) {
    if (tailSize < kEndRecordSize) return false;
    // Scan backwards: the record is followed only by its own comment, whose
    // length must reach exactly to the end (a signature inside a comment is skipped).
    for (size_t pos = tailSize - kEndRecordSize + 1; pos-- > 0;) {
        const uint8_t* p = tail + pos;
        if (Get32(p) != kEndRecordSignature) continue;
        if (pos + kEndRecordSize + Get16(p + 20) != tailSize) continue;
        if (Get16(p + 4) != 0 || Get16(p + 6) != 0 || Get16(p + 8) != Get16(p + 10)) return false;
        r->entryCount = Get16(p + 10);
        r->directorySize = Get32(p + 12);
        r->directoryOffset = Get32(p + 16);
        *recordOffset = tailOffset + pos;
        return true;
    }
    return false;
}

}  // namespace vzip
