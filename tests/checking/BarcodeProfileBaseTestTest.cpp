#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "BarcodeCheckRecord.h"
#include "BarcodeFourCC.h"
#include "BarcodeProfile.h"
#include "BarcodeProfileBaseTest.h"
#include "CheckFakes.h"
#include "FakeSymbology.h"

namespace BarcodeVettrin {
namespace {

using Strivelo::FourCC;

struct PatternCase {
    std::int32_t type;
    const char* pattern;
    const char* code;
    bool matches;
};

// '*' stands for one character; only EAN-8, EAN-13 and UPC-A skip hyphens.
constexpr PatternCase kPatternCases[] = {
    {FourCC("c128"), "40*2", "4012", true},
    {FourCC("c128"), "40*2", "4092", true},
    {FourCC("c128"), "40*2", "401", false},
    {FourCC("c128"), "40*2", "40123", false},
    {FourCC("c128"), "4-01*", "4012", false},
    {FourCC("c128"), "", "", true},
    {FourCC("c128"), "", "1", false},
    {FourCC("c128"), "*", "", false},
    {FourCC("c128"), "*", "A", true},
    {FourCC("ean8"), "4-01*", "4012", true},
    {FourCC("ean8"), "4-01*", "40-12", true},
    {FourCC("ean8"), "4-01*", "40-13", true},
    {FourCC("ean8"), "4-01*", "4112", false},
    {FourCC("ean8"), "4012-", "4012", true},
    {FourCC("ean8"), "40121", "4012", false},
    {FourCC("eanD"), "4006381333931", "4-006381-333931", true},
    {FourCC("upca"), "0*2345*7890*", "0-12345-67890-5", true},
    {FourCC("janD"), "4006381333931", "4-006381-333931", false},
};

TEST(CodeTestTest, PatternMatching) {
    for (const PatternCase& c : kPatternCases) {
        SCOPED_TRACE(std::string("'") + c.pattern + "' against '" + c.code + "'");
        BarcodeProfile profile;
        profile.codeTest.SetEnableTest(true);
        profile.codeTest.SetBarcodeCode(c.pattern);
        const std::unique_ptr<StriveloTest::FakeSymbology> processor =
            StriveloTest::DecodedFake({.type = c.type}, {.code = c.code});
        ASSERT_STREQ(processor->GetCode(), c.code);
        BarcodeCheckRecord record(processor.get());
        const CheckMessageList expected =
            c.matches ? CheckMessageList{}
                      : CheckMessageList{{kCheckStatusFailed, kCheckMessageCode}};
        EXPECT_EQ(profile.codeTest.RunCheckBarcode(record), expected);
    }
}

struct SetterCase {
    const char* name;
    // Sets the value the setting has at construction.
    std::function<int(BarcodeProfile&)> setCurrent;
    std::function<int(BarcodeProfile&)> change;
};

const SetterCase kSetterCases[] = {
    {"ProfileName", [](BarcodeProfile& p) { return p.SetProfileName("Untitled"); },
     [](BarcodeProfile& p) { return p.SetProfileName("Untitled 2"); }},
    {"EnableTest", [](BarcodeProfile& p) { return p.typeTest.SetEnableTest(false); },
     [](BarcodeProfile& p) { return p.typeTest.SetEnableTest(true); }},
    {"EnableFix", [](BarcodeProfile& p) { return p.overprintTest.SetEnableFix(false); },
     [](BarcodeProfile& p) { return p.overprintTest.SetEnableFix(true); }},
    {"NrOfBarcodesInDocument",
     [](BarcodeProfile& p) { return p.countTest.SetNrOfBarcodesInDocument(0); },
     [](BarcodeProfile& p) { return p.countTest.SetNrOfBarcodesInDocument(-1); }},
    {"BarcodeType", [](BarcodeProfile& p) { return p.typeTest.SetBarcodeType(0); },
     [](BarcodeProfile& p) { return p.typeTest.SetBarcodeType(FourCC("eanD")); }},
    {"BarcodeCode", [](BarcodeProfile& p) { return p.codeTest.SetBarcodeCode(""); },
     [](BarcodeProfile& p) { return p.codeTest.SetBarcodeCode("4*"); }},
    // Reals compare exactly: the smallest step is a change.
    {"MaximumMagnification",
     [](BarcodeProfile& p) { return p.magnificationTest.SetMaximumMagnification(1.0); },
     [](BarcodeProfile& p) {
         return p.magnificationTest.SetMaximumMagnification(1.0000000000000002);
     }},
    {"MinimumBarHeight",
     [](BarcodeProfile& p) { return p.barHeightTest.SetMinimumBarHeight(10.0); },
     [](BarcodeProfile& p) { return p.barHeightTest.SetMinimumBarHeight(9.0); }},
    {"MaximumWideNarrowRatio",
     [](BarcodeProfile& p) { return p.wideNarrowRatioTest.SetMaximumWideNarrowRatio(3.0); },
     [](BarcodeProfile& p) { return p.wideNarrowRatioTest.SetMaximumWideNarrowRatio(2.8); }},
    {"BarWidthReduction",
     [](BarcodeProfile& p) { return p.barWidthReductionTest.SetBarWidthReduction(0.0); },
     [](BarcodeProfile& p) { return p.barWidthReductionTest.SetBarWidthReduction(0.02); }},
    {"Deviation", [](BarcodeProfile& p) { return p.deviationTest.SetDeviation(0.0); },
     [](BarcodeProfile& p) { return p.deviationTest.SetDeviation(0.01); }},
    {"OverprintOnly", [](BarcodeProfile& p) { return p.overprintTest.SetOverprintOnly(false); },
     [](BarcodeProfile& p) { return p.overprintTest.SetOverprintOnly(true); }},
};

// A profile as a load leaves it: a save time and a checksum, not modified.
void GiveSavedState(BarcodeProfile& profile) {
    profile.PutString(BarcodeProfile::kProfileSaveTimeName, "2024-01-01T00:00:00Z");
    profile.PutInteger(BarcodeProfile::kProfileCheckSumName, 1234);
}

// An unchanged value leaves the saved state alone; a change marks the
// profile modified and drops its save time and checksum.
TEST(SetterRuleTest, OnlyChangesMarkTheProfileModified) {
    for (const SetterCase& c : kSetterCases) {
        SCOPED_TRACE(c.name);
        BarcodeProfile profile;
        GiveSavedState(profile);
        EXPECT_EQ(c.setCurrent(profile), kSettingStored);
        EXPECT_FALSE(profile.IsModified());
        EXPECT_STREQ(profile.GetProfileSaveTime(), "2024-01-01T00:00:00Z");
        EXPECT_EQ(profile.GetProfileCheckSum(), 1234);

        EXPECT_EQ(c.change(profile), kSettingStored);
        EXPECT_TRUE(profile.IsModified());
        EXPECT_STREQ(profile.GetProfileSaveTime(), "");
        EXPECT_EQ(profile.GetProfileCheckSum(), 0);

        // The new value was stored: setting it again is no change.
        GiveSavedState(profile);
        EXPECT_EQ(c.change(profile), kSettingStored);
        EXPECT_STREQ(profile.GetProfileSaveTime(), "2024-01-01T00:00:00Z");
    }
}

struct TypeTextCase {
    const char* text;
    std::int32_t type;
};

// A type code is read from the first four bytes of its text.
TEST(TypeTestTest, TypeCodeFromText) {
    const TypeTextCase cases[] = {
        {"eanD", FourCC("eanD")},
        {"ean", 0x65616E00},
        {"e", 0x65000000},
        {"", 0},
        {"eanDX", FourCC("eanD")},
        {"\xC3\xA4"
         "b",
         static_cast<std::int32_t>(0xC3A46200u)},
    };
    for (const TypeTextCase& c : cases) {
        SCOPED_TRACE(c.text);
        BarcodeProfile profile;
        EXPECT_TRUE(profile.typeTest.PutString(BarcodeProfileTypeTest::kTypeName, c.text));
        EXPECT_EQ(profile.typeTest.GetBarcodeType(), c.type);
        EXPECT_FALSE(profile.IsModified());
    }
}

}  // namespace
}  // namespace BarcodeVettrin
