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

bool ZipWriter::AddFile(const std::string& sourcePath, const std::string& storedName,
                        const std::vector<int64_t>& givenEnds, int64_t evenParts) {
    if (!m_file || m_failed) return false;
    m_failed = true;  // cleared only when the entry is complete
    if (storedName.empty() || storedName.size() > 0xFFFF || m_entries.size() >= 0xFFFF) return false;
    vantor::StdFile source = vantor::StdFile::Open(sourcePath.c_str(), "rb");
    if (!source) return false;
    int64_t size = source.Size();
    if (size < 0 || size >= kMaxZipOffset || !source.Seek(0)) return false;
    std::vector<int64_t> partEnds = givenEnds;
    if (partEnds.empty() && evenParts > 0)
        for (int64_t end = evenParts; end < size; end += evenParts) partEnds.push_back(end);

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
    if (!CopyDeflated(source, size, partEnds, &entry)) return false;

    int64_t end = m_file.Tell();
    if (end < 0 || end > kMaxZipOffset) return false;
    EncodeLocalHeader(entry, header);
    if (!m_file.Seek(headerOffset) || !m_file.WriteAll(header, sizeof header) || !m_file.Seek(end))
        return false;
    m_entries.push_back(entry);
    m_failed = false;
    return true;
}

bool ZipWriter::CopyDeflated(vantor::StdFile& source, int64_t size, const std::vector<int64_t>& partEnds,
                             EntryRecord* entry) {
    z_stream zs = {};
    if (deflateInit2(&zs, kLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    std::unique_ptr<uint8_t[]> in(new uint8_t[kBufferSize]);
    std::unique_ptr<uint8_t[]> out(new uint8_t[kBufferSize]);
    uLong crc = crc32(0, nullptr, 0);
    int64_t total = 0;
    uint64_t compressed = 0;
    size_t nextPart = 0;
    bool ok = true;
    for (int flush = Z_NO_FLUSH; ok && flush != Z_FINISH;) {
        while (nextPart < partEnds.size() && partEnds[nextPart] <= total) ++nextPart;
        const int64_t stop = nextPart < partEnds.size() && partEnds[nextPart] < size ? partEnds[nextPart] : size;
        const size_t want = stop - total < int64_t(kBufferSize) ? static_cast<size_t>(stop - total) : kBufferSize;
        if (!source.ReadExact(in.get(), want)) { ok = false; break; }  // the file shrank
        crc = crc32(crc, in.get(), static_cast<uInt>(want));
        total += static_cast<int64_t>(want);
        // A full flush at the end of a part lets the next part start on an empty
        // history, which is how separate entries would be compressed.
        flush = total == size ? Z_FINISH : total == stop ? Z_FULL_FLUSH : Z_NO_FLUSH;
        zs.next_in = in.get();
        zs.avail_in = static_cast<uInt>(want);
        do {
            zs.next_out = out.get();
            zs.avail_out = kBufferSize;
            int rc = deflate(&zs, flush);
            if (rc == Z_STREAM_ERROR) { ok = false; break; }
            size_t produced = kBufferSize - zs.avail_out;
            compressed += produced;
            if (!m_file.WriteAll(out.get(), produced)) { ok = false; break; }
        } while (zs.avail_out == 0);
    }
    deflateEnd(&zs);
    // The data read must be the whole file that was sized: one that grew meanwhile is refused.
    if (ok && std::fgetc(source.get()) != EOF) ok = false;
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
