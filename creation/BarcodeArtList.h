#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "BarArtWalk.h"
#include "BarcodeProcessor.h"
#include "host/HostErrors.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"

// The answer to a barcode index out of range, or one of fewer than two bars.
inline constexpr host::Error kErrorNoSuchBarcode = host::FourCharCode("PARM");

// Every barcode in the visible layers of the current document, found without
// a reading line: runs of bars that share an orientation and a centre line,
// each kept when a symbology decodes it. Handles are valid until the artwork
// changes; users collect again before each use.
class BarcodeArtList : private BarArtWalk {
public:
    // A run's first bar is this many times as long as it is wide, or more.
    static constexpr float kMinFirstBarAspect = 6.0f;
    // Bars shorter or longer than these shares of the most common length are
    // not the run's bars.
    static constexpr double kMinBarLengthShare = 0.7;
    static constexpr double kMaxBarLengthShare = 1.42;
    // Bar lengths are counted in steps of 1/1000 point.
    static constexpr double kLengthStepsPerPoint = 1000.0;

    BarcodeArtList() = default;
    ~BarcodeArtList() { Clear(); }

    // Replaces the list by the barcodes found; a host error ends the search
    // quietly with those found so far.
    void Collect();
    void Clear();
    std::size_t GetCount() const { return entries_.size(); }

    // Selects the barcode's bars; 0 without selecting for an index out of
    // range or fewer than two bars.
    host::Error SelectBarcode(std::size_t barcode) const;
    // The host bounds of one bar (points); false when an index is out of
    // range or the bounds cannot be read.
    bool GetBarRect(std::size_t barcode, std::size_t bar,
                    Strivelo::BarcodeProcessor::BarBounds* rect) const;
    // The bar as stored; none for an index out of range.
    host::Art GetBar(std::size_t barcode, std::size_t bar) const;
    // kReadAlongX for upright bars, kReadAlongY for lying ones; the index
    // must be in range.
    std::uint8_t GetOrientation(std::size_t barcode) const;
    // The bars' edges along the reading direction in ascending millimetres,
    // two per bar, each bar's length in heights and its index among the
    // barcode's bars in barIndices (both half as many); the number of edges,
    // 0 for an index out of range, fewer than two bars, a bounds failure,
    // overlapping or touching bars, or more edges than maxEdges.
    std::uint32_t GetEdges(std::size_t barcode, double* edges, double* heights,
                           std::int32_t* barIndices, std::uint32_t maxEdges) const;
    // The union of the bars' bounds (points); kErrorNoSuchBarcode for an
    // index out of range or fewer than two bars, else the first host error.
    host::Error GetBounds(host::RealRect* bounds, std::size_t barcode) const;

private:
    struct BarcodeArtEntry {
        std::vector<host::Art> bars;  // in paint order
        std::uint8_t orientation;
    };

    host::Error Candidate(host::Art bar, Run& run) override;
    void RunEnded(Run& run) override;
    // Every group may hold a barcode.
    bool MayHoldBars(host::Art group) override;
    static std::uint32_t EdgesOf(const BarcodeArtEntry& entry, double* edges, double* heights,
                                 std::int32_t* barIndices, std::uint32_t maxEdges);
    // Removes the bars far shorter or longer than most; all stay when a
    // bound cannot be read.
    static void KeepBarsOfCommonLength(Run& run);

    std::vector<BarcodeArtEntry> entries_;
};

// The path of a stored bar, to edit: groups descended by their first child;
// where a host error stops the descent, the art reached so far.
host::Art GetBarPathArt(host::Art bar);
