#include "PluginResources.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace standin {

namespace {

// The resource of that id in a table sorted by id, or null.
template <typename Resource>
const Resource* FindById(const Resource* table, std::size_t count, std::int64_t id) {
    if (table == nullptr || id < 0 || id > std::numeric_limits<std::uint32_t>::max()) {
        return nullptr;
    }
    const Resource* end = table + count;
    const Resource* found = std::lower_bound(
        table, end, static_cast<std::uint32_t>(id),
        [](const Resource& resource, std::uint32_t key) { return resource.id < key; });
    return found != end && found->id == id ? found : nullptr;
}

// The resource of that id in one of the module's tables, or null.
template <typename Resource>
const Resource* FindIn(host::Module module, const Resource* M7LResourceModule::*table,
                       std::size_t M7LResourceModule::*count, std::int64_t id) {
    const M7LResourceModule* resources = ResourcesOf(module);
    return resources != nullptr ? FindById(resources->*table, resources->*count, id) : nullptr;
}

template <typename Resource>
std::vector<Resource> CopyOf(const Resource* table, std::size_t count) {
    return table == nullptr ? std::vector<Resource>{} : std::vector<Resource>(table, table + count);
}

// Puts the resource in the place of its id, kept sorted by id.
template <typename Resource>
void Replace(std::vector<Resource>& table, const Resource& resource) {
    const auto at =
        std::lower_bound(table.begin(), table.end(), resource.id,
                         [](const Resource& entry, std::uint32_t key) { return entry.id < key; });
    if (at != table.end() && at->id == resource.id) {
        *at = resource;
    } else {
        table.insert(at, resource);
    }
}

template <typename Resource>
void RemoveId(std::vector<Resource>& table, std::uint32_t id) {
    std::erase_if(table, [id](const Resource& resource) { return resource.id == id; });
}

}  // namespace

const M7LResourceModule* ResourcesOf(host::Module module) {
    return static_cast<const M7LResourceModule*>(module);
}

const char* FindResourceString(host::Module module, std::int64_t id) {
    const M7LResourceString* found =
        FindIn(module, &M7LResourceModule::strings, &M7LResourceModule::stringCount, id);
    return found != nullptr ? found->text : nullptr;
}

const M7LDialogTemplate* FindDialogTemplate(host::Module module, std::int64_t id) {
    return FindIn(module, &M7LResourceModule::dialogs, &M7LResourceModule::dialogCount, id);
}

const M7LResourceIcon* FindIconResource(host::Module module, std::int64_t id) {
    return FindIn(module, &M7LResourceModule::icons, &M7LResourceModule::iconCount, id);
}

const M7LResourceMenu* FindMenuResource(host::Module module, std::int64_t id) {
    return FindIn(module, &M7LResourceModule::menus, &M7LResourceModule::menuCount, id);
}

const M7LResourceCursor* FindCursorResource(host::Module module, std::int64_t id) {
    return FindIn(module, &M7LResourceModule::cursors, &M7LResourceModule::cursorCount, id);
}

ResourceOverlay::ResourceOverlay(const M7LResourceModule& base)
    : strings_(CopyOf(base.strings, base.stringCount)),
      dialogs_(CopyOf(base.dialogs, base.dialogCount)),
      icons_(CopyOf(base.icons, base.iconCount)),
      menus_(CopyOf(base.menus, base.menuCount)),
      cursors_(CopyOf(base.cursors, base.cursorCount)) {
    Rebuild();
}

ResourceOverlay& ResourceOverlay::RemoveString(std::uint32_t id) {
    RemoveId(strings_, id);
    Rebuild();
    return *this;
}

ResourceOverlay& ResourceOverlay::ReplaceString(std::uint32_t id, std::string text) {
    const char* stored = replacements_.emplace_back(std::move(text)).c_str();
    Replace(strings_, {id, stored});
    Rebuild();
    return *this;
}

ResourceOverlay& ResourceOverlay::RemoveDialog(std::uint32_t id) {
    RemoveId(dialogs_, id);
    Rebuild();
    return *this;
}

ResourceOverlay& ResourceOverlay::ReplaceDialog(const M7LDialogTemplate& dialog) {
    Replace(dialogs_, dialog);
    Rebuild();
    return *this;
}

ResourceOverlay& ResourceOverlay::RemoveIcon(std::uint32_t id) {
    RemoveId(icons_, id);
    Rebuild();
    return *this;
}

void ResourceOverlay::Rebuild() {
    module_ = {strings_.data(), strings_.size(), dialogs_.data(), dialogs_.size(), icons_.data(),
               icons_.size(),   menus_.data(),   menus_.size(),   cursors_.data(), cursors_.size()};
}

}  // namespace standin
