// The flat table of element records that a parse builds. Records refer to the
// document text by offset and to each other by position; the table is kept in
// segments of 65536 records (2 MB each) so that no single block grows beyond
// that, and growing touches only the last segment.
#pragma once

#include <cstdint>
#include <vector>

namespace xml {

struct ElementRecord {
    uint32_t start;        // offset of the "<" of the start tag
    uint32_t length;       // from start to the end of the end tag (empty element: its tag)
    uint32_t tagLengths;   // start-tag length in the low 20 bits, end-tag length in the top 10
    uint32_t flags;        // level in the low 16 bits, kFirstChildFlag, kMarkupInContentFlag
    uint32_t parent;       // 0 for the root
    uint32_t firstChild;   // 0 when there is none
    uint32_t nextSibling;  // 0 for the last
    uint32_t prevSibling;  // for a first child: the last sibling
};
static_assert(sizeof(ElementRecord) == 32, "eight 32-bit words per element");

constexpr uint32_t kFirstChildFlag = 0x80000;
// Set when a CDATA section, comment, processing instruction or doctype stands
// directly in the element: without it (and without child elements) the content
// holds no "<", and its text is read without looking for markup.
constexpr uint32_t kMarkupInContentFlag = 0x10000;
constexpr uint32_t kMaxLevel = 0xFFFF;  // deeper levels are stored as this
// A tag too long for its field is stored with the field's largest value, which
// means "scan the text for it"; nothing is lost and the record stays small.
constexpr uint32_t kStartTagLengthMax = 0xFFFFF;
constexpr uint32_t kEndTagLengthMax = 0x3FF;
constexpr int kEndTagLengthShift = 22;

inline uint32_t PackTagLengths(uint32_t startTag, uint32_t endTag) {
    if (startTag > kStartTagLengthMax) startTag = kStartTagLengthMax;
    if (endTag > kEndTagLengthMax) endTag = kEndTagLengthMax;
    return startTag | (endTag << kEndTagLengthShift);
}
inline uint32_t StoredStartTagLength(const ElementRecord& r) { return r.tagLengths & kStartTagLengthMax; }
inline uint32_t StoredEndTagLength(const ElementRecord& r) { return r.tagLengths >> kEndTagLengthShift; }

class ElementTable {
public:
    static constexpr uint32_t kSegmentRecords = 65536;

    ElementTable() = default;
    ~ElementTable() { Release(); }
    ElementTable(const ElementTable&) = delete;
    ElementTable& operator=(const ElementTable&) = delete;

    // Room for count records (contents undefined): the first segment is
    // allocated now, each further one, sized for its share of count, by the
    // call of Grow that reaches it. So a count that is far too high costs at
    // most one segment, and a count that is right costs exactly count records.
    // Storage that already fits closely is kept. False when memory runs out;
    // the table is then empty.
    bool Reset(uint32_t count);
    // Adds the next segment of the count given to Reset; beyond that count,
    // grows by half, but never past the next segment boundary. False when
    // memory runs out; the table is then unchanged.
    bool Grow();

    bool HasStorage() const { return m_capacity != 0; }
    uint32_t Capacity() const { return m_capacity; }

    ElementRecord& operator[](uint32_t pos) { return m_segments[pos >> 16][pos & 0xFFFF]; }
    const ElementRecord& operator[](uint32_t pos) const { return m_segments[pos >> 16][pos & 0xFFFF]; }

private:
    bool AppendSegment(uint32_t size);
    void Release();

    std::vector<ElementRecord*> m_segments;
    uint32_t m_capacity = 0;  // records allocated
    uint32_t m_reserved = 0;  // records of the last Reset; while m_capacity is
                              // below it, all segments are whole
};

}  // namespace xml
