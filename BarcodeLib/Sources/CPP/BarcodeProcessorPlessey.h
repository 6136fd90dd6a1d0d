#pragma once

#include <cstddef>
#include <cstdint>

#include "BarcodeDecodeBuffer.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorMixIn_FontScaling.h"
#include "M7LString.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeTypePlesseyCRC = FourCC("plec");
inline constexpr std::int32_t kBarcodeTypePlessey = FourCC("ples");
inline constexpr std::int32_t kBarcodeTypeBelgPharma = FourCC("BePh");
inline constexpr std::int32_t kBarcodeTypeMSIMod10Mod10 = FourCC("msiq");
inline constexpr std::int32_t kBarcodeTypeMSIMod11 = FourCC("msie");
inline constexpr std::int32_t kBarcodeTypeMSIMod10 = FourCC("msit");

// Symbologies whose characters are digits of four bit cells of equal width,
// one bar at the start of every cell: wide for a 1 bit, narrow for a 0 bit.
// Plessey and MSI differ in bit order, start and stop bars and check
// characters.
class BarcodeProcessorBase2 : public BarcodeProcessor,
                              public BarcodeProcessorMixIn_Font,
                              public BarcodeProcessorMixIn_FontScaling {
public:
    // Plessey writes a character's bits least significant first, MSI most
    // significant first.
    enum class Layout { kPlessey, kMSI };

    static constexpr double kBitCellMm = 1.016;
    // Bar widths as fractions of the bit cell; the bar width reduction comes
    // on top.
    static constexpr double kWideBarCells = 0.57254902;
    static constexpr double kNarrowBarCells = 0.174509804;
    // The space that follows a wide bar, 1 - kWideBarCells.
    static constexpr double kSpaceAfterWideBarCells = 0.42745098;
    static constexpr double kQuietZoneCells = 4.0;
    static constexpr double kDefaultBarHeightMm = 8.382;
    // At magnification 1 and text scaling 1.
    static constexpr double kTextSizeMm = 2.8;
    // Pitch of centre-aligned text.
    static constexpr double kCentredTextPitchCells = 3.0;
    static constexpr double kMinimumMagnification = 0.625;
    static constexpr double kMaximumMagnification = 2.0;
    static constexpr double kBarHeightTolerance = 1.005;

    bool BeginDecode(const double* edges, std::uint32_t count) override;
    bool EndDecode() override;
    // The edge count and the start, stop and closing bars of the layout
    // against the shared bar threshold, which goes to barThresholdMm.
    static bool HasFrame(const BarcodeEdgeView& edges, Layout layout, double* barThresholdMm);
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    bool Generate() override;
    double ComputeWidth() override;
    bool IsBarWidthReductionValid() const override;
    bool IsMagnificationValid() const override;
    bool IsBarHeightValid() const override;
    bool HasOption(std::int32_t optionCode) const override;

protected:
    explicit BarcodeProcessorBase2(Layout layout) : layout_(layout) {}

    // Text size and baseline for the stored module width.
    double GetTextSizeMm() const;
    double GetTextBaselineMm() const;
    // One character of text per step under the bar area: spread over it, or
    // centred with a fixed pitch.
    bool EmitCharacters(const char* text);

private:
    // What Decode reads into the decoding edges before it commits.
    struct BarReading {
        char text[kCodeCapacity + 1];
        double cellMm;
    };
    bool ReadBars(const BarcodeEdgeView& edges, double threshold, BarReading* reading);
    bool CommitBars(const BarReading& reading, DecodingMeasures* shared);

    // The members of a layout share a reading.
    static SharedReading<BarReading>& GetSharedReading(Layout layout, bool reversed);

    const Layout layout_;
    // One '1' (wide) or '0' (narrow) per bar while decoding.
    BarcodeDecodeBuffer<char> decodeBuffer_;
};

class BarcodeProcessorPlessey : public BarcodeProcessorBase2 {
public:
    BarcodeProcessorPlessey() : BarcodeProcessorBase2(Layout::kPlessey) {}

    static bool MightDecode(const BarcodeEdgeView& edges) {
        double barThresholdMm = 0.0;
        return HasFrame(edges, Layout::kPlessey, &barThresholdMm);
    }

    std::int32_t GetType() const override { return kBarcodeTypePlessey; }
    const char* GetName() const override { return "Plessey"; }
    bool IsEncodedValid(const char* encoded) const override;
    // Changes nothing; true for a valid code.
    bool CorrectCode(M7LString& code) const override;
};

// Plessey whose last two digits are check characters of a 16-bit CRC over the
// digits before them.
class BarcodeProcessorPlesseyCRC : public BarcodeProcessorPlessey {
public:
    std::int32_t GetType() const override { return kBarcodeTypePlesseyCRC; }
    const char* GetName() const override { return "Plessey-CRC"; }
    bool IsEncodedValid(const char* encoded) const override;
    // Writes the check characters over the last two digits, which the user
    // types as placeholders; false when the CRC has no digit form.
    bool CorrectCode(M7LString& code) const override;
};

class BarcodeProcessorMSI : public BarcodeProcessorBase2 {
public:
    // The check characters at the end of the code, last one last.
    enum class CheckMode { kMod10, kMod10Mod10, kMod11Mod10 };

    static bool MightDecode(const BarcodeEdgeView& edges) {
        double barThresholdMm = 0.0;
        return HasFrame(edges, Layout::kMSI, &barThresholdMm);
    }
    bool IsEncodedValid(const char* encoded) const override;
    // Writes the check characters over the last one or two digits, which the
    // user types as placeholders.
    bool CorrectCode(M7LString& code) const override;

protected:
    explicit BarcodeProcessorMSI(CheckMode mode)
        : BarcodeProcessorBase2(Layout::kMSI), mode_(mode) {}

    // Rewrites the check positions of the length digits in code.
    bool CorrectDigits(char* code, std::size_t length) const;

private:
    const CheckMode mode_;
};

class BarcodeProcessorMSIMod10 : public BarcodeProcessorMSI {
public:
    BarcodeProcessorMSIMod10() : BarcodeProcessorMSI(CheckMode::kMod10) {}

    std::int32_t GetType() const override { return kBarcodeTypeMSIMod10; }
    const char* GetName() const override { return "MSI-Mod10"; }
};

class BarcodeProcessorMSIMod10Mod10 : public BarcodeProcessorMSI {
public:
    BarcodeProcessorMSIMod10Mod10() : BarcodeProcessorMSI(CheckMode::kMod10Mod10) {}

    std::int32_t GetType() const override { return kBarcodeTypeMSIMod10Mod10; }
    const char* GetName() const override { return "MSI-Mod10-Mod10"; }
};

class BarcodeProcessorMSIMod11 : public BarcodeProcessorMSI {
public:
    BarcodeProcessorMSIMod11() : BarcodeProcessorMSI(CheckMode::kMod11Mod10) {}

    std::int32_t GetType() const override { return kBarcodeTypeMSIMod11; }
    const char* GetName() const override { return "MSI-Mod11"; }
};

// The Belgian pharmaceutical code as MSI with two mod-10 checks. The user
// writes "DDDD-DDC", C the first check digit; the bars carry the seven digits
// and a second check digit.
class BarcodeProcessorBelgPharma : public BarcodeProcessorMSIMod10Mod10 {
public:
    std::int32_t GetType() const override { return kBarcodeTypeBelgPharma; }
    const char* GetName() const override { return "Belgium-Pharma"; }
    bool EncodedToCode(const char* encoded, char* code, std::size_t capacity) const override;
    bool CodeToEncoded(const char* code, char* encoded, std::size_t capacity) const override;
    bool IsEncodedValid(const char* encoded) const override;
    // Takes six or seven digits, hyphens anywhere; the seventh is the check
    // digit's placeholder. Gives "DDDD-DDC".
    bool CorrectCode(M7LString& code) const override;
    // Prints the user's form, hyphen included, under the bars.
    bool Generate() override;
};

}  // namespace Strivelo
