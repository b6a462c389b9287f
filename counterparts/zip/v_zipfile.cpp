#include "v_zipfile.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "EntryName.h"
#include "FileSystem.h"
#include "ZipReader.h"
#include "ZipWriter.h"

namespace vzip {

struct ZipSession {
    ZipWriter writer;
    ZipReader reader;
    std::string archivePath;
    std::string relatePath;
    std::string firstFileName;  // relative to relatePath, native separators
};

namespace {

std::string WithTrailingSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += kNativeSeparator;
    return folder;
}

// Makes the folders of parts[0 .. n-2] below base; returns base + the joined parts.
bool MakeFoldersFor(const std::string& base, const std::vector<std::string>& parts, size_t folderCount,
                    std::string* path) {
    *path = base;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) *path += kNativeSeparator;
        *path += parts[i];
        if (i < folderCount && !MakeFolder(*path)) return false;
    }
    return true;
}

}  // namespace
}  // namespace vzip

using vzip::ZipSession;

namespace {
constexpr int64_t kIndependentStretch = 8 * 1024;
}  // namespace

v_zipfile::v_zipfile() : m_session(new ZipSession) {}

v_zipfile::~v_zipfile() { delete m_session; }

void v_zipfile::copy_settings_from(const v_zipfile& other) {
    if (this != &other) m_session->relatePath = other.m_session->relatePath;
}

bool v_zipfile::open_v_zipfile_forzip(const char* archivePath) {
    if (!archivePath || !*archivePath) return false;
    return m_session->writer.Create(archivePath);
}

bool v_zipfile::add_a_file(const char* filePath) {
    if (!filePath || !*filePath) {
        // Spoil the archive as any other failed add does.
        m_session->writer.AddFile("", "");
        return false;
    }
    // Deflate's history starts afresh every 8 KB: its match search stays short
    // and in cache, so a package of many small files zips in about half the
    // time, at a few per cent of size. The entry stays one ordinary stream.
    return m_session->writer.AddFile(filePath, vzip::BaseNameOf(filePath), {}, kIndependentStretch);
}

bool v_zipfile::add_a_file_as(const char* filePath, const char* storedName) {
    std::vector<std::string> parts;
    bool isFolder = false;
    if (!filePath || !*filePath || !storedName || !vzip::SplitEntryName(storedName, &parts, &isFolder) || isFolder) {
        m_session->writer.AddFile("", "");  // spoils the archive as any other failed add does
        return false;
    }
    return m_session->writer.AddFile(filePath, storedName, {}, kIndependentStretch);  // history as above
}

bool v_zipfile::close_v_zipfile_forzip() { return m_session->writer.Finish(); }

bool v_zipfile::open_v_zipfile_forunzip(const char* archivePath) {
    m_session->reader.Close();
    m_session->firstFileName.clear();
    if (!archivePath || !*archivePath) return false;
    m_session->archivePath = archivePath;
    return m_session->reader.Open(archivePath) == vzip::ZipStatus::Ok;
}

void v_zipfile::set_relate_path(const char* folder) { m_session->relatePath = folder ? folder : ""; }

int v_zipfile::get_filecount() const {
    return m_session->reader.IsOpen() ? static_cast<int>(m_session->reader.Entries().size()) : 0;
}

bool v_zipfile::unzip_zipblock_tofile(int number, const char* outputName) {
    ZipSession& s = *m_session;
    if (!s.reader.IsOpen() || number < 1 || number > get_filecount()) return false;
    size_t index = static_cast<size_t>(number - 1);
    std::string name = outputName && *outputName ? outputName : s.reader.Entries()[index].name;
    std::vector<std::string> parts;
    bool isFolder = false;
    if (!vzip::SplitEntryName(name, &parts, &isFolder)) return false;

    std::string base = vzip::WithTrailingSeparator(s.relatePath);
    std::string path;
    if (!vzip::MakeFoldersFor(base, parts, isFolder ? parts.size() : parts.size() - 1, &path)) return false;
    if (isFolder) return true;
    if (vzip::IsSameFile(path, s.archivePath)) return false;

    vantor::StdFile out = vantor::StdFile::Open(path.c_str(), "wb");
    if (!out) return false;
    vzip::ZipStatus status = s.reader.Extract(index, [&out](const uint8_t* data, size_t size) {
        return out.WriteAll(data, size);
    });
    bool closed = out.Close();
    if (status != vzip::ZipStatus::Ok || !closed) {
        std::remove(path.c_str());
        return false;
    }
    if (s.firstFileName.empty()) s.firstFileName = path.substr(base.size());
    return true;
}

bool v_zipfile::retrieve_relate_filename(char* buffer) const {
    if (!buffer) return false;
    buffer[0] = '\0';
    const std::string& name = m_session->firstFileName;
    if (name.empty() || name.size() >= kRelateNameSize) return false;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    return true;
}

void v_zipfile::close_v_zipfile() {
    m_session->reader.Close();
    m_session->writer.Abandon();
}
