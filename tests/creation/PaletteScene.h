#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "AboutWindowMenu.h"
#include "BarcodeDialog.h"
#include "BarcodeTypePopUp.h"
#include "BarcodeWindowMenu.h"
#include "CreateTool.h"
#include "CreationScene.h"
#include "M7LAIWrappers.h"
#include "M7LResources.h"
#include "MeasureTool.h"

namespace creationtest {

// A creation scene in which the plug-in's palette, tools and menu items are
// made as the plug-in makes them at start-up, and used as a user uses them:
// through the palette's items, the tools' presses, drags and releases, and
// the menus. Shutdown goes as the plug-in's does.
class PaletteScene : public CreationScene {
public:
    using CreationScene::CreationScene;
    ~PaletteScene() { Shutdown(); }

    host::MessageHeader Header() { return {host.Plugin(), host.Core().GetBasicSuite()}; }

    // The palette of the application's start, shown.
    BarcodeDialog& MakePalette() {
        gBarcodeDialog = new BarcodeDialog;
        gBarcodeDialog->Show(true);
        return *gBarcodeDialog;
    }
    BarcodeDialog& Palette() const { return *gBarcodeDialog; }
    void MakeTools() {
        EXPECT_NE(MakeWrapper<MeasureTool>(Header()), nullptr);
        EXPECT_NE(MakeWrapper<CreateTool>(Header()), nullptr);
    }
    // The menu items, over the plug-in's resources as start-up records
    // them.
    void MakeMenus() {
        SetResourceModule(resources.Module());
        EXPECT_NE(MakeWrapper<BarcodeWindowMenu>(Header()), nullptr);
        EXPECT_NE(MakeWrapper<AboutWindowMenu>(Header()), nullptr);
    }
    // "Shutdown": the framework deletes the wrappers, then the plug-in its
    // palette.
    void Shutdown() {
        DeleteAllMenuItems();
        DeleteAllTools();
        delete gBarcodeDialog;
        SetResourceModule(nullptr);
    }

    host::Dialog PaletteDialog() const { return dialogs.FindDialog("BarcodeDialog"); }
    standin::DialogSnapshot View() { return dialogs.View(PaletteDialog()); }

    // The palette and the tools made, and a symbol of the type and code
    // chosen in the palette; false when the palette did not take them.
    bool Ready(std::int32_t type, const std::string& code) {
        MakePalette();
        MakeTools();
        return Choose(type) && Type(code);
    }

    // What the user does in the palette.
    bool Choose(std::int32_t type) {
        const auto& types = BarcodeTypePopUp::kTypes;
        const auto found = std::find(types.begin(), types.end(), type);
        return dialogs.UserSelectEntry(PaletteDialog(), BarcodeDialog::kTypePopUpItem,
                                       static_cast<int>(found - types.begin()));
    }
    bool Enter(std::int32_t item, const std::string& text) {
        return dialogs.UserSetText(PaletteDialog(), item, text);
    }
    bool Type(const std::string& code) { return Enter(BarcodeDialog::kCodeItem, code); }
    bool Toggle(std::int32_t item) {
        return dialogs.UserSetBoolean(PaletteDialog(), item, !View().items.at(item).boolean);
    }
    bool Press(std::int32_t item) { return dialogs.UserPress(PaletteDialog(), item); }
    bool Menu(int index) {
        return dialogs.UserSelectEntry(PaletteDialog(), BarcodeDialog::kSideMenuItem, index);
    }
    // The type the popup shows.
    std::int32_t ShownType() {
        const standin::DialogSnapshot view = View();
        const standin::ItemSnapshot& popup = view.items.at(BarcodeDialog::kTypePopUpItem);
        return popup.activeEntry < 0
                   ? 0
                   : BarcodeTypePopUp::kTypes.at(static_cast<std::size_t>(popup.activeEntry));
    }
    std::string ShownCode() { return View().items.at(BarcodeDialog::kCodeItem).text; }

    // What the user does with the tools.
    host::Error Click(host::RealPoint at, std::uint32_t modifiers = 0) {
        host.SendTool(CreateTool::kName, host::kSelectorMouseDown, at, modifiers);
        return host.SendTool(CreateTool::kName, host::kSelectorMouseUp, at, modifiers);
    }
    host::Error Drag(host::RealPoint from, host::RealPoint to, std::uint32_t modifiers = 0) {
        host.SendTool(MeasureTool::kName, host::kSelectorMouseDown, from, modifiers);
        host.SendTool(MeasureTool::kName, host::kSelectorMouseDrag, to, modifiers);
        return host.SendTool(MeasureTool::kName, host::kSelectorMouseUp, to, modifiers);
    }

    int Beeps() { return host.Platform().Beeps(); }
    // The modal dialogs that ran, by resource id.
    std::vector<std::int32_t> Modals() const {
        std::vector<std::int32_t> ids;
        for (const standin::ModalRun& run : dialogs.ModalLog()) {
            ids.push_back(run.resourceId);
        }
        return ids;
    }
};

}  // namespace creationtest
