#include "HostLookup.h"

#include <cstring>
#include <memory>

#include "framework/ScopedHandles.h"
#include "framework/WorkerThread.h"

namespace {

constexpr DWORD kWaitSliceMs = 100;

// What the caller and the look-up thread share; the last of them to let go frees it.
struct Lookup {
    std::string host;
    fw::ScopedHandle done{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    bool found = false;
    in_addr address{};
};

}  // namespace

bool ResolveWithSystem(const std::string& host, in_addr* address) {
    const hostent* entry = ::gethostbyname(host.c_str());  // the record is the thread's own
    if (!entry || entry->h_addrtype != AF_INET || entry->h_length != sizeof *address || !entry->h_addr_list[0])
        return false;
    std::memcpy(address, entry->h_addr_list[0], sizeof *address);
    return true;
}

bool LookUpHost(const char* host, int timeoutMs, const std::atomic<int>* stop, in_addr* address) {
    return LookUpHost(host, timeoutMs, stop, address, ResolveWithSystem);
}

bool LookUpHost(const char* host, int timeoutMs, const std::atomic<int>* stop, in_addr* address,
                HostResolver resolve) {
    if (!host || !*host) return false;
    auto lookup = std::make_shared<Lookup>();
    if (!lookup->done) return false;
    lookup->host = host;
    const bool started = fw::BeginDetachedWorker([lookup, resolve] {
        lookup->found = resolve(lookup->host, &lookup->address);
        ::SetEvent(lookup->done.get());  // found and address are written before the event is set
        return 0u;
    });
    if (!started) return false;
    const DWORD begin = ::GetTickCount();
    for (;;) {
        if (stop && *stop) return false;
        const DWORD waited = ::GetTickCount() - begin;
        if (waited >= static_cast<DWORD>(timeoutMs)) return false;
        const DWORD left = static_cast<DWORD>(timeoutMs) - waited;
        if (::WaitForSingleObject(lookup->done.get(), left < kWaitSliceMs ? left : kWaitSliceMs) == WAIT_OBJECT_0) {
            if (!lookup->found) return false;
            *address = lookup->address;
            return true;
        }
    }
}
