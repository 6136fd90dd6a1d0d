#include "CheckFakes.h"

#include <iterator>

#include "BarcodeEdgeView.h"

namespace CheckTest {

namespace {

constexpr double kFakeEdgesMm[] = {0.0, 1.0, 2.0, 4.0};
constexpr double kFakeModuleMm = 1.0;

}  // namespace

FakeCheckProcessor::FakeCheckProcessor(const FakeBarcode& barcode) : barcode_(barcode) {
    DecodeEdges(kFakeEdgesMm, static_cast<std::uint32_t>(std::size(kFakeEdgesMm)));
    SetBarWidthReduction(barcode_.barWidthReductionMm);
    SetMagnification(barcode_.magnification);
    SetBarHeight(barcode_.barHeightMm);
    SetWideNarrowRatio(barcode_.wideNarrowRatio);
}

bool FakeCheckProcessor::HasOption(std::int32_t optionCode) const {
    return barcode_.wideNarrow && optionCode == Strivelo::kBarcodeOptionWideNarrowRatio;
}

// Every bar end lies its bar width reduction inside its ideal place, but the
// first, which lies maxDeviationMm further in.
bool FakeCheckProcessor::Decode(const double* edges, std::uint32_t count, bool reversed) {
    if (!PrepareDecoding(Strivelo::BarcodeEdgeView(edges, count, reversed))) {
        return false;
    }
    Strivelo::BarcodeEdgeList& list = GetDecodingEdges();
    const double* const measured = list.GetMeasured();
    double* const ideal = list.GetIdeal();
    for (std::uint32_t i = 0; i < count; ++i) {
        ideal[i] = measured[i] + (i % 2 == 1 ? barcode_.barWidthReductionMm : 0.0);
    }
    ideal[1] += barcode_.maxDeviationMm;
    DecodeResult result;
    result.encodedCode = barcode_.code.c_str();
    result.magnification = barcode_.magnification;
    result.moduleWidthMm = kFakeModuleMm;
    result.reductionEdgeCount = count;
    return CommitDecoding(result);
}

RecordingDeltaBarDriver::RecordingDeltaBarDriver(const Strivelo::BarcodeProcessor& processor)
    : BarcodeDeltaBarDriver(processor), initialReductionMm_(processor.GetBarWidthReduction()) {}

double RecordingDeltaBarDriver::ImpliedTarget() const {
    return moves_.empty() ? -1.0 : 2.0 * moves_.front().leftDeltaMm + initialReductionMm_;
}

bool RecordingDeltaBarDriver::ApplyBarDelta(std::uint32_t barEdgeIndex, double leftDeltaMm,
                                            double rightDeltaMm) {
    moves_.push_back({barEdgeIndex, leftDeltaMm, rightDeltaMm});
    return !refuse_;
}

std::int32_t RecordingChangeColorDriver::ChangeColor() {
    calls_.push_back("ChangeColor");
    return error_;
}

void RecordingChangeColorDriver::SetColorAction(std::int32_t action) {
    calls_.push_back("SetColorAction(" + std::to_string(action) + ")");
}

}  // namespace CheckTest
