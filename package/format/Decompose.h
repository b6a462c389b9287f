// Unpacking: every entry of the zip archive into the archive's folder, then the
// package found there split into the target folder and deleted. The exports of
// the library map the outcome to 1 (Ok) or 0.
#pragma once

#include "PackageFormat.h"
#include "PathText.h"

namespace pk {

enum class DecomposeOutcome {
    Ok,
    NoArguments,       // null or empty archive path or target folder
    CannotOpenArchive, // missing, or not a zip archive
    UnzipFailed,       // an entry unsafe, unsupported or corrupt; entries before it stay
    NoPackage,         // no file was unzipped, or the package cannot be opened
    BadPackage,        // PackageStatus tells why; the package stays
    OverwritesPackage, // an entry would overwrite the package being read
    CannotCreateFile,  // an output cannot be created; files before it stay
    CopyFailed,        // read or write error; that output is deleted again
};

struct DecomposeResult {
    DecomposeOutcome outcome = DecomposeOutcome::Ok;
    PackageStatus packageStatus = PackageStatus::Ok;
};

DecomposeResult DecomposePackage(const char* archivePath, const char* targetFolder, const Platform& platform);

// The second half alone: splits the package at packagePath into targetFolder and
// deletes the package on success.
DecomposeResult SplitPackage(const std::string& packagePath, const std::string& targetFolder,
                             const Platform& platform);

}  // namespace pk
