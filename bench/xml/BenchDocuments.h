// The documents the benchmark parses, built in memory so that every parser
// gets the same bytes.
#pragma once

#include <cstddef>
#include <string>

namespace bench {

struct BenchDocument {
    std::string name;
    std::string text;
    size_t elements;
    // A manifest's items and the total length of their texts, decoded ("&amp;"
    // read as "&") and as written: what every reader's walk must find.
    size_t items = 0;
    size_t itemTextBytes = 0;
    size_t itemRawBytes = 0;
};

// An update manifest of about targetBytes: version elements, then one item
// per file with GBK folder names and now and then an entity.
BenchDocument ManifestDocument(const std::string& name, size_t targetBytes);

// Under one root, chains of elements depth deep, each holding a short text,
// repeated up to about targetBytes.
BenchDocument NestedChainsDocument(const std::string& name, size_t depth, size_t targetBytes);

}  // namespace bench
