#include "ReleasePlan.h"

#include <algorithm>
#include <map>
#include <set>

#include "PackageFormat.h"
#include "ReleaseNames.h"

namespace pk {
namespace {

constexpr int64_t kZipEntryLimit = int64_t(1) << 32;  // no zip64: an entry stays below 4 GB
constexpr size_t kMaxArchiveEntries = 65535;

bool SameName(const std::string& a, const char* b) { return FoldedPath(a) == FoldedPath(b); }

// The players' own files: their settings and recorded version, and the
// updater's work folder. A release never overwrites them.
bool IsPlayersOwn(const std::string& path) {
    const std::string folded = FoldedPath(path);
    return folded == "CLIENTINFO.INI" || folded.compare(0, 7, "UPDATE\\") == 0;
}

bool IsReserved(const std::string& path, const std::string& archiveName) {
    if (!IsTopLevel(path)) return false;
    return SameName(path, kManifestName) || SameName(path, kSelfUpdateName) || SameName(path, kInnerPackageName) ||
           (!archiveName.empty() && SameName(path, archiveName.c_str()));
}

// Why a new or changed file cannot be shipped; false when it can.
bool RefusalOf(const TreeFile& file, const std::set<std::string>& oldFolders, const std::string& archiveName,
               RefusedFile* refused) {
    refused->path = file.path;
    const NameProblem problem = CheckReleasePath(file.path);
    if (problem != NameProblem::None) {
        refused->why = Refusal::Name;
        refused->detail = NameProblemText(problem);
        return true;
    }
    if (IsReserved(file.path, archiveName)) {
        refused->why = Refusal::Reserved;
        refused->detail = "the updater gives this name a meaning of its own";
        return true;
    }
    if (IsTopLevel(file.path) && SameName(file.path, kUpdaterName)) {
        refused->why = Refusal::ChangedUpdater;
        refused->detail =
            "the updater cannot replace its own program while it runs; ship the new VantorUpdate.exe in a release "
            "of its own with a self-update program autoupdate.exe that replaces it after the updater has ended, "
            "or with the installer";
        return true;
    }
    for (const std::string& folder : FoldersOf(file.path)) {
        if (!oldFolders.count(FoldedPath(folder))) {
            refused->why = Refusal::NewFolder;
            refused->detail = "the folder " + folder +
                              " is not in OLD; the updater copies into existing folders only, so every player's "
                              "copy would fail: ship the folder with the installer";
            return true;
        }
    }
    if (file.size >= kZipEntryLimit) {
        refused->why = Refusal::TooLarge;
        refused->detail = "4 GB or more does not fit one zip entry";
        return true;
    }
    return false;
}

// 0: the launcher; 1: everything else; 2 and 3: the libraries the updater
// unpacks with, the zip component before the package library that links it.
int CopyRank(const ShippedFile& file) {
    if (!IsTopLevel(file.path)) return 1;
    if (SameName(file.path, "VantorLogin.exe")) return 0;
    if (SameName(file.path, "v_zipfile.dll")) return 2;
    if (SameName(file.path, "Parcelkit.dll")) return 3;
    return 1;
}

}  // namespace

ReleasePlan PlanRelease(const ClientTree& oldTree, const ClientTree& newTree, const std::string& archiveName,
                        const SameContent& sameContent) {
    ReleasePlan plan;
    std::set<std::string> oldFolders;
    for (const std::string& folder : oldTree.folders) oldFolders.insert(FoldedPath(folder));
    std::map<std::string, size_t> oldFiles;
    for (size_t i = 0; i < oldTree.files.size(); ++i) oldFiles.emplace(FoldedPath(oldTree.files[i].path), i);

    std::map<std::string, size_t> seen;  // NEW's folded names, to find two that Windows cannot tell apart
    for (size_t i = 0; i < newTree.files.size(); ++i) {
        const TreeFile& file = newTree.files[i];
        const std::string folded = FoldedPath(file.path);
        const auto earlier = seen.emplace(folded, i);
        if (!earlier.second) {
            plan.refusals.push_back({file.path, Refusal::SameNameTwice,
                                     "Windows cannot tell it from " + newTree.files[earlier.first->second].path});
            continue;
        }
        const auto old = oldFiles.find(folded);
        const bool unchanged = old != oldFiles.end() && oldTree.files[old->second].size == file.size &&
                               sameContent(old->second, i);
        if (unchanged) continue;
        if (IsPlayersOwn(file.path)) {
            plan.leftOut.push_back(file.path);
            continue;
        }
        RefusedFile refused;
        if (RefusalOf(file, oldFolders, archiveName, &refused)) plan.refusals.push_back(refused);
        else plan.files.push_back({file.path, file.size, i, false});
    }
    for (const TreeFile& file : oldTree.files)
        if (!seen.count(FoldedPath(file.path)) && !IsPlayersOwn(file.path)) plan.gone.push_back(file.path);

    if (plan.files.size() > kMaxArchiveEntries - 1 + (kMaxFiles - 1))
        plan.refusals.push_back({"", Refusal::TooManyFiles,
                                 std::to_string(plan.files.size()) + " files; one archive holds at most " +
                                     std::to_string(kMaxArchiveEntries - 1 + (kMaxFiles - 1))});
    OrderCopyList(plan.files);
    return plan;
}

// The version is recorded only after every item is in place, so an update cut
// off at any file leaves the old version and the launcher offers it again. What
// remains is that a launcher starts at every cut and the update road still
// works:
// - VantorLogin.exe goes first. It is the file most likely to be refused for a
//   moment (its process has only just ended), and a refusal there leaves the
//   whole installation as it was. Once it is in, the launcher that starts is
//   the one built with the files that follow.
// - The zip component and the package library, which the updater loads to
//   unpack the re-offered update, go last, so that until everything else is in
//   they are the old pair that is known to work together; the zip component
//   comes before the library that links it.
// - Everything else goes in name order, folders and files alike.
void OrderCopyList(std::vector<ShippedFile>& files) {
    std::stable_sort(files.begin(), files.end(), [](const ShippedFile& a, const ShippedFile& b) {
        const int ra = CopyRank(a), rb = CopyRank(b);
        if (ra != rb) return ra < rb;
        return FoldedPath(a.path) < FoldedPath(b.path);
    });
}

void ChoosePackageFiles(std::vector<ShippedFile>& files, int64_t manifestSize) {
    // The table is laid out for the most entries a package holds, so that the
    // data's offsets are known before the count is.
    int64_t end = int64_t(kHeaderSize) + int64_t(kEntrySize) * int64_t(kMaxFiles) + manifestSize;
    size_t count = 1;  // the manifest
    for (ShippedFile& file : files) {
        file.inPackage = false;
        if (!IsTopLevel(file.path) || count == kMaxFiles || end + file.size > kMaxOffset) continue;
        file.inPackage = true;
        end += file.size;
        ++count;
    }
}

}  // namespace pk
