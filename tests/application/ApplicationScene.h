#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeProcessor.h"
#include "CheckDialog.h"
#include "CreationScene.h"
#include "DialogManager.h"
#include "FileText.h"
#include "M7LAIPlugin.h"
#include "PluginResources.h"
#include "StandInHost.h"
#include "host/AiArtSuites.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"

namespace apptest {

using creationtest::kCall;

// Items of the check palette.
inline constexpr std::int32_t kListItem = 1;
inline constexpr std::int32_t kCheckItem = 2;
inline constexpr std::int32_t kSelectItem = 3;
inline constexpr std::int32_t kReportItem = 4;
inline constexpr std::int32_t kTransferItem = 5;
inline constexpr std::int32_t kFixesItem = 6;
inline constexpr std::int32_t kProfileNameItem = 7;
inline constexpr std::int32_t kCountItem = 8;
inline constexpr std::int32_t kStatusItem = 9;
inline constexpr std::int32_t kSideMenuItem = -5;

inline constexpr const char* kPaletteName = "CheckDialog";
inline constexpr const char* kProfileDialog = "EditProfileDialog";
inline constexpr const char* kReportSettingsDialog = "ReportSettingsDialog";
inline constexpr const char* kErrorDialog = "Error";

inline constexpr double kPointsPerMm = 72.0 / 25.4;

// Where the clock of every report and profile stands: 2024-03-05T14:07:09Z.
inline constexpr std::time_t kReportTime = 1709647629;

// What the palette's transfer button handed the stand-in of the plug-in's
// published suite, in order.
struct Transfer {
    host::RealPoint from;
    host::RealPoint to;
};
extern std::vector<Transfer> gTransfers;

// What the checking side of the plug-in object does: its menus and
// notifiers at start-up, the check palette once the application started,
// which it deletes at shutdown, and the About dialog. It publishes a
// stand-in of the plug-in's suite that records what it is asked.
class TestApplication : public M7LAIPlugin {
public:
    bool makePalette = true;

    host::Error Startup(host::InterfaceMessage* message) override;
    host::Error ApplicationStarted(host::NotifierMessage* message) override;
    host::Error Shutdown(host::InterfaceMessage* message) override;
    host::Error About() override;
    host::Error PostStartup(host::InterfaceMessage* message) override;
};

struct SceneSetup {
    std::vector<standin::LayerSetup> layers = {{"Ebene 1"}};
    std::string documentPath = {};
    bool makePalette = true;
    // Whether Start shows the palette when it opened hidden.
    bool showPalette = true;
    // A store that outlives the scene, as across restarts of the host.
    standin::PreferenceStore* preferences = nullptr;
};

// How bars are drawn: the generator's closed rectangles, the same with a
// fifth point on the first, stroked two-point lines, or each such line the
// one path of a compound path that paints it.
enum class BarForm { kRectangles, kFivePointRectangles, kStrokedLines, kLinesOfCompoundPaths };

// One barcode drawn by the generator.
struct Barcode {
    std::int32_t type;
    const char* code;
    double barWidthReductionMm = 0.0;
    double magnification = 1.0;
};

// The plug-in's framework entry with the test's plug-in object, loaded into
// a stand-in host over the plug-in's resources (overlaid as a test needs),
// with a document of the setup's layers. The resources may be overlaid
// before Start, which sends start-up and the application-started notifier
// and shows the palette; the scene shuts the plug-in down
// at the latest when it goes.
class ApplicationScene {
public:
    explicit ApplicationScene(SceneSetup setup = {});
    ~ApplicationScene();
    ApplicationScene(const ApplicationScene&) = delete;
    ApplicationScene& operator=(const ApplicationScene&) = delete;

    void Start();
    void Shutdown();

    // The check palette and its host dialog.
    CheckDialog& Palette() const { return *gCheckDialog; }
    host::Dialog PaletteDialog() const;
    standin::DialogSnapshot ViewPalette();
    standin::ItemSnapshot PaletteItem(std::int32_t itemId);
    // Presses a button of the palette as the user does.
    void Press(std::int32_t itemId);

    host::Layer Layer(std::size_t index = 0) const;
    host::Art LayerGroup(std::size_t index = 0) const;
    const standin::ArtRecord& Record(host::Art art) const { return *store.PeekArt(art); }
    host::Art Make(host::ArtType type, host::Art into);
    // A path of the segments with the style, closed or open.
    host::Art Path(host::Art into, const std::vector<host::PathSegment>& segments,
                   const host::PathStyle& style, bool closed = true);
    // The barcode drawn with its left bottom corner at origin (points), in
    // a group of its own on the layer; the group.
    host::Art Draw(const Barcode& barcode, host::RealPoint origin, std::size_t layer = 0);
    // Moves every point of every path under art.
    void MovePoints(host::Art art, const std::function<host::RealPoint(host::RealPoint)>& move);
    // Turns every path under art a number of quarter turns anticlockwise
    // about centre.
    void Turn(host::Art art, host::RealPoint centre, int quarters);
    // The group of the bars of a barcode that Draw drew.
    host::Art BarsOf(host::Art barcode) const;
    // Draws the bars of a barcode that Draw drew again, black, in the form.
    void Reshape(host::Art barcode, BarForm form);
    // Moves the right side of a rectangle bar of a barcode that Draw drew.
    void WidenBar(host::Art barcode, std::size_t bar, float points);
    // The art that paints each bar of a barcode that Draw drew, in order:
    // the bar's path, or its compound path.
    std::vector<host::Art> BarPainters(host::Art barcode) const;

    // Every symbol of the visible layers, as the art list finds and the
    // registry identifies them, in list order.
    std::vector<std::unique_ptr<Strivelo::BarcodeProcessor>> ReadAll();

    // The host's books at the end: every dialog gone, nothing held, no
    // mistake, no modal or file dialog left unused.
    void ExpectBalancedAndClean();

    TestApplication application;
    standin::ResourceOverlay resources;
    standin::StandInHost host;
    standin::DialogManager& dialogs = host.Dialogs();
    standin::DocumentStore& store = host.Documents();
    standin::DocumentId document;

private:
    bool showPalette_;
    bool started_ = false;
};

using creationtest::Corner;
using creationtest::Filled;
using creationtest::Gray;
using creationtest::Rectangle;
using creationtest::Stroked;

// The icon an entry drew, 0 for none.
std::int32_t IconOf(const standin::EntrySnapshot& entry);

}  // namespace apptest
