#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "DialogBaseScene.h"
#include "M7LBaseADMDialog.h"
#include "M7LFailure.h"
#include "host/HostSuites.h"

// This program links the entry for the process-wide plug-in reference only;
// no message ever makes a plug-in object.
M7LAIPlugin* CreateBarcodePlugin() {
    return nullptr;
}

namespace {

using frameworktest::DialogBaseScene;
using Log = std::vector<std::string>;

constexpr const char* kSection = "M7LTestDialog";
constexpr const char* kDockGroup = "Mor7Lant_TestGroup";
constexpr std::int32_t kDefaultDockCode = 0x10201;
constexpr std::int32_t kDefaultPosition = 50;
constexpr std::int32_t kPaletteStyle = 3;
constexpr std::int32_t kCheckPaletteStyle = 5;
constexpr std::int32_t kOtherFloatingStyle = 1;
constexpr std::int32_t kModalStyle = 0;
constexpr host::Error kInitFailure = host::FourCharCode("init");
constexpr host::Point kTemplateSize{frameworktest::kPaletteWidth, frameworktest::kPaletteHeight};

class RecordingItem : public M7LBaseADMItem {
public:
    RecordingItem(host::Item item, M7LBaseADMDialog* dialog, std::int32_t id, Log& log)
        : M7LBaseADMItem(item, dialog, id), log_(log) {}
    ~RecordingItem() override { log_.push_back("~item " + std::to_string(GetUserValue())); }

    // The rule of every item that reacts to the user.
    void Notify(host::AdmNotifier notifier) override {
        M7LBaseADMItem::Notify(notifier);
        if (IsUserChange(notifier)) {
            log_.push_back("changed " + std::to_string(GetUserValue()));
            if (onChange) {
                onChange();
            }
        }
    }

    std::function<void()> onChange;

private:
    Log& log_;
};

struct DialogSetup {
    std::int32_t style = kPaletteStyle;
    bool saveSize = false;
    std::int32_t defaultLeft = kDefaultPosition;
    std::int32_t defaultTop = kDefaultPosition;
    std::int32_t resourceId = frameworktest::kPaletteTemplate;
    bool destroyDeletesTextItem = false;
    host::Error initAnswer = host::kNoError;
};

// Binds the text item and the face popup in Init; Destroy may delete the
// text item itself, as dialogs that own their items do.
class RecordingDialog : public M7LBaseADMDialog {
public:
    RecordingDialog(const DialogSetup& setup, Log& log)
        : M7LBaseADMDialog("Palette", setup.resourceId, setup.style, kSection, kDockGroup,
                           setup.defaultLeft, setup.defaultTop, setup.saveSize),
          setup_(setup),
          log_(log) {}
    ~RecordingDialog() override { log_.push_back("~dialog"); }

    host::Error Init() override {
        const host::Error error = M7LBaseADMDialog::Init();
        text = new RecordingItem(ItemOf(frameworktest::kTextItem), this, frameworktest::kTextItem,
                                 log_);
        new RecordingItem(ItemOf(frameworktest::kFaceItem), this, frameworktest::kFaceItem, log_);
        return error != host::kNoError ? error : setup_.initAnswer;
    }
    void LoadSettings() override { log_.push_back("LoadSettings"); }
    void Destroy() override {
        log_.push_back("Destroy");
        if (setup_.destroyDeletesTextItem) {
            delete text;
        }
        M7LBaseADMDialog::Destroy();
    }

    host::Item ItemOf(std::int32_t id) const { return GetItem(id); }

    RecordingItem* text = nullptr;

private:
    DialogSetup setup_;
    Log& log_;
};

struct Stored {
    const char* key;
    standin::PreferenceValue value;
};

// Where a palette opens, from the stored placement, its style and flags.
TEST(M7LBaseADMDialog, RestoresThePlacementOfAFloatingDialog) {
    struct Case {
        const char* what;
        DialogSetup setup{};
        std::vector<Stored> stored{};
        host::Point location{kDefaultPosition, kDefaultPosition};
        host::Point size = kTemplateSize;  // the content size
        bool visible = false;
        std::string dockGroup = kDockGroup;
        std::int32_t dockCode = kDefaultDockCode;
        bool sizeRead = false;
    };
    const Case cases[] = {
        {.what = "first show, style 3"},
        {.what = "first show, style 5", .setup = {.style = kCheckPaletteStyle}},
        {.what = "first show, style 14", .setup = {.style = 14}},
        {.what = "first show, style 15", .setup = {.style = 15}},
        {.what = "first show, another style",
         .setup = {.style = kOtherFloatingStyle},
         .visible = true},
        {.what = "defaults below the minimum",
         .setup = {.defaultLeft = 10, .defaultTop = 5},
         .location = {50, 30}},
        {.what = "stored location and visibility",
         .stored = {{"Location", host::Point{300, 400}}, {"Visible", true}},
         .location = {300, 400},
         .visible = true},
        {.what = "stored location left at 0",
         .stored = {{"Location", host::Point{0, 7}}},
         .location = {0, 7}},
        {.what = "stored negative left is not moved to",
         .stored = {{"Location", host::Point{-1, 70}}},
         .location = {0, 0}},
        {.what = "hidden stored, another style still shown",
         .setup = {.style = kOtherFloatingStyle},
         .stored = {{"Visible", false}},
         .visible = true},
        {.what = "stored size with save size",
         .setup = {.saveSize = true},
         .stored = {{"Size", host::Point{250, 90}}},
         .size = {250, 90},
         .sizeRead = true},
        {.what = "stored size without save size", .stored = {{"Size", host::Point{250, 90}}}},
        {.what = "stored negative width",
         .setup = {.saveSize = true},
         .stored = {{"Size", host::Point{-1, 90}}},
         .sizeRead = true},
        {.what = "stored docking",
         .stored = {{"DockGroup", std::string("Other")}, {"DockCode", std::int32_t{7}}},
         .dockGroup = "Other",
         .dockCode = 7},
        {.what = "stored empty group stays undocked",
         .stored = {{"DockGroup", std::string()}},
         .dockGroup = "",
         .dockCode = host::kDockCodeUndocked},
        {.what = "values of another kind are no values",
         .setup = {.saveSize = true},
         .stored = {{"Location", std::int32_t{5}},
                    {"Visible", std::int32_t{1}},
                    {"DockCode", std::string("7")},
                    {"Size", true}},
         .sizeRead = true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogBaseScene scene;
        for (const Stored& stored : c.stored) {
            scene.Store().Put(kSection, stored.key, stored.value);
        }
        Log log;
        auto* dialog = new RecordingDialog(c.setup, log);
        dialog->Show();
        ASSERT_TRUE(dialog->GetDialog());
        const standin::DialogSnapshot view = scene.dialogs.View(dialog->GetDialog());
        EXPECT_EQ(view.bounds.left, c.location.h);
        EXPECT_EQ(view.bounds.top, c.location.v);
        EXPECT_EQ(view.bounds.right - view.bounds.left, c.size.h);
        EXPECT_EQ(view.bounds.bottom - view.bounds.top - host::kDialogTitleBarHeight, c.size.v);
        EXPECT_EQ(view.visible, c.visible);
        EXPECT_EQ(view.dockGroup, c.dockGroup);
        EXPECT_EQ(view.dockCode, c.dockCode);
        EXPECT_FALSE(view.modal);
        bool sizeRead = false;
        for (const standin::PreferenceAccess& access : scene.host.Preferences().Log()) {
            sizeRead = sizeRead || access.key == "Size";
            EXPECT_FALSE(access.write) << access.key;
        }
        EXPECT_EQ(sizeRead, c.sizeRead);
        EXPECT_EQ(log.front(), "LoadSettings");
        delete dialog;
        scene.ExpectBalancedAndClean();
    }
}

// A modal dialog opens where the host puts it, undocked and shown, whatever
// is stored.
TEST(M7LBaseADMDialog, AModalDialogIgnoresTheStoredPlacement) {
    DialogBaseScene scene;
    scene.Store().Put(kSection, "Location", host::Point{300, 400});
    scene.Store().Put(kSection, "Size", host::Point{250, 90});
    scene.Store().Put(kSection, "Visible", false);
    scene.Store().Put(kSection, "DockGroup", std::string("Other"));
    scene.Store().Put(kSection, "DockCode", std::int32_t{7});
    std::optional<standin::DialogSnapshot> seen;
    scene.dialogs.ExpectModal("Palette")
        .Inspect([&seen](const standin::DialogSnapshot& view) { seen = view; })
        .Press(host::kOkItem);
    Log log;
    {
        RecordingDialog dialog({.style = kModalStyle, .saveSize = true}, log);
        dialog.Show();
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_FALSE(dialog.GetDialog());
    }
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->bounds.left, 0);
    EXPECT_EQ(seen->bounds.top, 0);
    EXPECT_EQ(seen->bounds.right, frameworktest::kPaletteWidth);
    EXPECT_EQ(seen->bounds.bottom, frameworktest::kPaletteHeight + host::kDialogTitleBarHeight);
    EXPECT_TRUE(seen->visible);
    EXPECT_EQ(seen->dockCode, host::kDockCodeUndocked);
    ASSERT_EQ(scene.dialogs.ModalLog().size(), 1u);
    EXPECT_EQ(scene.dialogs.ModalLog()[0].resourceId, frameworktest::kPaletteTemplate);
    EXPECT_EQ(scene.dialogs.ModalLog()[0].result, host::kOkItem);
    scene.ExpectBalancedAndClean();
}

// What the host's destroy call of a palette leaves in the preferences.
TEST(M7LBaseADMDialog, SavesThePlacementWhenTheHostDestroysIt) {
    enum class Dock { kDocked, kUndocked, kQueryFails, kUndockedQueryFails };
    struct Case {
        const char* what;
        bool saveSize;
        Dock dock;
        bool visible;
        std::optional<host::Point> size;
        bool dockKeys;
    };
    const Case cases[] = {
        {"docked, save size", true, Dock::kDocked, true, host::Point{300, 469}, true},
        {"docked, no save size", false, Dock::kDocked, false, std::nullopt, true},
        {"undocked", true, Dock::kUndocked, true, host::Point{300, 469}, false},
        {"group query fails", false, Dock::kQueryFails, true, std::nullopt, false},
        {"undocked query fails", false, Dock::kUndockedQueryFails, false, std::nullopt, false},
    };
    constexpr std::int32_t kDockCode = 0x20301;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogBaseScene scene;
        Log log;
        auto* dialog = new RecordingDialog({.saveSize = c.saveSize}, log);
        dialog->Show();
        const host::Dialog handle = dialog->GetDialog();
        ASSERT_TRUE(handle);
        // Bounds (100, 200, 400, 700) with the title bar.
        sAdmDialog->Move(handle, 100, 200);
        sAdmDialog->Size(handle, 300, 469);
        sAdmDialog->Show(handle, c.visible);
        const bool docked = c.dock == Dock::kDocked || c.dock == Dock::kQueryFails;
        sAdmDialogGroup->SetDialogGroupInfo(handle, docked ? "Right" : "",
                                            docked ? kDockCode : host::kDockCodeUndocked);
        if (c.dock == Dock::kQueryFails) {
            scene.host.Core().GetFaults().FailCall(host::kAdmDialogGroupSuite.name,
                                                   "GetDialogGroupInfo", host::kErrorNotFound);
        }
        scene.dialogs.FailGroupQueryWhenUndocked(c.dock == Dock::kUndockedQueryFails);
        ASSERT_TRUE(scene.dialogs.Close(handle));
        EXPECT_EQ(log, (Log{"LoadSettings", "Destroy", "~dialog", "~item 3", "~item 4"}));
        standin::PreferenceStore& store = scene.Store();
        const auto location = store.Get<host::Point>(kSection, "Location");
        ASSERT_TRUE(location);
        EXPECT_EQ(location->h, 100);
        EXPECT_EQ(location->v, 200);
        const auto size = store.Get<host::Point>(kSection, "Size");
        ASSERT_EQ(size.has_value(), c.size.has_value());
        if (size) {
            EXPECT_EQ(size->h, c.size->h);
            EXPECT_EQ(size->v, c.size->v);
        }
        EXPECT_EQ(store.Get<bool>(kSection, "Visible"), c.visible);
        if (c.dockKeys) {
            EXPECT_EQ(store.Get<std::string>(kSection, "DockGroup"), "Right");
            EXPECT_EQ(store.Get<std::int32_t>(kSection, "DockCode"), kDockCode);
        } else {
            EXPECT_EQ(store.Find(kSection, "DockGroup"), nullptr);
            EXPECT_EQ(store.Find(kSection, "DockCode"), nullptr);
        }
        scene.ExpectBalancedAndClean();
    }
}

// Saved on one run, a palette comes back exactly so on the next: the saved
// height leaves out the title bar that the bounds include.
TEST(M7LBaseADMDialog, APaletteComesBackAsItWasLeft) {
    struct Case {
        bool saveSize;
        host::Point size;
        host::Point sizeBack;
    };
    const Case cases[] = {
        {true, {260, 140}, {260, 140}},
        {true, {0, 0}, {0, 0}},
        {false, {260, 140}, {frameworktest::kPaletteWidth, frameworktest::kPaletteHeight}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.saveSize << " " << c.size.h << "x" << c.size.v);
        standin::PreferenceStore store;
        for (int run = 0; run < 2; ++run) {
            DialogBaseScene scene(standin::DefaultFontCatalogue(), &store);
            Log log;
            auto* dialog = new RecordingDialog({.saveSize = c.saveSize}, log);
            dialog->Show();
            const host::Dialog handle = dialog->GetDialog();
            ASSERT_TRUE(handle);
            if (run == 0) {
                sAdmDialog->Move(handle, 120, 80);
                sAdmDialog->Size(handle, c.size.h, c.size.v);
                sAdmDialog->Show(handle, true);
                sAdmDialogGroup->SetDialogGroupInfo(handle, "Right", 9);
            } else {
                const standin::DialogSnapshot view = scene.dialogs.View(handle);
                EXPECT_EQ(view.bounds.left, 120);
                EXPECT_EQ(view.bounds.top, 80);
                EXPECT_EQ(view.bounds.right - view.bounds.left, c.sizeBack.h);
                EXPECT_EQ(view.bounds.bottom - view.bounds.top,
                          c.sizeBack.v + host::kDialogTitleBarHeight);
                EXPECT_TRUE(view.visible);
                EXPECT_EQ(view.dockGroup, "Right");
                EXPECT_EQ(view.dockCode, 9);
            }
            ASSERT_TRUE(scene.dialogs.Close(handle));
            scene.ExpectBalancedAndClean();
        }
    }
}

// Whoever ends a dialog, each object goes once and no host object is
// destroyed twice (a nested or repeated destroy is a violation).
TEST(M7LBaseADMDialog, DestroysEveryObjectOnce) {
    enum class End { kHostCloses, kOwnerDeletes, kModalEnds, kPopupModalEnds };
    struct Case {
        const char* what;
        End end;
        bool destroyDeletesTextItem;
        Log log;
    };
    const Case cases[] = {
        {"host closes the palette",
         End::kHostCloses,
         false,
         {"LoadSettings", "Destroy", "~dialog", "~item 3", "~item 4"}},
        {"host closes, the dialog deletes an item",
         End::kHostCloses,
         true,
         {"LoadSettings", "Destroy", "~item 3", "~dialog", "~item 4"}},
        {"owner deletes the palette",
         End::kOwnerDeletes,
         false,
         {"LoadSettings", "~dialog", "~item 3", "~item 4"}},
        {"modal dialog ends",
         End::kModalEnds,
         false,
         {"LoadSettings", "Destroy", "~item 3", "~item 4", "~dialog"}},
        {"modal dialog ends, the dialog deletes an item",
         End::kModalEnds,
         true,
         {"LoadSettings", "Destroy", "~item 3", "~item 4", "~dialog"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogBaseScene scene;
        Log log;
        const DialogSetup setup{.style = c.end == End::kModalEnds ? kModalStyle : kPaletteStyle,
                                .destroyDeletesTextItem = c.destroyDeletesTextItem};
        auto* dialog = new RecordingDialog(setup, log);
        if (c.end == End::kModalEnds || c.end == End::kPopupModalEnds) {
            scene.dialogs.ExpectModal("Palette").Press(host::kCancelItem);
        }
        if (c.end == End::kPopupModalEnds) {
            EXPECT_EQ(dialog->PopupModal(gPluginRef, "Palette", frameworktest::kPaletteTemplate, 0),
                      host::kCancelItem);
            EXPECT_TRUE(dialog->IsModal());
        } else {
            dialog->Show();
        }
        if (c.end == End::kHostCloses) {
            ASSERT_TRUE(scene.dialogs.Close(dialog->GetDialog()));
        } else {
            delete dialog;
        }
        EXPECT_EQ(log, c.log);
        EXPECT_TRUE(scene.dialogs.Dialogs().empty());
        scene.ExpectBalancedAndClean();
    }
}

// A dialog the host could not make leaves the object without a host dialog,
// its items gone and itself alive for its owner.
TEST(M7LBaseADMDialog, ADialogTheHostDidNotMakeStaysWithItsOwner) {
    struct Case {
        const char* what;
        DialogSetup setup;
        Log log;
    };
    const Case cases[] = {
        {"template missing", {.resourceId = frameworktest::kMissingTemplate}, {}},
        {"init fails", {.initAnswer = kInitFailure}, {"LoadSettings", "~item 3", "~item 4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogBaseScene scene;
        Log log;
        auto* dialog = new RecordingDialog(c.setup, log);
        dialog->Show();
        EXPECT_FALSE(dialog->GetDialog());
        EXPECT_EQ(log, c.log);
        delete dialog;
        EXPECT_EQ(log.back(), "~dialog");
        scene.ExpectBalancedAndClean();
    }
}

// An item acts only on a change by the user, and only once the host's
// default handling has run; other notifiers get the default handling alone.
TEST(M7LBaseADMItem, ActsOnlyOnAUserChangeAfterTheDefault) {
    struct Case {
        const char* what;
        std::function<bool(standin::DialogManager&, host::Dialog)> act;
        Log changes;
    };
    const Case cases[] = {
        {"the user types",
         [](standin::DialogManager& dialogs, host::Dialog dialog) {
             return dialogs.UserSetText(dialog, frameworktest::kTextItem, "neu");
         },
         {"changed 3"}},
        {"the user-changed notifier sent",
         [](standin::DialogManager& dialogs, host::Dialog dialog) {
             return dialogs.SendItemNotifier(dialog, frameworktest::kTextItem,
                                             host::kAdmUserChangedNotifier);
         },
         {"changed 3"}},
        {"the plug-in's own notifier",
         [](standin::DialogManager& dialogs, host::Dialog dialog) {
             return dialogs.SendItemNotifier(dialog, frameworktest::kTextItem,
                                             "M7L_ReadSettingsFromDialog");
         },
         {}},
        {"a notifier of a similar name",
         [](standin::DialogManager& dialogs, host::Dialog dialog) {
             return dialogs.SendItemNotifier(dialog, frameworktest::kTextItem,
                                             "ADM User Changed Notifier 2");
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogBaseScene scene;
        Log log;
        auto* dialog = new RecordingDialog({.style = kOtherFloatingStyle}, log);
        dialog->Show();
        const host::Dialog handle = dialog->GetDialog();
        int defaultsWhenActing = -1;
        dialog->text->onChange = [&] {
            defaultsWhenActing =
                scene.dialogs.View(handle).items.at(frameworktest::kTextItem).defaults.notify;
        };
        log.clear();
        ASSERT_TRUE(c.act(scene.dialogs, handle));
        EXPECT_EQ(log, c.changes);
        EXPECT_EQ(defaultsWhenActing, c.changes.empty() ? -1 : 1);
        EXPECT_EQ(scene.dialogs.View(handle).items.at(frameworktest::kTextItem).defaults.notify, 1);
        delete dialog;
        scene.ExpectBalancedAndClean();
    }
}

// Shows points as their half: the conversions of a number edit reach the
// object, which builds on the host's defaults.
class HalvingItem : public M7LBaseADMItem {
public:
    static constexpr float kScale = 2;

    using M7LBaseADMItem::M7LBaseADMItem;

    bool TextToValue(const char* text, float* value) override {
        if (!M7LBaseADMItem::TextToValue(text, value)) {
            return false;
        }
        *value *= kScale;
        return true;
    }
    bool ValueToText(float value, char* text, std::size_t size) override {
        return M7LBaseADMItem::ValueToText(value / kScale, text, size);
    }
};

TEST(M7LBaseADMItem, ConvertsNumbersThroughTheObject) {
    struct Case {
        const char* what;
        bool halving;
        std::optional<std::string> typed;  // else the number 8 is set
        bool taken;
        float number;
        std::string text;
    };
    const Case cases[] = {
        {"default, typed", false, "3", true, 3, "3.00"},
        {"default, no number", false, "drei", false, 1, "1.00"},
        {"default, set", false, std::nullopt, true, 8, "8.00"},
        {"halving, typed", true, "3", true, 6, "3.00"},
        {"halving, no number", true, "drei", false, 1, "1.00"},
        {"halving, set", true, std::nullopt, true, 8, "4.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogBaseScene scene;
        Log log;
        auto* dialog = new RecordingDialog({.style = kOtherFloatingStyle}, log);
        dialog->Show();
        const host::Dialog handle = dialog->GetDialog();
        const host::Item item = dialog->ItemOf(frameworktest::kNumberItem);
        if (c.halving) {
            new HalvingItem(item, dialog, frameworktest::kNumberItem);
        } else {
            new M7LBaseADMItem(item, dialog, frameworktest::kNumberItem);
        }
        const bool taken =
            c.typed ? scene.dialogs.UserSetText(handle, frameworktest::kNumberItem, *c.typed)
                    : scene.dialogs.UserSetNumber(handle, frameworktest::kNumberItem, 8);
        EXPECT_EQ(taken, c.taken);
        const standin::ItemSnapshot view =
            scene.dialogs.View(handle).items.at(frameworktest::kNumberItem);
        EXPECT_EQ(view.number, c.number);
        EXPECT_EQ(view.text, c.text);
        ASSERT_TRUE(scene.dialogs.Close(handle));
        scene.ExpectBalancedAndClean();
    }
}

// Drawing and tracking of a bound item and of the dialog reach the host's
// defaults through the objects.
TEST(M7LBaseADMItem, DrawsAndTracksThroughTheHostDefaults) {
    DialogBaseScene scene;
    Log log;
    auto* dialog = new RecordingDialog({.style = kOtherFloatingStyle}, log);
    dialog->Show();
    const host::Dialog handle = dialog->GetDialog();
    ASSERT_TRUE(scene.dialogs.Draw(handle));
    EXPECT_EQ(scene.dialogs.TrackItem(handle, frameworktest::kTextItem), false);
    EXPECT_EQ(scene.dialogs.TrackDialog(handle), false);
    const standin::DialogSnapshot view = scene.dialogs.View(handle);
    EXPECT_EQ(view.defaults.draw, 1);
    EXPECT_EQ(view.defaults.track, 1);
    EXPECT_EQ(view.items.at(frameworktest::kTextItem).defaults.draw, 1);
    EXPECT_EQ(view.items.at(frameworktest::kTextItem).defaults.track, 1);
    delete dialog;
    scene.ExpectBalancedAndClean();
}

// An item made by the object is bound like one of the template, and one
// without a host item makes no host call.
TEST(M7LBaseADMItem, BindsAnItemItMakesAndNothingWithoutOne) {
    constexpr std::int32_t kMadeItem = 20;
    constexpr host::Rect kBounds{10, 70, 90, 86};
    DialogBaseScene scene;
    Log log;
    auto* dialog = new RecordingDialog({.style = kOtherFloatingStyle}, log);
    dialog->Show();
    const host::Dialog handle = dialog->GetDialog();
    auto* made = new RecordingItem(host::Item{}, dialog, kMadeItem, log);
    made->Create(handle, kMadeItem, host::ItemKind::kButton, kBounds);
    EXPECT_TRUE(made->GetItem());
    delete new RecordingItem(host::Item{}, dialog, 0, log);
    log.clear();
    ASSERT_TRUE(scene.dialogs.UserPress(handle, kMadeItem));
    ASSERT_TRUE(scene.dialogs.Close(handle));
    EXPECT_EQ(log, (Log{"changed 20", "Destroy", "~dialog", "~item 3", "~item 4", "~item 20"}));
    scene.ExpectBalancedAndClean();
}

// What an item throws in a procedure the host calls stays inside the plug-in:
// the host's call returns, the failure is reported, and the item still acts.
class ThrowingItem : public RecordingItem {
public:
    using RecordingItem::RecordingItem;

    void Draw(host::Drawer drawer) override {
        Throw();
        RecordingItem::Draw(drawer);
    }
    bool Track(host::Tracker tracker) override {
        Throw();
        return RecordingItem::Track(tracker);
    }
    bool TextToValue(const char* text, float* value) override {
        Throw();
        return RecordingItem::TextToValue(text, value);
    }

    bool throws = true;

private:
    void Throw() const {
        if (throws) {
            throw std::runtime_error("kaputt");
        }
    }
};

int gFailureReports = 0;
std::string gFailureMessage;

int CountingFailureHandler(const char*, int, int, const char* message, const char*, int,
                           const char*) {
    ++gFailureReports;
    gFailureMessage = message;
    return 0;
}

TEST(M7LBaseADMItem, KeepsAnExceptionFromTheHost) {
    struct Case {
        const char* what;
        std::function<bool(standin::DialogManager&, host::Dialog)> act;
    };
    const Case cases[] = {
        {"notify",
         [](standin::DialogManager& dialogs, host::Dialog dialog) {
             return dialogs.UserSetText(dialog, frameworktest::kTextItem, "neu");
         }},
        {"draw",
         [](standin::DialogManager& dialogs, host::Dialog dialog) { return dialogs.Draw(dialog); }},
        {"track",
         [](standin::DialogManager& dialogs, host::Dialog dialog) {
             return dialogs.TrackItem(dialog, frameworktest::kNumberItem) == false;
         }},
        // A conversion that failed refuses the entry.
        {"number conversion",
         [](standin::DialogManager& dialogs, host::Dialog dialog) {
             return !dialogs.UserSetText(dialog, frameworktest::kNumberItem, "2.5");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogBaseScene scene;
        SetFailureHandler(&CountingFailureHandler);
        gFailureReports = 0;
        Log log;
        auto* dialog = new RecordingDialog({.style = kOtherFloatingStyle}, log);
        dialog->Show();
        const host::Dialog handle = dialog->GetDialog();
        // The template's number edit has no object of the dialog's own.
        auto* number = new ThrowingItem(dialog->ItemOf(frameworktest::kNumberItem), dialog,
                                        frameworktest::kNumberItem, log);
        dialog->text->onChange = [] { throw std::runtime_error("kaputt"); };
        log.clear();

        EXPECT_TRUE(c.act(scene.dialogs, handle));
        EXPECT_GE(gFailureReports, 1);
        EXPECT_EQ(gFailureMessage, "kaputt");

        gFailureReports = 0;
        number->throws = false;
        dialog->text->onChange = nullptr;
        log.clear();
        ASSERT_TRUE(scene.dialogs.UserSetText(handle, frameworktest::kTextItem, "again"));
        EXPECT_EQ(log, Log{"changed 3"});
        EXPECT_EQ(gFailureReports, 0);
        SetFailureHandler(nullptr);
        delete dialog;
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
