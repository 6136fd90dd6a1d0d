#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "BarcodeCheckRecord.h"
#include "BarcodeProfileBaseTest.h"
#include "CheckMessage.h"
#include "M7LIO_StructuredIOP.h"
#include "M7LIO_StructuredIOR.h"
#include "M7LString.h"
#include "M7L_FileSpecificationNative.h"

namespace BarcodeVettrin {

// The checks a check run applies to every barcode of a document: eleven tests
// with their settings, a name, the time of the last save and a checksum over
// the settings. It drives a check run, carries out the fixes the tests
// request through the record's drivers and keeps the worst status of the
// run. It is saved as, and loaded from, a ".bcp" XML profile file.
class BarcodeProfile : public M7LIO_StructuredIOR, public M7LIO_StructuredIOP {
public:
    static constexpr const char* kRootName = "M7LBarcodeProfile";
    static constexpr const char* kDtdName = "M7LBarcodeProfile1_0";
    static constexpr std::int32_t kDtdBaseMode = 1;
    static constexpr const char* kDefaultProfileName = "Untitled";
    static constexpr const char* kProfileNameName = "ProfileName";
    static constexpr const char* kProfileSaveTimeName = "ProfileSaveTime";
    static constexpr const char* kProfileCheckSumName = "ProfileCheckSum";
    static constexpr std::size_t kTestCount = 11;

    BarcodeProfile();
    ~BarcodeProfile() override;

    BarcodeProfile(const BarcodeProfile&) = delete;
    BarcodeProfile& operator=(const BarcodeProfile&) = delete;

    // The tests in member order, which is also the order of the check run,
    // the checksum and the file. Their setters report to this profile.
    BarcodeProfileAllEqualTest allEqualTest;
    BarcodeProfileCountTest countTest;
    BarcodeProfileTypeTest typeTest;
    BarcodeProfileCodeTest codeTest;
    BarcodeProfileBarWidthReductionTest barWidthReductionTest;
    BarcodeProfileBarHeightTest barHeightTest;
    BarcodeProfileMagnificationTest magnificationTest;
    BarcodeProfileWideNarrowRatioTest wideNarrowRatioTest;
    BarcodeProfileDeviationTest deviationTest;
    BarcodeProfileOneColorTest oneColorTest;
    BarcodeProfileOverprintTest overprintTest;

    // The tests in member order.
    std::array<BarcodeProfileBaseTest*, kTestCount> GetTests();

    // kProfileNotEditable when the profile may not change; otherwise marks it
    // modified, empties the save time and zeroes the checksum.
    int MarkModified();
    // Changed since the last load or successful save-as.
    bool IsModified() const { return modified_; }
    bool IsEditable() const { return editable_; }

    const char* GetProfileName() const { return profileName_.CStr(); }
    // Follows the setter rule of the tests.
    int SetProfileName(const char* name);
    // "%04d-%02d-%02dT%02d:%02d:%02dZ" of the last save, or empty.
    const char* GetProfileSaveTime() const { return profileSaveTime_.CStr(); }
    std::int32_t GetProfileCheckSum() const { return profileCheckSum_; }
    // The file this profile was loaded from or last saved as.
    const M7L_FileSpecificationNative& GetFileSpecification() const { return fileSpecification_; }

    int CountEnabledTests() const;
    // Tests with both EnableTest and EnableFix.
    int CountEnabledFixes() const;
    // The CRC-32 of the tests in member order, stored as ProfileCheckSum (0
    // is stored as 1).
    void ComputeCheckSum();

    // Writes the profile to its own file, with a new checksum and save time;
    // true at once when nothing changed. A failed save keeps the old file and
    // leaves the profile as it was.
    bool Save();
    // Writes the profile to target and makes it the profile's file; the
    // checksum and save time are renewed only when the profile was modified.
    bool SaveAs(const M7L_FileSpecificationNative& target);
    // Reads the file into the profile; values the file does not hold keep
    // their current values. A file that cannot be read whole changes nothing.
    bool Load(const M7L_FileSpecificationNative& source);

    static bool SaveProfileFile(const M7L_FileSpecificationNative& target, BarcodeProfile& profile);
    static bool LoadProfileFile(const M7L_FileSpecificationNative& source, BarcodeProfile& profile);

    // Receiving a profile file: the tests' elements go to the tests.
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

    // The profile's element: name, save time, checksum, then every test's
    // element. Every call is made; true only when all succeeded.
    bool Produce(M7LIO_StructuredIOR* receiver, const char* elementName) override;

    // The check run: BeginCheck; per barcode CheckBarcode and, for a report,
    // CollectBarcodeMessages; then CheckDocument and CollectDocumentMessages.
    std::int32_t BeginCheck();
    // Runs the tests on the barcode and applies the fixes they request; the
    // barcode's status.
    std::int32_t CheckBarcode(BarcodeCheckRecord& record);
    std::int32_t CheckDocument();
    // The tests' messages for the barcode, without applying any fix.
    CheckMessageList CollectBarcodeMessages(BarcodeCheckRecord& record);
    CheckMessageList CollectDocumentMessages();
    // The largest status of the run: 0 after BeginCheck, then at least 100.
    std::int32_t GetOverallStatus() const { return overallStatus_; }

private:
    friend class BarcodeProfileBaseTest;

    // Every test's messages for the barcode, in member order.
    CheckMessageList RunBarcodeTests(BarcodeCheckRecord& record);
    CheckMessageList RunDocumentTests();
    // Carries out the record's fix requests; the status raised by a missing
    // driver or a fix that did not apply.
    std::int32_t ApplyFixes(const BarcodeCheckRecord& record, std::int32_t status);
    // Every setting, the name, the save time and the checksum of other.
    void CopySettingsFrom(const BarcodeProfile& other);
    void RaiseOverallStatus(std::int32_t status);
    // The setter rule of the profile and its tests: kProfileNotEditable while
    // the profile may not change, kSettingStored for an unchanged value, else
    // store() runs and the profile is marked modified.
    template <typename Store>
    int ChangeSetting(bool unchanged, Store store) {
        if (!IsEditable()) {
            return kProfileNotEditable;
        }
        if (unchanged) {
            return kSettingStored;
        }
        store();
        return MarkModified();
    }
    // Writes to target with a new checksum and save time when renew is set;
    // a failed write restores both.
    bool WriteProfileFile(const M7L_FileSpecificationNative& target, bool renew);

    M7L_FileSpecificationNative fileSpecification_;
    bool modified_ = false;
    bool editable_ = true;
    M7LString profileName_;
    M7LString profileSaveTime_;
    std::int32_t profileCheckSum_ = 0;
    std::int32_t overallStatus_ = 0;
    BarcodeProfileBaseTest* currentChild_ = nullptr;
};

}  // namespace BarcodeVettrin
