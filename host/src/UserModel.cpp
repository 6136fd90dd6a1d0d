// "AI User Suite".
#include "UserModel.h"

#include <array>
#include <charconv>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace standin {

namespace {

// Enough for any float in fixed notation with the most decimals allowed.
constexpr int kMostDecimals = 20;
constexpr std::size_t kNumberTextBytes = 64;

}  // namespace

UserModel::UserModel(HostCore& core, FileDialogAnswerer& fileDialogs)
    : calls_(core, host::kAiUserSuite), fileDialogs_(fileDialogs) {
    static const host::AiUserSuite suite{
        &Forward<&UserModel::StringToNumber>::Call,
        &Forward<&UserModel::NumberToString>::Call,
        &Forward<&UserModel::PutFileDialog>::Call,
        &Forward<&UserModel::GetFileDialog>::Call,
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

host::Error UserModel::PutFileDialog(const char* message, const host::FileFilter* filters,
                                     std::int32_t filterCount, const char* defaultName,
                                     host::PlatformFileSpecification* chosen) {
    return FileDialog("PutFileDialog", true, message, filters, filterCount, defaultName, chosen);
}

host::Error UserModel::GetFileDialog(const char* message, const host::FileFilter* filters,
                                     std::int32_t filterCount, const char* defaultName,
                                     host::PlatformFileSpecification* chosen) {
    return FileDialog("GetFileDialog", false, message, filters, filterCount, defaultName, chosen);
}

host::Error UserModel::FileDialog(std::string_view function, bool save, const char* message,
                                  const host::FileFilter* filters, std::int32_t filterCount,
                                  const char* defaultName,
                                  host::PlatformFileSpecification* chosen) {
    const bool present = message != nullptr && defaultName != nullptr && chosen != nullptr &&
                         (filters != nullptr || filterCount == 0);
    if (const host::Error error = calls_.Enter(function, present)) {
        return error;
    }
    if (filterCount < 0) {
        return calls_.BadArgument(function, std::to_string(filterCount) + " filters");
    }
    FileDialogRequest request{save, message, {}, defaultName};
    for (std::int32_t i = 0; i < filterCount; ++i) {
        if (filters[i].description == nullptr || filters[i].pattern == nullptr) {
            return calls_.BadArgument(function, "filter " + std::to_string(i) + " without text");
        }
        request.filters.emplace_back(filters[i].description, filters[i].pattern);
    }
    const std::optional<std::string> path =
        fileDialogs_.Answer(std::move(request), calls_.GetViolations(), calls_.Name(function));
    if (!path) {
        return host::kErrorCancel;
    }
    host::PlatformFileSpecification answer{};
    if (const host::Error error = SuiteCalls::CopyText(*path, answer.path, sizeof answer.path)) {
        return error;
    }
    *chosen = answer;
    return host::kNoError;
}

}  // namespace standin
