// The copies of an update timed alone: each named file copied from one
// folder over the same name in another and its source deleted, as the
// updater applies its manifest.
//
//   copy_files.exe <from folder> <to folder> <name>...
//
// Prints "copy_files: files <n> bytes <b> seconds <s>".
#include <windows.h>

#include <cstdio>
#include <string>

#include "Stopwatch.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: copy_files.exe <from folder> <to folder> <name>...\n");
        return 2;
    }
    const std::string from = std::string(argv[1]) + "\\";
    const std::string to = std::string(argv[2]) + "\\";
    long long bytes = 0;
    const bench::Stopwatch clock;
    for (int i = 3; i < argc; ++i) {
        const std::string source = from + argv[i];
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (::GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &data))
            bytes += (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (!::CopyFileA(source.c_str(), (to + argv[i]).c_str(), FALSE)) {
            std::fprintf(stderr, "copy_files: cannot copy %s (error %lu)\n", source.c_str(), ::GetLastError());
            return 1;
        }
        ::DeleteFileA(source.c_str());
    }
    std::printf("copy_files: files %d bytes %lld seconds %.6f\n", argc - 3, bytes, clock.Seconds());
    return 0;
}
