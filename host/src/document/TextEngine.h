#pragma once

#include <cstddef>
#include <string_view>

#include "HandleTable.h"
#include "Violations.h"
#include "document/DocumentStore.h"
#include "document/InstalledFonts.h"
#include "host/HostHandles.h"

namespace standin {

// The text engine's objects over the store: ranges of a frame's text, sets
// of character features and font references. Each is a reference that its
// holder releases exactly once; Outstanding() counts those not released.
//
// Features set on an empty range are kept by the range and go to the text
// inserted after it; without them, inserted text takes the features of the
// character before it.
class TextEngine {
public:
    TextEngine(Violations& violations, DocumentStore& store, InstalledFonts& fonts);

    // The range of the frame's whole text (empty for a new frame).
    host::Error NewRange(std::string_view call, host::Art frame, host::TextRange* range);
    host::Error SetLocalFeatures(std::string_view call, host::TextRange range,
                                 host::CharFeatures features);
    // Inserts the text at the range's end; the range then ends after it.
    host::Error InsertAfter(std::string_view call, host::TextRange range, std::u16string_view text);
    host::Error ReleaseRange(std::string_view call, host::TextRange range);

    host::Error NewFeatures(host::CharFeatures* features);
    host::Error SetFont(std::string_view call, host::CharFeatures features, host::TextFont font);
    host::Error SetSize(std::string_view call, host::CharFeatures features, float size);
    host::Error ReleaseFeatures(std::string_view call, host::CharFeatures features);

    // A reference to the font of the key.
    host::Error NewFont(std::string_view call, host::Font key, host::TextFont* font);
    host::Error ReleaseFont(std::string_view call, host::TextFont font);

    std::size_t Outstanding() const;

private:
    struct Range {
        host::Art frame;
        std::size_t begin;
        std::size_t end;
        TextFeatures pending;  // set while the range was empty
    };

    Violations& violations_;
    DocumentStore& store_;
    InstalledFonts& fonts_;
    HandleTable<host::TextRange, Range> ranges_;
    HandleTable<host::CharFeatures, TextFeatures> features_;
    HandleTable<host::TextFont, host::Font> fontRefs_;
};

}  // namespace standin
