// Writes a standard zip archive: each file deflated (zlib, level 6 like zip's
// default) behind a local header whose CRC-32 and sizes are filled in afterwards,
// then the central directory and the end record.
#pragma once

#include <string>
#include <vector>

#include "io/StdFile.h"
#include "ZipRecords.h"

namespace vzip {

class ZipWriter {
public:
    ZipWriter() = default;
    ~ZipWriter() { Abandon(); }
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    bool Create(const std::string& archivePath);
    // Adds the file at sourcePath under storedName. A file of 4 GB or more, more
    // than 65535 entries or an archive that passes 4 GB does not fit (no zip64).
    // partEnds (ascending source offsets) mark where independent parts of the file
    // end: each part is deflated on its own history, as separate entries would be,
    // which for many small parts costs a few per cent of size and saves about half
    // the deflate time. The entry stays one ordinary deflated stream.
    // evenParts instead makes a part of every evenParts bytes (0: one part).
    bool AddFile(const std::string& sourcePath, const std::string& storedName,
                 const std::vector<int64_t>& partEnds = {}, int64_t evenParts = 0);
    // Writes the directory and closes the archive. After any failure since Create
    // the incomplete archive is deleted and the result is false.
    bool Finish();
    // Closes and deletes an unfinished archive.
    void Abandon();
    bool IsOpen() const { return static_cast<bool>(m_file); }

private:
    bool CopyDeflated(vantor::StdFile& source, int64_t size, const std::vector<int64_t>& partEnds,
                      EntryRecord* entry);

    vantor::StdFile m_file;
    std::string m_path;
    std::vector<EntryRecord> m_entries;
    bool m_failed = false;
};

}  // namespace vzip
