#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "BarcodeProfileChangeColorDriver.h"
#include "CheckMessage.h"

namespace BarcodeVettrin {

// Every test that compares messages sees this printer, so that all of them
// print messages alike.
inline void PrintTo(const CheckMessage& message, std::ostream* os) {
    *os << "(" << message.severity << ", " << message.messageId << ")";
}

}  // namespace BarcodeVettrin

namespace CheckTest {

// Records its calls as text lines; ChangeColor answers the given error.
class RecordingChangeColorDriver : public BarcodeVettrin::BarcodeProfileChangeColorDriver {
public:
    explicit RecordingChangeColorDriver(std::int32_t error = 0) : error_(error) {}

    const std::vector<std::string>& GetCalls() const { return calls_; }

    std::int32_t ChangeColor() override;
    void SetColorAction(std::int32_t action) override;

private:
    std::int32_t error_;
    std::vector<std::string> calls_;
};

}  // namespace CheckTest
