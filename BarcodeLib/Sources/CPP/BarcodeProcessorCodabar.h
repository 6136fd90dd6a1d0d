#pragma once

#include <cstddef>
#include <cstdint>

#include "BarcodeDecodeBuffer.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorMixIn_FontScaling.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "M7LString.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeTypeCodabar = FourCC("coda");
inline constexpr std::int32_t kBarcodeTypeTraditionalCodabar = FourCC("codt");

// Codabar: characters of four bars and three spaces, separated by a narrow
// gap, between a start and a stop character A-D that are part of the code.
// The traditional variant takes every element width from a table instead of
// narrow and wide with a ratio.
class BarcodeProcessorBase3 : public BarcodeProcessor,
                              public BarcodeProcessorMixIn_Font,
                              public BarcodeProcessorMixIn_FontScaling,
                              public BarcodeProcessorMixIn_WideNarrowOption {
public:
    static constexpr double kModuleMm = 0.25;
    // The quiet zone is the larger of these.
    static constexpr double kQuietZoneModules = 10.0;
    static constexpr double kMinimumQuietZoneMm = 2.5;
    // The default bar height is the larger of these; so is the smallest valid
    // one, within the tolerance.
    static constexpr double kBarHeightPerSymbolWidth = 0.15;
    static constexpr double kMinimumBarHeightMm = 5.0;
    static constexpr double kBarHeightTolerance = 1.005;
    // At magnification 1 and text scaling 1.
    static constexpr double kTextSizeMm = 2.8;
    // Pitch of centre-aligned text.
    static constexpr double kCentredTextPitchModules = 10.0;
    static constexpr double kMaximumBarWidthReductionModules = 0.25;
    static constexpr double kMinimumMagnification = 0.375;
    static constexpr double kMaximumMagnification = 2.0;
    // Ratios allowed from magnification 1 on; below it the minimum is higher.
    static constexpr double kMinimumRatio = 2.0;
    static constexpr double kMinimumRatioBelowFullSize = 2.2;
    static constexpr double kMaximumRatio = 3.0;

    // The symbol of text in modules without quiet zones and without the last
    // character's gap; with fromBarCentres from the centre of the first bar
    // to the centre of the last. 0 when a character is not in the table.
    double CodeWidth(const char* text, bool fromBarCentres) const;

    bool BeginDecode(const double* edges, std::uint32_t count) override;
    bool EndDecode() override;
    // The edge count and the start and stop characters against the
    // thresholds of the variant, which go to thresholds.
    static bool HasStartAndStop(const BarcodeEdgeView& edges, bool traditional,
                                WideNarrowThresholds* thresholds);
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    bool Generate() override;
    double ComputeWidth() override;
    bool IsEncodedValid(const char* encoded) const override;
    // Maps the alternative spellings of A-D, checks the characters and adds
    // the start character as stop when the code has none.
    bool CorrectCode(M7LString& code) const override;
    bool IsBarWidthReductionValid() const override;
    bool IsMagnificationValid() const override;
    bool IsBarHeightValid() const override;
    bool IsWideNarrowRatioValid() const override;
    bool HasOption(std::int32_t optionCode) const override;

protected:
    explicit BarcodeProcessorBase3(bool traditional) : traditional_(traditional) {}

private:
    double ElementModules(std::size_t row, std::size_t element, double ratio) const;
    double CodeWidthModules(const char* text, bool fromBarCentres, double ratio) const;
    // ComputeWidth, with the code's width in modules (quiet zones left out)
    // into codeModules.
    double MeasureWidth(double* codeModules);

    const bool traditional_;
    // One letter per element while decoding: 'N' narrow, 'W' wide, 'I' gap.
    BarcodeDecodeBuffer<char> decodeBuffer_;
};

class BarcodeProcessorCodabar : public BarcodeProcessorBase3 {
public:
    BarcodeProcessorCodabar() : BarcodeProcessorBase3(false) {}

    static bool MightDecode(const BarcodeEdgeView& edges) {
        WideNarrowThresholds thresholds;
        return HasStartAndStop(edges, false, &thresholds);
    }

    std::int32_t GetType() const override { return kBarcodeTypeCodabar; }
    const char* GetName() const override { return "Codabar"; }
};

class BarcodeProcessorTraditionalCodabar : public BarcodeProcessorBase3 {
public:
    BarcodeProcessorTraditionalCodabar() : BarcodeProcessorBase3(true) {}

    static bool MightDecode(const BarcodeEdgeView& edges) {
        WideNarrowThresholds thresholds;
        return HasStartAndStop(edges, true, &thresholds);
    }

    std::int32_t GetType() const override { return kBarcodeTypeTraditionalCodabar; }
    const char* GetName() const override { return "Traditional-Codabar"; }
};

}  // namespace Strivelo
