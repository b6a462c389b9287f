#include "xml/XmlNodeScanner.h"

#include <cstring>

#include "text/GbkText.h"

// Stepping through GBK text: a trail byte is never below 0x40, so "<", ">", "&",
// ";", "/", "?", "-", "=", the quotes and white space are always whole characters
// and a byte search for them finds only real ones. Backslash, "[", "]", letters
// and the other bytes from 0x40 up can be trail bytes; wherever the reader looks
// for those it steps character by character.

namespace xml {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// ":", "A"-"Z", "_" and every byte from "a" up, which takes in all lead bytes.
bool IsNameStart(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return c == ':' || (c >= 'A' && c <= 'Z') || c == '_' || u >= 0x61;
}

// Bytes that end the name of a start or end tag: white space, "/" and ">".
struct NameStopTable {
    bool stop[256] = {};
    NameStopTable() {
        for (unsigned char c : {' ', '\t', '\n', '\r', '/', '>'}) stop[c] = true;
    }
};
const NameStopTable kNameStop;

}  // namespace

Node NodeScanner::Next() {
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

void NodeScanner::ScanMarkup(Node& node) {
    uint32_t next = node.start + 1;  // '<?'
    if (next >= m_length) return Fail(node, ScanProblem::kUnterminated, "tag");
    char c = m_text[next];
    if (c == '/') return ScanEndTag(node);
    if (IsNameStart(c)) return ScanStartTag(node, next);
    if (c == '?') return ScanProcessingInstruction(node);
    if (c == '!') return ScanDeclaration(node);
    Fail(node, ScanProblem::kIncorrect, "tag name character");
}

void NodeScanner::ScanStartTag(Node& node, uint32_t nameStart) {
    node.nameStart = nameStart;
    uint32_t at = TagNameEnd(m_text, m_length, nameStart);
    node.nameLength = at - nameStart;
    // '<name ...>': a ">" inside a quoted stretch does not end the tag.
    char quote = 0;
    for (; at < m_length; ++at) {
        char c = m_text[at];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            node.emptyElement = m_text[at - 1] == '/';
            return Finish(node, kNodeStartTag, at + 1);
        }
    }
    Fail(node, ScanProblem::kUnterminated, "Element tag");
}

void NodeScanner::ScanEndTag(Node& node) {
    node.nameStart = node.start + 2;  // '</name'
    node.nameLength = TagNameEnd(m_text, m_length, node.nameStart) - node.nameStart;
    uint32_t close = FindByte(node.nameStart + node.nameLength, '>');
    if (close == m_length) return Fail(node, ScanProblem::kUnterminated, "Element end tag");
    Finish(node, kNodeEndTag, close + 1);
}

void NodeScanner::ScanProcessingInstruction(Node& node) {
    // '<?...?>'; the "?" of the opening may serve as the terminator's first character.
    for (uint32_t at = node.start + 2; (at = FindByte(at, '>')) < m_length; ++at)
        if (m_text[at - 1] == '?') return Finish(node, kNodeProcessingInstruction, at + 1);
    Fail(node, ScanProblem::kUnterminated, "Processing instruction");
}

void NodeScanner::ScanDeclaration(Node& node) {
    uint32_t at = node.start + 2;  // '<!?'
    if (at >= m_length) return Fail(node, ScanProblem::kUnterminated, "tag");
    switch (m_text[at]) {
        case '-': return ScanComment(node);
        case '[': return ScanCData(node);
        case 'D': return ScanDoctype(node);
        case 'E':
        case 'A':
        case 'N': {
            // '<!ELEMENT', '<!ATTLIST', '<!NOTATION' belong inside a doctype only.
            if (FindByte(at, '>') == m_length) return Fail(node, ScanProblem::kUnterminated, "tag");
            return Fail(node, ScanProblem::kSilent, "");
        }
        default: return Fail(node, ScanProblem::kIncorrect, "! tag");
    }
}

void NodeScanner::ScanComment(Node& node) {
    uint32_t at = node.start + 3;  // '<!-?'
    if (at >= m_length) return Fail(node, ScanProblem::kUnterminated, "Comment");
    if (m_text[at] != '-') return Fail(node, ScanProblem::kIncorrect, "comment tag");
    // '<!--...-->'; "-" is never a trail byte, so the two bytes before ">" are
    // whole characters (possibly those of the opening).
    for (at = node.start + 4; (at = FindByte(at, '>')) < m_length; ++at)
        if (m_text[at - 1] == '-' && m_text[at - 2] == '-') return Finish(node, kNodeComment, at + 1);
    Fail(node, ScanProblem::kUnterminated, "Comment");
}

void NodeScanner::ScanCData(Node& node) {
    uint32_t at = node.start + 3;  // '<![?'
    if (at >= m_length) return Fail(node, ScanProblem::kUnterminated, "CDATA Section");
    if (m_text[at] != 'C') return Fail(node, ScanProblem::kIncorrect, "tag");
    // '<![C...]]>': "]" can be a trail byte, so step by character and remember
    // whether each of the last two characters was a "]" of its own.
    const char* end = m_text + m_length;
    bool bracket1 = false, bracket2 = false;  // the opening's "C" and "[" are no "]"
    for (at = node.start + 4; at < m_length;) {
        size_t step = vantor::GbkCharLength(m_text + at, end);
        char c = m_text[at];
        bool isBracket = step == 1 && c == ']';
        if (step == 1 && c == '>' && bracket1 && bracket2) return Finish(node, kNodeCData, at + 1);
        bracket2 = bracket1;
        bracket1 = isBracket;
        at += static_cast<uint32_t>(step);
    }
    Fail(node, ScanProblem::kUnterminated, "CDATA Section");
}

void NodeScanner::ScanDoctype(Node& node) {
    // '<!D...>': each "<" inside opens a nested declaration that its ">" closes;
    // the first ">" outside one ends the doctype.
    bool nested = false;
    for (uint32_t at = node.start + 3; at < m_length; ++at) {
        char c = m_text[at];
        if (c == '<') {
            nested = true;
        } else if (c == '>') {
            if (!nested) return Finish(node, kNodeDoctype, at + 1);
            nested = false;
        }
    }
    Fail(node, ScanProblem::kUnterminated, "Doctype");
}

void NodeScanner::Finish(Node& node, int kind, uint32_t end) {
    node.kind = kind;
    node.length = end - node.start;
    m_offset = end;
}

void NodeScanner::Fail(Node& node, ScanProblem problem, const char* what) {
    node.kind = kNodeError;
    node.problem = problem;
    node.what = what;
}

uint32_t NodeScanner::FindByte(uint32_t from, char c) const {
    if (from >= m_length) return m_length;
    const void* hit = std::memchr(m_text + from, c, m_length - from);
    return hit ? static_cast<uint32_t>(static_cast<const char*>(hit) - m_text) : m_length;
}

uint32_t TagNameEnd(const char* text, uint32_t length, uint32_t from) {
    // None of the stop bytes is ever a trail byte, so a byte scan is exact.
    while (from < length && !kNameStop.stop[static_cast<unsigned char>(text[from])]) ++from;
    return from;
}

uint32_t StartTagCountBound(const char* text, uint32_t length) {
    // "<" and ">" are never trail bytes, and the scanner takes a "<" for a start
    // tag by the byte after it alone, so counting bytes counts characters. The
    // loop has no branches and counts in 8 bits per block of 255 bytes, so a
    // compiler with vector instructions at hand compares many bytes at once.
    constexpr uint32_t kBlock = 255;
    uint32_t opens = 0, closes = 0;
    for (uint32_t at = 1; at < length;) {
        uint32_t blockEnd = length - at > kBlock ? at + kBlock : length;
        uint8_t blockOpens = 0, blockCloses = 0;
        for (; at < blockEnd; ++at) {
            blockOpens += text[at - 1] == '<' && IsNameStart(text[at]);
            blockCloses += text[at] == '>';
        }
        opens += blockOpens;
        closes += blockCloses;
    }
    return opens < closes ? opens : closes;
}

std::string ScanErrorText(const Node& node) {
    std::string offset = std::to_string(node.start);
    switch (node.problem) {
        case ScanProblem::kIncorrect: return std::string("Incorrect ") + node.what + " at offset " + offset;
        case ScanProblem::kUnterminated: return std::string(node.what) + " at offset " + offset + " unterminated";
        default: return std::string();
    }
}

}  // namespace xml
