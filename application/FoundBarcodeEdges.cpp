#include "FoundBarcodeEdges.h"

#include "BarcodeEdgeView.h"
#include "BarcodeProcessorIdentification.h"

FoundBarcodeEdges::FoundBarcodeEdges()
    : edges(Strivelo::kMaxEdgeCount),
      heights(Strivelo::kMaxEdgeCount / 2),
      barIndices(Strivelo::kMaxEdgeCount / 2) {}

std::unique_ptr<Strivelo::BarcodeProcessor> FoundBarcodeEdges::Identify(const BarcodeArtList& list,
                                                                        std::size_t barcode) {
    count = list.GetEdges(barcode, edges.data(), heights.data(), barIndices.data(),
                          Strivelo::kMaxEdgeCount);
    bool ambiguous = false;
    return count == 0 ? nullptr : Strivelo::IdentifyFromEdges(edges.data(), count, &ambiguous);
}
