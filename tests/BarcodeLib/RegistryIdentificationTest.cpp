// All registered symbologies together: the registry's order, each one's
// symbols identified among all the others, the options each one offers, and
// edges that are no symbol at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "BarEdges.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorMixIn_FontScaling.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeProcessorRegistry.h"
#include "CaseName.h"
#include "Drawing.h"
#include "M7LString.h"
#include "Symbols.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::CreateByIndex;
using Strivelo::CreateByType;
using Strivelo::FourCC;
using Strivelo::IdentifyFromEdges;

constexpr std::uint32_t kRegisteredCount = 25;

std::uint32_t Count(const std::vector<double>& edges) {
    return static_cast<std::uint32_t>(edges.size());
}

// The registry as the palettes build it.
class StandardRegistryTest : public testing::Test {
protected:
    StandardRegistry registry_;
};

struct OrderCase {
    bool upcBeforeEan;
    const char* types;
};

const OrderCase kOrderCases[] = {
    {false,
     "e128 eCou uCou isbe isbn issn itff jan8 janD ean8 eanD upca upce 2of5 3of9 c128 plec ples "
     "BePh msiq msie msit coda codt ms7b"},
    {true,
     "e128 eCou uCou isbe isbn issn itff jan8 janD ean8 upca upce eanD 2of5 3of9 c128 plec ples "
     "BePh msiq msie msit coda codt ms7b"},
};

void PrintTo(const OrderCase& order, std::ostream* os) {
    *os << (order.upcBeforeEan ? "UPC before EAN" : "EAN before UPC");
}

class RegistryOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(RegistryOrderTest, StandardSymbologiesThenMS7B) {
    const StandardRegistry registry(GetParam().upcBeforeEan);
    std::ostringstream types;
    for (std::uint32_t index = 0; index < kRegisteredCount; ++index) {
        const std::unique_ptr<BarcodeProcessor> processor = CreateByIndex(index);
        types << (index == 0 ? "" : " ") << (processor ? TypeName(processor->GetType()) : "null");
    }
    EXPECT_EQ(types.str(), GetParam().types);
    EXPECT_EQ(CreateByIndex(kRegisteredCount), nullptr);
    EXPECT_EQ(CreateByType(FourCC("isbb")), nullptr);
    EXPECT_EQ(CreateByType(FourCC("isbd")), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Orders, RegistryOrderTest, testing::ValuesIn(kOrderCases),
                         [](const auto& info) {
                             return std::string(info.param.upcBeforeEan ? "UpcBeforeEan"
                                                                        : "EanBeforeUpc");
                         });

// The mix-ins as bits of a set.
constexpr unsigned kNoMixIn = 0;
constexpr unsigned kFont = 1u << 0;
constexpr unsigned kFontScaling = 1u << 1;
constexpr unsigned kBearerBars = 1u << 2;
constexpr unsigned kWideNarrow = 1u << 3;

constexpr unsigned kAllMixIns = kFont | kFontScaling | kBearerBars | kWideNarrow;

unsigned ReachableMixIns(BarcodeProcessor& processor) {
    return (dynamic_cast<Strivelo::BarcodeProcessorMixIn_Font*>(&processor) ? kFont : 0) |
           (dynamic_cast<Strivelo::BarcodeProcessorMixIn_FontScaling*>(&processor) ? kFontScaling
                                                                                   : 0) |
           (dynamic_cast<Strivelo::BarcodeProcessorMixIn_BearerBarsOption*>(&processor)
                ? kBearerBars
                : 0) |
           (dynamic_cast<Strivelo::BarcodeProcessorMixIn_WideNarrowOption*>(&processor)
                ? kWideNarrow
                : 0);
}

struct OptionMixIn {
    std::int32_t option;
    unsigned mixIn;
};

const OptionMixIn kOptionMixIns[] = {
    {Strivelo::kBarcodeOptionFont, kFont},
    {Strivelo::kBarcodeOptionFontScaling, kFontScaling},
    {Strivelo::kBarcodeOptionCenterAlign, kFontScaling},
    {Strivelo::kBarcodeOptionBearerBars, kBearerBars},
    {Strivelo::kBarcodeOptionBearerBarEndBars, kBearerBars},
    {Strivelo::kBarcodeOptionWideNarrowRatio, kWideNarrow},
};

struct Symbology {
    std::int32_t type;
    const char* code;
    // Where a symbology registered earlier reads the same bars just as well,
    // it wins the tie and reads the code in its own form.
    std::int32_t identifiedType;
    const char* identifiedCode;
    unsigned mixIns;
    // The options HasOption announces, in alphabetical order.
    const char* options;
};

void PrintTo(const Symbology& symbology, std::ostream* os) {
    *os << TypeName(symbology.type) << " " << symbology.code;
}

constexpr unsigned kFontAndScaling = kFont | kFontScaling;
constexpr const char* kPlesseyOptions = "FCAL FONT";

constexpr Symbology kSymbologies[] = {
    {FourCC("e128"), "(01)12345678901231(17)140704", FourCC("e128"), "(01)12345678901231(17)140704",
     kFontAndScaling | kBearerBars, "BBAR BEBB FCAL FONT FSCL"},
    {FourCC("eCou"), "9-912345-678909 (8101)1 23456 7890", FourCC("eCou"),
     "9-912345-678909 (8101)1 23456 7890", kFont, "FONT"},
    {FourCC("uCou"), "5-12345-67890-0 (8100)1 23456", FourCC("uCou"),
     "5-12345-67890-0 (8100)1 23456", kNoMixIn, ""},
    {FourCC("isbe"), "978-3-16-148410-0", FourCC("isbe"), "978-3-16-148410-0", kFontAndScaling,
     "FCAL"},
    {FourCC("isbn"), "3-16-148410-X", FourCC("isbe"), "978-3-16-148410-0", kFontAndScaling, "FCAL"},
    {FourCC("issn"), "0317-8471", FourCC("issn"), "0317-8471", kFont, ""},
    {FourCC("itff"), "10012345000017", FourCC("itff"), "10012345000017", kAllMixIns,
     "BEBB FCAL FONT FSCL W2NR"},
    {FourCC("jan8"), "4512-3450", FourCC("jan8"), "4512-3450", kFont, "FONT"},
    {FourCC("janD"), "4-512345-678906", FourCC("janD"), "4-512345-678906", kFont, "FONT"},
    {FourCC("ean8"), "9638-5074", FourCC("ean8"), "9638-5074", kFont, "FONT"},
    {FourCC("eanD"), "4-006381-333931", FourCC("eanD"), "4-006381-333931", kFont, "FONT"},
    {FourCC("upca"), "0-36000-29145-2", FourCC("eanD"), "0-036000-291452", kNoMixIn, ""},
    {FourCC("upce"), "0-123453-1", FourCC("upce"), "0-12300-00045-1 (0-123453-1)", kNoMixIn, ""},
    {FourCC("2of5"), "1234", FourCC("2of5"), "1234", kAllMixIns, "BBAR BEBB FCAL FONT FSCL W2NR"},
    {FourCC("3of9"), "CODE39", FourCC("3of9"), "CODE39", kAllMixIns,
     "BBAR BEBB FCAL FONT FSCL W2NR"},
    {FourCC("c128"), "AB123456", FourCC("c128"), "AB123456", kFontAndScaling | kBearerBars,
     "BBAR BEBB FCAL FONT FSCL"},
    {FourCC("plec"), "108", FourCC("plec"), "108", kFontAndScaling, kPlesseyOptions},
    {FourCC("ples"), "1234", FourCC("ples"), "1234", kFontAndScaling, kPlesseyOptions},
    {FourCC("BePh"), "1234-566", FourCC("BePh"), "1234-566", kFontAndScaling, kPlesseyOptions},
    {FourCC("msiq"), "123448", FourCC("msiq"), "123448", kFontAndScaling, kPlesseyOptions},
    {FourCC("msie"), "123430", FourCC("msie"), "123430", kFontAndScaling, kPlesseyOptions},
    {FourCC("msit"), "12344", FourCC("msit"), "12344", kFontAndScaling, kPlesseyOptions},
    {FourCC("coda"), "A1234B", FourCC("coda"), "A1234B", kFontAndScaling | kWideNarrow,
     "FCAL FONT FSCL W2NR"},
    {FourCC("codt"), "A1234B", FourCC("codt"), "A1234B", kFontAndScaling | kWideNarrow,
     "FCAL FONT FSCL"},
    {FourCC("ms7b"), "1234565", FourCC("ean8"), "0123-4565", kFont, ""},
};
static_assert(std::size(kSymbologies) == kRegisteredCount);

class SymbologyTest : public StandardRegistryTest, public testing::WithParamInterface<Symbology> {};

std::string SymbologyName(const testing::TestParamInfo<Symbology>& info) {
    return TypeName(info.param.type);
}

TEST_P(SymbologyTest, OptionsAndTheirMixInsAreThoseOfTheTable) {
    const std::unique_ptr<BarcodeProcessor> processor = CreateByType(GetParam().type);
    ASSERT_NE(processor, nullptr) << "not registered";
    const unsigned reachable = ReachableMixIns(*processor);
    EXPECT_EQ(reachable, GetParam().mixIns);
    std::set<std::string> announced;
    for (const OptionMixIn& option : kOptionMixIns) {
        if (processor->HasOption(option.option)) {
            announced.insert(TypeName(option.option));
            EXPECT_NE(reachable & option.mixIn, 0u) << TypeName(option.option);
        }
    }
    std::ostringstream joined;
    for (const std::string& option : announced) {
        joined << (joined.tellp() == 0 ? "" : " ") << option;
    }
    EXPECT_EQ(joined.str(), GetParam().options);
}

// The last value on the way from inside to outside that the validator
// accepts; validators tell their limits only this way.
template <typename Accepts>
double Boundary(double inside, double outside, Accepts accepts) {
    constexpr double kResolution = 1e-12;
    EXPECT_TRUE(accepts(inside));
    EXPECT_FALSE(accepts(outside));
    while (std::fabs(outside - inside) > kResolution) {
        const double middle = (inside + outside) / 2.0;
        (accepts(middle) ? inside : outside) = middle;
    }
    return inside;
}

// Far beyond what any symbology accepts.
constexpr double kFarMagnification = 100.0;
constexpr double kFarReductionMm = 10.0;

std::vector<double> Magnifications(BarcodeProcessor& processor) {
    const auto accepts = [&](double magnification) {
        processor.SetMagnification(magnification);
        return processor.IsMagnificationValid();
    };
    const double smallest = Boundary(1.0, 0.0, accepts);
    const double largest = Boundary(1.0, kFarMagnification, accepts);
    return {smallest, 1.0, largest};
}

// Just inside the limits themselves, where a reading is hardest, as well as
// half of them and none.
constexpr double kJustInsideLimit = 0.999;

// The widening and the narrowing limit at the processor's magnification.
struct ReductionLimits {
    double wideningMm;
    double narrowingMm;
};

ReductionLimits FindReductionLimits(BarcodeProcessor& processor) {
    const auto accepts = [&](double reductionMm) {
        processor.SetBarWidthReduction(reductionMm);
        return processor.IsBarWidthReductionValid();
    };
    return {Boundary(0.0, -kFarReductionMm, accepts), Boundary(0.0, kFarReductionMm, accepts)};
}

std::vector<double> Reductions(BarcodeProcessor& processor) {
    const ReductionLimits limits = FindReductionLimits(processor);
    return {kJustInsideLimit * limits.wideningMm, limits.wideningMm / 2.0, 0.0,
            limits.narrowingMm / 2.0, kJustInsideLimit * limits.narrowingMm};
}

constexpr double kFarRatio = 100.0;
constexpr double kUsualRatio = 2.5;

// The smallest and the largest ratio at the processor's magnification, for a
// symbology with the option; none (0, the processor's own ratio) otherwise.
std::vector<double> Ratios(BarcodeProcessor& processor) {
    auto* const option =
        dynamic_cast<Strivelo::BarcodeProcessorMixIn_WideNarrowOption*>(&processor);
    if (option == nullptr || !processor.HasOption(Strivelo::kBarcodeOptionWideNarrowRatio)) {
        return {0.0};
    }
    const auto accepts = [&](double ratio) {
        option->SetWideNarrowRatio(ratio);
        return processor.IsWideNarrowRatioValid();
    };
    return {Boundary(kUsualRatio, 1.1, accepts), Boundary(kUsualRatio, kFarRatio, accepts)};
}

// Far enough right of the widest symbol that every backwards edge is
// positive.
constexpr double kForwardsOffsetMm = 20.0;
constexpr double kBackwardsOffsetMm = 600.0;
constexpr double kParameterTolerance = 1e-6;

// Every symbol within its validators' limits reads back, at the limits too.
TEST_P(SymbologyTest, SymbolsIdentifyAsTheirTypeWithTheirParameters) {
    const Symbology& symbology = GetParam();
    const std::unique_ptr<BarcodeProcessor> drawn = CreateByType(symbology.type);
    ASSERT_NE(drawn, nullptr) << "not registered";
    ASSERT_TRUE(drawn->SetCode(symbology.code));
    auto* const option =
        dynamic_cast<Strivelo::BarcodeProcessorMixIn_WideNarrowOption*>(drawn.get());
    for (const double magnification : Magnifications(*drawn)) {
        drawn->SetMagnification(magnification);
        for (const double ratio : Ratios(*drawn)) {
            if (ratio != 0.0) {
                option->SetWideNarrowRatio(ratio);
            }
            for (const double reductionMm : Reductions(*drawn)) {
                drawn->SetBarWidthReduction(reductionMm);
                SCOPED_TRACE(testing::Message() << "magnification " << magnification << ", ratio "
                                                << ratio << ", reduction " << reductionMm);
                ASSERT_TRUE(drawn->ValidateParameters());
                const Drawing drawing = Draw(*drawn);
                ASSERT_TRUE(drawing.generated);
                for (const bool backwards : {false, true}) {
                    SCOPED_TRACE(backwards ? "backwards" : "forwards");
                    const std::vector<double> edges = EdgesFromBars(
                        drawing.GetBars(),
                        {.backwards = backwards,
                         .offsetMm = backwards ? kBackwardsOffsetMm : kForwardsOffsetMm});
                    bool ambiguous = false;
                    const std::unique_ptr<BarcodeProcessor> found =
                        IdentifyFromEdges(edges.data(), Count(edges), &ambiguous);
                    ASSERT_NE(found, nullptr);
                    EXPECT_EQ(TypeName(found->GetType()), TypeName(symbology.identifiedType));
                    EXPECT_STREQ(found->GetCode(), symbology.identifiedCode);
                    EXPECT_NEAR(found->GetMagnification(), magnification, kParameterTolerance);
                    EXPECT_NEAR(found->GetBarWidthReduction(), reductionMm, kParameterTolerance);
                    if (ratio != 0.0) {
                        auto* const read =
                            dynamic_cast<Strivelo::BarcodeProcessorMixIn_WideNarrowOption*>(
                                found.get());
                        ASSERT_NE(read, nullptr);
                        EXPECT_NEAR(read->GetWideNarrowRatio(), ratio, kParameterTolerance);
                    }
                    EXPECT_EQ(found->IsReadReversed(), backwards);
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Registered, SymbologyTest, testing::ValuesIn(kSymbologies), SymbologyName);

// Lists of no symbol: any count the art collection may hand over, ascending
// steps of any width, some values not finite.
constexpr std::uint32_t kNoiseSeed = 20240611;
constexpr int kNoiseLists = 3000;
constexpr std::uint32_t kMaxNoiseEdges = 1000;
constexpr double kNoiseStartSpanMm = 1000.0;
constexpr double kMaxNoiseStepMm = 3.0;
constexpr std::uint32_t kMaxNotFiniteValues = 5;

// Draws from the engine's own output, not a standard distribution, so that
// the draws are the same with every standard library.
class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}

    std::uint32_t Below(std::uint32_t bound) {
        return static_cast<std::uint32_t>(engine_() % bound);
    }
    // In [0, 1).
    double Unit() { return static_cast<double>(engine_()) / kEngineRange; }
    double Between(double low, double high) { return low + Unit() * (high - low); }

private:
    static constexpr double kEngineRange = 4294967296.0;

    std::mt19937 engine_;
};

class Noise {
public:
    explicit Noise(std::uint32_t seed) : random_(seed) {}

    std::vector<double> NextList() {
        std::vector<double> edges(random_.Below(kMaxNoiseEdges + 1));
        double x = (random_.Unit() - 0.5) * kNoiseStartSpanMm;
        for (double& edge : edges) {
            x += random_.Unit() * kMaxNoiseStepMm;
            edge = x;
        }
        if (!edges.empty() && random_.Below(2) == 0) {
            const double notFinite[] = {std::numeric_limits<double>::quiet_NaN(),
                                        std::numeric_limits<double>::infinity(),
                                        -std::numeric_limits<double>::infinity()};
            for (std::uint32_t n = random_.Below(kMaxNotFiniteValues) + 1; n > 0; --n) {
                edges[random_.Below(Count(edges))] = notFinite[random_.Below(std::size(notFinite))];
            }
        }
        return edges;
    }

private:
    Random random_;
};

TEST_F(StandardRegistryTest, NoiseIdentifiesAsNothing) {
    Noise noise(kNoiseSeed);
    for (int list = 0; list < kNoiseLists; ++list) {
        const std::vector<double> edges = noise.NextList();
        bool ambiguous = true;
        const std::unique_ptr<BarcodeProcessor> found =
            IdentifyFromEdges(edges.data(), Count(edges), &ambiguous);
        EXPECT_EQ(found, nullptr) << "list " << list << " of " << edges.size() << " edges read as "
                                  << found->GetName() << " " << found->GetCode();
        EXPECT_FALSE(ambiguous) << "list " << list;
    }
}

// ---- Readings are claims ---------------------------------------------------
//
// A reading claims that the bars carry its code: every edge lies within half
// the symbology's narrowest element of the place that code gives it, at the
// magnification and bar width reduction read. These properties hold for
// random legal symbols of every registered type, drawn at random legal
// parameters (a quarter of them at each limit).

// Symbologies read by one decoder, whose bars can carry each other's codes.
enum class Family { kCode128, kCoupon, kEanUpc, kTwoOfFive, kThreeOfNine, kPlesseyMsi, kCodabar };

std::string Digits(Random& random, std::uint32_t count) {
    std::string digits;
    for (std::uint32_t i = 0; i < count; ++i) {
        digits += static_cast<char>('0' + random.Below(10));
    }
    return digits;
}

std::string Characters(Random& random, std::string_view alphabet, std::uint32_t count) {
    std::string text;
    for (std::uint32_t i = 0; i < count; ++i) {
        text += alphabet[random.Below(static_cast<std::uint32_t>(alphabet.size()))];
    }
    return text;
}

constexpr std::string_view kCapitalsAndDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::string_view kCode39Characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
// Printable ASCII without '%', which starts an escape.
constexpr std::string_view kCode128Characters =
    " !\"#$&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
    "abcdefghijklmnopqrstuvwxyz{|}~";
constexpr std::string_view kCodabarStartStop = "ABCD";
constexpr std::string_view kCodabarData = "0123456789-$:/.+";
// Long enough for variable-length codes of every family.
constexpr std::uint32_t kMaxRandomCharacters = 24;

std::string VariableLength(Random& random) {
    return Digits(random, 1 + random.Below(kMaxRandomCharacters));
}

template <std::uint32_t Count>
std::string FixedDigits(Random& random) {
    return Digits(random, Count);
}

// Texts that CorrectCode makes into a legal code of the type; check
// characters are placeholders.
std::string EAN128Text(Random& random) {
    const std::string gtin = "(01)" + Digits(random, 14);
    switch (random.Below(3)) {
        case 0:
            return gtin;
        case 1:
            return "(10)" + Characters(random, kCapitalsAndDigits, 1 + random.Below(20));
        default:
            return gtin + "(21)" + Characters(random, kCapitalsAndDigits, 1 + random.Below(10));
    }
}
std::string CouponExtension(Random& random) {
    switch (random.Below(3)) {
        case 0:
            return " 8100" + Digits(random, 6);
        case 1:
            return " 8101" + Digits(random, 10);
        default:
            return " 8102" + Digits(random, 2);
    }
}
std::string EAN13CouponText(Random& random) {
    return "99" + Digits(random, 10) + CouponExtension(random);
}
std::string UPCACouponText(Random& random) {
    return '5' + Digits(random, 10) + CouponExtension(random);
}
std::string ISBNEANText(Random& random) {
    return (random.Below(2) == 0 ? "978" : "979") + Digits(random, 9);
}
std::string JANPrefix(Random& random) {
    return random.Below(2) == 0 ? "45" : "49";
}
std::string JAN8Text(Random& random) {
    return JANPrefix(random) + Digits(random, 5);
}
std::string JAN13Text(Random& random) {
    return JANPrefix(random) + Digits(random, 10);
}
std::string UPCEText(Random& random) {
    return '0' + Digits(random, 6);
}
std::string TwoOfFiveText(Random& random) {
    return Digits(random, 2 * (1 + random.Below(kMaxRandomCharacters / 2)));
}
std::string Code39Text(Random& random) {
    return Characters(random, kCode39Characters, 1 + random.Below(kMaxRandomCharacters));
}
std::string Code128Text(Random& random) {
    return Characters(random, kCode128Characters, 1 + random.Below(kMaxRandomCharacters));
}
std::string TwoCheckPlaceholders(Random& random) {
    return VariableLength(random) + "00";
}
std::string OneCheckPlaceholder(Random& random) {
    return VariableLength(random) + "0";
}
std::string CodabarText(Random& random) {
    return Characters(random, kCodabarStartStop, 1) +
           Characters(random, kCodabarData, random.Below(kMaxRandomCharacters)) +
           Characters(random, kCodabarStartStop, 1);
}

// An edge of Plessey/MSI may move a fifth of their narrow bar, which is not
// a fifth of the bit cell they count in: a fifth of a cell would let a
// narrow bar look wide. Traditional Codabar's table leaves 0.0725 mm x m
// between its widest narrow and its narrowest wide space, which a move of a
// fifth of its 0.25 mm x m module on both edges would almost use up: its
// edges move a tenth of a module.
constexpr double kJitterModules = 0.2;
constexpr double kPlesseyNarrowBarCells = 0.174509804;
constexpr double kPlesseyJitterModules = kJitterModules * kPlesseyNarrowBarCells;
constexpr double kTraditionalCodabarJitterModules = 0.1;

struct TypeTraits {
    std::int32_t type;
    Family family;
    // The module at magnification 1 and the narrowest element in modules,
    // half of which is how far an edge may lie from its place.
    double moduleMm;
    double narrowestElementModules;
    double jitterModules;
    // Whether the code carries a check character, which keeps damaged bars
    // from reading as another code of the family.
    bool checked;
    std::string (*text)(Random&);
    // Add-on lengths the type carries after its corrected main part.
    std::string_view addOnLengths;
};

void PrintTo(const TypeTraits& traits, std::ostream* os) {
    *os << TypeName(traits.type);
}

constexpr double kEanModuleMm = 0.33;
constexpr double kITFModuleMm = 1.016;
constexpr double kCode39ModuleMm = 0.3;
constexpr double kCode128ModuleMm = 1.0;
constexpr double kCodabarModuleMm = 0.25;
constexpr double kTraditionalNarrowBarModules = 0.165 / kCodabarModuleMm;

constexpr TypeTraits kTypeTraits[] = {
    {FourCC("e128"), Family::kCode128, kCode128ModuleMm, 1.0, kJitterModules, true, EAN128Text, ""},
    {FourCC("eCou"), Family::kCoupon, kEanModuleMm, 1.0, kJitterModules, true, EAN13CouponText, ""},
    {FourCC("uCou"), Family::kCoupon, kEanModuleMm, 1.0, kJitterModules, true, UPCACouponText, ""},
    {FourCC("isbe"), Family::kEanUpc, kEanModuleMm, 1.0, kJitterModules, true, ISBNEANText, "5"},
    {FourCC("isbn"), Family::kEanUpc, kEanModuleMm, 1.0, kJitterModules, true, FixedDigits<9>, "5"},
    {FourCC("issn"), Family::kEanUpc, kEanModuleMm, 1.0, kJitterModules, true, FixedDigits<7>, "2"},
    {FourCC("itff"), Family::kTwoOfFive, kITFModuleMm, 1.0, kJitterModules, true, FixedDigits<13>,
     ""},
    {FourCC("jan8"), Family::kEanUpc, kEanModuleMm, 1.0, kJitterModules, true, JAN8Text, ""},
    {FourCC("janD"), Family::kEanUpc, kEanModuleMm, 1.0, kJitterModules, true, JAN13Text, "25"},
    {FourCC("ean8"), Family::kEanUpc, kEanModuleMm, 1.0, kJitterModules, true, FixedDigits<7>, ""},
    {FourCC("eanD"), Family::kEanUpc, kEanModuleMm, 1.0, kJitterModules, true, FixedDigits<12>,
     "25"},
    {FourCC("upca"), Family::kEanUpc, kEanModuleMm, 1.0, kJitterModules, true, FixedDigits<11>,
     "25"},
    {FourCC("upce"), Family::kEanUpc, kEanModuleMm, 1.0, kJitterModules, true, UPCEText, "2"},
    {FourCC("2of5"), Family::kTwoOfFive, kITFModuleMm, 1.0, kJitterModules, false, TwoOfFiveText,
     ""},
    {FourCC("3of9"), Family::kThreeOfNine, kCode39ModuleMm, 1.0, kJitterModules, false, Code39Text,
     ""},
    {FourCC("c128"), Family::kCode128, kCode128ModuleMm, 1.0, kJitterModules, true, Code128Text,
     ""},
    {FourCC("plec"), Family::kPlesseyMsi, kITFModuleMm, kPlesseyNarrowBarCells,
     kPlesseyJitterModules, true, TwoCheckPlaceholders, ""},
    {FourCC("ples"), Family::kPlesseyMsi, kITFModuleMm, kPlesseyNarrowBarCells,
     kPlesseyJitterModules, false, VariableLength, ""},
    {FourCC("BePh"), Family::kPlesseyMsi, kITFModuleMm, kPlesseyNarrowBarCells,
     kPlesseyJitterModules, true, FixedDigits<6>, ""},
    {FourCC("msiq"), Family::kPlesseyMsi, kITFModuleMm, kPlesseyNarrowBarCells,
     kPlesseyJitterModules, true, TwoCheckPlaceholders, ""},
    {FourCC("msie"), Family::kPlesseyMsi, kITFModuleMm, kPlesseyNarrowBarCells,
     kPlesseyJitterModules, true, TwoCheckPlaceholders, ""},
    {FourCC("msit"), Family::kPlesseyMsi, kITFModuleMm, kPlesseyNarrowBarCells,
     kPlesseyJitterModules, true, OneCheckPlaceholder, ""},
    {FourCC("coda"), Family::kCodabar, kCodabarModuleMm, 1.0, kJitterModules, false, CodabarText,
     ""},
    {FourCC("codt"), Family::kCodabar, kCodabarModuleMm, kTraditionalNarrowBarModules,
     kTraditionalCodabarJitterModules, false, CodabarText, ""},
    {FourCC("ms7b"), Family::kEanUpc, kEanModuleMm, 1.0, kJitterModules, true, FixedDigits<6>, ""},
};
static_assert(std::size(kTypeTraits) == kRegisteredCount);

const TypeTraits& TraitsOf(std::int32_t type) {
    const auto traits = std::find_if(std::begin(kTypeTraits), std::end(kTypeTraits),
                                     [type](const TypeTraits& t) { return t.type == type; });
    EXPECT_NE(traits, std::end(kTypeTraits)) << TypeName(type);
    return traits == std::end(kTypeTraits) ? kTypeTraits[0] : *traits;
}

// How far an edge of what processor read may lie from its place.
double ToleranceMm(const BarcodeProcessor& processor) {
    const TypeTraits& traits = TraitsOf(processor.GetType());
    return 0.5 * traits.narrowestElementModules * traits.moduleMm * processor.GetMagnification();
}

// Rounding of the deviations of exact edges.
constexpr double kExactDeviationMm = 1e-9;

std::uint32_t RegistryIndex(std::int32_t type) {
    for (std::uint32_t index = 0;; ++index) {
        const std::unique_ptr<BarcodeProcessor> processor = CreateByIndex(index);
        if (processor == nullptr || processor->GetType() == type) {
            return index;
        }
    }
}

// A quarter at each limit, the others between.
double LimitOrBetween(Random& random, double low, double high) {
    switch (random.Below(4)) {
        case 0:
            return low;
        case 1:
            return high;
        default:
            return random.Between(low, high);
    }
}

struct RandomSymbol {
    std::unique_ptr<BarcodeProcessor> processor;
    std::vector<RecordedBar> bars;
    double moduleMm;
    bool addOn;
};

// A legal code of the type, with an add-on where it takes one and the draw
// says so.
std::string RandomCode(const TypeTraits& traits, BarcodeProcessor& processor, Random& random,
                       bool* addOn) {
    for (;;) {
        M7LString text(traits.text(random).c_str());
        if (!processor.CorrectCode(text)) {
            continue;
        }
        std::string code = text.CStr();
        const std::uint32_t addOns = static_cast<std::uint32_t>(traits.addOnLengths.size());
        const std::uint32_t choice = random.Below(addOns + 1);
        *addOn = choice < addOns;
        if (*addOn) {
            code += '-' + Digits(random, traits.addOnLengths[choice] - '0');
        }
        if (processor.SetCode(code.c_str())) {
            return code;
        }
    }
}

RandomSymbol DrawRandomSymbol(const TypeTraits& traits, Random& random) {
    RandomSymbol symbol{CreateByType(traits.type), {}, 0.0, false};
    BarcodeProcessor& processor = *symbol.processor;
    const std::string code = RandomCode(traits, processor, random, &symbol.addOn);
    const std::vector<double> magnifications = Magnifications(processor);
    const double magnification =
        LimitOrBetween(random, magnifications.front(), magnifications.back());
    processor.SetMagnification(magnification);
    const std::vector<double> ratios = Ratios(processor);
    if (ratios.size() == 2) {
        dynamic_cast<Strivelo::BarcodeProcessorMixIn_WideNarrowOption&>(processor)
            .SetWideNarrowRatio(LimitOrBetween(random, ratios[0], ratios[1]));
    }
    const ReductionLimits limits = FindReductionLimits(processor);
    processor.SetBarWidthReduction(LimitOrBetween(random, kJustInsideLimit * limits.wideningMm,
                                                  kJustInsideLimit * limits.narrowingMm));
    EXPECT_TRUE(processor.ValidateParameters()) << code;
    const Drawing drawing = Draw(processor);
    EXPECT_TRUE(drawing.generated) << code;
    symbol.bars = drawing.GetBars();
    symbol.moduleMm = traits.moduleMm * magnification;
    return symbol;
}

std::vector<double> RandomEdges(const RandomSymbol& symbol, Random& random, double noiseMm) {
    const bool backwards = random.Below(2) == 1;
    return EdgesFromBars(symbol.bars,
                         {.backwards = backwards,
                          .offsetMm = backwards ? kBackwardsOffsetMm : kForwardsOffsetMm,
                          .noiseMm = noiseMm,
                          .noiseSeed = random.Below(std::numeric_limits<std::uint32_t>::max())});
}

// found is the drawn type, or a type registered before it that reads the
// same edges with the same deviation (the bars carry both codes); the drawn
// type reads them as its code.
void ExpectReadAsTheDrawnType(const BarcodeProcessor* found, std::int32_t type,
                              const std::vector<double>& edges, const char* code) {
    ASSERT_NE(found, nullptr);
    const std::unique_ptr<BarcodeProcessor> own = CreateByType(type);
    ASSERT_TRUE(own->DecodeEdges(edges.data(), Count(edges)));
    EXPECT_STREQ(own->GetCode(), code);
    if (found->GetType() != type) {
        EXPECT_LT(RegistryIndex(found->GetType()), RegistryIndex(type))
            << TypeName(found->GetType());
        EXPECT_EQ(found->GetMeanDeviation(), own->GetMeanDeviation()) << TypeName(found->GetType());
    }
}

// The sanitizers' build identifies some seventeen times slower; it draws
// fewer symbols and reads fewer lists.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

constexpr std::uint32_t kReadingSeed = 20250117;
constexpr int kSymbolsPerType = kSanitized ? 60 : 200;

class ReadingPropertyTest : public StandardRegistryTest,
                            public testing::WithParamInterface<TypeTraits> {};

// Exact edges read without deviation, with the magnification and the bar
// width reduction drawn; edges each moved at random by up to a fifth of the
// narrowest element still read as the same code.
TEST_P(ReadingPropertyTest, SymbolsReadExactlyAndDespiteMovedEdges) {
    const TypeTraits& traits = GetParam();
    Random random(kReadingSeed + static_cast<std::uint32_t>(traits.type));
    for (int n = 0; n < kSymbolsPerType; ++n) {
        const RandomSymbol symbol = DrawRandomSymbol(traits, random);
        const std::vector<double> exact = RandomEdges(symbol, random, 0.0);
        bool ambiguous = false;
        const std::unique_ptr<BarcodeProcessor> found =
            IdentifyFromEdges(exact.data(), Count(exact), &ambiguous);
        ASSERT_NE(found, nullptr) << symbol.processor->GetCode();
        SCOPED_TRACE(testing::Message() << "symbol " << n << " " << found->GetCode());
        EXPECT_LE(found->GetMaxDeviation(), kExactDeviationMm);
        EXPECT_NEAR(found->GetMagnification(), symbol.processor->GetMagnification(),
                    kParameterTolerance);
        EXPECT_NEAR(found->GetBarWidthReduction(), symbol.processor->GetBarWidthReduction(),
                    kParameterTolerance);
        const std::unique_ptr<BarcodeProcessor> own = CreateByType(traits.type);
        ASSERT_TRUE(own->DecodeEdges(exact.data(), Count(exact)));
        ExpectReadAsTheDrawnType(found.get(), traits.type, exact, own->GetCode());

        const std::vector<double> moved =
            RandomEdges(symbol, random, traits.jitterModules * symbol.moduleMm);
        const std::unique_ptr<BarcodeProcessor> despite =
            IdentifyFromEdges(moved.data(), Count(moved), &ambiguous);
        ExpectReadAsTheDrawnType(despite.get(), traits.type, moved, own->GetCode());
    }
}

enum class Damage { kBarRemoved, kBarAdded, kEdgeMoved };

constexpr const char* kDamageNames[] = {"bar removed", "bar added", "edge moved"};

constexpr double kMinMoveModules = 1.0;
constexpr double kMaxMoveModules = 3.0;

// The edges with one bar taken out, one bar put into a space, or one edge
// moved by a module or more.
std::vector<double> Damaged(std::vector<double> edges, Damage damage, double moduleMm,
                            Random& random) {
    const std::uint32_t bars = Count(edges) / 2;
    switch (damage) {
        case Damage::kBarRemoved: {
            const auto start = edges.begin() + 2 * random.Below(bars);
            edges.erase(start, start + 2);
            break;
        }
        case Damage::kBarAdded: {
            const std::uint32_t space = 2 * random.Below(bars - 1) + 1;
            double left = random.Between(edges[space], edges[space + 1]);
            double right = random.Between(edges[space], edges[space + 1]);
            if (left > right) {
                std::swap(left, right);
            }
            edges.insert(edges.begin() + space + 1, {left, right});
            break;
        }
        case Damage::kEdgeMoved: {
            const double move = random.Between(kMinMoveModules, kMaxMoveModules) * moduleMm;
            edges[random.Below(Count(edges))] += random.Below(2) == 0 ? move : -move;
            break;
        }
    }
    return edges;
}

// What damaged bars may read as: never a type of another family, never with
// an edge beyond the tolerance. Another code of the same family is what the
// bars then carry; symbologies without check characters (Plessey, 2 of 5,
// 3 of 9, Codabar) and EAN/UPC add-ons, whose parity checks their digits
// only modulo 4 or 10, leave that to chance. The others' check characters
// refuse it (or nearly: a damaged symbol whose check still holds would
// read), and none did in these samples.
TEST_P(ReadingPropertyTest, DamagedSymbolsReadAsNoOtherFamily) {
    const TypeTraits& traits = GetParam();
    Random random(kReadingSeed + 1 + static_cast<std::uint32_t>(traits.type));
    for (int n = 0; n < kSymbolsPerType; ++n) {
        const RandomSymbol symbol = DrawRandomSymbol(traits, random);
        const std::vector<double> edges = RandomEdges(symbol, random, 0.0);
        for (const Damage damage : {Damage::kBarRemoved, Damage::kBarAdded, Damage::kEdgeMoved}) {
            const std::vector<double> damaged = Damaged(edges, damage, symbol.moduleMm, random);
            bool ambiguous = false;
            const std::unique_ptr<BarcodeProcessor> found =
                IdentifyFromEdges(damaged.data(), Count(damaged), &ambiguous);
            if (found == nullptr) {
                continue;
            }
            SCOPED_TRACE(testing::Message()
                         << "symbol " << n << " " << symbol.processor->GetCode() << ", "
                         << kDamageNames[static_cast<int>(damage)] << ", read "
                         << TypeName(found->GetType()) << " " << found->GetCode());
            EXPECT_TRUE(TraitsOf(found->GetType()).family == traits.family);
            EXPECT_LE(found->GetMaxDeviation(), ToleranceMm(*found));
            EXPECT_TRUE(!traits.checked || symbol.addOn);
        }
    }
}

// Every registered symbology decoding the list by itself, outside any
// identification, in registry order: which decode, and the one that
// identification must pick from them.
struct LoneDecodings {
    std::vector<std::uint32_t> decoded;
    std::unique_ptr<BarcodeProcessor> best;
};

LoneDecodings DecodeOneByOne(const std::vector<double>& edges) {
    LoneDecodings lone;
    for (std::uint32_t index = 0; index < Strivelo::GetRegisteredCount(); ++index) {
        std::unique_ptr<BarcodeProcessor> processor = CreateByIndex(index);
        if (!processor->DecodeEdges(edges.data(), Count(edges))) {
            continue;
        }
        lone.decoded.push_back(index);
        if (lone.best == nullptr || processor->GetMeanDeviation() < lone.best->GetMeanDeviation()) {
            lone.best = std::move(processor);
        }
    }
    return lone;
}

constexpr int kLoneSymbolsPerType = kSanitized ? 10 : 40;

// Identification turns a symbology away by its edge screen and shares what
// families that read the same bars found; neither may change what is read.
// So the screen passes every list its symbology decodes, and identification
// picks what the symbologies decoding one by one give, to the last bit:
// exact, moved and damaged edges of random symbols.
TEST_P(ReadingPropertyTest, IdentificationReadsWhatEachSymbologyReadsAlone) {
    const TypeTraits& traits = GetParam();
    Random random(kReadingSeed + 2 + static_cast<std::uint32_t>(traits.type));
    for (int n = 0; n < kLoneSymbolsPerType; ++n) {
        const RandomSymbol symbol = DrawRandomSymbol(traits, random);
        const std::vector<double> exact = RandomEdges(symbol, random, 0.0);
        const std::vector<double> lists[] = {
            exact, RandomEdges(symbol, random, traits.jitterModules * symbol.moduleMm),
            Damaged(exact, Damage::kEdgeMoved, symbol.moduleMm, random),
            Damaged(exact, Damage::kBarRemoved, symbol.moduleMm, random)};
        for (const std::vector<double>& edges : lists) {
            SCOPED_TRACE(testing::Message() << "symbol " << n << " " << symbol.processor->GetCode()
                                            << ", " << edges.size() << " edges");
            const LoneDecodings lone = DecodeOneByOne(edges);
            for (const std::uint32_t index : lone.decoded) {
                EXPECT_TRUE(Strivelo::MightDecodeByIndex(index, edges.data(), Count(edges)))
                    << TypeName(CreateByIndex(index)->GetType());
            }
            bool ambiguous = false;
            const std::unique_ptr<BarcodeProcessor> found =
                IdentifyFromEdges(edges.data(), Count(edges), &ambiguous);
            ASSERT_EQ(found == nullptr, lone.best == nullptr);
            EXPECT_EQ(ambiguous, lone.decoded.size() > 1);
            if (found == nullptr) {
                continue;
            }
            EXPECT_EQ(TypeName(found->GetType()), TypeName(lone.best->GetType()));
            EXPECT_STREQ(found->GetCode(), lone.best->GetCode());
            EXPECT_EQ(found->GetMeanDeviation(), lone.best->GetMeanDeviation());
            EXPECT_EQ(found->GetMaxDeviation(), lone.best->GetMaxDeviation());
            EXPECT_EQ(found->GetMagnification(), lone.best->GetMagnification());
            EXPECT_EQ(found->GetBarWidthReduction(), lone.best->GetBarWidthReduction());
            std::uint32_t foundCount = 0;
            std::uint32_t loneCount = 0;
            const double* const foundIdeal = found->GetIdealEdges(&foundCount);
            const double* const loneIdeal = lone.best->GetIdealEdges(&loneCount);
            ASSERT_EQ(foundCount, loneCount);
            EXPECT_TRUE(std::equal(foundIdeal, foundIdeal + foundCount, loneIdeal));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Registered, ReadingPropertyTest, testing::ValuesIn(kTypeTraits),
                         [](const auto& info) { return TypeName(info.param.type); });

// Codabar symbols that read as MSI with one bar taken out, before a reading
// had to place every edge.
TEST_F(StandardRegistryTest, CodabarWithABarMissingReadsAsNoOtherFamily) {
    for (const char* code : {"C53B", "C10B"}) {
        const std::unique_ptr<BarcodeProcessor> drawn = CreateByType(FourCC("coda"));
        ASSERT_TRUE(drawn->SetCode(code));
        const Drawing drawing = Draw(*drawn);
        ASSERT_TRUE(drawing.generated);
        const std::vector<double> edges = EdgesFromBars(drawing.GetBars());
        for (std::size_t bar = 0; bar < edges.size() / 2; ++bar) {
            std::vector<double> damaged = edges;
            damaged.erase(damaged.begin() + 2 * bar, damaged.begin() + 2 * bar + 2);
            bool ambiguous = false;
            const std::unique_ptr<BarcodeProcessor> found =
                IdentifyFromEdges(damaged.data(), Count(damaged), &ambiguous);
            EXPECT_TRUE(found == nullptr || TraitsOf(found->GetType()).family == Family::kCodabar)
                << code << " without bar " << bar << " reads as " << TypeName(found->GetType())
                << " " << found->GetCode();
        }
    }
}

// Random lists of every length the art collection may hand over, about 100
// of each: steps of any width, or of one to three units, which come closest
// to symbols. A list that reads is a symbol within the tolerance, and rare:
// none of these lists reads. Only counts of short symbols read at all: of
// lists of 16 edges (a two-character Codabar) about 9 in 100,000 read with
// steps of any width and about 5 in 10,000 with whole units, which are
// Codabar symbols of ratio 2 or 3; of 24 edges about 2 in 100,000; of the
// other counts up to 32 none in 300,000 lists each.
constexpr std::uint32_t kListSeed = 20250118;
constexpr int kRandomLists = kSanitized ? 20000 : 100000;
constexpr int kListsPerRead = 10000;
constexpr double kMinUnitMm = 0.05;
constexpr double kMaxUnitMm = 2.0;
constexpr std::uint32_t kMaxUnitsPerStep = 3;

std::vector<double> RandomList(Random& random, std::uint32_t count) {
    std::vector<double> edges(count);
    const double unit = random.Between(kMinUnitMm, kMaxUnitMm);
    const bool wholeUnits = random.Below(2) == 0;
    double x = (random.Unit() - 0.5) * kNoiseStartSpanMm;
    for (double& edge : edges) {
        x += wholeUnits ? unit * (1 + random.Below(kMaxUnitsPerStep)) : unit * random.Unit();
        edge = x;
    }
    return edges;
}

TEST_F(StandardRegistryTest, RandomListsReadOnlyWithinTheTolerance) {
    Random random(kListSeed);
    int read = 0;
    for (int list = 0; list < kRandomLists; ++list) {
        const std::vector<double> edges =
            RandomList(random, static_cast<std::uint32_t>(list) % (kMaxNoiseEdges + 1));
        bool ambiguous = false;
        const std::unique_ptr<BarcodeProcessor> found =
            IdentifyFromEdges(edges.data(), Count(edges), &ambiguous);
        if (found != nullptr) {
            ++read;
            EXPECT_LE(found->GetMaxDeviation(), ToleranceMm(*found))
                << "list " << list << " read as " << TypeName(found->GetType()) << " "
                << found->GetCode();
        }
    }
    EXPECT_LE(read, kRandomLists / kListsPerRead);
}

}  // namespace
}  // namespace StriveloTest
