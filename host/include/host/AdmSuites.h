#pragma once

#include <cstddef>
#include <cstdint>

#include "host/HostErrors.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"

namespace host {

inline constexpr const char* kAdmUserChangedNotifier = "ADM User Changed Notifier";
// Sent to a dialog whenever its size changes, by the user or by Size.
inline constexpr const char* kAdmBoundsChangedNotifier = "ADM Bounds Changed Notifier";

// Units of number items and of ValueToString. A value shown with its unit
// has a blank and the unit's symbol after it ("12.5 pt", "100.00 %").
inline constexpr std::int32_t kUnitsNone = 0;
inline constexpr std::int32_t kUnitsPercent = 6;
inline constexpr std::int32_t kUnitsPoints = 101;

// Fonts of items and of drawers; an item has the default until one is set.
inline constexpr std::int32_t kFontDefault = 0;
inline constexpr std::int32_t kFontDialog = 1;
inline constexpr std::int32_t kFontPalette = 2;
inline constexpr std::int32_t kFontPaletteBold = 6;

// Colours of a drawer: text and lines, the background of an entry, and the
// background of a selected one.
inline constexpr std::int32_t kColorForeground = 0;
inline constexpr std::int32_t kColorBackground = 1;
inline constexpr std::int32_t kColorHighlight = 2;

// The Alt key, as the tracker tests it.
inline constexpr std::int32_t kTrackerAltKey = 0x80;

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
    kPictureButton,  // a button that shows a picture
    kPictureToggle,  // a check box that shows a picture
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

using EntryDrawProc = void (*)(Entry entry, Drawer drawer);
using EntryNotifyProc = void (*)(Entry entry, AdmNotifier notifier);

// Texts that a function without an error code answers into the caller's
// buffer are cut to fit, on a character boundary, as the platform's string
// loader does.

// "ADM Basic Suite": texts of the plug-in's string lists (list id + index)
// and alerts. GetIndexString is false, with "" in the buffer, for a missing
// entry. ValueToString writes the value in the units with `precision`
// decimals (0 to 10), with the unit's symbol when asked, independent of the
// locale; a text too long for the buffer leaves it alone.
struct AdmBasicSuite {
    bool (*GetIndexString)(PluginRef plugin, std::int32_t listId, std::int32_t index, char* text,
                           std::size_t size);
    void (*ErrorAlert)(const char* text);
    void (*GetScreenDimensions)(Rect* screen);
    Error (*ValueToString)(float value, std::int32_t units, std::int32_t precision, bool appendUnit,
                           char* text, std::size_t size);
};

// "ADM Dialog Suite". Create and Modal call the init procedure before they
// return; a dialog whose template is missing, or whose init procedure fails,
// is not made (Create gives none). Modal answers the id of the item that
// ended the dialog; the host destroys a modal dialog when it ends, a floating
// one lives until it is destroyed (its close box hides it). DoModal runs a dialog made by Create
// modally and answers the same; the dialog stays until it is destroyed.
// A modal dialog ends when OK or Cancel is pressed (unless the button's
// notify procedure leaves out the default) or with EndModal, whose item id
// is the answer. Destroying runs the dialog's destroy procedure, then those
// of its remaining items in id order.
//
// Sizes are content sizes, without the title bar, never below the minimum
// size (0 by default); setting a larger minimum enlarges the dialog. The
// local rect is the content in its own space: (0, 0, width, height).
// Update draws the dialog now.
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
    std::int32_t (*DoModal)(Dialog dialog);
    void (*EndModal)(Dialog dialog, std::int32_t itemId, bool cancelled);
    void (*Update)(Dialog dialog);
    void (*SetMinWidth)(Dialog dialog, std::int32_t width);
    void (*SetMinHeight)(Dialog dialog, std::int32_t height);
    void (*GetLocalRect)(Dialog dialog, Rect* local);
};

// "ADM Dialog Group Suite": docking. An undocked dialog's code is
// kDockCodeUndocked and its group "".
struct AdmDialogGroupSuite {
    Error (*GetDialogGroupInfo)(Dialog dialog, char* groupName, std::size_t size,
                                std::int32_t* dockCode);
    Error (*SetDialogGroupInfo)(Dialog dialog, const char* groupName, std::int32_t dockCode);
};

// "ADM Drawer Suite": what a draw procedure draws, in the space of what it
// draws (a dialog's content, an item, an entry: (0, 0) is its top left).
// The host keeps the drawing as a display list.
struct AdmDrawerSuite {
    void (*SetColor)(Drawer drawer, std::int32_t color);
    void (*SetFont)(Drawer drawer, std::int32_t font);
    void (*FillRect)(Drawer drawer, const Rect* rect);
    void (*DrawTextInRect)(Drawer drawer, const Rect* rect, const char* text);
    void (*DrawLine)(Drawer drawer, Point from, Point to);
    void (*DrawIcon)(Drawer drawer, Icon icon, Point at);
};

// "ADM Entry Suite": the rows of a list. Selecting an entry of a popup makes
// it the one active entry; a popup's entry is not deselected. An entry's
// local rect is (0, 0, its item's width, the list's entry height). Its
// default notification passes the notifier on to its item.
struct AdmEntrySuite {
    void (*SetText)(Entry entry, const char* text);
    void (*SetID)(Entry entry, std::int32_t id);
    std::int32_t (*GetID)(Entry entry);
    void (*Select)(Entry entry, bool select);
    std::int32_t (*GetIndex)(Entry entry);
    void (*SetUserData)(Entry entry, void* userData);
    void* (*GetUserData)(Entry entry);
    void (*SetChecked)(Entry entry, bool checked);
    void (*Enable)(Entry entry, bool enable);
    void (*GetLocalRect)(Entry entry, Rect* local);
    void (*DefaultNotify)(Entry entry, AdmNotifier notifier);
};

// "ADM Icon Suite": icons from the plug-in's resources; a missing one is an
// icon of type kIconTypeUnusable.
struct AdmIconSuite {
    Icon (*GetFromResource)(PluginRef plugin, const char* name, std::int32_t iconId,
                            std::int32_t iconIndex);
    std::int32_t (*GetType)(Icon icon);
};

// "ADM Item Suite". A number edit or a static text keeps a value and shows
// it as text through the item's number-to-text procedure (or the default:
// the item's precision, with its unit when unit entry is on); text set on a
// number edit is read back through its text-to-number procedure (the
// default takes a number, and with unit entry a length in pt, mm, cm or in
// for a point item, or "%" for a percent item). An integer value is the
// value rounded. Pictures are icons of the plug-in's resources, on
// pictures, picture buttons and picture toggles. Invalidating marks an item
// for drawing; drawing it clears the mark.
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
    void (*Enable)(Item item, bool enable);
    bool (*IsEnabled)(Item item);
    void (*Show)(Item item, bool show);
    bool (*IsVisible)(Item item);
    void (*SetFont)(Item item, std::int32_t font);
    void (*SetPrecision)(Item item, std::int32_t precision);
    void (*SetUnits)(Item item, std::int32_t units);
    void (*SetUnitEntry)(Item item, bool unitEntry);
    void (*SetTipString)(Item item, const char* tip);
    void (*SetPictureID)(Item item, std::int32_t iconId);
    std::int32_t (*GetIntegerValue)(Item item);
    void (*SetIntegerValue)(Item item, std::int32_t value);
    void (*Invalidate)(Item item);
    void (*GetBoundsRect)(Item item, Rect* bounds);
    void (*Move)(Item item, std::int32_t h, std::int32_t v);
    void (*Size)(Item item, std::int32_t width, std::int32_t height);
};

// "ADM List Suite": the entries of a popup, list box or side menu, by
// position. A popup with entries has exactly one active entry: the first one
// inserted, until another is selected; removing it activates the first.
// LoadMenu replaces the entries by those of a menu of the plug-in's
// resources (kErrorNotFound, changing nothing, for a missing menu). A list
// box draws its entries through the entry draw procedure, and the user's
// choice of an entry goes to the entry notify procedure (without one, to
// the item's notify procedure).
struct AdmListSuite {
    std::int32_t (*NumberOfEntries)(List list);
    void (*RemoveEntry)(List list, std::int32_t index);
    Entry (*InsertEntry)(List list, std::int32_t index);
    Entry (*GetActiveEntry)(List list);
    Entry (*IndexEntry)(List list, std::int32_t index);
    Error (*LoadMenu)(List list, PluginRef plugin, std::int32_t menuId);
    // The first entry of the id, or none.
    Entry (*FindEntry)(List list, std::int32_t id);
    void (*SetEntryHeight)(List list, std::int32_t height);
    void (*SetEntryDrawProc)(List list, EntryDrawProc proc);
    void (*SetEntryNotifyProc)(List list, EntryNotifyProc proc);
};

// "ADM Notifier Suite".
struct AdmNotifierSuite {
    void (*GetNotifierType)(AdmNotifier notifier, char* type, std::size_t size);
};

// "ADM Tracker Suite": whether the user holds the modifier key now; a
// tracker may be none, outside of tracking.
struct AdmTrackerSuite {
    bool (*TestModifier)(Tracker tracker, std::int32_t modifier);
};

}  // namespace host
