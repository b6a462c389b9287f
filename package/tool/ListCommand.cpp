#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "PackageFile.h"
#include "ParcelCommands.h"
#include "ScratchFolder.h"
#include "WinPlatform.h"
#include "framework/ScopedHandles.h"
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

// The archive's entries besides the package, as the unpack writes them below
// Update\ (the subfolder files of a release, or top-level files past the
// package's hundred): every file under folder except the package itself.
void ListFurtherEntries(const std::string& folder, const std::string& relative, const std::string& packageName) {
    WIN32_FIND_DATAA data;
    fw::ScopedFind find(::FindFirstFileA((folder + "\\*").c_str(), &data));
    if (!find) return;
    std::vector<std::pair<std::string, bool>> names;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") names.emplace_back(name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (::FindNextFileA(find.get(), &data));
    std::sort(names.begin(), names.end());
    for (const auto& [name, isFolder] : names) {
        const std::string path = relative.empty() ? name : relative + "\\" + name;
        if (isFolder) {
            ListFurtherEntries(folder + "\\" + name, path, packageName);
        } else if (path != packageName) {
            WIN32_FILE_ATTRIBUTE_DATA attributes;
            const bool sized = ::GetFileAttributesExA((folder + "\\" + name).c_str(), GetFileExInfoStandard, &attributes);
            const long long size = sized ? (static_cast<long long>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow : -1;
            std::printf("further entry: %s %lld\n", path.c_str(), size);
        }
    }
}

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
    const int status = ListPackage(scratch.path() + "\\" + name);
    ListFurtherEntries(scratch.path(), "", name);
    return status;
}
