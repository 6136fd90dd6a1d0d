#include "WideNarrowTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

#include "BarcodeProcessor2of5.h"
#include "BarcodeProcessor3of9.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"

namespace StriveloTest {

using Strivelo::BarcodeProcessor;

namespace {

class BeginDecodeCounter {
public:
    int begun = 0;

protected:
    ~BeginDecodeCounter() = default;
};

template <typename Symbology>
class Counting final : public Symbology, public BeginDecodeCounter {
public:
    bool BeginDecode(const double* edges, std::uint32_t count) override {
        ++begun;
        return Symbology::BeginDecode(edges, count);
    }
};

}  // namespace

double NominalModule(std::int32_t type) {
    return type == Strivelo::kBarcodeType3of9 ? Strivelo::BarcodeProcessor3of9::kModuleMm
                                              : Strivelo::BarcodeProcessor2of5::kModuleMm;
}

std::unique_ptr<BarcodeProcessor> MakeProcessor(std::int32_t type) {
    switch (type) {
        case Strivelo::kBarcodeType2of5:
            return std::make_unique<Counting<Strivelo::BarcodeProcessor2of5>>();
        case Strivelo::kBarcodeTypeITF14:
            return std::make_unique<Counting<Strivelo::BarcodeProcessorITF14>>();
        case Strivelo::kBarcodeType3of9:
            return std::make_unique<Counting<Strivelo::BarcodeProcessor3of9>>();
        default:
            ADD_FAILURE() << "not a wide/narrow type: " << type;
            return nullptr;
    }
}

int BeginDecodeCalls(const BarcodeProcessor& processor) {
    return dynamic_cast<const BeginDecodeCounter&>(processor).begun;
}

std::unique_ptr<BarcodeProcessor> MakeWideNarrow(const WideNarrowSymbol& symbol) {
    std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(symbol.type);
    if (processor == nullptr) {
        return nullptr;
    }
    EXPECT_TRUE(processor->SetCode(symbol.code.c_str())) << symbol.code;
    EXPECT_TRUE(dynamic_cast<Strivelo::BarcodeProcessorMixIn_WideNarrowOption&>(*processor)
                    .SetWideNarrowRatio(symbol.ratio));
    processor->SetMagnification(symbol.magnification);
    processor->SetBarWidthReduction(symbol.reductionMm);
    return processor;
}

RecordingGenerator DrawSymbol(BarcodeProcessor& processor) {
    RecordingGenerator generator;
    EXPECT_TRUE(processor.GenerateInto(&generator)) << processor.GetCode();
    return generator;
}

std::vector<RecordedBar> DrawBars(const WideNarrowSymbol& symbol) {
    const std::unique_ptr<BarcodeProcessor> processor = MakeWideNarrow(symbol);
    return processor == nullptr ? std::vector<RecordedBar>{} : DrawSymbol(*processor).GetBars();
}

void WidenElement(std::vector<double>& edges, std::size_t element, double byMm) {
    for (std::size_t i = element; i < edges.size(); ++i) {
        edges[i] += byMm;
    }
}

}  // namespace StriveloTest
