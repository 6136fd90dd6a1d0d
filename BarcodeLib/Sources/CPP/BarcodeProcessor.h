#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "BarcodeEdgeList.h"
#include "BarcodeEdgeView.h"
#include "BarcodeFourCC.h"
#include "BarcodeIdentificationPass.h"
#include "M7LString.h"

namespace Strivelo {

class BarcodeProcessorDataGenerator;
class BarcodeProcessorMixIn_WideNarrowOption;

inline constexpr std::int32_t kBarcodeTypeNull = FourCC("null");

// One barcode of one symbology: its code as the user writes it and as the
// bars carry it, the geometry parameters (mm), the output flags, and after a
// decoding the measured and ideal bar edges. Every symbology is a subclass;
// x = 0 is the left end of the left quiet zone and y = 0 the bottom of the
// bars, y growing upwards.
class BarcodeProcessor {
public:
    // Code texts pass through buffers of this many characters plus the
    // terminator; a conversion's capacity counts characters the same way.
    static constexpr std::size_t kCodeCapacity = 255;

    static constexpr std::uint32_t kOrientationUnknown = 0;
    static constexpr std::uint32_t kOrientationOther = 1;
    static constexpr std::uint32_t kOrientationSideBySideAscending = 2;
    static constexpr std::uint32_t kOrientationStackedAscending = 3;
    static constexpr std::uint32_t kOrientationSideBySideDescending = 4;
    static constexpr std::uint32_t kOrientationStackedDescending = 5;

    // A bar's bounds in the host's coordinates.
    struct BarBounds {
        double left;
        double top;
        double right;
        double bottom;
    };

    BarcodeProcessor() = default;
    BarcodeProcessor(const BarcodeProcessor&) = delete;
    BarcodeProcessor& operator=(const BarcodeProcessor&) = delete;
    virtual ~BarcodeProcessor();

    virtual std::int32_t GetType() const;
    // The base copies texts of at most capacity characters.
    virtual bool EncodedToCode(const char* encoded, char* code, std::size_t capacity) const;
    virtual bool CodeToEncoded(const char* code, char* encoded, std::size_t capacity) const;
    // Called before a decoding reads count edges, after EndDecode whenever
    // the count differs from the last one; families size their per-element
    // buffers (which they own) here.
    virtual bool BeginDecode(const double* edges, std::uint32_t count);
    virtual bool EndDecode();
    virtual const char* GetName() const = 0;
    // Decodes count edges (mm, two per bar, at most kMaxEdgeCount), read from
    // the other end with reversed. The processor changes only when the
    // decoding succeeds.
    virtual bool Decode(const double* edges, std::uint32_t count, bool reversed) = 0;
    // Draws into the generator that GenerateInto stored; stops at the first
    // refused call and returns false.
    virtual bool Generate() = 0;
    // Stores the module width and returns the total width (mm) with both
    // quiet zones; 0 or less when the code or the module is not usable.
    virtual double ComputeWidth() = 0;
    virtual bool IsEncodedValid(const char* encoded) const;
    virtual bool IsCodeValid(const char* code) const;
    // Computes or repairs check characters and separators in code; refuses a
    // result that does not fit kCodeCapacity.
    virtual bool CorrectCode(M7LString& code) const;
    virtual bool IsBarWidthReductionValid() const;
    virtual bool IsMagnificationValid() const;
    virtual bool IsBarHeightValid() const;
    virtual bool FitToResolution(double deviceUnitsPerMm);
    virtual bool IsWideNarrowRatioValid() const;
    virtual bool HasOption(std::int32_t optionCode) const;

    // Stores code and its encoded form only when the code is valid both ways;
    // otherwise nothing changes.
    bool SetCode(const char* code);
    // Accepts only an encoded text that the code form carries unchanged, so
    // a decoder never reports a code the bars do not hold.
    bool SetEncodedCode(const char* encoded);
    // Empty while no code is set.
    const char* GetCode() const;
    const char* GetNameOrDashes() const;

    double GetBarWidthReduction() const { return barWidthReductionMm_; }
    bool SetBarWidthReduction(double mm) {
        barWidthReductionMm_ = mm;
        return true;
    }
    double GetMagnification() const { return magnification_; }
    bool SetMagnification(double magnification) {
        magnification_ = magnification;
        return true;
    }
    // 0 means the family's default height.
    double GetBarHeight() const { return barHeightMm_; }
    bool SetBarHeight(double mm) {
        barHeightMm_ = mm;
        return true;
    }

    bool IsBarHeightAcceptable() const;
    // The validators in a fixed order, stopping at the first that fails.
    bool ValidateParameters() const;
    double GetWidth();
    double GetTotalWidth() const { return totalWidthMm_; }

    void SetQuietZoneMarks(bool quietZoneMarks) { quietZoneMarks_ = quietZoneMarks; }
    bool GetHumanReadable() const { return humanReadable_; }
    void SetHumanReadable(bool humanReadable) { humanReadable_ = humanReadable; }
    bool GetEmitFrame() const { return emitFrame_; }
    void SetEmitFrame(bool emitFrame) { emitFrame_ = emitFrame; }
    bool GetScaleHeightWithWidth() const { return scaleHeightWithWidth_; }
    void SetScaleHeightWithWidth(bool scale) { scaleHeightWithWidth_ = scale; }
    // Added by the Emit operations; composites place inner symbols with it.
    void SetOrigin(double xMm, double yMm) {
        originXMm_ = xMm;
        originYMm_ = yMm;
    }

    // Does not validate the parameters; callers that want legal ones ask
    // ValidateParameters first.
    bool GenerateInto(BarcodeProcessorDataGenerator* generator);

    // Replaces the stored edges by the normalised list; the ideal edges equal
    // the measured ones and no symbol edges are known until a decoding.
    bool SetMeasuredEdges(const double* edges, std::uint32_t count, bool reversed);
    // Forwards, else reversed.
    bool DecodeEdges(const double* edges, std::uint32_t count);
    // The same, giving on success the mean deviation that GetMeanDeviation
    // would, as the decoding found it.
    bool DecodeEdges(const double* edges, std::uint32_t count, double* meanDeviation);
    const double* GetMeasuredEdges(std::uint32_t* count) const;
    const double* GetIdealEdges(std::uint32_t* count) const;
    // Mean deviation of the stored edges, the largest into maximum; both 0
    // while no code is set.
    double ComputeDeviation(double* maximum) const;
    double GetMeanDeviation() const;
    double GetMaxDeviation() const;
    // 0 while no code is set.
    double MeasureBarWidthReduction(std::uint32_t firstEdge, std::uint32_t edgeCount) const;

    // These answer in the order of the caller's list, the one given to the
    // decoding. -1 while no such bar is known.
    std::int32_t GetHeightBarEdge() const;
    // first may lie after last when the symbol was read reversed.
    bool GetSymbolEdgeRange(std::int32_t* first, std::int32_t* last) const;
    // Whether the stored edges were read against the caller's coordinates.
    bool IsReadReversed() const { return edges_.IsReadReversed(); }
    std::uint32_t ToCallerEdgeIndex(std::uint32_t index) const {
        return edges_.ToCallerIndex(index);
    }

    std::uint32_t GetOrientation() const;
    std::uint32_t ClassifyOrientation(const BarBounds& firstBar, const BarBounds& lastBar);

    // Where a symbology of wide and narrow elements tells them apart: one
    // threshold for bars and one for spaces, since a bar width reduction
    // narrows the one and widens the other.
    struct WideNarrowThresholds {
        double barMm = 0.0;
        double spaceMm = 0.0;

        // Element j runs from edge j - 1 to edge j; odd elements are bars.
        bool IsWide(std::uint32_t element, double widthMm) const {
            return widthMm > (element % 2 == 1 ? barMm : spaceMm);
        }
    };

protected:
    // The mean of the element widths added to it, asked only once it has one.
    struct WidthMean {
        double sum = 0.0;
        std::uint32_t count = 0;

        void Add(double width) {
            sum += width;
            ++count;
        }
        double Get() const { return sum / count; }
    };

    // What a family's Decode found in the decoding edges; CommitDecoding
    // stores it only when the code is accepted.
    struct DecodeResult {
        // The text the bars carry, in encoded form.
        const char* encodedCode = nullptr;
        double magnification = 0.0;
        double moduleWidthMm = 0.0;
        // The edges over which the bar width reduction is measured.
        std::uint32_t reductionFirstEdge = 0;
        std::uint32_t reductionEdgeCount = 0;
        // Whether their ideal edges move and stretch to where they fit the
        // measured ones best (least squares) before anything is measured, so
        // that a misplaced first edge or a module measured off by a little
        // does not show as deviation; the magnification and the module width
        // stretch with them.
        bool fitIdealEdges = false;
        // Indices into the decoding edges, -1 when unknown.
        std::int32_t heightBarEdge = -1;
        std::int32_t firstSymbolEdge = -1;
        std::int32_t lastSymbolEdge = -1;
        // For families with the wide/narrow option: the measured ratio; 0
        // leaves the option's ratio alone.
        double wideNarrowRatio = 0.0;
        // The processor itself as that option, when the family knows it has
        // it; else the commit looks for it at run time.
        BarcodeProcessorMixIn_WideNarrowOption* wideNarrowOption = nullptr;
        // The symbology's narrowest element in modules, half of which is how
        // far an edge may lie from its place.
        double narrowestElementModules = 1.0;
    };

    // A family's Decode checks the edge count (and any pattern it can judge
    // from the view cheaply), then prepares the decoding edges, fits their
    // ideal edges and commits. Nothing the caller can see changes before the
    // commit, so a failed decoding leaves the processor as it was.
    bool PrepareDecoding(const BarcodeEdgeView& edges);
    // The same for a decoding that repeats one made of the same edges: its
    // decoding edges, ideal ones included, become the prepared ones.
    bool PrepareDecoding(const BarcodeEdgeList& decoded);
    BarcodeEdgeList& GetDecodingEdges() { return decoding_; }
    // The bar width reduction, deviations, code, magnification, module width,
    // edges, reading direction and indices all at once; false, and nothing
    // stored, when an edge lies farther from its ideal place than half the
    // narrowest element, the code is refused or a measure is not finite.
    bool CommitDecoding(const DecodeResult& result);
    // What CommitDecoding measures of the decoding edges, their ideal edges
    // fitted where the result asks: families that share a reading keep it,
    // so that each of them need not measure the same edges again.
    struct DecodingMeasures {
        bool known = false;
        double scale = 1.0;
        double reductionMm = 0.0;
        double meanMm = 0.0;
        double maximumMm = 0.0;
        BarcodeEdgeList fitted;
    };
    // CommitDecoding of decoding edges that are the ones shared was (or, when
    // not known yet, will be) measured of, for a result that measures them
    // the same way.
    bool CommitDecoding(const DecodeResult& result, DecodingMeasures* shared);
    // What the first member of a family read of one list in one direction,
    // kept for the others within an identification pass: they read the same
    // bars the same way and differ only in the codes they take.
    template <typename Reading>
    struct SharedReading {
        std::uint64_t pass = 0;
        const double* edges = nullptr;
        std::uint32_t count = 0;
        bool read = false;
        Reading reading{};
        BarcodeEdgeList decodingEdges;
        DecodingMeasures measures;
    };
    // Decodes the caller's edges with read(Reading*), which reads them into
    // the decoding edges, and commit(const Reading&, DecodingMeasures*):
    // within a pass, through what shared holds for this list, or by reading
    // it for the members after this one.
    template <typename Reading, typename Read, typename Commit>
    bool DecodeSharing(SharedReading<Reading>& shared, const double* edges, std::uint32_t count,
                       Read read, Commit commit) {
        const std::uint64_t pass = BarcodeIdentificationPass::GetCurrent();
        if (pass == 0) {
            Reading reading{};
            return read(&reading) && commit(reading, nullptr);
        }
        if (shared.pass == pass && shared.edges == edges && shared.count == count) {
            return shared.read && PrepareDecoding(shared.decodingEdges) &&
                   commit(shared.reading, &shared.measures);
        }
        shared.pass = 0;
        shared.measures.known = false;
        shared.read = read(&shared.reading);
        if (!shared.read || shared.decodingEdges.CopyFrom(GetDecodingEdges())) {
            shared.pass = pass;
            shared.edges = edges;
            shared.count = count;
        }
        return shared.read && commit(shared.reading, &shared.measures);
    }
    // The result of a symbol that spans every decoding edge, measured and
    // fitted over all of them, with its bar height taken at the first bar.
    DecodeResult WholeSymbolResult(const char* encodedCode, double moduleWidthMm,
                                   double nominalModuleMm, double wideNarrowRatio = 0.0);

    // The threshold of each kind where its widths part best into a narrow
    // and a wide class, however few elements one of them has; with
    // gapPeriod, every element whose 1-based position is a multiple of it is
    // an inter-character gap and takes no part. Works on the caller's edges,
    // so that a family can judge a pattern before anything is copied or
    // allocated; a list longer than kMaxEdgeCount, which no decoding takes,
    // gets zero thresholds.
    static WideNarrowThresholds FindWideNarrowThresholds(const BarcodeEdgeView& edges,
                                                         std::uint32_t gapPeriod);
    // Classifies every element of the decoding edges as wide ('W') or narrow
    // ('N') against those thresholds and checks that it lies within half a
    // module (the mean of the narrow bars' and spaces' means) of its group's
    // mean; gaps are lettered 'I' and left out of the groups. letters holds
    // count - 1 characters.
    bool ClassifyWideNarrow(std::uint32_t gapPeriod, char* letters);

    // Drawing helpers for Generate; each answers the generator's result.
    // EmitBar narrows by half the bar width reduction on each side; all but
    // EmitFont add the origin.
    bool EmitBar(double left, double right, double bottom, double top);
    bool EmitFrame(double left, double right, double bottom, double top, double strokeWidth);
    // Sends nothing and answers true while quiet-zone marks are off.
    bool EmitQuietZoneMarks(double left, double right, double bottom, double top, bool leftMark,
                            bool rightMark);
    bool EmitText(double x, double y, double size, char character);
    // Where a family's human-readable line goes under the bars.
    struct TextLine {
        double quietZoneMm;
        double baselineMm;
        double sizeMm;
        // Centred about the middle at centredPitchMm; else spread over the
        // total width between the quiet zones.
        bool centred;
        double centredPitchMm;
    };
    // The count characters of text, each centred on its pitch; true for no
    // characters.
    bool EmitTextLine(const char* text, std::size_t count, const TextLine& line);
    bool EmitFont(const char* name, bool sizeIsCharacterHeight);

    const char* GetEncodedCode() const { return encodedCode_.CStr(); }
    BarcodeProcessorDataGenerator* GetGenerator() const { return generator_; }
    double GetRunningX() const { return runningXMm_; }
    void SetRunningX(double xMm) { runningXMm_ = xMm; }
    double GetModuleWidth() const { return moduleWidthMm_; }
    void SetModuleWidth(double mm) { moduleWidthMm_ = mm; }
    void SetTotalWidth(double mm) { totalWidthMm_ = mm; }

private:
    // Keeps a candidate's edge indices and direction in the terms of the list
    // the current processor was given.
    friend std::unique_ptr<BarcodeProcessor> IdentifyNextCandidate(const BarcodeProcessor* current,
                                                                   bool* ambiguous);

    bool BeginDecodeFor(const BarcodeEdgeList& edges);

    bool codeSet_ = false;
    double barWidthReductionMm_ = 0.0;
    double magnification_ = 1.0;
    double barHeightMm_ = 0.0;
    M7LString encodedCode_;
    M7LString userCode_;
    bool quietZoneMarks_ = false;
    std::int32_t heightBarEdge_ = -1;
    std::int32_t firstSymbolEdge_ = -1;
    std::int32_t lastSymbolEdge_ = -1;
    std::uint32_t orientationClass_ = kOrientationUnknown;
    bool humanReadable_ = true;
    bool emitFrame_ = true;
    bool scaleHeightWithWidth_ = false;
    double totalWidthMm_ = 0.0;
    // The mean deviation the last committed decoding measured.
    double committedMeanDeviationMm_ = 0.0;
    // Edge count, measured and ideal edges and the reading direction.
    BarcodeEdgeList edges_;
    BarcodeProcessorDataGenerator* generator_ = nullptr;
    double runningXMm_ = 0.0;
    double moduleWidthMm_ = 0.0;
    double originXMm_ = 0.0;
    double originYMm_ = 0.0;

    // Scratch of the decoding under way; swapped with edges_ on commit.
    BarcodeEdgeList decoding_;
    // The caller's edges decoding_ was prepared from, empty when unknown.
    BarcodeEdgeView decodingSource_{nullptr, 0, false};
    // The count the family's decode buffers were begun for, 0 for none.
    std::uint32_t begunEdgeCount_ = 0;
};

// The option mix-in (BarcodeProcessorMixIn_Font and its kin) through which a
// caller reaches optionCode: null unless the processor announces the option
// and has the mix-in. A symbology may have a mix-in whose option it does not
// offer, as traditional Codabar has the wide/narrow ratio.
template <typename MixIn>
const MixIn* FindOptionMixIn(const BarcodeProcessor& processor, std::int32_t optionCode) {
    return processor.HasOption(optionCode) ? dynamic_cast<const MixIn*>(&processor) : nullptr;
}

}  // namespace Strivelo
