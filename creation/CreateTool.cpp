#include "CreateTool.h"

#include <array>
#include <charconv>
#include <vector>

#include "BarcodeArtScanner.h"
#include "BarcodeDialog.h"
#include "BarcodeEdgeView.h"
#include "BarcodeGenerate.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeProcessorRegistry.h"
#include "M7LErrorAlert.h"
#include "M7LPluginMain.h"
#include "M7LSuiteTable.h"
#include "MeasureTool.h"

namespace {

using Strivelo::BarcodeProcessor;

constexpr std::int32_t kToolList = 16010;
constexpr M7LToolResources kResources{kToolList, 3, 4, 16050, 3};
constexpr std::int32_t kNoOptions = 0;
constexpr std::int32_t kSelfCheckFailedStyle = 1;
constexpr int kDecimals = 4;

// A real as "%.4f" in the C locale writes it.
std::string Fixed(double value) {
    std::array<char, 64> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                       std::chars_format::fixed, kDecimals);
    return std::string(text.data(), written.ptr);
}

// Reads the new symbol back along the generator's line with a processor of
// its type; true when it gives the code it was made from. A host error of
// the reading goes to error.
bool ReadsBack(const BarcodeGenerate& generator, const BarcodeProcessor& made, host::Error* error) {
    host::RealPoint start;
    host::RealPoint end;
    if (!generator.GetMeasuringLine(&start, &end)) {
        return false;
    }
    BarcodeArtScanner scanner;
    *error = scanner.Collect(start, end);
    if (*error != host::kNoError) {
        return false;
    }
    std::vector<double> edges(Strivelo::kMaxEdgeCount);
    std::vector<double> heights(Strivelo::kMaxEdgeCount / 2);
    const std::uint32_t count =
        scanner.GetEdges(edges.data(), heights.data(), Strivelo::kMaxEdgeCount);
    std::unique_ptr<BarcodeProcessor> reader = Strivelo::CreateByType(made.GetType());
    return count > 0 && reader != nullptr && reader->DecodeEdges(edges.data(), count) &&
           std::string(reader->GetCode()) == made.GetCode();
}

// A new group on top of the current layer's art. A hidden or locked layer
// makes nothing and is not usable.
host::Error NewBarcodeGroup(host::Art* group, bool* usable) {
    host::Layer layer;
    host::Art layerGroup;
    bool visible = false;
    bool editable = false;
    if (const host::Error error = sAiLayer->GetCurrentLayer(&layer)) {
        return error;
    }
    if (const host::Error error = sAiArt->GetFirstArtOfLayer(layer, &layerGroup)) {
        return error;
    }
    if (const host::Error error = sAiLayer->GetLayerVisible(layer, &visible)) {
        return error;
    }
    if (const host::Error error = sAiLayer->GetLayerEditable(layer, &editable)) {
        return error;
    }
    *usable = visible && editable;
    if (!*usable) {
        return host::kNoError;
    }
    return sAiArt->NewArt(host::ArtType::kGroup, host::PaintOrder::kInsideOnTop, layerGroup, group);
}

}  // namespace

CreateTool::CreateTool(const host::MessageHeader& message)
    : M7LAIWrapperTool(message, kName, kResources, kNoOptions, {MeasureTool::kName, false}) {}

std::string CreateTool::FormatParameters(const BarcodeProcessor& processor) {
    std::string text = "(4.0) type = ";
    text += processor.GetNameOrDashes();
    text += ", code = ";
    text += processor.GetCode();
    text += ", bwr = " + Fixed(processor.GetBarWidthReduction());
    text += ", mag = " + Fixed(processor.GetMagnification());
    text += ", shm = " + std::to_string(processor.GetScaleHeightWithWidth() ? 1 : 0);
    if (processor.GetBarHeight() != 0.0) {
        text += ", hgt = " + Fixed(processor.GetBarHeight());
    }
    using Strivelo::BarcodeProcessorMixIn_BearerBarsOption;
    using Strivelo::BarcodeProcessorMixIn_WideNarrowOption;
    const auto* ratio = dynamic_cast<const BarcodeProcessorMixIn_WideNarrowOption*>(&processor);
    if (ratio != nullptr && processor.HasOption(Strivelo::kBarcodeOptionWideNarrowRatio)) {
        text += ", wnr = " + Fixed(ratio->GetWideNarrowRatio());
    }
    const auto* bearer = dynamic_cast<const BarcodeProcessorMixIn_BearerBarsOption*>(&processor);
    if (bearer != nullptr && processor.HasOption(Strivelo::kBarcodeOptionBearerBars)) {
        text += ", bbar = " + std::to_string(bearer->GetBearerBars() ? 1 : 0);
    }
    if (bearer != nullptr && processor.HasOption(Strivelo::kBarcodeOptionBearerBarEndBars)) {
        text += ", bbarend = " + Fixed(bearer->GetBearerBarEndBars() ? 1.0 : 0.0);
    }
    return text;
}

host::Error CreateTool::EditOptions(host::ToolMessage*) {
    return host::kNoError;
}

host::Error CreateTool::TrackCursor(host::ToolMessage* message) {
    SetToolCursor(message->header.plugin, kCursorId);
    return host::kNoError;
}

host::Error CreateTool::MouseDown(host::ToolMessage* message) {
    down_ = message->cursor;
    return host::kNoError;
}

host::Error CreateTool::MouseDrag(host::ToolMessage*) {
    return host::kNoError;
}

host::Error CreateTool::MouseUp(host::ToolMessage* message) {
    BarcodeProcessor* processor =
        gBarcodeDialog != nullptr ? gBarcodeDialog->GetProcessorForCreate() : nullptr;
    host::Art group;
    bool layerUsable = true;
    host::Error result = host::kNoError;
    if (processor != nullptr) {
        result = NewBarcodeGroup(&group, &layerUsable);
    }
    if (processor == nullptr || !layerUsable) {
        Beep();
        return host::kNoError;
    }
    if (result == host::kNoError) {
        const std::string parameters = FormatParameters(*processor);
        BarcodeGenerate generator(down_.h, down_.v, group, parameters.c_str());
        generator.SetNoEraseBox(!gBarcodeDialog->GetAddEraseBox());
        generator.SetCreateOutlines(gBarcodeDialog->GetCreateTextOutlines());
        processor->GenerateInto(&generator);
        if (gBarcodeDialog->GetDoSelfCheckOnCreate() &&
            !ReadsBack(generator, *processor, &result)) {
            sAdmDialog->Modal(message->header.plugin, kSelfCheckFailedDialogName,
                              kSelfCheckFailedDialogId, kSelfCheckFailedStyle, nullptr, nullptr,
                              kNoOptions);
        }
    }
    gBarcodeDialog->ShowCode();
    return result;
}

host::Error CreateTool::Select(host::ToolMessage*) {
    return MeasureTool::ShowBarcodePalette();
}

host::Error CreateTool::Deselect(host::ToolMessage*) {
    return host::kNoError;
}
