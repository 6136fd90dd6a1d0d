#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "HandleTable.h"
#include "Violations.h"
#include "host/AiSuites.h"
#include "host/HostHandles.h"
#include "host/HostPolicies.h"

namespace standin {

host::FontMetrics DefaultFontMetrics();

// A font: its PostScript name, its style name, metrics and advances in em.
// Characters up to lastCharacter have a glyph, with the advance listed for
// them or the font's advance; a character above it has one only when it is
// listed.
struct CatalogueFont {
    std::string postScriptName;
    std::string style;
    host::FontMetrics metrics = DefaultFontMetrics();
    float advance = host::kDefaultAdvanceEm;
    std::map<char32_t, float> advances = {};
    char32_t lastCharacter = 0xFF;
};

// A typeface with its styles. One without styles reports none, yet has one
// font at style index 0, named after the typeface, whose style name is "".
struct CatalogueTypeface {
    std::string name;
    std::vector<CatalogueFont> styles;
};

using FontCatalogue = std::vector<CatalogueTypeface>;

// "ArialMT", "GillSans-Bold", "Helvetica", "OCRB" among their typefaces'
// styles, and one typeface without styles.
FontCatalogue DefaultFontCatalogue();

// The host's installed fonts: typefaces and their fonts behind checked
// tokens. A font key stays the same for the same font as long as the
// catalogue does, so keys compare equal; replacing the catalogue makes every
// earlier typeface and font handle stale.
class InstalledFonts {
public:
    InstalledFonts(Violations& violations, FontCatalogue catalogue);

    void SetCatalogue(FontCatalogue catalogue);
    // Counts the catalogues set, so that what was laid out with an earlier
    // one is known to be out of date.
    std::uint64_t Revision() const { return revision_; }

    // The key of the font of that PostScript name; null when there is none.
    host::Font FontNamed(std::string_view postScriptName) const;
    // The font that stands in for a missing one.
    host::Font FirstFont() const;

    std::size_t TypefaceCount() const { return handles_.size(); }
    host::Typeface TypefaceAt(std::size_t index) const { return handles_[index].typeface; }
    // Null, with a violation against the call, for a handle that is not live.
    const CatalogueTypeface* FindTypeface(host::Typeface typeface, std::string_view call);
    const std::vector<host::Font>* FontsOf(host::Typeface typeface, std::string_view call);
    // The typeface and the font of a key; none, with a violation against the
    // call, for a key that is not live.
    struct Place {
        const CatalogueTypeface* typeface;
        CatalogueFont font;
    };
    std::optional<Place> FindFont(host::Font font, std::string_view call);

    // For laying out text, recording nothing: the metrics of a font (the
    // default for none), and a character's advance (none without a glyph).
    host::FontMetrics Metrics(host::Font font) const;
    std::optional<float> Advance(host::Font font, char32_t character) const;

private:
    struct FontPlace {
        std::size_t typeface;
        std::size_t style;
    };
    struct TypefaceHandles {
        host::Typeface typeface;
        std::vector<host::Font> fonts;  // one at least
    };

    const CatalogueFont* PeekFont(host::Font font) const;
    void RetireHandles();

    FontCatalogue catalogue_;
    std::uint64_t revision_ = 0;
    // The fonts of each typeface, as CatalogueFont values, in style order.
    std::vector<std::vector<CatalogueFont>> fonts_;
    std::vector<TypefaceHandles> handles_;
    HandleTable<host::Typeface, std::size_t> typefaceKeys_;
    HandleTable<host::Font, FontPlace> fontKeys_;
};

}  // namespace standin
