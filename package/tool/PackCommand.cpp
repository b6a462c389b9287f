#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "CallTimer.h"
#include "PackageFormat.h"
#include "ParcelCommands.h"
#include "ParcelkitApi.h"
#include "PathText.h"
#include "WinPlatform.h"

namespace {

constexpr char kManifestName[] = "updateFile.xml";

std::string WithoutTrailingSeparator(std::string folder) {
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

// The plain files directly in folder, sorted by name; false (with a message) for a
// subfolder, which a package cannot carry, or a folder that cannot be read.
bool ListFolder(const std::string& folder, std::vector<std::string>* names) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "parcel: cannot read the folder %s\n", folder.c_str());
        return false;
    }
    bool ok = true;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            std::fprintf(stderr, "parcel: %s\\%s is a folder; a package holds plain files only\n",
                         folder.c_str(), name.c_str());
            ok = false;
        } else {
            names->push_back(name);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names->begin(), names->end());
    return ok;
}

}  // namespace

int PackCommand(const char* folderArg, const char* manifest, const char* packagePath, bool showTiming) {
    const pk::Platform& platform = pk::WinPlatform();
    if (pk::FileNameOf(manifest, platform) != kManifestName) {
        std::fprintf(stderr, "parcel: the manifest must be named %s\n", kManifestName);
        return 1;
    }
    if (GetFileAttributesA(manifest) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "parcel: no manifest %s\n", manifest);
        return 1;
    }
    const std::string folder = WithoutTrailingSeparator(folderArg);
    std::vector<std::string> names;
    if (!ListFolder(folder, &names)) return 1;

    std::string list = manifest;
    size_t count = 1;
    for (const std::string& name : names) {
        std::string path = folder + "\\" + name;
        if (name == kManifestName) {
            if (pk::IsSameFile(path.c_str(), manifest, platform)) continue;  // already first
            std::fprintf(stderr, "parcel: %s holds another %s than the manifest given\n", folder.c_str(),
                         kManifestName);
            return 1;
        }
        if (!pk::IsSafeBareName(name, platform.charLength)) {
            std::fprintf(stderr, "parcel: %s cannot be a package entry name\n", name.c_str());
            return 1;
        }
        list += "|" + path;
        ++count;
    }
    if (count > pk::kMaxFiles) {
        std::fprintf(stderr, "parcel: %u files; a package holds at most %u\n", unsigned(count),
                     unsigned(pk::kMaxFiles));
        return 1;
    }
    CCallTimer timer;
    const int composed = ComposeFile(list.c_str(), packagePath);
    const double seconds = timer.Seconds();
    if (!composed) {
        std::fprintf(stderr, "parcel: packing failed (a file unreadable or larger than 2 GB in all, "
                             "or %s / %szip not writable)\n", packagePath, packagePath);
    } else {
        std::printf("packed %u files into %szip\n", unsigned(count), packagePath);
    }
    if (showTiming) PrintTiming("ComposeFile", seconds);
    return composed ? 0 : 1;
}
