// "ADM Item Suite", "ADM List Suite" and "ADM Entry Suite", and what the
// user does to items.
#include <algorithm>
#include <utility>

#include "DialogManager.h"
#include "DialogText.h"

namespace standin {

namespace {

// Room for a number edit's text from its number-to-text procedure.
constexpr std::size_t kNumberTextBytes = 256;

bool HasList(host::ItemKind kind) {
    return kind == host::ItemKind::kPopup || kind == host::ItemKind::kListBox ||
           kind == host::ItemKind::kSideMenu;
}

bool IsKind(host::ItemKind kind) {
    return kind >= host::ItemKind::kButton && kind <= host::ItemKind::kSideMenu;
}

}  // namespace

host::Item DialogManager::AddItem(DialogState& dialog, const ItemRequest& request) {
    if (dialog.items.contains(request.id)) {
        return {};
    }
    auto made = std::make_unique<ItemState>();
    made->dialog = dialog.handle;
    made->id = request.id;
    made->kind = request.kind;
    made->text = request.text;
    made->precision = request.precision;
    made->units = request.units;
    made->enabled = (request.flags & kM7LItemDisabled) == 0;
    made->visible = (request.flags & kM7LItemHidden) == 0;
    made->bounds = request.bounds;
    if (request.kind == host::ItemKind::kNumberEdit) {
        made->number = ParseNumber(request.text).value_or(0);
        made->text = FormatNumber(made->number, made->precision);
    }
    const bool popup = request.kind == host::ItemKind::kPopup;
    const host::List list =
        HasList(request.kind) ? lists_.Issue(std::make_unique<ListState>(ListState{popup, {}, {}}))
                              : host::List{};
    made->list = list;
    const host::Item item = items_.Issue(std::move(made));
    if (!item) {
        FreeList(list);
        return {};
    }
    LiveItem(item)->handle = item;
    dialog.items.emplace(request.id, item);
    return item;
}

host::Item DialogManager::ItemCreate(host::Dialog dialog, std::int32_t itemId, host::ItemKind kind,
                                     const host::Rect* bounds, host::ItemInitProc init,
                                     void* userData) {
    static constexpr std::string_view kFunction = "Create";
    if (itemCalls_.Enter(kFunction, bounds != nullptr) != host::kNoError) {
        return {};
    }
    DialogState* state = DialogOf(dialog, itemCalls_, kFunction);
    if (state == nullptr) {
        return {};
    }
    if (!IsKind(kind)) {
        itemCalls_.BadArgument(kFunction, "item kind " + std::to_string(static_cast<int>(kind)));
        return {};
    }
    const host::Item item = AddItem(*state, {itemId, kind, "", *bounds, 0, 0, 0});
    if (!item) {
        itemCalls_.BadArgument(kFunction, "dialog \"" + state->name + "\" has item " +
                                              std::to_string(itemId) + " already");
        return {};
    }
    LiveItem(item)->userData = userData;
    if (init != nullptr && init(item) != host::kNoError) {
        if (ItemState* made = LiveItem(item); made != nullptr && !made->destroying) {
            DestroyLiveItem(*made);
        }
        return {};
    }
    return item;
}

void DialogManager::ItemDestroy(host::Item item) {
    static constexpr std::string_view kFunction = "Destroy";
    ItemState* state = LiveItem(item);
    if (state == nullptr) {
        // Records a double, stale or foreign destroy as what it is.
        items_.Retire(item, itemCalls_.Name(kFunction));
        return;
    }
    if (state->destroying) {
        core_.GetViolations().Record(ViolationKind::kNestedDestroy, itemCalls_.Name(kFunction),
                                     "item " + std::to_string(state->id) + " is being destroyed");
        return;
    }
    DestroyLiveItem(*state);
}

void DialogManager::DestroyLiveItem(ItemState& item) {
    item.destroying = true;
    const host::Item handle = item.handle;
    if (item.destroyProc != nullptr) {
        item.destroyProc(handle);
    }
    // Still live: destroys nested in the procedure were refused.
    const ItemState* state = LiveItem(handle);
    FreeList(state->list);
    if (DialogState* dialog = LiveDialog(state->dialog)) {
        dialog->items.erase(state->id);
    }
    items_.Retire(handle, kHostCall);
}

void DialogManager::ItemDefaultDraw(host::Item item, host::Drawer drawer) {
    static constexpr std::string_view kFunction = "DefaultDraw";
    ItemState* state = Lookup(item, kFunction);
    if (state != nullptr && drawers_.Find(drawer, itemCalls_.Name(kFunction)) != nullptr) {
        ++state->defaults.draw;
    }
}

bool DialogManager::ItemDefaultTrack(host::Item item, host::Tracker tracker) {
    static constexpr std::string_view kFunction = "DefaultTrack";
    ItemState* state = Lookup(item, kFunction);
    if (state != nullptr && trackers_.Find(tracker, itemCalls_.Name(kFunction)) != nullptr) {
        ++state->defaults.track;
    }
    return kDefaultTrackAnswer;
}

void DialogManager::ItemDefaultNotify(host::Item item, host::AdmNotifier notifier) {
    static constexpr std::string_view kFunction = "DefaultNotify";
    ItemState* state = Lookup(item, kFunction);
    const std::string* type = NotifierTypeOf(notifier, itemCalls_, kFunction);
    if (state == nullptr || type == nullptr) {
        return;
    }
    ++state->defaults.notify;
    const bool endsModal = *type == host::kAdmUserChangedNotifier &&
                           state->kind == host::ItemKind::kButton &&
                           (state->id == host::kOkItem || state->id == host::kCancelItem);
    DialogState* dialog = LiveDialog(state->dialog);
    if (endsModal && dialog != nullptr && dialog->running && !dialog->endItem) {
        dialog->endItem = state->id;
    }
}

bool DialogManager::ItemDefaultTextToFloat(host::Item item, const char* text, float* value) {
    static constexpr std::string_view kFunction = "DefaultTextToFloat";
    if (itemCalls_.Enter(kFunction, text != nullptr && value != nullptr) != host::kNoError ||
        Lookup(item, kFunction) == nullptr) {
        return false;
    }
    const std::optional<float> number = ParseNumber(text);
    if (number) {
        *value = *number;
    }
    return number.has_value();
}

bool DialogManager::ItemDefaultFloatToText(host::Item item, float value, char* text,
                                           std::size_t size) {
    static constexpr std::string_view kFunction = "DefaultFloatToText";
    if (itemCalls_.Enter(kFunction, text != nullptr && size > 0) != host::kNoError) {
        return false;
    }
    const ItemState* state = Lookup(item, kFunction);
    return state != nullptr && SuiteCalls::CopyText(FormatNumber(value, state->precision), text,
                                                    size) == host::kNoError;
}

void DialogManager::ItemSetText(host::Item item, const char* text) {
    static constexpr std::string_view kFunction = "SetText";
    if (itemCalls_.Enter(kFunction, text != nullptr) != host::kNoError) {
        return;
    }
    ItemState* state = Lookup(item, kFunction);
    if (state == nullptr) {
        return;
    }
    state->text = text;
    if (state->kind == host::ItemKind::kNumberEdit) {
        const std::optional<float> number = ReadNumber(item, text);
        state = LiveItem(item);
        if (number && state != nullptr) {
            state->number = *number;
        }
    }
}

void DialogManager::ItemGetText(host::Item item, char* text, std::size_t size) {
    static constexpr std::string_view kFunction = "GetText";
    const bool present = text != nullptr && size > 0;
    if (itemCalls_.Enter(kFunction, present) != host::kNoError) {
        return;
    }
    const ItemState* state = Lookup(item, kFunction);
    CutToFit(state != nullptr ? state->text : "", text, size);
}

void DialogManager::ItemSetFloatValue(host::Item item, float value) {
    ItemState* state = Lookup(item, "SetFloatValue");
    if (state == nullptr) {
        return;
    }
    state->number = value;
    if (state->kind == host::ItemKind::kNumberEdit) {
        ShowNumber(item);
    }
}

void DialogManager::ItemNotify(host::Item item, const char* notifierType) {
    static constexpr std::string_view kFunction = "Notify";
    if (itemCalls_.Enter(kFunction, notifierType != nullptr) == host::kNoError &&
        Lookup(item, kFunction) != nullptr) {
        NotifyItem(item, notifierType);
    }
}

void DialogManager::ShowNumber(host::Item item) {
    const ItemState* state = LiveItem(item);
    std::string text;
    if (state->floatToTextProc == nullptr) {
        text = FormatNumber(state->number, state->precision);
    } else {
        char buffer[kNumberTextBytes] = {};
        if (!state->floatToTextProc(item, state->number, buffer, sizeof buffer)) {
            return;
        }
        text.assign(buffer, std::find(buffer, buffer + sizeof buffer, 0));
    }
    if (ItemState* shown = LiveItem(item)) {
        shown->text = std::move(text);
    }
}

std::optional<float> DialogManager::ReadNumber(host::Item item, std::string_view text) {
    const ItemState* state = LiveItem(item);
    if (state->textToFloatProc == nullptr) {
        return ParseNumber(text);
    }
    const std::string terminated(text);
    float value = 0;
    if (!state->textToFloatProc(item, terminated.c_str(), &value)) {
        return std::nullopt;
    }
    return value;
}

bool DialogManager::NotifyItem(host::Item item, std::string_view type) {
    const ItemState* state = LiveItem(item);
    if (state != nullptr) {
        RunWith(notifiers_, std::string(type), state->notifyProc, &DialogManager::ItemDefaultNotify,
                item);
    }
    return state != nullptr;
}

std::int32_t DialogManager::ListNumberOfEntries(host::List list) {
    const ListState* state = Lookup(list, "NumberOfEntries");
    return state != nullptr ? static_cast<std::int32_t>(state->entries.size()) : 0;
}

void DialogManager::ListRemoveEntry(host::List list, std::int32_t index) {
    static constexpr std::string_view kFunction = "RemoveEntry";
    ListState* state = Lookup(list, kFunction);
    if (state == nullptr) {
        return;
    }
    if (index < 0 || static_cast<std::size_t>(index) >= state->entries.size()) {
        listCalls_.BadArgument(kFunction, "index " + std::to_string(index) + " of " +
                                              std::to_string(state->entries.size()));
        return;
    }
    const host::Entry entry = state->entries[index];
    state->entries.erase(state->entries.begin() + index);
    if (state->active == entry) {
        state->active =
            state->popup && !state->entries.empty() ? state->entries.front() : host::Entry{};
    }
    entries_.Retire(entry, kHostCall);
}

host::Entry DialogManager::ListInsertEntry(host::List list, std::int32_t index) {
    static constexpr std::string_view kFunction = "InsertEntry";
    if (listCalls_.Enter(kFunction, true) != host::kNoError) {
        return {};
    }
    ListState* state = Lookup(list, kFunction);
    if (state == nullptr) {
        return {};
    }
    if (index < 0 || static_cast<std::size_t>(index) > state->entries.size()) {
        listCalls_.BadArgument(kFunction, "index " + std::to_string(index) + " of " +
                                              std::to_string(state->entries.size()));
        return {};
    }
    const host::Entry entry = entries_.Issue(std::make_unique<EntryState>(EntryState{list, {}, 0}));
    if (!entry) {
        return {};
    }
    state->entries.insert(state->entries.begin() + index, entry);
    if (state->popup && !state->active) {
        state->active = entry;
    }
    return entry;
}

host::Entry DialogManager::ListGetActiveEntry(host::List list) {
    const ListState* state = Lookup(list, "GetActiveEntry");
    return state != nullptr ? state->active : host::Entry{};
}

host::Entry DialogManager::ListIndexEntry(host::List list, std::int32_t index) {
    static constexpr std::string_view kFunction = "IndexEntry";
    const ListState* state = Lookup(list, kFunction);
    if (state == nullptr) {
        return {};
    }
    if (index < 0 || static_cast<std::size_t>(index) >= state->entries.size()) {
        listCalls_.BadArgument(kFunction, "index " + std::to_string(index) + " of " +
                                              std::to_string(state->entries.size()));
        return {};
    }
    return state->entries[index];
}

void DialogManager::EntrySetText(host::Entry entry, const char* text) {
    static constexpr std::string_view kFunction = "SetText";
    if (entryCalls_.Enter(kFunction, text != nullptr) != host::kNoError) {
        return;
    }
    if (EntryState* state = Lookup(entry, kFunction)) {
        state->text = text;
    }
}

void DialogManager::EntrySelect(host::Entry entry, bool select) {
    const EntryState* state = Lookup(entry, "Select");
    if (state == nullptr) {
        return;
    }
    ListState* list = lists_.Peek(state->list)->get();
    if (select) {
        list->active = entry;
    } else if (!list->popup && list->active == entry) {
        list->active = {};
    }
}

DialogManager::ItemState* DialogManager::UserItem(host::Dialog dialog, std::int32_t itemId) {
    const DialogState* state = LiveDialog(dialog);
    if (state == nullptr || !state->visible || state->destroying) {
        return nullptr;
    }
    const auto found = state->items.find(itemId);
    ItemState* item = found != state->items.end() ? LiveItem(found->second) : nullptr;
    return item != nullptr && item->enabled && item->visible && !item->destroying ? item : nullptr;
}

bool DialogManager::UserSetText(host::Dialog dialog, std::int32_t itemId, std::string_view text) {
    ItemState* item = UserItem(dialog, itemId);
    if (item == nullptr) {
        return false;
    }
    const host::Item handle = item->handle;
    if (item->kind == host::ItemKind::kNumberEdit) {
        const std::optional<float> number = ReadNumber(handle, text);
        ItemState* read = LiveItem(handle);
        if (!number || read == nullptr) {
            return false;
        }
        read->number = *number;
        ShowNumber(handle);
    } else {
        item->text = text;
    }
    return NotifyItem(handle, host::kAdmUserChangedNotifier);
}

bool DialogManager::UserSetBoolean(host::Dialog dialog, std::int32_t itemId, bool value) {
    ItemState* item = UserItem(dialog, itemId);
    if (item == nullptr) {
        return false;
    }
    item->boolean = value;
    return NotifyItem(item->handle, host::kAdmUserChangedNotifier);
}

bool DialogManager::UserSetNumber(host::Dialog dialog, std::int32_t itemId, float value) {
    ItemState* item = UserItem(dialog, itemId);
    if (item == nullptr) {
        return false;
    }
    const host::Item handle = item->handle;
    item->number = value;
    if (item->kind == host::ItemKind::kNumberEdit) {
        ShowNumber(handle);
    }
    return NotifyItem(handle, host::kAdmUserChangedNotifier);
}

bool DialogManager::UserSelectEntry(host::Dialog dialog, std::int32_t itemId, int index) {
    const ItemState* item = UserItem(dialog, itemId);
    ListState* list = item != nullptr && item->list ? lists_.Peek(item->list)->get() : nullptr;
    if (list == nullptr || index < 0 || static_cast<std::size_t>(index) >= list->entries.size()) {
        return false;
    }
    list->active = list->entries[index];
    return NotifyItem(item->handle, host::kAdmUserChangedNotifier);
}

bool DialogManager::UserPress(host::Dialog dialog, std::int32_t itemId) {
    const ItemState* item = UserItem(dialog, itemId);
    return item != nullptr && NotifyItem(item->handle, host::kAdmUserChangedNotifier);
}

bool DialogManager::SendItemNotifier(host::Dialog dialog, std::int32_t itemId,
                                     std::string_view type) {
    const DialogState* state = LiveDialog(dialog);
    return state != nullptr && state->items.contains(itemId) &&
           NotifyItem(state->items.at(itemId), type);
}

std::optional<bool> DialogManager::TrackItem(host::Dialog dialog, std::int32_t itemId) {
    const DialogState* state = LiveDialog(dialog);
    if (state == nullptr || !state->items.contains(itemId)) {
        return std::nullopt;
    }
    const ItemState* item = LiveItem(state->items.at(itemId));
    return RunWith(trackers_, 0, item->trackProc, &DialogManager::ItemDefaultTrack, item->handle);
}

}  // namespace standin
