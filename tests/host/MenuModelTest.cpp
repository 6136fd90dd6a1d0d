#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "RuntimeScene.h"
#include "host/AiSuites.h"

namespace {

using runtimetest::ExpectEachRecorded;
using runtimetest::Mistake;
using runtimetest::RuntimeScene;
using standin::ViolationKind;

constexpr std::size_t kNameBytes = 64;
constexpr const char* kFamilyGroup = "Orvanex Pavrello Windows Group";
constexpr const char* kFamilyTitle = "Orvanex Pavrello";
constexpr const char* kItemName = "Barcode Readout";
constexpr std::int32_t kPluginItemOptions = 1;
constexpr std::uint64_t kNeverIssuedToken = 0x7FFF0042;

std::vector<std::string> WalkGroupNames(const host::AiMenuSuite& menus) {
    std::int32_t count = 0;
    EXPECT_EQ(menus.CountMenuGroups(&count), host::kNoError);
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < count; ++i) {
        host::MenuGroup group;
        char name[kNameBytes];
        EXPECT_EQ(menus.GetNthMenuGroup(i, &group), host::kNoError);
        EXPECT_EQ(menus.GetMenuGroupName(group, name, sizeof name), host::kNoError);
        names.emplace_back(name);
    }
    return names;
}

const host::AiMenuSuite& Menus(RuntimeScene& scene) {
    return scene.Acquire<host::AiMenuSuite>(host::kAiMenuSuite);
}

host::Error AddItem(RuntimeScene& scene, const char* name, const char* group, const char* text,
                    std::int32_t options, host::MenuItem* item) {
    const host::MenuItemData data{group, text};
    return scene.Acquire<host::AiMenuSuite>(host::kAiMenuSuite)
        .AddMenuItem(scene.host.Plugin(), name, &data, options, item);
}

// The family group as the framework makes it: an item in the host's group,
// a group of the same name as its submenu, the plug-in's item in that group.
void MakeFamilyGroup(RuntimeScene& scene, host::MenuItem* item) {
    const auto& menus = scene.Acquire<host::AiMenuSuite>(host::kAiMenuSuite);
    host::MenuItem familyItem;
    host::MenuGroup family;
    ASSERT_EQ(
        AddItem(scene, kFamilyGroup, host::kMenuGroupToolPalettes, kFamilyTitle, 0, &familyItem),
        host::kNoError);
    ASSERT_EQ(menus.AddMenuGroupAsSubMenu(kFamilyGroup, 0, familyItem, &family), host::kNoError);
    ASSERT_EQ(
        AddItem(scene, kItemName, kFamilyGroup, "Pavrello anzeigen", kPluginItemOptions, item),
        host::kNoError);
}

TEST(Menus, WalkTheHostsGroupsThenTheNewOnesByName) {
    RuntimeScene scene;
    const auto& menus = scene.Acquire<host::AiMenuSuite>(host::kAiMenuSuite);
    EXPECT_EQ(WalkGroupNames(menus), (std::vector<std::string>{host::kMenuGroupToolPalettes,
                                                               host::kMenuGroupFilterUtilities}));
    scene.host.Menus().AddHostGroup("Sibling Group");
    host::MenuItem item;
    MakeFamilyGroup(scene, &item);
    EXPECT_EQ(WalkGroupNames(menus), (std::vector<std::string>{host::kMenuGroupToolPalettes,
                                                               host::kMenuGroupFilterUtilities,
                                                               "Sibling Group", kFamilyGroup}));
    scene.ExpectBalancedAndClean();
}

TEST(Menus, KeepItemsWithGroupTextOptionsAndSubmenu) {
    RuntimeScene scene;
    host::MenuItem item;
    MakeFamilyGroup(scene, &item);

    const standin::MenuModel& model = scene.host.Menus();
    const standin::MenuItemRecord* family = model.FindItem(kFamilyGroup);
    ASSERT_NE(family, nullptr);
    EXPECT_EQ(family->group, host::kMenuGroupToolPalettes);
    EXPECT_EQ(family->text, kFamilyTitle);
    EXPECT_EQ(family->options, 0);
    EXPECT_EQ(family->submenu, kFamilyGroup);
    ASSERT_NE(model.FindGroup(kFamilyGroup), nullptr);
    EXPECT_EQ(model.FindGroup(kFamilyGroup)->parentItem, kFamilyGroup);

    const standin::MenuItemRecord* readout = model.FindItem(kItemName);
    ASSERT_NE(readout, nullptr);
    EXPECT_EQ(readout->handle, item);
    EXPECT_EQ(readout->plugin, scene.host.Plugin());
    EXPECT_EQ(readout->group, kFamilyGroup);
    EXPECT_EQ(readout->options, kPluginItemOptions);
    EXPECT_EQ(readout->submenu, "");
    EXPECT_EQ(model.FindItem("Check Readout"), nullptr);
    scene.ExpectBalancedAndClean();
}

TEST(Menus, RecordEveryTextOfAnItem) {
    RuntimeScene scene;
    host::MenuItem item;
    MakeFamilyGroup(scene, &item);
    const auto& menus = scene.Acquire<host::AiMenuSuite>(host::kAiMenuSuite);
    ASSERT_EQ(menus.SetItemText(item, "Pavrello ausblenden"), host::kNoError);
    ASSERT_EQ(menus.SetItemText(item, "Pavrello anzeigen"), host::kNoError);
    const standin::MenuItemRecord* readout = scene.host.Menus().FindItem(kItemName);
    EXPECT_EQ(readout->text, "Pavrello anzeigen");
    EXPECT_EQ(readout->texts, (std::vector<std::string>{"Pavrello anzeigen", "Pavrello ausblenden",
                                                        "Pavrello anzeigen"}));
    scene.ExpectBalancedAndClean();
}

TEST(Menus, RefuseMistakesAsViolations) {
    const Mistake cases[] = {
        {"item without a name",
         [](RuntimeScene& s) {
             host::MenuItem item;
             return AddItem(s, nullptr, host::kMenuGroupToolPalettes, "Text", 0, &item);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"item in a group that does not exist",
         [](RuntimeScene& s) {
             host::MenuItem item;
             return AddItem(s, kItemName, kFamilyGroup, "Text", 0, &item);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"item name twice",
         [](RuntimeScene& s) {
             host::MenuItem item;
             AddItem(s, kItemName, host::kMenuGroupToolPalettes, "Text", 0, &item);
             return AddItem(s, kItemName, host::kMenuGroupFilterUtilities, "Text", 0, &item);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"item of a plug-in never loaded",
         [](RuntimeScene& s) {
             const auto& menus = Menus(s);
             const host::MenuItemData data{host::kMenuGroupToolPalettes, "Text"};
             host::MenuItem item;
             return menus.AddMenuItem(host::PluginRef{kNeverIssuedToken}, kItemName, &data, 0,
                                      &item);
         },
         ViolationKind::kForeignHandle, host::kErrorBadHandle},
        {"second submenu of an item",
         [](RuntimeScene& s) {
             const auto& menus = Menus(s);
             host::MenuItem item;
             MakeFamilyGroup(s, &item);
             host::MenuGroup group;
             return menus.AddMenuGroupAsSubMenu(
                 "Another Group", 0, s.host.Menus().FindItem(kFamilyGroup)->handle, &group);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"submenu named like an existing group",
         [](RuntimeScene& s) {
             const auto& menus = Menus(s);
             host::MenuItem item;
             AddItem(s, kItemName, host::kMenuGroupToolPalettes, "Text", 0, &item);
             host::MenuGroup group;
             return menus.AddMenuGroupAsSubMenu(host::kMenuGroupFilterUtilities, 0, item, &group);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"text of an item never issued",
         [](RuntimeScene& s) {
             const auto& menus = Menus(s);
             return menus.SetItemText(host::MenuItem{kNeverIssuedToken}, "Text");
         },
         ViolationKind::kForeignHandle, host::kErrorBadHandle},
        {"group index beyond the groups",
         [](RuntimeScene& s) {
             const auto& menus = Menus(s);
             host::MenuGroup group;
             return menus.GetNthMenuGroup(2, &group);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"name of no group",
         [](RuntimeScene& s) {
             const auto& menus = Menus(s);
             char name[kNameBytes];
             return menus.GetMenuGroupName(host::MenuGroup{}, name, sizeof name);
         },
         ViolationKind::kForeignHandle, host::kErrorBadHandle},
    };
    ExpectEachRecorded(cases);
}

}  // namespace
