// Barcodes other programs wrote as SVG, opened in the host and measured with
// the measure tool: zint draws a bar as a filled rect, GNU barcode as a line
// stroked with the bar's width.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

#include "BarcodeFourCC.h"
#include "CaseName.h"
#include "PaletteScene.h"
#include "SvgReader.h"
#include "TempFolder.h"
#include "ToolRun.h"

namespace {

using creationtest::PaletteScene;
using Strivelo::FourCC;

// Dark enough for the bar scanner; the programs paint bars black.
constexpr float kDarkGray = 0.5f;
// The measuring line begins and ends this far outside the page, so that it
// crosses a bar drawn at the page's edge.
constexpr float kBeyondPagePoints = 10;

struct Case {
    const char* name;
    std::string command;  // writing the file named by its last word
    std::int32_t type;    // shown in the palette
    const char* code;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// Both programs add no check character where it is optional (zint by
// default, GNU barcode with -c); GNU barcode wants EAN and UPC without their
// check digit.
const Case kCases[] = {
    {"ZintEAN13", "zint --filetype=svg -b 13 -d 400638133393 -o", FourCC("eanD"),
     "4-006381-333931"},
    {"ZintUPCA", "zint --filetype=svg -b 34 -d 03600029145 -o", FourCC("upca"), "0-36000-29145-2"},
    {"ZintCode128", "zint --filetype=svg -b 20 -d AB123456 -o", FourCC("c128"), "AB123456"},
    {"ZintCode39", "zint --filetype=svg -b 8 -d CODE39 -o", FourCC("3of9"), "CODE39"},
    {"ZintInterleaved2of5", "zint --filetype=svg -b 3 -d 123456 -o", FourCC("2of5"), "123456"},
    {"ZintCodabar", "zint --filetype=svg -b 18 -d A1234B -o", FourCC("coda"), "A1234B"},
    {"GnuBarcodeEAN13", "barcode -e ean13 -b 400638133393 -S -o", FourCC("eanD"),
     "4-006381-333931"},
    {"GnuBarcodeUPCA", "barcode -e upc -b 03600029145 -S -o", FourCC("upca"), "0-36000-29145-2"},
    {"GnuBarcodeCode128", "barcode -e 128 -b AB123456 -S -o", FourCC("c128"), "AB123456"},
    {"GnuBarcodeCode39", "barcode -e 39 -c -b CODE39 -S -o", FourCC("3of9"), "CODE39"},
    {"GnuBarcodeInterleaved2of5", "barcode -e i25 -c -b 123456 -S -o", FourCC("2of5"), "123456"},
    {"GnuBarcodeCodabar", "barcode -e cbr -c -b A1234B -S -o", FourCC("coda"), "A1234B"},
};

bool Dark(const host::Color& color) {
    return color.kind == host::ColorKind::kGray && color.gray > kDarkGray;
}

class ForeignSymbols : public testing::TestWithParam<Case> {};

// The measuring line goes across the whole page through the middle of the
// bars' height; the palette shows what it read.
TEST_P(ForeignSymbols, MeasureToTheirTypeAndCode) {
    const Case& c = GetParam();
    PaletteScene scene;
    scene.MakePalette();
    scene.MakeTools();
    const TempFolder folder;
    const std::string path = folder / "barcode.svg";
    const ToolRun run = RunTool(c.command + " '" + path + "'");
    ASSERT_EQ(run.status, 0) << run.errors << " (scripts/install-deps.sh installs the tool)";
    const standin::SvgOpened opened =
        standin::OpenSvgDocument(scene.store, scene.host.Fonts(), path);
    ASSERT_EQ(opened.error, "");
    ASSERT_EQ(scene.store.Current(), opened.document);

    host::RealRect bars{};
    bool any = false;
    const std::function<void(host::Art)> collect = [&](host::Art art) {
        const standin::ArtRecord& record = scene.Record(art);
        const host::PathStyle& style = record.style;
        if (record.type == host::ArtType::kPath &&
            ((style.fillPaint && Dark(style.fill.color)) ||
             (style.strokePaint && Dark(style.stroke.color)))) {
            host::RealRect box{};
            ASSERT_EQ(scene.store.Bounds(creationtest::kCall, art, &box), host::kNoError);
            bars = any ? host::RealRect{std::min(bars.left, box.left), std::max(bars.top, box.top),
                                        std::max(bars.right, box.right),
                                        std::min(bars.bottom, box.bottom)}
                       : box;
            any = true;
        }
        for (const host::Art child : record.children) {
            collect(child);
        }
    };
    const standin::DocumentRecord& document = scene.store.Document(opened.document);
    for (const host::Layer layer : document.layers) {
        collect(scene.store.PeekLayer(layer)->group);
    }
    ASSERT_TRUE(any);
    const float middle = (bars.top + bars.bottom) / 2;
    ASSERT_EQ(
        scene.Drag({-kBeyondPagePoints, middle}, {document.width + kBeyondPagePoints, middle}),
        host::kNoError);
    EXPECT_EQ(scene.Beeps(), 0);
    EXPECT_EQ(StriveloTest::TypeName(scene.ShownType()), StriveloTest::TypeName(c.type));
    EXPECT_EQ(scene.ShownCode(), c.code);
    scene.Shutdown();
    scene.ExpectBalancedAndClean();
}

INSTANTIATE_TEST_SUITE_P(ZintAndGnuBarcode, ForeignSymbols, testing::ValuesIn(kCases),
                         StriveloTest::CaseName<Case>);

}  // namespace
