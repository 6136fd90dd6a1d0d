#include "FontList.h"

#include <algorithm>
#include <string>

#include "BarcodeFontDialog.h"
#include "M7LSuiteTable.h"

namespace {

constexpr std::int32_t kNoUserValue = 0;
constexpr host::Rect kOriginalBox{5, 2, 70, 15};
constexpr std::int32_t kReplacementLeft = 73;

}  // namespace

FontList::FontList(std::int32_t itemId, BarcodeFontDialog* dialog)
    : M7LBaseADMItem(ItemOf(dialog, itemId), dialog, kNoUserValue),
      dialog_(dialog),
      list_(sAdmItem->GetList(GetItem())) {
    sAdmList->SetEntryHeight(list_, kEntryHeight);
    sAdmList->SetEntryDrawProc(list_, &DrawEntry);
    sAdmList->SetEntryNotifyProc(list_, &NotifyEntry);
}

void FontList::AddEntry(const char* original, const char* face, const char* style) {
    const auto index = static_cast<std::int32_t>(rows_.size());
    const host::Entry entry = sAdmList->InsertEntry(list_, index);
    if (!entry) {
        return;
    }
    sAdmEntry->SetID(entry, index);
    sAdmEntry->SetUserData(entry, this);
    rows_.push_back({M7LString(original), M7LString(face), M7LString(style)});
    sAdmItem->Invalidate(GetItem());
}

void FontList::RemoveEntry(const char* original) {
    const auto found = std::find_if(
        rows_.begin(), rows_.end(),
        [original](const FontListEntry& row) { return row.original.Equals(original); });
    if (found != rows_.end()) {
        rows_.erase(found);
        sAdmList->RemoveEntry(list_, static_cast<std::int32_t>(rows_.size()));
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            sAdmEntry->SetID(sAdmList->IndexEntry(list_, static_cast<std::int32_t>(i)),
                             static_cast<std::int32_t>(i));
        }
        if (!rows_.empty()) {
            EntrySelected(sAdmList->IndexEntry(list_, 0));
        }
    }
    sAdmItem->Invalidate(GetItem());
}

void FontList::SelectRow(std::int32_t index) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].selected = static_cast<std::int32_t>(i) == index;
    }
}

void FontList::Select(std::int32_t index) {
    SelectRow(index);
    dialog_->SelectEntryFont(static_cast<std::size_t>(index));
    sAdmItem->Invalidate(GetItem());
}

std::int32_t FontList::GetSelectedIndex() const {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].selected) {
            return static_cast<std::int32_t>(i);
        }
    }
    return kNoRow;
}

const char* FontList::GetOriginal(std::int32_t index) const {
    return index >= 0 && static_cast<std::size_t>(index) < rows_.size()
               ? rows_[static_cast<std::size_t>(index)].original.CStr()
               : nullptr;
}

void FontList::SetReplacement(std::int32_t index, const char* face, const char* style) {
    if (index < 0 || static_cast<std::size_t>(index) >= rows_.size()) {
        return;
    }
    FontListEntry& row = rows_[static_cast<std::size_t>(index)];
    row.face.Assign(face);
    row.style.Assign(style);
    sAdmItem->Invalidate(GetItem());
}

void FontList::ApplySelected() const {
    if (const std::int32_t selected = GetSelectedIndex(); selected != kNoRow) {
        dialog_->ApplyPopupsToEntry(static_cast<std::size_t>(selected));
    }
}

void FontList::EntrySelected(host::Entry entry) {
    const std::int32_t chosen = sAdmEntry->GetIndex(entry);
    const std::int32_t left = GetSelectedIndex();
    SelectRow(chosen);
    if (chosen != left && left != kNoRow) {
        dialog_->ApplyPopupsToEntry(static_cast<std::size_t>(left));
    }
    dialog_->SelectEntryFont(static_cast<std::size_t>(chosen));
    sAdmDialog->Update(dialog_->GetDialog());
    sAdmItem->Invalidate(GetItem());
}

FontList* FontList::ListOf(host::Entry entry) {
    return static_cast<FontList*>(sAdmEntry->GetUserData(entry));
}

void FontList::DrawEntry(host::Entry entry, host::Drawer drawer) {
    if (const FontList* list = ListOf(entry)) {
        list->DrawRow(entry, drawer);
    }
}

void FontList::NotifyEntry(host::Entry entry, host::AdmNotifier notifier) {
    sAdmEntry->DefaultNotify(entry, notifier);
    FontList* list = ListOf(entry);
    if (list != nullptr && IsUserChange(notifier)) {
        list->EntrySelected(entry);
    }
}

void FontList::DrawRow(host::Entry entry, host::Drawer drawer) const {
    const auto index = static_cast<std::size_t>(sAdmEntry->GetIndex(entry));
    if (index >= rows_.size()) {
        return;
    }
    const FontListEntry& row = rows_[index];
    host::Rect local{};
    sAdmEntry->GetLocalRect(entry, &local);
    sAdmDrawer->SetColor(drawer, row.selected ? host::kColorHighlight : host::kColorBackground);
    sAdmDrawer->FillRect(drawer, &local);
    sAdmDrawer->SetColor(drawer, host::kColorForeground);
    sAdmDrawer->SetFont(drawer, host::kFontDialog);
    sAdmDrawer->DrawTextInRect(drawer, &kOriginalBox, row.original.CStr());
    const std::string replacement = std::string(row.face.CStr()) + " " + row.style.CStr();
    const host::Rect replacementBox{kReplacementLeft, kOriginalBox.top, local.right,
                                    kOriginalBox.bottom};
    sAdmDrawer->DrawTextInRect(drawer, &replacementBox, replacement.c_str());
    sAdmDrawer->DrawLine(drawer, {0, local.bottom - 1}, {local.right, local.bottom - 1});
}
