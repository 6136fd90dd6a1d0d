#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BarcodeCheckRecord.h"
#include "BarcodeFourCC.h"
#include "BarcodeProfile.h"
#include "CheckFakes.h"
#include "CheckMessage.h"
#include "FakeSymbology.h"
#include "RecordingDeltaBarDriver.h"

namespace BarcodeVettrin {

namespace {

using CheckTest::RecordingChangeColorDriver;
using Strivelo::FourCC;
using StriveloTest::DecodedFake;
using StriveloTest::FakeSpec;
using StriveloTest::FakeSymbology;
using StriveloTest::RecordingDeltaBarDriver;
using StriveloTest::SymbolSettings;

// Exactly representable, so that "equal passes" is not left to rounding.
constexpr double kDeviationLimitMm = 0.0078125;
constexpr std::int32_t kHostError = 0x53544F50;  // 'STOP'

// A found barcode's fake symbology and what its decoding reports.
struct FakeBarcode {
    FakeSpec spec{.type = FourCC("tchk"), .name = "Fake check"};
    SymbolSettings decoded{.code = "ABC",
                           .magnification = 1.0,
                           .reductionMm = 0.0,
                           .barHeightMm = 15.0,
                           .wideNarrowRatio = 2.5};
};

// One found barcode: what its processor decodes and what the run measured.
struct FoundBarcode {
    FakeBarcode decoded;
    std::vector<double> colors = {1.0};
    std::int32_t overprintState = kOverprintStateNormalOverprint;
};

enum Drivers { kNoDrivers = 0, kBarDriver = 1, kColorDriver = 2, kBothDrivers = 3 };

struct Expected {
    // The barcode's status from CheckBarcode (full runs only).
    std::int32_t status;
    CheckMessageList messages;
};

struct RunCase {
    RunCase& Document(CheckMessageList messages) {
        documentMessages = std::move(messages);
        documentStatus = kCheckStatusFailed;
        return *this;
    }
    RunCase& Overall(std::int32_t status) {
        overallStatus = status;
        return *this;
    }
    RunCase& Drivers(int given) {
        drivers = given;
        return *this;
    }
    RunCase& ReportOnly() {
        reportOnly = true;
        return *this;
    }
    RunCase& BarDriverRefuses() {
        barDriverRefuses = true;
        return *this;
    }
    RunCase& ColorError(std::int32_t error) {
        colorError = error;
        return *this;
    }
    RunCase& BarRuns(int runs, double targetMm) {
        barRuns = runs;
        barTargetMm = targetMm;
        return *this;
    }
    RunCase& ColorCalls(std::vector<std::string> calls) {
        colorCalls = std::move(calls);
        return *this;
    }

    const char* name;
    std::function<void(BarcodeProfile&)> configure;
    std::vector<FoundBarcode> barcodes;
    std::vector<Expected> expected;
    // Every document message here is a failure.
    CheckMessageList documentMessages = {};
    std::int32_t documentStatus = kCheckStatusPassed;
    std::int32_t overallStatus = kCheckStatusPassed;
    int drivers = kNoDrivers;
    // Only CollectBarcodeMessages runs, as for a report of listed barcodes.
    bool reportOnly = false;
    bool barDriverRefuses = false;
    std::int32_t colorError = 0;
    // Runs of the bar driver and the target each was given.
    int barRuns = 0;
    double barTargetMm = 0.0;
    std::vector<std::string> colorCalls = {};
};

RunCase Case(const char* name, std::function<void(BarcodeProfile&)> configure,
             std::vector<FoundBarcode> barcodes, std::vector<Expected> expected) {
    RunCase c;
    c.name = name;
    c.configure = std::move(configure);
    c.barcodes = std::move(barcodes);
    c.expected = std::move(expected);
    return c;
}

void PrintTo(const RunCase& c, std::ostream* os) {
    *os << c.name;
}

FoundBarcode Decoded(FakeBarcode decoded) {
    return FoundBarcode{std::move(decoded)};
}

FoundBarcode Painted(std::vector<double> colors, std::int32_t overprintState) {
    return FoundBarcode{FakeBarcode{}, std::move(colors), overprintState};
}

CheckMessageList Failed(std::int32_t messageId) {
    return {{kCheckStatusFailed, messageId}};
}

CheckMessageList Fixed(std::int32_t messageId) {
    return {{kCheckStatusFixed, messageId}};
}

const Expected kPassed{kCheckStatusPassed, {}};

Expected FailedWith(std::int32_t messageId) {
    return {kCheckStatusFailed, Failed(messageId)};
}

Expected FixedWith(std::int32_t messageId) {
    return {kCheckStatusFixed, Fixed(messageId)};
}

// Builders of profile settings; each enables the test it sets up.
auto Type(std::int32_t type) {
    return [=](BarcodeProfile& p) {
        p.typeTest.SetEnableTest(true);
        p.typeTest.SetBarcodeType(type);
    };
}
auto Code(const char* pattern) {
    return [=](BarcodeProfile& p) {
        p.codeTest.SetEnableTest(true);
        p.codeTest.SetBarcodeCode(pattern);
    };
}
auto Reduction(double mm, bool fix = false) {
    return [=](BarcodeProfile& p) {
        p.barWidthReductionTest.SetEnableTest(true);
        p.barWidthReductionTest.SetEnableFix(fix);
        p.barWidthReductionTest.SetBarWidthReduction(mm);
    };
}
auto Height(double minimum, double maximum) {
    return [=](BarcodeProfile& p) {
        p.barHeightTest.SetEnableTest(true);
        p.barHeightTest.SetMinimumBarHeight(minimum);
        p.barHeightTest.SetMaximumBarHeight(maximum);
    };
}
auto Magnification() {
    return [](BarcodeProfile& p) { p.magnificationTest.SetEnableTest(true); };
}
auto Ratio() {
    return [](BarcodeProfile& p) { p.wideNarrowRatioTest.SetEnableTest(true); };
}
auto Deviation(bool fix = false) {
    return [=](BarcodeProfile& p) {
        p.deviationTest.SetEnableTest(true);
        p.deviationTest.SetEnableFix(fix);
        p.deviationTest.SetDeviation(kDeviationLimitMm);
    };
}
auto OneColor() {
    return [](BarcodeProfile& p) { p.oneColorTest.SetEnableTest(true); };
}
auto Overprint(bool overprintOnly, bool fix = false) {
    return [=](BarcodeProfile& p) {
        p.overprintTest.SetEnableTest(true);
        p.overprintTest.SetEnableFix(fix);
        p.overprintTest.SetOverprintOnly(overprintOnly);
    };
}
auto Count(std::int32_t expected) {
    return [=](BarcodeProfile& p) {
        p.countTest.SetEnableTest(true);
        p.countTest.SetNrOfBarcodesInDocument(expected);
    };
}
auto AllEqual() {
    return [](BarcodeProfile& p) { p.allEqualTest.SetEnableTest(true); };
}
template <typename... Parts>
auto All(Parts... parts) {
    return [=](BarcodeProfile& p) { (parts(p), ...); };
}
auto EveryTestWithFix() {
    return [](BarcodeProfile& p) {
        for (BarcodeProfileBaseTest* test : p.GetTests()) {
            test->SetEnableFix(true);
        }
    };
}

FakeBarcode WithType(std::int32_t type, std::string code = "ABC") {
    FakeBarcode b;
    b.spec.type = type;
    b.decoded.code = std::move(code);
    return b;
}
FakeBarcode WithReduction(double mm) {
    FakeBarcode b;
    b.decoded.reductionMm = mm;
    return b;
}
FakeBarcode WithHeight(double mm) {
    FakeBarcode b;
    b.decoded.barHeightMm = mm;
    return b;
}
FakeBarcode WithMagnification(double magnification) {
    FakeBarcode b;
    b.decoded.magnification = magnification;
    return b;
}
FakeBarcode WithRatio(double ratio, bool wideNarrow = true) {
    FakeBarcode b;
    b.spec.wideNarrowOption = wideNarrow;
    b.decoded.wideNarrowRatio = ratio;
    return b;
}
FakeBarcode WithDeviation(double mm, double reductionMm = 0.0) {
    FakeBarcode b;
    b.spec.idealOffsetMm = mm;
    b.decoded.reductionMm = reductionMm;
    return b;
}
FakeBarcode EverythingWrong() {
    FakeBarcode b = WithType(FourCC("oops"), "X");
    b.decoded.reductionMm = 0.5;
    b.decoded.magnification = 0.5;
    b.decoded.barHeightMm = 1.0;
    b.spec.idealOffsetMm = 0.5;
    b.spec.wideNarrowOption = true;
    b.decoded.wideNarrowRatio = 1.5;
    return b;
}

const FoundBarcode kPlain;

const RunCase kRunCases[] = {
    Case("EveryTestDisabledWhateverTheBarcode", EveryTestWithFix(),
         {{EverythingWrong(), {}, kOverprintStateMixed}, {EverythingWrong(), {}, 0}},
         {kPassed, kPassed})
        .Drivers(kBothDrivers),
    Case("EveryTestDisabledReportOnly", EveryTestWithFix(),
         {{EverythingWrong(), {}, kOverprintStateMixed}}, {kPassed})
        .ReportOnly(),
    Case("TypeEqual", Type(FourCC("tchk")), {kPlain}, {kPassed}),
    Case("TypeDiffers", Type(FourCC("eanD")), {kPlain}, {FailedWith(kCheckMessageType)})
        .Overall(kCheckStatusFailed),
    Case("CodeMatchesPattern", Code("A*C"), {kPlain}, {kPassed}),
    Case("CodeShorterThanPattern", Code("ABC*"), {kPlain}, {FailedWith(kCheckMessageCode)})
        .Overall(kCheckStatusFailed),
    Case("ReductionWithinTolerance", Reduction(0.0301), {Decoded(WithReduction(0.03))}, {kPassed}),
    Case("ReductionDiffers", Reduction(0.0303), {Decoded(WithReduction(0.03))},
         {FailedWith(kCheckMessageBarWidthReduction)})
        .Overall(kCheckStatusFailed)
        .Drivers(kColorDriver),
    Case("ReductionFixedThroughDriver", Reduction(0.05, true), {Decoded(WithReduction(0.03))},
         {FixedWith(kCheckMessageBarWidthReduction)})
        .Overall(kCheckStatusFixed)
        .Drivers(kBarDriver)
        .BarRuns(1, 0.05),
    Case("ReductionFixWithoutDriverFails", Reduction(0.05, true), {Decoded(WithReduction(0.03))},
         {FailedWith(kCheckMessageBarWidthReduction)})
        .Overall(kCheckStatusFailed)
        .Drivers(kColorDriver),
    Case("ReductionFixNotAppliedFails", Reduction(0.05, true), {Decoded(WithReduction(0.03))},
         {{kCheckStatusFailed, Fixed(kCheckMessageBarWidthReduction)}})
        .Overall(kCheckStatusFailed)
        .Drivers(kBarDriver)
        .BarDriverRefuses()
        .BarRuns(1, 0.05),
    Case("ReductionFixInReportOnlyRun", Reduction(0.05, true), {Decoded(WithReduction(0.03))},
         {{kCheckStatusFailed, Failed(kCheckMessageBarWidthReduction)}})
        .Overall(kCheckStatusFailed)
        .ReportOnly(),
    Case("HeightJustBelowMinimumWithinTolerance", Height(10.0, 25.0), {Decoded(WithHeight(9.9999))},
         {kPassed}),
    Case("HeightBelowMinimum", Height(10.0, 25.0), {Decoded(WithHeight(9.9997))},
         {FailedWith(kCheckMessageBarHeightBelow)})
        .Overall(kCheckStatusFailed),
    Case("HeightAboveMaximum", Height(10.0, 25.0), {Decoded(WithHeight(25.0003))},
         {FailedWith(kCheckMessageBarHeightAbove)})
        .Overall(kCheckStatusFailed),
    Case("HeightWithoutBounds", Height(0.0, 0.0), {Decoded(WithHeight(1000.0))}, {kPassed}),
    Case("MagnificationBelow", Magnification(), {Decoded(WithMagnification(0.9))},
         {FailedWith(kCheckMessageMagnificationBelow)})
        .Overall(kCheckStatusFailed),
    Case("MagnificationAbove", Magnification(), {Decoded(WithMagnification(1.1))},
         {FailedWith(kCheckMessageMagnificationAbove)})
        .Overall(kCheckStatusFailed),
    Case("RatioInRange", Ratio(), {Decoded(WithRatio(2.5))}, {kPassed}),
    Case("RatioBelow", Ratio(), {Decoded(WithRatio(1.8))},
         {FailedWith(kCheckMessageWideNarrowRatioBelow)})
        .Overall(kCheckStatusFailed),
    Case("RatioAbove", Ratio(), {Decoded(WithRatio(3.5))},
         {FailedWith(kCheckMessageWideNarrowRatioAbove)})
        .Overall(kCheckStatusFailed),
    Case("RatioOfSymbologyWithoutOption", Ratio(), {Decoded(WithRatio(1.8, false))}, {kPassed}),
    Case("DeviationEqualToLimit", Deviation(), {Decoded(WithDeviation(kDeviationLimitMm))},
         {kPassed}),
    Case("DeviationAboveLimit", Deviation(), {Decoded(WithDeviation(2 * kDeviationLimitMm))},
         {FailedWith(kCheckMessageDeviation)})
        .Overall(kCheckStatusFailed),
    Case("DeviationFixRegeneratesAtOwnReduction", Deviation(true),
         {Decoded(WithDeviation(2 * kDeviationLimitMm, 0.0625))},
         {FixedWith(kCheckMessageDeviation)})
        .Overall(kCheckStatusFixed)
        .Drivers(kBarDriver)
        .BarRuns(1, 0.0625),
    Case("DeviationFixWithoutDriverFails", Deviation(true),
         {Decoded(WithDeviation(2 * kDeviationLimitMm))}, {FailedWith(kCheckMessageDeviation)})
        .Overall(kCheckStatusFailed)
        .Drivers(kColorDriver),
    Case("BothBarFixesRunOnceAtTheSetReduction", All(Reduction(0.05, true), Deviation(true)),
         {Decoded(WithDeviation(2 * kDeviationLimitMm, 0.0625))},
         {{kCheckStatusFixed,
           {{kCheckStatusFixed, kCheckMessageBarWidthReduction},
            {kCheckStatusFixed, kCheckMessageDeviation}}}})
        .Overall(kCheckStatusFixed)
        .Drivers(kBarDriver)
        .BarRuns(1, 0.05),
    Case("OneColorFullInk", OneColor(), {Painted({1.0}, kOverprintStateNormalOverprint)},
         {kPassed}),
    Case("OneColorOfDifferentColors", OneColor(), {Painted({}, kOverprintStateNormalOverprint)},
         {FailedWith(kCheckMessageNotOneColor)})
        .Overall(kCheckStatusFailed),
    Case("OneColorOfTwoChannels", OneColor(), {Painted({1.0, 0.5}, kOverprintStateNormalOverprint)},
         {FailedWith(kCheckMessageNotOneColor)})
        .Overall(kCheckStatusFailed),
    Case("OneColorBelowFullInk", OneColor(), {Painted({0.99}, kOverprintStateNormalOverprint)},
         {FailedWith(kCheckMessageNotOneColor)})
        .Overall(kCheckStatusFailed),
    Case("OverprintSet", Overprint(true), {Painted({1.0}, kOverprintStateNormalOverprint)},
         {kPassed}),
    Case("MultiplyPassesWithoutOverprintOnly", Overprint(false),
         {Painted({1.0}, kOverprintStateMultiply)}, {kPassed}),
    Case("MultiplyFailsWithOverprintOnly", Overprint(true),
         {Painted({1.0}, kOverprintStateMultiply)}, {FailedWith(kCheckMessageNotOverprint)})
        .Overall(kCheckStatusFailed),
    Case("OverprintStatesThatNeverPass", Overprint(false),
         {Painted({1.0}, kOverprintStateMixed), Painted({1.0}, kOverprintStateNormal),
          Painted({1.0}, kOverprintStateOther)},
         {FailedWith(kCheckMessageInvalidOverprint), FailedWith(kCheckMessageInvalidOverprint),
          FailedWith(kCheckMessageInvalidOverprint)})
        .Overall(kCheckStatusFailed),
    Case("OverprintFixedThroughDriver", Overprint(false, true),
         {Painted({1.0}, kOverprintStateNormal)}, {FixedWith(kCheckMessageInvalidOverprint)})
        .Overall(kCheckStatusFixed)
        .Drivers(kColorDriver)
        .ColorCalls({"SetColorAction(2)", "ChangeColor"}),
    Case("OverprintFixWithoutDriverFails", Overprint(true, true),
         {Painted({1.0}, kOverprintStateMultiply)}, {FailedWith(kCheckMessageNotOverprint)})
        .Overall(kCheckStatusFailed)
        .Drivers(kBarDriver),
    Case("OverprintFixThatFailsInTheHost", Overprint(false, true),
         {Painted({1.0}, kOverprintStateNormal)},
         {{kCheckStatusFailed, Fixed(kCheckMessageInvalidOverprint)}})
        .Overall(kCheckStatusFailed)
        .Drivers(kColorDriver)
        .ColorError(kHostError)
        .ColorCalls({"SetColorAction(2)", "ChangeColor"}),
    Case("BarAndColorFixesTogether", All(Reduction(0.05, true), Overprint(false, true)),
         {{WithReduction(0.03), {1.0}, kOverprintStateNormal}},
         {{kCheckStatusFixed,
           {{kCheckStatusFixed, kCheckMessageBarWidthReduction},
            {kCheckStatusFixed, kCheckMessageInvalidOverprint}}}})
        .Overall(kCheckStatusFixed)
        .Drivers(kBothDrivers)
        .BarRuns(1, 0.05)
        .ColorCalls({"SetColorAction(2)", "ChangeColor"}),
    Case("CountMatchesInFullRun", Count(3), {kPlain, kPlain, kPlain}, {kPassed, kPassed, kPassed}),
    Case("CountMatchesInReportOnlyRun", Count(3), {kPlain, kPlain, kPlain},
         {kPassed, kPassed, kPassed})
        .ReportOnly(),
    Case("MoreBarcodesThanAllowed", Count(2), {kPlain, kPlain, kPlain}, {kPassed, kPassed, kPassed})
        .Document(Failed(kCheckMessageMoreBarcodes))
        .Overall(kCheckStatusFailed),
    Case("FewerBarcodesThanAllowedReportOnly", Count(4), {kPlain, kPlain, kPlain},
         {kPassed, kPassed, kPassed})
        .Document(Failed(kCheckMessageFewerBarcodes))
        .Overall(kCheckStatusFailed)
        .ReportOnly(),
    Case("NoBarcodeAllowed", Count(0), {kPlain}, {kPassed})
        .Document(Failed(kCheckMessageMoreBarcodes))
        .Overall(kCheckStatusFailed),
    Case("AllEqual", AllEqual(), {kPlain, kPlain}, {kPassed, kPassed}),
    Case("AllEqualWithOtherCode", AllEqual(), {kPlain, Decoded(WithType(FourCC("tchk"), "ABD"))},
         {kPassed, kPassed})
        .Document(Failed(kCheckMessageNotAllEqual))
        .Overall(kCheckStatusFailed),
    Case("AllEqualWithOtherType", AllEqual(), {kPlain, kPlain, Decoded(WithType(FourCC("tchl")))},
         {kPassed, kPassed, kPassed})
        .Document(Failed(kCheckMessageNotAllEqual))
        .Overall(kCheckStatusFailed),
    Case("AllEqualWithoutBarcodes", AllEqual(), {}, {}),
};

class CheckRunTest : public ::testing::TestWithParam<RunCase> {};

// A run as the check palette drives it: records with the drivers the case
// gives, CheckBarcode unless the run only reports, then the messages for the
// report, then the document.
TEST_P(CheckRunTest, StatusesMessagesAndFixes) {
    const RunCase& c = GetParam();
    BarcodeProfile profile;
    c.configure(profile);
    EXPECT_EQ(profile.BeginCheck(), 0);
    EXPECT_EQ(profile.GetOverallStatus(), 0);

    ASSERT_EQ(c.barcodes.size(), c.expected.size());
    for (std::size_t i = 0; i < c.barcodes.size(); ++i) {
        SCOPED_TRACE("barcode " + std::to_string(i));
        const FoundBarcode& found = c.barcodes[i];
        const std::unique_ptr<FakeSymbology> processor =
            DecodedFake(found.decoded.spec, found.decoded.decoded);
        RecordingDeltaBarDriver barDriver(*processor);
        RecordingChangeColorDriver colorDriver(c.colorError);
        if (c.barDriverRefuses) {
            barDriver.RefuseMoves();
        }
        BarcodeCheckRecord record(processor.get());
        record.SetColors(found.colors);
        record.SetOverprintState(found.overprintState);
        if ((c.drivers & kBarDriver) != 0) {
            record.SetDeltaBarDriver(&barDriver);
        }
        if ((c.drivers & kColorDriver) != 0) {
            record.SetChangeColorDriver(&colorDriver);
        }
        if (!c.reportOnly) {
            EXPECT_EQ(profile.CheckBarcode(record), c.expected[i].status);
        }
        EXPECT_EQ(profile.CollectBarcodeMessages(record), c.expected[i].messages);

        const std::size_t barsPerRun = (std::size(StriveloTest::kFakePattern) + 1) / 2;
        EXPECT_EQ(barDriver.GetMoves().size(), c.barRuns * barsPerRun);
        if (c.barRuns > 0) {
            EXPECT_NEAR(barDriver.ImpliedTarget(), c.barTargetMm, 1e-12);
        }
        EXPECT_EQ(colorDriver.GetCalls(), c.colorCalls);
    }
    EXPECT_EQ(profile.CheckDocument(), c.documentStatus);
    EXPECT_EQ(profile.CollectDocumentMessages(), c.documentMessages);
    EXPECT_EQ(profile.GetOverallStatus(), c.overallStatus);
}

INSTANTIATE_TEST_SUITE_P(Profile, CheckRunTest, ::testing::ValuesIn(kRunCases),
                         [](const ::testing::TestParamInfo<RunCase>& info) {
                             return std::string(info.param.name);
                         });

// The count and the first barcode of the all-equal test start afresh with
// every run.
TEST(CheckRunStateTest, BeginCheckStartsTheDocumentTestsAfresh) {
    BarcodeProfile profile;
    Count(1)(profile);
    AllEqual()(profile);
    const auto run = [&](std::vector<FakeBarcode> barcodes) {
        profile.BeginCheck();
        for (const FakeBarcode& barcode : barcodes) {
            const std::unique_ptr<FakeSymbology> processor =
                DecodedFake(barcode.spec, barcode.decoded);
            BarcodeCheckRecord record(processor.get());
            profile.CheckBarcode(record);
        }
        return profile.CollectDocumentMessages();
    };
    EXPECT_EQ(run({WithType(FourCC("tchk")), WithType(FourCC("tchl"))}),
              (CheckMessageList{{kCheckStatusFailed, kCheckMessageNotAllEqual},
                                {kCheckStatusFailed, kCheckMessageMoreBarcodes}}));
    EXPECT_EQ(run({WithType(FourCC("tchl"))}), CheckMessageList{});
    EXPECT_EQ(profile.GetOverallStatus(), kCheckStatusPassed);
}

}  // namespace
}  // namespace BarcodeVettrin
