// Parse throughput (MB/s) and peak heap of XmlDocument beside pugixml and
// tinyxml2 on the same bytes: a 1 MB and a 50 MB manifest, chains 90 deep
// (tinyxml2 refuses more than 100 levels) and one chain a million deep.
//
// Each iteration builds a fresh document from the caller's bytes, as the
// launcher and the updater do: all three copy the text first. pugixml is
// run twice: with its default options (it decodes entities and line ends while
// parsing) and with parse_minimal, which like XmlDocument leaves text as it is.
//
// Counters: MB/s; peak_MB, the heap high-water mark of one parse including the
// parser's copy of the text; heap_B/elem, that peak less the text's size, per
// element.
#include <benchmark/benchmark.h>
#include <pugixml.hpp>
#include <tinyxml2.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BenchDocuments.h"
#include "HeapPeak.h"
#include "xml/XmlDocument.h"

namespace {

using bench::BenchDocument;

// Parses text once; true when the document was accepted.
using ParseOnce = std::function<bool(const std::string& text)>;

bool ParseVantor(const std::string& text) {
    XmlDocument doc;
    bool ok = doc.SetText(text.c_str());
    benchmark::DoNotOptimize(doc);
    return ok;
}

bool ParsePugiDefault(const std::string& text) {
    pugi::xml_document doc;
    bool ok = doc.load_buffer(text.data(), text.size());
    benchmark::DoNotOptimize(doc);
    return ok;
}

bool ParsePugiMinimal(const std::string& text) {
    pugi::xml_document doc;
    bool ok = doc.load_buffer(text.data(), text.size(), pugi::parse_minimal);
    benchmark::DoNotOptimize(doc);
    return ok;
}

bool ParseTinyxml2(const std::string& text) {
    tinyxml2::XMLDocument doc;
    bool ok = doc.Parse(text.data(), text.size()) == tinyxml2::XML_SUCCESS;
    benchmark::DoNotOptimize(doc);
    return ok;
}

void RunParse(benchmark::State& state, const BenchDocument* doc, ParseOnce parse) {
    size_t start = bench::StartPeakWindow();
    if (!parse(doc->text)) {
        state.SkipWithError("document refused");
        return;
    }
    double peak = static_cast<double>(bench::PeakBytesSince(start));

    for (auto _ : state) benchmark::DoNotOptimize(parse(doc->text));

    double bytes = static_cast<double>(doc->text.size());
    state.counters["MB/s"] =
        benchmark::Counter(bytes * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["heap_B/elem"] = (peak - bytes) / static_cast<double>(doc->elements);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<BenchDocument> docs;
    docs.push_back(bench::ManifestDocument("manifest_1MB", 1u << 20));
    docs.push_back(bench::ManifestDocument("manifest_50MB", 50u << 20));
    docs.push_back(bench::NestedChainsDocument("chains_90_deep_8MB", 90, 8u << 20));
    docs.push_back(bench::NestedChainsDocument("chain_1M_deep", 1000000, 1));

    const struct {
        const char* name;
        bool (*parse)(const std::string&);
    } parsers[] = {
        {"XmlDocument", ParseVantor},
        {"pugixml", ParsePugiDefault},
        {"pugixml_minimal", ParsePugiMinimal},
        {"tinyxml2", ParseTinyxml2},
    };
    for (const BenchDocument& doc : docs) {
        std::printf("%s: %zu bytes, %zu elements\n", doc.name.c_str(), doc.text.size(), doc.elements);
        for (const auto& p : parsers) {
            benchmark::RegisterBenchmark((doc.name + "/" + p.name).c_str(), RunParse, &doc, ParseOnce(p.parse))
                ->Unit(benchmark::kMillisecond)
                ->MinTime(doc.text.size() > (4u << 20) ? 2.0 : 0.5);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
