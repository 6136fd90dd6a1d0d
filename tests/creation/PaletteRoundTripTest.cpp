// Every symbology of the palette's popup made with the create tool, with the
// parameters a user sets in the palette, and read back with the measure
// tool into the palette: across the bars as made, and turned a quarter
// along a vertical line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "BarcodeArtList.h"
#include "BarcodeDialog.h"
#include "BarcodeEdgeView.h"
#include "BarcodeFourCC.h"
#include "BarcodeGenerate.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeTypePopUp.h"
#include "CaseName.h"
#include "PaletteScene.h"
#include "RecordingGenerator.h"
#include "SymbolArt.h"

namespace {

using creationtest::PaletteScene;
using Strivelo::FourCC;

constexpr double kPointsPerMm = 72 / 25.4;
// Read parameters come back within this.
constexpr double kTolerance = 1e-3;
constexpr int kMostCandidates = 30;

// A symbol the palette makes: its popup type, a code, and the popup type
// the reading shows first (its own, or an earlier type that reads the same
// bars as well) with EAN-13 after UPC, as the palette's preferences have it
// by default.
struct Made {
    std::int32_t type;
    const char* code;
    std::int32_t readFirst;
};

void PrintTo(const Made& made, std::ostream* os) {
    *os << StriveloTest::TypeName(made.type) << " " << made.code;
}

const Made kMade[] = {
    {FourCC("ean8"), "9638-5074", FourCC("ean8")},
    {FourCC("eanD"), "4-006381-333931", FourCC("eanD")},
    {FourCC("c128"), "AB123456", FourCC("c128")},
    {FourCC("upca"), "0-36000-29145-2", FourCC("upca")},
    {FourCC("upce"), "0-123453-1", FourCC("upce")},
    {FourCC("2of5"), "1234", FourCC("2of5")},
    {FourCC("e128"), "(01)12345678901231(17)140704", FourCC("e128")},
    {FourCC("3of9"), "CODE39", FourCC("3of9")},
    {FourCC("itff"), "10012345000017", FourCC("itff")},
    {FourCC("jan8"), "4512-3450", FourCC("jan8")},
    {FourCC("janD"), "4-512345-678906", FourCC("janD")},
    {FourCC("ples"), "1234", FourCC("ples")},
    {FourCC("plec"), "108", FourCC("plec")},
    {FourCC("msit"), "12344", FourCC("msit")},
    {FourCC("msie"), "123430", FourCC("msie")},
    {FourCC("msiq"), "123448", FourCC("msiq")},
    {FourCC("coda"), "A1234B", FourCC("coda")},
    {FourCC("codt"), "A1234B", FourCC("codt")},
    {FourCC("isbn"), "3-16-148410-X", FourCC("isbe")},
    {FourCC("isbe"), "978-3-16-148410-0", FourCC("isbe")},
    {FourCC("isbd"), "978-3-16-148410-0", FourCC("isbe")},
    {FourCC("BePh"), "1234-566", FourCC("BePh")},
    {FourCC("issn"), "0317-8471", FourCC("issn")},
    {FourCC("eCou"), "9-912345-678909 (8101)1 23456 7890", FourCC("eCou")},
    {FourCC("uCou"), "5-12345-67890-0 (8100)1 23456", FourCC("uCou")},
    {FourCC("ms7b"), "1234565", FourCC("ean8")},
};

// What a user sets in the palette before clicking, and what the symbol then
// shows: a part of the parameters its tag keeps, its parameters as read,
// and its art. A row whose items the symbology does not offer is left out.
struct Row {
    const char* name;
    std::function<bool(PaletteScene&)> set;
    const char* tag = "";
    double reductionMm = 0;
    double magnification = 1;
    double barHeightMm = 0;  // 0: the symbology's own
    bool marks = true;
    bool eraseBox = true;
    bool outlines = false;
    const char* font = "Helvetica";
};

std::vector<Row> Rows() {
    using P = PaletteScene;
    return {
        {.name = "nominal, with quiet-zone marks",
         .set = [](P&) { return true; },
         .tag = "bwr = 0.0000, mag = 1.0000, shm = 0"},
        {.name = "bars 0.05 mm narrower",
         .set = [](P& s) { return s.Enter(BarcodeDialog::kBarWidthReductionItem, "0.05 mm"); },
         .tag = "bwr = 0.0500",
         .reductionMm = 0.05},
        {.name = "bars 0.03 mm wider",
         .set = [](P& s) { return s.Enter(BarcodeDialog::kBarWidthReductionItem, "-0.03 mm"); },
         .tag = "bwr = -0.0300",
         .reductionMm = -0.03},
        {.name = "at 80 %",
         .set = [](P& s) { return s.Enter(BarcodeDialog::kMagnificationItem, "80"); },
         .tag = "mag = 0.8000",
         .magnification = 0.8},
        {.name = "at 200 %",
         .set = [](P& s) { return s.Enter(BarcodeDialog::kMagnificationItem, "200"); },
         .tag = "mag = 2.0000",
         .magnification = 2},
        {.name = "bearer bars",
         .set = [](P& s) { return s.Toggle(BarcodeDialog::kBearerBarsItem); },
         .tag = "bbar = 1"},
        {.name = "bearer bars closed by end bars",
         .set =
             [](P& s) {
                 s.Toggle(BarcodeDialog::kBearerBarsItem);
                 return s.Toggle(BarcodeDialog::kEndBarsItem);
             },
         .tag = "bbarend = 1.0000"},
        {.name = "without quiet-zone marks",
         .set = [](P& s) { return s.Toggle(BarcodeDialog::kQuietZoneItem); },
         .marks = false},
        {.name = "no erase box", .set = [](P& s) { return s.Menu(6); }, .eraseBox = false},
        {.name = "text as outlines", .set = [](P& s) { return s.Menu(7); }, .outlines = true},
        {.name = "centred text",
         .set = [](P& s) { return s.Toggle(BarcodeDialog::kTextAlignItem); }},
        {.name = "OCR-B text",
         .set = [](P& s) { return s.Toggle(BarcodeDialog::kOcrbItem); },
         .font = "OCRB"},
        {.name = "ratio 2",
         .set = [](P& s) { return s.Enter(BarcodeDialog::kRatioItem, "2"); },
         .tag = "wnr = 2.0000"},
        {.name = "ratio 3",
         .set = [](P& s) { return s.Enter(BarcodeDialog::kRatioItem, "3"); },
         .tag = "wnr = 3.0000"},
        {.name = "bars 30 mm high",
         .set = [](P& s) { return s.Enter(BarcodeDialog::kBarHeightItem, "30 mm"); },
         .tag = "hgt = 30.0000",
         .barHeightMm = 30},
        {.name = "height growing with the width",
         .set = [](P& s) { return s.Menu(5) && s.Enter(BarcodeDialog::kMagnificationItem, "150"); },
         .tag = "mag = 1.5000, shm = 1",
         .magnification = 1.5},
    };
}

// The popup type the symbol is of once read.
std::int32_t ReadType(std::int32_t popupType) {
    return popupType == BarcodeTypePopUp::kDualNumberingType ? FourCC("isbe") : popupType;
}

bool AnyWarning(PaletteScene& scene) {
    const standin::DialogSnapshot view = scene.View();
    for (const std::int32_t warning :
         {BarcodeDialog::kCodeWarningItem, BarcodeDialog::kBarWidthReductionWarningItem,
          BarcodeDialog::kMagnificationWarningItem, BarcodeDialog::kBarHeightWarningItem,
          BarcodeDialog::kRatioWarningItem}) {
        if (view.items.at(warning).visible) {
            return true;
        }
    }
    return false;
}

host::RealRect BoundsOf(PaletteScene& scene, host::Art art) {
    host::RealRect bounds{};
    EXPECT_EQ(scene.store.Bounds(creationtest::kCall, art, &bounds), host::kNoError);
    return bounds;
}

// The bars of a symbol the create tool made: the paths its bars group
// begins with, up to its bearer bars, upright or lying.
std::vector<host::Art> BarsOf(PaletteScene& scene, host::Art symbol, bool lying) {
    std::vector<host::Art> bars;
    for (const host::Art art : scene.Children(scene.Children(symbol).at(1))) {
        const host::RealRect box = BoundsOf(scene, art);
        if ((box.top - box.bottom > box.right - box.left) == lying) {
            break;
        }
        bars.push_back(art);
    }
    return bars;
}

// The line across the symbol's frame through the band every bar spans.
std::pair<host::RealPoint, host::RealPoint> LineAcross(PaletteScene& scene, host::Art symbol) {
    const host::RealRect frame = BoundsOf(scene, scene.Children(symbol).at(0));
    float bottom = frame.bottom;
    float top = frame.top;
    for (const host::Art bar : BarsOf(scene, symbol, false)) {
        const host::RealRect box = BoundsOf(scene, bar);
        bottom = std::max(bottom, box.bottom);
        top = std::min(top, box.top);
    }
    const float middle = (bottom + top) / 2;
    return {{frame.left - 5, middle}, {frame.right + 5, middle}};
}

// The length (mm) most of the symbol's bars have.
double CommonBarLengthMm(PaletteScene& scene, host::Art symbol, bool lying) {
    std::map<long, int> counts;
    for (const host::Art bar : BarsOf(scene, symbol, lying)) {
        const host::RealRect box = BoundsOf(scene, bar);
        const float length = lying ? box.right - box.left : box.top - box.bottom;
        ++counts[std::lround(length * 1000)];
    }
    const auto common = std::max_element(counts.begin(), counts.end(),
                                         [](auto a, auto b) { return a.second < b.second; });
    return common->first / 1000.0 / kPointsPerMm;
}

// The symbol's bars are selected, and nothing else is.
std::string SelectionFault(PaletteScene& scene, host::Art symbol, bool lying) {
    const std::vector<host::Art> bars = BarsOf(scene, symbol, lying);
    std::string fault;
    std::function<void(host::Art)> walk = [&](host::Art art) {
        const bool bar = std::find(bars.begin(), bars.end(), art) != bars.end();
        const standin::ArtRecord& record = scene.Record(art);
        if (record.type == host::ArtType::kPath && record.selected != bar) {
            fault += bar ? " a bar not selected" : " art selected";
        }
        for (const host::Art child : record.children) {
            walk(child);
        }
    };
    walk(scene.LayerGroup());
    return fault;
}

// The quiet-zone marks the engine draws for the code.
std::size_t MarksOf(std::int32_t type, const std::string& code) {
    std::unique_ptr<Strivelo::BarcodeProcessor> processor = Strivelo::CreateByType(type);
    EXPECT_TRUE(processor->SetCode(code.c_str()));
    processor->SetQuietZoneMarks(true);
    StriveloTest::RecordingGenerator asked;
    EXPECT_TRUE(processor->GenerateInto(&asked));
    std::size_t marks = 0;
    for (const StriveloTest::RecordedCall& call :
         asked.GetCalls(StriveloTest::RecordedCall::Kind::kQuietZoneMarks)) {
        marks += (call.flags[0] ? 1 : 0) + (call.flags[1] ? 1 : 0);
    }
    return marks;
}

// What is wrong with the art of the row's symbol made from the code: its
// tag, erase box, marks, text or the font of a symbology that lets the user
// choose it.
std::string ArtFault(PaletteScene& scene, host::Art symbol, const Made& made, const Row& row,
                     const std::string& code) {
    const bool fontChosen =
        Strivelo::CreateByType(ReadType(made.type))->HasOption(Strivelo::kBarcodeOptionFont);
    std::ostringstream fault;
    const std::vector<host::Art> parts = scene.Children(symbol);
    const standin::ArtRecord& frame = scene.Record(parts.at(0));
    const std::string tag = frame.tags.at(BarcodeGenerate::kParametersTag).value;
    if (tag.find(", code = " + code + ", ") == std::string::npos ||
        tag.find(row.tag) == std::string::npos) {
        fault << " tag \"" << tag << "\"";
    }
    if (frame.style.fillPaint != row.eraseBox) {
        fault << " erase box " << frame.style.fillPaint;
    }
    std::size_t marks = 0;
    std::size_t texts = 0;
    std::size_t outlines = 0;
    for (std::size_t i = 2; i < parts.size(); ++i) {
        const standin::ArtRecord& part = scene.Record(parts[i]);
        marks += part.type == host::ArtType::kPath ? 1 : 0;
        outlines += part.type == host::ArtType::kGroup ? 1 : 0;
        if (part.type == host::ArtType::kTextFrame) {
            ++texts;
            const auto font = scene.host.Fonts().FindFont(part.text.characters.at(0).font, "test");
            if (fontChosen && (!font || font->font.postScriptName != row.font)) {
                fault << " font " << (font ? font->font.postScriptName : "none");
            }
        }
    }
    if (marks != (row.marks ? MarksOf(ReadType(made.type), code) : 0)) {
        fault << " marks " << marks;
    }
    if ((row.outlines ? texts : outlines) != 0) {
        fault << " text " << texts << " outlines " << outlines;
    }
    return fault.str();
}

class PaletteRoundTrip : public testing::TestWithParam<Made> {
protected:
    // Reads the symbol along the line into the palette, walks the candidates
    // to the symbol's own type and checks what the palette shows.
    static void ExpectReading(PaletteScene& scene, host::Art symbol, const Made& made,
                              const Row& row, const std::string& code,
                              std::pair<host::RealPoint, host::RealPoint> line, bool lying) {
        ASSERT_EQ(scene.Drag(line.first, line.second), host::kNoError);
        EXPECT_EQ(StriveloTest::TypeName(scene.ShownType()),
                  StriveloTest::TypeName(made.readFirst));
        const standin::DialogSnapshot read = scene.View();
        EXPECT_TRUE(read.items.at(BarcodeDialog::kMaxDeviationItem).visible);
        EXPECT_TRUE(read.items.at(BarcodeDialog::kMeanDeviationItem).visible);
        EXPECT_EQ(SelectionFault(scene, symbol, lying), "");
        for (int i = 0; i < kMostCandidates && scene.ShownType() != ReadType(made.type); ++i) {
            ASSERT_TRUE(scene.Press(BarcodeDialog::kTryAgainItem));
        }
        EXPECT_EQ(StriveloTest::TypeName(scene.ShownType()),
                  StriveloTest::TypeName(ReadType(made.type)));
        EXPECT_EQ(scene.ShownCode(), code);
        const standin::DialogSnapshot view = scene.View();
        const auto number = [&](std::int32_t item) { return view.items.at(item).number; };
        EXPECT_NEAR(number(BarcodeDialog::kBarWidthReductionItem) / kPointsPerMm, row.reductionMm,
                    kTolerance);
        EXPECT_NEAR(number(BarcodeDialog::kMagnificationItem) / 100, row.magnification, kTolerance);
        const double heightMm = number(BarcodeDialog::kBarHeightItem) / kPointsPerMm;
        EXPECT_NEAR(heightMm, CommonBarLengthMm(scene, symbol, lying), kTolerance);
        if (row.barHeightMm != 0) {
            EXPECT_NEAR(heightMm, row.barHeightMm, kTolerance);
        }
    }
};

TEST_P(PaletteRoundTrip, MakesWhatThePaletteSaysAndReadsItBack) {
    const Made& made = GetParam();
    int madeRows = 0;
    for (const Row& row : Rows()) {
        PaletteScene scene;
        ASSERT_TRUE(scene.Ready(made.type, made.code));
        if (!row.set(scene) || AnyWarning(scene)) {
            continue;
        }
        SCOPED_TRACE(row.name);
        ++madeRows;
        const std::string typed = scene.ShownCode();
        ASSERT_EQ(scene.Click({100, 300}), host::kNoError);
        EXPECT_EQ(scene.Modals(), std::vector<std::int32_t>{});
        EXPECT_EQ(scene.Beeps(), 0);
        // Drawing may write the code in full.
        const std::string code = scene.ShownCode();
        const std::vector<host::Art> made_ = scene.Children(scene.LayerGroup());
        ASSERT_EQ(made_.size(), 1u);
        const host::Art symbol = made_[0];
        EXPECT_EQ(ArtFault(scene, symbol, made, row, typed), "");

        const auto line = LineAcross(scene, symbol);
        ExpectReading(scene, symbol, made, row, code, line, false);

        const host::RealPoint centre{300, 300};
        creationtest::Rotate(scene, symbol, centre);
        ExpectReading(
            scene, symbol, made, row, code,
            {creationtest::Rotated(line.first, centre), creationtest::Rotated(line.second, centre)},
            true);
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
    EXPECT_GE(madeRows, 10);
}

// Barcodes the create tool made, found across the document in the order
// made: those on a hidden layer and light bars left out.
TEST(PaletteRoundTrip, FindsTheBarcodesMadeInTheOrderMade) {
    PaletteScene scene({{"Ebene 1"}, {"Versteckt"}});
    scene.MakePalette();
    scene.MakeTools();
    const auto make = [&](const Made& made, host::RealPoint at) {
        ASSERT_TRUE(scene.Choose(made.type));
        ASSERT_TRUE(scene.Type(made.code));
        ASSERT_EQ(scene.Click(at), host::kNoError);
    };
    const std::vector<Made> found = {kMade[2], kMade[0], kMade[5]};
    make(found[0], {100, 100});
    make(found[1], {600, 100});
    scene.store.SetCurrentLayer(scene.Layer(1));
    make(kMade[1], {100, 600});
    scene.store.SetCurrentLayer(scene.Layer(0));
    make(found[2], {100, 400});
    const std::unique_ptr<Strivelo::BarcodeProcessor> light =
        Strivelo::CreateByType(FourCC("ean8"));
    ASSERT_TRUE(light->SetCode(kMade[0].code));
    creationtest::DrawBars(scene, scene.LayerGroup(), *light, {600, 400}, false,
                           creationtest::BarArt::kRectangle, creationtest::Gray(0.04f));
    scene.store.SetLayerFlag(creationtest::kCall, scene.Layer(1), &standin::LayerRecord::visible,
                             false);

    BarcodeArtList list;
    list.Collect();
    ASSERT_EQ(list.GetCount(), found.size());
    const std::vector<host::Art> symbols = scene.Children(scene.LayerGroup());
    for (std::size_t i = 0; i < found.size(); ++i) {
        SCOPED_TRACE(i);
        std::vector<double> edges(Strivelo::kMaxEdgeCount);
        std::vector<double> heights(Strivelo::kMaxEdgeCount / 2);
        std::vector<std::int32_t> bars(Strivelo::kMaxEdgeCount / 2);
        const std::uint32_t count =
            list.GetEdges(i, edges.data(), heights.data(), bars.data(), Strivelo::kMaxEdgeCount);
        bool ambiguous = false;
        const std::unique_ptr<Strivelo::BarcodeProcessor> read =
            Strivelo::IdentifyFromEdges(edges.data(), count, &ambiguous);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(StriveloTest::TypeName(read->GetType()), StriveloTest::TypeName(found[i].type));
        EXPECT_STREQ(read->GetCode(), found[i].code);
        host::RealRect bounds{};
        ASSERT_EQ(list.GetBounds(&bounds, i), host::kNoError);
        const host::RealRect bars_ = BoundsOf(scene, scene.Children(symbols[i]).at(1));
        EXPECT_EQ(bounds, bars_);
    }
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

INSTANTIATE_TEST_SUITE_P(EveryPopUpType, PaletteRoundTrip, testing::ValuesIn(kMade),
                         StriveloTest::TypeCaseName<Made>);

}  // namespace
