#include "BarcodeCodeEditField.h"

#include <array>
#include <cstring>

#include "BarcodeDialog.h"
#include "M7LSuiteTable.h"

namespace {

constexpr std::size_t kCodeBytes = Strivelo::BarcodeProcessor::kCodeCapacity + 1;
// One byte more than a code takes tells a longer text.
constexpr std::size_t kLongerCodeBytes = kCodeBytes + 1;

}  // namespace

BarcodeCodeEditField::BarcodeCodeEditField(BarcodeDialog* palette)
    : BarcodeWarningField(BarcodeDialog::kCodeItem, palette, BarcodeDialog::kCodeWarningItem,
                          true) {
    ShowText("");
}

bool BarcodeCodeEditField::ReadText(M7LString* text) const {
    std::array<char, kLongerCodeBytes> read{};
    sAdmItem->GetText(GetItem(), read.data(), read.size());
    const bool cut = std::strlen(read.data()) >= kCodeBytes;
    if (cut) {
        // The host cuts on a character boundary.
        sAdmItem->GetText(GetItem(), read.data(), kCodeBytes);
    }
    text->Assign(read.data());
    return !cut;
}

void BarcodeCodeEditField::ShowText(const char* text) const {
    sAdmItem->SetText(GetItem(), text);
}

void BarcodeCodeEditField::Notify(host::AdmNotifier notifier) {
    M7LBaseADMItem::Notify(notifier);
    if (!IsUserChange(notifier)) {
        return;
    }
    Palette().ShowDeviation(false);
    Strivelo::BarcodeProcessor* processor = GetProcessor();
    if (processor == nullptr) {
        return;
    }
    M7LString typed;
    const bool whole = ReadText(&typed);
    M7LString code(typed);
    if (processor->CorrectCode(code)) {
        processor->SetCode(code.CStr());
    }
    if (!whole || !code.Equals(typed.CStr())) {
        Palette().ShowCodeChangedAlert();
        ShowText(code.CStr());
    }
    UpdateWarning();
}

void BarcodeCodeEditField::SetProcessor(Strivelo::BarcodeProcessor* processor) {
    BarcodeProcessorItem::SetProcessor(processor);
    if (processor != nullptr) {
        if (processor->GetCode()[0] != '\0') {
            ShowText(processor->GetCode());
        }
        UpdateWarning();
    }
}

bool BarcodeCodeEditField::IsValueValid() const {
    M7LString text;
    return ReadText(&text) && GetProcessor()->IsCodeValid(text.CStr());
}
