#pragma once

#include <cstddef>
#include <cstdint>

#include "BarcodeFourCC.h"
#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorMixIn_FontScaling.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeTypeISBNBase = FourCC("isbb");
inline constexpr std::int32_t kBarcodeTypeISBN = FourCC("isbn");
inline constexpr std::int32_t kBarcodeTypeISBNEAN = FourCC("isbe");
inline constexpr std::int32_t kBarcodeTypeISSN = FourCC("issn");

// Draws the number line above the EAN-13 symbol of ISBN, ISBN-EAN and ISSN.
class NumberLineDrawing;

// Book numbers printed as EAN-13 symbols of prefix 978 or 979 under an
// "ISBN" line in OCRB. Supplies the hyphenation of the nine ISBN-10 digits
// (group, publisher, title) by the ISBN range table; decoding, width and the
// encoded form are those of EAN-13. Never registered.
class BarcodeProcessorISBNBase : public BarcodeProcessorEAN13,
                                 public BarcodeProcessorMixIn_FontScaling {
public:
    std::int32_t GetType() const override { return kBarcodeTypeISBNBase; }
    // Centre alignment of the line only; the font is always OCRB.
    bool HasOption(std::int32_t optionCode) const override;

    // The lengths of group and publisher of the first nine digits of an
    // ISBN-10 text (other characters skipped): the group by its leading
    // digits, the publisher by the group's ranges (group 0's for a group the
    // table has no rows for). False with fewer than nine digits or no digit
    // left for the title. These are the only hyphens a code may have.
    static bool FindISBNPartLengths(const char* text, int* groupLength, int* publisherLength);
    // The same for the nine digits after prefix "978" or "979" of an
    // ISBN-13; false for another prefix.
    static bool FindISBNPartLengths(const char* prefix, const char* text, int* groupLength,
                                    int* publisherLength);

protected:
    friend class NumberLineDrawing;

    // Draws the line with the first lineCount characters of the code and,
    // when secondLine is not null, the ISBN-10 form below it.
    bool GenerateWithLine(std::size_t lineCount, const char* secondLine);
};

// ISBN: the hyphenated ISBN-10 "G-P-T-C" (C a digit or 'X'), optionally
// followed by a 5-digit add-on; printed and encoded as the EAN-13 of prefix
// 978 with the ISBN-10 above it.
class BarcodeProcessorISBN : public BarcodeProcessorISBNBase {
public:
    std::int32_t GetType() const override { return kBarcodeTypeISBN; }
    const char* GetName() const override { return "ISBN"; }
    // Fails for an EAN-13 form without prefix 978 or with a 2-digit add-on.
    bool EncodedToCode(const char* encoded, char* code, std::size_t capacity) const override;
    bool CodeToEncoded(const char* code, char* encoded, std::size_t capacity) const override;
    bool Generate() override;
    bool IsCodeValid(const char* code) const override;
    // Hyphenates by the range table and computes the check character; 9
    // digits get one. An ISBN-13, or a character other than a digit, '-' or
    // the check character 'X', leaves the text alone.
    bool CorrectCode(M7LString& code) const override;

    static bool MightDecode(const BarcodeEdgeView& edges) {
        return MightBeMember(edges, EncodedPrefixes());
    }

protected:
    static std::span<const std::string_view> EncodedPrefixes();
    std::span<const std::string_view> GetEncodedPrefixes() const override {
        return EncodedPrefixes();
    }
};

// ISBN-EAN: the ISBN-13 "978-G-P-T-C" or "979-G-P-T-C" (C the EAN check
// digit), optionally followed by a 5-digit add-on; with dual numbering a
// 978 number also prints its ISBN-10 form as a second line.
class BarcodeProcessorISBNEAN : public BarcodeProcessorISBNBase {
public:
    std::int32_t GetType() const override { return kBarcodeTypeISBNEAN; }
    const char* GetName() const override { return "ISBN-EAN"; }
    // Fails for an EAN-13 form without prefix 978 or 979 or with a 2-digit
    // add-on.
    bool EncodedToCode(const char* encoded, char* code, std::size_t capacity) const override;
    bool CodeToEncoded(const char* code, char* encoded, std::size_t capacity) const override;
    bool Generate() override;
    bool IsCodeValid(const char* code) const override;
    // An ISBN-10 gets prefix 978, an ISBN-13 keeps its prefix, which must be
    // 978 or 979; hyphenates the rest and computes the EAN check digit.
    bool CorrectCode(M7LString& code) const override;

    void SetDualNumbering(bool dualNumbering) { dualNumbering_ = dualNumbering; }
    bool GetDualNumbering() const { return dualNumbering_; }

    static bool MightDecode(const BarcodeEdgeView& edges) {
        return MightBeMember(edges, EncodedPrefixes());
    }

protected:
    static std::span<const std::string_view> EncodedPrefixes();
    std::span<const std::string_view> GetEncodedPrefixes() const override {
        return EncodedPrefixes();
    }

private:
    bool dualNumbering_ = false;
};

// ISSN: "DDDD-DDDC" (C a digit or 'X'), optionally with a 2-digit variant
// "(VV)" and a 2-digit add-on "-DD"; printed and encoded as the EAN-13 of
// prefix 977 with the ISSN above it.
class BarcodeProcessorISSN : public BarcodeProcessorEAN13 {
public:
    std::int32_t GetType() const override { return kBarcodeTypeISSN; }
    const char* GetName() const override { return "ISSN"; }
    // Fails for an EAN-13 form without prefix 977 or with a 5-digit add-on.
    bool EncodedToCode(const char* encoded, char* code, std::size_t capacity) const override;
    bool CodeToEncoded(const char* code, char* encoded, std::size_t capacity) const override;
    bool Generate() override;
    bool IsCodeValid(const char* code) const override;
    // Regroups the digits around variant and add-on and computes the check
    // character; 7 digits get one. A character other than a digit, '-', '(',
    // ')' or the check character 'X' leaves the text alone.
    bool CorrectCode(M7LString& code) const override;
    bool HasOption(std::int32_t optionCode) const override;

    static bool MightDecode(const BarcodeEdgeView& edges) {
        return MightBeMember(edges, EncodedPrefixes());
    }

protected:
    static std::span<const std::string_view> EncodedPrefixes();
    std::span<const std::string_view> GetEncodedPrefixes() const override {
        return EncodedPrefixes();
    }

private:
    friend class NumberLineDrawing;
};

}  // namespace Strivelo
