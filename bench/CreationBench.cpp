// How long reading barcodes back from a document takes: the art list
// collecting and identifying every barcode of a document, and one reading
// along a line through one barcode, in stand-in documents of 250 to 1,000
// barcodes drawn by the generator (about 60 paths each).

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "BarcodeArtList.h"
#include "BarcodeArtScanner.h"
#include "BarcodeEdgeView.h"
#include "BarcodeFourCC.h"
#include "BarcodeGenerate.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorStandardSymbologies.h"
#include "M7LAIPlugin.h"
#include "M7LPluginMain.h"
#include "M7LResourceFormat.h"
#include "M7LSuiteTable.h"
#include "StandInHost.h"

// The program links the framework's entry for its plug-in reference only.
M7LAIPlugin* CreateBarcodePlugin() {
    return nullptr;
}

namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;

struct Sample {
    std::int32_t type;
    const char* code;
};

// Symbols of some 30 to 90 paths (frame, bars, quiet-zone marks).
const Sample kSamples[] = {
    {FourCC("eanD"), "4-006381-333931"},
    {FourCC("c128"), "ABCDEFGHIJKLMNOPQRST"},
    {FourCC("3of9"), "CODE39-0123"},
    {FourCC("e128"), "(01)12345678901231(17)140704(10)ABC123"},
    {FourCC("2of5"), "12345678901234567890"},
    {FourCC("ples"), "123456789012"},
    {FourCC("coda"), "A1234567890123B"},
    {FourCC("upca"), "0-36000-29145-2"},
};

constexpr int kColumns = 20;
constexpr float kCellWidthPoints = 400;
constexpr float kCellHeightPoints = 200;
constexpr std::int64_t kMostBarcodes = 1000;

const M7LResourceModule kNoResources = {nullptr, 0};

int Main(const char*, const char*, void*) {
    return host::kNoError;
}

// A stand-in host holding the plug-in's suites, with one open document of
// the given number of barcodes on one layer, each in a group of its own.
class Document {
public:
    explicit Document(std::int64_t barcodes) {
        host_.LoadInProcess(&Main, &kNoResources);
        gPluginRef = host_.Plugin();
        gSuiteNestingCounter = 0;
        AcquireSuites(host_.Core().GetBasicSuite());
        const float rows = static_cast<float>(barcodes / kColumns + 1);
        const standin::DocumentId document = host_.Documents().OpenNew(
            {"", kColumns * kCellWidthPoints, rows * kCellHeightPoints, {{"Barcodes"}}});
        const host::Layer layer = host_.Documents().Document(document).layers.at(0);
        const host::Art layerGroup = host_.Documents().PeekLayer(layer)->group;
        for (std::int64_t i = 0; i < barcodes; ++i) {
            const Sample& sample = kSamples[i % std::size(kSamples)];
            std::unique_ptr<BarcodeProcessor> processor = Strivelo::CreateByType(sample.type);
            processor->SetCode(sample.code);
            host::Art group;
            host_.Documents().NewArt("bench", host::ArtType::kGroup, host::PaintOrder::kInsideOnTop,
                                     layerGroup, &group);
            BarcodeGenerate generator(static_cast<float>(i % kColumns) * kCellWidthPoints,
                                      static_cast<float>(i / kColumns) * kCellHeightPoints, group,
                                      "bench");
            if (!processor->GenerateInto(&generator)) {
                ok_ = false;
            }
            if (i == barcodes / 2) {
                generator.GetMeasuringLine(&lineStart_, &lineEnd_);
            }
        }
        CountPaths(layerGroup);
    }
    ~Document() {
        ReleaseSuites(host_.Core().GetBasicSuite());
        gPluginRef = {};
    }
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    bool IsOk() { return ok_ && host_.Core().GetViolations().All().empty(); }
    std::size_t Paths() const { return paths_; }
    host::RealPoint LineStart() const { return lineStart_; }
    host::RealPoint LineEnd() const { return lineEnd_; }

private:
    void CountPaths(host::Art art) {
        const standin::ArtRecord& record = *host_.Documents().PeekArt(art);
        paths_ += record.type == host::ArtType::kPath ? 1 : 0;
        for (const host::Art child : record.children) {
            CountPaths(child);
        }
    }

    standin::StandInHost host_;
    bool ok_ = true;
    std::size_t paths_ = 0;
    host::RealPoint lineStart_{};
    host::RealPoint lineEnd_{};
};

// One document of each size, made once: the suite table is the process's,
// so only one is held at a time.
Document& DocumentOf(std::int64_t barcodes) {
    static std::map<std::int64_t, std::unique_ptr<Document>> documents;
    if (!documents.contains(barcodes)) {
        documents.clear();
        documents[barcodes] = std::make_unique<Document>(barcodes);
    }
    return *documents[barcodes];
}

// The document of the benchmark's size; null, with the benchmark skipped,
// when it could not be drawn.
Document* DrawnDocument(benchmark::State& state) {
    Document& document = DocumentOf(state.range(0));
    if (!document.IsOk()) {
        state.SkipWithError("document not drawn");
        return nullptr;
    }
    state.SetComplexityN(static_cast<std::int64_t>(document.Paths()));
    state.counters["paths"] = static_cast<double>(document.Paths());
    return &document;
}

void CollectAndIdentify(benchmark::State& state) {
    if (DrawnDocument(state) == nullptr) {
        return;
    }
    std::vector<double> edges(Strivelo::kMaxEdgeCount);
    std::vector<double> heights(Strivelo::kMaxEdgeCount / 2);
    std::vector<std::int32_t> bars(Strivelo::kMaxEdgeCount / 2);
    std::size_t found = 0;
    std::size_t identified = 0;
    for (auto _ : state) {
        BarcodeArtList list;
        list.Collect();
        found = list.GetCount();
        identified = 0;
        for (std::size_t i = 0; i < found; ++i) {
            const std::uint32_t count = list.GetEdges(i, edges.data(), heights.data(), bars.data(),
                                                      Strivelo::kMaxEdgeCount);
            bool ambiguous = false;
            identified +=
                Strivelo::IdentifyFromEdges(edges.data(), count, &ambiguous) != nullptr ? 1 : 0;
        }
    }
    if (identified != static_cast<std::size_t>(state.range(0))) {
        state.SkipWithError("not every barcode identified");
    }
    state.counters["barcodes"] = static_cast<double>(found);
}

void ReadAlongLine(benchmark::State& state) {
    const Document* document = DrawnDocument(state);
    if (document == nullptr) {
        return;
    }
    std::vector<double> edges(Strivelo::kMaxEdgeCount);
    std::vector<double> heights(Strivelo::kMaxEdgeCount / 2);
    bool read = false;
    for (auto _ : state) {
        BarcodeArtScanner scanner;
        scanner.Collect(document->LineStart(), document->LineEnd());
        const std::uint32_t count =
            scanner.GetEdges(edges.data(), heights.data(), Strivelo::kMaxEdgeCount);
        bool ambiguous = false;
        read = Strivelo::IdentifyFromEdges(edges.data(), count, &ambiguous) != nullptr;
    }
    if (!read) {
        state.SkipWithError("the line reads nothing");
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!Strivelo::RegisterStandardSymbologies(false) || !Strivelo::RegisterMS7B()) {
        return 1;
    }
    for (const auto& [name, function] : {std::pair{"CollectAndIdentify", &CollectAndIdentify},
                                         {"ReadAlongLine", &ReadAlongLine}}) {
        benchmark::RegisterBenchmark(name, function)
            ->Arg(kMostBarcodes / 4)
            ->Arg(kMostBarcodes / 2)
            ->Arg(kMostBarcodes)
            ->Unit(benchmark::kMillisecond)
            ->Complexity(benchmark::oN);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Strivelo::FreeRegistry();
    return 0;
}
