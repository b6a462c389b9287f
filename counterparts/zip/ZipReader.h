// Reads a standard zip archive: finds the end record, loads the central
// directory and streams one entry at a time (stored or deflated) with its CRC-32
// checked. Nothing an archive says is trusted: every offset and size is checked
// against the archive's own extent before it is used.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "io/StdFile.h"
#include "ZipRecords.h"

namespace vzip {

enum class ZipStatus {
    Ok,
    CannotOpen,
    NotAnArchive,     // no end record
    BadDirectory,     // directory outside the archive or a broken header
    BadEntry,         // local header or data outside the archive
    Unsupported,      // encryption or a method other than stored and deflate
    CorruptData,      // inflate error, wrong size or CRC-32 mismatch
    OutputFailed,     // the sink refused the data
};

class ZipReader {
public:
    // Receives the entry's bytes in order; false stops the extraction.
    using Sink = std::function<bool(const uint8_t* data, size_t size)>;

    ZipStatus Open(const std::string& archivePath);
    // For tests and the fuzzer: reads an already opened stream (taken over).
    ZipStatus Open(vantor::StdFile file);
    void Close() { m_file.Close(); m_entries.clear(); }
    bool IsOpen() const { return static_cast<bool>(m_file); }

    const std::vector<EntryRecord>& Entries() const { return m_entries; }
    ZipStatus Extract(size_t index, const Sink& sink);

private:
    ZipStatus ReadDirectory();
    ZipStatus Inflate(const EntryRecord& e, const Sink& sink);
    ZipStatus CopyStored(const EntryRecord& e, const Sink& sink);

    vantor::StdFile m_file;
    int64_t m_directoryOffset = 0;  // entry data must end before it
    std::vector<EntryRecord> m_entries;
};

}  // namespace vzip
