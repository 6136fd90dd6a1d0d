// Reading EAN/UPC symbols back from bar edges: identification in the
// standard registry, and the faults the decoding must catch.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorUPCA.h"
#include "DecodedState.h"
#include "Drawing.h"
#include "EanRoundTrip.h"
#include "EanUpcSupport.h"
#include "Symbols.h"

namespace StriveloTest {
namespace {

using namespace Strivelo;

std::uint32_t Count(const std::vector<double>& edges) {
    return static_cast<std::uint32_t>(edges.size());
}

const EanRoundTripCase kRoundTripCases[] = {
    {.name = "Ean8",
     .type = kEAN8,
     .code = "9638-5074",
     .identifiedType = kEAN8,
     .identifiedCode = "9638-5074",
     .mainEdges = 44,
     .heightBarEdge = 4,
     .upcBeforeEan = false},
    {.name = "Ean8WithJanPrefixIsJan8",
     .type = kEAN8,
     .code = "4901-2347",
     .identifiedType = kJAN8,
     .identifiedCode = "4901-2347",
     .mainEdges = 44,
     .heightBarEdge = 4,
     .upcBeforeEan = false},
    {.name = "Jan8",
     .type = kJAN8,
     .code = "4512-3450",
     .identifiedType = kJAN8,
     .identifiedCode = "4512-3450",
     .mainEdges = 44,
     .heightBarEdge = 4,
     .upcBeforeEan = false},
    {.name = "Ean13",
     .type = kEAN13,
     .code = "4-006381-333931",
     .identifiedType = kEAN13,
     .identifiedCode = "4-006381-333931",
     .mainEdges = 60,
     .heightBarEdge = 8,
     .upcBeforeEan = false},
    {.name = "Ean13AddOn2",
     .type = kEAN13,
     .code = "4-006381-333931-12",
     .identifiedType = kEAN13,
     .identifiedCode = "4-006381-333931-12",
     .mainEdges = 60,
     .heightBarEdge = 8,
     .upcBeforeEan = false},
    {.name = "Ean13AddOn5",
     .type = kEAN13,
     .code = "4-006381-333931-52495",
     .identifiedType = kEAN13,
     .identifiedCode = "4-006381-333931-52495",
     .mainEdges = 60,
     .heightBarEdge = 8,
     .upcBeforeEan = false},
    {.name = "Jan13",
     .type = kJAN13,
     .code = "4-512345-678906",
     .identifiedType = kJAN13,
     .identifiedCode = "4-512345-678906",
     .mainEdges = 60,
     .heightBarEdge = 8,
     .upcBeforeEan = false},
    {.name = "Ean13WithJanPrefixIsJan13",
     .type = kEAN13,
     .code = "4-900000-000009-12",
     .identifiedType = kJAN13,
     .identifiedCode = "4-900000-000009-12",
     .mainEdges = 60,
     .heightBarEdge = 8,
     .upcBeforeEan = false},
    {.name = "Ean13Leading0",
     .type = kEAN13,
     .code = "0-036000-291452",
     .identifiedType = kEAN13,
     .identifiedCode = "0-036000-291452",
     .mainEdges = 60,
     .heightBarEdge = 8,
     .upcBeforeEan = false},
    {.name = "Ean13Leading0UpcFirst",
     .type = kEAN13,
     .code = "0-036000-291452",
     .identifiedType = kUPCA,
     .identifiedCode = "0-36000-29145-2",
     .mainEdges = 60,
     .heightBarEdge = 8,
     .upcBeforeEan = true},
    {.name = "UpcA",
     .type = kUPCA,
     .code = "0-36000-29145-2",
     .identifiedType = kUPCA,
     .identifiedCode = "0-36000-29145-2",
     .mainEdges = 60,
     .heightBarEdge = 8,
     .upcBeforeEan = true},
    {.name = "UpcAEanFirst",
     .type = kUPCA,
     .code = "0-36000-29145-2",
     .identifiedType = kEAN13,
     .identifiedCode = "0-036000-291452",
     .mainEdges = 60,
     .heightBarEdge = 8,
     .upcBeforeEan = false},
    {.name = "UpcAAddOn2",
     .type = kUPCA,
     .code = "0-36000-29145-2-12",
     .identifiedType = kUPCA,
     .identifiedCode = "0-36000-29145-2-12",
     .mainEdges = 60,
     .heightBarEdge = 8,
     .upcBeforeEan = true},
    {.name = "UpcAAddOn5",
     .type = kUPCA,
     .code = "0-12345-67890-5-52495",
     .identifiedType = kUPCA,
     .identifiedCode = "0-12345-67890-5-52495",
     .mainEdges = 60,
     .heightBarEdge = 8,
     .upcBeforeEan = true},
    {.name = "UpcE",
     .type = kUPCE,
     .code = "0-123453-1",
     .identifiedType = kUPCE,
     .identifiedCode = "0-12300-00045-1 (0-123453-1)",
     .mainEdges = 34,
     .heightBarEdge = 4,
     .upcBeforeEan = false},
    {.name = "UpcEAddOn",
     .type = kUPCE,
     .code = "0-425261-4-12",
     .identifiedType = kUPCE,
     .identifiedCode = "0-42100-00526-4-12 (0-425261-4-12)",
     .mainEdges = 34,
     .heightBarEdge = 4,
     .upcBeforeEan = false},
};

INSTANTIATE_TEST_SUITE_P(Cases, EanRoundTripTest, testing::ValuesIn(kRoundTripCases),
                         CaseName<EanRoundTripCase>);

TEST(IdentifyNextCandidateTest, UpcAFollowsTheEan13ReadingOfTheSameBars) {
    StandardRegistry registry(false);
    const Drawing drawn = Draw(*MakeSymbol({.type = kUPCA, .code = "0-36000-29145-2"}));
    const std::vector<double> edges = EdgesFromBars(drawn.GetBars());
    bool ambiguous = false;
    const std::unique_ptr<BarcodeProcessor> first =
        IdentifyFromEdges(edges.data(), Count(edges), &ambiguous);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetType(), kEAN13);
    const std::unique_ptr<BarcodeProcessor> next = IdentifyNextCandidate(first.get(), &ambiguous);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->GetType(), kUPCA);
    EXPECT_STREQ(next->GetCode(), "0-36000-29145-2");
}

TEST(DecodeTest, UpcEDecodedAndDrawnAgainKeepsItsText) {
    const Drawing drawn = Draw(*MakeSymbol({.type = kUPCE, .code = "0-12300-00045-1"}));
    const std::vector<double> edges = EdgesFromBars(drawn.GetBars());
    BarcodeProcessorUPCE processor;
    ASSERT_TRUE(processor.DecodeEdges(edges.data(), Count(edges)));
    EXPECT_STREQ(processor.GetCode(), "0-12300-00045-1 (0-123453-1)");
    const Drawing again = Draw(processor);
    EXPECT_TRUE(again.generated);
    EXPECT_EQ(again.codeAfter, "0-12300-00045-1 (0-123453-1)");
    EXPECT_EQ(again.Modules(kEanModuleMm), drawn.Modules(kEanModuleMm));
}

// Module strings with one digit replaced: the sets and check digits that
// the decoders must refuse.
const std::string kEan8 = "1010001011010111101111010110111010101001110111001010001001011100101";
// 0-036000-291452: every left digit of set A.
const std::string kEan13Leading0 =
    "10100011010111101010111100011010001101000110101010110110011101001100110101110010011101101100"
    "101";
const std::string kEan13 =
    "10100011010100111010111101111010001001011001101010100001010000101000010111010010000101100110"
    "101";

std::string Replace(std::string modules, std::size_t at, const std::string& with) {
    return modules.replace(at, with.size(), with);
}

struct RefusedCase {
    const char* name;
    std::int32_t type;
    std::string modules;
};

const RefusedCase kRefusedCases[] = {
    // The first digit, 9, in set B.
    {"Ean8LeftDigitOfSetB", kEAN8, Replace(kEan8, 3, "0010111")},
    // The check digit 4 read as 5.
    {"Ean8WrongCheckDigit", kEAN8, Replace(kEan8, 57, "1001110")},
    // The first left digit, 0, in set B: the sets BAAAAA are no row.
    {"Ean13LeftSetsOfNoRow", kEAN13, Replace(kEan13Leading0, 3, "0100111")},
    {"UpcALeftDigitOfSetB", kUPCA, Replace(kEan13Leading0, 3, "0100111")},
    // The check digit 1 read as 2.
    {"Ean13WrongCheckDigit", kEAN13, Replace(kEan13, 85, "1101100")},
    {"UpcAWrongCheckDigit", kUPCA, Replace(kEan13Leading0, 85, "1100110")},
    // The last left digit's last bar a module narrower, the centre guard's
    // first space a module wider.
    {"Ean13CentreGuardBroken", kEAN13, Replace(kEan13, 38, "0110010")},
    {"Ean13NotBeginningWithAGuard", kEAN13, Replace(kEan13, 0, "1101")},
    {"Jan13WithoutJanPrefix", kJAN13, kEan13},
    // The add-on 12 in the sets AB, which belong to values 1 modulo 4.
    {"Ean13AddOnSetsOfOtherValue", kEAN13,
     kEan13 + "0000000" + "1011" + "0011001" + "01" + "0011011"},
    // The separator's space a module wider, the next digit's first space a
    // module narrower.
    {"Ean13AddOnSeparatorBroken", kEAN13,
     kEan13 + "0000000" + "1011" + "0011001" + "001" + "010011"},
    // 123453 in the sets BBBAAA of check digit 0; 0-12300-00045 has 1.
    {"UpcEWrongSetsForTheCheckDigit", kUPCE,
     std::string("101") + "0110011" + "0011011" + "0100001" + "0100011" + "0110001" + "0111101" +
         "010101"},
};

class RefusedTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedTest, ReadsNeitherWay) {
    const RefusedCase& c = GetParam();
    const std::vector<double> edges = EdgesFromBars(BarsFromModules(c.modules, kEanModuleMm));
    const std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(c.type);
    EXPECT_FALSE(processor->DecodeEdges(edges.data(), Count(edges)));
    EXPECT_STREQ(processor->GetCode(), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedTest, testing::ValuesIn(kRefusedCases),
                         CaseName<RefusedCase>);

TEST(DecodeTest, EdgeCountsThatAreNoSymbolAreRefused) {
    struct Counts {
        std::int32_t type;
        const char* code;
        std::vector<std::uint32_t> refused;
    };
    for (const Counts& c : {Counts{kEAN8, "9638-5074", {42, 43, 45, 58}},
                            Counts{kEAN13, "4-006381-333931-52495", {59, 61, 62, 74, 90}},
                            Counts{kUPCA, "0-36000-29145-2-52495", {59, 62, 76}},
                            Counts{kUPCE, "0-123453-1-12", {33, 35, 36, 46}}}) {
        const Drawing drawn = Draw(*MakeSymbol({.type = c.type, .code = c.code}));
        ASSERT_TRUE(drawn.generated) << c.code;
        std::vector<double> edges = EdgesFromBars(drawn.GetBars());
        // Long enough for any count asked for: padded with further bars.
        for (double x = edges.back() + 1.0; edges.size() < 100; x += 1.0) {
            edges.push_back(x);
        }
        for (const std::uint32_t count : c.refused) {
            EXPECT_FALSE(MakeProcessor(c.type)->DecodeEdges(edges.data(), count))
                << c.code << " with " << count << " edges";
        }
    }
}

TEST(DecodeTest, UpcEReadsNoFiveDigitAddOn) {
    const std::vector<double> main =
        EdgesFromBars(Draw(*MakeSymbol({.type = kUPCE, .code = "0-123453-1"})).GetBars());
    const std::vector<double> ean = EdgesFromBars(
        Draw(*MakeSymbol({.type = kEAN13, .code = "4-006381-333931-52495"})).GetBars());
    ASSERT_EQ(main.size(), 34u);
    ASSERT_EQ(ean.size(), 92u);
    std::vector<double> edges = main;
    // The 5-digit add-on's 32 edges, 12 modules after the symbol.
    const double shift = main.back() + 12 * kEanModuleMm - ean[60];
    for (std::size_t i = 60; i < ean.size(); ++i) {
        edges.push_back(ean[i] + shift);
    }
    ASSERT_EQ(edges.size(), 66u);
    EXPECT_FALSE(BarcodeProcessorUPCE().DecodeEdges(edges.data(), Count(edges)));
}

// One edge of 4-006381-333931 moved by whole or part modules.
struct GridCase {
    const char* name;
    std::uint32_t edge;
    double moveModules;
    bool decodes;
};

// Each element follows from the distance to the edge two before, so an edge
// off by less than half a module still gives every element its modules.
const GridCase kGridCases[] = {
    // Edge 28 ends the centre guard's first space, 1 module wide.
    {"AQuarterModuleOffReads", 28, -0.25, true},
    {"JustUnderHalfAModuleOffReads", 28, -0.45, true},
    {"MoreThanHalfAModuleOffFails", 28, -0.7, false},
    {"BeforeTheSpaceStartsFails", 28, -1.2, false},
    // Edge 15 ends the 4-module bar of the 6 and starts the 1-module space
    // of the 3: a bar of 5 modules is none.
    {"WiderThanFourModulesFails", 15, 1.0, false},
    // The 3 then reads as 2-3-1-1, a 4 of set B, and the sets match no row.
    {"AModuleOffChangesTheDigit", 16, 1.0, false},
};

class GridFitTest : public testing::TestWithParam<GridCase> {};

TEST_P(GridFitTest, GivesEachElementItsModules) {
    const GridCase& c = GetParam();
    const Drawing drawn = Draw(*MakeSymbol({.type = kEAN13, .code = "4-006381-333931"}));
    std::vector<double> edges = EdgesFromBars(drawn.GetBars());
    ASSERT_EQ(edges.size(), 60u);
    edges[c.edge] += c.moveModules * (kEanModuleMm * drawn.magnification);
    BarcodeProcessorEAN13 processor;
    EXPECT_EQ(processor.Decode(edges.data(), Count(edges), false), c.decodes);
    if (c.decodes) {
        EXPECT_STREQ(processor.GetCode(), "4-006381-333931");
        EXPECT_NEAR(processor.GetMaxDeviation(),
                    std::abs(c.moveModules) * (kEanModuleMm * drawn.magnification), 0.02);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GridFitTest, testing::ValuesIn(kGridCases), CaseName<GridCase>);

// Each edge off by up to 0.08 modules, so that no position measured from the
// first edge, with the module measured from the outer bars, is off by half a
// module even beside a digit's 1/13-module shift.
TEST(GridFitTest, SlightlyMisplacedEdgesStillRead) {
    for (const std::int32_t type : {kEAN8, kEAN13, kUPCA, kUPCE}) {
        const char* const code = type == kEAN8    ? "9638-5074"
                                 : type == kEAN13 ? "4-006381-333931-12"
                                 : type == kUPCA  ? "0-36000-29145-2-12345"
                                                  : "0-123453-1-12";
        const Drawing drawn = Draw(*MakeSymbol({.type = type, .code = code}));
        EdgeOptions options;
        options.noiseMm = 0.08 * (kEanModuleMm * drawn.magnification);
        for (std::uint32_t seed = 1; seed <= 5; ++seed) {
            options.noiseSeed = seed;
            const std::vector<double> edges = EdgesFromBars(drawn.GetBars(), options);
            const std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(type);
            EXPECT_TRUE(processor->DecodeEdges(edges.data(), Count(edges)))
                << code << " seed " << seed;
        }
    }
}

// An add-on printed narrower than its symbol, say in a second run, leaves
// the symbol's bar width reduction alone.
TEST(DecodeTest, ReductionIsTheMainSymbolsOnly) {
    const Drawing drawn = Draw(*MakeSymbol({.type = kEAN13,
                                            .code = "4-006381-333931-12345",
                                            .magnification = 1.0,
                                            .reductionMm = 0.04,
                                            .barHeightMm = 0.0}));
    std::vector<double> edges = EdgesFromBars(drawn.GetBars());
    ASSERT_EQ(edges.size(), 92u);
    for (std::size_t i = 60; i < edges.size(); ++i) {
        edges[i] += i % 2 == 0 ? 0.02 : -0.02;
    }
    BarcodeProcessorEAN13 processor;
    ASSERT_TRUE(processor.DecodeEdges(edges.data(), Count(edges)));
    EXPECT_STREQ(processor.GetCode(), "4-006381-333931-12345");
    EXPECT_NEAR(processor.GetBarWidthReduction(), 0.04, 1e-9);
}

TEST(DecodeTest, FailedDecodeLeavesTheProcessorAsItWas) {
    const Drawing good = Draw(*MakeSymbol({.type = kEAN13,
                                           .code = "4-006381-333931",
                                           .magnification = 1.5,
                                           .reductionMm = 0.05,
                                           .barHeightMm = 0.0}));
    const std::vector<double> edges = EdgesFromBars(good.GetBars());
    BarcodeProcessorEAN13 processor;
    ASSERT_TRUE(processor.DecodeEdges(edges.data(), Count(edges)));
    const std::vector<double> measured = MeasuredEdges(processor);
    const double reduction = processor.GetBarWidthReduction();

    for (const std::string& modules :
         {Replace(kEan13Leading0, 3, "0100111"), Replace(kEan13, 85, "1101100")}) {
        const std::vector<double> bad = EdgesFromBars(BarsFromModules(modules, kEanModuleMm));
        EXPECT_FALSE(processor.DecodeEdges(bad.data(), Count(bad)));
        EXPECT_STREQ(processor.GetCode(), "4-006381-333931");
        EXPECT_EQ(processor.GetBarWidthReduction(), reduction);
        EXPECT_NEAR(processor.GetMagnification(), 1.5, 1e-9);
        EXPECT_EQ(MeasuredEdges(processor), measured);
        std::int32_t first = -1, last = -1;
        ASSERT_TRUE(processor.GetSymbolEdgeRange(&first, &last));
        EXPECT_EQ(last, 59);
    }
}

}  // namespace
}  // namespace StriveloTest
