#include "TestFiles.h"

#include <dirent.h>
#include <sys/stat.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "PackageFormat.h"
#include "ZipRecords.h"

namespace pktest {

ScratchDir::ScratchDir() {
    char pattern[] = "/tmp/pktest-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp");
    m_path = pattern;
}

ScratchDir::~ScratchDir() { std::system(("rm -rf '" + m_path + "'").c_str()); }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::vector<std::string> ListFolder(const std::string& path) {
    std::vector<std::string> names;
    if (DIR* d = opendir(path.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Bytes(size_t size, uint32_t seed) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        s[i] = static_cast<char>(seed >> 16);
    }
    return s;
}

std::string BuildZip(const std::vector<RawEntry>& entries) {
    std::string out, directory;
    for (const RawEntry& raw : entries) {
        vzip::EntryRecord e;
        e.name = raw.name;
        e.method = raw.deflate ? vzip::kMethodDeflated : vzip::kMethodStored;
        e.crc = crc32(0, reinterpret_cast<const Bytef*>(raw.data.data()), static_cast<uInt>(raw.data.size()));
        e.size = static_cast<uint32_t>(raw.data.size());
        std::string body = raw.data;
        if (raw.deflate) {
            z_stream zs = {};
            deflateInit2(&zs, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
            body.assign(deflateBound(&zs, static_cast<uLong>(raw.data.size())), '\0');
            zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data.data()));
            zs.avail_in = static_cast<uInt>(raw.data.size());
            zs.next_out = reinterpret_cast<Bytef*>(&body[0]);
            zs.avail_out = static_cast<uInt>(body.size());
            deflate(&zs, Z_FINISH);
            body.resize(zs.total_out);
            deflateEnd(&zs);
        }
        e.compressedSize = static_cast<uint32_t>(body.size());
        e.localOffset = static_cast<uint32_t>(out.size());
        uint8_t local[vzip::kLocalHeaderSize], central[vzip::kCentralHeaderSize];
        vzip::EncodeLocalHeader(e, local);
        vzip::EncodeCentralHeader(e, central);
        out.append(reinterpret_cast<char*>(local), sizeof local).append(e.name).append(body);
        directory.append(reinterpret_cast<char*>(central), sizeof central).append(e.name);
    }
    vzip::EndRecord end;
    end.entryCount = static_cast<uint16_t>(entries.size());
    end.directoryOffset = static_cast<uint32_t>(out.size());
    end.directorySize = static_cast<uint32_t>(directory.size());
    uint8_t record[vzip::kEndRecordSize];
    vzip::EncodeEndRecord(end, record);
    return out + directory + std::string(reinterpret_cast<char*>(record), sizeof record);
}

std::string BuildPackage(const std::vector<RawPackageEntry>& entries, const std::string& data) {
    std::string out(pk::kHeaderSize, '\0');
    pk::EncodeHeader(static_cast<int32_t>(entries.size()), reinterpret_cast<uint8_t*>(&out[0]));
    for (const RawPackageEntry& raw : entries) {
        uint8_t bytes[pk::kEntrySize];
        pk::EncodeEntry(pk::PackageEntry{raw.name, raw.offset, raw.size}, bytes);
        out.append(reinterpret_cast<char*>(bytes), sizeof bytes);
    }
    return out + data;
}

}  // namespace pktest
