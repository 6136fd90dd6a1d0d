#include "QuietZoneIndicatorsButton.h"

#include "BarcodeDialog.h"

namespace {

constexpr std::int32_t kTipIndex = 2;

}  // namespace

QuietZoneIndicatorsButton::QuietZoneIndicatorsButton(BarcodeDialog* palette)
    : BarcodeOptionButton(BarcodeDialog::kQuietZoneItem, palette,
                          {&BarcodeDialog::GetAddQuietZoneIndicator,
                           &BarcodeDialog::SetAddQuietZoneIndicator, 0, kTipIndex}) {}
