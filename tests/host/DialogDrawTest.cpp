#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogScene.h"

namespace {

using dialogtest::DialogScene;
using standin::DisplayList;

constexpr std::int32_t kEntryHeight = 17;

DialogScene* gScene = nullptr;
host::Drawer gKeptDrawer;

// A row of an owner-drawn list, as the entry's user data.
struct Row {
    const char* name;
    bool selected;
};

// Draws a row as the plug-in's lists do: its background, its name, a line
// under it and an icon at its right.
void DrawRow(host::Entry entry, host::Drawer drawer) {
    const host::AdmDrawerSuite& draw = *gScene->drawer_;
    const auto* row = static_cast<const Row*>(gScene->entry_->GetUserData(entry));
    host::Rect rect{};
    gScene->entry_->GetLocalRect(entry, &rect);
    draw.SetColor(drawer, row->selected ? host::kColorHighlight : host::kColorBackground);
    draw.FillRect(drawer, &rect);
    draw.SetColor(drawer, host::kColorForeground);
    draw.SetFont(drawer, host::kFontDialog);
    const host::Rect name{5, 2, 70, 15};
    draw.DrawTextInRect(drawer, &name, row->name);
    draw.DrawLine(drawer, {0, rect.bottom - 1}, {rect.right, rect.bottom - 1});
    draw.DrawIcon(drawer,
                  gScene->icon_->GetFromResource(gScene->plugin, "Status", dialogtest::kIcon, 1),
                  {rect.right - 25, 2});
    gKeptDrawer = drawer;
}

struct DrawScene : DialogScene {
    DrawScene() : DialogScene(&dialogtest::TestModule()) {
        gScene = this;
        dialog = Shown(dialogtest::kKindsDialog, "Kinds");
        list = item_->GetList(ItemOf(dialog, dialogtest::kListBoxItem));
    }
    void AddRows(Row* rows, int count) {
        for (int i = 0; i < count; ++i) {
            const host::Entry entry = list_->InsertEntry(list, i);
            entry_->SetID(entry, i);
            entry_->SetText(entry, rows[i].name);
            entry_->SetUserData(entry, &rows[i]);
        }
    }
    standin::ItemSnapshot ListBox() {
        return dialogs.View(dialog).items.at(dialogtest::kListBoxItem);
    }
    void End() {
        dialog_->Destroy(dialog);
        ExpectCleanEnd();
    }
    host::Dialog dialog;
    host::List list;
};

DisplayList RowDrawn(const char* name, std::int32_t background) {
    const std::string width = std::to_string(dialogtest::kListBoxWidth);
    return {"color " + std::to_string(background),
            "fill 0 0 " + width + " " + std::to_string(kEntryHeight),
            "color 0",
            "font 1",
            std::string("text 5 2 70 15 ") + name,
            "line 0 16 " + width + " 16",
            "icon 300 " + std::to_string(dialogtest::kListBoxWidth - 25) + " 2"};
}

// Each entry of a list box draws through the entry draw procedure into a
// display list of its own, in its own space: (0, 0, list width, entry
// height).
TEST(DialogDrawing, OwnerDrawnEntries) {
    DrawScene scene;
    Row rows[] = {{"OCRB", true}, {"Helvetica", false}};
    scene.AddRows(rows, 2);
    scene.list_->SetEntryHeight(scene.list, kEntryHeight);
    scene.list_->SetEntryDrawProc(scene.list, &DrawRow);
    EXPECT_TRUE(scene.dialogs.Draw(scene.dialog));
    const standin::ItemSnapshot view = scene.ListBox();
    ASSERT_EQ(view.entries.size(), 2u);
    EXPECT_EQ(view.entries[0].drawn, RowDrawn("OCRB", host::kColorHighlight));
    EXPECT_EQ(view.entries[1].drawn, RowDrawn("Helvetica", host::kColorBackground));
    EXPECT_EQ(view.defaults.draw, 1);

    rows[0].selected = false;
    rows[1].selected = true;
    scene.dialog_->Update(scene.dialog);
    EXPECT_EQ(scene.ListBox().entries[1].drawn, RowDrawn("Helvetica", host::kColorHighlight));
    scene.End();
}

// Without an entry draw procedure the host draws an entry's text; only list
// boxes draw their entries, and only what is shown is drawn.
TEST(DialogDrawing, WhatTheHostDraws) {
    DrawScene scene;
    Row rows[] = {{"Eins", false}};
    scene.AddRows(rows, 1);
    const host::List popup =
        scene.item_->GetList(scene.ItemOf(scene.dialog, dialogtest::kPopupItem));
    scene.entry_->SetText(scene.list_->InsertEntry(popup, 0), "Zwei");
    EXPECT_TRUE(scene.dialogs.Draw(scene.dialog));
    EXPECT_EQ(scene.ListBox().entries[0].drawn,
              DisplayList{"text 0 0 " + std::to_string(dialogtest::kListBoxWidth) + " 16 Eins"});
    EXPECT_TRUE(
        scene.dialogs.View(scene.dialog).items.at(dialogtest::kPopupItem).entries[0].drawn.empty());

    const host::Item listBox = scene.ItemOf(scene.dialog, dialogtest::kListBoxItem);
    scene.item_->Invalidate(listBox);
    scene.item_->Show(listBox, false);
    scene.dialog_->Update(scene.dialog);
    EXPECT_TRUE(scene.ListBox().invalid);
    scene.item_->Show(listBox, true);
    scene.dialog_->Show(scene.dialog, false);
    scene.dialog_->Update(scene.dialog);
    EXPECT_FALSE(scene.dialogs.Draw(scene.dialog));
    EXPECT_TRUE(scene.ListBox().invalid);
    scene.dialog_->Show(scene.dialog, true);
    scene.dialog_->Update(scene.dialog);
    EXPECT_FALSE(scene.ListBox().invalid);
    scene.End();
}

std::function<void(host::Drawer)> gDraw;

void DrawDialog(host::Dialog, host::Drawer drawer) {
    gDraw(drawer);
    gKeptDrawer = drawer;
}

// What a drawer cannot draw is a violation and draws nothing; an icon that
// cannot be shown draws nothing.
TEST(DialogDrawing, WhatADrawerRefuses) {
    struct Case {
        const char* what;
        std::function<void(const host::AdmDrawerSuite&, host::Drawer)> draw;
        const char* call;  // of the violation, or null
    };
    const host::Rect rect{0, 0, 10, 10};
    const Case cases[] = {
        {"colour 3", [](const host::AdmDrawerSuite& d, host::Drawer w) { d.SetColor(w, 3); },
         "ADM Drawer Suite SetColor"},
        {"font 4", [](const host::AdmDrawerSuite& d, host::Drawer w) { d.SetFont(w, 4); },
         "ADM Drawer Suite SetFont"},
        {"no rect", [](const host::AdmDrawerSuite& d, host::Drawer w) { d.FillRect(w, nullptr); },
         "ADM Drawer Suite FillRect"},
        {"no text",
         [&rect](const host::AdmDrawerSuite& d, host::Drawer w) {
             d.DrawTextInRect(w, &rect, nullptr);
         },
         "ADM Drawer Suite DrawTextInRect"},
        {"an icon that cannot be shown",
         [](const host::AdmDrawerSuite& d, host::Drawer w) {
             d.DrawIcon(
                 w, gScene->icon_->GetFromResource(gScene->plugin, "Status", dialogtest::kIcon, 2),
                 {0, 0});
         },
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DrawScene scene;
        gDraw = [&scene, &c](host::Drawer drawer) { c.draw(*scene.drawer_, drawer); };
        scene.dialog_->SetDrawProc(scene.dialog, &DrawDialog);
        EXPECT_TRUE(scene.dialogs.Draw(scene.dialog));
        EXPECT_TRUE(scene.dialogs.View(scene.dialog).drawn.empty());
        if (c.call != nullptr) {
            scene.ExpectOneViolation(standin::ViolationKind::kBadArgument, c.call);
        }
        scene.End();
    }
}

TEST(DialogDrawing, ADrawerKeptAfterTheDrawIsStale) {
    DrawScene scene;
    gDraw = [](host::Drawer drawer) { gScene->drawer_->SetColor(drawer, host::kColorForeground); };
    scene.dialog_->SetDrawProc(scene.dialog, &DrawDialog);
    EXPECT_TRUE(scene.dialogs.Draw(scene.dialog));
    EXPECT_EQ(scene.dialogs.View(scene.dialog).drawn, DisplayList{"color 0"});
    scene.drawer_->DrawLine(gKeptDrawer, {0, 0}, {1, 1});
    scene.ExpectOneViolation(standin::ViolationKind::kStaleHandle, "ADM Drawer Suite DrawLine");
    EXPECT_EQ(scene.dialogs.View(scene.dialog).drawn, DisplayList{"color 0"});
    scene.End();
}

}  // namespace
