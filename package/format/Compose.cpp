#include "Compose.h"

#include <sys/stat.h>

#include <string>
#include <vector>

#include "PackageFile.h"
#include "PackageFormat.h"
#include "v_zipfile.h"

namespace pk {
namespace {

constexpr size_t kPackageWriteBuffer = 64 * 1024;

struct ListedFile {
    std::string path;
    std::string name;
    int64_t size = 0;
    // Open from the inspection until its data is copied: each file is opened
    // once (opening a file costs far more than reading a small one, above all
    // under Wine), and the data copied is that of the file that was sized.
    vantor::StdFile file;
};

// Size of an open file from the file system, leaving the stream untouched: a
// seek to the end would give every one of the open files its stream buffer at
// once (about 4 KB each), where copying them one after another needs only one.
int64_t SizeOfOpenFile(FILE* file) {
#ifdef _WIN32
    struct _stat64 st;
    if (_fstat64(_fileno(file), &st) != 0) return -1;
#else
    struct stat st;
    if (fstat(fileno(file), &st) != 0) return -1;
#endif
    return static_cast<int64_t>(st.st_size);
}

// Everything that can refuse the list is checked before the package is created.
ComposeOutcome InspectFiles(const std::vector<std::string>& paths, const Platform& platform,
                            std::vector<ListedFile>* files) {
    files->reserve(paths.size());
    for (const std::string& path : paths) {
        ListedFile f;
        f.path = path;
        f.name = FileNameOf(path, platform);
        if (!IsSafeBareName(f.name, platform.charLength)) return ComposeOutcome::BadFileName;
        // Read access is all that packing needs.
        f.file = vantor::StdFile::Open(path.c_str(), "rb");
        if (!f.file) return ComposeOutcome::CannotReadFile;
        f.size = SizeOfOpenFile(f.file.get());
        if (f.size < 0) return ComposeOutcome::CannotReadFile;
        files->push_back(std::move(f));
    }
    return ComposeOutcome::Ok;
}

// Looks path up once; the listed files are looked up only when it exists (the
// package and the archive usually do not).
bool IsOneOf(const std::string& path, const std::vector<ListedFile>& files, const Platform& platform) {
    FileId target;
    if (!platform.identifyFile(path.c_str(), &target)) return false;
    for (const ListedFile& f : files) {
        FileId id;
        if (platform.identifyFile(f.path.c_str(), &id) && id == target) return true;
    }
    return false;
}

ComposeOutcome WritePackage(vantor::StdFile& package, std::vector<ListedFile>& files,
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
        vantor::StdFile& source = files[i].file;
        // Still at its start: nothing was read from it yet.
        if (!CopyChunks(source.get(), entries[i].size, package.get()))
            return ComposeOutcome::CopyFailed;
        source.Close();
    }
    return package.Close() ? ComposeOutcome::Ok : ComposeOutcome::WriteFailed;
}

bool ZipPackage(const std::string& packagePath, const std::string& archivePath,
                const std::vector<ArchiveExtra>& extras) {
    v_zipfile zip;
    if (!zip.open_v_zipfile_forzip(archivePath.c_str())) return false;
    bool added = zip.add_a_file(packagePath.c_str());  // first: the unpack takes the first entry for the package
    for (size_t i = 0; added && i < extras.size(); ++i)
        added = zip.add_a_file_as(extras[i].sourcePath.c_str(), extras[i].storedName.c_str());
    return zip.close_v_zipfile_forzip() && added;
}

}  // namespace

ComposeOutcome ComposePackage(const char* fileList, const char* packagePath, const Platform& platform,
                              const std::vector<ArchiveExtra>& extras) {
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

    // The 264-byte records and 1 KB chunks reach the file in few large writes.
    // Declared before the stream, which may still flush into it when destroyed.
    std::vector<char> outBuffer(kPackageWriteBuffer);
    vantor::StdFile out = vantor::StdFile::Open(package.c_str(), "wb");
    if (!out) return ComposeOutcome::CannotCreatePackage;
    std::setvbuf(out.get(), outBuffer.data(), _IOFBF, outBuffer.size());
    outcome = WritePackage(out, files, entries);
    if (outcome != ComposeOutcome::Ok) return outcome;
    if (!ZipPackage(package, archive, extras)) return ComposeOutcome::ZipFailed;
    std::remove(package.c_str());  // a failure to delete is ignored
    return ComposeOutcome::Ok;
}

}  // namespace pk
