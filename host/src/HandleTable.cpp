#include "HandleTable.h"

namespace standin {

std::uint32_t FirstGeneration() {
    // Tables made one after another start far apart: the golden-ratio step
    // spreads their starts over the whole range.
    static constexpr std::uint32_t kTableStep = 0x9E3779B9;
    static std::uint32_t last = 0;
    last += kTableStep;
    return last;
}

}  // namespace standin
