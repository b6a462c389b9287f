// Packing: the listed files into one package, the package into a zip archive
// (package path + "zip"), the package deleted. The exports of the library map
// the outcome to 1 (Ok) or 0.
#pragma once

#include <string>
#include <vector>

#include "PathText.h"

namespace pk {

enum class ComposeOutcome {
    Ok,
    NoFiles,           // null or empty list
    TooManyFiles,      // more than 100 paths
    BadFileName,       // a name that does not fit or is not a bare file name
    CannotReadFile,    // a listed file cannot be opened or sized
    TooLarge,          // sizes or offsets beyond the signed 32-bit range
    NoPackagePath,     // empty package path
    OverwritesInput,   // the package or the archive is one of the listed files
    CannotCreatePackage,
    WriteFailed,       // the incomplete package is left behind
    CopyFailed,        // a file vanished or shrank; the incomplete package is left behind
    ZipFailed,         // no archive is left; the package stays
};

// A further file of the archive, after the package: the unpack writes it below
// the target folder under storedName ("/" between folders), beside the package's files.
struct ArchiveExtra {
    std::string sourcePath;
    std::string storedName;
};

ComposeOutcome ComposePackage(const char* fileList, const char* packagePath, const Platform& platform,
                              const std::vector<ArchiveExtra>& extras = {});

}  // namespace pk
