#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "M7LBaseADMDialog.h"
#include "M7LString.h"
#include "host/HostHandles.h"

class BarcodeFontDialog;

// The font replacements' list: one row per replacement, drawn by the list
// itself (the original font, then the replacement's typeface and style),
// with at most one row selected. Row i is the host list's entry i.
class FontList : public M7LBaseADMItem {
public:
    static constexpr std::int32_t kNoRow = -1;
    static constexpr std::int32_t kEntryHeight = 17;

    FontList(std::int32_t itemId, BarcodeFontDialog* dialog);

    void AddEntry(const char* original, const char* face, const char* style);
    // The first row of the original font goes; the first row left is
    // selected as by a click.
    void RemoveEntry(const char* original);
    void Select(std::int32_t index);
    std::int32_t GetSelectedIndex() const;
    const char* GetOriginal(std::int32_t index) const;
    // Shows the row's replacement as typeface and style.
    void SetReplacement(std::int32_t index, const char* face, const char* style);
    // Stores the popups' font for the selected row.
    void ApplySelected() const;
    // The user chose the entry: the popups' font is stored for the row left,
    // and the chosen row's font is shown.
    void EntrySelected(host::Entry entry);

private:
    struct FontListEntry {
        M7LString original;
        M7LString face;
        M7LString style;
        bool selected = false;
    };

    static FontList* ListOf(host::Entry entry);
    static void DrawEntry(host::Entry entry, host::Drawer drawer);
    static void NotifyEntry(host::Entry entry, host::AdmNotifier notifier);
    void SelectRow(std::int32_t index);
    void DrawRow(host::Entry entry, host::Drawer drawer) const;

    BarcodeFontDialog* dialog_;
    host::List list_;
    std::vector<FontListEntry> rows_;
};
