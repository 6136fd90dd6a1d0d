#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "HandleTable.h"
#include "HostCore.h"
#include "SuiteCalls.h"
#include "SuiteForward.h"
#include "host/AiSuites.h"

namespace standin {

struct MenuItemRecord {
    host::MenuItem handle;
    host::PluginRef plugin;
    std::string name;
    std::string group;
    std::int32_t options;
    std::string text;
    // Every text the item had, its first one included.
    std::vector<std::string> texts;
    std::string submenu;  // the group under the item, or ""
};

struct MenuGroupRecord {
    host::MenuGroup handle;
    std::string name;
    std::string parentItem;  // "" for a group of the host
    std::int32_t options;
};

// The host's menus, serving "AI Menu Suite": groups in the order they were
// made (the host's own first), items with their texts, and groups made as
// the submenu of an item. Items stay until the host goes, as the host keeps
// them until it unloads the plug-in.
class MenuModel : public ActiveInstance<MenuModel> {
public:
    explicit MenuModel(HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }

    // A group of the host (or of another plug-in) that exists before the
    // plug-in starts. Throws std::invalid_argument for a name taken already.
    void AddHostGroup(std::string_view name);

    const std::vector<MenuGroupRecord>& Groups() const { return groups_; }
    const std::vector<MenuItemRecord>& Items() const { return items_; }
    // Null when there is no item of that name.
    const MenuItemRecord* FindItem(std::string_view name) const;
    const MenuGroupRecord* FindGroup(std::string_view name) const;

    host::Error CountMenuGroups(std::int32_t* count);
    host::Error GetNthMenuGroup(std::int32_t index, host::MenuGroup* group);
    host::Error GetMenuGroupName(host::MenuGroup group, char* name, std::size_t size);
    host::Error AddMenuItem(host::PluginRef plugin, const char* name,
                            const host::MenuItemData* data, std::int32_t options,
                            host::MenuItem* item);
    host::Error AddMenuGroupAsSubMenu(const char* name, std::int32_t options, host::MenuItem item,
                                      host::MenuGroup* group);
    host::Error SetItemText(host::MenuItem item, const char* text);

private:
    SuiteCalls calls_;
    std::vector<MenuGroupRecord> groups_;
    std::vector<MenuItemRecord> items_;
    HandleTable<host::MenuGroup, std::size_t> groupHandles_;
    HandleTable<host::MenuItem, std::size_t> itemHandles_;
};

}  // namespace standin
