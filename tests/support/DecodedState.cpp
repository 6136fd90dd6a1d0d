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
    std::uint32_t count = 0;
    const double* const measured = processor.GetMeasuredEdges(&count);
    if (count != 0) {
        state.measured.assign(measured, measured + count);
        const double* const ideal = processor.GetIdealEdges(&count);
        state.ideal.assign(ideal, ideal + count);
    }
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

}  // namespace StriveloTest
