#include "HeapPeak.h"

#include <malloc.h>

#include <atomic>
#include <cerrno>

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
void __libc_free(void*);
}

namespace {

std::atomic<size_t> g_live{0};
std::atomic<size_t> g_peak{0};

void* Added(void* p) {
    if (p) {
        size_t live = g_live.fetch_add(malloc_usable_size(p), std::memory_order_relaxed) + malloc_usable_size(p);
        size_t peak = g_peak.load(std::memory_order_relaxed);
        while (live > peak && !g_peak.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
        }
    }
    return p;
}

void Removed(void* p) {
    if (p) g_live.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
}

}  // namespace

extern "C" {
void* malloc(size_t size) { return Added(__libc_malloc(size)); }
void* calloc(size_t n, size_t size) { return Added(__libc_calloc(n, size)); }
void free(void* p) {
    Removed(p);
    __libc_free(p);
}
void* realloc(void* p, size_t size) {
    size_t old = p ? malloc_usable_size(p) : 0;
    void* moved = __libc_realloc(p, size);
    if (!moved && size != 0) return nullptr;  // the old block stays
    g_live.fetch_sub(old, std::memory_order_relaxed);
    return Added(moved);
}
void* memalign(size_t alignment, size_t size) { return Added(__libc_memalign(alignment, size)); }
void* aligned_alloc(size_t alignment, size_t size) { return Added(__libc_memalign(alignment, size)); }
int posix_memalign(void** out, size_t alignment, size_t size) {
    void* p = Added(__libc_memalign(alignment, size));
    if (!p) return ENOMEM;
    *out = p;
    return 0;
}
}

namespace bench {

size_t StartPeakWindow() {
    size_t live = g_live.load();
    g_peak.store(live);
    return live;
}

size_t PeakBytesSince(size_t start) { return g_peak.load() - start; }

}  // namespace bench
