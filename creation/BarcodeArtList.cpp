#include "BarcodeArtList.h"

#include <algorithm>
#include <map>
#include <memory>

#include "BarcodeEdgeView.h"
#include "BarcodeProcessorIdentification.h"
#include "M7LSuiteTable.h"

void BarcodeArtList::Collect() {
    Clear();
    WalkVisibleLayers();
}

void BarcodeArtList::Clear() {
    entries_.clear();
    entries_.shrink_to_fit();
}

host::Error BarcodeArtList::Candidate(host::Art bar, Run& run) {
    host::RealRect bounds;
    if (const host::Error error = sAiArt->GetArtBounds(bar, &bounds)) {
        return error;
    }
    if (!run.bars.empty()) {
        const float c = run.centreLine;
        const bool straddles = run.orientation == kReadAlongX
                                   ? bounds.bottom <= c && c <= bounds.top
                                   : bounds.left <= c && c <= bounds.right;
        if (straddles) {
            run.bars.push_back(bar);
            return host::kNoError;
        }
        EndRun(run);
    }
    const float width = bounds.right - bounds.left;
    const float height = bounds.top - bounds.bottom;
    if (width >= kMinFirstBarAspect * height) {
        run.orientation = kReadAlongY;
        run.centreLine = (bounds.left + bounds.right) / 2;
    } else if (height >= kMinFirstBarAspect * width) {
        run.orientation = kReadAlongX;
        run.centreLine = (bounds.top + bounds.bottom) / 2;
    } else {
        return host::kNoError;
    }
    run.bars.push_back(bar);
    return host::kNoError;
}

bool BarcodeArtList::MayHoldBars(host::Art) {
    return true;
}

void BarcodeArtList::KeepBarsOfCommonLength(Run& run) {
    std::vector<float> lengths;
    lengths.reserve(run.bars.size());
    for (const host::Art bar : run.bars) {
        host::RealRect bounds;
        if (sAiArt->GetArtBounds(bar, &bounds) != host::kNoError) {
            return;
        }
        lengths.push_back(run.orientation == kReadAlongX ? bounds.top - bounds.bottom
                                                         : bounds.right - bounds.left);
    }
    std::map<std::int64_t, std::size_t> counts;
    for (const float length : lengths) {
        ++counts[static_cast<std::int64_t>(length * kLengthStepsPerPoint + 0.5)];
    }
    // Ascending, so that of equally common lengths the shorter one wins.
    auto mode = counts.begin();
    for (auto key = counts.begin(); key != counts.end(); ++key) {
        if (key->second > mode->second) {
            mode = key;
        }
    }
    const double common = static_cast<double>(mode->first) / kLengthStepsPerPoint;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < run.bars.size(); ++i) {
        if (lengths[i] >= kMinBarLengthShare * common &&
            lengths[i] <= kMaxBarLengthShare * common) {
            run.bars[kept++] = run.bars[i];
        }
    }
    run.bars.resize(kept);
}

void BarcodeArtList::RunEnded(Run& run) {
    if (run.bars.size() < 2) {
        return;
    }
    KeepBarsOfCommonLength(run);
    const BarcodeArtEntry entry{run.bars, run.orientation};
    const auto maxEdges = static_cast<std::uint32_t>(
        std::min<std::size_t>(2 * entry.bars.size(), Strivelo::kMaxEdgeCount));
    std::vector<double> edges(maxEdges);
    std::vector<double> heights(maxEdges / 2);
    std::vector<std::int32_t> barIndices(maxEdges / 2);
    const std::uint32_t count =
        EdgesOf(entry, edges.data(), heights.data(), barIndices.data(), maxEdges);
    if (count == 0) {
        return;
    }
    bool ambiguous = false;
    if (Strivelo::IdentifyFromEdges(edges.data(), count, &ambiguous) != nullptr) {
        entries_.push_back(entry);
    }
}

std::uint32_t BarcodeArtList::EdgesOf(const BarcodeArtEntry& entry, double* edges, double* heights,
                                      std::int32_t* barIndices, std::uint32_t maxEdges) {
    if (entry.bars.size() < 2) {
        return 0;
    }
    SortedBarEdges sorted(edges, heights, barIndices, maxEdges);
    for (std::size_t j = 0; j < entry.bars.size(); ++j) {
        if (!entry.bars[j]) {
            continue;
        }
        host::RealRect bounds;
        if (sAiArt->GetArtBounds(entry.bars[j], &bounds) != host::kNoError ||
            !sorted.Insert(ExtentOf(bounds, entry.orientation), static_cast<std::int32_t>(j))) {
            return 0;
        }
    }
    return sorted.GetCount();
}

host::Error BarcodeArtList::SelectBarcode(std::size_t barcode) const {
    if (barcode >= entries_.size()) {
        return host::kNoError;
    }
    return SelectBarArt(entries_[barcode].bars);
}

bool BarcodeArtList::GetBarRect(std::size_t barcode, std::size_t bar,
                                Strivelo::BarcodeProcessor::BarBounds* rect) const {
    const host::Art art = GetBar(barcode, bar);
    host::RealRect bounds;
    if (!art || sAiArt->GetArtBounds(art, &bounds) != host::kNoError) {
        return false;
    }
    *rect = {bounds.left, bounds.top, bounds.right, bounds.bottom};
    return true;
}

host::Art BarcodeArtList::GetBar(std::size_t barcode, std::size_t bar) const {
    if (barcode >= entries_.size() || bar >= entries_[barcode].bars.size()) {
        return {};
    }
    return entries_[barcode].bars[bar];
}

std::uint8_t BarcodeArtList::GetOrientation(std::size_t barcode) const {
    return entries_[barcode].orientation;
}

std::uint32_t BarcodeArtList::GetEdges(std::size_t barcode, double* edges, double* heights,
                                       std::int32_t* barIndices, std::uint32_t maxEdges) const {
    if (barcode >= entries_.size()) {
        return 0;
    }
    return EdgesOf(entries_[barcode], edges, heights, barIndices, maxEdges);
}

host::Error BarcodeArtList::GetBounds(host::RealRect* bounds, std::size_t barcode) const {
    if (barcode >= entries_.size() || entries_[barcode].bars.size() < 2) {
        return kErrorNoSuchBarcode;
    }
    bool first = true;
    for (const host::Art bar : entries_[barcode].bars) {
        if (!bar) {
            continue;
        }
        host::RealRect box;
        if (const host::Error error = sAiArt->GetArtBounds(bar, &box)) {
            return error;
        }
        if (first) {
            *bounds = box;
            first = false;
        } else {
            bounds->left = std::min(bounds->left, box.left);
            bounds->bottom = std::min(bounds->bottom, box.bottom);
            bounds->right = std::max(bounds->right, box.right);
            bounds->top = std::max(bounds->top, box.top);
        }
    }
    return host::kNoError;
}

host::Art GetBarPathArt(host::Art bar) {
    host::Art path;
    DescendToBarPath(bar, &path);
    return path;
}
