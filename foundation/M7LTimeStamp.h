#pragma once

#include <cstddef>
#include <ctime>

// The one source of time stamps ("%04d-%02d-%02dT%02d:%02d:%02dZ"). They are
// filled from UTC so that the "Z" is true.
struct M7LTimeStamp {
    static constexpr std::size_t kTextBytes = 64;

    M7LTimeStamp() { text[0] = 0; }
    void SetLocalNow();

    char text[kTextBytes];
};

using M7LClock = std::time_t (*)();

// Tests set a clock of their own; null restores the system clock.
void SetTimeStampClock(M7LClock clock);

// A stamp that does not fit in outSize bytes is left empty, never cut.
void FormatTimeStamp(char* out, std::size_t outSize, int year, int month, int day, int hour,
                     int minute, int second);
