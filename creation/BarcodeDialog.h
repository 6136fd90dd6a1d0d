#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "M7LString.h"
#include "host/HostErrors.h"

// The barcode palette: for now, the user's font replacements, kept in the
// host's preferences, and the missing-font alert.
class BarcodeDialog {
public:
    static constexpr const char* kPreferenceSection = "M7LBarcodeDialog";
    // Replacements beyond this many are not kept, so that every one stored
    // is loaded again.
    static constexpr std::size_t kMaxFontReplacements = 256;
    // Font names pass through buffers of this many bytes.
    static constexpr std::size_t kFontNameBytes = 128;

    static constexpr std::int32_t kMissingFontDialogId = 16104;
    static constexpr std::int32_t kMissingFontNameItem = 4;

    // Loads the settings.
    BarcodeDialog();
    // Saves the settings; the palette global no longer points here.
    ~BarcodeDialog();
    BarcodeDialog(const BarcodeDialog&) = delete;
    BarcodeDialog& operator=(const BarcodeDialog&) = delete;

    // A stored replacement whose names are not both there, or whose font is
    // not installed, is dropped.
    void LoadSettings();
    void SaveSettings();

    // The replacement of the font of that PostScript name; null when none.
    const char* FindFontReplacement(const char* original) const;
    // Null for an index beyond the list.
    const char* GetOriginalFontName(std::size_t index) const;
    const char* GetReplacementFontName(std::size_t index) const;
    // Makes the installed font replacement the replacement of original: an
    // entry of that name changes, else one is added at the end. The host's
    // error when the font is not installed, kErrorNoMemory when the list is
    // full; nothing changes then.
    host::Error SetFontReplacement(const char* original, const char* replacement);
    void RemoveFontReplacement(const char* original);

    // Tells the user, in a modal dialog, that the font is missing and is
    // being replaced.
    void ShowMissingFontAlert(const char* fontName);

private:
    struct FontReplacement {
        M7LString original;
        M7LString replacement;
    };

    // The entry's position; the list's size when there is none.
    std::size_t IndexOf(const char* original) const;

    std::vector<FontReplacement> fontReplacements_;
};

// The one barcode palette, null while the application has made none.
extern BarcodeDialog* gBarcodeDialog;
