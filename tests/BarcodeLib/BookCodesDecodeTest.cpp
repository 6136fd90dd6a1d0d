// Reading ISBN, ISBN-EAN, ISSN and MS-7B back from bar edges: their places
// in the standard order, identification, and the bars they refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "BarEdges.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorRegistry.h"
#include "BookCodesSupport.h"

namespace StriveloTest {
namespace {

using namespace Strivelo;

std::uint32_t Count(const std::vector<double>& edges) {
    return static_cast<std::uint32_t>(edges.size());
}

std::vector<double> EdgesOf(std::int32_t type, const std::string& code,
                            const BookOptions& options = {}, const EdgeOptions& edges = {}) {
    const std::unique_ptr<BarcodeProcessor> processor = MakeBookProcessor(type, code, options);
    if (processor == nullptr) {
        return {};
    }
    const BookDrawing drawing = DrawBook(*processor);
    EXPECT_TRUE(drawing.generated) << code;
    return EdgesFromBars(drawing.bars, edges);
}

// The book and serial numbers come after the coupons and before ITF-14,
// MS-7B after everything.
TEST(RegistrationTest, PlacesInTheStandardOrder) {
    BookRegistry registry;
    std::vector<std::string> types;
    for (std::uint32_t index = 0;; ++index) {
        const std::unique_ptr<BarcodeProcessor> processor = CreateByIndex(index);
        if (processor == nullptr) {
            break;
        }
        types.push_back(TypeText(processor->GetType()));
    }
    const std::vector<std::string> ours = {"uCou", "isbe", "isbn", "issn", "itff"};
    const auto at = std::search(types.begin(), types.end(), ours.begin(), ours.end());
    EXPECT_NE(at, types.end());
    ASSERT_FALSE(types.empty());
    EXPECT_EQ(types.back(), "ms7b");
    EXPECT_EQ(std::count(types.begin(), types.end(), "isbb"), 0);
}

struct RoundTripCase {
    const char* name;
    std::int32_t type;
    const char* code;
    // Where two types read the same bars equally well, the one registered
    // earlier.
    std::int32_t identifiedType;
    const char* identifiedCode;
    std::uint32_t mainEdges;
    std::int32_t heightBarEdge;
};

const RoundTripCase kRoundTripCases[] = {
    {"IsbnEan", kTypeISBNEAN, "978-3-16-148410-0", kTypeISBNEAN, "978-3-16-148410-0", 60, 8},
    {"IsbnEanAddOn", kTypeISBNEAN, "978-3-16-148410-0-52495", kTypeISBNEAN,
     "978-3-16-148410-0-52495", 60, 8},
    // The bars carry no hyphens: the range table puts them back.
    {"IsbnEan979Group10", kTypeISBNEAN, "979-10-90636-07-1", kTypeISBNEAN, "979-10-90636-07-1", 60,
     8},
    {"IsbnEan979Group8", kTypeISBNEAN, "979-8-3500-0000-9", kTypeISBNEAN, "979-8-3500-0000-9", 60,
     8},
    {"IsbnEan979Group11", kTypeISBNEAN, "979-11-950000-0-5", kTypeISBNEAN, "979-11-950000-0-5", 60,
     8},
    {"IsbnEan979Group12", kTypeISBNEAN, "979-12-200-0000-0", kTypeISBNEAN, "979-12-200-0000-0", 60,
     8},
    {"IsbnEanGroup600", kTypeISBNEAN, "978-600-119-125-1", kTypeISBNEAN, "978-600-119-125-1", 60,
     8},
    {"IsbnEanGroup65", kTypeISBNEAN, "978-65-5000-000-4", kTypeISBNEAN, "978-65-5000-000-4", 60, 8},
    {"IsbnEanGroup99939", kTypeISBNEAN, "978-99939-950-0-5", kTypeISBNEAN, "978-99939-950-0-5", 60,
     8},
    // A group without rows reads with group 0's hyphens.
    {"IsbnEan979UnknownGroup", kTypeISBNEAN, "979-5-512-34560-2", kTypeISBNEAN, "979-5-512-34560-2",
     60, 8},
    {"IsbnReadsAsIsbnEan", kTypeISBN, "3-16-148410-X", kTypeISBNEAN, "978-3-16-148410-0", 60, 8},
    {"IsbnGroup600ReadsAsIsbnEan", kTypeISBN, "600-119-125-5", kTypeISBNEAN, "978-600-119-125-1",
     60, 8},
    {"IsbnGroup65ReadsAsIsbnEan", kTypeISBN, "65-5000-000-9", kTypeISBNEAN, "978-65-5000-000-4", 60,
     8},
    {"IsbnGroup99939ReadsAsIsbnEan", kTypeISBN, "99939-950-0-2", kTypeISBNEAN, "978-99939-950-0-5",
     60, 8},
    {"IsbnAddOnReadsAsIsbnEan", kTypeISBN, "3-16-148410-X-12345", kTypeISBNEAN,
     "978-3-16-148410-0-12345", 60, 8},
    {"Issn", kTypeISSN, "0317-8471", kTypeISSN, "0317-8471", 60, 8},
    {"IssnVariantAndAddOn", kTypeISSN, "2434-561X(05)-12", kTypeISSN, "2434-561X(05)-12", 60, 8},
    {"Ms7bReadsAsEan8", kTypeMS7B, "1234565", kTypeEAN8, "0123-4565", 44, 4},
    // Add-ons these classes do not carry: EAN-13 reads all the digits.
    {"BookWithAddOn2IsEan13", kTypeEAN13, "9-783161-484100-12", kTypeEAN13, "9-783161-484100-12",
     60, 8},
    {"SerialWithAddOn5IsEan13", kTypeEAN13, "9-770317-847001-12345", kTypeEAN13,
     "9-770317-847001-12345", 60, 8},
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

class BookRoundTripTest : public testing::TestWithParam<RoundTripCase> {};

// At the smallest, nominal and largest magnification, with bars drawn
// wider, exact and narrower by half of what is allowed, read either way.
TEST_P(BookRoundTripTest, IdentifiesTypeCodeAndParameters) {
    const RoundTripCase& c = GetParam();
    BookRegistry registry;
    for (const double m : {0.8, 1.0, 2.0}) {
        const double limit = 0.25 * kBookModuleMm * m;
        for (const double reduction : {-limit / 2, 0.0, limit / 2}) {
            for (const bool backwards : {false, true}) {
                SCOPED_TRACE(testing::Message() << "m " << m << ", reduction " << reduction
                                                << (backwards ? ", backwards" : ""));
                EdgeOptions options;
                options.backwards = backwards;
                options.offsetMm = backwards ? 200.0 : 15.0;
                const std::vector<double> edges = EdgesOf(
                    c.type, c.code, {.magnification = m, .reductionMm = reduction}, options);
                bool ambiguous = false;
                const std::unique_ptr<BarcodeProcessor> found =
                    IdentifyFromEdges(edges.data(), Count(edges), &ambiguous);
                ASSERT_NE(found, nullptr);
                EXPECT_EQ(TypeText(found->GetType()), TypeText(c.identifiedType));
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
                std::int32_t first = -1;
                std::int32_t lastSymbol = -1;
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

INSTANTIATE_TEST_SUITE_P(Cases, BookRoundTripTest, testing::ValuesIn(kRoundTripCases),
                         CaseName<RoundTripCase>);

struct ReadBackCase {
    const char* name;
    std::int32_t type;
    const char* code;
};

// Codes of groups the range table carries, at the ends of their groups'
// ranges.
const ReadBackCase kReadBackCases[] = {
    {"IsbnEan979Group8First", kTypeISBNEAN, "979-8-200-00000-5"},
    {"IsbnEan979Group8Publisher7", kTypeISBNEAN, "979-8-9850000-1-6"},
    {"IsbnEan979Group10", kTypeISBNEAN, "979-10-90636-07-1"},
    {"IsbnEan979Group11", kTypeISBNEAN, "979-11-5500-000-7"},
    {"IsbnEan979Group12BelowFirst", kTypeISBNEAN, "979-12-00-00000-6"},
    {"IsbnEan979Group12Top", kTypeISBNEAN, "979-12-99999-99-1"},
    {"IsbnEanGroup0Publisher7Within640", kTypeISBNEAN, "978-0-6398000-0-4"},
    {"IsbnEanGroup9911", kTypeISBNEAN, "978-9911-550-00-2"},
    {"IsbnEanGroup99939WithAddOn", kTypeISBNEAN, "978-99939-950-0-5-12345"},
    {"IsbnGroup600", kTypeISBN, "600-119-125-5"},
    {"IsbnGroup65", kTypeISBN, "65-00-00000-5"},
    {"IsbnGroup93", kTypeISBN, "93-5000-000-8"},
    {"IsbnGroup99939", kTypeISBN, "99939-950-0-2"},
    {"IsbnGroup99990", kTypeISBN, "99990-0-000-2"},
    {"IsbnGroup1Publisher7", kTypeISBN, "1-7753999-9-0"},
};

void PrintTo(const ReadBackCase& c, std::ostream* os) {
    *os << c.name;
}

class BookReadBackTest : public testing::TestWithParam<ReadBackCase> {};

// What the self-check does: a processor of the type the symbol was made
// with decodes its bars to the very code it was made from.
TEST_P(BookReadBackTest, DecodesToTheCodeItWasMadeFrom) {
    const ReadBackCase& c = GetParam();
    const std::vector<double> edges = EdgesOf(c.type, c.code);
    ASSERT_FALSE(edges.empty());
    const std::unique_ptr<BarcodeProcessor> reader = MakeBookProcessor(c.type);
    ASSERT_NE(reader, nullptr);
    ASSERT_TRUE(reader->DecodeEdges(edges.data(), Count(edges)));
    EXPECT_STREQ(reader->GetCode(), c.code);
}

INSTANTIATE_TEST_SUITE_P(Cases, BookReadBackTest, testing::ValuesIn(kReadBackCases),
                         CaseName<ReadBackCase>);

// The types that tie on the same bars follow each other in the standard
// order.
TEST(IdentifyNextCandidateTest, TiedTypesInRegistryOrder) {
    struct Walk {
        std::int32_t type;
        const char* code;
        std::vector<std::string> types;
        std::vector<std::string> codes;
    };
    BookRegistry registry;
    for (const Walk& walk : {
             Walk{kTypeISBN,
                  "3-16-148410-X",
                  {"isbe", "isbn", "eanD"},
                  {"978-3-16-148410-0", "3-16-148410-X", "9-783161-484100"}},
             Walk{kTypeISSN,
                  "0317-8471(05)",
                  {"issn", "eanD"},
                  {"0317-8471(05)", "9-770317-847056"}},
             Walk{kTypeMS7B, "1234565", {"ean8", "ms7b"}, {"0123-4565", "1234565"}},
         }) {
        SCOPED_TRACE(walk.code);
        const std::vector<double> edges = EdgesOf(walk.type, walk.code);
        bool ambiguous = false;
        std::unique_ptr<BarcodeProcessor> candidate =
            IdentifyFromEdges(edges.data(), Count(edges), &ambiguous);
        for (std::size_t i = 0; i < walk.types.size(); ++i) {
            ASSERT_NE(candidate, nullptr) << i;
            EXPECT_EQ(TypeText(candidate->GetType()), walk.types[i]);
            EXPECT_STREQ(candidate->GetCode(), walk.codes[i].c_str());
            candidate = IdentifyNextCandidate(candidate.get(), &ambiguous);
        }
        EXPECT_EQ(candidate, nullptr);
    }
}

struct RefusedBarsCase {
    const char* name;
    std::int32_t type;
    // The EAN-13 or EAN-8 whose bars are read.
    std::int32_t drawnType;
    const char* drawnCode;
};

const RefusedBarsCase kRefusedBarsCases[] = {
    {"IsbnOfSerial", kTypeISBN, kTypeEAN13, "9-770317-847001"},
    {"IsbnOf979", kTypeISBN, kTypeEAN13, "9-791090-636071"},
    {"IsbnEanOfOtherPrefix", kTypeISBNEAN, kTypeEAN13, "4-006381-333931"},
    {"IsbnEanAddOn2", kTypeISBNEAN, kTypeEAN13, "9-783161-484100-12"},
    // 978-99902 has no rows, and group 0's leave its digits no title.
    {"IsbnEanGroupWithoutRowsNoTitle", kTypeISBNEAN, kTypeEAN13, "9-789990-295009"},
    {"IsbnGroupWithoutRowsNoTitle", kTypeISBN, kTypeEAN13, "9-789990-295009"},
    {"IssnOfBook", kTypeISSN, kTypeEAN13, "9-783161-484100"},
    {"IssnAddOn5", kTypeISSN, kTypeEAN13, "9-770317-847001-12345"},
    {"Ms7bOfEan8Not0", kTypeMS7B, kTypeEAN8, "5901-2344"},
    {"Ms7bOfEan13", kTypeMS7B, kTypeEAN13, "0-012345-678905"},
};

void PrintTo(const RefusedBarsCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedBarsTest : public testing::TestWithParam<RefusedBarsCase> {};

// A processor that holds a code and parameters keeps them all.
TEST_P(RefusedBarsTest, LeaveTheProcessorAsItWas) {
    const RefusedBarsCase& c = GetParam();
    const char* const code = c.type == kTypeISBN      ? "0-306-40615-2"
                             : c.type == kTypeISBNEAN ? "979-10-90636-07-1"
                             : c.type == kTypeISSN    ? "0378-5955"
                                                      : "1234565";
    const std::unique_ptr<BarcodeProcessor> processor =
        MakeBookProcessor(c.type, code, {.magnification = 1.5, .reductionMm = 0.03});
    ASSERT_NE(processor, nullptr);
    const std::string before = processor->GetCode();
    const std::vector<double> edges = EdgesOf(c.drawnType, c.drawnCode);
    ASSERT_FALSE(edges.empty());
    EXPECT_FALSE(processor->DecodeEdges(edges.data(), Count(edges)));
    EXPECT_EQ(processor->GetCode(), before);
    EXPECT_EQ(processor->GetMagnification(), 1.5);
    EXPECT_EQ(processor->GetBarWidthReduction(), 0.03);
    std::uint32_t count = 1;
    processor->GetMeasuredEdges(&count);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(processor->GetHeightBarEdge(), -1);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedBarsTest, testing::ValuesIn(kRefusedBarsCases),
                         CaseName<RefusedBarsCase>);

}  // namespace
}  // namespace StriveloTest
