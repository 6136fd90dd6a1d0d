#include "BookCodesSupport.h"

#include "BarEdges.h"
#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorISBN.h"
#include "BarcodeProcessorMS7B.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorStandardSymbologies.h"

namespace StriveloTest {

using namespace Strivelo;

std::unique_ptr<BarcodeProcessor> MakeBookProcessor(std::int32_t type) {
    switch (type) {
        case kBarcodeTypeISBN:
            return std::make_unique<BarcodeProcessorISBN>();
        case kBarcodeTypeISBNEAN:
            return std::make_unique<BarcodeProcessorISBNEAN>();
        case kBarcodeTypeISSN:
            return std::make_unique<BarcodeProcessorISSN>();
        case kBarcodeTypeMS7B:
            return std::make_unique<BarcodeProcessorMS7B>();
        case kBarcodeTypeEAN13:
            return std::make_unique<BarcodeProcessorEAN13>();
        case kBarcodeTypeEAN8:
            return std::make_unique<BarcodeProcessorEAN8>();
        default:
            ADD_FAILURE() << "no type " << TypeText(type);
            return nullptr;
    }
}

std::unique_ptr<BarcodeProcessor> MakeBookProcessor(std::int32_t type, const std::string& code,
                                                    const BookOptions& options) {
    std::unique_ptr<BarcodeProcessor> processor = MakeBookProcessor(type);
    if (processor == nullptr) {
        return nullptr;
    }
    EXPECT_TRUE(processor->SetCode(code.c_str())) << code;
    processor->SetMagnification(options.magnification);
    processor->SetBarWidthReduction(options.reductionMm);
    processor->SetBarHeight(options.barHeightMm);
    processor->SetScaleHeightWithWidth(options.scaleHeightWithWidth);
    if (auto* scaling = dynamic_cast<BarcodeProcessorMixIn_FontScaling*>(processor.get())) {
        scaling->SetCenterAlign(options.centreAligned);
    }
    if (auto* isbnEan = dynamic_cast<BarcodeProcessorISBNEAN*>(processor.get())) {
        isbnEan->SetDualNumbering(options.dualNumbering);
    }
    return processor;
}

std::vector<RecordedCall> BookDrawing::Calls(RecordedCall::Kind kind) const {
    std::vector<RecordedCall> matching;
    for (const RecordedCall& call : calls) {
        if (call.kind == kind) {
            matching.push_back(call);
        }
    }
    return matching;
}

std::vector<RecordedCall> BookDrawing::TextsAfter(std::size_t first) const {
    std::vector<RecordedCall> texts;
    for (std::size_t i = first; i < calls.size() && calls[i].kind != RecordedCall::Kind::kFont;
         ++i) {
        if (calls[i].kind == RecordedCall::Kind::kText) {
            texts.push_back(calls[i]);
        }
    }
    return texts;
}

std::string BookDrawing::Modules() const {
    return ModuleString(bars, moduleMm);
}

BookDrawing DrawBook(BarcodeProcessor& processor, std::size_t failAtCall) {
    RecordingGenerator generator;
    generator.FailAtCall(failAtCall);
    BookDrawing drawing;
    drawing.generated = processor.GenerateInto(&generator);
    drawing.calls = generator.GetCalls();
    drawing.bars = generator.GetBars();
    drawing.moduleMm = kBookModuleMm * processor.GetMagnification();
    return drawing;
}

BookRegistry::BookRegistry() {
    FreeRegistry();
    EXPECT_TRUE(RegisterStandardSymbologies(false));
    EXPECT_TRUE(RegisterMS7B());
}

BookRegistry::~BookRegistry() {
    FreeRegistry();
}

std::string TypeText(std::int32_t type) {
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i) {
        text[static_cast<std::size_t>(i)] =
            static_cast<char>((static_cast<std::uint32_t>(type) >> (24 - 8 * i)) & 0xFF);
    }
    return text;
}

}  // namespace StriveloTest
