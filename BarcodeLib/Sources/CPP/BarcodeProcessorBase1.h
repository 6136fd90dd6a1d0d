#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "BarcodeDecodeBuffer.h"
#include "BarcodeGS1CheckSum.h"
#include "BarcodeProcessor.h"

namespace Strivelo {

// What the EAN/UPC symbologies share: the module and parameter checks, the
// GS1 check sum of a decoding, the digit element sets and guards, the drawing
// and decoding of the 2- and 5-digit add-ons, the steps that decode measured
// edges into digits and ideal edges, and the layout of the human-readable
// line; their code texts are the free functions of BarcodeEANUPCText. Never
// registered: the members supply name, type, code forms, decoding and
// drawing sequence.
class BarcodeProcessorBase1 : public BarcodeProcessor {
public:
    static constexpr double kModuleWidthMm = 0.33;
    static constexpr double kMinMagnification = 0.8;
    static constexpr double kMaxMagnification = 2.0;
    // Nominal bar heights: EAN-13, UPC-A, UPC-E and what derives from them;
    // EAN-8 and what derives from it.
    static constexpr double kEAN13BarHeightMm = 22.85;
    static constexpr double kEAN8BarHeightMm = 18.23;

    bool BeginDecode(const double* edges, std::uint32_t count) override;
    bool EndDecode() override;
    bool IsBarWidthReductionValid() const override;
    bool IsMagnificationValid() const override;
    // At least the member's nominal height, with 1 % tolerance; the nominal
    // height grows with the magnification only when ScaleHeightWithWidth is
    // set.
    bool IsBarHeightValid() const override;
    // Rounds the module to whole device units while the magnification stays
    // valid; false, and nothing changed, when it cannot.
    bool FitToResolution(double deviceUnitsPerMm) override;

    // Whether the caller's edges can hold a main symbol of mainEdges edges
    // and modules modules: its module measured and its start guard judged,
    // before anything is copied.
    static bool HasMainStart(const BarcodeEdgeView& edges, std::uint32_t mainEdges, int modules);
    // The edge counts and start of what DecodeEAN13Bars reads.
    static bool MightBeEAN13Bars(const BarcodeEdgeView& edges);

protected:
    // The characters of an add-on's text.
    static constexpr std::size_t kAddOnCapacity = 6;

    // The values of one symbol's layout for the current magnification, mm.
    struct Layout {
        double module;
        double barHeight;
        double textSize;
        double textBaseline;
        // Normal bars run from normalBottom to top, guard bars from 0 to top.
        double normalBottom;
        double top;
        // The add-ons' reference y: the bar height minus the nominal 22.85 mm.
        double addOnReference;
    };

    // The check sum of the decoding under way, fed digit by digit.
    void ClearCheckSum() { checkSum_.Clear(); }
    void AddCheckDigit(int digit, int position) { checkSum_.Add(digit, position); }
    bool TestCheckDigit(int digit) const { return digit == ComputeCheckDigit(); }
    int ComputeCheckDigit() const { return checkSum_.GetCheckDigit(); }

    // The member's nominal bar height (kEAN13BarHeightMm or kEAN8BarHeightMm).
    virtual double GetNominalBarHeightMm() const = 0;
    // Module, bar height (the default when none is set), text size and
    // baseline for text of textSizePerMagnificationMm x magnification.
    Layout ComputeLayout(double textSizePerMagnificationMm) const;
    // The font, the frame around the whole symbol, the quiet-zone marks (the
    // left one on the text baseline) and, leftQuietZoneModules from the left,
    // the start guard; stops at the first refusal.
    bool BeginSymbol(const Layout& layout, const char* font, double totalWidthMm, bool leftMark,
                     bool rightMark, double rightMarkY, int leftQuietZoneModules);
    // Characters text[0, count) of the human-readable line, each centred in
    // its digit box, the first box beginning at firstBoxLeftMm.
    bool EmitDigitTexts(const Layout& layout, const char* text, std::size_t count,
                        double firstBoxLeftMm, double size);
    // Stores the module and the total width of mainModules plus the add-on,
    // when there is one; -1 when the module is not positive.
    double ComputeSymbolWidth(int mainModules, const char* addOn, int quietZoneModules, bool ean);

    // The modules of pattern ('1' dark) at the running x, which they advance;
    // each run of dark modules is one bar.
    bool DrawModules(const char* pattern, double bottom, double top);
    // Each guard is drawn at the running x, which it advances; its bars reach
    // down to longBottom while that guard's extension flag is set.
    bool DrawStartGuard(double longBottom, double normalBottom, double top);
    bool DrawCentreGuard(double longBottom, double normalBottom, double top);
    bool DrawEndGuard(double longBottom, double normalBottom, double top);
    // One digit of set 'A', 'B' or 'C' at the running x, advanced by 7
    // modules; false, and nothing drawn, for a character that is no digit.
    bool DrawDigit(char set, char digit, double bottom, double top);
    // Digits text[0, count) of the sets in letters (or all of set, when
    // letters is null).
    bool DrawDigits(const char* text, std::size_t count, const char* letters, char set,
                    double bottom, double top);
    // From the running x after the start guard: count digits of left in the
    // sets of leftLetters, the centre guard, count digits of right in set C
    // and the end guard; where each half's first digit box begins goes to
    // leftBox and rightBox.
    bool DrawHalves(const Layout& layout, const char* left, const char* leftLetters,
                    const char* right, std::size_t count, double* leftBox, double* rightBox);
    void SetGuardExtension(bool start, bool centre, bool end);
    bool GetStartGuardExtension() const { return startGuardExtension_; }
    bool GetEndGuardExtension() const { return endGuardExtension_; }

    double AddOnTextBaseline(double referenceY) const;
    // Draws the add-on from the end of the main symbol's right quiet zone,
    // the running x; referenceY is the layout's addOnReference.
    bool DrawAddOn(const char* addOn, int quietZoneModules, double referenceY, bool ean);

    // The decoding's first steps for a main symbol of mainEdges edges and
    // modules modules: the module (from the outer bar centres) and the start
    // guard judged on the caller's edges, then, with the edges prepared, the
    // start of the module grid, which DecodeDigits carries on digit by digit.
    bool BeginMainDecoding(const BarcodeEdgeView& edges, std::uint32_t mainEdges, int modules,
                           double* moduleMm);
    // After the digits: the grid to the main symbol's last edge, its modules
    // and its guards (the centre guard's five elements from centreElement on).
    bool EndMainGrid(std::uint32_t mainEdges, int modules, std::uint32_t centreElement);
    // The main symbol as EAN-13 and UPC-A draw it, 60 edges with the add-on's
    // 14 or 32 after them: twelve digits, the left ones of the given set (or
    // of A and B, the first of A, when it is 0), fed to the check sum from
    // position 11 down.
    struct EAN13Bars {
        double moduleMm;
        char left[6];
        char letters[6];
        char right[6];
        char addOn[kAddOnCapacity + 1];
    };
    static constexpr std::uint32_t kEAN13Edges = 60;
    static constexpr std::int32_t kEAN13HeightBarEdge = 8;
    // Asked by DecodeEAN13Bars once the left half is read, so that a member
    // whose codes cannot begin so turns the symbol away before the rest is
    // decoded.
    virtual bool AcceptsLeftHalf(const EAN13Bars& /*bars*/) const { return true; }
    bool DecodeEAN13Bars(const double* edges, std::uint32_t count, bool reversed,
                         char requiredLeftSet, EAN13Bars* bars);
    // The bars DecodeEAN13Bars read of the view's list within the current
    // identification pass; null until they are read, or when they were not.
    static const EAN13Bars* FindSharedEAN13Bars(const BarcodeEdgeView& edges);

    // Element widths in whole modules for edges [firstEdge, firstEdge +
    // edgeCount) of the decoding edges, and their ideal positions from the
    // first on; true when the elements add up to expectedModules.
    bool FitModuleGrid(std::uint32_t firstEdge, std::uint32_t edgeCount, int expectedModules,
                       double moduleMm);
    // The grid begins at firstEdge with a bar of one module; each extension
    // rounds the elements up to lastEdge from the distances between edges of
    // one kind, which no bar width reduction changes.
    bool StartModuleGrid(std::uint32_t firstEdge, double moduleMm);
    bool ExtendModuleGrid(std::uint32_t lastEdge);
    // Start and end guard 1-1-1 and the centre guard all 1 at centreElement.
    bool CheckMainGuards(std::uint32_t firstElement, std::uint32_t edgeCount,
                         std::uint32_t centreElement) const;
    // The digit of the four elements from element on: sets A and B in a left
    // half, set C otherwise.
    bool DecodeDigit(std::uint32_t element, bool leftHalf, char* letter, char* digit) const;
    // Moves the ideal edges of the digit's bars as DrawDigit moved them.
    void CorrectIdealEdges(std::uint32_t element, char letter, char digit, double moduleMm);
    // count digits from firstElement on into digits (and their letters into
    // letters), with ideal edges corrected, fed to the check sum from
    // firstPosition down. requiredSet, when not 0, is the only set accepted.
    bool DecodeDigits(std::uint32_t firstElement, int count, bool leftHalf, char requiredSet,
                      int firstPosition, double moduleMm, char* digits, char* letters);
    // The add-on of edgeCount edges from firstEdge into out ("-DD" or
    // "-DDDDD", kAddOnCapacity + 1 bytes); no edges is an empty add-on.
    bool DecodeAddOn(char* out, std::uint32_t firstEdge, std::uint32_t edgeCount, double moduleMm);
    // The common end of a member's decoding: code, magnification and the
    // reduction measured over the main symbol's edges only.
    bool CommitMainDecoding(const char* encoded, double moduleMm, std::uint32_t mainEdges,
                            std::int32_t heightBarEdge);

private:
    // The module grid of the decoding under way, rounded up to nextEdge.
    struct ModuleGrid {
        std::uint32_t nextEdge = 0;
        double originMm = 0.0;
        double moduleMm = 0.0;
        int reached = 0;
        // The width of the element ending at nextEdge - 1.
        int previous = 0;
    };

    // What DecodeEAN13Bars read of one list in one direction for every left
    // half, kept for the other members within an identification pass.
    struct SharedEAN13Reading {
        std::uint64_t pass = 0;
        const double* edges = nullptr;
        std::uint32_t count = 0;
        bool decoded = false;
        EAN13Bars bars{};
        BarcodeEdgeList decodingEdges;
        BarcodeGS1CheckSum checkSum;
        DecodingMeasures measures;
    };
    static SharedEAN13Reading& GetSharedEAN13Reading(bool reversed);
    // Rounds the elements up to lastEdge on grid, ideal edges and element
    // widths written on the way; false at an element out of range, the grid
    // left where it stopped.
    static bool ExtendGrid(const double* measured, double* ideal, std::uint8_t* widths,
                           ModuleGrid* grid, std::uint32_t lastEdge);
    // The module grid over the start guard and the first digit, the edges
    // of the guard's three elements and the digit's four.
    static constexpr std::uint32_t kFirstDigitEdges = 8;
    struct FirstDigitGrid {
        std::array<double, kFirstDigitEdges> ideal{};
        std::array<std::uint8_t, kFirstDigitEdges - 1> widths{};
        ModuleGrid grid;
    };
    // Whether the first digit after the start guard, on the grid of a main
    // symbol of mainEdges edges and modules read as the decoding reads it, is
    // of set, with that grid: judged on the caller's edges, so that a list
    // read from the wrong end is turned away before it is copied.
    static bool StartsWithDigitOfSet(const BarcodeEdgeView& edges, std::uint32_t mainEdges,
                                     int modules, char set, FirstDigitGrid* first);
    // Carries the grid just started on the decoding edges over the first
    // digit as first found it, the same steps already taken.
    bool ExtendOverFirstDigit(const FirstDigitGrid& first);
    // DecodeEAN13Bars itself; with askLeftHalf false every left half goes.
    bool ReadEAN13Bars(const double* edges, std::uint32_t count, bool reversed,
                       char requiredLeftSet, bool askLeftHalf, EAN13Bars* bars);

    BarcodeGS1CheckSum checkSum_;
    // The shared reading the decoding under way took its edges from, for
    // its commit; null when it took none.
    SharedEAN13Reading* sharedReading_ = nullptr;
    ModuleGrid grid_;
    // Element widths in modules of the decoding under way, one per element
    // between two edges.
    BarcodeDecodeBuffer<std::uint8_t> elementWidths_;
    bool startGuardExtension_ = true;
    bool centreGuardExtension_ = true;
    bool endGuardExtension_ = true;
};

}  // namespace Strivelo
