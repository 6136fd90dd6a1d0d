#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "DialogScene.h"

namespace {

using dialogtest::DialogScene;

constexpr const char* kReadSettings = "M7L_ReadSettingsFromDialog";
constexpr const char* kBoundsChanged = "ADM Bounds Changed Notifier";

// What an item's or dialog's notify procedure saw, call by call.
struct Seen {
    std::string type;
    bool userChange;  // compared through the basic suite, as the plug-in does
    std::string text;
    bool boolean;
    float number;
};

DialogScene* gScene = nullptr;
std::vector<Seen> gSeen;
bool gRunDefault = true;
host::AdmNotifier gKept;

void RecordNotify(host::Item item, host::AdmNotifier notifier) {
    if (gRunDefault) {
        gScene->item_->DefaultNotify(item, notifier);
    }
    const std::string type = dialogtest::TypeOf(*gScene, notifier);
    gSeen.push_back({type, gScene->sp->IsEqual(type.c_str(), host::kAdmUserChangedNotifier),
                     gScene->Text(item), gScene->item_->GetBooleanValue(item),
                     gScene->item_->GetFloatValue(item)});
    gKept = notifier;
}

void RecordDialogNotify(host::Dialog, host::AdmNotifier notifier) {
    gSeen.push_back({dialogtest::TypeOf(*gScene, notifier), false, "", false, 0});
}

struct ItemScene : DialogScene {
    ItemScene() : DialogScene(&dialogtest::TestModule()) {
        gScene = this;
        gSeen.clear();
        gRunDefault = true;
        dialog = Shown(dialogtest::kKindsDialog, "Kinds");
        for (const std::int32_t id :
             {host::kOkItem, dialogtest::kTextItem, dialogtest::kNumberItem,
              dialogtest::kCheckBoxItem, dialogtest::kDisabledItem, dialogtest::kHiddenItem}) {
            item_->SetNotifyProc(ItemOf(dialog, id), &RecordNotify);
        }
    }
    void End() {
        dialog_->Destroy(dialog);
        ExpectCleanEnd();
    }
    host::Dialog dialog;
};

// A user change sets the item's value first and then notifies the item with
// "ADM User Changed Notifier", once.
TEST(DialogItems, AUserChangeSetsTheValueThenNotifies) {
    struct Case {
        const char* what;
        std::function<bool(ItemScene&)> change;
        std::string text;
        bool boolean;
        float number;
    };
    const Case cases[] = {
        {"text typed",
         [](ItemScene& s) { return s.dialogs.UserSetText(s.dialog, dialogtest::kTextItem, "Neu"); },
         "Neu", false, 0},
        {"check box ticked",
         [](ItemScene& s) {
             return s.dialogs.UserSetBoolean(s.dialog, dialogtest::kCheckBoxItem, true);
         },
         "Nicht mehr zeigen", true, 0},
        {"number set",
         [](ItemScene& s) {
             return s.dialogs.UserSetNumber(s.dialog, dialogtest::kNumberItem, 3.25f);
         },
         "3.25", false, 3.25f},
        {"number typed with blanks",
         [](ItemScene& s) {
             return s.dialogs.UserSetText(s.dialog, dialogtest::kNumberItem, " 7.5 ");
         },
         "7.50", false, 7.5f},
        {"button pressed",
         [](ItemScene& s) { return s.dialogs.UserPress(s.dialog, host::kOkItem); }, "OK", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ItemScene scene;
        EXPECT_TRUE(c.change(scene));
        ASSERT_EQ(gSeen.size(), 1u);
        EXPECT_EQ(gSeen[0].type, host::kAdmUserChangedNotifier);
        EXPECT_TRUE(gSeen[0].userChange);
        EXPECT_EQ(gSeen[0].text, c.text);
        EXPECT_EQ(gSeen[0].boolean, c.boolean);
        EXPECT_FLOAT_EQ(gSeen[0].number, c.number);
        scene.End();
    }
}

// Other notifier types reach the item or the dialog as they are, by the
// test or by the plug-in through the item suite.
TEST(DialogItems, OtherNotifierTypesReachTheProcedure) {
    struct Case {
        const char* what;
        std::function<bool(ItemScene&)> send;
        const char* type;
    };
    const Case cases[] = {
        {"sent by the test",
         [](ItemScene& s) {
             return s.dialogs.SendItemNotifier(s.dialog, dialogtest::kTextItem, kReadSettings);
         },
         kReadSettings},
        {"sent by the plug-in",
         [](ItemScene& s) {
             s.item_->Notify(s.ItemOf(s.dialog, dialogtest::kTextItem), kReadSettings);
             return true;
         },
         kReadSettings},
        {"to the dialog",
         [](ItemScene& s) {
             s.dialog_->SetNotifyProc(s.dialog, &RecordDialogNotify);
             return s.dialogs.SendDialogNotifier(s.dialog, kBoundsChanged);
         },
         kBoundsChanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ItemScene scene;
        EXPECT_TRUE(c.send(scene));
        ASSERT_EQ(gSeen.size(), 1u);
        EXPECT_EQ(gSeen[0].type, c.type);
        EXPECT_FALSE(gSeen[0].userChange);
        scene.End();
    }
}

// The host's default notification counts when it runs: without a notify
// procedure, or when the procedure asks for it.
TEST(DialogItems, DefaultNotification) {
    for (const bool runDefault : {true, false}) {
        ItemScene scene;
        gRunDefault = runDefault;
        EXPECT_TRUE(scene.dialogs.UserPress(scene.dialog, host::kOkItem));
        EXPECT_TRUE(scene.dialogs.UserPress(scene.dialog, dialogtest::kLabelItem));
        const standin::DialogSnapshot view = scene.dialogs.View(scene.dialog);
        EXPECT_EQ(view.items.at(host::kOkItem).defaults.notify, runDefault ? 1 : 0);
        EXPECT_EQ(view.items.at(dialogtest::kLabelItem).defaults.notify, 1);
        scene.End();
    }
}

// The user cannot change what is disabled, hidden or not there, nor type a
// text that a number edit does not take: nothing changes, nobody is told.
TEST(DialogItems, WhatTheUserCannotChange) {
    struct Case {
        const char* what;
        std::function<bool(ItemScene&)> change;
    };
    const Case cases[] = {
        {"disabled item",
         [](ItemScene& s) {
             return s.dialogs.UserSetText(s.dialog, dialogtest::kDisabledItem, "x");
         }},
        {"hidden item",
         [](ItemScene& s) {
             return s.dialogs.UserSetText(s.dialog, dialogtest::kHiddenItem, "x");
         }},
        {"no such item", [](ItemScene& s) { return s.dialogs.UserPress(s.dialog, 99); }},
        {"hidden dialog",
         [](ItemScene& s) {
             s.dialog_->Show(s.dialog, false);
             return s.dialogs.UserSetText(s.dialog, dialogtest::kTextItem, "x");
         }},
        {"a comma in a number",
         [](ItemScene& s) {
             return s.dialogs.UserSetText(s.dialog, dialogtest::kNumberItem, "12,5");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ItemScene scene;
        const standin::DialogSnapshot before = scene.dialogs.View(scene.dialog);
        EXPECT_FALSE(c.change(scene));
        EXPECT_TRUE(gSeen.empty());
        const standin::DialogSnapshot after = scene.dialogs.View(scene.dialog);
        for (const auto& [id, item] : before.items) {
            EXPECT_EQ(after.items.at(id).text, item.text) << id;
            EXPECT_EQ(after.items.at(id).number, item.number) << id;
        }
        scene.End();
    }
}

// A notifier lives for its delivery only.
TEST(DialogItems, ANotifierKeptAfterItsDeliveryIsStale) {
    ItemScene scene;
    EXPECT_TRUE(scene.dialogs.UserPress(scene.dialog, host::kOkItem));
    EXPECT_EQ(dialogtest::TypeOf(scene, gKept), "");
    scene.ExpectOneViolation(standin::ViolationKind::kStaleHandle,
                             "ADM Notifier Suite GetNotifierType");
    scene.End();
}

bool MillimetresToText(host::Item, float value, char* text, std::size_t size) {
    std::snprintf(text, size, "%.1f mm", static_cast<double>(value));
    return true;
}

bool TextToHalf(host::Item, const char* text, float* value) {
    *value = 0.5f * static_cast<float>(std::atof(text));
    return true;
}

// A number edit shows its value through its number-to-text procedure and
// reads text through its text-to-number procedure, the host's defaults
// (with the item's precision) when it has none.
TEST(DialogItems, NumberEditsConvertThroughTheirProcedures) {
    ItemScene scene;
    const host::Item number = scene.ItemOf(scene.dialog, dialogtest::kNumberItem);
    scene.item_->SetFloatValue(number, 1.005f);
    EXPECT_EQ(scene.Text(number), "1.00");
    scene.item_->SetText(number, "8.75");
    EXPECT_FLOAT_EQ(scene.item_->GetFloatValue(number), 8.75f);
    scene.item_->SetText(number, "keine Zahl");
    EXPECT_FLOAT_EQ(scene.item_->GetFloatValue(number), 8.75f);

    scene.item_->SetFloatToTextProc(number, &MillimetresToText);
    scene.item_->SetTextToFloatProc(number, &TextToHalf);
    scene.item_->SetFloatValue(number, 2.5f);
    EXPECT_EQ(scene.Text(number), "2.5 mm");
    EXPECT_TRUE(scene.dialogs.UserSetText(scene.dialog, dialogtest::kNumberItem, "9"));
    EXPECT_FLOAT_EQ(gSeen.back().number, 4.5f);
    EXPECT_EQ(gSeen.back().text, "4.5 mm");

    float value = -1;
    EXPECT_TRUE(scene.item_->DefaultTextToFloat(number, "-0.25", &value));
    EXPECT_FLOAT_EQ(value, -0.25f);
    EXPECT_FALSE(scene.item_->DefaultTextToFloat(number, "1e", &value));
    EXPECT_FLOAT_EQ(value, -0.25f);
    char text[8] = "keep";
    EXPECT_TRUE(scene.item_->DefaultFloatToText(number, 12.345f, text, sizeof text));
    EXPECT_STREQ(text, "12.35");
    EXPECT_FALSE(scene.item_->DefaultFloatToText(number, 123456.0f, text, sizeof text));
    EXPECT_STREQ(text, "12.35");
    scene.End();
}

// Texts the host answers into a buffer are cut on a character boundary.
TEST(DialogItems, TextsAreCutOnACharacterBoundary) {
    struct Case {
        std::size_t size;
        const char* text;
    };
    const Case cases[] = {{1, ""}, {3, "Gr"}, {4, "Gr"}, {5, "Grö"}, {64, "Größe:"}};
    ItemScene scene;
    const host::Item label = scene.ItemOf(scene.dialog, dialogtest::kLabelItem);
    for (const Case& c : cases) {
        char text[64];
        scene.item_->GetText(label, text, c.size);
        EXPECT_STREQ(text, c.text) << c.size;
    }
    scene.End();
}

std::vector<std::string> gDrawn;
host::Drawer gKeptDrawer;

void DrawDialog(host::Dialog dialog, host::Drawer drawer) {
    gDrawn.push_back("dialog");
    gScene->dialog_->DefaultDraw(dialog, drawer);
    gKeptDrawer = drawer;
}

void DrawItem(host::Item, host::Drawer) {
    gDrawn.push_back("text item");
}

bool TrackYes(host::Item, host::Tracker) {
    return true;
}

// Drawing runs the dialog's procedure, then the items' in id order (the
// default for those without); tracking answers what the procedure answers.
TEST(DialogItems, DrawingAndTracking) {
    ItemScene scene;
    gDrawn.clear();
    scene.dialog_->SetDrawProc(scene.dialog, &DrawDialog);
    scene.item_->SetDrawProc(scene.ItemOf(scene.dialog, dialogtest::kTextItem), &DrawItem);
    scene.item_->SetTrackProc(scene.ItemOf(scene.dialog, dialogtest::kTextItem), &TrackYes);
    EXPECT_TRUE(scene.dialogs.Draw(scene.dialog));
    EXPECT_EQ(gDrawn, (std::vector<std::string>{"dialog", "text item"}));
    EXPECT_EQ(scene.dialogs.TrackItem(scene.dialog, dialogtest::kTextItem), true);
    EXPECT_EQ(scene.dialogs.TrackItem(scene.dialog, dialogtest::kLabelItem), false);
    EXPECT_EQ(scene.dialogs.TrackDialog(scene.dialog), false);
    EXPECT_EQ(scene.dialogs.TrackItem(scene.dialog, 99), std::nullopt);
    const standin::DialogSnapshot view = scene.dialogs.View(scene.dialog);
    EXPECT_EQ(view.defaults.draw, 1);
    EXPECT_EQ(view.defaults.track, 1);
    EXPECT_EQ(view.items.at(dialogtest::kLabelItem).defaults.draw, 1);
    EXPECT_EQ(view.items.at(dialogtest::kLabelItem).defaults.track, 1);
    EXPECT_EQ(view.items.at(dialogtest::kTextItem).defaults.draw, 0);

    scene.dialog_->DefaultDraw(scene.dialog, gKeptDrawer);
    scene.ExpectOneViolation(standin::ViolationKind::kStaleHandle, "ADM Dialog Suite DefaultDraw");
    scene.End();
}

host::Error InitItem(host::Item item) {
    gScene->item_->SetText(item, "neu");
    return host::kNoError;
}

// Items the plug-in adds: a new id with its init procedure; an id taken is
// a violation.
TEST(DialogItems, ThePluginAddsItems) {
    ItemScene scene;
    const host::Rect bounds{0, 0, 20, 20};
    const host::Item added =
        scene.item_->Create(scene.dialog, 50, host::ItemKind::kPopup, &bounds, &InitItem, &scene);
    ASSERT_TRUE(added);
    EXPECT_EQ(scene.ItemOf(scene.dialog, 50), added);
    EXPECT_EQ(scene.Text(added), "neu");
    EXPECT_EQ(scene.item_->GetUserData(added), &scene);
    EXPECT_TRUE(scene.item_->GetList(added));
    EXPECT_FALSE(scene.item_->Create(scene.dialog, dialogtest::kTextItem, host::ItemKind::kTextEdit,
                                     &bounds, nullptr, nullptr));
    scene.ExpectOneViolation(standin::ViolationKind::kBadArgument, "ADM Item Suite Create");
    scene.End();
}

// What the plug-in stores in a dialog or an item it reads back; a check box
// set by the plug-in tells nobody.
TEST(DialogItems, ThePluginStoresAndReadsValues) {
    ItemScene scene;
    int dialogData = 0;
    int itemData = 0;
    const host::Item checkBox = scene.ItemOf(scene.dialog, dialogtest::kCheckBoxItem);
    scene.dialog_->SetUserData(scene.dialog, &dialogData);
    scene.item_->SetUserData(checkBox, &itemData);
    scene.item_->SetBooleanValue(checkBox, true);
    EXPECT_EQ(scene.dialog_->GetUserData(scene.dialog), &dialogData);
    EXPECT_EQ(scene.item_->GetUserData(checkBox), &itemData);
    EXPECT_TRUE(scene.item_->GetBooleanValue(checkBox));
    EXPECT_TRUE(scene.dialogs.View(scene.dialog).items.at(dialogtest::kCheckBoxItem).boolean);
    EXPECT_TRUE(gSeen.empty());
    scene.End();
}

}  // namespace

namespace {

struct Shown {
    std::int32_t units;
    std::int32_t precision;
    bool unitEntry;
    float value;
    const char* text;
};

// A number item shows its value in its units with its precision, the unit's
// symbol only with unit entry; a static text shows a value as well.
TEST(DialogNumbers, ItemsShowValuesInTheirUnits) {
    const Shown cases[] = {
        {host::kUnitsPoints, 4, true, 1.5f, "1.5000 pt"},
        {host::kUnitsPoints, 4, false, 1.5f, "1.5000"},
        {host::kUnitsPercent, 2, true, 100, "100.00 %"},
        {host::kUnitsPercent, 2, false, 100, "100.00"},
        {host::kUnitsNone, 3, true, 3, "3.000"},
        {host::kUnitsPoints, 0, true, -12.75f, "-13 pt"},
    };
    for (const std::int32_t id : {dialogtest::kNumberItem, dialogtest::kLabelItem}) {
        for (const Shown& c : cases) {
            SCOPED_TRACE(testing::Message() << id << ": " << c.text);
            ItemScene scene;
            const host::Item item = scene.ItemOf(scene.dialog, id);
            scene.item_->SetUnits(item, c.units);
            scene.item_->SetPrecision(item, c.precision);
            scene.item_->SetUnitEntry(item, c.unitEntry);
            scene.item_->SetFloatValue(item, c.value);
            EXPECT_EQ(scene.Text(item), c.text);
            char text[32] = {};
            EXPECT_TRUE(scene.item_->DefaultFloatToText(item, c.value, text, sizeof text));
            EXPECT_STREQ(text, c.text);
            scene.End();
        }
    }
}

// Changing how an item shows its value shows it anew.
TEST(DialogNumbers, ASettingShowsTheValueAnew) {
    ItemScene scene;
    const host::Item readout = scene.ItemOf(scene.dialog, dialogtest::kReadoutItem);
    scene.item_->SetFloatValue(readout, 0.1234f);
    EXPECT_EQ(scene.Text(readout), "0.123 pt");
    scene.item_->SetPrecision(readout, 1);
    EXPECT_EQ(scene.Text(readout), "0.1 pt");
    scene.item_->SetUnitEntry(readout, false);
    EXPECT_EQ(scene.Text(readout), "0.1");
    scene.item_->SetUnits(readout, host::kUnitsPercent);
    scene.item_->SetUnitEntry(readout, true);
    EXPECT_EQ(scene.Text(readout), "0.1 %");
    scene.End();
}

struct Typed {
    std::int32_t units;
    bool unitEntry;
    const char* text;
    std::optional<float> value;  // none: refused
};

// With unit entry the user may type a unit of the item's kind, which is
// converted to the item's units; without it, a plain number only.
TEST(DialogNumbers, TypedValuesWithUnits) {
    const Typed cases[] = {
        {host::kUnitsPoints, true, "10 mm", 28.346457f},
        {host::kUnitsPoints, true, "2cm", 56.692913f},
        {host::kUnitsPoints, true, "1 in", 72},
        {host::kUnitsPoints, true, " 12.5 pt ", 12.5f},
        {host::kUnitsPoints, true, "7", 7},
        {host::kUnitsPoints, true, "5 %", std::nullopt},
        {host::kUnitsPoints, true, "mm", std::nullopt},
        {host::kUnitsPoints, true, "3 mm 4", std::nullopt},
        {host::kUnitsPoints, false, "10 mm", std::nullopt},
        {host::kUnitsPercent, true, "50 %", 50},
        {host::kUnitsPercent, true, "50 mm", std::nullopt},
        {host::kUnitsNone, true, "3 pt", std::nullopt},
    };
    for (const Typed& c : cases) {
        SCOPED_TRACE(c.text);
        ItemScene scene;
        const host::Item item = scene.ItemOf(scene.dialog, dialogtest::kNumberItem);
        scene.item_->SetUnits(item, c.units);
        scene.item_->SetUnitEntry(item, c.unitEntry);
        EXPECT_EQ(scene.dialogs.UserSetText(scene.dialog, dialogtest::kNumberItem, c.text),
                  c.value.has_value());
        EXPECT_FLOAT_EQ(scene.item_->GetFloatValue(item), c.value.value_or(12.5f));
        float value = -1;
        EXPECT_EQ(scene.item_->DefaultTextToFloat(item, c.text, &value), c.value.has_value());
        EXPECT_FLOAT_EQ(value, c.value.value_or(-1));
        scene.End();
    }
}

// The host's value-to-text conversion, in the units the item settings use.
TEST(DialogNumbers, ValueToString) {
    struct Case {
        float value;
        std::int32_t units;
        std::int32_t precision;
        bool appendUnit;
        std::size_t size;
        host::Error result;
        const char* text;
    };
    const Case cases[] = {
        {0.0567f, host::kUnitsPoints, 4, true, 32, host::kNoError, "0.0567 pt"},
        {-1.25f, host::kUnitsPoints, 2, true, 32, host::kNoError, "-1.25 pt"},
        {100, host::kUnitsPercent, 2, true, 32, host::kNoError, "100.00 %"},
        {100, host::kUnitsPercent, 2, false, 32, host::kNoError, "100.00"},
        {3, host::kUnitsNone, 1, true, 32, host::kNoError, "3.0"},
        {0.0567f, host::kUnitsPoints, 4, true, 10, host::kNoError, "0.0567 pt"},
        {0.0567f, host::kUnitsPoints, 4, true, 9, host::kErrorTextTooLong, "untouched"},
    };
    DialogScene scene;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " in " << c.size);
        char text[32] = "untouched";
        EXPECT_EQ(
            scene.basic_->ValueToString(c.value, c.units, c.precision, c.appendUnit, text, c.size),
            c.result);
        EXPECT_STREQ(text, c.text);
    }
    scene.ExpectCleanEnd();
}

// Integer values are values rounded to the nearest, kept in range; a static
// text shows them with its precision.
TEST(DialogNumbers, IntegerValues) {
    struct Case {
        float value;
        std::int32_t integer;
    };
    const Case cases[] = {
        {2.6f, 3},
        {-2.6f, -3},
        {7, 7},
        {1e10f, std::numeric_limits<std::int32_t>::max()},
        {-1e10f, std::numeric_limits<std::int32_t>::lowest()},
    };
    ItemScene scene;
    const host::Item number = scene.ItemOf(scene.dialog, dialogtest::kNumberItem);
    for (const Case& c : cases) {
        scene.item_->SetFloatValue(number, c.value);
        EXPECT_EQ(scene.item_->GetIntegerValue(number), c.integer) << c.value;
    }
    const host::Item label = scene.ItemOf(scene.dialog, dialogtest::kLabelItem);
    scene.item_->SetIntegerValue(label, 42);
    EXPECT_EQ(scene.Text(label), "42");
    EXPECT_EQ(scene.item_->GetIntegerValue(label), 42);
    scene.item_->SetIntegerValue(number, -5);
    EXPECT_EQ(scene.Text(number), "-5.00");
    scene.End();
}

// What the plug-in sets on an item it reads back or the user meets: an item
// disabled or hidden is out of the user's reach.
TEST(DialogItems, StateThePluginSets) {
    ItemScene scene;
    const host::Item text = scene.ItemOf(scene.dialog, dialogtest::kTextItem);
    const host::Item button = scene.ItemOf(scene.dialog, dialogtest::kPictureButtonItem);
    scene.item_->Enable(text, false);
    EXPECT_FALSE(scene.item_->IsEnabled(text));
    EXPECT_FALSE(scene.dialogs.UserSetText(scene.dialog, dialogtest::kTextItem, "x"));
    scene.item_->Enable(text, true);
    scene.item_->Show(text, false);
    EXPECT_FALSE(scene.item_->IsVisible(text));
    EXPECT_FALSE(scene.dialogs.UserSetText(scene.dialog, dialogtest::kTextItem, "x"));
    scene.item_->Show(text, true);
    EXPECT_TRUE(scene.dialogs.UserSetText(scene.dialog, dialogtest::kTextItem, "x"));

    scene.item_->SetFont(text, host::kFontPalette);
    scene.item_->SetTipString(button, "Überprüfe andere passende Barcodes");
    scene.item_->SetPictureID(button, dialogtest::kOtherIcon);
    scene.item_->Move(button, 100, 4);
    scene.item_->Size(button, 24, 20);
    host::Rect bounds{};
    scene.item_->GetBoundsRect(button, &bounds);
    EXPECT_EQ(bounds.left, 100);
    EXPECT_EQ(bounds.top, 4);
    EXPECT_EQ(bounds.right, 124);
    EXPECT_EQ(bounds.bottom, 24);
    const standin::DialogSnapshot view = scene.dialogs.View(scene.dialog);
    EXPECT_EQ(view.items.at(dialogtest::kTextItem).font, host::kFontPalette);
    EXPECT_EQ(view.items.at(dialogtest::kLabelItem).font, host::kFontDefault);
    EXPECT_EQ(view.items.at(dialogtest::kPictureButtonItem).tip,
              "Überprüfe andere passende Barcodes");
    EXPECT_EQ(view.items.at(dialogtest::kPictureButtonItem).picture, dialogtest::kOtherIcon);
    EXPECT_EQ(view.items.at(dialogtest::kPictureButtonItem).bounds.right, 124);
    scene.End();
}

// Settings the host does not know, and pictures an item cannot show, are
// violations that change nothing.
TEST(DialogItems, SettingsTheHostRefuses) {
    struct Case {
        const char* what;
        std::function<void(ItemScene&)> act;
        const char* call;
    };
    const auto number = [](ItemScene& s) { return s.ItemOf(s.dialog, dialogtest::kNumberItem); };
    const auto button = [](ItemScene& s) {
        return s.ItemOf(s.dialog, dialogtest::kPictureButtonItem);
    };
    const Case cases[] = {
        {"precision 11", [&](ItemScene& s) { s.item_->SetPrecision(number(s), 11); },
         "ADM Item Suite SetPrecision"},
        {"precision -1", [&](ItemScene& s) { s.item_->SetPrecision(number(s), -1); },
         "ADM Item Suite SetPrecision"},
        {"units 5", [&](ItemScene& s) { s.item_->SetUnits(number(s), 5); },
         "ADM Item Suite SetUnits"},
        {"font 3", [&](ItemScene& s) { s.item_->SetFont(number(s), 3); }, "ADM Item Suite SetFont"},
        {"a picture on a number edit",
         [&](ItemScene& s) { s.item_->SetPictureID(number(s), dialogtest::kIcon); },
         "ADM Item Suite SetPictureID"},
        {"a picture not in the resources",
         [&](ItemScene& s) { s.item_->SetPictureID(button(s), dialogtest::kIcon + 99); },
         "ADM Item Suite SetPictureID"},
        {"no tip", [&](ItemScene& s) { s.item_->SetTipString(button(s), nullptr); },
         "ADM Item Suite SetTipString"},
        {"a negative size", [&](ItemScene& s) { s.item_->Size(button(s), -1, 5); },
         "ADM Item Suite Size"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ItemScene scene;
        const standin::DialogSnapshot before = scene.dialogs.View(scene.dialog);
        c.act(scene);
        scene.ExpectOneViolation(standin::ViolationKind::kBadArgument, c.call);
        const standin::DialogSnapshot after = scene.dialogs.View(scene.dialog);
        for (const std::int32_t id : {dialogtest::kNumberItem, dialogtest::kPictureButtonItem}) {
            const standin::ItemSnapshot& was = before.items.at(id);
            const standin::ItemSnapshot& is = after.items.at(id);
            EXPECT_EQ(is.text, was.text);
            EXPECT_EQ(is.precision, was.precision);
            EXPECT_EQ(is.units, was.units);
            EXPECT_EQ(is.font, was.font);
            EXPECT_EQ(is.picture, was.picture);
            EXPECT_EQ(is.tip, was.tip);
            EXPECT_EQ(is.bounds.right, was.bounds.right);
        }
        scene.End();
    }
}

bool gTested = false;

bool TrackTestingAlt(host::Item, host::Tracker tracker) {
    gTested = gScene->tracker_->TestModifier(tracker, host::kTrackerAltKey);
    return true;
}

// The tracker tells whether the user holds a modifier key, with or without
// a tracker; a tracker kept after its tracking is stale.
TEST(DialogTracker, TestsTheModifierKeysHeld) {
    for (const std::int32_t held : {0, host::kTrackerAltKey}) {
        SCOPED_TRACE(held);
        ItemScene scene;
        scene.dialogs.HoldModifiers(held);
        EXPECT_EQ(scene.tracker_->TestModifier(host::Tracker{}, host::kTrackerAltKey), held != 0);
        scene.item_->SetTrackProc(scene.ItemOf(scene.dialog, dialogtest::kTextItem),
                                  &TrackTestingAlt);
        gTested = held == 0;
        EXPECT_EQ(scene.dialogs.TrackItem(scene.dialog, dialogtest::kTextItem), true);
        EXPECT_EQ(gTested, held != 0);
        scene.End();
    }
}

host::Tracker gKeptTracker;

bool KeepTracker(host::Item, host::Tracker tracker) {
    gKeptTracker = tracker;
    return false;
}

TEST(DialogTracker, ATrackerKeptAfterTrackingIsStale) {
    ItemScene scene;
    scene.dialogs.HoldModifiers(host::kTrackerAltKey);
    scene.item_->SetTrackProc(scene.ItemOf(scene.dialog, dialogtest::kTextItem), &KeepTracker);
    scene.dialogs.TrackItem(scene.dialog, dialogtest::kTextItem);
    EXPECT_FALSE(scene.tracker_->TestModifier(gKeptTracker, host::kTrackerAltKey));
    scene.ExpectOneViolation(standin::ViolationKind::kStaleHandle,
                             "ADM Tracker Suite TestModifier");
    scene.End();
}

}  // namespace
