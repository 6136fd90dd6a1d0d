#include "Scanline.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace StriveloBench {

namespace {

constexpr double kWhite = 255.0;
constexpr double kMidGrey = kWhite / 2.0;

}  // namespace

Scanline RenderScanline(const std::vector<double>& edges, double widthMm, double pixelMm) {
    Scanline row;
    row.pixelMm = pixelMm;
    const auto count = static_cast<std::size_t>(std::ceil(widthMm / pixelMm));
    // Per pixel, the share of its width under a bar.
    std::vector<double> covered(count, 0.0);
    for (std::size_t i = 0; i + 1 < edges.size(); i += 2) {
        const double left = std::max(0.0, edges[i] / pixelMm);
        const double right = std::min(static_cast<double>(count), edges[i + 1] / pixelMm);
        for (auto pixel = static_cast<std::size_t>(left); static_cast<double>(pixel) < right;
             ++pixel) {
            const auto start = static_cast<double>(pixel);
            covered[pixel] += std::min(right, start + 1.0) - std::max(left, start);
        }
    }
    row.pixels.reserve(count);
    for (const double share : covered) {
        row.pixels.push_back(
            static_cast<std::uint8_t>(std::lround(kWhite * (1.0 - std::min(share, 1.0)))));
    }
    return row;
}

std::vector<double> ScanlineEdges(const Scanline& row) {
    std::vector<double> edges;
    for (std::size_t i = 0; i + 1 < row.pixels.size(); ++i) {
        const double here = row.pixels[i];
        const double next = row.pixels[i + 1];
        if ((here > kMidGrey) != (next > kMidGrey)) {
            const double centre = static_cast<double>(i) + 0.5;
            edges.push_back((centre + (here - kMidGrey) / (here - next)) * row.pixelMm);
        }
    }
    return edges;
}

}  // namespace StriveloBench
