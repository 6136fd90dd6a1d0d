#include "GlobalBarcodeAction.h"

#include <memory>

#include "BarcodeArtList.h"
#include "FoundBarcodeEdges.h"
#include "GlobalActionBarcodeDeltaBarDriver.h"
#include "M7LPluginMain.h"
#include "M7LResources.h"
#include "M7LSuiteTable.h"
#include "host/AdmSuites.h"

namespace {

constexpr const char* kChangeDialogName = "Mor7Lant Global BWR Change";
constexpr std::int32_t kChangeDialogId = 26301;
constexpr std::int32_t kReductionItem = 3;
constexpr std::int32_t kReductionDecimals = 4;

constexpr const char* kResultDialogName = "Mor7Lant Performed Global Action Dialog";
constexpr std::int32_t kResultDialogId = 26300;
constexpr std::int32_t kActionItem = 2;
constexpr std::int32_t kFoundItem = 3;
constexpr std::int32_t kChangedItem = 4;
constexpr std::int32_t kFirstLabelItem = 5;
constexpr std::int32_t kLastLabelItem = 7;
constexpr int kActionList = 26030;
constexpr int kActionTextBytes = 256;

constexpr std::int32_t kModalStyle = 0;
constexpr std::int32_t kNoOptions = 0;
constexpr double kMillimetresPerEnteredPoint = 0.35277778;

}  // namespace

void GlobalBarcodeAction::Run() {
    found_ = 0;
    changed_ = 0;
    BarcodeArtList list;
    list.Collect();
    FoundBarcodeEdges edges;
    for (std::size_t barcode = 0; barcode < list.GetCount(); ++barcode) {
        const std::unique_ptr<Strivelo::BarcodeProcessor> processor = edges.Identify(list, barcode);
        if (processor == nullptr) {
            continue;
        }
        ++found_;
        GlobalActionBarcodeDeltaBarDriver driver(*processor, list, barcode,
                                                 edges.barIndices.data());
        driver.SetBarWidthReduction(useOwnBarWidthReduction_ ? processor->GetBarWidthReduction()
                                                             : newBarWidthReductionMm_);
        if (driver.Run() && driver.HasChanged()) {
            ++changed_;
        }
    }
}

void GlobalBarcodeAction::AskAndChangeBarWidthReduction() {
    const host::Dialog dialog = sAdmDialog->Create(gPluginRef, kChangeDialogName, kChangeDialogId,
                                                   kModalStyle, nullptr, nullptr, kNoOptions);
    if (!dialog) {
        return;
    }
    const host::Item reduction = sAdmDialog->GetItem(dialog, kReductionItem);
    sAdmItem->SetUnits(reduction, host::kUnitsPoints);
    sAdmItem->SetPrecision(reduction, kReductionDecimals);
    sAdmItem->SetFloatValue(reduction, 0.0f);
    const bool ok = sAdmDialog->DoModal(dialog) == host::kOkItem;
    sAdmDialog->Show(dialog, false);
    newBarWidthReductionMm_ = sAdmItem->GetFloatValue(reduction) * kMillimetresPerEnteredPoint;
    sAdmDialog->Destroy(dialog);
    if (ok) {
        useOwnBarWidthReduction_ = false;
        Run();
        ShowResult(kChangedBarWidthReduction, found_, changed_);
    }
}

void GlobalBarcodeAction::FixDeviation() {
    newBarWidthReductionMm_ = 0.0;
    useOwnBarWidthReduction_ = true;
    Run();
    ShowResult(kFixedDeviation, found_, changed_);
}

void GlobalBarcodeAction::ShowResult(std::int32_t kind, int found, int changed) {
    Result result{kind, found, changed};
    sAdmDialog->Modal(gPluginRef, kResultDialogName, kResultDialogId, kModalStyle, &InitResult,
                      &result, kNoOptions);
}

host::Error GlobalBarcodeAction::InitResult(host::Dialog dialog) {
    const auto* result = static_cast<const Result*>(sAdmDialog->GetUserData(dialog));
    char action[kActionTextBytes];
    if (!LoadResourceString(action, kActionList, result->kind, sizeof action)) {
        return host::kNoError;
    }
    sAdmItem->SetText(sAdmDialog->GetItem(dialog, kActionItem), action);
    for (std::int32_t label = kFirstLabelItem; label <= kLastLabelItem; ++label) {
        sAdmItem->SetFont(sAdmDialog->GetItem(dialog, label), host::kFontPalette);
    }
    sAdmItem->SetIntegerValue(sAdmDialog->GetItem(dialog, kFoundItem), result->found);
    sAdmItem->SetIntegerValue(sAdmDialog->GetItem(dialog, kChangedItem), result->changed);
    return host::kNoError;
}
