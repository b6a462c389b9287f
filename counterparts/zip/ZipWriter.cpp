#include "ZipWriter.h"

#include <zlib.h>

#include <cstdio>
#include <memory>

#include "FileSystem.h"

namespace vzip {
namespace {

constexpr size_t kBufferSize = 64 * 1024;
constexpr int kLevel = 6;
constexpr int64_t kMaxZipOffset = 0xFFFFFFFFll;

}  // namespace

bool ZipWriter::Create(const std::string& archivePath) {
    Abandon();
    m_file = vantor::StdFile::Open(archivePath.c_str(), "wb");
    if (!m_file) return false;
    m_path = archivePath;
    m_entries.clear();
    m_failed = false;
    return true;
}

bool ZipWriter::AddFile(const std::string& sourcePath, const std::string& storedName) {
    if (!m_file || m_failed) return false;
    m_failed = true;  // cleared only when the entry is complete
    if (storedName.empty() || storedName.size() > 0xFFFF || m_entries.size() >= 0xFFFF) return false;
    vantor::StdFile source = vantor::StdFile::Open(sourcePath.c_str(), "rb");
    if (!source) return false;
    int64_t size = source.Size();
    if (size < 0 || size >= kMaxZipOffset || !source.Seek(0)) return false;

    EntryRecord entry;
    entry.name = storedName;
    entry.method = kMethodDeflated;
    entry.dosTime = DosTimeOfFile(sourcePath.c_str());
    int64_t headerOffset = m_file.Tell();
    if (headerOffset < 0 || headerOffset >= kMaxZipOffset) return false;
    entry.localOffset = static_cast<uint32_t>(headerOffset);

    uint8_t header[kLocalHeaderSize];
    EncodeLocalHeader(entry, header);  // CRC and sizes still zero
    if (!m_file.WriteAll(header, sizeof header) || !m_file.WriteAll(storedName.data(), storedName.size()))
        return false;
    if (!CopyDeflated(source, &entry)) return false;
    if (entry.size != static_cast<uint64_t>(size)) return false;  // the file changed while read

    int64_t end = m_file.Tell();
    if (end < 0 || end > kMaxZipOffset) return false;
    EncodeLocalHeader(entry, header);
    if (!m_file.Seek(headerOffset) || !m_file.WriteAll(header, sizeof header) || !m_file.Seek(end))
        return false;
    m_entries.push_back(entry);
    m_failed = false;
    return true;
}

bool ZipWriter::CopyDeflated(vantor::StdFile& source, EntryRecord* entry) {
    z_stream zs = {};
    if (deflateInit2(&zs, kLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    std::unique_ptr<uint8_t[]> in(new uint8_t[kBufferSize]);
    std::unique_ptr<uint8_t[]> out(new uint8_t[kBufferSize]);
    uLong crc = crc32(0, nullptr, 0);
    uint64_t total = 0, compressed = 0;
    bool ok = true;
    int flush = Z_NO_FLUSH;
    while (ok && flush != Z_FINISH) {
        size_t got = std::fread(in.get(), 1, kBufferSize, source.get());
        if (std::ferror(source.get())) { ok = false; break; }
        crc = crc32(crc, in.get(), static_cast<uInt>(got));
        total += got;
        flush = got < kBufferSize ? Z_FINISH : Z_NO_FLUSH;
        zs.next_in = in.get();
        zs.avail_in = static_cast<uInt>(got);
        do {
            zs.next_out = out.get();
            zs.avail_out = kBufferSize;
            int rc = deflate(&zs, flush);
            if (rc == Z_STREAM_ERROR) { ok = false; break; }
            size_t produced = kBufferSize - zs.avail_out;
            compressed += produced;
            if (!m_file.WriteAll(out.get(), produced)) { ok = false; break; }
        } while (zs.avail_out == 0);
        if (total >= static_cast<uint64_t>(kMaxZipOffset)) ok = false;
    }
    deflateEnd(&zs);
    if (!ok || compressed >= static_cast<uint64_t>(kMaxZipOffset)) return false;
    entry->crc = static_cast<uint32_t>(crc);
    entry->size = static_cast<uint32_t>(total);
    entry->compressedSize = static_cast<uint32_t>(compressed);
    return true;
}

bool ZipWriter::Finish() {
    if (!m_file) return false;
    if (m_failed) { Abandon(); return false; }
    int64_t directoryOffset = m_file.Tell();
    bool ok = directoryOffset >= 0;
    for (const EntryRecord& e : m_entries) {
        if (!ok) break;
        uint8_t header[kCentralHeaderSize];
        EncodeCentralHeader(e, header);
        ok = m_file.WriteAll(header, sizeof header) && m_file.WriteAll(e.name.data(), e.name.size());
    }
    int64_t directoryEnd = m_file.Tell();
    ok = ok && directoryEnd >= 0 && directoryEnd <= kMaxZipOffset;
    if (ok) {
        EndRecord end;
        end.entryCount = static_cast<uint16_t>(m_entries.size());
        end.directoryOffset = static_cast<uint32_t>(directoryOffset);
        end.directorySize = static_cast<uint32_t>(directoryEnd - directoryOffset);
        uint8_t record[kEndRecordSize];
        EncodeEndRecord(end, record);
        ok = m_file.WriteAll(record, sizeof record);
    }
    if (!ok || !m_file.Close()) {
        Abandon();
        std::remove(m_path.c_str());
        return false;
    }
    m_entries.clear();
    return true;
}

void ZipWriter::Abandon() {
    if (!m_file) return;
    m_file.Close();
    std::remove(m_path.c_str());
    m_entries.clear();
}

}  // namespace vzip
