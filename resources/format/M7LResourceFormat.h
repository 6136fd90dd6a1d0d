#pragma once

#include <cstddef>
#include <cstdint>

// The plug-in's compiled resources, reached through an opaque module handle,
// which the host reads as well. A string resource is addressed as list id +
// index.
struct M7LResourceString {
    std::uint32_t id;
    const char* text;  // UTF-8
};

// Dialog templates, which the host's dialog manager builds dialogs from.
enum class M7LResourceItemKind : std::int32_t {
    kButton,
    kStaticText,
    kTextEdit,
    kNumberEdit,
    kCheckBox,
    kPicture,
    kPopup,
    kListBox,
    kSideMenu,
    kPictureButton,
    kPictureToggle,
};

// Bits of M7LDialogItemTemplate::flags. A number item with unit entry shows
// its unit and takes a value typed with a unit.
inline constexpr std::uint32_t kM7LItemDisabled = 1u << 0;
inline constexpr std::uint32_t kM7LItemHidden = 1u << 1;
inline constexpr std::uint32_t kM7LItemUnitEntry = 1u << 2;

// Dialog space: whole points from the content's top left, y downwards.
struct M7LResourceRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct M7LDialogItemTemplate {
    std::int32_t id;
    M7LResourceItemKind kind;
    const char* text;  // UTF-8; a number edit's initial value
    M7LResourceRect bounds;
    std::uint32_t flags = 0;
    std::int32_t precision = 0;  // number items: decimals shown
    std::int32_t units = 0;      // number items: the host's units code
    std::int32_t picture = 0;    // pictures and picture buttons: an icon id
};

struct M7LDialogTemplate {
    std::uint32_t id;
    const char* name;
    const char* title;   // UTF-8
    std::int32_t width;  // content size, without the title bar
    std::int32_t height;
    const M7LDialogItemTemplate* items;  // each id once
    std::size_t itemCount;
};

// An icon resource: its images are addressed by index, 0 to indexCount - 1.
struct M7LResourceIcon {
    std::uint32_t id;
    std::int32_t indexCount;
};

// A menu, which the host loads into the list of a popup, list box or side
// menu: its entries in order, each with its id and UTF-8 text.
struct M7LMenuEntryTemplate {
    std::int32_t id;
    const char* text;  // "" for a separator
    bool separator = false;
};

struct M7LResourceMenu {
    std::uint32_t id;
    const M7LMenuEntryTemplate* entries;
    std::size_t entryCount;
};

struct M7LResourceCursor {
    std::uint32_t id;
};

struct M7LResourceModule {
    const M7LResourceString* strings;  // sorted by id
    std::size_t stringCount;
    const M7LDialogTemplate* dialogs = nullptr;  // sorted by id
    std::size_t dialogCount = 0;
    const M7LResourceIcon* icons = nullptr;  // sorted by id
    std::size_t iconCount = 0;
    const M7LResourceMenu* menus = nullptr;  // sorted by id
    std::size_t menuCount = 0;
    const M7LResourceCursor* cursors = nullptr;  // sorted by id
    std::size_t cursorCount = 0;
};

using M7LModuleHandle = const M7LResourceModule*;
