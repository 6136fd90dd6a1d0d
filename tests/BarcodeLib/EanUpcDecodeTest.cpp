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
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorStandardSymbologies.h"
#include "BarcodeProcessorUPCA.h"
#include "EanUpcSupport.h"

namespace StriveloTest {
namespace {

using namespace Strivelo;

std::uint32_t Count(const std::vector<double>& edges) {
    return static_cast<std::uint32_t>(edges.size());
}

std::vector<double> Measured(const BarcodeProcessor& processor) {
    std::uint32_t count = 0;
    const double* const edges = processor.GetMeasuredEdges(&count);
    return std::vector<double>(edges, edges + count);
}

class StandardRegistry {
public:
    explicit StandardRegistry(bool upcBeforeEan) {
        FreeRegistry();
        EXPECT_TRUE(RegisterStandardSymbologies(upcBeforeEan));
        EXPECT_TRUE(RegisterMS7B());
    }
    ~StandardRegistry() { FreeRegistry(); }
    StandardRegistry(const StandardRegistry&) = delete;
    StandardRegistry& operator=(const StandardRegistry&) = delete;
};

struct RoundTripCase {
    const char* name;
    std::int32_t type;
    const char* code;
    bool upcBeforeEan;
    // Where two types read the same bars equally well, the one registered
    // earlier.
    std::int32_t identifiedType;
    const char* identifiedCode;
    std::uint32_t mainEdges;
    std::int32_t heightBarEdge;
};

const RoundTripCase kRoundTripCases[] = {
    {"Ean8", kEAN8, "9638-5074", false, kEAN8, "9638-5074", 44, 4},
    {"Ean8WithJanPrefixIsJan8", kEAN8, "4901-2347", false, kJAN8, "4901-2347", 44, 4},
    {"Jan8", kJAN8, "4512-3450", false, kJAN8, "4512-3450", 44, 4},
    {"Ean13", kEAN13, "4-006381-333931", false, kEAN13, "4-006381-333931", 60, 8},
    {"Ean13AddOn2", kEAN13, "4-006381-333931-12", false, kEAN13, "4-006381-333931-12", 60, 8},
    {"Ean13AddOn5", kEAN13, "4-006381-333931-52495", false, kEAN13, "4-006381-333931-52495", 60, 8},
    {"Jan13", kJAN13, "4-512345-678906", false, kJAN13, "4-512345-678906", 60, 8},
    {"Ean13WithJanPrefixIsJan13", kEAN13, "4-900000-000009-12", false, kJAN13, "4-900000-000009-12",
     60, 8},
    {"Ean13Leading0", kEAN13, "0-036000-291452", false, kEAN13, "0-036000-291452", 60, 8},
    {"Ean13Leading0UpcFirst", kEAN13, "0-036000-291452", true, kUPCA, "0-36000-29145-2", 60, 8},
    {"UpcA", kUPCA, "0-36000-29145-2", true, kUPCA, "0-36000-29145-2", 60, 8},
    {"UpcAEanFirst", kUPCA, "0-36000-29145-2", false, kEAN13, "0-036000-291452", 60, 8},
    {"UpcAAddOn2", kUPCA, "0-36000-29145-2-12", true, kUPCA, "0-36000-29145-2-12", 60, 8},
    {"UpcAAddOn5", kUPCA, "0-12345-67890-5-52495", true, kUPCA, "0-12345-67890-5-52495", 60, 8},
    {"UpcE", kUPCE, "0-123453-1", false, kUPCE, "0-12300-00045-1 (0-123453-1)", 34, 4},
    {"UpcEAddOn", kUPCE, "0-425261-4-12", false, kUPCE, "0-42100-00526-4-12 (0-425261-4-12)", 34,
     4},
};

class RoundTripTest : public testing::TestWithParam<RoundTripCase> {};

// At the smallest, nominal and largest magnification, with bars drawn
// wider, exact and narrower by half of what is allowed, read either way.
TEST_P(RoundTripTest, IdentifiesTypeCodeAndParameters) {
    const RoundTripCase& c = GetParam();
    StandardRegistry registry(c.upcBeforeEan);
    for (const double m : {0.8, 1.0, 2.0}) {
        const double limit = 0.25 * kEanModuleMm * m;
        for (const double reduction : {-limit / 2, 0.0, limit / 2}) {
            const Drawn drawn = DrawEanUpc(c.type, c.code, {m, reduction, 0.0});
            ASSERT_TRUE(drawn.generated);
            for (const bool backwards : {false, true}) {
                SCOPED_TRACE(testing::Message() << "m " << m << ", reduction " << reduction
                                                << (backwards ? ", backwards" : ""));
                EdgeOptions options;
                options.backwards = backwards;
                options.offsetMm = backwards ? 200.0 : 15.0;
                const std::vector<double> edges = EdgesFromBars(drawn.bars, options);
                bool ambiguous = false;
                const std::unique_ptr<BarcodeProcessor> found =
                    IdentifyFromEdges(edges.data(), Count(edges), &ambiguous);
                ASSERT_NE(found, nullptr);
                EXPECT_EQ(found->GetType(), c.identifiedType);
                EXPECT_STREQ(found->GetCode(), c.identifiedCode);
                EXPECT_NEAR(found->GetMagnification(), m, 1e-6);
                EXPECT_NEAR(found->GetBarWidthReduction(), reduction, 1e-6);
                EXPECT_NEAR(found->GetMeanDeviation(), 0.0, 1e-9);
                EXPECT_EQ(found->IsReadReversed(), backwards);
                const std::int32_t last = static_cast<std::int32_t>(edges.size()) - 1;
                const auto inCallersOrder = [&](std::int32_t i) {
                    return backwards ? last - i : i;
                };
                EXPECT_EQ(found->GetHeightBarEdge(), inCallersOrder(c.heightBarEdge));
                std::int32_t first = -1, lastSymbol = -1;
                ASSERT_TRUE(found->GetSymbolEdgeRange(&first, &lastSymbol));
                EXPECT_EQ(first, inCallersOrder(0));
                EXPECT_EQ(lastSymbol, inCallersOrder(static_cast<std::int32_t>(c.mainEdges) - 1));
                if (c.identifiedType != c.type) {
                    EXPECT_TRUE(ambiguous);
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundTripTest, testing::ValuesIn(kRoundTripCases),
                         CaseName<RoundTripCase>);

TEST(IdentifyNextCandidateTest, UpcAFollowsTheEan13ReadingOfTheSameBars) {
    StandardRegistry registry(false);
    const Drawn drawn = DrawEanUpc(kUPCA, "0-36000-29145-2");
    const std::vector<double> edges = EdgesFromBars(drawn.bars);
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
    const Drawn drawn = DrawEanUpc(kUPCE, "0-12300-00045-1");
    const std::vector<double> edges = EdgesFromBars(drawn.bars);
    BarcodeProcessorUPCE processor;
    ASSERT_TRUE(processor.DecodeEdges(edges.data(), Count(edges)));
    EXPECT_STREQ(processor.GetCode(), "0-12300-00045-1 (0-123453-1)");
    const Drawn again = DrawInto(processor);
    EXPECT_TRUE(again.generated);
    EXPECT_EQ(again.codeAfter, "0-12300-00045-1 (0-123453-1)");
    EXPECT_EQ(again.Modules(), drawn.Modules());
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
    const std::vector<double> edges = EdgesFromBars(BarsFromModules(c.modules));
    const std::unique_ptr<BarcodeProcessor> processor = MakeEanUpc(c.type);
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
        const Drawn drawn = DrawEanUpc(c.type, c.code);
        ASSERT_TRUE(drawn.generated) << c.code;
        std::vector<double> edges = EdgesFromBars(drawn.bars);
        // Long enough for any count asked for: padded with further bars.
        for (double x = edges.back() + 1.0; edges.size() < 100; x += 1.0) {
            edges.push_back(x);
        }
        for (const std::uint32_t count : c.refused) {
            EXPECT_FALSE(MakeEanUpc(c.type)->DecodeEdges(edges.data(), count))
                << c.code << " with " << count << " edges";
        }
    }
}

TEST(DecodeTest, UpcEReadsNoFiveDigitAddOn) {
    const std::vector<double> main = EdgesFromBars(DrawEanUpc(kUPCE, "0-123453-1").bars);
    const std::vector<double> ean = EdgesFromBars(DrawEanUpc(kEAN13, "4-006381-333931-52495").bars);
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
    const Drawn drawn = DrawEanUpc(kEAN13, "4-006381-333931");
    std::vector<double> edges = EdgesFromBars(drawn.bars);
    ASSERT_EQ(edges.size(), 60u);
    edges[c.edge] += c.moveModules * drawn.moduleMm;
    BarcodeProcessorEAN13 processor;
    EXPECT_EQ(processor.Decode(edges.data(), Count(edges), false), c.decodes);
    if (c.decodes) {
        EXPECT_STREQ(processor.GetCode(), "4-006381-333931");
        EXPECT_NEAR(processor.GetMaxDeviation(), std::abs(c.moveModules) * drawn.moduleMm, 0.02);
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
        const Drawn drawn = DrawEanUpc(type, code);
        EdgeOptions options;
        options.noiseMm = 0.08 * drawn.moduleMm;
        for (std::uint32_t seed = 1; seed <= 5; ++seed) {
            options.noiseSeed = seed;
            const std::vector<double> edges = EdgesFromBars(drawn.bars, options);
            const std::unique_ptr<BarcodeProcessor> processor = MakeEanUpc(type);
            EXPECT_TRUE(processor->DecodeEdges(edges.data(), Count(edges)))
                << code << " seed " << seed;
        }
    }
}

// An add-on printed narrower than its symbol, say in a second run, leaves
// the symbol's bar width reduction alone.
TEST(DecodeTest, ReductionIsTheMainSymbolsOnly) {
    const Drawn drawn = DrawEanUpc(kEAN13, "4-006381-333931-12345", {1.0, 0.04, 0.0});
    std::vector<double> edges = EdgesFromBars(drawn.bars);
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
    const Drawn good = DrawEanUpc(kEAN13, "4-006381-333931", {1.5, 0.05, 0.0});
    const std::vector<double> edges = EdgesFromBars(good.bars);
    BarcodeProcessorEAN13 processor;
    ASSERT_TRUE(processor.DecodeEdges(edges.data(), Count(edges)));
    const std::vector<double> measured = Measured(processor);
    const double reduction = processor.GetBarWidthReduction();

    for (const std::string& modules :
         {Replace(kEan13Leading0, 3, "0100111"), Replace(kEan13, 85, "1101100")}) {
        const std::vector<double> bad = EdgesFromBars(BarsFromModules(modules));
        EXPECT_FALSE(processor.DecodeEdges(bad.data(), Count(bad)));
        EXPECT_STREQ(processor.GetCode(), "4-006381-333931");
        EXPECT_EQ(processor.GetBarWidthReduction(), reduction);
        EXPECT_NEAR(processor.GetMagnification(), 1.5, 1e-9);
        EXPECT_EQ(Measured(processor), measured);
        std::int32_t first = -1, last = -1;
        ASSERT_TRUE(processor.GetSymbolEdgeRange(&first, &last));
        EXPECT_EQ(last, 59);
    }
}

}  // namespace
}  // namespace StriveloTest
