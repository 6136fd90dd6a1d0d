#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Violations.h"
#include "document/DocumentStore.h"
#include "document/InstalledFonts.h"

namespace storetest {

// The call the tests make the store's checked calls under.
inline constexpr const char* kCall = "test";

// Every layer and every piece of art of a document with its record, in
// tree order: two equal contents are equal documents.
struct Content {
    std::vector<std::pair<host::Layer, standin::LayerRecord>> layers;
    std::vector<std::pair<host::Art, standin::ArtRecord>> art;
    bool operator==(const Content&) const = default;
};

inline void Collect(const standin::DocumentStore& store, host::Art art, Content& content) {
    content.art.emplace_back(art, *store.PeekArt(art));
    for (const host::Art child : store.PeekArt(art)->children) {
        Collect(store, child, content);
    }
}

inline Content Snapshot(const standin::DocumentStore& store, standin::DocumentId document) {
    Content content;
    for (const host::Layer layer : store.Document(document).layers) {
        content.layers.emplace_back(layer, *store.PeekLayer(layer));
        Collect(store, store.PeekLayer(layer)->group, content);
    }
    return content;
}

// A document store over the default fonts, with one open document of one
// layer.
struct StoreScene {
    explicit StoreScene(std::vector<standin::LayerSetup> layers = {{"Ebene 1"}})
        : document(store.OpenNew({"/documents/labels.ai", 500, 400, std::move(layers)})) {}

    host::Layer Layer(std::size_t index = 0) const {
        return store.Document(document).layers.at(index);
    }
    host::Art LayerGroup(std::size_t index = 0) const {
        return store.PeekLayer(Layer(index))->group;
    }
    // New art of the type, or none (the test fails) when the store refuses.
    host::Art Make(host::ArtType type, host::PaintOrder order, host::Art prep) {
        host::Art art;
        EXPECT_EQ(store.NewArt(kCall, type, order, prep, &art), host::kNoError);
        return art;
    }
    host::Art MakePath(host::Art into, std::vector<host::PathSegment> segments,
                       bool closed = true) {
        const host::Art path = Make(host::ArtType::kPath, host::PaintOrder::kInsideOnTop, into);
        EXPECT_EQ(store.SetSegmentCount(kCall, path, static_cast<std::int32_t>(segments.size())),
                  host::kNoError);
        EXPECT_EQ(store.SetSegments(kCall, path, 0, segments), host::kNoError);
        EXPECT_EQ(store.SetClosed(kCall, path, closed), host::kNoError);
        return path;
    }
    const standin::ArtRecord& Record(host::Art art) const { return *store.PeekArt(art); }
    std::vector<host::Art> Children(host::Art art) const { return Record(art).children; }

    Content Snapshot() const { return storetest::Snapshot(store, document); }

    // How every test ends: no mistake recorded.
    void ExpectNoViolations() const {
        for (const standin::Violation& violation : violations.All()) {
            ADD_FAILURE() << violation;
        }
    }

    standin::Violations violations;
    standin::InstalledFonts fonts{violations, standin::DefaultFontCatalogue()};
    standin::DocumentStore store{violations, fonts};
    standin::DocumentId document;
};

// A segment without handles.
inline host::PathSegment Corner(float h, float v) {
    return {{h, v}, {h, v}, {h, v}, true};
}

// The closed rectangle path of the generator: left-bottom, left-top,
// right-top, right-bottom.
inline std::vector<host::PathSegment> Rectangle(float left, float bottom, float right, float top) {
    return {Corner(left, bottom), Corner(left, top), Corner(right, top), Corner(right, bottom)};
}

}  // namespace storetest
