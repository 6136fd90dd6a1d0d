#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "document/DocumentStore.h"

// A document as what it holds, without the handles that tell one document
// from another: two documents with equal forms hold the same pages, layers,
// custom colours and art. Selection is left out: it is no part of a file.
namespace documentform {

struct LayerForm {
    std::string name;
    bool visible;
    bool editable;
    bool current;

    friend bool operator==(const LayerForm&, const LayerForm&) = default;
};

struct ColorForm {
    std::string name;
    host::CustomColorDefinition definition;

    friend bool operator==(const ColorForm&, const ColorForm&) = default;
};

// Art in tree order with its depth (1 for a layer's own group); its record
// without handles, a custom colour as its place in the document's list.
struct ArtForm {
    std::size_t layer;
    std::size_t depth;
    standin::ArtRecord record;

    friend bool operator==(const ArtForm&, const ArtForm&) = default;
};

struct DocumentForm {
    float width;
    float height;
    std::vector<LayerForm> layers;
    std::vector<ColorForm> colors;
    std::vector<ArtForm> art;

    friend bool operator==(const DocumentForm&, const DocumentForm&) = default;
};

inline void ToPlace(const standin::DocumentRecord& document, host::Color& color) {
    if (color.kind == host::ColorKind::kCustom) {
        const auto& colors = document.customColors;
        color.custom.color.token = static_cast<std::uint64_t>(
            std::find(colors.begin(), colors.end(), color.custom.color) - colors.begin());
    }
}

inline void Collect(const standin::DocumentStore& store, const standin::DocumentRecord& document,
                    std::size_t layer, std::size_t depth, host::Art art, DocumentForm& form) {
    const standin::ArtRecord& live = *store.PeekArt(art);
    standin::ArtRecord record = live;
    record.document = {};
    record.layer = {};
    record.parent = {};
    record.children.clear();
    record.selected = false;
    ToPlace(document, record.style.fill.color);
    ToPlace(document, record.style.stroke.color);
    ToPlace(document, record.text.color);
    form.art.push_back({layer, depth, std::move(record)});
    for (const host::Art child : live.children) {
        Collect(store, document, layer, depth + 1, child, form);
    }
}

inline DocumentForm FormOf(const standin::DocumentStore& store, standin::DocumentId id) {
    const standin::DocumentRecord& document = store.Document(id);
    DocumentForm form{document.width, document.height, {}, {}, {}};
    for (const host::CustomColor color : document.customColors) {
        const standin::CustomColorRecord& record = *store.PeekCustomColor(color);
        form.colors.push_back({record.name, record.definition});
    }
    for (std::size_t i = 0; i < document.layers.size(); ++i) {
        const standin::LayerRecord& layer = *store.PeekLayer(document.layers[i]);
        form.layers.push_back({layer.name, layer.visible, layer.editable,
                               document.layers[i] == document.currentLayer});
        Collect(store, document, i, 1, layer.group, form);
    }
    return form;
}

// Where the forms first differ, for a failure message; empty when equal.
inline std::string FirstDifference(const DocumentForm& expected, const DocumentForm& actual) {
    if (expected.width != actual.width || expected.height != actual.height) {
        return "page size";
    }
    if (expected.layers != actual.layers) {
        return "layers";
    }
    if (expected.colors != actual.colors) {
        return "custom colours";
    }
    if (expected.art.size() != actual.art.size()) {
        return std::to_string(expected.art.size()) + " pieces of art, not " +
               std::to_string(actual.art.size());
    }
    for (std::size_t i = 0; i < expected.art.size(); ++i) {
        const ArtForm& a = expected.art[i];
        const ArtForm& b = actual.art[i];
        const std::string where = "art " + std::to_string(i) + " of type " +
                                  std::to_string(static_cast<int>(a.record.type)) + ": ";
        const std::pair<const char*, bool> parts[] = {
            {"place", a.layer == b.layer && a.depth == b.depth && a.record.type == b.record.type},
            {"tags", a.record.tags == b.record.tags},
            {"blend",
             a.record.blendMode == b.record.blendMode && a.record.opacity == b.record.opacity},
            {"style", a.record.style == b.record.style},
            {"segments", a.record.segments == b.record.segments},
            {"closed", a.record.closed == b.record.closed},
            {"text", a.record.text == b.record.text},
            {"image", a.record.imageBounds == b.record.imageBounds},
        };
        for (const auto& [part, same] : parts) {
            if (!same) {
                return where + part;
            }
        }
    }
    return expected == actual ? "" : "?";
}

}  // namespace documentform
