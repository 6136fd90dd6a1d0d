#pragma once

#include <cstddef>
#include <cstdint>

#include "BarcodeFourCC.h"
#include "BarcodeProcessorBase1.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeTypeUPCA = FourCC("upca");
inline constexpr std::int32_t kBarcodeTypeUPCE = FourCC("upce");

// UPC-A: "D-DDDDD-DDDDD-C" (number system, manufacturer, product, check
// digit), optionally followed by an add-on "-DD" or "-DDDDD". Drawn like an
// EAN-13 with leading digit 0, with long bars for the outer digits and
// their own text layout, always in OCRB.
class BarcodeProcessorUPCA : public BarcodeProcessorBase1 {
public:
    std::int32_t GetType() const override { return kBarcodeTypeUPCA; }
    const char* GetName() const override { return "UPC-A"; }
    // 60 edges, or 74 and 92 with an add-on; once the identification pass
    // has read the bars, a left half all of set A.
    static bool MightDecode(const BarcodeEdgeView& edges);
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    bool Generate() override;
    double ComputeWidth() override;
    bool IsEncodedValid(const char* encoded) const override;
    // Regroups the digits, recomputes the check digit (11 digits get one) and
    // cuts an incomplete add-on; a character other than a digit or '-'
    // leaves the text alone.
    bool CorrectCode(M7LString& code) const override;

protected:
    double GetNominalBarHeightMm() const override { return kEAN13BarHeightMm; }
};

// UPC-E, the zero-suppressed form of a number-system-0 UPC-A code, with an
// optional 2-digit add-on. Its code is the short form "0-DDDDDD-C", the long
// form (the UPC-A code) or the display form, the long form followed by
// " (", the short form and ")", as decoding and drawing leave it.
class BarcodeProcessorUPCE : public BarcodeProcessorBase1 {
public:
    std::int32_t GetType() const override { return kBarcodeTypeUPCE; }
    const char* GetName() const override { return "UPC-E"; }
    // 34 edges, or 48 with an add-on.
    static bool MightDecode(const BarcodeEdgeView& edges);
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    // Also makes the display form the code.
    bool Generate() override;
    double ComputeWidth() override;
    // A short form must be the one its UPC-A code suppresses to, and a text
    // longer than the long form must be its display form.
    bool IsEncodedValid(const char* encoded) const override;
    // Up to 10 digits (hyphens not counted) are a short form, which must
    // have number system 0; 11 and more a long form, which must suppress.
    bool CorrectCode(M7LString& code) const override;

protected:
    double GetNominalBarHeightMm() const override { return kEAN13BarHeightMm; }

private:
    // The long form "0-MMMMM-PPPPP-C" and a 2-digit add-on.
    static constexpr std::size_t kLongFormCapacity = 18;
    static constexpr std::size_t kDisplayFormCapacity = 34;

    // The six UPC-E digits of the UPC-A long form, when it has them.
    bool SuppressZeros(const char* longForm, char* digits) const;
    // Expands shortForm into longForm (kLongFormCapacity + 1 bytes);
    // true when the UPC-A code suppresses to the same digits.
    bool ExpandsCanonically(const char* shortForm, char* longForm) const;
    // The display form of a long form (15 or 18 characters) that suppresses.
    bool MakeDisplayForm(const char* longForm, char* display) const;
    // The long form of a valid encoded form, kLongFormCapacity + 1 bytes.
    bool MakeLongForm(const char* encoded, char* longForm) const;
};

}  // namespace Strivelo
