#include "CheckMessage.h"

#include <algorithm>

namespace BarcodeVettrin {

std::int32_t GetMessageListStatus(const CheckMessageList& messages) {
    std::int32_t status = kCheckStatusPassed;
    for (const CheckMessage& message : messages) {
        status = std::max(status, message.severity);
    }
    return status;
}

void AppendMessages(CheckMessageList& list, const CheckMessageList& more) {
    list.insert(list.end(), more.begin(), more.end());
}

}  // namespace BarcodeVettrin
