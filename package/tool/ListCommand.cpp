#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "PackageFile.h"
#include "ParcelCommands.h"
#include "WinPlatform.h"
#include "v_zipfile.h"

namespace {

const char* Explain(pk::PackageStatus status) {
    switch (status) {
        case pk::PackageStatus::Ok: return "ok";
        case pk::PackageStatus::CannotOpen: return "cannot be opened";
        case pk::PackageStatus::ShortHeader: return "shorter than its header";
        case pk::PackageStatus::BadMagic: return "not a package (wrong magic)";
        case pk::PackageStatus::BadCount: return "entry count does not fit the file";
        case pk::PackageStatus::BadName: return "an entry name is not a bare file name";
        case pk::PackageStatus::EntryOutsideFile: return "an entry's data lies outside the file";
        case pk::PackageStatus::ReadFailed: return "read error";
    }
    return "?";
}

int ListPackage(const std::string& path) {
    vantor::StdFile package = vantor::StdFile::Open(path.c_str(), "rb");
    if (!package) {
        std::fprintf(stderr, "parcel: cannot open %s\n", path.c_str());
        return 1;
    }
    std::vector<pk::PackageEntry> entries;
    pk::PackageStatus status = pk::ReadPackageTable(package, pk::WinPlatform().charLength, &entries);
    if (status != pk::PackageStatus::Ok) {
        std::fprintf(stderr, "parcel: %s: %s\n", path.c_str(), Explain(status));
        return 1;
    }
    std::printf("package %s: %u entries\n%10s %10s  %s\n", path.c_str(), unsigned(entries.size()), "offset",
                "size", "name");
    for (const pk::PackageEntry& e : entries)
        std::printf("%10ld %10ld  %s\n", long(e.offset), long(e.size), e.name.c_str());
    return 0;
}

// A scratch folder for the archive's entries, deleted with them afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        char base[MAX_PATH], file[MAX_PATH];
        if (GetTempPathA(MAX_PATH, base) && GetTempFileNameA(base, "pcl", 0, file)) {
            DeleteFileA(file);
            if (CreateDirectoryA(file, nullptr)) m_path = file;
        }
    }
    ~ScratchFolder() {
        if (!m_path.empty()) Remove(m_path);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return m_path; }

private:
    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::string name = data.cFileName;
                if (name == "." || name == "..") continue;
                std::string path = folder + "\\" + name;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(path);
                else DeleteFileA(path.c_str());
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
        RemoveDirectoryA(folder.c_str());
    }
    std::string m_path;
};

}  // namespace

int ListCommand(const char* path) {
    v_zipfile zip;
    if (!zip.open_v_zipfile_forunzip(path)) return ListPackage(path);  // not an archive: a bare package

    ScratchFolder scratch;
    if (scratch.path().empty()) {
        std::fprintf(stderr, "parcel: cannot make a scratch folder\n");
        return 1;
    }
    zip.set_relate_path((scratch.path() + "\\").c_str());
    int count = zip.get_filecount();
    std::printf("archive %s: %d entries\n", path, count);
    for (int number = 1; number <= count; ++number) {
        if (!zip.unzip_zipblock_tofile(number, "")) {
            std::fprintf(stderr, "parcel: entry %d is unsafe, unsupported or corrupt\n", number);
            return 1;
        }
    }
    char name[v_zipfile::kRelateNameSize];
    bool named = zip.retrieve_relate_filename(name);
    zip.close_v_zipfile();
    if (!named) {
        std::fprintf(stderr, "parcel: the archive holds no file\n");
        return 1;
    }
    std::printf("first entry (the package): %s\n", name);
    return ListPackage(scratch.path() + "\\" + name);
}
