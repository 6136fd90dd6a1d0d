#include "BarcodeProcessor.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <span>
#include <utility>

#include "BarcodeIdentificationPass.h"
#include "BarcodeProcessorDataGenerator.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeText.h"
#include "M7LFailure.h"

namespace Strivelo {

namespace {

constexpr const char* kNoCodeName = "--------";

// A reading claims that the bars carry its code: no edge may lie farther
// from where that code puts it than half the narrowest element, nor an
// element of a wide/narrow symbology farther from its class's width than
// half a module, or the bars could as well be another code's.
constexpr double kToleranceShare = 0.5;

bool IsEdgeIndexOrNone(std::int32_t index, std::uint32_t count) {
    return index == -1 || (index >= 0 && static_cast<std::uint32_t>(index) < count);
}

bool IsPositiveFinite(double value) {
    return std::isfinite(value) && value > 0.0;
}

bool IsGap(std::uint32_t element, std::uint32_t gapPeriod) {
    return gapPeriod != 0 && element % gapPeriod == 0;
}

// Where sorted widths part best into a narrow and a wide class: the split
// with the largest n1 x n2 x (mean2 - mean1)^2, which is the least sum of
// squares within the classes; the threshold lies halfway across the gap, so
// the classes it makes are that split's. One width, or all equal, make one
// class.
double SplitNarrowWide(std::span<double> widths) {
    if (widths.empty()) {
        return 0.0;
    }
    std::sort(widths.begin(), widths.end());
    double total = 0.0;
    for (const double width : widths) {
        total += width;
    }
    const std::size_t n = widths.size();
    double threshold = widths.back();
    double best = 0.0;
    double below = 0.0;
    for (std::size_t k = 1; k < n; ++k) {
        below += widths[k - 1];
        // Only a step between two different widths can part them.
        if (!(widths[k] > widths[k - 1])) {
            continue;
        }
        const auto narrow = static_cast<double>(k);
        const auto wide = static_cast<double>(n - k);
        const double difference = (total - below) / wide - below / narrow;
        const double separation = narrow * wide * difference * difference;
        if (separation > best) {
            best = separation;
            threshold = (widths[k - 1] + widths[k]) / 2.0;
        }
    }
    return threshold;
}

// Element j runs from edge j - 1 to edge j; odd elements are bars. A caller's
// list may hold values that are not finite, which no order can sort; they
// take no part, and the list fails when it is copied. So does a list longer
// than kMaxEdgeCount, which gets no thresholds: the widths of the longest
// list a decoding takes fit on the stack, and judging a foreign list costs
// no allocation.
template <typename Edges>
BarcodeProcessor::WideNarrowThresholds FindThresholds(const Edges& edges, std::uint32_t count,
                                                      std::uint32_t gapPeriod) {
    constexpr std::size_t kMaxWidthsOfAKind = kMaxEdgeCount / 2;
    if (count > kMaxEdgeCount) {
        return {};
    }
    std::array<double, kMaxWidthsOfAKind> widths[2];
    std::size_t sizes[2] = {};
    for (std::uint32_t j = 1; j < count; ++j) {
        const double width = edges[j] - edges[j - 1];
        if (!IsGap(j, gapPeriod) && std::isfinite(width)) {
            widths[j % 2][sizes[j % 2]++] = width;
        }
    }
    return {.barMm = SplitNarrowWide(std::span(widths[1].data(), sizes[1])),
            .spaceMm = SplitNarrowWide(std::span(widths[0].data(), sizes[0]))};
}

// Within an identification pass every wide/narrow family asks for the
// thresholds of the same list, in each direction and with its gap period;
// the last few found are kept by those.
struct KeptThresholds {
    std::uint64_t pass = 0;
    const double* edges = nullptr;
    std::uint32_t count = 0;
    bool reversed = false;
    std::uint32_t gapPeriod = 0;
    BarcodeProcessor::WideNarrowThresholds thresholds;
};
constexpr std::size_t kKeptThresholdsCount = 4;

BarcodeProcessor::WideNarrowThresholds ThresholdsOf(const BarcodeEdgeView& edges,
                                                    std::uint32_t gapPeriod) {
    const std::uint64_t pass = BarcodeIdentificationPass::GetCurrent();
    if (pass == 0) {
        return FindThresholds(edges, edges.GetCount(), gapPeriod);
    }
    thread_local std::array<KeptThresholds, kKeptThresholdsCount> kept;
    thread_local std::size_t nextKept = 0;
    for (const KeptThresholds& entry : kept) {
        if (entry.pass == pass && entry.edges == edges.GetCallerEdges() &&
            entry.count == edges.GetCount() && entry.reversed == edges.IsReadReversed() &&
            entry.gapPeriod == gapPeriod) {
            return entry.thresholds;
        }
    }
    KeptThresholds& entry = kept[nextKept];
    nextKept = (nextKept + 1) % kKeptThresholdsCount;
    entry = {.pass = pass,
             .edges = edges.GetCallerEdges(),
             .count = edges.GetCount(),
             .reversed = edges.IsReadReversed(),
             .gapPeriod = gapPeriod,
             .thresholds = FindThresholds(edges, edges.GetCount(), gapPeriod)};
    return entry.thresholds;
}

}  // namespace

BarcodeProcessor::~BarcodeProcessor() = default;

std::int32_t BarcodeProcessor::GetType() const {
    return kBarcodeTypeNull;
}

bool BarcodeProcessor::EncodedToCode(const char* encoded, char* code, std::size_t capacity) const {
    return CopyIfFits(encoded, code, capacity);
}

bool BarcodeProcessor::CodeToEncoded(const char* code, char* encoded, std::size_t capacity) const {
    return CopyIfFits(code, encoded, capacity);
}

bool BarcodeProcessor::BeginDecode(const double* /*edges*/, std::uint32_t /*count*/) {
    return true;
}

bool BarcodeProcessor::EndDecode() {
    return true;
}

bool BarcodeProcessor::IsEncodedValid(const char* /*encoded*/) const {
    return true;
}

bool BarcodeProcessor::IsCodeValid(const char* code) const {
    char encoded[kCodeCapacity + 1];
    return CodeToEncoded(code, encoded, kCodeCapacity) && IsEncodedValid(encoded);
}

bool BarcodeProcessor::CorrectCode(M7LString& /*code*/) const {
    return true;
}

bool BarcodeProcessor::IsBarWidthReductionValid() const {
    return true;
}

bool BarcodeProcessor::IsMagnificationValid() const {
    return true;
}

bool BarcodeProcessor::IsBarHeightValid() const {
    return true;
}

bool BarcodeProcessor::FitToResolution(double /*deviceUnitsPerMm*/) {
    return true;
}

bool BarcodeProcessor::IsWideNarrowRatioValid() const {
    return true;
}

bool BarcodeProcessor::HasOption(std::int32_t /*optionCode*/) const {
    return false;
}

// Both texts are copied before either is replaced, so code may be this
// processor's own GetCode().
bool BarcodeProcessor::SetCode(const char* code) {
    char encoded[kCodeCapacity + 1];
    if (code == nullptr || !IsCodeValid(code) || !CodeToEncoded(code, encoded, kCodeCapacity) ||
        !IsEncodedValid(encoded)) {
        return false;
    }
    M7LString newEncoded(encoded);
    M7LString newUser(code);
    if (newEncoded.GetSize() == 0 || newUser.GetSize() == 0) {
        return false;
    }
    encodedCode_ = std::move(newEncoded);
    userCode_ = std::move(newUser);
    codeSet_ = true;
    return true;
}

bool BarcodeProcessor::SetEncodedCode(const char* encoded) {
    char code[kCodeCapacity + 1];
    char reencoded[kCodeCapacity + 1];
    if (encoded == nullptr || !EncodedToCode(encoded, code, kCodeCapacity) ||
        !CodeToEncoded(code, reencoded, kCodeCapacity) || std::strcmp(reencoded, encoded) != 0) {
        return false;
    }
    return SetCode(code);
}

const char* BarcodeProcessor::GetCode() const {
    return codeSet_ ? userCode_.CStr() : "";
}

const char* BarcodeProcessor::GetNameOrDashes() const {
    return codeSet_ ? GetName() : kNoCodeName;
}

bool BarcodeProcessor::IsBarHeightAcceptable() const {
    return barHeightMm_ == 0.0 || IsBarHeightValid();
}

bool BarcodeProcessor::ValidateParameters() const {
    return IsBarWidthReductionValid() && IsMagnificationValid() && IsBarHeightAcceptable() &&
           IsWideNarrowRatioValid();
}

double BarcodeProcessor::GetWidth() {
    return IsCodeValid(userCode_.CStr()) ? ComputeWidth() : 0.0;
}

bool BarcodeProcessor::GenerateInto(BarcodeProcessorDataGenerator* generator) {
    if (generator == nullptr || !IsCodeValid(userCode_.CStr())) {
        return false;
    }
    generator_ = generator;
    return Generate();
}

bool BarcodeProcessor::SetMeasuredEdges(const double* edges, std::uint32_t count, bool reversed) {
    if (!edges_.Assign(BarcodeEdgeView(edges, count, reversed))) {
        return false;
    }
    heightBarEdge_ = -1;
    firstSymbolEdge_ = -1;
    lastSymbolEdge_ = -1;
    return BeginDecodeFor(edges_);
}

bool BarcodeProcessor::DecodeEdges(const double* edges, std::uint32_t count) {
    return Decode(edges, count, false) || Decode(edges, count, true);
}

bool BarcodeProcessor::DecodeEdges(const double* edges, std::uint32_t count,
                                   double* meanDeviation) {
    if (!DecodeEdges(edges, count)) {
        return false;
    }
    *meanDeviation = committedMeanDeviationMm_;
    return true;
}

const double* BarcodeProcessor::GetMeasuredEdges(std::uint32_t* count) const {
    *count = edges_.GetCount();
    return edges_.GetMeasured();
}

const double* BarcodeProcessor::GetIdealEdges(std::uint32_t* count) const {
    *count = edges_.GetCount();
    return edges_.GetIdeal();
}

double BarcodeProcessor::ComputeDeviation(double* maximum) const {
    double largest = 0.0;
    const double mean = codeSet_ ? edges_.ComputeDeviation(barWidthReductionMm_, &largest) : 0.0;
    if (maximum != nullptr) {
        *maximum = largest;
    }
    return mean;
}

double BarcodeProcessor::GetMeanDeviation() const {
    return ComputeDeviation(nullptr);
}

double BarcodeProcessor::GetMaxDeviation() const {
    double maximum = 0.0;
    ComputeDeviation(&maximum);
    return maximum;
}

double BarcodeProcessor::MeasureBarWidthReduction(std::uint32_t firstEdge,
                                                  std::uint32_t edgeCount) const {
    return codeSet_ ? edges_.MeasureBarWidthReduction(firstEdge, edgeCount) : 0.0;
}

std::int32_t BarcodeProcessor::GetHeightBarEdge() const {
    if (heightBarEdge_ < 0) {
        return -1;
    }
    return static_cast<std::int32_t>(
        edges_.ToCallerIndex(static_cast<std::uint32_t>(heightBarEdge_)));
}

bool BarcodeProcessor::GetSymbolEdgeRange(std::int32_t* first, std::int32_t* last) const {
    if (firstSymbolEdge_ < 0 || lastSymbolEdge_ < 0) {
        return false;
    }
    *first = static_cast<std::int32_t>(
        edges_.ToCallerIndex(static_cast<std::uint32_t>(firstSymbolEdge_)));
    *last = static_cast<std::int32_t>(
        edges_.ToCallerIndex(static_cast<std::uint32_t>(lastSymbolEdge_)));
    return true;
}

std::uint32_t BarcodeProcessor::GetOrientation() const {
    if (firstSymbolEdge_ < 0 || lastSymbolEdge_ < 0) {
        return kOrientationUnknown;
    }
    return orientationClass_;
}

std::uint32_t BarcodeProcessor::ClassifyOrientation(const BarBounds& firstBar,
                                                    const BarBounds& lastBar) {
    if (firstBar.top == lastBar.top && firstBar.bottom == lastBar.bottom) {
        orientationClass_ = firstBar.left < lastBar.left ? kOrientationSideBySideAscending
                                                         : kOrientationSideBySideDescending;
    } else if (firstBar.left == lastBar.left && firstBar.right == lastBar.right) {
        orientationClass_ = firstBar.bottom < lastBar.bottom ? kOrientationStackedAscending
                                                             : kOrientationStackedDescending;
    } else {
        orientationClass_ = kOrientationOther;
    }
    return orientationClass_;
}

bool BarcodeProcessor::PrepareDecoding(const BarcodeEdgeView& edges) {
    decodingSource_ = BarcodeEdgeView(nullptr, 0, false);
    if (!decoding_.Assign(edges)) {
        return false;
    }
    decodingSource_ = edges;
    return BeginDecodeFor(decoding_);
}

bool BarcodeProcessor::PrepareDecoding(const BarcodeEdgeList& decoded) {
    decodingSource_ = BarcodeEdgeView(nullptr, 0, false);
    return decoding_.CopyFrom(decoded) && BeginDecodeFor(decoding_);
}

// Only SetEncodedCode can refuse once the measures are known to be finite, and
// it changes nothing when it does; everything else is stored after it.
bool BarcodeProcessor::CommitDecoding(const DecodeResult& result) {
    return CommitDecoding(result, nullptr);
}

bool BarcodeProcessor::CommitDecoding(const DecodeResult& result, DecodingMeasures* shared) {
    const std::uint32_t count = decoding_.GetCount();
    if (count == 0 || result.encodedCode == nullptr ||
        std::uint64_t{result.reductionFirstEdge} + result.reductionEdgeCount > count ||
        !IsEdgeIndexOrNone(result.heightBarEdge, count) ||
        !IsEdgeIndexOrNone(result.firstSymbolEdge, count) ||
        !IsEdgeIndexOrNone(result.lastSymbolEdge, count)) {
        ReportCantHappen(0, "decode result outside the decoding edges", __FILE__, __LINE__);
        return false;
    }
    double scale = 1.0;
    double reduction = 0.0;
    double maximum = 0.0;
    double mean = 0.0;
    if (shared != nullptr && shared->known && decoding_.CopyFrom(shared->fitted)) {
        scale = shared->scale;
        reduction = shared->reductionMm;
        maximum = shared->maximumMm;
        mean = shared->meanMm;
    } else {
        if (result.fitIdealEdges) {
            decoding_.FitIdealEdges(result.reductionFirstEdge, result.reductionEdgeCount, &scale);
        }
        reduction = decoding_.MeasureBarWidthReduction(result.reductionFirstEdge,
                                                       result.reductionEdgeCount);
        mean = decoding_.ComputeDeviation(reduction, &maximum);
        if (shared != nullptr && !shared->known && shared->fitted.CopyFrom(decoding_)) {
            shared->known = true;
            shared->scale = scale;
            shared->reductionMm = reduction;
            shared->maximumMm = maximum;
            shared->meanMm = mean;
        }
    }
    if (!std::isfinite(reduction) || !std::isfinite(mean) || !std::isfinite(maximum) ||
        !IsPositiveFinite(result.magnification * scale) ||
        !IsPositiveFinite(result.moduleWidthMm * scale) || !std::isfinite(result.wideNarrowRatio) ||
        !(maximum <=
          kToleranceShare * result.narrowestElementModules * result.moduleWidthMm * scale)) {
        return false;
    }
    if (!SetEncodedCode(result.encodedCode)) {
        return false;
    }
    barWidthReductionMm_ = reduction;
    committedMeanDeviationMm_ = mean;
    magnification_ = result.magnification * scale;
    moduleWidthMm_ = result.moduleWidthMm * scale;
    std::swap(edges_, decoding_);
    decodingSource_ = BarcodeEdgeView(nullptr, 0, false);
    heightBarEdge_ = result.heightBarEdge;
    firstSymbolEdge_ = result.firstSymbolEdge;
    lastSymbolEdge_ = result.lastSymbolEdge;
    if (result.wideNarrowRatio != 0.0) {
        if (auto* option = result.wideNarrowOption != nullptr
                               ? result.wideNarrowOption
                               : dynamic_cast<BarcodeProcessorMixIn_WideNarrowOption*>(this)) {
            option->wideNarrowRatio_ = result.wideNarrowRatio;
        }
    }
    return true;
}

BarcodeProcessor::DecodeResult BarcodeProcessor::WholeSymbolResult(const char* encodedCode,
                                                                   double moduleWidthMm,
                                                                   double nominalModuleMm,
                                                                   double wideNarrowRatio) {
    const std::uint32_t count = decoding_.GetCount();
    DecodeResult result;
    result.encodedCode = encodedCode;
    result.magnification = moduleWidthMm / nominalModuleMm;
    result.moduleWidthMm = moduleWidthMm;
    result.reductionEdgeCount = count;
    result.fitIdealEdges = true;
    result.heightBarEdge = 0;
    result.firstSymbolEdge = 0;
    result.lastSymbolEdge = static_cast<std::int32_t>(count) - 1;
    result.wideNarrowRatio = wideNarrowRatio;
    return result;
}

BarcodeProcessor::WideNarrowThresholds BarcodeProcessor::FindWideNarrowThresholds(
    const BarcodeEdgeView& edges, std::uint32_t gapPeriod) {
    return edges.GetCount() < 2 ? WideNarrowThresholds{} : ThresholdsOf(edges, gapPeriod);
}

// Groups are indexed [wide][bar]; an empty group borrows the other kind's mean
// of the same width. The thresholds are those FindWideNarrowThresholds gives
// for the same edges.
bool BarcodeProcessor::ClassifyWideNarrow(std::uint32_t gapPeriod, char* letters) {
    const std::uint32_t count = decoding_.GetCount();
    if (count < 2) {
        return false;
    }
    const double* const measured = decoding_.GetMeasured();
    // The decoding edges are the source's values, so its thresholds are
    // theirs.
    const WideNarrowThresholds thresholds = decodingSource_.GetCount() == count
                                                ? ThresholdsOf(decodingSource_, gapPeriod)
                                                : FindThresholds(measured, count, gapPeriod);
    WidthMean groups[2][2];
    for (std::uint32_t j = 1; j < count; ++j) {
        if (!IsGap(j, gapPeriod)) {
            const double width = measured[j] - measured[j - 1];
            groups[thresholds.IsWide(j, width)][j % 2].Add(width);
        }
    }
    double means[2][2];
    for (int wide = 0; wide < 2; ++wide) {
        WidthMean& spaces = groups[wide][0];
        WidthMean& bars = groups[wide][1];
        if (spaces.count == 0 && bars.count == 0) {
            return false;
        }
        if (spaces.count == 0) {
            spaces = bars;
        } else if (bars.count == 0) {
            bars = spaces;
        }
        for (int bar = 0; bar < 2; ++bar) {
            means[wide][bar] = groups[wide][bar].Get();
            if (means[wide][bar] < 0.0) {
                return false;
            }
        }
    }
    const double module = (means[0][0] + means[0][1]) / 2.0;
    if (!(module > 0.0)) {
        return false;
    }
    for (std::uint32_t j = 1; j < count; ++j) {
        if (IsGap(j, gapPeriod)) {
            letters[j - 1] = 'I';
            continue;
        }
        const double width = measured[j] - measured[j - 1];
        const bool wide = thresholds.IsWide(j, width);
        if (!(std::fabs(width - means[wide][j % 2]) <= kToleranceShare * module)) {
            return false;
        }
        letters[j - 1] = wide ? 'W' : 'N';
    }
    return true;
}

bool BarcodeProcessor::EmitBar(double left, double right, double bottom, double top) {
    if (generator_ == nullptr) {
        return false;
    }
    const double half = barWidthReductionMm_ / 2.0;
    return generator_->AddBar(left + half + originXMm_, right - half + originXMm_,
                              bottom + originYMm_, top + originYMm_);
}

bool BarcodeProcessor::EmitFrame(double left, double right, double bottom, double top,
                                 double strokeWidth) {
    if (generator_ == nullptr) {
        return false;
    }
    return generator_->AddFrame(left + originXMm_, right + originXMm_, bottom + originYMm_,
                                top + originYMm_, strokeWidth);
}

bool BarcodeProcessor::EmitQuietZoneMarks(double left, double right, double bottom, double top,
                                          bool leftMark, bool rightMark) {
    if (!quietZoneMarks_) {
        return true;
    }
    if (generator_ == nullptr) {
        return false;
    }
    return generator_->AddQuietZoneMarks(left + originXMm_, right + originXMm_, bottom + originYMm_,
                                         top + originYMm_, magnification_, leftMark, rightMark);
}

bool BarcodeProcessor::EmitText(double x, double y, double size, char character) {
    if (generator_ == nullptr) {
        return false;
    }
    return generator_->AddText(x + originXMm_, y + originYMm_, size, character);
}

bool BarcodeProcessor::EmitTextLine(const char* text, std::size_t count, const TextLine& line) {
    if (count == 0) {
        return true;
    }
    const double width = GetTotalWidth();
    const double n = static_cast<double>(count);
    const double pitch = line.centred ? line.centredPitchMm : (width - 2.0 * line.quietZoneMm) / n;
    const double first =
        line.centred ? (width - n * pitch + pitch) / 2.0 : line.quietZoneMm + pitch / 2.0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!EmitText(first + static_cast<double>(i) * pitch, line.baselineMm, line.sizeMm,
                      text[i])) {
            return false;
        }
    }
    return true;
}

bool BarcodeProcessor::EmitFont(const char* name, bool sizeIsCharacterHeight) {
    if (generator_ == nullptr) {
        return false;
    }
    return generator_->SetFont(name, sizeIsCharacterHeight);
}

bool BarcodeProcessor::BeginDecodeFor(const BarcodeEdgeList& edges) {
    const std::uint32_t count = edges.GetCount();
    if (count != begunEdgeCount_) {
        EndDecode();
        begunEdgeCount_ = 0;
    }
    if (!BeginDecode(edges.GetMeasured(), count)) {
        return false;
    }
    begunEdgeCount_ = count;
    return true;
}

}  // namespace Strivelo
