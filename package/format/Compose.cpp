#include "Compose.h"

#include <string>
#include <vector>

#include "PackageFile.h"
#include "PackageFormat.h"
#include "v_zipfile.h"

namespace pk {
namespace {

struct ListedFile {
    std::string path;
    std::string name;
    int64_t size = 0;
};

// Everything that can refuse the list is checked before the package is created.
ComposeOutcome InspectFiles(const std::vector<std::string>& paths, const Platform& platform,
                            std::vector<ListedFile>* files) {
    for (const std::string& path : paths) {
        ListedFile f;
        f.path = path;
        f.name = FileNameOf(path, platform);
        if (!IsSafeBareName(f.name, platform.isLeadByte)) return ComposeOutcome::BadFileName;
        // Read access is all that packing needs.
        CFile file = CFile::Open(path.c_str(), "rb");
        if (!file) return ComposeOutcome::CannotReadFile;
        f.size = file.Size();
        if (f.size < 0) return ComposeOutcome::CannotReadFile;
        files->push_back(std::move(f));
    }
    return ComposeOutcome::Ok;
}

bool IsOneOf(const std::string& path, const std::vector<ListedFile>& files, const Platform& platform) {
    for (const ListedFile& f : files) {
        if (platform.isSameFile(path.c_str(), f.path.c_str())) return true;
    }
    return false;
}

ComposeOutcome WritePackage(CFile& package, const std::vector<ListedFile>& files,
                            const std::vector<PackageEntry>& entries) {
    uint8_t header[kHeaderSize];
    EncodeHeader(static_cast<int32_t>(entries.size()), header);
    if (std::fwrite(header, 1, sizeof header, package.get()) != sizeof header) return ComposeOutcome::WriteFailed;
    for (const PackageEntry& e : entries) {
        uint8_t raw[kEntrySize];
        EncodeEntry(e, raw);
        if (std::fwrite(raw, 1, sizeof raw, package.get()) != sizeof raw) return ComposeOutcome::WriteFailed;
    }
    for (size_t i = 0; i < files.size(); ++i) {
        CFile source = CFile::Open(files[i].path.c_str(), "rb");
        if (!source || !CopyRange(source, 0, entries[i].size, package.get())) return ComposeOutcome::CopyFailed;
    }
    return package.Close() ? ComposeOutcome::Ok : ComposeOutcome::WriteFailed;
}

bool ZipPackage(const std::string& packagePath, const std::string& archivePath) {
    v_zipfile zip;
    if (!zip.open_v_zipfile_forzip(archivePath.c_str())) return false;
    bool added = zip.add_a_file(packagePath.c_str());
    return zip.close_v_zipfile_forzip() && added;
}

}  // namespace

ComposeOutcome ComposePackage(const char* fileList, const char* packagePath, const Platform& platform) {
    if (!fileList || !*fileList) return ComposeOutcome::NoFiles;
    std::vector<std::string> paths;
    if (!SplitFileList(fileList, kMaxFiles, &paths)) return ComposeOutcome::TooManyFiles;
    std::vector<ListedFile> files;
    ComposeOutcome outcome = InspectFiles(paths, platform, &files);
    if (outcome != ComposeOutcome::Ok) return outcome;

    std::vector<std::string> names;
    std::vector<int64_t> sizes;
    for (const ListedFile& f : files) {
        names.push_back(f.name);
        sizes.push_back(f.size);
    }
    std::vector<PackageEntry> entries;
    if (!LayOutEntries(names, sizes, &entries)) return ComposeOutcome::TooLarge;

    if (!packagePath || !*packagePath) return ComposeOutcome::NoPackagePath;
    const std::string package = packagePath;
    const std::string archive = package + "zip";
    if (IsOneOf(package, files, platform) || IsOneOf(archive, files, platform))
        return ComposeOutcome::OverwritesInput;

    CFile out = CFile::Open(package.c_str(), "wb");
    if (!out) return ComposeOutcome::CannotCreatePackage;
    outcome = WritePackage(out, files, entries);
    if (outcome != ComposeOutcome::Ok) return outcome;
    if (!ZipPackage(package, archive)) return ComposeOutcome::ZipFailed;
    std::remove(package.c_str());  // a failure to delete is ignored
    return ComposeOutcome::Ok;
}

}  // namespace pk
