#include "BarcodeProcessor3of9.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string_view>

namespace Strivelo {

namespace {

// The character set of ISO/IEC 16388: the character, its nine elements (bar,
// space, ..., bar) narrow or wide, and the inter-character gap after it.
constexpr std::string_view Code39Table[] = {
    "0NNNWWNWNNI", "1WNNWNNNNWI", "2NNWWNNNNWI", "3WNWWNNNNNI", "4NNNWWNNNWI", "5WNNWWNNNNI",
    "6NNWWWNNNNI", "7NNNWNNWNWI", "8WNNWNNWNNI", "9NNWWNNWNNI", "AWNNNNWNNWI", "BNNWNNWNNWI",
    "CWNWNNWNNNI", "DNNNNWWNNWI", "EWNNNWWNNNI", "FNNWNWWNNNI", "GNNNNNWWNWI", "HWNNNNWWNNI",
    "INNWNNWWNNI", "JNNNNWWWNNI", "KWNNNNNNWWI", "LNNWNNNNWWI", "MWNWNNNNWNI", "NNNNNWNNWWI",
    "OWNNNWNNWNI", "PNNWNWNNWNI", "QNNNNNNWWWI", "RWNNNNNWWNI", "SNNWNNNWWNI", "TNNNNWNWWNI",
    "UWWNNNNNNWI", "VNWWNNNNNWI", "WWWWNNNNNNI", "XNWNNWNNNWI", "YWWNNWNNNNI", "ZNWWNWNNNNI",
    "-NWNNNNWNWI", ".WWNNNNWNNI", " NWWNNNWNNI", "*NWNNWNWNNI", "$NWNWNWNNNI", "/NWNWNNNWNI",
    "+NWNNNWNWNI", "%NNNWNWNWNI",
};

constexpr char kStartStop = '*';
constexpr std::string_view kStartStopLetters = Code39Table[39].substr(1);
static_assert(Code39Table[39][0] == kStartStop);
constexpr std::uint32_t kElementsPerCharacter = 9;
// Nine elements and the gap.
constexpr std::uint32_t kLettersPerCharacter = 10;
// The start, one character and the stop: an empty code is never valid.
constexpr std::uint32_t kMinimumEdgeCount = 3 * kLettersPerCharacter;

// ISO/IEC 16388 asks for the larger ratio below a module of 0.5 mm.
constexpr WideNarrowRules kCode39Rules{.nominalModuleMm = BarcodeProcessor3of9::kModuleMm,
                                       .minimumMagnification = 0.625,
                                       .maximumMagnification = 2.0,
                                       .smallModuleMm = 0.5,
                                       .minimumRatioSmallModule = 2.2,
                                       .minimumRatio = 2.0,
                                       .maximumRatio = 3.0,
                                       .minimumHeightPerWidth = 0.28314,
                                       .widthWithoutModuleMm = 0.0};

constexpr double kDefaultBarHeightPerMagnificationMm = 11.0;
constexpr double kMinimumBarHeightMm = 6.35;
constexpr double kTextSizePerMagnificationMm = 140.0 / 37.0;
constexpr double kCenteredTextAdvanceModules = 7.0;
constexpr double kBearerBarThicknessPerMagnificationMm = 0.6;

// Every character is followed by its gap.
static_assert(std::all_of(std::begin(Code39Table), std::end(Code39Table), [](std::string_view row) {
    return row.size() == 1 + kLettersPerCharacter && row.back() == 'I';
}));

// The table row of each pattern of nine elements, bit k set for a wide
// element k; -1 where no character has the pattern.
constexpr std::array<std::int8_t, 1U << kElementsPerCharacter> kRowByPattern = [] {
    std::array<std::int8_t, 1U << kElementsPerCharacter> rows{};
    rows.fill(-1);
    for (std::size_t row = 0; row < std::size(Code39Table); ++row) {
        std::size_t pattern = 0;
        for (std::size_t k = 0; k < kElementsPerCharacter; ++k) {
            pattern |= Code39Table[row][1 + k] == 'W' ? std::size_t{1} << k : 0;
        }
        rows[pattern] = static_cast<std::int8_t>(row);
    }
    return rows;
}();

constexpr std::size_t kByteValues = 256;
constexpr std::int8_t kNoRow = -1;

// The table row of every byte, kNoRow where it is no character.
constexpr std::array<std::int8_t, kByteValues> kRowByCharacter = [] {
    std::array<std::int8_t, kByteValues> rows{};
    rows.fill(kNoRow);
    for (std::size_t row = 0; row < std::size(Code39Table); ++row) {
        rows[static_cast<unsigned char>(Code39Table[row][0])] = static_cast<std::int8_t>(row);
    }
    return rows;
}();

const std::string_view* FindRow(char character) {
    const std::int8_t row = kRowByCharacter[static_cast<unsigned char>(character)];
    return row == kNoRow ? nullptr : &Code39Table[row];
}

}  // namespace

std::int32_t BarcodeProcessor3of9::GetType() const {
    return kBarcodeType3of9;
}

const char* BarcodeProcessor3of9::GetName() const {
    return "3 of 9";
}

bool BarcodeProcessor3of9::DecodeCharacter(std::uint32_t letterIndex, char* character) {
    const char* const letters = GetLetters() + letterIndex;
    std::size_t pattern = 0;
    for (std::size_t k = 0; k < kElementsPerCharacter; ++k) {
        if (letters[k] == 'W') {
            pattern |= std::size_t{1} << k;
        } else if (letters[k] != 'N') {
            return false;
        }
    }
    const int row = kRowByPattern[pattern];
    if (row < 0 || letters[kElementsPerCharacter] != 'I') {
        return false;
    }
    *character = Code39Table[row][0];
    return true;
}

bool BarcodeProcessor3of9::DecodeText(char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const auto letterIndex = static_cast<std::uint32_t>((i + 1) * kLettersPerCharacter);
        if (!DecodeCharacter(letterIndex, &text[i])) {
            return false;
        }
    }
    return true;
}

// Ten elements per character with the gap after it, the stop's gap missing:
// 10 (n + 2) edges for n characters. Gaps take no part in the classifier's
// groups.
bool BarcodeProcessor3of9::MightDecode(const BarcodeEdgeView& edges) {
    const std::uint32_t count = edges.GetCount();
    // "*" at both ends, the stop without the gap after it.
    return count >= kMinimumEdgeCount && count % kLettersPerCharacter == 0 &&
           HasStartStop(edges, kLettersPerCharacter, kStartStopLetters,
                        kStartStopLetters.substr(0, kElementsPerCharacter));
}

bool BarcodeProcessor3of9::Decode(const double* edges, std::uint32_t count, bool reversed) {
    const BarcodeEdgeView view(edges, count, reversed);
    return MightDecode(view) &&
           DecodeSymbol(view, kLettersPerCharacter, count / kLettersPerCharacter - 2);
}

bool BarcodeProcessor3of9::EmitCharacter(char character, double bottom, double top) {
    const std::string_view* const row = FindRow(character);
    return row != nullptr && EmitElements(row->substr(1), bottom, top);
}

bool BarcodeProcessor3of9::EmitSymbol(const char* code, double top) {
    if (!EmitCharacter(kStartStop, 0.0, top)) {
        return false;
    }
    for (const char* c = code; *c != '\0'; ++c) {
        if (!EmitCharacter(*c, 0.0, top)) {
            return false;
        }
    }
    return EmitCharacter(kStartStop, 0.0, top);
}

bool BarcodeProcessor3of9::IsEncodedValid(const char* encoded) const {
    if (encoded == nullptr || encoded[0] == '\0') {
        return false;
    }
    for (const char* c = encoded; *c != '\0'; ++c) {
        if (*c == kStartStop || FindRow(*c) == nullptr) {
            return false;
        }
    }
    return true;
}

const WideNarrowRules& BarcodeProcessor3of9::GetRules() const {
    return kCode39Rules;
}

// n characters and the two "*", each 3 wide and 6 narrow elements, and the
// n + 1 gaps between them.
double BarcodeProcessor3of9::GetSymbolWidth(std::size_t length, double moduleMm) const {
    const double n = static_cast<double>(length);
    return moduleMm * ((3.0 * GetWideNarrowRatio() + 6.0) * (n + 2.0) + (n + 1.0));
}

// The default height reaches at least the minimum the height check asks for,
// which grows with the code's length; the text, and with it its baseline,
// scales with the magnification and the text scaling.
BarcodeProcessorWideNarrowBase::Layout BarcodeProcessor3of9::GetLayout(double symbolWidthMm) const {
    const double magnification = GetMagnification();
    return {.defaultBarHeightMm =
                std::max({kDefaultBarHeightPerMagnificationMm * magnification, kMinimumBarHeightMm,
                          GetRules().minimumHeightPerWidth * symbolWidthMm}),
            .textSizeMm = GetFontScaling() * kTextSizePerMagnificationMm * magnification,
            .centeredTextAdvanceMm = kCenteredTextAdvanceModules * kModuleMm * magnification,
            .bearerThicknessMm = kBearerBarThicknessPerMagnificationMm * magnification,
            .textFrame = kStartStop};
}

}  // namespace Strivelo
