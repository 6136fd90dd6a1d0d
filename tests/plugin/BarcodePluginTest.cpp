// The plug-in as the host runs it: its start-up, the two palettes, its
// shutdown, and the suite it publishes, called by another plug-in.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DialogManager.h"
#include "StandInHost.h"
#include "SuiteCaller.h"
#include "host/HostMessages.h"

namespace {

constexpr const char* kCall = "test";
constexpr const char* kBarcodePalette = "BarcodeDialog";
constexpr const char* kCheckPalette = "CheckDialog";
constexpr const char* kBarcodeSection = "M7LBarcodeDialog";
constexpr const char* kCheckSection = "M7LCheckDialog";
constexpr std::int32_t kTypePopUpItem = 12;
constexpr std::int32_t kCodeItem = 14;
constexpr std::int32_t kBarHeightItem = 20;
constexpr std::int32_t kMaxDeviationItem = 24;
constexpr int kEan8Entry = 0;
constexpr host::Error kErrorNotAxisLine = host::FourCharCode("parm");
constexpr host::Error kErrorPluginShutDown = host::FourCharCode("!off");

// EAN-8 "96385074" as modules ('1' bar), drawn at the nominal module width.
constexpr std::string_view kEan8Modules =
    "1010001011010111101111010110111010101001110111001010001001011100101";
constexpr float kModulePoints = 0.33f * 72.0f / 25.4f;
constexpr host::RealPoint kBarcodeOrigin{100.0f, 300.0f};
constexpr float kBarHeightPoints = 60.0f;
constexpr float kMiddleV = kBarcodeOrigin.v + kBarHeightPoints / 2;
constexpr float kLeftOfBarcodeH = kBarcodeOrigin.h - 20.0f;
constexpr float kRightOfBarcodeH = kBarcodeOrigin.h + 100.0f;
constexpr float kAboveBarcodeV = kBarcodeOrigin.v + 200.0f;

const char* const kPluginPath = STRIVELO_CS3_PLUGIN_PATH;

struct LibraryCloser {
    void operator()(void* library) const { dlclose(library); }
};

// The tests' second plug-in library, which calls the published suite.
class SuiteCaller {
public:
    SuiteCaller() : library_(dlopen(STRIVELO_SUITE_CALLER_PATH, RTLD_NOW | RTLD_LOCAL)) {
        EXPECT_NE(library_, nullptr) << dlerror();
        if (library_ != nullptr) {
            read_ = reinterpret_cast<SuiteCallerReadProc>(dlsym(library_.get(), kSuiteCallerRead));
            entry_ =
                reinterpret_cast<SuiteCallerEntryProc>(dlsym(library_.get(), kSuiteCallerEntry));
        }
    }
    host::Error Read(const host::SpBasicSuite* basic, host::RealPoint from,
                     host::RealPoint to) const {
        return read_(basic, from, to);
    }
    SuiteEntry Entry(const host::SpBasicSuite* basic) const { return entry_(basic); }

private:
    std::unique_ptr<void, LibraryCloser> library_;
    SuiteCallerReadProc read_ = nullptr;
    SuiteCallerEntryProc entry_ = nullptr;
};

// The plug-in library loaded into a stand-in host with one document, in
// which the test draws an EAN-8 symbol of rectangles, as the create tool
// would, and reads it through the suite from another plug-in.
class PluginScene {
public:
    explicit PluginScene(standin::PreferenceStore* preferences = nullptr)
        : host(standin::StandInHostOptions{.preferences = preferences}) {
        std::string reason;
        EXPECT_TRUE(host.LoadLibrary(kPluginPath, &reason)) << reason;
        document = store.OpenNew({"", 2000, 2000, {{"Ebene 1"}}});
    }

    const host::SpBasicSuite* Basic() { return host.Core().GetBasicSuite(); }
    host::Error Read(host::RealPoint from, host::RealPoint to) {
        return caller.Read(Basic(), from, to);
    }

    // The bars in a group on the layer.
    void DrawBarcode() {
        const host::Art layerGroup = store.PeekLayer(store.Document(document).layers.at(0))->group;
        const host::Art group = Make(host::ArtType::kGroup, layerGroup);
        std::size_t module = 0;
        while (module < kEan8Modules.size()) {
            const std::size_t end = kEan8Modules.find('0', module);
            const std::size_t stop = end == std::string_view::npos ? kEan8Modules.size() : end;
            if (kEan8Modules[module] == '1') {
                bars.push_back(Bar(group, static_cast<float>(module), static_cast<float>(stop)));
                module = stop;
            } else {
                ++module;
            }
        }
    }
    std::vector<bool> Selection() const {
        std::vector<bool> selected;
        for (const host::Art bar : bars) {
            selected.push_back(store.PeekArt(bar)->selected);
        }
        return selected;
    }

    host::Dialog Palette(const char* name) const { return dialogs.FindDialog(name); }
    standin::ItemSnapshot BarcodePaletteItem(std::int32_t item) {
        return dialogs.View(Palette(kBarcodePalette)).items.at(item);
    }

    // The host's books: every dialog gone, nothing held, no mistake.
    void ExpectBalancedAndClean() {
        EXPECT_EQ(host.Imbalance(), "");
        EXPECT_EQ(dialogs.Imbalance(), "");
        ExpectNoViolation();
    }
    void ExpectNoViolation() {
        for (const standin::Violation& violation : host.Core().GetViolations().All()) {
            ADD_FAILURE() << violation;
        }
    }

    SuiteCaller caller;
    standin::StandInHost host;
    standin::DialogManager& dialogs = host.Dialogs();
    standin::DocumentStore& store = host.Documents();
    standin::DocumentId document;
    std::vector<host::Art> bars;

private:
    host::Art Make(host::ArtType type, host::Art into) {
        host::Art art;
        EXPECT_EQ(store.NewArt(kCall, type, host::PaintOrder::kInsideOnTop, into, &art),
                  host::kNoError);
        return art;
    }
    host::Art Bar(host::Art into, float firstModule, float endModule) {
        const float left = kBarcodeOrigin.h + firstModule * kModulePoints;
        const float right = kBarcodeOrigin.h + endModule * kModulePoints;
        const float bottom = kBarcodeOrigin.v;
        const float top = bottom + kBarHeightPoints;
        const host::Art path = Make(host::ArtType::kPath, into);
        const std::vector<host::PathSegment> corners = {
            {{left, bottom}, {left, bottom}, {left, bottom}, true},
            {{left, top}, {left, top}, {left, top}, true},
            {{right, top}, {right, top}, {right, top}, true},
            {{right, bottom}, {right, bottom}, {right, bottom}, true},
        };
        EXPECT_EQ(store.SetSegmentCount(kCall, path, static_cast<std::int32_t>(corners.size())),
                  host::kNoError);
        EXPECT_EQ(store.SetSegments(kCall, path, 0, corners), host::kNoError);
        EXPECT_EQ(store.SetClosed(kCall, path, true), host::kNoError);
        host::PathStyle style = standin::DefaultPathStyle();
        style.fillPaint = true;
        style.fill = {{host::ColorKind::kGray, 1.0f, {}, {}, {}}, false};
        style.strokePaint = false;
        EXPECT_EQ(store.SetPathStyle(kCall, path, style), host::kNoError);
        return path;
    }
};

std::vector<std::string> Names(const auto& records) {
    std::vector<std::string> names;
    for (const auto& record : records) {
        names.push_back(record.name);
    }
    return names;
}

// Start-up makes the tools, menu items and notifiers in their order, the
// application's start both palettes, and shutdown deletes them, each saving
// its settings and placement; a restart opens them as they were left.
TEST(BarcodePlugin, StartsAndShutsDownWithItsPalettes) {
    standin::PreferenceStore preferences;
    {
        PluginScene scene(&preferences);
        ASSERT_EQ(scene.host.Start(), host::kNoError);
        EXPECT_EQ(Names(scene.host.Tools().Tools()),
                  (std::vector<std::string>{"Mor7Lant Barcode Measure Tool",
                                            "Mor7Lant Barcode Create Tool"}));
        EXPECT_EQ(Names(scene.host.Menus().Items()),
                  (std::vector<std::string>{"Orvanex Pavrello Windows Group", "Barcode Readout",
                                            "Check Readout", "Orvanex Pavrello Filters Group",
                                            "Filter Change BWR", "Filter Fix Deviation", "About"}));
        EXPECT_EQ(
            Names(scene.host.Notifiers().Notifiers()),
            (std::vector<std::string>{"CheckDocNotifier", "CheckChangeDocNotifier",
                                      "CheckCloseDocNotifier", "ApplicationStartedNotifier"}));
        // Hidden the first time; the user shows both through their menu items.
        for (const char* palette : {kBarcodePalette, kCheckPalette}) {
            ASSERT_TRUE(scene.Palette(palette)) << palette;
            EXPECT_FALSE(scene.dialogs.View(scene.Palette(palette)).visible) << palette;
        }
        for (const char* item : {"Barcode Readout", "Check Readout"}) {
            EXPECT_EQ(scene.host.SendMenu(item, host::kSelectorGo), host::kNoError);
        }
        EXPECT_EQ(scene.host.SendInterface(host::kSelectorShutdown), host::kNoError);
        EXPECT_TRUE(scene.dialogs.Dialogs().empty());
        for (const char* section : {kBarcodeSection, kCheckSection}) {
            EXPECT_EQ(preferences.Get<bool>(section, "Visible"), true) << section;
            EXPECT_NE(preferences.Find(section, "UPCBeforeEAN"), nullptr) << section;
        }
        EXPECT_NE(preferences.Find(kBarcodeSection, "BarcodeType"), nullptr);
        EXPECT_NE(preferences.Find(kCheckSection, "ReportMode"), nullptr);
        scene.ExpectBalancedAndClean();
    }
    PluginScene restarted(&preferences);
    ASSERT_EQ(restarted.host.Start(), host::kNoError);
    for (const char* palette : {kBarcodePalette, kCheckPalette}) {
        ASSERT_TRUE(restarted.Palette(palette)) << palette;
        EXPECT_TRUE(restarted.dialogs.View(restarted.Palette(palette)).visible) << palette;
    }
    EXPECT_EQ(restarted.host.SendInterface(host::kSelectorShutdown), host::kNoError);
    restarted.ExpectBalancedAndClean();
}

// A line read through the suite by another plug-in, with the palette
// holding a code the user typed.
TEST(StriveloSuite, ReadsTheBarcodeALineCrosses) {
    constexpr const char* kTyped = "1234-5670";
    struct Case {
        const char* what;
        host::RealPoint from;
        host::RealPoint to;
        host::Error result;
        int beeps;
        const char* shownCode;
        bool barsSelected;
    };
    const Case cases[] = {
        {"two equal points", {120, kMiddleV}, {120, kMiddleV}, host::kNoError, 0, kTyped, false},
        {"slanted",
         {kLeftOfBarcodeH, kMiddleV},
         {kRightOfBarcodeH, kMiddleV + 1},
         kErrorNotAxisLine,
         0,
         kTyped,
         false},
        {"through empty space",
         {kLeftOfBarcodeH, kAboveBarcodeV},
         {kRightOfBarcodeH, kAboveBarcodeV},
         host::kNoError,
         1,
         "",
         false},
        {"along the middle line",
         {kLeftOfBarcodeH, kMiddleV},
         {kRightOfBarcodeH, kMiddleV},
         host::kNoError,
         0,
         "9638-5074",
         true},
        {"along it backwards",
         {kRightOfBarcodeH, kMiddleV},
         {kLeftOfBarcodeH, kMiddleV},
         host::kNoError,
         0,
         "9638-5074",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PluginScene scene;
        scene.DrawBarcode();
        ASSERT_EQ(scene.host.Start(), host::kNoError);
        ASSERT_EQ(scene.host.SendMenu("Barcode Readout", host::kSelectorGo), host::kNoError);
        const host::Dialog palette = scene.Palette(kBarcodePalette);
        ASSERT_TRUE(scene.dialogs.UserSelectEntry(palette, kTypePopUpItem, kEan8Entry));
        ASSERT_TRUE(scene.dialogs.UserSetText(palette, kCodeItem, kTyped));
        ASSERT_EQ(scene.BarcodePaletteItem(kCodeItem).text, kTyped);

        EXPECT_EQ(scene.Read(c.from, c.to), c.result);
        EXPECT_EQ(scene.host.Platform().Beeps(), c.beeps);
        EXPECT_EQ(scene.BarcodePaletteItem(kCodeItem).text, c.shownCode);
        EXPECT_EQ(scene.BarcodePaletteItem(kTypePopUpItem).activeEntry, kEan8Entry);
        EXPECT_EQ(scene.Selection(), std::vector<bool>(scene.bars.size(), c.barsSelected));
        if (c.barsSelected) {
            EXPECT_TRUE(scene.dialogs.View(palette).visible);
            EXPECT_TRUE(scene.BarcodePaletteItem(kMaxDeviationItem).visible);
            EXPECT_EQ(scene.BarcodePaletteItem(kBarHeightItem).number, kBarHeightPoints);
        }
        EXPECT_EQ(scene.host.SendInterface(host::kSelectorShutdown), host::kNoError);
        scene.ExpectBalancedAndClean();
    }
}

// Published at start-up, the suite reads before the application has
// started: there is no palette to empty, and no symbology is registered
// before the barcode palette brings its order, so every line beeps.
TEST(StriveloSuite, ReadsBeforeThePalettesExist) {
    PluginScene scene;
    scene.DrawBarcode();
    ASSERT_EQ(scene.host.SendInterface(host::kSelectorStartup), host::kNoError);
    ASSERT_FALSE(scene.Palette(kBarcodePalette));

    EXPECT_EQ(scene.Read({kLeftOfBarcodeH, kAboveBarcodeV}, {kRightOfBarcodeH, kAboveBarcodeV}),
              host::kNoError);
    EXPECT_EQ(scene.Read({kLeftOfBarcodeH, kMiddleV}, {kRightOfBarcodeH, kMiddleV}),
              host::kNoError);
    EXPECT_EQ(scene.host.Platform().Beeps(), 2);
    EXPECT_EQ(scene.Selection(), std::vector<bool>(scene.bars.size(), false));
    EXPECT_TRUE(scene.dialogs.Dialogs().empty());

    EXPECT_EQ(scene.host.SendInterface(host::kSelectorShutdown), host::kNoError);
    scene.ExpectBalancedAndClean();
}

// While the plug-in is unloaded the suite's entry is the host's stub; once
// reloaded it reads again; after shutdown it answers an error and touches
// nothing.
TEST(StriveloSuite, FollowsUnloadReloadAndShutdown) {
    PluginScene scene;
    scene.DrawBarcode();
    ASSERT_EQ(scene.host.Start(), host::kNoError);
    const host::RealPoint from{kLeftOfBarcodeH, kMiddleV};
    const host::RealPoint to{kRightOfBarcodeH, kMiddleV};

    EXPECT_EQ(scene.host.SendAccess(host::kSelectorUnload), host::kNoError);
    const SuiteEntry entry = scene.caller.Entry(scene.Basic());
    ASSERT_EQ(entry, scene.Basic()->Undefined);
    entry();
    EXPECT_EQ(scene.host.Core().GetViolations().Count(standin::ViolationKind::kUndefinedCalled),
              1u);
    scene.host.Core().GetViolations().Clear();

    EXPECT_EQ(scene.host.SendAccess(host::kSelectorReload), host::kNoError);
    EXPECT_NE(scene.caller.Entry(scene.Basic()), scene.Basic()->Undefined);
    EXPECT_EQ(scene.Read(from, to), host::kNoError);
    EXPECT_EQ(scene.BarcodePaletteItem(kCodeItem).text, "9638-5074");
    EXPECT_EQ(scene.Selection(), std::vector<bool>(scene.bars.size(), true));

    EXPECT_EQ(scene.host.SendInterface(host::kSelectorShutdown), host::kNoError);
    const std::string books = scene.host.Imbalance();
    EXPECT_EQ(scene.Read(from, to), kErrorPluginShutDown);
    EXPECT_EQ(scene.host.Imbalance(), books);
    EXPECT_EQ(scene.host.Platform().Beeps(), 0);
    // The suites of the start-up hold that "Reload" forgot stay held; that
    // is the framework's, and its own tests pin it.
    EXPECT_EQ(scene.dialogs.Imbalance(), "");
    scene.ExpectNoViolation();
}

}  // namespace
