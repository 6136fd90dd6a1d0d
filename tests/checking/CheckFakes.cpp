#include "CheckFakes.h"

namespace CheckTest {

std::int32_t RecordingChangeColorDriver::ChangeColor() {
    calls_.push_back("ChangeColor");
    return error_;
}

void RecordingChangeColorDriver::SetColorAction(std::int32_t action) {
    calls_.push_back("SetColorAction(" + std::to_string(action) + ")");
}

}  // namespace CheckTest
