#include "M7LFailure.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct HandlerCall {
    int calls = 0;
    std::string kind;
    int one = 0;
    int errorNumber = 0;
    const char* message = nullptr;
    const char* sourceFile = nullptr;
    int line = 0;
    const char* condition = "not passed";
};

HandlerCall gCall;
constexpr int kHandlerResult = 42;

int RecordingHandler(const char* kind, int one, int errorNumber, const char* message,
                     const char* sourceFile, int line, const char* condition) {
    ++gCall.calls;
    gCall.kind = kind;
    gCall.one = one;
    gCall.errorNumber = errorNumber;
    gCall.message = message;
    gCall.sourceFile = sourceFile;
    gCall.line = line;
    gCall.condition = condition;
    return kHandlerResult;
}

class FailureTest : public testing::Test {
protected:
    void SetUp() override { gCall = HandlerCall(); }
    void TearDown() override { SetFailureHandler(nullptr); }
};

TEST_F(FailureTest, InstalledHandlerGetsTheReportAndGivesTheResult) {
    SetFailureHandler(RecordingHandler);
    const char* message = "case outside our defined types ?!";
    const char* file = "FileIO/Sources/CPP/M7LIO_StructuredIOXML";

    testing::internal::CaptureStderr();
    EXPECT_EQ(ReportCantHappen(-7, message, file, 997), kHandlerResult);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    EXPECT_EQ(gCall.calls, 1);
    EXPECT_EQ(gCall.kind, "Can't Happen Failed");
    EXPECT_EQ(gCall.one, 1);
    EXPECT_EQ(gCall.errorNumber, -7);
    EXPECT_EQ(gCall.message, message);
    EXPECT_EQ(gCall.sourceFile, file);
    EXPECT_EQ(gCall.line, 997);
    EXPECT_EQ(gCall.condition, nullptr);
}

TEST_F(FailureTest, RemovingTheHandlerRestoresTheDefaultReport) {
    SetFailureHandler(RecordingHandler);
    SetFailureHandler(nullptr);

    testing::internal::CaptureStderr();
    EXPECT_EQ(ReportCantHappen(7, "message", "file", 1), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "An error of type 2.7 occured.\n Please contact Mor7Lant\n");
    EXPECT_EQ(gCall.calls, 0);
}

TEST_F(FailureTest, DefaultReportNumbersOnlyExactKindTexts) {
    struct Case {
        const char* kind;
        int errorNumber;
        const char* type;
    };
    const Case cases[] = {
        {"Assert Failed", 5, "1.5"},
        {"Can't Happen Failed", 0, "2.0"},
        {"Should-Be-Assert Failed", 3, "11.3"},
        {"Should Never Come Here Failed", 9, "12.9"},
        {"assert Failed", 5, "0.5"},
        {"Assert Failed ", 5, "0.5"},
        {"Assert", 5, "0.5"},
        {"", 5, "0.5"},
        {"Assert Failed", -1, "1.4294967295"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.kind << "\" " << c.errorNumber);
        testing::internal::CaptureStderr();
        ReportFailureDefault(c.kind, c.errorNumber);
        EXPECT_EQ(
            testing::internal::GetCapturedStderr(),
            std::string("An error of type ") + c.type + " occured.\n Please contact Mor7Lant\n");
    }
}

}  // namespace
