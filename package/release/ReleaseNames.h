// Which installed paths a release can carry. A path is relative to the
// installation folder, GBK text (code page 936, the players' code page) with
// "\" between its names. It has to pass three readers: the package format
// (bare names under 256 bytes), the manifest reader of the updater, and
// Windows itself on the player's machine, inside the installation folder.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pk {

// The updater unpacks <installation folder>\Update\<item> and copies it to
// <installation folder>\<item> through a staging file "<item>.vantor-new".
// The launcher records the installation folder in 100 bytes (its trailing "\"
// and the terminating NUL included), so that folder is at most 98 bytes, and
// every path must stay below MAX_PATH (260 with its NUL). The staging file is
// the longest: 98 + 1 + item + 11 <= 259.
constexpr size_t kMaxInstallFolderLength = 98;
constexpr size_t kMaxItemLength = 259 - kMaxInstallFolderLength - 1 - sizeof ".vantor-new" + 1;

enum class NameProblem {
    None,
    TooLong,       // over kMaxItemLength bytes
    BadName,       // a name empty, made only of dots and blanks, ending in a dot or blank,
                   // starting with a blank, or holding a control character or one of <>:"/|?*
    DeviceName,    // CON, NUL, COM1, LPT1, ... with or without an extension
};

NameProblem CheckReleasePath(const std::string& path);
const char* NameProblemText(NameProblem problem);

// The path as Windows compares names: ASCII letters folded to upper case, the
// bytes of two-byte characters left as they are.
std::string FoldedPath(const std::string& path);

// The last name of path (after its last "\", by the GBK rule).
std::string LastNameOf(const std::string& path);

// Whether path lies directly in the installation folder (no "\" in it).
bool IsTopLevel(const std::string& path);

// The folders of path, outermost first: "a\b\c.dat" gives "a", "a\b".
std::vector<std::string> FoldersOf(const std::string& path);

// The path as a zip entry's name: "/" between its names.
std::string ZipEntryNameOf(const std::string& path);

}  // namespace pk
