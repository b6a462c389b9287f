#include "PackageFile.h"

namespace pk {

PackageStatus ReadPackageTable(vantor::StdFile& package, CharLengthRule charLength,
                               std::vector<PackageEntry>* entries) {
    entries->clear();
    int64_t size = package.Size();
    if (size < 0 || !package.Seek(0)) return PackageStatus::ReadFailed;
    uint8_t header[kHeaderSize];
    if (size < int64_t(kHeaderSize) || std::fread(header, 1, kHeaderSize, package.get()) != kHeaderSize)
        return PackageStatus::ShortHeader;
    int32_t count = 0;
    PackageStatus status = DecodeHeader(header, &count);
    if (status != PackageStatus::Ok) return status;
    // Checked before anything is allocated for the table.
    if (count < 0 || int64_t(kHeaderSize) + int64_t(kEntrySize) * count > size) return PackageStatus::BadCount;
    entries->reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        uint8_t raw[kEntrySize];
        if (std::fread(raw, 1, kEntrySize, package.get()) != kEntrySize) return PackageStatus::ReadFailed;
        PackageEntry entry;
        status = DecodeEntry(raw, size, &entry);
        if (status != PackageStatus::Ok) return status;
        if (!IsSafeBareName(entry.name, charLength)) return PackageStatus::BadName;
        entries->push_back(std::move(entry));
    }
    return PackageStatus::Ok;
}

bool CopyChunks(FILE* in, int64_t size, FILE* out) {
    char buffer[kChunkSize];
    while (size > 0) {
        size_t chunk = size < int64_t(kChunkSize) ? static_cast<size_t>(size) : kChunkSize;
        if (std::fread(buffer, 1, chunk, in) != chunk) return false;
        if (std::fwrite(buffer, 1, chunk, out) != chunk) return false;
        size -= static_cast<int64_t>(chunk);
    }
    return true;
}

}  // namespace pk
