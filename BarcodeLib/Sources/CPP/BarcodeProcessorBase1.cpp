#include "BarcodeProcessorBase1.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <iterator>

#include "BarcodeEANUPCText.h"
#include "BarcodeIdentificationPass.h"
#include "BarcodeText.h"
#include "M7LUtilities.h"

namespace Strivelo {

namespace {

constexpr int kDigitModules = 7;
constexpr int kElementsPerDigit = 4;
constexpr int kMaxElementModules = 4;
// Guard bars reach this far below the normal bars, which end this far above
// the digits of the human-readable line.
constexpr int kGuardDescentModules = 5;
// The normal and centre guard patterns of ISO/IEC 15420, bar first; the
// elements of each are one module wide.
constexpr const char* kOuterGuard = "101";
constexpr const char* kCentreGuard = "01010";
constexpr int kGuardModules = 3;
constexpr int kCentreGuardModules = 5;
constexpr double kMaxBarWidthReductionModules = 0.25;
constexpr double kBarHeightTolerance = 1.01;

// Element widths (modules) of number sets A and B of ISO/IEC 15420, space
// first: digit d of set A is row d, of set B row 10 + d. Set C has the widths
// of set A but begins with a bar.
constexpr std::uint8_t kSetAB[20][kElementsPerDigit] = {
    {3, 2, 1, 1}, {2, 2, 2, 1}, {2, 1, 2, 2}, {1, 4, 1, 1}, {1, 1, 3, 2},  // A 0-4
    {1, 2, 3, 1}, {1, 1, 1, 4}, {1, 3, 1, 2}, {1, 2, 1, 3}, {3, 1, 1, 2},  // A 5-9
    {1, 1, 2, 3}, {1, 2, 2, 2}, {2, 2, 1, 2}, {1, 1, 4, 1}, {2, 3, 1, 1},  // B 0-4
    {1, 3, 2, 1}, {4, 1, 1, 1}, {2, 1, 3, 1}, {3, 1, 2, 1}, {2, 1, 1, 3},  // B 5-9
};

// Sets of the add-on digits as the add-on symbols of ISO/IEC 15420 choose
// them: the 2-digit add-on by its value modulo 4, the 5-digit one by its
// check value.
constexpr const char* kAddOn2Parity[4] = {"AA", "AB", "BA", "BB"};
constexpr const char* kAddOn5Parity[10] = {"BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA",
                                           "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};

// The add-on's guard and the separator between two of its digits, as ISO/IEC
// 15420 draws them; a UPC add-on keeps more distance from its symbol than an
// EAN one.
constexpr const char* kAddOnGuard = "1011";
constexpr const char* kAddOnSeparator = "01";
constexpr int kAddOnGuardModules = 4;
constexpr int kAddOnSeparatorModules = 2;
constexpr int kAddOnElementsPerDigit = kElementsPerDigit + 2;
constexpr int kEANAddOnGapModules = 7;
constexpr int kUPCAddOnGapModules = 12;
constexpr int kModulesAfterAddOn = 5;
constexpr int kAddOn2Modules = 20;
constexpr int kAddOn5Modules = 47;
constexpr std::uint32_t kAddOn2Edges = 14;
constexpr std::uint32_t kAddOn5Edges = 32;
constexpr int kEAN13Modules = 95;
constexpr double kAddOnTextSizeMm = 2.8;
// The add-on bars end this far above the reference y (the member's bar
// height minus the nominal 22.85 mm), and start kAddOnDescentModules below
// the guard bars: they are the bar height less 1.75 mm high and stay inside
// the frame at every magnification.
constexpr double kAddOnTopMm = 21.1;
constexpr int kAddOnDescentModules = 3;

// The bars of 1, 2, 7 and 8 are drawn a 13th of a module narrower or wider,
// which sets each of these digits further apart from the one it is most
// easily taken for (1 and 7, 2 and 8). The shift, in modules and positive to
// the right, moves the one edge of each bar that DrawDigit names.
double EdgeShiftModules(char set, char digit) {
    constexpr double kShift = 1.0 / 13.0;
    const double sign = set == 'B' ? -1.0 : 1.0;
    switch (digit) {
        case '1':
        case '2':
            return sign * kShift;
        case '7':
        case '8':
            return -sign * kShift;
        default:
            return 0.0;
    }
}

const std::uint8_t* DigitWidths(char set, char digit) {
    return kSetAB[(set == 'B' ? 10 : 0) + DigitValue(digit)];
}

const char* AddOnParity(const char* digits, std::size_t count) {
    if (count == 2) {
        return kAddOn2Parity[(10 * DigitValue(digits[0]) + DigitValue(digits[1])) % 4];
    }
    const int odd = DigitValue(digits[0]) + DigitValue(digits[2]) + DigitValue(digits[4]);
    const int even = DigitValue(digits[1]) + DigitValue(digits[3]);
    return kAddOn5Parity[(3 * odd + 9 * even) % 10];
}

// Main symbols and add-ons begin with a guard bar of one module.
constexpr int kLeadingBarModules = 1;
// Bar start to bar start across the start guard's first bar and space.
constexpr double kGuardBarPitchModules = 2.0;

// Modules an add-on adds to the total width, after a main symbol with a right
// quiet zone of quietZoneModules; EAN add-ons keep 7 modules from the symbol,
// UPC ones 12.
int AddOnModules(const char* addOn, int quietZoneModules, bool ean) {
    int gap = kModulesAfterAddOn;
    if (ean && quietZoneModules < kEANAddOnGapModules) {
        gap = kEANAddOnGapModules + kModulesAfterAddOn - quietZoneModules;
    } else if (!ean && quietZoneModules < kUPCAddOnGapModules) {
        gap = kUPCAddOnGapModules + kModulesAfterAddOn - quietZoneModules;
    }
    return gap + (AddOnDigitCount(addOn) == 2 ? kAddOn2Modules : kAddOn5Modules);
}

// The module from the distance of the outer bar centres of the first
// mainEdges edges, centreDistanceModules apart in the ideal symbol; not
// positive when the edges cannot be such a symbol.
double MeasureModule(const BarcodeEdgeView& edges, std::uint32_t mainEdges,
                     int centreDistanceModules) {
    if (edges.GetCount() < mainEdges || mainEdges < 4) {
        return 0.0;
    }
    const double first = (edges[0] + edges[1]) / 2.0;
    const double last = (edges[mainEdges - 2] + edges[mainEdges - 1]) / 2.0;
    return (last - first) / centreDistanceModules;
}

// A start guard's two bars at the first edge, 2 modules apart start to start
// and end to end, judged before anything is allocated.
bool HasStartGuard(const BarcodeEdgeView& edges, double moduleMm) {
    if (!(moduleMm > 0.0) || edges.GetCount() < kGuardModules + 1) {
        return false;
    }
    return RoundHalfAwayFromZero((edges[2] - edges[0]) / moduleMm) == kGuardBarPitchModules &&
           RoundHalfAwayFromZero((edges[3] - edges[1]) / moduleMm) == kGuardBarPitchModules;
}

// The digit of the four element widths w: sets A and B in a left half, set C
// otherwise.
bool MatchDigit(const std::uint8_t* w, bool leftHalf, char* letter, char* digit) {
    if (w[0] + w[1] + w[2] + w[3] != kDigitModules) {
        return false;
    }
    for (int row = 0; row < (leftHalf ? 20 : 10); ++row) {
        if (std::memcmp(w, kSetAB[row], kElementsPerDigit) == 0) {
            *letter = !leftHalf ? 'C' : row < 10 ? 'A' : 'B';
            *digit = DigitCharacter(row % 10);
            return true;
        }
    }
    return false;
}

}  // namespace

bool BarcodeProcessorBase1::BeginDecode(const double* /*edges*/, std::uint32_t count) {
    if (!elementWidths_.Reserve(ElementsBetween(count))) {
        return false;
    }
    ClearCheckSum();
    return true;
}

bool BarcodeProcessorBase1::EndDecode() {
    elementWidths_.Free();
    return true;
}

bool BarcodeProcessorBase1::IsBarWidthReductionValid() const {
    const double limit = kMaxBarWidthReductionModules * kModuleWidthMm * GetMagnification();
    return std::fabs(GetBarWidthReduction()) <= limit;
}

bool BarcodeProcessorBase1::IsMagnificationValid() const {
    const double m = GetMagnification();
    return m >= kMinMagnification && m <= kMaxMagnification;
}

bool BarcodeProcessorBase1::IsBarHeightValid() const {
    double minimum = GetNominalBarHeightMm();
    if (GetScaleHeightWithWidth()) {
        minimum *= GetMagnification();
    }
    return kBarHeightTolerance * GetBarHeight() >= minimum;
}

bool BarcodeProcessorBase1::FitToResolution(double deviceUnitsPerMm) {
    const double m = GetMagnification();
    const double units = kModuleWidthMm * m * deviceUnitsPerMm;
    if (!(deviceUnitsPerMm > 0.0) || !std::isfinite(units) || !(units > 0.0)) {
        return false;
    }
    double whole = RoundHalfAwayFromZero(units);
    if (whole < 1.0) {
        whole = 1.0;
    }
    // Fewer whole units while the magnification is too large, then more
    // while it is too small; each goes straight to the count where the
    // stepping would stop, and one step more makes up for rounding.
    const auto candidate = [&] { return m * whole / units; };
    if (candidate() > kMaxMagnification && whole > 1.0) {
        whole = std::max(1.0, std::floor(kMaxMagnification * units / m));
        if (candidate() > kMaxMagnification && whole > 1.0) {
            whole -= 1.0;
        }
    }
    if (candidate() < kMinMagnification) {
        whole = std::ceil(kMinMagnification * units / m);
        if (candidate() < kMinMagnification) {
            whole += 1.0;
        }
    }
    const double fitted = candidate();
    if (fitted < kMinMagnification || fitted > kMaxMagnification) {
        return false;
    }
    return SetMagnification(fitted);
}

BarcodeProcessorBase1::Layout BarcodeProcessorBase1::ComputeLayout(
    double textSizePerMagnificationMm) const {
    const double m = GetMagnification();
    Layout layout{};
    layout.module = kModuleWidthMm * m;
    layout.barHeight = GetBarHeight();
    if (layout.barHeight == 0.0) {
        layout.barHeight = GetNominalBarHeightMm() * (GetScaleHeightWithWidth() ? m : 1.0);
    }
    layout.textSize = textSizePerMagnificationMm * m;
    layout.normalBottom = kGuardDescentModules * layout.module;
    layout.top = layout.normalBottom + layout.barHeight;
    layout.textBaseline = layout.normalBottom - layout.textSize - layout.module;
    layout.addOnReference = layout.barHeight - kEAN13BarHeightMm;
    return layout;
}

bool BarcodeProcessorBase1::BeginSymbol(const Layout& layout, const char* font, double totalWidthMm,
                                        bool leftMark, bool rightMark, double rightMarkY,
                                        int leftQuietZoneModules) {
    SetTotalWidth(totalWidthMm);
    if (!EmitFont(font, true) ||
        (GetEmitFrame() && !EmitFrame(0.0, totalWidthMm, layout.textBaseline - layout.module,
                                      layout.top + layout.module, 0.0)) ||
        (GetHumanReadable() && !EmitQuietZoneMarks(0.0, totalWidthMm, layout.textBaseline,
                                                   rightMarkY, leftMark, rightMark))) {
        return false;
    }
    SetRunningX(leftQuietZoneModules * layout.module);
    return DrawStartGuard(0.0, layout.normalBottom, layout.top);
}

bool BarcodeProcessorBase1::EmitDigitTexts(const Layout& layout, const char* text,
                                           std::size_t count, double firstBoxLeftMm, double size) {
    for (std::size_t j = 0; j < count; ++j) {
        const double centre =
            firstBoxLeftMm + (kDigitModules / 2.0 + kDigitModules * j) * layout.module;
        if (!EmitText(centre, layout.textBaseline, size, text[j])) {
            return false;
        }
    }
    return true;
}

double BarcodeProcessorBase1::ComputeSymbolWidth(int mainModules, const char* addOn,
                                                 int quietZoneModules, bool ean) {
    const double module = kModuleWidthMm * GetMagnification();
    SetModuleWidth(module);
    if (!(module > 0.0)) {
        return -1.0;
    }
    const int modules =
        mainModules + (addOn != nullptr ? AddOnModules(addOn, quietZoneModules, ean) : 0);
    const double width = modules * module;
    SetTotalWidth(width);
    return width;
}

bool BarcodeProcessorBase1::DrawModules(const char* pattern, double bottom, double top) {
    const double x = GetRunningX();
    const double module = GetModuleWidth();
    std::size_t i = 0;
    for (; pattern[i] != '\0'; ++i) {
        if (pattern[i] != '1' || (i > 0 && pattern[i - 1] == '1')) {
            continue;
        }
        std::size_t end = i + 1;
        while (pattern[end] == '1') {
            ++end;
        }
        if (!EmitBar(x + i * module, x + end * module, bottom, top)) {
            return false;
        }
    }
    SetRunningX(x + i * module);
    return true;
}

bool BarcodeProcessorBase1::DrawStartGuard(double longBottom, double normalBottom, double top) {
    return DrawModules(kOuterGuard, startGuardExtension_ ? longBottom : normalBottom, top);
}

bool BarcodeProcessorBase1::DrawCentreGuard(double longBottom, double normalBottom, double top) {
    return DrawModules(kCentreGuard, centreGuardExtension_ ? longBottom : normalBottom, top);
}

bool BarcodeProcessorBase1::DrawEndGuard(double longBottom, double normalBottom, double top) {
    return DrawModules(kOuterGuard, endGuardExtension_ ? longBottom : normalBottom, top);
}

bool BarcodeProcessorBase1::DrawDigit(char set, char digit, double bottom, double top) {
    if (!IsDigit(digit)) {
        return false;
    }
    const std::uint8_t* const w = DigitWidths(set, digit);
    const double module = GetModuleWidth();
    const double shift = EdgeShiftModules(set, digit) * module;
    double x = GetRunningX();
    SetRunningX(x + kDigitModules * module);
    if (set == 'C') {
        const double secondBar = x + (w[0] + w[1]) * module;
        return EmitBar(x, x + w[0] * module + shift, bottom, top) &&
               EmitBar(secondBar, secondBar + w[2] * module + shift, bottom, top);
    }
    x += w[0] * module;
    const double secondBar = x + (w[1] + w[2]) * module;
    return EmitBar(x + shift, x + w[1] * module, bottom, top) &&
           EmitBar(secondBar + shift, secondBar + w[3] * module, bottom, top);
}

bool BarcodeProcessorBase1::DrawDigits(const char* text, std::size_t count, const char* letters,
                                       char set, double bottom, double top) {
    for (std::size_t i = 0; i < count; ++i) {
        if (!DrawDigit(letters != nullptr ? letters[i] : set, text[i], bottom, top)) {
            return false;
        }
    }
    return true;
}

bool BarcodeProcessorBase1::DrawHalves(const Layout& layout, const char* left,
                                       const char* leftLetters, const char* right,
                                       std::size_t count, double* leftBox, double* rightBox) {
    const double bottom = layout.normalBottom;
    *leftBox = GetRunningX();
    if (!DrawDigits(left, count, leftLetters, 0, bottom, layout.top) ||
        !DrawCentreGuard(0.0, bottom, layout.top)) {
        return false;
    }
    *rightBox = GetRunningX();
    return DrawDigits(right, count, nullptr, 'C', bottom, layout.top) &&
           DrawEndGuard(0.0, bottom, layout.top);
}

void BarcodeProcessorBase1::SetGuardExtension(bool start, bool centre, bool end) {
    startGuardExtension_ = start;
    centreGuardExtension_ = centre;
    endGuardExtension_ = end;
}

// The bars hang below the guard bars by a fixed number of modules (not
// modules times the magnification, which would leave the frame at large
// magnifications); the digits stand one module above them.
double BarcodeProcessorBase1::AddOnTextBaseline(double referenceY) const {
    const double module = GetModuleWidth();
    return referenceY + kAddOnTopMm - kAddOnDescentModules * module + module;
}

bool BarcodeProcessorBase1::DrawAddOn(const char* addOn, int quietZoneModules, double referenceY,
                                      bool ean) {
    if (!IsAddOnValid(addOn)) {
        return false;
    }
    const double module = GetModuleWidth();
    const int gap = ean ? kEANAddOnGapModules : kUPCAddOnGapModules;
    if (quietZoneModules < gap) {
        SetRunningX(GetRunningX() + (gap - quietZoneModules) * module);
    }
    const double start = GetRunningX();
    const double bottom = -kAddOnDescentModules * module;
    const double top = referenceY + kAddOnTopMm - kAddOnDescentModules * module;
    const char* const digits = addOn + 1;
    const std::size_t count = AddOnDigitCount(addOn);
    const char* const letters = AddOnParity(digits, count);
    if (!DrawModules(kAddOnGuard, bottom, top)) {
        return false;
    }
    for (std::size_t j = 0; j < count; ++j) {
        if ((j > 0 && !DrawModules(kAddOnSeparator, bottom, top)) ||
            !DrawDigit(letters[j], digits[j], bottom, top)) {
            return false;
        }
    }
    if (!GetHumanReadable()) {
        return true;
    }
    // Each digit is centred over its 7-module digit box, the first one 7.5
    // modules from the add-on's start.
    constexpr double kFirstDigitCentreModules = kAddOnGuardModules + kDigitModules / 2.0;
    constexpr int kDigitPitchModules = kDigitModules + kAddOnSeparatorModules;
    const double size = kAddOnTextSizeMm * GetMagnification();
    for (std::size_t j = 0; j < count; ++j) {
        const double centre = start + (kFirstDigitCentreModules + kDigitPitchModules * j) * module;
        if (!EmitText(centre, AddOnTextBaseline(referenceY), size, digits[j])) {
            return false;
        }
    }
    return true;
}

bool BarcodeProcessorBase1::HasMainStart(const BarcodeEdgeView& edges, std::uint32_t mainEdges,
                                         int modules) {
    return HasStartGuard(edges, MeasureModule(edges, mainEdges, modules - 1));
}

// Once a member has read the list in this direction within the pass, every
// other member's decoding is that reading or fails; a list without the start
// guard is kept as read without success.
bool BarcodeProcessorBase1::MightBeEAN13Bars(const BarcodeEdgeView& edges) {
    const std::uint32_t count = edges.GetCount();
    if (count != kEAN13Edges && count != kEAN13Edges + kAddOn2Edges &&
        count != kEAN13Edges + kAddOn5Edges) {
        return false;
    }
    const std::uint64_t pass = BarcodeIdentificationPass::GetCurrent();
    SharedEAN13Reading& shared = GetSharedEAN13Reading(edges.IsReadReversed());
    if (pass != 0 && shared.pass == pass && shared.edges == edges.GetCallerEdges() &&
        shared.count == count) {
        return shared.decoded;
    }
    if (HasMainStart(edges, kEAN13Edges, kEAN13Modules)) {
        return true;
    }
    if (pass != 0) {
        shared.pass = pass;
        shared.edges = edges.GetCallerEdges();
        shared.count = count;
        shared.decoded = false;
    }
    return false;
}

bool BarcodeProcessorBase1::BeginMainDecoding(const BarcodeEdgeView& edges, std::uint32_t mainEdges,
                                              int modules, double* moduleMm) {
    const double module = MeasureModule(edges, mainEdges, modules - 1);
    if (!HasStartGuard(edges, module) || !PrepareDecoding(edges) || !StartModuleGrid(0, module)) {
        return false;
    }
    ClearCheckSum();
    *moduleMm = module;
    return true;
}

bool BarcodeProcessorBase1::EndMainGrid(std::uint32_t mainEdges, int modules,
                                        std::uint32_t centreElement) {
    return ExtendModuleGrid(mainEdges - 1) && grid_.reached == modules &&
           CheckMainGuards(0, mainEdges, centreElement);
}

BarcodeProcessorBase1::SharedEAN13Reading& BarcodeProcessorBase1::GetSharedEAN13Reading(
    bool reversed) {
    thread_local SharedEAN13Reading readings[2];
    return readings[reversed ? 1 : 0];
}

const BarcodeProcessorBase1::EAN13Bars* BarcodeProcessorBase1::FindSharedEAN13Bars(
    const BarcodeEdgeView& edges) {
    const std::uint64_t pass = BarcodeIdentificationPass::GetCurrent();
    const SharedEAN13Reading& shared = GetSharedEAN13Reading(edges.IsReadReversed());
    return pass != 0 && shared.pass == pass && shared.edges == edges.GetCallerEdges() &&
                   shared.count == edges.GetCount() && shared.decoded
               ? &shared.bars
               : nullptr;
}

// Within an identification pass the first member to read a list in a
// direction reads it for every left half and keeps that. A required set and
// AcceptsLeftHalf only turn readings away, so a member's own decoding is the
// kept one, edges, digits and check sum alike, whenever it passes them.
bool BarcodeProcessorBase1::DecodeEAN13Bars(const double* edges, std::uint32_t count, bool reversed,
                                            char requiredLeftSet, EAN13Bars* bars) {
    if (count != kEAN13Edges && count != kEAN13Edges + kAddOn2Edges &&
        count != kEAN13Edges + kAddOn5Edges) {
        return false;
    }
    sharedReading_ = nullptr;
    const std::uint64_t pass = BarcodeIdentificationPass::GetCurrent();
    if (pass == 0) {
        return ReadEAN13Bars(edges, count, reversed, requiredLeftSet, true, bars);
    }
    SharedEAN13Reading& shared = GetSharedEAN13Reading(reversed);
    if (shared.pass != pass || shared.edges != edges || shared.count != count) {
        shared.pass = 0;
        shared.measures.known = false;
        shared.decoded = ReadEAN13Bars(edges, count, reversed, 0, false, &shared.bars);
        shared.checkSum = checkSum_;
        if (shared.decoded && !shared.decodingEdges.CopyFrom(GetDecodingEdges())) {
            return ReadEAN13Bars(edges, count, reversed, requiredLeftSet, true, bars);
        }
        shared.pass = pass;
        shared.edges = edges;
        shared.count = count;
    }
    const EAN13Bars& read = shared.bars;
    if (!shared.decoded ||
        (requiredLeftSet != 0 &&
         std::any_of(std::begin(read.letters), std::end(read.letters),
                     [requiredLeftSet](char letter) { return letter != requiredLeftSet; })) ||
        !AcceptsLeftHalf(read) || !PrepareDecoding(shared.decodingEdges)) {
        return false;
    }
    *bars = read;
    checkSum_ = shared.checkSum;
    sharedReading_ = &shared;
    return true;
}

bool BarcodeProcessorBase1::ReadEAN13Bars(const double* edges, std::uint32_t count, bool reversed,
                                          char requiredLeftSet, bool askLeftHalf, EAN13Bars* bars) {
    constexpr std::uint32_t kCentreElement = 27;
    constexpr std::uint32_t kRightElement = kCentreElement + kCentreGuardModules;
    // The sets of every leading digit begin with set A, so a left half that
    // begins with set B, as a symbol read from the wrong end does, is no
    // member's: its first digit is judged on the caller's edges, before the
    // list is copied or the others are read.
    const char firstSet = requiredLeftSet != 0 ? requiredLeftSet : 'A';
    const BarcodeEdgeView view(edges, count, reversed);
    FirstDigitGrid first;
    return StartsWithDigitOfSet(view, kEAN13Edges, kEAN13Modules, firstSet, &first) &&
           BeginMainDecoding(view, kEAN13Edges, kEAN13Modules, &bars->moduleMm) &&
           ExtendOverFirstDigit(first) &&
           DecodeDigits(kGuardModules, 1, true, firstSet, 11, bars->moduleMm, bars->left,
                        bars->letters) &&
           DecodeDigits(kGuardModules + kElementsPerDigit, 5, true, requiredLeftSet, 10,
                        bars->moduleMm, bars->left + 1, bars->letters + 1) &&
           (!askLeftHalf || AcceptsLeftHalf(*bars)) &&
           DecodeDigits(kRightElement, 6, false, 0, 5, bars->moduleMm, bars->right, nullptr) &&
           EndMainGrid(kEAN13Edges, kEAN13Modules, kCentreElement) &&
           DecodeAddOn(bars->addOn, kEAN13Edges, count - kEAN13Edges, bars->moduleMm);
}

bool BarcodeProcessorBase1::FitModuleGrid(std::uint32_t firstEdge, std::uint32_t edgeCount,
                                          int expectedModules, double moduleMm) {
    return edgeCount >= 2 && StartModuleGrid(firstEdge, moduleMm) &&
           ExtendModuleGrid(firstEdge + edgeCount - 1) && grid_.reached == expectedModules;
}

bool BarcodeProcessorBase1::StartModuleGrid(std::uint32_t firstEdge, double moduleMm) {
    BarcodeEdgeList& list = GetDecodingEdges();
    if (!(moduleMm > 0.0) || std::uint64_t{firstEdge} + 2 > list.GetCount()) {
        return false;
    }
    std::uint8_t* const widths = elementWidths_.GetFor(ElementsBetween(list.GetCount()));
    if (widths == nullptr) {
        return false;
    }
    const double origin = list.GetMeasured()[firstEdge];
    double* const ideal = list.GetIdeal();
    grid_ = {.nextEdge = firstEdge + 2,
             .originMm = origin,
             .moduleMm = moduleMm,
             .reached = kLeadingBarModules,
             .previous = kLeadingBarModules};
    ideal[firstEdge] = origin;
    ideal[firstEdge + 1] = origin + kLeadingBarModules * moduleMm;
    widths[firstEdge] = kLeadingBarModules;
    return true;
}

// Edges i - 2 and i are of one kind and enclose element i - 1 and element i
// (the one ending at edge i), so each element follows from the one before.
// Where a decoded digit's adjustment moved edge i - 2 off the grid, its ideal
// edge shows by how much, and the distance is taken back by as much.
bool BarcodeProcessorBase1::ExtendModuleGrid(std::uint32_t lastEdge) {
    BarcodeEdgeList& list = GetDecodingEdges();
    if (lastEdge >= list.GetCount()) {
        return false;
    }
    return ExtendGrid(list.GetMeasured(), list.GetIdeal(), elementWidths_.Get(), &grid_, lastEdge);
}

bool BarcodeProcessorBase1::ExtendGrid(const double* measured, double* ideal, std::uint8_t* widths,
                                       ModuleGrid* gridKept, std::uint32_t lastEdge) {
    // A copy, which the stores into the widths cannot touch, so that it
    // stays in registers.
    ModuleGrid grid = *gridKept;
    const auto keep = [gridKept, &grid] { *gridKept = grid; };
    for (; grid.nextEdge <= lastEdge; ++grid.nextEdge) {
        const std::uint32_t i = grid.nextEdge;
        const double offGrid = ideal[i - 2] - grid.originMm;
        const double moved =
            offGrid - grid.moduleMm * RoundHalfAwayFromZero(offGrid / grid.moduleMm);
        const double pair =
            RoundHalfAwayFromZero((measured[i] - measured[i - 2] + moved) / grid.moduleMm);
        if (!(pair > grid.previous && pair <= grid.previous + kMaxElementModules)) {
            keep();
            return false;
        }
        const int w = static_cast<int>(pair) - grid.previous;
        grid.reached += w;
        grid.previous = w;
        ideal[i] = grid.originMm + grid.reached * grid.moduleMm;
        widths[i - 1] = static_cast<std::uint8_t>(w);
    }
    keep();
    return true;
}

// The same steps as starting the grid on the decoding edges and extending it
// over the first digit, on a copy of just those edges.
bool BarcodeProcessorBase1::StartsWithDigitOfSet(const BarcodeEdgeView& edges,
                                                 std::uint32_t mainEdges, int modules, char set,
                                                 FirstDigitGrid* first) {
    static_assert(kFirstDigitEdges == kGuardModules + kElementsPerDigit + 1);
    const double moduleMm = MeasureModule(edges, mainEdges, modules - 1);
    if (!HasStartGuard(edges, moduleMm) || edges.GetCount() < kFirstDigitEdges) {
        return false;
    }
    std::array<double, kFirstDigitEdges> measured{};
    for (std::uint32_t i = 0; i < kFirstDigitEdges; ++i) {
        measured[i] = edges[i];
    }
    first->grid = {.nextEdge = 2,
                   .originMm = measured[0],
                   .moduleMm = moduleMm,
                   .reached = kLeadingBarModules,
                   .previous = kLeadingBarModules};
    first->ideal[0] = measured[0];
    first->ideal[1] = measured[0] + kLeadingBarModules * moduleMm;
    first->widths[0] = kLeadingBarModules;
    char letter = 0;
    char digit = 0;
    return ExtendGrid(measured.data(), first->ideal.data(), first->widths.data(), &first->grid,
                      kFirstDigitEdges - 1) &&
           MatchDigit(first->widths.data() + kGuardModules, true, &letter, &digit) && letter == set;
}

bool BarcodeProcessorBase1::ExtendOverFirstDigit(const FirstDigitGrid& first) {
    BarcodeEdgeList& list = GetDecodingEdges();
    if (list.GetCount() < kFirstDigitEdges) {
        return false;
    }
    std::copy(first.ideal.begin() + 2, first.ideal.end(), list.GetIdeal() + 2);
    std::copy(first.widths.begin() + 1, first.widths.end(), elementWidths_.Get() + 1);
    grid_ = first.grid;
    return true;
}

bool BarcodeProcessorBase1::CheckMainGuards(std::uint32_t firstElement, std::uint32_t edgeCount,
                                            std::uint32_t centreElement) const {
    const std::uint8_t* const widths = elementWidths_.Get();
    const auto allOne = [widths](std::uint32_t first, std::uint32_t count) {
        for (std::uint32_t e = first; e < first + count; ++e) {
            if (widths[e] != 1) {
                return false;
            }
        }
        return true;
    };
    return allOne(firstElement, kGuardModules) && allOne(centreElement, kCentreGuardModules) &&
           allOne(firstElement + edgeCount - 1 - kGuardModules, kGuardModules);
}

bool BarcodeProcessorBase1::DecodeDigit(std::uint32_t element, bool leftHalf, char* letter,
                                        char* digit) const {
    return MatchDigit(elementWidths_.Get() + element, leftHalf, letter, digit);
}

void BarcodeProcessorBase1::CorrectIdealEdges(std::uint32_t element, char letter, char digit,
                                              double moduleMm) {
    const double shift = EdgeShiftModules(letter, digit) * moduleMm;
    double* const ideal = GetDecodingEdges().GetIdeal();
    ideal[element + 1] += shift;
    ideal[element + 3] += shift;
}

bool BarcodeProcessorBase1::DecodeDigits(std::uint32_t firstElement, int count, bool leftHalf,
                                         char requiredSet, int firstPosition, double moduleMm,
                                         char* digits, char* letters) {
    for (int j = 0; j < count; ++j) {
        const std::uint32_t element = firstElement + kElementsPerDigit * j;
        char letter = 0;
        if (!ExtendModuleGrid(element + kElementsPerDigit) ||
            !DecodeDigit(element, leftHalf, &letter, &digits[j]) ||
            (requiredSet != 0 && letter != requiredSet)) {
            return false;
        }
        if (letters != nullptr) {
            letters[j] = letter;
        }
        AddCheckDigit(DigitValue(digits[j]), firstPosition - j);
        CorrectIdealEdges(element, letter, digits[j], moduleMm);
    }
    return true;
}

bool BarcodeProcessorBase1::DecodeAddOn(char* out, std::uint32_t firstEdge, std::uint32_t edgeCount,
                                        double moduleMm) {
    out[0] = '\0';
    if (edgeCount == 0) {
        return true;
    }
    if (edgeCount != kAddOn2Edges && edgeCount != kAddOn5Edges) {
        return false;
    }
    const int count = edgeCount == kAddOn2Edges ? 2 : 5;
    if (!FitModuleGrid(firstEdge, edgeCount, count == 2 ? kAddOn2Modules : kAddOn5Modules,
                       moduleMm)) {
        return false;
    }
    const std::uint8_t* const w = elementWidths_.Get() + firstEdge;
    if (w[0] != 1 || w[1] != 1 || w[2] != 2) {
        return false;
    }
    char letters[5];
    for (int j = 0; j < count; ++j) {
        const std::uint32_t element = kAddOnGuardModules - 1 + kAddOnElementsPerDigit * j;
        if (j > 0 && (w[element - 2] != 1 || w[element - 1] != 1)) {
            return false;
        }
        if (!DecodeDigit(firstEdge + element, true, &letters[j], &out[1 + j])) {
            return false;
        }
        CorrectIdealEdges(firstEdge + element, letters[j], out[1 + j], moduleMm);
    }
    out[0] = '-';
    out[1 + count] = '\0';
    // The add-on lies apart from the main symbol, whose fit does not place
    // it.
    double scale = 1.0;
    GetDecodingEdges().FitIdealEdges(firstEdge, edgeCount, &scale);
    return std::memcmp(letters, AddOnParity(out + 1, count), count) == 0;
}

bool BarcodeProcessorBase1::CommitMainDecoding(const char* encoded, double moduleMm,
                                               std::uint32_t mainEdges,
                                               std::int32_t heightBarEdge) {
    DecodeResult result = WholeSymbolResult(encoded, moduleMm, kModuleWidthMm);
    result.reductionEdgeCount = mainEdges;
    result.heightBarEdge = heightBarEdge;
    result.lastSymbolEdge = static_cast<std::int32_t>(mainEdges - 1);
    // Every member commits the shared reading over the same main edges.
    SharedEAN13Reading* const shared = sharedReading_;
    sharedReading_ = nullptr;
    const std::uint64_t pass = BarcodeIdentificationPass::GetCurrent();
    return CommitDecoding(result, shared != nullptr && pass != 0 && shared->pass == pass
                                      ? &shared->measures
                                      : nullptr);
}

}  // namespace Strivelo
