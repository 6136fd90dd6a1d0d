#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "BarcodeDialog.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorStandardSymbologies.h"
#include "DialogBaseScene.h"
#include "DialogManager.h"
#include "PluginResources.h"
#include "StandInHost.h"
#include "StriveloResources.h"
#include "host/AiArtSuites.h"

namespace creationtest {

// The call the tests make the store's checked calls under.
inline constexpr const char* kCall = "test";

inline constexpr const char* kMissingFontDialog = "Mor7Lant Alert Illegal Params Dialog";
inline constexpr std::int32_t kMissingFontNameItem = 4;

inline host::Color Gray(float gray) {
    return {host::ColorKind::kGray, gray, {}, {}, {}};
}

// Filled, not stroked: a bar's paint when dark.
inline host::PathStyle Filled(host::Color color) {
    host::PathStyle style = standin::DefaultPathStyle();
    style.fillPaint = true;
    style.fill = {color, false};
    style.strokePaint = false;
    return style;
}

// Stroked, not filled, with the width in points.
inline host::PathStyle Stroked(host::Color color, float width) {
    host::PathStyle style = standin::DefaultPathStyle();
    style.fillPaint = false;
    style.strokePaint = true;
    style.stroke.color = color;
    style.stroke.width = width;
    return style;
}

inline host::PathSegment Corner(float h, float v) {
    return {{h, v}, {h, v}, {h, v}, true};
}

// The closed rectangle of the generator: left-bottom, left-top, right-top,
// right-bottom.
inline std::vector<host::PathSegment> Rectangle(float left, float bottom, float right, float top) {
    return {Corner(left, bottom), Corner(left, top), Corner(right, top), Corner(right, bottom)};
}

// The plug-in's resources, which a test may overlay, made before the host
// that reads them.
struct CreationResources {
    standin::ResourceOverlay resources{*StriveloResourceModule()};
};

// A stand-in host with the plug-in's suite table held as inside a message,
// over the plug-in's resources, a document of the given layers, and the
// standard symbologies registered with EAN-13 before UPC.
class CreationScene : private CreationResources, public frameworktest::DialogBaseScene {
public:
    explicit CreationScene(std::vector<standin::LayerSetup> layers = {{"Ebene 1"}},
                           standin::FontCatalogue fonts = standin::DefaultFontCatalogue(),
                           standin::PreferenceStore* preferences = nullptr)
        : DialogBaseScene(std::move(fonts), preferences, resources.Module()),
          document(store.OpenNew({"", 2000, 2000, std::move(layers)})) {
        BarcodeDialog::SetUPCBeforeEAN(false);
        Strivelo::FreeRegistry();
        EXPECT_TRUE(Strivelo::RegisterStandardSymbologies(false));
        EXPECT_TRUE(Strivelo::RegisterMS7B());
    }
    ~CreationScene() { Strivelo::FreeRegistry(); }

    host::Layer Layer(std::size_t index = 0) const {
        return store.Document(document).layers.at(index);
    }
    host::Art LayerGroup(std::size_t index = 0) const {
        return store.PeekLayer(Layer(index))->group;
    }
    const standin::ArtRecord& Record(host::Art art) const { return *store.PeekArt(art); }
    std::vector<host::Art> Children(host::Art art) const { return Record(art).children; }

    host::Art Make(host::ArtType type, host::Art into) {
        host::Art art;
        EXPECT_EQ(store.NewArt(kCall, type, host::PaintOrder::kInsideOnTop, into, &art),
                  host::kNoError);
        return art;
    }
    host::Art Group(host::Art into) { return Make(host::ArtType::kGroup, into); }
    host::Art Path(host::Art into, const std::vector<host::PathSegment>& segments,
                   const host::PathStyle& style, bool closed = true) {
        const host::Art path = Make(host::ArtType::kPath, into);
        EXPECT_EQ(store.SetSegmentCount(kCall, path, static_cast<std::int32_t>(segments.size())),
                  host::kNoError);
        EXPECT_EQ(store.SetSegments(kCall, path, 0, segments), host::kNoError);
        EXPECT_EQ(store.SetClosed(kCall, path, closed), host::kNoError);
        EXPECT_EQ(store.SetPathStyle(kCall, path, style), host::kNoError);
        return path;
    }
    // A filled rectangle in points.
    host::Art Bar(host::Art into, float left, float bottom, float right, float top,
                  host::Color color = Gray(1.0f)) {
        return Path(into, Rectangle(left, bottom, right, top), Filled(color));
    }
    host::Art Text(host::Art into, host::RealPoint anchor, std::u16string text) {
        host::Art frame;
        EXPECT_EQ(store.NewPointText(kCall, host::PaintOrder::kInsideOnTop, into,
                                     host::TextOrientation::kHorizontal, anchor, &frame),
                  host::kNoError);
        EXPECT_EQ(store.InsertText(kCall, frame, 0, text, {}), host::kNoError);
        return frame;
    }

    using CreationResources::resources;
    standin::DocumentStore& store = host.Documents();
    standin::DocumentId document;
};

}  // namespace creationtest
