// Feeds arbitrary bytes to the zip reader as an archive and extracts every entry
// it lists. The reader must never hand on more bytes than an entry's directory
// record promises, and an entry it reports as whole must have exactly that size
// and checksum. Each directory record read back must also survive being written
// and decoded again unchanged, and each name the unzipping accepts must stay
// below its folder.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "EntryName.h"
#include "ZipReader.h"
#include "ZipRecords.h"

namespace {

constexpr size_t kMaxEntries = 32;

void CheckRecordRoundTrip(const vzip::EntryRecord& e) {
    uint8_t raw[vzip::kCentralHeaderSize];
    vzip::EncodeCentralHeader(e, raw);
    vzip::EntryRecord back;
    size_t nameLength = 0, trailing = 0;
    if (!vzip::DecodeCentralHeader(raw, &back, &nameLength, &trailing)) __builtin_trap();
    if (back.flags != e.flags || back.method != e.method || back.dosTime != e.dosTime || back.crc != e.crc ||
        back.compressedSize != e.compressedSize || back.size != e.size || back.localOffset != e.localOffset ||
        nameLength != e.name.size())
        __builtin_trap();
}

void CheckName(const std::string& name) {
    std::vector<std::string> parts;
    bool isFolder = false;
    if (!vzip::SplitEntryName(name, &parts, &isFolder)) return;
    if (parts.empty() && !isFolder) __builtin_trap();
    for (const std::string& part : parts) {
        if (part.empty() || part.find_first_not_of(". ") == std::string::npos) __builtin_trap();
        if (part.find_first_of("/\\:") != std::string::npos) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    FILE* f = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    if (!f) return 0;  // fmemopen refuses an empty buffer
    vzip::ZipReader reader;
    if (reader.Open(vantor::StdFile(f)) != vzip::ZipStatus::Ok) {
        if (reader.IsOpen() || !reader.Entries().empty()) __builtin_trap();
        return 0;
    }
    const size_t count = reader.Entries().size();
    for (size_t i = 0; i < count && i < kMaxEntries; ++i) {
        const vzip::EntryRecord e = reader.Entries()[i];
        CheckRecordRoundTrip(e);
        CheckName(e.name);
        uint64_t handed = 0;
        uLong crc = crc32(0, nullptr, 0);
        vzip::ZipStatus status = reader.Extract(i, [&](const uint8_t* p, size_t n) {
            if (n == 0) __builtin_trap();
            handed += n;
            if (handed > e.size) __builtin_trap();  // more than the directory promised
            crc = crc32(crc, p, static_cast<uInt>(n));
            return true;
        });
        if (status == vzip::ZipStatus::Ok && (handed != e.size || crc != e.crc)) __builtin_trap();
        if (status == vzip::ZipStatus::OutputFailed) __builtin_trap();  // this sink never refuses
    }
    // An index past the list is refused, not read.
    if (reader.Extract(count, [](const uint8_t*, size_t) { return true; }) != vzip::ZipStatus::BadEntry)
        __builtin_trap();
    return 0;
}
