#include "TextEngine.h"

#include <string>

namespace standin {

namespace {

bool Any(const TextFeatures& features) {
    return features.font || features.size;
}

// The later features where they are set.
TextFeatures Merged(const TextFeatures& earlier, const TextFeatures& later) {
    return {later.font ? later.font : earlier.font, later.size ? later.size : earlier.size};
}

}  // namespace

TextEngine::TextEngine(Violations& violations, DocumentStore& store, InstalledFonts& fonts)
    : violations_(violations),
      store_(store),
      fonts_(fonts),
      ranges_(violations, "text range"),
      features_(violations, "character features"),
      fontRefs_(violations, "text font") {}

host::Error TextEngine::NewRange(std::string_view call, host::Art frame, host::TextRange* range) {
    const ArtRecord* record = store_.FindArt(frame, call);
    if (record == nullptr) {
        return host::kErrorBadHandle;
    }
    if (record->type != host::ArtType::kTextFrame) {
        return host::kErrorWrongKind;
    }
    *range = ranges_.Issue({frame, 0, record->text.characters.size(), {}});
    return host::kNoError;
}

host::Error TextEngine::SetLocalFeatures(std::string_view call, host::TextRange range,
                                         host::CharFeatures features) {
    Range* found = ranges_.Find(range, call);
    const TextFeatures* set = features_.Find(features, call);
    if (found == nullptr || set == nullptr) {
        return host::kErrorBadHandle;
    }
    if (found->begin == found->end) {
        if (store_.FindArt(found->frame, call) == nullptr) {
            return host::kErrorBadHandle;
        }
        found->pending = Merged(found->pending, *set);
        return host::kNoError;
    }
    return store_.SetTextFeatures(call, found->frame, found->begin, found->end, *set);
}

host::Error TextEngine::InsertAfter(std::string_view call, host::TextRange range,
                                    std::u16string_view text) {
    Range* found = ranges_.Find(range, call);
    if (found == nullptr) {
        return host::kErrorBadHandle;
    }
    const ArtRecord* frame = store_.FindArt(found->frame, call);
    if (frame == nullptr) {
        return host::kErrorBadHandle;
    }
    TextFeatures features = found->pending;
    const std::vector<TextCharacter>& characters = frame->text.characters;
    if (!Any(features) && found->end > 0 && found->end <= characters.size()) {
        const TextCharacter& before = characters[found->end - 1];
        features = {before.font, before.size};
    }
    const host::Error error = store_.InsertText(call, found->frame, found->end, text, features);
    if (error == host::kNoError) {
        found->end += text.size();
    }
    return error;
}

host::Error TextEngine::ReleaseRange(std::string_view call, host::TextRange range) {
    return ranges_.Retire(range, call) ? host::kNoError : host::kErrorBadHandle;
}

host::Error TextEngine::NewFeatures(host::CharFeatures* features) {
    *features = features_.Issue({});
    return host::kNoError;
}

host::Error TextEngine::SetFont(std::string_view call, host::CharFeatures features,
                                host::TextFont font) {
    TextFeatures* found = features_.Find(features, call);
    const host::Font* key = fontRefs_.Find(font, call);
    if (found == nullptr || key == nullptr) {
        return host::kErrorBadHandle;
    }
    found->font = *key;
    return host::kNoError;
}

host::Error TextEngine::SetSize(std::string_view call, host::CharFeatures features, float size) {
    TextFeatures* found = features_.Find(features, call);
    if (found == nullptr) {
        return host::kErrorBadHandle;
    }
    if (!(size > 0)) {
        violations_.Record(ViolationKind::kBadArgument, call, "font size " + std::to_string(size));
        return host::kErrorBadArgument;
    }
    found->size = size;
    return host::kNoError;
}

host::Error TextEngine::ReleaseFeatures(std::string_view call, host::CharFeatures features) {
    return features_.Retire(features, call) ? host::kNoError : host::kErrorBadHandle;
}

host::Error TextEngine::NewFont(std::string_view call, host::Font key, host::TextFont* font) {
    if (!fonts_.FindFont(key, call)) {
        return host::kErrorBadHandle;
    }
    *font = fontRefs_.Issue(key);
    return host::kNoError;
}

host::Error TextEngine::ReleaseFont(std::string_view call, host::TextFont font) {
    return fontRefs_.Retire(font, call) ? host::kNoError : host::kErrorBadHandle;
}

std::size_t TextEngine::Outstanding() const {
    return ranges_.LiveCount() + features_.LiveCount() + fontRefs_.LiveCount();
}

}  // namespace standin
