// Reading a package from an open stream: the checked entry table and the copy
// of one entry's data in chunks of 1024 bytes. The chunks are what this code
// moves at a time; the C streams underneath buffer reads and writes as usual.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "PackageFormat.h"

namespace pk {

// Owner of one C stream (closed once, by its destructor or Close()).
class CFile {
public:
    CFile() = default;
    explicit CFile(FILE* f) : m_file(f) {}
    ~CFile() { Close(); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    CFile(CFile&& other) noexcept : m_file(other.m_file) { other.m_file = nullptr; }
    CFile& operator=(CFile&& other) noexcept;

    static CFile Open(const char* path, const char* mode) { return CFile(std::fopen(path, mode)); }
    FILE* get() const { return m_file; }
    explicit operator bool() const { return m_file != nullptr; }
    bool Seek(int64_t offset);
    int64_t Tell() const;  // -1 on failure
    int64_t Size();  // -1 on failure; leaves the position at the end
    bool Close();    // false when buffered data could not be written

private:
    FILE* m_file = nullptr;
};

// Reads and checks the header and the whole table; every entry must be a safe
// bare name whose data lies inside the package.
PackageStatus ReadPackageTable(CFile& package, CharLengthRule charLength,
                               std::vector<PackageEntry>* entries);

// Copies size bytes from offset of the package to out through one 1024-byte buffer.
bool CopyRange(CFile& package, int64_t offset, int64_t size, FILE* out);

// Copies the next size bytes of in to out through one 1024-byte buffer; false
// when in ends early or a write fails.
bool CopyChunks(FILE* in, int64_t size, FILE* out);

}  // namespace pk
