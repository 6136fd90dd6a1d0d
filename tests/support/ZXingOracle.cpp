#include "ZXingOracle.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <ZXing/BarcodeFormat.h>
#include <ZXing/DecodeHints.h>
#include <ZXing/ImageView.h>
#include <ZXing/ReadBarcode.h>

namespace oracles {

ZXingResult ZXingRead(const GreyImage& image, const std::string& format) {
    ZXingResult result;
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
        result.error = "image of " + std::to_string(image.pixels.size()) + " pixels is not " +
                       std::to_string(image.width) + " x " + std::to_string(image.height);
        ADD_FAILURE() << result.error;
        return result;
    }
    ZXing::BarcodeFormats formats = ZXing::BarcodeFormat::LinearCodes;
    if (!format.empty()) {
        const ZXing::BarcodeFormat wanted = ZXing::BarcodeFormatFromString(format);
        if (wanted == ZXing::BarcodeFormat::None) {
            result.error = "zxing-cpp knows no format \"" + format + "\"";
            ADD_FAILURE() << result.error;
            return result;
        }
        formats = wanted;
    }
    ZXing::DecodeHints hints;
    hints.setFormats(formats)
        .setEanAddOnSymbol(ZXing::EanAddOnSymbol::Read)
        .setReturnCodabarStartEnd(true);
    const ZXing::Result read = ZXing::ReadBarcode(
        {image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum}, hints);
    if (!read.isValid()) {
        result.error = read.error() ? ZXing::ToString(read.error()) : "no barcode found";
        return result;
    }
    result.text = read.text();
    result.format = ZXing::ToString(read.format());
    return result;
}

GreyImage RenderModules(std::string_view modules, int pixelsPerModule, int quietZoneModules,
                        int heightPixels) {
    GreyImage image;
    if (pixelsPerModule < 1 || quietZoneModules < 0 || heightPixels < 1 ||
        modules.find_first_not_of("01") != std::string_view::npos) {
        ADD_FAILURE() << "cannot render \"" << modules << "\" at " << pixelsPerModule
                      << " pixels per module, quiet zone " << quietZoneModules << ", height "
                      << heightPixels;
        return image;
    }
    image.width = (static_cast<int>(modules.size()) + 2 * quietZoneModules) * pixelsPerModule;
    image.height = heightPixels;
    std::vector<std::uint8_t> row(static_cast<size_t>(image.width), 255);
    for (size_t i = 0; i < modules.size(); ++i) {
        if (modules[i] == '1') {
            const auto start =
                row.begin() + (quietZoneModules + static_cast<int>(i)) * pixelsPerModule;
            std::fill(start, start + pixelsPerModule, 0);
        }
    }
    image.pixels.reserve(row.size() * heightPixels);
    for (int y = 0; y < heightPixels; ++y) {
        image.pixels.insert(image.pixels.end(), row.begin(), row.end());
    }
    return image;
}

}  // namespace oracles
