#pragma once

#include <cstdint>
#include <vector>

namespace StriveloBench {

// One row of 8-bit grey pixels across a symbol, 0 black and 255 white,
// pixel i covering [i, i + 1) x pixelMm.
struct Scanline {
    double pixelMm = 0.0;
    std::vector<std::uint8_t> pixels;
};

// Draws bars (edges in mm from x = 0, two per bar) into a row from 0 to
// widthMm. Each pixel is as light as the share of it that no bar covers, so
// an edge inside a pixel leaves a grey that tells where it lies.
Scanline RenderScanline(const std::vector<double>& edges, double widthMm, double pixelMm);

// The edges (mm) where the row crosses mid-grey, placed between the two pixel
// centres by linear interpolation; a row that starts light gives bar starts at
// even indices.
std::vector<double> ScanlineEdges(const Scanline& row);

}  // namespace StriveloBench
