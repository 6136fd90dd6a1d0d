#pragma once

#include <string>

#include "BarcodeProcessor.h"
#include "M7LAIWrappers.h"
#include "host/HostGeometry.h"
#include "host/HostMessages.h"

// The tool with which the user places a barcode: a click makes the barcode
// palette's current symbol at the point as tagged art in the current layer,
// and reads it back when the self-check is on. It joins the measure tool's
// group.
class CreateTool : public M7LAIWrapperTool {
public:
    static constexpr const char* kName = "Mor7Lant Barcode Create Tool";
    static constexpr std::int32_t kCursorId = 16002;
    static constexpr std::int32_t kSelfCheckFailedDialogId = 16100;
    static constexpr const char* kSelfCheckFailedDialogName = "Mor7Lant_SelfCheckFailed";

    explicit CreateTool(const host::MessageHeader& message);

    // The symbol's parameters, as the tag on its frame keeps them.
    static std::string FormatParameters(const Strivelo::BarcodeProcessor& processor);

    host::Error EditOptions(host::ToolMessage* message) override;
    host::Error TrackCursor(host::ToolMessage* message) override;
    host::Error MouseDown(host::ToolMessage* message) override;
    host::Error MouseDrag(host::ToolMessage* message) override;
    // The create action: a beep and nothing made without a symbol the
    // palette hands out or on a hidden or locked layer; otherwise the first
    // host error, after the palette shows the symbol's code again. What
    // generating made stays, whatever failed.
    host::Error MouseUp(host::ToolMessage* message) override;
    // Shows the barcode palette.
    host::Error Select(host::ToolMessage* message) override;
    host::Error Deselect(host::ToolMessage* message) override;

private:
    host::RealPoint down_{};
};
