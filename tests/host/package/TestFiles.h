// Scratch folders and small file helpers for the package tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pktest {

// A fresh folder under /tmp, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& data);
bool Exists(const std::string& path);
std::vector<std::string> ListFolder(const std::string& path);  // sorted names
std::string Bytes(size_t size, uint32_t seed);                  // reproducible content

// A zip archive built by hand, so that names and records can be anything.
struct RawEntry {
    std::string name;
    std::string data;
    bool deflate = true;
};
std::string BuildZip(const std::vector<RawEntry>& entries);

// An inner package built by hand from its parts.
struct RawPackageEntry {
    std::string name;
    int32_t offset;
    int32_t size;
};
std::string BuildPackage(const std::vector<RawPackageEntry>& entries, const std::string& data);

}  // namespace pktest
