// error_text CODE
// Prints the system's message text for an error code exactly as the system
// gives it (user's default language, ANSI code page), nothing added, so that a
// test can compare a program's "for the reason:" text with it.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: error_text CODE\n");
        return 2;
    }
    ::_setmode(::_fileno(stdout), _O_BINARY);
    const DWORD code = static_cast<DWORD>(std::strtoul(argv[1], nullptr, 0));
    char* message = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&message), 0,
        nullptr);
    if (length != 0) std::fwrite(message, 1, length, stdout);
    if (message != nullptr) ::LocalFree(message);
    return 0;
}
