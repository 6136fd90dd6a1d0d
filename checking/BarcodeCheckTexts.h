#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "M7LString.h"

namespace BarcodeVettrin {

// Texts from the string resources keyed by what each string carries in front
// of its text: a message id in decimal or the four letters of a type code,
// then one blank. The strings are read from list + index with index 1 to 9,
// the list advancing by 10, so ids ending in 0 (group headers) are passed
// over; the first missing or empty string ends the table.
class BarcodeKeyedTextTable {
public:
    enum class KeyForm { kDecimal, kFourCharacterCode };

    BarcodeKeyedTextTable(int firstList, KeyForm keyForm, const char* fallback);

    // Fills the table once: the fallback under key 0 counts as loaded, so a
    // table whose resources are missing is not read again.
    void Load();
    // The text of key, or the fallback; loads the table when needed.
    const char* Get(std::int32_t key);

private:
    std::int32_t ReadKey(const char* text) const;

    int firstList_;
    KeyForm keyForm_;
    const char* fallback_;
    std::map<std::int32_t, M7LString> texts_;
};

// Unit indices of the reports' lengths.
inline constexpr int kBarcodeUnitMillimetre = 0;
inline constexpr int kBarcodeUnitCentimetre = 1;
inline constexpr int kBarcodeUnitInch = 2;
inline constexpr int kBarcodeUnitPoint = 3;
inline constexpr int kBarcodeUnitMil = 4;
inline constexpr int kBarcodeUnitCount = 5;

// The names of the length units in resource order, read once.
class BarcodeUnitNameTable {
public:
    // Nothing happens when names are held or the first name is missing.
    void Load();
    // The loaded name, or the built-in one when the resources lack it; an
    // index outside the units counts as millimetres. Loads when needed.
    const char* Get(int unitIndex);

private:
    std::vector<M7LString> names_;
};

// The process-wide tables, filled at start-up or on first use and never
// reloaded.
void LoadMessageTexts();
const char* GetMessageText(std::int32_t messageId);
void LoadBarcodeTypeNames();
const char* GetBarcodeTypeName(std::int32_t typeCode);
void LoadUnitNames();
const char* GetUnitName(int unitIndex);

// Everything the reports show from the resources, loaded once at start-up.
void LoadReportTexts();

}  // namespace BarcodeVettrin
