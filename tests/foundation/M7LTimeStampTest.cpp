#include "M7LTimeStamp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace {

// 2008-03-07T09:05:03 UTC.
constexpr std::time_t kFixedTimeSeconds = 1204880703;

std::time_t FixedClock() {
    return kFixedTimeSeconds;
}

std::string Format(std::time_t seconds) {
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[M7LTimeStamp::kTextBytes];
    FormatTimeStamp(text, sizeof text, utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour,
                    utc.tm_min, utc.tm_sec);
    return text;
}

TEST(FormatTimeStampTest, PadsEveryField) {
    char text[M7LTimeStamp::kTextBytes];
    FormatTimeStamp(text, sizeof text, 2008, 3, 7, 9, 5, 3);
    EXPECT_STREQ(text, "2008-03-07T09:05:03Z");
}

TEST(FormatTimeStampTest, AStampThatDoesNotFitIsLeftEmpty) {
    char text[20] = "###################";
    FormatTimeStamp(text, sizeof text, 2008, 3, 7, 9, 5, 3);
    EXPECT_STREQ(text, "");
}

// A zone far from UTC shows whether the clock is read as UTC.
class TimeStampClockTest : public testing::Test {
protected:
    void SetUp() override {
        if (const char* zone = std::getenv("TZ")) {
            savedZone_ = zone;
        }
        setenv("TZ", "XXX-5", 1);
        tzset();
    }
    void TearDown() override {
        SetTimeStampClock(nullptr);
        if (savedZone_) {
            setenv("TZ", savedZone_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    std::optional<std::string> savedZone_;
};

TEST_F(TimeStampClockTest, SetLocalNowWritesTheInjectedClockAsUtc) {
    M7LTimeStamp stamp;
    EXPECT_STREQ(stamp.text, "");
    SetTimeStampClock(FixedClock);
    stamp.SetLocalNow();
    EXPECT_STREQ(stamp.text, "2008-03-07T09:05:03Z");
}

TEST_F(TimeStampClockTest, NullClockRestoresTheSystemClock) {
    SetTimeStampClock(FixedClock);
    SetTimeStampClock(nullptr);
    M7LTimeStamp stamp;
    const std::time_t before = std::time(nullptr);
    stamp.SetLocalNow();
    const std::time_t after = std::time(nullptr);
    const std::string text = stamp.text;
    EXPECT_TRUE(text == Format(before) || text == Format(after)) << text;
}

}  // namespace
