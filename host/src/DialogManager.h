#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "DialogSnapshot.h"
#include "HandleTable.h"
#include "HostCore.h"
#include "M7LResourceFormat.h"
#include "ModalScript.h"
#include "SuiteCalls.h"
#include "host/AdmSuites.h"

namespace standin {

struct DialogSuites;

// The state of the host's dialog manager: dialogs built from the plug-in's
// templates with their items, lists and entries, behind checked tokens, and
// what the host and the user do with them. Floating dialogs live until
// destroyed. The "ADM" suites are thin adapters over it (DialogSuites.h);
// modal dialogs run against its script (ModalScript.h).
class DialogManager {
public:
    explicit DialogManager(HostCore& core);
    ~DialogManager();
    DialogManager(const DialogManager&) = delete;
    DialogManager& operator=(const DialogManager&) = delete;

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
    // or when a number edit does not take the text, or the entry is a
    // separator or disabled.
    bool UserSetText(host::Dialog dialog, std::int32_t itemId, std::string_view text);
    bool UserSetBoolean(host::Dialog dialog, std::int32_t itemId, bool value);
    bool UserSetNumber(host::Dialog dialog, std::int32_t itemId, float value);
    bool UserSelectEntry(host::Dialog dialog, std::int32_t itemId, int index);
    bool UserPress(host::Dialog dialog, std::int32_t itemId);
    // The user sizes a shown floating dialog (its content, kept to its
    // minimum), which then hears "ADM Bounds Changed Notifier".
    bool UserResize(host::Dialog dialog, std::int32_t width, std::int32_t height);
    // The user's close box hides a shown floating dialog; it stays.
    bool UserClose(host::Dialog dialog);
    // The modifier keys the user holds from now on, as the tracker tests
    // them (kTrackerAltKey, ...).
    void HoldModifiers(std::int32_t modifiers) { modifiers_ = modifiers; }
    // Any notifier type, to an item or to the dialog; false when not there.
    bool SendItemNotifier(host::Dialog dialog, std::int32_t itemId, std::string_view type);
    bool SendDialogNotifier(host::Dialog dialog, std::string_view type);
    // Draws a shown dialog, then its shown items in id order, a list box's
    // entries with its item; each keeps what it drew (the snapshots show
    // it). False when the dialog is not there or hidden.
    bool Draw(host::Dialog dialog);
    // The answer of the dialog's or item's tracking; none when not there.
    std::optional<bool> TrackDialog(host::Dialog dialog);
    std::optional<bool> TrackItem(host::Dialog dialog, std::int32_t itemId);
    // The host destroys a floating dialog, as when it quits.
    bool Close(host::Dialog dialog);

    // The modal script: expectations in the order the dialogs come.
    ModalExpectation& ExpectModal(std::string name) { return script_.Expect(std::move(name)); }
    // Whether a modal dialog that the script does not expect is answered
    // with its default button (OK) instead of being a violation.
    void AnswerWithDefaultButton(bool answer) { script_.AnswerWithDefaultButton(answer); }
    std::size_t PendingModals() const { return script_.Pending(); }

    // Told the list's item and its number of entries whenever the plug-in
    // adds an entry to a list, as the driver program shows a long run's
    // progress.
    void WatchEntries(std::function<void(host::Item, std::size_t)> watch) {
        watchEntries_ = std::move(watch);
    }
    const std::vector<ModalRun>& ModalLog() const { return script_.Log(); }

private:
    friend class ModalScript;
    friend class AdmBasicAdapter;
    friend class AdmDialogAdapter;
    friend class AdmDialogGroupAdapter;
    friend class AdmItemAdapter;
    friend class AdmListAdapter;
    friend class AdmEntryAdapter;
    friend class AdmNotifierAdapter;
    friend class AdmIconAdapter;
    friend class AdmDrawerAdapter;
    friend class AdmTrackerAdapter;

    // The call that the host's own look-ups and releases are made under.
    static constexpr std::string_view kHostCall = "dialog manager";

    struct DialogState {
        using Handle = host::Dialog;
        host::Dialog handle;
        host::Module module;  // of the plug-in that made it
        std::string name;
        std::int32_t resourceId;
        std::string title;
        std::int32_t style;
        bool modal;
        bool running = false;  // a modal dialog between init and its end
        std::optional<std::int32_t> endItem;
        bool cancelled = false;
        bool visible = false;
        host::Rect bounds;
        std::int32_t minWidth = 0;
        std::int32_t minHeight = 0;
        std::string dockGroup;
        std::int32_t dockCode = host::kDockCodeUndocked;
        void* userData;
        host::DialogDrawProc drawProc = nullptr;
        host::DialogTrackProc trackProc = nullptr;
        host::DialogNotifyProc notifyProc = nullptr;
        host::DialogDestroyProc destroyProc = nullptr;
        bool destroying = false;
        std::map<std::int32_t, host::Item> items;
        std::vector<std::string> drawn;
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
        std::int32_t units = host::kUnitsNone;
        bool unitEntry = false;
        std::int32_t font = host::kFontDefault;
        std::string tip;
        std::int32_t picture = 0;
        bool enabled = true;
        bool visible = true;
        bool invalid = false;
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
        std::vector<std::string> drawn;
        DefaultCalls defaults;
    };
    struct ListState {
        using Handle = host::List;
        host::Item item;
        bool popup;  // exactly one active entry while it has entries
        std::vector<host::Entry> entries;
        host::Entry active;
        std::int32_t entryHeight;
        host::EntryDrawProc entryDrawProc = nullptr;
        host::EntryNotifyProc entryNotifyProc = nullptr;
    };
    struct EntryState {
        using Handle = host::Entry;
        host::List list;
        std::string text;
        std::int32_t id = 0;
        bool separator = false;
        bool enabled = true;
        bool checked = false;
        void* userData = nullptr;
        std::vector<std::string> drawn;
    };
    struct IconState {
        std::int32_t type;
        std::int32_t id;
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
        std::int32_t picture;
    };

    // Records behind pointers, so that a record stays put while the
    // procedures it calls make more objects.
    template <typename Handle, typename State>
    using Table = HandleTable<Handle, std::unique_ptr<State>>;

    // Look-ups of a token the plug-in handed in: null, with a violation
    // against the call, when it is not live.
    DialogState* FindDialogState(host::Dialog dialog, const std::string& call);
    ItemState* FindItemState(host::Item item, const std::string& call);
    ListState* FindListState(host::List list, const std::string& call);
    EntryState* FindEntryState(host::Entry entry, const std::string& call);
    // The host's own look-ups, recording nothing.
    DialogState* LiveDialog(host::Dialog dialog);
    ItemState* LiveItem(host::Item item);
    ListState* LiveList(host::List list);
    EntryState* LiveEntry(host::Entry entry);
    // An item of a shown dialog that the user can reach, or null.
    ItemState* UserItem(host::Dialog dialog, std::int32_t itemId);

    // A dialog from its template, after its init procedure; none when the
    // template is missing or the init procedure fails. Mistakes go against
    // the function of the calls.
    host::Dialog MakeDialog(const SuiteCalls& calls, std::string_view function,
                            const DialogRequest& request);
    host::Item AddItem(DialogState& dialog, const ItemRequest& request);
    // Runs a dialog modally against the script until it ends; the id of
    // the item that ended it.
    std::int32_t RunModal(host::Dialog dialog, const std::string& call);
    // Sets the content size, kept to the minimum; a dialog whose size
    // changed hears "ADM Bounds Changed Notifier".
    void Resize(host::Dialog dialog, std::int32_t width, std::int32_t height);
    // Makes the menu the list's entries.
    void LoadEntries(ListState& list, host::List handle, const M7LResourceMenu& menu);
    // Entries are drawn and notified as the list says, else by the host.
    void DrawItem(host::Item item);
    void DrawEntries(host::Item item);
    bool NotifyEntry(host::Entry entry, std::string_view type);
    // The entry's rect in its own space.
    host::Rect EntryRect(const EntryState& entry);
    // Runs the procedures and frees; the object is live and not destroying.
    void DestroyLiveDialog(host::Dialog dialog);
    void DestroyLiveItem(ItemState& item);
    void FreeList(host::List list);
    // The live items of a live dialog in id order, looked up afresh for each.
    void ForEachItem(host::Dialog dialog, const std::function<void(ItemState&)>& action);
    std::map<std::int32_t, std::string> ItemTexts(host::Dialog dialog);

    // The procedure, or the host's default (the suite's default function)
    // where there is none.
    template <typename Handle, typename Argument, typename Answer, typename Adapter>
    static Answer Run(Answer (*proc)(Handle, Argument), Adapter& adapter,
                      Answer (Adapter::*fallback)(Handle, Argument), Handle handle,
                      Argument argument) {
        return proc != nullptr ? proc(handle, argument) : (adapter.*fallback)(handle, argument);
    }
    // Run with a token that lives for the call only.
    template <typename Token, typename Record, typename Handle, typename Answer, typename Adapter>
    static Answer RunWith(HandleTable<Token, Record>& tokens, Record record,
                          Answer (*proc)(Handle, Token), Adapter& adapter,
                          Answer (Adapter::*fallback)(Handle, Token), Handle handle) {
        const Token token = tokens.Issue(std::move(record));
        struct Spend {
            HandleTable<Token, Record>& tokens;
            Token token;
            ~Spend() { tokens.Retire(token, kHostCall); }
        } spend{tokens, token};
        return Run(proc, adapter, fallback, handle, token);
    }
    // Delivers a notifier of the type; false when the object is gone.
    bool NotifyItem(host::Item item, std::string_view type);
    bool NotifyDialog(host::Dialog dialog, std::string_view type);

    static bool ShowsPicture(host::ItemKind kind) {
        return kind == host::ItemKind::kPicture || kind == host::ItemKind::kPictureButton ||
               kind == host::ItemKind::kPictureToggle;
    }
    // Number edits and static texts show their value as text.
    static bool ShowsNumber(host::ItemKind kind) {
        return kind == host::ItemKind::kNumberEdit || kind == host::ItemKind::kStaticText;
    }
    // An item's value shown through its procedure (or the default); the
    // text left alone when that fails.
    void ShowNumber(host::Item item);
    // The text read as a number through the item's procedure (or default).
    std::optional<float> ReadNumber(host::Item item, std::string_view text);

    ItemSnapshot ViewItem(const ItemState& item);

    // What a drawer draws goes to its display list, which its target keeps
    // once the draw is over.
    template <typename Drawing>
    std::vector<std::string> DrawWith(Drawing drawing);

    HostCore& core_;
    Table<host::Dialog, DialogState> dialogs_;
    Table<host::Item, ItemState> items_;
    Table<host::List, ListState> lists_;
    Table<host::Entry, EntryState> entries_;
    HandleTable<host::AdmNotifier, std::string> notifiers_;        // the type
    HandleTable<host::Drawer, std::vector<std::string>> drawers_;  // the display list
    HandleTable<host::Tracker, int> trackers_;
    HandleTable<host::Icon, IconState> icons_;
    std::vector<host::Dialog> order_;

    std::vector<std::string> alerts_;
    host::Rect screen_;
    bool failUndockedQuery_ = false;
    std::int32_t modifiers_ = 0;
    ModalScript script_;
    std::function<void(host::Item, std::size_t)> watchEntries_;
    std::unique_ptr<DialogSuites> suites_;
};

}  // namespace standin
