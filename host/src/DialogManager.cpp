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

// Room for a number item's text from its number-to-text procedure.
constexpr std::size_t kNumberTextBytes = 256;

// The height of a list's entries until the plug-in sets one.
constexpr std::int32_t kDefaultEntryHeight = 16;

// The host's kind of each resource item kind, in the resource kinds' order.
constexpr host::ItemKind kKinds[] = {
    host::ItemKind::kButton,        host::ItemKind::kStaticText,    host::ItemKind::kTextEdit,
    host::ItemKind::kNumberEdit,    host::ItemKind::kCheckBox,      host::ItemKind::kPicture,
    host::ItemKind::kPopup,         host::ItemKind::kListBox,       host::ItemKind::kSideMenu,
    host::ItemKind::kPictureButton, host::ItemKind::kPictureToggle,
};
static_assert(std::size(kKinds) ==
              static_cast<std::size_t>(M7LResourceItemKind::kPictureToggle) + 1);

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
    DialogSnapshot view{.handle = dialog,
                        .name = state->name,
                        .resourceId = state->resourceId,
                        .title = state->title,
                        .style = state->style,
                        .modal = state->modal,
                        .visible = state->visible,
                        .bounds = state->bounds,
                        .minWidth = state->minWidth,
                        .minHeight = state->minHeight,
                        .dockGroup = state->dockGroup,
                        .dockCode = state->dockCode,
                        .items = {},
                        .drawn = state->drawn,
                        .defaults = state->defaults};
    for (const auto& [id, item] : state->items) {
        if (const ItemState* itemState = LiveItem(item)) {
            view.items.emplace(id, ViewItem(*itemState));
        }
    }
    return view;
}

ItemSnapshot DialogManager::ViewItem(const ItemState& item) {
    ItemSnapshot view{.handle = item.handle,
                      .kind = item.kind,
                      .text = item.text,
                      .boolean = item.boolean,
                      .number = item.number,
                      .precision = item.precision,
                      .units = item.units,
                      .unitEntry = item.unitEntry,
                      .font = item.font,
                      .tip = item.tip,
                      .picture = item.picture,
                      .enabled = item.enabled,
                      .visible = item.visible,
                      .invalid = item.invalid,
                      .bounds = item.bounds,
                      .entries = {},
                      .activeEntry = -1,
                      .drawn = item.drawn,
                      .defaults = item.defaults};
    if (const ListState* list = Peeked(lists_, item.list)) {
        for (const host::Entry entry : list->entries) {
            if (entry == list->active) {
                view.activeEntry = static_cast<int>(view.entries.size());
            }
            const EntryState* state = Peeked(entries_, entry);
            view.entries.push_back({state->text, state->id, state->separator, state->enabled,
                                    state->checked, state->drawn});
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

DialogManager::EntryState* DialogManager::LiveEntry(host::Entry entry) {
    return Peeked(entries_, entry);
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
    made->module = module;
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
        const std::string what = "template " + std::to_string(request.resourceId) + " has item " +
                                 std::to_string(item.id);
        const std::optional<host::ItemKind> kind = KindOf(item.kind);
        if (!kind) {
            calls.BadArgument(function, what + " of no kind");
            continue;
        }
        const bool showsPicture =
            ShowsPicture(*kind) && FindIconResource(module, item.picture) != nullptr;
        if (item.picture != 0 && !showsPicture) {
            calls.BadArgument(function, what + " with picture " + std::to_string(item.picture) +
                                            ", which it cannot show");
        }
        if (!IsUnits(item.units) || !IsPrecision(item.precision)) {
            calls.BadArgument(function, what + " in units " + std::to_string(item.units) +
                                            " with precision " + std::to_string(item.precision));
        }
        if (!AddItem(dialog,
                     {item.id, *kind, item.text != nullptr ? item.text : "", RectOf(item.bounds),
                      item.flags, item.precision, item.units, showsPicture ? item.picture : 0})) {
            calls.BadArgument(function, what + " twice");
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
    made->precision = std::clamp(request.precision, 0, kMaxPrecision);
    made->units = IsUnits(request.units) ? request.units : host::kUnitsNone;
    made->unitEntry = (request.flags & kM7LItemUnitEntry) != 0;
    made->picture = request.picture;
    made->enabled = (request.flags & kM7LItemDisabled) == 0;
    made->visible = (request.flags & kM7LItemHidden) == 0;
    made->bounds = request.bounds;
    if (request.kind == host::ItemKind::kNumberEdit) {
        made->number = ParseNumber(request.text).value_or(0);
        made->text = FormatValue(made->number, made->units, made->precision, made->unitEntry);
    }
    const bool popup = request.kind == host::ItemKind::kPopup;
    const host::List list = HasList(request.kind)
                                ? lists_.Issue(std::make_unique<ListState>(
                                      ListState{.item = {},
                                                .popup = popup,
                                                .entries = {},
                                                .active = {},
                                                .entryHeight = kDefaultEntryHeight}))
                                : host::List{};
    made->list = list;
    const host::Item item = items_.Issue(std::move(made));
    if (!item) {
        FreeList(list);
        return {};
    }
    LiveItem(item)->handle = item;
    if (ListState* listState = LiveList(list)) {
        listState->item = item;
    }
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

bool DialogManager::UserClose(host::Dialog dialog) {
    DialogState* state = LiveDialog(dialog);
    if (state == nullptr || !state->visible || state->destroying || state->running) {
        return false;
    }
    state->visible = false;
    return true;
}

bool DialogManager::UserResize(host::Dialog dialog, std::int32_t width, std::int32_t height) {
    const DialogState* state = LiveDialog(dialog);
    if (state == nullptr || !state->visible || state->destroying || state->running || width < 0 ||
        height < 0) {
        return false;
    }
    Resize(dialog, width, height);
    return true;
}

void DialogManager::Resize(host::Dialog dialog, std::int32_t width, std::int32_t height) {
    DialogState* state = LiveDialog(dialog);
    host::Rect& bounds = state->bounds;
    const host::Rect before = bounds;
    bounds.right = bounds.left + std::max(width, state->minWidth);
    bounds.bottom = bounds.top + std::max(height, state->minHeight) + host::kDialogTitleBarHeight;
    if (bounds.right != before.right || bounds.bottom != before.bottom) {
        NotifyDialog(dialog, host::kAdmBoundsChangedNotifier);
    }
}

std::int32_t DialogManager::RunModal(host::Dialog dialog, const std::string& call) {
    return script_.Run(*this, dialog, call);
}

void DialogManager::LoadEntries(ListState& list, host::List handle, const M7LResourceMenu& menu) {
    for (const host::Entry entry : list.entries) {
        entries_.Retire(entry, kHostCall);
    }
    list.entries.clear();
    list.active = {};
    for (std::size_t i = 0; i < menu.entryCount; ++i) {
        const M7LMenuEntryTemplate& made = menu.entries[i];
        const host::Entry entry = entries_.Issue(
            std::make_unique<EntryState>(EntryState{.list = handle,
                                                    .text = made.text != nullptr ? made.text : "",
                                                    .id = made.id,
                                                    .separator = made.separator,
                                                    .drawn = {}}));
        if (!entry) {
            return;
        }
        list.entries.push_back(entry);
    }
    if (list.popup && !list.entries.empty()) {
        list.active = list.entries.front();
    }
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

template <typename Drawing>
std::vector<std::string> DialogManager::DrawWith(Drawing drawing) {
    const host::Drawer drawer = drawers_.Issue({});
    drawing(drawer);
    std::vector<std::string> drawn = std::move(*drawers_.Peek(drawer));
    drawers_.Retire(drawer, kHostCall);
    return drawn;
}

bool DialogManager::Draw(host::Dialog dialog) {
    const DialogState* state = LiveDialog(dialog);
    if (state == nullptr || !state->visible || state->destroying) {
        return false;
    }
    std::vector<std::string> drawn = DrawWith([&](host::Drawer drawer) {
        Run(state->drawProc, suites_->dialog, &AdmDialogAdapter::DefaultDraw, dialog, drawer);
    });
    if (DialogState* drawnDialog = LiveDialog(dialog)) {
        drawnDialog->drawn = std::move(drawn);
    }
    ForEachItem(dialog, [this](const ItemState& item) {
        if (item.visible && !item.destroying) {
            DrawItem(item.handle);
        }
    });
    return true;
}

void DialogManager::DrawItem(host::Item item) {
    const ItemState* state = LiveItem(item);
    std::vector<std::string> drawn = DrawWith([&](host::Drawer drawer) {
        Run(state->drawProc, suites_->item, &AdmItemAdapter::DefaultDraw, item, drawer);
    });
    if (ItemState* drawnItem = LiveItem(item)) {
        drawnItem->drawn = std::move(drawn);
        drawnItem->invalid = false;
    }
}

void DialogManager::DrawEntries(host::Item item) {
    const ItemState* state = LiveItem(item);
    const ListState* list = LiveList(state->list);
    // The procedures may change the list; draw the entries it had.
    const std::vector<host::Entry> entries = list->entries;
    const host::EntryDrawProc proc = list->entryDrawProc;
    for (const host::Entry entry : entries) {
        const EntryState* shown = LiveEntry(entry);
        if (shown == nullptr) {
            continue;
        }
        std::vector<std::string> drawn = DrawWith([&](host::Drawer drawer) {
            if (proc != nullptr) {
                proc(entry, drawer);
            } else {
                drawers_.Peek(drawer)->push_back("text " + RectText(EntryRect(*shown)) + " " +
                                                 shown->text);
            }
        });
        if (EntryState* drawnEntry = LiveEntry(entry)) {
            drawnEntry->drawn = std::move(drawn);
        }
    }
}

host::Rect DialogManager::EntryRect(const EntryState& entry) {
    const ListState* list = LiveList(entry.list);
    const ItemState* item = LiveItem(list->item);
    return {0, 0, item->bounds.right - item->bounds.left, list->entryHeight};
}

bool DialogManager::NotifyEntry(host::Entry entry, std::string_view type) {
    const EntryState* state = LiveEntry(entry);
    const ListState* list = state != nullptr ? LiveList(state->list) : nullptr;
    if (list == nullptr) {
        return false;
    }
    RunWith(notifiers_, std::string(type), list->entryNotifyProc, suites_->entry,
            &AdmEntryAdapter::DefaultNotify, entry);
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
        text = FormatValue(state->number, state->units, state->precision, state->unitEntry);
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
        return ParseValue(text, state->units, state->unitEntry);
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
    if (ShowsNumber(item->kind)) {
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
    const host::Entry entry = list->entries[index];
    const EntryState* chosen = LiveEntry(entry);
    if (chosen->separator || !chosen->enabled) {
        return false;
    }
    list->active = entry;
    return NotifyEntry(entry, host::kAdmUserChangedNotifier);
}

bool DialogManager::UserPress(host::Dialog dialog, std::int32_t itemId) {
    const ItemState* item = UserItem(dialog, itemId);
    return item != nullptr && NotifyItem(item->handle, host::kAdmUserChangedNotifier);
}

}  // namespace standin
