#include "BarcodeCheckTexts.h"

#include <charconv>
#include <cstring>
#include <string_view>

#include "BarcodeReportLabels.h"
#include "M7LResources.h"

namespace BarcodeVettrin {

namespace {

constexpr int kMessageTextList = 21100;
constexpr int kTypeNameList = 21200;
constexpr int kUnitNameList = 21300;
constexpr int kFirstIndex = 1;
// Index 10 would be the next list's group header.
constexpr int kIndexLimit = 10;
constexpr int kListStep = 10;
constexpr int kFourCharacterCodeBytes = 4;
constexpr int kBitsPerByte = 8;

constexpr const char* kMessageFallback = "MESSAGE NOT KNOWN";
constexpr const char* kTypeNameFallback = "BARCODE NOT KNOWN";
constexpr const char* kBuiltInUnitNames[kBarcodeUnitCount] = {"mm", "cm", "Zoll", "Punkt", "mil"};

constexpr std::string_view kLeadingSpace = " \t\n\v\f\r";

BarcodeKeyedTextTable& MessageTexts() {
    static BarcodeKeyedTextTable table(kMessageTextList, BarcodeKeyedTextTable::KeyForm::kDecimal,
                                       kMessageFallback);
    return table;
}

BarcodeKeyedTextTable& TypeNames() {
    static BarcodeKeyedTextTable table(
        kTypeNameList, BarcodeKeyedTextTable::KeyForm::kFourCharacterCode, kTypeNameFallback);
    return table;
}

BarcodeUnitNameTable& UnitNames() {
    static BarcodeUnitNameTable table;
    return table;
}

}  // namespace

BarcodeKeyedTextTable::BarcodeKeyedTextTable(int firstList, KeyForm keyForm, const char* fallback)
    : firstList_(firstList), keyForm_(keyForm), fallback_(fallback) {}

void BarcodeKeyedTextTable::Load() {
    if (!texts_.empty()) {
        return;
    }
    texts_[0].Assign(fallback_);
    int list = firstList_;
    for (int index = kFirstIndex;; ++index) {
        if (index == kIndexLimit) {
            list += kListStep;
            index = kFirstIndex;
        }
        M7LString text;
        if (!LoadResourceStringInto(text, list, index)) {
            return;
        }
        const std::int32_t key = ReadKey(text.CStr());
        const char* blank = std::strchr(text.CStr(), ' ');
        if (blank != nullptr && key != 0) {
            texts_[key].Assign(blank + 1);
        }
    }
}

const char* BarcodeKeyedTextTable::Get(std::int32_t key) {
    Load();
    const auto found = texts_.find(key);
    return (found != texts_.end() ? found->second : texts_[0]).CStr();
}

// A decimal key is read as atoi reads it (0 when there is none or it does not
// fit); a type code from the first four bytes, missing ones counting as 0.
std::int32_t BarcodeKeyedTextTable::ReadKey(const char* text) const {
    const std::string_view view(text);
    if (keyForm_ == KeyForm::kFourCharacterCode) {
        std::uint32_t code = 0;
        for (int i = 0; i < kFourCharacterCodeBytes; ++i) {
            const auto byte =
                i < static_cast<int>(view.size()) ? static_cast<unsigned char>(view[i]) : 0;
            code = (code << kBitsPerByte) | byte;
        }
        return static_cast<std::int32_t>(code);
    }
    std::size_t start = view.find_first_not_of(kLeadingSpace);
    if (start == std::string_view::npos) {
        return 0;
    }
    if (view[start] == '+') {
        ++start;
    }
    std::int32_t key = 0;
    if (std::from_chars(view.data() + start, view.data() + view.size(), key).ec != std::errc()) {
        return 0;
    }
    return key;
}

void BarcodeUnitNameTable::Load() {
    if (!names_.empty()) {
        return;
    }
    for (int index = 1;; ++index) {
        M7LString name;
        if (!LoadResourceStringInto(name, kUnitNameList, index)) {
            return;
        }
        names_.push_back(std::move(name));
    }
}

const char* BarcodeUnitNameTable::Get(int unitIndex) {
    Load();
    if (unitIndex < 0 || unitIndex >= kBarcodeUnitCount) {
        unitIndex = kBarcodeUnitMillimetre;
    }
    const auto slot = static_cast<std::size_t>(unitIndex);
    return slot < names_.size() ? names_[slot].CStr() : kBuiltInUnitNames[slot];
}

void LoadMessageTexts() {
    MessageTexts().Load();
}

const char* GetMessageText(std::int32_t messageId) {
    return MessageTexts().Get(messageId);
}

void LoadBarcodeTypeNames() {
    TypeNames().Load();
}

const char* GetBarcodeTypeName(std::int32_t typeCode) {
    return TypeNames().Get(typeCode);
}

void LoadUnitNames() {
    UnitNames().Load();
}

const char* GetUnitName(int unitIndex) {
    return UnitNames().Get(unitIndex);
}

void LoadReportTexts() {
    LoadMessageTexts();
    LoadBarcodeTypeNames();
    LoadUnitNames();
    LoadTextReportLabels();
    LoadHTMLReportLabels();
}

}  // namespace BarcodeVettrin
