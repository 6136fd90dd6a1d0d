#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "HandleTable.h"
#include "HostCore.h"
#include "SuiteCalls.h"
#include "SuiteForward.h"
#include "host/AiSuites.h"

namespace standin {

struct CatalogueFont {
    std::string postScriptName;
    std::string style;
};

// A typeface with its styles. One without styles reports none, yet has one
// font at style index 0, named after the typeface, whose style name is "".
struct CatalogueTypeface {
    std::string name;
    std::vector<CatalogueFont> styles;
};

using FontCatalogue = std::vector<CatalogueTypeface>;

// "OCRB", "GillSans-Bold", "Helvetica", "ArialMT" among their typefaces'
// styles, and one typeface without styles.
FontCatalogue DefaultFontCatalogue();

// The installed fonts, serving "AI Font Suite": typefaces by index, their
// fonts by style index. A font key stays the same for the same font as long
// as the catalogue does, so keys compare equal; replacing the catalogue makes
// every earlier typeface and font handle stale.
class FontModel : public ActiveInstance<FontModel> {
public:
    FontModel(HostCore& core, FontCatalogue catalogue);
    const SuiteCalls& Calls() const { return calls_; }

    void SetCatalogue(FontCatalogue catalogue);
    // The key of the font of that PostScript name; null when there is none.
    host::Font FontNamed(std::string_view postScriptName) const;

    host::Error CountTypefaces(std::int32_t* count);
    host::Error IndexTypefaceList(std::int32_t index, host::Typeface* typeface);
    host::Error CountTypefaceStyles(host::Typeface typeface, std::int32_t* count);
    host::Error IndexTypefaceStyleList(host::Typeface typeface, std::int32_t index,
                                       host::Font* font);
    host::Error GetTypefaceName(host::Font font, char* name, std::size_t size);
    host::Error GetStyleName(host::Font font, char* name, std::size_t size);

private:
    struct FontPlace {
        std::size_t typeface;
        std::size_t style;
    };
    struct TypefaceHandles {
        host::Typeface typeface;
        std::vector<host::Font> fonts;  // one at least
    };

    void RetireHandles();

    SuiteCalls calls_;
    FontCatalogue catalogue_;
    std::vector<TypefaceHandles> handles_;
    HandleTable<host::Typeface, std::size_t> typefaces_;
    HandleTable<host::Font, FontPlace> fonts_;
};

}  // namespace standin
