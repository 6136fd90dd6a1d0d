#include "BarcodeDialogItem.h"

#include <cstddef>

#include "BarcodeDialog.h"
#include "M7LPluginMain.h"
#include "M7LSuiteTable.h"

namespace {

constexpr std::size_t kNotifierTypeBytes = 256;
constexpr std::size_t kTipBytes = 256;
constexpr std::int32_t kNoUserValue = 0;

}  // namespace

BarcodeDialogItem::BarcodeDialogItem(std::int32_t itemId, BarcodeDialog* palette)
    : M7LBaseADMItem(ItemOf(palette, itemId), palette, kNoUserValue), palette_(palette) {}

bool BarcodeDialogItem::IsNotifier(host::AdmNotifier notifier, const char* type) {
    char read[kNotifierTypeBytes] = {};
    sAdmNotifier->GetNotifierType(notifier, read, sizeof read);
    return sSpBasic->IsEqual(read, type);
}

void BarcodeDialogItem::SetTip(std::int32_t tipIndex) const {
    char tip[kTipBytes];
    if (sAdmBasic->GetIndexString(gPluginRef, kTipList, tipIndex, tip, sizeof tip)) {
        sAdmItem->SetTipString(GetItem(), tip);
    }
}

void BarcodeDialogItem::Enable(bool enable) const {
    sAdmItem->Enable(GetItem(), enable);
}

void BarcodeDialogItem::ShowBoolean(bool value) const {
    sAdmItem->SetBooleanValue(GetItem(), value);
}

bool BarcodeDialogItem::GetBoolean() const {
    return sAdmItem->GetBooleanValue(GetItem());
}

float BarcodeDialogItem::GetNumber() const {
    return sAdmItem->GetFloatValue(GetItem());
}

void BarcodeDialogItem::ShowNumber(double value) const {
    sAdmItem->SetFloatValue(GetItem(), static_cast<float>(value));
}

BarcodeWarningField::BarcodeWarningField(std::int32_t itemId, BarcodeDialog* palette,
                                         std::int32_t warningItemId, bool warningShown)
    : BarcodeProcessorItem(itemId, palette),
      warningItemId_(warningItemId),
      warningShown_(warningShown) {
    sAdmItem->Show(ItemOf(palette, warningItemId_), warningShown_);
}

void BarcodeWarningField::UpdateWarning() {
    if (GetProcessor() != nullptr) {
        ShowWarning(!IsValueValid());
    }
}

void BarcodeWarningField::ShowWarning(bool invalid) {
    if (invalid != warningShown_) {
        warningShown_ = invalid;
        sAdmItem->Show(ItemOf(GetDialog(), warningItemId_), invalid);
    }
}

BarcodeNumberField::BarcodeNumberField(std::int32_t itemId, BarcodeDialog* palette,
                                       std::int32_t warningItemId, const Binding& binding)
    : BarcodeWarningField(itemId, palette, warningItemId, false), binding_(binding) {}

void BarcodeNumberField::Notify(host::AdmNotifier notifier) {
    M7LBaseADMItem::Notify(notifier);
    if (!IsUserChange(notifier)) {
        return;
    }
    Palette().ShowDeviation(false);
    if (Strivelo::BarcodeProcessor* processor = GetProcessor()) {
        (processor->*binding_.set)(GetNumber() * binding_.storedPerShown);
        UpdateWarning();
    }
}

void BarcodeNumberField::SetProcessor(Strivelo::BarcodeProcessor* processor) {
    BarcodeProcessorItem::SetProcessor(processor);
    if (processor != nullptr) {
        ShowNumber((processor->*binding_.get)() * binding_.shownPerStored);
        UpdateWarning();
    }
}

bool BarcodeNumberField::IsValueValid() const {
    return (GetProcessor()->*binding_.valid)();
}

BarcodeOptionButton::BarcodeOptionButton(std::int32_t itemId, BarcodeDialog* palette,
                                         const Binding& binding)
    : BarcodeProcessorItem(itemId, palette), binding_(binding) {
    SetTip(binding_.tipIndex);
}

bool BarcodeOptionButton::GetOption() const {
    return (Palette().*binding_.get)();
}

void BarcodeOptionButton::Notify(host::AdmNotifier notifier) {
    M7LBaseADMItem::Notify(notifier);
    if (IsUserChange(notifier)) {
        Palette().ShowDeviation(false);
        (Palette().*binding_.set)(!GetOption());
    } else if (!IsNotifier(notifier, kReadSettingsNotifier)) {
        return;
    }
    ShowBoolean(GetOption());
    OptionShown();
}

void BarcodeOptionButton::SetProcessor(Strivelo::BarcodeProcessor* processor) {
    BarcodeProcessorItem::SetProcessor(processor);
    if (processor != nullptr) {
        Enable(binding_.processorOption == 0 || processor->HasOption(binding_.processorOption));
    }
}
