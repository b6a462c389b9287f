#include <windows.h>

#include <cstdio>

#include "CallTimer.h"
#include "ParcelCommands.h"
#include "ParcelkitApi.h"

int UnpackCommand(const char* archivePath, const char* targetFolder, bool showTiming) {
    DWORD archive = GetFileAttributesA(archivePath);
    if (archive == INVALID_FILE_ATTRIBUTES || (archive & FILE_ATTRIBUTE_DIRECTORY)) {
        std::fprintf(stderr, "parcel: no archive %s\n", archivePath);
        return 1;
    }
    DWORD folder = GetFileAttributesA(targetFolder);
    if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY)) {
        std::fprintf(stderr, "parcel: no folder %s\n", targetFolder);
        return 1;
    }
    CCallTimer timer;
    const int decomposed = DecomposeFile(archivePath, targetFolder);
    const double seconds = timer.Seconds();
    if (!decomposed) {
        std::fprintf(stderr, "parcel: unpacking %s failed (not a zip archive, an unsafe or corrupt entry, "
                             "no valid package inside, or a file that cannot be written)\n", archivePath);
    } else {
        std::printf("unpacked %s into %s\n", archivePath, targetFolder);
    }
    if (showTiming) PrintTiming("DecomposeFile", seconds);
    return decomposed ? 0 : 1;
}
