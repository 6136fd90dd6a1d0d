#include "BarcodeProfile.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <type_traits>
#include <utility>

#include "BarcodeDeltaBarDriver.h"
#include "BarcodeProcessor.h"
#include "BarcodeProfileChangeColorDriver.h"
#include "M7LIO_StructuredIOXMLLoad.h"
#include "M7LIO_StructuredIOXMLSave.h"
#include "M7LTimeStamp.h"
#include "M7LUtilities.h"

namespace BarcodeVettrin {

namespace {

// The tests in member order, the one order of the run, the checksum and the
// file; for a const profile the tests are const.
template <typename Profile>
auto TestMembers(Profile& profile) {
    return std::tie(profile.allEqualTest, profile.countTest, profile.typeTest, profile.codeTest,
                    profile.barWidthReductionTest, profile.barHeightTest, profile.magnificationTest,
                    profile.wideNarrowRatioTest, profile.deviationTest, profile.oneColorTest,
                    profile.overprintTest);
}

// Calls visit(test, element name) for every test in member order.
template <typename Profile, typename Visit>
void ForEachTest(Profile& profile, Visit visit) {
    std::apply(
        [&](auto&... test) {
            (visit(test, std::remove_cvref_t<decltype(test)>::kElementName), ...);
        },
        TestMembers(profile));
}

// The test whose element has this name, or null.
template <typename Profile>
auto FindTest(Profile& profile, const char* elementName) {
    using Test = std::conditional_t<std::is_const_v<Profile>, const BarcodeProfileBaseTest,
                                    BarcodeProfileBaseTest>;
    Test* found = nullptr;
    ForEachTest(profile, [&](Test& test, const char* name) {
        if (found == nullptr && elementName != nullptr && std::strcmp(elementName, name) == 0) {
            found = &test;
        }
    });
    return found;
}

static_assert(std::tuple_size_v<decltype(TestMembers(std::declval<BarcodeProfile&>()))> ==
              BarcodeProfile::kTestCount);

// Passes a document on to the XML writer with every real written as text of
// the checksum's decimals instead of the writer's own six, so that a profile
// reads back with the settings, and so the checksum, it was saved with.
class ProfileFileReceiver : public M7LIO_StructuredIOR {
public:
    explicit ProfileFileReceiver(M7LIO_StructuredIOR& writer) : writer_(writer) {}

    bool BeginDocument() override { return true; }
    bool EndDocument() override { return true; }
    M7LIO_StructuredIOR* BeginElement(const char* name, int extra) override {
        return writer_.OpenElement(name, extra) != nullptr ? this : nullptr;
    }
    M7LIO_StructuredIOR* EndElement() override {
        return writer_.CloseElement() != nullptr ? this : nullptr;
    }
    bool PutString(const char* name, const char* text) override {
        return writer_.PutString(name, text);
    }
    bool PutWideString(const char* name, const char16_t* text) override {
        return writer_.PutWideString(name, text);
    }
    bool PutInteger(const char* name, std::int32_t value) override {
        return writer_.PutInteger(name, value);
    }
    bool PutReal(const char* name, double value) override {
        char text[BarcodeProfileBaseTest::kRealTextBytes];
        return BarcodeProfileBaseTest::FormatReal(value, text) && writer_.PutString(name, text);
    }
    bool PutBoolean(const char* name, bool value) override {
        return writer_.PutBoolean(name, value);
    }
    bool PutAttributeString(const char* name, const char* text) override {
        return writer_.PutAttributeString(name, text);
    }
    bool PutBinary(const char* name, const std::uint8_t* bytes, std::size_t count) override {
        return writer_.PutBinary(name, bytes, count);
    }
    bool PutScrambledBinary(const char* name, const std::uint8_t* bytes,
                            std::size_t count) override {
        return writer_.PutScrambledBinary(name, bytes, count);
    }
    int GetKindCode() const override { return writer_.GetKindCode(); }

private:
    M7LIO_StructuredIOR& writer_;
};

}  // namespace

BarcodeProfile::BarcodeProfile()
    : allEqualTest(this),
      countTest(this),
      typeTest(this),
      codeTest(this),
      barWidthReductionTest(this),
      barHeightTest(this),
      magnificationTest(this),
      wideNarrowRatioTest(this),
      deviationTest(this),
      oneColorTest(this),
      overprintTest(this),
      profileName_(kDefaultProfileName) {}

BarcodeProfile::~BarcodeProfile() = default;

std::array<BarcodeProfileBaseTest*, BarcodeProfile::kTestCount> BarcodeProfile::GetTests() {
    std::array<BarcodeProfileBaseTest*, kTestCount> tests{};
    std::size_t next = 0;
    ForEachTest(*this, [&](BarcodeProfileBaseTest& test, const char*) { tests[next++] = &test; });
    return tests;
}

int BarcodeProfile::MarkModified() {
    if (!editable_) {
        return kProfileNotEditable;
    }
    modified_ = true;
    profileSaveTime_.Clear();
    profileCheckSum_ = 0;
    return kSettingStored;
}

int BarcodeProfile::SetProfileName(const char* name) {
    const char* const text = name != nullptr ? name : "";
    return ChangeSetting(std::strcmp(profileName_.CStr(), text) == 0,
                         [&] { profileName_.Assign(text); });
}

int BarcodeProfile::CountEnabledTests() const {
    int count = 0;
    ForEachTest(*this, [&](const BarcodeProfileBaseTest& test, const char*) {
        count += test.GetEnableTest() ? 1 : 0;
    });
    return count;
}

int BarcodeProfile::CountEnabledFixes() const {
    int count = 0;
    ForEachTest(*this, [&](const BarcodeProfileBaseTest& test, const char*) {
        count += test.GetEnableTest() && test.GetEnableFix() ? 1 : 0;
    });
    return count;
}

// A stored 0 means "no checksum", so a computed 0 is stored as 1.
void BarcodeProfile::ComputeCheckSum() {
    std::uint32_t crc = 0;
    ForEachTest(
        *this, [&](const BarcodeProfileBaseTest& test, const char*) { test.UpdateCheckSum(&crc); });
    profileCheckSum_ = crc != 0 ? static_cast<std::int32_t>(crc) : 1;
}

bool BarcodeProfile::Save() {
    if (!modified_) {
        return true;
    }
    if (!fileSpecification_.HasPath()) {
        return false;
    }
    return WriteProfileFile(fileSpecification_, true);
}

bool BarcodeProfile::SaveAs(const M7L_FileSpecificationNative& target) {
    if (!target.HasPath() || !WriteProfileFile(target, modified_)) {
        return false;
    }
    fileSpecification_.Assign(target);
    modified_ = false;
    return true;
}

// The file is read into a copy, so that a file that fails half-way leaves
// nothing of itself behind.
bool BarcodeProfile::Load(const M7L_FileSpecificationNative& source) {
    BarcodeProfile staged;
    staged.CopySettingsFrom(*this);
    if (!LoadProfileFile(source, staged)) {
        return false;
    }
    CopySettingsFrom(staged);
    fileSpecification_.Assign(source);
    modified_ = false;
    return true;
}

bool BarcodeProfile::SaveProfileFile(const M7L_FileSpecificationNative& target,
                                     BarcodeProfile& profile) {
    M7LIO_StructuredIOXMLSave writer(target, kRootName, kDtdName, kDtdBaseMode);
    writer.SetAttributeMode(false);
    writer.SetEmptyElementMode(true);
    ProfileFileReceiver receiver(writer);
    // An unfinished document is abandoned with the writer, and the old file
    // stays.
    if (!writer.StartDocument(kRootName, nullptr) || !profile.Produce(&receiver, kRootName)) {
        return false;
    }
    return writer.FinishDocument();
}

bool BarcodeProfile::LoadProfileFile(const M7L_FileSpecificationNative& source,
                                     BarcodeProfile& profile) {
    M7LIO_StructuredIOXMLLoad reader(source);
    profile.StartDocument(kRootName, nullptr);
    const bool ok = reader.Produce(&profile, kRootName);
    profile.FinishDocument();
    return ok;
}

bool BarcodeProfile::BeginDocument() {
    currentChild_ = nullptr;
    return true;
}

bool BarcodeProfile::EndDocument() {
    return true;
}

M7LIO_StructuredIOR* BarcodeProfile::BeginElement(const char* name, int extra) {
    BarcodeProfileBaseTest* const test = FindTest(*this, name);
    if (test == nullptr) {
        return this;
    }
    currentChild_ = test;
    return DelegateElement(test, name, extra);
}

M7LIO_StructuredIOR* BarcodeProfile::EndElement() {
    if (currentChild_ != nullptr) {
        currentChild_->FinishDocument();
        currentChild_ = nullptr;
    }
    return this;
}

// Loading stores directly, without marking the profile modified.
bool BarcodeProfile::PutString(const char* name, const char* text) {
    const char* const value = text != nullptr ? text : "";
    if (name != nullptr && std::strcmp(name, kProfileNameName) == 0) {
        profileName_.Assign(value);
        return true;
    }
    if (name != nullptr && std::strcmp(name, kProfileSaveTimeName) == 0) {
        profileSaveTime_.Assign(value);
        return true;
    }
    return false;
}

bool BarcodeProfile::PutWideString(const char* /*name*/, const char16_t* /*text*/) {
    return false;
}

bool BarcodeProfile::PutInteger(const char* name, std::int32_t value) {
    if (name != nullptr && std::strcmp(name, kProfileCheckSumName) == 0) {
        profileCheckSum_ = value;
        return true;
    }
    return false;
}

bool BarcodeProfile::PutReal(const char* /*name*/, double /*value*/) {
    return false;
}

bool BarcodeProfile::PutBoolean(const char* /*name*/, bool /*value*/) {
    return false;
}

bool BarcodeProfile::PutAttributeString(const char* /*name*/, const char* /*text*/) {
    return false;
}

bool BarcodeProfile::PutBinary(const char* /*name*/, const std::uint8_t* /*bytes*/,
                               std::size_t /*count*/) {
    return false;
}

bool BarcodeProfile::PutScrambledBinary(const char* /*name*/, const std::uint8_t* /*bytes*/,
                                        std::size_t /*count*/) {
    return false;
}

int BarcodeProfile::GetKindCode() const {
    return 2;
}

int BarcodeProfile::TypeOf(const char* name) const {
    if (name == nullptr) {
        return kM7LIO_Unknown;
    }
    if (std::strcmp(name, kProfileNameName) == 0 || std::strcmp(name, kProfileSaveTimeName) == 0) {
        return kM7LIO_String;
    }
    if (std::strcmp(name, kProfileCheckSumName) == 0) {
        return kM7LIO_Integer;
    }
    return FindTest(*this, name) != nullptr ? kM7LIO_Element : kM7LIO_Unknown;
}

bool BarcodeProfile::Produce(M7LIO_StructuredIOR* receiver, const char* elementName) {
    M7LIO_StructuredIOR* const element =
        receiver != nullptr ? receiver->OpenElement(elementName, 0) : nullptr;
    if (element == nullptr) {
        return false;
    }
    bool ok = element->PutString(kProfileNameName, profileName_.CStr());
    ok = element->PutString(kProfileSaveTimeName, profileSaveTime_.CStr()) && ok;
    ok = element->PutInteger(kProfileCheckSumName, profileCheckSum_) && ok;
    ForEachTest(*this, [&](BarcodeProfileBaseTest& test, const char* name) {
        ok = test.Produce(element, name) && ok;
    });
    ok = element->CloseElement() != nullptr && ok;
    return ok;
}

std::int32_t BarcodeProfile::BeginCheck() {
    overallStatus_ = 0;
    std::int32_t result = 0;
    ForEachTest(*this, [&](BarcodeProfileBaseTest& test, const char*) {
        result = std::max(result, test.BeginCheck());
    });
    RaiseOverallStatus(result);
    return result;
}

std::int32_t BarcodeProfile::CheckBarcode(BarcodeCheckRecord& record) {
    record.ClearFixRequests();
    const std::int32_t status = ApplyFixes(record, GetMessageListStatus(RunBarcodeTests(record)));
    RaiseOverallStatus(status);
    return status;
}

std::int32_t BarcodeProfile::CheckDocument() {
    const std::int32_t status = GetMessageListStatus(RunDocumentTests());
    RaiseOverallStatus(status);
    return status;
}

CheckMessageList BarcodeProfile::CollectBarcodeMessages(BarcodeCheckRecord& record) {
    CheckMessageList messages = RunBarcodeTests(record);
    RaiseOverallStatus(GetMessageListStatus(messages));
    return messages;
}

CheckMessageList BarcodeProfile::CollectDocumentMessages() {
    CheckMessageList messages = RunDocumentTests();
    RaiseOverallStatus(GetMessageListStatus(messages));
    return messages;
}

CheckMessageList BarcodeProfile::RunBarcodeTests(BarcodeCheckRecord& record) {
    CheckMessageList messages;
    ForEachTest(*this, [&](BarcodeProfileBaseTest& test, const char*) {
        AppendMessages(messages, test.RunCheckBarcode(record));
    });
    return messages;
}

CheckMessageList BarcodeProfile::RunDocumentTests() {
    CheckMessageList messages;
    ForEachTest(*this, [&](BarcodeProfileBaseTest& test, const char*) {
        AppendMessages(messages, test.RunCheckDocument());
    });
    return messages;
}

std::int32_t BarcodeProfile::ApplyFixes(const BarcodeCheckRecord& record, std::int32_t status) {
    if (record.IsRegenerateRequested()) {
        Strivelo::BarcodeDeltaBarDriver* const driver = record.GetDeltaBarDriver();
        if (driver == nullptr) {
            status = std::max(status, kCheckStatusFixDriverMissing);
        } else {
            double target = 0.0;
            if (!record.GetNewBarWidthReduction(target)) {
                target = record.GetProcessor()->GetBarWidthReduction();
            }
            if (!driver->SetBarWidthReduction(target) || !driver->Run()) {
                status = std::max(status, kCheckStatusFailed);
            }
        }
    }
    if (record.HasColorAction()) {
        BarcodeProfileChangeColorDriver* const driver = record.GetChangeColorDriver();
        if (driver == nullptr) {
            status = std::max(status, kCheckStatusFixDriverMissing);
        } else {
            driver->SetColorAction(record.GetColorAction());
            if (driver->ChangeColor() != 0) {
                status = std::max(status, kCheckStatusFailed);
            }
        }
    }
    return status;
}

void BarcodeProfile::CopySettingsFrom(const BarcodeProfile& other) {
    auto mine = TestMembers(*this);
    const auto theirs = TestMembers(other);
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        ((std::get<I>(mine) = std::get<I>(theirs)), ...);
    }
    (std::make_index_sequence<kTestCount>{});
    profileName_ = other.profileName_;
    profileSaveTime_ = other.profileSaveTime_;
    profileCheckSum_ = other.profileCheckSum_;
}

void BarcodeProfile::RaiseOverallStatus(std::int32_t status) {
    overallStatus_ = std::max(overallStatus_, status);
}

bool BarcodeProfile::WriteProfileFile(const M7L_FileSpecificationNative& target, bool renew) {
    const M7LString oldSaveTime(profileSaveTime_);
    const std::int32_t oldCheckSum = profileCheckSum_;
    if (renew) {
        ComputeCheckSum();
        M7LTimeStamp now;
        now.SetLocalNow();
        profileSaveTime_.Assign(now.text);
    }
    if (SaveProfileFile(target, *this)) {
        return true;
    }
    profileSaveTime_ = oldSaveTime;
    profileCheckSum_ = oldCheckSum;
    return false;
}

}  // namespace BarcodeVettrin
