#pragma once

#include <cstddef>
#include <cstdint>

#include "HostCore.h"
#include "SuiteCalls.h"
#include "SuiteForward.h"
#include "document/InstalledFonts.h"
#include "host/AiSuites.h"

namespace standin {

// "AI Font Suite" over the installed fonts: typefaces by index, their fonts
// by style index.
class FontModel : public ActiveInstance<FontModel> {
public:
    FontModel(HostCore& core, InstalledFonts& fonts);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error CountTypefaces(std::int32_t* count);
    host::Error IndexTypefaceList(std::int32_t index, host::Typeface* typeface);
    host::Error CountTypefaceStyles(host::Typeface typeface, std::int32_t* count);
    host::Error IndexTypefaceStyleList(host::Typeface typeface, std::int32_t index,
                                       host::Font* font);
    host::Error GetTypefaceName(host::Font font, char* name, std::size_t size);
    host::Error GetStyleName(host::Font font, char* name, std::size_t size);

private:
    SuiteCalls calls_;
    InstalledFonts& fonts_;
};

}  // namespace standin
