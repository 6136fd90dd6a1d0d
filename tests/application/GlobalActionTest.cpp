#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ApplicationScene.h"
#include "BarcodeArtList.h"
#include "BarcodeFourCC.h"
#include "GlobalActionChangeColorDriver.h"
#include "host/HostSuites.h"

namespace {

using apptest::ApplicationScene;
using apptest::Barcode;
using apptest::BarForm;
using Strivelo::FourCC;

constexpr const char* kChangeDialog = "Mor7Lant Global BWR Change";
constexpr const char* kResultDialog = "Mor7Lant Performed Global Action Dialog";
constexpr std::int32_t kReductionItem = 3;
constexpr std::int32_t kActionItem = 2;
constexpr std::int32_t kFoundItem = 3;
constexpr std::int32_t kChangedItem = 4;
constexpr host::Error kFailure = host::FourCharCode("FAIL");

const Barcode kEan8{FourCC("ean8"), "9638-5074"};
const Barcode kUpcA{FourCC("upca"), "0-36000-29145-2"};
constexpr host::RealPoint kOrigin{300, 800};

constexpr double kMmPerEnteredPoint = 0.35277778;
constexpr double kReadToleranceMm = 1e-4;
constexpr double kDistortedDeviationMm = 0.05;
constexpr float kHalfModulePoints = 0.45f;

// Every point of every path under art, in tree order.
std::vector<host::PathSegment> PointsOf(const ApplicationScene& scene, host::Art art) {
    const standin::ArtRecord& record = scene.Record(art);
    std::vector<host::PathSegment> points = record.segments;
    for (const host::Art child : record.children) {
        const std::vector<host::PathSegment> more = PointsOf(scene, child);
        points.insert(points.end(), more.begin(), more.end());
    }
    return points;
}

// The texts of the result dialog as the user saw them.
struct Result {
    std::string action;
    std::string found;
    std::string changed;
};

Result ResultShown(const ApplicationScene& scene) {
    for (const standin::ModalRun& run : scene.dialogs.ModalLog()) {
        if (run.name == kResultDialog) {
            return {run.texts.at(kActionItem), run.texts.at(kFoundItem),
                    run.texts.at(kChangedItem)};
        }
    }
    ADD_FAILURE() << "no result dialog";
    return {};
}

// A new reduction for every barcode, on bars of every form, or none where a
// bar would vanish, reach its neighbour or cannot be edited.
TEST(GlobalBarcodeAction, ChangesTheBarWidthReductionOfEveryBarcode) {
    struct Case {
        const char* what;
        BarForm form;
        int quarters;
        bool locked;
        float enteredPoints;
        bool changed;
    };
    const Case cases[] = {
        {"rectangles", BarForm::kRectangles, 0, false, 0.5f, true},
        {"lying rectangles", BarForm::kRectangles, 1, false, 0.5f, true},
        {"rectangles turned half round", BarForm::kRectangles, 2, false, 0.5f, true},
        {"rectangles of five points", BarForm::kFivePointRectangles, 0, false, 0.5f, true},
        {"stroked lines", BarForm::kStrokedLines, 0, false, 0.5f, true},
        {"lines of compound paths", BarForm::kLinesOfCompoundPaths, 0, false, 0.5f, true},
        {"lying lines of compound paths", BarForm::kLinesOfCompoundPaths, 3, false, 0.5f, true},
        {"on a locked layer", BarForm::kRectangles, 0, true, 0.5f, false},
        {"bars narrower than nothing", BarForm::kRectangles, 0, false, 10.0f, false},
        {"lines narrower than nothing", BarForm::kStrokedLines, 0, false, 10.0f, false},
        {"bars across the spaces", BarForm::kRectangles, 0, false, -3.0f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ApplicationScene scene;
        const host::Art barcode = scene.Draw(kEan8, kOrigin);
        scene.Reshape(barcode, c.form);
        scene.Turn(barcode, kOrigin, c.quarters);
        if (c.locked) {
            ASSERT_EQ(scene.store.SetLayerFlag(apptest::kCall, scene.Layer(),
                                               &standin::LayerRecord::editable, false),
                      host::kNoError);
        }
        scene.Start();
        const std::vector<host::PathSegment> before = PointsOf(scene, barcode);
        const std::vector<host::Art> painters = scene.BarPainters(barcode);
        std::vector<host::PathStyle> paints;
        for (const host::Art painter : painters) {
            paints.push_back(scene.Record(painter).style);
        }
        scene.dialogs.ExpectModal(kChangeDialog)
            .SetNumber(kReductionItem, c.enteredPoints)
            .Press(host::kOkItem);
        scene.dialogs.ExpectModal(kResultDialog).Press(host::kOkItem);

        EXPECT_EQ(scene.host.SendMenu("Filter Change BWR", host::kSelectorGo), host::kNoError);

        const Result result = ResultShown(scene);
        EXPECT_EQ(result.action, "Balkenbreiten-Reduktion ändern");
        EXPECT_EQ(result.found, "1");
        EXPECT_EQ(result.changed, c.changed ? "1" : "0");
        const auto read = scene.ReadAll();
        ASSERT_EQ(read.size(), 1u);
        ASSERT_NE(read[0], nullptr);
        EXPECT_EQ(read[0]->GetType(), FourCC("ean8"));
        if (c.changed) {
            EXPECT_NEAR(read[0]->GetBarWidthReduction(), c.enteredPoints * kMmPerEnteredPoint,
                        kReadToleranceMm);
        } else {
            EXPECT_EQ(PointsOf(scene, barcode), before);
        }
        if (c.form == BarForm::kLinesOfCompoundPaths) {
            // Each line left its compound path, which went, with the compound
            // path's paint and a width of its own.
            const std::vector<host::Art> lines = scene.Record(scene.BarsOf(barcode)).children;
            ASSERT_EQ(lines.size(), painters.size());
            for (std::size_t i = 0; i < painters.size(); ++i) {
                EXPECT_EQ(scene.store.PeekArt(painters[i]), nullptr);
                const host::PathStyle& line = scene.Record(lines[i]).style;
                EXPECT_TRUE(line.strokePaint);
                EXPECT_FALSE(line.fillPaint);
                EXPECT_EQ(line.stroke.color, paints[i].stroke.color);
                EXPECT_NEAR(line.stroke.width, paints[i].stroke.width - c.enteredPoints, 1e-4);
            }
        }
        scene.ExpectBalancedAndClean();
    }
}

// Cancel changes nothing and shows no result.
TEST(GlobalBarcodeAction, CancelChangesNothing) {
    ApplicationScene scene;
    const host::Art barcode = scene.Draw(kEan8, kOrigin);
    scene.Start();
    const std::vector<host::PathSegment> before = PointsOf(scene, barcode);
    scene.dialogs.ExpectModal(kChangeDialog)
        .SetNumber(kReductionItem, 0.5f)
        .Press(host::kCancelItem);
    EXPECT_EQ(scene.host.SendMenu("Filter Change BWR", host::kSelectorGo), host::kNoError);
    EXPECT_EQ(scene.dialogs.ModalLog().size(), 1u);
    EXPECT_EQ(PointsOf(scene, barcode), before);
    EXPECT_TRUE(scene.dialogs.FindDialog(kChangeDialog) == host::Dialog{});
    scene.ExpectBalancedAndClean();
}

// Each barcode gets the bar widths of its own reduction back; what moved
// nothing changed nothing, and only a change of the art empties the check
// palette.
TEST(GlobalBarcodeAction, FixesTheDeviationOfEveryBarcode) {
    struct Case {
        const char* what;
        std::function<void(ApplicationScene&, host::Art)> distort;
        bool moreBars;
        const char* found;
        const char* changed;
    };
    // The right side of the third bar half a module out.
    const auto widenThirdBar = [](ApplicationScene& s, host::Art barcode) {
        s.WidenBar(barcode, 2, kHalfModulePoints);
    };
    const Case cases[] = {
        {"as drawn", [](ApplicationScene&, host::Art) {}, false, "2", "0"},
        {"one bar wider", widenThirdBar, false, "2", "1"},
        {"beside bars that are no barcode", widenThirdBar, true, "2", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ApplicationScene scene;
        const host::Art barcode = scene.Draw(kEan8, kOrigin);
        scene.Draw(kUpcA, {300, 400});
        c.distort(scene, barcode);
        if (c.moreBars) {
            for (int i = 0; i < 5; ++i) {
                scene.Path(scene.LayerGroup(), apptest::Rectangle(50 + 9 * i, 100, 52 + i, 150),
                           apptest::Filled(apptest::Gray(1)));
            }
        }
        scene.Start();
        scene.Press(apptest::kCheckItem);
        const std::vector<host::PathSegment> before = PointsOf(scene, barcode);
        const auto unfixed = scene.ReadAll();
        ASSERT_NE(unfixed.at(0), nullptr);
        const double ownReductionMm = unfixed[0]->GetBarWidthReduction();
        const double deviationMm = unfixed[0]->GetMaxDeviation();
        scene.dialogs.ExpectModal(kResultDialog).Press(host::kOkItem);

        EXPECT_EQ(scene.host.SendMenu("Filter Fix Deviation", host::kSelectorGo), host::kNoError);

        const Result result = ResultShown(scene);
        EXPECT_EQ(result.action, "Abweichung korrigieren");
        EXPECT_EQ(result.found, c.found);
        EXPECT_EQ(result.changed, c.changed);
        const bool changed = std::string(c.changed) != "0";
        EXPECT_EQ(deviationMm > kDistortedDeviationMm, changed);
        EXPECT_EQ(PointsOf(scene, barcode) != before, changed);
        const auto read = scene.ReadAll();
        ASSERT_EQ(read.size(), 2u);
        ASSERT_NE(read[0], nullptr);
        EXPECT_LT(read[0]->GetMaxDeviation(), kReadToleranceMm);
        EXPECT_NEAR(read[0]->GetBarWidthReduction(), ownReductionMm, kReadToleranceMm);
        EXPECT_EQ(scene.PaletteItem(apptest::kListItem).entries.size(), changed ? 0u : 2u);
        scene.ExpectBalancedAndClean();
    }
}

// The overprint fix sets the overprint of what paints each bar, in normal
// blending at full opacity; the first host error ends it.
TEST(GlobalActionChangeColorDriver, OverprintsTheBarsInNormalBlending) {
    struct Case {
        const char* what;
        BarForm form;
        host::BlendMode mode;
        double opacity;
        bool writeFails;
    };
    const Case cases[] = {
        {"filled rectangles", BarForm::kRectangles, host::BlendMode::kNormal, 1.0, false},
        {"stroked lines", BarForm::kStrokedLines, host::BlendMode::kNormal, 1.0, false},
        {"lines of compound paths", BarForm::kLinesOfCompoundPaths, host::BlendMode::kNormal, 1.0,
         false},
        {"multiplying", BarForm::kRectangles, host::BlendMode::kMultiply, 1.0, false},
        {"screening at 40 %", BarForm::kRectangles, host::BlendMode::kScreen, 0.4, false},
        {"a style that cannot be written", BarForm::kRectangles, host::BlendMode::kMultiply, 1.0,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ApplicationScene scene;
        const host::Art barcode = scene.Draw(kEan8, kOrigin);
        scene.Reshape(barcode, c.form);
        const std::vector<host::Art> painters = scene.BarPainters(barcode);
        for (const host::Art painter : painters) {
            EXPECT_EQ(scene.store.SetBlendMode(apptest::kCall, painter, c.mode), host::kNoError);
            EXPECT_EQ(scene.store.SetOpacity(apptest::kCall, painter, c.opacity), host::kNoError);
        }
        scene.Start();
        if (c.writeFails) {
            scene.host.Core().GetFaults().FailCall(host::kAiPathStyleSuite.name, "SetPathStyle",
                                                   kFailure, 1);
        }
        BarcodeArtList list;
        list.Collect();
        ASSERT_EQ(list.GetCount(), 1u);
        GlobalActionChangeColorDriver driver(list, 0);
        driver.SetColorAction(BarcodeVettrin::kColorActionOverprint);

        EXPECT_EQ(driver.ChangeColor(), c.writeFails ? kFailure : host::kNoError);

        for (const host::Art painter : painters) {
            const standin::ArtRecord& paint = scene.Record(painter);
            const bool filled = c.form == BarForm::kRectangles;
            EXPECT_EQ(paint.style.fill.overprint, filled && !c.writeFails);
            EXPECT_EQ(paint.style.stroke.overprint, !filled);
            EXPECT_EQ(paint.blendMode, c.writeFails ? c.mode : host::BlendMode::kNormal);
            EXPECT_EQ(paint.opacity, c.writeFails ? c.opacity : 1.0);
        }
        list.Clear();
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
