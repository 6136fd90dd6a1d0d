// "AI User Suite".
#include "UserModel.h"

#include <array>
#include <charconv>
#include <cstring>
#include <string_view>

namespace standin {

namespace {

// Enough for any float in fixed notation with the most decimals allowed.
constexpr int kMostDecimals = 20;
constexpr std::size_t kNumberTextBytes = 64;

}  // namespace

UserModel::UserModel(HostCore& core) : calls_(core, host::kAiUserSuite) {
    static const host::AiUserSuite suite{
        &Forward<&UserModel::StringToNumber>::Call,
        &Forward<&UserModel::NumberToString>::Call,
    };
    core.Provide(host::kAiUserSuite.name, &suite);
}

host::Error UserModel::StringToNumber(const char* text, float* value) {
    if (const host::Error error =
            calls_.Enter("StringToNumber", text != nullptr && value != nullptr)) {
        return error;
    }
    const char* end = text + std::strlen(text);
    float number = 0;
    const std::from_chars_result parsed = std::from_chars(text, end, number);
    if (parsed.ec != std::errc() || parsed.ptr != end) {
        return host::kErrorNotANumber;
    }
    *value = number;
    return host::kNoError;
}

host::Error UserModel::NumberToString(float value, std::int32_t decimals, char* text,
                                      std::size_t size) {
    static constexpr std::string_view kFunction = "NumberToString";
    if (const host::Error error = calls_.Enter(kFunction, text != nullptr)) {
        return error;
    }
    if (decimals < 0 || decimals > kMostDecimals) {
        return calls_.BadArgument(kFunction, std::to_string(decimals) + " decimals");
    }
    std::array<char, kNumberTextBytes> written;
    const std::to_chars_result result = std::to_chars(
        written.data(), written.data() + written.size(), value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        return host::kErrorTextTooLong;
    }
    return SuiteCalls::CopyText(std::string_view(written.data(), result.ptr - written.data()), text,
                                size);
}

}  // namespace standin
