#pragma once

#include <cstdint>

namespace host {

// A host object as the plug-in sees it: an opaque token, 0 for none. The host
// checks every token it is handed, so a stale or foreign one is refused with
// an error instead of being dereferenced. A token is never given to a second
// object: one kept after its object is gone stays stale for good.
template <typename Tag>
struct Handle {
    std::uint64_t token = 0;

    constexpr explicit operator bool() const { return token != 0; }
    friend constexpr bool operator==(Handle, Handle) = default;
};

using PluginRef = Handle<struct PluginRefTag>;
using Access = Handle<struct AccessTag>;
using SuiteList = Handle<struct SuiteListTag>;  // none: the host's global suite list
using SuiteRef = Handle<struct SuiteRefTag>;
using MenuItem = Handle<struct MenuItemTag>;
using MenuGroup = Handle<struct MenuGroupTag>;
using Notifier = Handle<struct NotifierTag>;
using Tool = Handle<struct ToolTag>;
using Dialog = Handle<struct DialogTag>;
using Item = Handle<struct ItemTag>;
using List = Handle<struct ListTag>;
using Entry = Handle<struct EntryTag>;
using AdmNotifier = Handle<struct AdmNotifierTag>;  // an event delivered to a dialog or item
using Drawer = Handle<struct DrawerTag>;
using Tracker = Handle<struct TrackerTag>;
using Icon = Handle<struct IconTag>;
using Layer = Handle<struct LayerTag>;
using Art = Handle<struct ArtTag>;
using CustomColor = Handle<struct CustomColorTag>;
using DocumentView = Handle<struct DocumentViewTag>;
using FilePath = Handle<struct FilePathTag>;
using Typeface = Handle<struct TypefaceTag>;
using Font = Handle<struct FontTag>;  // the font key
// The text engine's objects: each reference is released once.
using TextRange = Handle<struct TextRangeTag>;
using CharFeatures = Handle<struct CharFeaturesTag>;
using TextFont = Handle<struct TextFontTag>;

// A memory block is its address, since the plug-in writes into it; the host
// checks every address handed back against its live blocks.
using Block = void*;

// The platform module of a loaded plug-in, through which the host and the
// plug-in read the plug-in's own resources.
using Module = const void*;

}  // namespace host
