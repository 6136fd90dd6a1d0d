#pragma once

#include <cstdint>
#include <vector>

#include "BarcodeProcessorDataGenerator.h"
#include "M7LString.h"
#include "host/AiArtSuites.h"
#include "host/AiSuites.h"
#include "host/HostErrors.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"

// Draws a symbol as art of the current document, for one create action: the
// engine's calls in millimetres (y up) become paths, a group and point text
// at the clicked point. The frame path carries the symbol's parameters as
// a tag; the generator remembers a line across the bars for reading the
// symbol back, and turns its text into outlines when it goes, if asked.
class BarcodeGenerate : public Strivelo::BarcodeProcessorDataGenerator {
public:
    static constexpr double kPointsPerMillimetre = 2.8346457;
    static constexpr const char* kParametersTag = "Mor7LantBarcodeParameters";
    static constexpr const char* kParametersTagType = "string";

    // origin in points; the art goes into parentGroup.
    BarcodeGenerate(float originX, float originY, host::Art parentGroup, const char* parameters);
    // Converts the text frames of the parent group to outlines when asked;
    // the first host error ends that quietly.
    ~BarcodeGenerate() override;
    BarcodeGenerate(const BarcodeGenerate&) = delete;
    BarcodeGenerate& operator=(const BarcodeGenerate&) = delete;

    void SetCreateOutlines(bool createOutlines) { createOutlines_ = createOutlines; }
    void SetNoEraseBox(bool noEraseBox) { noEraseBox_ = noEraseBox; }
    // A horizontal line across the frame through the middle of the band that
    // every bar spans (the frame's middle before a bar), in points; false
    // before the frame was made.
    bool GetMeasuringLine(host::RealPoint* start, host::RealPoint* end) const;

    // Each answers false at the first host call that fails; what was made
    // stays. Bars need the frame first, which makes their group.
    bool AddBar(double left, double right, double bottom, double top) override;
    bool AddBearerBar(double left, double right, double bottom, double top) override;
    bool AddFrame(double left, double right, double bottom, double top,
                  double strokeWidth) override;
    bool AddText(double x, double y, double size, char character) override;
    bool AddQuietZoneMarks(double left, double right, double bottom, double top, double size,
                           bool leftMark, bool rightMark) override;
    // A null or empty name keeps the font.
    bool SetFont(const char* name, bool sizeIsCharacterHeight) override;

private:
    // How one character of the current font is placed: its scale, and the
    // shifts (mm) from the engine's point to the text anchor.
    struct Placement {
        double scale;
        double dx;
        double dy;
    };

    host::RealPoint ToPoint(double x, double y) const;
    host::Error NewSelectedPath(host::Art container, host::Art* path) const;
    host::Error MakeBar(double left, double right, double bottom, double top) const;
    host::Error MakeRectangle(host::Art path, double left, double right, double bottom,
                              double top) const;
    host::Error DrawText(const Placement& placement, double x, double y, double size,
                         char16_t character) const;
    // The font chain: the requested font, its fallbacks and the user's
    // replacement, telling the user once about a missing font; then the
    // placement of the character.
    host::Error ResolveFont(double size, char16_t character, Placement* placement);
    host::Error ResolveFontChain();
    // Takes the font when the host has it with usable metrics; found tells.
    host::Error TryFont(const char* name, bool substitute, bool* found);
    host::Error TryReplacement(bool* found);
    // The user's replacement of the requested font; without an installed
    // one the user hears once that the font is missing, and it gets a
    // replacement that every later symbol uses too.
    host::Error ReplaceMissingFont(bool* found);
    bool WasReported(const char* fontName) const;
    void ConvertTextToOutlines() const;

    host::Art parentGroup_;
    host::Art barsGroup_;
    float originX_;
    float originY_;
    M7LString parameters_;
    bool createOutlines_ = false;
    bool noEraseBox_ = false;
    host::Font fontKey_;
    host::FontMetrics fontMetrics_{};
    bool sizeIsCharacterHeight_ = false;
    M7LString requestedFontName_;
    bool fontResolved_ = false;
    // The fonts this generator told the user were missing.
    std::vector<M7LString> reportedMissingFonts_;
    host::RealPoint lineStart_{};
    host::RealPoint lineEnd_{};
    // The band every bar drawn spans (mm), once one is.
    bool barsDrawn_ = false;
    double barsBottom_ = 0.0;
    double barsTop_ = 0.0;
};
