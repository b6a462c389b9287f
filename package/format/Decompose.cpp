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
    CFile package = CFile::Open(packagePath.c_str(), "rb");
    if (!package) return Fail(DecomposeOutcome::NoPackage);
    std::vector<PackageEntry> entries;
    PackageStatus status = ReadPackageTable(package, platform.isLeadByte, &entries);
    if (status != PackageStatus::Ok) return Fail(DecomposeOutcome::BadPackage, status);

    std::vector<std::string> outputs;
    for (const PackageEntry& e : entries) {
        outputs.push_back(targetFolder + platform.separator + e.name);
        if (platform.isSameFile(outputs.back().c_str(), packagePath.c_str()))
            return Fail(DecomposeOutcome::OverwritesPackage);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        CFile out = CFile::Open(outputs[i].c_str(), "wb");
        if (!out) return Fail(DecomposeOutcome::CannotCreateFile);
        bool copied = CopyRange(package, entries[i].offset, entries[i].size, out.get());
        if (!out.Close() || !copied) {
            std::remove(outputs[i].c_str());
            return Fail(DecomposeOutcome::CopyFailed);
        }
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
