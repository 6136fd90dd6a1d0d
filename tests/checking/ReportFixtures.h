#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BarcodeCheckRecord.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeProfile.h"
#include "BarcodeReport.h"

namespace ReportTest {

// What a decoding of the test symbology finds. Edges are millimetres from
// the first one, two per bar; a wideNarrowRatio of 0 means the symbology
// has no wide/narrow option.
struct SymbolSpec {
    std::int32_t type;
    const char* name;
    const char* code;
    std::vector<double> measuredEdges;
    std::vector<double> idealEdges;
    double magnification;
    double wideNarrowRatio;
};

// A test-only symbology that decodes exactly the edges of its description:
// the ideal edges are the description's, so bar width reduction and
// deviations follow from the measured ones.
class ReportTestSymbology : public Strivelo::BarcodeProcessor,
                            public Strivelo::BarcodeProcessorMixIn_WideNarrowOption {
public:
    explicit ReportTestSymbology(SymbolSpec spec) : spec_(std::move(spec)) {}

    std::int32_t GetType() const override { return spec_.type; }
    const char* GetName() const override { return spec_.name; }
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    bool Generate() override { return false; }
    double ComputeWidth() override { return 0.0; }
    bool HasOption(std::int32_t optionCode) const override;
    bool IsWideNarrowRatioValid() const override { return true; }

private:
    SymbolSpec spec_;
};

// One found barcode as the check run hands it to the report: decoded,
// measured (bar height, orientation) and with what the run knows of it.
struct FoundBarcode {
    std::unique_ptr<ReportTestSymbology> processor;
    BarcodeVettrin::BarcodeCheckRecord record;
};

struct FoundBarcodeSpec {
    SymbolSpec symbol;
    double barHeightMm;
    // The first and the last bar, which decide the reading direction.
    Strivelo::BarcodeProcessor::BarBounds firstBar;
    Strivelo::BarcodeProcessor::BarBounds lastBar;
    const BarcodeVettrin::BarcodeCheckRecord::Box* barsBox;
    const BarcodeVettrin::BarcodeCheckRecord::Box* eraseBox;
    const std::int32_t* pageNumber;
};

std::unique_ptr<FoundBarcode> MakeFoundBarcode(const FoundBarcodeSpec& spec);

// Two barcodes: an ITF with the wide/narrow option, its page and both boxes,
// read bottom to top; an EAN-13 without them, read left to right.
std::vector<std::unique_ptr<FoundBarcode>> MakeTwoBarcodes();

// The profile of the report scenario, loaded from a profile file: bar
// width reduction (with its fix but no driver), bar height, wide/narrow
// ratio and count tests, a save time and the checksum 255.
std::unique_ptr<BarcodeVettrin::BarcodeProfile> LoadScenarioProfile();

// The document name of the scenario, with characters that need escaping.
inline constexpr const char* kDocumentName = "Verpackung Müller & Söhne.ai";

// Drives report as the check run does and answers its text; every slot
// must answer true.
std::string RunReport(BarcodeVettrin::BarcodeReport& report,
                      BarcodeVettrin::BarcodeProfile& profile,
                      const std::vector<std::unique_ptr<FoundBarcode>>& barcodes, int unitIndex,
                      const char* documentName);

// Runs xmllint with the options on the text and answers its diagnostics, or
// why it could not run; empty when the document parsed cleanly.
std::string XmllintDiagnostics(const std::string& text, const std::string& options);
// The text an HTML parser reads from the document, in UTF-8.
std::string HtmlParserText(const std::string& html);

}  // namespace ReportTest
