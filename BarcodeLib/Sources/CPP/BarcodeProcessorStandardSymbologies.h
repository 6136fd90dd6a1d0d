#pragma once

namespace Strivelo {

// Registers the standard symbologies in their fixed order; with upcBeforeEan
// UPC-A and UPC-E come before EAN-13 and so win ties against it. Rebuilding
// with the other order needs FreeRegistry first, since a registered type keeps
// its position.
bool RegisterStandardSymbologies(bool upcBeforeEan);
// Registers MS-7B; called right after RegisterStandardSymbologies, so that it
// comes last.
bool RegisterMS7B();

}  // namespace Strivelo
