// The text frame, font and text engine suites: thin adapters over the
// document store, the installed fonts and the text engine.
#include <optional>
#include <string>

#include "DocumentSuites.h"

namespace standin {

namespace {

// The one character of a NUL-terminated UTF-8 text; none for a text that
// is not exactly one well-formed character.
std::optional<char32_t> OneCharacter(const char* text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    int length = 0;
    char32_t value = 0;
    if (lead < 0x80) {
        length = 1;
        value = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    } else {
        return std::nullopt;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        value = (value << 6) | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (lead == 0 || text[length] != 0 || value < kShortest[length] || surrogate ||
        value > 0x10FFFF) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

AiTextFrameAdapter::AiTextFrameAdapter(HostCore& core, DocumentStore& store, TextEngine& text)
    : calls_(core, host::kAiTextFrameSuite, store), text_(text) {
    static const host::AiTextFrameSuite suite{
        &Forward<&AiTextFrameAdapter::NewPointText>::Call,
        &Forward<&AiTextFrameAdapter::GetTextRange>::Call,
        &Forward<&AiTextFrameAdapter::CreateOutline>::Call,
    };
    core.Provide(host::kAiTextFrameSuite.name, &suite);
}

host::Error AiTextFrameAdapter::NewPointText(host::PaintOrder order, host::Art prep,
                                             host::TextOrientation orientation,
                                             host::RealPoint anchor, host::Art* frame) {
    static constexpr std::string_view kFunction = "NewPointText";
    const ArtRecord* by = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, frame != nullptr, prep, &by)) {
        return error;
    }
    return calls_.Store().NewPointText(calls_.Name(kFunction), order, prep, orientation, anchor,
                                       frame);
}

host::Error AiTextFrameAdapter::GetTextRange(host::Art frame, host::TextRange* range) {
    static constexpr std::string_view kFunction = "GetTextRange";
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, range != nullptr, frame, &record)) {
        return error;
    }
    return text_.NewRange(calls_.Name(kFunction), frame, range);
}

host::Error AiTextFrameAdapter::CreateOutline(host::Art frame, host::Art* outline) {
    static constexpr std::string_view kFunction = "CreateOutline";
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, outline != nullptr, frame, &record)) {
        return error;
    }
    return calls_.Store().CreateOutline(calls_.Name(kFunction), frame, outline);
}

AiFontAdapter::AiFontAdapter(HostCore& core, InstalledFonts& fonts, TextEngine& text)
    : calls_(core, host::kAiFontSuite), fonts_(fonts), text_(text) {
    static const host::AiFontSuite suite{
        &Forward<&AiFontAdapter::CountTypefaces>::Call,
        &Forward<&AiFontAdapter::IndexTypefaceList>::Call,
        &Forward<&AiFontAdapter::CountTypefaceStyles>::Call,
        &Forward<&AiFontAdapter::IndexTypefaceStyleList>::Call,
        &Forward<&AiFontAdapter::GetTypefaceName>::Call,
        &Forward<&AiFontAdapter::GetStyleName>::Call,
        &Forward<&AiFontAdapter::FindFont>::Call,
        &Forward<&AiFontAdapter::GetFontMetrics>::Call,
        &Forward<&AiFontAdapter::GetGlyphAdvance>::Call,
        &Forward<&AiFontAdapter::GetPostScriptName>::Call,
        &Forward<&AiFontAdapter::GetTextFont>::Call,
    };
    core.Provide(host::kAiFontSuite.name, &suite);
}

host::Error AiFontAdapter::EnterFont(std::string_view function, bool argumentsPresent,
                                     host::Font font, InstalledFonts::Place* place) {
    if (const host::Error error = calls_.Enter(function, argumentsPresent)) {
        return error;
    }
    const std::optional<InstalledFonts::Place> found = fonts_.FindFont(font, calls_.Name(function));
    if (!found) {
        return host::kErrorBadHandle;
    }
    *place = *found;
    return host::kNoError;
}

host::Error AiFontAdapter::CountTypefaces(std::int32_t* count) {
    if (const host::Error error = calls_.Enter("CountTypefaces", count != nullptr)) {
        return error;
    }
    *count = static_cast<std::int32_t>(fonts_.TypefaceCount());
    return host::kNoError;
}

host::Error AiFontAdapter::IndexTypefaceList(std::int32_t index, host::Typeface* typeface) {
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

host::Error AiFontAdapter::CountTypefaceStyles(host::Typeface typeface, std::int32_t* count) {
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

host::Error AiFontAdapter::IndexTypefaceStyleList(host::Typeface typeface, std::int32_t index,
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

host::Error AiFontAdapter::GetTypefaceName(host::Font font, char* name, std::size_t size) {
    InstalledFonts::Place place{};
    if (const host::Error error = EnterFont("GetTypefaceName", name != nullptr, font, &place)) {
        return error;
    }
    return SuiteCalls::CopyText(place.typeface->name, name, size);
}

host::Error AiFontAdapter::GetStyleName(host::Font font, char* name, std::size_t size) {
    InstalledFonts::Place place{};
    if (const host::Error error = EnterFont("GetStyleName", name != nullptr, font, &place)) {
        return error;
    }
    return SuiteCalls::CopyText(place.font.style, name, size);
}

host::Error AiFontAdapter::FindFont(const char* postScriptName, std::int32_t technology,
                                    std::int32_t script, bool substitute, host::Font* font) {
    if (const host::Error error =
            calls_.Enter("FindFont", postScriptName != nullptr && font != nullptr)) {
        return error;
    }
    const bool known = technology == host::kFontTechnologyAny && script == host::kFontScriptRoman;
    const host::Font found = known ? fonts_.FontNamed(postScriptName) : host::Font{};
    const host::Font answer = found || !substitute ? found : fonts_.FirstFont();
    if (!answer) {
        return host::kErrorFontNotFound;
    }
    *font = answer;
    return host::kNoError;
}

host::Error AiFontAdapter::GetFontMetrics(host::Font font, host::FontMetrics* metrics) {
    InstalledFonts::Place place{};
    if (const host::Error error = EnterFont("GetFontMetrics", metrics != nullptr, font, &place)) {
        return error;
    }
    *metrics = place.font.metrics;
    return host::kNoError;
}

host::Error AiFontAdapter::GetGlyphAdvance(host::Font font, const char* character,
                                           float* horizontal, float* vertical) {
    static constexpr std::string_view kFunction = "GetGlyphAdvance";
    InstalledFonts::Place place{};
    const bool present = character != nullptr && horizontal != nullptr && vertical != nullptr;
    if (const host::Error error = EnterFont(kFunction, present, font, &place)) {
        return error;
    }
    const std::optional<char32_t> decoded = OneCharacter(character);
    if (!decoded) {
        return calls_.BadArgument(kFunction, "a text that is not one UTF-8 character");
    }
    const std::optional<float> advance = fonts_.Advance(font, *decoded);
    if (!advance) {
        return host::kErrorNotFound;
    }
    *horizontal = *advance;
    *vertical = host::kVerticalAdvanceEm;
    return host::kNoError;
}

host::Error AiFontAdapter::GetPostScriptName(host::Font font, char* name, std::size_t size) {
    InstalledFonts::Place place{};
    if (const host::Error error = EnterFont("GetPostScriptName", name != nullptr, font, &place)) {
        return error;
    }
    return SuiteCalls::CopyText(place.font.postScriptName, name, size);
}

host::Error AiFontAdapter::GetTextFont(host::Font font, host::TextFont* textFont) {
    static constexpr std::string_view kFunction = "GetTextFont";
    if (const host::Error error = calls_.Enter(kFunction, textFont != nullptr)) {
        return error;
    }
    return text_.NewFont(calls_.Name(kFunction), font, textFont);
}

AteCharFeaturesAdapter::AteCharFeaturesAdapter(HostCore& core, TextEngine& text)
    : calls_(core, host::kAteCharFeaturesSuite), text_(text) {
    static const host::AteCharFeaturesSuite suite{
        &Forward<&AteCharFeaturesAdapter::New>::Call,
        &Forward<&AteCharFeaturesAdapter::Release>::Call,
        &Forward<&AteCharFeaturesAdapter::SetFont>::Call,
        &Forward<&AteCharFeaturesAdapter::SetFontSize>::Call,
    };
    core.Provide(host::kAteCharFeaturesSuite.name, &suite);
}

host::Error AteCharFeaturesAdapter::New(host::CharFeatures* features) {
    if (const host::Error error = calls_.Enter("New", features != nullptr)) {
        return error;
    }
    return text_.NewFeatures(features);
}

host::Error AteCharFeaturesAdapter::Release(host::CharFeatures features) {
    static constexpr std::string_view kFunction = "Release";
    if (const host::Error error = calls_.Enter(kFunction, true)) {
        return error;
    }
    return text_.ReleaseFeatures(calls_.Name(kFunction), features);
}

host::Error AteCharFeaturesAdapter::SetFont(host::CharFeatures features, host::TextFont font) {
    static constexpr std::string_view kFunction = "SetFont";
    if (const host::Error error = calls_.Enter(kFunction, true)) {
        return error;
    }
    return text_.SetFont(calls_.Name(kFunction), features, font);
}

host::Error AteCharFeaturesAdapter::SetFontSize(host::CharFeatures features, float size) {
    static constexpr std::string_view kFunction = "SetFontSize";
    if (const host::Error error = calls_.Enter(kFunction, true)) {
        return error;
    }
    return text_.SetSize(calls_.Name(kFunction), features, size);
}

AteTextRangeAdapter::AteTextRangeAdapter(HostCore& core, TextEngine& text)
    : calls_(core, host::kAteTextRangeSuite), text_(text) {
    static const host::AteTextRangeSuite suite{
        &Forward<&AteTextRangeAdapter::Release>::Call,
        &Forward<&AteTextRangeAdapter::SetLocalCharFeatures>::Call,
        &Forward<&AteTextRangeAdapter::InsertAfter>::Call,
    };
    core.Provide(host::kAteTextRangeSuite.name, &suite);
}

host::Error AteTextRangeAdapter::Release(host::TextRange range) {
    static constexpr std::string_view kFunction = "Release";
    if (const host::Error error = calls_.Enter(kFunction, true)) {
        return error;
    }
    return text_.ReleaseRange(calls_.Name(kFunction), range);
}

host::Error AteTextRangeAdapter::SetLocalCharFeatures(host::TextRange range,
                                                      host::CharFeatures features) {
    static constexpr std::string_view kFunction = "SetLocalCharFeatures";
    if (const host::Error error = calls_.Enter(kFunction, true)) {
        return error;
    }
    return text_.SetLocalFeatures(calls_.Name(kFunction), range, features);
}

host::Error AteTextRangeAdapter::InsertAfter(host::TextRange range, const char16_t* text,
                                             std::int32_t length) {
    static constexpr std::string_view kFunction = "InsertAfter";
    if (const host::Error error = calls_.Enter(kFunction, text != nullptr)) {
        return error;
    }
    if (length < 0) {
        return calls_.BadArgument(kFunction, "text length " + std::to_string(length));
    }
    return text_.InsertAfter(calls_.Name(kFunction), range,
                             std::u16string_view(text, static_cast<std::size_t>(length)));
}

AteFontAdapter::AteFontAdapter(HostCore& core, TextEngine& text)
    : calls_(core, host::kAteFontSuite), text_(text) {
    static const host::AteFontSuite suite{
        &Forward<&AteFontAdapter::Release>::Call,
    };
    core.Provide(host::kAteFontSuite.name, &suite);
}

host::Error AteFontAdapter::Release(host::TextFont font) {
    static constexpr std::string_view kFunction = "Release";
    if (const host::Error error = calls_.Enter(kFunction, true)) {
        return error;
    }
    return text_.ReleaseFont(calls_.Name(kFunction), font);
}

}  // namespace standin
