#include "BarCodeList.h"

#include <charconv>
#include <cstdio>

#include "BarcodeCheckTexts.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "CheckMessage.h"
#include "M7LGuarded.h"
#include "M7LPluginMain.h"
#include "M7LResources.h"
#include "M7LSuiteTable.h"
#include "host/AdmSuites.h"

namespace {

constexpr int kLabelList = 26010;
constexpr std::size_t kValueTextBytes = 64;

constexpr double kPointsPerMillimetre = 2.8346456692913384;
constexpr double kPercentPerFactor = 100.0;
constexpr std::int32_t kReductionDecimals = 4;
constexpr std::int32_t kMagnificationDecimals = 2;
constexpr std::int32_t kHeightDecimals = 3;
constexpr std::int32_t kDeviationDecimals = 4;
constexpr int kRatioDecimals = 4;

// Where an entry draws, relative to its rect: the number and the icon at its
// right end, then lines of a label and a value.
constexpr std::int32_t kNumberWidth = 25;
constexpr std::int32_t kIconTop = 2;
constexpr std::int32_t kLineHeight = 11;
constexpr std::int32_t kFirstLineTop = 2;
constexpr std::int32_t kLinePitch = 15;
constexpr std::int32_t kLabelLeft = 5;
constexpr std::int32_t kLabelRight = 155;
constexpr std::int32_t kValueLeft = 158;
constexpr std::size_t kBoldLines = 2;
constexpr std::size_t kNumberBytes = 16;

struct StatusIcon {
    const char* name;
    std::int32_t id;
};
// By BarCodeListRow's icon values, from kIconOK on.
constexpr StatusIcon kStatusIcons[] = {
    {"CheckDialogTestStatusOK", 26006},
    {"CheckDialogTestStatusFixed", 26008},
    {"CheckDialogTestStatusError", 26007},
};

// A length or factor as the host writes it, with its unit.
M7LString Formatted(double value, std::int32_t units, std::int32_t decimals) {
    char text[kValueTextBytes] = {};
    sAdmBasic->ValueToString(static_cast<float>(value), units, decimals, true, text, sizeof text);
    return M7LString(text);
}

M7LString Points(double mm, std::int32_t decimals) {
    return Formatted(mm * kPointsPerMillimetre, host::kUnitsPoints, decimals);
}

M7LString WideNarrowRatioOf(const Strivelo::BarcodeProcessor& processor) {
    const auto* option =
        processor.HasOption(Strivelo::kBarcodeOptionWideNarrowRatio)
            ? dynamic_cast<const Strivelo::BarcodeProcessorMixIn_WideNarrowOption*>(&processor)
            : nullptr;
    if (option == nullptr) {
        return M7LString("");
    }
    char text[kValueTextBytes];
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof text - 1, option->GetWideNarrowRatio(),
                      std::chars_format::fixed, kRatioDecimals);
    *written.ptr = 0;
    return M7LString(written.ec == std::errc() ? text : "");
}

std::int32_t IconOf(std::int32_t severity) {
    switch (severity) {
        case BarcodeVettrin::kCheckStatusPassed:
            return BarCodeListRow::kIconOK;
        case BarcodeVettrin::kCheckStatusFixed:
            return BarCodeListRow::kIconFixed;
        case BarcodeVettrin::kCheckStatusWarning:
        case BarcodeVettrin::kCheckStatusFailed:
        case BarcodeVettrin::kCheckStatusFixDriverMissing:
            return BarCodeListRow::kIconError;
        default:
            return BarCodeListRow::kNoIcon;
    }
}

host::Rect RectOf(std::int32_t left, std::int32_t top, std::int32_t right) {
    return {left, top, right, top + kLineHeight};
}

}  // namespace

BarCodeList::BarCodeList(std::int32_t itemId, M7LBaseADMDialog* palette)
    : M7LBaseADMItem(ItemOf(palette, itemId), palette, itemId) {
    list_ = GetItem() ? sAdmItem->GetList(GetItem()) : host::List{};
    if (!list_) {
        return;
    }
    sAdmList->SetEntryHeight(list_, kEntryHeight);
    bool loaded = true;
    for (std::size_t i = 0; i < kLabelCount; ++i) {
        loaded = LoadResourceStringInto(labels_[i], kLabelList, static_cast<int>(i + 1)) && loaded;
    }
    if (loaded) {
        sAdmList->SetEntryDrawProc(list_, &DrawEntry);
        sAdmList->SetEntryNotifyProc(list_, &NotifyEntry);
    }
}

void BarCodeList::AddRow(const BarcodeVettrin::BarcodeCheckRecord& record, std::int32_t severity,
                         bool statusAllowed, std::size_t barcode) {
    const Strivelo::BarcodeProcessor& processor = *record.GetProcessor();
    BarCodeListRow row;
    row.typeName.Assign(BarcodeVettrin::GetBarcodeTypeName(processor.GetType()));
    row.code.Assign(processor.GetCode());
    row.barWidthReduction = Points(processor.GetBarWidthReduction(), kReductionDecimals);
    row.magnification = Formatted(processor.GetMagnification() * kPercentPerFactor,
                                  host::kUnitsPercent, kMagnificationDecimals);
    row.barHeight = Points(processor.GetBarHeight(), kHeightDecimals);
    row.meanDeviation = Points(processor.GetMeanDeviation(), kDeviationDecimals);
    row.maxDeviation = Points(processor.GetMaxDeviation(), kDeviationDecimals);
    if (record.IsRegenerateRequested()) {
        double newReductionMm = 0.0;
        if (record.GetNewBarWidthReduction(newReductionMm)) {
            row.barWidthReduction = Points(newReductionMm, kReductionDecimals);
        }
        row.meanDeviation = Points(0.0, kDeviationDecimals);
        row.maxDeviation = row.meanDeviation;
    }
    row.wideNarrowRatio = WideNarrowRatioOf(processor);
    row.statusIcon = statusAllowed ? IconOf(severity) : BarCodeListRow::kNoIcon;
    row.barcode = barcode;
    // The row is there before its entry, which the host may draw at once.
    rows_.push_back(std::move(row));
    if (!list_) {
        return;
    }
    const host::Entry entry = sAdmList->InsertEntry(list_, sAdmList->NumberOfEntries(list_));
    if (entry) {
        sAdmEntry->SetID(entry, static_cast<std::int32_t>(rows_.size() - 1));
        sAdmEntry->SetUserData(entry, this);
    }
}

void BarCodeList::Clear() {
    if (list_) {
        while (sAdmList->NumberOfEntries(list_) > 0) {
            sAdmList->RemoveEntry(list_, 0);
        }
    }
    rows_.clear();
}

int BarCodeList::GetSelectedIndex() const {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].selected) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool BarCodeList::GetSelectedBarcode(std::size_t* barcode) const {
    const int row = GetSelectedIndex();
    if (row < 0) {
        return false;
    }
    *barcode = rows_[row].barcode;
    return true;
}

void BarCodeList::Notify(host::AdmNotifier notifier) {
    M7LBaseADMItem::Notify(notifier);
    if (list_ && IsUserChange(notifier)) {
        const host::Entry active = sAdmList->GetActiveEntry(list_);
        if (active) {
            SelectRow(sAdmEntry->GetIndex(active));
        }
    }
}

BarCodeList* BarCodeList::ListOf(host::Entry entry) {
    return static_cast<BarCodeList*>(sAdmEntry->GetUserData(entry));
}

void BarCodeList::DrawEntry(host::Entry entry, host::Drawer drawer) {
    GuardedProc([=] {
        if (const BarCodeList* list = ListOf(entry)) {
            list->DrawRow(entry, drawer);
        }
    });
}

void BarCodeList::NotifyEntry(host::Entry entry, host::AdmNotifier notifier) {
    GuardedProc([=] {
        BarCodeList* list = ListOf(entry);
        if (list != nullptr && IsUserChange(notifier)) {
            list->SelectRow(sAdmEntry->GetIndex(entry));
        }
    });
}

void BarCodeList::SelectRow(int row) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].selected = static_cast<int>(i) == row;
    }
    sAdmItem->Invalidate(GetItem());
    sAdmDialog->Update(GetDialog()->GetDialog());
}

void BarCodeList::DrawRow(host::Entry entry, host::Drawer drawer) const {
    const std::int32_t index = sAdmEntry->GetIndex(entry);
    if (index < 0 || static_cast<std::size_t>(index) >= rows_.size()) {
        return;
    }
    const BarCodeListRow& row = rows_[index];
    host::Rect rect{};
    sAdmEntry->GetLocalRect(entry, &rect);
    const std::int32_t right = rect.right;

    sAdmDrawer->SetColor(drawer, row.selected ? host::kColorHighlight : host::kColorBackground);
    sAdmDrawer->FillRect(drawer, &rect);
    sAdmDrawer->SetColor(drawer, host::kColorForeground);

    char number[kNumberBytes];
    std::snprintf(number, sizeof number, "%d", index + 1);
    const host::Rect numberRect = RectOf(right - kNumberWidth, 0, right);
    sAdmDrawer->DrawTextInRect(drawer, &numberRect, number);

    if (row.statusIcon != BarCodeListRow::kNoIcon) {
        const StatusIcon& status = kStatusIcons[row.statusIcon - BarCodeListRow::kIconOK];
        const host::Icon icon = sAdmIcon->GetFromResource(gPluginRef, status.name, status.id, 0);
        if (sAdmIcon->GetType(icon) != host::kIconTypeUnusable) {
            sAdmDrawer->DrawIcon(drawer, icon, {right - kNumberWidth, kIconTop});
        }
    }

    const M7LString* values[kLabelCount] = {
        &row.typeName,      &row.code,         &row.barWidthReduction,
        &row.magnification, &row.barHeight,    &row.wideNarrowRatio,
        &row.meanDeviation, &row.maxDeviation,
    };
    std::int32_t top = kFirstLineTop;
    for (std::size_t i = 0; i < kLabelCount; ++i) {
        if (values[i] == &row.wideNarrowRatio && row.wideNarrowRatio.CStr()[0] == 0) {
            continue;
        }
        if (i == 0 || i == kBoldLines) {
            sAdmDrawer->SetFont(drawer, i == 0 ? host::kFontPaletteBold : host::kFontPalette);
        }
        const host::Rect labelRect = RectOf(kLabelLeft, top, kLabelRight);
        const host::Rect valueRect = RectOf(kValueLeft, top, right);
        sAdmDrawer->DrawTextInRect(drawer, &labelRect, labels_[i].CStr());
        sAdmDrawer->DrawTextInRect(drawer, &valueRect, values[i]->CStr());
        top += kLinePitch;
    }
    sAdmDrawer->DrawLine(drawer, {0, rect.bottom - 1}, {right, rect.bottom - 1});
}
