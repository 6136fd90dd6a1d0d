#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

#include "RuntimeScene.h"
#include "host/AiSuites.h"

namespace {

using runtimetest::RuntimeScene;

constexpr std::size_t kTextBytes = 32;
constexpr float kUntouched = -999.0f;

// A locale whose decimal separator is a comma, while the test runs, when
// the machine has one.
class CommaLocale {
public:
    CommaLocale() : previous_(std::setlocale(LC_ALL, nullptr)) {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                return;
            }
        }
    }
    ~CommaLocale() { std::setlocale(LC_ALL, previous_.c_str()); }

private:
    std::string previous_;
};

TEST(UserSuite, ReadsWholeTextsAsNumbersInTheCLocale) {
    struct Case {
        const char* text;
        host::Error answer;
        float value;
    };
    const Case cases[] = {
        {"-108", host::kNoError, -108.0f},
        {"271", host::kNoError, 271.0f},
        {"0", host::kNoError, 0.0f},
        {"1.5", host::kNoError, 1.5f},
        {"65535", host::kNoError, 65535.0f},
        {"1,5", host::kErrorNotANumber, kUntouched},
        {"", host::kErrorNotANumber, kUntouched},
        {"SEGM", host::kErrorNotANumber, kUntouched},
        {"12x", host::kErrorNotANumber, kUntouched},
        {" 12", host::kErrorNotANumber, kUntouched},
        {"<Others>", host::kErrorNotANumber, kUntouched},
    };
    CommaLocale comma;
    RuntimeScene scene;
    const auto& user = scene.Acquire<host::AiUserSuite>(host::kAiUserSuite);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        float value = kUntouched;
        EXPECT_EQ(user.StringToNumber(c.text, &value), c.answer);
        EXPECT_EQ(value, c.value);
    }
    scene.ExpectBalancedAndClean();
}

TEST(UserSuite, WritesNumbersWithTheDecimalsAskedFor) {
    struct Case {
        float value;
        std::int32_t decimals;
        const char* text;
    };
    const Case cases[] = {
        {-108.0f, 0, "-108"}, {271.0f, 0, "271"}, {65535.0f, 0, "65535"}, {-65536.0f, 0, "-65536"},
        {0.0f, 0, "0"},       {1.25f, 2, "1.25"}, {1.75f, 0, "2"},        {100.0f, 1, "100.0"},
    };
    CommaLocale comma;
    RuntimeScene scene;
    const auto& user = scene.Acquire<host::AiUserSuite>(host::kAiUserSuite);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        char text[kTextBytes] = "";
        EXPECT_EQ(user.NumberToString(c.value, c.decimals, text, sizeof text), host::kNoError);
        EXPECT_STREQ(text, c.text);
    }
    scene.ExpectBalancedAndClean();

    char text[kTextBytes] = "untouched";
    EXPECT_EQ(user.NumberToString(1.0f, -1, text, sizeof text), host::kErrorBadArgument);
    EXPECT_STREQ(text, "untouched");
    EXPECT_EQ(scene.host.Core().GetViolations().Count(standin::ViolationKind::kBadArgument), 1u);
}

}  // namespace
