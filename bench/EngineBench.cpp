// How long the engine takes to draw each symbology, to identify each one's
// symbol among all registered symbologies, and to turn away edges of no
// symbol, as the reader hands them over.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorStandardSymbologies.h"
#include "CountingGenerator.h"
#include "RandomEdges.h"

namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;
using StriveloBench::CountingGenerator;

struct Sample {
    std::int32_t type;
    const char* code;
};

// One valid code per registered symbology, in registry order.
const Sample kSamples[] = {
    {FourCC("e128"), "(01)12345678901231(17)140704"},
    {FourCC("eCou"), "9-912345-678909 (8101)1 23456 7890"},
    {FourCC("uCou"), "5-12345-67890-0 (8100)1 23456"},
    {FourCC("isbe"), "978-3-16-148410-0"},
    {FourCC("isbn"), "3-16-148410-X"},
    {FourCC("issn"), "0317-8471"},
    {FourCC("itff"), "10012345000017"},
    {FourCC("jan8"), "4512-3450"},
    {FourCC("janD"), "4-512345-678906"},
    {FourCC("ean8"), "9638-5074"},
    {FourCC("eanD"), "4-006381-333931"},
    {FourCC("upca"), "0-36000-29145-2"},
    {FourCC("upce"), "0-123453-1"},
    {FourCC("2of5"), "1234"},
    {FourCC("3of9"), "CODE39"},
    {FourCC("c128"), "AB123456"},
    {FourCC("plec"), "108"},
    {FourCC("ples"), "1234"},
    {FourCC("BePh"), "1234-566"},
    {FourCC("msiq"), "123448"},
    {FourCC("msie"), "123430"},
    {FourCC("msit"), "12344"},
    {FourCC("coda"), "A1234B"},
    {FourCC("codt"), "A1234B"},
    {FourCC("ms7b"), "1234565"},
};

// The most edges the reader hands over for one reading line.
constexpr std::size_t kReaderEdges = 300;
constexpr std::uint32_t kNoiseSeed = 20240611;

std::string TypeText(std::int32_t type) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        text += static_cast<char>((static_cast<std::uint32_t>(type) >> shift) & 0xFF);
    }
    return text;
}

std::unique_ptr<BarcodeProcessor> MakeSample(const Sample& sample, benchmark::State& state) {
    std::unique_ptr<BarcodeProcessor> processor = Strivelo::CreateByType(sample.type);
    if (processor == nullptr) {
        state.SkipWithError("not registered");
    } else if (!processor->SetCode(sample.code)) {
        state.SkipWithError("code refused");
        processor.reset();
    }
    return processor;
}

void Generate(benchmark::State& state, const Sample& sample) {
    const std::unique_ptr<BarcodeProcessor> processor = MakeSample(sample, state);
    if (processor == nullptr) {
        return;
    }
    CountingGenerator generator;
    for (auto _ : state) {
        benchmark::DoNotOptimize(processor->GenerateInto(&generator));
    }
    state.counters["calls"] = benchmark::Counter(static_cast<double>(generator.GetCalls()),
                                                 benchmark::Counter::kAvgIterations);
}

void Identify(benchmark::State& state, const std::vector<double>& edges) {
    bool ambiguous = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Strivelo::IdentifyFromEdges(
            edges.data(), static_cast<std::uint32_t>(edges.size()), &ambiguous));
    }
}

void IdentifySample(benchmark::State& state, const Sample& sample) {
    const std::unique_ptr<BarcodeProcessor> processor = MakeSample(sample, state);
    if (processor == nullptr) {
        return;
    }
    CountingGenerator generator(true);
    if (!processor->GenerateInto(&generator)) {
        state.SkipWithError("not drawn");
        return;
    }
    Identify(state, generator.GetEdges());
}

void IdentifyNoise(benchmark::State& state) {
    Identify(state, StriveloBench::RandomEdges(kReaderEdges, kNoiseSeed));
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!Strivelo::RegisterStandardSymbologies(false) || !Strivelo::RegisterMS7B()) {
        return 1;
    }
    for (const Sample& sample : kSamples) {
        benchmark::RegisterBenchmark(("Generate/" + TypeText(sample.type)).c_str(), Generate,
                                     sample);
    }
    for (const Sample& sample : kSamples) {
        benchmark::RegisterBenchmark(("Identify/" + TypeText(sample.type)).c_str(), IdentifySample,
                                     sample);
    }
    benchmark::RegisterBenchmark(("IdentifyNoise/" + std::to_string(kReaderEdges)).c_str(),
                                 IdentifyNoise);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Strivelo::FreeRegistry();
    return 0;
}
