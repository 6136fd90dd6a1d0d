#include "host/HostPolicies.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "StoreScene.h"
#include "document/InstalledFonts.h"
#include "host/AiSuites.h"
#include "host/HostMessages.h"

namespace {

// The plug-in compares these codes as fixed numbers; the
// other document rules of the header are pinned by the store's and the
// suites' tests.
TEST(HostPolicies, UseTheNumbersThePlugInReads) {
    struct Case {
        const char* what;
        std::int32_t code;
        std::int32_t value;
    };
    const Case cases[] = {
        {"group", static_cast<std::int32_t>(host::ArtType::kGroup), 1},
        {"path", static_cast<std::int32_t>(host::ArtType::kPath), 2},
        {"compound path", static_cast<std::int32_t>(host::ArtType::kCompoundPath), 3},
        {"text frame", static_cast<std::int32_t>(host::ArtType::kTextFrame), 12},
        {"legacy text", static_cast<std::int32_t>(host::ArtType::kLegacyText), 15},
        {"placed image", static_cast<std::int32_t>(host::ArtType::kPlacedImage), 20},
        {"grey", static_cast<std::int32_t>(host::ColorKind::kGray), 0},
        {"CMYK", static_cast<std::int32_t>(host::ColorKind::kCmyk), 1},
        {"pattern", static_cast<std::int32_t>(host::ColorKind::kPattern), 2},
        {"custom colour", static_cast<std::int32_t>(host::ColorKind::kCustom), 3},
        {"gradient", static_cast<std::int32_t>(host::ColorKind::kGradient), 4},
        {"RGB", static_cast<std::int32_t>(host::ColorKind::kRgb), 5},
        {"CMYK definition", static_cast<std::int32_t>(host::CustomColorKind::kCmyk), 0},
        {"RGB definition", static_cast<std::int32_t>(host::CustomColorKind::kRgb), 1},
        {"butt cap", static_cast<std::int32_t>(host::LineCap::kButt), 0},
        {"miter join", static_cast<std::int32_t>(host::LineJoin::kMiter), 0},
        {"normal blending", static_cast<std::int32_t>(host::BlendMode::kNormal), 0},
        {"multiply", static_cast<std::int32_t>(host::BlendMode::kMultiply), 1},
        {"shift", static_cast<std::int32_t>(host::kModifierShift), 0x200},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.code, c.value) << c.what;
    }
    EXPECT_STREQ(host::kDocumentOpenedNotifier, "AI Document Opened Notifier");
    EXPECT_STREQ(host::kDocumentChangedNotifier, "AI Document Changed Notifier");
    EXPECT_STREQ(host::kDocumentClosedNotifier, "AI Document Closed Notifier");
}

// The SVG reader's units and bounds, which the SVG tests run against at
// the limits themselves.
TEST(HostPolicies, BoundTheSvgReader) {
    EXPECT_EQ(host::kPointsPerSvgPixel, 0.75);
    EXPECT_EQ(host::kMaxSvgFileBytes, std::size_t{64} * 1024 * 1024);
    EXPECT_EQ(host::kMaxSvgNestingDepth, 256u);
    EXPECT_EQ(host::kMaxSvgSegments, 10'000'000u);
    EXPECT_EQ(host::kMaxSvgArt, 1'000'000u);
    EXPECT_STREQ(host::kSvgLayerName, "Ebene 1");
}

// The default catalogue holds the fonts the plug-in asks for by name, one
// typeface without styles, and metrics with M5 = 1.0 and M7 = -0.2 (so a
// character height of h gives the scale 1 / 1.2).
TEST(HostPolicies, InstallTheFontsThePlugInAsksFor) {
    standin::Violations violations;
    const standin::InstalledFonts fonts(violations, standin::DefaultFontCatalogue());
    for (const char* name : {"Helvetica", "ArialMT", "OCRB", "GillSans-Bold"}) {
        SCOPED_TRACE(name);
        const host::Font font = fonts.FontNamed(name);
        ASSERT_TRUE(font);
        const host::FontMetrics metrics = fonts.Metrics(font);
        EXPECT_EQ(metrics.ascent, 1.0f);
        EXPECT_EQ(metrics.descent, -0.2f);
        EXPECT_EQ(fonts.Advance(font, U'0'), name == std::string("OCRB") ? 0.6f : 0.556f);
    }
    bool withoutStyles = false;
    for (const standin::CatalogueTypeface& typeface : standin::DefaultFontCatalogue()) {
        withoutStyles = withoutStyles || typeface.styles.empty();
    }
    EXPECT_TRUE(withoutStyles);
    EXPECT_TRUE(violations.Empty());
}

// Layers are kept back to front, as children are; a new document's current
// layer is its first, and its view shows the page's middle at 100 %.
TEST(HostPolicies, KeepLayersBackToFront) {
    storetest::StoreScene scene({{"Hinten"}, {"Mitte"}, {"Vorne"}});
    const standin::DocumentRecord& document = scene.store.Document(scene.document);
    ASSERT_EQ(document.layers.size(), 3u);
    EXPECT_EQ(scene.store.PeekLayer(document.layers[0])->name, "Hinten");
    EXPECT_EQ(scene.store.PeekLayer(document.layers[2])->name, "Vorne");
    EXPECT_EQ(document.currentLayer, document.layers[0]);
    const standin::ViewRecord* view = scene.store.FindView(document.views.at(0), "test");
    EXPECT_EQ(view->centre, (host::RealPoint{250, 200}));
    EXPECT_EQ(view->zoom, 1.0);
    scene.ExpectNoViolations();
}

}  // namespace
