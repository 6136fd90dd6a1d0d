#include "ReportFixtures.h"

#include <gtest/gtest.h>

#include <fstream>

#include "BarcodeEdgeView.h"
#include "BarcodeFourCC.h"
#include "BarcodeReportInfo.h"
#include "M7LTimeStamp.h"
#include "TempFolder.h"
#include "Xmllint.h"

namespace ReportTest {

namespace {

using BarcodeVettrin::BarcodeCheckRecord;
using BarcodeVettrin::BarcodeProfile;
using BarcodeVettrin::BarcodeReport;

constexpr double kModuleMm = 0.5;

XmllintResult RunXmllintOnText(const std::string& options, const std::string& text) {
    const TempFolder folder;
    const std::string path = folder / "report";
    std::ofstream(path, std::ios::binary) << text;
    return RunXmllint(options, path);
}

constexpr const char* kScenarioProfile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<M7LBarcodeProfile>\n"
    "<ProfileName>Hausprofil \"Faltschachtel\"</ProfileName>\n"
    "<ProfileSaveTime>2024-02-29T08:15:00Z</ProfileSaveTime>\n"
    "<ProfileCheckSum>255</ProfileCheckSum>\n"
    "<BarcodeProfileCountTest>\n"
    "<EnableTest>true</EnableTest>\n"
    "<NrOfBarcodesInDocument>3</NrOfBarcodesInDocument>\n"
    "</BarcodeProfileCountTest>\n"
    "<BarcodeProfileBarWidthReductionTest>\n"
    "<EnableTest>true</EnableTest>\n"
    "<EnableFix>true</EnableFix>\n"
    "<BarWidthReduction>0.0</BarWidthReduction>\n"
    "</BarcodeProfileBarWidthReductionTest>\n"
    "<BarcodeProfileBarHeightTest>\n"
    "<EnableTest>true</EnableTest>\n"
    "<MinimumBarHeight>15.0</MinimumBarHeight>\n"
    "<MaximumBarHeight>25.0</MaximumBarHeight>\n"
    "</BarcodeProfileBarHeightTest>\n"
    "<BarcodeProfileWideNarrowRatioTest>\n"
    "<EnableTest>true</EnableTest>\n"
    "</BarcodeProfileWideNarrowRatioTest>\n"
    "</M7LBarcodeProfile>\n";

}  // namespace

bool ReportTestSymbology::Decode(const double* edges, std::uint32_t count, bool reversed) {
    if (reversed || count != spec_.idealEdges.size() ||
        !PrepareDecoding(Strivelo::BarcodeEdgeView(edges, count, reversed))) {
        return false;
    }
    double* const ideal = GetDecodingEdges().GetIdeal();
    for (std::uint32_t i = 0; i < count; ++i) {
        ideal[i] = spec_.idealEdges[i];
    }
    DecodeResult result;
    result.encodedCode = spec_.code;
    result.magnification = spec_.magnification;
    result.moduleWidthMm = kModuleMm * spec_.magnification;
    result.reductionEdgeCount = count;
    result.heightBarEdge = 0;
    result.firstSymbolEdge = 0;
    result.lastSymbolEdge = static_cast<std::int32_t>(count - 1);
    result.wideNarrowRatio = spec_.wideNarrowRatio;
    return CommitDecoding(result);
}

bool ReportTestSymbology::HasOption(std::int32_t optionCode) const {
    return spec_.wideNarrowRatio != 0.0 && optionCode == Strivelo::kBarcodeOptionWideNarrowRatio;
}

std::unique_ptr<FoundBarcode> MakeFoundBarcode(const FoundBarcodeSpec& spec) {
    auto found = std::make_unique<FoundBarcode>();
    found->processor = std::make_unique<ReportTestSymbology>(spec.symbol);
    const std::vector<double>& edges = spec.symbol.measuredEdges;
    EXPECT_TRUE(
        found->processor->DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size())))
        << spec.symbol.name;
    found->processor->SetBarHeight(spec.barHeightMm);
    found->processor->ClassifyOrientation(spec.firstBar, spec.lastBar);
    found->record.Init(found->processor.get());
    if (spec.barsBox != nullptr) {
        found->record.SetBarsBoundingBox(*spec.barsBox);
    }
    if (spec.eraseBox != nullptr) {
        found->record.SetEraseBox(*spec.eraseBox);
    }
    if (spec.pageNumber != nullptr) {
        found->record.SetPageNumber(*spec.pageNumber);
    }
    return found;
}

std::vector<std::unique_ptr<FoundBarcode>> MakeTwoBarcodes() {
    static constexpr BarcodeCheckRecord::Box kItfBars{
        .top = 60.0, .left = 20.0, .bottom = 45.5, .right = 58.25};
    static constexpr BarcodeCheckRecord::Box kItfErase{
        .top = 62.0, .left = 17.5, .bottom = 41.0, .right = 61.0};
    static constexpr BarcodeCheckRecord::Box kEanBars{
        .top = 140.0, .left = 30.0, .bottom = 117.15, .right = 67.29};
    static constexpr std::int32_t kItfPage = 2;
    const FoundBarcodeSpec itf{
        .symbol = {.type = Strivelo::FourCC("2of5"),
                   .name = "Interleaved 2 of 5",
                   .code = "12345670",
                   .measuredEdges = {0.0, 0.483, 1.012, 1.991, 2.517, 2.968, 4.013, 4.994},
                   .idealEdges = {0.0, 0.5, 1.0, 2.0, 2.5, 3.0, 4.0, 5.0},
                   .magnification = 0.9,
                   .wideNarrowRatio = 3.2},
        .barHeightMm = 12.0,
        .firstBar = {.left = 20.0, .top = 30.0, .right = 60.0, .bottom = 29.5},
        .lastBar = {.left = 20.0, .top = 50.0, .right = 60.0, .bottom = 49.0},
        .barsBox = &kItfBars,
        .eraseBox = &kItfErase,
        .pageNumber = &kItfPage,
    };
    const FoundBarcodeSpec ean{
        .symbol = {.type = Strivelo::FourCC("eanD"),
                   .name = "EAN-13",
                   .code = "4-006381-333931",
                   .measuredEdges = {0.0, 0.33, 0.66, 0.99},
                   .idealEdges = {0.0, 0.33, 0.66, 0.99},
                   .magnification = 1.0,
                   .wideNarrowRatio = 0.0},
        .barHeightMm = 22.85,
        .firstBar = {.left = 30.0, .top = 140.0, .right = 30.33, .bottom = 117.15},
        .lastBar = {.left = 66.96, .top = 140.0, .right = 67.29, .bottom = 117.15},
        .barsBox = &kEanBars,
        .eraseBox = nullptr,
        .pageNumber = nullptr,
    };
    std::vector<std::unique_ptr<FoundBarcode>> barcodes;
    barcodes.push_back(MakeFoundBarcode(itf));
    barcodes.push_back(MakeFoundBarcode(ean));
    return barcodes;
}

std::unique_ptr<BarcodeProfile> LoadScenarioProfile() {
    TempFolder folder;
    const std::string path = folder / "scenario.bcp";
    std::ofstream(path, std::ios::binary) << kScenarioProfile;
    auto profile = std::make_unique<BarcodeProfile>();
    EXPECT_TRUE(profile->Load(M7L_FileSpecificationNative(path.c_str())));
    return profile;
}

std::string RunReport(BarcodeReport& report, BarcodeProfile& profile,
                      const std::vector<std::unique_ptr<FoundBarcode>>& barcodes, int unitIndex,
                      const char* documentName) {
    const bool tests = profile.CountEnabledTests() != 0;
    profile.BeginCheck();
    report.SetUnits(unitIndex);
    bool ok = report.BeginDocument();
    BarcodeVettrin::BarcodeReportInfo info;
    info.SetDocumentName(documentName);
    ok = report.WriteReportInfo(info) && ok;
    if (tests) {
        ok = report.WriteSeparator() && ok;
        ok = report.WriteProfileInfo(profile) && ok;
    }
    for (const auto& barcode : barcodes) {
        profile.CheckBarcode(barcode->record);
        ok = report.WriteSeparator() && ok;
        ok = report.StartBarcode() && ok;
        ok = report.WriteBarcodeData(barcode->record) && ok;
        if (tests) {
            ok = report.WriteBarcodeMessages(profile.CollectBarcodeMessages(barcode->record)) && ok;
        }
        ok = report.EndBarcode() && ok;
    }
    profile.CheckDocument();
    const std::int32_t overallStatus = profile.GetOverallStatus();
    ok = report.WriteSeparator() && ok;
    if (tests) {
        ok = report.WriteOverallMessages(profile.CollectDocumentMessages(), overallStatus) && ok;
    }
    ok = report.EndDocument() && ok;
    EXPECT_TRUE(ok);
    return report.GetText();
}

std::string XmllintDiagnostics(const std::string& text, const std::string& options) {
    return RunXmllintOnText(options + " --noout", text).diagnostics;
}

std::string HtmlParserText(const std::string& html) {
    return RunXmllintOnText("--html --xpath 'string(/)'", html).output;
}

}  // namespace ReportTest
