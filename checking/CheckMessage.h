#pragma once

#include <cstdint>
#include <vector>

namespace BarcodeVettrin {

// Severities of a message, which are also the statuses of a barcode and of a
// check run; larger is worse.
inline constexpr std::int32_t kCheckStatusPassed = 100;
inline constexpr std::int32_t kCheckStatusWarning = 101;
inline constexpr std::int32_t kCheckStatusFixed = 102;
inline constexpr std::int32_t kCheckStatusFailed = 103;
// A fix was requested but the check record lacks the driver that applies it.
inline constexpr std::int32_t kCheckStatusFixDriverMissing = 200;

// Message ids; the texts live in the string resources.
inline constexpr std::int32_t kCheckMessageType = 100;
inline constexpr std::int32_t kCheckMessageCode = 101;
inline constexpr std::int32_t kCheckMessageMoreBarcodes = 102;
inline constexpr std::int32_t kCheckMessageFewerBarcodes = 103;
inline constexpr std::int32_t kCheckMessageNotAllEqual = 104;
inline constexpr std::int32_t kCheckMessageBarWidthReduction = 105;
inline constexpr std::int32_t kCheckMessageMagnificationBelow = 106;
inline constexpr std::int32_t kCheckMessageMagnificationAbove = 107;
inline constexpr std::int32_t kCheckMessageBarHeightBelow = 108;
inline constexpr std::int32_t kCheckMessageBarHeightAbove = 109;
inline constexpr std::int32_t kCheckMessageWideNarrowRatioBelow = 110;
inline constexpr std::int32_t kCheckMessageWideNarrowRatioAbove = 111;
inline constexpr std::int32_t kCheckMessageDeviation = 112;
inline constexpr std::int32_t kCheckMessageNotOneColor = 113;
inline constexpr std::int32_t kCheckMessageInvalidOverprint = 114;
inline constexpr std::int32_t kCheckMessageNotOverprint = 115;

// One finding of a profile test.
struct CheckMessage {
    std::int32_t severity;
    std::int32_t messageId;

    bool operator==(const CheckMessage&) const = default;
};

// Messages in the order the tests produced them.
using CheckMessageList = std::vector<CheckMessage>;

// The largest severity of the list, and at least kCheckStatusPassed.
std::int32_t GetMessageListStatus(const CheckMessageList& messages);

// Appends more after list, keeping both orders.
void AppendMessages(CheckMessageList& list, const CheckMessageList& more);

}  // namespace BarcodeVettrin
