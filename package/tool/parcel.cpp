// parcel: the operator's tool for update packages.
//   parcel release OLD NEW ARCHIVE --version V [--display D] --key KEYFILE
//                                         the whole release: what NEW changes against OLD,
//                                         its manifest, the package, the signed archive
//   parcel pack FOLDER MANIFEST PACKAGE   packs the manifest and the files of FOLDER
//                                         into PACKAGE, zipped as PACKAGE + "zip"
//   parcel list ARCHIVE|PACKAGE           shows the entries of an archive or package
//   parcel unpack ARCHIVE FOLDER          unpacks like the updater does
//   parcel sign ARCHIVE KEYFILE           adds the operator's signature (RSA key in PEM)
//   parcel verify ARCHIVE                 whether a key of this build verifies the archive
//   parcel --timing pack|unpack ...       the same, then a last line with the seconds
//                                         spent inside ComposeFile / DecomposeFile
#include <cstdio>
#include <cstring>

#include "CallTimer.h"
#include "ParcelCommands.h"

namespace {

int Usage() {
    std::fputs("usage: parcel release OLD NEW ARCHIVE --version V [--display D] --key KEYFILE\n"
               "           (the files NEW adds or changes against OLD, with their manifest, packed\n"
               "           and signed into ARCHIVE)\n"
               "       parcel pack FOLDER MANIFEST PACKAGE   (writes PACKAGE + \"zip\")\n"
               "       parcel list ARCHIVE|PACKAGE\n"
               "       parcel unpack ARCHIVE FOLDER\n"
               "       parcel sign ARCHIVE KEYFILE   (adds a signature; KEYFILE: RSA private key, PEM)\n"
               "       parcel verify ARCHIVE\n"
               "       parcel --timing pack|unpack ...   the same, then one more line with the\n"
               "           seconds spent inside ComposeFile or DecomposeFile alone (process\n"
               "           start and DLL loading left out): \"timing: ComposeFile 0.012345 s\"\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const bool showTiming = TakeTimingOption(argc, argv);
    if (argc < 2) return Usage();
    const char* command = argv[1];
    if (std::strcmp(command, "release") == 0 && !showTiming) {
        const int status = ReleaseCommand(argc - 2, argv + 2);
        return status == 2 ? Usage() : status;
    }
    if (std::strcmp(command, "pack") == 0 && argc == 5) return PackCommand(argv[2], argv[3], argv[4], showTiming);
    if (std::strcmp(command, "list") == 0 && argc == 3 && !showTiming) return ListCommand(argv[2]);
    if (std::strcmp(command, "unpack") == 0 && argc == 4) return UnpackCommand(argv[2], argv[3], showTiming);
    if (std::strcmp(command, "sign") == 0 && argc == 4 && !showTiming) return SignCommand(argv[2], argv[3]);
    if (std::strcmp(command, "verify") == 0 && argc == 3 && !showTiming) return VerifyCommand(argv[2]);
    return Usage();
}
