#pragma once

#include <cstdint>
#include <string>

#include "BarcodeProcessor.h"

namespace StriveloTest {

// Draws processor's symbol, reads its bars as exact edges (from the other
// end with backwards) and identifies them among the registered symbologies.
// The symbol reads back when identification finds processor's type, or a
// type registered before it that reads the bars just as well and from which
// trying the next candidates reaches processor's type, and that reading has
// the code processor holds after drawing, its magnification and its bar
// width reduction. Empty then; else what went wrong.
std::string ReadBackFault(Strivelo::BarcodeProcessor& processor, bool backwards);

// text with every byte outside printable ASCII as \xHH, for messages.
std::string Printable(const std::string& text);

}  // namespace StriveloTest
