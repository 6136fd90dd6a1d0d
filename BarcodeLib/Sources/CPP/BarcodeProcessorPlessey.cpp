#include "BarcodeProcessorPlessey.h"

#include <cstring>
#include <iterator>
#include <string_view>

#include "BarcodeEdgeView.h"
#include "BarcodeIdentificationPass.h"
#include "BarcodeText.h"

namespace Strivelo {

namespace {

using Layout = BarcodeProcessorBase2::Layout;

constexpr std::uint32_t kBitsPerCharacter = 4;
constexpr std::uint32_t kEdgesPerBar = 2;
constexpr std::uint32_t kEdgesPerCharacter = kBitsPerCharacter * kEdgesPerBar;

// The bars around the characters in drawing order, one a cell: '1' wide, '0'
// narrow. Closing bars follow the stop at the start of further cells, which
// lie in the right quiet zone and do not count in the width. No standard
// specifies Plessey or MSI; these are the frames their readers expect.
struct BarFrame {
    std::string_view start;
    std::string_view stop;
    std::string_view closing;
    bool leastSignificantBitFirst;
};

constexpr BarFrame kPlesseyFrame{
    .start = "1101", .stop = "1001", .closing = "1", .leastSignificantBitFirst = true};
constexpr BarFrame kMSIFrame{
    .start = "1", .stop = "00", .closing = "", .leastSignificantBitFirst = false};

const BarFrame& FrameOf(Layout layout) {
    return layout == Layout::kPlessey ? kPlesseyFrame : kMSIFrame;
}

std::uint32_t FrameBarCount(const BarFrame& frame) {
    return static_cast<std::uint32_t>(frame.start.size() + frame.stop.size() +
                                      frame.closing.size());
}

// Bit j of a character, in drawing order, has this value.
unsigned BitValue(const BarFrame& frame, std::uint32_t j) {
    return frame.leastSignificantBitFirst ? 1u << j : (1u << (kBitsPerCharacter - 1)) >> j;
}

double TotalWidthCells(const BarFrame& frame, std::size_t characters) {
    return static_cast<double>(frame.start.size() + kBitsPerCharacter * characters +
                               frame.stop.size()) +
           2.0 * BarcodeProcessorBase2::kQuietZoneCells;
}

double BarWidthCells(bool wide) {
    return wide ? BarcodeProcessorBase2::kWideBarCells : BarcodeProcessorBase2::kNarrowBarCells;
}

// Non-empty and digits only; gives the length.
bool IsDigitText(const char* text, std::size_t* length) {
    if (text == nullptr) {
        return false;
    }
    *length = std::strlen(text);
    return *length > 0 && AllDigits(text, *length);
}

// Copies text into buffer (kCodeCapacity characters and the terminator) when
// it is all digits and fits.
bool CopyDigits(const char* text, char* buffer, std::size_t* length) {
    return IsDigitText(text, length) && CopyIfFits(text, buffer, BarcodeProcessor::kCodeCapacity);
}

// The MSI mod 10 rule digit by digit: doubling the number formed by the last
// digit and every second one before it and summing the product's digits is
// summing the digits of each doubled digit, at any length.
char Mod10Check(const char* digits, std::size_t count) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        unsigned digit = static_cast<unsigned>(digits[count - 1 - i] - '0');
        if (i % 2 == 0) {
            digit *= 2;
            if (digit > 9) {
                digit -= 9;
            }
        }
        sum += digit;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

// Weights from the last digit backwards, repeating.
constexpr unsigned kMod11Weights[] = {2, 3, 4, 5, 6, 7};

// False when the check would be 10, which no digit carries.
bool Mod11Check(const char* digits, std::size_t count, char* check) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sum += static_cast<unsigned>(digits[count - 1 - i] - '0') *
               kMod11Weights[i % std::size(kMod11Weights)];
    }
    const unsigned value = (11 - sum % 11) % 11;
    if (value == 10) {
        return false;
    }
    *check = static_cast<char>('0' + value);
    return true;
}

// The reflected CCITT polynomial 0x1021.
constexpr std::uint16_t kPlesseyCrcPolynomial = 0x8408;

// The CRC register after the digits, each fed as four bits with the bit of
// value 8 first; its two low nibbles give the check characters, which only
// digits may spell.
bool PlesseyCheckCharacters(const char* digits, std::size_t count, char* checks) {
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned value = static_cast<unsigned>(digits[i] - '0');
        for (int bit = kBitsPerCharacter - 1; bit >= 0; --bit) {
            const bool feedback = ((crc ^ (value >> bit)) & 1u) != 0;
            crc >>= 1;
            if (feedback) {
                crc ^= kPlesseyCrcPolynomial;
            }
        }
    }
    const unsigned high = (crc >> 4) & 0xFu;
    const unsigned low = crc & 0xFu;
    if (high > 9 || low > 9) {
        return false;
    }
    checks[0] = static_cast<char>('0' + high);
    checks[1] = static_cast<char>('0' + low);
    return true;
}

constexpr std::size_t kPlesseyCheckCount = 2;

// A genuine wide bar is wider than its space while a narrow bar is at most a
// third of its space; symbols failing both are something else.
constexpr double kWideBarToSpaceMinimum = 1.0;
constexpr double kNarrowBarToSpaceMaximum = 1.0 / 3.0;

}  // namespace

bool BarcodeProcessorBase2::BeginDecode(const double* /*edges*/, std::uint32_t count) {
    return decodeBuffer_.Reserve(count / kEdgesPerBar);
}

bool BarcodeProcessorBase2::EndDecode() {
    decodeBuffer_.Free();
    return true;
}

// Bar k runs from edge 2k to edge 2k + 1, element 2k + 1 of the shared
// thresholds.
bool BarcodeProcessorBase2::HasFrame(const BarcodeEdgeView& edges, Layout layout,
                                     double* barThresholdMm) {
    const BarFrame& frame = FrameOf(layout);
    const std::uint32_t count = edges.GetCount();
    const std::uint32_t frameEdges = kEdgesPerBar * FrameBarCount(frame);
    if (count < frameEdges + kEdgesPerCharacter || (count - frameEdges) % kEdgesPerCharacter != 0 ||
        (count - frameEdges) / kEdgesPerCharacter > kCodeCapacity) {
        return false;
    }
    // The screens and decodings of every member of a layout ask this of the
    // same list within an identification pass; the answer is kept for each
    // layout and direction.
    struct Kept {
        std::uint64_t pass = 0;
        const double* edges = nullptr;
        std::uint32_t count = 0;
        bool framed = false;
        double thresholdMm = 0.0;
    };
    thread_local Kept kept[2][2];
    const std::uint64_t pass = BarcodeIdentificationPass::GetCurrent();
    Kept& entry = kept[layout == Layout::kMSI ? 1 : 0][edges.IsReadReversed() ? 1 : 0];
    if (pass != 0 && entry.pass == pass && entry.edges == edges.GetCallerEdges() &&
        entry.count == count) {
        *barThresholdMm = entry.thresholdMm;
        return entry.framed;
    }
    const std::uint32_t bars = count / kEdgesPerBar;
    const double threshold = FindWideNarrowThresholds(edges, 0).barMm;
    const auto framed = [&edges, threshold](std::string_view bits, std::uint32_t firstBar) {
        for (std::uint32_t i = 0; i < bits.size(); ++i) {
            const std::uint32_t bar = firstBar + i;
            if ((edges[2 * bar + 1] - edges[2 * bar] > threshold) != (bits[i] == '1')) {
                return false;
            }
        }
        return true;
    };
    const auto closingBars = static_cast<std::uint32_t>(frame.closing.size());
    const auto stopBars = static_cast<std::uint32_t>(frame.stop.size());
    *barThresholdMm = threshold;
    const bool found = framed(frame.start, 0) &&
                       framed(frame.stop, bars - closingBars - stopBars) &&
                       framed(frame.closing, bars - closingBars);
    if (pass != 0) {
        entry = {.pass = pass,
                 .edges = edges.GetCallerEdges(),
                 .count = count,
                 .framed = found,
                 .thresholdMm = threshold};
    }
    return found;
}

BarcodeProcessorBase2::SharedReading<BarcodeProcessorBase2::BarReading>&
BarcodeProcessorBase2::GetSharedReading(Layout layout, bool reversed) {
    thread_local SharedReading<BarReading> readings[2][2];
    return readings[layout == Layout::kMSI ? 1 : 0][reversed ? 1 : 0];
}

bool BarcodeProcessorBase2::Decode(const double* edges, std::uint32_t count, bool reversed) {
    const BarcodeEdgeView view(edges, count, reversed);
    double threshold = 0.0;
    if (!HasFrame(view, layout_, &threshold)) {
        return false;
    }
    return DecodeSharing(
        GetSharedReading(layout_, reversed), edges, count,
        [&](BarReading* reading) { return ReadBars(view, threshold, reading); },
        [this](const BarReading& reading, DecodingMeasures* shared) {
            return CommitBars(reading, shared);
        });
}

bool BarcodeProcessorBase2::CommitBars(const BarReading& reading, DecodingMeasures* shared) {
    DecodeResult result = WholeSymbolResult(reading.text, reading.cellMm, kBitCellMm);
    result.narrowestElementModules = kNarrowBarCells;
    return CommitDecoding(result, shared);
}

bool BarcodeProcessorBase2::ReadBars(const BarcodeEdgeView& view, double threshold,
                                     BarReading* reading) {
    if (!PrepareDecoding(view)) {
        return false;
    }
    const std::uint32_t count = view.GetCount();
    const BarFrame& frame = FrameOf(layout_);
    const std::uint32_t characters =
        (count - kEdgesPerBar * FrameBarCount(frame)) / kEdgesPerCharacter;
    const std::uint32_t bars = count / kEdgesPerBar;
    BarcodeEdgeList& list = GetDecodingEdges();
    const double* const measured = list.GetMeasured();
    double* const ideal = list.GetIdeal();
    char* const letters = decodeBuffer_.GetFor(bars);
    if (letters == nullptr) {
        return false;
    }

    // The start and stop bars put at least one bar, with its space, in every
    // group.
    WidthMean barMeans[2];
    WidthMean spaceAfterMeans[2];
    for (std::uint32_t bar = 0; bar < bars; ++bar) {
        const double width = measured[2 * bar + 1] - measured[2 * bar];
        const bool wide = width > threshold;
        letters[bar] = wide ? '1' : '0';
        barMeans[wide].Add(width);
        if (bar + 1 < bars) {
            spaceAfterMeans[wide].Add(measured[2 * bar + 2] - measured[2 * bar + 1]);
        }
    }
    if (barMeans[true].Get() / spaceAfterMeans[true].Get() < kWideBarToSpaceMinimum &&
        barMeans[false].Get() / spaceAfterMeans[false].Get() > kNarrowBarToSpaceMaximum) {
        return false;
    }
    const double cell = (measured[count - 2] - measured[0]) / (bars - 1);
    double barStart = measured[0];
    for (std::uint32_t bar = 0; bar < bars; ++bar) {
        if (bar > 0) {
            barStart += cell;
        }
        ideal[2 * bar] = barStart;
        ideal[2 * bar + 1] = barStart + BarWidthCells(letters[bar] == '1') * cell;
    }

    char* const text = reading->text;
    const char* const bits = letters + frame.start.size();
    for (std::uint32_t c = 0; c < characters; ++c) {
        unsigned value = 0;
        for (std::uint32_t j = 0; j < kBitsPerCharacter; ++j) {
            if (bits[kBitsPerCharacter * c + j] == '1') {
                value |= BitValue(frame, j);
            }
        }
        text[c] = kHexDigits[value];
    }
    text[characters] = '\0';
    reading->cellMm = cell;
    return true;
}

bool BarcodeProcessorBase2::Generate() {
    const double width = ComputeWidth();
    if (!(width > 0.0) || !EmitFont(GetFont(), false)) {
        return false;
    }
    const double cell = GetModuleWidth();
    const double height = GetBarHeight() != 0.0 ? GetBarHeight() : kDefaultBarHeightMm;
    const double textY = GetTextBaselineMm();
    if ((GetEmitFrame() && !EmitFrame(0.0, width, textY - cell, height + cell, 0.0)) ||
        (GetHumanReadable() && !EmitQuietZoneMarks(0.0, width, textY, textY, true, true))) {
        return false;
    }
    SetRunningX(kQuietZoneCells * cell);
    const auto emitBar = [this, cell, height](bool wide) {
        const double x = GetRunningX();
        SetRunningX(x + cell);
        return EmitBar(x, x + BarWidthCells(wide) * cell, 0.0, height);
    };
    const auto emitBars = [&emitBar](std::string_view bits) {
        for (const char bit : bits) {
            if (!emitBar(bit == '1')) {
                return false;
            }
        }
        return true;
    };
    const BarFrame& frame = FrameOf(layout_);
    if (!emitBars(frame.start)) {
        return false;
    }
    const char* const code = GetEncodedCode();
    for (const char* c = code; *c != '\0'; ++c) {
        const auto value = static_cast<unsigned>(*c - '0');
        for (std::uint32_t j = 0; j < kBitsPerCharacter; ++j) {
            if (!emitBar((value & BitValue(frame, j)) != 0)) {
                return false;
            }
        }
    }
    if (!emitBars(frame.stop) || !emitBars(frame.closing)) {
        return false;
    }
    return !GetHumanReadable() || EmitCharacters(code);
}

double BarcodeProcessorBase2::ComputeWidth() {
    const char* const code = GetEncodedCode();
    if (!IsEncodedValid(code)) {
        return 0.0;
    }
    const double cell = kBitCellMm * GetMagnification();
    SetModuleWidth(cell);
    if (!(cell > 0.0)) {
        return -1.0;
    }
    const double width = cell * TotalWidthCells(FrameOf(layout_), std::strlen(code));
    SetTotalWidth(width);
    return width;
}

bool BarcodeProcessorBase2::IsBarWidthReductionValid() const {
    const double cell = kBitCellMm * GetMagnification();
    const double reduction = GetBarWidthReduction();
    if (reduction < 0.0) {
        return -reduction <= kSpaceAfterWideBarCells * cell / 2.0;
    }
    return reduction <= kNarrowBarCells * cell / 2.0;
}

bool BarcodeProcessorBase2::IsMagnificationValid() const {
    return GetMagnification() >= kMinimumMagnification &&
           GetMagnification() <= kMaximumMagnification;
}

bool BarcodeProcessorBase2::IsBarHeightValid() const {
    return kBarHeightTolerance * GetBarHeight() >= kDefaultBarHeightMm;
}

bool BarcodeProcessorBase2::HasOption(std::int32_t optionCode) const {
    return optionCode == kBarcodeOptionFont || optionCode == kBarcodeOptionCenterAlign;
}

double BarcodeProcessorBase2::GetTextSizeMm() const {
    return kTextSizeMm * GetMagnification() * GetFontScaling();
}

double BarcodeProcessorBase2::GetTextBaselineMm() const {
    return -GetTextSizeMm() - GetModuleWidth();
}

bool BarcodeProcessorBase2::EmitCharacters(const char* text) {
    const double cell = GetModuleWidth();
    return EmitTextLine(text, std::strlen(text),
                        {.quietZoneMm = kQuietZoneCells * cell,
                         .baselineMm = GetTextBaselineMm(),
                         .sizeMm = GetTextSizeMm(),
                         .centred = GetCenterAlign(),
                         .centredPitchMm = kCentredTextPitchCells * cell});
}

bool BarcodeProcessorPlessey::IsEncodedValid(const char* encoded) const {
    std::size_t length = 0;
    return IsDigitText(encoded, &length);
}

bool BarcodeProcessorPlessey::CorrectCode(M7LString& code) const {
    return IsCodeValid(code.CStr());
}

bool BarcodeProcessorPlesseyCRC::IsEncodedValid(const char* encoded) const {
    std::size_t length = 0;
    char checks[kPlesseyCheckCount];
    return IsDigitText(encoded, &length) && length > kPlesseyCheckCount &&
           PlesseyCheckCharacters(encoded, length - kPlesseyCheckCount, checks) &&
           std::memcmp(checks, encoded + length - kPlesseyCheckCount, kPlesseyCheckCount) == 0;
}

bool BarcodeProcessorPlesseyCRC::CorrectCode(M7LString& code) const {
    char digits[kCodeCapacity + 1];
    std::size_t length = 0;
    return CopyDigits(code.CStr(), digits, &length) && length > kPlesseyCheckCount &&
           PlesseyCheckCharacters(digits, length - kPlesseyCheckCount,
                                  digits + length - kPlesseyCheckCount) &&
           StoreText(code, digits);
}

// Modes with two check characters need a data digit before them.
bool BarcodeProcessorMSI::CorrectDigits(char* code, std::size_t length) const {
    const std::size_t checks = mode_ == CheckMode::kMod10 ? 1 : 2;
    if (length <= checks) {
        return false;
    }
    if (mode_ == CheckMode::kMod10Mod10) {
        code[length - 2] = Mod10Check(code, length - 2);
    } else if (mode_ == CheckMode::kMod11Mod10 &&
               !Mod11Check(code, length - 2, &code[length - 2])) {
        return false;
    }
    code[length - 1] = Mod10Check(code, length - 1);
    return true;
}

bool BarcodeProcessorMSI::IsEncodedValid(const char* encoded) const {
    char expected[kCodeCapacity + 1];
    std::size_t length = 0;
    return CopyDigits(encoded, expected, &length) && CorrectDigits(expected, length) &&
           std::strcmp(expected, encoded) == 0;
}

bool BarcodeProcessorMSI::CorrectCode(M7LString& code) const {
    char digits[kCodeCapacity + 1];
    std::size_t length = 0;
    return CopyDigits(code.CStr(), digits, &length) && CorrectDigits(digits, length) &&
           StoreText(code, digits);
}

namespace {

// User form "DDDD-DDC", encoded form the seven digits and a second check.
constexpr std::size_t kBelgPharmaLength = 8;
constexpr std::size_t kBelgPharmaHyphen = 4;
constexpr std::size_t kBelgPharmaDigits = 7;
constexpr std::size_t kBelgPharmaDataDigits = 6;

}  // namespace

bool BarcodeProcessorBelgPharma::CodeToEncoded(const char* code, char* encoded,
                                               std::size_t capacity) const {
    if (code == nullptr || capacity < kBelgPharmaLength || std::strlen(code) != kBelgPharmaLength ||
        code[kBelgPharmaHyphen] != '-') {
        return false;
    }
    std::size_t n = 0;
    for (std::size_t i = 0; i < kBelgPharmaLength; ++i) {
        if (i == kBelgPharmaHyphen) {
            continue;
        }
        if (!IsDigit(code[i])) {
            return false;
        }
        encoded[n++] = code[i];
    }
    encoded[n] = Mod10Check(encoded, n);
    encoded[n + 1] = '\0';
    return true;
}

bool BarcodeProcessorBelgPharma::EncodedToCode(const char* encoded, char* code,
                                               std::size_t capacity) const {
    std::size_t length = 0;
    if (capacity < kBelgPharmaLength || !IsDigitText(encoded, &length) ||
        length != kBelgPharmaLength) {
        return false;
    }
    std::memcpy(code, encoded, kBelgPharmaHyphen);
    code[kBelgPharmaHyphen] = '-';
    std::memcpy(code + kBelgPharmaHyphen + 1, encoded + kBelgPharmaHyphen,
                kBelgPharmaDigits - kBelgPharmaHyphen);
    code[kBelgPharmaLength] = '\0';
    return true;
}

bool BarcodeProcessorBelgPharma::IsEncodedValid(const char* encoded) const {
    return encoded != nullptr && std::strlen(encoded) == kBelgPharmaLength &&
           BarcodeProcessorMSIMod10Mod10::IsEncodedValid(encoded);
}

// Both check positions of the encoded form start as placeholders.
bool BarcodeProcessorBelgPharma::CorrectCode(M7LString& code) const {
    char encoded[kBelgPharmaLength + 1] = {};
    std::size_t digits = 0;
    for (const char* c = code.CStr(); *c != '\0'; ++c) {
        if (*c == '-') {
            continue;
        }
        if (!IsDigit(*c) || digits == kBelgPharmaDigits) {
            return false;
        }
        encoded[digits++] = *c;
    }
    if (digits < kBelgPharmaDataDigits) {
        return false;
    }
    encoded[kBelgPharmaDigits - 1] = '0';
    encoded[kBelgPharmaLength - 1] = '0';
    char corrected[kBelgPharmaLength + 1];
    return CorrectDigits(encoded, kBelgPharmaLength) &&
           EncodedToCode(encoded, corrected, kBelgPharmaLength) && StoreText(code, corrected);
}

// The family draws the bars without text; the user's form follows with its
// marks.
bool BarcodeProcessorBelgPharma::Generate() {
    const bool humanReadable = GetHumanReadable();
    SetHumanReadable(false);
    const bool drawn = BarcodeProcessorMSIMod10Mod10::Generate();
    SetHumanReadable(humanReadable);
    if (!drawn || !humanReadable) {
        return drawn;
    }
    const double y = GetTextBaselineMm();
    return EmitQuietZoneMarks(0.0, GetTotalWidth(), y, y, true, true) && EmitCharacters(GetCode());
}

}  // namespace Strivelo
