#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "FakeSymbology.h"
#include "RecordingGenerator.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;
using testing::DoubleNear;
using testing::ElementsAre;
using testing::Pointwise;

static_assert(FourCC("e128") == 0x65313238);
static_assert(FourCC("null") == 0x6E756C6C);
static_assert(FourCC("BePh") == 0x42655068);

TEST(BarcodeProcessorTest, NewProcessorHasItsDefaults) {
    FakeSymbology processor(kFakeSpec);
    EXPECT_EQ(processor.GetMagnification(), 1.0);
    EXPECT_EQ(processor.GetBarWidthReduction(), 0.0);
    EXPECT_EQ(processor.GetBarHeight(), 0.0);
    EXPECT_TRUE(processor.GetHumanReadable());
    EXPECT_TRUE(processor.GetEmitFrame());
    EXPECT_FALSE(processor.GetScaleHeightWithWidth());
    EXPECT_STREQ(processor.GetCode(), "");
    EXPECT_STREQ(processor.GetNameOrDashes(), "--------");
    EXPECT_EQ(processor.GetTotalWidth(), 0.0);
    EXPECT_EQ(processor.GetMeanDeviation(), 0.0);
    EXPECT_EQ(processor.GetHeightBarEdge(), -1);
    EXPECT_EQ(processor.GetOrientation(), BarcodeProcessor::kOrientationUnknown);
    std::uint32_t count = 1;
    EXPECT_EQ(processor.GetMeasuredEdges(&count), nullptr);
    EXPECT_EQ(count, 0u);
}

TEST(BarcodeProcessorTest, RefusedCodeKeepsThePreviousOne) {
    const std::string longest(BarcodeProcessor::kCodeCapacity, 'A');
    const std::string tooLong(BarcodeProcessor::kCodeCapacity + 1, 'A');
    const char* const refused[] = {"abc", "", "A+1", tooLong.c_str(), nullptr};
    for (const char* code : refused) {
        FakeSymbology processor(kFakeSpec);
        ASSERT_TRUE(processor.SetCode("ABC"));
        EXPECT_FALSE(processor.SetCode(code)) << (code ? code : "null");
        EXPECT_STREQ(processor.GetCode(), "ABC");
        EXPECT_STREQ(processor.GetNameOrDashes(), "Fake");
    }
    FakeSymbology processor(kFakeSpec);
    EXPECT_TRUE(processor.SetCode(longest.c_str()));
    EXPECT_TRUE(processor.SetCode(processor.GetCode()));
    EXPECT_EQ(processor.GetCode(), longest);
}

TEST(BarcodeProcessorTest, EncodedCodeMustSurviveTheRoundTrip) {
    FakeSymbology processor({.type = FourCC("tlos"), .name = "Lossy", .lossyCodeForm = true});
    EXPECT_FALSE(processor.SetEncodedCode("ABCDEF"));
    EXPECT_STREQ(processor.GetCode(), "");
    EXPECT_TRUE(processor.SetEncodedCode("ABCD"));
    EXPECT_STREQ(processor.GetCode(), "ABCD");
    EXPECT_FALSE(processor.SetEncodedCode(nullptr));
}

// Answers each validator as told and logs which ones were asked.
class ValidatorProbe : public BarcodeProcessor {
public:
    struct Answers {
        bool reduction = true;
        bool magnification = true;
        bool height = true;
        bool ratio = true;
    };

    explicit ValidatorProbe(const Answers& answers) : answers_(answers) {}

    mutable std::string log;

    const char* GetName() const override { return "Probe"; }
    bool Decode(const double*, std::uint32_t, bool) override { return false; }
    bool Generate() override { return true; }
    double ComputeWidth() override { return 0.0; }
    bool IsBarWidthReductionValid() const override { return Ask("reduction", answers_.reduction); }
    bool IsMagnificationValid() const override {
        return Ask("magnification", answers_.magnification);
    }
    bool IsBarHeightValid() const override { return Ask("height", answers_.height); }
    bool IsWideNarrowRatioValid() const override { return Ask("ratio", answers_.ratio); }

    using BarcodeProcessor::EmitBar;
    using BarcodeProcessor::EmitFont;
    using BarcodeProcessor::EmitFrame;
    using BarcodeProcessor::EmitQuietZoneMarks;
    using BarcodeProcessor::EmitText;

private:
    bool Ask(const char* name, bool answer) const {
        log += std::string(log.empty() ? "" : " ") + name;
        return answer;
    }

    Answers answers_;
};

struct ValidationCase {
    const char* name;
    ValidatorProbe::Answers answers;
    double barHeightMm;
    bool valid;
    const char* asked;
};

const ValidationCase kValidationCases[] = {
    {"HeightZeroSkipsItsCheck", {}, 0.0, true, "reduction magnification ratio"},
    {"HeightGivenIsChecked", {}, 12.0, true, "reduction magnification height ratio"},
    {"BadReductionStopsAtOnce", {false, true, true, true}, 12.0, false, "reduction"},
    {"BadMagnification", {true, false, true, true}, 12.0, false, "reduction magnification"},
    {"BadHeight", {true, true, false, true}, 12.0, false, "reduction magnification height"},
    {"BadHeightNotAskedAtZero",
     {true, true, false, true},
     0.0,
     true,
     "reduction magnification ratio"},
    {"BadRatio", {true, true, true, false}, 12.0, false, "reduction magnification height ratio"},
};

class ValidateParametersTest : public testing::TestWithParam<ValidationCase> {};

TEST_P(ValidateParametersTest, AsksInOrderUntilOneFails) {
    const ValidationCase& c = GetParam();
    ValidatorProbe probe(c.answers);
    probe.SetBarHeight(c.barHeightMm);
    EXPECT_EQ(probe.ValidateParameters(), c.valid);
    EXPECT_EQ(probe.log, c.asked);
}

INSTANTIATE_TEST_SUITE_P(Cases, ValidateParametersTest, testing::ValuesIn(kValidationCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BarcodeProcessorTest, GenerateIntoNeedsAGeneratorAndAValidCode) {
    RecordingGenerator generator;
    FakeSymbology noCode(kFakeSpec);
    EXPECT_FALSE(noCode.GenerateInto(&generator));
    FakeSymbology coded(kFakeSpec);
    ASSERT_TRUE(coded.SetCode("ABC"));
    EXPECT_FALSE(coded.GenerateInto(nullptr));
    EXPECT_TRUE(generator.GetCalls().empty());
    EXPECT_TRUE(coded.GenerateInto(&generator));
    EXPECT_FALSE(generator.GetCalls().empty());
}

class EmitTest : public testing::Test {
protected:
    void SetUp() override {
        probe_.SetOrigin(10.0, 20.0);
        probe_.SetBarWidthReduction(0.1);
        probe_.SetMagnification(1.5);
        ASSERT_TRUE(probe_.GenerateInto(&generator_));
    }

    std::vector<double> OnlyCallNumbers(RecordedCall::Kind kind) const {
        EXPECT_EQ(generator_.GetCalls().size(), 1u);
        const std::vector<RecordedCall> calls = generator_.GetCalls(kind);
        return calls.size() == 1 ? calls[0].numbers : std::vector<double>{};
    }

    ValidatorProbe probe_{{}};
    RecordingGenerator generator_;
};

TEST_F(EmitTest, BarIsNarrowedByHalfTheReductionEachSideAndMovedByTheOrigin) {
    EXPECT_TRUE(probe_.EmitBar(1.0, 2.0, 0.0, 5.0));
    EXPECT_THAT(OnlyCallNumbers(RecordedCall::Kind::kBar),
                Pointwise(DoubleNear(1e-12), {11.05, 11.95, 20.0, 25.0}));
}

TEST_F(EmitTest, FrameAndTextMoveByTheOrigin) {
    EXPECT_TRUE(probe_.EmitFrame(0.0, 30.0, -3.0, 25.0, 0.0));
    EXPECT_THAT(OnlyCallNumbers(RecordedCall::Kind::kFrame),
                Pointwise(DoubleNear(1e-12), {10.0, 40.0, 17.0, 45.0, 0.0}));
    generator_.Clear();
    EXPECT_TRUE(probe_.EmitText(5.0, -3.0, 2.8, '7'));
    EXPECT_THAT(OnlyCallNumbers(RecordedCall::Kind::kText),
                Pointwise(DoubleNear(1e-12), {15.0, 17.0, 2.8}));
    EXPECT_EQ(generator_.GetCalls()[0].text, "7");
}

TEST_F(EmitTest, QuietZoneMarksOnlyWhenSwitchedOn) {
    EXPECT_TRUE(probe_.EmitQuietZoneMarks(0.0, 30.0, -3.0, -3.0, true, false));
    EXPECT_TRUE(generator_.GetCalls().empty());
    probe_.SetQuietZoneMarks(true);
    EXPECT_TRUE(probe_.EmitQuietZoneMarks(0.0, 30.0, -3.0, -3.0, true, false));
    EXPECT_THAT(OnlyCallNumbers(RecordedCall::Kind::kQuietZoneMarks),
                Pointwise(DoubleNear(1e-12), {10.0, 40.0, 17.0, 17.0, 1.5}));
    EXPECT_THAT(generator_.GetCalls()[0].flags, ElementsAre(true, false));
}

TEST_F(EmitTest, FontIgnoresTheOrigin) {
    EXPECT_TRUE(probe_.EmitFont("OCRB", true));
    ASSERT_EQ(generator_.GetCalls().size(), 1u);
    EXPECT_EQ(generator_.GetCalls()[0].kind, RecordedCall::Kind::kFont);
    EXPECT_EQ(generator_.GetCalls()[0].text, "OCRB");
    EXPECT_THAT(generator_.GetCalls()[0].flags, ElementsAre(true));
}

TEST_F(EmitTest, AnswersWhatTheGeneratorAnswers) {
    generator_.FailAtCall(1);
    EXPECT_FALSE(probe_.EmitBar(1.0, 2.0, 0.0, 5.0));
    ValidatorProbe unbound({});
    EXPECT_FALSE(unbound.EmitBar(1.0, 2.0, 0.0, 5.0));
}

}  // namespace
}  // namespace StriveloTest
