#include "EanUpcSupport.h"

#include <gtest/gtest.h>

#include "BarEdges.h"
#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorUPCA.h"

namespace StriveloTest {

using namespace Strivelo;

std::unique_ptr<BarcodeProcessor> MakeEanUpc(std::int32_t type) {
    switch (type) {
        case kBarcodeTypeEAN8:
            return std::make_unique<BarcodeProcessorEAN8>();
        case kBarcodeTypeEAN13:
            return std::make_unique<BarcodeProcessorEAN13>();
        case kBarcodeTypeJAN8:
            return std::make_unique<BarcodeProcessorJAN8>();
        case kBarcodeTypeJAN13:
            return std::make_unique<BarcodeProcessorJAN13>();
        case kBarcodeTypeUPCA:
            return std::make_unique<BarcodeProcessorUPCA>();
        case kBarcodeTypeUPCE:
            return std::make_unique<BarcodeProcessorUPCE>();
        default:
            ADD_FAILURE() << "no EAN/UPC type " << type;
            return nullptr;
    }
}

std::vector<RecordedCall> Drawn::Calls(RecordedCall::Kind kind) const {
    std::vector<RecordedCall> matching;
    for (const RecordedCall& call : calls) {
        if (call.kind == kind) {
            matching.push_back(call);
        }
    }
    return matching;
}

std::string Drawn::Modules() const {
    return ModuleString(bars, moduleMm);
}

Drawn DrawInto(BarcodeProcessor& processor) {
    RecordingGenerator generator;
    Drawn drawn;
    drawn.generated = processor.GenerateInto(&generator);
    drawn.codeAfter = processor.GetCode();
    drawn.calls = generator.GetCalls();
    drawn.bars = generator.GetBars();
    drawn.moduleMm = kEanModuleMm * processor.GetMagnification();
    drawn.totalWidthMm = processor.GetTotalWidth();
    return drawn;
}

Drawn DrawEanUpc(std::int32_t type, const std::string& code, const DrawParameters& parameters) {
    const std::unique_ptr<BarcodeProcessor> processor = MakeEanUpc(type);
    if (processor == nullptr) {
        return {};
    }
    processor->SetMagnification(parameters.magnification);
    processor->SetBarWidthReduction(parameters.reductionMm);
    processor->SetBarHeight(parameters.barHeightMm);
    EXPECT_TRUE(processor->SetCode(code.c_str())) << code;
    return DrawInto(*processor);
}

std::vector<RecordedBar> BarsFromModules(const std::string& modules, double moduleMm) {
    std::vector<RecordedBar> bars;
    for (std::size_t i = 0; i < modules.size(); ++i) {
        if (modules[i] != '1') {
            continue;
        }
        if (i > 0 && modules[i - 1] == '1') {
            bars.back().right += moduleMm;
        } else {
            bars.push_back({i * moduleMm, (i + 1) * moduleMm, 0.0, 10.0});
        }
    }
    return bars;
}

}  // namespace StriveloTest
