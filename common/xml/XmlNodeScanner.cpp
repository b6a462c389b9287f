#include "xml/XmlNodeScanner.h"

#include <cstring>

#include "text/GbkText.h"

namespace xml {

void NodeScanner::ScanOtherMarkup(Node& node, char afterLessThan) {
    if (afterLessThan == '?') return ScanProcessingInstruction(node);
    if (afterLessThan == '!') return ScanDeclaration(node);
    Fail(node, ScanProblem::kIncorrect, "tag name character");
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

uint32_t StartTagCountBound(const char* text, uint32_t length) {
    // "<" and "/" are never trail bytes, so counting bytes counts characters.
    // The loop has no branches and counts in 8 bits per block of 240 bytes (a
    // multiple of 16, and a constant trip count), so a compiler with vector
    // instructions at hand compares many bytes at once; for a small document
    // this pass is a fair share of the parse.
    constexpr uint32_t kBlock = 240;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    uint32_t opens = 0;
    uint32_t at = 0;
    for (; length > at && length - at > kBlock; at += kBlock) {
        const unsigned char* block = bytes + at;
        uint8_t blockOpens = 0;
        for (int i = 0; i < static_cast<int>(kBlock); ++i) blockOpens += (block[i] == '<') & (block[i + 1] != '/');
        opens += blockOpens;
    }
    for (; at + 1 < length; ++at) opens += text[at] == '<' && text[at + 1] != '/';
    return opens;
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
