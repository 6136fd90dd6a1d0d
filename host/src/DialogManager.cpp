// The dialog manager's suites, its observers and look-ups, and what tests
// see of its dialogs.
#include "DialogManager.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "DialogText.h"
#include "PluginResources.h"

namespace standin {

namespace {

constexpr host::Rect kDefaultScreen{0, 0, 1600, 1200};

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

template <auto Field, const char* Function>
void DialogManager::Store(typename RecordField<decltype(Field)>::Handle handle,
                          typename RecordField<decltype(Field)>::Type value) {
    if (auto* state = Lookup(handle, Function)) {
        state->*Field = value;
    }
}

template <auto Field, const char* Function>
typename RecordField<decltype(Field)>::Type DialogManager::Load(
    typename RecordField<decltype(Field)>::Handle handle) {
    const auto* state = Lookup(handle, Function);
    return state != nullptr ? state->*Field : typename RecordField<decltype(Field)>::Type{};
}

DialogManager::DialogManager(HostCore& core)
    : core_(core),
      basicCalls_(core, host::kAdmBasicSuite),
      dialogCalls_(core, host::kAdmDialogSuite),
      groupCalls_(core, host::kAdmDialogGroupSuite),
      itemCalls_(core, host::kAdmItemSuite),
      listCalls_(core, host::kAdmListSuite),
      entryCalls_(core, host::kAdmEntrySuite),
      notifierCalls_(core, host::kAdmNotifierSuite),
      iconCalls_(core, host::kAdmIconSuite),
      dialogs_(core.GetViolations(), "dialog"),
      items_(core.GetViolations(), "item"),
      lists_(core.GetViolations(), "list"),
      entries_(core.GetViolations(), "entry"),
      notifiers_(core.GetViolations(), "dialog notifier"),
      drawers_(core.GetViolations(), "drawer"),
      trackers_(core.GetViolations(), "tracker"),
      icons_(core.GetViolations(), "icon"),
      screen_(kDefaultScreen) {
    static const host::AdmBasicSuite basic{
        &Forward<&DialogManager::GetIndexString>::Call,
        &Forward<&DialogManager::ErrorAlert>::Call,
        &Forward<&DialogManager::GetScreenDimensions>::Call,
    };
    static const host::AdmDialogSuite dialog{
        &Forward<&DialogManager::DialogCreate>::Call,
        &Forward<&DialogManager::DialogModal>::Call,
        &Forward<&DialogManager::DialogPopupModal>::Call,
        &Forward<&DialogManager::DialogDestroy>::Call,
        &Forward<&DialogManager::Store<&DialogState::userData, kSetUserData>>::Call,
        &Forward<&DialogManager::Load<&DialogState::userData, kGetUserData>>::Call,
        &Forward<&DialogManager::Store<&DialogState::drawProc, kSetDrawProc>>::Call,
        &Forward<&DialogManager::Store<&DialogState::trackProc, kSetTrackProc>>::Call,
        &Forward<&DialogManager::Store<&DialogState::notifyProc, kSetNotifyProc>>::Call,
        &Forward<&DialogManager::Store<&DialogState::destroyProc, kSetDestroyProc>>::Call,
        &Forward<&DialogManager::DialogDefaultDraw>::Call,
        &Forward<&DialogManager::DialogDefaultTrack>::Call,
        &Forward<&DialogManager::DialogDefaultNotify>::Call,
        &Forward<&DialogManager::DialogGetItem>::Call,
        &Forward<&DialogManager::DialogMove>::Call,
        &Forward<&DialogManager::DialogSize>::Call,
        &Forward<&DialogManager::Store<&DialogState::visible, kShow>>::Call,
        &Forward<&DialogManager::Load<&DialogState::visible, kIsVisible>>::Call,
        &Forward<&DialogManager::DialogGetBoundsRect>::Call,
    };
    static const host::AdmDialogGroupSuite group{
        &Forward<&DialogManager::GetDialogGroupInfo>::Call,
        &Forward<&DialogManager::SetDialogGroupInfo>::Call,
    };
    static const host::AdmEntrySuite entry{
        &Forward<&DialogManager::EntrySetText>::Call,
        &Forward<&DialogManager::Store<&EntryState::id, kSetID>>::Call,
        &Forward<&DialogManager::Load<&EntryState::id, kGetID>>::Call,
        &Forward<&DialogManager::EntrySelect>::Call,
    };
    static const host::AdmIconSuite icon{
        &Forward<&DialogManager::IconGetFromResource>::Call,
        &Forward<&DialogManager::IconGetType>::Call,
    };
    static const host::AdmItemSuite item{
        &Forward<&DialogManager::ItemCreate>::Call,
        &Forward<&DialogManager::ItemDestroy>::Call,
        &Forward<&DialogManager::Store<&ItemState::userData, kSetUserData>>::Call,
        &Forward<&DialogManager::Load<&ItemState::userData, kGetUserData>>::Call,
        &Forward<&DialogManager::Store<&ItemState::drawProc, kSetDrawProc>>::Call,
        &Forward<&DialogManager::Store<&ItemState::trackProc, kSetTrackProc>>::Call,
        &Forward<&DialogManager::Store<&ItemState::notifyProc, kSetNotifyProc>>::Call,
        &Forward<&DialogManager::Store<&ItemState::destroyProc, kSetDestroyProc>>::Call,
        &Forward<&DialogManager::Store<&ItemState::textToFloatProc, kSetTextToFloatProc>>::Call,
        &Forward<&DialogManager::Store<&ItemState::floatToTextProc, kSetFloatToTextProc>>::Call,
        &Forward<&DialogManager::ItemDefaultDraw>::Call,
        &Forward<&DialogManager::ItemDefaultTrack>::Call,
        &Forward<&DialogManager::ItemDefaultNotify>::Call,
        &Forward<&DialogManager::ItemDefaultTextToFloat>::Call,
        &Forward<&DialogManager::ItemDefaultFloatToText>::Call,
        &Forward<&DialogManager::ItemSetText>::Call,
        &Forward<&DialogManager::Load<&ItemState::boolean, kGetBooleanValue>>::Call,
        &Forward<&DialogManager::Load<&ItemState::list, kGetList>>::Call,
        &Forward<&DialogManager::ItemGetText>::Call,
        &Forward<&DialogManager::Store<&ItemState::boolean, kSetBooleanValue>>::Call,
        &Forward<&DialogManager::Load<&ItemState::number, kGetFloatValue>>::Call,
        &Forward<&DialogManager::ItemSetFloatValue>::Call,
        &Forward<&DialogManager::ItemNotify>::Call,
    };
    static const host::AdmListSuite list{
        &Forward<&DialogManager::ListNumberOfEntries>::Call,
        &Forward<&DialogManager::ListRemoveEntry>::Call,
        &Forward<&DialogManager::ListInsertEntry>::Call,
        &Forward<&DialogManager::ListGetActiveEntry>::Call,
        &Forward<&DialogManager::ListIndexEntry>::Call,
    };
    static const host::AdmNotifierSuite notifier{
        &Forward<&DialogManager::GetNotifierType>::Call,
    };
    core.Provide(host::kAdmBasicSuite.name, &basic);
    core.Provide(host::kAdmDialogSuite.name, &dialog);
    core.Provide(host::kAdmDialogGroupSuite.name, &group);
    core.Provide(host::kAdmEntrySuite.name, &entry);
    core.Provide(host::kAdmIconSuite.name, &icon);
    core.Provide(host::kAdmItemSuite.name, &item);
    core.Provide(host::kAdmListSuite.name, &list);
    core.Provide(host::kAdmNotifierSuite.name, &notifier);
}

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

bool DialogManager::GetIndexString(host::PluginRef plugin, std::int32_t listId, std::int32_t index,
                                   char* text, std::size_t size) {
    static constexpr std::string_view kFunction = "GetIndexString";
    const bool present = text != nullptr && size > 0;
    const host::Error error = basicCalls_.Enter(kFunction, present);
    const char* found = nullptr;
    host::Module module = nullptr;
    if (error == host::kNoError && core_.FindModule(plugin, basicCalls_.Name(kFunction), &module)) {
        found = FindResourceString(module, std::int64_t{listId} + index);
    }
    if (present) {
        CutToFit(found != nullptr ? found : "", text, size);
    }
    return found != nullptr;
}

void DialogManager::ErrorAlert(const char* text) {
    if (basicCalls_.Enter("ErrorAlert", text != nullptr) == host::kNoError) {
        alerts_.emplace_back(text);
    }
}

void DialogManager::GetScreenDimensions(host::Rect* screen) {
    if (basicCalls_.Enter("GetScreenDimensions", screen != nullptr) == host::kNoError) {
        *screen = screen_;
    }
}

void DialogManager::GetNotifierType(host::AdmNotifier notifier, char* type, std::size_t size) {
    static constexpr std::string_view kFunction = "GetNotifierType";
    const bool present = type != nullptr && size > 0;
    if (notifierCalls_.Enter(kFunction, present) != host::kNoError) {
        return;
    }
    const std::string* found = NotifierTypeOf(notifier, notifierCalls_, kFunction);
    CutToFit(found != nullptr ? *found : "", type, size);
}

host::Icon DialogManager::IconGetFromResource(host::PluginRef plugin, const char* name,
                                              std::int32_t iconId, std::int32_t iconIndex) {
    static constexpr std::string_view kFunction = "GetFromResource";
    host::Module module = nullptr;
    if (iconCalls_.Enter(kFunction, name != nullptr) != host::kNoError ||
        !core_.FindModule(plugin, iconCalls_.Name(kFunction), &module)) {
        return {};
    }
    const M7LResourceIcon* icon = FindIconResource(module, iconId);
    const bool usable = icon != nullptr && iconIndex >= 0 && iconIndex < icon->indexCount;
    return icons_.Issue(usable ? host::kIconTypeResource : host::kIconTypeUnusable);
}

std::int32_t DialogManager::IconGetType(host::Icon icon) {
    const std::int32_t* type = icons_.Find(icon, iconCalls_.Name("GetType"));
    return type != nullptr ? *type : host::kIconTypeUnusable;
}

DialogManager::DialogState* DialogManager::DialogOf(host::Dialog dialog, const SuiteCalls& calls,
                                                    std::string_view function) {
    return Found(dialogs_, dialog, calls.Name(function));
}

DialogManager::DialogState* DialogManager::Lookup(host::Dialog dialog, std::string_view function) {
    return DialogOf(dialog, dialogCalls_, function);
}

DialogManager::ItemState* DialogManager::Lookup(host::Item item, std::string_view function) {
    return Found(items_, item, itemCalls_.Name(function));
}

DialogManager::ListState* DialogManager::Lookup(host::List list, std::string_view function) {
    return Found(lists_, list, listCalls_.Name(function));
}

DialogManager::EntryState* DialogManager::Lookup(host::Entry entry, std::string_view function) {
    return Found(entries_, entry, entryCalls_.Name(function));
}

const std::string* DialogManager::NotifierTypeOf(host::AdmNotifier notifier,
                                                 const SuiteCalls& calls,
                                                 std::string_view function) {
    return notifiers_.Find(notifier, calls.Name(function));
}

DialogManager::DialogState* DialogManager::LiveDialog(host::Dialog dialog) {
    return Peeked(dialogs_, dialog);
}

DialogManager::ItemState* DialogManager::LiveItem(host::Item item) {
    return Peeked(items_, item);
}

void DialogManager::FreeList(host::List list) {
    if (const ListState* state = Peeked(lists_, list)) {
        for (const host::Entry entry : state->entries) {
            entries_.Retire(entry, kHostCall);
        }
        lists_.Retire(list, kHostCall);
    }
}

}  // namespace standin
