// The floor under the updater's download: the same GET request on one
// blocking socket, the header read one byte per recv, then the body in recv
// calls of 1 KiB written straight to a file, with nothing else in the loop
// (no progress messages, no window).
//
//   recv_loop.exe <http://host[:port]/path> <file>
//
// Prints "recv_loop: bytes <n> seconds <s> calls <c>"; the seconds run from
// the connect to the closed file. Exit code 0 when the announced length arrived.
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "BenchHttp.h"
#include "Stopwatch.h"
#include "framework/ScopedHandles.h"
#include "framework/Winsock.h"

namespace {

constexpr int kChunk = 1024;
constexpr DWORD kReceiveTimeoutMs = 15000;

// A connected socket, closed by its one owner.
class ScopedSocket {
public:
    ScopedSocket() : m_socket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {}
    ~ScopedSocket() { if (m_socket != INVALID_SOCKET) ::closesocket(m_socket); }
    ScopedSocket(const ScopedSocket&) = delete;
    ScopedSocket& operator=(const ScopedSocket&) = delete;
    SOCKET get() const { return m_socket; }

private:
    SOCKET m_socket;
};

int Fail(const char* what) {
    std::fprintf(stderr, "recv_loop: %s (error %d)\n", what, ::WSAGetLastError());
    return 1;
}

bool ConnectTo(SOCKET s, const bench::PackageAddress& address) {
    const hostent* entry = ::gethostbyname(address.host.c_str());
    if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list[0]) return false;
    sockaddr_in peer = {};
    peer.sin_family = AF_INET;
    peer.sin_port = ::htons(u_short(address.port));
    std::memcpy(&peer.sin_addr, entry->h_addr_list[0], sizeof(peer.sin_addr));
    return ::connect(s, reinterpret_cast<const sockaddr*>(&peer), sizeof(peer)) == 0;
}

bool SendAll(SOCKET s, const std::string& data) {
    size_t sent = 0;
    while (sent < data.size()) {
        const int n = ::send(s, data.data() + sent, int(data.size() - sent), 0);
        if (n <= 0) return false;
        sent += size_t(n);
    }
    return true;
}

// One byte per recv, as the updater reads it, so no body byte is taken early.
bool ReadHeader(SOCKET s, std::string& header) {
    char byte;
    while (!bench::HeaderEnded(header) && header.size() < 1024) {
        if (::recv(s, &byte, 1, 0) != 1) return false;
        header += byte;
    }
    return bench::HeaderEnded(header);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: recv_loop.exe <http://host[:port]/path> <file>\n");
        return 2;
    }
    bench::PackageAddress address;
    if (!bench::SplitPackageAddress(argv[1], address)) return Fail("not an http:// address with a path");
    fw::CWinsockSession winsock;
    WSADATA data;
    if (!winsock.Startup(MAKEWORD(2, 0), data)) return Fail("no socket library");

    const bench::Stopwatch clock;
    ScopedSocket s;
    if (s.get() == INVALID_SOCKET) return Fail("no socket");
    if (!ConnectTo(s.get(), address)) return Fail("connect failed");
    const DWORD timeout = kReceiveTimeoutMs;
    if (::setsockopt(s.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout)))
        return Fail("no receive time-out");
    std::string header;
    if (!SendAll(s.get(), bench::UpdaterRequest(address)) || !ReadHeader(s.get(), header))
        return Fail("no reply header");
    const int64_t total = bench::ContentLength(header);
    if (total < 0) return Fail("no Content-Length");

    fw::ScopedFile file(::CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
    if (!file) return Fail("cannot create the file");
    char buffer[kChunk];
    int64_t received = 0;
    unsigned long calls = 0;
    while (received < total) {
        const int n = ::recv(s.get(), buffer, kChunk, 0);
        ++calls;
        if (n <= 0) return Fail("the body ended early");
        DWORD written = 0;
        if (!::WriteFile(file.get(), buffer, DWORD(n), &written, nullptr) || written != DWORD(n))
            return Fail("cannot write the file");
        received += n;
    }
    file.reset();
    const double seconds = clock.Seconds();
    std::printf("recv_loop: bytes %lld seconds %.6f calls %lu\n", static_cast<long long>(received), seconds, calls);
    return 0;
}
