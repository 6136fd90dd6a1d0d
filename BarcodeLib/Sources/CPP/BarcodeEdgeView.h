#pragma once

#include <cstdint>

namespace Strivelo {

// The most edge values the engine takes in one list, two per bar: more than
// the longest symbol of any symbology has (a Code 39 of 255 characters has
// 2570). A longer list decodes as nothing.
inline constexpr std::uint32_t kMaxEdgeCount = 4096;

// A caller's list of bar edges (mm, two per bar) seen as the engine stores it:
// increasing from 0, read from the end with the smaller coordinate unless
// reversed. Values are computed from the caller's list in place, so a
// symbology can reject foreign edges by count or pattern before anything is
// copied.
class BarcodeEdgeView {
public:
    // An empty view when edges is null or count is 0. Reading an ascending
    // list reversed, or a descending one forwards, walks the caller's
    // indices backwards; the base is the caller value that becomes 0.
    BarcodeEdgeView(const double* edges, std::uint32_t count, bool reversed) : reversed_(reversed) {
        if (edges == nullptr || count == 0) {
            return;
        }
        edges_ = edges;
        count_ = count;
        const bool ascending = edges[count - 1] > edges[0];
        callerOrderReversed_ = ascending == reversed;
        base_ = callerOrderReversed_ ? edges[count - 1] : edges[0];
    }

    std::uint32_t GetCount() const { return count_; }
    // The caller's list; null for an empty view.
    const double* GetCallerEdges() const { return edges_; }
    bool IsReadReversed() const { return reversed_; }
    // Whether value i stands at caller index count - 1 - i.
    bool IsCallerOrderReversed() const { return callerOrderReversed_; }

    double operator[](std::uint32_t i) const {
        const double edge = edges_[callerOrderReversed_ ? count_ - 1 - i : i];
        return reversed_ ? base_ - edge : edge - base_;
    }

    // Calls visit(i, value i) for every value in order, each value computed
    // as operator[] computes it, the directions decided once for all.
    template <typename Visit>
    void ForEach(Visit visit) const {
        if (callerOrderReversed_) {
            if (reversed_) {
                VisitAll(visit, [this](std::uint32_t i) { return base_ - edges_[count_ - 1 - i]; });
            } else {
                VisitAll(visit, [this](std::uint32_t i) { return edges_[count_ - 1 - i] - base_; });
            }
        } else if (reversed_) {
            VisitAll(visit, [this](std::uint32_t i) { return base_ - edges_[i]; });
        } else {
            VisitAll(visit, [this](std::uint32_t i) { return edges_[i] - base_; });
        }
    }

private:
    template <typename Visit, typename Value>
    void VisitAll(Visit& visit, Value value) const {
        for (std::uint32_t i = 0; i < count_; ++i) {
            visit(i, value(i));
        }
    }

    const double* edges_ = nullptr;
    std::uint32_t count_ = 0;
    bool reversed_ = false;
    bool callerOrderReversed_ = false;
    double base_ = 0.0;
};

}  // namespace Strivelo
