#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BarArtWalk.h"
#include "BarcodeArtList.h"
#include "BarcodeEdgeView.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorRegistry.h"
#include "CaseName.h"
#include "CreationScene.h"
#include "SymbolArt.h"

namespace {

using creationtest::BarArt;
using creationtest::CreationScene;
using creationtest::DrawBars;
using creationtest::Gray;
using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;

constexpr double kMm = 25.4 / 72.0;
constexpr host::Error kFailure = host::FourCharCode("FAIL");

struct Symbol {
    std::int32_t type;
    const char* code;
};
const Symbol kEan8{FourCC("ean8"), "9638-5074"};
const Symbol kEan13{FourCC("eanD"), "4-006381-333931"};
const Symbol kTwoOfFive{FourCC("2of5"), "1234"};
const Symbol kLongCode39{FourCC("3of9"), "CODE39-0123456789-ABCDEFGHIJKLMNOPQRSTUVWXYZ-0123456789"};

std::unique_ptr<BarcodeProcessor> Processor(const Symbol& symbol) {
    std::unique_ptr<BarcodeProcessor> processor = Strivelo::CreateByType(symbol.type);
    EXPECT_TRUE(processor->SetCode(symbol.code));
    return processor;
}

std::vector<host::Art> Bars(CreationScene& s, host::Art into, const Symbol& symbol,
                            host::RealPoint origin, bool lying = false,
                            BarArt art = BarArt::kRectangle, host::Color color = Gray(1)) {
    return DrawBars(s, into, *Processor(symbol), origin, lying, art, color);
}

// Makes every rectangle span bottom to top (points).
void SetBand(CreationScene& s, const std::vector<host::Art>& bars, float bottom, float top) {
    for (const host::Art bar : bars) {
        std::vector<host::PathSegment> segments = s.Record(bar).segments;
        segments[0].anchor.v = segments[3].anchor.v = bottom;
        segments[1].anchor.v = segments[2].anchor.v = top;
        for (host::PathSegment& segment : segments) {
            segment.in = segment.out = segment.anchor;
        }
        EXPECT_EQ(s.store.SetSegments(creationtest::kCall, bar, 0, segments), host::kNoError);
    }
}

// A group nested depth groups deep in the layer.
host::Art Nested(CreationScene& s, int depth) {
    host::Art group = s.LayerGroup();
    for (int i = 0; i < depth; ++i) {
        group = s.Group(group);
    }
    return group;
}

struct Found {
    std::uint8_t orientation;
    std::int32_t type;
    std::string code;

    bool operator==(const Found&) const = default;
};

void PrintTo(const Found& found, std::ostream* os) {
    *os << (found.orientation == kReadAlongX ? "upright " : "lying ")
        << StriveloTest::TypeName(found.type) << " " << found.code;
}

// What each barcode of the list reads as, decoded from its edges.
std::vector<Found> Decoded(const BarcodeArtList& list, const std::vector<std::int32_t>& types) {
    std::vector<Found> found;
    for (std::size_t i = 0; i < list.GetCount(); ++i) {
        std::vector<double> edges(Strivelo::kMaxEdgeCount);
        std::vector<double> heights(Strivelo::kMaxEdgeCount / 2);
        std::vector<std::int32_t> bars(Strivelo::kMaxEdgeCount / 2);
        const std::uint32_t count =
            list.GetEdges(i, edges.data(), heights.data(), bars.data(), Strivelo::kMaxEdgeCount);
        bool ambiguous = false;
        std::unique_ptr<BarcodeProcessor> reading = creationtest::CandidateOfType(
            Strivelo::IdentifyFromEdges(edges.data(), count, &ambiguous),
            i < types.size() ? types[i] : 0);
        found.push_back({list.GetOrientation(i), reading ? reading->GetType() : 0,
                         reading ? reading->GetCode() : ""});
    }
    return found;
}

TEST(BarcodeArtList, FindsEachBarcodeOfTheVisibleLayers) {
    const Found ean8{kReadAlongX, kEan8.type, kEan8.code};
    const Found lyingTwoOfFive{kReadAlongY, kTwoOfFive.type, kTwoOfFive.code};
    const Found twoOfFive{kReadAlongX, kTwoOfFive.type, kTwoOfFive.code};
    // An extra bar 10 wide before a 2 of 5 whose bars span 200 to 250, of
    // that length about their middle.
    const auto extraBarFirst = [](float length) {
        return [=](CreationScene& s) {
            s.Bar(s.LayerGroup(), 80, 225 - length / 2, 90, 225 + length / 2);
            SetBand(s, Bars(s, s.LayerGroup(), kTwoOfFive, {100, 200}), 200, 250);
        };
    };
    // An extra bar after a 2 of 5 whose bars span 200 to 250, of that length
    // about their middle.
    const auto extraBarAfter = [](float length) {
        return [=](CreationScene& s) {
            SetBand(s, Bars(s, s.LayerGroup(), kTwoOfFive, {100, 200}), 200, 250);
            s.Bar(s.LayerGroup(), 300, 225 - length / 2, 302, 225 + length / 2);
        };
    };
    struct Case {
        const char* what;
        std::function<void(CreationScene&)> build;
        std::vector<Found> found;
    };
    const Case cases[] = {
        {"no visible layer",
         [](CreationScene& s) {
             Bars(s, s.LayerGroup(), kEan8, {100, 300});
             s.store.SetLayerFlag(creationtest::kCall, s.Layer(), &standin::LayerRecord::visible,
                                  false);
         },
         {}},
        {"light bars",
         [](CreationScene& s) {
             Bars(s, s.LayerGroup(), kEan8, {100, 300}, false, BarArt::kRectangle, Gray(0.04f));
         },
         {}},
        {"a symbol drawn with its text and erase box",
         [](CreationScene& s) { creationtest::DrawSymbol(s, s.LayerGroup(), *Processor(kEan13)); },
         {{kReadAlongX, kEan13.type, kEan13.code}}},
        {"two symbols in groups of their own, in paint order",
         [](CreationScene& s) {
             creationtest::DrawSymbol(s, s.LayerGroup(), *Processor(kEan8), {.origin = {400, 300}});
             creationtest::DrawSymbol(s, s.LayerGroup(), *Processor(kTwoOfFive));
         },
         {ean8, twoOfFive}},
        {"a lying symbol",
         [](CreationScene& s) {
             Bars(s, s.LayerGroup(), kTwoOfFive, {300, 100}, true);
         },
         {lyingTwoOfFive}},
        {"upright bars, then lying ones away from their middle",
         [](CreationScene& s) {
             Bars(s, s.LayerGroup(), kEan8, {100, 500});
             Bars(s, s.LayerGroup(), kTwoOfFive, {300, 100}, true);
         },
         {ean8, lyingTwoOfFive}},
        {"a lying run inside an upright one",
         [](CreationScene& s) {
             Bars(s, s.LayerGroup(), kEan8, {100, 500});
             Bars(s, s.Group(s.LayerGroup()), kTwoOfFive, {300, 100}, true);
         },
         {lyingTwoOfFive, ean8}},
        {"stroked lines as bars",
         [](CreationScene& s) {
             Bars(s, s.LayerGroup(), kEan8, {100, 300}, false, BarArt::kStrokedLine);
         },
         {ean8}},
        {"the bars of a compound path",
         [](CreationScene& s) {
             const host::Art compound = s.Make(host::ArtType::kCompoundPath, s.LayerGroup());
             s.store.SetPathStyle(creationtest::kCall, compound, creationtest::Filled(Gray(1)));
             Bars(s, compound, kEan8, {100, 300});
         },
         {ean8}},
        {"a compound path of bars in a group",
         [](CreationScene& s) {
             const host::Art compound =
                 s.Make(host::ArtType::kCompoundPath, s.Group(s.LayerGroup()));
             s.store.SetPathStyle(creationtest::kCall, compound, creationtest::Filled(Gray(1)));
             Bars(s, compound, kEan8, {100, 300});
         },
         {ean8}},
        {"bars 64 groups deep",
         [](CreationScene& s) {
             Bars(s, Nested(s, BarArtWalk::kMaxNestingDepth), kEan8, {100, 300});
         },
         {ean8}},
        {"bars 65 groups deep",
         [](CreationScene& s) {
             Bars(s, Nested(s, BarArtWalk::kMaxNestingDepth + 1), kEan8, {100, 300});
         },
         {}},
        {"bars 5000 groups deep",
         [](CreationScene& s) {
             Bars(s, Nested(s, 5000), kEan8, {100, 300});
         },
         {}},
        {"a long symbol",
         [](CreationScene& s) {
             Bars(s, s.LayerGroup(), kLongCode39, {20, 300});
         },
         {{kReadAlongX, kLongCode39.type, kLongCode39.code}}},
        {"a first bar five times as long as wide is passed over", extraBarFirst(50), {twoOfFive}},
        {"a first bar six times as long as wide starts the run", extraBarFirst(60), {}},
        {"a bar of 1.42 times the common length stays", extraBarAfter(71), {}},
        {"a longer bar goes", extraBarAfter(71.5f), {twoOfFive}},
        {"a bar of twice the common length goes", extraBarAfter(100), {twoOfFive}},
        {"a bar of 0.7 times the common length stays", extraBarAfter(35), {}},
        {"a shorter bar goes", extraBarAfter(34.5f), {twoOfFive}},
        {"a bar of half the common length goes", extraBarAfter(25), {twoOfFive}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CreationScene scene;
        c.build(scene);
        BarcodeArtList list;
        list.Collect();
        std::vector<std::int32_t> types;
        for (const Found& found : c.found) {
            types.push_back(found.type);
        }
        EXPECT_EQ(Decoded(list, types), c.found);
        scene.ExpectBalancedAndClean();
    }
}

// Of two lengths equally common, the shorter is the bars': the run of two
// symbols, one with long bars and one with short ones, reads as the second.
TEST(BarcodeArtList, TakesTheShorterOfTwoCommonLengths) {
    CreationScene scene;
    const std::vector<host::Art> tall = Bars(scene, scene.LayerGroup(), kTwoOfFive, {100, 200});
    SetBand(scene, tall, 200, 250);
    const std::vector<host::Art> short_ = Bars(scene, scene.LayerGroup(), kTwoOfFive, {250, 200});
    SetBand(scene, short_, 210, 240);
    BarcodeArtList list;
    list.Collect();
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetBar(0, 0), short_.front());
    EXPECT_EQ(list.GetBar(0, short_.size() - 1), short_.back());
    EXPECT_EQ(list.GetBar(0, short_.size()), host::Art{});
    scene.ExpectBalancedAndClean();
}

// Several barcodes made by the generator on layers shown and hidden: each
// found one gives its bars, their edges and boxes, and its bounds.
TEST(BarcodeArtList, AnswersForEachBarcodeMadeByTheGenerator) {
    const Symbol kCode128{FourCC("c128"), "AB123456"};
    const Symbol kCode39{FourCC("3of9"), "CODE39"};
    CreationScene scene({{"Ebene 1"}, {"Versteckt"}, {"Ebene 3"}});
    creationtest::DrawSymbol(scene, scene.LayerGroup(0), *Processor(kEan13));
    creationtest::DrawSymbol(scene, scene.LayerGroup(0), *Processor(kCode128),
                             {.origin = {400, 300}});
    creationtest::DrawSymbol(scene, scene.LayerGroup(1), *Processor(kEan8), {.origin = {100, 500}});
    creationtest::DrawSymbol(scene, scene.LayerGroup(2), *Processor(kCode39),
                             {.origin = {100, 700}});
    Bars(scene, scene.LayerGroup(2), kEan8, {500, 700}, false, BarArt::kRectangle, Gray(0.04f));
    scene.store.SetLayerFlag(creationtest::kCall, scene.Layer(1), &standin::LayerRecord::visible,
                             false);

    BarcodeArtList list;
    list.Collect();
    const std::vector<Symbol> made = {kEan13, kCode128, kCode39};
    std::vector<Found> expected;
    std::vector<std::int32_t> types;
    for (const Symbol& symbol : made) {
        expected.push_back({kReadAlongX, symbol.type, symbol.code});
        types.push_back(symbol.type);
    }
    ASSERT_EQ(Decoded(list, types), expected);

    for (std::size_t i = 0; i < list.GetCount(); ++i) {
        SCOPED_TRACE(i);
        std::vector<double> edges(Strivelo::kMaxEdgeCount);
        std::vector<double> heights(Strivelo::kMaxEdgeCount / 2);
        std::vector<std::int32_t> bars(Strivelo::kMaxEdgeCount / 2);
        const std::uint32_t count =
            list.GetEdges(i, edges.data(), heights.data(), bars.data(), Strivelo::kMaxEdgeCount);
        ASSERT_GT(count, 0u);
        host::RealRect unite{1e9f, -1e9f, -1e9f, 1e9f};
        for (std::uint32_t k = 0; k < count / 2; ++k) {
            BarcodeProcessor::BarBounds rect{};
            ASSERT_TRUE(list.GetBarRect(i, static_cast<std::size_t>(bars[k]), &rect));
            EXPECT_NEAR(edges[2 * k], rect.left * kMm, 1e-9);
            EXPECT_NEAR(edges[2 * k + 1], rect.right * kMm, 1e-9);
            EXPECT_NEAR(heights[k], (rect.top - rect.bottom) * kMm, 1e-9);
            unite = {std::min(unite.left, static_cast<float>(rect.left)),
                     std::max(unite.top, static_cast<float>(rect.top)),
                     std::max(unite.right, static_cast<float>(rect.right)),
                     std::min(unite.bottom, static_cast<float>(rect.bottom))};
        }
        host::RealRect bounds{};
        EXPECT_EQ(list.GetBounds(&bounds, i), host::kNoError);
        EXPECT_EQ(bounds, unite);
    }

    // Selecting a barcode selects its bars and nothing else.
    for (std::size_t layer = 0; layer < 3; ++layer) {
        scene.store.DeselectLayer(creationtest::kCall, scene.Layer(layer));
    }
    ASSERT_EQ(list.SelectBarcode(1), host::kNoError);
    std::vector<host::Art> selected;
    const std::function<void(host::Art)> gather = [&](host::Art art) {
        if (scene.Record(art).selected) {
            selected.push_back(art);
        }
        for (const host::Art child : scene.Children(art)) {
            gather(child);
        }
    };
    for (std::size_t layer = 0; layer < 3; ++layer) {
        gather(scene.LayerGroup(layer));
    }
    std::vector<host::Art> secondBars;
    for (std::size_t bar = 0; list.GetBar(1, bar); ++bar) {
        secondBars.push_back(GetBarPathArt(list.GetBar(1, bar)));
    }
    EXPECT_EQ(selected, secondBars);
    scene.ExpectBalancedAndClean();
}

TEST(BarcodeArtList, AnswersNothingOutsideItsBarcodes) {
    CreationScene scene;
    std::vector<host::Art> bars = Bars(scene, scene.LayerGroup(), kEan8, {100, 300});
    // The first bar wrapped in two groups.
    host::Art outer;
    host::Art inner;
    scene.store.NewArt(creationtest::kCall, host::ArtType::kGroup, host::PaintOrder::kAbove,
                       bars[0], &outer);
    scene.store.NewArt(creationtest::kCall, host::ArtType::kGroup, host::PaintOrder::kInsideOnTop,
                       outer, &inner);
    scene.store.ReorderArt(creationtest::kCall, bars[0], host::PaintOrder::kInsideOnTop, inner);
    const std::size_t count = bars.size();

    BarcodeArtList list;
    EXPECT_EQ(list.GetBar(0, 0), host::Art{});
    list.Collect();
    list.Collect();
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetBar(0, 0), outer);
    EXPECT_EQ(GetBarPathArt(list.GetBar(0, 0)), bars[0]);
    EXPECT_EQ(GetBarPathArt(bars[1]), bars[1]);
    EXPECT_EQ(list.GetBar(0, count - 1), bars.back());
    EXPECT_EQ(list.GetBar(0, count), host::Art{});
    EXPECT_EQ(list.GetBar(1, 0), host::Art{});

    BarcodeProcessor::BarBounds rect{};
    ASSERT_TRUE(list.GetBarRect(0, 1, &rect));
    host::RealRect bounds{};
    scene.store.Bounds(creationtest::kCall, bars[1], &bounds);
    EXPECT_EQ(rect.left, bounds.left);
    EXPECT_EQ(rect.top, bounds.top);
    EXPECT_EQ(rect.right, bounds.right);
    EXPECT_EQ(rect.bottom, bounds.bottom);
    EXPECT_FALSE(list.GetBarRect(0, count, &rect));
    EXPECT_FALSE(list.GetBarRect(1, 0, &rect));
    EXPECT_EQ(list.GetBounds(&bounds, 1), kErrorNoSuchBarcode);

    // The edges fit the caller's room exactly or not at all.
    const auto full = static_cast<std::uint32_t>(2 * count);
    std::vector<double> edges(full + 1, -1.0);
    std::vector<double> heights(count + 1, -1.0);
    std::vector<std::int32_t> indices(count + 1, -1);
    EXPECT_EQ(list.GetEdges(1, edges.data(), heights.data(), indices.data(), full), 0u);
    EXPECT_EQ(list.GetEdges(0, edges.data(), heights.data(), indices.data(), full - 1), 0u);
    EXPECT_EQ(edges[full - 1], -1.0);
    EXPECT_EQ(list.GetEdges(0, edges.data(), heights.data(), indices.data(), full), full);
    EXPECT_EQ(edges[full], -1.0);
    EXPECT_EQ(heights[count], -1.0);
    EXPECT_EQ(indices[count], -1);

    EXPECT_EQ(list.SelectBarcode(1), host::kNoError);
    EXPECT_FALSE(scene.Record(bars[0]).selected);

    // Host errors come back where there is a result for them.
    standin::Faults& faults = scene.host.Core().GetFaults();
    faults.FailCall(host::kAiArtSuite.name, "GetArtBounds", kFailure);
    EXPECT_FALSE(list.GetBarRect(0, 1, &rect));
    EXPECT_EQ(list.GetBounds(&bounds, 0), kFailure);
    EXPECT_EQ(list.GetEdges(0, edges.data(), heights.data(), indices.data(), full), 0u);
    faults.Clear();
    faults.FailCall(host::kAiArtSuite.name, "SetArtUserAttr", kFailure);
    EXPECT_EQ(list.SelectBarcode(0), kFailure);
    faults.Clear();

    // A collection that fails at once finds nothing, and forgets the last.
    faults.FailCall(host::kAiLayerSuite.name, "CountLayers", kFailure);
    list.Collect();
    EXPECT_EQ(list.GetCount(), 0u);
    faults.Clear();
    list.Collect();
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(list.GetBar(0, 0), host::Art{});
    scene.ExpectBalancedAndClean();
}

}  // namespace
