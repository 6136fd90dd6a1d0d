#include "M7LTimeStamp.h"

#include <climits>
#include <cstdio>

namespace {

constexpr int kTmYearOrigin = 1900;
constexpr int kTmMonthOrigin = 1;

M7LClock gClock = nullptr;

std::time_t Now() {
    return gClock != nullptr ? gClock() : std::time(nullptr);
}

}  // namespace

void SetTimeStampClock(M7LClock clock) {
    gClock = clock;
}

void FormatTimeStamp(char* out, std::size_t outSize, int year, int month, int day, int hour,
                     int minute, int second) {
    if (outSize == 0) {
        return;
    }
    // Integer conversions without flags print plain digits in every locale.
    const int length = std::snprintf(out, outSize, "%04d-%02d-%02dT%02d:%02d:%02dZ", year, month,
                                     day, hour, minute, second);
    if (length < 0 || static_cast<std::size_t>(length) >= outSize) {
        out[0] = 0;
    }
}

void M7LTimeStamp::SetLocalNow() {
    const std::time_t now = Now();
    std::tm utc{};
    if (gmtime_r(&now, &utc) == nullptr || utc.tm_year > INT_MAX - kTmYearOrigin) {
        text[0] = 0;
        return;
    }
    FormatTimeStamp(text, kTextBytes, utc.tm_year + kTmYearOrigin, utc.tm_mon + kTmMonthOrigin,
                    utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
}
