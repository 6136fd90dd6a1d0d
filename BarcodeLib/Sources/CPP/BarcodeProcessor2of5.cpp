#include "BarcodeProcessor2of5.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string_view>

#include "BarcodeGS1CheckSum.h"
#include "BarcodeText.h"

#include "BarcodeGS1CheckSum.h"
#include "BarcodeText.h"

namespace Strivelo {

namespace {

// The digits' patterns of narrow and wide elements, 0 to 9, of ISO/IEC 16390.
constexpr const char* kDigitPatterns[10] = {
    "NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW", "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN",
};

constexpr std::size_t kElementsPerDigit = 5;
constexpr std::size_t kElementsPerPair = 2 * kElementsPerDigit;

using PairRow = std::array<char, kElementsPerPair>;

// Row 10 a + b holds the pair (a, b): a's elements are the bars, b's the
// spaces between them.
constexpr std::array<PairRow, 100> MakePairTable() {
    std::array<PairRow, 100> table{};
    for (std::size_t row = 0; row < table.size(); ++row) {
        for (std::size_t i = 0; i < kElementsPerDigit; ++i) {
            table[row][2 * i] = kDigitPatterns[row / 10][i];
            table[row][2 * i + 1] = kDigitPatterns[row % 10][i];
        }
    }
    return table;
}

constexpr std::array<PairRow, 100> TwoOfFivePairTable = MakePairTable();

// The pair row of each pattern of ten elements, bit k set for a wide element
// k; -1 where no pair has the pattern.
constexpr std::array<std::int8_t, 1U << kElementsPerPair> kPairRowByPattern = [] {
    std::array<std::int8_t, 1U << kElementsPerPair> rows{};
    rows.fill(-1);
    for (std::size_t row = 0; row < TwoOfFivePairTable.size(); ++row) {
        std::size_t pattern = 0;
        for (std::size_t k = 0; k < kElementsPerPair; ++k) {
            pattern |= TwoOfFivePairTable[row][k] == 'W' ? std::size_t{1} << k : 0;
        }
        rows[pattern] = static_cast<std::int8_t>(row);
    }
    return rows;
}();

// The start and stop patterns of ISO/IEC 16390, bar first.
constexpr std::string_view kStartLetters = "NNNN";
constexpr std::string_view kStopLetters = "WNN";
constexpr std::uint32_t kStartStopEdges = kStartLetters.size() + kStopLetters.size() + 1;
constexpr std::size_t kITF14Length = 14;
constexpr std::uint32_t kITF14Edges = kStartStopEdges + kITF14Length / 2 * kElementsPerPair;

constexpr WideNarrowRules k2of5Rules{.nominalModuleMm = BarcodeProcessor2of5::kModuleMm,
                                     .minimumMagnification = 0.625,
                                     .maximumMagnification = 1.2,
                                     .smallModuleMm = 1.016,
                                     .minimumRatioSmallModule = 2.2,
                                     .minimumRatio = 2.0,
                                     .maximumRatio = 3.0,
                                     .minimumHeightPerWidth = 0.15,
                                     .widthWithoutModuleMm = -1.0};
// Those of Interleaved 2 of 5, but the GS1 General Specifications ask more of
// the wide elements of ITF-14.
constexpr WideNarrowRules kITF14Rules = [] {
    constexpr double kGS1MinimumRatio = 2.25;
    WideNarrowRules rules = k2of5Rules;
    rules.minimumRatioSmallModule = kGS1MinimumRatio;
    rules.minimumRatio = kGS1MinimumRatio;
    return rules;
}();

constexpr double kDefaultBarHeightMm = 32.0;
constexpr double kTextSizeMm = 8.96;
constexpr double kCenteredTextAdvanceMm = 4.48;
constexpr double kBearerBarThicknessModules = 2.0;
constexpr double kBearerBoxThicknessMm = 4.8;

// Shared by the wide/narrow symbologies.
constexpr double kQuietZoneModules = 10.0;
constexpr double kMinimumQuietZoneMm = 6.35;
constexpr double kMinimumBarHeightMm = 6.35;
// Heights within half a percent of the minimum still count as reaching it.
constexpr double kBarHeightTolerance = 1.005;
// Largest device count of one element the fitting works with; beyond it no
// device exists and whole units would no longer be exact.
constexpr double kLargestDeviceCount = 2147483648.0;

// Whether the elements from firstElement on (element j from edge j - 1 to
// edge j) get these letters against the thresholds.
bool MatchesLetters(const BarcodeEdgeView& edges,
                    const BarcodeProcessor::WideNarrowThresholds& thresholds,
                    std::uint32_t firstElement, std::string_view letters) {
    const std::uint32_t count = edges.GetCount();
    if (count < 2 || firstElement == 0 || firstElement + letters.size() > count) {
        return false;
    }
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const std::uint32_t element = firstElement + static_cast<std::uint32_t>(i);
        const char letter =
            thresholds.IsWide(element, edges[element] - edges[element - 1]) ? 'W' : 'N';
        if (letters[i] != 'I' && letters[i] != letter) {
            return false;
        }
    }
    return true;
}

// Widest narrow and narrowest wide element of each kind (spaces 0, bars 1)
// among letters from firstElement on; a width that is not a number is left
// out, as no threshold orders it.
struct LetterExtremes {
    double widestNarrow[2] = {-HUGE_VAL, -HUGE_VAL};
    double narrowestWide[2] = {HUGE_VAL, HUGE_VAL};
    bool hasWide[2] = {false, false};

    void Add(const BarcodeEdgeView& edges, std::uint32_t firstElement, std::string_view letters) {
        for (std::size_t i = 0; i < letters.size(); ++i) {
            const std::uint32_t element = firstElement + static_cast<std::uint32_t>(i);
            const double width = edges[element] - edges[element - 1];
            const std::uint32_t kind = element % 2;
            if (letters[i] == 'N' && width > widestNarrow[kind]) {
                widestNarrow[kind] = width;
            } else if (letters[i] == 'W' && !std::isnan(width)) {
                narrowestWide[kind] = std::min(narrowestWide[kind], width);
                hasWide[kind] = true;
            }
        }
    }
    // Whether one threshold per kind can part them as lettered.
    bool Separable() const {
        for (std::uint32_t kind = 0; kind < 2; ++kind) {
            if (hasWide[kind] && !(widestNarrow[kind] < narrowestWide[kind])) {
                return false;
            }
        }
        return true;
    }
};

double QuietZone(double moduleMm) {
    return std::max(kQuietZoneModules * moduleMm, kMinimumQuietZoneMm);
}

// The GS1 check digit of the 13 data digits.
char ITF14CheckDigit(const char* digits) {
    return DigitCharacter(ComputeGS1CheckDigit(digits, kITF14Length - 1));
}

}  // namespace

// The rule walks the counts one unit at a time; each walk starts next to
// where it ends, so that a magnification or ratio far off the rules does not
// walk long.
bool WideNarrowRules::FitToResolution(double deviceUnitsPerMm, double* magnification,
                                      double* ratio) const {
    const double unitsPerModule = nominalModuleMm * deviceUnitsPerMm;
    if (!(deviceUnitsPerMm > 0.0) ||
        !(unitsPerModule * maximumMagnification * maximumRatio < kLargestDeviceCount) ||
        !std::isfinite(unitsPerModule * *magnification) || !std::isfinite(*ratio)) {
        return false;
    }
    const auto fitted = [unitsPerModule](double units) { return units / unitsPerModule; };
    double narrow = std::max(1.0, std::round(unitsPerModule * *magnification));
    narrow = std::min(narrow, std::floor(maximumMagnification * unitsPerModule) + 1.0);
    while (narrow > 1.0 && fitted(narrow) > maximumMagnification) {
        narrow -= 1.0;
    }
    narrow = std::max(narrow, std::ceil(minimumMagnification * unitsPerModule) - 1.0);
    while (fitted(narrow) < minimumMagnification) {
        narrow += 1.0;
    }
    const double fittedMagnification = fitted(narrow);
    if (!IsMagnificationValid(fittedMagnification)) {
        return false;
    }
    const double lowest = MinimumRatioAt(fittedMagnification);
    double wide = std::max(1.0, std::round(narrow * *ratio));
    wide = std::min(wide, std::floor(maximumRatio * narrow) + 1.0);
    while (wide > 2.0 && wide / narrow > maximumRatio) {
        wide -= 1.0;
    }
    wide = std::max(wide, std::ceil(lowest * narrow) - 1.0);
    while (wide / narrow < lowest) {
        wide += 1.0;
    }
    if (wide / narrow > maximumRatio) {
        return false;
    }
    *magnification = fittedMagnification;
    *ratio = wide / narrow;
    return true;
}

bool BarcodeProcessorWideNarrowBase::BeginDecode(const double* /*edges*/, std::uint32_t count) {
    return letters_.Reserve(ElementsBetween(count));
}

bool BarcodeProcessorWideNarrowBase::EndDecode() {
    letters_.Free();
    return true;
}

bool BarcodeProcessorWideNarrowBase::EmitElements(std::string_view letters, double bottom,
                                                  double top) {
    const double narrow = GetModuleWidth();
    const double wide = GetWideNarrowRatio() * narrow;
    // A bar and the space after it, if any.
    for (std::size_t i = 0; i < letters.size(); i += 2) {
        const double x = GetRunningX();
        const double bar = letters[i] == 'W' ? wide : narrow;
        if (!EmitBar(x, x + bar, bottom, top)) {
            return false;
        }
        SetRunningX(x + bar);
        if (i + 1 < letters.size()) {
            SetRunningX(GetRunningX() + (letters[i + 1] == 'W' ? wide : narrow));
        }
    }
    return true;
}

bool BarcodeProcessorWideNarrowBase::HasStartStop(const BarcodeEdgeView& edges,
                                                  std::uint32_t gapPeriod, std::string_view start,
                                                  std::string_view stop) {
    const std::uint32_t count = edges.GetCount();
    if (count < start.size() + stop.size() + 1) {
        return false;
    }
    // Any threshold that letters them so puts every wide element above every
    // narrow one of its kind: a look at these few widths turns most foreign
    // lists away before all widths are sorted.
    LetterExtremes extremes;
    const auto stopElement = count - static_cast<std::uint32_t>(stop.size());
    extremes.Add(edges, 1, start);
    extremes.Add(edges, stopElement, stop);
    if (!extremes.Separable()) {
        return false;
    }
    const WideNarrowThresholds thresholds = FindWideNarrowThresholds(edges, gapPeriod);
    return MatchesLetters(edges, thresholds, 1, start) &&
           MatchesLetters(edges, thresholds, stopElement, stop);
}

bool BarcodeProcessorWideNarrowBase::DecodeSymbol(const BarcodeEdgeView& edges,
                                                  std::uint32_t gapPeriod, std::size_t textLength) {
    SymbolReading reading;
    return ReadSymbol(edges, gapPeriod, textLength, &reading) && CommitSymbol(reading);
}

bool BarcodeProcessorWideNarrowBase::ReadSymbol(const BarcodeEdgeView& edges,
                                                std::uint32_t gapPeriod, std::size_t textLength,
                                                SymbolReading* reading) {
    if (textLength > kCodeCapacity || !PrepareDecoding(edges)) {
        return false;
    }
    char* const letters = letters_.GetFor(ElementsBetween(edges.GetCount()));
    if (letters == nullptr || !ClassifyWideNarrow(gapPeriod, letters) ||
        !DecodeText(reading->text, textLength) ||
        !GetDecodingEdges().FitWideNarrowEdges(letters, &reading->moduleMm, &reading->ratio)) {
        return false;
    }
    reading->text[textLength] = '\0';
    return true;
}

bool BarcodeProcessorWideNarrowBase::CommitSymbol(const SymbolReading& reading,
                                                  DecodingMeasures* shared) {
    DecodeResult result = WholeSymbolResult(reading.text, reading.moduleMm,
                                            GetRules().nominalModuleMm, reading.ratio);
    result.wideNarrowOption = this;
    return CommitDecoding(result, shared);
}

bool BarcodeProcessorWideNarrowBase::Generate() {
    const char* const code = GetEncodedCode();
    if (!IsEncodedValid(code)) {
        return false;
    }
    const double moduleMm = GetRules().nominalModuleMm * GetMagnification();
    SetModuleWidth(moduleMm);
    if (!(moduleMm > 0.0) || !EmitFont(GetFont(), false)) {
        return false;
    }
    const std::size_t length = std::strlen(code);
    const double symbolWidth = GetSymbolWidth(length, moduleMm);
    const double quietZone = QuietZone(moduleMm);
    const double totalWidth = symbolWidth + 2.0 * quietZone;
    const Layout layout = GetLayout(symbolWidth);
    const double barHeight = GetBarHeight() != 0.0 ? GetBarHeight() : layout.defaultBarHeightMm;
    SetTotalWidth(totalWidth);
    double textY = -layout.textSizeMm - moduleMm;
    double left = 0.0;
    double right = totalWidth;
    double bottom = textY - moduleMm;
    double top = barHeight + moduleMm;
    textY += ReserveBearerBars(&left, &right, &bottom, &top, layout.bearerThicknessMm);
    if ((GetEmitFrame() && !EmitFrame(left, right, bottom, top, 0.0)) ||
        (GetHumanReadable() && !EmitQuietZoneMarks(0.0, totalWidth, textY, textY, true, true))) {
        return false;
    }
    SetRunningX(quietZone);
    if (!EmitSymbol(code, barHeight) ||
        !EmitBearerBars(0.0, totalWidth, quietZone, quietZone, 0.0, barHeight,
                        layout.bearerThicknessMm, GetGenerator())) {
        return false;
    }
    if (!GetHumanReadable()) {
        return true;
    }
    // The code, which SetCode keeps within kCodeCapacity, and the frame.
    char printed[kCodeCapacity + 2];
    std::size_t printedCount = 0;
    if (length > kCodeCapacity) {
        return false;
    }
    if (layout.textFrame != '\0') {
        printed[printedCount++] = layout.textFrame;
    }
    std::memcpy(printed + printedCount, code, length);
    printedCount += length;
    if (layout.textFrame != '\0') {
        printed[printedCount++] = layout.textFrame;
    }
    return EmitTextLine(printed, printedCount,
                        {.quietZoneMm = quietZone,
                         .baselineMm = textY,
                         .sizeMm = layout.textSizeMm,
                         .centred = GetCenterAlign(),
                         .centredPitchMm = layout.centeredTextAdvanceMm});
}

double BarcodeProcessorWideNarrowBase::ComputeWidth() {
    const char* const code = GetEncodedCode();
    if (!IsEncodedValid(code)) {
        return 0.0;
    }
    const double moduleMm = GetRules().nominalModuleMm * GetMagnification();
    SetModuleWidth(moduleMm);
    if (!(moduleMm > 0.0)) {
        return GetRules().widthWithoutModuleMm;
    }
    const double totalWidth =
        GetSymbolWidth(std::strlen(code), moduleMm) + 2.0 * QuietZone(moduleMm);
    SetTotalWidth(totalWidth);
    return totalWidth;
}

bool BarcodeProcessorWideNarrowBase::CorrectCode(M7LString& code) const {
    return IsCodeValid(code.CStr());
}

// A bar may be drawn up to a quarter of the nominal module narrower or wider.
bool BarcodeProcessorWideNarrowBase::IsBarWidthReductionValid() const {
    return std::fabs(GetBarWidthReduction()) <=
           0.25 * GetRules().nominalModuleMm * GetMagnification();
}

bool BarcodeProcessorWideNarrowBase::IsMagnificationValid() const {
    return GetRules().IsMagnificationValid(GetMagnification());
}

bool BarcodeProcessorWideNarrowBase::IsBarHeightValid() const {
    const double moduleMm = GetRules().nominalModuleMm * GetMagnification();
    if (!(moduleMm > 0.0)) {
        return false;
    }
    const double symbolWidth = GetSymbolWidth(std::strlen(GetEncodedCode()), moduleMm);
    const double height = kBarHeightTolerance * GetBarHeight();
    return height >= GetRules().minimumHeightPerWidth * symbolWidth &&
           height >= kMinimumBarHeightMm;
}

bool BarcodeProcessorWideNarrowBase::FitToResolution(double deviceUnitsPerMm) {
    double magnification = GetMagnification();
    double ratio = GetWideNarrowRatio();
    if (!GetRules().FitToResolution(deviceUnitsPerMm, &magnification, &ratio)) {
        return false;
    }
    SetMagnification(magnification);
    return SetWideNarrowRatio(ratio);
}

bool BarcodeProcessorWideNarrowBase::IsWideNarrowRatioValid() const {
    return GetRules().IsRatioValid(GetMagnification(), GetWideNarrowRatio());
}

bool BarcodeProcessorWideNarrowBase::HasOption(std::int32_t optionCode) const {
    return optionCode == kBarcodeOptionFont || optionCode == kBarcodeOptionCenterAlign ||
           optionCode == kBarcodeOptionFontScaling || optionCode == kBarcodeOptionBearerBars ||
           optionCode == kBarcodeOptionBearerBarEndBars ||
           optionCode == kBarcodeOptionWideNarrowRatio;
}

std::int32_t BarcodeProcessor2of5::GetType() const {
    return kBarcodeType2of5;
}

const char* BarcodeProcessor2of5::GetName() const {
    return "2 of 5";
}

bool BarcodeProcessor2of5::DecodeDigitPair(std::uint32_t letterIndex, char* first, char* second) {
    const char* const letters = GetLetters() + letterIndex;
    std::size_t pattern = 0;
    for (std::size_t k = 0; k < kElementsPerPair; ++k) {
        if (letters[k] == 'W') {
            pattern |= std::size_t{1} << k;
        } else if (letters[k] != 'N') {
            return false;
        }
    }
    const int row = kPairRowByPattern[pattern];
    if (row < 0) {
        return false;
    }
    *first = DigitCharacter(row / 10);
    *second = DigitCharacter(row % 10);
    return true;
}

bool BarcodeProcessor2of5::DecodeText(char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; i += 2) {
        const auto letterIndex =
            static_cast<std::uint32_t>(kStartLetters.size() + i / 2 * kElementsPerPair);
        if (!DecodeDigitPair(letterIndex, &text[i], &text[i + 1])) {
            return false;
        }
    }
    return true;
}

// 4 start, 10 per pair and 3 stop elements: 10 p + 8 edges for p pairs.
bool BarcodeProcessor2of5::MightDecode(const BarcodeEdgeView& edges) {
    const std::uint32_t count = edges.GetCount();
    return count > kStartStopEdges && (count - kStartStopEdges) % kElementsPerPair == 0 &&
           HasStartStop(edges, 0, kStartLetters, kStopLetters);
}

BarcodeProcessor2of5::SharedReading<BarcodeProcessor2of5::SymbolReading>&
BarcodeProcessor2of5::GetSharedReading(bool reversed) {
    thread_local SharedReading<SymbolReading> readings[2];
    return readings[reversed ? 1 : 0];
}

bool BarcodeProcessor2of5::Decode(const double* edges, std::uint32_t count, bool reversed) {
    const BarcodeEdgeView view(edges, count, reversed);
    if (!MightDecode(view)) {
        return false;
    }
    const std::size_t textLength = (count - kStartStopEdges) / kElementsPerPair * 2;
    return DecodeSharing(
        GetSharedReading(reversed), edges, count,
        [&](SymbolReading* reading) { return ReadSymbol(view, 0, textLength, reading); },
        [this](const SymbolReading& reading, DecodingMeasures* shared) {
            return CommitSymbol(reading, shared);
        });
}

bool BarcodeProcessor2of5::EmitDigitPair(char first, char second, double bottom, double top) {
    if (!IsDigit(first) || !IsDigit(second)) {
        return false;
    }
    const PairRow& row = TwoOfFivePairTable[DigitValue(first) * 10 + DigitValue(second)];
    return EmitElements(std::string_view(row.data(), row.size()), bottom, top);
}

bool BarcodeProcessor2of5::EmitSymbol(const char* code, double top) {
    if (!EmitElements(kStartLetters, 0.0, top)) {
        return false;
    }
    for (const char* pair = code; pair[0] != '\0'; pair += 2) {
        if (!EmitDigitPair(pair[0], pair[1], 0.0, top)) {
            return false;
        }
    }
    return EmitElements(kStopLetters, 0.0, top);
}

bool BarcodeProcessor2of5::IsEncodedValid(const char* encoded) const {
    if (encoded == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(encoded);
    return length > 0 && length % 2 == 0 && AllDigits(encoded, length);
}

const WideNarrowRules& BarcodeProcessor2of5::GetRules() const {
    return k2of5Rules;
}

// Start 4 X, each digit 2 r X + 3 X, stop r X + 2 X.
double BarcodeProcessor2of5::GetSymbolWidth(std::size_t length, double moduleMm) const {
    const double ratio = GetWideNarrowRatio();
    return moduleMm * (ratio + (2.0 * ratio + 3.0) * static_cast<double>(length) + 6.0);
}

BarcodeProcessorWideNarrowBase::Layout BarcodeProcessor2of5::GetLayout(double symbolWidthMm) const {
    const double scaling = GetFontScaling();
    const double bearerThickness =
        GetBearerBarEndBars() ? kBearerBoxThicknessMm
                              : kBearerBarThicknessModules * kModuleMm * GetMagnification();
    return {.defaultBarHeightMm =
                std::max(kDefaultBarHeightMm, GetRules().minimumHeightPerWidth * symbolWidthMm),
            .textSizeMm = kTextSizeMm * scaling,
            .centeredTextAdvanceMm = kCenteredTextAdvanceMm * scaling,
            .bearerThicknessMm = bearerThickness,
            .textFrame = '\0'};
}

std::int32_t BarcodeProcessorITF14::GetType() const {
    return kBarcodeTypeITF14;
}

const char* BarcodeProcessorITF14::GetName() const {
    return "ITF14";
}

bool BarcodeProcessorITF14::MightDecode(const BarcodeEdgeView& edges) {
    return edges.GetCount() == kITF14Edges && BarcodeProcessor2of5::MightDecode(edges);
}

bool BarcodeProcessorITF14::Decode(const double* edges, std::uint32_t count, bool reversed) {
    return count == kITF14Edges && BarcodeProcessor2of5::Decode(edges, count, reversed);
}

bool BarcodeProcessorITF14::Generate() {
    SetBearerBars(true);
    return BarcodeProcessor2of5::Generate();
}

bool BarcodeProcessorITF14::IsEncodedValid(const char* encoded) const {
    return encoded != nullptr && std::strlen(encoded) == kITF14Length &&
           AllDigits(encoded, kITF14Length) &&
           encoded[kITF14Length - 1] == ITF14CheckDigit(encoded);
}

bool BarcodeProcessorITF14::CorrectCode(M7LString& code) const {
    const char* const text = code.CStr();
    if (std::strlen(text) < kITF14Length - 1 || !AllDigits(text, kITF14Length - 1)) {
        return false;
    }
    char corrected[kITF14Length + 1];
    std::memcpy(corrected, text, kITF14Length - 1);
    corrected[kITF14Length - 1] = ITF14CheckDigit(corrected);
    corrected[kITF14Length] = '\0';
    return StoreText(code, corrected);
}

bool BarcodeProcessorITF14::HasOption(std::int32_t optionCode) const {
    return optionCode != kBarcodeOptionBearerBars && BarcodeProcessor2of5::HasOption(optionCode);
}

const WideNarrowRules& BarcodeProcessorITF14::GetRules() const {
    return kITF14Rules;
}

}  // namespace Strivelo
