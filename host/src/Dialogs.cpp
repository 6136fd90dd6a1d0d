// "ADM Dialog Suite" and "ADM Dialog Group Suite": dialogs built from the
// plug-in's templates, their placement and docking, and their destruction.
#include <iterator>
#include <optional>
#include <utility>

#include "DialogManager.h"
#include "DialogText.h"
#include "PluginResources.h"

namespace standin {

namespace {

// Where a new dialog opens before the plug-in places it.
constexpr std::int32_t kInitialLeft = 0;
constexpr std::int32_t kInitialTop = 0;

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

}  // namespace

host::Dialog DialogManager::DialogCreate(host::PluginRef plugin, const char* name,
                                         std::int32_t resourceId, std::int32_t style,
                                         host::DialogInitProc init, void* userData,
                                         std::int32_t /*options*/) {
    return MakeDialog(dialogCalls_, "Create",
                      {plugin, name, resourceId, style, init, userData, false});
}

std::int32_t DialogManager::DialogModal(host::PluginRef plugin, const char* name,
                                        std::int32_t resourceId, std::int32_t style,
                                        host::DialogInitProc init, void* userData,
                                        std::int32_t /*options*/) {
    return RunModal(dialogCalls_, "Modal", {plugin, name, resourceId, style, init, userData, true});
}

std::int32_t DialogManager::DialogPopupModal(host::PluginRef plugin, const char* name,
                                             std::int32_t resourceId, host::DialogInitProc init,
                                             void* userData, std::int32_t /*options*/) {
    return RunModal(dialogCalls_, "PopupModal",
                    {plugin, name, resourceId, 0, init, userData, true});
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

void DialogManager::DialogDestroy(host::Dialog dialog) {
    static constexpr std::string_view kFunction = "Destroy";
    const DialogState* state = LiveDialog(dialog);
    if (state == nullptr) {
        // Records a double, stale or foreign destroy as what it is.
        dialogs_.Retire(dialog, dialogCalls_.Name(kFunction));
        return;
    }
    if (state->destroying) {
        core_.GetViolations().Record(ViolationKind::kNestedDestroy, dialogCalls_.Name(kFunction),
                                     "dialog \"" + state->name + "\" is being destroyed");
    } else if (state->running) {
        dialogCalls_.BadArgument(kFunction, "modal dialog \"" + state->name +
                                                "\" is running; the host destroys it when it ends");
    } else {
        DestroyLiveDialog(dialog);
    }
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

bool DialogManager::Close(host::Dialog dialog) {
    const DialogState* state = LiveDialog(dialog);
    if (state == nullptr || state->destroying || state->running) {
        return false;
    }
    DestroyLiveDialog(dialog);
    return true;
}

void DialogManager::DialogDefaultDraw(host::Dialog dialog, host::Drawer drawer) {
    static constexpr std::string_view kFunction = "DefaultDraw";
    DialogState* state = DialogOf(dialog, dialogCalls_, kFunction);
    if (state != nullptr && drawers_.Find(drawer, dialogCalls_.Name(kFunction)) != nullptr) {
        ++state->defaults.draw;
    }
}

bool DialogManager::DialogDefaultTrack(host::Dialog dialog, host::Tracker tracker) {
    static constexpr std::string_view kFunction = "DefaultTrack";
    DialogState* state = DialogOf(dialog, dialogCalls_, kFunction);
    if (state != nullptr && trackers_.Find(tracker, dialogCalls_.Name(kFunction)) != nullptr) {
        ++state->defaults.track;
    }
    return kDefaultTrackAnswer;
}

void DialogManager::DialogDefaultNotify(host::Dialog dialog, host::AdmNotifier notifier) {
    static constexpr std::string_view kFunction = "DefaultNotify";
    DialogState* state = DialogOf(dialog, dialogCalls_, kFunction);
    if (state != nullptr && NotifierTypeOf(notifier, dialogCalls_, kFunction) != nullptr) {
        ++state->defaults.notify;
    }
}

host::Item DialogManager::DialogGetItem(host::Dialog dialog, std::int32_t itemId) {
    const DialogState* state = DialogOf(dialog, dialogCalls_, "GetItem");
    if (state == nullptr) {
        return {};
    }
    const auto found = state->items.find(itemId);
    return found != state->items.end() ? found->second : host::Item{};
}

void DialogManager::DialogMove(host::Dialog dialog, std::int32_t h, std::int32_t v) {
    if (DialogState* state = DialogOf(dialog, dialogCalls_, "Move")) {
        host::Rect& bounds = state->bounds;
        bounds = {h, v, h + bounds.right - bounds.left, v + bounds.bottom - bounds.top};
    }
}

void DialogManager::DialogSize(host::Dialog dialog, std::int32_t width, std::int32_t height) {
    static constexpr std::string_view kFunction = "Size";
    DialogState* state = DialogOf(dialog, dialogCalls_, kFunction);
    if (state == nullptr) {
        return;
    }
    if (width < 0 || height < 0) {
        dialogCalls_.BadArgument(
            kFunction, "a negative size " + std::to_string(width) + " x " + std::to_string(height));
        return;
    }
    state->bounds.right = state->bounds.left + width;
    state->bounds.bottom = state->bounds.top + height + host::kDialogTitleBarHeight;
}

void DialogManager::DialogGetBoundsRect(host::Dialog dialog, host::Rect* bounds) {
    static constexpr std::string_view kFunction = "GetBoundsRect";
    if (dialogCalls_.Enter(kFunction, bounds != nullptr) != host::kNoError) {
        return;
    }
    if (const DialogState* state = DialogOf(dialog, dialogCalls_, kFunction)) {
        *bounds = state->bounds;
    }
}

host::Error DialogManager::GetDialogGroupInfo(host::Dialog dialog, char* groupName,
                                              std::size_t size, std::int32_t* dockCode) {
    static constexpr std::string_view kFunction = "GetDialogGroupInfo";
    if (const host::Error error =
            groupCalls_.Enter(kFunction, groupName != nullptr && dockCode != nullptr)) {
        return error;
    }
    const DialogState* state = DialogOf(dialog, groupCalls_, kFunction);
    if (state == nullptr) {
        return host::kErrorBadHandle;
    }
    if (state->dockCode == host::kDockCodeUndocked && failUndockedQuery_) {
        return host::kErrorNotFound;
    }
    if (const host::Error error = SuiteCalls::CopyText(state->dockGroup, groupName, size)) {
        return error;
    }
    *dockCode = state->dockCode;
    return host::kNoError;
}

host::Error DialogManager::SetDialogGroupInfo(host::Dialog dialog, const char* groupName,
                                              std::int32_t dockCode) {
    static constexpr std::string_view kFunction = "SetDialogGroupInfo";
    if (const host::Error error = groupCalls_.Enter(kFunction, groupName != nullptr)) {
        return error;
    }
    DialogState* state = DialogOf(dialog, groupCalls_, kFunction);
    if (state == nullptr) {
        return host::kErrorBadHandle;
    }
    state->dockGroup = groupName;
    state->dockCode = dockCode;
    return host::kNoError;
}

bool DialogManager::NotifyDialog(host::Dialog dialog, std::string_view type) {
    const DialogState* state = LiveDialog(dialog);
    if (state != nullptr) {
        RunWith(notifiers_, std::string(type), state->notifyProc,
                &DialogManager::DialogDefaultNotify, dialog);
    }
    return state != nullptr;
}

bool DialogManager::SendDialogNotifier(host::Dialog dialog, std::string_view type) {
    return NotifyDialog(dialog, type);
}

bool DialogManager::Draw(host::Dialog dialog) {
    const DialogState* state = LiveDialog(dialog);
    if (state == nullptr) {
        return false;
    }
    const host::Drawer drawer = drawers_.Issue(0);
    Run(state->drawProc, &DialogManager::DialogDefaultDraw, dialog, drawer);
    ForEachItem(dialog, [this, drawer](const ItemState& item) {
        Run(item.drawProc, &DialogManager::ItemDefaultDraw, item.handle, drawer);
    });
    drawers_.Retire(drawer, kHostCall);
    return true;
}

std::optional<bool> DialogManager::TrackDialog(host::Dialog dialog) {
    const DialogState* state = LiveDialog(dialog);
    if (state == nullptr) {
        return std::nullopt;
    }
    return RunWith(trackers_, 0, state->trackProc, &DialogManager::DialogDefaultTrack, dialog);
}

}  // namespace standin
