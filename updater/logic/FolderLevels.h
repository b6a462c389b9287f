// The folders to create, one level after the other, for a path that must exist.
#pragma once

#include <string>
#include <vector>

namespace vantor {

// Each level of path as a prefix, from the first one after the drive
// ("C:\a\b\" gives "C:\a", "C:\a\b") or, for a path that begins with "\\",
// after the server and share names ("\\srv\share\a\" gives "\\srv\share\a").
// A relative path starts at its first name. Separators are "\" and "/"; a
// trailing separator adds no level. Checked as GBK text.
std::vector<std::string> FolderLevels(const std::string& path);

}  // namespace vantor
