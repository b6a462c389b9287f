// Creating a folder with every level that is missing.
#pragma once

#include <string>

// Creates each missing level of path, from the first one after the drive or,
// for "\\server\share\...", after the share; existing folders are left alone.
// True when the whole path exists afterwards.
bool CreateFolderPath(const std::string& path);
