#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "ApplicationScene.h"
#include "BarcodeArtList.h"
#include "BarcodeCheckRecord.h"
#include "BarcodeFourCC.h"
#include "FoundBarcodeEdges.h"
#include "host/HostSuites.h"

namespace {

using apptest::ApplicationScene;
using apptest::BarForm;
using apptest::Gray;
using BarcodeVettrin::kOverprintStateMixed;
using BarcodeVettrin::kOverprintStateMultiply;
using BarcodeVettrin::kOverprintStateNormal;
using BarcodeVettrin::kOverprintStateNormalOverprint;
using BarcodeVettrin::kOverprintStateOther;

constexpr host::RealPoint kOrigin{300, 800};
constexpr host::Error kFailure = host::FourCharCode("FAIL");
constexpr double kInkTolerance = 1e-6;

host::Color Cmyk(float cyan, float magenta, float yellow, float black) {
    return {host::ColorKind::kCmyk, 0, {cyan, magenta, yellow, black}, {}, {}};
}

host::Color Rgb(float red, float green, float blue) {
    return {host::ColorKind::kRgb, 0, {}, {red, green, blue}, {}};
}

host::Color Spot(host::CustomColor color, float tint) {
    return {host::ColorKind::kCustom, 0, {}, {}, {color, tint}};
}

// Paints the bars' painters (all of them, or the one at index only).
struct Paint {
    std::function<host::Color(ApplicationScene&)> color;
    bool overprint = false;
    host::BlendMode mode = host::BlendMode::kNormal;
    double opacity = 1.0;
    int only = -1;
};

void Apply(ApplicationScene& scene, const std::vector<host::Art>& painters, const Paint& paint) {
    for (std::size_t i = 0; i < painters.size(); ++i) {
        if (paint.only >= 0 && i != static_cast<std::size_t>(paint.only)) {
            continue;
        }
        host::PathStyle style = scene.Record(painters[i]).style;
        if (paint.color) {
            (style.fillPaint ? style.fill.color : style.stroke.color) = paint.color(scene);
        }
        (style.fillPaint ? style.fill.overprint : style.stroke.overprint) = paint.overprint;
        EXPECT_EQ(scene.store.SetPathStyle(apptest::kCall, painters[i], style), host::kNoError);
        EXPECT_EQ(scene.store.SetBlendMode(apptest::kCall, painters[i], paint.mode),
                  host::kNoError);
        EXPECT_EQ(scene.store.SetOpacity(apptest::kCall, painters[i], paint.opacity),
                  host::kNoError);
    }
}

host::Color SpotBlack(ApplicationScene& scene) {
    const host::CustomColor black = scene.store.NewCustomColor(
        scene.document, "Schwarz", {host::CustomColorKind::kCmyk, {0, 0, 0, 1}, {}});
    return Spot(black, 0);
}

// The ink of the bars when they share a colour, and how they print over
// what lies below: from the paint of what paints each bar.
TEST(CheckDialogMeasureBarcode, MeasuresTheColoursAndOverprintOfTheBars) {
    struct Case {
        const char* what;
        BarForm form;
        std::vector<Paint> paints;
        std::vector<double> colors;
        std::int32_t state;
        bool styleReadFails = false;
    };
    const auto gray = [](float value) {
        return [value](ApplicationScene&) { return Gray(value); };
    };
    const Case cases[] = {
        {"black, overprinting",
         BarForm::kRectangles,
         {{.color = gray(1), .overprint = true}},
         {1.0},
         kOverprintStateNormalOverprint},
        {"black", BarForm::kRectangles, {{.color = gray(1)}}, {1.0}, kOverprintStateNormal},
        {"process black",
         BarForm::kRectangles,
         {{.color = [](ApplicationScene&) { return Cmyk(0, 0, 0, 1); }}},
         {1.0},
         kOverprintStateNormal},
        {"process mix",
         BarForm::kRectangles,
         {{.color = [](ApplicationScene&) { return Cmyk(0.2f, 0.3f, 0, 1); }}},
         {0.2, 0.3, 1.0},
         kOverprintStateNormal},
        {"a spot colour in full",
         BarForm::kRectangles,
         {{.color = &SpotBlack}},
         {1.0},
         kOverprintStateNormal},
        {"RGB black",
         BarForm::kRectangles,
         {{.color = [](ApplicationScene&) { return Rgb(0, 0, 0); }}},
         {1.0, 1.0, 1.0},
         kOverprintStateNormal},
        {"one bar lighter",
         BarForm::kRectangles,
         {{.color = gray(1)}, {.color = gray(0.9f), .only = 3}},
         {},
         kOverprintStateNormal},
        {"one bar of another spot colour of the same tint",
         BarForm::kRectangles,
         {{.color = &SpotBlack},
          {.color =
               [](ApplicationScene& s) {
                   return Spot(s.store.NewCustomColor(s.document, "Blau",
                                                      {host::CustomColorKind::kRgb, {}, {0, 0, 1}}),
                               0);
               },
           .only = 5}},
         {},
         kOverprintStateNormal},
        {"multiplying",
         BarForm::kRectangles,
         {{.color = gray(1), .mode = host::BlendMode::kMultiply}},
         {1.0},
         kOverprintStateMultiply},
        {"at half opacity",
         BarForm::kRectangles,
         {{.color = gray(1), .opacity = 0.5}},
         {1.0},
         kOverprintStateOther},
        {"screening",
         BarForm::kRectangles,
         {{.color = gray(1), .mode = host::BlendMode::kScreen}},
         {1.0},
         kOverprintStateOther},
        {"one bar overprinting",
         BarForm::kRectangles,
         {{.color = gray(1)}, {.color = gray(1), .overprint = true, .only = 0}},
         {1.0},
         kOverprintStateMixed},
        {"stroked lines, overprinting",
         BarForm::kStrokedLines,
         {{.color = gray(1), .overprint = true}},
         {1.0},
         kOverprintStateNormalOverprint},
        {"lines painted by compound paths",
         BarForm::kLinesOfCompoundPaths,
         {{.color = gray(1), .overprint = true}},
         {1.0},
         kOverprintStateNormalOverprint},
        {"a style that cannot be read",
         BarForm::kRectangles,
         {{.color = gray(1), .overprint = true}},
         {},
         kOverprintStateMixed,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ApplicationScene scene;
        const host::Art barcode = scene.Draw({Strivelo::FourCC("ean8"), "9638-5074"}, kOrigin);
        scene.Reshape(barcode, c.form);
        for (const Paint& paint : c.paints) {
            Apply(scene, scene.BarPainters(barcode), paint);
        }
        scene.Start();
        BarcodeArtList list;
        list.Collect();
        ASSERT_EQ(list.GetCount(), 1u);
        FoundBarcodeEdges edges;
        const std::unique_ptr<Strivelo::BarcodeProcessor> processor = edges.Identify(list, 0);
        ASSERT_NE(processor, nullptr);
        BarcodeVettrin::BarcodeCheckRecord record(processor.get());
        if (c.styleReadFails) {
            scene.host.Core().GetFaults().FailCall(host::kAiPathStyleSuite.name, "GetPathStyle",
                                                   kFailure, 1);
        }

        scene.Palette().MeasureBarcode(list, 0, edges.count / 2, edges.heights.data(),
                                       edges.barIndices.data(), record);

        ASSERT_EQ(record.GetColors().size(), c.colors.size());
        for (std::size_t i = 0; i < c.colors.size(); ++i) {
            EXPECT_NEAR(record.GetColors()[i], c.colors[i], kInkTolerance) << i;
        }
        EXPECT_EQ(record.GetOverprintState(), c.state);
        // The box of the bars, in millimetres, is there whatever the paint.
        host::RealRect bounds{};
        ASSERT_EQ(list.GetBounds(&bounds, 0), host::kNoError);
        ASSERT_TRUE(record.HasBarsBoundingBox());
        EXPECT_NEAR(record.GetBarsBoundingBox().left, bounds.left / apptest::kPointsPerMm, 1e-9);
        EXPECT_NEAR(record.GetBarsBoundingBox().top, bounds.top / apptest::kPointsPerMm, 1e-9);
        list.Clear();
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
