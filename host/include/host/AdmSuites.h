#pragma once

#include <cstddef>
#include <cstdint>

#include "host/HostErrors.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"

namespace host {

inline constexpr const char* kAdmUserChangedNotifier = "ADM User Changed Notifier";

// An icon of the plug-in's resources, and one that cannot be shown (its id or
// index is not there).
inline constexpr std::int32_t kIconTypeResource = 1;
inline constexpr std::int32_t kIconTypeUnusable = 7;

// Pressing item 1 (OK) or item 2 (Cancel) of a modal dialog ends it with that
// id, unless the item's notify procedure leaves out the default notification.
// Modal answers kNoDialogItem when no dialog could be made.
inline constexpr std::int32_t kOkItem = 1;
inline constexpr std::int32_t kCancelItem = 2;
inline constexpr std::int32_t kNoDialogItem = -1;

// A dialog's bounds include its title bar; Size sets the content size.
inline constexpr std::int32_t kDialogTitleBarHeight = 31;

inline constexpr std::int32_t kDockCodeUndocked = -1;

enum class ItemKind : std::int32_t {
    kButton,
    kStaticText,
    kTextEdit,
    kNumberEdit,
    kCheckBox,
    kPicture,
    kPopup,
    kListBox,
    kSideMenu,
};

using DialogInitProc = Error (*)(Dialog dialog);
using DialogDrawProc = void (*)(Dialog dialog, Drawer drawer);
using DialogTrackProc = bool (*)(Dialog dialog, Tracker tracker);
using DialogNotifyProc = void (*)(Dialog dialog, AdmNotifier notifier);
using DialogDestroyProc = void (*)(Dialog dialog);

using ItemInitProc = Error (*)(Item item);
using ItemDrawProc = void (*)(Item item, Drawer drawer);
using ItemTrackProc = bool (*)(Item item, Tracker tracker);
using ItemNotifyProc = void (*)(Item item, AdmNotifier notifier);
using ItemDestroyProc = void (*)(Item item);
using ItemTextToFloatProc = bool (*)(Item item, const char* text, float* value);
using ItemFloatToTextProc = bool (*)(Item item, float value, char* text, std::size_t size);

// Texts that a function without an error code answers into the caller's
// buffer are cut to fit, on a character boundary, as the platform's string
// loader does.

// "ADM Basic Suite": texts of the plug-in's string lists (list id + index)
// and alerts. GetIndexString is false, with "" in the buffer, for a missing
// entry.
struct AdmBasicSuite {
    bool (*GetIndexString)(PluginRef plugin, std::int32_t listId, std::int32_t index, char* text,
                           std::size_t size);
    void (*ErrorAlert)(const char* text);
    void (*GetScreenDimensions)(Rect* screen);
};

// "ADM Dialog Suite". Create and Modal call the init procedure before they
// return; a dialog whose template is missing, or whose init procedure fails,
// is not made (Create gives none). Modal answers the id of the item that
// ended the dialog; the host destroys a modal dialog when it ends, a floating
// one lives until it is destroyed. Destroying runs the dialog's destroy
// procedure, then those of its remaining items in id order.
struct AdmDialogSuite {
    Dialog (*Create)(PluginRef plugin, const char* name, std::int32_t resourceId,
                     std::int32_t style, DialogInitProc init, void* userData, std::int32_t options);
    std::int32_t (*Modal)(PluginRef plugin, const char* name, std::int32_t resourceId,
                          std::int32_t style, DialogInitProc init, void* userData,
                          std::int32_t options);
    std::int32_t (*PopupModal)(PluginRef plugin, const char* name, std::int32_t resourceId,
                               DialogInitProc init, void* userData, std::int32_t options);
    void (*Destroy)(Dialog dialog);
    void (*SetUserData)(Dialog dialog, void* userData);
    void* (*GetUserData)(Dialog dialog);
    void (*SetDrawProc)(Dialog dialog, DialogDrawProc proc);
    void (*SetTrackProc)(Dialog dialog, DialogTrackProc proc);
    void (*SetNotifyProc)(Dialog dialog, DialogNotifyProc proc);
    void (*SetDestroyProc)(Dialog dialog, DialogDestroyProc proc);
    void (*DefaultDraw)(Dialog dialog, Drawer drawer);
    bool (*DefaultTrack)(Dialog dialog, Tracker tracker);
    void (*DefaultNotify)(Dialog dialog, AdmNotifier notifier);
    Item (*GetItem)(Dialog dialog, std::int32_t itemId);
    void (*Move)(Dialog dialog, std::int32_t h, std::int32_t v);
    void (*Size)(Dialog dialog, std::int32_t width, std::int32_t height);
    void (*Show)(Dialog dialog, bool show);
    bool (*IsVisible)(Dialog dialog);
    void (*GetBoundsRect)(Dialog dialog, Rect* bounds);
};

// "ADM Dialog Group Suite": docking. An undocked dialog's code is
// kDockCodeUndocked and its group "".
struct AdmDialogGroupSuite {
    Error (*GetDialogGroupInfo)(Dialog dialog, char* groupName, std::size_t size,
                                std::int32_t* dockCode);
    Error (*SetDialogGroupInfo)(Dialog dialog, const char* groupName, std::int32_t dockCode);
};

// "ADM Entry Suite": the rows of a list. Selecting an entry of a popup makes
// it the one active entry; a popup's entry is not deselected.
struct AdmEntrySuite {
    void (*SetText)(Entry entry, const char* text);
    void (*SetID)(Entry entry, std::int32_t id);
    std::int32_t (*GetID)(Entry entry);
    void (*Select)(Entry entry, bool select);
};

// "ADM Icon Suite": icons from the plug-in's resources; a missing one is an
// icon of type kIconTypeUnusable.
struct AdmIconSuite {
    Icon (*GetFromResource)(PluginRef plugin, const char* name, std::int32_t iconId,
                            std::int32_t iconIndex);
    std::int32_t (*GetType)(Icon icon);
};

// "ADM Item Suite". A number edit keeps a value and shows it as text through
// the item's number-to-text procedure (or the default, with the item's
// precision); text set on it is read back through its text-to-number
// procedure.
struct AdmItemSuite {
    Item (*Create)(Dialog dialog, std::int32_t itemId, ItemKind kind, const Rect* bounds,
                   ItemInitProc init, void* userData);
    void (*Destroy)(Item item);
    void (*SetUserData)(Item item, void* userData);
    void* (*GetUserData)(Item item);
    void (*SetDrawProc)(Item item, ItemDrawProc proc);
    void (*SetTrackProc)(Item item, ItemTrackProc proc);
    void (*SetNotifyProc)(Item item, ItemNotifyProc proc);
    void (*SetDestroyProc)(Item item, ItemDestroyProc proc);
    void (*SetTextToFloatProc)(Item item, ItemTextToFloatProc proc);
    void (*SetFloatToTextProc)(Item item, ItemFloatToTextProc proc);
    void (*DefaultDraw)(Item item, Drawer drawer);
    bool (*DefaultTrack)(Item item, Tracker tracker);
    void (*DefaultNotify)(Item item, AdmNotifier notifier);
    bool (*DefaultTextToFloat)(Item item, const char* text, float* value);
    bool (*DefaultFloatToText)(Item item, float value, char* text, std::size_t size);
    void (*SetText)(Item item, const char* text);
    bool (*GetBooleanValue)(Item item);
    List (*GetList)(Item item);
    void (*GetText)(Item item, char* text, std::size_t size);
    void (*SetBooleanValue)(Item item, bool value);
    float (*GetFloatValue)(Item item);
    void (*SetFloatValue)(Item item, float value);
    // Delivers a notifier of the type to the item's notify procedure.
    void (*Notify)(Item item, const char* notifierType);
};

// "ADM List Suite": the entries of a popup, list box or side menu, by
// position. A popup with entries has exactly one active entry: the first one
// inserted, until another is selected; removing it activates the first.
struct AdmListSuite {
    std::int32_t (*NumberOfEntries)(List list);
    void (*RemoveEntry)(List list, std::int32_t index);
    Entry (*InsertEntry)(List list, std::int32_t index);
    Entry (*GetActiveEntry)(List list);
    Entry (*IndexEntry)(List list, std::int32_t index);
};

// "ADM Notifier Suite".
struct AdmNotifierSuite {
    void (*GetNotifierType)(AdmNotifier notifier, char* type, std::size_t size);
};

}  // namespace host
