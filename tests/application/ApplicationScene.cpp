#include "ApplicationScene.h"

#include <functional>
#include <string_view>

#include "AboutDialog.h"
#include "BarcodeArtList.h"
#include "BarcodeCheckTexts.h"
#include "BarcodeGenerate.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorStandardSymbologies.h"
#include "CheckWindowMenu.h"
#include "DocumentOpenedNotifier.h"
#include "FilterAdjustBWRMenu.h"
#include "FilterAdjustDeviationMenu.h"
#include "FoundBarcodeEdges.h"
#include "HostChecks.h"
#include "M7LAIWrappers.h"
#include "M7LFailure.h"
#include "M7LPlatform.h"
#include "M7LPluginMain.h"
#include "M7LResources.h"
#include "M7LSuiteTable.h"
#include "M7LTimeStamp.h"
#include "StriveloResources.h"
#include "StriveloSuite.h"

namespace apptest {

namespace {

TestApplication* gApplication = nullptr;

// The colour of a compound path's own paths, which the compound path's
// paint hides.
constexpr float kHiddenGray = 0.5f;

host::Error RecordTransfer(host::RealPoint from, host::RealPoint to) {
    gTransfers.push_back({from, to});
    return host::kNoError;
}

constexpr StriveloSuite kTestSuite = {&RecordTransfer};

std::time_t FixedClock() {
    return kReportTime;
}

void ForEachPath(const standin::DocumentStore& store, host::Art art,
                 const std::function<void(host::Art)>& action) {
    const standin::ArtRecord& record = *store.PeekArt(art);
    if (record.type == host::ArtType::kPath) {
        action(art);
    }
    for (const host::Art child : record.children) {
        ForEachPath(store, child, action);
    }
}

}  // namespace

std::vector<Transfer> gTransfers;

host::Error TestApplication::Startup(host::InterfaceMessage* message) {
    MakeWrapper<CheckWindowMenu>(message->header);
    BarcodeVettrin::LoadReportTexts();
    MakeWrapper<FilterAdjustBWRMenu>(message->header);
    MakeWrapper<FilterAdjustDeviationMenu>(message->header);
    MakeWrapper<DocumentOpenedNotifier>(message->header);
    MakeWrapper<DocumentChangedNotifier>(message->header);
    MakeWrapper<DocumentClosedNotifier>(message->header);
    return host::kNoError;
}

host::Error TestApplication::ApplicationStarted(host::NotifierMessage*) {
    if (makePalette) {
        gCheckDialog = new CheckDialog();
    }
    return host::kNoError;
}

host::Error TestApplication::Shutdown(host::InterfaceMessage*) {
    delete gCheckDialog;
    EXPECT_EQ(gCheckDialog, nullptr);
    Strivelo::FreeRegistry();
    return host::kNoError;
}

host::Error TestApplication::About() {
    return ShowAboutDialog(this);
}

host::Error TestApplication::PostStartup(host::InterfaceMessage* message) {
    host::SuiteRef suite;
    return sSpSuites->AddSuite(host::SuiteList{}, message->header.plugin, kStriveloSuiteName,
                               kStriveloSuiteVersion, kStriveloSuiteVersion, &kTestSuite, &suite);
}

ApplicationScene::ApplicationScene(SceneSetup setup)
    : resources(*StriveloResourceModule()),
      host(standin::StandInHostOptions{.preferences = setup.preferences}),
      showPalette_(setup.showPalette) {
    gSuiteNestingCounter = 0;
    gPlugin = nullptr;
    gCheckDialog = nullptr;
    gApplication = &application;
    gTransfers.clear();
    application.makePalette = setup.makePalette;
    SetTimeStampClock(&FixedClock);
    document = store.OpenNew({setup.documentPath, 2000, 2000, std::move(setup.layers)});
    Strivelo::FreeRegistry();
    Strivelo::RegisterStandardSymbologies(false);
    Strivelo::RegisterMS7B();
}

ApplicationScene::~ApplicationScene() {
    Shutdown();
    Strivelo::FreeRegistry();
    DeleteAllMenuItems();
    DeleteAllTools();
    DeleteAllNotifiers();
    SetResourceModule(nullptr);
    SetFailureHandler(nullptr);
    InstallPlatformObserver(nullptr);
    SetTimeStampClock(nullptr);
    gPlugin = nullptr;
    gApplication = nullptr;
}

void ApplicationScene::Start() {
    host.LoadInProcess(&PluginMain, resources.Module(), &InstallPlatformObserver);
    ASSERT_EQ(host.Start(), host::kNoError);
    started_ = true;
    // A palette opens as it was left, hidden the first time.
    if (showPalette_ && gCheckDialog != nullptr && gCheckDialog->GetDialog()) {
        gCheckDialog->Show(true);
    }
}

void ApplicationScene::Shutdown() {
    if (started_) {
        started_ = false;
        EXPECT_EQ(host.SendInterface(host::kSelectorShutdown), host::kNoError);
    }
}

host::Dialog ApplicationScene::PaletteDialog() const {
    return gCheckDialog != nullptr ? gCheckDialog->GetDialog() : host::Dialog{};
}

standin::DialogSnapshot ApplicationScene::ViewPalette() {
    return dialogs.View(PaletteDialog());
}

standin::ItemSnapshot ApplicationScene::PaletteItem(std::int32_t itemId) {
    return ViewPalette().items.at(itemId);
}

void ApplicationScene::Press(std::int32_t itemId) {
    EXPECT_TRUE(dialogs.UserPress(PaletteDialog(), itemId)) << "item " << itemId;
}

host::Layer ApplicationScene::Layer(std::size_t index) const {
    return store.Document(document).layers.at(index);
}

host::Art ApplicationScene::LayerGroup(std::size_t index) const {
    return store.PeekLayer(Layer(index))->group;
}

host::Art ApplicationScene::Make(host::ArtType type, host::Art into) {
    host::Art art;
    EXPECT_EQ(store.NewArt(kCall, type, host::PaintOrder::kInsideOnTop, into, &art),
              host::kNoError);
    return art;
}

host::Art ApplicationScene::Path(host::Art into, const std::vector<host::PathSegment>& segments,
                                 const host::PathStyle& style, bool closed) {
    const host::Art path = Make(host::ArtType::kPath, into);
    EXPECT_EQ(store.SetSegmentCount(kCall, path, static_cast<std::int32_t>(segments.size())),
              host::kNoError);
    EXPECT_EQ(store.SetSegments(kCall, path, 0, segments), host::kNoError);
    EXPECT_EQ(store.SetClosed(kCall, path, closed), host::kNoError);
    EXPECT_EQ(store.SetPathStyle(kCall, path, style), host::kNoError);
    return path;
}

host::Art ApplicationScene::Draw(const Barcode& barcode, host::RealPoint origin,
                                 std::size_t layer) {
    const host::Art group = Make(host::ArtType::kGroup, LayerGroup(layer));
    const std::unique_ptr<Strivelo::BarcodeProcessor> processor =
        Strivelo::CreateByType(barcode.type);
    EXPECT_TRUE(processor->SetCode(barcode.code)) << barcode.code;
    processor->SetBarWidthReduction(barcode.barWidthReductionMm);
    processor->SetMagnification(barcode.magnification);
    // The generator draws through the suites, as inside a message.
    const bool held = gSuiteNestingCounter > 0;
    if (!held) {
        EXPECT_EQ(AcquireSuites(host.Core().GetBasicSuite()), host::kNoError);
    }
    {
        BarcodeGenerate generator(origin.h, origin.v, group, "(4.0) type = test");
        EXPECT_TRUE(processor->GenerateInto(&generator)) << barcode.code;
    }
    if (!held) {
        EXPECT_EQ(ReleaseSuites(host.Core().GetBasicSuite()), host::kNoError);
    }
    return group;
}

void ApplicationScene::MovePoints(host::Art art,
                                  const std::function<host::RealPoint(host::RealPoint)>& move) {
    ForEachPath(store, art, [&](host::Art path) {
        std::vector<host::PathSegment> segments = Record(path).segments;
        for (host::PathSegment& segment : segments) {
            segment.anchor = move(segment.anchor);
            segment.in = move(segment.in);
            segment.out = move(segment.out);
        }
        EXPECT_EQ(store.SetSegments(kCall, path, 0, segments), host::kNoError);
    });
}

void ApplicationScene::Turn(host::Art art, host::RealPoint centre, int quarters) {
    MovePoints(art, [centre, quarters](host::RealPoint p) {
        for (int i = 0; i < quarters; ++i) {
            p = {centre.h - (p.v - centre.v), centre.v + (p.h - centre.h)};
        }
        return p;
    });
}

host::Art ApplicationScene::BarsOf(host::Art barcode) const {
    for (const host::Art child : Record(barcode).children) {
        if (Record(child).type == host::ArtType::kGroup) {
            return child;
        }
    }
    ADD_FAILURE() << "a barcode without bars";
    return {};
}

void ApplicationScene::Reshape(host::Art barcode, BarForm form) {
    const std::vector<host::Art> bars = Record(BarsOf(barcode)).children;
    for (const host::Art bar : bars) {
        std::vector<host::PathSegment> segments = Record(bar).segments;
        if (form == BarForm::kFivePointRectangles) {
            segments.push_back(segments.front());
        } else if (form != BarForm::kRectangles) {
            const float middle = (segments[0].anchor.h + segments[2].anchor.h) / 2;
            const float width = segments[2].anchor.h - segments[0].anchor.h;
            segments = {Corner(middle, segments[0].anchor.v), Corner(middle, segments[1].anchor.v)};
            EXPECT_EQ(store.SetClosed(kCall, bar, false), host::kNoError);
            host::Art painter = bar;
            if (form == BarForm::kLinesOfCompoundPaths) {
                EXPECT_EQ(store.NewArt(kCall, host::ArtType::kCompoundPath,
                                       host::PaintOrder::kAbove, bar, &painter),
                          host::kNoError);
                EXPECT_EQ(store.ReorderArt(kCall, bar, host::PaintOrder::kInsideOnTop, painter),
                          host::kNoError);
            }
            EXPECT_EQ(store.SetPathStyle(kCall, painter, Stroked(Gray(1), width)), host::kNoError);
            // A path of a compound path keeps the width that its bounds take
            // from the compound path, but its own colour does not show.
            if (painter != bar) {
                EXPECT_EQ(store.SetPathStyle(kCall, bar, Stroked(Gray(kHiddenGray), width)),
                          host::kNoError);
            }
        } else {
            EXPECT_EQ(store.SetPathStyle(kCall, bar, Filled(Gray(1))), host::kNoError);
        }
        EXPECT_EQ(store.SetSegmentCount(kCall, bar, static_cast<std::int32_t>(segments.size())),
                  host::kNoError);
        EXPECT_EQ(store.SetSegments(kCall, bar, 0, segments), host::kNoError);
    }
}

void ApplicationScene::WidenBar(host::Art barcode, std::size_t bar, float points) {
    const host::Art path = Record(BarsOf(barcode)).children.at(bar);
    std::vector<host::PathSegment> segments = Record(path).segments;
    for (const std::size_t right : {2, 3}) {
        segments[right].anchor.h += points;
        segments[right].in = segments[right].out = segments[right].anchor;
    }
    EXPECT_EQ(store.SetSegments(kCall, path, 0, segments), host::kNoError);
}

std::vector<host::Art> ApplicationScene::BarPainters(host::Art barcode) const {
    std::vector<host::Art> painters;
    for (const host::Art child : Record(BarsOf(barcode)).children) {
        painters.push_back(child);
    }
    return painters;
}

std::vector<std::unique_ptr<Strivelo::BarcodeProcessor>> ApplicationScene::ReadAll() {
    std::vector<std::unique_ptr<Strivelo::BarcodeProcessor>> read;
    const bool held = gSuiteNestingCounter > 0;
    if (!held) {
        EXPECT_EQ(AcquireSuites(host.Core().GetBasicSuite()), host::kNoError);
    }
    BarcodeArtList list;
    list.Collect();
    FoundBarcodeEdges edges;
    for (std::size_t barcode = 0; barcode < list.GetCount(); ++barcode) {
        read.push_back(edges.Identify(list, barcode));
    }
    list.Clear();
    if (!held) {
        EXPECT_EQ(ReleaseSuites(host.Core().GetBasicSuite()), host::kNoError);
    }
    return read;
}

void ApplicationScene::ExpectBalancedAndClean() {
    Shutdown();
    EXPECT_EQ(gSuiteNestingCounter, 0);
    EXPECT_EQ(host.Imbalance(), "");
    EXPECT_EQ(dialogs.Imbalance(), "");
    EXPECT_EQ(dialogs.PendingModals(), 0u);
    frameworktest::ExpectBalancedAndClean(host.Core());
}

std::int32_t IconOf(const standin::EntrySnapshot& entry) {
    static constexpr std::string_view kIconLine = "icon ";
    for (const std::string& line : entry.drawn) {
        if (line.starts_with(kIconLine)) {
            return std::stoi(line.substr(kIconLine.size()));
        }
    }
    return 0;
}

}  // namespace apptest

M7LAIPlugin* CreateBarcodePlugin() {
    return apptest::gApplication;
}
