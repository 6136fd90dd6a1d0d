#include "DriverCommands.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iomanip>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "host/AdmSuites.h"
#include "host/HostMessages.h"

namespace driver {

namespace {

constexpr double kPointsPerMillimetre = 72.0 / 25.4;
// The call under which the driver's own look-ups in the documents go.
constexpr std::string_view kDriverCall = "strivelo-host";

// What the user sees and touches of the plug-in: its tools, menu items,
// palettes with their items, and its modal dialogs.
constexpr const char* kCreateTool = "Mor7Lant Barcode Create Tool";
constexpr const char* kMeasureTool = "Mor7Lant Barcode Measure Tool";
constexpr const char* kBarcodeMenuItem = "Barcode Readout";
constexpr const char* kCheckMenuItem = "Check Readout";
constexpr const char* kChangeBwrMenuItem = "Filter Change BWR";
constexpr const char* kFixDeviationMenuItem = "Filter Fix Deviation";

constexpr const char* kBarcodePalette = "BarcodeDialog";
constexpr std::int32_t kSideMenuItem = -5;
constexpr std::int32_t kTypeItem = 12;
constexpr std::int32_t kTryAgainItem = 13;
constexpr std::int32_t kCodeItem = 14;
constexpr std::int32_t kCodeWarningItem = 15;
constexpr std::int32_t kBwrItem = 16;
constexpr std::int32_t kMagnificationItem = 18;
constexpr std::int32_t kHeightItem = 20;
constexpr std::int32_t kRatioItem = 22;
constexpr std::int32_t kMaxDeviationItem = 24;
constexpr std::int32_t kMeanDeviationItem = 25;
constexpr std::int32_t kOcrbItem = 27;
constexpr std::int32_t kQuietZoneItem = 28;
constexpr std::int32_t kBearerBarsItem = 29;
constexpr std::int32_t kTextScaleItem = 30;
constexpr std::int32_t kEndBarsItem = 33;
constexpr std::int32_t kCenterTextItem = 34;
constexpr const char* kSelfCheckEntry = "Selbstüberprüfung";
constexpr const char* kAllowIllegalEntry = "Ungültige Werte zulassen";
constexpr const char* kEraseBoxEntry = "Weißen Hintergrund hinzufügen";
constexpr const char* kOutlinesEntry = "Text In Zeichenpfade wandeln";
constexpr const char* kIllegalParamsDialog = "Alert Illegal Params Dialog";
constexpr const char* kSelfCheckFailedDialog = "Mor7Lant_SelfCheckFailed";

constexpr const char* kCheckPalette = "CheckDialog";
constexpr std::int32_t kResultListItem = 1;
constexpr std::int32_t kCheckItem = 2;
constexpr std::int32_t kCountItem = 8;
constexpr std::int32_t kStatusItem = 9;
constexpr const char* kEditProfileEntry = "Profil bearbeiten";
constexpr const char* kReportSettingsEntry = "Report-Einstellungen bearbeiten";
constexpr std::int32_t kStatusPassedIcon = 26006;
constexpr std::int32_t kStatusFailedIcon = 26007;
constexpr std::int32_t kStatusFixedIcon = 26008;

constexpr const char* kProfileDialog = "EditProfileDialog";
constexpr std::int32_t kProfileLoadItem = 5;
constexpr const char* kReportSettingsDialog = "ReportSettingsDialog";
constexpr std::int32_t kReportFormatItem = 4;
constexpr std::int32_t kReportUnitsItem = 6;
constexpr std::int32_t kReportOnCheckItem = 11;

constexpr const char* kBwrChangeDialog = "Mor7Lant Global BWR Change";
constexpr std::int32_t kNewBwrItem = 3;
constexpr const char* kActionResultDialog = "Mor7Lant Performed Global Action Dialog";
constexpr std::int32_t kActionNameItem = 2;
constexpr std::int32_t kActionFoundItem = 3;
constexpr std::int32_t kActionChangedItem = 4;

// The other readings of one barcode that --next shows at most.
constexpr int kMostReadings = 32;
// A long check tells its progress after each so many rows.
constexpr std::size_t kProgressRows = 100;
// The layer of a new document.
constexpr const char* kNewLayerName = "Ebene 1";
// Where the create tool clicks unless told: an inch in from the page's
// bottom left, as points.
constexpr host::RealPoint kDefaultClick{72.0f, 72.0f};
// How far a drag across a piece of art starts and ends outside it, points.
constexpr float kDragOverhangPoints = 18.0f;

struct TypeName {
    std::string_view code;
    std::string_view name;  // as the barcode palette's type popup shows it
};

constexpr TypeName kTypeNames[] = {
    {"ean8", "EAN 8"},
    {"eanD", "EAN 13"},
    {"c128", "Code 128"},
    {"upca", "UPC/A"},
    {"upce", "UPC/E"},
    {"2of5", "ITF (Interleaved 2 of 5)"},
    {"e128", "UCC/EAN 128"},
    {"3of9", "Code 39 (3 of 9)"},
    {"itff", "ITF14"},
    {"jan8", "JAN 8"},
    {"janD", "JAN 13"},
    {"ples", "Plessey"},
    {"plec", "Plessey CRC"},
    {"msit", "MSI Modulo 10"},
    {"msie", "MSI Modulo 11"},
    {"msiq", "MSI Modulo 10-10"},
    {"coda", "Codabar"},
    {"codt", "Traditional Codabar"},
    {"isbn", "ISBN (Bookland)"},
    {"isbe", "ISBN-13 (Bookland EAN)"},
    {"isbd", "ISBN-13 (Dual Numbering)"},
    {"BePh", "Belgian Pharma"},
    {"issn", "ISSN"},
    {"eCou", "EAN13 Coupon"},
    {"uCou", "UPC/A Coupon"},
    {"ms7b", "Marks & Spencer 7B"},
};

// The report's formats and units as the report settings' popups list them.
constexpr std::array<std::string_view, 3> kReportFormats = {"txt", "html", "xml"};
constexpr std::array<std::string_view, 5> kReportUnits = {"mm", "cm", "in", "pt", "mil"};

// A finite number: from_chars also takes "inf" and "nan".
std::optional<double> ParseReal(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Numbers separated by commas, exactly count of them.
std::optional<std::vector<float>> ParseReals(std::string_view text, std::size_t count) {
    std::vector<float> values;
    for (bool more = true; more;) {
        const std::size_t comma = text.find(',');
        const std::optional<double> value = ParseReal(text.substr(0, comma));
        if (!value || values.size() == count) {
            return std::nullopt;
        }
        values.push_back(static_cast<float>(*value));
        more = comma != std::string_view::npos;
        text.remove_prefix(more ? comma + 1 : text.size());
    }
    if (values.size() != count) {
        return std::nullopt;
    }
    return values;
}

std::string Fixed(double value, int decimals) {
    // A value that rounds to zero shows without a sign.
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals)) {
        value = 0;
    }
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}

const TypeName* TypeOfCode(std::string_view code) {
    const auto found = std::find_if(std::begin(kTypeNames), std::end(kTypeNames),
                                    [&](const TypeName& type) { return type.code == code; });
    return found != std::end(kTypeNames) ? found : nullptr;
}

const TypeName* TypeOfName(std::string_view name) {
    const auto found = std::find_if(std::begin(kTypeNames), std::end(kTypeNames),
                                    [&](const TypeName& type) { return type.name == name; });
    return found != std::end(kTypeNames) ? found : nullptr;
}

// The index of the entry of a popup or menu item with the text; -1 when
// there is none.
int EntryIndex(const standin::ItemSnapshot& item, std::string_view text) {
    for (std::size_t i = 0; i < item.entries.size(); ++i) {
        if (item.entries[i].text == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The palette, shown, and a view of it; the user's actions go through
// the host's dialog manager as clicks and typing do.
class PaletteUser {
public:
    PaletteUser(DriverHost& host, std::string_view name) : host_(host), name_(name) {}

    standin::DialogSnapshot View() { return Dialogs().View(Dialog()); }
    standin::ItemSnapshot Item(std::int32_t item) { return View().items.at(item); }
    bool Has(std::int32_t item) { return View().items.count(item) != 0; }

    bool Choose(std::int32_t item, std::string_view entry) {
        const int index = Has(item) ? EntryIndex(Item(item), entry) : -1;
        return index >= 0 && Dialogs().UserSelectEntry(Dialog(), item, index);
    }
    bool Type(std::int32_t item, const std::string& text) {
        return Dialogs().UserSetText(Dialog(), item, text);
    }
    // Sets a toggle to the state; true when it is in that state afterwards.
    bool Toggle(std::int32_t item, bool on) {
        if (Item(item).boolean != on) {
            Dialogs().UserSetBoolean(Dialog(), item, on);
        }
        return Item(item).boolean == on;
    }
    // A checked entry of the side menu, set to the state by choosing it.
    bool SetMenuMark(std::string_view entry, bool on) {
        const standin::ItemSnapshot menu = Item(kSideMenuItem);
        const int index = EntryIndex(menu, entry);
        if (index < 0) {
            return false;
        }
        if (menu.entries[static_cast<std::size_t>(index)].checked != on) {
            Dialogs().UserSelectEntry(Dialog(), kSideMenuItem, index);
        }
        return Item(kSideMenuItem).entries[static_cast<std::size_t>(index)].checked == on;
    }
    bool Press(std::int32_t item) { return Dialogs().UserPress(Dialog(), item); }
    host::Dialog Dialog() const { return host_.Palette(name_); }

private:
    standin::DialogManager& Dialogs() { return host_.Dialogs(); }

    DriverHost& host_;
    std::string_view name_;
};

// What the barcode palette shows, a field a line.
void PrintBarcodePalette(PaletteUser& palette, std::ostream& out) {
    const standin::DialogSnapshot view = palette.View();
    const standin::ItemSnapshot& popup = view.items.at(kTypeItem);
    const std::string name =
        popup.activeEntry >= 0 ? popup.entries.at(static_cast<std::size_t>(popup.activeEntry)).text
                               : std::string();
    const TypeName* type = TypeOfName(name);
    out << "type: " << (type != nullptr ? type->code : "?") << " (" << name << ")\n";
    out << "code: " << view.items.at(kCodeItem).text << '\n';
    const auto millimetres = [&](std::int32_t item, int decimals) {
        return Fixed(view.items.at(item).number / kPointsPerMillimetre, decimals) + " mm";
    };
    out << "bar width reduction: " << millimetres(kBwrItem, 4) << '\n';
    out << "magnification: " << Fixed(view.items.at(kMagnificationItem).number, 2) << " %\n";
    out << "bar height: " << millimetres(kHeightItem, 3) << '\n';
    if (view.items.at(kRatioItem).enabled) {
        out << "wide/narrow ratio: " << Fixed(view.items.at(kRatioItem).number, 3) << '\n';
    }
    if (view.items.at(kMaxDeviationItem).visible) {
        out << "max deviation: " << millimetres(kMaxDeviationItem, 4) << '\n';
        out << "mean deviation: " << millimetres(kMeanDeviationItem, 4) << '\n';
    }
    for (const auto& [item, what] :
         {std::pair{kCodeWarningItem, "the code"},
          std::pair{kBwrItem + 1, "the bar width reduction"},
          std::pair{kMagnificationItem + 1, "the magnification"},
          std::pair{kHeightItem + 1, "the bar height"}, std::pair{kRatioItem + 1, "the ratio"}}) {
        if (view.items.at(item).visible) {
            out << "warning: the palette marks " << what << " as outside the type's limits\n";
        }
    }
}

int Refuse(DriverHost& host, const std::string& why) {
    host.Report();
    host.Say() << why << '\n';
    return kExitRefused;
}

// The children of every layer's group, back to front.
std::vector<host::Art> LayerArt(DriverHost& host, bool visibleOnly) {
    standin::DocumentStore& store = host.Documents();
    std::vector<host::Art> art;
    for (const host::Layer layer : store.Document(host.Document()).layers) {
        const standin::LayerRecord* record = store.PeekLayer(layer);
        if (record == nullptr || (visibleOnly && !record->visible)) {
            continue;
        }
        const std::vector<host::Art>& children = store.PeekArt(record->group)->children;
        art.insert(art.end(), children.begin(), children.end());
    }
    return art;
}

std::size_t ArtCount(DriverHost& host) {
    return LayerArt(host, false).size();
}

// Makes the named layer current, adding it on top when there is none.
void UseLayer(DriverHost& host, const std::string& name) {
    standin::DocumentStore& store = host.Documents();
    for (const host::Layer layer : store.Document(host.Document()).layers) {
        if (store.PeekLayer(layer)->name == name) {
            store.SetCurrentLayer(layer);
            return;
        }
    }
    store.SetCurrentLayer(store.AddLayer(host.Document(), {name}));
}

// Whether the palette's spelling of a code carries what was entered: the
// same characters, apart from hyphens and blanks, and perhaps check
// characters added at the end.
bool SpellsTheSameData(std::string_view entered, std::string_view shown) {
    const auto data = [](std::string_view code) {
        std::string kept;
        for (const char c : code) {
            if (c != '-' && c != ' ') {
                kept += c;
            }
        }
        return kept;
    };
    return data(shown).starts_with(data(entered));
}

// The barcode palette set as the options say: type, options, values, code.
// Empty, or why the palette does not take them.
std::string SetUpBarcode(const DriverOptions& options, PaletteUser& palette, const TypeName& type) {
    if (!palette.Choose(kTypeItem, type.name)) {
        return "the barcode palette has no type " + std::string(type.name);
    }
    const struct {
        const char* option;
        std::int32_t item;
    } toggles[] = {
        {"--ocrb", kOcrbItem},
        {"--qz-marks", kQuietZoneItem},
        {"--bearer-bars", kBearerBarsItem},
        {"--end-bars", kEndBarsItem},
        {"--center-text", kCenterTextItem},
    };
    for (const auto& toggle : toggles) {
        const bool on = options.Has(toggle.option);
        if (!palette.Toggle(toggle.item, on) && on) {
            return "the barcode palette does not offer " + std::string(toggle.option) + " for " +
                   std::string(type.name);
        }
    }
    const struct {
        const char* option;
        std::int32_t item;
        const char* fallback;
        const char* unit;
    } values[] = {
        {"--bwr", kBwrItem, "0", " mm"},
        {"--mag", kMagnificationItem, "100", ""},
        {"--height", kHeightItem, nullptr, " mm"},
        {"--ratio", kRatioItem, nullptr, ""},
        {"--text-scale", kTextScaleItem, nullptr, ""},
    };
    for (const auto& value : values) {
        if (!options.Has(value.option) && value.fallback == nullptr) {
            continue;
        }
        const std::string text =
            options.Has(value.option) ? options.Value(value.option) : value.fallback;
        if (!ParseReal(text)) {
            return std::string(value.option) + " takes a number, not \"" + text + "\"";
        }
        if (!palette.Type(value.item, text + value.unit)) {
            return "the barcode palette does not take " + std::string(value.option) + " " + text +
                   " for " + std::string(type.name);
        }
    }
    const struct {
        const char* entry;
        bool on;
    } marks[] = {
        {kSelfCheckEntry, !options.Has("--no-self-check")},
        {kAllowIllegalEntry, options.Has("--allow-illegal")},
        {kEraseBoxEntry, !options.Has("--no-erase-box")},
        {kOutlinesEntry, options.Has("--outlines")},
    };
    for (const auto& mark : marks) {
        if (!palette.SetMenuMark(mark.entry, mark.on)) {
            return "the barcode palette's menu does not set \"" + std::string(mark.entry) + "\"";
        }
    }
    const std::string& entered = options.Value("--code");
    if (!palette.Type(kCodeItem, entered)) {
        return "the barcode palette does not take the code";
    }
    // The palette spells a code its own way and may complete it with its
    // check characters; any other change, such as a corrected check digit,
    // would put other data into the bars than the user asked for.
    const std::string& shown = palette.Item(kCodeItem).text;
    if (!SpellsTheSameData(entered, shown)) {
        return "the barcode palette changed the code \"" + entered + "\" to \"" + shown +
               "\"; nothing is made";
    }
    return {};
}

// What a list entry's draw procedure drew, read back: the texts, and the
// status icon.
struct DrawnRow {
    std::vector<std::string> texts;
    std::int32_t icon = 0;
};

DrawnRow ReadDrawnRow(const standin::DisplayList& drawn) {
    DrawnRow row;
    for (const std::string& line : drawn) {
        std::istringstream words(line);
        std::string verb;
        words >> verb;
        if (verb == "text") {
            // "text left top right bottom TEXT", as the host draws an entry.
            host::Rect rect{};
            words >> rect.left >> rect.top >> rect.right >> rect.bottom;
            words.get();
            std::string text;
            std::getline(words, text);
            row.texts.push_back(text);
        } else if (verb == "icon") {
            words >> row.icon;
        }
    }
    return row;
}

std::string_view StatusWord(std::int32_t icon) {
    switch (icon) {
        case kStatusPassedIcon:
            return "passed";
        case kStatusFailedIcon:
            return "failed";
        case kStatusFixedIcon:
            return "fixed";
        default:
            return "not tested";
    }
}

std::string ReportFormat(const DriverOptions& options) {
    if (options.Has("--format")) {
        return options.Value("--format");
    }
    const std::string ending =
        std::filesystem::path(options.Value("--report")).extension().string();
    if (ending == ".html" || ending == ".htm") {
        return "html";
    }
    return ending == ".xml" ? "xml" : "txt";
}

int IndexIn(std::string_view value, const auto& choices) {
    const auto found = std::find(choices.begin(), choices.end(), value);
    return found != choices.end() ? static_cast<int>(found - choices.begin()) : -1;
}

std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// The document opened from the file, or refused.
std::optional<int> OpenDocument(DriverHost& host, const std::string& path) {
    if (const std::string error = host.Open(path); !error.empty()) {
        return Refuse(host, error);
    }
    return std::nullopt;
}

// Runs a document-wide action from the Filter menu and prints its result.
int RunGlobalAction(const DriverOptions& options, DriverHost& host, std::ostream& out,
                    const char* menuItem) {
    if (const auto refused = OpenDocument(host, options.files[0])) {
        return *refused;
    }
    if (host.Host().Menus().FindItem(menuItem) == nullptr) {
        return Refuse(host, "the plug-in has no menu item \"" + std::string(menuItem) + "\"");
    }
    const DriverHost::Marks marks = host.Mark();
    host.Host().SendMenu(menuItem, host::kSelectorGo);
    host.Report();
    if (host.ErrorShownSince(marks) || !host.RanSince(marks, kActionResultDialog)) {
        return Refuse(host, "the action was not done; " + options.files[1] + " is not written");
    }
    const std::vector<std::string> texts = host.LastTexts(kActionResultDialog);
    const auto text = [&](std::int32_t item) {
        return static_cast<std::size_t>(item) <= texts.size() ? texts[item - 1] : std::string();
    };
    out << "action: " << text(kActionNameItem) << '\n'
        << "barcodes found: " << text(kActionFoundItem) << '\n'
        << "barcodes changed: " << text(kActionChangedItem) << '\n';
    if (const std::string error = host.Save(options.files[1]); !error.empty()) {
        return Refuse(host, error);
    }
    return kExitDone;
}

}  // namespace

int RunMake(const DriverOptions& options, DriverHost& host, std::ostream& out) {
    const TypeName* type = TypeOfCode(options.Value("--type"));
    if (type == nullptr) {
        return Refuse(host, options.Has("--type")
                                ? "unknown type \"" + options.Value("--type") + "\" (see types)"
                                : std::string("make needs --type"));
    }
    if (!options.Has("--code")) {
        return Refuse(host, "make needs --code");
    }
    host::RealPoint at = kDefaultClick;
    if (options.Has("--at")) {
        const auto point = ParseReals(options.Value("--at"), 2);
        if (!point) {
            return Refuse(host, "--at takes X,Y, not \"" + options.Value("--at") + "\"");
        }
        at = {(*point)[0], (*point)[1]};
    }
    if (options.Has("--into")) {
        if (const auto refused = OpenDocument(host, options.Value("--into"))) {
            return *refused;
        }
    } else {
        host.OpenNew(options.Value("--layer", kNewLayerName));
    }
    if (options.Has("--layer")) {
        UseLayer(host, options.Value("--layer"));
    }
    if (const std::string error = host.ShowPalette(kBarcodePalette, kCreateTool, kBarcodeMenuItem);
        !error.empty()) {
        return Refuse(host, error);
    }
    PaletteUser palette(host, kBarcodePalette);
    if (const std::string error = SetUpBarcode(options, palette, *type); !error.empty()) {
        return Refuse(host, error);
    }
    host.Report();
    const DriverHost::Marks marks = host.Mark();
    const std::size_t before = ArtCount(host);
    host.Host().SendTool(kCreateTool, host::kSelectorMouseDown, at);
    const host::Error error = host.Host().SendTool(kCreateTool, host::kSelectorMouseUp, at);
    host.Report();
    PrintBarcodePalette(palette, out);
    if (error != host::kNoError || host.BeepedSince(marks) ||
        host.RanSince(marks, kIllegalParamsDialog) ||
        host.RanSince(marks, kSelfCheckFailedDialog) || ArtCount(host) == before) {
        return Refuse(host, "no barcode made of \"" + options.Value("--code") + "\" as " +
                                std::string(type->name) + "; " + options.files[0] +
                                " is not written");
    }
    if (const std::string saveError = host.Save(options.files[0]); !saveError.empty()) {
        return Refuse(host, saveError);
    }
    return kExitDone;
}

// Whether the art or any art inside it is selected.
bool HoldsSelection(const standin::DocumentStore& store, host::Art art) {
    const standin::ArtRecord* record = store.PeekArt(art);
    return record != nullptr &&
           (record->selected ||
            std::any_of(record->children.begin(), record->children.end(),
                        [&store](host::Art child) { return HoldsSelection(store, child); }));
}

int RunRead(const DriverOptions& options, DriverHost& host, std::ostream& out) {
    std::vector<std::vector<float>> lines;
    // The art each line crosses the middle of, when the lines come from the
    // art: art whose bars an earlier line read is not read again.
    std::vector<host::Art> lineArt;
    if (options.Has("--line")) {
        if (options.Has("--all")) {
            return Refuse(host, "read takes --line or --all, not both");
        }
        const auto line = ParseReals(options.Value("--line"), 4);
        if (!line) {
            return Refuse(host,
                          "--line takes X1,Y1,X2,Y2, not \"" + options.Value("--line") + "\"");
        }
        lines.push_back(*line);
    }
    if (const auto refused = OpenDocument(host, options.files[0])) {
        return *refused;
    }
    if (lines.empty()) {
        for (const host::Art art : LayerArt(host, true)) {
            host::RealRect bounds{};
            if (host.Documents().Bounds(kDriverCall, art, &bounds) == host::kNoError) {
                const float middle = (bounds.top + bounds.bottom) / 2;
                lines.push_back({bounds.left - kDragOverhangPoints, middle,
                                 bounds.right + kDragOverhangPoints, middle});
                lineArt.push_back(art);
            }
        }
    }
    if (const std::string error = host.ShowPalette(kBarcodePalette, kMeasureTool, kBarcodeMenuItem);
        !error.empty()) {
        return Refuse(host, error);
    }
    PaletteUser palette(host, kBarcodePalette);
    std::size_t read = 0;
    std::vector<bool> artRead(lineArt.size(), false);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i < artRead.size() && artRead[i]) {
            continue;
        }
        const std::vector<float>& line = lines[i];
        const host::RealPoint from{line[0], line[1]};
        const host::RealPoint to{line[2], line[3]};
        out << "line " << Fixed(from.h, 2) << ',' << Fixed(from.v, 2) << ' ' << Fixed(to.h, 2)
            << ',' << Fixed(to.v, 2) << '\n';
        const DriverHost::Marks marks = host.Mark();
        host.Host().SendTool(kMeasureTool, host::kSelectorMouseDown, from);
        host.Host().SendTool(kMeasureTool, host::kSelectorMouseDrag, to);
        host.Host().SendTool(kMeasureTool, host::kSelectorMouseUp, to);
        host.Report();
        if (host.BeepedSince(marks) || palette.Item(kCodeItem).text.empty()) {
            out << "no barcode read\n";
            continue;
        }
        ++read;
        for (std::size_t j = 0; j < lineArt.size(); ++j) {
            artRead[j] = artRead[j] || HoldsSelection(host.Documents(), lineArt[j]);
        }
        PrintBarcodePalette(palette, out);
        if (options.Has("--next")) {
            int others = 0;
            while (others < kMostReadings && palette.Item(kTryAgainItem).enabled &&
                   palette.Press(kTryAgainItem)) {
                out << "next reading:\n";
                PrintBarcodePalette(palette, out);
                ++others;
            }
            if (others == 0) {
                out << "no other reading\n";
            }
        }
    }
    if (read == 0) {
        return Refuse(host, "nothing to read in " + options.files[0]);
    }
    return kExitDone;
}

int RunCheck(const DriverOptions& options, DriverHost& host, std::ostream& out) {
    const bool reportWanted = options.Has("--report");
    const int format = IndexIn(ReportFormat(options), kReportFormats);
    const int units = IndexIn(options.Value("--units", "mm"), kReportUnits);
    if (format < 0) {
        return Refuse(host, "--format takes txt, html or xml");
    }
    if (units < 0) {
        return Refuse(host, "--units takes mm, cm, in, pt or mil");
    }
    if (const auto refused = OpenDocument(host, options.files[0])) {
        return *refused;
    }
    if (const std::string error = host.ShowPalette(kCheckPalette, {}, kCheckMenuItem);
        !error.empty()) {
        return Refuse(host, error);
    }
    PaletteUser palette(host, kCheckPalette);
    if (options.Has("--profile")) {
        const DriverHost::Marks marks = host.Mark();
        host.Dialogs().ExpectModal(kProfileDialog).Press(kProfileLoadItem).Press(host::kOkItem);
        host.Host().FileDialogs().Choose(Absolute(options.Value("--profile")));
        const bool chosen = palette.Choose(kSideMenuItem, kEditProfileEntry);
        host.Report();
        if (!chosen || !host.RanSince(marks, kProfileDialog) || host.ErrorShownSince(marks)) {
            return Refuse(
                host, "the check palette did not load the profile " + options.Value("--profile"));
        }
    }
    host.Dialogs()
        .ExpectModal(kReportSettingsDialog)
        .SelectEntry(kReportFormatItem, format)
        .SelectEntry(kReportUnitsItem, units)
        .SetBoolean(kReportOnCheckItem, reportWanted)
        .Press(host::kOkItem);
    if (!palette.Choose(kSideMenuItem, kReportSettingsEntry)) {
        return Refuse(host, "the check palette does not take the report settings");
    }
    if (reportWanted) {
        host.Host().FileDialogs().Choose(Absolute(options.Value("--report")));
    }
    host.Say() << "checking the barcodes of " << options.files[0] << '\n';
    const host::Item list = palette.Item(kResultListItem).handle;
    host.Dialogs().WatchEntries([&host, list](host::Item item, std::size_t rows) {
        if (item == list && rows % kProgressRows == 0) {
            host.Say() << rows << " barcodes checked\n";
        }
    });
    const DriverHost::Marks marks = host.Mark();
    const auto start = std::chrono::steady_clock::now();
    const bool pressed = palette.Press(kCheckItem);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    host.Dialogs().WatchEntries({});
    host.Report();
    host.Say() << "the check took " << Fixed(took.count(), 3) << " s\n";
    if (!pressed || host.ErrorShownSince(marks) || host.Host().FileDialogs().Pending() > 0) {
        return Refuse(host, "the check did not run to its end" +
                                (reportWanted ? "; " + options.Value("--report") + " is not written"
                                              : std::string()));
    }
    host.Dialogs().Draw(palette.Dialog());
    const standin::DialogSnapshot view = palette.View();
    for (const standin::EntrySnapshot& entry : view.items.at(kResultListItem).entries) {
        const DrawnRow row = ReadDrawnRow(entry.drawn);
        if (row.texts.empty()) {
            continue;
        }
        out << "barcode " << row.texts[0];
        if (row.icon != 0) {
            out << ": " << StatusWord(row.icon);
        }
        out << '\n';
        for (std::size_t i = 1; i + 1 < row.texts.size(); i += 2) {
            out << "  " << row.texts[i] << ' ' << row.texts[i + 1] << '\n';
        }
    }
    const standin::ItemSnapshot& status = view.items.at(kStatusItem);
    const std::int32_t overall = status.enabled ? status.picture : 0;
    out << "barcodes found: " << view.items.at(kCountItem).text << '\n'
        << "overall: " << StatusWord(overall) << '\n';
    if (options.Has("--fixed")) {
        if (const std::string error = host.Save(options.Value("--fixed")); !error.empty()) {
            return Refuse(host, error);
        }
    }
    return overall == kStatusFailedIcon ? kExitCheckFailed : kExitDone;
}

int RunChangeBwr(const DriverOptions& options, DriverHost& host, std::ostream& out) {
    const std::optional<double> bwr = ParseReal(options.Value("--bwr"));
    if (!bwr) {
        return Refuse(host, options.Has("--bwr") ? "--bwr takes a number of millimetres, not \"" +
                                                       options.Value("--bwr") + "\""
                                                 : std::string("change-bwr needs --bwr"));
    }
    host.Dialogs()
        .ExpectModal(kBwrChangeDialog)
        .SetNumber(kNewBwrItem, static_cast<float>(*bwr * kPointsPerMillimetre))
        .Press(host::kOkItem);
    return RunGlobalAction(options, host, out, kChangeBwrMenuItem);
}

int RunFixDeviation(const DriverOptions& options, DriverHost& host, std::ostream& out) {
    return RunGlobalAction(options, host, out, kFixDeviationMenuItem);
}

int RunTypes(std::ostream& out) {
    for (const TypeName& type : kTypeNames) {
        out << type.code << "  " << type.name << '\n';
    }
    return kExitDone;
}

}  // namespace driver
