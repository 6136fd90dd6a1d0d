#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "BarcodeDecodeBuffer.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"
#include "BarcodeProcessorMixIn_Font.h"
#include "BarcodeProcessorMixIn_FontScaling.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeTypeCode128 = FourCC("c128");

// One symbol character of Code 128: what it stands for in each code set and
// its six element widths in modules (bar, space, bar, space, bar, space).
// The set columns hold a character (0x00-0x7F), a function code
// (BarcodeProcessorCode128::kFnc1 and following) or, in set C, 0 for the
// digit pair of the symbol value.
struct Code128Symbol {
    unsigned char setA;
    unsigned char setB;
    unsigned char setC;
    std::array<std::uint8_t, 6> widths;
};

inline constexpr std::size_t kCode128SymbolCount = 107;
// Indexed by symbol value 0-106.
extern const std::array<Code128Symbol, kCode128SymbolCount> Code128SymbolTable;

// Code 128: any 7-bit ASCII text and the function characters FNC1-FNC4, code
// sets chosen by the processor, modulo-103 check character. The user code and
// the encoded code are the same text, printable ASCII with the escapes "%%",
// "%" and two hexadecimal digits 00-1F, and "%FNC1" to "%FNC4", all in upper
// case: the one spelling a reading of the bars gives back.
// Magnification is the module width itself, in mm.
class BarcodeProcessorCode128 : public BarcodeProcessor,
                                public BarcodeProcessorMixIn_Font,
                                public BarcodeProcessorMixIn_FontScaling,
                                public BarcodeProcessorMixIn_BearerBarsOption {
public:
    // Start, check and stop included.
    static constexpr std::size_t kMaxSymbolValues = 48;
    using SymbolValues = std::array<std::uint8_t, kMaxSymbolValues>;

    // The function characters and code set symbols as the set columns of
    // the symbol table hold them; NextCodeChar answers only the first four.
    static constexpr int kFnc1 = 0x81;
    static constexpr int kFnc2 = 0x82;
    static constexpr int kFnc3 = 0x83;
    static constexpr int kFnc4 = 0x84;
    static constexpr int kShift = 0x85;
    static constexpr int kCodeA = 0x86;
    static constexpr int kCodeB = 0x87;
    static constexpr int kCodeC = 0x88;
    static constexpr int kStop = 0x89;
    // NextCodeChar's answer for a malformed escape, a lone '%' at the end, a
    // raw control character or a byte of 0x80 or more.
    static constexpr int kInvalidCodeChar = -1;

    static constexpr std::uint8_t kStartA = 103;
    static constexpr std::uint8_t kStartB = 104;
    static constexpr std::uint8_t kStartC = 105;
    static constexpr std::uint8_t kStopValue = 106;

    std::int32_t GetType() const override;
    const char* GetName() const override;
    bool BeginDecode(const double* edges, std::uint32_t count) override;
    bool EndDecode() override;
    // The edge count, start character and termination bar.
    static bool MightDecode(const BarcodeEdgeView& edges);
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    bool Generate() override;
    double ComputeWidth() override;
    bool IsEncodedValid(const char* encoded) const override;
    // Escapes raw control characters, upper-cases the hexadecimal digits and
    // the letters of "%FNCn" and doubles a '%' at the end; refuses any other
    // escape.
    bool CorrectCode(M7LString& code) const override;
    bool IsBarWidthReductionValid() const override;
    bool IsMagnificationValid() const override;
    bool IsBarHeightValid() const override;
    // Rounds the module to whole device units within the valid range.
    bool FitToResolution(double deviceUnitsPerMm) override;
    bool HasOption(std::int32_t optionCode) const override;

    // Reads the character or escape at *position of text (length bytes) and
    // leaves *position on its last byte: 0x00-0x7F, kFnc1-kFnc4, or
    // kInvalidCodeChar with *position unchanged.
    static int NextCodeChar(const char* text, std::size_t length, std::size_t* position);
    // The symbol values of text from start to stop; 0 when the text is
    // invalid or needs more than kMaxSymbolValues.
    static std::size_t EncodeSymbolValues(const char* text, SymbolValues& values);

protected:
    // Both quiet zones of a symbol of this module width.
    static double QuietZoneMm(double moduleMm);
    // The size of the human-readable characters.
    double TextSizeMm() const;
    // Sends count characters on the baseline: centred at the text scaling's
    // pitch, else spread over the total width between the quiet zones.
    bool EmitTextLine(const char* characters, std::size_t count, double quietZoneMm,
                      double baselineMm);

private:
    // The symbol values of a text, kept for the last text encoded: checking,
    // measuring and drawing a symbol each ask for those of its code.
    struct Encodation {
        char text[kCodeCapacity + 1] = {};
        SymbolValues values{};
        std::size_t count = 0;
        bool known = false;
    };

    // EncodeSymbolValues of text, encoded only when it differs from the last
    // one.
    const Encodation& Encode(const char* text) const;
    // Draws one symbol character at the running x and advances it by 11
    // modules.
    bool EmitSymbol(std::uint8_t value, double bottom, double top);

    mutable Encodation encodation_;

    // What Decode reads into the decoding edges before it commits.
    struct SymbolReading {
        char text[kCodeCapacity + 1];
        double moduleMm;
    };
    bool ReadSymbols(const BarcodeEdgeView& edges, SymbolReading* reading);
    bool CommitSymbols(const SymbolReading& reading, DecodingMeasures* shared);

    // Code 128 and EAN-128 share a reading.
    static SharedReading<SymbolReading>& GetSharedReading(bool reversed);

    // The edge-to-similar-edge sums of each symbol character, four bytes a
    // symbol, while a decoding runs.
    BarcodeDecodeBuffer<std::uint8_t> decodeBuffer_;
};

}  // namespace Strivelo
