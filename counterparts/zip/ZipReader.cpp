#include "ZipReader.h"

#include <zlib.h>

#include <memory>

namespace vzip {
namespace {

constexpr size_t kBufferSize = 64 * 1024;
constexpr size_t kMaxTail = kEndRecordSize + 0xFFFF;  // record + longest comment

}  // namespace

ZipStatus ZipReader::Open(const std::string& archivePath) {
    vantor::StdFile f = vantor::StdFile::Open(archivePath.c_str(), "rb");
    if (!f) return ZipStatus::CannotOpen;
    return Open(std::move(f));
}

ZipStatus ZipReader::Open(vantor::StdFile file) {
    m_entries.clear();
    m_file = std::move(file);
    if (!m_file) return ZipStatus::CannotOpen;
    ZipStatus status = ReadDirectory();
    if (status != ZipStatus::Ok) Close();
    return status;
}

ZipStatus ZipReader::ReadDirectory() {
    int64_t size = m_file.Size();
    if (size < static_cast<int64_t>(kEndRecordSize)) return ZipStatus::NotAnArchive;
    size_t tailSize = static_cast<size_t>(size < static_cast<int64_t>(kMaxTail) ? size : kMaxTail);
    std::vector<uint8_t> tail(tailSize);
    int64_t tailOffset = size - static_cast<int64_t>(tailSize);
    if (!m_file.Seek(tailOffset) || !m_file.ReadExact(tail.data(), tailSize)) return ZipStatus::NotAnArchive;
    EndRecord end;
    uint64_t endOffset = 0;
    if (!FindEndRecord(tail.data(), tailSize, &end, &endOffset, static_cast<uint64_t>(tailOffset)))
        return ZipStatus::NotAnArchive;
    if (uint64_t(end.directoryOffset) + end.directorySize > endOffset) return ZipStatus::BadDirectory;

    std::vector<uint8_t> directory(end.directorySize);
    if (!m_file.Seek(end.directoryOffset) ||
        (!directory.empty() && !m_file.ReadExact(directory.data(), directory.size())))
        return ZipStatus::BadDirectory;
    m_directoryOffset = end.directoryOffset;
    size_t pos = 0;
    for (uint16_t i = 0; i < end.entryCount; ++i) {
        if (directory.size() - pos < kCentralHeaderSize) return ZipStatus::BadDirectory;
        EntryRecord e;
        size_t nameLength = 0, trailing = 0;
        if (!DecodeCentralHeader(directory.data() + pos, &e, &nameLength, &trailing))
            return ZipStatus::BadDirectory;
        pos += kCentralHeaderSize;
        if (directory.size() - pos < nameLength + trailing) return ZipStatus::BadDirectory;
        e.name.assign(reinterpret_cast<const char*>(directory.data() + pos), nameLength);
        pos += nameLength + trailing;
        if (e.localOffset >= end.directoryOffset) return ZipStatus::BadDirectory;
        m_entries.push_back(std::move(e));
    }
    return ZipStatus::Ok;
}

ZipStatus ZipReader::Extract(size_t index, const Sink& sink) {
    if (!m_file || index >= m_entries.size()) return ZipStatus::BadEntry;
    const EntryRecord& e = m_entries[index];
    if (e.flags & kFlagEncrypted) return ZipStatus::Unsupported;
    if (e.method != kMethodStored && e.method != kMethodDeflated) return ZipStatus::Unsupported;
    uint8_t header[kLocalHeaderSize];
    size_t nameAndExtra = 0;
    if (!m_file.Seek(e.localOffset) || !m_file.ReadExact(header, sizeof header) ||
        !DecodeLocalHeader(header, &nameAndExtra))
        return ZipStatus::BadEntry;
    int64_t dataOffset = int64_t(e.localOffset) + int64_t(kLocalHeaderSize) + int64_t(nameAndExtra);
    if (dataOffset + int64_t(e.compressedSize) > m_directoryOffset) return ZipStatus::BadEntry;
    if (!m_file.Seek(dataOffset)) return ZipStatus::BadEntry;
    return e.method == kMethodStored ? CopyStored(e, sink) : Inflate(e, sink);
}

ZipStatus ZipReader::CopyStored(const EntryRecord& e, const Sink& sink) {
    if (e.compressedSize != e.size) return ZipStatus::CorruptData;
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[kBufferSize]);
    uLong crc = crc32(0, nullptr, 0);
    uint32_t left = e.size;
    while (left > 0) {
        size_t chunk = left < kBufferSize ? left : kBufferSize;
        if (!m_file.ReadExact(buffer.get(), chunk)) return ZipStatus::BadEntry;
        crc = crc32(crc, buffer.get(), static_cast<uInt>(chunk));
        if (!sink(buffer.get(), chunk)) return ZipStatus::OutputFailed;
        left -= static_cast<uint32_t>(chunk);
    }
    return crc == e.crc ? ZipStatus::Ok : ZipStatus::CorruptData;
}

ZipStatus ZipReader::Inflate(const EntryRecord& e, const Sink& sink) {
    z_stream zs = {};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return ZipStatus::CorruptData;
    std::unique_ptr<uint8_t[]> in(new uint8_t[kBufferSize]);
    std::unique_ptr<uint8_t[]> out(new uint8_t[kBufferSize]);
    uLong crc = crc32(0, nullptr, 0);
    uint32_t inputLeft = e.compressedSize;
    uint64_t produced = 0;
    ZipStatus status = ZipStatus::Ok;
    int rc = Z_OK;
    while (status == ZipStatus::Ok && rc != Z_STREAM_END) {
        if (zs.avail_in == 0) {
            if (inputLeft == 0) { status = ZipStatus::CorruptData; break; }  // stream ends early
            size_t chunk = inputLeft < kBufferSize ? inputLeft : kBufferSize;
            if (!m_file.ReadExact(in.get(), chunk)) { status = ZipStatus::BadEntry; break; }
            inputLeft -= static_cast<uint32_t>(chunk);
            zs.next_in = in.get();
            zs.avail_in = static_cast<uInt>(chunk);
        }
        zs.next_out = out.get();
        zs.avail_out = kBufferSize;
        rc = inflate(&zs, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END) { status = ZipStatus::CorruptData; break; }
        size_t got = kBufferSize - zs.avail_out;
        produced += got;
        // Never hand on more than the directory promised (a small entry that
        // inflates without end must not fill the disk).
        if (produced > e.size) { status = ZipStatus::CorruptData; break; }
        crc = crc32(crc, out.get(), static_cast<uInt>(got));
        if (got > 0 && !sink(out.get(), got)) status = ZipStatus::OutputFailed;
    }
    inflateEnd(&zs);
    if (status != ZipStatus::Ok) return status;
    if (produced != e.size || crc != e.crc) return ZipStatus::CorruptData;
    return ZipStatus::Ok;
}

}  // namespace vzip
