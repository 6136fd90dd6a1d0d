#pragma once

#include <cstdint>
#include <memory>

#include "BarcodeProcessor.h"

namespace Strivelo {

// Lets every registered symbology decode the edges (forwards, else reversed)
// and keeps the one with the smallest mean deviation, the earlier registered
// winning a tie; ambiguous tells whether more than one decoded. Null when
// none did.
std::unique_ptr<BarcodeProcessor> IdentifyFromEdges(const double* edges, std::uint32_t count,
                                                    bool* ambiguous);

// The symbology that follows current in the order (mean deviation, registry
// position) among those decoding current's edges, with current's bar height;
// null after the last. Repeated calls walk through all of them.
std::unique_ptr<BarcodeProcessor> IdentifyNextCandidate(const BarcodeProcessor* current,
                                                        bool* ambiguous);

}  // namespace Strivelo
