// Splits a document text into nodes, one per call: tags, text, white space,
// CDATA sections, processing instructions, comments and document type
// declarations. Nothing is copied; a node is an offset and a length.
#pragma once

#include <cstdint>
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
uint32_t TagNameEnd(const char* text, uint32_t length, uint32_t from);

// No fewer than the start tags a scan of text[0, length) can yield, found by a
// byte count without scanning: every start tag has a "<" followed by a name-start
// byte and a ">" of its own, so the smaller of those two counts. Markup inside
// comments, CDATA sections and attribute values counts too, but the result never
// exceeds length / 3; where there is no such markup, it is the number of start
// tags.
uint32_t StartTagCountBound(const char* text, uint32_t length);

// The error text of an error node ("" for a silent one).
std::string ScanErrorText(const Node& node);

}  // namespace xml
