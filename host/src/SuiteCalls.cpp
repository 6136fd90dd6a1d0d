#include "SuiteCalls.h"

#include <cstring>
#include <utility>

namespace standin {

host::Error SuiteCalls::Enter(std::string_view function, bool argumentsPresent) const {
    if (!argumentsPresent) {
        return BadArgument(function, "a null text, record or result");
    }
    return core_.GetFaults().TakeCallFailure(suite_.name, function);
}

host::Error SuiteCalls::CheckIndex(std::string_view function, std::int32_t index,
                                   std::size_t count) const {
    if (index >= 0 && static_cast<std::size_t>(index) < count) {
        return host::kNoError;
    }
    return BadArgument(function, "index " + std::to_string(index) + " of " + std::to_string(count));
}

host::Error SuiteCalls::BadArgument(std::string_view function, std::string detail) const {
    core_.GetViolations().Record(ViolationKind::kBadArgument, Name(function), std::move(detail));
    return host::kErrorBadArgument;
}

host::Error SuiteCalls::CopyText(std::string_view text, char* buffer, std::size_t size) {
    if (text.size() >= size) {
        return host::kErrorTextTooLong;
    }
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = 0;
    return host::kNoError;
}

}  // namespace standin
