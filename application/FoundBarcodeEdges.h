#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "BarcodeArtList.h"
#include "BarcodeProcessor.h"

// The edges of one barcode of an art list, room for the longest symbol, and
// its decoding: reused for every barcode of a run.
struct FoundBarcodeEdges {
    FoundBarcodeEdges();

    // Reads the barcode's edges, bar heights and bar-index map; its decoding
    // by the symbology that fits best, null when none decodes it.
    std::unique_ptr<Strivelo::BarcodeProcessor> Identify(const BarcodeArtList& list,
                                                         std::size_t barcode);

    std::vector<double> edges;
    std::vector<double> heights;
    std::vector<std::int32_t> barIndices;
    std::uint32_t count = 0;
};
