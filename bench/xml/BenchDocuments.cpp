#include "BenchDocuments.h"

#include <cstdio>

namespace bench {

BenchDocument ManifestDocument(const std::string& name, size_t targetBytes) {
    BenchDocument doc{name, {}, 0};
    const std::string open = "\t\t<item>", close = "</item>\r\n";
    std::string& t = doc.text;
    t.reserve(targetBytes + 256);
    t += "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<spkprotocol>\r\n";
    t += "\t<version>1.0.3</version>\r\n";
    t += "\t<displayVersion>1.0.3 \xd5\xfd\xca\xbd\xb0\xe6</displayVersion>\r\n";  // 正式版
    t += "\t<copyfile>\r\n";
    doc.elements = 4;
    const char* folders[] = {
        "data\\\xb5\xd8\xcd\xbc\\",  // data\地图\ (map)
        "data\\\x81\x5c\\",          // data\乗\ (trail byte "\")
        "sound\\", "bin\\",
    };
    char line[160];
    for (size_t i = 0; t.size() < targetBytes; ++i) {
        const char* amp = (i % 16 == 0) ? "&amp;old" : "";
        int n = std::snprintf(line, sizeof line, "\t\t<item>%sfile_%06zu%s.pak</item>\r\n", folders[i % 4], i, amp);
        t += line;
        ++doc.elements;
        ++doc.items;
        size_t raw = static_cast<size_t>(n) - open.size() - close.size();
        doc.itemRawBytes += raw;
        doc.itemTextBytes += *amp ? raw - 4 : raw;
    }
    t += "\t</copyfile>\r\n</spkprotocol>\r\n";
    return doc;
}

BenchDocument NestedChainsDocument(const std::string& name, size_t depth, size_t targetBytes) {
    BenchDocument doc{name, "<r>", 1};
    std::string& t = doc.text;
    t.reserve(targetBytes + depth * 8);
    do {
        for (size_t i = 0; i < depth; ++i) t += "<n>";
        t += "x";
        for (size_t i = 0; i < depth; ++i) t += "</n>";
        doc.elements += depth;
    } while (t.size() < targetBytes);
    t += "</r>";
    return doc;
}

}  // namespace bench
