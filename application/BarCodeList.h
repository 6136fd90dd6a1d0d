#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "BarcodeCheckRecord.h"
#include "M7LBaseADMDialog.h"
#include "M7LString.h"
#include "host/HostHandles.h"

// One checked barcode as the result list shows it: its values as text,
// ready to draw, its status icon, whether the user selected it, and where it
// is in the palette's list of found barcodes.
struct BarCodeListRow {
    static constexpr std::int32_t kNoIcon = 0;
    static constexpr std::int32_t kIconOK = 1;
    static constexpr std::int32_t kIconFixed = 2;
    static constexpr std::int32_t kIconError = 3;

    M7LString typeName;
    M7LString code;
    M7LString barWidthReduction;
    M7LString magnification;
    M7LString barHeight;
    M7LString wideNarrowRatio;  // empty for symbologies without the ratio
    M7LString meanDeviation;
    M7LString maxDeviation;
    std::int32_t statusIcon = kNoIcon;
    bool selected = false;
    std::size_t barcode = 0;
};

// The check palette's result list: an owner-drawn list box with one tall
// entry per checked barcode, its number, its status icon and eight labelled
// values.
class BarCodeList : public M7LBaseADMItem {
public:
    static constexpr std::int32_t kEntryHeight = 120;
    static constexpr std::size_t kLabelCount = 8;

    // Draws and selects its entries itself only when all labels load.
    BarCodeList(std::int32_t itemId, M7LBaseADMDialog* palette);

    // A row for the decoded barcode of the record, which is barcode in the
    // palette's list; its icon by the severity when statusAllowed.
    void AddRow(const BarcodeVettrin::BarcodeCheckRecord& record, std::int32_t severity,
                bool statusAllowed, std::size_t barcode);
    void Clear();
    // The first selected row, or -1.
    int GetSelectedIndex() const;
    // The found barcode of the selected row; false when none is selected.
    bool GetSelectedBarcode(std::size_t* barcode) const;

    // The user's choice reaches the item when the list has no entry
    // procedures: the active entry becomes the selected row.
    void Notify(host::AdmNotifier notifier) override;

private:
    static void DrawEntry(host::Entry entry, host::Drawer drawer);
    static void NotifyEntry(host::Entry entry, host::AdmNotifier notifier);
    // The list of the entry, from its user data; null for another's entry.
    static BarCodeList* ListOf(host::Entry entry);
    void DrawRow(host::Entry entry, host::Drawer drawer) const;
    // Selects the row alone and redraws the palette.
    void SelectRow(int row);

    host::List list_;
    std::vector<BarCodeListRow> rows_;
    std::array<M7LString, kLabelCount> labels_;
};
