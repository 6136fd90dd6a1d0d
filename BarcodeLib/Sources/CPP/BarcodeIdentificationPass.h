#pragma once

#include <cstdint>

namespace Strivelo {

// While one lives on a thread, the decodings made there try one caller's
// list, unchanged, with one symbology after another: families that read the
// same bars the same way may keep what the first of them found for the
// others, keyed by the pass, the list's address and its count. Decodings
// outside any pass keep nothing.
class BarcodeIdentificationPass {
public:
    BarcodeIdentificationPass();
    BarcodeIdentificationPass(const BarcodeIdentificationPass&) = delete;
    BarcodeIdentificationPass& operator=(const BarcodeIdentificationPass&) = delete;
    ~BarcodeIdentificationPass();

    // A number no earlier pass on this thread had; 0 outside any pass.
    static std::uint64_t GetCurrent();

private:
    std::uint64_t enclosing_;
};

}  // namespace Strivelo
