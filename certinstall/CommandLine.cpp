#include "CommandLine.h"

namespace trustfit {

namespace {

char ToLowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool IsAcceptedCommandLine(int argc, const char* const* argv) {
    if (argc < 2 || argv[1] == nullptr) return true;
    const char* arg = argv[1];
    // Compared byte by byte: a lead byte of a double-byte character never equals '/' or 's'.
    return arg[0] == '/' && ToLowerAscii(arg[1]) == 's' && arg[2] == '\0';
}

}  // namespace trustfit
