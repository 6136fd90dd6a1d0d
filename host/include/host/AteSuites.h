#pragma once

#include <cstdint>

#include "host/HostErrors.h"
#include "host/HostHandles.h"

namespace host {

// The text engine's suites. Every object one of them hands out is a
// reference that its holder releases exactly once.

// "ATE CharFeatures Suite": a set of character features, empty when new.
struct AteCharFeaturesSuite {
    Error (*New)(CharFeatures* features);
    Error (*Release)(CharFeatures features);
    Error (*SetFont)(CharFeatures features, TextFont font);
    Error (*SetFontSize)(CharFeatures features, float size);  // points
};

// "ATE TextRange Suite". Features set on an empty range go to the text
// inserted after it; text is inserted at the range's end, which the range
// then includes.
struct AteTextRangeSuite {
    Error (*Release)(TextRange range);
    Error (*SetLocalCharFeatures)(TextRange range, CharFeatures features);
    Error (*InsertAfter)(TextRange range, const char16_t* text, std::int32_t length);
};

// "ATE Font Suite".
struct AteFontSuite {
    Error (*Release)(TextFont font);
};

}  // namespace host
