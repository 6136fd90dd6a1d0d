// The barcode palette's items as the user works them: the units of the
// fields, the warnings beside values the symbology refuses, the code field's
// corrections, which items a symbology offers, the text scaling's range and
// the options menu.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "CaseName.h"
#include "PaletteScene.h"

namespace {

using creationtest::PaletteScene;
using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;

constexpr double kPointsPerMm = 72 / 25.4;
constexpr std::int32_t kSideMenu = BarcodeDialog::kSideMenuItem;

double RatioOf(BarcodeProcessor* processor) {
    return dynamic_cast<Strivelo::BarcodeProcessorMixIn_WideNarrowOption&>(*processor)
        .GetWideNarrowRatio();
}

// A value typed into a field goes into the symbol in its units, and the
// field shows it as taken.
TEST(BarcodePaletteItems, TakeValuesInTheirUnits) {
    struct Case {
        const char* what;
        std::int32_t type;
        std::int32_t item;
        const char* typed;
        std::function<double(BarcodeProcessor*)> stored;
        double expected;
        float shown;
    };
    const auto reduction = [](BarcodeProcessor* p) { return p->GetBarWidthReduction(); };
    const auto height = [](BarcodeProcessor* p) { return p->GetBarHeight(); };
    const Case cases[] = {
        {"a reduction in points", FourCC("c128"), BarcodeDialog::kBarWidthReductionItem,
         "0.2834645 pt", reduction, 0.1, 0.2834645f},
        {"a reduction in millimetres", FourCC("c128"), BarcodeDialog::kBarWidthReductionItem,
         "0.1 mm", reduction, 0.1, 0.2834646f},
        {"a magnification in percent", FourCC("c128"), BarcodeDialog::kMagnificationItem, "80",
         [](BarcodeProcessor* p) { return p->GetMagnification(); }, 0.8, 80},
        {"a height in millimetres", FourCC("c128"), BarcodeDialog::kBarHeightItem, "10 mm", height,
         10, static_cast<float>(10 * kPointsPerMm)},
        {"the symbology's own height", FourCC("c128"), BarcodeDialog::kBarHeightItem, "0", height,
         0, 0},
        {"a ratio", FourCC("2of5"), BarcodeDialog::kRatioItem, "2.75", RatioOf, 2.75, 2.75f},
        {"a ratio below what any symbology takes", FourCC("2of5"), BarcodeDialog::kRatioItem,
         "1.09", RatioOf, 2.5, 2.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PaletteScene scene;
        BarcodeDialog& palette = scene.MakePalette();
        ASSERT_TRUE(scene.Choose(c.type));
        ASSERT_TRUE(scene.Type(c.type == FourCC("c128") ? "AB123456" : "1234"));
        ASSERT_TRUE(scene.Enter(c.item, c.typed));
        BarcodeProcessor* processor = palette.GetProcessorForCreate();
        ASSERT_NE(processor, nullptr);
        EXPECT_NEAR(c.stored(processor), c.expected, 1e-7);
        EXPECT_NEAR(scene.View().items.at(c.item).number, c.shown, 1e-6);
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// A warning shows beside a value exactly while the symbology refuses it;
// the ratio's goes with the ratio when a symbology has none.
TEST(BarcodePaletteItems, WarnOfValuesTheSymbologyRefuses) {
    struct Case {
        const char* what;
        std::int32_t item;
        const char* refused;
        const char* taken;
        std::int32_t warning;
    };
    const Case cases[] = {
        {"reduction", BarcodeDialog::kBarWidthReductionItem, "2 mm", "0", 17},
        {"magnification", BarcodeDialog::kMagnificationItem, "500", "100", 19},
        {"height", BarcodeDialog::kBarHeightItem, "1 mm", "0", 21},
        {"ratio", BarcodeDialog::kRatioItem, "1.5", "2.5", 23},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PaletteScene scene;
        scene.MakePalette();
        ASSERT_TRUE(scene.Choose(FourCC("2of5")));
        ASSERT_TRUE(scene.Type("1234"));
        const auto warned = [&] { return scene.View().items.at(c.warning).visible; };
        EXPECT_FALSE(warned());
        ASSERT_TRUE(scene.Enter(c.item, c.refused));
        EXPECT_TRUE(warned());
        ASSERT_TRUE(scene.Enter(c.item, c.taken));
        EXPECT_FALSE(warned());
        ASSERT_TRUE(scene.Enter(c.item, c.refused));
        ASSERT_TRUE(scene.Choose(FourCC("ean8")));
        EXPECT_EQ(warned(), c.item != BarcodeDialog::kRatioItem);
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// A code typed becomes the symbol's as the symbology corrects it; a code
// changed or cut shows as it became, with the alert (unless switched off);
// a code refused keeps the symbol's and shows the warning.
TEST(BarcodePaletteItems, CorrectTheCodeAsTyped) {
    struct Case {
        const char* what;
        std::int32_t type;
        std::string typed;
        std::string shown;
        bool alert;
        bool alertSwitchedOff;
        bool taken;
    };
    const std::string long39(300, 'A');
    const Case cases[] = {
        {"a code as the symbology writes it", FourCC("eanD"), "4-006381-333931", "4-006381-333931",
         false, false, true},
        {"a wrong check digit", FourCC("eanD"), "4-006381-333932", "4-006381-333931", true, false,
         true},
        {"a wrong check digit, the alert switched off", FourCC("eanD"), "4-006381-333932",
         "4-006381-333931", false, true, true},
        {"digits without hyphens", FourCC("eanD"), "4006381333931", "4-006381-333931", true, false,
         true},
        {"letters", FourCC("eanD"), "12AB", "12AB", false, false, false},
        {"a code longer than any", FourCC("3of9"), long39, long39.substr(0, 255), true, false,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PaletteScene scene;
        BarcodeDialog& palette = scene.MakePalette();
        ASSERT_TRUE(scene.Choose(c.type));
        ASSERT_TRUE(scene.Type(c.type == FourCC("eanD") ? "9-783161-484100" : "CODE39"));
        const std::string before = scene.ShownCode();
        if (c.alertSwitchedOff) {
            scene.Store().Put("DontShowWarningAgain", "M7LAlertOnceDialogs-BarcodeCodeChange",
                              true);
        }
        if (c.alert) {
            scene.dialogs.ExpectModal("Alert Code Changed Dialog").Press(host::kOkItem);
        }
        ASSERT_TRUE(scene.Type(c.typed));
        EXPECT_EQ(scene.ShownCode(), c.shown);
        EXPECT_EQ(scene.View().items.at(BarcodeDialog::kCodeWarningItem).visible, !c.taken);
        BarcodeProcessor* processor = palette.GetProcessorForCreate();
        EXPECT_EQ(processor != nullptr, c.taken);
        scene.Type(before);
        EXPECT_NE(palette.GetProcessorForCreate(), nullptr) << "the symbol's code kept";
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// Each symbology offers the items of its options: the ratio with its label,
// the font, bearer bars, end bars (with bearer bars on, or where they are
// not the user's choice), text scaling and alignment.
TEST(BarcodePaletteItems, OfferWhatTheSymbologyHas) {
    struct Offered {
        bool ratio;
        bool ocrb;
        bool bearerBars;
        bool endBars;
        bool endBarsWithBearerBars;
        bool scaling;
        bool align;
        bool operator==(const Offered&) const = default;
    };
    struct Case {
        std::int32_t type;
        Offered offered;
    };
    const Case cases[] = {
        {FourCC("ean8"), {false, true, false, false, false, false, false}},
        {FourCC("upca"), {false, false, false, false, false, false, false}},
        {FourCC("isbn"), {false, false, false, false, false, false, true}},
        {FourCC("2of5"), {true, true, true, false, true, true, true}},
        {FourCC("itff"), {true, true, false, true, true, true, true}},
        {FourCC("c128"), {false, true, true, false, true, true, true}},
        {FourCC("coda"), {true, true, false, false, false, true, true}},
        {FourCC("codt"), {false, true, false, false, false, true, true}},
        {FourCC("ples"), {false, true, false, false, false, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(StriveloTest::TypeName(c.type));
        PaletteScene scene;
        scene.MakePalette();
        ASSERT_TRUE(scene.Choose(FourCC("2of5")));
        ASSERT_TRUE(scene.Choose(c.type));
        const auto enabled = [&](std::int32_t item) { return scene.View().items.at(item).enabled; };
        Offered offered{enabled(BarcodeDialog::kRatioItem),
                        enabled(BarcodeDialog::kOcrbItem),
                        enabled(BarcodeDialog::kBearerBarsItem),
                        enabled(BarcodeDialog::kEndBarsItem),
                        false,
                        enabled(BarcodeDialog::kTextScalingItem),
                        enabled(BarcodeDialog::kTextAlignItem)};
        if (offered.bearerBars) {
            ASSERT_TRUE(scene.Toggle(BarcodeDialog::kBearerBarsItem));
        }
        offered.endBarsWithBearerBars = enabled(BarcodeDialog::kEndBarsItem);
        EXPECT_EQ(offered, c.offered);
        EXPECT_EQ(enabled(BarcodeDialog::kRatioLabelItem), c.offered.ratio);
        EXPECT_TRUE(enabled(BarcodeDialog::kQuietZoneItem));
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// End bars read from the settings are shown, yet offered only with bearer
// bars on.
TEST(BarcodePaletteItems, OfferEndBarsReadOnlyWithBearerBars) {
    standin::PreferenceStore store;
    store.Put("M7LBarcodeDialog", "BarcodeType", std::string("c128"));
    store.Put("M7LBarcodeDialog", "AddBearerBar", false);
    store.Put("M7LBarcodeDialog", "AddBearerBarEndBars", true);
    PaletteScene scene({{"Ebene 1"}}, standin::DefaultFontCatalogue(), &store);
    scene.MakePalette();
    const auto endBars = [&] { return scene.View().items.at(BarcodeDialog::kEndBarsItem); };
    EXPECT_TRUE(endBars().boolean);
    EXPECT_FALSE(endBars().enabled);
    ASSERT_TRUE(scene.Toggle(BarcodeDialog::kBearerBarsItem));
    EXPECT_TRUE(endBars().enabled);
    ASSERT_TRUE(scene.Toggle(BarcodeDialog::kBearerBarsItem));
    EXPECT_FALSE(endBars().enabled);
    EXPECT_TRUE(scene.Palette().GetAddBearerBarEndBars());
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

TEST(BarcodePaletteItems, KeepTheTextScalingInItsRange) {
    struct Case {
        const char* typed;
        float kept;
    };
    const Case cases[] = {{"10", 25},   {"24.9", 25}, {"25", 25},
                          {"150", 150}, {"200", 200}, {"300", 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        PaletteScene scene;
        BarcodeDialog& palette = scene.MakePalette();
        ASSERT_TRUE(scene.Choose(FourCC("c128")));
        ASSERT_TRUE(scene.Enter(BarcodeDialog::kTextScalingItem, c.typed));
        EXPECT_EQ(scene.View().items.at(BarcodeDialog::kTextScalingItem).number, c.kept);
        EXPECT_EQ(palette.GetHumanReadableTextScaling(), c.kept);
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// Each entry of the options menu toggles its option and its check mark;
// separators are no choice, and the font replacements are offered only
// while there is one.
TEST(BarcodePaletteItems, ToggleTheOptionsOfTheMenu) {
    struct Case {
        int entry;
        std::function<bool(const BarcodeDialog&)> option;
    };
    const Case cases[] = {
        {0, [](const BarcodeDialog& p) { return p.GetDoSelfCheckOnCreate(); }},
        {1, [](const BarcodeDialog& p) { return p.GetAllowIllegalParametersOnCreate(); }},
        {3, [](const BarcodeDialog&) { return BarcodeDialog::GetUPCBeforeEAN(); }},
        {5, [](const BarcodeDialog& p) { return p.GetScaleHeightWithWidth(); }},
        {6, [](const BarcodeDialog& p) { return p.GetAddEraseBox(); }},
        {7, [](const BarcodeDialog& p) { return p.GetCreateTextOutlines(); }},
    };
    PaletteScene scene;
    BarcodeDialog& palette = scene.MakePalette();
    const auto checked = [&](int entry) {
        return scene.View().items.at(kSideMenu).entries.at(static_cast<std::size_t>(entry)).checked;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const bool before = c.option(palette);
        EXPECT_EQ(checked(c.entry), before);
        ASSERT_TRUE(scene.Menu(c.entry));
        EXPECT_EQ(c.option(palette), !before);
        EXPECT_EQ(checked(c.entry), !before);
        ASSERT_TRUE(scene.Menu(c.entry));
        EXPECT_EQ(c.option(palette), before);
        EXPECT_EQ(checked(c.entry), before);
    }
    for (const int separator : {2, 4, 8}) {
        EXPECT_FALSE(scene.Menu(separator));
    }
    EXPECT_FALSE(scene.Menu(9));
    ASSERT_EQ(palette.SetFontReplacement("Frutiger", "ArialMT"), host::kNoError);
    scene.dialogs.ExpectModal("BarcodeFontDialog").Press(host::kOkItem);
    EXPECT_TRUE(scene.Menu(9));
    palette.RemoveFontReplacement("Frutiger");
    EXPECT_FALSE(scene.Menu(9));
    EXPECT_EQ(scene.Modals(), std::vector<std::int32_t>{16300});
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

// The buttons carry their tips where the texts load, the labels the
// palette's font.
TEST(BarcodePaletteItems, CarryTheirTipsAndFont) {
    struct Case {
        std::int32_t item;
        std::uint32_t tip;
        const char* text;
    };
    const Case cases[] = {
        {BarcodeDialog::kTryAgainItem, 16021, "Überprüfe andere passende Barcodes"},
        {BarcodeDialog::kQuietZoneItem, 16022, "Weißraum-Begrenzungszeichen hinzufügen"},
        {BarcodeDialog::kBearerBarsItem, 16023, "Trägerbalken hinzufügen"},
        {BarcodeDialog::kEndBarsItem, 16024, "Abschlußbalken für Trägerbalken hinzufügen"},
        {BarcodeDialog::kOcrbItem, 16025, "OCRB als Standard-Schrift benutzen"},
        {BarcodeDialog::kTextAlignItem, 16026, "Lesbaren Text links oder zentriert ausrichten"},
    };
    for (const bool loads : {true, false}) {
        SCOPED_TRACE(loads ? "texts there" : "texts missing");
        PaletteScene scene;
        if (!loads) {
            for (const Case& c : cases) {
                scene.resources.RemoveString(c.tip);
            }
        }
        scene.MakePalette();
        const standin::DialogSnapshot view = scene.View();
        for (const Case& c : cases) {
            EXPECT_EQ(view.items.at(c.item).tip, loads ? c.text : "") << c.item;
        }
        for (std::int32_t label = 1; label <= 6; ++label) {
            EXPECT_EQ(view.items.at(label).font, host::kFontPalette) << label;
        }
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// A type the palette cannot make keeps its symbol.
TEST(BarcodePaletteItems, KeepTheSymbolForATypeThatCannotBeMade) {
    for (const std::int32_t type : {FourCC("----"), FourCC("zzzz"), 0}) {
        SCOPED_TRACE(type);
        PaletteScene scene;
        BarcodeDialog& palette = scene.MakePalette();
        ASSERT_TRUE(scene.Choose(FourCC("c128")));
        ASSERT_TRUE(scene.Type("AB123456"));
        palette.SetBarcodeType(type);
        EXPECT_EQ(scene.ShownType(), FourCC("c128"));
        ASSERT_NE(palette.GetProcessorForCreate(), nullptr);
        EXPECT_STREQ(palette.GetProcessorForCreate()->GetCode(), "AB123456");
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
