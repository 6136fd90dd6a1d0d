#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "M7LResourceFormat.h"
#include "host/HostHandles.h"

namespace standin {

// The plug-in's resources as the host reads them: its module is the
// plug-in's compiled resource module (null: a plug-in without resources), as
// a DLL's resources are read on Windows. Resource ids beyond 32 bits are
// never there.
const M7LResourceModule* ResourcesOf(host::Module module);
const char* FindResourceString(host::Module module, std::int64_t id);
const M7LDialogTemplate* FindDialogTemplate(host::Module module, std::int64_t id);
const M7LResourceIcon* FindIconResource(host::Module module, std::int64_t id);
const M7LResourceMenu* FindMenuResource(host::Module module, std::int64_t id);
const M7LResourceCursor* FindCursorResource(host::Module module, std::int64_t id);

// A copy of a resource module with entries removed or replaced, so that a
// test reaches the paths where a resource cannot be loaded. It must outlive
// every plug-in and host that reads Module().
class ResourceOverlay {
public:
    explicit ResourceOverlay(const M7LResourceModule& base);
    ResourceOverlay(const ResourceOverlay&) = delete;
    ResourceOverlay& operator=(const ResourceOverlay&) = delete;

    ResourceOverlay& RemoveString(std::uint32_t id);
    // Adds the string when the id has none.
    ResourceOverlay& ReplaceString(std::uint32_t id, std::string text);
    ResourceOverlay& RemoveDialog(std::uint32_t id);
    // Adds the template when its id has none.
    ResourceOverlay& ReplaceDialog(const M7LDialogTemplate& dialog);
    ResourceOverlay& RemoveIcon(std::uint32_t id);

    const M7LResourceModule* Module() const { return &module_; }

private:
    void Rebuild();

    std::vector<M7LResourceString> strings_;
    std::vector<M7LDialogTemplate> dialogs_;
    std::vector<M7LResourceIcon> icons_;
    std::vector<M7LResourceMenu> menus_;
    std::vector<M7LResourceCursor> cursors_;
    std::deque<std::string> replacements_;  // stable addresses for the strings
    M7LResourceModule module_{};
};

}  // namespace standin
