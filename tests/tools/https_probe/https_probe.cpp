// https_probe HOST [PORT [PATH]]
// One WinINet HTTPS GET with INTERNET_FLAG_SECURE and nothing relaxed, as the
// launcher makes it. Prints "status <code>" when a response came, else
// "error <number>" (the WinINet or system error of the failed call).
// Exit status: 0 with a status, 1 with an error, 2 for bad usage.
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <cstdlib>

#include "framework/ScopedHandles.h"

namespace {

int PrintError() {
    std::printf("error %lu\n", static_cast<unsigned long>(::GetLastError()));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: https_probe HOST [PORT [PATH]]\n");
        return 2;
    }
    const char* host = argv[1];
    const INTERNET_PORT port =
        static_cast<INTERNET_PORT>(argc > 2 ? std::atoi(argv[2]) : INTERNET_DEFAULT_HTTPS_PORT);
    const char* path = argc > 3 ? argv[3] : "/";

    fw::ScopedInternetHandle session(
        ::InternetOpenA("https_probe", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session) return PrintError();
    fw::ScopedInternetHandle connection(
        ::InternetConnectA(session.get(), host, port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return PrintError();
    const DWORD flags = INTERNET_FLAG_SECURE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_PRAGMA_NOCACHE;
    fw::ScopedInternetHandle request(
        ::HttpOpenRequestA(connection.get(), "GET", path, nullptr, nullptr, nullptr, flags, 0));
    if (!request) return PrintError();
    if (!::HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) return PrintError();

    DWORD status = 0;
    DWORD size = sizeof status;
    if (!::HttpQueryInfoA(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                          nullptr)) {
        return PrintError();
    }
    std::printf("status %lu\n", static_cast<unsigned long>(status));
    return 0;
}
