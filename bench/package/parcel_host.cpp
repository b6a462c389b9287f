// The host build of the package code behind the same commands as parcel.exe,
// so that the benchmark can run both on the same data:
//   parcel_host [--timing] pack FOLDER MANIFEST PACKAGE   (writes PACKAGE + "zip")
//   parcel_host [--timing] unpack ARCHIVE FOLDER
// --timing adds, as parcel.exe does, a last line on stdout with the seconds spent
// inside the packing or unpacking call alone: "timing: ComposeFile 0.012345 s".
#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CallTimer.h"
#include "Compose.h"
#include "Decompose.h"
#include "HostPlatform.h"

namespace {

int Pack(const std::string& folder, const std::string& manifest, const std::string& package, bool showTiming) {
    std::vector<std::string> names;
    DIR* d = opendir(folder.c_str());
    if (!d) return 1;
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (e->d_type == DT_REG && name != "updateFile.xml") names.push_back(name);
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    std::string list = manifest;
    for (const std::string& name : names) list += "|" + folder + "/" + name;
    CCallTimer timer;
    pk::ComposeOutcome outcome = pk::ComposePackage(list.c_str(), package.c_str(), pk::HostPlatform());
    if (showTiming) PrintTiming("ComposeFile", timer.Seconds());
    if (outcome != pk::ComposeOutcome::Ok) {
        std::fprintf(stderr, "parcel_host: packing failed (%d)\n", static_cast<int>(outcome));
        return 1;
    }
    return 0;
}

int Unpack(const char* archive, const char* folder, bool showTiming) {
    CCallTimer timer;
    pk::DecomposeResult r = pk::DecomposePackage(archive, folder, pk::HostPlatform());
    if (showTiming) PrintTiming("DecomposeFile", timer.Seconds());
    if (r.outcome != pk::DecomposeOutcome::Ok) {
        std::fprintf(stderr, "parcel_host: unpacking failed (%d)\n", static_cast<int>(r.outcome));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool showTiming = TakeTimingOption(argc, argv);
    if (argc == 5 && std::strcmp(argv[1], "pack") == 0) return Pack(argv[2], argv[3], argv[4], showTiming);
    if (argc == 4 && std::strcmp(argv[1], "unpack") == 0) return Unpack(argv[2], argv[3], showTiming);
    std::fputs("usage: parcel_host [--timing] pack FOLDER MANIFEST PACKAGE | unpack ARCHIVE FOLDER\n", stderr);
    return 2;
}
