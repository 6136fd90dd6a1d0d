#pragma once

#include "M7LSuiteProperty.h"
#include "host/HostErrors.h"
#include "host/HostGeometry.h"

// The function table of the suite the plug-in publishes under
// kStriveloSuiteName, version kStriveloSuiteVersion, and acquires again
// itself (the check palette's transfer button). Other plug-ins compile
// against this layout.
struct StriveloSuite {
    // Reads the barcode that the horizontal or vertical line between the two
    // points (document points) crosses into the barcode palette.
    host::Error (*ReadBarcodeAlongLine)(host::RealPoint from, host::RealPoint to);
};
