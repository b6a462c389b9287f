#include <windows.h>

#include <cstdio>

#include "ParcelCommands.h"
#include "ParcelkitApi.h"

int UnpackCommand(const char* archivePath, const char* targetFolder) {
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
    if (!DecomposeFile(archivePath, targetFolder)) {
        std::fprintf(stderr, "parcel: unpacking %s failed (not a zip archive, an unsafe or corrupt entry, "
                             "no valid package inside, or a file that cannot be written)\n", archivePath);
        return 1;
    }
    std::printf("unpacked %s into %s\n", archivePath, targetFolder);
    return 0;
}
