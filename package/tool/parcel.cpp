// parcel: the operator's tool for update packages.
//   parcel pack FOLDER MANIFEST PACKAGE   packs the manifest and the files of FOLDER
//                                         into PACKAGE, zipped as PACKAGE + "zip"
//   parcel list ARCHIVE|PACKAGE           shows the entries of an archive or package
//   parcel unpack ARCHIVE FOLDER          unpacks like the updater does
#include <cstdio>
#include <cstring>

#include "ParcelCommands.h"

namespace {

int Usage() {
    std::fputs("usage: parcel pack FOLDER MANIFEST PACKAGE   (writes PACKAGE + \"zip\")\n"
               "       parcel list ARCHIVE|PACKAGE\n"
               "       parcel unpack ARCHIVE FOLDER\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const char* command = argv[1];
    if (std::strcmp(command, "pack") == 0 && argc == 5) return PackCommand(argv[2], argv[3], argv[4]);
    if (std::strcmp(command, "list") == 0 && argc == 3) return ListCommand(argv[2]);
    if (std::strcmp(command, "unpack") == 0 && argc == 4) return UnpackCommand(argv[2], argv[3]);
    return Usage();
}
