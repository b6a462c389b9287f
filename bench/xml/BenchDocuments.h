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
};

// An update manifest of about targetBytes: version elements, then one item
// per file with GBK folder names and now and then an entity.
BenchDocument ManifestDocument(const std::string& name, size_t targetBytes);

// Under one root, chains of elements depth deep, each holding a short text,
// repeated up to about targetBytes.
BenchDocument NestedChainsDocument(const std::string& name, size_t depth, size_t targetBytes);

}  // namespace bench
