#include "M7LAIADMFontList.h"

#include <algorithm>
#include <cstddef>

#include "M7LSuiteTable.h"

namespace {

constexpr std::size_t kFontNameBytes = 512;
constexpr host::Error kNoFaces = -1;
constexpr std::int32_t kFirstEntry = 0;
// The one font of a typeface without styles, and the user value of the popups.
constexpr std::int32_t kFirstStyle = 0;
constexpr std::int32_t kNoUserValue = 0;

std::int32_t EntryCount(host::List list) {
    return list ? sAdmList->NumberOfEntries(list) : 0;
}

// Removes from the front as often as the list had entries, so that a list
// that refuses a removal cannot keep the loop going.
void Empty(host::List list) {
    for (std::int32_t remaining = EntryCount(list); remaining > 0; --remaining) {
        sAdmList->RemoveEntry(list, kFirstEntry);
    }
}

void AddEntry(host::List list, std::int32_t index, const char* text) {
    const host::Entry entry = sAdmList->InsertEntry(list, index);
    if (entry) {
        sAdmEntry->SetText(entry, text);
        sAdmEntry->SetID(entry, index);
    }
}

void SelectEntry(host::List list, std::int32_t index) {
    if (index < EntryCount(list)) {
        sAdmEntry->Select(sAdmList->IndexEntry(list, index), true);
    }
}

// The id of the list's active entry, or the fallback when it has none.
std::int32_t ActiveId(host::List list, std::int32_t fallback) {
    if (EntryCount(list) == 0) {
        return fallback;
    }
    const host::Entry active = sAdmList->GetActiveEntry(list);
    return active ? sAdmEntry->GetID(active) : fallback;
}

// The item's list becomes the model's list in the slot: a new dialog's
// popups replace those of earlier ones.
host::List TakeList(host::Item item, host::List& slot) {
    slot = item ? sAdmItem->GetList(item) : host::List{};
    return slot;
}

// The list goes with its item; the model keeps no list of a dialog gone.
void ForgetList(host::List list, host::List& slot) {
    if (list && slot == list) {
        slot = {};
    }
}

}  // namespace

M7LAIADMFontList& M7LAIADMFontList::Instance() {
    // Never freed: dialogs made at any time use it.
    static M7LAIADMFontList* const instance = new M7LAIADMFontList();
    return *instance;
}

host::Error M7LAIADMFontList::FillFaces() {
    Empty(faces_);
    if (!faces_) {
        return host::kNoError;
    }
    std::int32_t count = 0;
    if (const host::Error error = sAiFont->CountTypefaces(&count)) {
        return error;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        host::Typeface typeface;
        host::Font font;
        char name[kFontNameBytes] = {};
        if (const host::Error error = sAiFont->IndexTypefaceList(i, &typeface)) {
            return error;
        }
        if (const host::Error error =
                sAiFont->IndexTypefaceStyleList(typeface, kFirstStyle, &font)) {
            return error;
        }
        if (const host::Error error = sAiFont->GetTypefaceName(font, name, sizeof name)) {
            return error;
        }
        AddEntry(faces_, i, name);
    }
    return host::kNoError;
}

void M7LAIADMFontList::FillStyles() {
    if (EntryCount(faces_) == 0 || !styles_) {
        return;
    }
    const host::Entry active = sAdmList->GetActiveEntry(faces_);
    if (!active) {
        return;
    }
    host::Typeface typeface;
    if (sAiFont->IndexTypefaceList(sAdmEntry->GetID(active), &typeface) != host::kNoError) {
        return;
    }
    Empty(styles_);
    std::int32_t count = 0;
    if (sAiFont->CountTypefaceStyles(typeface, &count) != host::kNoError) {
        return;
    }
    for (std::int32_t j = 0; j < count; ++j) {
        host::Font font;
        char name[kFontNameBytes] = {};
        if (sAiFont->IndexTypefaceStyleList(typeface, j, &font) != host::kNoError ||
            sAiFont->GetStyleName(font, name, sizeof name) != host::kNoError) {
            return;
        }
        AddEntry(styles_, j, name);
    }
}

host::Error M7LAIADMFontList::GetSelectedFontKey(host::Font* font) {
    if (EntryCount(faces_) == 0) {
        return kNoFaces;
    }
    host::Typeface typeface;
    if (const host::Error error =
            sAiFont->IndexTypefaceList(ActiveId(faces_, kFirstEntry), &typeface)) {
        return error;
    }
    return sAiFont->IndexTypefaceStyleList(typeface, ActiveId(styles_, kFirstStyle), font);
}

host::Error M7LAIADMFontList::SelectFontKey(host::Font font) {
    std::int32_t typefaces = 0;
    if (const host::Error error = sAiFont->CountTypefaces(&typefaces)) {
        return error;
    }
    for (std::int32_t i = 0; i < typefaces; ++i) {
        host::Typeface typeface;
        std::int32_t styles = 0;
        if (const host::Error error = sAiFont->IndexTypefaceList(i, &typeface)) {
            return error;
        }
        if (const host::Error error = sAiFont->CountTypefaceStyles(typeface, &styles)) {
            return error;
        }
        // A typeface without styles still has its font at style index 0.
        for (std::int32_t j = 0; j < std::max(styles, 1); ++j) {
            host::Font candidate;
            if (const host::Error error =
                    sAiFont->IndexTypefaceStyleList(typeface, j, &candidate)) {
                return error;
            }
            if (candidate == font) {
                SelectEntry(faces_, i);
                FillStyles();
                SelectEntry(styles_, j);
                return host::kNoError;
            }
        }
    }
    return host::kNoError;
}

host::Error M7LAIADMFontList::GetSelectedFont(host::Font* font) {
    return Instance().GetSelectedFontKey(font);
}

host::Error M7LAIADMFontList::SelectFont(host::Font font) {
    return Instance().SelectFontKey(font);
}

M7LAIADMFontList::FacePopUp::FacePopUp(std::int32_t itemId, M7LBaseADMDialog* dialog)
    : M7LBaseADMItem(ItemOf(dialog, itemId), dialog, kNoUserValue),
      list_(TakeList(GetItem(), Instance().faces_)) {
    if (list_) {
        Instance().FillFaces();
        SelectEntry(list_, kFirstEntry);
    }
}

M7LAIADMFontList::FacePopUp::~FacePopUp() {
    ForgetList(list_, Instance().faces_);
}

void M7LAIADMFontList::FacePopUp::Notify(host::AdmNotifier notifier) {
    M7LBaseADMItem::Notify(notifier);
    if (IsUserChange(notifier)) {
        M7LAIADMFontList& model = Instance();
        model.FillStyles();
        SelectEntry(model.styles_, kFirstEntry);
    }
}

M7LAIADMFontList::StylePopUp::StylePopUp(std::int32_t itemId, M7LBaseADMDialog* dialog)
    : M7LBaseADMItem(ItemOf(dialog, itemId), dialog, kNoUserValue),
      list_(TakeList(GetItem(), Instance().styles_)) {
    if (list_) {
        Instance().FillStyles();
        SelectEntry(list_, kFirstEntry);
    }
}

M7LAIADMFontList::StylePopUp::~StylePopUp() {
    ForgetList(list_, Instance().styles_);
}

void M7LAIADMFontList::StylePopUp::Notify(host::AdmNotifier) {}
