// The art suites: thin adapters over the document store.
#include <span>

#include "DocumentSuites.h"

namespace standin {

host::Error DocumentCalls::EnterDocument(std::string_view function, bool argumentsPresent,
                                         const DocumentRecord** document) const {
    if (const host::Error error = Enter(function, argumentsPresent)) {
        return error;
    }
    if (!store_.Current()) {
        return host::kErrorNoDocument;
    }
    *document = &store_.Document(store_.Current());
    return host::kNoError;
}

host::Error DocumentCalls::InCurrent(std::string_view function, DocumentId document) const {
    if (document == store_.Current()) {
        return host::kNoError;
    }
    GetViolations().Record(ViolationKind::kOtherDocument, Name(function),
                           "the current document is " + std::to_string(store_.Current().token) +
                               ", the object's " + std::to_string(document.token));
    return host::kErrorBadHandle;
}

host::Error DocumentCalls::EnterArt(std::string_view function, bool argumentsPresent, host::Art art,
                                    const ArtRecord** record) const {
    if (const host::Error error = Enter(function, argumentsPresent)) {
        return error;
    }
    *record = store_.FindArt(art, Name(function));
    return *record == nullptr ? host::kErrorBadHandle : InCurrent(function, (*record)->document);
}

host::Error DocumentCalls::EnterLayer(std::string_view function, bool argumentsPresent,
                                      host::Layer layer, const LayerRecord** record) const {
    if (const host::Error error = Enter(function, argumentsPresent)) {
        return error;
    }
    *record = store_.FindLayer(layer, Name(function));
    return *record == nullptr ? host::kErrorBadHandle : InCurrent(function, (*record)->document);
}

host::Error DocumentCalls::EnterView(std::string_view function, bool argumentsPresent,
                                     host::DocumentView view) const {
    if (const host::Error error = Enter(function, argumentsPresent)) {
        return error;
    }
    const ViewRecord* record = store_.FindView(view, Name(function));
    return record == nullptr ? host::kErrorBadHandle : InCurrent(function, record->document);
}

AiArtAdapter::AiArtAdapter(HostCore& core, DocumentStore& store)
    : calls_(core, host::kAiArtSuite, store) {
    static const host::AiArtSuite suite{
        &Forward<&AiArtAdapter::NewArt>::Call,
        &Forward<&AiArtAdapter::DisposeArt>::Call,
        &Forward<&AiArtAdapter::ReorderArt>::Call,
        &Forward<&AiArtAdapter::GetArtType>::Call,
        &Forward<&AiArtAdapter::GetArtParent>::Call,
        &Forward<&AiArtAdapter::GetArtFirstChild>::Call,
        &Forward<&AiArtAdapter::GetArtSibling>::Call,
        &Forward<&AiArtAdapter::GetArtBounds>::Call,
        &Forward<&AiArtAdapter::SetArtUserAttr>::Call,
        &Forward<&AiArtAdapter::GetFirstArtOfLayer>::Call,
    };
    core.Provide(host::kAiArtSuite.name, &suite);
}

host::Error AiArtAdapter::NewArt(host::ArtType type, host::PaintOrder order, host::Art prep,
                                 host::Art* art) {
    static constexpr std::string_view kFunction = "NewArt";
    const ArtRecord* by = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, art != nullptr, prep, &by)) {
        return error;
    }
    if (type != host::ArtType::kGroup && type != host::ArtType::kPath &&
        type != host::ArtType::kCompoundPath) {
        return calls_.BadArgument(
            kFunction, "new art of type " + std::to_string(static_cast<std::int32_t>(type)));
    }
    return calls_.Store().NewArt(calls_.Name(kFunction), type, order, prep, art);
}

host::Error AiArtAdapter::DisposeArt(host::Art art) {
    static constexpr std::string_view kFunction = "DisposeArt";
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, true, art, &record)) {
        return error;
    }
    return calls_.Store().DisposeArt(calls_.Name(kFunction), art);
}

host::Error AiArtAdapter::ReorderArt(host::Art art, host::PaintOrder order, host::Art prep) {
    static constexpr std::string_view kFunction = "ReorderArt";
    const ArtRecord* record = nullptr;
    const ArtRecord* by = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, true, art, &record)) {
        return error;
    }
    if (const host::Error error = calls_.EnterArt(kFunction, true, prep, &by)) {
        return error;
    }
    return calls_.Store().ReorderArt(calls_.Name(kFunction), art, order, prep);
}

host::Error AiArtAdapter::GetArtType(host::Art art, host::ArtType* type) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt("GetArtType", type != nullptr, art, &record)) {
        return error;
    }
    *type = record->type;
    return host::kNoError;
}

host::Error AiArtAdapter::GetArtParent(host::Art art, host::Art* parent) {
    const ArtRecord* record = nullptr;
    if (const host::Error error =
            calls_.EnterArt("GetArtParent", parent != nullptr, art, &record)) {
        return error;
    }
    *parent = record->parent;
    return host::kNoError;
}

host::Error AiArtAdapter::GetArtFirstChild(host::Art art, host::Art* child) {
    const ArtRecord* record = nullptr;
    if (const host::Error error =
            calls_.EnterArt("GetArtFirstChild", child != nullptr, art, &record)) {
        return error;
    }
    *child = record->children.empty() ? host::Art{} : record->children.front();
    return host::kNoError;
}

host::Error AiArtAdapter::GetArtSibling(host::Art art, host::Art* sibling) {
    const ArtRecord* record = nullptr;
    if (const host::Error error =
            calls_.EnterArt("GetArtSibling", sibling != nullptr, art, &record)) {
        return error;
    }
    *sibling = {};
    if (record->parent) {
        const std::vector<host::Art>& siblings = calls_.Store().PeekArt(record->parent)->children;
        const auto found = std::find(siblings.begin(), siblings.end(), art);
        if (found + 1 != siblings.end()) {
            *sibling = *(found + 1);
        }
    }
    return host::kNoError;
}

host::Error AiArtAdapter::GetArtBounds(host::Art art, host::RealRect* bounds) {
    static constexpr std::string_view kFunction = "GetArtBounds";
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, bounds != nullptr, art, &record)) {
        return error;
    }
    return calls_.Store().Bounds(calls_.Name(kFunction), art, bounds);
}

host::Error AiArtAdapter::SetArtUserAttr(host::Art art, std::int32_t mask,
                                         std::int32_t attributes) {
    static constexpr std::string_view kFunction = "SetArtUserAttr";
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, true, art, &record)) {
        return error;
    }
    if ((mask & ~host::kArtSelected) != 0) {
        return calls_.BadArgument(kFunction, "attribute mask " + std::to_string(mask));
    }
    if (mask == 0) {
        return host::kNoError;
    }
    return calls_.Store().SetSelected(calls_.Name(kFunction), art,
                                      (attributes & host::kArtSelected) != 0);
}

host::Error AiArtAdapter::GetFirstArtOfLayer(host::Layer layer, host::Art* art) {
    const LayerRecord* record = nullptr;
    if (const host::Error error =
            calls_.EnterLayer("GetFirstArtOfLayer", art != nullptr, layer, &record)) {
        return error;
    }
    *art = record->group;
    return host::kNoError;
}

AiPathAdapter::AiPathAdapter(HostCore& core, DocumentStore& store)
    : calls_(core, host::kAiPathSuite, store) {
    static const host::AiPathSuite suite{
        &Forward<&AiPathAdapter::GetPathSegmentCount>::Call,
        &Forward<&AiPathAdapter::SetPathSegmentCount>::Call,
        &Forward<&AiPathAdapter::GetPathSegments>::Call,
        &Forward<&AiPathAdapter::SetPathSegments>::Call,
        &Forward<&AiPathAdapter::SetPathClosed>::Call,
    };
    core.Provide(host::kAiPathSuite.name, &suite);
}

host::Error AiPathAdapter::GetPathSegmentCount(host::Art path, std::int32_t* count) {
    const ArtRecord* record = nullptr;
    if (const host::Error error =
            calls_.EnterArt("GetPathSegmentCount", count != nullptr, path, &record)) {
        return error;
    }
    if (record->type != host::ArtType::kPath) {
        return host::kErrorWrongKind;
    }
    *count = static_cast<std::int32_t>(record->segments.size());
    return host::kNoError;
}

host::Error AiPathAdapter::SetPathSegmentCount(host::Art path, std::int32_t count) {
    static constexpr std::string_view kFunction = "SetPathSegmentCount";
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, true, path, &record)) {
        return error;
    }
    return calls_.Store().SetSegmentCount(calls_.Name(kFunction), path, count);
}

host::Error AiPathAdapter::GetPathSegments(host::Art path, std::int32_t start, std::int32_t count,
                                           host::PathSegment* segments) {
    static constexpr std::string_view kFunction = "GetPathSegments";
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, segments != nullptr, path, &record)) {
        return error;
    }
    if (record->type != host::ArtType::kPath) {
        return host::kErrorWrongKind;
    }
    const auto held = static_cast<std::int64_t>(record->segments.size());
    if (start < 0 || count < 0 || std::int64_t{start} + count > held) {
        return calls_.BadArgument(kFunction, "segments " + std::to_string(start) + " to " +
                                                 std::to_string(std::int64_t{start} + count) +
                                                 " of " + std::to_string(held));
    }
    std::copy_n(record->segments.begin() + start, count, segments);
    return host::kNoError;
}

host::Error AiPathAdapter::SetPathSegments(host::Art path, std::int32_t start, std::int32_t count,
                                           const host::PathSegment* segments) {
    static constexpr std::string_view kFunction = "SetPathSegments";
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, segments != nullptr, path, &record)) {
        return error;
    }
    if (count < 0) {
        return calls_.BadArgument(kFunction, "segment count " + std::to_string(count));
    }
    return calls_.Store().SetSegments(calls_.Name(kFunction), path, start,
                                      std::span(segments, static_cast<std::size_t>(count)));
}

host::Error AiPathAdapter::SetPathClosed(host::Art path, bool closed) {
    static constexpr std::string_view kFunction = "SetPathClosed";
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, true, path, &record)) {
        return error;
    }
    return calls_.Store().SetClosed(calls_.Name(kFunction), path, closed);
}

AiPathStyleAdapter::AiPathStyleAdapter(HostCore& core, DocumentStore& store)
    : calls_(core, host::kAiPathStyleSuite, store) {
    static const host::AiPathStyleSuite suite{
        &Forward<&AiPathStyleAdapter::GetCurrentPathStyle>::Call,
        &Forward<&AiPathStyleAdapter::GetPathStyle>::Call,
        &Forward<&AiPathStyleAdapter::SetPathStyle>::Call,
    };
    core.Provide(host::kAiPathStyleSuite.name, &suite);
}

host::Error AiPathStyleAdapter::GetCurrentPathStyle(host::PathStyle* style) {
    const DocumentRecord* document = nullptr;
    if (const host::Error error =
            calls_.EnterDocument("GetCurrentPathStyle", style != nullptr, &document)) {
        return error;
    }
    *style = document->currentStyle;
    return host::kNoError;
}

host::Error AiPathStyleAdapter::GetPathStyle(host::Art art, host::PathStyle* style) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt("GetPathStyle", style != nullptr, art, &record)) {
        return error;
    }
    if (record->type != host::ArtType::kPath && record->type != host::ArtType::kCompoundPath) {
        return host::kErrorWrongKind;
    }
    *style = record->style;
    return host::kNoError;
}

host::Error AiPathStyleAdapter::SetPathStyle(host::Art art, const host::PathStyle* style) {
    static constexpr std::string_view kFunction = "SetPathStyle";
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, style != nullptr, art, &record)) {
        return error;
    }
    return calls_.Store().SetPathStyle(calls_.Name(kFunction), art, *style);
}

AiCustomColorAdapter::AiCustomColorAdapter(HostCore& core, DocumentStore& store)
    : calls_(core, host::kAiCustomColorSuite, store) {
    static const host::AiCustomColorSuite suite{
        &Forward<&AiCustomColorAdapter::GetCustomColor>::Call,
    };
    core.Provide(host::kAiCustomColorSuite.name, &suite);
}

host::Error AiCustomColorAdapter::GetCustomColor(host::CustomColor color,
                                                 host::CustomColorDefinition* definition) {
    static constexpr std::string_view kFunction = "GetCustomColor";
    if (const host::Error error = calls_.Enter(kFunction, definition != nullptr)) {
        return error;
    }
    const CustomColorRecord* record = calls_.Store().FindCustomColor(color, calls_.Name(kFunction));
    if (record == nullptr) {
        return host::kErrorBadHandle;
    }
    if (const host::Error error = calls_.InCurrent(kFunction, record->document)) {
        return error;
    }
    *definition = record->definition;
    return host::kNoError;
}

AiTagAdapter::AiTagAdapter(HostCore& core, DocumentStore& store)
    : calls_(core, host::kAiTagSuite, store) {
    static const host::AiTagSuite suite{
        &Forward<&AiTagAdapter::SetArtTag>::Call,
    };
    core.Provide(host::kAiTagSuite.name, &suite);
}

host::Error AiTagAdapter::SetArtTag(host::Art art, const char* name, const char* type,
                                    const char* value) {
    static constexpr std::string_view kFunction = "SetArtTag";
    const ArtRecord* record = nullptr;
    const bool present = name != nullptr && type != nullptr && value != nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, present, art, &record)) {
        return error;
    }
    return calls_.Store().SetTag(calls_.Name(kFunction), art, name, {type, value});
}

AiBlendStyleAdapter::AiBlendStyleAdapter(HostCore& core, DocumentStore& store)
    : calls_(core, host::kAiBlendStyleSuite, store) {
    static const host::AiBlendStyleSuite suite{
        &Forward<&AiBlendStyleAdapter::GetBlendingMode>::Call,
        &Forward<&AiBlendStyleAdapter::SetBlendingMode>::Call,
        &Forward<&AiBlendStyleAdapter::GetOpacity>::Call,
        &Forward<&AiBlendStyleAdapter::SetOpacity>::Call,
    };
    core.Provide(host::kAiBlendStyleSuite.name, &suite);
}

host::Error AiBlendStyleAdapter::GetBlendingMode(host::Art art, host::BlendMode* mode) {
    const ArtRecord* record = nullptr;
    if (const host::Error error =
            calls_.EnterArt("GetBlendingMode", mode != nullptr, art, &record)) {
        return error;
    }
    *mode = record->blendMode;
    return host::kNoError;
}

host::Error AiBlendStyleAdapter::SetBlendingMode(host::Art art, host::BlendMode mode) {
    static constexpr std::string_view kFunction = "SetBlendingMode";
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, true, art, &record)) {
        return error;
    }
    return calls_.Store().SetBlendMode(calls_.Name(kFunction), art, mode);
}

host::Error AiBlendStyleAdapter::GetOpacity(host::Art art, double* opacity) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt("GetOpacity", opacity != nullptr, art, &record)) {
        return error;
    }
    *opacity = record->opacity;
    return host::kNoError;
}

host::Error AiBlendStyleAdapter::SetOpacity(host::Art art, double opacity) {
    static constexpr std::string_view kFunction = "SetOpacity";
    const ArtRecord* record = nullptr;
    if (const host::Error error = calls_.EnterArt(kFunction, true, art, &record)) {
        return error;
    }
    return calls_.Store().SetOpacity(calls_.Name(kFunction), art, opacity);
}

}  // namespace standin
