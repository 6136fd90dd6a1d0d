#include "BarcodeEdgeView.h"

namespace Strivelo {

// Reading an ascending list reversed, or a descending one forwards, walks the
// caller's indices backwards; the base is the caller value that becomes 0.
BarcodeEdgeView::BarcodeEdgeView(const double* edges, std::uint32_t count, bool reversed)
    : reversed_(reversed) {
    if (edges == nullptr || count == 0) {
        return;
    }
    edges_ = edges;
    count_ = count;
    const bool ascending = edges[count - 1] > edges[0];
    callerOrderReversed_ = ascending == reversed;
    base_ = callerOrderReversed_ ? edges[count - 1] : edges[0];
}

}  // namespace Strivelo
