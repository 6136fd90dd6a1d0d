// The "ADM" suites: thin adapters over the dialog manager's state.
#include "DialogSuites.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "DialogText.h"
#include "PluginResources.h"

namespace standin {

namespace {

// Names of the suite functions that Store and Load serve.
constexpr char kEnable[] = "Enable";
constexpr char kGetBooleanValue[] = "GetBooleanValue";
constexpr char kGetFloatValue[] = "GetFloatValue";
constexpr char kGetID[] = "GetID";
constexpr char kGetList[] = "GetList";
constexpr char kGetUserData[] = "GetUserData";
constexpr char kIsEnabled[] = "IsEnabled";
constexpr char kIsVisible[] = "IsVisible";
constexpr char kSetBooleanValue[] = "SetBooleanValue";
constexpr char kSetChecked[] = "SetChecked";
constexpr char kSetDestroyProc[] = "SetDestroyProc";
constexpr char kSetDrawProc[] = "SetDrawProc";
constexpr char kSetEntryDrawProc[] = "SetEntryDrawProc";
constexpr char kSetEntryNotifyProc[] = "SetEntryNotifyProc";
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
    return kind >= host::ItemKind::kButton && kind <= host::ItemKind::kPictureToggle;
}

bool IsFont(std::int32_t font) {
    return font == host::kFontDefault || font == host::kFontDialog || font == host::kFontPalette ||
           font == host::kFontPaletteBold;
}

bool IsColor(std::int32_t color) {
    return color == host::kColorForeground || color == host::kColorBackground ||
           color == host::kColorHighlight;
}

// Bounds placed with their top left at (h, v), or sized, keeping the rest.
host::Rect MovedTo(const host::Rect& bounds, std::int32_t h, std::int32_t v) {
    return {h, v, h + bounds.right - bounds.left, v + bounds.bottom - bounds.top};
}

host::Rect SizedTo(const host::Rect& bounds, std::int32_t width, std::int32_t height) {
    return {bounds.left, bounds.top, bounds.left + width, bounds.top + height};
}

std::string SizeText(std::int32_t width, std::int32_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

AdmBasicAdapter::AdmBasicAdapter(DialogManager& manager, HostCore& core)
    : manager_(manager), core_(core), calls_(core, host::kAdmBasicSuite) {
    static const host::AdmBasicSuite suite{
        &Forward<&AdmBasicAdapter::GetIndexString>::Call,
        &Forward<&AdmBasicAdapter::ErrorAlert>::Call,
        &Forward<&AdmBasicAdapter::GetScreenDimensions>::Call,
        &Forward<&AdmBasicAdapter::ValueToString>::Call,
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

host::Error AdmBasicAdapter::ValueToString(float value, std::int32_t units, std::int32_t precision,
                                           bool appendUnit, char* text, std::size_t size) {
    static constexpr std::string_view kFunction = "ValueToString";
    if (const host::Error error = calls_.Enter(kFunction, text != nullptr && size > 0)) {
        return error;
    }
    if (!IsUnits(units) || !IsPrecision(precision)) {
        return calls_.BadArgument(kFunction, "units " + std::to_string(units) + " with precision " +
                                                 std::to_string(precision));
    }
    return SuiteCalls::CopyText(FormatValue(value, units, precision, appendUnit), text, size);
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
        &Forward<&Self::DoModal>::Call,
        &Forward<&Self::EndModal>::Call,
        &Forward<&Self::Update>::Call,
        &Forward<&Self::SetMinWidth>::Call,
        &Forward<&Self::SetMinHeight>::Call,
        &Forward<&Self::GetLocalRect>::Call,
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
    const std::int32_t result = manager_.RunModal(dialog, calls_.Name(function));
    manager_.DestroyLiveDialog(dialog);
    return result;
}

std::int32_t AdmDialogAdapter::DoModal(host::Dialog dialog) {
    static constexpr std::string_view kFunction = "DoModal";
    if (calls_.Enter(kFunction, true) != host::kNoError) {
        return host::kNoDialogItem;
    }
    const State* state = Find(dialog, kFunction);
    if (state == nullptr) {
        return host::kNoDialogItem;
    }
    if (state->running || state->destroying) {
        calls_.BadArgument(kFunction, "dialog \"" + state->name + "\" is " +
                                          (state->running ? "running" : "being destroyed"));
        return host::kNoDialogItem;
    }
    return manager_.RunModal(dialog, calls_.Name(kFunction));
}

void AdmDialogAdapter::EndModal(host::Dialog dialog, std::int32_t itemId, bool cancelled) {
    static constexpr std::string_view kFunction = "EndModal";
    State* state = Find(dialog, kFunction);
    if (state == nullptr) {
        return;
    }
    if (!state->running) {
        calls_.BadArgument(kFunction, "dialog \"" + state->name + "\" is not running modally");
        return;
    }
    state->endItem = itemId;
    state->cancelled = cancelled;
}

void AdmDialogAdapter::Update(host::Dialog dialog) {
    if (Find(dialog, "Update") != nullptr) {
        manager_.Draw(dialog);
    }
}

void AdmDialogAdapter::SetMinWidth(host::Dialog dialog, std::int32_t width) {
    SetMinimum("SetMinWidth", dialog, &State::minWidth, width);
}

void AdmDialogAdapter::SetMinHeight(host::Dialog dialog, std::int32_t height) {
    SetMinimum("SetMinHeight", dialog, &State::minHeight, height);
}

void AdmDialogAdapter::SetMinimum(std::string_view function, host::Dialog dialog,
                                  std::int32_t State::*minimum, std::int32_t size) {
    State* state = Find(dialog, function);
    if (state == nullptr) {
        return;
    }
    if (size < 0) {
        calls_.BadArgument(function, "a negative minimum " + std::to_string(size));
        return;
    }
    state->*minimum = size;
    const host::Rect& bounds = state->bounds;
    manager_.Resize(dialog, bounds.right - bounds.left,
                    bounds.bottom - bounds.top - host::kDialogTitleBarHeight);
}

void AdmDialogAdapter::GetLocalRect(host::Dialog dialog, host::Rect* local) {
    static constexpr std::string_view kFunction = "GetLocalRect";
    if (calls_.Enter(kFunction, local != nullptr) != host::kNoError) {
        return;
    }
    if (const State* state = Find(dialog, kFunction)) {
        const host::Rect& bounds = state->bounds;
        *local = {0, 0, bounds.right - bounds.left,
                  bounds.bottom - bounds.top - host::kDialogTitleBarHeight};
    }
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
        calls_.BadArgument(kFunction, "modal dialog \"" + state->name + "\" is running");
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
        state->bounds = MovedTo(state->bounds, h, v);
    }
}

void AdmDialogAdapter::Size(host::Dialog dialog, std::int32_t width, std::int32_t height) {
    static constexpr std::string_view kFunction = "Size";
    if (Find(dialog, kFunction) == nullptr) {
        return;
    }
    if (width < 0 || height < 0) {
        calls_.BadArgument(kFunction, "a negative size " + SizeText(width, height));
        return;
    }
    manager_.Resize(dialog, width, height);
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
        &Forward<&Self::Store<&State::enabled, kEnable>>::Call,
        &Forward<&Self::Load<&State::enabled, kIsEnabled>>::Call,
        &Forward<&Self::Store<&State::visible, kShow>>::Call,
        &Forward<&Self::Load<&State::visible, kIsVisible>>::Call,
        &Forward<&Self::SetFont>::Call,
        &Forward<&Self::SetPrecision>::Call,
        &Forward<&Self::SetUnits>::Call,
        &Forward<&Self::SetUnitEntry>::Call,
        &Forward<&Self::SetTipString>::Call,
        &Forward<&Self::SetPictureID>::Call,
        &Forward<&Self::GetIntegerValue>::Call,
        &Forward<&Self::SetIntegerValue>::Call,
        &Forward<&Self::Invalidate>::Call,
        &Forward<&Self::GetBoundsRect>::Call,
        &Forward<&Self::Move>::Call,
        &Forward<&Self::Size>::Call,
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
    const host::Item item =
        manager_.AddItem(*state, {itemId, kind, "", *bounds, 0, 0, host::kUnitsNone, 0});
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
    if (state == nullptr || manager_.drawers_.Find(drawer, calls_.Name(kFunction)) == nullptr) {
        return;
    }
    ++state->defaults.draw;
    if (state->kind == host::ItemKind::kListBox) {
        manager_.DrawEntries(item);
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
        dialog->cancelled = state->id == host::kCancelItem;
    }
}

bool AdmItemAdapter::DefaultTextToFloat(host::Item item, const char* text, float* value) {
    static constexpr std::string_view kFunction = "DefaultTextToFloat";
    if (calls_.Enter(kFunction, text != nullptr && value != nullptr) != host::kNoError) {
        return false;
    }
    const State* state = Find(item, kFunction);
    if (state == nullptr) {
        return false;
    }
    const std::optional<float> number = ParseValue(text, state->units, state->unitEntry);
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
    return state != nullptr && SuiteCalls::CopyText(FormatValue(value, state->units,
                                                                state->precision, state->unitEntry),
                                                    text, size) == host::kNoError;
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

template <auto Field>
void AdmItemAdapter::SetShown(std::string_view function, host::Item item,
                              typename RecordField<decltype(Field)>::Type value) {
    State* state = Find(item, function);
    if (state == nullptr) {
        return;
    }
    state->*Field = value;
    if (DialogManager::ShowsNumber(state->kind)) {
        manager_.ShowNumber(item);
    }
}

void AdmItemAdapter::SetFloatValue(host::Item item, float value) {
    SetShown<&State::number>("SetFloatValue", item, value);
}

void AdmItemAdapter::SetIntegerValue(host::Item item, std::int32_t value) {
    SetShown<&State::number>("SetIntegerValue", item, static_cast<float>(value));
}

std::int32_t AdmItemAdapter::GetIntegerValue(host::Item item) {
    const State* state = Find(item, "GetIntegerValue");
    if (state == nullptr) {
        return 0;
    }
    constexpr double kLowest = std::numeric_limits<std::int32_t>::lowest();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(
        std::lround(std::clamp(static_cast<double>(state->number), kLowest, kHighest)));
}

void AdmItemAdapter::SetPrecision(host::Item item, std::int32_t precision) {
    static constexpr std::string_view kFunction = "SetPrecision";
    if (!IsPrecision(precision)) {
        calls_.BadArgument(kFunction, "precision " + std::to_string(precision));
        return;
    }
    SetShown<&State::precision>(kFunction, item, precision);
}

void AdmItemAdapter::SetUnits(host::Item item, std::int32_t units) {
    static constexpr std::string_view kFunction = "SetUnits";
    if (!IsUnits(units)) {
        calls_.BadArgument(kFunction, "units " + std::to_string(units));
        return;
    }
    SetShown<&State::units>(kFunction, item, units);
}

void AdmItemAdapter::SetUnitEntry(host::Item item, bool unitEntry) {
    SetShown<&State::unitEntry>("SetUnitEntry", item, unitEntry);
}

void AdmItemAdapter::SetFont(host::Item item, std::int32_t font) {
    static constexpr std::string_view kFunction = "SetFont";
    State* state = Find(item, kFunction);
    if (state == nullptr) {
        return;
    }
    if (!IsFont(font)) {
        calls_.BadArgument(kFunction, "font " + std::to_string(font));
        return;
    }
    state->font = font;
}

void AdmItemAdapter::SetTipString(host::Item item, const char* tip) {
    static constexpr std::string_view kFunction = "SetTipString";
    if (calls_.Enter(kFunction, tip != nullptr) != host::kNoError) {
        return;
    }
    if (State* state = Find(item, kFunction)) {
        state->tip = tip;
    }
}

void AdmItemAdapter::SetPictureID(host::Item item, std::int32_t iconId) {
    static constexpr std::string_view kFunction = "SetPictureID";
    State* state = Find(item, kFunction);
    if (state == nullptr) {
        return;
    }
    const DialogManager::DialogState* dialog = manager_.LiveDialog(state->dialog);
    if (!DialogManager::ShowsPicture(state->kind)) {
        calls_.BadArgument(kFunction, "item " + std::to_string(state->id) + " shows no picture");
    } else if (FindIconResource(dialog->module, iconId) == nullptr) {
        calls_.BadArgument(kFunction,
                           "icon " + std::to_string(iconId) + " is not in the plug-in's resources");
    } else {
        state->picture = iconId;
    }
}

void AdmItemAdapter::Invalidate(host::Item item) {
    if (State* state = Find(item, "Invalidate")) {
        state->invalid = true;
    }
}

void AdmItemAdapter::GetBoundsRect(host::Item item, host::Rect* bounds) {
    static constexpr std::string_view kFunction = "GetBoundsRect";
    if (calls_.Enter(kFunction, bounds != nullptr) != host::kNoError) {
        return;
    }
    if (const State* state = Find(item, kFunction)) {
        *bounds = state->bounds;
    }
}

void AdmItemAdapter::Move(host::Item item, std::int32_t h, std::int32_t v) {
    if (State* state = Find(item, "Move")) {
        state->bounds = MovedTo(state->bounds, h, v);
    }
}

void AdmItemAdapter::Size(host::Item item, std::int32_t width, std::int32_t height) {
    static constexpr std::string_view kFunction = "Size";
    State* state = Find(item, kFunction);
    if (state == nullptr) {
        return;
    }
    if (width < 0 || height < 0) {
        calls_.BadArgument(kFunction, "a negative size " + SizeText(width, height));
        return;
    }
    state->bounds = SizedTo(state->bounds, width, height);
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
    using Self = AdmListAdapter;
    static const host::AdmListSuite suite{
        &Forward<&Self::NumberOfEntries>::Call,
        &Forward<&Self::RemoveEntry>::Call,
        &Forward<&Self::InsertEntry>::Call,
        &Forward<&Self::GetActiveEntry>::Call,
        &Forward<&Self::IndexEntry>::Call,
        &Forward<&Self::LoadMenu>::Call,
        &Forward<&Self::FindEntry>::Call,
        &Forward<&Self::SetEntryHeight>::Call,
        &Forward<&Self::Store<&State::entryDrawProc, kSetEntryDrawProc>>::Call,
        &Forward<&Self::Store<&State::entryNotifyProc, kSetEntryNotifyProc>>::Call,
    };
    core.Provide(host::kAdmListSuite.name, &suite);
}

AdmListAdapter::State* AdmListAdapter::Find(host::List list, std::string_view function) {
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
    const host::Entry entry = manager_.entries_.Issue(std::make_unique<DialogManager::EntryState>(
        DialogManager::EntryState{.list = list, .text = {}, .drawn = {}}));
    if (!entry) {
        return {};
    }
    state->entries.insert(state->entries.begin() + index, entry);
    if (state->popup && !state->active) {
        state->active = entry;
    }
    if (manager_.watchEntries_) {
        manager_.watchEntries_(state->item, state->entries.size());
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

host::Error AdmListAdapter::LoadMenu(host::List list, host::PluginRef plugin, std::int32_t menuId) {
    static constexpr std::string_view kFunction = "LoadMenu";
    if (const host::Error error = calls_.Enter(kFunction, true)) {
        return error;
    }
    State* state = Find(list, kFunction);
    host::Module module = nullptr;
    if (state == nullptr || !manager_.core_.FindModule(plugin, calls_.Name(kFunction), &module)) {
        return host::kErrorBadHandle;
    }
    const M7LResourceMenu* menu = FindMenuResource(module, menuId);
    if (menu == nullptr) {
        return host::kErrorNotFound;
    }
    manager_.LoadEntries(*state, list, *menu);
    return host::kNoError;
}

host::Entry AdmListAdapter::FindEntry(host::List list, std::int32_t id) {
    const State* state = Find(list, "FindEntry");
    if (state == nullptr) {
        return {};
    }
    const auto found =
        std::find_if(state->entries.begin(), state->entries.end(),
                     [this, id](host::Entry entry) { return manager_.LiveEntry(entry)->id == id; });
    return found != state->entries.end() ? *found : host::Entry{};
}

void AdmListAdapter::SetEntryHeight(host::List list, std::int32_t height) {
    static constexpr std::string_view kFunction = "SetEntryHeight";
    State* state = Find(list, kFunction);
    if (state == nullptr) {
        return;
    }
    if (height <= 0) {
        calls_.BadArgument(kFunction, "entry height " + std::to_string(height));
        return;
    }
    state->entryHeight = height;
}

AdmEntryAdapter::AdmEntryAdapter(DialogManager& manager, HostCore& core)
    : manager_(manager), calls_(core, host::kAdmEntrySuite) {
    using Self = AdmEntryAdapter;
    static const host::AdmEntrySuite suite{
        &Forward<&Self::SetText>::Call,
        &Forward<&Self::Store<&State::id, kSetID>>::Call,
        &Forward<&Self::Load<&State::id, kGetID>>::Call,
        &Forward<&Self::Select>::Call,
        &Forward<&Self::GetIndex>::Call,
        &Forward<&Self::Store<&State::userData, kSetUserData>>::Call,
        &Forward<&Self::Load<&State::userData, kGetUserData>>::Call,
        &Forward<&Self::Store<&State::checked, kSetChecked>>::Call,
        &Forward<&Self::Store<&State::enabled, kEnable>>::Call,
        &Forward<&Self::GetLocalRect>::Call,
        &Forward<&Self::DefaultNotify>::Call,
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

std::int32_t AdmEntryAdapter::GetIndex(host::Entry entry) {
    const State* state = Find(entry, "GetIndex");
    if (state == nullptr) {
        return -1;
    }
    const std::vector<host::Entry>& entries = manager_.LiveList(state->list)->entries;
    return static_cast<std::int32_t>(std::find(entries.begin(), entries.end(), entry) -
                                     entries.begin());
}

void AdmEntryAdapter::GetLocalRect(host::Entry entry, host::Rect* local) {
    static constexpr std::string_view kFunction = "GetLocalRect";
    if (calls_.Enter(kFunction, local != nullptr) != host::kNoError) {
        return;
    }
    if (const State* state = Find(entry, kFunction)) {
        *local = manager_.EntryRect(*state);
    }
}

void AdmEntryAdapter::DefaultNotify(host::Entry entry, host::AdmNotifier notifier) {
    static constexpr std::string_view kFunction = "DefaultNotify";
    const State* state = Find(entry, kFunction);
    if (state == nullptr || manager_.notifiers_.Find(notifier, calls_.Name(kFunction)) == nullptr) {
        return;
    }
    const host::Item item = manager_.LiveList(state->list)->item;
    DialogManager::Run(manager_.LiveItem(item)->notifyProc, manager_.suites_->item,
                       &AdmItemAdapter::DefaultNotify, item, notifier);
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
    return manager_.icons_.Issue(
        {usable ? host::kIconTypeResource : host::kIconTypeUnusable, iconId});
}

std::int32_t AdmIconAdapter::GetType(host::Icon icon) {
    const DialogManager::IconState* state = manager_.icons_.Find(icon, calls_.Name("GetType"));
    return state != nullptr ? state->type : host::kIconTypeUnusable;
}

AdmDrawerAdapter::AdmDrawerAdapter(DialogManager& manager, HostCore& core)
    : manager_(manager), calls_(core, host::kAdmDrawerSuite) {
    using Self = AdmDrawerAdapter;
    static const host::AdmDrawerSuite suite{
        &Forward<&Self::SetColor>::Call, &Forward<&Self::SetFont>::Call,
        &Forward<&Self::FillRect>::Call, &Forward<&Self::DrawTextInRect>::Call,
        &Forward<&Self::DrawLine>::Call, &Forward<&Self::DrawIcon>::Call,
    };
    core.Provide(host::kAdmDrawerSuite.name, &suite);
}

void AdmDrawerAdapter::Record(std::string_view function, host::Drawer drawer, bool argumentsPresent,
                              const std::string& line) {
    if (calls_.Enter(function, argumentsPresent) != host::kNoError) {
        return;
    }
    if (std::vector<std::string>* drawn = manager_.drawers_.Find(drawer, calls_.Name(function))) {
        drawn->push_back(line);
    }
}

void AdmDrawerAdapter::SetColor(host::Drawer drawer, std::int32_t color) {
    static constexpr std::string_view kFunction = "SetColor";
    if (!IsColor(color)) {
        calls_.BadArgument(kFunction, "color " + std::to_string(color));
        return;
    }
    Record(kFunction, drawer, true, "color " + std::to_string(color));
}

void AdmDrawerAdapter::SetFont(host::Drawer drawer, std::int32_t font) {
    static constexpr std::string_view kFunction = "SetFont";
    if (!IsFont(font)) {
        calls_.BadArgument(kFunction, "font " + std::to_string(font));
        return;
    }
    Record(kFunction, drawer, true, "font " + std::to_string(font));
}

void AdmDrawerAdapter::FillRect(host::Drawer drawer, const host::Rect* rect) {
    Record("FillRect", drawer, rect != nullptr, rect != nullptr ? "fill " + RectText(*rect) : "");
}

void AdmDrawerAdapter::DrawTextInRect(host::Drawer drawer, const host::Rect* rect,
                                      const char* text) {
    const bool present = rect != nullptr && text != nullptr;
    Record("DrawTextInRect", drawer, present,
           present ? "text " + RectText(*rect) + " " + text : "");
}

void AdmDrawerAdapter::DrawLine(host::Drawer drawer, host::Point from, host::Point to) {
    Record("DrawLine", drawer, true, "line " + RectText({from.h, from.v, to.h, to.v}));
}

void AdmDrawerAdapter::DrawIcon(host::Drawer drawer, host::Icon icon, host::Point at) {
    static constexpr std::string_view kFunction = "DrawIcon";
    const DialogManager::IconState* state = manager_.icons_.Find(icon, calls_.Name(kFunction));
    // An icon that cannot be shown draws nothing.
    if (state != nullptr && state->type == host::kIconTypeResource) {
        Record(kFunction, drawer, true,
               "icon " + std::to_string(state->id) + " " + std::to_string(at.h) + " " +
                   std::to_string(at.v));
    }
}

AdmTrackerAdapter::AdmTrackerAdapter(DialogManager& manager, HostCore& core)
    : manager_(manager), calls_(core, host::kAdmTrackerSuite) {
    static const host::AdmTrackerSuite suite{
        &Forward<&AdmTrackerAdapter::TestModifier>::Call,
    };
    core.Provide(host::kAdmTrackerSuite.name, &suite);
}

bool AdmTrackerAdapter::TestModifier(host::Tracker tracker, std::int32_t modifier) {
    if (tracker && manager_.trackers_.Find(tracker, calls_.Name("TestModifier")) == nullptr) {
        return false;
    }
    return (manager_.modifiers_ & modifier) != 0;
}

}  // namespace standin
