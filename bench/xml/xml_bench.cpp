// Speed (MB/s) and peak heap of XmlDocument beside pugixml and tinyxml2 on the
// same bytes: manifests of 4 KB, 1 MB and 50 MB, chains 90 deep (tinyxml2
// refuses more than 100 levels) and one chain a million deep.
//
// Each iteration builds a fresh document from the caller's bytes, as the
// launcher and the updater do: all three copy the text first. pugixml is
// run twice: with its default options (it decodes entities and line ends while
// parsing) and with parse_minimal, which like XmlDocument leaves text as it is.
//
// Two kinds of benchmark, named "<document>/<reader>/<parse|walk>":
// - parse: the parse alone;
// - walk (manifests): the parse and then the updater's walk: the root
//   "spkprotocol", into "copyfile", every "item" child's text as a
//   std::string (XmlDocument: ChildText; pugixml: child_value() copied;
//   tinyxml2: GetText() copied). The item count and the sum of the text lengths
//   are checked against the document's own figures (pugixml_minimal leaves
//   "&amp;" as written), so every reader must find the same texts, or the
//   benchmark fails.
// Readers of one document and kind run next to each other; for a comparison on a
// busy machine use --benchmark_repetitions=3 (or more) and compare medians.
// A quick run leaves out the large documents:
//   xml_bench --benchmark_filter='manifest_(4KB|1MB)' --benchmark_repetitions=3
// and --benchmark_out=FILE --benchmark_out_format=json writes the results as JSON.
//
// Counters: MB/s; peak_MB, the heap high-water mark of one iteration including
// the reader's copy of the text; heap_B/elem, that peak less the text's size,
// per element.
#include <benchmark/benchmark.h>
#include <pugixml.hpp>
#include <tinyxml2.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchDocuments.h"
#include "HeapPeak.h"
#include "xml/XmlDocument.h"

namespace {

using bench::BenchDocument;

// What a walk found: the number of items and the sum of their text lengths.
struct WalkTotal {
    bool parsed = false;
    size_t items = 0;
    size_t textBytes = 0;
};

struct Reader {
    const char* name;
    bool (*parse)(const std::string& text);
    WalkTotal (*walk)(const std::string& text);
    bool decodesEntities;
};

bool ParseVantor(const std::string& text) {
    XmlDocument doc;
    bool ok = doc.SetText(text.c_str());
    benchmark::DoNotOptimize(doc);
    return ok;
}

WalkTotal WalkVantor(const std::string& text) {
    WalkTotal total;
    XmlDocument doc;
    total.parsed = doc.SetText(text.c_str());
    if (doc.NextElement("spkprotocol") && doc.NextChild("copyfile") && doc.EnterElement()) {
        while (doc.NextChild("item")) {
            std::string item = doc.ChildText();
            benchmark::DoNotOptimize(item.data());
            total.textBytes += item.size();
            ++total.items;
        }
    }
    return total;
}

bool ParsePugi(const std::string& text, unsigned options) {
    pugi::xml_document doc;
    bool ok = doc.load_buffer(text.data(), text.size(), options);
    benchmark::DoNotOptimize(doc);
    return ok;
}

WalkTotal WalkPugi(const std::string& text, unsigned options) {
    WalkTotal total;
    pugi::xml_document doc;
    total.parsed = static_cast<bool>(doc.load_buffer(text.data(), text.size(), options));
    pugi::xml_node copyfile = doc.child("spkprotocol").child("copyfile");
    for (pugi::xml_node item = copyfile.child("item"); item; item = item.next_sibling("item")) {
        std::string value = item.child_value();
        benchmark::DoNotOptimize(value.data());
        total.textBytes += value.size();
        ++total.items;
    }
    return total;
}

bool ParsePugiDefault(const std::string& text) { return ParsePugi(text, pugi::parse_default); }
bool ParsePugiMinimal(const std::string& text) { return ParsePugi(text, pugi::parse_minimal); }
WalkTotal WalkPugiDefault(const std::string& text) { return WalkPugi(text, pugi::parse_default); }
WalkTotal WalkPugiMinimal(const std::string& text) { return WalkPugi(text, pugi::parse_minimal); }

bool ParseTinyxml2(const std::string& text) {
    tinyxml2::XMLDocument doc;
    bool ok = doc.Parse(text.data(), text.size()) == tinyxml2::XML_SUCCESS;
    benchmark::DoNotOptimize(doc);
    return ok;
}

WalkTotal WalkTinyxml2(const std::string& text) {
    WalkTotal total;
    tinyxml2::XMLDocument doc;
    total.parsed = doc.Parse(text.data(), text.size()) == tinyxml2::XML_SUCCESS;
    tinyxml2::XMLElement* root = doc.FirstChildElement("spkprotocol");
    tinyxml2::XMLElement* copyfile = root ? root->FirstChildElement("copyfile") : nullptr;
    for (tinyxml2::XMLElement* item = copyfile ? copyfile->FirstChildElement("item") : nullptr; item;
         item = item->NextSiblingElement("item")) {
        const char* text = item->GetText();
        std::string value = text ? text : "";
        benchmark::DoNotOptimize(value.data());
        total.textBytes += value.size();
        ++total.items;
    }
    return total;
}

const Reader kReaders[] = {
    {"XmlDocument", ParseVantor, WalkVantor, true},
    {"pugixml", ParsePugiDefault, WalkPugiDefault, true},
    {"pugixml_minimal", ParsePugiMinimal, WalkPugiMinimal, false},
    {"tinyxml2", ParseTinyxml2, WalkTinyxml2, true},
};

void SetCounters(benchmark::State& state, const BenchDocument& doc, double peak) {
    double bytes = static_cast<double>(doc.text.size());
    state.counters["MB/s"] =
        benchmark::Counter(bytes * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["heap_B/elem"] = (peak - bytes) / static_cast<double>(doc.elements);
}

void RunParse(benchmark::State& state, const BenchDocument* doc, const Reader* reader) {
    size_t start = bench::StartPeakWindow();
    if (!reader->parse(doc->text)) {
        state.SkipWithError("document refused");
        return;
    }
    double peak = static_cast<double>(bench::PeakBytesSince(start));

    for (auto _ : state) benchmark::DoNotOptimize(reader->parse(doc->text));
    SetCounters(state, *doc, peak);
}

void RunWalk(benchmark::State& state, const BenchDocument* doc, const Reader* reader) {
    const size_t expectedBytes = reader->decodesEntities ? doc->itemTextBytes : doc->itemRawBytes;
    size_t start = bench::StartPeakWindow();
    WalkTotal first = reader->walk(doc->text);
    double peak = static_cast<double>(bench::PeakBytesSince(start));
    if (!first.parsed || first.items != doc->items || first.textBytes != expectedBytes) {
        std::fprintf(stderr, "%s on %s: %zu items, %zu bytes; expected %zu items, %zu bytes\n", reader->name,
                     doc->name.c_str(), first.items, first.textBytes, doc->items, expectedBytes);
        state.SkipWithError("walk found other items");
        return;
    }

    size_t wrong = 0;
    for (auto _ : state) {
        WalkTotal total = reader->walk(doc->text);
        wrong += total.items != doc->items || total.textBytes != expectedBytes;
    }
    if (wrong != 0) {
        state.SkipWithError("walk found other items");
        return;
    }
    SetCounters(state, *doc, peak);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<BenchDocument> docs;
    docs.push_back(bench::ManifestDocument("manifest_4KB", 4u << 10));
    docs.push_back(bench::ManifestDocument("manifest_1MB", 1u << 20));
    docs.push_back(bench::ManifestDocument("manifest_50MB", 50u << 20));
    docs.push_back(bench::NestedChainsDocument("chains_90_deep_8MB", 90, 8u << 20));
    docs.push_back(bench::NestedChainsDocument("chain_1M_deep", 1000000, 1));

    for (const BenchDocument& doc : docs) {
        std::printf("%s: %zu bytes, %zu elements, %zu items\n", doc.name.c_str(), doc.text.size(), doc.elements,
                    doc.items);
        const benchmark::TimeUnit unit = doc.text.size() > (64u << 10) ? benchmark::kMillisecond
                                                                         : benchmark::kMicrosecond;
        for (const char* kind : {"parse", "walk"}) {
            const bool walk = kind[0] == 'w';
            if (walk && doc.items == 0) continue;  // only manifests have the updater's walk
            for (const Reader& reader : kReaders) {
                std::string name = doc.name + "/" + reader.name + "/" + kind;
                // No MinTime of its own: it would add "/min_time:..." to the name,
                // and --benchmark_min_time decides.
                benchmark::RegisterBenchmark(name.c_str(), walk ? RunWalk : RunParse, &doc, &reader)->Unit(unit);
            }
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
