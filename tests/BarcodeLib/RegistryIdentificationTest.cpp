// All registered symbologies together: the registry's order, each one's
// symbols identified among all the others, the options each one offers, and
// edges that are no symbol at all.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorMixIn_FontScaling.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorStandardSymbologies.h"
#include "RecordingGenerator.h"

namespace StriveloTest {
namespace {

using Strivelo::BarcodeProcessor;
using Strivelo::CreateByIndex;
using Strivelo::CreateByType;
using Strivelo::FourCC;
using Strivelo::FreeRegistry;
using Strivelo::IdentifyFromEdges;
using Strivelo::RegisterMS7B;
using Strivelo::RegisterStandardSymbologies;

constexpr std::uint32_t kRegisteredCount = 25;

std::string TypeText(std::int32_t type) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        text += static_cast<char>((static_cast<std::uint32_t>(type) >> shift) & 0xFF);
    }
    return text;
}

std::uint32_t Count(const std::vector<double>& edges) {
    return static_cast<std::uint32_t>(edges.size());
}

// The registry as the palettes build it.
void BuildRegistry(bool upcBeforeEan) {
    FreeRegistry();
    ASSERT_TRUE(RegisterStandardSymbologies(upcBeforeEan));
    ASSERT_TRUE(RegisterMS7B());
}

class StandardRegistryTest : public testing::Test {
protected:
    void SetUp() override { BuildRegistry(false); }
    void TearDown() override { FreeRegistry(); }
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

class RegistryOrderTest : public StandardRegistryTest,
                          public testing::WithParamInterface<OrderCase> {};

TEST_P(RegistryOrderTest, StandardSymbologiesThenMS7B) {
    BuildRegistry(GetParam().upcBeforeEan);
    std::ostringstream types;
    for (std::uint32_t index = 0; index < kRegisteredCount; ++index) {
        const std::unique_ptr<BarcodeProcessor> processor = CreateByIndex(index);
        types << (index == 0 ? "" : " ") << (processor ? TypeText(processor->GetType()) : "null");
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
    *os << TypeText(symbology.type) << " " << symbology.code;
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
    return TypeText(info.param.type);
}

TEST_P(SymbologyTest, OptionsAndTheirMixInsAreThoseOfTheTable) {
    const std::unique_ptr<BarcodeProcessor> processor = CreateByType(GetParam().type);
    ASSERT_NE(processor, nullptr) << "not registered";
    const unsigned reachable = ReachableMixIns(*processor);
    EXPECT_EQ(reachable, GetParam().mixIns);
    std::set<std::string> announced;
    for (const OptionMixIn& option : kOptionMixIns) {
        if (processor->HasOption(option.option)) {
            announced.insert(TypeText(option.option));
            EXPECT_NE(reachable & option.mixIn, 0u) << TypeText(option.option);
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

// Half the widening limit, none, half the narrowing limit.
std::vector<double> Reductions(BarcodeProcessor& processor) {
    const auto accepts = [&](double reductionMm) {
        processor.SetBarWidthReduction(reductionMm);
        return processor.IsBarWidthReductionValid();
    };
    const double widening = Boundary(0.0, -kFarReductionMm, accepts);
    const double narrowing = Boundary(0.0, kFarReductionMm, accepts);
    return {widening / 2.0, 0.0, narrowing / 2.0};
}

// Far enough right of the widest symbol that every backwards edge is
// positive.
constexpr double kForwardsOffsetMm = 20.0;
constexpr double kBackwardsOffsetMm = 600.0;
constexpr double kParameterTolerance = 1e-6;

TEST_P(SymbologyTest, SymbolsIdentifyAsTheirTypeWithTheirParameters) {
    const Symbology& symbology = GetParam();
    const std::unique_ptr<BarcodeProcessor> drawn = CreateByType(symbology.type);
    ASSERT_NE(drawn, nullptr) << "not registered";
    ASSERT_TRUE(drawn->SetCode(symbology.code));
    for (const double magnification : Magnifications(*drawn)) {
        drawn->SetMagnification(magnification);
        for (const double reductionMm : Reductions(*drawn)) {
            drawn->SetBarWidthReduction(reductionMm);
            SCOPED_TRACE(testing::Message()
                         << "magnification " << magnification << ", reduction " << reductionMm);
            ASSERT_TRUE(drawn->ValidateParameters());
            RecordingGenerator generator;
            ASSERT_TRUE(drawn->GenerateInto(&generator));
            for (const bool backwards : {false, true}) {
                SCOPED_TRACE(backwards ? "backwards" : "forwards");
                const std::vector<double> edges =
                    EdgesFromBars(generator.GetBars(),
                                  {.backwards = backwards,
                                   .offsetMm = backwards ? kBackwardsOffsetMm : kForwardsOffsetMm});
                bool ambiguous = false;
                const std::unique_ptr<BarcodeProcessor> found =
                    IdentifyFromEdges(edges.data(), Count(edges), &ambiguous);
                ASSERT_NE(found, nullptr);
                EXPECT_EQ(TypeText(found->GetType()), TypeText(symbology.identifiedType));
                EXPECT_STREQ(found->GetCode(), symbology.identifiedCode);
                EXPECT_NEAR(found->GetMagnification(), magnification, kParameterTolerance);
                EXPECT_NEAR(found->GetBarWidthReduction(), reductionMm, kParameterTolerance);
                EXPECT_EQ(found->IsReadReversed(), backwards);
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

class Noise {
public:
    explicit Noise(std::uint32_t seed) : engine_(seed) {}

    std::vector<double> NextList() {
        std::vector<double> edges(Below(kMaxNoiseEdges + 1));
        double x = (Unit() - 0.5) * kNoiseStartSpanMm;
        for (double& edge : edges) {
            x += Unit() * kMaxNoiseStepMm;
            edge = x;
        }
        if (!edges.empty() && Below(2) == 0) {
            const double notFinite[] = {std::numeric_limits<double>::quiet_NaN(),
                                        std::numeric_limits<double>::infinity(),
                                        -std::numeric_limits<double>::infinity()};
            for (std::uint32_t n = Below(kMaxNotFiniteValues) + 1; n > 0; --n) {
                edges[Below(Count(edges))] = notFinite[Below(std::size(notFinite))];
            }
        }
        return edges;
    }

private:
    static constexpr double kEngineRange = 4294967296.0;

    // The engine's own output, not a standard distribution, so that the lists
    // are the same with every standard library.
    std::uint32_t Below(std::uint32_t bound) {
        return static_cast<std::uint32_t>(engine_() % bound);
    }
    double Unit() { return static_cast<double>(engine_()) / kEngineRange; }

    std::mt19937 engine_;
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

}  // namespace
}  // namespace StriveloTest
