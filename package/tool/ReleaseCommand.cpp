// parcel release OLD NEW ARCHIVE --version V [--display D] --key KEYFILE
// The operator's whole release in one step: what NEW changes against OLD, the
// manifest that installs it, the package and the archive around it, signed.
// Nothing is written at ARCHIVE unless every step worked.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ArchiveSigning.h"
#include "ClientTreeScan.h"
#include "Compose.h"
#include "ManifestText.h"
#include "ParcelCommands.h"
#include "ReleaseNames.h"
#include "ReleasePlan.h"
#include "ScratchFolder.h"
#include "WinPlatform.h"
#include "io/StdFile.h"

namespace {

struct ReleaseArguments {
    const char* oldTree = nullptr;
    const char* newTree = nullptr;
    const char* archive = nullptr;
    std::string version;
    std::string displayVersion;
    const char* keyPath = nullptr;
};

int Refuse(const char* message) {
    std::fprintf(stderr, "parcel release: %s\n", message);
    return 1;
}

// False with a message for anything but the form in the file's opening comment.
bool ParseArguments(int argc, char** argv, ReleaseArguments* out) {
    std::vector<const char*> positional;
    bool haveVersion = false;
    for (int i = 0; i < argc; ++i) {
        const char* option = argv[i];
        const bool takesValue = !std::strcmp(option, "--version") || !std::strcmp(option, "--display") ||
                                !std::strcmp(option, "--key");
        if (takesValue) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "parcel release: %s needs a value\n", option);
                return false;
            }
            const char* value = argv[++i];
            if (!std::strcmp(option, "--version")) out->version = value, haveVersion = true;
            else if (!std::strcmp(option, "--display")) out->displayVersion = value;
            else out->keyPath = value;
        } else if (option[0] == '-' && option[1] == '-') {
            std::fprintf(stderr, "parcel release: unknown option %s\n", option);
            return false;
        } else {
            positional.push_back(option);
        }
    }
    if (positional.size() != 3) {
        std::fprintf(stderr, "parcel release: give OLD, NEW and ARCHIVE (%u paths given)\n",
                     unsigned(positional.size()));
        return false;
    }
    out->oldTree = positional[0];
    out->newTree = positional[1];
    out->archive = positional[2];
    if (!haveVersion || !pk::IsManifestValueText(out->version)) {
        std::fprintf(stderr, "parcel release: --version needs a text without blanks at its ends or control "
                             "characters (an empty version would make the updater change nothing)\n");
        return false;
    }
    if (!out->displayVersion.empty() && !pk::IsManifestValueText(out->displayVersion)) {
        std::fprintf(stderr, "parcel release: --display needs a text without blanks at its ends or control characters\n");
        return false;
    }
    if (!out->keyPath) {
        std::fprintf(stderr, "parcel release: --key KEYFILE is needed: the updater installs signed archives only\n");
        return false;
    }
    return true;
}

std::string FullPath(const char* path) {
    char full[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : std::string();
}

// Whether path lies in folder or below it (both full; letter case ignored).
bool LiesBelow(const std::string& path, const std::wstring& folder) {
    const std::string printable = pk::FoldedPath(PrintablePath(folder));
    const std::string folded = pk::FoldedPath(path);
    return folded.size() > printable.size() && folded.compare(0, printable.size(), printable) == 0 &&
           (folded[printable.size()] == '\\' || printable.back() == '\\');
}

// The path by which the package code opens a file: this machine's code page.
// The names inside the release are code page 936; they agree when this machine
// runs that code page or the name is plain ASCII.
bool AnsiPathOf(const ScannedTree& tree, const pk::ShippedFile& file, std::string* path) {
    *path = PrintablePath(tree.fullPaths[file.newIndex]);
    bool ascii = true;
    for (char c : file.path) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    return ascii || ::GetACP() == 936;
}

const char* ComposeFailure(pk::ComposeOutcome outcome) {
    switch (outcome) {
        case pk::ComposeOutcome::CannotReadFile: return "a file of NEW cannot be read";
        case pk::ComposeOutcome::CopyFailed:
            return "a file of NEW could not be copied into the package: it changed while it was read, or the "
                   "disk is full";
        case pk::ComposeOutcome::CannotCreatePackage:
        case pk::ComposeOutcome::WriteFailed:
            return "the package cannot be written beside ARCHIVE (is the disk full?)";
        case pk::ComposeOutcome::ZipFailed:
            return "the archive cannot be written beside ARCHIVE (is the disk full, or would it pass 4 GB?)";
        case pk::ComposeOutcome::TooLarge: return "the package would pass 2 GB";
        default: return "the package could not be made";
    }
}

}  // namespace

int ReleaseCommand(int argc, char** argv) {
    ReleaseArguments args;
    if (!ParseArguments(argc, argv, &args)) return 2;
    SigningKey key;
    if (!LoadSigningKey(args.keyPath, &key)) return 1;

    ScannedTree oldTree, newTree;
    // Both trees are read, so that one run names the problems of both.
    const bool oldScanned = ScanClientTree(args.oldTree, &oldTree);
    const bool scanned = ScanClientTree(args.newTree, &newTree) && oldScanned;
    for (const std::string& problem : oldTree.problems) std::fprintf(stderr, "parcel release: OLD: %s\n", problem.c_str());
    for (const std::string& problem : newTree.problems) std::fprintf(stderr, "parcel release: NEW: %s\n", problem.c_str());
    if (!scanned) return 1;

    const std::string archive = FullPath(args.archive);
    if (archive.empty()) return Refuse("ARCHIVE is not a usable path");
    if (LiesBelow(archive, oldTree.root) || LiesBelow(archive, newTree.root))
        return Refuse("ARCHIVE must lie outside OLD and NEW");
    const std::string archiveFolder = archive.substr(0, archive.find_last_of('\\'));
    const std::string archiveName = archive.substr(archive.find_last_of('\\') + 1);

    ContentComparer comparer;
    pk::ReleasePlan plan = pk::PlanRelease(oldTree.tree, newTree.tree, archiveName, [&](size_t i, size_t j) {
        return comparer.Same(oldTree.fullPaths[i], newTree.fullPaths[j]);
    });
    for (const std::string& failure : comparer.failures())
        std::fprintf(stderr, "parcel release: %s\n", failure.c_str());
    for (const pk::RefusedFile& refused : plan.refusals)
        std::fprintf(stderr, "parcel release: refused %s: %s\n", refused.path.c_str(), refused.detail.c_str());
    if (!comparer.failures().empty() || !plan.refusals.empty()) return Refuse("nothing was written");
    for (const std::string& gone : plan.gone)
        std::fprintf(stderr, "parcel release: warning: %s is in OLD but not in NEW; an update cannot delete a "
                             "file, so it stays on players' machines\n", gone.c_str());
    for (const std::string& own : plan.leftOut)
        std::fprintf(stderr, "parcel release: warning: %s left out: it is each player's own (settings, "
                             "version, the updater's work folder)\n", own.c_str());

    if (plan.files.empty())
        std::fprintf(stderr, "parcel release: warning: NEW holds no new or changed file; the release only records "
                             "the version\n");
    std::vector<std::string> items;
    for (const pk::ShippedFile& file : plan.files) items.push_back(file.path);
    const std::string manifest = pk::ManifestText(args.version, args.displayVersion, items);
    pk::ChoosePackageFiles(plan.files, int64_t(manifest.size()));

    // Beside ARCHIVE, so that the finished archive takes its place in one move.
    ScratchFolder scratch(archiveFolder);
    if (scratch.path().empty()) return Refuse("cannot make a work folder beside ARCHIVE");
    const std::string manifestPath = scratch.path() + "\\" + pk::kManifestName;
    vantor::StdFile manifestFile = vantor::StdFile::Open(manifestPath.c_str(), "wb");
    const bool manifestWritten = manifestFile &&
                                 std::fwrite(manifest.data(), 1, manifest.size(), manifestFile.get()) == manifest.size();
    if (!manifestWritten || !manifestFile.Close()) return Refuse("cannot write the manifest (is the disk full?)");

    std::string fileList = manifestPath;
    std::vector<pk::ArchiveExtra> extras;
    int64_t bytes = 0;
    size_t inPackage = 0, topLevel = 0;
    for (const pk::ShippedFile& file : plan.files) {
        std::string path;
        if (!AnsiPathOf(newTree, file, &path)) {
            std::fprintf(stderr, "parcel release: %s: a name outside ASCII can be packed only where the system code "
                                 "page is 936 (here it is %u)\n", file.path.c_str(), unsigned(::GetACP()));
            return 1;
        }
        bytes += file.size;
        topLevel += pk::IsTopLevel(file.path);
        if (file.inPackage) {
            fileList += "|" + path;
            ++inPackage;
        } else {
            extras.push_back({path, pk::ZipEntryNameOf(file.path)});
        }
    }
    const std::string package = scratch.path() + "\\" + pk::kInnerPackageName;
    const pk::ComposeOutcome composed = pk::ComposePackage(fileList.c_str(), package.c_str(), pk::WinPlatform(), extras);
    if (composed != pk::ComposeOutcome::Ok) return Refuse(ComposeFailure(composed));
    const std::string made = package + "zip";
    if (!SignArchive(made.c_str(), key)) return 1;
    if (!::MoveFileExA(made.c_str(), archive.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Refuse("cannot put the archive in place of ARCHIVE");

    std::printf("release %s: %u files, %lld bytes: %u in the installation folder (%u in the package, %u beside "
                "it in the archive), %u in subfolders; %u gone from NEW\n",
                args.version.c_str(), unsigned(plan.files.size()), static_cast<long long>(bytes), unsigned(topLevel),
                unsigned(inPackage), unsigned(topLevel - inPackage), unsigned(plan.files.size() - topLevel),
                unsigned(plan.gone.size()));
    for (const pk::ShippedFile& file : plan.files)
        std::printf("  %s %lld\n", file.path.c_str(), static_cast<long long>(file.size));
    std::printf("wrote %s, signed with key %s\n", archive.c_str(), key.keyId.c_str());
    return 0;
}
