// Feeds arbitrary bytes to the zip reader (as an archive) and to the package
// reader (as the bare input and as every entry the archive yields), copying all
// data that the readers accept into a sink.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "EntryName.h"
#include "PackageFile.h"
#include "ZipReader.h"

namespace {

constexpr size_t kMaxEntryBytes = 1 << 20;

void ReadAsPackage(const std::string& bytes) {
    FILE* f = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    if (!f) return;  // fmemopen refuses an empty buffer
    vantor::StdFile package(f);
    std::vector<pk::PackageEntry> entries;
    if (pk::ReadPackageTable(package, nullptr, &entries) != pk::PackageStatus::Ok) return;
    static FILE* sink = std::fopen("/dev/null", "wb");
    for (const pk::PackageEntry& e : entries) {
        // Checked ranges must copy, as the unpacking does it.
        if (!package.Seek(e.offset) || !pk::CopyChunks(package.get(), e.size, sink)) __builtin_trap();
    }
}

void ReadAsArchive(const std::string& bytes) {
    FILE* f = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    if (!f) return;
    vzip::ZipReader reader;
    if (reader.Open(vantor::StdFile(f)) != vzip::ZipStatus::Ok) return;
    for (size_t i = 0; i < reader.Entries().size() && i < 16; ++i) {
        std::vector<std::string> parts;
        bool isFolder = false;
        vzip::SplitEntryName(reader.Entries()[i].name, &parts, &isFolder);
        std::string data;
        vzip::ZipStatus status = reader.Extract(i, [&data](const uint8_t* p, size_t n) {
            if (data.size() + n > kMaxEntryBytes) return false;
            data.append(reinterpret_cast<const char*>(p), n);
            return true;
        });
        if (status == vzip::ZipStatus::Ok) ReadAsPackage(data);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ReadAsPackage(bytes);
    ReadAsArchive(bytes);
    return 0;
}
