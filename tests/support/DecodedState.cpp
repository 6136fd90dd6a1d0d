#include "DecodedState.h"

#include "BarcodeProcessorMixIn_WideNarrowOption.h"

namespace StriveloTest {

DecodedState DecodedState::Of(const Strivelo::BarcodeProcessor& processor) {
    DecodedState state;
    state.code = processor.GetCode();
    state.magnification = processor.GetMagnification();
    state.reductionMm = processor.GetBarWidthReduction();
    state.meanDeviationMm = processor.GetMeanDeviation();
    state.totalWidthMm = processor.GetTotalWidth();
    if (const auto* option =
            dynamic_cast<const Strivelo::BarcodeProcessorMixIn_WideNarrowOption*>(&processor)) {
        state.ratio = option->GetWideNarrowRatio();
    }
    state.measured = MeasuredEdges(processor);
    state.ideal = IdealEdges(processor);
    state.heightBarEdge = processor.GetHeightBarEdge();
    processor.GetSymbolEdgeRange(&state.firstSymbolEdge, &state.lastSymbolEdge);
    state.reversed = processor.IsReadReversed();
    return state;
}

void PrintTo(const DecodedState& state, std::ostream* os) {
    *os << "code " << state.code << ", " << state.measured.size() << " edges, reduction "
        << state.reductionMm << ", magnification " << state.magnification << ", ratio "
        << state.ratio << (state.reversed ? ", reversed" : "") << ", symbol edges "
        << state.firstSymbolEdge << "-" << state.lastSymbolEdge;
}

namespace {

std::vector<double> EdgeVector(const double* edges, std::uint32_t count) {
    return edges == nullptr ? std::vector<double>() : std::vector<double>(edges, edges + count);
}

}  // namespace

std::vector<double> MeasuredEdges(const Strivelo::BarcodeProcessor& processor) {
    std::uint32_t count = 0;
    const double* const edges = processor.GetMeasuredEdges(&count);
    return EdgeVector(edges, count);
}

std::vector<double> IdealEdges(const Strivelo::BarcodeProcessor& processor) {
    std::uint32_t count = 0;
    const double* const edges = processor.GetIdealEdges(&count);
    return EdgeVector(edges, count);
}

}  // namespace StriveloTest
