// Live and peak heap bytes of the whole process. HeapPeak.cpp puts itself in
// front of the C library's allocator (glibc), so allocations of every library
// in the process are seen, operator new included.
#pragma once

#include <cstddef>

namespace bench {

// Makes the current live size the new peak, so that a later PeakSince gives
// the high-water mark of what was allocated in between.
size_t StartPeakWindow();
size_t PeakBytesSince(size_t start);

}  // namespace bench
