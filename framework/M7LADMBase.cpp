#include "M7LADMBase.h"

#include "M7LGuarded.h"
#include "M7LSuiteTable.h"

void IADMDialog::Move(std::int32_t h, std::int32_t v) const {
    sAdmDialog->Move(dialog_, h, v);
}

void IADMDialog::Size(std::int32_t width, std::int32_t height) const {
    sAdmDialog->Size(dialog_, width, height);
}

void IADMDialog::Show(bool show) const {
    sAdmDialog->Show(dialog_, show);
}

bool IADMDialog::IsVisible() const {
    return sAdmDialog->IsVisible(dialog_);
}

host::Rect IADMDialog::GetBoundsRect() const {
    host::Rect bounds{};
    sAdmDialog->GetBoundsRect(dialog_, &bounds);
    return bounds;
}

host::Item IADMDialog::GetItem(std::int32_t itemId) const {
    return sAdmDialog->GetItem(dialog_, itemId);
}

BaseADMDialog::~BaseADMDialog() {
    if (dialog_ && !modal_ && sAdmDialog != nullptr) {
        Unhook(dialog_);
        sAdmDialog->Destroy(dialog_);
        dialog_ = {};
    }
}

host::Error BaseADMDialog::Init() {
    sAdmDialog->SetDrawProc(dialog_, &DrawProc);
    sAdmDialog->SetTrackProc(dialog_, &TrackProc);
    sAdmDialog->SetNotifyProc(dialog_, &NotifyProc);
    sAdmDialog->SetDestroyProc(dialog_, &DestroyProc);
    return host::kNoError;
}

void BaseADMDialog::Draw(host::Drawer drawer) {
    sAdmDialog->DefaultDraw(dialog_, drawer);
}

bool BaseADMDialog::Track(host::Tracker tracker) {
    return sAdmDialog->DefaultTrack(dialog_, tracker);
}

void BaseADMDialog::Notify(host::AdmNotifier notifier) {
    sAdmDialog->DefaultNotify(dialog_, notifier);
}

void BaseADMDialog::Destroy() {}

void BaseADMDialog::Create(host::PluginRef plugin, const char* name, std::int32_t resourceId,
                           std::int32_t style, std::int32_t options) {
    dialog_ = sAdmDialog->Create(plugin, name, resourceId, style, &InitProc, this, options);
}

std::int32_t BaseADMDialog::Modal(host::PluginRef plugin, const char* name, std::int32_t resourceId,
                                  std::int32_t style, std::int32_t options) {
    modal_ = true;
    return sAdmDialog->Modal(plugin, name, resourceId, style, &InitProc, this, options);
}

std::int32_t BaseADMDialog::PopupModal(host::PluginRef plugin, const char* name,
                                       std::int32_t resourceId, std::int32_t options) {
    modal_ = true;
    return sAdmDialog->PopupModal(plugin, name, resourceId, &InitProc, this, options);
}

BaseADMDialog* BaseADMDialog::ObjectOf(host::Dialog dialog) {
    return static_cast<BaseADMDialog*>(sAdmDialog->GetUserData(dialog));
}

void BaseADMDialog::Unhook(host::Dialog dialog) {
    sAdmDialog->SetUserData(dialog, nullptr);
    sAdmDialog->SetDrawProc(dialog, nullptr);
    sAdmDialog->SetTrackProc(dialog, nullptr);
    sAdmDialog->SetNotifyProc(dialog, nullptr);
    sAdmDialog->SetDestroyProc(dialog, nullptr);
}

host::Error BaseADMDialog::InitProc(host::Dialog dialog) {
    BaseADMDialog* object = ObjectOf(dialog);
    if (object == nullptr) {
        return host::kNoError;
    }
    object->dialog_ = dialog;
    const host::Error error = Guarded([object] { return object->Init(); });
    if (error != host::kNoError) {
        // The host destroys the dialog while its creator still runs: the
        // object must neither be deleted by that nor keep the dialog.
        Unhook(dialog);
        object->dialog_ = {};
    }
    return error;
}

void BaseADMDialog::DrawProc(host::Dialog dialog, host::Drawer drawer) {
    BaseADMDialog* object = ObjectOf(dialog);
    if (object != nullptr && object->dialog_ == dialog) {
        GuardedProc([=] { object->Draw(drawer); });
    }
}

bool BaseADMDialog::TrackProc(host::Dialog dialog, host::Tracker tracker) {
    BaseADMDialog* object = ObjectOf(dialog);
    return object != nullptr && object->dialog_ == dialog &&
           GuardedProc(false, [=] { return object->Track(tracker); });
}

void BaseADMDialog::NotifyProc(host::Dialog dialog, host::AdmNotifier notifier) {
    if (BaseADMDialog* object = ObjectOf(dialog)) {
        GuardedProc([=] { object->Notify(notifier); });
    }
}

void BaseADMDialog::DestroyProc(host::Dialog dialog) {
    BaseADMDialog* object = ObjectOf(dialog);
    if (object == nullptr) {
        return;
    }
    GuardedProc([object] { object->Destroy(); });
    // The host frees the dialog when this returns; forgotten first, the
    // destructor does not destroy it a second time.
    object->dialog_ = {};
    if (!object->modal_) {
        delete object;
    }
}

BaseADMItem::BaseADMItem(host::Item item) {
    item_ = item;
    Bind();
}

BaseADMItem::~BaseADMItem() {
    if (item_ && sAdmItem != nullptr) {
        Unbind();
        sAdmItem->Destroy(item_);
    }
    item_ = {};
}

host::Error BaseADMItem::Init() {
    return host::kNoError;
}

void BaseADMItem::DefaultDraw(host::Drawer drawer) {
    sAdmItem->DefaultDraw(item_, drawer);
}

bool BaseADMItem::Track(host::Tracker tracker) {
    return sAdmItem->DefaultTrack(item_, tracker);
}

void BaseADMItem::Notify(host::AdmNotifier notifier) {
    sAdmItem->DefaultNotify(item_, notifier);
}

bool BaseADMItem::TextToValue(const char* text, float* value) {
    return sAdmItem->DefaultTextToFloat(item_, text, value);
}

bool BaseADMItem::ValueToText(float value, char* text, std::size_t size) {
    return sAdmItem->DefaultFloatToText(item_, value, text, size);
}

void BaseADMItem::Draw(host::Drawer drawer) {
    DefaultDraw(drawer);
}

void BaseADMItem::Create(host::Dialog dialog, std::int32_t itemId, host::ItemKind kind,
                         const host::Rect& bounds) {
    item_ = sAdmItem->Create(dialog, itemId, kind, &bounds, &InitProc, this);
}

BaseADMItem* BaseADMItem::ObjectOf(host::Item item) {
    return static_cast<BaseADMItem*>(sAdmItem->GetUserData(item));
}

void BaseADMItem::Bind() {
    if (!item_ || sAdmItem == nullptr) {
        return;
    }
    sAdmItem->SetUserData(item_, this);
    sAdmItem->SetDrawProc(item_, &DrawProc);
    sAdmItem->SetTrackProc(item_, &TrackProc);
    sAdmItem->SetNotifyProc(item_, &NotifyProc);
    sAdmItem->SetDestroyProc(item_, &DestroyProc);
    sAdmItem->SetTextToFloatProc(item_, &TextToFloatProc);
    sAdmItem->SetFloatToTextProc(item_, &FloatToTextProc);
}

void BaseADMItem::Unbind() {
    sAdmItem->SetUserData(item_, nullptr);
    sAdmItem->SetDrawProc(item_, nullptr);
    sAdmItem->SetTrackProc(item_, nullptr);
    sAdmItem->SetNotifyProc(item_, nullptr);
    sAdmItem->SetDestroyProc(item_, nullptr);
    sAdmItem->SetTextToFloatProc(item_, nullptr);
    sAdmItem->SetFloatToTextProc(item_, nullptr);
}

host::Error BaseADMItem::InitProc(host::Item item) {
    BaseADMItem* object = ObjectOf(item);
    if (object == nullptr) {
        return host::kNoError;
    }
    object->item_ = item;
    object->Bind();
    const host::Error error = Guarded([object] { return object->Init(); });
    if (error != host::kNoError) {
        // The host destroys the item while its creator still runs.
        object->Unbind();
        object->item_ = {};
    }
    return error;
}

void BaseADMItem::DrawProc(host::Item item, host::Drawer drawer) {
    if (BaseADMItem* object = ObjectOf(item)) {
        GuardedProc([=] { object->Draw(drawer); });
    }
}

bool BaseADMItem::TrackProc(host::Item item, host::Tracker tracker) {
    BaseADMItem* object = ObjectOf(item);
    return object != nullptr && GuardedProc(false, [=] { return object->Track(tracker); });
}

void BaseADMItem::NotifyProc(host::Item item, host::AdmNotifier notifier) {
    if (BaseADMItem* object = ObjectOf(item)) {
        GuardedProc([=] { object->Notify(notifier); });
    }
}

void BaseADMItem::DestroyProc(host::Item item) {
    BaseADMItem* object = ObjectOf(item);
    if (object == nullptr) {
        return;
    }
    // The host frees the item when this returns; forgotten first, the
    // destructor does not destroy it a second time.
    object->item_ = {};
    delete object;
}

bool BaseADMItem::TextToFloatProc(host::Item item, const char* text, float* value) {
    BaseADMItem* object = ObjectOf(item);
    return object != nullptr &&
           GuardedProc(false, [=] { return object->TextToValue(text, value); });
}

bool BaseADMItem::FloatToTextProc(host::Item item, float value, char* text, std::size_t size) {
    BaseADMItem* object = ObjectOf(item);
    return object != nullptr &&
           GuardedProc(false, [=] { return object->ValueToText(value, text, size); });
}
