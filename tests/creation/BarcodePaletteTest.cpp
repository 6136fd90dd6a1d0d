// The barcode palette as a model: its settings across restarts, its
// placement however it goes, the symbol it hands out, the code carried from
// one type to another, a reading with its candidates, the one symbology
// order, and the model without its dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BarcodeArtScanner.h"
#include "BarcodeEdgeView.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorMixIn_FontScaling.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeProcessorRegistry.h"
#include "CaseName.h"
#include "PaletteScene.h"
#include "SymbolArt.h"

namespace {

using creationtest::PaletteScene;
using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;

constexpr const char* kSection = "M7LBarcodeDialog";
constexpr std::int32_t kSideMenu = BarcodeDialog::kSideMenuItem;

// Every option of the palette, and the type its popup shows.
struct Options {
    bool quietZone = true;
    bool bearerBars = false;
    bool endBars = false;
    bool ocrb = false;
    bool centred = false;
    double scaling = 100;
    bool selfCheck = true;
    bool allowIllegal = true;
    bool upcBeforeEan = true;
    bool scaleHeight = false;
    bool eraseBox = true;
    bool outlines = false;
    std::int32_t type = FourCC("ean8");
    bool operator==(const Options&) const = default;
};

void PrintTo(const Options& o, std::ostream* os) {
    *os << "quiet zone " << o.quietZone << ", bearer " << o.bearerBars << ", end bars " << o.endBars
        << ", OCR-B " << o.ocrb << ", centred " << o.centred << ", scaling " << o.scaling
        << ", self-check " << o.selfCheck << ", illegal " << o.allowIllegal << ", UPC first "
        << o.upcBeforeEan << ", scale height " << o.scaleHeight << ", erase box " << o.eraseBox
        << ", outlines " << o.outlines << ", type " << StriveloTest::TypeName(o.type);
}

Options OptionsOf(const BarcodeDialog& p, std::int32_t shownType) {
    return {p.GetAddQuietZoneIndicator(),
            p.GetAddBearerBar(),
            p.GetAddBearerBarEndBars(),
            p.GetUseOCRBFont(),
            p.GetHumanReadableTextCenterAlign(),
            p.GetHumanReadableTextScaling(),
            p.GetDoSelfCheckOnCreate(),
            p.GetAllowIllegalParametersOnCreate(),
            BarcodeDialog::GetUPCBeforeEAN(),
            p.GetScaleHeightWithWidth(),
            p.GetAddEraseBox(),
            p.GetCreateTextOutlines(),
            shownType};
}

// The options as the palette's items show them.
Options ShownOptions(PaletteScene& scene) {
    const standin::DialogSnapshot view = scene.View();
    const auto on = [&](std::int32_t item) { return view.items.at(item).boolean; };
    const auto checked = [&](std::size_t entry) {
        return view.items.at(kSideMenu).entries.at(entry).checked;
    };
    return {on(BarcodeDialog::kQuietZoneItem),
            on(BarcodeDialog::kBearerBarsItem),
            on(BarcodeDialog::kEndBarsItem),
            on(BarcodeDialog::kOcrbItem),
            on(BarcodeDialog::kTextAlignItem),
            view.items.at(BarcodeDialog::kTextScalingItem).number,
            checked(0),
            checked(1),
            checked(3),
            checked(5),
            checked(6),
            checked(7),
            scene.ShownType()};
}

TEST(BarcodePalette, StartsWithTheDefaultsOfAnEmptyStore) {
    PaletteScene scene;
    BarcodeDialog& palette = scene.MakePalette();
    EXPECT_EQ(OptionsOf(palette, scene.ShownType()), Options{});
    EXPECT_EQ(ShownOptions(scene), Options{});
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

// Whatever the user changes in the palette is there again after a restart
// on the same preferences.
TEST(BarcodePalette, KeepsEveryUserChangeThroughARestart) {
    struct Case {
        const char* what;
        std::function<bool(PaletteScene&)> change;
        Options kept;
    };
    const auto with = [](auto change) {
        Options options;
        options.type = FourCC("c128");
        change(options);
        return options;
    };
    const auto toggle = [](std::int32_t item) {
        return [item](PaletteScene& s) { return s.Toggle(item); };
    };
    const auto menu = [](int entry) { return [entry](PaletteScene& s) { return s.Menu(entry); }; };
    const Case cases[] = {
        {"nothing", [](PaletteScene&) { return true; }, with([](Options&) {})},
        {"no quiet-zone marks", toggle(BarcodeDialog::kQuietZoneItem),
         with([](Options& o) { o.quietZone = false; })},
        {"bearer bars", toggle(BarcodeDialog::kBearerBarsItem),
         with([](Options& o) { o.bearerBars = true; })},
        {"bearer bars closed by end bars",
         [](PaletteScene& s) {
             return s.Toggle(BarcodeDialog::kBearerBarsItem) &&
                    s.Toggle(BarcodeDialog::kEndBarsItem);
         },
         with([](Options& o) { o.bearerBars = o.endBars = true; })},
        {"end bars kept while bearer bars went",
         [](PaletteScene& s) {
             return s.Toggle(BarcodeDialog::kBearerBarsItem) &&
                    s.Toggle(BarcodeDialog::kEndBarsItem) &&
                    s.Toggle(BarcodeDialog::kBearerBarsItem);
         },
         with([](Options& o) { o.endBars = true; })},
        {"OCR-B", toggle(BarcodeDialog::kOcrbItem), with([](Options& o) { o.ocrb = true; })},
        {"centred text", toggle(BarcodeDialog::kTextAlignItem),
         with([](Options& o) { o.centred = true; })},
        {"text at 150 %",
         [](PaletteScene& s) { return s.Enter(BarcodeDialog::kTextScalingItem, "150"); },
         with([](Options& o) { o.scaling = 150; })},
        {"no self-check", menu(0), with([](Options& o) { o.selfCheck = false; })},
        {"illegal values refused", menu(1), with([](Options& o) { o.allowIllegal = false; })},
        {"EAN before UPC", menu(3), with([](Options& o) { o.upcBeforeEan = false; })},
        {"height growing with the width", menu(5), with([](Options& o) { o.scaleHeight = true; })},
        {"no erase box", menu(6), with([](Options& o) { o.eraseBox = false; })},
        {"text as outlines", menu(7), with([](Options& o) { o.outlines = true; })},
        {"ISBN-13 with dual numbering", [](PaletteScene& s) { return s.Choose(FourCC("isbd")); },
         with([](Options& o) { o.type = FourCC("isbd"); })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        standin::PreferenceStore store;
        {
            PaletteScene scene({{"Ebene 1"}}, standin::DefaultFontCatalogue(), &store);
            scene.MakePalette();
            ASSERT_TRUE(scene.Choose(FourCC("c128")));
            ASSERT_TRUE(c.change(scene));
            scene.Shutdown();
            scene.ExpectBalancedAndClean();
        }
        PaletteScene scene({{"Ebene 1"}}, standin::DefaultFontCatalogue(), &store);
        BarcodeDialog& palette = scene.MakePalette();
        EXPECT_EQ(OptionsOf(palette, scene.ShownType()), c.kept);
        EXPECT_EQ(ShownOptions(scene), c.kept);
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// Stored values that make no sense give the defaults or the nearest that
// does.
TEST(BarcodePalette, LoadsStoredValuesOutOfTheirRangeSoundly) {
    struct Case {
        const char* what;
        std::function<void(standin::PreferenceStore&)> seed;
        Options loaded;
    };
    const auto type = [](std::string text) {
        return [text](standin::PreferenceStore& s) { s.Put(kSection, "BarcodeType", text); };
    };
    const auto scaling = [](double percent) {
        return [percent](standin::PreferenceStore& s) {
            s.Put(kSection, "HumanReadableTextScaling", percent);
        };
    };
    const auto with = [](auto change) {
        Options options;
        change(options);
        return options;
    };
    const Case cases[] = {
        {"a type too short", type("xx"), {}},
        {"a type too long", type("ean13"), {}},
        {"a type not known", type("zzzz"), {}},
        {"a separator", type("----"), {}},
        {"a type of its own", type("upce"), with([](Options& o) { o.type = FourCC("upce"); })},
        {"text far too small", scaling(10), with([](Options& o) { o.scaling = 25; })},
        {"text far too large", scaling(1000), with([](Options& o) { o.scaling = 200; })},
        {"text of no size", scaling(std::numeric_limits<double>::quiet_NaN()), {}},
        {"an option stored as text",
         [](standin::PreferenceStore& s) { s.Put(kSection, "AddEraseBox", std::string("0")); },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        standin::PreferenceStore store;
        c.seed(store);
        PaletteScene scene({{"Ebene 1"}}, standin::DefaultFontCatalogue(), &store);
        BarcodeDialog& palette = scene.MakePalette();
        EXPECT_EQ(OptionsOf(palette, scene.ShownType()), c.loaded);
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// The palette keeps where it was and whether it was shown, whether the host
// closes it or the plug-in deletes it at shutdown; and opens there again.
TEST(BarcodePalette, SavesItsPlacementHoweverItGoes) {
    for (const bool hostCloses : {true, false}) {
        SCOPED_TRACE(hostCloses ? "closed by the host" : "deleted at shutdown");
        standin::PreferenceStore store;
        {
            PaletteScene scene({{"Ebene 1"}}, standin::DefaultFontCatalogue(), &store);
            BarcodeDialog& palette = scene.MakePalette();
            palette.Move(200, 150);
            ASSERT_TRUE(scene.Choose(FourCC("c128")));
            ASSERT_TRUE(scene.Menu(7));
            if (hostCloses) {
                ASSERT_TRUE(scene.dialogs.Close(scene.PaletteDialog()));
                EXPECT_EQ(gBarcodeDialog, nullptr);
            }
            scene.Shutdown();
            scene.ExpectBalancedAndClean();
        }
        EXPECT_EQ(store.Get<bool>(kSection, "Visible"), true);
        EXPECT_EQ(store.Get<std::string>(kSection, "BarcodeType"), "c128");
        EXPECT_EQ(store.Get<bool>(kSection, "CreateTextOutlines"), true);
        PaletteScene scene({{"Ebene 1"}}, standin::DefaultFontCatalogue(), &store);
        gBarcodeDialog = new BarcodeDialog;
        const standin::DialogSnapshot view = scene.View();
        EXPECT_TRUE(view.visible);
        EXPECT_EQ(view.bounds.left, 200);
        EXPECT_EQ(view.bounds.top, 150);
        EXPECT_EQ(view.bounds.right - view.bounds.left, BarcodeDialog::kWidth);
        EXPECT_EQ(view.minWidth, 100);
        EXPECT_EQ(view.minHeight, 100);
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// The symbol goes to the create tool only as the code field shows it, with
// legal parameters unless illegal ones are allowed, and with the palette's
// options in it.
TEST(BarcodePalette, HandsOutTheSymbolAsTheFieldShowsIt) {
    struct Case {
        const char* what;
        std::function<void(PaletteScene&)> arrange;
        bool handedOut;
        bool alert;
    };
    const auto none = [](PaletteScene&) {};
    const auto illegal = [](PaletteScene& s) { s.Enter(BarcodeDialog::kMagnificationItem, "500"); };
    const Case cases[] = {
        {"as typed", none, true, false},
        {"the field emptied", [](PaletteScene& s) { s.Type(""); }, false, false},
        {"a code the symbology refuses", [](PaletteScene& s) { s.Type("Ä"); }, false, false},
        {"illegal values allowed", illegal, true, false},
        {"illegal values refused",
         [illegal](PaletteScene& s) {
             s.Menu(1);
             illegal(s);
         },
         false, true},
        {"legal values, illegal ones refused", [](PaletteScene& s) { s.Menu(1); }, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PaletteScene scene;
        BarcodeDialog& palette = scene.MakePalette();
        ASSERT_TRUE(scene.Choose(FourCC("c128")));
        ASSERT_TRUE(scene.Type("AB123456"));
        c.arrange(scene);
        if (c.alert) {
            scene.dialogs.ExpectModal("Alert Illegal Params Dialog").Press(host::kOkItem);
        }
        EXPECT_EQ(palette.GetProcessorForCreate() != nullptr, c.handedOut);
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

TEST(BarcodePalette, PutsItsOptionsIntoTheSymbol) {
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on ? "options on" : "options off");
        PaletteScene scene;
        BarcodeDialog& palette = scene.MakePalette();
        ASSERT_TRUE(scene.Choose(FourCC("c128")));
        ASSERT_TRUE(scene.Type("AB123456"));
        if (on) {
            for (const std::int32_t item :
                 {BarcodeDialog::kBearerBarsItem, BarcodeDialog::kEndBarsItem,
                  BarcodeDialog::kOcrbItem, BarcodeDialog::kTextAlignItem}) {
                ASSERT_TRUE(scene.Toggle(item));
            }
            ASSERT_TRUE(scene.Enter(BarcodeDialog::kTextScalingItem, "150"));
            ASSERT_TRUE(scene.Menu(5));
        }
        BarcodeProcessor* processor = palette.GetProcessorForCreate();
        ASSERT_NE(processor, nullptr);
        EXPECT_EQ(dynamic_cast<Strivelo::BarcodeProcessorMixIn_Font&>(*processor).GetFont(),
                  std::string(on ? "OCRB" : "Helvetica"));
        const auto& bearer =
            dynamic_cast<Strivelo::BarcodeProcessorMixIn_BearerBarsOption&>(*processor);
        EXPECT_EQ(bearer.GetBearerBars(), on);
        EXPECT_EQ(bearer.GetBearerBarEndBars(), on);
        const auto& text = dynamic_cast<Strivelo::BarcodeProcessorMixIn_FontScaling&>(*processor);
        EXPECT_EQ(text.GetFontScaling(), on ? 1.5 : 1.0);
        EXPECT_EQ(text.GetCenterAlign(), on);
        EXPECT_EQ(processor->GetScaleHeightWithWidth(), on);
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// A code typed for one type goes with the user to a related type, converted
// where the types write the same symbol differently; the parameters go
// along.
TEST(BarcodePalette, CarriesTheCodeOverToAnotherType) {
    struct Case {
        const char* from;
        const char* code;
        const char* to;
        const char* carried;
        bool valid;
    };
    const Case cases[] = {
        {"eanD", "0-036000-291452", "upca", "0-36000-29145-2", true},
        {"eanD", "4-006381-333931", "upca", "4-006381-333931", false},
        {"upca", "0-36000-29145-2", "eanD", "0-036000-291452", true},
        {"ean8", "0123-4565", "ms7b", "1234565", true},
        {"ms7b", "1234565", "ean8", "0123-4565", true},
        {"eanD", "9-783161-484100", "isbn", "3-16-148410-X", true},
        {"eanD", "9-783161-484100", "isbe", "978-3-16-148410-0", true},
        {"eanD", "9-783161-484100", "isbd", "978-3-16-148410-0", true},
        {"eanD", "9-770317-847001", "issn", "0317-8471", true},
        {"isbn", "3-16-148410-X", "isbe", "978-3-16-148410-0", true},
        {"isbe", "978-3-16-148410-0", "isbn", "3-16-148410-X", true},
        {"isbe", "978-3-16-148410-0", "eanD", "9-783161-484100", true},
        {"issn", "0317-8471", "eanD", "9-770317-847001", true},
        {"eanD", "4-006381-333931", "c128", "4-006381-333931", true},
        {"ms7b", "1234565", "eanD", "1234565", false},
    };
    const auto type = [](const char* text) {
        return static_cast<std::int32_t>(
            static_cast<std::uint32_t>(text[0]) << 24 | static_cast<std::uint32_t>(text[1]) << 16 |
            static_cast<std::uint32_t>(text[2]) << 8 | static_cast<std::uint32_t>(text[3]));
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " " + c.code + " to " + c.to);
        PaletteScene scene;
        scene.MakePalette();
        ASSERT_TRUE(scene.Choose(type(c.from)));
        ASSERT_TRUE(scene.Type(c.code));
        ASSERT_EQ(scene.ShownCode(), c.code);
        ASSERT_TRUE(scene.Enter(BarcodeDialog::kBarWidthReductionItem, "0.02 mm"));
        ASSERT_TRUE(scene.Enter(BarcodeDialog::kMagnificationItem, "120"));
        ASSERT_TRUE(scene.Enter(BarcodeDialog::kBarHeightItem, "20 mm"));
        ASSERT_TRUE(scene.Choose(type(c.to)));
        EXPECT_EQ(StriveloTest::TypeName(scene.ShownType()), c.to);
        EXPECT_EQ(scene.ShownCode(), c.carried);
        const standin::DialogSnapshot view = scene.View();
        EXPECT_EQ(view.items.at(BarcodeDialog::kCodeWarningItem).visible, !c.valid);
        EXPECT_NEAR(view.items.at(BarcodeDialog::kBarWidthReductionItem).number, 0.02 * 72 / 25.4,
                    1e-5);
        EXPECT_NEAR(view.items.at(BarcodeDialog::kMagnificationItem).number, 120, 1e-4);
        EXPECT_NEAR(view.items.at(BarcodeDialog::kBarHeightItem).number, 20 * 72 / 25.4, 1e-4);
        EXPECT_EQ(scene.Palette().GetProcessorForCreate() != nullptr, c.valid);
        scene.Shutdown();
        scene.ExpectBalancedAndClean();
    }
}

// The ratio goes along between two types built of two widths.
TEST(BarcodePalette, CarriesTheRatioBetweenTypesOfTwoWidths) {
    PaletteScene scene;
    scene.MakePalette();
    ASSERT_TRUE(scene.Choose(FourCC("2of5")));
    ASSERT_TRUE(scene.Enter(BarcodeDialog::kRatioItem, "2.75"));
    ASSERT_TRUE(scene.Choose(FourCC("coda")));
    EXPECT_EQ(scene.View().items.at(BarcodeDialog::kRatioItem).number, 2.75f);
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

// A reading that other symbologies read as well offers them; the read-outs
// show its deviations while it is shown.
TEST(BarcodePalette, OffersTheOtherCandidatesOfAReading) {
    PaletteScene scene;
    BarcodeDialog& palette = scene.MakePalette();
    BarcodeDialog::SetUPCBeforeEAN(false);
    std::unique_ptr<BarcodeProcessor> upca = Strivelo::CreateByType(FourCC("upca"));
    ASSERT_TRUE(upca->SetCode("0-36000-29145-2"));
    const creationtest::DrawnSymbol symbol =
        creationtest::DrawSymbol(scene, scene.LayerGroup(), *upca);
    BarcodeArtScanner scanner;
    ASSERT_EQ(scanner.Collect(symbol.lineStart, symbol.lineEnd), host::kNoError);
    std::vector<double> edges(Strivelo::kMaxEdgeCount);
    std::vector<double> heights(Strivelo::kMaxEdgeCount / 2);
    const std::uint32_t count =
        scanner.GetEdges(edges.data(), heights.data(), Strivelo::kMaxEdgeCount);
    bool ambiguous = false;
    std::unique_ptr<BarcodeProcessor> reading =
        Strivelo::IdentifyFromEdges(edges.data(), count, &ambiguous);
    const auto height = [&] {
        const standin::DialogSnapshot view = scene.View();
        return view.bounds.bottom - view.bounds.top - host::kDialogTitleBarHeight;
    };
    EXPECT_EQ(height(), BarcodeDialog::kHeightWithoutDeviation);
    ASSERT_NE(reading, nullptr);
    ASSERT_TRUE(ambiguous);
    palette.SetProcessor(std::move(reading), ambiguous, true);
    EXPECT_EQ(scene.ShownType(), FourCC("eanD"));
    EXPECT_TRUE(scene.View().items.at(BarcodeDialog::kTryAgainItem).enabled);
    EXPECT_TRUE(scene.View().items.at(BarcodeDialog::kMaxDeviationItem).visible);
    EXPECT_EQ(height(), BarcodeDialog::kHeightWithDeviation);

    std::vector<std::int32_t> walked{scene.ShownType()};
    while (palette.TryNextCandidate()) {
        walked.push_back(scene.ShownType());
    }
    EXPECT_EQ(walked.front(), FourCC("eanD"));
    EXPECT_NE(std::find(walked.begin(), walked.end(), FourCC("upca")), walked.end());
    EXPECT_EQ(scene.ShownType(), walked.back());
    EXPECT_EQ(scene.ShownCode().empty(), false);

    palette.ClearCode();
    EXPECT_EQ(scene.ShownCode(), "");
    EXPECT_FALSE(scene.View().items.at(BarcodeDialog::kTryAgainItem).enabled);
    EXPECT_FALSE(scene.View().items.at(BarcodeDialog::kMaxDeviationItem).visible);
    EXPECT_EQ(height(), BarcodeDialog::kHeightWithoutDeviation);
    EXPECT_EQ(palette.GetProcessorForCreate(), nullptr);

    // A type chosen is no reading: the read-outs go.
    palette.SetProcessor(Strivelo::CreateByType(FourCC("upca")), true, true);
    ASSERT_TRUE(scene.Choose(FourCC("c128")));
    EXPECT_FALSE(scene.View().items.at(BarcodeDialog::kMaxDeviationItem).visible);
    EXPECT_FALSE(scene.View().items.at(BarcodeDialog::kTryAgainItem).enabled);
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

// One symbology order for all: the palette's menu sets and shows it, the
// order decides a tie, and what sets it elsewhere the menu shows too. The
// order outlives the palette.
TEST(BarcodePalette, FollowsTheOneSymbologyOrder) {
    PaletteScene scene;
    scene.MakePalette();
    std::unique_ptr<BarcodeProcessor> upca = Strivelo::CreateByType(FourCC("upca"));
    ASSERT_TRUE(upca->SetCode("0-36000-29145-2"));
    const creationtest::DrawnSymbol symbol =
        creationtest::DrawSymbol(scene, scene.LayerGroup(), *upca);
    const auto readType = [&] {
        return creationtest::ReadAlong(symbol.lineStart, symbol.lineEnd)->GetType();
    };
    const auto checked = [&] { return scene.View().items.at(kSideMenu).entries.at(3).checked; };
    EXPECT_TRUE(checked());
    EXPECT_EQ(readType(), FourCC("upca"));
    ASSERT_TRUE(scene.Menu(3));
    EXPECT_FALSE(checked());
    EXPECT_EQ(readType(), FourCC("eanD"));
    BarcodeDialog::SetUPCBeforeEAN(true);
    EXPECT_TRUE(checked());
    EXPECT_EQ(readType(), FourCC("upca"));
    scene.Shutdown();
    EXPECT_EQ(readType(), FourCC("upca"));
    scene.ExpectBalancedAndClean();
}

// Without its dialog the palette keeps the model: it loads and saves its
// settings, nothing of them lost, and hands out no symbol, since no field
// shows one.
TEST(BarcodePalette, KeepsItsModelWithoutItsDialog) {
    standin::PreferenceStore store;
    store.Put(kSection, "BarcodeType", std::string("c128"));
    store.Put(kSection, "AddEraseBox", false);
    store.Put(kSection, "HumanReadableTextScaling", 150.0);
    store.Put("M7LBarcodeDialog/FontReplacements", "NrOfFontReplacements", std::int32_t{1});
    store.Put("M7LBarcodeDialog/FontReplacements/0", "OriginalFontName", std::string("Foo"));
    store.Put("M7LBarcodeDialog/FontReplacements/0", "ReplaceFontName", std::string("ArialMT"));
    PaletteScene scene({{"Ebene 1"}}, standin::DefaultFontCatalogue(), &store);
    scene.resources.RemoveDialog(BarcodeDialog::kResourceId);
    scene.MakeTools();
    gBarcodeDialog = new BarcodeDialog;
    BarcodeDialog& palette = *gBarcodeDialog;
    EXPECT_FALSE(palette.GetDialog());
    EXPECT_FALSE(palette.IsVisible());
    palette.Show(true);
    EXPECT_FALSE(palette.GetAddEraseBox());
    EXPECT_EQ(palette.GetHumanReadableTextScaling(), 150);
    EXPECT_STREQ(palette.FindFontReplacement("Foo"), "ArialMT");
    EXPECT_EQ(palette.GetProcessorForCreate(), nullptr);
    EXPECT_EQ(scene.Click({100, 300}), host::kNoError);
    EXPECT_EQ(scene.Beeps(), 1);
    // A reading is the palette's symbol all the same.
    std::unique_ptr<BarcodeProcessor> made = Strivelo::CreateByType(FourCC("eanD"));
    ASSERT_TRUE(made->SetCode("4-006381-333931"));
    const creationtest::DrawnSymbol read =
        creationtest::DrawSymbol(scene, scene.LayerGroup(), *made);
    EXPECT_EQ(scene.Drag(read.lineStart, read.lineEnd), host::kNoError);
    palette.ClearCode();
    scene.Shutdown();
    EXPECT_EQ(store.Get<std::string>(kSection, "BarcodeType"), "eanD");
    EXPECT_EQ(store.Get<bool>(kSection, "AddEraseBox"), false);
    EXPECT_EQ(store.Get<double>(kSection, "HumanReadableTextScaling"), 150.0);
    EXPECT_EQ(store.Get<std::string>("M7LBarcodeDialog/FontReplacements/0", "ReplaceFontName"),
              "ArialMT");
    scene.ExpectBalancedAndClean();
}

}  // namespace
