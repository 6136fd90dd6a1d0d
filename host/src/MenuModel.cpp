// "AI Menu Suite" over the menu model.
#include "MenuModel.h"

#include <algorithm>
#include <stdexcept>

namespace standin {

namespace {

template <typename Record>
const Record* FindByName(const std::vector<Record>& records, std::string_view name) {
    const auto found = std::find_if(records.begin(), records.end(),
                                    [name](const Record& record) { return record.name == name; });
    return found == records.end() ? nullptr : &*found;
}

}  // namespace

MenuModel::MenuModel(HostCore& core)
    : calls_(core, host::kAiMenuSuite),
      groupHandles_(core.GetViolations(), "menu group"),
      itemHandles_(core.GetViolations(), "menu item") {
    static const host::AiMenuSuite suite{
        &Forward<&MenuModel::CountMenuGroups>::Call,
        &Forward<&MenuModel::GetNthMenuGroup>::Call,
        &Forward<&MenuModel::GetMenuGroupName>::Call,
        &Forward<&MenuModel::AddMenuItem>::Call,
        &Forward<&MenuModel::AddMenuGroupAsSubMenu>::Call,
        &Forward<&MenuModel::SetItemText>::Call,
    };
    core.Provide(host::kAiMenuSuite.name, &suite);
    AddHostGroup(host::kMenuGroupToolPalettes);
    AddHostGroup(host::kMenuGroupFilterUtilities);
}

void MenuModel::AddHostGroup(std::string_view name) {
    if (FindGroup(name) != nullptr) {
        throw std::invalid_argument("menu group \"" + std::string(name) + "\" exists");
    }
    groups_.push_back({groupHandles_.Issue(groups_.size()), std::string(name), "", 0});
}

const MenuItemRecord* MenuModel::FindItem(std::string_view name) const {
    return FindByName(items_, name);
}

const MenuGroupRecord* MenuModel::FindGroup(std::string_view name) const {
    return FindByName(groups_, name);
}

host::Error MenuModel::CountMenuGroups(std::int32_t* count) {
    if (const host::Error error = calls_.Enter("CountMenuGroups", count != nullptr)) {
        return error;
    }
    *count = static_cast<std::int32_t>(groups_.size());
    return host::kNoError;
}

host::Error MenuModel::GetNthMenuGroup(std::int32_t index, host::MenuGroup* group) {
    static constexpr std::string_view kFunction = "GetNthMenuGroup";
    if (const host::Error error = calls_.Enter(kFunction, group != nullptr)) {
        return error;
    }
    if (const host::Error error = calls_.CheckIndex(kFunction, index, groups_.size())) {
        return error;
    }
    *group = groups_[static_cast<std::size_t>(index)].handle;
    return host::kNoError;
}

host::Error MenuModel::GetMenuGroupName(host::MenuGroup group, char* name, std::size_t size) {
    std::size_t* index = nullptr;
    if (const host::Error error =
            calls_.Enter("GetMenuGroupName", name != nullptr, groupHandles_, group, &index)) {
        return error;
    }
    return SuiteCalls::CopyText(groups_[*index].name, name, size);
}

host::Error MenuModel::AddMenuItem(host::PluginRef plugin, const char* name,
                                   const host::MenuItemData* data, std::int32_t options,
                                   host::MenuItem* item) {
    static constexpr std::string_view kFunction = "AddMenuItem";
    const bool present = name != nullptr && data != nullptr && data->groupName != nullptr &&
                         data->text != nullptr && item != nullptr;
    if (const host::Error error = calls_.Enter(kFunction, present)) {
        return error;
    }
    if (const auto answer =
            calls_.Admit(kFunction, plugin, name, FindItem(name) != nullptr, item)) {
        return *answer;
    }
    if (FindGroup(data->groupName) == nullptr) {
        return calls_.BadArgument(kFunction,
                                  "no menu group \"" + std::string(data->groupName) + "\"");
    }
    const host::MenuItem added = itemHandles_.Issue(items_.size());
    items_.push_back({added, plugin, name, data->groupName, options, data->text, {data->text}, ""});
    *item = added;
    return host::kNoError;
}

host::Error MenuModel::AddMenuGroupAsSubMenu(const char* name, std::int32_t options,
                                             host::MenuItem item, host::MenuGroup* group) {
    static constexpr std::string_view kFunction = "AddMenuGroupAsSubMenu";
    std::size_t* index = nullptr;
    if (const host::Error error = calls_.Enter(kFunction, name != nullptr && group != nullptr,
                                               itemHandles_, item, &index)) {
        return error;
    }
    MenuItemRecord& parent = items_[*index];
    if (!parent.submenu.empty()) {
        return calls_.BadArgument(kFunction, "\"" + parent.name + "\" has a submenu already");
    }
    if (FindGroup(name) != nullptr) {
        return calls_.BadArgument(kFunction, "menu group \"" + std::string(name) + "\" exists");
    }
    parent.submenu = name;
    const host::MenuGroup added = groupHandles_.Issue(groups_.size());
    groups_.push_back({added, name, parent.name, options});
    *group = added;
    return host::kNoError;
}

host::Error MenuModel::SetItemText(host::MenuItem item, const char* text) {
    std::size_t* index = nullptr;
    if (const host::Error error =
            calls_.Enter("SetItemText", text != nullptr, itemHandles_, item, &index)) {
        return error;
    }
    items_[*index].text = text;
    items_[*index].texts.push_back(text);
    return host::kNoError;
}

}  // namespace standin
