#include "BarcodeCheckTexts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>

#include "BarcodeFourCC.h"
#include "StriveloResources.h"

namespace {

using BarcodeVettrin::BarcodeKeyedTextTable;
using BarcodeVettrin::BarcodeUnitNameTable;
using Strivelo::FourCC;

constexpr const char* kMessageFallback = "MESSAGE NOT KNOWN";
constexpr const char* kTypeFallback = "BARCODE NOT KNOWN";
constexpr int kMessageList = 21100;
constexpr int kTypeList = 21200;

// Every test runs with the plug-in's resources, so the process-wide tables
// are filled from them whichever test uses them first.
class CheckTextsTest : public testing::Test {
protected:
    void SetUp() override { SetResourceModule(StriveloResourceModule()); }
    void TearDown() override { SetResourceModule(StriveloResourceModule()); }
};

TEST_F(CheckTextsTest, MessageTextsComeFromTheirStrings) {
    struct Case {
        std::int32_t id;
        const char* text;
    };
    const Case cases[] = {
        {100, "Der Barcode 'Typ' entspricht nicht dem erwarteten Typ."},
        {101, "Der Barcode 'Code' entspricht nicht dem erwarteten Code."},
        {102, "Es sind mehr Barcodes im Dokument als erlaubt."},
        {103, "Es sind weniger Barcodes im Dokument als erlaubt."},
        {104, "Es sind nicht alle Barcodes identisch."},
        {105, "Die Balkenbreiten-Reduktion entspricht nicht dem erlaubten Wert"},
        {106, "Die Skalierung ist niedriger als der erlaubte Wert."},
        {107, "Die Skalierung ist höher als der erlaubte Wert."},
        {108, "Die Balken-Höhe ist kleiner als der erlaubte Wert."},
        {109, "Die Balken-Höhe ist größer als der erlaubte Wert."},
        {110, "Das Breit-/Schmal-Verhältnis ist kleiner als der erlaubte Wert."},
        {111, "Das Breit-/Schmal-Verhältnis ist größer als der erlaubte Wert."},
        {112, "Die maximale Abweichung ist höher als der erlaubte Wert."},
        {113, "Die Farbe besteht nicht aus einem Kanal mit 100% Farbauftrag."},
        {114, "Barcode benutzt ungültiges Überdrucken-Attribut für Überblenden-Modus."},
        {115, "Barcode ist nicht auf Überdrucken gestellt."},
        {116, kMessageFallback},
        {99, kMessageFallback},
        {0, kMessageFallback},
        {-100, kMessageFallback},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(BarcodeVettrin::GetMessageText(c.id), c.text) << c.id;
    }
}

TEST_F(CheckTextsTest, TypeNamesComeFromTheirStrings) {
    struct Case {
        std::int32_t code;
        const char* name;
    };
    const Case cases[] = {
        {FourCC("ean8"), "EAN 8"},
        {FourCC("eanD"), "EAN 13"},
        {FourCC("c128"), "Code 128"},
        {FourCC("upca"), "UPC/A"},
        {FourCC("upce"), "UPC/E"},
        {FourCC("2of5"), "ITF (interleaved 2 of 5)"},
        {FourCC("3of9"), "Code 39 (3 of 9)"},
        {FourCC("itff"), "ITF14"},
        {FourCC("e128"), "UCC/EAN 128"},
        {FourCC("jan8"), "JAN 8"},
        {FourCC("janD"), "JAN 13"},
        {FourCC("isbn"), "ISBN (Bookland)"},
        {FourCC("isbe"), "ISBN-13 (Bookland EAN)"},
        {FourCC("issn"), "ISSN"},
        {FourCC("eCou"), "EAN13 Coupon"},
        {FourCC("uCou"), "UPC/A Coupon"},
        {FourCC("ms7b"), "Marks & Spencer 7B"},
        {FourCC("plec"), "Plessey CRC"},
        {FourCC("ples"), "Plessey"},
        {FourCC("BePh"), "Belgian Pharma"},
        {FourCC("msiq"), "MSI Modulo 10-10"},
        {FourCC("msie"), "MSI Modulo 11"},
        {FourCC("msit"), "MSI Modulo 10"},
        {FourCC("coda"), "Codabar"},
        {FourCC("codt"), "Traditional Codabar"},
        {0, kTypeFallback},
        {FourCC("null"), kTypeFallback},
        {FourCC("isbd"), kTypeFallback},
        {FourCC("EAN8"), kTypeFallback},
        {FourCC("<Bar"), kTypeFallback},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(BarcodeVettrin::GetBarcodeTypeName(c.code), c.name) << c.code;
    }
}

// Every id ending in 0 of the message and type lists holds a group header,
// as the resources are laid out; the walks pass over them all.
TEST_F(CheckTextsTest, GroupHeadersAreInTheResources) {
    for (const int index : {0, 10, 20}) {
        EXPECT_TRUE(HasResourceString(kMessageList, index)) << kMessageList + index;
        EXPECT_TRUE(HasResourceString(kTypeList, index)) << kTypeList + index;
    }
}

TEST_F(CheckTextsTest, UnitNamesByIndexOutsideIndicesCountAsMillimetres) {
    const char* const names[] = {"mm", "cm", "Zoll", "Punkt", "mil"};
    for (int i = 0; i < BarcodeVettrin::kBarcodeUnitCount; ++i) {
        EXPECT_STREQ(BarcodeVettrin::GetUnitName(i), names[i]);
    }
    EXPECT_STREQ(BarcodeVettrin::GetUnitName(-1), "mm");
    EXPECT_STREQ(BarcodeVettrin::GetUnitName(BarcodeVettrin::kBarcodeUnitCount), "mm");
}

TEST_F(CheckTextsTest, ProcessWideTablesLoadOnlyOnce) {
    BarcodeVettrin::LoadReportTexts();
    const M7LResourceString others[] = {
        {21101, "100 anders"}, {21201, "ean8 anders"}, {21301, "anders"}};
    const M7LResourceModule module{others, std::size(others)};
    SetResourceModule(&module);
    BarcodeVettrin::LoadReportTexts();
    EXPECT_STREQ(BarcodeVettrin::GetMessageText(100),
                 "Der Barcode 'Typ' entspricht nicht dem erwarteten Typ.");
    EXPECT_STREQ(BarcodeVettrin::GetBarcodeTypeName(FourCC("ean8")), "EAN 8");
    EXPECT_STREQ(BarcodeVettrin::GetUnitName(0), "mm");
}

// The walk over list + index passes over every id ending in 0, stores
// nothing for a text without a blank or without a key, lets a later string
// replace an earlier one and ends at the first empty string.
TEST(KeyedTextTableTest, WalksTheListsAsTheResourcesAreLaidOut) {
    const M7LResourceString strings[] = {
        {21100, "100 Kopf"},
        {21101, "100 erste"},
        {21102, "101"},
        {21103, "kein Schlüssel"},
        {21104, "+102 mit Vorzeichen"},
        {21105, "100 ersetzt"},
        {21106, "99999999999 zu groß"},
        {21107, "103 sieben"},
        {21108, "104 acht"},
        {21109, "105 neun"},
        {21110, "106 Köder"},
        {21111, "107 elf"},
        {21112, ""},
        {21113, "108 hinter dem Ende"},
    };
    const M7LResourceModule module{strings, std::size(strings)};
    SetResourceModule(&module);
    BarcodeKeyedTextTable table(kMessageList, BarcodeKeyedTextTable::KeyForm::kDecimal, "?");
    struct Case {
        std::int32_t key;
        const char* text;
    };
    const Case cases[] = {
        {100, "ersetzt"}, {101, "?"},    {102, "mit Vorzeichen"},
        {103, "sieben"},  {104, "acht"}, {105, "neun"},
        {106, "?"},       {107, "elf"},  {108, "?"},
        {0, "?"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(table.Get(c.key), c.text) << c.key;
    }
    SetResourceModule(nullptr);
}

TEST(KeyedTextTableTest, TypeCodesAreTheFirstFourBytes) {
    const M7LResourceString strings[] = {
        {21201, "eanD EAN 13"},
        {21202, "ab Kurz"},
        {21203, "\xC3\xA4\xC3\xB6 Umlaute"},
    };
    const M7LResourceModule module{strings, std::size(strings)};
    SetResourceModule(&module);
    BarcodeKeyedTextTable table(kTypeList, BarcodeKeyedTextTable::KeyForm::kFourCharacterCode, "?");
    EXPECT_STREQ(table.Get(FourCC("eanD")), "EAN 13");
    // The blank is the third byte of a two-letter code.
    EXPECT_STREQ(table.Get(FourCC("ab K")), "Kurz");
    // Bytes above 0x7F stay in their own byte of the code.
    EXPECT_STREQ(table.Get(static_cast<std::int32_t>(0xC3A4C3B6u)), "Umlaute");
    SetResourceModule(nullptr);
}

TEST(KeyedTextTableTest, LoadsOnceEvenWithoutResources) {
    SetResourceModule(nullptr);
    BarcodeKeyedTextTable table(kMessageList, BarcodeKeyedTextTable::KeyForm::kDecimal,
                                kMessageFallback);
    EXPECT_STREQ(table.Get(100), kMessageFallback);
    const M7LResourceString strings[] = {{21101, "100 zu spät"}};
    const M7LResourceModule module{strings, std::size(strings)};
    SetResourceModule(&module);
    table.Load();
    EXPECT_STREQ(table.Get(100), kMessageFallback);
    SetResourceModule(nullptr);
}

TEST(UnitNameTableTest, MissingNamesFallBackToTheBuiltInOnes) {
    struct Case {
        const char* label;
        std::vector<M7LResourceString> strings;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"no resources", {}, {"mm", "cm", "Zoll", "Punkt", "mil"}},
        {"two of five",
         {{21301, "MM"}, {21302, "CM"}, {21304, "PT"}},
         {"MM", "CM", "Zoll", "Punkt", "mil"}},
        {"first missing", {{21302, "CM"}}, {"mm", "cm", "Zoll", "Punkt", "mil"}},
        {"a format in a name", {{21301, "%s%n"}}, {"%s%n", "cm", "Zoll", "Punkt", "mil"}},
    };
    for (const Case& c : cases) {
        const M7LResourceModule module{c.strings.data(), c.strings.size()};
        SetResourceModule(&module);
        BarcodeUnitNameTable table;
        for (int i = 0; i < BarcodeVettrin::kBarcodeUnitCount; ++i) {
            EXPECT_EQ(table.Get(i), c.names[i]) << c.label << " " << i;
        }
    }
    SetResourceModule(nullptr);
}

TEST(UnitNameTableTest, LoadsOnce) {
    const M7LResourceString first[] = {{21301, "eins"}};
    const M7LResourceString second[] = {{21301, "zwei"}};
    const M7LResourceModule firstModule{first, std::size(first)};
    const M7LResourceModule secondModule{second, std::size(second)};
    SetResourceModule(&firstModule);
    BarcodeUnitNameTable table;
    table.Load();
    SetResourceModule(&secondModule);
    table.Load();
    EXPECT_STREQ(table.Get(0), "eins");
    SetResourceModule(nullptr);
}

}  // namespace
