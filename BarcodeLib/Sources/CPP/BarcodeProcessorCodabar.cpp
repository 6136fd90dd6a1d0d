#include "BarcodeProcessorCodabar.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "BarcodeEdgeView.h"
#include "BarcodeIdentificationPass.h"
#include "BarcodeText.h"

namespace Strivelo {

namespace {

constexpr std::size_t kElementsPerCharacter = 7;
// The seven elements and the gap.
constexpr std::uint32_t kEdgesPerCharacter = 8;

struct CodabarCharacter {
    char character;
    // Bar, space, bar, space, bar, space, bar: 'N' narrow, 'W' wide.
    char elements[kElementsPerCharacter + 1];
};

// The character set of the Codabar symbology specification EN 798: data
// characters, then the start and stop characters A-D.
constexpr CodabarCharacter kCharacters[] = {
    {'0', "NNNNNWW"}, {'1', "NNNNWWN"}, {'2', "NNNWNNW"}, {'3', "WWNNNNN"}, {'4', "NNWNNWN"},
    {'5', "WNNNNWN"}, {'6', "NWNNNNW"}, {'7', "NWNNWNN"}, {'8', "NWWNNNN"}, {'9', "WNNWNNN"},
    {'-', "NNNWWNN"}, {'$', "NNWWNNN"}, {':', "WNNNWNW"}, {'/', "WNWNNNW"}, {'.', "WNWNWNN"},
    {'+', "NNWNWNW"}, {'A', "NNWWNWN"}, {'B', "NWNWNNW"}, {'C', "NNNWNWW"}, {'D', "NNNWWWN"},
};
constexpr std::size_t kFirstStartStopRow = 16;

// Traditional Codabar, the variant an informative annex of EN 798
// describes, gives every element a width of its own: in mm at magnification
// 1, the seven elements and the gap, rows as in kCharacters.
constexpr double kTraditionalWidthsMm[][kEdgesPerCharacter] = {
    {0.165, 0.264, 0.165, 0.264, 0.165, 0.617, 0.455, 0.445},  // 0
    {0.165, 0.264, 0.165, 0.264, 0.455, 0.617, 0.165, 0.445},  // 1
    {0.165, 0.254, 0.165, 0.62, 0.165, 0.254, 0.472, 0.445},   // 2
    {0.455, 0.617, 0.165, 0.264, 0.165, 0.264, 0.165, 0.445},  // 3
    {0.165, 0.264, 0.455, 0.264, 0.165, 0.617, 0.165, 0.445},  // 4
    {0.455, 0.264, 0.165, 0.264, 0.165, 0.617, 0.165, 0.445},  // 5
    {0.165, 0.617, 0.165, 0.264, 0.165, 0.264, 0.455, 0.445},  // 6
    {0.165, 0.617, 0.165, 0.264, 0.455, 0.264, 0.165, 0.445},  // 7
    {0.165, 0.617, 0.455, 0.264, 0.165, 0.264, 0.165, 0.445},  // 8
    {0.472, 0.254, 0.165, 0.62, 0.165, 0.254, 0.165, 0.445},   // 9
    {0.165, 0.254, 0.165, 0.62, 0.472, 0.254, 0.165, 0.445},   // -
    {0.165, 0.254, 0.472, 0.62, 0.165, 0.254, 0.165, 0.445},   // $
    {0.424, 0.236, 0.165, 0.236, 0.424, 0.236, 0.373, 0.446},  // :
    {0.373, 0.236, 0.424, 0.236, 0.165, 0.236, 0.424, 0.446},  // /
    {0.345, 0.257, 0.378, 0.257, 0.437, 0.257, 0.165, 0.444},  // .
    {0.165, 0.257, 0.437, 0.257, 0.378, 0.257, 0.345, 0.444},  // +
    {0.165, 0.203, 0.498, 0.493, 0.165, 0.409, 0.165, 0.442},  // A
    {0.165, 0.409, 0.165, 0.493, 0.165, 0.203, 0.498, 0.442},  // B
    {0.165, 0.203, 0.165, 0.493, 0.165, 0.409, 0.498, 0.442},  // C
    {0.165, 0.203, 0.165, 0.493, 0.498, 0.409, 0.165, 0.442},  // D
};
static_assert(std::size(kTraditionalWidthsMm) == std::size(kCharacters));

constexpr double kTraditionalCharacterMm = 2.54;

// Every traditional character is 2.54 mm with its gap, and each element is
// wide exactly where its pattern says, judged against the mean element.
constexpr bool TraditionalWidthsFollowThePatterns() {
    constexpr double meanElementMm = kTraditionalCharacterMm / kEdgesPerCharacter;
    for (std::size_t row = 0; row < std::size(kCharacters); ++row) {
        double sum = 0.0;
        for (std::size_t e = 0; e < kEdgesPerCharacter; ++e) {
            sum += kTraditionalWidthsMm[row][e];
        }
        if (sum - kTraditionalCharacterMm > 1e-9 || kTraditionalCharacterMm - sum > 1e-9) {
            return false;
        }
        for (std::size_t e = 0; e < kElementsPerCharacter; ++e) {
            if ((kTraditionalWidthsMm[row][e] > meanElementMm) !=
                (kCharacters[row].elements[e] == 'W')) {
                return false;
            }
        }
    }
    return true;
}
static_assert(TraditionalWidthsFollowThePatterns());

// Where the classes of the traditional table part, at magnification 1:
// halfway between the widest narrow and the narrowest wide element of each
// kind. Every narrow bar of the table has one width.
struct TraditionalClasses {
    double narrowBarMm;
    double barThresholdMm;
    double spaceThresholdMm;
};

constexpr TraditionalClasses FindTraditionalClasses() {
    double narrowBar = kTraditionalWidthsMm[0][0];
    double widestNarrow[2] = {0.0, 0.0};
    double narrowestWide[2] = {kTraditionalCharacterMm, kTraditionalCharacterMm};
    for (std::size_t row = 0; row < std::size(kCharacters); ++row) {
        for (std::size_t e = 0; e < kElementsPerCharacter; ++e) {
            const double width = kTraditionalWidthsMm[row][e];
            const std::size_t bar = e % 2 == 0 ? 1 : 0;
            if (kCharacters[row].elements[e] == 'W') {
                narrowestWide[bar] = std::min(narrowestWide[bar], width);
                continue;
            }
            widestNarrow[bar] = std::max(widestNarrow[bar], width);
            if (bar == 1 && width != narrowBar) {
                narrowBar = -1.0;
            }
        }
    }
    return {.narrowBarMm = narrowBar,
            .barThresholdMm = (widestNarrow[1] + narrowestWide[1]) / 2.0,
            .spaceThresholdMm = (widestNarrow[0] + narrowestWide[0]) / 2.0};
}

constexpr TraditionalClasses kTraditionalClasses = FindTraditionalClasses();
static_assert(kTraditionalClasses.narrowBarMm > 0.0);

// The last character's gap is no element of the edge list; the gaps of the
// table lie within 0.003 mm of their mean.
constexpr double MeanTraditionalGapMm() {
    double sum = 0.0;
    for (const auto& row : kTraditionalWidthsMm) {
        sum += row[kElementsPerCharacter];
    }
    return sum / std::size(kTraditionalWidthsMm);
}

// The bar width reduction shows in the narrow bars and moves both
// thresholds; each pass measures it against the last pass's thresholds.
constexpr int kTraditionalThresholdPasses = 3;

struct Alternative {
    char written;
    char meant;
};

constexpr Alternative kAlternatives[] = {
    {'*', 'C'}, {'c', 'C'}, {'E', 'D'}, {'d', 'D'}, {'e', 'D'}, {'N', 'B'},
    {'b', 'B'}, {'n', 'B'}, {'T', 'A'}, {'a', 'A'}, {'t', 'A'},
};

char MeantCharacter(char written) {
    for (const Alternative& alternative : kAlternatives) {
        if (alternative.written == written) {
            return alternative.meant;
        }
    }
    return written;
}

constexpr std::size_t kByteValues = 256;

// The table row of every byte, -1 where it is no character.
constexpr std::array<std::int8_t, kByteValues> kRowByCharacter = [] {
    std::array<std::int8_t, kByteValues> rows{};
    rows.fill(-1);
    for (std::size_t row = 0; row < std::size(kCharacters); ++row) {
        rows[static_cast<unsigned char>(kCharacters[row].character)] =
            static_cast<std::int8_t>(row);
    }
    return rows;
}();

// Bit e of a row is set where its element e is wide.
constexpr std::array<std::uint8_t, std::size(kCharacters)> kWideElements = [] {
    std::array<std::uint8_t, std::size(kCharacters)> masks{};
    for (std::size_t row = 0; row < std::size(kCharacters); ++row) {
        for (std::size_t e = 0; e < kElementsPerCharacter; ++e) {
            if (kCharacters[row].elements[e] == 'W') {
                masks[row] = static_cast<std::uint8_t>(masks[row] | 1U << e);
            }
        }
    }
    return masks;
}();

// The traditional widths in modules of BarcodeProcessorBase3::kModuleMm.
constexpr auto kTraditionalModules = [] {
    std::array<std::array<double, kEdgesPerCharacter>, std::size(kTraditionalWidthsMm)> modules{};
    for (std::size_t row = 0; row < modules.size(); ++row) {
        for (std::size_t e = 0; e < kEdgesPerCharacter; ++e) {
            modules[row][e] = kTraditionalWidthsMm[row][e] / BarcodeProcessorBase3::kModuleMm;
        }
    }
    return modules;
}();

// The table row of character c, or -1.
int RowOf(char c) {
    return kRowByCharacter[static_cast<unsigned char>(c)];
}

bool IsStartStop(int row) {
    return row >= static_cast<int>(kFirstStartStopRow);
}

// The row of each pattern of seven elements, bit k set for a wide element k;
// -1 where no character has the pattern.
constexpr std::array<std::int8_t, 1U << kElementsPerCharacter> kRowByPattern = [] {
    std::array<std::int8_t, 1U << kElementsPerCharacter> rows{};
    rows.fill(-1);
    for (std::size_t row = 0; row < std::size(kCharacters); ++row) {
        std::size_t pattern = 0;
        for (std::size_t k = 0; k < kElementsPerCharacter; ++k) {
            pattern |= kCharacters[row].elements[k] == 'W' ? std::size_t{1} << k : 0;
        }
        rows[pattern] = static_cast<std::int8_t>(row);
    }
    return rows;
}();

// The row from firstRow on whose elements are the seven letters, or -1.
int RowOfLetters(const char* letters, std::size_t firstRow) {
    std::size_t pattern = 0;
    for (std::size_t k = 0; k < kElementsPerCharacter; ++k) {
        if (letters[k] == 'W') {
            pattern |= std::size_t{1} << k;
        } else if (letters[k] != 'N') {
            return -1;
        }
    }
    const int row = kRowByPattern[pattern];
    return row >= static_cast<int>(firstRow) ? row : -1;
}

using Thresholds = BarcodeProcessor::WideNarrowThresholds;

// Element j (from 1) runs from edge j - 1 to edge j; every eighth is a gap.
char ElementLetter(const BarcodeEdgeView& view, std::uint32_t element,
                   const Thresholds& thresholds) {
    if (element % kEdgesPerCharacter == 0) {
        return 'I';
    }
    return thresholds.IsWide(element, view[element] - view[element - 1]) ? 'W' : 'N';
}

// The table's thresholds at the magnification the symbol's width gives,
// bars narrowed and spaces widened by the reduction its narrow bars show.
Thresholds TraditionalThresholds(const BarcodeEdgeView& view) {
    const std::uint32_t count = view.GetCount();
    const double nominalSpanMm =
        count / kEdgesPerCharacter * kTraditionalCharacterMm - MeanTraditionalGapMm();
    double reduction = 0.0;
    Thresholds thresholds;
    for (int pass = 0; pass < kTraditionalThresholdPasses; ++pass) {
        const double magnification = (view[count - 1] + reduction) / nominalSpanMm;
        thresholds = {.barMm = kTraditionalClasses.barThresholdMm * magnification - reduction,
                      .spaceMm = kTraditionalClasses.spaceThresholdMm * magnification + reduction};
        double narrowSum = 0.0;
        std::uint32_t narrowCount = 0;
        for (std::uint32_t j = 1; j < count; j += 2) {
            const double width = view[j] - view[j - 1];
            if (!thresholds.IsWide(j, width)) {
                narrowSum += width;
                ++narrowCount;
            }
        }
        if (narrowCount == 0) {
            break;
        }
        reduction = kTraditionalClasses.narrowBarMm * magnification - narrowSum / narrowCount;
    }
    return thresholds;
}

// Judges the seven elements after edge first, on the caller's list before
// anything is copied.
bool IsStartStopAt(const BarcodeEdgeView& view, std::uint32_t first, const Thresholds& thresholds) {
    char letters[kElementsPerCharacter];
    for (std::uint32_t e = 0; e < kElementsPerCharacter; ++e) {
        letters[e] = ElementLetter(view, first + e + 1, thresholds);
    }
    return RowOfLetters(letters, kFirstStartStopRow) >= 0;
}

// Element e of the character of a row in modules, the gap being element 7.
double ModulesOf(bool traditional, std::size_t row, std::size_t element, double ratio) {
    if (traditional) {
        return kTraditionalModules[row][element];
    }
    return (kWideElements[row] >> element & 1U) != 0 ? ratio : 1.0;
}

double QuietZoneMm(double moduleMm) {
    return std::max(BarcodeProcessorBase3::kQuietZoneModules * moduleMm,
                    BarcodeProcessorBase3::kMinimumQuietZoneMm);
}

}  // namespace

double BarcodeProcessorBase3::ElementModules(std::size_t row, std::size_t element,
                                             double ratio) const {
    return ModulesOf(traditional_, row, element, ratio);
}

double BarcodeProcessorBase3::CodeWidthModules(const char* text, bool fromBarCentres,
                                               double ratio) const {
    const std::size_t length = std::strlen(text);
    double modules = 0.0;
    int row = -1;
    for (std::size_t i = 0; i < length; ++i) {
        row = RowOf(text[i]);
        if (row < 0) {
            return 0.0;
        }
        for (std::size_t e = 0; e < kEdgesPerCharacter; ++e) {
            modules += ModulesOf(traditional_, row, e, ratio);
        }
    }
    if (length == 0) {
        return 0.0;
    }
    modules -= ModulesOf(traditional_, row, kElementsPerCharacter, ratio);
    if (fromBarCentres) {
        modules -= (ModulesOf(traditional_, RowOf(text[0]), 0, ratio) +
                    ModulesOf(traditional_, row, kElementsPerCharacter - 1, ratio)) /
                   2.0;
    }
    return modules;
}

double BarcodeProcessorBase3::CodeWidth(const char* text, bool fromBarCentres) const {
    return CodeWidthModules(text, fromBarCentres, GetWideNarrowRatio());
}

bool BarcodeProcessorBase3::BeginDecode(const double* /*edges*/, std::uint32_t count) {
    return decodeBuffer_.Reserve(ElementsBetween(count));
}

bool BarcodeProcessorBase3::EndDecode() {
    decodeBuffer_.Free();
    return true;
}

// The thresholds are those the shared classifier finds, or the traditional
// table's, so the cheap look at start and stop agrees with the full reading.
bool BarcodeProcessorBase3::HasStartAndStop(const BarcodeEdgeView& edges, bool traditional,
                                            WideNarrowThresholds* thresholds) {
    const std::uint32_t count = edges.GetCount();
    if (count % kEdgesPerCharacter != 0 || count < 2 * kEdgesPerCharacter ||
        count / kEdgesPerCharacter > kCodeCapacity) {
        return false;
    }
    // The screen and the decoding of both kinds ask this of the same list
    // within an identification pass; the answer is kept for each kind and
    // direction.
    struct Kept {
        std::uint64_t pass = 0;
        const double* edges = nullptr;
        std::uint32_t count = 0;
        bool found = false;
        WideNarrowThresholds thresholds;
    };
    thread_local Kept kept[2][2];
    const std::uint64_t pass = BarcodeIdentificationPass::GetCurrent();
    Kept& entry = kept[traditional ? 1 : 0][edges.IsReadReversed() ? 1 : 0];
    if (pass != 0 && entry.pass == pass && entry.edges == edges.GetCallerEdges() &&
        entry.count == count) {
        *thresholds = entry.thresholds;
        return entry.found;
    }
    *thresholds = traditional ? TraditionalThresholds(edges) : FindWideNarrowThresholds(edges, 0);
    const bool found = IsStartStopAt(edges, 0, *thresholds) &&
                       IsStartStopAt(edges, count - kEdgesPerCharacter, *thresholds);
    if (pass != 0) {
        entry = {.pass = pass,
                 .edges = edges.GetCallerEdges(),
                 .count = count,
                 .found = found,
                 .thresholds = *thresholds};
    }
    return found;
}

bool BarcodeProcessorBase3::Decode(const double* edges, std::uint32_t count, bool reversed) {
    const BarcodeEdgeView view(edges, count, reversed);
    Thresholds thresholds;
    if (!HasStartAndStop(view, traditional_, &thresholds) || !PrepareDecoding(view)) {
        return false;
    }
    BarcodeEdgeList& list = GetDecodingEdges();
    const double* const measured = list.GetMeasured();
    double* const ideal = list.GetIdeal();
    char* const letters = decodeBuffer_.GetFor(ElementsBetween(count));
    if (letters == nullptr) {
        return false;
    }
    if (traditional_) {
        for (std::uint32_t j = 1; j < count; ++j) {
            letters[j - 1] = ElementLetter(view, j, thresholds);
        }
    } else if (!ClassifyWideNarrow(0, letters)) {
        return false;
    }

    const std::uint32_t characters = count / kEdgesPerCharacter;
    char text[kCodeCapacity + 1];
    std::size_t rows[kCodeCapacity];
    for (std::uint32_t c = 0; c < characters; ++c) {
        const int row = RowOfLetters(letters + kEdgesPerCharacter * c, 0);
        if (row < 0) {
            return false;
        }
        rows[c] = static_cast<std::size_t>(row);
        text[c] = kCharacters[row].character;
    }
    text[characters] = '\0';

    double module = 0.0;
    double ratio = 0.0;
    if (!traditional_) {
        if (!list.FitWideNarrowEdges(letters, &module, &ratio)) {
            return false;
        }
    } else {
        const double span =
            (measured[count - 1] + measured[count - 2]) / 2.0 - (measured[1] + measured[0]) / 2.0;
        module = span / CodeWidthModules(text, true, ratio);
        ideal[0] = measured[0];
        for (std::uint32_t i = 1; i < count; ++i) {
            const std::uint32_t element = i - 1;
            ideal[i] = ideal[i - 1] + module * ElementModules(rows[element / kEdgesPerCharacter],
                                                              element % kEdgesPerCharacter, ratio);
        }
    }

    DecodeResult result = WholeSymbolResult(text, module, kModuleMm, ratio);
    result.wideNarrowOption = this;
    if (traditional_) {
        result.narrowestElementModules = kTraditionalClasses.narrowBarMm / kModuleMm;
    }
    return CommitDecoding(result);
}

bool BarcodeProcessorBase3::Generate() {
    double codeModules = 0.0;
    const double width = MeasureWidth(&codeModules);
    if (!(width > 0.0) || !EmitFont(GetFont(), false)) {
        return false;
    }
    const char* const code = GetEncodedCode();
    const double module = GetModuleWidth();
    const double ratio = GetWideNarrowRatio();
    const double quietZone = QuietZoneMm(module);
    const double height =
        GetBarHeight() != 0.0
            ? GetBarHeight()
            : std::max(kBarHeightPerSymbolWidth * codeModules * module, kMinimumBarHeightMm);
    // The baseline follows the scaled text down, so no character reaches
    // into the bars.
    const double size = kTextSizeMm * GetMagnification() * GetFontScaling();
    const double textY = -size - module;
    if ((GetEmitFrame() && !EmitFrame(0.0, width, textY - module, height + module, 0.0)) ||
        (GetHumanReadable() && !EmitQuietZoneMarks(0.0, width, textY, textY, true, true))) {
        return false;
    }
    SetRunningX(quietZone);
    const std::size_t length = std::strlen(code);
    for (std::size_t i = 0; i < length; ++i) {
        const auto row = static_cast<std::size_t>(RowOf(code[i]));
        for (std::size_t e = 0; e < kEdgesPerCharacter; ++e) {
            const double x = GetRunningX();
            const double elementMm = ModulesOf(traditional_, row, e, ratio) * module;
            if (e % 2 == 0 && !EmitBar(x, x + elementMm, 0.0, height)) {
                return false;
            }
            SetRunningX(x + elementMm);
        }
    }
    // Start and stop are not printed.
    return !GetHumanReadable() ||
           EmitTextLine(code + 1, length - 2,
                        {.quietZoneMm = quietZone,
                         .baselineMm = textY,
                         .sizeMm = size,
                         .centred = GetCenterAlign(),
                         .centredPitchMm = kCentredTextPitchModules * module});
}

double BarcodeProcessorBase3::ComputeWidth() {
    double codeModules = 0.0;
    return MeasureWidth(&codeModules);
}

double BarcodeProcessorBase3::MeasureWidth(double* codeModules) {
    const char* const code = GetEncodedCode();
    if (!IsEncodedValid(code)) {
        return 0.0;
    }
    const double module = kModuleMm * GetMagnification();
    SetModuleWidth(module);
    if (!(module > 0.0)) {
        return 0.0;
    }
    *codeModules = CodeWidth(code, false);
    const double width = *codeModules * module + 2.0 * QuietZoneMm(module);
    SetTotalWidth(width);
    return width;
}

// At least a start and a stop; A-D only there.
bool BarcodeProcessorBase3::IsEncodedValid(const char* encoded) const {
    if (encoded == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(encoded);
    if (length < 2) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        const int row = RowOf(encoded[i]);
        if (row < 0 || IsStartStop(row) != (i == 0 || i == length - 1)) {
            return false;
        }
    }
    return true;
}

// A one-character code is a start without stop.
bool BarcodeProcessorBase3::CorrectCode(M7LString& code) const {
    const char* const text = code.CStr();
    std::size_t length = std::strlen(text);
    if (length == 0 || length > kCodeCapacity) {
        return false;
    }
    char corrected[kCodeCapacity + 2];
    for (std::size_t i = 0; i < length; ++i) {
        corrected[i] = MeantCharacter(text[i]);
        if (RowOf(corrected[i]) < 0) {
            return false;
        }
    }
    if (!IsStartStop(RowOf(corrected[0]))) {
        return false;
    }
    if (length == 1 || !IsStartStop(RowOf(corrected[length - 1]))) {
        corrected[length++] = corrected[0];
    }
    corrected[length] = '\0';
    for (std::size_t i = 1; i + 1 < length; ++i) {
        if (IsStartStop(RowOf(corrected[i]))) {
            return false;
        }
    }
    return length <= kCodeCapacity && StoreText(code, corrected);
}

bool BarcodeProcessorBase3::IsBarWidthReductionValid() const {
    const double reduction = GetBarWidthReduction();
    const double limit = kMaximumBarWidthReductionModules * kModuleMm * GetMagnification();
    return reduction <= limit && -reduction <= limit;
}

bool BarcodeProcessorBase3::IsMagnificationValid() const {
    return GetMagnification() >= kMinimumMagnification &&
           GetMagnification() <= kMaximumMagnification;
}

bool BarcodeProcessorBase3::IsBarHeightValid() const {
    const double module = kModuleMm * GetMagnification();
    if (!(module > 0.0)) {
        return false;
    }
    const double height = kBarHeightTolerance * GetBarHeight();
    return height >= kBarHeightPerSymbolWidth * CodeWidth(GetEncodedCode(), false) * module &&
           height >= kMinimumBarHeightMm;
}

bool BarcodeProcessorBase3::IsWideNarrowRatioValid() const {
    if (traditional_) {
        return true;
    }
    const double ratio = GetWideNarrowRatio();
    const double minimum = GetMagnification() >= 1.0 ? kMinimumRatio : kMinimumRatioBelowFullSize;
    return ratio >= minimum && ratio <= kMaximumRatio;
}

bool BarcodeProcessorBase3::HasOption(std::int32_t optionCode) const {
    return optionCode == kBarcodeOptionCenterAlign || optionCode == kBarcodeOptionFont ||
           optionCode == kBarcodeOptionFontScaling ||
           (optionCode == kBarcodeOptionWideNarrowRatio && !traditional_);
}

}  // namespace Strivelo
