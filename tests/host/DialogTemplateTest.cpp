#include <gtest/gtest.h>

#include "DialogScene.h"
#include "PluginResources.h"

namespace {

using dialogtest::DialogScene;
using dialogtest::TestModule;

struct ExpectedItem {
    std::int32_t id;
    host::ItemKind kind;
    const char* text;
    bool enabled;
    bool visible;
    bool hasList;
};

// Every item of a template becomes an item of its kind, with its text (a
// number edit's formatted with its precision), state and bounds; popups,
// list boxes and side menus come with a list.
TEST(DialogTemplates, BuildDialogsWithTheirItems) {
    DialogScene scene(&TestModule());
    const host::Dialog dialog = scene.Floating(dialogtest::kKindsDialog, "Kinds");
    ASSERT_TRUE(dialog);
    const ExpectedItem expected[] = {
        {dialogtest::kSideMenuItem, host::ItemKind::kSideMenu, "", true, true, true},
        {host::kOkItem, host::ItemKind::kButton, "OK", true, true, false},
        {host::kCancelItem, host::ItemKind::kButton, "Abbrechen", true, true, false},
        {dialogtest::kLabelItem, host::ItemKind::kStaticText, "Größe:", true, true, false},
        {dialogtest::kTextItem, host::ItemKind::kTextEdit, "Start", true, true, false},
        {dialogtest::kNumberItem, host::ItemKind::kNumberEdit, "12.50", true, true, false},
        {dialogtest::kCheckBoxItem, host::ItemKind::kCheckBox, "Nicht mehr zeigen", true, true,
         false},
        {dialogtest::kPictureItem, host::ItemKind::kPicture, "", true, true, false},
        {dialogtest::kPopupItem, host::ItemKind::kPopup, "Typ", true, true, true},
        {dialogtest::kListBoxItem, host::ItemKind::kListBox, "", true, true, true},
        {dialogtest::kDisabledItem, host::ItemKind::kTextEdit, "aus", false, true, false},
        {dialogtest::kHiddenItem, host::ItemKind::kTextEdit, "versteckt", true, false, false},
        {dialogtest::kPictureButtonItem, host::ItemKind::kPictureButton, "", true, true, false},
        {dialogtest::kPictureToggleItem, host::ItemKind::kPictureToggle, "", true, true, false},
        {dialogtest::kReadoutItem, host::ItemKind::kStaticText, "", true, true, false},
    };
    const standin::DialogSnapshot view = scene.dialogs.View(dialog);
    EXPECT_EQ(view.name, "Kinds");
    EXPECT_EQ(view.title, "Alle Arten");
    EXPECT_EQ(view.resourceId, dialogtest::kKindsDialog);
    EXPECT_FALSE(view.modal);
    EXPECT_FALSE(view.visible);
    ASSERT_EQ(view.items.size(), std::size(expected));
    for (const ExpectedItem& item : expected) {
        SCOPED_TRACE(item.id);
        const standin::ItemSnapshot& seen = view.items.at(item.id);
        const host::Item handle = scene.ItemOf(dialog, item.id);
        EXPECT_EQ(seen.handle, handle);
        EXPECT_EQ(seen.kind, item.kind);
        EXPECT_EQ(seen.text, item.text);
        EXPECT_EQ(scene.Text(handle), item.text);
        EXPECT_EQ(seen.enabled, item.enabled);
        EXPECT_EQ(seen.visible, item.visible);
        EXPECT_EQ(static_cast<bool>(scene.item_->GetList(handle)), item.hasList);
    }
    const standin::ItemSnapshot& number = view.items.at(dialogtest::kNumberItem);
    EXPECT_EQ(number.precision, dialogtest::kNumberPrecision);
    EXPECT_EQ(number.units, dialogtest::kNumberUnits);
    EXPECT_FLOAT_EQ(scene.item_->GetFloatValue(scene.ItemOf(dialog, dialogtest::kNumberItem)),
                    12.5f);
    EXPECT_EQ(view.items.at(dialogtest::kTextItem).bounds.right, 230);
    EXPECT_EQ(view.items.at(dialogtest::kPictureButtonItem).picture, dialogtest::kIcon);
    EXPECT_EQ(view.items.at(dialogtest::kTextItem).picture, 0);
    const standin::ItemSnapshot& readout = view.items.at(dialogtest::kReadoutItem);
    EXPECT_EQ(readout.units, host::kUnitsPoints);
    EXPECT_EQ(readout.precision, dialogtest::kReadoutPrecision);
    EXPECT_TRUE(readout.unitEntry);
    EXPECT_FALSE(number.unitEntry);
    EXPECT_FALSE(scene.ItemOf(dialog, 99));
    scene.dialog_->Destroy(dialog);
    scene.ExpectCleanEnd();
}

// The plug-in's error alert as its template says.
TEST(DialogTemplates, TheErrorDialogOfThePluginsResources) {
    DialogScene scene;
    const host::Dialog dialog = scene.Floating(dialogtest::kErrorDialog, "Error");
    const standin::DialogSnapshot view = scene.dialogs.View(dialog);
    EXPECT_EQ(view.title, "Plug-in Error");
    ASSERT_EQ(view.items.size(), 3u);
    EXPECT_EQ(view.items.at(1).kind, host::ItemKind::kButton);
    EXPECT_EQ(view.items.at(1).text, "OK");
    EXPECT_EQ(view.items.at(2).kind, host::ItemKind::kStaticText);
    EXPECT_EQ(view.items.at(2).text, "Message");
    EXPECT_EQ(view.items.at(3).kind, host::ItemKind::kStaticText);
    EXPECT_EQ(view.items.at(3).text, "Code");
    scene.dialog_->Destroy(dialog);
    scene.ExpectCleanEnd();
}

int gInitCalls = 0;

host::Error CountingInit(host::Dialog) {
    ++gInitCalls;
    return host::kNoError;
}

// A template that is not there, by an unknown id or removed by an overlay,
// makes no dialog: no init call, no modal run, no violation.
TEST(DialogTemplates, AMissingTemplateMeansNoDialog) {
    standin::ResourceOverlay withoutError(*StriveloResourceModule());
    withoutError.RemoveDialog(dialogtest::kErrorDialog);
    struct Case {
        const char* what;
        const M7LResourceModule* module;
        std::int32_t resourceId;
    };
    const Case cases[] = {
        {"unknown id", StriveloResourceModule(), dialogtest::kMissingDialog},
        {"removed by an overlay", withoutError.Module(), dialogtest::kErrorDialog},
        {"a plug-in without resources", nullptr, dialogtest::kErrorDialog},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogScene scene(c.module);
        gInitCalls = 0;
        EXPECT_FALSE(scene.Floating(c.resourceId, "Error", &CountingInit));
        EXPECT_EQ(
            scene.dialog_->Modal(scene.plugin, "Error", c.resourceId, 0, &CountingInit, nullptr, 0),
            host::kNoDialogItem);
        EXPECT_EQ(gInitCalls, 0);
        EXPECT_TRUE(scene.dialogs.ModalLog().empty());
        EXPECT_TRUE(scene.dialogs.Dialogs().empty());
        scene.ExpectCleanEnd();
    }
}

DialogScene* gScene = nullptr;
int gDestroyCalls = 0;

void CountingDestroy(host::Dialog) {
    ++gDestroyCalls;
}

host::Error InitThatFails(host::Dialog dialog) {
    gScene->dialog_->SetDestroyProc(dialog, &CountingDestroy);
    return host::FourCharCode("FAIL");
}

// A failing init procedure: the host destroys what it made (running the
// destroy procedure the init installed) and gives no dialog.
TEST(DialogTemplates, AFailingInitMakesNoDialog) {
    DialogScene scene;
    gScene = &scene;
    gDestroyCalls = 0;
    EXPECT_FALSE(scene.Floating(dialogtest::kErrorDialog, "Error", &InitThatFails));
    EXPECT_EQ(gDestroyCalls, 1);
    EXPECT_TRUE(scene.dialogs.Dialogs().empty());
    scene.ExpectCleanEnd();
}

// A mistake in a template is a violation; the dialog is made, a second item
// of an id is left out.
TEST(DialogTemplates, MistakesOfATemplateAreViolations) {
    struct Case {
        const char* what;
        std::int32_t resourceId;
        const char* firstText;
    };
    const Case cases[] = {
        {"an item id twice", dialogtest::kTwiceDialog, "OK"},
        {"a picture not in the resources", dialogtest::kMissingPictureDialog, ""},
        {"a picture on a text edit", dialogtest::kTextPictureDialog, "Bild?"},
        {"units and precision the host does not know", dialogtest::kBadNumberDialog,
         "1.0000000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogScene scene(&TestModule());
        const host::Dialog dialog = scene.Floating(c.resourceId, "Mistake");
        ASSERT_TRUE(dialog);
        EXPECT_EQ(scene.Text(scene.ItemOf(dialog, 1)), c.firstText);
        scene.ExpectOneViolation(standin::ViolationKind::kBadArgument, "ADM Dialog Suite Create");
        scene.dialog_->Destroy(dialog);
        scene.ExpectCleanEnd();
    }
}

// The older generation serves the same dialog manager at its versions.
class DialogGenerations : public testing::TestWithParam<host::Generation> {};

TEST_P(DialogGenerations, ServeTheDialogManager) {
    DialogScene scene(StriveloResourceModule(), GetParam());
    const host::Dialog dialog = scene.Floating(dialogtest::kErrorDialog, "Error");
    EXPECT_EQ(scene.Text(scene.ItemOf(dialog, 1)), "OK");
    scene.dialog_->Destroy(dialog);
    scene.ExpectCleanEnd();
}

INSTANTIATE_TEST_SUITE_P(Both, DialogGenerations,
                         testing::Values(host::Generation::kCs3, host::Generation::kCs2));

}  // namespace
