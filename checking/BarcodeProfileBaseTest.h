#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

#include "BarcodeCheckRecord.h"
#include "CheckMessage.h"
#include "M7LIO_StructuredIOP.h"
#include "M7LIO_StructuredIOR.h"
#include "M7LString.h"

// The profile tests: the common base and the eleven tests a profile holds.
// Each test is switched on by EnableTest, may fix what it finds when
// EnableFix is set, judges one barcode at a time (and, for two tests, the
// document after the last barcode), persists itself as one element of the
// profile file and adds itself to the profile checksum.

namespace BarcodeVettrin {

class BarcodeProfile;

// What every setter of a profile or a test answers.
inline constexpr int kSettingStored = 0;
inline constexpr int kProfileNotEditable = 300;

class BarcodeProfileBaseTest : public M7LIO_StructuredIOR, public M7LIO_StructuredIOP {
public:
    static constexpr const char* kEnableTestName = "EnableTest";
    static constexpr const char* kEnableFixName = "EnableFix";
    // Reals enter the checksum, and the profile file, with this many decimals.
    static constexpr int kRealDecimals = 7;
    // Room for any finite double: its integral digits, sign, point, the
    // decimals and the NUL.
    static constexpr std::size_t kRealTextBytes =
        std::numeric_limits<double>::max_exponent10 + 1 + 2 + kRealDecimals + 1;

    // owner holds the test and hears of every change.
    explicit BarcodeProfileBaseTest(BarcodeProfile* owner);
    ~BarcodeProfileBaseTest() override;

    BarcodeProfileBaseTest(const BarcodeProfileBaseTest&) = delete;
    // Copies the settings and run state, never the owner.
    BarcodeProfileBaseTest& operator=(const BarcodeProfileBaseTest& other);

    // Receiving its own values: the flags here, the settings in the tests.
    bool BeginDocument() override;
    bool EndDocument() override;
    M7LIO_StructuredIOR* BeginElement(const char* name, int extra) override;
    M7LIO_StructuredIOR* EndElement() override;
    bool PutString(const char* name, const char* text) override;
    bool PutWideString(const char* name, const char16_t* text) override;
    bool PutInteger(const char* name, std::int32_t value) override;
    bool PutReal(const char* name, double value) override;
    bool PutBoolean(const char* name, bool value) override;
    bool PutAttributeString(const char* name, const char* text) override;
    bool PutBinary(const char* name, const std::uint8_t* bytes, std::size_t count) override;
    bool PutScrambledBinary(const char* name, const std::uint8_t* bytes,
                            std::size_t count) override;
    int GetKindCode() const override;
    int TypeOf(const char* name) const override;

    // A four-character code, 'base' here.
    virtual std::int32_t GetTestID() const;
    // Starts a check run; the run state of the document tests is reset.
    virtual std::int32_t BeginCheck();
    virtual CheckMessageList CheckBarcode(BarcodeCheckRecord& record);
    virtual CheckMessageList CheckDocument();
    virtual void AddSettingsToCheckSum(std::uint32_t* crc) const;
    virtual bool ProduceSettings(M7LIO_StructuredIOR* receiver);

    // The test's element: the flags, then the settings. Every call is made;
    // true only when all succeeded.
    bool Produce(M7LIO_StructuredIOR* receiver, const char* elementName) final;

    // No messages while the test is disabled or the record has no processor.
    CheckMessageList RunCheckBarcode(BarcodeCheckRecord& record);
    CheckMessageList RunCheckDocument();

    // The identifier, then "false" for a disabled test, else "true", the fix
    // flag and the settings.
    void UpdateCheckSum(std::uint32_t* crc) const;

    bool GetEnableTest() const { return enableTest_; }
    int SetEnableTest(bool enable);
    bool GetEnableFix() const { return enableFix_; }
    int SetEnableFix(bool enable);

    // The text of a real setting in "C" notation with kRealDecimals decimals;
    // false, and the text empty, for a value that is not finite.
    static bool FormatReal(double value, char (&text)[kRealTextBytes]);

protected:
    // The setter rule: kProfileNotEditable while the owner may not change,
    // kSettingStored for the current value, else the value is stored and the
    // owner marked modified. Doubles compare exactly, texts as whole texts.
    int ChangeSetting(bool& setting, bool value);
    int ChangeSetting(std::int32_t& setting, std::int32_t value);
    int ChangeSetting(double& setting, double value);
    int ChangeSetting(M7LString& setting, const char* value);

    // A finding of a test with a fix: fixed when the fix is allowed and the
    // record holds the driver that applies it.
    bool CanFix(bool driverPresent) const { return enableFix_ && driverPresent; }

    static bool IsName(const char* name, const char* settingName);

    // The checksum forms of the settings, fed without terminators.
    static void AddTextToCheckSum(std::uint32_t* crc, const char* text);
    static void AddBooleanToCheckSum(std::uint32_t* crc, bool value);
    static void AddIntegerToCheckSum(std::uint32_t* crc, std::int32_t value);
    static void AddRealToCheckSum(std::uint32_t* crc, double value);

private:
    BarcodeProfile* owner_;
    bool enableTest_ = false;
    bool enableFix_ = false;
};

// Keeps a value of the barcode between a minimum and a maximum setting; a
// bound of 0 does not apply.
class BarcodeProfileRangeTest : public BarcodeProfileBaseTest {
public:
    bool PutReal(const char* name, double value) override;
    int TypeOf(const char* name) const override;
    CheckMessageList CheckBarcode(BarcodeCheckRecord& record) override;
    void AddSettingsToCheckSum(std::uint32_t* crc) const override;
    bool ProduceSettings(M7LIO_StructuredIOR* receiver) override;

protected:
    struct Range {
        const char* minimumName;
        const char* maximumName;
        double defaultMinimum;
        double defaultMaximum;
        std::int32_t belowMessage;
        std::int32_t aboveMessage;
    };

    BarcodeProfileRangeTest(BarcodeProfile* owner, const Range& range);

    double GetMinimum() const { return minimum_; }
    int SetMinimum(double value) { return ChangeSetting(minimum_, value); }
    double GetMaximum() const { return maximum_; }
    int SetMaximum(double value) { return ChangeSetting(maximum_, value); }

    // The barcode's value; false when it has none, which gives no message.
    virtual bool MeasureValue(const BarcodeCheckRecord& record, double& value) const = 0;

private:
    const Range* range_;
    double minimum_;
    double maximum_;
};

// All barcodes of the document carry the same type and code.
class BarcodeProfileAllEqualTest : public BarcodeProfileBaseTest {
public:
    static constexpr const char* kElementName = "BarcodeProfileAllEqualTest";

    using BarcodeProfileBaseTest::BarcodeProfileBaseTest;

    std::int32_t GetTestID() const override;
    std::int32_t BeginCheck() override;
    CheckMessageList CheckBarcode(BarcodeCheckRecord& record) override;
    CheckMessageList CheckDocument() override;

private:
    std::int32_t firstType_ = 0;
    M7LString firstCode_;
    bool allEqual_ = true;
};

// The document holds exactly NrOfBarcodesInDocument barcodes.
class BarcodeProfileCountTest : public BarcodeProfileBaseTest {
public:
    static constexpr const char* kElementName = "BarcodeProfileCountTest";
    static constexpr const char* kCountName = "NrOfBarcodesInDocument";

    using BarcodeProfileBaseTest::BarcodeProfileBaseTest;

    std::int32_t GetNrOfBarcodesInDocument() const { return expectedCount_; }
    int SetNrOfBarcodesInDocument(std::int32_t count);

    bool PutInteger(const char* name, std::int32_t value) override;
    int TypeOf(const char* name) const override;
    std::int32_t GetTestID() const override;
    std::int32_t BeginCheck() override;
    // Counts each record once per run and reports nothing.
    CheckMessageList CheckBarcode(BarcodeCheckRecord& record) override;
    CheckMessageList CheckDocument() override;
    void AddSettingsToCheckSum(std::uint32_t* crc) const override;
    bool ProduceSettings(M7LIO_StructuredIOR* receiver) override;

private:
    std::int32_t expectedCount_ = 0;
    std::int32_t count_ = 0;
};

// The barcode's symbology type code is BarcodeType.
class BarcodeProfileTypeTest : public BarcodeProfileBaseTest {
public:
    static constexpr const char* kElementName = "BarcodeProfileTypeTest";
    static constexpr const char* kTypeName = "BarcodeType";

    using BarcodeProfileBaseTest::BarcodeProfileBaseTest;

    // A four-character code, first character in the most significant byte.
    std::int32_t GetBarcodeType() const { return type_; }
    int SetBarcodeType(std::int32_t type);

    bool PutString(const char* name, const char* text) override;
    int TypeOf(const char* name) const override;
    std::int32_t GetTestID() const override;
    CheckMessageList CheckBarcode(BarcodeCheckRecord& record) override;
    void AddSettingsToCheckSum(std::uint32_t* crc) const override;
    bool ProduceSettings(M7LIO_StructuredIOR* receiver) override;

private:
    std::int32_t type_ = 0;
};

// The barcode's code text matches the pattern BarcodeCode, in which '*'
// stands for any one character.
class BarcodeProfileCodeTest : public BarcodeProfileBaseTest {
public:
    static constexpr const char* kElementName = "BarcodeProfileCodeTest";
    static constexpr const char* kCodeName = "BarcodeCode";

    using BarcodeProfileBaseTest::BarcodeProfileBaseTest;

    const char* GetBarcodeCode() const { return pattern_.CStr(); }
    int SetBarcodeCode(const char* pattern);

    bool PutString(const char* name, const char* text) override;
    int TypeOf(const char* name) const override;
    std::int32_t GetTestID() const override;
    CheckMessageList CheckBarcode(BarcodeCheckRecord& record) override;
    void AddSettingsToCheckSum(std::uint32_t* crc) const override;
    bool ProduceSettings(M7LIO_StructuredIOR* receiver) override;

private:
    M7LString pattern_;
};

// The barcode's bar width reduction is BarWidthReduction; the fix sets it.
class BarcodeProfileBarWidthReductionTest : public BarcodeProfileBaseTest {
public:
    static constexpr const char* kElementName = "BarcodeProfileBarWidthReductionTest";
    static constexpr const char* kReductionName = "BarWidthReduction";

    using BarcodeProfileBaseTest::BarcodeProfileBaseTest;

    // Millimetres.
    double GetBarWidthReduction() const { return reductionMm_; }
    int SetBarWidthReduction(double mm);

    bool PutReal(const char* name, double value) override;
    int TypeOf(const char* name) const override;
    std::int32_t GetTestID() const override;
    CheckMessageList CheckBarcode(BarcodeCheckRecord& record) override;
    void AddSettingsToCheckSum(std::uint32_t* crc) const override;
    bool ProduceSettings(M7LIO_StructuredIOR* receiver) override;

private:
    double reductionMm_ = 0.0;
};

// The bar height lies between MinimumBarHeight and MaximumBarHeight (mm).
class BarcodeProfileBarHeightTest : public BarcodeProfileRangeTest {
public:
    static constexpr const char* kElementName = "BarcodeProfileBarHeightTest";

    explicit BarcodeProfileBarHeightTest(BarcodeProfile* owner);

    double GetMinimumBarHeight() const { return GetMinimum(); }
    int SetMinimumBarHeight(double mm) { return SetMinimum(mm); }
    double GetMaximumBarHeight() const { return GetMaximum(); }
    int SetMaximumBarHeight(double mm) { return SetMaximum(mm); }

    std::int32_t GetTestID() const override;

protected:
    bool MeasureValue(const BarcodeCheckRecord& record, double& value) const override;

private:
    static const Range kRange;
};

// The magnification (1.0 = 100 %) lies between MinimumMagnification and
// MaximumMagnification.
class BarcodeProfileMagnificationTest : public BarcodeProfileRangeTest {
public:
    static constexpr const char* kElementName = "BarcodeProfileMagnificationTest";

    explicit BarcodeProfileMagnificationTest(BarcodeProfile* owner);

    double GetMinimumMagnification() const { return GetMinimum(); }
    int SetMinimumMagnification(double magnification) { return SetMinimum(magnification); }
    double GetMaximumMagnification() const { return GetMaximum(); }
    int SetMaximumMagnification(double magnification) { return SetMaximum(magnification); }

    std::int32_t GetTestID() const override;

protected:
    bool MeasureValue(const BarcodeCheckRecord& record, double& value) const override;

private:
    static const Range kRange;
};

// For symbologies of wide and narrow elements: the ratio lies between
// MinimumWideNarrowRatio and MaximumWideNarrowRatio.
class BarcodeProfileWideNarrowRatioTest : public BarcodeProfileRangeTest {
public:
    static constexpr const char* kElementName = "BarcodeProfileWideNarrowRatioTest";

    explicit BarcodeProfileWideNarrowRatioTest(BarcodeProfile* owner);

    double GetMinimumWideNarrowRatio() const { return GetMinimum(); }
    int SetMinimumWideNarrowRatio(double ratio) { return SetMinimum(ratio); }
    double GetMaximumWideNarrowRatio() const { return GetMaximum(); }
    int SetMaximumWideNarrowRatio(double ratio) { return SetMaximum(ratio); }

    std::int32_t GetTestID() const override;

protected:
    bool MeasureValue(const BarcodeCheckRecord& record, double& value) const override;

private:
    static const Range kRange;
};

// The largest edge deviation is at most Deviation (mm); the fix regenerates
// the bars.
class BarcodeProfileDeviationTest : public BarcodeProfileBaseTest {
public:
    static constexpr const char* kElementName = "BarcodeProfileDeviationTest";
    static constexpr const char* kDeviationName = "Deviation";

    using BarcodeProfileBaseTest::BarcodeProfileBaseTest;

    double GetDeviation() const { return deviationMm_; }
    int SetDeviation(double mm);

    bool PutReal(const char* name, double value) override;
    int TypeOf(const char* name) const override;
    std::int32_t GetTestID() const override;
    CheckMessageList CheckBarcode(BarcodeCheckRecord& record) override;
    void AddSettingsToCheckSum(std::uint32_t* crc) const override;
    bool ProduceSettings(M7LIO_StructuredIOR* receiver) override;

private:
    double deviationMm_ = 0.0;
};

// The bars are printed in one channel at 100 %.
class BarcodeProfileOneColorTest : public BarcodeProfileBaseTest {
public:
    static constexpr const char* kElementName = "BarcodeProfileOneColorTest";

    using BarcodeProfileBaseTest::BarcodeProfileBaseTest;

    std::int32_t GetTestID() const override;
    CheckMessageList CheckBarcode(BarcodeCheckRecord& record) override;
};

// The bars overprint (multiply blending passes unless OverprintOnly); the
// fix sets them to overprint.
class BarcodeProfileOverprintTest : public BarcodeProfileBaseTest {
public:
    static constexpr const char* kElementName = "BarcodeProfileOverprintTest";
    static constexpr const char* kOverprintOnlyName = "OverprintOnly";

    using BarcodeProfileBaseTest::BarcodeProfileBaseTest;

    bool GetOverprintOnly() const { return overprintOnly_; }
    int SetOverprintOnly(bool overprintOnly);

    bool PutBoolean(const char* name, bool value) override;
    int TypeOf(const char* name) const override;
    std::int32_t GetTestID() const override;
    CheckMessageList CheckBarcode(BarcodeCheckRecord& record) override;
    void AddSettingsToCheckSum(std::uint32_t* crc) const override;
    bool ProduceSettings(M7LIO_StructuredIOR* receiver) override;

private:
    bool overprintOnly_ = false;
};

}  // namespace BarcodeVettrin
