// "AI Font Suite" over the font catalogue.
#include "FontModel.h"

#include <algorithm>
#include <utility>

namespace standin {

namespace {

// The fonts of a typeface: its styles, or the one font of a typeface
// without styles.
std::size_t FontCount(const CatalogueTypeface& typeface) {
    return std::max<std::size_t>(typeface.styles.size(), 1);
}

CatalogueFont FontAt(const CatalogueTypeface& typeface, std::size_t style) {
    return typeface.styles.empty() ? CatalogueFont{typeface.name, ""} : typeface.styles[style];
}

}  // namespace

FontCatalogue DefaultFontCatalogue() {
    return {
        {"Arial", {{"ArialMT", "Regular"}, {"Arial-BoldMT", "Bold"}}},
        {"Gill Sans", {{"GillSans", "Regular"}, {"GillSans-Bold", "Bold"}}},
        {"Helvetica", {{"Helvetica", "Regular"}, {"Helvetica-Bold", "Bold"}}},
        {"OCRB", {{"OCRB", "Regular"}}},
        {"Pictographs", {}},
    };
}

FontModel::FontModel(HostCore& core, FontCatalogue catalogue)
    : calls_(core, host::kAiFontSuite),
      typefaces_(core.GetViolations(), "typeface"),
      fonts_(core.GetViolations(), "font") {
    static const host::AiFontSuite suite{
        &Forward<&FontModel::CountTypefaces>::Call,
        &Forward<&FontModel::IndexTypefaceList>::Call,
        &Forward<&FontModel::CountTypefaceStyles>::Call,
        &Forward<&FontModel::IndexTypefaceStyleList>::Call,
        &Forward<&FontModel::GetTypefaceName>::Call,
        &Forward<&FontModel::GetStyleName>::Call,
    };
    core.Provide(host::kAiFontSuite.name, &suite);
    SetCatalogue(std::move(catalogue));
}

void FontModel::SetCatalogue(FontCatalogue catalogue) {
    RetireHandles();
    catalogue_ = std::move(catalogue);
    for (std::size_t typeface = 0; typeface < catalogue_.size(); ++typeface) {
        TypefaceHandles issued{typefaces_.Issue(typeface), {}};
        for (std::size_t style = 0; style < FontCount(catalogue_[typeface]); ++style) {
            issued.fonts.push_back(fonts_.Issue({typeface, style}));
        }
        handles_.push_back(std::move(issued));
    }
}

void FontModel::RetireHandles() {
    static constexpr std::string_view kReason = "replacing the font catalogue";
    for (const TypefaceHandles& issued : handles_) {
        typefaces_.Retire(issued.typeface, kReason);
        for (const host::Font font : issued.fonts) {
            fonts_.Retire(font, kReason);
        }
    }
    handles_.clear();
}

host::Font FontModel::FontNamed(std::string_view postScriptName) const {
    for (std::size_t typeface = 0; typeface < catalogue_.size(); ++typeface) {
        for (std::size_t style = 0; style < FontCount(catalogue_[typeface]); ++style) {
            if (FontAt(catalogue_[typeface], style).postScriptName == postScriptName) {
                return handles_[typeface].fonts[style];
            }
        }
    }
    return {};
}

host::Error FontModel::CountTypefaces(std::int32_t* count) {
    if (const host::Error error = calls_.Enter("CountTypefaces", count != nullptr)) {
        return error;
    }
    *count = static_cast<std::int32_t>(catalogue_.size());
    return host::kNoError;
}

host::Error FontModel::IndexTypefaceList(std::int32_t index, host::Typeface* typeface) {
    static constexpr std::string_view kFunction = "IndexTypefaceList";
    if (const host::Error error = calls_.Enter(kFunction, typeface != nullptr)) {
        return error;
    }
    if (const host::Error error = calls_.CheckIndex(kFunction, index, handles_.size())) {
        return error;
    }
    *typeface = handles_[static_cast<std::size_t>(index)].typeface;
    return host::kNoError;
}

host::Error FontModel::CountTypefaceStyles(host::Typeface typeface, std::int32_t* count) {
    std::size_t* index = nullptr;
    if (const host::Error error =
            calls_.Enter("CountTypefaceStyles", count != nullptr, typefaces_, typeface, &index)) {
        return error;
    }
    *count = static_cast<std::int32_t>(catalogue_[*index].styles.size());
    return host::kNoError;
}

host::Error FontModel::IndexTypefaceStyleList(host::Typeface typeface, std::int32_t index,
                                              host::Font* font) {
    static constexpr std::string_view kFunction = "IndexTypefaceStyleList";
    std::size_t* place = nullptr;
    if (const host::Error error =
            calls_.Enter(kFunction, font != nullptr, typefaces_, typeface, &place)) {
        return error;
    }
    const std::vector<host::Font>& fonts = handles_[*place].fonts;
    if (const host::Error error = calls_.CheckIndex(kFunction, index, fonts.size())) {
        return error;
    }
    *font = fonts[static_cast<std::size_t>(index)];
    return host::kNoError;
}

host::Error FontModel::GetTypefaceName(host::Font font, char* name, std::size_t size) {
    FontPlace* place = nullptr;
    if (const host::Error error =
            calls_.Enter("GetTypefaceName", name != nullptr, fonts_, font, &place)) {
        return error;
    }
    return SuiteCalls::CopyText(catalogue_[place->typeface].name, name, size);
}

host::Error FontModel::GetStyleName(host::Font font, char* name, std::size_t size) {
    FontPlace* place = nullptr;
    if (const host::Error error =
            calls_.Enter("GetStyleName", name != nullptr, fonts_, font, &place)) {
        return error;
    }
    return SuiteCalls::CopyText(FontAt(catalogue_[place->typeface], place->style).style, name,
                                size);
}

}  // namespace standin
