#include "InstalledFonts.h"

#include <utility>

namespace standin {

namespace {

// Advances of the default fonts in em, where they differ from the font's.
constexpr float kSpaceAdvanceEm = 0.278f;
constexpr float kDigitAdvanceEm = 0.556f;
constexpr float kMonospaceAdvanceEm = 0.6f;

// A proportional font: narrow space, tabular digits.
CatalogueFont Proportional(std::string postScriptName, std::string style) {
    CatalogueFont font{std::move(postScriptName), std::move(style)};
    font.advances[U' '] = kSpaceAdvanceEm;
    for (char32_t digit = U'0'; digit <= U'9'; ++digit) {
        font.advances[digit] = kDigitAdvanceEm;
    }
    return font;
}

// The fonts of a typeface: its styles, or the one font of a typeface
// without styles.
std::vector<CatalogueFont> FontsOfTypeface(const CatalogueTypeface& typeface) {
    if (typeface.styles.empty()) {
        return {CatalogueFont{typeface.name, ""}};
    }
    return typeface.styles;
}

}  // namespace

host::FontMetrics DefaultFontMetrics() {
    return {host::kDefaultLeadingEm, host::kDefaultCapHeightEm,
            host::kDefaultXHeightEm, host::kDefaultUnderlineOffsetEm,
            host::kDefaultAscentEm,  host::kDefaultUnderlineThicknessEm,
            host::kDefaultDescentEm};
}

FontCatalogue DefaultFontCatalogue() {
    CatalogueFont ocrb{"OCRB", "Regular"};
    ocrb.advance = kMonospaceAdvanceEm;
    return {
        {"Arial", {Proportional("ArialMT", "Regular"), Proportional("Arial-BoldMT", "Bold")}},
        {"Gill Sans", {Proportional("GillSans", "Regular"), Proportional("GillSans-Bold", "Bold")}},
        {"Helvetica",
         {Proportional("Helvetica", "Regular"), Proportional("Helvetica-Bold", "Bold")}},
        {"OCRB", {ocrb}},
        {"Pictographs", {}},
    };
}

InstalledFonts::InstalledFonts(Violations& violations, FontCatalogue catalogue)
    : typefaceKeys_(violations, "typeface"), fontKeys_(violations, "font") {
    SetCatalogue(std::move(catalogue));
}

void InstalledFonts::SetCatalogue(FontCatalogue catalogue) {
    RetireHandles();
    ++revision_;
    catalogue_ = std::move(catalogue);
    fonts_.clear();
    for (std::size_t typeface = 0; typeface < catalogue_.size(); ++typeface) {
        fonts_.push_back(FontsOfTypeface(catalogue_[typeface]));
        TypefaceHandles issued{typefaceKeys_.Issue(typeface), {}};
        for (std::size_t style = 0; style < fonts_.back().size(); ++style) {
            issued.fonts.push_back(fontKeys_.Issue({typeface, style}));
        }
        handles_.push_back(std::move(issued));
    }
}

void InstalledFonts::RetireHandles() {
    static constexpr std::string_view kReason = "replacing the font catalogue";
    for (const TypefaceHandles& issued : handles_) {
        typefaceKeys_.Retire(issued.typeface, kReason);
        for (const host::Font font : issued.fonts) {
            fontKeys_.Retire(font, kReason);
        }
    }
    handles_.clear();
}

host::Font InstalledFonts::FontNamed(std::string_view postScriptName) const {
    for (std::size_t typeface = 0; typeface < fonts_.size(); ++typeface) {
        for (std::size_t style = 0; style < fonts_[typeface].size(); ++style) {
            if (fonts_[typeface][style].postScriptName == postScriptName) {
                return handles_[typeface].fonts[style];
            }
        }
    }
    return {};
}

host::Font InstalledFonts::FirstFont() const {
    return handles_.empty() ? host::Font{} : handles_.front().fonts.front();
}

const CatalogueTypeface* InstalledFonts::FindTypeface(host::Typeface typeface,
                                                      std::string_view call) {
    const std::size_t* index = typefaceKeys_.Find(typeface, call);
    return index != nullptr ? &catalogue_[*index] : nullptr;
}

const std::vector<host::Font>* InstalledFonts::FontsOf(host::Typeface typeface,
                                                       std::string_view call) {
    const std::size_t* index = typefaceKeys_.Find(typeface, call);
    return index != nullptr ? &handles_[*index].fonts : nullptr;
}

std::optional<InstalledFonts::Place> InstalledFonts::FindFont(host::Font font,
                                                              std::string_view call) {
    const FontPlace* place = fontKeys_.Find(font, call);
    if (place == nullptr) {
        return std::nullopt;
    }
    return Place{&catalogue_[place->typeface], fonts_[place->typeface][place->style]};
}

const CatalogueFont* InstalledFonts::PeekFont(host::Font font) const {
    const FontPlace* place = fontKeys_.Peek(font);
    return place != nullptr ? &fonts_[place->typeface][place->style] : nullptr;
}

host::FontMetrics InstalledFonts::Metrics(host::Font font) const {
    const CatalogueFont* found = PeekFont(font);
    return found != nullptr ? found->metrics : DefaultFontMetrics();
}

std::optional<float> InstalledFonts::Advance(host::Font font, char32_t character) const {
    const CatalogueFont* found = PeekFont(font);
    if (found == nullptr) {
        return host::kDefaultAdvanceEm;
    }
    if (const auto listed = found->advances.find(character); listed != found->advances.end()) {
        return listed->second;
    }
    if (character > found->lastCharacter) {
        return std::nullopt;
    }
    return found->advance;
}

}  // namespace standin
