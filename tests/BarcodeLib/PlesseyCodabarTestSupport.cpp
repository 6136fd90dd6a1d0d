#include "PlesseyCodabarTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "BarcodeProcessorCodabar.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeProcessorPlessey.h"
#include "BarcodeProcessorRegistry.h"
#include "M7LString.h"

namespace StriveloTest {

using Strivelo::BarcodeProcessor;

std::unique_ptr<BarcodeProcessor> MakePlesseyOrCodabar(std::int32_t type) {
    using namespace Strivelo;
    const BarcodeProcessorRegistryEntry entries[] = {
        {kBarcodeTypePlesseyCRC, &MakeBarcodeProcessor<BarcodeProcessorPlesseyCRC>},
        {kBarcodeTypePlessey, &MakeBarcodeProcessor<BarcodeProcessorPlessey>},
        {kBarcodeTypeBelgPharma, &MakeBarcodeProcessor<BarcodeProcessorBelgPharma>},
        {kBarcodeTypeMSIMod10Mod10, &MakeBarcodeProcessor<BarcodeProcessorMSIMod10Mod10>},
        {kBarcodeTypeMSIMod11, &MakeBarcodeProcessor<BarcodeProcessorMSIMod11>},
        {kBarcodeTypeMSIMod10, &MakeBarcodeProcessor<BarcodeProcessorMSIMod10>},
        {kBarcodeTypeCodabar, &MakeBarcodeProcessor<BarcodeProcessorCodabar>},
        {kBarcodeTypeTraditionalCodabar, &MakeBarcodeProcessor<BarcodeProcessorTraditionalCodabar>},
    };
    for (const BarcodeProcessorRegistryEntry& entry : entries) {
        if (entry.typeCode == type) {
            return entry.factory();
        }
    }
    return nullptr;
}

std::string TypeText(std::int32_t type) {
    const auto value = static_cast<std::uint32_t>(type);
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        text += static_cast<char>((value >> shift) & 0xFFu);
    }
    return text;
}

RecordingGenerator Draw(BarcodeProcessor& processor, const char* code,
                        const SymbolSettings& settings) {
    RecordingGenerator generator;
    if (!processor.SetCode(code)) {
        ADD_FAILURE() << TypeText(processor.GetType()) << " refuses " << code;
        return generator;
    }
    processor.SetMagnification(settings.magnification);
    processor.SetBarWidthReduction(settings.reductionMm);
    if (settings.wideNarrowRatio != 0.0) {
        auto* option = dynamic_cast<Strivelo::BarcodeProcessorMixIn_WideNarrowOption*>(&processor);
        if (option == nullptr || !option->SetWideNarrowRatio(settings.wideNarrowRatio)) {
            ADD_FAILURE() << TypeText(processor.GetType()) << " takes no ratio";
        }
    }
    if (!processor.GenerateInto(&generator)) {
        ADD_FAILURE() << TypeText(processor.GetType()) << " does not draw " << code;
        generator.Clear();
    }
    return generator;
}

std::string RunLetters(const std::string& modules, int wideModules) {
    std::string letters;
    std::size_t i = modules.find('1');
    while (i < modules.size()) {
        const std::size_t end = modules.find_first_not_of(modules[i], i);
        const std::size_t run = (end == std::string::npos ? modules.size() : end) - i;
        letters += static_cast<int>(run) >= wideModules ? 'W' : 'N';
        i += run;
    }
    return letters;
}

std::string ElementLetters(const std::vector<RecordedBar>& bars, double thresholdMm) {
    std::vector<RecordedBar> sorted = bars;
    std::sort(sorted.begin(), sorted.end(),
              [](const RecordedBar& a, const RecordedBar& b) { return a.left < b.left; });
    std::string letters;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (i > 0) {
            letters += sorted[i].left - sorted[i - 1].right > thresholdMm ? 'W' : 'N';
        }
        letters += sorted[i].right - sorted[i].left > thresholdMm ? 'W' : 'N';
    }
    return letters;
}

std::string CallSequence(const std::vector<RecordedCall>& calls) {
    using Kind = RecordedCall::Kind;
    const auto name = [](Kind kind) {
        switch (kind) {
            case Kind::kBar:
                return "bar";
            case Kind::kBearerBar:
                return "bearer";
            case Kind::kFrame:
                return "frame";
            case Kind::kText:
                return "text";
            case Kind::kQuietZoneMarks:
                return "marks";
            case Kind::kFont:
                return "font";
        }
        return "?";
    };
    std::string sequence;
    for (std::size_t i = 0; i < calls.size();) {
        std::size_t end = i;
        while (end < calls.size() && calls[end].kind == calls[i].kind) {
            ++end;
        }
        sequence.append(sequence.empty() ? "" : " ").append(name(calls[i].kind));
        if (end - i > 1) {
            sequence += '*' + std::to_string(end - i);
        }
        i = end;
    }
    return sequence;
}

namespace {

std::vector<double> EdgeVector(const double* edges, std::uint32_t count) {
    return edges == nullptr ? std::vector<double>() : std::vector<double>(edges, edges + count);
}

}  // namespace

std::vector<double> MeasuredEdges(const BarcodeProcessor& processor) {
    std::uint32_t count = 0;
    const double* const edges = processor.GetMeasuredEdges(&count);
    return EdgeVector(edges, count);
}

std::vector<double> IdealEdges(const BarcodeProcessor& processor) {
    std::uint32_t count = 0;
    const double* const edges = processor.GetIdealEdges(&count);
    return EdgeVector(edges, count);
}

void ExpectCorrection(const BarcodeProcessor& processor, const std::string& input,
                      const char* corrected) {
    M7LString code(input.c_str());
    EXPECT_EQ(processor.CorrectCode(code), corrected != nullptr);
    EXPECT_EQ(code.CStr(), corrected == nullptr ? input : std::string(corrected));
    if (corrected != nullptr) {
        EXPECT_TRUE(processor.IsCodeValid(corrected));
    }
}

void ExpectTextLine(const RecordingGenerator& generator, const TextLine& line) {
    const std::vector<RecordedCall> texts = generator.GetCalls(RecordedCall::Kind::kText);
    ASSERT_EQ(texts.size(), std::string(line.printed).size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].text, std::string(1, line.printed[i]));
        EXPECT_THAT(texts[i].numbers,
                    testing::Pointwise(testing::DoubleNear(1e-9),
                                       {line.firstX + i * line.step, line.y, line.sizeMm}))
            << "character " << i;
    }
}

void ExpectFrameAndMarks(const RecordingGenerator& generator, const SymbolBox& box) {
    using testing::DoubleNear;
    using testing::Pointwise;
    const std::vector<RecordedCall> frames = generator.GetCalls(RecordedCall::Kind::kFrame);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_THAT(frames[0].numbers,
                Pointwise(DoubleNear(1e-9), {0.0, box.widthMm, box.textY - box.moduleMm,
                                             box.barHeightMm + box.moduleMm, 0.0}));
    const std::vector<RecordedCall> marks = generator.GetCalls(RecordedCall::Kind::kQuietZoneMarks);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_THAT(marks[0].numbers, Pointwise(DoubleNear(1e-9), {0.0, box.widthMm, box.textY,
                                                               box.textY, box.magnification}));
    EXPECT_THAT(marks[0].flags, testing::ElementsAre(true, true));
}

void ExpectStopsAtEachRefusedCall(BarcodeProcessor& processor) {
    const bool humanReadable = processor.GetHumanReadable();
    const bool frame = processor.GetEmitFrame();
    RecordingGenerator complete;
    ASSERT_TRUE(processor.GenerateInto(&complete));
    for (std::size_t refused = 1; refused <= complete.GetCalls().size(); ++refused) {
        RecordingGenerator generator;
        generator.FailAtCall(refused);
        EXPECT_FALSE(processor.GenerateInto(&generator)) << "refused call " << refused;
        EXPECT_EQ(generator.GetCalls().size(), refused);
        EXPECT_EQ(processor.GetHumanReadable(), humanReadable) << "refused call " << refused;
        EXPECT_EQ(processor.GetEmitFrame(), frame) << "refused call " << refused;
    }
}

}  // namespace StriveloTest
