#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "HandleTable.h"
#include "HostCore.h"
#include "SuiteCalls.h"
#include "SuiteForward.h"
#include "foundation/M7LResources.h"
#include "host/AdmSuites.h"

namespace standin {

// How often the host's default handling of an object ran.
struct DefaultCalls {
    int draw = 0;
    int track = 0;
    int notify = 0;
};

struct EntrySnapshot {
    std::string text;
    std::int32_t id;
};

struct ItemSnapshot {
    host::Item handle;
    host::ItemKind kind;
    std::string text;
    bool boolean;
    float number;
    std::int32_t precision;
    std::int32_t units;
    bool enabled;
    bool visible;
    host::Rect bounds;
    std::vector<EntrySnapshot> entries;  // popups, list boxes and side menus
    int activeEntry;                     // its index, -1 for none
    DefaultCalls defaults;
};

// A dialog as a test sees it at one moment.
struct DialogSnapshot {
    host::Dialog handle;
    std::string name;
    std::int32_t resourceId;
    std::string title;
    std::int32_t style;
    bool modal;
    bool visible;
    host::Rect bounds;  // with the title bar
    std::string dockGroup;
    std::int32_t dockCode;
    std::map<std::int32_t, ItemSnapshot> items;
    DefaultCalls defaults;
};

// One modal dialog as it ran.
struct ModalRun {
    std::string name;
    std::int32_t resourceId;
    std::map<std::int32_t, std::string> texts;  // of every item, after init
    std::int32_t result;
};

class DialogManager;

// The handle and the type of a field of a dialog manager's record.
template <typename Field>
struct RecordField;

template <typename Record, typename Value>
struct RecordField<Value Record::*> {
    using Handle = typename Record::Handle;
    using Type = Value;
};

// What the user does in one expected modal dialog, step by step. Setting a
// value is a user change of the item (its value, then "ADM User Changed
// Notifier"); pressing delivers the notifier alone.
class ModalExpectation {
public:
    explicit ModalExpectation(std::string name) : name_(std::move(name)) {}

    ModalExpectation& Inspect(std::function<void(const DialogSnapshot&)> inspect);
    ModalExpectation& SetText(std::int32_t itemId, std::string text);
    ModalExpectation& SetBoolean(std::int32_t itemId, bool value);
    ModalExpectation& SetNumber(std::int32_t itemId, float value);
    ModalExpectation& SelectEntry(std::int32_t itemId, int index);
    ModalExpectation& Press(std::int32_t itemId);

private:
    friend class DialogManager;
    // False when the step could not be done (no such item, or one the user
    // cannot reach).
    using Action = std::function<bool(DialogManager&, host::Dialog)>;
    struct Step {
        std::string what;
        Action action;
    };

    ModalExpectation& Add(std::string what, Action action);

    std::string name_;
    std::vector<Step> steps_;
};

// The host's dialog manager, serving the "ADM" suites of the framework:
// string lists and alerts from the plug-in's resources, dialogs built from
// its templates with their items, lists and entries, notifiers and icons.
// Every object is a checked token. Floating dialogs live until destroyed;
// modal dialogs run against a script of expectations and are logged.
class DialogManager : public ActiveInstance<DialogManager> {
public:
    explicit DialogManager(HostCore& core);
    ~DialogManager();

    // The texts of the error alerts, in order. (Beeps are platform calls,
    // which PlatformRecorder counts.)
    const std::vector<std::string>& ErrorAlerts() const { return alerts_; }

    void SetScreen(host::Rect screen) { screen_ = screen; }
    // Whether asking an undocked dialog for its dock group fails (with
    // kErrorNotFound) instead of answering "" and kDockCodeUndocked.
    void FailGroupQueryWhenUndocked(bool fail) { failUndockedQuery_ = fail; }

    // Live dialogs in the order they were made; the last made of a name, or
    // none.
    const std::vector<host::Dialog>& Dialogs() const { return order_; }
    host::Dialog FindDialog(std::string_view name) const;
    // Throws std::invalid_argument for a dialog that is not live.
    DialogSnapshot View(host::Dialog dialog);
    // One line per live dialog; "" when every dialog was destroyed.
    std::string Imbalance() const;

    // What the user does to an item of a shown dialog: false, changing
    // nothing, when the dialog or the item is not there, hidden or disabled,
    // or when a number edit does not take the text.
    bool UserSetText(host::Dialog dialog, std::int32_t itemId, std::string_view text);
    bool UserSetBoolean(host::Dialog dialog, std::int32_t itemId, bool value);
    bool UserSetNumber(host::Dialog dialog, std::int32_t itemId, float value);
    bool UserSelectEntry(host::Dialog dialog, std::int32_t itemId, int index);
    bool UserPress(host::Dialog dialog, std::int32_t itemId);
    // Any notifier type, to an item or to the dialog; false when not there.
    bool SendItemNotifier(host::Dialog dialog, std::int32_t itemId, std::string_view type);
    bool SendDialogNotifier(host::Dialog dialog, std::string_view type);
    // Draws the dialog, then its items in id order; false when not there.
    bool Draw(host::Dialog dialog);
    // The answer of the dialog's or item's tracking; none when not there.
    std::optional<bool> TrackDialog(host::Dialog dialog);
    std::optional<bool> TrackItem(host::Dialog dialog, std::int32_t itemId);
    // The host closes a floating dialog, as when the user closes it.
    bool Close(host::Dialog dialog);

    // The modal script: expectations in the order the dialogs come.
    ModalExpectation& ExpectModal(std::string name);
    std::size_t PendingModals() const { return script_.size(); }
    const std::vector<ModalRun>& ModalLog() const { return log_; }

private:
    // The call that the host's own look-ups and releases are made under.
    static constexpr std::string_view kHostCall = "dialog manager";
    // The host's own tracking asks for nothing further.
    static constexpr bool kDefaultTrackAnswer = false;

    struct DialogState {
        using Handle = host::Dialog;
        host::Dialog handle;
        std::string name;
        std::int32_t resourceId;
        std::string title;
        std::int32_t style;
        bool modal;
        bool running = false;  // a modal dialog between init and its end
        std::optional<std::int32_t> endItem;
        bool visible = false;
        host::Rect bounds;
        std::string dockGroup;
        std::int32_t dockCode = host::kDockCodeUndocked;
        void* userData;
        host::DialogDrawProc drawProc = nullptr;
        host::DialogTrackProc trackProc = nullptr;
        host::DialogNotifyProc notifyProc = nullptr;
        host::DialogDestroyProc destroyProc = nullptr;
        bool destroying = false;
        std::map<std::int32_t, host::Item> items;
        DefaultCalls defaults;
    };
    struct ItemState {
        using Handle = host::Item;
        host::Item handle;
        host::Dialog dialog;
        std::int32_t id;
        host::ItemKind kind;
        std::string text;
        bool boolean = false;
        float number = 0;
        std::int32_t precision = 0;
        std::int32_t units = 0;
        bool enabled = true;
        bool visible = true;
        host::Rect bounds;
        void* userData = nullptr;
        host::ItemDrawProc drawProc = nullptr;
        host::ItemTrackProc trackProc = nullptr;
        host::ItemNotifyProc notifyProc = nullptr;
        host::ItemDestroyProc destroyProc = nullptr;
        host::ItemTextToFloatProc textToFloatProc = nullptr;
        host::ItemFloatToTextProc floatToTextProc = nullptr;
        bool destroying = false;
        host::List list;
        DefaultCalls defaults;
    };
    struct ListState {
        bool popup;  // exactly one active entry while it has entries
        std::vector<host::Entry> entries;
        host::Entry active;
    };
    struct EntryState {
        using Handle = host::Entry;
        host::List list;
        std::string text;
        std::int32_t id = 0;
    };
    struct DialogRequest {
        host::PluginRef plugin;
        const char* name;
        std::int32_t resourceId;
        std::int32_t style;
        host::DialogInitProc init;
        void* userData;
        bool modal;
    };
    struct ItemRequest {
        std::int32_t id;
        host::ItemKind kind;
        std::string_view text;
        host::Rect bounds;
        std::uint32_t flags;
        std::int32_t precision;
        std::int32_t units;
    };

    // Records behind pointers, so that a record stays put while the
    // procedures it calls make more objects.
    template <typename Handle, typename State>
    using Table = HandleTable<Handle, std::unique_ptr<State>>;

    // The plain setters and getters of the suites: a field of a live dialog,
    // item or entry; violations name the suite function.
    template <auto Field, const char* Function>
    void Store(typename RecordField<decltype(Field)>::Handle handle,
               typename RecordField<decltype(Field)>::Type value);
    template <auto Field, const char* Function>
    typename RecordField<decltype(Field)>::Type Load(
        typename RecordField<decltype(Field)>::Handle handle);

    // "ADM Basic Suite".
    bool GetIndexString(host::PluginRef plugin, std::int32_t listId, std::int32_t index, char* text,
                        std::size_t size);
    void ErrorAlert(const char* text);
    void GetScreenDimensions(host::Rect* screen);

    // "ADM Dialog Suite".
    host::Dialog DialogCreate(host::PluginRef plugin, const char* name, std::int32_t resourceId,
                              std::int32_t style, host::DialogInitProc init, void* userData,
                              std::int32_t options);
    std::int32_t DialogModal(host::PluginRef plugin, const char* name, std::int32_t resourceId,
                             std::int32_t style, host::DialogInitProc init, void* userData,
                             std::int32_t options);
    std::int32_t DialogPopupModal(host::PluginRef plugin, const char* name, std::int32_t resourceId,
                                  host::DialogInitProc init, void* userData, std::int32_t options);
    void DialogDestroy(host::Dialog dialog);
    void DialogDefaultDraw(host::Dialog dialog, host::Drawer drawer);
    bool DialogDefaultTrack(host::Dialog dialog, host::Tracker tracker);
    void DialogDefaultNotify(host::Dialog dialog, host::AdmNotifier notifier);
    host::Item DialogGetItem(host::Dialog dialog, std::int32_t itemId);
    void DialogMove(host::Dialog dialog, std::int32_t h, std::int32_t v);
    void DialogSize(host::Dialog dialog, std::int32_t width, std::int32_t height);
    void DialogGetBoundsRect(host::Dialog dialog, host::Rect* bounds);

    // "ADM Dialog Group Suite".
    host::Error GetDialogGroupInfo(host::Dialog dialog, char* groupName, std::size_t size,
                                   std::int32_t* dockCode);
    host::Error SetDialogGroupInfo(host::Dialog dialog, const char* groupName,
                                   std::int32_t dockCode);

    // "ADM Item Suite".
    host::Item ItemCreate(host::Dialog dialog, std::int32_t itemId, host::ItemKind kind,
                          const host::Rect* bounds, host::ItemInitProc init, void* userData);
    void ItemDestroy(host::Item item);
    void ItemDefaultDraw(host::Item item, host::Drawer drawer);
    bool ItemDefaultTrack(host::Item item, host::Tracker tracker);
    void ItemDefaultNotify(host::Item item, host::AdmNotifier notifier);
    bool ItemDefaultTextToFloat(host::Item item, const char* text, float* value);
    bool ItemDefaultFloatToText(host::Item item, float value, char* text, std::size_t size);
    void ItemSetText(host::Item item, const char* text);
    void ItemGetText(host::Item item, char* text, std::size_t size);
    void ItemSetFloatValue(host::Item item, float value);
    void ItemNotify(host::Item item, const char* notifierType);

    // "ADM List Suite" and "ADM Entry Suite".
    std::int32_t ListNumberOfEntries(host::List list);
    void ListRemoveEntry(host::List list, std::int32_t index);
    host::Entry ListInsertEntry(host::List list, std::int32_t index);
    host::Entry ListGetActiveEntry(host::List list);
    host::Entry ListIndexEntry(host::List list, std::int32_t index);
    void EntrySetText(host::Entry entry, const char* text);
    void EntrySelect(host::Entry entry, bool select);

    // "ADM Notifier Suite" and "ADM Icon Suite".
    void GetNotifierType(host::AdmNotifier notifier, char* type, std::size_t size);
    host::Icon IconGetFromResource(host::PluginRef plugin, const char* name, std::int32_t iconId,
                                   std::int32_t iconIndex);
    std::int32_t IconGetType(host::Icon icon);

    // Look-ups of a token the plug-in handed in: null, with a violation
    // against the call, when it is not live. A dialog of the dialog suite
    // unless the calls say otherwise.
    DialogState* DialogOf(host::Dialog dialog, const SuiteCalls& calls, std::string_view function);
    DialogState* Lookup(host::Dialog dialog, std::string_view function);
    ItemState* Lookup(host::Item item, std::string_view function);
    ListState* Lookup(host::List list, std::string_view function);
    EntryState* Lookup(host::Entry entry, std::string_view function);
    const std::string* NotifierTypeOf(host::AdmNotifier notifier, const SuiteCalls& calls,
                                      std::string_view function);
    // The host's own look-ups, recording nothing.
    DialogState* LiveDialog(host::Dialog dialog);
    ItemState* LiveItem(host::Item item);
    // An item of a shown dialog that the user can reach, or null.
    ItemState* UserItem(host::Dialog dialog, std::int32_t itemId);

    host::Dialog MakeDialog(const SuiteCalls& calls, std::string_view function,
                            const DialogRequest& request);
    host::Item AddItem(DialogState& dialog, const ItemRequest& request);
    // Runs the procedures and frees; the object is live and not destroying.
    void DestroyLiveDialog(host::Dialog dialog);
    void DestroyLiveItem(ItemState& item);
    void FreeList(host::List list);
    // The live items of a live dialog in id order, looked up afresh for each.
    void ForEachItem(host::Dialog dialog, const std::function<void(ItemState&)>& action);

    std::int32_t RunModal(const SuiteCalls& calls, std::string_view function,
                          const DialogRequest& request);
    // Runs the expectation at the front of the script for the running modal
    // dialog; violations go against the call.
    void PlayScript(host::Dialog dialog, const std::string& call);
    std::map<std::int32_t, std::string> ItemTexts(host::Dialog dialog);
    // The procedure, or the host's default where there is none.
    template <typename Handle, typename Argument, typename Answer>
    Answer Run(Answer (*proc)(Handle, Argument),
               Answer (DialogManager::*fallback)(Handle, Argument), Handle handle,
               Argument argument) {
        return proc != nullptr ? proc(handle, argument) : (this->*fallback)(handle, argument);
    }
    // Run with a token that lives for the call only.
    template <typename Token, typename Record, typename Handle, typename Answer>
    Answer RunWith(HandleTable<Token, Record>& tokens, Record record, Answer (*proc)(Handle, Token),
                   Answer (DialogManager::*fallback)(Handle, Token), Handle handle) {
        const Token token = tokens.Issue(std::move(record));
        struct Spend {
            HandleTable<Token, Record>& tokens;
            Token token;
            ~Spend() { tokens.Retire(token, kHostCall); }
        } spend{tokens, token};
        return Run(proc, fallback, handle, token);
    }
    // Delivers a notifier of the type; false when the object is gone.
    bool NotifyItem(host::Item item, std::string_view type);
    bool NotifyDialog(host::Dialog dialog, std::string_view type);

    // A number edit's value shown through its procedure (or the default);
    // the text left alone when that fails.
    void ShowNumber(host::Item item);
    // The text read as a number through the item's procedure (or default).
    std::optional<float> ReadNumber(host::Item item, std::string_view text);

    ItemSnapshot ViewItem(const ItemState& item);

    HostCore& core_;
    SuiteCalls basicCalls_;
    SuiteCalls dialogCalls_;
    SuiteCalls groupCalls_;
    SuiteCalls itemCalls_;
    SuiteCalls listCalls_;
    SuiteCalls entryCalls_;
    SuiteCalls notifierCalls_;
    SuiteCalls iconCalls_;

    Table<host::Dialog, DialogState> dialogs_;
    Table<host::Item, ItemState> items_;
    Table<host::List, ListState> lists_;
    Table<host::Entry, EntryState> entries_;
    HandleTable<host::AdmNotifier, std::string> notifiers_;  // the type
    HandleTable<host::Drawer, int> drawers_;
    HandleTable<host::Tracker, int> trackers_;
    HandleTable<host::Icon, std::int32_t> icons_;  // the type
    std::vector<host::Dialog> order_;

    std::vector<std::string> alerts_;
    host::Rect screen_;
    bool failUndockedQuery_ = false;
    std::deque<ModalExpectation> script_;
    std::vector<ModalRun> log_;
};

}  // namespace standin
