#pragma once

#include <cstddef>
#include <cstdint>

#include "M7LBaseADMDialog.h"
#include "host/HostHandles.h"

class CloseFontReplaceDialog;
class FacePopUp;
class StylePopUp;
class FontList;
class DeleteFontReplaceItem;

// The modal dialog in which the user reviews and edits the barcode
// palette's font replacements: a row per replacement, and the replacement's
// typeface and style in two popups. Every change goes into the palette at
// once; there is no cancel.
class BarcodeFontDialog : public M7LBaseADMDialog {
public:
    static constexpr std::int32_t kResourceId = 16300;
    static constexpr std::int32_t kCloseItem = 1;
    static constexpr std::int32_t kFaceItem = 2;
    static constexpr std::int32_t kStyleItem = 3;
    static constexpr std::int32_t kListItem = 4;
    static constexpr std::int32_t kDeleteItem = 5;

    // Runs the dialog until the user closes it.
    BarcodeFontDialog();

    // Makes the items, lists the palette's replacements and selects the
    // first.
    host::Error Init() override;
    // Deletes the items and saves the placement.
    void Destroy() override;

    // Shows the replacement font of the palette's entry in the popups.
    void SelectEntryFont(std::size_t index) const;
    // Makes the popups' font the replacement of the palette's entry; true
    // when the palette took it.
    bool ApplyPopupsToEntry(std::size_t index) const;
    void ApplyToSelected() const;
    void DeleteSelected() const;
    void CloseDialog() const;

private:
    void DeleteItems();

    FacePopUp* face_ = nullptr;
    StylePopUp* style_ = nullptr;
    FontList* list_ = nullptr;
    DeleteFontReplaceItem* delete_ = nullptr;
    CloseFontReplaceDialog* close_ = nullptr;
};

// A button of the dialog that runs one of the dialog's operations when the
// user presses it.
class BarcodeFontDialogButton : public M7LBaseADMItem {
public:
    using Action = void (BarcodeFontDialog::*)() const;

    BarcodeFontDialogButton(std::int32_t itemId, BarcodeFontDialog* dialog, Action action);

    void Notify(host::AdmNotifier notifier) override;

private:
    BarcodeFontDialog* dialog_;
    Action action_;
};
