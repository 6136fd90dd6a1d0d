#include "MeasureTool.h"

#include <cmath>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "BarcodeArtScanner.h"
#include "BarcodeDialog.h"
#include "BarcodeEdgeView.h"
#include "BarcodeProcessorIdentification.h"
#include "M7LBridges.h"
#include "M7LErrorAlert.h"
#include "M7LSuiteTable.h"

namespace {

constexpr std::int32_t kToolList = 16010;
// Images 1 and 2 of the tools' icon.
constexpr M7LToolResources kResources{kToolList, 1, 2, 16050, 1};
constexpr std::int32_t kNoOptions = 0;

constexpr float kLineWidthPoints = 1.0f;
constexpr float kBlack = 1.0f;

host::PathSegment Corner(host::RealPoint point) {
    return {point, point, point, true};
}

}  // namespace

MeasureTool::MeasureTool(const host::MessageHeader& message)
    : M7LAIWrapperTool(message, kName, kResources, kNoOptions, {}) {}

host::Error MeasureTool::EditOptions(host::ToolMessage*) {
    return host::kNoError;
}

host::Error MeasureTool::TrackCursor(host::ToolMessage* message) {
    SetToolCursor(message->header.plugin, kCursorId);
    return host::kNoError;
}

host::Error MeasureTool::MouseDown(host::ToolMessage* message) {
    start_ = end_ = message->cursor;
    DrawFeedbackLine();
    return host::kNoError;
}

host::Error MeasureTool::MouseDrag(host::ToolMessage* message) {
    if (const host::Error error = sAiUndo->UndoChanges()) {
        return error;
    }
    end_ = message->cursor;
    return DrawFeedbackLine();
}

host::Error MeasureTool::MouseUp(host::ToolMessage* message) {
    if (const host::Error error = sAiUndo->UndoChanges()) {
        return error;
    }
    if (start_ == end_) {
        return host::kNoError;
    }
    return ReadAlong(start_, end_, message, false);
}

host::Error MeasureTool::ReadAlong(host::RealPoint from, host::RealPoint to,
                                   const host::ToolMessage* event, bool showPalette) {
    BarcodeArtScanner scanner;
    if (const host::Error error = scanner.Collect(from, to)) {
        return error;
    }
    std::vector<double> edges(Strivelo::kMaxEdgeCount);
    std::vector<double> heights(Strivelo::kMaxEdgeCount / 2);
    const std::uint32_t count =
        scanner.GetEdges(edges.data(), heights.data(), Strivelo::kMaxEdgeCount);
    bool ambiguous = false;
    std::unique_ptr<Strivelo::BarcodeProcessor> processor =
        count > 0 ? Strivelo::IdentifyFromEdges(edges.data(), count, &ambiguous) : nullptr;
    if (processor == nullptr) {
        if (gBarcodeDialog != nullptr) {
            gBarcodeDialog->ClearCode();
        }
        Beep();
        return host::kNoError;
    }
    if (event != nullptr) {
        DeselectAllArtUnlessShift(event);
    } else {
        DeselectAllArt();
    }
    if (const std::int32_t heightBar = processor->GetHeightBarEdge(); heightBar >= 0) {
        processor->SetBarHeight(heights[static_cast<std::size_t>(heightBar) / 2]);
    }
    // Without the palette the reading only selects the bars.
    if (gBarcodeDialog != nullptr) {
        gBarcodeDialog->SetProcessor(std::move(processor), ambiguous, true);
        if (showPalette) {
            gBarcodeDialog->Show(true);
        }
    }
    scanner.SelectBars();
    return host::kNoError;
}

host::Error MeasureTool::Select(host::ToolMessage*) {
    return ShowBarcodePalette();
}

host::Error MeasureTool::Deselect(host::ToolMessage*) {
    return host::kNoError;
}

host::Error MeasureTool::ShowBarcodePalette() {
    if (gBarcodeDialog != nullptr) {
        gBarcodeDialog->Show(true);
    }
    return host::kNoError;
}

host::Error MeasureTool::DrawFeedbackLine() {
    host::Layer layer;
    host::Art layerGroup;
    host::Art path;
    if (const host::Error error = sAiLayer->GetCurrentLayer(&layer)) {
        return error;
    }
    if (const host::Error error = sAiLayer->SetLayerVisible(layer, true)) {
        return error;
    }
    if (const host::Error error = sAiLayer->SetLayerEditable(layer, true)) {
        return error;
    }
    if (const host::Error error = sAiArt->GetFirstArtOfLayer(layer, &layerGroup)) {
        return error;
    }
    if (const host::Error error = sAiArt->NewArt(
            host::ArtType::kPath, host::PaintOrder::kInsideOnTop, layerGroup, &path)) {
        return error;
    }
    // Along the axis the drag went further; upright on a tie.
    if (std::fabs(end_.h - start_.h) > std::fabs(end_.v - start_.v)) {
        end_.v = start_.v;
    } else {
        end_.h = start_.h;
    }
    const host::PathSegment segments[] = {Corner(start_), Corner(end_)};
    if (const host::Error error = sAiPath->SetPathSegmentCount(path, 2)) {
        return error;
    }
    if (const host::Error error = sAiPath->SetPathSegments(path, 0, 2, segments)) {
        return error;
    }
    if (const host::Error error = sAiPath->SetPathClosed(path, true)) {
        return error;
    }
    host::PathStyle style;
    if (const host::Error error = sAiPathStyle->GetCurrentPathStyle(&style)) {
        return error;
    }
    style.fillPaint = false;
    style.strokePaint = true;
    style.fill.color = {host::ColorKind::kGray, kBlack, {}, {}, {}};
    style.stroke.color = style.fill.color;
    style.stroke.width = kLineWidthPoints;
    return sAiPathStyle->SetPathStyle(path, &style);
}
