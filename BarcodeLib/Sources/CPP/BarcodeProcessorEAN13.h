#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "BarcodeFourCC.h"
#include "BarcodeProcessorBase1.h"
#include "BarcodeProcessorMixIn_Font.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeTypeEAN8 = FourCC("ean8");
inline constexpr std::int32_t kBarcodeTypeEAN13 = FourCC("eanD");
inline constexpr std::int32_t kBarcodeTypeJAN8 = FourCC("jan8");
inline constexpr std::int32_t kBarcodeTypeJAN13 = FourCC("janD");

// EAN-8: "DDDD-DDDD", the last digit the check digit; no add-on. User code
// and encoded form are the same text.
class BarcodeProcessorEAN8 : public BarcodeProcessorBase1, public BarcodeProcessorMixIn_Font {
public:
    std::int32_t GetType() const override { return kBarcodeTypeEAN8; }
    const char* GetName() const override { return "EAN-8"; }
    // Exactly 44 edges.
    static bool MightDecode(const BarcodeEdgeView& edges);
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    bool Generate() override;
    double ComputeWidth() override;
    bool IsEncodedValid(const char* encoded) const override;
    // Regroups the digits and recomputes the check digit; 7 digits get one.
    // A character other than a digit or '-' leaves the text alone.
    bool CorrectCode(M7LString& code) const override;
    bool HasOption(std::int32_t optionCode) const override;

protected:
    double GetNominalBarHeightMm() const override { return kEAN8BarHeightMm; }
};

// EAN-13: "D-DDDDDD-DDDDDD", optionally followed by an add-on "-DD" or
// "-DDDDD". User code and encoded form are the same text.
class BarcodeProcessorEAN13 : public BarcodeProcessorBase1, public BarcodeProcessorMixIn_Font {
public:
    std::int32_t GetType() const override { return kBarcodeTypeEAN13; }
    const char* GetName() const override { return "EAN-13"; }
    // 60 edges, or 74 and 92 with an add-on.
    static bool MightDecode(const BarcodeEdgeView& edges) { return MightBeEAN13Bars(edges); }
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    bool Generate() override;
    double ComputeWidth() override;
    bool IsEncodedValid(const char* encoded) const override;
    // Regroups the digits, recomputes the check digit (12 digits get one) and
    // cuts an incomplete add-on; a character other than a digit or '-' leaves
    // the text alone.
    bool CorrectCode(M7LString& code) const override;
    bool HasOption(std::int32_t optionCode) const override;

protected:
    double GetNominalBarHeightMm() const override { return kEAN13BarHeightMm; }
    // The beginnings ("9-78"), one of which every encoded form of the member
    // has; none when any will do.
    virtual std::span<const std::string_view> GetEncodedPrefixes() const { return {}; }
    bool AcceptsLeftHalf(const EAN13Bars& bars) const override;
    // Whether the encoded form of bars begins with one of prefixes; true for
    // none.
    static bool HasEncodedPrefix(const EAN13Bars& bars, std::span<const std::string_view> prefixes);
    // The screen of a member whose codes begin with one of prefixes: once the
    // identification pass has read the bars, their left half must show one.
    static bool MightBeMember(const BarcodeEdgeView& edges,
                              std::span<const std::string_view> prefixes);
};

// JAN-8: an EAN-8 with the prefix 45 or 49.
class BarcodeProcessorJAN8 : public BarcodeProcessorEAN8 {
public:
    std::int32_t GetType() const override { return kBarcodeTypeJAN8; }
    const char* GetName() const override { return "JAN-8"; }
    bool IsEncodedValid(const char* encoded) const override;
    // The EAN-8 correction with the prefix forced to 45 or 49.
    bool CorrectCode(M7LString& code) const override;
};

// JAN-13: an EAN-13 with the prefix 45 or 49.
class BarcodeProcessorJAN13 : public BarcodeProcessorEAN13 {
public:
    std::int32_t GetType() const override { return kBarcodeTypeJAN13; }
    const char* GetName() const override { return "JAN-13"; }
    bool IsEncodedValid(const char* encoded) const override;
    // The EAN-13 correction with the prefix forced to 45 or 49.
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

}  // namespace Strivelo
