#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessorCodabar.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorPlessey.h"
#include "BarcodeProcessorRegistry.h"
#include "Drawing.h"
#include "PlesseyCodabarTestSupport.h"
#include "Symbols.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::CreateByIndex;
using Strivelo::FourCC;
using Strivelo::IdentifyFromEdges;

// The families' place in the standard order, which decides their ties.
TEST(StandardRegistryTest, FamiliesFollowEachOtherInTheStandardOrder) {
    const StandardRegistry registry;
    std::vector<std::string> types;
    for (std::uint32_t index = 0;; ++index) {
        const std::unique_ptr<BarcodeProcessor> processor = CreateByIndex(index);
        if (processor == nullptr) {
            break;
        }
        types.push_back(TypeName(processor->GetType()));
    }
    const std::vector<std::string> ours = {"plec", "ples", "BePh", "msiq",
                                           "msie", "msit", "coda", "codt"};
    const auto first = std::find(types.begin(), types.end(), ours.front());
    ASSERT_NE(first, types.end());
    ASSERT_LE(ours.size(), static_cast<std::size_t>(types.end() - first));
    EXPECT_EQ(std::vector<std::string>(first, first + ours.size()), ours);
    const auto following = first + ours.size();
    EXPECT_TRUE(following == types.end() || *following == "ms7b");
    for (const char* before : {"2of5", "3of9", "c128"}) {
        const auto at = std::find(types.begin(), types.end(), before);
        EXPECT_TRUE(at == types.end() || at < first) << before;
    }
}

struct RoundTripCase {
    const char* name;
    std::int32_t type;
    const char* code;
    std::optional<double> ratio;
    // The same bars may be valid for a symbology registered earlier, which
    // then wins the tie.
    std::int32_t identifiedType;
    const char* identifiedCode;
};

const RoundTripCase kCases[] = {
    {"PlesseyCrc", FourCC("plec"), "108", {}, FourCC("plec"), "108"},
    {"PlesseyCrcTenDigits", FourCC("plec"), "012345678946", {}, FourCC("plec"), "012345678946"},
    {"Plessey", FourCC("ples"), "1234", {}, FourCC("ples"), "1234"},
    {"PlesseyWithValidCrc", FourCC("ples"), "108", {}, FourCC("plec"), "108"},
    {"BelgPharma", FourCC("BePh"), "1234-566", {}, FourCC("BePh"), "1234-566"},
    {"Mod10Mod10", FourCC("msiq"), "123448", {}, FourCC("msiq"), "123448"},
    {"Mod10Mod10OfEightDigits", FourCC("msiq"), "12345666", {}, FourCC("BePh"), "1234-566"},
    {"Mod10Mod10AlsoMod11", FourCC("msiq"), "123456741", {}, FourCC("msiq"), "123456741"},
    {"Mod11", FourCC("msie"), "123430", {}, FourCC("msie"), "123430"},
    {"Mod10", FourCC("msit"), "12344", {}, FourCC("msit"), "12344"},
    {"Mod10OfSevenDigits", FourCC("msit"), "1234566", {}, FourCC("msit"), "1234566"},
    {"Mod10AlsoMod10Mod10", FourCC("msit"), "99999999990", {}, FourCC("msiq"), "99999999990"},
    {"Codabar", FourCC("coda"), "A1234B", {}, FourCC("coda"), "A1234B"},
    {"CodabarRatio3", FourCC("coda"), "C-$:/.+D", 3.0, FourCC("coda"), "C-$:/.+D"},
    {"CodabarRatio22", FourCC("coda"), "D90C", 2.2, FourCC("coda"), "D90C"},
    {"Traditional", FourCC("codt"), "A1234B", {}, FourCC("codt"), "A1234B"},
    {"TraditionalSigns", FourCC("codt"), "C-$:/D", {}, FourCC("codt"), "C-$:/D"},
};

// Per magnification: how far a bar may be widened and narrowed.
struct FamilyLimits {
    double smallestMagnification;
    double largestMagnification;
    double wideningPerMagnificationMm;
    double narrowingPerMagnificationMm;
};

// Half the space after a wide bar and half a narrow bar of the 1.016 mm
// cell; a quarter of the 0.25 mm module.
constexpr FamilyLimits kPlesseyLimits{0.625, 2.0, 0.42745098 * 1.016 / 2, 0.174509804 * 1.016 / 2};
constexpr FamilyLimits kCodabarLimits{0.375, 2.0, 0.0625, 0.0625};

const FamilyLimits& LimitsOf(std::int32_t type) {
    return type == FourCC("coda") || type == FourCC("codt") ? kCodabarLimits : kPlesseyLimits;
}

enum class Size { kSmallest, kFull, kLargest };
enum class Reduction { kWidenedHalfway, kNone, kNarrowedHalfway };

using Parameters = std::tuple<RoundTripCase, Size, Reduction, bool>;

class RoundTripTest : public testing::TestWithParam<Parameters> {
protected:
    StandardRegistry registry_;
};

TEST_P(RoundTripTest, IdentifiesTypeCodeAndParameters) {
    const auto& [c, size, reduction, backwards] = GetParam();
    const FamilyLimits& limits = LimitsOf(c.type);
    const double magnification = size == Size::kSmallest ? limits.smallestMagnification
                                 : size == Size::kFull   ? 1.0
                                                         : limits.largestMagnification;
    const double reductionMm =
        reduction == Reduction::kWidenedHalfway    ? -limits.wideningPerMagnificationMm / 2
        : reduction == Reduction::kNarrowedHalfway ? limits.narrowingPerMagnificationMm / 2
                                                   : 0.0;
    const std::unique_ptr<BarcodeProcessor> drawn =
        MakeSymbol({.type = c.type,
                    .code = c.code,
                    .magnification = magnification,
                    .reductionMm = reductionMm * magnification,
                    .wideNarrowRatio = c.ratio});
    ASSERT_NE(drawn, nullptr);
    const std::vector<RecordedBar> bars = Draw(*drawn).GetBars();
    ASSERT_TRUE(drawn->ValidateParameters());
    const std::vector<double> edges =
        EdgesFromBars(bars, {.backwards = backwards, .offsetMm = 50.0});

    bool ambiguous = false;
    const std::unique_ptr<BarcodeProcessor> read =
        IdentifyFromEdges(edges.data(), static_cast<std::uint32_t>(edges.size()), &ambiguous);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(TypeName(read->GetType()), TypeName(c.identifiedType));
    EXPECT_STREQ(read->GetCode(), c.identifiedCode);
    EXPECT_NEAR(read->GetMagnification(), magnification, 1e-6);
    EXPECT_NEAR(read->GetBarWidthReduction(), reductionMm * magnification, 1e-6);
    EXPECT_EQ(read->IsReadReversed(), backwards);
}

std::string RoundTripName(const testing::TestParamInfo<Parameters>& info) {
    const auto& [c, size, reduction, backwards] = info.param;
    const char* const sizes[] = {"Smallest", "Full", "Largest"};
    const char* const reductions[] = {"Widened", "Exact", "Narrowed"};
    return std::string(c.name) + "_" + sizes[static_cast<int>(size)] +
           reductions[static_cast<int>(reduction)] + (backwards ? "Backwards" : "Forwards");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundTripTest,
    testing::Combine(testing::ValuesIn(kCases),
                     testing::Values(Size::kSmallest, Size::kFull, Size::kLargest),
                     testing::Values(Reduction::kWidenedHalfway, Reduction::kNone,
                                     Reduction::kNarrowedHalfway),
                     testing::Bool()),
    RoundTripName);

}  // namespace
}  // namespace StriveloTest
