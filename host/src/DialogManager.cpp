// The dialog manager's state: dialogs from their templates, items, lists and
// entries, their destruction, what the user does to them, and what tests see.
#include "DialogManager.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "DialogSuites.h"
#include "DialogText.h"
#include "PluginResources.h"

namespace standin {

namespace {

constexpr host::Rect kDefaultScreen{0, 0, 1600, 1200};

// Where a new dialog opens before the plug-in places it.
constexpr std::int32_t kInitialLeft = 0;
constexpr std::int32_t kInitialTop = 0;

// Room for a number edit's text from its number-to-text procedure.
constexpr std::size_t kNumberTextBytes = 256;

// The host's kind of each resource item kind, in the resource kinds' order.
constexpr host::ItemKind kKinds[] = {
    host::ItemKind::kButton,     host::ItemKind::kStaticText, host::ItemKind::kTextEdit,
    host::ItemKind::kNumberEdit, host::ItemKind::kCheckBox,   host::ItemKind::kPicture,
    host::ItemKind::kPopup,      host::ItemKind::kListBox,    host::ItemKind::kSideMenu,
};
static_assert(std::size(kKinds) == static_cast<std::size_t>(M7LResourceItemKind::kSideMenu) + 1);

std::optional<host::ItemKind> KindOf(M7LResourceItemKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < std::size(kKinds) ? std::optional(kKinds[index]) : std::nullopt;
}

host::Rect RectOf(const M7LResourceRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

bool HasList(host::ItemKind kind) {
    return kind == host::ItemKind::kPopup || kind == host::ItemKind::kListBox ||
           kind == host::ItemKind::kSideMenu;
}

template <typename Handle, typename State>
State* Found(HandleTable<Handle, std::unique_ptr<State>>& table, Handle handle,
             const std::string& call) {
    std::unique_ptr<State>* found = table.Find(handle, call);
    return found != nullptr ? found->get() : nullptr;
}

template <typename Handle, typename State>
State* Peeked(const HandleTable<Handle, std::unique_ptr<State>>& table, Handle handle) {
    const std::unique_ptr<State>* found = table.Peek(handle);
    return found != nullptr ? found->get() : nullptr;
}

}  // namespace

DialogManager::DialogManager(HostCore& core)
    : core_(core),
      dialogs_(core.GetViolations(), "dialog"),
      items_(core.GetViolations(), "item"),
      lists_(core.GetViolations(), "list"),
      entries_(core.GetViolations(), "entry"),
      notifiers_(core.GetViolations(), "dialog notifier"),
      drawers_(core.GetViolations(), "drawer"),
      trackers_(core.GetViolations(), "tracker"),
      icons_(core.GetViolations(), "icon"),
      screen_(kDefaultScreen),
      suites_(std::make_unique<DialogSuites>(*this, core)) {}

DialogManager::~DialogManager() = default;

host::Dialog DialogManager::FindDialog(std::string_view name) const {
    for (auto dialog = order_.rbegin(); dialog != order_.rend(); ++dialog) {
        const DialogState* state = Peeked(dialogs_, *dialog);
        if (state != nullptr && state->name == name) {
            return *dialog;
        }
    }
    return {};
}

DialogSnapshot DialogManager::View(host::Dialog dialog) {
    const DialogState* state = LiveDialog(dialog);
    if (state == nullptr) {
        throw std::invalid_argument("no live dialog " + std::to_string(dialog.token));
    }
    DialogSnapshot view{
        dialog,       state->name,    state->resourceId, state->title,     state->style,
        state->modal, state->visible, state->bounds,     state->dockGroup, state->dockCode,
        {},           state->defaults};
    for (const auto& [id, item] : state->items) {
        if (const ItemState* itemState = LiveItem(item)) {
            view.items.emplace(id, ViewItem(*itemState));
        }
    }
    return view;
}

ItemSnapshot DialogManager::ViewItem(const ItemState& item) {
    ItemSnapshot view{item.handle,  item.kind,      item.text,  item.boolean,
                      item.number,  item.precision, item.units, item.enabled,
                      item.visible, item.bounds,    {},         -1,
                      item.defaults};
    if (const ListState* list = Peeked(lists_, item.list)) {
        for (const host::Entry entry : list->entries) {
            if (entry == list->active) {
                view.activeEntry = static_cast<int>(view.entries.size());
            }
            const EntryState* state = Peeked(entries_, entry);
            view.entries.push_back({state->text, state->id});
        }
    }
    return view;
}

std::string DialogManager::Imbalance() const {
    std::string text;
    for (const host::Dialog dialog : order_) {
        const DialogState* state = Peeked(dialogs_, dialog);
        text += "dialog \"" + state->name + "\" (resource " + std::to_string(state->resourceId) +
                ") is not destroyed\n";
    }
    return text;
}

DialogManager::DialogState* DialogManager::FindDialogState(host::Dialog dialog,
                                                           const std::string& call) {
    return Found(dialogs_, dialog, call);
}

DialogManager::ItemState* DialogManager::FindItemState(host::Item item, const std::string& call) {
    return Found(items_, item, call);
}

DialogManager::ListState* DialogManager::FindListState(host::List list, const std::string& call) {
    return Found(lists_, list, call);
}

DialogManager::EntryState* DialogManager::FindEntryState(host::Entry entry,
                                                         const std::string& call) {
    return Found(entries_, entry, call);
}

DialogManager::DialogState* DialogManager::LiveDialog(host::Dialog dialog) {
    return Peeked(dialogs_, dialog);
}

DialogManager::ItemState* DialogManager::LiveItem(host::Item item) {
    return Peeked(items_, item);
}

DialogManager::ListState* DialogManager::LiveList(host::List list) {
    return Peeked(lists_, list);
}

host::Dialog DialogManager::MakeDialog(const SuiteCalls& calls, std::string_view function,
                                       const DialogRequest& request) {
    host::Module module = nullptr;
    if (calls.Enter(function, request.name != nullptr) != host::kNoError ||
        !core_.FindModule(request.plugin, calls.Name(function), &module)) {
        return {};
    }
    const M7LDialogTemplate* resource = FindDialogTemplate(module, request.resourceId);
    if (resource == nullptr) {
        return {};
    }
    auto made = std::make_unique<DialogState>();
    made->name = request.name;
    made->resourceId = request.resourceId;
    made->title = resource->title != nullptr ? resource->title : "";
    made->style = request.style;
    made->modal = request.modal;
    made->bounds = {kInitialLeft, kInitialTop, kInitialLeft + resource->width,
                    kInitialTop + resource->height + host::kDialogTitleBarHeight};
    made->userData = request.userData;
    const host::Dialog handle = dialogs_.Issue(std::move(made));
    if (!handle) {
        return {};
    }
    DialogState& dialog = *LiveDialog(handle);
    dialog.handle = handle;
    order_.push_back(handle);
    for (std::size_t i = 0; i < resource->itemCount; ++i) {
        const M7LDialogItemTemplate& item = resource->items[i];
        const std::optional<host::ItemKind> kind = KindOf(item.kind);
        const bool added =
            kind && AddItem(dialog, {item.id, *kind, item.text != nullptr ? item.text : "",
                                     RectOf(item.bounds), item.flags, item.precision, item.units});
        if (!added) {
            calls.BadArgument(function, "template " + std::to_string(request.resourceId) +
                                            " has item " + std::to_string(item.id) +
                                            (kind ? " twice" : " of no kind"));
        }
    }
    if (request.init != nullptr && request.init(handle) != host::kNoError) {
        const DialogState* state = LiveDialog(handle);
        if (state != nullptr && !state->destroying) {
            DestroyLiveDialog(handle);
        }
        return {};
    }
    return handle;
}

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

void DialogManager::DestroyLiveDialog(host::Dialog dialog) {
    DialogState* state = LiveDialog(dialog);
    state->destroying = true;
    if (state->destroyProc != nullptr) {
        state->destroyProc(dialog);
    }
    ForEachItem(dialog, [this](ItemState& item) {
        if (!item.destroying) {
            DestroyLiveItem(item);
        }
    });
    std::erase(order_, dialog);
    dialogs_.Retire(dialog, kHostCall);
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

void DialogManager::FreeList(host::List list) {
    if (const ListState* state = Peeked(lists_, list)) {
        for (const host::Entry entry : state->entries) {
            entries_.Retire(entry, kHostCall);
        }
        lists_.Retire(list, kHostCall);
    }
}

void DialogManager::ForEachItem(host::Dialog dialog,
                                const std::function<void(ItemState&)>& action) {
    // The action may destroy items, or the dialog; go by id, not position.
    for (std::optional<std::int32_t> last;;) {
        const DialogState* state = LiveDialog(dialog);
        if (state == nullptr) {
            return;
        }
        const auto next = last ? state->items.upper_bound(*last) : state->items.begin();
        if (next == state->items.end()) {
            return;
        }
        last = next->first;
        if (ItemState* item = LiveItem(next->second)) {
            action(*item);
        }
    }
}

std::map<std::int32_t, std::string> DialogManager::ItemTexts(host::Dialog dialog) {
    std::map<std::int32_t, std::string> texts;
    ForEachItem(dialog, [&texts](const ItemState& item) { texts.emplace(item.id, item.text); });
    return texts;
}

bool DialogManager::Close(host::Dialog dialog) {
    const DialogState* state = LiveDialog(dialog);
    if (state == nullptr || state->destroying || state->running) {
        return false;
    }
    DestroyLiveDialog(dialog);
    return true;
}

bool DialogManager::NotifyDialog(host::Dialog dialog, std::string_view type) {
    const DialogState* state = LiveDialog(dialog);
    if (state != nullptr) {
        RunWith(notifiers_, std::string(type), state->notifyProc, suites_->dialog,
                &AdmDialogAdapter::DefaultNotify, dialog);
    }
    return state != nullptr;
}

bool DialogManager::NotifyItem(host::Item item, std::string_view type) {
    const ItemState* state = LiveItem(item);
    if (state != nullptr) {
        RunWith(notifiers_, std::string(type), state->notifyProc, suites_->item,
                &AdmItemAdapter::DefaultNotify, item);
    }
    return state != nullptr;
}

bool DialogManager::SendDialogNotifier(host::Dialog dialog, std::string_view type) {
    return NotifyDialog(dialog, type);
}

bool DialogManager::SendItemNotifier(host::Dialog dialog, std::int32_t itemId,
                                     std::string_view type) {
    const DialogState* state = LiveDialog(dialog);
    return state != nullptr && state->items.contains(itemId) &&
           NotifyItem(state->items.at(itemId), type);
}

bool DialogManager::Draw(host::Dialog dialog) {
    const DialogState* state = LiveDialog(dialog);
    if (state == nullptr) {
        return false;
    }
    const host::Drawer drawer = drawers_.Issue(0);
    Run(state->drawProc, suites_->dialog, &AdmDialogAdapter::DefaultDraw, dialog, drawer);
    ForEachItem(dialog, [this, drawer](const ItemState& item) {
        Run(item.drawProc, suites_->item, &AdmItemAdapter::DefaultDraw, item.handle, drawer);
    });
    drawers_.Retire(drawer, kHostCall);
    return true;
}

std::optional<bool> DialogManager::TrackDialog(host::Dialog dialog) {
    const DialogState* state = LiveDialog(dialog);
    if (state == nullptr) {
        return std::nullopt;
    }
    return RunWith(trackers_, 0, state->trackProc, suites_->dialog, &AdmDialogAdapter::DefaultTrack,
                   dialog);
}

std::optional<bool> DialogManager::TrackItem(host::Dialog dialog, std::int32_t itemId) {
    const DialogState* state = LiveDialog(dialog);
    if (state == nullptr || !state->items.contains(itemId)) {
        return std::nullopt;
    }
    const ItemState* item = LiveItem(state->items.at(itemId));
    return RunWith(trackers_, 0, item->trackProc, suites_->item, &AdmItemAdapter::DefaultTrack,
                   item->handle);
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
    ListState* list = item != nullptr ? LiveList(item->list) : nullptr;
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

}  // namespace standin
