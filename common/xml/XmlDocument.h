// A small non-validating XML reader. The launcher reads the update-info reply
// with it and the updater its manifest. The document is held as one text and
// parsed once into a table of element records that refer to the text by offset;
// a cursor moves from element to element by name, and ChildText decodes the
// text of the element the cursor stands on as a child.
//
// Text is bytes of the GBK code page (see text/GbkText.h); names compare byte
// for byte, case-sensitive. Failures are results: a document that does not
// parse leaves nothing to find, and ErrorText says why.
#pragma once

#include <cstdint>
#include <string>

#include "xml/XmlElementTable.h"

class XmlDocument {
public:
    // Holds the error "Empty document" and allocates nothing; every search fails
    // until a document has been set.
    XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // The document becomes text (null: empty), the error is cleared and the
    // document is parsed. Returns whether the parse succeeded.
    bool SetText(const char* text);
    // The same, taking over bytes that may hold NULs, without copying them.
    bool SetText(std::string&& text);

    // The document becomes the bytes of the file and is parsed. The error then
    // reads "<size> bytes", followed by ", " and the parse error if there is one.
    // A file that cannot be read leaves the document as it was and sets the
    // runtime library's text for the system error; the result is then false.
    bool LoadFile(const char* path);

    // The next sibling named name (null or empty: any) after the current
    // element, or the first child of the parent level when there is no current
    // element; it becomes the current element and the child is reset.
    bool NextElement(const char* name = nullptr);
    // The next child named name (null or empty: any) of the current element,
    // after the current child. Without a current element the first element of
    // the level is taken first; when there is none the call fails.
    bool NextChild(const char* name = nullptr);
    // Steps down: the current element becomes the parent level and the current
    // child the current element.
    bool EnterElement();

    // The decoded text of the current child; empty for no child, an element
    // with child elements or an empty element.
    std::string ChildText() const;

    const std::string& ErrorText() const { return m_strError; }

private:
    bool Parse();
    bool BuildTree();
    bool ScanFailed(uint32_t offset);
    void ClearRecordZero();
    void ResetCursor();
    bool FindSibling(uint32_t from, const char* name, uint32_t& found) const;
    std::string StartTagScanName(uint32_t pos) const;
    uint32_t StartTagLength(const xml::ElementRecord& r) const;
    uint32_t ContentEnd(const xml::ElementRecord& r, uint32_t contentStart) const;

    std::string m_strDoc;
    std::string m_strError;
    uint32_t m_nParentPos = 0;   // element whose children are walked (0: document level)
    uint32_t m_nCurrentPos = 0;  // current element (0: none)
    uint32_t m_nChildPos = 0;    // current child of the current element (0: none)
    uint32_t m_nFreePos = 1;     // next free record
    int m_nNodeKind = 0;         // 1 when the cursor stands on an element
    xml::ElementTable m_table;   // record 0 is the document level
};
