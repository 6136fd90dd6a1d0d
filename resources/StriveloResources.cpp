#include "StriveloResources.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

namespace {

template <typename Resources>
constexpr bool SortedByUniqueId(const Resources& resources) {
    return std::adjacent_find(std::begin(resources), std::end(resources),
                              [](const auto& a, const auto& b) { return a.id >= b.id; }) ==
           std::end(resources);
}

using Kind = M7LResourceItemKind;

// The host's units codes of number items.
constexpr std::int32_t kNoUnits = 0;
constexpr std::int32_t kPercent = 6;
constexpr std::int32_t kPoints = 101;

constexpr M7LDialogItemTemplate Item(std::int32_t id, Kind kind, const char* text,
                                     M7LResourceRect bounds, std::uint32_t flags = 0) {
    return {id, kind, text, bounds, flags};
}

constexpr M7LDialogItemTemplate Number(std::int32_t id, Kind kind, const char* value,
                                       M7LResourceRect bounds, std::int32_t precision,
                                       std::int32_t units, std::uint32_t flags = 0) {
    return {id, kind, value, bounds, flags, precision, units};
}

constexpr M7LDialogItemTemplate Picture(std::int32_t id, Kind kind, std::int32_t icon,
                                        M7LResourceRect bounds, std::uint32_t flags = 0) {
    return {id, kind, "", bounds, flags, 0, kNoUnits, icon};
}

// String resources by id (list + index), sorted by id.
constexpr M7LResourceString kStrings[] = {
    // The barcode palette's menu item: hide, show.
    {16001, "Pavrello ausblenden"},
    {16002, "Pavrello anzeigen"},

    // Titles and tips of the tools: measure, create.
    {16011, "Barcode messen"},
    {16012, "Barcode messen"},
    {16013, "Barcode erzeugen"},
    {16014, "Barcode erzeugen"},

    // Tips of the barcode palette's buttons.
    {16021, "Überprüfe andere passende Barcodes"},
    {16022, "Weißraum-Begrenzungszeichen hinzufügen"},
    {16023, "Trägerbalken hinzufügen"},
    {16024, "Abschlußbalken für Trägerbalken hinzufügen"},
    {16025, "OCRB als Standard-Schrift benutzen"},
    {16026, "Lesbaren Text links oder zentriert ausrichten"},

    // The error list: from index 1 on, a code (a decimal number, or four
    // characters) and then its message; the last pair is the fallback.
    {16051, "-108"},
    {16052, "Der Filter kann nicht ausgeführt werden, da zuwenig Speicher (RAM) verfügbar ist."},
    {16053, "271"},
    {16054, "Der Filter kann nicht ausgeführt werden, da zuwenig Speicher (RAM) verfügbar ist."},
    {16055, "SEGM"},
    {16056, "Der Filter kann nicht ausgeführt werden, weil ein Pfad zuviele Stützpunkte enthält."},
    {16057, "NESS"},
    {16058,
     "Der Filter kann nicht ausgeführt werden, da eine Ebene geschützt oder unsichtbar ist."},
    {16059, "!sel"},
    {16060, "Sie müssen zuerst einen Pfad auswählen."},
    {16061, "<Others>"},
    {16062, "Der Filter kann nicht ausgeführt werden, da ein unbekannter Fehler auftrat."},

    // Names of the plug-in family's menu groups: windows, filters.
    {16998, "Orvanex Pavrello"},
    {16999, "Orvanex Pavrello"},

    // Labels of the text and HTML reports.
    {21001, "Barcode-Typ"},
    {21002, "Code"},
    {21003, "Balkenbreiten-Reduktion"},
    {21004, "Skalierung"},
    {21005, "Balken-Höhe"},
    {21006, "Breit-/Schmal-Verhältnis"},
    {21007, "Durchschnittliche Abweichung"},
    {21008, "Maximale Abweichung"},
    {21009, "Balken Bounding Box"},
    {21010, "Bounding Box löschen"},
    {21011, "Orientierung"},
    {21012, "Seitennummer"},
    {21021, "OK"},
    {21022, "WARNUNG"},
    {21023, "FEHLER"},
    {21024, "Oben"},
    {21025, "Unten"},
    {21026, "Links"},
    {21027, "Rechts"},
    {21028, "Illegal"},
    {21029, "Links nach Rechts"},
    {21030, "Rechts nach Links"},
    {21031, "Oben nach Unten"},
    {21032, "Unten nach Oben"},
    {21033, "Unbekannt"},
    {21041, "Profilname"},
    {21042, "Globaler Status"},
    {21043, "Profil-Speicherzeit"},
    {21044, "Profil-Checksumme"},
    {21051, "Dokumentname"},
    {21052, "Report erzeugt"},

    // Check messages: the message id, a blank, the text. Ids ending in 0
    // are group headers that no table loads.
    {21100, "<Barcode Vettrin Test Messages>"},
    {21101, "100 Der Barcode 'Typ' entspricht nicht dem erwarteten Typ."},
    {21102, "101 Der Barcode 'Code' entspricht nicht dem erwarteten Code."},
    {21103, "102 Es sind mehr Barcodes im Dokument als erlaubt."},
    {21104, "103 Es sind weniger Barcodes im Dokument als erlaubt."},
    {21105, "104 Es sind nicht alle Barcodes identisch."},
    {21106, "105 Die Balkenbreiten-Reduktion entspricht nicht dem erlaubten Wert"},
    {21107, "106 Die Skalierung ist niedriger als der erlaubte Wert."},
    {21108, "107 Die Skalierung ist höher als der erlaubte Wert."},
    {21109, "108 Die Balken-Höhe ist kleiner als der erlaubte Wert."},
    {21110, "<Barcode Vettrin Test Messages>"},
    {21111, "109 Die Balken-Höhe ist größer als der erlaubte Wert."},
    {21112, "110 Das Breit-/Schmal-Verhältnis ist kleiner als der erlaubte Wert."},
    {21113, "111 Das Breit-/Schmal-Verhältnis ist größer als der erlaubte Wert."},
    {21114, "112 Die maximale Abweichung ist höher als der erlaubte Wert."},
    {21115, "113 Die Farbe besteht nicht aus einem Kanal mit 100% Farbauftrag."},
    {21116, "114 Barcode benutzt ungültiges Überdrucken-Attribut für Überblenden-Modus."},
    {21117, "115 Barcode ist nicht auf Überdrucken gestellt."},
    {21120, "<Barcode Vettrin Test Messages>"},

    // Display names of the symbology types: the four letters of the type
    // code, a blank, the name.
    {21200, "<Barcode Vettrin Barcode Names>"},
    {21201, "ean8 EAN 8"},
    {21202, "eanD EAN 13"},
    {21203, "c128 Code 128"},
    {21204, "upca UPC/A"},
    {21205, "upce UPC/E"},
    {21206, "2of5 ITF (interleaved 2 of 5)"},
    {21207, "3of9 Code 39 (3 of 9)"},
    {21208, "itff ITF14"},
    {21209, "e128 UCC/EAN 128"},
    {21210, "<Barcode Vettrin Barcode Names>"},
    {21211, "jan8 JAN 8"},
    {21212, "janD JAN 13"},
    {21213, "isbn ISBN (Bookland)"},
    {21214, "isbe ISBN-13 (Bookland EAN)"},
    {21215, "issn ISSN"},
    {21216, "eCou EAN13 Coupon"},
    {21217, "uCou UPC/A Coupon"},
    {21218, "ms7b Marks & Spencer 7B"},
    {21219, "plec Plessey CRC"},
    {21220, "<Barcode Vettrin Barcode Names>"},
    {21221, "ples Plessey"},
    {21222, "BePh Belgian Pharma"},
    {21223, "msiq MSI Modulo 10-10"},
    {21224, "msie MSI Modulo 11"},
    {21225, "msit MSI Modulo 10"},
    {21226, "coda Codabar"},
    {21227, "codt Traditional Codabar"},

    // Length units of the reports, by unit index.
    {21300, "<Units Names>"},
    {21301, "mm"},
    {21302, "cm"},
    {21303, "Zoll"},
    {21304, "Punkt"},
    {21305, "mil"},

    // The check palette's menu items: hide, show, the two document-wide
    // actions.
    {26001, "Pavrello Vettrin ausblenden"},
    {26002, "Pavrello Vettrin einblenden"},
    {26003, "Balkenbreiten-Reduktion ändern"},
    {26004, "Korrektur der Barcode Abweichung"},

    // Labels of a result row of the check palette.
    {26011, "Barcode-Typ:"},
    {26012, "Code:"},
    {26013, "Balkenbreiten-Reduktion:"},
    {26014, "Skalierung:"},
    {26015, "Balken-Höhe:"},
    {26016, "Breit-/Schmal:"},
    {26017, "Durchschnittliche Abweichung:"},
    {26018, "Maximale Abweichung:"},

    // Tips of the check palette's buttons, from index 2.
    {26022, "Alle Barcodes suchen"},
    {26023, "Barcode anzeigen"},
    {26024, "Report erzeugen"},
    {26025, "In Strivelo öffnen"},

    // The document-wide actions, as their result names them.
    {26031, "Balkenbreiten-Reduktion ändern"},
    {26032, "Abweichung korrigieren"},

    // The About menu item.
    {26901, "Über Pavrello..."},
};

static_assert(SortedByUniqueId(kStrings), "string resources must be sorted by id, each id once");

// The error alert: item 1 the OK button, 2 the message, 3 the code.
constexpr M7LDialogItemTemplate kErrorDialogItems[] = {
    {1, M7LResourceItemKind::kButton, "OK", {270, 112, 350, 134}},
    {2, M7LResourceItemKind::kStaticText, "Message", {10, 10, 350, 74}},
    {3, M7LResourceItemKind::kStaticText, "Code", {10, 82, 350, 100}},
};

// Pictures of the barcode palette: its buttons, and the warning beside a
// value the symbology does not accept.
constexpr std::int32_t kTryAgainPicture = 16002;
constexpr std::int32_t kOcrbPicture = 16003;
constexpr std::int32_t kQuietZonePicture = 16004;
constexpr std::int32_t kBearerBarsPicture = 16005;
constexpr std::int32_t kEndBarsPicture = 16006;
constexpr std::int32_t kTextAlignPicture = 16007;
constexpr std::int32_t kWarningPicture = 16008;

// The About dialog's picture.
constexpr std::int32_t kAboutPicture = 16060;

// Pictures of the check palette: its buttons, whether the profile has fixes
// enabled, and the status of the last check.
constexpr std::int32_t kTransferPicture = 26002;
constexpr std::int32_t kCheckPicture = 26003;
constexpr std::int32_t kSelectPicture = 26004;
constexpr std::int32_t kReportPicture = 26005;
constexpr std::int32_t kStatusOkPicture = 26006;
constexpr std::int32_t kStatusErrorPicture = 26007;
constexpr std::int32_t kStatusFixedPicture = 26008;
constexpr std::int32_t kFixesPicture = 26009;

// The barcode palette, 240 x 209 points with its deviation read-outs, which
// it hides by showing only the top 168.
constexpr M7LDialogItemTemplate kBarcodePaletteItems[] = {
    Item(-5, Kind::kSideMenu, "", {224, 2, 238, 16}),
    Item(1, Kind::kStaticText, "Typ:", {4, 4, 104, 20}),
    Item(2, Kind::kStaticText, "Code:", {4, 24, 104, 40}),
    Item(3, Kind::kStaticText, "Balkenbreiten-Red.:", {4, 44, 104, 60}),
    Item(4, Kind::kStaticText, "Skalierung:", {4, 64, 104, 80}),
    Item(5, Kind::kStaticText, "Balkenhöhe:", {4, 84, 104, 100}),
    Item(6, Kind::kStaticText, "Breit/Schmal:", {4, 104, 104, 120}, kM7LItemDisabled),
    Item(7, Kind::kStaticText, "Abweichung:", {4, 172, 104, 188}),
    Item(8, Kind::kStaticText, "Max:", {106, 172, 140, 188}),
    Item(9, Kind::kStaticText, "Mittel:", {106, 190, 140, 206}),
    Item(12, Kind::kPopup, "", {106, 4, 200, 20}),
    Picture(13, Kind::kPictureButton, kTryAgainPicture, {204, 4, 220, 20}),
    Item(14, Kind::kTextEdit, "", {106, 24, 200, 40}),
    Picture(15, Kind::kPicture, kWarningPicture, {204, 26, 216, 38}, kM7LItemHidden),
    Number(16, Kind::kNumberEdit, "0", {106, 44, 200, 60}, 4, kPoints, kM7LItemUnitEntry),
    Picture(17, Kind::kPicture, kWarningPicture, {204, 46, 216, 58}, kM7LItemHidden),
    Number(18, Kind::kNumberEdit, "100", {106, 64, 200, 80}, 2, kPercent),
    Picture(19, Kind::kPicture, kWarningPicture, {204, 66, 216, 78}, kM7LItemHidden),
    Number(20, Kind::kNumberEdit, "0", {106, 84, 200, 100}, 3, kPoints, kM7LItemUnitEntry),
    Picture(21, Kind::kPicture, kWarningPicture, {204, 86, 216, 98}, kM7LItemHidden),
    Number(22, Kind::kNumberEdit, "3", {106, 104, 200, 120}, 3, kNoUnits, kM7LItemDisabled),
    Picture(23, Kind::kPicture, kWarningPicture, {204, 106, 216, 118}, kM7LItemHidden),
    Number(24, Kind::kStaticText, "", {142, 172, 236, 188}, 3, kPoints,
           kM7LItemUnitEntry | kM7LItemHidden),
    Number(25, Kind::kStaticText, "", {142, 190, 236, 206}, 3, kPoints,
           kM7LItemUnitEntry | kM7LItemHidden),
    Picture(27, Kind::kPictureToggle, kOcrbPicture, {4, 126, 28, 150}),
    Picture(28, Kind::kPictureToggle, kQuietZonePicture, {32, 126, 56, 150}),
    Picture(29, Kind::kPictureToggle, kBearerBarsPicture, {60, 126, 84, 150}),
    Number(30, Kind::kNumberEdit, "100", {144, 130, 200, 146}, 1, kNoUnits, kM7LItemDisabled),
    Picture(33, Kind::kPictureToggle, kEndBarsPicture, {88, 126, 112, 150}),
    Picture(34, Kind::kPictureToggle, kTextAlignPicture, {116, 126, 140, 150}),
};

// The alert after a self-check that could not read the new barcode back.
constexpr M7LDialogItemTemplate kSelfCheckFailedItems[] = {
    Item(1, Kind::kButton, "OK", {270, 120, 350, 142}),
    Item(2, Kind::kStaticText,
         "Das Barcode Werkzeug konnte die angegebenen Daten nicht aus der generierten Grafik "
         "auslesen.",
         {10, 10, 350, 42}),
    Item(3, Kind::kStaticText,
         "Überprüfen Sie Ihre Parameter (insbesondere die Balkenbreiten-Reduktion) und passen "
         "Sie diese an.",
         {10, 46, 350, 78}),
    Item(4, Kind::kStaticText,
         "Nehmen Sie Kontakt mit Mor7Lant Support auf, falls Sie der Meinung sind, dass Ihre "
         "Parameter korrekt sind.",
         {10, 82, 350, 114}),
};

// An alert that the user can switch off with check box 4: what happened,
// why, and OK.
constexpr std::array<M7LDialogItemTemplate, 4> AlertOnceItems(const char* what, const char* why) {
    return {{
        Item(1, Kind::kButton, "OK", {270, 120, 350, 142}),
        Item(2, Kind::kStaticText, what, {10, 10, 350, 42}),
        Item(3, Kind::kStaticText, why, {10, 46, 350, 94}),
        Item(4, Kind::kCheckBox, "Diese Meldung nicht mehr anzeigen.", {10, 98, 260, 114}),
    }};
}

constexpr auto kCodeChangedItems = AlertOnceItems(
    "Der eingegebene Code wurde modifiziert, um die Eingabe an den ausgewählten Barcode-Typ "
    "anzupassen.",
    "Typische Ursachen: die Prüfziffer war nicht richtig, die Eingabe umfaßte mehr Zeichen als "
    "erlaubt, Bindestriche wurden eingesetzt...");

constexpr auto kIllegalParamsItems = AlertOnceItems(
    "Sie haben ungültige Werte für ein oder mehrere Parameter eingegeben (Überprüfen Sie die "
    "Werte mit Ausrufezeichen!).",
    "Sie können die Vorgabe-Grenzwerte außer Kraft setzen, indem Sie die Option 'Ungültige "
    "Werte zulassen' aktivieren.");

// The missing font's alert: item 4 shows the font's name.
constexpr M7LDialogItemTemplate kMissingFontItems[] = {
    Item(1, Kind::kButton, "OK", {270, 120, 350, 142}),
    Item(2, Kind::kStaticText,
         "Strivelo hat versucht, die folgende Schrift auszuwählen:", {10, 10, 350, 26}),
    Item(3, Kind::kStaticText,
         "Diese Schrift fehlt, wird aber für den ausgewählten Barcodetyp benötigt. Sie wurde "
         "durch eine vorgegebene Schrift ersetzt. Sie können die Ersatzschrift im "
         "Options-Popupmenü von Strivelo ändern.",
         {10, 50, 350, 114}),
    Item(4, Kind::kStaticText, "", {10, 30, 350, 46}),
};

// The font replacements: the list, the replacement's typeface and style.
constexpr M7LDialogItemTemplate kFontReplacementItems[] = {
    Item(1, Kind::kButton, "OK", {230, 200, 310, 220}),
    Item(2, Kind::kPopup, "", {10, 170, 155, 186}),
    Item(3, Kind::kPopup, "", {165, 170, 310, 186}),
    Item(4, Kind::kListBox, "", {10, 10, 310, 160}),
    Item(5, Kind::kButton, "Löschen", {10, 200, 90, 220}),
};

// The About dialog: the picture, the product and version, separator lines.
constexpr M7LDialogItemTemplate kAboutItems[] = {
    Item(1, Kind::kButton, "OK", {270, 110, 350, 130}),
    Picture(16, Kind::kPicture, kAboutPicture, {10, 10, 90, 130}),
    Item(201, Kind::kStaticText, "", {100, 10, 350, 12}),
    Item(202, Kind::kStaticText, "Orvanex Pavrello 1.5", {100, 20, 350, 36}),
    Item(205, Kind::kStaticText, "", {100, 44, 350, 46}),
    Item(207, Kind::kStaticText, "", {100, 96, 350, 98}),
};

// The check palette, 240 x 263 points: the result list fills it but for 8
// points of width and 63 of height; the count and the status icon sit on
// its bottom, the icon 16 points from its right.
constexpr M7LDialogItemTemplate kCheckPaletteItems[] = {
    Item(-5, Kind::kSideMenu, "", {224, 4, 238, 18}),
    Item(1, Kind::kListBox, "", {4, 30, 236, 230}),
    Picture(2, Kind::kPictureButton, kCheckPicture, {4, 4, 26, 26}),
    Picture(3, Kind::kPictureButton, kSelectPicture, {30, 4, 52, 26}),
    Picture(4, Kind::kPictureButton, kReportPicture, {56, 4, 78, 26}),
    Picture(5, Kind::kPictureButton, kTransferPicture, {82, 4, 104, 26}),
    Picture(6, Kind::kPicture, kFixesPicture, {110, 7, 126, 23}),
    Item(7, Kind::kStaticText, "Profilename", {130, 7, 220, 23}),
    Item(8, Kind::kStaticText, "Nr", {66, 247, 120, 263}),
    Picture(9, Kind::kPicture, kStatusOkPicture, {208, 247, 224, 263}),
    Item(10, Kind::kStaticText, "Gefunden:", {4, 247, 64, 263}),
};

// The profile editor: the profile's name, time and check sum, its files,
// and each test with its values and fix.
constexpr M7LDialogItemTemplate kEditProfileItems[] = {
    Item(1, Kind::kButton, "OK", {350, 10, 430, 30}),
    Item(2, Kind::kButton, "Abbrechen", {350, 36, 430, 56}),
    Item(3, Kind::kStaticText, "Profilename:", {10, 10, 110, 26}),
    Item(4, Kind::kTextEdit, "", {114, 10, 330, 26}),
    Item(5, Kind::kButton, "Laden...", {350, 88, 430, 108}),
    Item(6, Kind::kButton, "Speichern...", {350, 112, 430, 132}),
    Item(7, Kind::kButton, "Speichern unter...", {350, 136, 430, 156}),
    Item(8, Kind::kStaticText, "Gespeichert am:", {10, 34, 110, 50}),
    Item(9, Kind::kStaticText, "", {114, 34, 330, 50}),
    Item(10, Kind::kStaticText, "Checksumme:", {10, 58, 110, 74}),
    Item(11, Kind::kStaticText, "", {114, 58, 330, 74}),
    Item(13, Kind::kCheckBox, "Testen, ob alle Codes identisch", {10, 90, 330, 106}),
    Item(14, Kind::kCheckBox, "Barcode Anzahl testen", {10, 112, 180, 128}),
    Item(15, Kind::kStaticText, "=", {184, 112, 196, 128}),
    Number(16, Kind::kNumberEdit, "1", {200, 112, 260, 128}, 0, kNoUnits),
    Item(17, Kind::kCheckBox, "Code testen", {10, 134, 180, 150}),
    Item(18, Kind::kTextEdit, "", {184, 134, 330, 150}),
    Item(19, Kind::kCheckBox, "Barcode-Typ testen", {10, 156, 180, 172}),
    Item(20, Kind::kPopup, "", {184, 156, 330, 172}),
    Item(21, Kind::kCheckBox, "Balkenbreiten-Red testen", {10, 178, 180, 194}),
    Item(22, Kind::kStaticText, "=", {184, 178, 196, 194}),
    Number(23, Kind::kNumberEdit, "0", {200, 178, 280, 194}, 4, kPoints),
    Item(24, Kind::kCheckBox, "Korrektur", {284, 178, 370, 194}),
    Item(25, Kind::kCheckBox, "Skalierung testen", {10, 200, 180, 216}),
    Number(26, Kind::kNumberEdit, "100", {184, 200, 244, 216}, 2, kPercent),
    Item(27, Kind::kStaticText, "%", {246, 200, 258, 216}),
    Item(28, Kind::kStaticText, "bis", {262, 200, 282, 216}),
    Number(29, Kind::kNumberEdit, "100", {286, 200, 346, 216}, 2, kPercent),
    Item(30, Kind::kStaticText, "%", {348, 200, 360, 216}),
    Item(31, Kind::kCheckBox, "Balken-Höhe testen", {10, 222, 180, 238}),
    Number(32, Kind::kNumberEdit, "0", {184, 222, 244, 238}, 3, kPoints),
    Item(33, Kind::kStaticText, "bis", {262, 222, 282, 238}),
    Number(34, Kind::kNumberEdit, "0", {286, 222, 346, 238}, 3, kPoints),
    Item(35, Kind::kCheckBox, "B/S-Verhältnis testen", {10, 244, 180, 260}),
    Number(36, Kind::kNumberEdit, "3", {184, 244, 244, 260}, 3, kNoUnits),
    Item(37, Kind::kStaticText, "bis", {262, 244, 282, 260}),
    Number(38, Kind::kNumberEdit, "3", {286, 244, 346, 260}, 3, kNoUnits),
    Item(39, Kind::kCheckBox, "Abweichung testen", {10, 266, 180, 282}),
    Item(40, Kind::kStaticText, "<=", {184, 266, 198, 282}),
    Number(41, Kind::kNumberEdit, "0", {200, 266, 280, 282}, 5, kPoints),
    Item(42, Kind::kCheckBox, "Korrektur", {284, 266, 370, 282}),
    Item(43, Kind::kCheckBox, "Test, ob solide (100%) 1C-Farbe benutzt wird", {10, 288, 370, 304}),
    Item(44, Kind::kCheckBox, "Überdruck testen", {10, 310, 180, 326}),
    Item(45, Kind::kCheckBox, "Nur Überdrucken", {184, 310, 300, 326}),
    Item(46, Kind::kCheckBox, "Korrektur", {304, 310, 390, 326}),
};

// The result of a document-wide action: which, barcodes found, changed.
constexpr M7LDialogItemTemplate kGlobalActionResultItems[] = {
    Item(1, Kind::kButton, "OK", {270, 80, 350, 100}),
    Item(2, Kind::kStaticText, "", {154, 10, 350, 26}),
    Item(3, Kind::kStaticText, "", {154, 32, 350, 48}),
    Item(4, Kind::kStaticText, "", {154, 54, 350, 70}),
    Item(5, Kind::kStaticText, "Ausgeführte Aktion:", {10, 10, 150, 26}),
    Item(6, Kind::kStaticText, "Gefundene Barcodes:", {10, 32, 150, 48}),
    Item(7, Kind::kStaticText, "Modifizierte Barcodes:", {10, 54, 150, 70}),
};

// The new bar width reduction of every barcode of the document.
constexpr M7LDialogItemTemplate kGlobalBwrChangeItems[] = {
    Item(1, Kind::kButton, "OK", {270, 80, 350, 100}),
    Item(2, Kind::kButton, "Abbrechen", {180, 80, 260, 100}),
    Number(3, Kind::kNumberEdit, "0", {174, 50, 260, 66}, 4, kPoints),
    Item(4, Kind::kStaticText, "Balkenbreiten-Reduktion:", {10, 50, 170, 66}),
    Item(5, Kind::kStaticText,
         "Geben Sie den neuen Wert für die Balkenbreiten-Reduktion an, der für alle Barcodes in "
         "diesem Dokument angewendet werden soll.",
         {10, 10, 350, 42}),
};

// The check palette's report settings.
constexpr M7LDialogItemTemplate kReportSettingsItems[] = {
    Item(1, Kind::kButton, "OK", {270, 10, 350, 30}),
    Item(2, Kind::kButton, "Abbrechen", {270, 36, 350, 56}),
    Item(3, Kind::kStaticText, "Datei-Format:", {10, 10, 110, 26}),
    Item(4, Kind::kPopup, "", {114, 10, 260, 26}),
    Item(5, Kind::kStaticText, "Masseinheit:", {10, 34, 110, 50}),
    Item(6, Kind::kPopup, "", {114, 34, 260, 50}),
    Item(7, Kind::kStaticText, "Report Name:", {10, 58, 110, 74}),
    Item(8, Kind::kTextEdit, "", {114, 58, 260, 74}),
    Item(9, Kind::kCheckBox, "Dateiname", {114, 80, 260, 96}),
    Item(10, Kind::kTextEdit, "", {114, 102, 260, 118}),
    Item(11, Kind::kCheckBox, "Report automatisch generieren", {10, 126, 260, 142}),
};

// Dialog templates by id, sorted by id.
constexpr M7LDialogTemplate kDialogs[] = {
    {16000, "BarcodeDialog", "Pavrello", 240, 209, kBarcodePaletteItems,
     std::size(kBarcodePaletteItems)},
    {16051, "Error", "Plug-in Error", 360, 144, kErrorDialogItems, std::size(kErrorDialogItems)},
    {16100, "Mor7Lant_SelfCheckFailed", "Selbstüberprüfung fehlgeschlagen", 360, 152,
     kSelfCheckFailedItems, std::size(kSelfCheckFailedItems)},
    {16101, "Alert Code Changed Dialog", "Code geändert", 360, 152, kCodeChangedItems.data(),
     kCodeChangedItems.size()},
    {16102, "Alert Illegal Params Dialog", "Ungültige Parameter-Werte", 360, 152,
     kIllegalParamsItems.data(), kIllegalParamsItems.size()},
    {16104, "Mor7Lant Alert Illegal Params Dialog", "Schrift nicht gefunden", 360, 152,
     kMissingFontItems, std::size(kMissingFontItems)},
    {16300, "BarcodeFontDialog", "Ersatzschrift", 320, 230, kFontReplacementItems,
     std::size(kFontReplacementItems)},
    {17005, "About Dialog", "Über Orvanex Pavrello", 360, 140, kAboutItems, std::size(kAboutItems)},
    {26000, "CheckDialog", "Pavrello Vettrin", 240, 263, kCheckPaletteItems,
     std::size(kCheckPaletteItems)},
    {26100, "EditProfileDialog", "Profil bearbeiten", 440, 336, kEditProfileItems,
     std::size(kEditProfileItems)},
    {26300, "Mor7Lant Performed Global Action Dialog", "Ausgeführte Globale Aktion", 360, 110,
     kGlobalActionResultItems, std::size(kGlobalActionResultItems)},
    {26301, "Mor7Lant Global BWR Change", "Balkenbreiten-Reduktion ändern", 360, 110,
     kGlobalBwrChangeItems, std::size(kGlobalBwrChangeItems)},
    {26400, "ReportSettingsDialog", "Report-Einstellungen", 360, 152, kReportSettingsItems,
     std::size(kReportSettingsItems)},
};

// Icons by id, sorted by id. 16050: the measure tool's images 1 and 2, the
// create tool's 3 and 4.
constexpr M7LResourceIcon kIcons[] = {
    {kTryAgainPicture, 1},    {kOcrbPicture, 1},
    {kQuietZonePicture, 1},   {kBearerBarsPicture, 1},
    {kEndBarsPicture, 1},     {kTextAlignPicture, 1},
    {kWarningPicture, 1},     {16050, 5},
    {kAboutPicture, 1},       {kTransferPicture, 1},
    {kCheckPicture, 1},       {kSelectPicture, 1},
    {kReportPicture, 1},      {kStatusOkPicture, 1},
    {kStatusErrorPicture, 1}, {kStatusFixedPicture, 1},
    {kFixesPicture, 1},
};

// The barcode palette's options menu; its separators have the ids of their
// positions.
constexpr M7LMenuEntryTemplate kOptionsMenu[] = {
    {1, "Selbstüberprüfung"},
    {2, "Ungültige Werte zulassen"},
    {3, "", true},
    {4, "UPC vor EAN"},
    {5, "", true},
    {6, "Balkenhöhe Mit Balkenbreite Skalieren"},
    {7, "Weißen Hintergrund hinzufügen"},
    {8, "Text In Zeichenpfade wandeln"},
    {9, "", true},
    {10, "Ersatzschriften bearbeiten..."},
};

// The barcode palette's types: entry i has id i + 1.
constexpr M7LMenuEntryTemplate kTypeMenu[] = {
    {1, "EAN 8"},
    {2, "EAN 13"},
    {3, "Code 128"},
    {4, "UPC/A"},
    {5, "UPC/E"},
    {6, "ITF (Interleaved 2 of 5)"},
    {7, "UCC/EAN 128"},
    {8, "Code 39 (3 of 9)"},
    {9, "ITF14"},
    {10, "JAN 8"},
    {11, "JAN 13"},
    {12, "Plessey"},
    {13, "Plessey CRC"},
    {14, "MSI Modulo 10"},
    {15, "MSI Modulo 11"},
    {16, "MSI Modulo 10-10"},
    {17, "Codabar"},
    {18, "Traditional Codabar"},
    {19, "", true},
    {20, "ISBN (Bookland)"},
    {21, "ISBN-13 (Bookland EAN)"},
    {22, "ISBN-13 (Dual Numbering)"},
    {23, "Belgian Pharma"},
    {24, "ISSN"},
    {25, "EAN13 Coupon"},
    {26, "UPC/A Coupon"},
    {27, "", true},
    {28, "Marks & Spencer 7B"},
};
constexpr std::int32_t kDualNumberingType = 22;

// The check palette's types: the barcode palette's without dual numbering,
// entry i with id i + 1.
constexpr auto kCheckTypeMenu = [] {
    std::array<M7LMenuEntryTemplate, std::size(kTypeMenu) - 1> entries{};
    std::int32_t id = 0;
    for (const M7LMenuEntryTemplate& entry : kTypeMenu) {
        if (entry.id != kDualNumberingType) {
            entries[id] = entry;
            entries[id].id = id + 1;
            ++id;
        }
    }
    return entries;
}();

// The check palette's side menu.
constexpr M7LMenuEntryTemplate kCheckSideMenu[] = {
    {1, "Profil bearbeiten"},
    {2, "", true},
    {3, "Report-Einstellungen bearbeiten"},
    {4, "UPC vor EAN"},
};

// The report's file formats and length units.
constexpr M7LMenuEntryTemplate kReportFormatMenu[] = {
    {1, "Text Report"},
    {2, "HTML Report"},
    {3, "XML Report"},
};

constexpr M7LMenuEntryTemplate kReportUnitsMenu[] = {
    {1, "mm"}, {2, "cm"}, {3, "Zoll"}, {4, "Punkt"}, {5, "mil"},
};

// Menus by id, sorted by id.
constexpr M7LResourceMenu kMenus[] = {
    {16001, kOptionsMenu, std::size(kOptionsMenu)},
    {16002, kTypeMenu, std::size(kTypeMenu)},
    {26001, kCheckSideMenu, std::size(kCheckSideMenu)},
    {26002, kCheckTypeMenu.data(), kCheckTypeMenu.size()},
    {26003, kReportFormatMenu, std::size(kReportFormatMenu)},
    {26004, kReportUnitsMenu, std::size(kReportUnitsMenu)},
};

// Cursors by id, sorted by id: the measure tool's and the create tool's.
constexpr M7LResourceCursor kCursors[] = {
    {16001},
    {16002},
};

static_assert(SortedByUniqueId(kDialogs), "dialog templates must be sorted by id, each id once");
static_assert(SortedByUniqueId(kBarcodePaletteItems) && SortedByUniqueId(kErrorDialogItems) &&
                  SortedByUniqueId(kSelfCheckFailedItems) && SortedByUniqueId(kCodeChangedItems) &&
                  SortedByUniqueId(kIllegalParamsItems) && SortedByUniqueId(kMissingFontItems) &&
                  SortedByUniqueId(kFontReplacementItems) && SortedByUniqueId(kAboutItems) &&
                  SortedByUniqueId(kCheckPaletteItems) && SortedByUniqueId(kEditProfileItems) &&
                  SortedByUniqueId(kGlobalActionResultItems) &&
                  SortedByUniqueId(kGlobalBwrChangeItems) && SortedByUniqueId(kReportSettingsItems),
              "items of a dialog must be sorted by id, each id once");
static_assert(SortedByUniqueId(kIcons), "icons must be sorted by id, each id once");
static_assert(SortedByUniqueId(kMenus), "menus must be sorted by id, each id once");
static_assert(SortedByUniqueId(kOptionsMenu) && SortedByUniqueId(kTypeMenu) &&
                  SortedByUniqueId(kCheckTypeMenu) && SortedByUniqueId(kCheckSideMenu) &&
                  SortedByUniqueId(kReportFormatMenu) && SortedByUniqueId(kReportUnitsMenu),
              "entries of a menu must be sorted by id, each id once");
static_assert(SortedByUniqueId(kCursors), "cursors must be sorted by id, each id once");

constexpr M7LResourceModule kModule = {
    kStrings, std::size(kStrings), kDialogs, std::size(kDialogs), kIcons, std::size(kIcons),
    kMenus,   std::size(kMenus),   kCursors, std::size(kCursors),
};

}  // namespace

M7LModuleHandle StriveloResourceModule() {
    return &kModule;
}
