#pragma once

#include <cstdint>

#include "host/HostErrors.h"
#include "host/HostHandles.h"

// One document-wide action of the filter menu over every barcode of the
// current document's visible layers: a new bar width reduction for all, or
// each barcode's own nominal bar widths back. It lives for one command.
class GlobalBarcodeAction {
public:
    // What the result dialog says was done (entries of its string list).
    static constexpr std::int32_t kChangedBarWidthReduction = 1;
    static constexpr std::int32_t kFixedDeviation = 2;

    // Moves the bars of every barcode that decodes to the target reduction:
    // its own with useOwnBarWidthReduction, else the new one. Counts the
    // barcodes found and those whose art changed.
    void Run();
    // Asks for the new reduction (points) in a modal dialog; on OK gives it
    // to every barcode and shows the result. Cancel changes nothing.
    void AskAndChangeBarWidthReduction();
    // Gives every barcode its own bar widths back and shows the result.
    void FixDeviation();
    // The modal dialog that tells what was done to how many barcodes.
    static void ShowResult(std::int32_t kind, int found, int changed);

private:
    struct Result {
        std::int32_t kind;
        int found;
        int changed;
    };
    static host::Error InitResult(host::Dialog dialog);

    bool useOwnBarWidthReduction_ = false;
    double newBarWidthReductionMm_ = 0.0;
    int found_ = 0;
    int changed_ = 0;
};
