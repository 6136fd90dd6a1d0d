// The check palette's check run and report-only run, and the measuring of a
// found barcode in the artwork.
#include <memory>
#include <new>
#include <vector>

#include "BarCodeList.h"
#include "BarPaint.h"
#include "BarcodeCheckTexts.h"
#include "BarcodeHTMLReport.h"
#include "BarcodeReportInfo.h"
#include "BarcodeTextReport.h"
#include "BarcodeXMLReport.h"
#include "CheckDialog.h"
#include "FoundBarcodeEdges.h"
#include "GlobalActionBarcodeDeltaBarDriver.h"
#include "GlobalActionChangeColorDriver.h"
#include "M7LBridges.h"
#include "M7LSuiteTable.h"
#include "host/AiArtSuites.h"

namespace {

using BarcodeVettrin::BarcodeCheckRecord;
using BarcodeVettrin::BarcodeProfile;
using BarcodeVettrin::BarcodeReport;

constexpr std::int32_t kStatusItem = 9;
constexpr std::int32_t kStatusOKIcon = 26006;
constexpr std::int32_t kStatusErrorIcon = 26007;
constexpr std::int32_t kStatusFixedIcon = 26008;

constexpr double kFullOpacity = 1.0;
constexpr float kFullTint = 1.0f;
constexpr float kFullComponent = 1.0f;

// How one bar is painted: its fill, or else its stroke, with the definition
// of a custom colour, and its blend.
struct BarPaint {
    host::Color color;
    host::CustomColorDefinition definition;
    bool overprint;
    host::BlendMode mode;
    double opacity;
};

host::Error ReadBarPaint(host::Art bar, BarPaint* paint) {
    host::Art painting;
    host::PathStyle style{};
    if (const host::Error error = GetPaintingArt(GetBarPathArt(bar), &painting)) {
        return error;
    }
    if (const host::Error error = sAiPathStyle->GetPathStyle(painting, &style)) {
        return error;
    }
    paint->color = style.fillPaint ? style.fill.color : style.stroke.color;
    paint->overprint = style.fillPaint ? style.fill.overprint : style.stroke.overprint;
    paint->definition = {};
    if (paint->color.kind == host::ColorKind::kCustom) {
        if (const host::Error error =
                sAiCustomColor->GetCustomColor(paint->color.custom.color, &paint->definition)) {
            return error;
        }
    }
    if (const host::Error error = sAiBlendStyle->GetBlendingMode(painting, &paint->mode)) {
        return error;
    }
    return sAiBlendStyle->GetOpacity(painting, &paint->opacity);
}

bool SameColor(const BarPaint& a, const BarPaint& b) {
    if (a.color.kind != b.color.kind) {
        return false;
    }
    switch (a.color.kind) {
        case host::ColorKind::kGray:
            return a.color.gray == b.color.gray;
        case host::ColorKind::kCmyk:
            return a.color.cmyk == b.color.cmyk;
        case host::ColorKind::kRgb:
            return a.color.rgb == b.color.rgb;
        case host::ColorKind::kCustom:
            if (a.color.custom.tint != b.color.custom.tint ||
                a.definition.kind != b.definition.kind) {
                return false;
            }
            switch (a.definition.kind) {
                case host::CustomColorKind::kCmyk:
                    return a.definition.cmyk == b.definition.cmyk;
                case host::CustomColorKind::kRgb:
                    return a.definition.rgb == b.definition.rgb;
                default:
                    return true;
            }
        default:
            return true;
    }
}

bool SamePaint(const BarPaint& a, const BarPaint& b) {
    return a.overprint == b.overprint && a.mode == b.mode && a.opacity == b.opacity;
}

// The ink amounts of the colour that are not zero (1.0 = 100 %).
std::vector<double> InkAmounts(const host::Color& color) {
    std::vector<double> inks;
    const auto add = [&inks](double ink) {
        if (ink != 0.0) {
            inks.push_back(ink);
        }
    };
    switch (color.kind) {
        case host::ColorKind::kGray:
            add(color.gray);
            break;
        case host::ColorKind::kCmyk:
            add(color.cmyk.cyan);
            add(color.cmyk.magenta);
            add(color.cmyk.yellow);
            add(color.cmyk.black);
            break;
        case host::ColorKind::kCustom:
            if (color.custom.tint != kFullTint) {
                inks.push_back(kFullTint - color.custom.tint);
            }
            break;
        case host::ColorKind::kRgb:
            for (const float component : {color.rgb.red, color.rgb.green, color.rgb.blue}) {
                if (component != kFullComponent) {
                    inks.push_back(kFullComponent - component);
                }
            }
            break;
        default:
            break;
    }
    return inks;
}

std::int32_t OverprintStateOf(const BarPaint& paint) {
    if (paint.opacity != kFullOpacity) {
        return BarcodeVettrin::kOverprintStateOther;
    }
    switch (paint.mode) {
        case host::BlendMode::kNormal:
            return paint.overprint ? BarcodeVettrin::kOverprintStateNormalOverprint
                                   : BarcodeVettrin::kOverprintStateNormal;
        case host::BlendMode::kMultiply:
            return BarcodeVettrin::kOverprintStateMultiply;
        default:
            return BarcodeVettrin::kOverprintStateOther;
    }
}

// The report's unit index for the palette's units, millimetres for any
// other value.
int UnitIndexOf(std::int32_t units) {
    return units >= CheckDialog::kReportUnitsMillimetre && units <= CheckDialog::kReportUnitsMil
               ? units - CheckDialog::kReportUnitsMillimetre
               : BarcodeVettrin::kBarcodeUnitMillimetre;
}

}  // namespace

bool CheckDialog::CheckBarcodes(bool reportWanted) {
    const M7L_FileSpecificationNative documentFile = GetDocumentFileSpecification();
    M7L_FileSpecificationNative reportFile;
    std::unique_ptr<BarcodeReport> report;
    if (reportWanted && ChooseReportFile(&reportFile, documentFile)) {
        report.reset(MakeReport());
    }
    artList_.Collect();
    BarcodeProfile& profile = *GetProfile();
    const bool testsEnabled = profile.CountEnabledTests() != 0;
    profile.BeginCheck();
    if (report != nullptr) {
        BeginReport(*report, documentFile, testsEnabled);
    }
    if (list_ != nullptr) {
        list_->Clear();
    }
    ForEachFoundBarcode(
        [&](std::size_t barcode, BarcodeCheckRecord& record, const FoundBarcodeEdges& edges) {
            GlobalActionBarcodeDeltaBarDriver barDriver(*record.GetProcessor(), artList_, barcode,
                                                        edges.barIndices.data());
            GlobalActionChangeColorDriver colorDriver(artList_, barcode);
            record.SetDeltaBarDriver(&barDriver);
            record.SetChangeColorDriver(&colorDriver);
            const std::int32_t severity = profile.CheckBarcode(record);
            // The row shows what the artwork holds: a fix that moved nothing
            // leaves the measured values.
            if (record.IsRegenerateRequested() && !barDriver.HasChanged()) {
                record.ClearFixRequests();
            }
            if (list_ != nullptr) {
                list_->AddRow(record, severity, testsEnabled, barcode);
            }
            if (report != nullptr) {
                ReportBarcode(*report, record, testsEnabled);
            }
        });
    profile.CheckDocument();
    ShowStatus(profile.GetOverallStatus(), testsEnabled);
    UpdateButtons(artList_.GetCount());
    if (report != nullptr) {
        EndReport(*report, reportFile, testsEnabled);
    }
    return true;
}

int CheckDialog::WriteReport() {
    const M7L_FileSpecificationNative documentFile = GetDocumentFileSpecification();
    M7L_FileSpecificationNative reportFile;
    if (!ChooseReportFile(&reportFile, documentFile)) {
        return 1;
    }
    const std::unique_ptr<BarcodeReport> report(MakeReport());
    if (report == nullptr) {
        return 0;
    }
    BarcodeProfile& profile = *GetProfile();
    const bool testsEnabled = profile.CountEnabledTests() != 0;
    profile.BeginCheck();
    BeginReport(*report, documentFile, testsEnabled);
    ForEachFoundBarcode([&](std::size_t, BarcodeCheckRecord& record, const FoundBarcodeEdges&) {
        ReportBarcode(*report, record, testsEnabled);
    });
    profile.CheckDocument();
    EndReport(*report, reportFile, testsEnabled);
    return 1;
}

void CheckDialog::ForEachFoundBarcode(const FoundBarcodeCheck& check) {
    FoundBarcodeEdges edges;
    for (std::size_t barcode = 0; barcode < artList_.GetCount(); ++barcode) {
        const std::unique_ptr<Strivelo::BarcodeProcessor> processor =
            edges.Identify(artList_, barcode);
        if (processor == nullptr) {
            continue;
        }
        BarcodeCheckRecord record(processor.get());
        MeasureBarcode(artList_, barcode, edges.count / 2, edges.heights.data(),
                       edges.barIndices.data(), record);
        check(barcode, record, edges);
    }
}

void CheckDialog::MeasureBarcode(const BarcodeArtList& list, std::size_t barcode,
                                 std::uint32_t barCount, const double* heights,
                                 const std::int32_t* barIndices, BarcodeCheckRecord& record) const {
    Strivelo::BarcodeProcessor& processor = *record.GetProcessor();
    const std::int32_t heightBarEdge = processor.GetHeightBarEdge();
    if (heightBarEdge >= 0) {
        processor.SetBarHeight(heights[heightBarEdge / 2]);
    }
    std::int32_t firstEdge = 0;
    std::int32_t lastEdge = 0;
    Strivelo::BarcodeProcessor::BarBounds firstBar{};
    Strivelo::BarcodeProcessor::BarBounds lastBar{};
    if (processor.GetSymbolEdgeRange(&firstEdge, &lastEdge) &&
        list.GetBarRect(barcode, barIndices[firstEdge / 2], &firstBar) &&
        list.GetBarRect(barcode, barIndices[lastEdge / 2], &lastBar)) {
        processor.ClassifyOrientation(firstBar, lastBar);
    }
    host::RealRect bounds{};
    if (list.GetBounds(&bounds, barcode) == host::kNoError) {
        record.SetBarsBoundingBox(
            {bounds.top * kMillimetresPerPoint, bounds.left * kMillimetresPerPoint,
             bounds.bottom * kMillimetresPerPoint, bounds.right * kMillimetresPerPoint});
    }

    // Until every bar has been read, nothing is known of the paint.
    record.SetColors({});
    record.SetOverprintState(BarcodeVettrin::kOverprintStateMixed);
    BarPaint reference{};
    bool sameColor = true;
    bool samePaint = true;
    for (std::uint32_t bar = 0; bar < barCount && (sameColor || samePaint); ++bar) {
        BarPaint paint{};
        if (ReadBarPaint(list.GetBar(barcode, barIndices[bar]), &paint) != host::kNoError) {
            return;
        }
        if (bar == 0) {
            reference = paint;
            continue;
        }
        sameColor = sameColor && SameColor(reference, paint);
        samePaint = samePaint && SamePaint(reference, paint);
    }
    if (sameColor) {
        record.SetColors(InkAmounts(reference.color));
    }
    if (samePaint) {
        record.SetOverprintState(OverprintStateOf(reference));
    }
}

void CheckDialog::ShowStatus(std::int32_t overallStatus, bool testsEnabled) {
    std::int32_t icon = 0;
    if (testsEnabled) {
        switch (overallStatus) {
            case BarcodeVettrin::kCheckStatusPassed:
                icon = kStatusOKIcon;
                break;
            case BarcodeVettrin::kCheckStatusWarning:
            case BarcodeVettrin::kCheckStatusFailed:
            case BarcodeVettrin::kCheckStatusFixDriverMissing:
                icon = kStatusErrorIcon;
                break;
            case BarcodeVettrin::kCheckStatusFixed:
                icon = kStatusFixedIcon;
                break;
            default:
                break;
        }
    }
    if (icon != 0) {
        if (const host::Item status = Item(kStatusItem)) {
            sAdmItem->SetPictureID(status, icon);
        }
    }
    EnableItem(kStatusItem, icon != 0);
}

BarcodeReport* CheckDialog::MakeReport() const {
    BarcodeReport* report = nullptr;
    switch (reportMode_) {
        case kReportModeHTML:
            report = new (std::nothrow) BarcodeVettrin::BarcodeHTMLReport();
            break;
        case kReportModeXML:
            report = new (std::nothrow) BarcodeVettrin::BarcodeXMLReport();
            break;
        default:
            report = new (std::nothrow) BarcodeVettrin::BarcodeTextReport();
            break;
    }
    if (report != nullptr) {
        report->SetUnits(UnitIndexOf(reportUnits_));
    }
    return report;
}

void CheckDialog::BeginReport(BarcodeReport& report,
                              const M7L_FileSpecificationNative& documentFile, bool testsEnabled) {
    report.BeginDocument();
    BarcodeVettrin::BarcodeReportInfo info;
    char documentName[M7L_FileSpecificationNative::kAnsiPathCapacityBytes];
    if (documentFile.HasPath() && documentFile.GetFileName(documentName, sizeof documentName)) {
        info.SetDocumentName(documentName);
    }
    report.WriteReportInfo(info);
    if (testsEnabled) {
        report.WriteSeparator();
        report.WriteProfileInfo(*GetProfile());
    }
}

void CheckDialog::ReportBarcode(BarcodeReport& report, BarcodeCheckRecord& record,
                                bool testsEnabled) {
    report.WriteSeparator();
    report.StartBarcode();
    report.WriteBarcodeData(record);
    if (testsEnabled) {
        report.WriteBarcodeMessages(GetProfile()->CollectBarcodeMessages(record));
    }
    report.EndBarcode();
}

void CheckDialog::EndReport(BarcodeReport& report, const M7L_FileSpecificationNative& reportFile,
                            bool testsEnabled) {
    report.WriteSeparator();
    if (testsEnabled) {
        BarcodeProfile& profile = *GetProfile();
        const BarcodeVettrin::CheckMessageList messages = profile.CollectDocumentMessages();
        report.WriteOverallMessages(messages, profile.GetOverallStatus());
    }
    report.EndDocument();
    SaveReportText(reportFile, report);
}
