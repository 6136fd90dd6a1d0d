#include "M7LAIPlugin.h"

#include <cstdio>
#include <cstring>

#include "M7LPluginMain.h"
#include "M7LResources.h"
#include "M7LSuiteTable.h"
#include "host/AiSuites.h"

namespace {

constexpr std::size_t kMenuTextBytes = 64;
// Host group names are read into this; a longer one is no group of ours.
constexpr std::size_t kHostGroupNameBytes = 256;
constexpr int kFamilyList = 16997;
constexpr int kWindowsTitleIndex = 1;
constexpr int kFiltersTitleIndex = 2;
constexpr std::int32_t kFamilyGroupItemOptions = 0;
constexpr std::int32_t kSubMenuOptions = 0;
constexpr std::int32_t kFamilyItemOptions = 1;

struct FamilyGroup {
    const char* hostGroup;
    int titleIndex;
    const char* suffix;
    const char* fallback;
    char name[kMenuTextBytes];
};

FamilyGroup gWindowsGroup{host::kMenuGroupToolPalettes,
                          kWindowsTitleIndex,
                          " Windows Group",
                          "Mor7Lant PluginFamily Windows Group",
                          {}};
FamilyGroup gFiltersGroup{host::kMenuGroupFilterUtilities,
                          kFiltersTitleIndex,
                          " Filters Group",
                          "Mor7Lant PluginFamily Filters Group",
                          {}};

// The family's entry and the suffix, or the fallback when the entry cannot
// be loaded or the two do not fit. Made on each need, from resources that do
// not change while the plug-in runs.
const char* NameOf(FamilyGroup& group) {
    char entry[kMenuTextBytes];
    const bool loaded = LoadResourceString(entry, kFamilyList, group.titleIndex, sizeof(entry));
    const int length = std::snprintf(group.name, sizeof(group.name), "%s%s", entry, group.suffix);
    if (!loaded || length < 0 || static_cast<std::size_t>(length) >= sizeof(group.name)) {
        std::snprintf(group.name, sizeof(group.name), "%s", group.fallback);
    }
    return group.name;
}

host::Error FindGroup(const char* name, bool* found) {
    std::int32_t count = 0;
    if (const host::Error error = sAiMenu->CountMenuGroups(&count)) {
        return error;
    }
    *found = false;
    for (std::int32_t i = 0; i < count && !*found; ++i) {
        host::MenuGroup group;
        if (const host::Error error = sAiMenu->GetNthMenuGroup(i, &group)) {
            return error;
        }
        char groupName[kHostGroupNameBytes];
        const host::Error error = sAiMenu->GetMenuGroupName(group, groupName, sizeof(groupName));
        if (error == host::kErrorTextTooLong) {
            continue;
        }
        if (error != host::kNoError) {
            return error;
        }
        *found = std::strcmp(groupName, name) == 0;
    }
    return host::kNoError;
}

// The family group as the submenu of an item in the host's group, unless a
// group of its name exists already.
host::Error FindOrCreateGroup(FamilyGroup& family, const host::MessageHeader& message) {
    const char* name = NameOf(family);
    bool found = false;
    if (const host::Error error = FindGroup(name, &found); error || found) {
        return error;
    }
    char title[kMenuTextBytes];
    LoadResourceString(title, kFamilyList, family.titleIndex, sizeof(title));
    const host::MenuItemData data{family.hostGroup, title};
    host::MenuItem item;
    if (const host::Error error =
            sAiMenu->AddMenuItem(message.plugin, name, &data, kFamilyGroupItemOptions, &item)) {
        return error;
    }
    host::MenuGroup group;
    return sAiMenu->AddMenuGroupAsSubMenu(name, kSubMenuOptions, item, &group);
}

host::Error AddToFamilyGroup(FamilyGroup& family, const host::MessageHeader& message,
                             const char* itemName, std::int32_t listId, std::int32_t index,
                             host::MenuItem* item) {
    if (const host::Error error = FindOrCreateGroup(family, message)) {
        return error;
    }
    char text[kMenuTextBytes];
    LoadResourceString(text, listId, index, sizeof(text));
    const host::MenuItemData data{family.name, text};
    return sAiMenu->AddMenuItem(message.plugin, itemName, &data, kFamilyItemOptions, item);
}

}  // namespace

host::Error M7LAIPlugin::Startup(host::InterfaceMessage*) {
    return host::kNoError;
}

host::Error M7LAIPlugin::ApplicationStarted(host::NotifierMessage*) {
    return host::kNoError;
}

host::Error M7LAIPlugin::ApplicationStartedDone(host::NotifierMessage*) {
    return host::kNoError;
}

host::Error M7LAIPlugin::Shutdown(host::InterfaceMessage*) {
    return host::kNoError;
}

// The About dialog belongs to the application.
host::Error M7LAIPlugin::About() {
    return host::kNoError;
}

host::Error M7LAIPlugin::PostStartup(host::InterfaceMessage*) {
    return host::kNoError;
}

host::Error M7LAIPlugin::Reload(host::AccessMessage*) {
    return host::kNoError;
}

host::Error M7LAIPlugin::Unload(host::AccessMessage*) {
    return host::kNoError;
}

ApplicationStartedNotifier::ApplicationStartedNotifier(const host::MessageHeader& message)
    : M7LAIWrapperNotifier(message, kApplicationStartedNotifierName,
                           host::kApplicationStartedNotifier) {}

host::Error ApplicationStartedNotifier::Notify(host::NotifierMessage* message) {
    if (gPlugin == nullptr) {
        return host::kErrorNoMemory;
    }
    if (const host::Error error = gPlugin->ApplicationStarted(message)) {
        return error;
    }
    return gPlugin->ApplicationStartedDone(message);
}

host::Error AddMenuItemToWindowsGroup(const host::MessageHeader& message, const char* itemName,
                                      std::int32_t listId, std::int32_t index,
                                      host::MenuItem* item) {
    return AddToFamilyGroup(gWindowsGroup, message, itemName, listId, index, item);
}

host::Error AddMenuItemToFiltersGroup(const host::MessageHeader& message, const char* itemName,
                                      std::int32_t listId, std::int32_t index,
                                      host::MenuItem* item) {
    return AddToFamilyGroup(gFiltersGroup, message, itemName, listId, index, item);
}
