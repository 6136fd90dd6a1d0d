#pragma once

#include <cstdint>

#include "M7LBaseADMDialog.h"
#include "host/HostErrors.h"
#include "host/HostHandles.h"

// The model behind a pair of popups choosing a font: one lists the host's
// typefaces, the other the styles of the selected one. Face entries carry
// the typeface index as id, style entries the style index. The popups of
// the newest dialog replace the lists of earlier ones.
class M7LAIADMFontList {
public:
    class FacePopUp : public M7LBaseADMItem {
    public:
        // Takes the item's list as the face list, fills it and selects the
        // first face. Made before the style popup, whose fill reads it.
        FacePopUp(std::int32_t itemId, M7LBaseADMDialog* dialog);
        // The model forgets the list, which goes with the item.
        ~FacePopUp() override;
        // A face chosen by the user refills the styles and selects the first.
        void Notify(host::AdmNotifier notifier) override;

    private:
        host::List list_;
    };

    class StylePopUp : public M7LBaseADMItem {
    public:
        // Takes the item's list as the style list, fills it for the selected
        // face and selects the first style.
        StylePopUp(std::int32_t itemId, M7LBaseADMDialog* dialog);
        ~StylePopUp() override;
        // The styles follow the face popup only; the host's default handling
        // is left out on purpose.
        void Notify(host::AdmNotifier notifier) override;

    private:
        host::List list_;
    };

    static M7LAIADMFontList& Instance();

    // Empties and refills the face list; the first failing host call's code.
    host::Error FillFaces();
    // Refills the style list for the selected typeface.
    void FillStyles();
    // The font of the selected face and style; -1 without face entries.
    host::Error GetSelectedFontKey(host::Font* font);
    // Selects the first face and style whose font is the key; 0 and no change
    // when none is, else the first failing host call's code.
    host::Error SelectFontKey(host::Font font);

    static host::Error GetSelectedFont(host::Font* font);
    static host::Error SelectFont(host::Font font);

private:
    M7LAIADMFontList() = default;

    host::List faces_;
    host::List styles_;
};
