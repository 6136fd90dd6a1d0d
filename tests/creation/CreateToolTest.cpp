// The create tool: the parameters it tags a symbol with, where it places
// the symbol, when it makes nothing, and what its self-check does.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "BarcodeGenerate.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeProcessorRegistry.h"
#include "CreateTool.h"
#include "MeasureTool.h"
#include "PaletteScene.h"
#include "SymbolArt.h"

namespace {

using creationtest::PaletteScene;
using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;

constexpr host::Error kInjected = host::FourCharCode("FAIL");

// Sets the numeric conventions of a locale for as long as it lives.
class NumericLocale {
public:
    explicit NumericLocale(const char* name) : before_(std::setlocale(LC_NUMERIC, nullptr)) {
        EXPECT_NE(std::setlocale(LC_NUMERIC, name), nullptr) << name;
    }
    ~NumericLocale() { std::setlocale(LC_NUMERIC, before_.c_str()); }

private:
    std::string before_;
};

TEST(CreateTool, TagsTheSymbolWithItsParameters) {
    using BearerBars = Strivelo::BarcodeProcessorMixIn_BearerBarsOption;
    using Ratio = Strivelo::BarcodeProcessorMixIn_WideNarrowOption;
    struct Case {
        const char* what;
        std::int32_t type;
        std::string code;
        std::function<void(BarcodeProcessor&)> set;
        std::string tag;
    };
    const auto none = [](BarcodeProcessor&) {};
    const std::string longCode(200, 'A');
    const Case cases[] = {
        {"no code", FourCC("eanD"), "", none,
         "(4.0) type = --------, code = , bwr = 0.0000, mag = 1.0000, shm = 0"},
        {"EAN-13 as it comes", FourCC("eanD"), "4-006381-333931", none,
         "(4.0) type = EAN-13, code = 4-006381-333931, bwr = 0.0000, mag = 1.0000, shm = 0"},
        {"EAN-13 of a height of its own", FourCC("eanD"), "4-006381-333931",
         [](BarcodeProcessor& p) {
             p.SetBarWidthReduction(-0.03);
             p.SetMagnification(0.85);
             p.SetScaleHeightWithWidth(true);
             p.SetBarHeight(22.85);
         },
         "(4.0) type = EAN-13, code = 4-006381-333931, bwr = -0.0300, mag = 0.8500, shm = 1, "
         "hgt = 22.8500"},
        {"2 of 5 with bearer bars closed by end bars", FourCC("2of5"), "1234",
         [](BarcodeProcessor& p) {
             dynamic_cast<Ratio&>(p).SetWideNarrowRatio(2.25);
             dynamic_cast<BearerBars&>(p).SetBearerBars(true);
             dynamic_cast<BearerBars&>(p).SetBearerBarEndBars(true);
         },
         "(4.0) type = 2 of 5, code = 1234, bwr = 0.0000, mag = 1.0000, shm = 0, wnr = 2.2500, "
         "bbar = 1, bbarend = 1.0000"},
        {"ITF-14, its bearer bars always there", FourCC("itff"), "10012345000017",
         [](BarcodeProcessor& p) { dynamic_cast<Ratio&>(p).SetWideNarrowRatio(3); },
         "(4.0) type = ITF14, code = 10012345000017, bwr = 0.0000, mag = 1.0000, shm = 0, "
         "wnr = 3.0000, bbarend = 0.0000"},
        {"Code 128 without end bars", FourCC("c128"), "AB123456", none,
         "(4.0) type = Code-128, code = AB123456, bwr = 0.0000, mag = 1.0000, shm = 0, "
         "bbar = 0, bbarend = 0.0000"},
        {"Codabar", FourCC("coda"), "A1234B",
         [](BarcodeProcessor& p) { dynamic_cast<Ratio&>(p).SetWideNarrowRatio(2.5); },
         "(4.0) type = Codabar, code = A1234B, bwr = 0.0000, mag = 1.0000, shm = 0, "
         "wnr = 2.5000"},
        {"Code 39 of 200 characters", FourCC("3of9"), longCode,
         [](BarcodeProcessor& p) { dynamic_cast<Ratio&>(p).SetWideNarrowRatio(3); },
         "(4.0) type = 3 of 9, code = " + longCode +
             ", bwr = 0.0000, mag = 1.0000, shm = 0, wnr = 3.0000, bbar = 0, bbarend = 0.0000"},
    };
    creationtest::CreationScene scene;
    // Numbers keep their point where the convention is a comma.
    NumericLocale german("de_DE.utf8");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<BarcodeProcessor> processor = Strivelo::CreateByType(c.type);
        ASSERT_EQ(processor->SetCode(c.code.c_str()), !c.code.empty());
        c.set(*processor);
        EXPECT_EQ(CreateTool::FormatParameters(*processor), c.tag);
    }
    scene.ExpectBalancedAndClean();
}

// Nothing is made, with a beep, whenever the palette has no symbol to hand
// out or the current layer takes no art.
TEST(CreateTool, MakesNothingWithoutASymbolOrAPlaceForIt) {
    struct Case {
        const char* what;
        std::function<void(PaletteScene&)> arrange;
        std::vector<std::int32_t> alerts;
        int beeps;
    };
    const auto layerFlag = [](bool standin::LayerRecord::*flag) {
        return [flag](PaletteScene& s) {
            s.store.SetLayerFlag(creationtest::kCall, s.Layer(), flag, false);
        };
    };
    const auto illegal = [](PaletteScene& s) {
        s.Menu(1);  // illegal values not allowed
        s.Enter(BarcodeDialog::kBarWidthReductionItem, "2 mm");
    };
    const Case cases[] = {
        {"no palette", [](PaletteScene&) { delete gBarcodeDialog; }, {}, 1},
        {"an empty code field", [](PaletteScene& s) { s.Type(""); }, {}, 1},
        {"a code typed that the symbology refuses", [](PaletteScene& s) { s.Type("12AB"); }, {}, 1},
        {"a hidden layer", layerFlag(&standin::LayerRecord::visible), {}, 1},
        {"a locked layer", layerFlag(&standin::LayerRecord::editable), {}, 1},
        {"illegal values", illegal, {BarcodeDialog::kIllegalParamsDialogId}, 2},
        {"illegal values, the alert switched off",
         [illegal](PaletteScene& s) {
             s.Store().Put("DontShowWarningAgain", "M7LAlertOnceDialogs-BarcodeIllegalParams",
                           true);
             illegal(s);
         },
         {},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PaletteScene scene;
        ASSERT_TRUE(scene.Ready(FourCC("eanD"), "4-006381-333931"));
        c.arrange(scene);
        for (std::size_t i = 0; i < c.alerts.size(); ++i) {
            scene.dialogs.ExpectModal("Alert Illegal Params Dialog").Press(host::kOkItem);
        }
        EXPECT_EQ(scene.Click({100, 300}), host::kNoError);
        EXPECT_EQ(scene.Children(scene.LayerGroup()), std::vector<host::Art>{});
        EXPECT_EQ(scene.Beeps(), c.beeps);
        EXPECT_EQ(scene.Modals(), c.alerts);
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// A symbol the self-check cannot read back is kept, and the user told; a
// failing host call of the reading is the result too.
TEST(CreateTool, KeepsASymbolItsSelfCheckCannotRead) {
    struct Case {
        const char* what;
        std::function<void(PaletteScene&)> arrange;
        bool told;
        host::Error result;
    };
    const Case cases[] = {
        {"read back", [](PaletteScene&) {}, false, host::kNoError},
        {"bars widened into each other",
         [](PaletteScene& s) { s.Enter(BarcodeDialog::kBarWidthReductionItem, "-0.4 mm"); }, true,
         host::kNoError},
        {"bars widened into each other, no self-check",
         [](PaletteScene& s) {
             s.Enter(BarcodeDialog::kBarWidthReductionItem, "-0.4 mm");
             s.Menu(0);
         },
         false, host::kNoError},
        {"text the host cannot set, its font held meanwhile",
         [](PaletteScene& s) {
             s.host.Core().GetFaults().FailCall(host::kAteTextRangeSuite.name, "InsertAfter",
                                                kInjected);
         },
         false, host::kNoError},
        {"the reading fails",
         [](PaletteScene& s) {
             s.host.Core().GetFaults().FailCall(host::kAiArtSuite.name, "GetArtBounds", kInjected);
         },
         true, kInjected},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PaletteScene scene;
        ASSERT_TRUE(scene.Ready(FourCC("eanD"), "4-006381-333931"));
        c.arrange(scene);
        if (c.told) {
            scene.dialogs.ExpectModal(CreateTool::kSelfCheckFailedDialogName).Press(host::kOkItem);
        }
        EXPECT_EQ(scene.Click({100, 300}), c.result);
        scene.host.Core().GetFaults().Clear();
        ASSERT_EQ(scene.Children(scene.LayerGroup()).size(), 1u);
        const std::vector<host::Art> parts = scene.Children(scene.Children(scene.LayerGroup())[0]);
        EXPECT_EQ(scene.Children(parts.at(1)).size(), 30u);  // the bars of an EAN-13
        EXPECT_EQ(scene.ShownCode(), "4-006381-333931");
        EXPECT_EQ(scene.Modals(),
                  c.told ? std::vector<std::int32_t>{CreateTool::kSelfCheckFailedDialogId}
                         : std::vector<std::int32_t>{});
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// A group that cannot be made is the result, after the palette shows its
// code again.
TEST(CreateTool, AnswersTheHostsRefusal) {
    PaletteScene scene;
    ASSERT_TRUE(scene.Ready(FourCC("eanD"), "4-006381-333931"));
    scene.host.Core().GetFaults().FailCall(host::kAiArtSuite.name, "NewArt", kInjected, 1);
    EXPECT_EQ(scene.Click({100, 300}), kInjected);
    EXPECT_EQ(scene.Children(scene.LayerGroup()), std::vector<host::Art>{});
    EXPECT_EQ(scene.ShownCode(), "4-006381-333931");
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

// The symbol goes where the button went down, not where it came up.
TEST(CreateTool, PlacesTheSymbolWhereThePressBegan) {
    PaletteScene scene;
    ASSERT_TRUE(scene.Ready(FourCC("c128"), "AB123456"));
    const host::RealPoint down{50, 60};
    scene.host.SendTool(CreateTool::kName, host::kSelectorMouseDown, down);
    scene.host.SendTool(CreateTool::kName, host::kSelectorMouseDrag, {200, 200});
    ASSERT_EQ(scene.host.SendTool(CreateTool::kName, host::kSelectorMouseUp, {300, 400}),
              host::kNoError);
    const creationtest::DrawnSymbol there = creationtest::DrawSymbol(
        scene, scene.LayerGroup(), *scene.Palette().GetProcessorForCreate(), {.origin = down});
    const std::vector<host::Art> symbols = scene.Children(scene.LayerGroup());
    ASSERT_EQ(symbols.size(), 2u);
    host::RealRect made{};
    host::RealRect drawn{};
    ASSERT_EQ(scene.store.Bounds(creationtest::kCall, symbols[0], &made), host::kNoError);
    ASSERT_EQ(scene.store.Bounds(creationtest::kCall, there.group, &drawn), host::kNoError);
    EXPECT_EQ(made, drawn);
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

// The two tools: their names, texts and group, their cursors, and choosing
// either shows the palette.
TEST(Tools, AreAddedAsOneGroupAndShowThePalette) {
    struct Case {
        const char* name;
        const char* title;
        std::int32_t cursor;
    };
    const Case cases[] = {
        {MeasureTool::kName, "Barcode messen", MeasureTool::kCursorId},
        {CreateTool::kName, "Barcode erzeugen", CreateTool::kCursorId},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PaletteScene scene;
        scene.MakePalette().Show(false);
        scene.MakeTools();
        const standin::ToolRecord* tool = scene.host.Tools().FindTool(c.name);
        const standin::ToolRecord* measure = scene.host.Tools().FindTool(MeasureTool::kName);
        ASSERT_NE(tool, nullptr);
        EXPECT_EQ(tool->title, c.title);
        EXPECT_EQ(tool->tip, c.title);
        EXPECT_EQ(tool->group, measure->number);
        EXPECT_EQ(tool->toolset, measure->number);
        EXPECT_EQ(scene.host.SendTool(c.name, host::kSelectorTrackCursor), host::kNoError);
        EXPECT_EQ(scene.host.Platform().CurrentCursor(), c.cursor);
        EXPECT_FALSE(scene.View().visible);
        EXPECT_EQ(scene.host.SendTool(c.name, host::kSelectorSelect), host::kNoError);
        EXPECT_TRUE(scene.View().visible);
        for (const char* selector : {host::kSelectorEditOptions, host::kSelectorDeselect}) {
            EXPECT_EQ(scene.host.SendTool(c.name, selector), host::kNoError);
        }
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
