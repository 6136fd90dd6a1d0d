#pragma once

namespace Strivelo {

// The sink a symbology draws into, in millimetres with y growing upwards,
// x = 0 at the left end of the left quiet zone and y = 0 at the bottom of the
// bars. Every operation answers true when it was done; the symbologies stop
// at the first refusal.
class BarcodeProcessorDataGenerator {
public:
    virtual ~BarcodeProcessorDataGenerator();

    // Bar width reduction and origin already applied.
    virtual bool AddBar(double left, double right, double bottom, double top) = 0;
    // Neither bar width reduction nor origin applied.
    virtual bool AddBearerBar(double left, double right, double bottom, double top) = 0;
    // The whole symbol box with quiet zones and text, before anything else of
    // the symbol except the font.
    virtual bool AddFrame(double left, double right, double bottom, double top,
                          double strokeWidth) = 0;
    // x is the character's horizontal centre, y its bottom.
    virtual bool AddText(double x, double y, double size, char character) = 0;
    // left and right are the symbol's outer edges, bottom and top the text's
    // y, size the magnification.
    virtual bool AddQuietZoneMarks(double left, double right, double bottom, double top,
                                   double size, bool leftMark, bool rightMark) = 0;
    // With sizeIsCharacterHeight the size given to AddText is the height of a
    // digit, else the font size; sent before the first character.
    virtual bool SetFont(const char* name, bool sizeIsCharacterHeight) = 0;
};

}  // namespace Strivelo
