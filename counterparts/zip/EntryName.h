// Entry names: the name stored for an added file, and the check that keeps every
// unzipped entry below the folder it is unzipped into.
#pragma once

#include <string>
#include <vector>

namespace vzip {

// The text after the last "\" or "/" of a path (a separator byte that is the second
// half of a two-byte character does not count).
std::string BaseNameOf(const std::string& path);

// Splits a stored name at "/" and "\" into folder parts and a file part. Refuses
// (returns false) anything that could leave the target folder or does not name a
// file there: an empty name, an absolute path, a drive or stream (any ":"), and a
// part made only of dots and spaces ("", ".", "..", ".. "), which Windows would
// shorten to "." or "..". A name ending in a separator is a folder entry (*isFolder).
bool SplitEntryName(const std::string& name, std::vector<std::string>* parts, bool* isFolder);

}  // namespace vzip
