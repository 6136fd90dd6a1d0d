#include "HandleTable.h"

namespace standin {

std::uint16_t NextHandleGeneration() {
    static std::uint16_t last = 0;
    if (++last == 0) {
        ++last;
    }
    return last;
}

}  // namespace standin
