#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reads symbols with zxing-cpp as an independent decoder, for tests only.
namespace oracles {

// 8-bit grey, row-major, 0 black and 255 white.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

struct ZXingResult {
    std::string text;
    // zxing-cpp's name of what it found, e.g. "EAN-13", "UPC-E", "ITF".
    std::string format;
    // Why nothing was read; empty on success.
    std::string error;
};

// Decodes `image` looking only for `format` (a zxing-cpp format name such as
// "EAN-13", "Code128", "ITF"), or for every linear format when it is empty.
// An EAN/UPC add-on is read when present and appended after a space
// ("4006381333931 12"); zxing-cpp 1.4 finds it across a gap of up to 10
// modules, not 11 or 12. Codabar text keeps its start and stop
// characters, as zint takes them. An unknown format name or an image whose
// pixels do not match its size fails the current test.
ZXingResult ZXingRead(const GreyImage& image, const std::string& format = {});

// Draws a linear symbol: each module of `modules` ('1' dark, '0' light) as
// `pixelsPerModule` columns, `quietZoneModules` light modules on either side,
// `heightPixels` rows. Any other character fails the current test and gives an
// empty image.
GreyImage RenderModules(std::string_view modules, int pixelsPerModule, int quietZoneModules,
                        int heightPixels);

}  // namespace oracles
