// Feeds arbitrary bytes to the XML reader and then visits every element the
// navigation calls can reach, reading the text of each. The cursor only moves
// down, so each element is reached by a fresh parse and a replay of its path
// of child indices; a cap on the replays keeps large inputs fast. First, the
// count of start tags that sizes the record table must not fall below the
// number a scan of the bytes yields, and the byte-wise name checks must decide
// as reading the names by character does.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "xml/XmlDocument.h"
#include "xml/XmlNodeScanner.h"
#include "xml/XmlTagName.h"

namespace {

constexpr size_t kMaxReplays = 16;

// Decoding only ever shortens text, so no element's text is longer than the input.
void ReadChildText(const XmlDocument& doc, size_t inputSize) {
    if (doc.ChildText().size() > inputSize) __builtin_trap();
}

// Moves the cursor onto the element at path (child indices below the root)
// and returns whether it got there.
bool ReplayPath(XmlDocument& doc, const std::string& bytes, const std::vector<uint32_t>& path) {
    if (!doc.SetText(std::string(bytes))) __builtin_trap();  // it parsed the first time
    if (!doc.NextElement(nullptr)) __builtin_trap();          // a parsed document has a root
    for (uint32_t index : path) {
        for (uint32_t i = 0; i <= index; ++i)
            if (!doc.NextChild(nullptr)) return false;
        if (!doc.EnterElement()) return false;
    }
    return true;
}

void CheckStartTagCountBound(const std::string& bytes) {
    const uint32_t length = static_cast<uint32_t>(bytes.size());
    xml::NodeScanner scanner(bytes.data(), length);
    uint32_t startTags = 0;
    for (xml::Node node = scanner.Next(); node.kind >= 0; node = scanner.Next())
        if (node.kind == xml::kNodeStartTag) ++startTags;
    if (xml::StartTagCountBound(bytes.data(), length) < startTags) __builtin_trap();
}

// The searched name against the first start tags, and the first end tags'
// names against those start tags.
void CheckNameChecks(const std::string& bytes, const std::string& name) {
    constexpr size_t kMaxTags = 16;
    const uint32_t length = static_cast<uint32_t>(bytes.size());
    std::vector<uint32_t> starts;
    std::vector<xml::NameSpan> endNames;
    xml::NodeScanner scanner(bytes.data(), length);
    for (xml::Node node = scanner.Next(); node.kind >= 0; node = scanner.Next()) {
        if (node.kind == xml::kNodeStartTag && starts.size() < kMaxTags) starts.push_back(node.start);
        if (node.kind == xml::kNodeEndTag && endNames.size() < kMaxTags)
            endNames.push_back({bytes.data() + node.nameStart, node.nameLength});
    }
    const xml::NameSpan searched{name.data(), name.size()};
    for (uint32_t start : starts) {
        const xml::NameSpan tagName = xml::ReadTagName(bytes.data(), length, start);
        if (!name.empty() && xml::ElementNameMatches(bytes.data(), length, start, name.c_str()) !=
                                 xml::SearchedNameMatches(searched, tagName))
            __builtin_trap();
        for (const xml::NameSpan& endName : endNames)
            if (xml::EndTagMatches(bytes.data(), length, start, endName) != xml::SearchedNameMatches(endName, tagName))
                __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    // A name to search for: the input's first bytes up to a NUL, at most 8.
    std::string name = bytes.substr(0, 8);
    name = name.substr(0, name.find('\0'));
    CheckStartTagCountBound(bytes);
    CheckNameChecks(bytes, name);

    XmlDocument doc;
    bool parsed = doc.SetText(std::string(bytes));
    (void)doc.ErrorText();
    if (!parsed) {
        // Nothing may be found after a failed parse.
        if (doc.NextElement(nullptr) || doc.NextChild(nullptr)) __builtin_trap();
        return 0;
    }

    std::deque<std::vector<uint32_t>> pending{{}};
    for (size_t replays = 0; !pending.empty() && replays < kMaxReplays; ++replays) {
        std::vector<uint32_t> path = pending.front();
        pending.pop_front();
        if (!ReplayPath(doc, bytes, path)) continue;
        uint32_t children = 0;
        while (doc.NextChild(nullptr)) {
            ReadChildText(doc, size);
            std::vector<uint32_t> childPath = path;
            childPath.push_back(children++);
            pending.push_back(std::move(childPath));
        }
        // The named searches and the sibling walk at this level.
        doc.NextChild(name.c_str());
        ReadChildText(doc, size);
        doc.EnterElement();
        doc.NextChild(nullptr);
        ReadChildText(doc, size);
        while (doc.NextElement(name.c_str())) doc.NextChild(nullptr);
        while (doc.NextElement(nullptr)) ReadChildText(doc, size);
    }
    return 0;
}
