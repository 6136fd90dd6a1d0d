// The "ADM" suites: thin adapters over the dialog manager's state.
#include "DialogSuites.h"

#include "DialogText.h"
#include "PluginResources.h"

namespace standin {

namespace {

// Names of the suite functions that Store and Load serve.
constexpr char kGetBooleanValue[] = "GetBooleanValue";
constexpr char kGetFloatValue[] = "GetFloatValue";
constexpr char kGetID[] = "GetID";
constexpr char kGetList[] = "GetList";
constexpr char kGetUserData[] = "GetUserData";
constexpr char kIsVisible[] = "IsVisible";
constexpr char kSetBooleanValue[] = "SetBooleanValue";
constexpr char kSetDestroyProc[] = "SetDestroyProc";
constexpr char kSetDrawProc[] = "SetDrawProc";
constexpr char kSetFloatToTextProc[] = "SetFloatToTextProc";
constexpr char kSetID[] = "SetID";
constexpr char kSetNotifyProc[] = "SetNotifyProc";
constexpr char kSetTextToFloatProc[] = "SetTextToFloatProc";
constexpr char kSetTrackProc[] = "SetTrackProc";
constexpr char kSetUserData[] = "SetUserData";
constexpr char kShow[] = "Show";

// The host's own tracking asks for nothing further.
constexpr bool kDefaultTrackAnswer = false;

bool IsKind(host::ItemKind kind) {
    return kind >= host::ItemKind::kButton && kind <= host::ItemKind::kSideMenu;
}

}  // namespace

AdmBasicAdapter::AdmBasicAdapter(DialogManager& manager, HostCore& core)
    : manager_(manager), core_(core), calls_(core, host::kAdmBasicSuite) {
    static const host::AdmBasicSuite suite{
        &Forward<&AdmBasicAdapter::GetIndexString>::Call,
        &Forward<&AdmBasicAdapter::ErrorAlert>::Call,
        &Forward<&AdmBasicAdapter::GetScreenDimensions>::Call,
    };
    core.Provide(host::kAdmBasicSuite.name, &suite);
}

bool AdmBasicAdapter::GetIndexString(host::PluginRef plugin, std::int32_t listId,
                                     std::int32_t index, char* text, std::size_t size) {
    static constexpr std::string_view kFunction = "GetIndexString";
    const bool present = text != nullptr && size > 0;
    const host::Error error = calls_.Enter(kFunction, present);
    const char* found = nullptr;
    host::Module module = nullptr;
    if (error == host::kNoError && core_.FindModule(plugin, calls_.Name(kFunction), &module)) {
        found = FindResourceString(module, std::int64_t{listId} + index);
    }
    if (present) {
        CutToFit(found != nullptr ? found : "", text, size);
    }
    return found != nullptr;
}

void AdmBasicAdapter::ErrorAlert(const char* text) {
    if (calls_.Enter("ErrorAlert", text != nullptr) == host::kNoError) {
        manager_.alerts_.emplace_back(text);
    }
}

void AdmBasicAdapter::GetScreenDimensions(host::Rect* screen) {
    if (calls_.Enter("GetScreenDimensions", screen != nullptr) == host::kNoError) {
        *screen = manager_.screen_;
    }
}

AdmDialogAdapter::AdmDialogAdapter(DialogManager& manager, HostCore& core)
    : manager_(manager), calls_(core, host::kAdmDialogSuite) {
    using Self = AdmDialogAdapter;
    static const host::AdmDialogSuite suite{
        &Forward<&Self::Create>::Call,
        &Forward<&Self::Modal>::Call,
        &Forward<&Self::PopupModal>::Call,
        &Forward<&Self::Destroy>::Call,
        &Forward<&Self::Store<&State::userData, kSetUserData>>::Call,
        &Forward<&Self::Load<&State::userData, kGetUserData>>::Call,
        &Forward<&Self::Store<&State::drawProc, kSetDrawProc>>::Call,
        &Forward<&Self::Store<&State::trackProc, kSetTrackProc>>::Call,
        &Forward<&Self::Store<&State::notifyProc, kSetNotifyProc>>::Call,
        &Forward<&Self::Store<&State::destroyProc, kSetDestroyProc>>::Call,
        &Forward<&Self::DefaultDraw>::Call,
        &Forward<&Self::DefaultTrack>::Call,
        &Forward<&Self::DefaultNotify>::Call,
        &Forward<&Self::GetItem>::Call,
        &Forward<&Self::Move>::Call,
        &Forward<&Self::Size>::Call,
        &Forward<&Self::Store<&State::visible, kShow>>::Call,
        &Forward<&Self::Load<&State::visible, kIsVisible>>::Call,
        &Forward<&Self::GetBoundsRect>::Call,
    };
    core.Provide(host::kAdmDialogSuite.name, &suite);
}

AdmDialogAdapter::State* AdmDialogAdapter::Find(host::Dialog dialog, std::string_view function) {
    return manager_.FindDialogState(dialog, calls_.Name(function));
}

host::Dialog AdmDialogAdapter::Create(host::PluginRef plugin, const char* name,
                                      std::int32_t resourceId, std::int32_t style,
                                      host::DialogInitProc init, void* userData,
                                      std::int32_t /*options*/) {
    return manager_.MakeDialog(calls_, "Create",
                               {plugin, name, resourceId, style, init, userData, false});
}

std::int32_t AdmDialogAdapter::Modal(host::PluginRef plugin, const char* name,
                                     std::int32_t resourceId, std::int32_t style,
                                     host::DialogInitProc init, void* userData,
                                     std::int32_t /*options*/) {
    return RunModal("Modal", {plugin, name, resourceId, style, init, userData, true});
}

std::int32_t AdmDialogAdapter::PopupModal(host::PluginRef plugin, const char* name,
                                          std::int32_t resourceId, host::DialogInitProc init,
                                          void* userData, std::int32_t /*options*/) {
    return RunModal("PopupModal", {plugin, name, resourceId, 0, init, userData, true});
}

std::int32_t AdmDialogAdapter::RunModal(std::string_view function,
                                        const DialogManager::DialogRequest& request) {
    const host::Dialog dialog = manager_.MakeDialog(calls_, function, request);
    if (manager_.LiveDialog(dialog) == nullptr) {
        return host::kNoDialogItem;
    }
    return manager_.script_.Run(manager_, dialog, calls_.Name(function));
}

void AdmDialogAdapter::Destroy(host::Dialog dialog) {
    static constexpr std::string_view kFunction = "Destroy";
    const State* state = manager_.LiveDialog(dialog);
    if (state == nullptr) {
        // Records a double, stale or foreign destroy as what it is.
        manager_.dialogs_.Retire(dialog, calls_.Name(kFunction));
        return;
    }
    if (state->destroying) {
        manager_.core_.GetViolations().Record(ViolationKind::kNestedDestroy, calls_.Name(kFunction),
                                              "dialog \"" + state->name + "\" is being destroyed");
    } else if (state->running) {
        calls_.BadArgument(kFunction, "modal dialog \"" + state->name +
                                          "\" is running; the host destroys it when it ends");
    } else {
        manager_.DestroyLiveDialog(dialog);
    }
}

void AdmDialogAdapter::DefaultDraw(host::Dialog dialog, host::Drawer drawer) {
    static constexpr std::string_view kFunction = "DefaultDraw";
    State* state = Find(dialog, kFunction);
    if (state != nullptr && manager_.drawers_.Find(drawer, calls_.Name(kFunction)) != nullptr) {
        ++state->defaults.draw;
    }
}

bool AdmDialogAdapter::DefaultTrack(host::Dialog dialog, host::Tracker tracker) {
    static constexpr std::string_view kFunction = "DefaultTrack";
    State* state = Find(dialog, kFunction);
    if (state != nullptr && manager_.trackers_.Find(tracker, calls_.Name(kFunction)) != nullptr) {
        ++state->defaults.track;
    }
    return kDefaultTrackAnswer;
}

void AdmDialogAdapter::DefaultNotify(host::Dialog dialog, host::AdmNotifier notifier) {
    static constexpr std::string_view kFunction = "DefaultNotify";
    State* state = Find(dialog, kFunction);
    if (state != nullptr && manager_.notifiers_.Find(notifier, calls_.Name(kFunction)) != nullptr) {
        ++state->defaults.notify;
    }
}

host::Item AdmDialogAdapter::GetItem(host::Dialog dialog, std::int32_t itemId) {
    const State* state = Find(dialog, "GetItem");
    if (state == nullptr) {
        return {};
    }
    const auto found = state->items.find(itemId);
    return found != state->items.end() ? found->second : host::Item{};
}

void AdmDialogAdapter::Move(host::Dialog dialog, std::int32_t h, std::int32_t v) {
    if (State* state = Find(dialog, "Move")) {
        host::Rect& bounds = state->bounds;
        bounds = {h, v, h + bounds.right - bounds.left, v + bounds.bottom - bounds.top};
    }
}

void AdmDialogAdapter::Size(host::Dialog dialog, std::int32_t width, std::int32_t height) {
    static constexpr std::string_view kFunction = "Size";
    State* state = Find(dialog, kFunction);
    if (state == nullptr) {
        return;
    }
    if (width < 0 || height < 0) {
        calls_.BadArgument(
            kFunction, "a negative size " + std::to_string(width) + " x " + std::to_string(height));
        return;
    }
    state->bounds.right = state->bounds.left + width;
    state->bounds.bottom = state->bounds.top + height + host::kDialogTitleBarHeight;
}

void AdmDialogAdapter::GetBoundsRect(host::Dialog dialog, host::Rect* bounds) {
    static constexpr std::string_view kFunction = "GetBoundsRect";
    if (calls_.Enter(kFunction, bounds != nullptr) != host::kNoError) {
        return;
    }
    if (const State* state = Find(dialog, kFunction)) {
        *bounds = state->bounds;
    }
}

AdmDialogGroupAdapter::AdmDialogGroupAdapter(DialogManager& manager, HostCore& core)
    : manager_(manager), calls_(core, host::kAdmDialogGroupSuite) {
    static const host::AdmDialogGroupSuite suite{
        &Forward<&AdmDialogGroupAdapter::GetDialogGroupInfo>::Call,
        &Forward<&AdmDialogGroupAdapter::SetDialogGroupInfo>::Call,
    };
    core.Provide(host::kAdmDialogGroupSuite.name, &suite);
}

host::Error AdmDialogGroupAdapter::GetDialogGroupInfo(host::Dialog dialog, char* groupName,
                                                      std::size_t size, std::int32_t* dockCode) {
    static constexpr std::string_view kFunction = "GetDialogGroupInfo";
    if (const host::Error error =
            calls_.Enter(kFunction, groupName != nullptr && dockCode != nullptr)) {
        return error;
    }
    const auto* state = manager_.FindDialogState(dialog, calls_.Name(kFunction));
    if (state == nullptr) {
        return host::kErrorBadHandle;
    }
    if (state->dockCode == host::kDockCodeUndocked && manager_.failUndockedQuery_) {
        return host::kErrorNotFound;
    }
    if (const host::Error error = SuiteCalls::CopyText(state->dockGroup, groupName, size)) {
        return error;
    }
    *dockCode = state->dockCode;
    return host::kNoError;
}

host::Error AdmDialogGroupAdapter::SetDialogGroupInfo(host::Dialog dialog, const char* groupName,
                                                      std::int32_t dockCode) {
    static constexpr std::string_view kFunction = "SetDialogGroupInfo";
    if (const host::Error error = calls_.Enter(kFunction, groupName != nullptr)) {
        return error;
    }
    auto* state = manager_.FindDialogState(dialog, calls_.Name(kFunction));
    if (state == nullptr) {
        return host::kErrorBadHandle;
    }
    state->dockGroup = groupName;
    state->dockCode = dockCode;
    return host::kNoError;
}

AdmItemAdapter::AdmItemAdapter(DialogManager& manager, HostCore& core)
    : manager_(manager), calls_(core, host::kAdmItemSuite) {
    using Self = AdmItemAdapter;
    static const host::AdmItemSuite suite{
        &Forward<&Self::Create>::Call,
        &Forward<&Self::Destroy>::Call,
        &Forward<&Self::Store<&State::userData, kSetUserData>>::Call,
        &Forward<&Self::Load<&State::userData, kGetUserData>>::Call,
        &Forward<&Self::Store<&State::drawProc, kSetDrawProc>>::Call,
        &Forward<&Self::Store<&State::trackProc, kSetTrackProc>>::Call,
        &Forward<&Self::Store<&State::notifyProc, kSetNotifyProc>>::Call,
        &Forward<&Self::Store<&State::destroyProc, kSetDestroyProc>>::Call,
        &Forward<&Self::Store<&State::textToFloatProc, kSetTextToFloatProc>>::Call,
        &Forward<&Self::Store<&State::floatToTextProc, kSetFloatToTextProc>>::Call,
        &Forward<&Self::DefaultDraw>::Call,
        &Forward<&Self::DefaultTrack>::Call,
        &Forward<&Self::DefaultNotify>::Call,
        &Forward<&Self::DefaultTextToFloat>::Call,
        &Forward<&Self::DefaultFloatToText>::Call,
        &Forward<&Self::SetText>::Call,
        &Forward<&Self::Load<&State::boolean, kGetBooleanValue>>::Call,
        &Forward<&Self::Load<&State::list, kGetList>>::Call,
        &Forward<&Self::GetText>::Call,
        &Forward<&Self::Store<&State::boolean, kSetBooleanValue>>::Call,
        &Forward<&Self::Load<&State::number, kGetFloatValue>>::Call,
        &Forward<&Self::SetFloatValue>::Call,
        &Forward<&Self::Notify>::Call,
    };
    core.Provide(host::kAdmItemSuite.name, &suite);
}

AdmItemAdapter::State* AdmItemAdapter::Find(host::Item item, std::string_view function) {
    return manager_.FindItemState(item, calls_.Name(function));
}

host::Item AdmItemAdapter::Create(host::Dialog dialog, std::int32_t itemId, host::ItemKind kind,
                                  const host::Rect* bounds, host::ItemInitProc init,
                                  void* userData) {
    static constexpr std::string_view kFunction = "Create";
    if (calls_.Enter(kFunction, bounds != nullptr) != host::kNoError) {
        return {};
    }
    auto* state = manager_.FindDialogState(dialog, calls_.Name(kFunction));
    if (state == nullptr) {
        return {};
    }
    if (!IsKind(kind)) {
        calls_.BadArgument(kFunction, "item kind " + std::to_string(static_cast<int>(kind)));
        return {};
    }
    const host::Item item = manager_.AddItem(*state, {itemId, kind, "", *bounds, 0, 0, 0});
    if (!item) {
        calls_.BadArgument(kFunction, "dialog \"" + state->name + "\" has item " +
                                          std::to_string(itemId) + " already");
        return {};
    }
    manager_.LiveItem(item)->userData = userData;
    if (init != nullptr && init(item) != host::kNoError) {
        if (State* made = manager_.LiveItem(item); made != nullptr && !made->destroying) {
            manager_.DestroyLiveItem(*made);
        }
        return {};
    }
    return item;
}

void AdmItemAdapter::Destroy(host::Item item) {
    static constexpr std::string_view kFunction = "Destroy";
    State* state = manager_.LiveItem(item);
    if (state == nullptr) {
        // Records a double, stale or foreign destroy as what it is.
        manager_.items_.Retire(item, calls_.Name(kFunction));
        return;
    }
    if (state->destroying) {
        manager_.core_.GetViolations().Record(
            ViolationKind::kNestedDestroy, calls_.Name(kFunction),
            "item " + std::to_string(state->id) + " is being destroyed");
        return;
    }
    manager_.DestroyLiveItem(*state);
}

void AdmItemAdapter::DefaultDraw(host::Item item, host::Drawer drawer) {
    static constexpr std::string_view kFunction = "DefaultDraw";
    State* state = Find(item, kFunction);
    if (state != nullptr && manager_.drawers_.Find(drawer, calls_.Name(kFunction)) != nullptr) {
        ++state->defaults.draw;
    }
}

bool AdmItemAdapter::DefaultTrack(host::Item item, host::Tracker tracker) {
    static constexpr std::string_view kFunction = "DefaultTrack";
    State* state = Find(item, kFunction);
    if (state != nullptr && manager_.trackers_.Find(tracker, calls_.Name(kFunction)) != nullptr) {
        ++state->defaults.track;
    }
    return kDefaultTrackAnswer;
}

void AdmItemAdapter::DefaultNotify(host::Item item, host::AdmNotifier notifier) {
    static constexpr std::string_view kFunction = "DefaultNotify";
    State* state = Find(item, kFunction);
    const std::string* type = manager_.notifiers_.Find(notifier, calls_.Name(kFunction));
    if (state == nullptr || type == nullptr) {
        return;
    }
    ++state->defaults.notify;
    const bool endsModal = *type == host::kAdmUserChangedNotifier &&
                           state->kind == host::ItemKind::kButton &&
                           (state->id == host::kOkItem || state->id == host::kCancelItem);
    DialogManager::DialogState* dialog = manager_.LiveDialog(state->dialog);
    if (endsModal && dialog != nullptr && dialog->running && !dialog->endItem) {
        dialog->endItem = state->id;
    }
}

bool AdmItemAdapter::DefaultTextToFloat(host::Item item, const char* text, float* value) {
    static constexpr std::string_view kFunction = "DefaultTextToFloat";
    if (calls_.Enter(kFunction, text != nullptr && value != nullptr) != host::kNoError ||
        Find(item, kFunction) == nullptr) {
        return false;
    }
    const std::optional<float> number = ParseNumber(text);
    if (number) {
        *value = *number;
    }
    return number.has_value();
}

bool AdmItemAdapter::DefaultFloatToText(host::Item item, float value, char* text,
                                        std::size_t size) {
    static constexpr std::string_view kFunction = "DefaultFloatToText";
    if (calls_.Enter(kFunction, text != nullptr && size > 0) != host::kNoError) {
        return false;
    }
    const State* state = Find(item, kFunction);
    return state != nullptr && SuiteCalls::CopyText(FormatNumber(value, state->precision), text,
                                                    size) == host::kNoError;
}

void AdmItemAdapter::SetText(host::Item item, const char* text) {
    static constexpr std::string_view kFunction = "SetText";
    if (calls_.Enter(kFunction, text != nullptr) != host::kNoError) {
        return;
    }
    State* state = Find(item, kFunction);
    if (state == nullptr) {
        return;
    }
    state->text = text;
    if (state->kind == host::ItemKind::kNumberEdit) {
        const std::optional<float> number = manager_.ReadNumber(item, text);
        state = manager_.LiveItem(item);
        if (number && state != nullptr) {
            state->number = *number;
        }
    }
}

void AdmItemAdapter::GetText(host::Item item, char* text, std::size_t size) {
    static constexpr std::string_view kFunction = "GetText";
    const bool present = text != nullptr && size > 0;
    if (calls_.Enter(kFunction, present) != host::kNoError) {
        return;
    }
    const State* state = Find(item, kFunction);
    CutToFit(state != nullptr ? state->text : "", text, size);
}

void AdmItemAdapter::SetFloatValue(host::Item item, float value) {
    State* state = Find(item, "SetFloatValue");
    if (state == nullptr) {
        return;
    }
    state->number = value;
    if (state->kind == host::ItemKind::kNumberEdit) {
        manager_.ShowNumber(item);
    }
}

void AdmItemAdapter::Notify(host::Item item, const char* notifierType) {
    static constexpr std::string_view kFunction = "Notify";
    if (calls_.Enter(kFunction, notifierType != nullptr) == host::kNoError &&
        Find(item, kFunction) != nullptr) {
        manager_.NotifyItem(item, notifierType);
    }
}

AdmListAdapter::AdmListAdapter(DialogManager& manager, HostCore& core)
    : manager_(manager), calls_(core, host::kAdmListSuite) {
    static const host::AdmListSuite suite{
        &Forward<&AdmListAdapter::NumberOfEntries>::Call,
        &Forward<&AdmListAdapter::RemoveEntry>::Call,
        &Forward<&AdmListAdapter::InsertEntry>::Call,
        &Forward<&AdmListAdapter::GetActiveEntry>::Call,
        &Forward<&AdmListAdapter::IndexEntry>::Call,
    };
    core.Provide(host::kAdmListSuite.name, &suite);
}

DialogManager::ListState* AdmListAdapter::Find(host::List list, std::string_view function) {
    return manager_.FindListState(list, calls_.Name(function));
}

bool AdmListAdapter::CheckIndex(std::string_view function, std::int32_t index, std::size_t count) {
    if (index >= 0 && static_cast<std::size_t>(index) < count) {
        return true;
    }
    calls_.BadArgument(function, "index " + std::to_string(index) + " of " + std::to_string(count));
    return false;
}

std::int32_t AdmListAdapter::NumberOfEntries(host::List list) {
    const DialogManager::ListState* state = Find(list, "NumberOfEntries");
    return state != nullptr ? static_cast<std::int32_t>(state->entries.size()) : 0;
}

void AdmListAdapter::RemoveEntry(host::List list, std::int32_t index) {
    static constexpr std::string_view kFunction = "RemoveEntry";
    DialogManager::ListState* state = Find(list, kFunction);
    if (state == nullptr || !CheckIndex(kFunction, index, state->entries.size())) {
        return;
    }
    const host::Entry entry = state->entries[index];
    state->entries.erase(state->entries.begin() + index);
    if (state->active == entry) {
        state->active =
            state->popup && !state->entries.empty() ? state->entries.front() : host::Entry{};
    }
    manager_.entries_.Retire(entry, DialogManager::kHostCall);
}

host::Entry AdmListAdapter::InsertEntry(host::List list, std::int32_t index) {
    static constexpr std::string_view kFunction = "InsertEntry";
    if (calls_.Enter(kFunction, true) != host::kNoError) {
        return {};
    }
    DialogManager::ListState* state = Find(list, kFunction);
    // An entry may go after the last one.
    if (state == nullptr || !CheckIndex(kFunction, index, state->entries.size() + 1)) {
        return {};
    }
    const host::Entry entry = manager_.entries_.Issue(
        std::make_unique<DialogManager::EntryState>(DialogManager::EntryState{list, {}, 0}));
    if (!entry) {
        return {};
    }
    state->entries.insert(state->entries.begin() + index, entry);
    if (state->popup && !state->active) {
        state->active = entry;
    }
    return entry;
}

host::Entry AdmListAdapter::GetActiveEntry(host::List list) {
    const DialogManager::ListState* state = Find(list, "GetActiveEntry");
    return state != nullptr ? state->active : host::Entry{};
}

host::Entry AdmListAdapter::IndexEntry(host::List list, std::int32_t index) {
    static constexpr std::string_view kFunction = "IndexEntry";
    const DialogManager::ListState* state = Find(list, kFunction);
    if (state == nullptr || !CheckIndex(kFunction, index, state->entries.size())) {
        return {};
    }
    return state->entries[index];
}

AdmEntryAdapter::AdmEntryAdapter(DialogManager& manager, HostCore& core)
    : manager_(manager), calls_(core, host::kAdmEntrySuite) {
    using Self = AdmEntryAdapter;
    static const host::AdmEntrySuite suite{
        &Forward<&Self::SetText>::Call,
        &Forward<&Self::Store<&State::id, kSetID>>::Call,
        &Forward<&Self::Load<&State::id, kGetID>>::Call,
        &Forward<&Self::Select>::Call,
    };
    core.Provide(host::kAdmEntrySuite.name, &suite);
}

AdmEntryAdapter::State* AdmEntryAdapter::Find(host::Entry entry, std::string_view function) {
    return manager_.FindEntryState(entry, calls_.Name(function));
}

void AdmEntryAdapter::SetText(host::Entry entry, const char* text) {
    static constexpr std::string_view kFunction = "SetText";
    if (calls_.Enter(kFunction, text != nullptr) != host::kNoError) {
        return;
    }
    if (State* state = Find(entry, kFunction)) {
        state->text = text;
    }
}

void AdmEntryAdapter::Select(host::Entry entry, bool select) {
    const State* state = Find(entry, "Select");
    if (state == nullptr) {
        return;
    }
    DialogManager::ListState* list = manager_.LiveList(state->list);
    if (select) {
        list->active = entry;
    } else if (!list->popup && list->active == entry) {
        list->active = {};
    }
}

AdmNotifierAdapter::AdmNotifierAdapter(DialogManager& manager, HostCore& core)
    : manager_(manager), calls_(core, host::kAdmNotifierSuite) {
    static const host::AdmNotifierSuite suite{
        &Forward<&AdmNotifierAdapter::GetNotifierType>::Call,
    };
    core.Provide(host::kAdmNotifierSuite.name, &suite);
}

void AdmNotifierAdapter::GetNotifierType(host::AdmNotifier notifier, char* type, std::size_t size) {
    static constexpr std::string_view kFunction = "GetNotifierType";
    const bool present = type != nullptr && size > 0;
    if (calls_.Enter(kFunction, present) != host::kNoError) {
        return;
    }
    const std::string* found = manager_.notifiers_.Find(notifier, calls_.Name(kFunction));
    CutToFit(found != nullptr ? *found : "", type, size);
}

AdmIconAdapter::AdmIconAdapter(DialogManager& manager, HostCore& core)
    : manager_(manager), core_(core), calls_(core, host::kAdmIconSuite) {
    static const host::AdmIconSuite suite{
        &Forward<&AdmIconAdapter::GetFromResource>::Call,
        &Forward<&AdmIconAdapter::GetType>::Call,
    };
    core.Provide(host::kAdmIconSuite.name, &suite);
}

host::Icon AdmIconAdapter::GetFromResource(host::PluginRef plugin, const char* name,
                                           std::int32_t iconId, std::int32_t iconIndex) {
    static constexpr std::string_view kFunction = "GetFromResource";
    host::Module module = nullptr;
    if (calls_.Enter(kFunction, name != nullptr) != host::kNoError ||
        !core_.FindModule(plugin, calls_.Name(kFunction), &module)) {
        return {};
    }
    const M7LResourceIcon* icon = FindIconResource(module, iconId);
    const bool usable = icon != nullptr && iconIndex >= 0 && iconIndex < icon->indexCount;
    return manager_.icons_.Issue(usable ? host::kIconTypeResource : host::kIconTypeUnusable);
}

std::int32_t AdmIconAdapter::GetType(host::Icon icon) {
    const std::int32_t* type = manager_.icons_.Find(icon, calls_.Name("GetType"));
    return type != nullptr ? *type : host::kIconTypeUnusable;
}

}  // namespace standin
