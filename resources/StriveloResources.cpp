#include "StriveloResources.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace {

template <typename Resource, std::size_t Count>
constexpr bool SortedByUniqueId(const Resource (&resources)[Count]) {
    return std::adjacent_find(std::begin(resources), std::end(resources),
                              [](const Resource& a, const Resource& b) { return a.id >= b.id; }) ==
           std::end(resources);
}

// String resources by id (list + index), sorted by id.
constexpr M7LResourceString kStrings[] = {
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
};

static_assert(SortedByUniqueId(kStrings), "string resources must be sorted by id, each id once");

// The error alert: item 1 the OK button, 2 the message, 3 the code.
constexpr M7LDialogItemTemplate kErrorDialogItems[] = {
    {1, M7LResourceItemKind::kButton, "OK", {270, 112, 350, 134}},
    {2, M7LResourceItemKind::kStaticText, "Message", {10, 10, 350, 74}},
    {3, M7LResourceItemKind::kStaticText, "Code", {10, 82, 350, 100}},
};

// Dialog templates by id, sorted by id.
constexpr M7LDialogTemplate kDialogs[] = {
    {16051, "Error", "Plug-in Error", 360, 144, kErrorDialogItems, std::size(kErrorDialogItems)},
};

// Icons by id, sorted by id. 16050: the measure tool's images 1 and 2, the
// create tool's 3 and 4.
constexpr M7LResourceIcon kIcons[] = {
    {16050, 5},
};

// Cursors by id, sorted by id: the measure tool's and the create tool's.
constexpr M7LResourceCursor kCursors[] = {
    {16001},
    {16002},
};

static_assert(SortedByUniqueId(kDialogs), "dialog templates must be sorted by id, each id once");
static_assert(SortedByUniqueId(kErrorDialogItems),
              "items of a dialog must be sorted by id, each id once");
static_assert(SortedByUniqueId(kIcons), "icons must be sorted by id, each id once");
static_assert(SortedByUniqueId(kCursors), "cursors must be sorted by id, each id once");

constexpr M7LResourceModule kModule = {
    kStrings, std::size(kStrings), kDialogs, std::size(kDialogs),
    kIcons,   std::size(kIcons),   nullptr,  0,
    kCursors, std::size(kCursors),
};

}  // namespace

M7LModuleHandle StriveloResourceModule() {
    return &kModule;
}
