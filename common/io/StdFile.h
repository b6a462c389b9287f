// Owner of one C stream: the package library, the zip component and the XML
// reader's file loading all hold their files in it. Move-only, so a stream is
// closed exactly once, by Close() or by the destructor. Close() tells whether
// fclose succeeded, which is where a write's buffered data can still fail.
// Positions are 64-bit: archives and packages may pass 2 GB before a size check
// refuses them, so they are never kept in a long.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace vantor {

class StdFile {
public:
    StdFile() = default;
    explicit StdFile(FILE* f) : m_file(f) {}
    ~StdFile() { Close(); }
    StdFile(const StdFile&) = delete;
    StdFile& operator=(const StdFile&) = delete;
    StdFile(StdFile&& other) noexcept : m_file(std::exchange(other.m_file, nullptr)) {}
    StdFile& operator=(StdFile&& other) noexcept {
        if (this != &other) {
            Close();
            m_file = std::exchange(other.m_file, nullptr);
        }
        return *this;
    }

    static StdFile Open(const char* path, const char* mode) { return StdFile(std::fopen(path, mode)); }

    FILE* get() const { return m_file; }
    explicit operator bool() const { return m_file != nullptr; }

    bool Seek(int64_t offset) {
#ifdef _WIN32
        return _fseeki64(m_file, offset, SEEK_SET) == 0;
#else
        return fseeko(m_file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
    }
    // The position; -1 on failure.
    int64_t Tell() const {
#ifdef _WIN32
        return _ftelli64(m_file);
#else
        return static_cast<int64_t>(ftello(m_file));
#endif
    }
    // Size of the whole stream; leaves the position at the end. -1 on failure.
    int64_t Size() {
#ifdef _WIN32
        if (_fseeki64(m_file, 0, SEEK_END) != 0) return -1;
#else
        if (fseeko(m_file, 0, SEEK_END) != 0) return -1;
#endif
        return Tell();
    }
    bool ReadExact(void* buffer, size_t size) { return std::fread(buffer, 1, size, m_file) == size; }
    bool WriteAll(const void* buffer, size_t size) { return std::fwrite(buffer, 1, size, m_file) == size; }

    // Closes the stream; false when fclose fails (buffered data not written).
    // True when there is nothing to close.
    bool Close() {
        if (!m_file) return true;
        return std::fclose(std::exchange(m_file, nullptr)) == 0;
    }

private:
    FILE* m_file = nullptr;
};

}  // namespace vantor
