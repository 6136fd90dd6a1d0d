#include "BarcodeProcessorIdentification.h"

#include <cmath>

#include "BarcodeIdentificationPass.h"
#include "BarcodeProcessorRegistry.h"

namespace Strivelo {

namespace {

// The first processor offered is kept; a later one makes the result ambiguous
// and replaces it only with a strictly smaller deviation, so ties keep the
// earlier registered symbology.
class BestCandidate {
public:
    explicit BestCandidate(bool* ambiguous) : ambiguous_(ambiguous) { *ambiguous_ = false; }

    void Offer(std::unique_ptr<BarcodeProcessor> candidate, double deviation) {
        if (best_ != nullptr) {
            *ambiguous_ = true;
            if (!(deviation < deviation_)) {
                return;
            }
        }
        best_ = std::move(candidate);
        deviation_ = deviation;
    }

    std::unique_ptr<BarcodeProcessor> Take() { return std::move(best_); }

private:
    bool* ambiguous_;
    std::unique_ptr<BarcodeProcessor> best_;
    double deviation_ = 0.0;
};

// A deviation that is not finite could never be compared, so such a
// decoding counts as none.
bool Decodes(BarcodeProcessor& candidate, const double* edges, std::uint32_t count,
             double* deviation) {
    return candidate.DecodeEdges(edges, count, deviation) && std::isfinite(*deviation);
}

}  // namespace

std::unique_ptr<BarcodeProcessor> IdentifyFromEdges(const double* edges, std::uint32_t count,
                                                    bool* ambiguous) {
    BestCandidate best(ambiguous);
    const BarcodeIdentificationPass pass;
    for (const BarcodeProcessorRegistryEntry& entry : GetRegisteredEntries()) {
        if (entry.screen != nullptr && !entry.screen(edges, count)) {
            continue;
        }
        std::unique_ptr<BarcodeProcessor> candidate = entry.factory();
        if (candidate == nullptr) {
            break;
        }
        double deviation = 0.0;
        if (Decodes(*candidate, edges, count, &deviation)) {
            best.Offer(std::move(candidate), deviation);
        }
    }
    return best.Take();
}

// A candidate with current's deviation follows current only when it is
// registered later, that is after current's own type was passed.
std::unique_ptr<BarcodeProcessor> IdentifyNextCandidate(const BarcodeProcessor* current,
                                                        bool* ambiguous) {
    BestCandidate best(ambiguous);
    if (current == nullptr) {
        return nullptr;
    }
    const double currentDeviation = current->GetMeanDeviation();
    std::uint32_t count = 0;
    const double* const edges = current->GetMeasuredEdges(&count);
    const BarcodeIdentificationPass pass;
    bool currentPassed = false;
    const std::uint32_t registered = GetRegisteredCount();
    for (std::uint32_t index = 0;; ++index) {
        // A screen comes with a standard symbology, registered under the type
        // its processors have.
        if (index < registered && !MightDecodeByIndex(index, edges, count)) {
            currentPassed = currentPassed || GetRegisteredType(index) == current->GetType();
            continue;
        }
        std::unique_ptr<BarcodeProcessor> candidate = CreateByIndex(index);
        if (candidate == nullptr) {
            break;
        }
        if (candidate->GetType() == current->GetType()) {
            currentPassed = true;
            continue;
        }
        double deviation = 0.0;
        if (!Decodes(*candidate, edges, count, &deviation)) {
            continue;
        }
        if (deviation > currentDeviation || (deviation == currentDeviation && currentPassed)) {
            best.Offer(std::move(candidate), deviation);
        }
    }
    std::unique_ptr<BarcodeProcessor> next = best.Take();
    if (next != nullptr) {
        next->SetBarHeight(current->GetBarHeight());
        next->edges_.ReferToCallerOf(current->edges_);
    }
    return next;
}

}  // namespace Strivelo
