#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "BarcodeArtList.h"
#include "BarcodeCheckRecord.h"
#include "BarcodeProfile.h"
#include "BarcodeReport.h"
#include "FoundBarcodeEdges.h"
#include "M7LBaseADMDialog.h"
#include "M7LString.h"
#include "M7L_FileSpecificationNative.h"
#include "host/AdmSuites.h"
#include "host/HostErrors.h"
#include "host/HostHandles.h"

class BarCodeList;
class CheckBarCodesButton;
class SelectBarCodeButton;
class GenerateReportButton;
class TransfertoSTVLButton;
class CheckDialogSideMenu;

// What the error alert shows when a file of the user's could not be written
// or read.
inline constexpr host::Error kErrorFileNotSaved = host::FourCharCode("SAVE");
inline constexpr host::Error kErrorFileNotLoaded = host::FourCharCode("LOAD");

// Shows the error alert for code outside a message.
void ShowFileErrorAlert(host::Error code);

// A UTF-8 text cut to at most bytes, never inside a character.
std::string CutUtf8Text(std::string text, std::size_t bytes);

// The floating check palette: it finds every barcode in the document's
// visible layers, checks each against the current profile, lists them with
// their status, shows or transfers the listed one and writes reports. It
// keeps its report settings in the host's preferences.
class CheckDialog : public M7LBaseADMDialog {
public:
    static constexpr const char* kPreferenceSection = "M7LCheckDialog";

    // Report formats, and the length units of a report.
    static constexpr std::int32_t kReportModeText = 1;
    static constexpr std::int32_t kReportModeHTML = 2;
    static constexpr std::int32_t kReportModeXML = 3;
    static constexpr std::int32_t kReportUnitsMillimetre = 1;
    static constexpr std::int32_t kReportUnitsMil = 5;

    // Makes and shows the palette. The standard symbologies are registered;
    // those registered already keep their place, so the order the barcode
    // palette set stays.
    CheckDialog();
    // Saves the settings and, when the palette is still shown, goes the way
    // the host's closing takes: items, placement, then the dialog.
    ~CheckDialog() override;

    host::Error Init() override;
    // Deletes the items and saves the placement.
    void Destroy() override;
    // Lays the palette out again when its size changed.
    void Notify(host::AdmNotifier notifier) override;
    void LoadSettings() override;
    void SaveSettings() override;

    // Both bring the host's show and hide in beside the palette's own Show.
    using IADMDialog::Show;
    using M7LBaseADMDialog::Show;
    // Whether the host made the palette and shows it.
    bool IsShown() const;

    // The current profile; the first call makes a default one.
    BarcodeVettrin::BarcodeProfile* GetProfile();
    // Takes the profile (deleting the current one when it is another) and
    // shows its name and whether it has tests and fixes enabled; 0.
    host::Error SetProfile(BarcodeVettrin::BarcodeProfile* profile);
    // The modal profile editor and report settings.
    void EditProfile();
    void EditReportSettings();

    // The order in which identification tries UPC-A and EAN-13: that of the
    // one symbology registry, which either palette may set.
    bool GetUPCBeforeEAN() const;
    void SetUPCBeforeEAN(bool upcBeforeEan);

    // The report settings, stored as given.
    std::int32_t GetReportMode() const { return reportMode_; }
    void SetReportMode(std::int32_t mode) { reportMode_ = mode; }
    std::int32_t GetReportUnits() const { return reportUnits_; }
    void SetReportUnits(std::int32_t units) { reportUnits_ = units; }
    bool GetGenerateReportOnSelect() const { return generateReportOnSelect_; }
    void SetGenerateReportOnSelect(bool generate) { generateReportOnSelect_ = generate; }
    // The parts of the default report file name: prefix, the document's
    // name when useFileName is set, postfix.
    const char* GetReportNamePrefix() const { return reportNamePrefix_.CStr(); }
    bool GetReportNameUseFileName() const { return reportNameUseFileName_; }
    const char* GetReportNamePostfix() const { return reportNamePostfix_.CStr(); }
    void SetReportName(const char* prefix, bool useFileName, const char* postfix);

    // Shows the count and enables the buttons that need barcodes.
    void UpdateButtons(std::size_t count);
    // Forgets the last check: no rows, no barcodes, no status.
    void Reset();

    // The check button: finds, checks, fixes and lists every barcode, with a
    // report to a file the user chooses when reportWanted. True.
    bool CheckBarcodes(bool reportWanted);
    // The report button: a report of the barcodes of the last check, tested
    // again without fixes; 1, also when the user cancels, 0 when no report
    // could be made.
    int WriteReport();
    // Fills the record of a barcode of the list, decoded from its edges,
    // from the artwork: bar height, orientation, bars box (millimetres),
    // colours and overprint state.
    void MeasureBarcode(const BarcodeArtList& list, std::size_t barcode, std::uint32_t barCount,
                        const double* heights, const std::int32_t* barIndices,
                        BarcodeVettrin::BarcodeCheckRecord& record) const;

    // Selects the listed barcode and brings it into the first view; false
    // when no row is selected or the host refuses.
    bool SelectListedBarcode();
    // Reads the listed barcode into the barcode palette through the
    // plug-in's published suite.
    void TransferListedBarcode();

    // The suggested file name of a report of the document.
    std::string MakeReportFileName(const M7L_FileSpecificationNative& documentFile) const;
    // Asks the user where the report goes; false when cancelled.
    bool ChooseReportFile(M7L_FileSpecificationNative* reportFile,
                          const M7L_FileSpecificationNative& documentFile) const;
    // Writes the report's text, replacing the file only once the whole text
    // is written; the error alert tells a failure, which leaves an existing
    // file as it was.
    bool SaveReportText(const M7L_FileSpecificationNative& reportFile,
                        BarcodeVettrin::BarcodeReport& report);

private:
    using FoundBarcodeCheck = std::function<void(
        std::size_t barcode, BarcodeVettrin::BarcodeCheckRecord& record, const FoundBarcodeEdges&)>;

    // Every barcode of the last check that a symbology decodes, measured
    // into its record, in list order.
    void ForEachFoundBarcode(const FoundBarcodeCheck& check);
    // The palette's item, none when the host made no palette.
    host::Item Item(std::int32_t itemId) const;
    void EnableItem(std::int32_t itemId, bool enable) const;
    void LayOut();
    void ShowStatus(std::int32_t overallStatus, bool testsEnabled);
    // A report writer for the report settings; null when memory runs out.
    BarcodeVettrin::BarcodeReport* MakeReport() const;
    // The head of a report: the document and the profile.
    void BeginReport(BarcodeVettrin::BarcodeReport& report,
                     const M7L_FileSpecificationNative& documentFile, bool testsEnabled);
    // The entry of one barcode and, with tests enabled, its messages.
    void ReportBarcode(BarcodeVettrin::BarcodeReport& report,
                       BarcodeVettrin::BarcodeCheckRecord& record, bool testsEnabled);
    // The document section, then the end; written to the file.
    void EndReport(BarcodeVettrin::BarcodeReport& report,
                   const M7L_FileSpecificationNative& reportFile, bool testsEnabled);

    std::int32_t reportMode_ = kReportModeText;
    std::int32_t reportUnits_ = kReportUnitsMillimetre;
    M7LString reportNamePrefix_;
    bool reportNameUseFileName_ = false;
    M7LString reportNamePostfix_;
    bool generateReportOnSelect_ = false;

    CheckBarCodesButton* checkButton_ = nullptr;
    BarCodeList* list_ = nullptr;
    SelectBarCodeButton* selectButton_ = nullptr;
    GenerateReportButton* reportButton_ = nullptr;
    TransfertoSTVLButton* transferButton_ = nullptr;
    CheckDialogSideMenu* sideMenu_ = nullptr;

    BarcodeArtList artList_;
    BarcodeVettrin::BarcodeProfile* profile_ = nullptr;
};

// The one check palette, null while the application has made none.
extern CheckDialog* gCheckDialog;
