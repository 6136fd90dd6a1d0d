#pragma once

#include <cstddef>
#include <cstdint>

#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorEAN128.h"
#include "BarcodeProcessorEAN13.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorUPCA.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeTypeEAN13Coupon = FourCC("eCou");
inline constexpr std::int32_t kBarcodeTypeUPCACoupon = FourCC("uCou");

// A retail coupon: a main symbol followed on the same baseline by an
// EAN-128 extension that carries the coupon data, "(8100)" with 6, "(8101)"
// with 10 or "(8102)" with exactly 2 digits, the first two optionally
// followed by a serial number "(21)". The code text is the main symbol's
// code, one blank and the extension spaced out for reading:
// "9-912345-678901 (8101)1 23456 7890", the one spelling valid. User code
// and encoded form are the same text.
//
// The two inner processors are the coupon's own. They get its parameters
// before every use, draw into its generator with their frames off and
// decode the two parts of its edges; the coupon adds the split of the text,
// the coupon rules, the layout, the extension's text line and the joining
// of the two decodings. Never registered itself.
class BarcodeProcessorCoupon : public BarcodeProcessor {
public:
    // Each part of a code text holds at most this many characters.
    static constexpr std::size_t kPartCapacity = 63;
    // The main symbol's edges, before the extension's.
    static constexpr std::uint32_t kMainEdges = 60;

    // The main part (no add-on) as the main symbol accepts it, with the
    // coupon's number system; an extension of one of the coupon fields; the
    // blanks where CorrectCode puts them.
    bool IsEncodedValid(const char* encoded) const override;
    // Forces the number system and completes the main part, puts the
    // parentheses around an extension's leading 8100, 8101 or 8102 and
    // spaces out the extension. Leaves the text alone when the main part
    // cannot be corrected or the extension begins with anything else; a
    // text without extension keeps its corrected main part and is refused.
    bool CorrectCode(M7LString& code) const override;
    double ComputeWidth() override;
    bool Generate() override;
    // The first 60 edges (in reading order) are the main symbol, the others
    // an EAN-128; both are read in the coupon's direction. The edge indices
    // are the main symbol's.
    static bool MightDecode(const BarcodeEdgeView& edges);
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    // The main symbol's checks of the coupon's parameters.
    bool IsBarWidthReductionValid() const override;
    bool IsMagnificationValid() const override;
    bool IsBarHeightValid() const override;

protected:
    // What tells the two coupons apart besides their main symbol.
    struct MainForm {
        // Digits of the main symbol's code, the check digit included.
        std::size_t digits;
        // The leading digits every coupon of this kind begins with.
        const char* numberSystem;
        std::uint32_t leftQuietZoneModules;
    };

    explicit BarcodeProcessorCoupon(const MainForm& form) : form_(form) {}

    // The inner main symbol. Validation is const but passes the coupon's
    // parameters on, so the inner processors are mutable.
    virtual BarcodeProcessor& MainSymbol() const = 0;
    // The font of the extension's text line, given to the main symbol as
    // well where the user chooses it; null when it could not be passed on.
    virtual const char* PassTextFont() = 0;

private:
    // A code text cut into its main part and its extension (blanks
    // dropped); extensionText is where the extension begins in the text.
    struct CouponParts {
        char main[kPartCapacity + 1];
        char extension[kPartCapacity + 1];
        std::size_t extensionText;
    };

    // The main part ends at the first blank or '(', or else after the main
    // symbol's last digit; one blank after it is skipped. False when a part
    // is longer than kPartCapacity.
    bool SplitCouponCode(const char* text, CouponParts* parts) const;
    // Forces the number system onto the first digits and drops every digit
    // after the main symbol's last one, so no add-on remains.
    void ShapeMainPart(char* main) const;
    bool HasNumberSystem(const char* main) const;
    // Splits the coupon's valid code into parts, gives both inner processors
    // their codes and magnifications and gives their widths; false when the
    // code is invalid or an inner processor refuses its part.
    bool PrepareInnerSymbols(CouponParts* parts, double* mainWidth, double* extensionWidth);
    // Gives the coupon's bar height (or height), bar width reduction,
    // magnification and height scaling to the main symbol.
    void PassMainParameters(double barHeightMm) const;
    double ExtensionModuleMm() const;

    const MainForm form_;
    mutable BarcodeProcessorEAN128 extension_;
};

// EAN-13 Coupon: the main symbol an EAN-13 beginning "99".
class BarcodeProcessorEAN13Coupon : public BarcodeProcessorCoupon,
                                    public BarcodeProcessorMixIn_Font {
public:
    BarcodeProcessorEAN13Coupon();

    std::int32_t GetType() const override { return kBarcodeTypeEAN13Coupon; }
    const char* GetName() const override { return "EAN-13 Coupon"; }
    bool HasOption(std::int32_t optionCode) const override;

protected:
    BarcodeProcessor& MainSymbol() const override { return main_; }
    const char* PassTextFont() override;

private:
    mutable BarcodeProcessorEAN13 main_;
};

// UPC/A Coupon: the main symbol a UPC-A of number system 5; the extension's
// text is printed in OCRB, as the UPC-A's.
class BarcodeProcessorUPCACoupon : public BarcodeProcessorCoupon {
public:
    BarcodeProcessorUPCACoupon();

    std::int32_t GetType() const override { return kBarcodeTypeUPCACoupon; }
    const char* GetName() const override { return "UPC/A Coupon"; }

protected:
    BarcodeProcessor& MainSymbol() const override { return main_; }
    const char* PassTextFont() override;

private:
    mutable BarcodeProcessorUPCA main_;
};

}  // namespace Strivelo
