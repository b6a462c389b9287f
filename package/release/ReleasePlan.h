// What a release ships: the comparison of two client trees, the checks that
// keep a player from downloading a release the updater cannot carry out, and
// the order of the manifest's copy list. Platform-free; parcel release reads
// the trees and compares file contents for it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pk {

// A client tree as read from disk. Paths are relative to the tree's root,
// GBK text with "\" between names; folders lists every folder, empty or not.
struct TreeFile {
    std::string path;
    int64_t size = 0;
};
struct ClientTree {
    std::vector<std::string> folders;
    std::vector<TreeFile> files;
};

enum class Refusal {
    Name,            // a name the package, the manifest or Windows cannot carry (detail says which rule)
    SameNameTwice,   // two files of NEW whose names differ only in letter case
    Reserved,        // a name the unpack or the updater uses for itself
    ChangedUpdater,  // VantorUpdate.exe, which cannot replace itself while it runs
    NewFolder,       // its folder is missing in OLD, and the updater creates no folders
    TooLarge,        // 4 GB or more: no zip entry holds it
    TooManyFiles,    // more files than one archive holds
};

struct RefusedFile {
    std::string path;
    Refusal why;
    std::string detail;
};

struct ShippedFile {
    std::string path;
    int64_t size = 0;
    size_t newIndex = 0;         // its place in NEW's file list
    bool inPackage = false;      // in the inner package (else its own zip entry)
};

struct ReleasePlan {
    std::vector<ShippedFile> files;       // in the manifest's copy order
    std::vector<std::string> gone;        // in OLD, not in NEW: no manifest can delete them
    std::vector<std::string> leftOut;     // the players' own files, never shipped
    std::vector<RefusedFile> refusals;    // any refusal: nothing may be written
};

// Whether OLD's file oldIndex and NEW's file newIndex hold the same bytes;
// asked only for files of equal size under the same name.
using SameContent = std::function<bool(size_t oldIndex, size_t newIndex)>;

// Names the unpack or the updater gives a meaning of its own (checked without
// regard to letter case): the manifest, the self-update program, the inner
// package and, at the top, the archive's own file name.
constexpr char kManifestName[] = "updateFile.xml";
constexpr char kSelfUpdateName[] = "autoupdate.exe";
constexpr char kInnerPackageName[] = "PkUpdate.pk";
constexpr char kUpdaterName[] = "VantorUpdate.exe";

// Compares the trees and orders what changed (see OrderCopyList). archiveName:
// the bare name of the archive being made, which the updater downloads into
// Update\ beside what it unpacks.
ReleasePlan PlanRelease(const ClientTree& oldTree, const ClientTree& newTree, const std::string& archiveName,
                        const SameContent& sameContent);

// Puts the files in the order the updater copies them (see the .cpp for why).
void OrderCopyList(std::vector<ShippedFile>& files);

// Chooses which top-level files go into the inner package: in copy order, as
// long as the package holds at most 100 files (the manifest among them) and its
// offsets stay within the signed 32-bit range. The others travel as entries of
// their own in the archive, which the unpack writes into Update\ all the same.
void ChoosePackageFiles(std::vector<ShippedFile>& files, int64_t manifestSize);

}  // namespace pk
