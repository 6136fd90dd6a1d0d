#pragma once

#include "M7LAIWrappers.h"
#include "host/HostGeometry.h"
#include "host/HostMessages.h"

// The tool with which the user reads a barcode that is drawn: a line
// dragged across the bars, shown while dragging and snapped to the
// dominant axis, is read on release into the barcode palette, with the bars
// read selected. It opens the tool group the create tool joins.
class MeasureTool : public M7LAIWrapperTool {
public:
    static constexpr const char* kName = "Mor7Lant Barcode Measure Tool";
    static constexpr std::int32_t kCursorId = 16001;

    explicit MeasureTool(const host::MessageHeader& message);

    host::Error EditOptions(host::ToolMessage* message) override;
    host::Error TrackCursor(host::ToolMessage* message) override;
    host::Error MouseDown(host::ToolMessage* message) override;
    host::Error MouseDrag(host::ToolMessage* message) override;
    // A line that reads no barcode empties the palette's code field with a
    // beep; a click without a drag reads nothing.
    host::Error MouseUp(host::ToolMessage* message) override;
    host::Error Select(host::ToolMessage* message) override;
    host::Error Deselect(host::ToolMessage* message) override;

    // What choosing either of the two tools does: shows the barcode palette.
    static host::Error ShowBarcodePalette();

    // Reads the barcode the segment crosses into the barcode palette, when
    // there is one, and selects its bars instead of the selection (kept
    // too when the event holds shift). A segment that reads nothing
    // empties the palette's code field with a beep and returns 0; the
    // scanner's error for a segment it refuses is returned unchanged.
    static host::Error ReadAlong(host::RealPoint from, host::RealPoint to,
                                 const host::ToolMessage* event, bool showPalette);

    // Draws the line from the start to the end, snapped, on the current
    // layer, which it shows and unlocks: changes that undoing takes back.
    host::Error DrawFeedbackLine();

private:
    host::RealPoint start_{};
    host::RealPoint end_{};
};
