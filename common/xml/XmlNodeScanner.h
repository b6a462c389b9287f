// Splits a document text into nodes, one per call: tags, text, white space,
// CDATA sections, processing instructions, comments and document type
// declarations. Nothing is copied; a node is an offset and a length.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace xml {

// The codes are those the parser and the text extraction switch on.
enum NodeKind : int {
    kNodeEndTag = 0,
    kNodeStartTag = 1,
    kNodeText = 2,
    kNodeWhiteSpace = 4,
    kNodeCData = 8,
    kNodeProcessingInstruction = 16,
    kNodeComment = 32,
    kNodeDoctype = 64,
    kNodeError = -1,
    kNodeEndOfDocument = -2,
};

enum class ScanProblem {
    kNone,
    kIncorrect,     // "Incorrect <what> at offset <start>"
    kUnterminated,  // "<what> at offset <start> unterminated"
    kSilent,        // a declaration that may only stand inside a doctype: no message
};

struct Node {
    int kind = kNodeEndOfDocument;
    uint32_t start = 0;   // offset of the node's first byte
    uint32_t length = 0;
    uint32_t nameStart = 0;  // start and end tags: the name as the tag scan delimits it
    uint32_t nameLength = 0;
    bool emptyElement = false;  // start tag closed by "/>"
    ScanProblem problem = ScanProblem::kNone;
    const char* what = "";  // the construct named in the error message
};

class NodeScanner {
public:
    // text[0, length) is the whole text being scanned: terminators are never
    // looked for before its first byte.
    NodeScanner(const char* text, uint32_t length, uint32_t offset = 0)
        : m_text(text), m_length(length), m_offset(offset) {}

    // Scans the node at the current offset and moves past it. After an error
    // node or the end of the document the offset stays where it is.
    Node Next();

private:
    void ScanMarkup(Node& node);
    void ScanOtherMarkup(Node& node, char afterLessThan);  // "<?", "<!" or an error
    void ScanStartTag(Node& node, uint32_t nameStart);
    void ScanEndTag(Node& node);
    void ScanProcessingInstruction(Node& node);
    void ScanDeclaration(Node& node);
    void ScanComment(Node& node);
    void ScanCData(Node& node);
    void ScanDoctype(Node& node);
    void Finish(Node& node, int kind, uint32_t end);
    void Fail(Node& node, ScanProblem problem, const char* what);
    uint32_t FindByte(uint32_t from, char c) const;  // m_length when absent

    const char* m_text;
    uint32_t m_length;
    uint32_t m_offset;
};

// End of the name of a start or end tag that begins at text[from]: the first of
// " \t\n\r/>" or the end of the text.
inline uint32_t TagNameEnd(const char* text, uint32_t length, uint32_t from);

// No fewer than the start tags a scan of text[0, length) can yield, found by a
// byte count without scanning: every start tag has a "<" followed by the first
// byte of its name, so this is the number of "<" followed by anything but "/".
// Processing instructions, comments, doctypes and markup inside comments, CDATA
// sections and attribute values count too; where there are none, it is the
// number of start tags. The record table takes one segment at a time, so a
// count that is too high costs at most one segment.
uint32_t StartTagCountBound(const char* text, uint32_t length);

// The error text of an error node ("" for a silent one).
std::string ScanErrorText(const Node& node);

// ---------------------------------------------------------------------------
// Text, white space, start and end tags make up nearly all of a document; their
// scans are defined here so that they compile into the parse loop. The rarer
// constructs are scanned in XmlNodeScanner.cpp.
//
// Stepping through GBK text: a trail byte is never below 0x40, so "<", ">", "&",
// ";", "/", "?", "-", "=", the quotes and white space are always whole characters
// and a byte search for them finds only real ones. Backslash, "[", "]", letters
// and the other bytes from 0x40 up can be trail bytes; wherever the reader looks
// for those it steps character by character.

// The scans of start and end tags are inlined into the loop that calls Next
// even where the compiler would judge them too large: a call per tag costs more
// than the scan of a short tag.
#if defined(__GNUC__)
#define XML_SCAN_INLINE inline __attribute__((always_inline))
#else
#define XML_SCAN_INLINE inline
#endif

inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// ":", "A"-"Z", "_" and every byte from "a" up, which takes in all lead bytes.
inline bool IsNameStart(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return c == ':' || (c >= 'A' && c <= 'Z') || c == '_' || u >= 0x61;
}

// The bytes that end a tag name (" \t\n\r/>") and, in a start tag, the bytes
// its scan stops at after the name (">" and the quotes): all below 0x40, so the
// tests are a shift and a mask.
constexpr uint64_t kNameStopBits = (1ull << ' ') | (1ull << '\t') | (1ull << '\n') | (1ull << '\r') |
                                   (1ull << '/') | (1ull << '>');
constexpr uint64_t kTagStopBits = (1ull << '>') | (1ull << '"') | (1ull << '\'');
inline bool InSet(uint64_t bits, char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return u < 64 && ((bits >> u) & 1) != 0;
}

inline uint32_t TagNameEnd(const char* text, uint32_t length, uint32_t from) {
    // None of the stop bytes is ever a trail byte, so a byte scan is exact. They
    // are all below 0x40 and most name bytes are letters above it, so the inner
    // loop tests one comparison per byte.
    for (;; ++from) {
        while (from < length && static_cast<unsigned char>(text[from]) >= 0x40) ++from;
        if (from >= length || InSet(kNameStopBits, text[from])) return from;
    }
}

XML_SCAN_INLINE Node NodeScanner::Next() {
    Node node;
    node.start = m_offset;
    if (m_offset >= m_length) {
        node.kind = kNodeEndOfDocument;
        return node;
    }
    char first = m_text[m_offset];
    if (first == '<') {
        ScanMarkup(node);
        return node;
    }
    // Text and white space run up to the next "<", which is never a trail byte.
    uint32_t at = m_offset;
    if (IsBlank(first)) {
        while (at < m_length && IsBlank(m_text[at])) ++at;
        if (at == m_length || m_text[at] == '<') {
            Finish(node, kNodeWhiteSpace, at);
            return node;
        }
    }
    Finish(node, kNodeText, FindByte(at, '<'));
    return node;
}

XML_SCAN_INLINE void NodeScanner::ScanMarkup(Node& node) {
    uint32_t next = node.start + 1;  // '<?'
    if (next >= m_length) return Fail(node, ScanProblem::kUnterminated, "tag");
    char c = m_text[next];
    if (c == '/') return ScanEndTag(node);
    if (IsNameStart(c)) return ScanStartTag(node, next);
    ScanOtherMarkup(node, c);
}

// Past the ">" that closes a start tag whose name ends at text[nameEnd], or 0
// when the text ends first. A ">" inside a quoted stretch does not end the tag.
XML_SCAN_INLINE uint32_t StartTagEnd(const char* text, uint32_t length, uint32_t nameEnd) {
    for (uint32_t at = nameEnd; at < length; ++at) {
        char c = text[at];
        if (!InSet(kTagStopBits, c)) continue;
        if (c == '>') return at + 1;
        const void* quote = std::memchr(text + at + 1, c, length - at - 1);  // the closing quote
        if (!quote) return 0;
        at = static_cast<uint32_t>(static_cast<const char*>(quote) - text);
    }
    return 0;
}

// Past the ">" of an end tag whose name ends at text[nameEnd], or 0 when the
// text ends first.
XML_SCAN_INLINE uint32_t EndTagEnd(const char* text, uint32_t length, uint32_t nameEnd) {
    if (nameEnd < length && text[nameEnd] == '>') return nameEnd + 1;
    if (nameEnd >= length) return 0;
    const void* close = std::memchr(text + nameEnd, '>', length - nameEnd);  // "</name >" is rare
    return close ? static_cast<uint32_t>(static_cast<const char*>(close) - text) + 1 : 0;
}

// The next "<" from text[from], or length. Between tags there is mostly a short
// run of white space, which is stepped; longer text is searched.
XML_SCAN_INLINE uint32_t NextMarkup(const char* text, uint32_t length, uint32_t from) {
    const uint32_t stepped = length - from > 8 ? from + 8 : length;
    for (; from < stepped; ++from)
        if (text[from] == '<') return from;
    if (from >= length) return length;
    const void* hit = std::memchr(text + from, '<', length - from);
    return hit ? static_cast<uint32_t>(static_cast<const char*>(hit) - text) : length;
}

XML_SCAN_INLINE void NodeScanner::ScanStartTag(Node& node, uint32_t nameStart) {
    node.nameStart = nameStart;
    uint32_t nameEnd = TagNameEnd(m_text, m_length, nameStart);
    node.nameLength = nameEnd - nameStart;
    uint32_t end = StartTagEnd(m_text, m_length, nameEnd);
    if (end == 0) return Fail(node, ScanProblem::kUnterminated, "Element tag");
    node.emptyElement = m_text[end - 2] == '/';
    Finish(node, kNodeStartTag, end);
}

XML_SCAN_INLINE void NodeScanner::ScanEndTag(Node& node) {
    node.nameStart = node.start + 2;  // '</name'
    uint32_t nameEnd = TagNameEnd(m_text, m_length, node.nameStart);
    node.nameLength = nameEnd - node.nameStart;
    uint32_t end = EndTagEnd(m_text, m_length, nameEnd);
    if (end == 0) return Fail(node, ScanProblem::kUnterminated, "Element end tag");
    Finish(node, kNodeEndTag, end);
}

inline void NodeScanner::Finish(Node& node, int kind, uint32_t end) {
    node.kind = kind;
    node.length = end - node.start;
    m_offset = end;
}

inline void NodeScanner::Fail(Node& node, ScanProblem problem, const char* what) {
    node.kind = kNodeError;
    node.problem = problem;
    node.what = what;
}

inline uint32_t NodeScanner::FindByte(uint32_t from, char c) const {
    if (from >= m_length) return m_length;
    const void* hit = std::memchr(m_text + from, c, m_length - from);
    return hit ? static_cast<uint32_t>(static_cast<const char*>(hit) - m_text) : m_length;
}

}  // namespace xml
