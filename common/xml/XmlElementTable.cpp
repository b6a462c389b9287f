#include "xml/XmlElementTable.h"

#include <cstdlib>

namespace xml {
namespace {

ElementRecord* AllocateRecords(uint32_t count) {
    return static_cast<ElementRecord*>(std::malloc(count * sizeof(ElementRecord)));
}

// Positions are 32-bit and their high half picks the segment.
constexpr uint32_t kMaxCapacity = 0xFFFF0000u;

uint32_t Smaller(uint32_t a, uint32_t b) { return a < b ? a : b; }

}  // namespace

bool ElementTable::Reset(uint32_t count) {
    if (m_capacity >= count && m_capacity - count <= kSegmentRecords) {
        m_reserved = m_capacity;
        return true;
    }
    Release();
    if (count > kMaxCapacity) return false;
    m_segments.reserve((count + kSegmentRecords - 1) / kSegmentRecords);
    if (count > 0 && !AppendSegment(Smaller(count, kSegmentRecords))) {
        Release();
        return false;
    }
    m_reserved = count;
    return true;
}

bool ElementTable::Grow() {
    if (m_capacity < m_reserved) {
        // The segments so far are whole: the next one of the reservation.
        return AppendSegment(Smaller(m_reserved - m_capacity, kSegmentRecords));
    }
    uint32_t step = m_capacity / 2 > 0 ? m_capacity / 2 : 1;
    uint32_t inLast = m_capacity % kSegmentRecords;
    if (m_segments.empty() || inLast == 0) {
        // The last segment is full: start a new one.
        if (m_capacity >= kMaxCapacity) return false;
        return AppendSegment(Smaller(step, kSegmentRecords));
    }
    // Reallocate only the last segment, up to the segment boundary at most. A
    // large block can often be extended where it is, without a copy.
    uint32_t size = Smaller(inLast + step, kSegmentRecords);
    void* segment = std::realloc(m_segments.back(), size * sizeof(ElementRecord));
    if (!segment) return false;
    m_segments.back() = static_cast<ElementRecord*>(segment);
    m_capacity += size - inLast;
    return true;
}

bool ElementTable::AppendSegment(uint32_t size) {
    m_segments.push_back(nullptr);  // first, so that nothing leaks if this throws
    m_segments.back() = AllocateRecords(size);
    if (!m_segments.back()) {
        m_segments.pop_back();
        return false;
    }
    m_capacity += size;
    return true;
}

void ElementTable::Release() {
    for (ElementRecord* segment : m_segments) std::free(segment);
    m_segments.clear();
    m_capacity = 0;
    m_reserved = 0;
}

}  // namespace xml
