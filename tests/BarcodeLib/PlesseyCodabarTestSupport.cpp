#include "PlesseyCodabarTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace StriveloTest {

using Strivelo::BarcodeProcessor;

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

}  // namespace StriveloTest
