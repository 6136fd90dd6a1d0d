// Feeds one input to every registered symbology: its edges to identification
// and to each processor's decodings, its text to SetCode and CorrectCode.
// Input: one byte n, n bytes of code text, then the edges as doubles in the
// machine's byte order (one more than the engine takes, so that the limit is
// tried too).

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeProcessor.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorStandardSymbologies.h"
#include "M7LFailure.h"
#include "M7LString.h"

namespace {

using Strivelo::BarcodeProcessor;

constexpr std::size_t kMaxEdges = Strivelo::kMaxEdgeCount + 1;

// The engine reports only states it holds impossible, so every report is a
// finding.
int AbortOnFailure(const char*, int, int, const char*, const char*, int, const char*) {
    std::abort();
}

bool Setup() {
    SetFailureHandler(&AbortOnFailure);
    return Strivelo::RegisterStandardSymbologies(false) && Strivelo::RegisterMS7B();
}

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A decoding stores only a code the symbology accepts and finite measures.
void CheckDecoded(const BarcodeProcessor& processor) {
    Require(processor.IsCodeValid(processor.GetCode()));
    Require(std::isfinite(processor.GetMagnification()));
    Require(std::isfinite(processor.GetBarWidthReduction()));
    Require(std::isfinite(processor.GetMeanDeviation()));
}

void Decode(BarcodeProcessor& processor, const std::vector<double>& edges) {
    const auto count = static_cast<std::uint32_t>(edges.size());
    for (const bool reversed : {false, true}) {
        if (processor.Decode(edges.data(), count, reversed)) {
            CheckDecoded(processor);
        }
    }
    if (processor.DecodeEdges(edges.data(), count)) {
        CheckDecoded(processor);
    }
}

void UseCode(BarcodeProcessor& processor, const std::string& text) {
    if (processor.SetCode(text.c_str())) {
        Require(std::strcmp(processor.GetCode(), text.c_str()) == 0);
    }
    M7LString code(text.c_str());
    if (processor.CorrectCode(code)) {
        Require(std::strlen(code.CStr()) <= BarcodeProcessor::kCodeCapacity);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = Setup();
    if (!ready || size == 0) {
        return 0;
    }
    const std::size_t textLength = std::min<std::size_t>(data[0], size - 1);
    const std::string text(reinterpret_cast<const char*>(data + 1), textLength);
    const std::size_t edgeBytes = size - 1 - textLength;
    // Exactly as long as the count, so that a read past it is caught.
    std::vector<double> edges(std::min(edgeBytes / sizeof(double), kMaxEdges));
    if (!edges.empty()) {
        std::memcpy(edges.data(), data + 1 + textLength, edges.size() * sizeof(double));
    }

    bool ambiguous = false;
    const std::unique_ptr<BarcodeProcessor> found = Strivelo::IdentifyFromEdges(
        edges.data(), static_cast<std::uint32_t>(edges.size()), &ambiguous);
    if (found != nullptr) {
        CheckDecoded(*found);
    }
    for (std::uint32_t index = 0;; ++index) {
        const std::unique_ptr<BarcodeProcessor> processor = Strivelo::CreateByIndex(index);
        if (processor == nullptr) {
            break;
        }
        Decode(*processor, edges);
        UseCode(*processor, text);
    }
    return 0;
}
