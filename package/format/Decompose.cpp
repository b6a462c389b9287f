#include "Decompose.h"

#include <string>
#include <vector>

#include "PackageFile.h"
#include "v_zipfile.h"

namespace pk {
namespace {

DecomposeResult Fail(DecomposeOutcome outcome, PackageStatus status = PackageStatus::Ok) {
    return DecomposeResult{outcome, status};
}

// Unzips every entry into folder; gives the name of the package, relative to it.
DecomposeOutcome UnzipArchive(const std::string& archivePath, const std::string& folder,
                              std::string* packageName) {
    v_zipfile zip;
    if (!zip.open_v_zipfile_forunzip(archivePath.c_str())) return DecomposeOutcome::CannotOpenArchive;
    zip.set_relate_path(folder.c_str());
    int count = zip.get_filecount();
    for (int number = 1; number <= count; ++number) {
        if (!zip.unzip_zipblock_tofile(number, "")) return DecomposeOutcome::UnzipFailed;
    }
    char name[v_zipfile::kRelateNameSize];
    bool named = zip.retrieve_relate_filename(name);
    zip.close_v_zipfile();
    if (!named) return DecomposeOutcome::NoPackage;
    *packageName = name;
    return DecomposeOutcome::Ok;
}

}  // namespace

DecomposeResult SplitPackage(const std::string& packagePath, const std::string& targetFolder,
                             const Platform& platform) {
    vantor::StdFile package = vantor::StdFile::Open(packagePath.c_str(), "rb");
    if (!package) return Fail(DecomposeOutcome::NoPackage);
    std::vector<PackageEntry> entries;
    PackageStatus status = ReadPackageTable(package, platform.charLength, &entries);
    if (status != PackageStatus::Ok) return Fail(DecomposeOutcome::BadPackage, status);

    // Only an output that exists already can be the package; the package itself
    // is looked up once, when the first such output turns up (telling a file's
    // identity is slow under Wine, while a missing file is found missing fast).
    std::vector<std::string> outputs;
    FileId packageId;
    enum { kNotLookedUp, kFound, kMissing } packageLookup = kNotLookedUp;
    for (const PackageEntry& e : entries) {
        outputs.push_back(targetFolder + platform.separator + e.name);
        FileId id;
        if (!platform.identifyFile(outputs.back().c_str(), &id)) continue;
        if (packageLookup == kNotLookedUp)
            packageLookup = platform.identifyFile(packagePath.c_str(), &packageId) ? kFound : kMissing;
        if (packageLookup == kFound && id == packageId) return Fail(DecomposeOutcome::OverwritesPackage);
    }
    // Entries written back to back follow each other in the stream; seeking only
    // to data that lies elsewhere keeps the stream's read buffer, which a seek
    // would throw away.
    int64_t position = package.Tell();
    for (size_t i = 0; i < entries.size(); ++i) {
        vantor::StdFile out = vantor::StdFile::Open(outputs[i].c_str(), "wb");
        if (!out) return Fail(DecomposeOutcome::CannotCreateFile);
        const PackageEntry& e = entries[i];
        bool copied = (e.offset == position || package.Seek(e.offset)) &&
                      CopyChunks(package.get(), e.size, out.get());
        if (!out.Close() || !copied) {
            std::remove(outputs[i].c_str());
            return Fail(DecomposeOutcome::CopyFailed);
        }
        position = int64_t(e.offset) + e.size;
    }
    package.Close();
    std::remove(packagePath.c_str());  // a failure to delete is ignored
    return DecomposeResult{};
}

DecomposeResult DecomposePackage(const char* archivePath, const char* targetFolder, const Platform& platform) {
    if (!archivePath || !*archivePath || !targetFolder || !*targetFolder) return Fail(DecomposeOutcome::NoArguments);
    const std::string archiveFolder = FolderOf(archivePath, platform);
    std::string packageName;
    DecomposeOutcome unzipped = UnzipArchive(archivePath, archiveFolder, &packageName);
    if (unzipped != DecomposeOutcome::Ok) return Fail(unzipped);
    return SplitPackage(archiveFolder + packageName, targetFolder, platform);
}

}  // namespace pk
