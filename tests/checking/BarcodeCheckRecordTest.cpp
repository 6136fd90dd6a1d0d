#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "BarcodeCheckRecord.h"
#include "BarcodeReportInfo.h"
#include "CheckFakes.h"
#include "CheckMessage.h"
#include "FakeSymbology.h"
#include "M7LTimeStamp.h"
#include "RecordingDeltaBarDriver.h"

namespace BarcodeVettrin {
namespace {

// A record used for a whole barcode, then initialised for the next one: it
// must forget everything but the new processor.
TEST(BarcodeCheckRecordTest, InitForgetsEverythingButTheProcessor) {
    StriveloTest::FakeSymbology first;
    StriveloTest::FakeSymbology second;
    StriveloTest::RecordingDeltaBarDriver barDriver(first);
    CheckTest::RecordingChangeColorDriver colorDriver;
    BarcodeCheckRecord record(&first);
    record.SetDeltaBarDriver(&barDriver);
    record.SetChangeColorDriver(&colorDriver);
    record.SetColors({1.0});
    record.SetOverprintState(kOverprintStateMultiply);
    record.SetPageNumber(3);
    record.SetBarsBoundingBox({40.0, 10.0, 20.0, 60.0});
    record.SetEraseBox({41.0, 9.0, 19.0, 61.0});
    record.RequestRegenerate();
    record.SetNewBarWidthReduction(0.02);
    record.SetColorAction(kColorActionOverprint);
    record.MarkCounted();

    record.Init(&second);

    EXPECT_EQ(record.GetProcessor(), &second);
    EXPECT_EQ(record.GetDeltaBarDriver(), nullptr);
    EXPECT_EQ(record.GetChangeColorDriver(), nullptr);
    EXPECT_TRUE(record.GetColors().empty());
    EXPECT_EQ(record.GetOverprintState(), kOverprintStateMixed);
    EXPECT_FALSE(record.HasPageNumber());
    EXPECT_FALSE(record.HasBarsBoundingBox());
    EXPECT_FALSE(record.HasEraseBox());
    EXPECT_FALSE(record.IsRegenerateRequested());
    double reduction = -1.0;
    EXPECT_FALSE(record.GetNewBarWidthReduction(reduction));
    EXPECT_EQ(reduction, -1.0);
    EXPECT_FALSE(record.HasColorAction());
    EXPECT_FALSE(record.IsCounted());
}

TEST(BarcodeCheckRecordTest, BoxesKeepTheirSides) {
    BarcodeCheckRecord record;
    const BarcodeCheckRecord::Box bars{40.0, 10.0, 20.0, 60.0};
    record.SetBarsBoundingBox(bars);
    EXPECT_TRUE(record.HasBarsBoundingBox());
    EXPECT_EQ(record.GetBarsBoundingBox().top, 40.0);
    EXPECT_EQ(record.GetBarsBoundingBox().left, 10.0);
    EXPECT_EQ(record.GetBarsBoundingBox().bottom, 20.0);
    EXPECT_EQ(record.GetBarsBoundingBox().right, 60.0);
    EXPECT_FALSE(record.HasEraseBox());
}

// A new bar width reduction alone asks for regenerated bars; clearing drops
// all three requests.
TEST(BarcodeCheckRecordTest, FixRequests) {
    BarcodeCheckRecord record;
    record.SetNewBarWidthReduction(0.025);
    EXPECT_TRUE(record.IsRegenerateRequested());
    double reduction = 0.0;
    ASSERT_TRUE(record.GetNewBarWidthReduction(reduction));
    EXPECT_EQ(reduction, 0.025);

    record.RequestRegenerate();
    record.SetColorAction(kColorActionOverprint);
    EXPECT_TRUE(record.HasColorAction());
    EXPECT_EQ(record.GetColorAction(), kColorActionOverprint);
    record.ClearFixRequests();
    EXPECT_FALSE(record.IsRegenerateRequested());
    EXPECT_FALSE(record.GetNewBarWidthReduction(reduction));
    EXPECT_FALSE(record.HasColorAction());

    record.RequestRegenerate();
    EXPECT_TRUE(record.IsRegenerateRequested());
    EXPECT_FALSE(record.GetNewBarWidthReduction(reduction));
}

struct StatusCase {
    CheckMessageList messages;
    std::int32_t status;
};

TEST(CheckMessageTest, StatusOfAList) {
    const StatusCase cases[] = {
        {{}, kCheckStatusPassed},
        {{{kCheckStatusFixed, kCheckMessageBarWidthReduction}}, kCheckStatusFixed},
        {{{kCheckStatusFailed, kCheckMessageType}, {kCheckStatusFixed, kCheckMessageDeviation}},
         kCheckStatusFailed},
        {{{kCheckStatusFixed, kCheckMessageDeviation},
          {kCheckStatusFixDriverMissing, kCheckMessageDeviation}},
         kCheckStatusFixDriverMissing},
        {{{50, kCheckMessageType}}, kCheckStatusPassed},
    };
    for (const StatusCase& c : cases) {
        EXPECT_EQ(GetMessageListStatus(c.messages), c.status);
    }
}

TEST(CheckMessageTest, AppendKeepsBothOrders) {
    CheckMessageList list{{kCheckStatusFailed, kCheckMessageType},
                          {kCheckStatusFixed, kCheckMessageDeviation}};
    AppendMessages(list, {{kCheckStatusFailed, kCheckMessageCode},
                          {kCheckStatusFailed, kCheckMessageNotOneColor}});
    EXPECT_EQ(list, (CheckMessageList{{kCheckStatusFailed, kCheckMessageType},
                                      {kCheckStatusFixed, kCheckMessageDeviation},
                                      {kCheckStatusFailed, kCheckMessageCode},
                                      {kCheckStatusFailed, kCheckMessageNotOneColor}}));
}

// 2024-02-29T23:59:58Z
constexpr std::time_t kReportTime = 1709251198;

TEST(BarcodeReportInfoTest, TimeOfConstructionAndDocumentName) {
    SetTimeStampClock([] { return kReportTime; });
    BarcodeReportInfo info;
    SetTimeStampClock(nullptr);
    EXPECT_STREQ(info.GetGeneratedTime(), "2024-02-29T23:59:58Z");
    EXPECT_STREQ(info.GetDocumentName(), "");
    info.SetDocumentName("Etiketten & Co.ai");
    EXPECT_STREQ(info.GetDocumentName(), "Etiketten & Co.ai");
}

}  // namespace
}  // namespace BarcodeVettrin
