// "AI Font Suite" over the installed fonts.
#include "FontModel.h"

namespace standin {

FontModel::FontModel(HostCore& core, InstalledFonts& fonts)
    : calls_(core, host::kAiFontSuite), fonts_(fonts) {
    static const host::AiFontSuite suite{
        &Forward<&FontModel::CountTypefaces>::Call,
        &Forward<&FontModel::IndexTypefaceList>::Call,
        &Forward<&FontModel::CountTypefaceStyles>::Call,
        &Forward<&FontModel::IndexTypefaceStyleList>::Call,
        &Forward<&FontModel::GetTypefaceName>::Call,
        &Forward<&FontModel::GetStyleName>::Call,
    };
    core.Provide(host::kAiFontSuite.name, &suite);
}

host::Error FontModel::CountTypefaces(std::int32_t* count) {
    if (const host::Error error = calls_.Enter("CountTypefaces", count != nullptr)) {
        return error;
    }
    *count = static_cast<std::int32_t>(fonts_.TypefaceCount());
    return host::kNoError;
}

host::Error FontModel::IndexTypefaceList(std::int32_t index, host::Typeface* typeface) {
    static constexpr std::string_view kFunction = "IndexTypefaceList";
    if (const host::Error error = calls_.Enter(kFunction, typeface != nullptr)) {
        return error;
    }
    if (const host::Error error = calls_.CheckIndex(kFunction, index, fonts_.TypefaceCount())) {
        return error;
    }
    *typeface = fonts_.TypefaceAt(static_cast<std::size_t>(index));
    return host::kNoError;
}

host::Error FontModel::CountTypefaceStyles(host::Typeface typeface, std::int32_t* count) {
    static constexpr std::string_view kFunction = "CountTypefaceStyles";
    if (const host::Error error = calls_.Enter(kFunction, count != nullptr)) {
        return error;
    }
    const CatalogueTypeface* found = fonts_.FindTypeface(typeface, calls_.Name(kFunction));
    if (found == nullptr) {
        return host::kErrorBadHandle;
    }
    *count = static_cast<std::int32_t>(found->styles.size());
    return host::kNoError;
}

host::Error FontModel::IndexTypefaceStyleList(host::Typeface typeface, std::int32_t index,
                                              host::Font* font) {
    static constexpr std::string_view kFunction = "IndexTypefaceStyleList";
    if (const host::Error error = calls_.Enter(kFunction, font != nullptr)) {
        return error;
    }
    const std::vector<host::Font>* fonts = fonts_.FontsOf(typeface, calls_.Name(kFunction));
    if (fonts == nullptr) {
        return host::kErrorBadHandle;
    }
    if (const host::Error error = calls_.CheckIndex(kFunction, index, fonts->size())) {
        return error;
    }
    *font = (*fonts)[static_cast<std::size_t>(index)];
    return host::kNoError;
}

host::Error FontModel::GetTypefaceName(host::Font font, char* name, std::size_t size) {
    static constexpr std::string_view kFunction = "GetTypefaceName";
    if (const host::Error error = calls_.Enter(kFunction, name != nullptr)) {
        return error;
    }
    const auto place = fonts_.FindFont(font, calls_.Name(kFunction));
    return place ? SuiteCalls::CopyText(place->typeface->name, name, size) : host::kErrorBadHandle;
}

host::Error FontModel::GetStyleName(host::Font font, char* name, std::size_t size) {
    static constexpr std::string_view kFunction = "GetStyleName";
    if (const host::Error error = calls_.Enter(kFunction, name != nullptr)) {
        return error;
    }
    const auto place = fonts_.FindFont(font, calls_.Name(kFunction));
    return place ? SuiteCalls::CopyText(place->font.style, name, size) : host::kErrorBadHandle;
}

}  // namespace standin
