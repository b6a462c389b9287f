// The system HTTP stack's road for the same download: InternetOpenUrl and
// InternetReadFile into a buffer of 1 KiB (or the size given), written
// straight to a file. No cache entry is written, so the disk sees the
// package once, as with the updater.
//
//   wininet_read.exe <url> <file> [buffer bytes]
//
// Prints "wininet_read: bytes <n> seconds <s> calls <c>"; the seconds run from
// the session's opening to the closed file.
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Stopwatch.h"
#include "framework/ScopedHandles.h"

namespace {

int Fail(const char* what) {
    std::fprintf(stderr, "wininet_read: %s (error %lu)\n", what, ::GetLastError());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: wininet_read.exe <url> <file> [buffer bytes]\n");
        return 2;
    }
    const long size = argc == 4 ? std::strtol(argv[3], nullptr, 10) : 1024;
    if (size < 1 || size > (64L << 20)) return Fail("buffer size out of range");
    std::vector<char> buffer(static_cast<size_t>(size));

    const bench::Stopwatch clock;
    fw::ScopedInternetHandle session(::InternetOpenA("wininet_read", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return Fail("no session");
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_TRANSFER_BINARY;
    fw::ScopedInternetHandle request(::InternetOpenUrlA(session.get(), argv[1], nullptr, 0, flags, 0));
    if (!request) return Fail("cannot open the address");
    fw::ScopedFile file(::CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
    if (!file) return Fail("cannot create the file");
    long long received = 0;
    unsigned long calls = 0;
    for (;;) {
        DWORD n = 0;
        ++calls;
        if (!::InternetReadFile(request.get(), buffer.data(), DWORD(buffer.size()), &n)) return Fail("read failed");
        if (n == 0) break;
        DWORD written = 0;
        if (!::WriteFile(file.get(), buffer.data(), n, &written, nullptr) || written != n)
            return Fail("cannot write the file");
        received += n;
    }
    file.reset();
    request.reset();
    session.reset();
    const double seconds = clock.Seconds();
    std::printf("wininet_read: bytes %lld seconds %.6f calls %lu\n", received, seconds, calls);
    return 0;
}
