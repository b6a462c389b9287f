// The floor under the package library's small-file figures under Wine: the
// file system work of a compose or a decompose done bare, with no package or
// zip around it. run_bench.py times the DLL beside it; under Wine every file
// opened or created is a request to the Wine server and a case-insensitive
// name lookup, a cost that no library above the C run time avoids.
//   file_floor read FOLDER           opens, reads and closes every file of FOLDER
//   file_floor write FOLDER TARGET   writes every file of FOLDER into TARGET
// The listing, and for write the reading of the sources, are not timed. Prints
// "timing: read|write <seconds> s" as parcel.exe prints its calls' times.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CallTimer.h"

namespace {

std::vector<std::string> FilesOf(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

bool ReadWhole(const std::string& path, std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[64 * 1024];
    bytes.clear();
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
    return std::fclose(file) == 0;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    const bool read = argc == 3 && std::strcmp(argv[1], "read") == 0;
    const bool write = argc == 4 && std::strcmp(argv[1], "write") == 0;
    if (!read && !write) {
        std::fprintf(stderr, "usage: file_floor read FOLDER | file_floor write FOLDER TARGET\n");
        return 2;
    }
    const std::string folder = argv[2];
    const std::vector<std::string> names = FilesOf(folder);
    std::vector<std::string> contents(names.size());
    if (write) {
        for (size_t i = 0; i < names.size(); ++i)
            if (!ReadWhole(folder + "\\" + names[i], contents[i])) return 1;
    }
    CCallTimer timer;
    for (size_t i = 0; i < names.size(); ++i) {
        bool done = read ? ReadWhole(folder + "\\" + names[i], contents[i])
                         : WriteWhole(std::string(argv[3]) + "\\" + names[i], contents[i]);
        if (!done) {
            std::fprintf(stderr, "file_floor: %s failed\n", names[i].c_str());
            return 1;
        }
    }
    PrintTiming(read ? "read" : "write", timer.Seconds());
    return 0;
}
