#pragma once

#include <string>
#include <vector>

// Runs the zint command line as an independent encoder, for tests only.
//
// What `zint --dump` prints, and so what comes back here: one text line per
// symbol row, four modules per hex digit (most significant bit first, 1 dark),
// digits in pairs ("A3 53 AF ..."), the last digit padded with light modules.
// No quiet zones and no human-readable text. Rows are cut back to the symbol
// width, taken as one past the rightmost dark module over all rows; that is
// exact for every linear symbol, which ends in a bar.
//
// EAN/UPC with an add-on (zint 2.11): the add-on shares the single row, after
// the gap as light modules: main symbol, gap, then add-on from its 1011 guard
// to its last bar. Widths: EAN-13 95, UPC-A 95, EAN-8 67, UPC-E 51 modules;
// the 2-digit add-on 20 and the 5-digit one 47. Default gaps are 7 modules for
// EAN-13, EAN-8 and UPC-E and 9 for UPC-A; --addongap=N changes them. So
// EAN-13 "400638133393+12" gives 95 + 7 + 20 = 122 modules, and
// `-b EANX -d 12` gives the 20-module add-on alone.
namespace oracles {

struct ZintSymbol {
    // '1' dark, '0' light; empty when zint refused.
    std::vector<std::string> rows;
    // zint's message when it refused the data or options; empty on success.
    std::string error;

    // The single row of a linear symbol; empty when there is none.
    const std::string& FirstRow() const;
};

// Encodes `data` as barcode `type` (zint's number or name, e.g. "13" or
// "EANX") with `options` passed one argument each (e.g. "--vers=1",
// "--addongap=12"). The arguments go to zint without a shell, and the data as
// a single "--data=" argument, so no byte of it is interpreted. Warnings count
// as refusals (--werror): zint otherwise falls back to Code 128 for an unknown
// type number. A missing zint, a crash or unreadable output fails the
// current test.
ZintSymbol ZintModules(const std::string& type, const std::string& data,
                       const std::vector<std::string>& options = {});

}  // namespace oracles
