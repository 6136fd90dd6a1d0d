#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeProcessor2of5.h"
#include "BarcodeProcessorCodabar.h"
#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorISBN.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorMixIn_FontScaling.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "RecordingGenerator.h"

namespace StriveloTest {
namespace {

using testing::DoubleNear;
using testing::Pointwise;

class AllOptions : public Strivelo::BarcodeProcessorMixIn_Font,
                   public Strivelo::BarcodeProcessorMixIn_FontScaling,
                   public Strivelo::BarcodeProcessorMixIn_BearerBarsOption,
                   public Strivelo::BarcodeProcessorMixIn_WideNarrowOption {
public:
    bool IsWideNarrowRatioValid() const override { return true; }
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct LimitCase {
    const char* name;
    bool (*set)(AllOptions&, double);
    double (*get)(const AllOptions&);
    double value;
    bool accepted;
};

bool SetRatio(AllOptions& o, double v) {
    return o.SetWideNarrowRatio(v);
}
double GetRatio(const AllOptions& o) {
    return o.GetWideNarrowRatio();
}
bool SetScaling(AllOptions& o, double v) {
    return o.SetFontScaling(v);
}
double GetScaling(const AllOptions& o) {
    return o.GetFontScaling();
}

const LimitCase kLimitCases[] = {
    {"RatioBelowMinimum", SetRatio, GetRatio, 1.09, false},
    {"RatioAtMinimum", SetRatio, GetRatio, 1.1, true},
    {"RatioNaN", SetRatio, GetRatio, kNaN, false},
    {"RatioInfinite", SetRatio, GetRatio, kInfinity, false},
    {"ScalingBelowMinimum", SetScaling, GetScaling, 0.2, false},
    {"ScalingAtMinimum", SetScaling, GetScaling, 0.25, true},
    {"ScalingNaN", SetScaling, GetScaling, kNaN, false},
};

class OptionLimitTest : public testing::TestWithParam<LimitCase> {};

TEST_P(OptionLimitTest, RefusedValueKeepsTheOldOne) {
    const LimitCase& c = GetParam();
    AllOptions options;
    const double before = c.get(options);
    EXPECT_EQ(c.set(options, c.value), c.accepted);
    EXPECT_EQ(c.get(options), c.accepted ? c.value : before);
}

INSTANTIATE_TEST_SUITE_P(Cases, OptionLimitTest, testing::ValuesIn(kLimitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OptionDefaultsTest, NewOptionsHaveTheirDefaults) {
    AllOptions options;
    EXPECT_STREQ(options.GetFont(), "");
    EXPECT_EQ(options.GetFontScaling(), 1.0);
    EXPECT_FALSE(options.GetCenterAlign());
    EXPECT_FALSE(options.GetBearerBars());
    EXPECT_FALSE(options.GetBearerBarEndBars());
    EXPECT_EQ(options.GetWideNarrowRatio(), 2.5);
    EXPECT_TRUE(options.SetFont("OCRB"));
    EXPECT_STREQ(options.GetFont(), "OCRB");
}

// A box 0-40 x 0-20 with bearer bars 1.5 mm thick and quiet zones of 3.3 and
// 2.2 mm.
constexpr double kThicknessMm = 1.5;
constexpr double kLeftInsetMm = 3.3;
constexpr double kRightInsetMm = 2.2;

struct BearerCase {
    const char* name;
    bool bearerBars;
    bool endBars;
    double shift;
    std::vector<double> box;
    std::vector<std::vector<double>> bars;
};

const BearerCase kBearerCases[] = {
    {"Off", false, false, 0.0, {0, 40, 0, 20}, {}},
    {"EndBarsAloneDoNothing", false, true, 0.0, {0, 40, 0, 20}, {}},
    {"AboveAndBelowTheBarArea",
     true,
     false,
     -1.5,
     {0, 40, -1.5, 21.5},
     {{3.3, 37.8, -1.5, 0}, {3.3, 37.8, 20, 21.5}}},
    {"ClosedBox",
     true,
     true,
     -1.5,
     {-1.5, 41.5, -1.5, 21.5},
     {{0, 40, -1.5, 0}, {0, 40, 20, 21.5}, {-1.5, 0, -1.5, 21.5}, {40, 41.5, -1.5, 21.5}}},
};

class BearerBarsTest : public testing::TestWithParam<BearerCase> {
protected:
    void SetUp() override {
        options_.SetBearerBars(GetParam().bearerBars);
        options_.SetBearerBarEndBars(GetParam().endBars);
    }

    bool Emit() {
        return options_.EmitBearerBars(0.0, 40.0, kLeftInsetMm, kRightInsetMm, 0.0, 20.0,
                                       kThicknessMm, &generator_);
    }

    AllOptions options_;
    RecordingGenerator generator_;
};

TEST_P(BearerBarsTest, ReserveGrowsTheBox) {
    double left = 0.0, right = 40.0, bottom = 0.0, top = 20.0;
    EXPECT_EQ(options_.ReserveBearerBars(&left, &right, &bottom, &top, kThicknessMm),
              GetParam().shift);
    EXPECT_THAT((std::vector<double>{left, right, bottom, top}),
                Pointwise(DoubleNear(1e-12), GetParam().box));
}

TEST_P(BearerBarsTest, EmitSendsTheBarsInOrder) {
    EXPECT_TRUE(Emit());
    const std::vector<RecordedCall> calls = generator_.GetCalls();
    ASSERT_EQ(calls.size(), GetParam().bars.size());
    for (std::size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].kind, RecordedCall::Kind::kBearerBar);
        EXPECT_THAT(calls[i].numbers, Pointwise(DoubleNear(1e-12), GetParam().bars[i])) << i;
    }
}

TEST_P(BearerBarsTest, EmitStopsAtTheFirstRefusal) {
    for (std::size_t refused = 1; refused <= GetParam().bars.size(); ++refused) {
        generator_.Clear();
        generator_.FailAtCall(refused);
        EXPECT_FALSE(Emit());
        EXPECT_EQ(generator_.GetCalls().size(), refused);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BearerBarsTest, testing::ValuesIn(kBearerCases),
                         [](const auto& info) { return std::string(info.param.name); });

template <typename Processor>
std::unique_ptr<Strivelo::BarcodeProcessor> Make() {
    return std::make_unique<Processor>();
}

template <typename MixIn, std::int32_t kOption>
bool Reaches(const Strivelo::BarcodeProcessor& processor) {
    return Strivelo::FindOptionMixIn<MixIn>(processor, kOption) != nullptr;
}

// Where a symbology's class carries a mix-in whose option it does not offer,
// the option stays out of reach: a caller that only cast would offer it.
struct FindOptionCase {
    const char* name;
    std::unique_ptr<Strivelo::BarcodeProcessor> (*make)();
    bool (*reaches)(const Strivelo::BarcodeProcessor&);
    bool reached;
};

using Strivelo::BarcodeProcessorMixIn_BearerBarsOption;
using Strivelo::BarcodeProcessorMixIn_Font;
using Strivelo::BarcodeProcessorMixIn_WideNarrowOption;
using Strivelo::kBarcodeOptionBearerBarEndBars;
using Strivelo::kBarcodeOptionBearerBars;
using Strivelo::kBarcodeOptionFont;
using Strivelo::kBarcodeOptionWideNarrowRatio;

const FindOptionCase kFindOptionCases[] = {
    {"CodabarRatio", Make<Strivelo::BarcodeProcessorCodabar>,
     Reaches<BarcodeProcessorMixIn_WideNarrowOption, kBarcodeOptionWideNarrowRatio>, true},
    {"TraditionalCodabarRatio", Make<Strivelo::BarcodeProcessorTraditionalCodabar>,
     Reaches<BarcodeProcessorMixIn_WideNarrowOption, kBarcodeOptionWideNarrowRatio>, false},
    {"TwoOfFiveBearerBars", Make<Strivelo::BarcodeProcessor2of5>,
     Reaches<BarcodeProcessorMixIn_BearerBarsOption, kBarcodeOptionBearerBars>, true},
    {"ITF14BearerBars", Make<Strivelo::BarcodeProcessorITF14>,
     Reaches<BarcodeProcessorMixIn_BearerBarsOption, kBarcodeOptionBearerBars>, false},
    {"ITF14EndBars", Make<Strivelo::BarcodeProcessorITF14>,
     Reaches<BarcodeProcessorMixIn_BearerBarsOption, kBarcodeOptionBearerBarEndBars>, true},
    {"EAN13Font", Make<Strivelo::BarcodeProcessorEAN13>,
     Reaches<BarcodeProcessorMixIn_Font, kBarcodeOptionFont>, true},
    {"ISSNFont", Make<Strivelo::BarcodeProcessorISSN>,
     Reaches<BarcodeProcessorMixIn_Font, kBarcodeOptionFont>, false},
};

class FindOptionMixInTest : public testing::TestWithParam<FindOptionCase> {};

TEST_P(FindOptionMixInTest, ReachesOnlyOfferedOptions) {
    const FindOptionCase& c = GetParam();
    EXPECT_EQ(c.reaches(*c.make()), c.reached);
}

INSTANTIATE_TEST_SUITE_P(Cases, FindOptionMixInTest, testing::ValuesIn(kFindOptionCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace StriveloTest
