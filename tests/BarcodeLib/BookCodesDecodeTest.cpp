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
#include "Drawing.h"
#include "EanRoundTrip.h"
#include "Symbols.h"

namespace StriveloTest {
namespace {

using namespace Strivelo;

std::uint32_t Count(const std::vector<double>& edges) {
    return static_cast<std::uint32_t>(edges.size());
}

std::vector<double> EdgesOf(const SymbolSettings& symbol, const EdgeOptions& edges = {}) {
    const std::unique_ptr<BarcodeProcessor> processor = MakeSymbol(symbol);
    if (processor == nullptr) {
        return {};
    }
    const Drawing drawing = Draw(*processor);
    EXPECT_TRUE(drawing.generated) << symbol.code;
    return EdgesFromBars(drawing.GetBars(), edges);
}

// The book and serial numbers come after the coupons and before ITF-14,
// MS-7B after everything.
TEST(RegistrationTest, PlacesInTheStandardOrder) {
    const StandardRegistry registry;
    std::vector<std::string> types;
    for (std::uint32_t index = 0;; ++index) {
        const std::unique_ptr<BarcodeProcessor> processor = CreateByIndex(index);
        if (processor == nullptr) {
            break;
        }
        types.push_back(TypeName(processor->GetType()));
    }
    const std::vector<std::string> ours = {"uCou", "isbe", "isbn", "issn", "itff"};
    const auto at = std::search(types.begin(), types.end(), ours.begin(), ours.end());
    EXPECT_NE(at, types.end());
    ASSERT_FALSE(types.empty());
    EXPECT_EQ(types.back(), "ms7b");
    EXPECT_EQ(std::count(types.begin(), types.end(), "isbb"), 0);
}

const EanRoundTripCase kRoundTripCases[] = {
    {.name = "IsbnEan",
     .type = kTypeISBNEAN,
     .code = "978-3-16-148410-0",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "978-3-16-148410-0",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "IsbnEanAddOn",
     .type = kTypeISBNEAN,
     .code = "978-3-16-148410-0-52495",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "978-3-16-148410-0-52495",
     .mainEdges = 60,
     .heightBarEdge = 8},
    // The bars carry no hyphens: the range table puts them back.
    {.name = "IsbnEan979Group10",
     .type = kTypeISBNEAN,
     .code = "979-10-90636-07-1",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "979-10-90636-07-1",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "IsbnEan979Group8",
     .type = kTypeISBNEAN,
     .code = "979-8-3500-0000-9",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "979-8-3500-0000-9",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "IsbnEan979Group11",
     .type = kTypeISBNEAN,
     .code = "979-11-950000-0-5",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "979-11-950000-0-5",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "IsbnEan979Group12",
     .type = kTypeISBNEAN,
     .code = "979-12-200-0000-0",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "979-12-200-0000-0",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "IsbnEanGroup600",
     .type = kTypeISBNEAN,
     .code = "978-600-119-125-1",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "978-600-119-125-1",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "IsbnEanGroup65",
     .type = kTypeISBNEAN,
     .code = "978-65-5000-000-4",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "978-65-5000-000-4",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "IsbnEanGroup99939",
     .type = kTypeISBNEAN,
     .code = "978-99939-950-0-5",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "978-99939-950-0-5",
     .mainEdges = 60,
     .heightBarEdge = 8},
    // A group without rows reads with group 0's hyphens.
    {.name = "IsbnEan979UnknownGroup",
     .type = kTypeISBNEAN,
     .code = "979-5-512-34560-2",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "979-5-512-34560-2",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "IsbnReadsAsIsbnEan",
     .type = kTypeISBN,
     .code = "3-16-148410-X",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "978-3-16-148410-0",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "IsbnGroup600ReadsAsIsbnEan",
     .type = kTypeISBN,
     .code = "600-119-125-5",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "978-600-119-125-1",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "IsbnGroup65ReadsAsIsbnEan",
     .type = kTypeISBN,
     .code = "65-5000-000-9",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "978-65-5000-000-4",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "IsbnGroup99939ReadsAsIsbnEan",
     .type = kTypeISBN,
     .code = "99939-950-0-2",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "978-99939-950-0-5",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "IsbnAddOnReadsAsIsbnEan",
     .type = kTypeISBN,
     .code = "3-16-148410-X-12345",
     .identifiedType = kTypeISBNEAN,
     .identifiedCode = "978-3-16-148410-0-12345",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "Issn",
     .type = kTypeISSN,
     .code = "0317-8471",
     .identifiedType = kTypeISSN,
     .identifiedCode = "0317-8471",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "IssnVariantAndAddOn",
     .type = kTypeISSN,
     .code = "2434-561X(05)-12",
     .identifiedType = kTypeISSN,
     .identifiedCode = "2434-561X(05)-12",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "Ms7bReadsAsEan8",
     .type = kTypeMS7B,
     .code = "1234565",
     .identifiedType = kTypeEAN8,
     .identifiedCode = "0123-4565",
     .mainEdges = 44,
     .heightBarEdge = 4},
    // Add-ons these classes do not carry: EAN-13 reads all the digits.
    {.name = "BookWithAddOn2IsEan13",
     .type = kTypeEAN13,
     .code = "9-783161-484100-12",
     .identifiedType = kTypeEAN13,
     .identifiedCode = "9-783161-484100-12",
     .mainEdges = 60,
     .heightBarEdge = 8},
    {.name = "SerialWithAddOn5IsEan13",
     .type = kTypeEAN13,
     .code = "9-770317-847001-12345",
     .identifiedType = kTypeEAN13,
     .identifiedCode = "9-770317-847001-12345",
     .mainEdges = 60,
     .heightBarEdge = 8},
};

// Drawn as EAN-13 and EAN-8 symbols.
INSTANTIATE_TEST_SUITE_P(Cases, EanRoundTripTest, testing::ValuesIn(kRoundTripCases),
                         CaseName<EanRoundTripCase>);

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
    const std::vector<double> edges = EdgesOf({.type = c.type, .code = c.code});
    ASSERT_FALSE(edges.empty());
    const std::unique_ptr<BarcodeProcessor> reader = MakeProcessor(c.type);
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
    const StandardRegistry registry;
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
        const std::vector<double> edges = EdgesOf({.type = walk.type, .code = walk.code});
        bool ambiguous = false;
        std::unique_ptr<BarcodeProcessor> candidate =
            IdentifyFromEdges(edges.data(), Count(edges), &ambiguous);
        for (std::size_t i = 0; i < walk.types.size(); ++i) {
            ASSERT_NE(candidate, nullptr) << i;
            EXPECT_EQ(TypeName(candidate->GetType()), walk.types[i]);
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
        MakeSymbol({.type = c.type, .code = code, .magnification = 1.5, .reductionMm = 0.03});
    ASSERT_NE(processor, nullptr);
    const std::string before = processor->GetCode();
    const std::vector<double> edges = EdgesOf({.type = c.drawnType, .code = c.drawnCode});
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
