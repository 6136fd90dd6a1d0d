#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "BarcodeDecodeBuffer.h"
#include "BarcodeEdgeView.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorMixIn_FontScaling.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeType2of5 = FourCC("2of5");
inline constexpr std::int32_t kBarcodeTypeITF14 = FourCC("itff");

// What a symbology of two element widths allows of module, magnification,
// ratio and height.
struct WideNarrowRules {
    double nominalModuleMm;
    double minimumMagnification;
    double maximumMagnification;
    // Modules narrower than this need the larger minimum ratio.
    double smallModuleMm;
    double minimumRatioSmallModule;
    double minimumRatio;
    double maximumRatio;
    // Share of the symbol width (quiet zones left out) the bars must reach.
    double minimumHeightPerWidth;
    // What ComputeWidth answers when the module is not positive.
    double widthWithoutModuleMm;

    double MinimumRatioAt(double magnification) const {
        return nominalModuleMm * magnification < smallModuleMm ? minimumRatioSmallModule
                                                               : minimumRatio;
    }
    bool IsMagnificationValid(double magnification) const {
        return magnification >= minimumMagnification && magnification <= maximumMagnification;
    }
    bool IsRatioValid(double magnification, double ratio) const {
        return ratio >= MinimumRatioAt(magnification) && ratio <= maximumRatio;
    }
    // Rounds the narrow and then the wide element to whole device units and
    // gives the magnification and ratio they make; false, and both left
    // alone, when no fit lies within the rules.
    bool FitToResolution(double deviceUnitsPerMm, double* magnification, double* ratio) const;
};

// What Interleaved 2 of 5, ITF-14 and Code 39 share: the options, the
// validators, the fitting rule, the layout around the bars and the decoding
// through the shared wide/narrow classifier. A family supplies its rules,
// width, layout, bars and characters.
class BarcodeProcessorWideNarrowBase : public BarcodeProcessor,
                                       public BarcodeProcessorMixIn_WideNarrowOption,
                                       public BarcodeProcessorMixIn_Font,
                                       public BarcodeProcessorMixIn_FontScaling,
                                       public BarcodeProcessorMixIn_BearerBarsOption {
public:
    // The decode buffer, one letter per element; an existing one is kept.
    bool BeginDecode(const double* edges, std::uint32_t count) override;
    bool EndDecode() override;
    bool Generate() override;
    double ComputeWidth() override;
    bool CorrectCode(M7LString& code) const override;
    bool IsBarWidthReductionValid() const override;
    bool IsMagnificationValid() const override;
    bool IsBarHeightValid() const override;
    bool FitToResolution(double deviceUnitsPerMm) override;
    bool IsWideNarrowRatioValid() const override;
    bool HasOption(std::int32_t optionCode) const override;

protected:
    struct Layout {
        double defaultBarHeightMm;
        double textSizeMm;
        // The text pitch with centre alignment.
        double centeredTextAdvanceMm;
        double bearerThicknessMm;
        // Printed before and after the code; '\0' for none.
        char textFrame;
    };

    virtual const WideNarrowRules& GetRules() const = 0;
    // w for a code of length characters, quiet zones left out.
    virtual double GetSymbolWidth(std::size_t length, double moduleMm) const = 0;
    virtual Layout GetLayout(double symbolWidthMm) const = 0;
    // Draws the bars from the running x, which starts at the end of the left
    // quiet zone.
    virtual bool EmitSymbol(const char* code, double top) = 0;
    // Reads length characters from the decode buffer into text.
    virtual bool DecodeText(char* text, std::size_t length) = 0;

    // Draws elements from the running x and advances it: even positions are
    // bars; 'W' is ratio modules wide, 'N' and the gap 'I' one module.
    bool EmitElements(std::string_view letters, double bottom, double top);
    const char* GetLetters() const { return letters_.Get(); }
    // Whether the shared classifier, with gapPeriod, will letter the first
    // elements start and the last ones stop; an 'I' matches any element.
    // Reads the caller's edges only, so foreign edges are turned away before
    // anything is allocated.
    static bool HasStartStop(const BarcodeEdgeView& edges, std::uint32_t gapPeriod,
                             std::string_view start, std::string_view stop);
    // Classifies, reads textLength characters, fits the ideal edges ('W'
    // ratio modules, 'N' and the gaps 'I' one module) with module and ratio,
    // and commits.
    bool DecodeSymbol(const BarcodeEdgeView& edges, std::uint32_t gapPeriod,
                      std::size_t textLength);
    // DecodeSymbol's two halves: what it reads into the decoding edges, and
    // the commit of that.
    struct SymbolReading {
        char text[kCodeCapacity + 1];
        double moduleMm;
        double ratio;
    };
    bool ReadSymbol(const BarcodeEdgeView& edges, std::uint32_t gapPeriod, std::size_t textLength,
                    SymbolReading* reading);
    bool CommitSymbol(const SymbolReading& reading, DecodingMeasures* shared = nullptr);

private:
    BarcodeDecodeBuffer<char> letters_;
};

// Interleaved 2 of 5: an even number of digits, in pairs of five bars (the
// first digit) interleaved with five spaces (the second). No check digit.
class BarcodeProcessor2of5 : public BarcodeProcessorWideNarrowBase {
public:
    static constexpr double kModuleMm = 1.016;

    std::int32_t GetType() const override;
    const char* GetName() const override;
    static bool MightDecode(const BarcodeEdgeView& edges);
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    bool IsEncodedValid(const char* encoded) const override;

protected:
    const WideNarrowRules& GetRules() const override;
    double GetSymbolWidth(std::size_t length, double moduleMm) const override;
    Layout GetLayout(double symbolWidthMm) const override;
    bool EmitSymbol(const char* code, double top) override;
    bool DecodeText(char* text, std::size_t length) override;

    // Draws the ten elements of the digit pair at the running x and advances
    // it; false, with nothing drawn, when either is not a digit.
    bool EmitDigitPair(char first, char second, double bottom, double top);
    // Reads the ten letters from letterIndex of the decode buffer; false when
    // no pair has them.
    bool DecodeDigitPair(std::uint32_t letterIndex, char* first, char* second);

private:
    // Interleaved 2 of 5 and ITF-14 share a reading.
    static SharedReading<SymbolReading>& GetSharedReading(bool reversed);
};

// ITF-14: 14 digits ending in the GS1 check digit, always with bearer bars.
class BarcodeProcessorITF14 : public BarcodeProcessor2of5 {
public:
    std::int32_t GetType() const override;
    const char* GetName() const override;
    // Turns away every edge count but that of 14 digits before the shared
    // decoding.
    static bool MightDecode(const BarcodeEdgeView& edges);
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    // Switches bearer bars on for good first.
    bool Generate() override;
    bool IsEncodedValid(const char* encoded) const override;
    // Writes the check digit after the first 13 digits and ends the text
    // there.
    bool CorrectCode(M7LString& code) const override;
    bool HasOption(std::int32_t optionCode) const override;

protected:
    const WideNarrowRules& GetRules() const override;
};

}  // namespace Strivelo
