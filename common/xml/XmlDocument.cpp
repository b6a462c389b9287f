#include "xml/XmlDocument.h"

#include <cerrno>
#include <cstring>
#include <new>

#include "xml/XmlFileBytes.h"
#include "xml/XmlNodeScanner.h"
#include "xml/XmlTagName.h"
#include "xml/XmlTextDecoder.h"

using xml::ElementRecord;

namespace {

// Offsets are 32-bit and the messages print them as int.
constexpr size_t kMaxDocumentLength = 0x7FFFFFFF;

// Room made before a parse: record 0 and one record for each start tag the text
// can hold. The table then takes exactly that, a segment at a time as the parse
// fills it, and never reallocates; growing beyond it stays as a safety net. At
// least 8, what a new reader holds.
uint32_t RecordCountFor(const std::string& document) {
    uint32_t startTags = xml::StartTagCountBound(document.data(), static_cast<uint32_t>(document.size()));
    return startTags < 8 ? 8 : startTags + 1;
}

std::string Quoted(const char* data, size_t length) {
    std::string s(1, '\'');
    s.append(data, length);
    s += '\'';
    return s;
}

std::string OffsetText(uint32_t offset) { return " at offset " + std::to_string(offset); }

}  // namespace

// Nothing to parse and nothing allocated: a reader made for one document
// allocates only for that one.
XmlDocument::XmlDocument() : m_strError("Empty document") {}

bool XmlDocument::SetText(const char* text) {
    m_strError.clear();
    try {
        m_strDoc.assign(text ? text : "");
    } catch (const std::bad_alloc&) {
        std::string().swap(m_strDoc);
        m_strError = std::strerror(ENOMEM);  // kept in front of the parse error
    }
    return Parse();
}

bool XmlDocument::SetText(std::string&& text) {
    m_strError.clear();
    m_strDoc.swap(text);
    std::string().swap(text);
    return Parse();
}

bool XmlDocument::LoadFile(const char* path) {
    std::string bytes, error;
    if (!xml::ReadFileBytes(path, bytes, error)) {
        m_strError = error;
        return false;
    }
    m_strDoc.swap(bytes);
    m_strError = std::to_string(m_strDoc.size()) + " bytes";
    return Parse();
}

bool XmlDocument::Parse() {
    std::string earlier;
    earlier.swap(m_strError);
    ResetCursor();
    m_nFreePos = 1;

    bool ok = false;
    if (m_strDoc.size() > kMaxDocumentLength) {
        m_strError = "Document too large";
    } else if (!m_table.Reset(RecordCountFor(m_strDoc))) {
        m_strError = std::strerror(ENOMEM);
    } else if (m_strDoc.empty()) {
        m_strError = "Empty document";
    } else {
        ClearRecordZero();
        ok = BuildTree();
    }
    if (!ok) {
        // Nothing can be found after a failed parse.
        if (m_table.HasStorage()) ClearRecordZero();
        m_nFreePos = 1;
    }
    ResetCursor();

    if (!earlier.empty()) m_strError = m_strError.empty() ? earlier : earlier + ", " + m_strError;
    return ok;
}

// One pass over the tags. The open elements are the chain of parents from the
// current one up, so no stack of its own is needed, however deep the nesting.
// The last child of the innermost open element is kept at hand (it is the
// element that ended last, or none), so linking a sibling touches only that
// record; the first child's link to the last one is written when the parent
// ends.
//
// Text and white space make no records, so the loop steps from "<" to "<" and
// reads start and end tags itself, with its state in locals; the rarer
// constructs, and any tag that does not scan, go to the node scanner, whose
// error node gives the message. It stays one function: with the two tag
// branches as helpers sharing the chain's state in a struct, a 4 KB manifest
// parsed about 6% slower.
bool XmlDocument::BuildTree() {
    const char* text = m_strDoc.data();
    const uint32_t length = static_cast<uint32_t>(m_strDoc.size());
    uint32_t parent = 0;     // innermost open element (0: the document level)
    uint32_t lastChild = 0;  // its last child so far (0: none yet)
    uint32_t depth = 0;      // number of open elements
    uint32_t root = 0;

    for (uint32_t at = 0;;) {
        at = xml::NextMarkup(text, length, at);
        if (at == length) break;
        const char afterLessThan = at + 1 < length ? text[at + 1] : '\0';
        if (xml::IsNameStart(afterLessThan)) {
            const uint32_t nameStart = at + 1;
            const uint32_t nameEnd = xml::TagNameEnd(text, length, nameStart);
            const uint32_t end = xml::StartTagEnd(text, length, nameEnd);
            if (end == 0) return ScanFailed(at);
            if (depth == 0 && root != 0) {
                m_strError = "Element " + Quoted(text + nameStart, nameEnd - nameStart) + OffsetText(at) +
                             " is sibling to root";
                return false;
            }
            if (m_nFreePos == m_table.Capacity() && !m_table.Grow()) {
                m_strError = std::strerror(ENOMEM);
                return false;
            }
            const uint32_t pos = m_nFreePos++;
            if (root == 0) root = pos;
            const uint32_t level = depth < xml::kMaxLevel ? depth : xml::kMaxLevel;
            ElementRecord& r = m_table[pos];
            if (lastChild == 0) {
                m_table[parent].firstChild = pos;
                r.prevSibling = pos;  // the last sibling until the parent ends
                r.flags = level | xml::kFirstChildFlag;
            } else {
                m_table[lastChild].nextSibling = pos;
                r.prevSibling = lastChild;
                r.flags = level;
            }
            r.start = at;
            r.length = end - at;  // final for an empty element, else set at its end tag
            r.tagLengths = xml::PackTagLengths(end - at, 0);
            r.parent = parent;
            r.firstChild = 0;
            r.nextSibling = 0;
            if (text[end - 2] == '/') {  // "<name/>"
                lastChild = pos;
            } else {
                parent = pos;
                lastChild = 0;
                ++depth;
            }
            at = end;
        } else if (afterLessThan == '/') {
            const uint32_t nameStart = at + 2;
            const uint32_t nameEnd = xml::TagNameEnd(text, length, nameStart);
            const uint32_t end = xml::EndTagEnd(text, length, nameEnd);
            if (end == 0) return ScanFailed(at);
            const xml::NameSpan endName{text + nameStart, nameEnd - nameStart};
            if (depth == 0) {
                m_strError = "No start tag for end tag " + Quoted(endName.data, endName.length) + OffsetText(at);
                return false;
            }
            ElementRecord& r = m_table[parent];
            r.length = end - r.start;
            r.tagLengths = xml::PackTagLengths(xml::StoredStartTagLength(r), end - at);
            if (!xml::EndTagMatches(text, length, r.start, endName)) {
                // The end tag is reported at its "/".
                m_strError = "End tag " + Quoted(endName.data, endName.length) + OffsetText(at + 1) +
                             " does not match start tag " + StartTagScanName(parent) + OffsetText(r.start);
                return false;
            }
            if (lastChild != 0) m_table[r.firstChild].prevSibling = lastChild;
            lastChild = parent;
            parent = r.parent;
            --depth;
            at = end;
        } else {
            // CDATA, processing instructions, comments, doctype, or an error.
            xml::NodeScanner scanner(text, length, at);
            const xml::Node node = scanner.Next();
            if (node.kind == xml::kNodeError) return ScanFailed(at);
            m_table[parent].flags |= xml::kMarkupInContentFlag;
            at = node.start + node.length;
        }
    }

    if (depth > 0) {
        m_strError = "Element " + StartTagScanName(parent) + OffsetText(m_table[parent].start) + " not ended";
        return false;
    }
    if (root == 0) {
        m_strError = "Root element not found";
        return false;
    }
    m_table[0].firstChild = root;
    m_table[0].length = length;
    return true;
}

// The node at offset does not scan: its error node gives the message.
bool XmlDocument::ScanFailed(uint32_t offset) {
    xml::NodeScanner scanner(m_strDoc.data(), static_cast<uint32_t>(m_strDoc.size()), offset);
    m_strError = xml::ScanErrorText(scanner.Next());
    return false;
}

void XmlDocument::ClearRecordZero() {
    ElementRecord& r = m_table[0];
    std::memset(&r, 0, sizeof r);
    r.tagLengths = xml::PackTagLengths(0, 1);
}

void XmlDocument::ResetCursor() {
    m_nParentPos = m_nCurrentPos = m_nChildPos = 0;
    m_nNodeKind = 0;
}

// The start tag's name as the tag scan delimits it, quoted, for messages.
std::string XmlDocument::StartTagScanName(uint32_t pos) const {
    uint32_t nameStart = m_table[pos].start + 1;
    uint32_t nameEnd = xml::TagNameEnd(m_strDoc.data(), static_cast<uint32_t>(m_strDoc.size()), nameStart);
    return Quoted(m_strDoc.data() + nameStart, nameEnd - nameStart);
}

// Inline: NextChild calls it once per item of a manifest.
XML_SCAN_INLINE bool XmlDocument::FindSibling(uint32_t from, const char* name, uint32_t& found) const {
    if (from == 0) return false;
    if (!name || !*name) {
        found = from;
        return true;
    }
    const xml::SearchedElementName searched(name);
    for (uint32_t pos = from; pos != 0; pos = m_table[pos].nextSibling) {
        if (searched.Matches(m_strDoc.data(), m_strDoc.size(), m_table[pos].start)) {
            found = pos;
            return true;
        }
    }
    return false;
}

bool XmlDocument::NextElement(const char* name) {
    if (!m_table.HasStorage()) return false;
    uint32_t from = m_nCurrentPos ? m_table[m_nCurrentPos].nextSibling : m_table[m_nParentPos].firstChild;
    uint32_t found;
    if (!FindSibling(from, name, found)) return false;
    m_nCurrentPos = found;
    m_nParentPos = m_table[found].parent;
    m_nChildPos = 0;
    m_nNodeKind = 1;
    return true;
}

bool XmlDocument::NextChild(const char* name) {
    if (!m_table.HasStorage()) return false;
    // Without a current element the document level's children would be taken
    // for children of nothing; there is then nothing to search.
    if (m_nCurrentPos == 0 && !NextElement(nullptr)) return false;
    uint32_t from = m_nChildPos ? m_table[m_nChildPos].nextSibling : m_table[m_nCurrentPos].firstChild;
    uint32_t found;
    if (!FindSibling(from, name, found)) return false;
    m_nChildPos = found;
    m_nCurrentPos = m_table[found].parent;
    m_nParentPos = m_table[m_nCurrentPos].parent;
    m_nNodeKind = m_nCurrentPos != 0 ? 1 : 0;
    return true;
}

bool XmlDocument::EnterElement() {
    if (m_nCurrentPos == 0 || m_nNodeKind != 1) return false;
    m_nParentPos = m_nCurrentPos;
    m_nCurrentPos = m_nChildPos;
    m_nChildPos = 0;
    m_nNodeKind = m_nCurrentPos != 0 ? 1 : 0;
    return true;
}

uint32_t XmlDocument::StartTagLength(const ElementRecord& r) const {
    uint32_t stored = xml::StoredStartTagLength(r);
    if (stored < xml::kStartTagLengthMax) return stored;
    xml::NodeScanner scanner(m_strDoc.data(), static_cast<uint32_t>(m_strDoc.size()), r.start);
    return scanner.Next().length;
}

uint32_t XmlDocument::ContentEnd(const ElementRecord& r, uint32_t contentStart) const {
    uint32_t elementEnd = r.start + r.length;
    uint32_t stored = xml::StoredEndTagLength(r);
    if (stored < xml::kEndTagLengthMax) return elementEnd - stored;
    // Without child elements the first end tag after the start tag is the element's own.
    xml::NodeScanner scanner(m_strDoc.data(), elementEnd, contentStart);
    for (xml::Node node = scanner.Next(); node.kind >= 0; node = scanner.Next())
        if (node.kind == xml::kNodeEndTag) return node.start;
    return elementEnd;
}

std::string XmlDocument::ChildText() const {
    std::string out;
    if (m_nChildPos == 0) return out;
    const ElementRecord& r = m_table[m_nChildPos];
    if (r.firstChild != 0 || xml::StoredEndTagLength(r) == 0) return out;
    // The stored tag lengths, unless a tag was too long for its field.
    const uint32_t startTag = xml::StoredStartTagLength(r), endTag = xml::StoredEndTagLength(r);
    uint32_t begin = r.start + (startTag < xml::kStartTagLengthMax ? startTag : StartTagLength(r));
    uint32_t end = endTag < xml::kEndTagLengthMax ? r.start + r.length - endTag : ContentEnd(r, begin);
    const char* stretch = m_strDoc.data() + begin;
    uint32_t length = end - begin;
    // The parse marked elements with markup among their text; the others hold
    // no "<". Plain text, the usual item, is the stretch itself: one
    // allocation, one copy.
    const bool markup = (r.flags & xml::kMarkupInContentFlag) != 0;
    if (!markup && !std::memchr(stretch, '&', length)) return std::string(stretch, length);
    // Decoding never lengthens text: one allocation, however many pieces follow.
    out.reserve(length);
    if (!markup) {
        xml::AppendDecodedText(stretch, length, out);
        return out;
    }
    // Text nodes decoded, CDATA sections raw; comments, processing
    // instructions and white space between them give nothing.
    xml::NodeScanner scanner(stretch, length);
    for (xml::Node node = scanner.Next(); node.kind >= 0; node = scanner.Next()) {
        if (node.kind == xml::kNodeText) {
            xml::AppendDecodedText(stretch + node.start, node.length, out);
        } else if (node.kind == xml::kNodeCData) {
            // '<![CDATA[' ... ']]>'; a short opening such as '<![C]]>' gives nothing.
            uint32_t innerEnd = node.start + node.length - 3;
            uint32_t innerStart = node.start + 9 < innerEnd ? node.start + 9 : innerEnd;
            out.append(stretch + innerStart, innerEnd - innerStart);
        }
    }
    return out;
}
