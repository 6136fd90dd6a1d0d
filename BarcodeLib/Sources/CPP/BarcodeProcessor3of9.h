#pragma once

#include <cstddef>
#include <cstdint>

#include "BarcodeEdgeView.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessor2of5.h"

namespace Strivelo {

inline constexpr std::int32_t kBarcodeType3of9 = FourCC("3of9");

// Code 39 of the 43 characters without a check character; the start and stop
// character "*" is drawn around the code and printed with it.
class BarcodeProcessor3of9 : public BarcodeProcessorWideNarrowBase {
public:
    static constexpr double kModuleMm = 0.3;

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

    // Draws the character's nine elements and the gap after it at the running
    // x and advances it; false, with nothing drawn, for a character outside
    // the set.
    bool EmitCharacter(char character, double bottom, double top);
    // Reads the nine letters and the gap from letterIndex of the decode
    // buffer; false when no character has them.
    bool DecodeCharacter(std::uint32_t letterIndex, char* character);
};

}  // namespace Strivelo
