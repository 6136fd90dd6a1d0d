#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "BarcodeProcessorDataGenerator.h"

namespace StriveloTest {

// One rectangle sent through AddBar, in mm.
struct RecordedBar {
    double left;
    double right;
    double bottom;
    double top;
};

// One call to the generator with its arguments in the order they were passed:
// the numbers, the character of AddText or the font name of SetFont, and the
// flags (the two mark flags, or the font's size flag).
struct RecordedCall {
    enum class Kind { kBar, kBearerBar, kFrame, kText, kQuietZoneMarks, kFont };

    Kind kind;
    std::vector<double> numbers;
    std::string text;
    std::vector<bool> flags;
};

// A generator that records every call in order and can refuse one of them.
class RecordingGenerator : public Strivelo::BarcodeProcessorDataGenerator {
public:
    // The callNumber-th call (1-based) answers false, and is still recorded;
    // 0 refuses none.
    void FailAtCall(std::size_t callNumber) { failAtCall_ = callNumber; }

    const std::vector<RecordedCall>& GetCalls() const { return calls_; }
    std::vector<RecordedCall> GetCalls(RecordedCall::Kind kind) const;
    std::vector<RecordedBar> GetBars() const;
    void Clear() { calls_.clear(); }

    bool AddBar(double left, double right, double bottom, double top) override;
    bool AddBearerBar(double left, double right, double bottom, double top) override;
    bool AddFrame(double left, double right, double bottom, double top,
                  double strokeWidth) override;
    bool AddText(double x, double y, double size, char character) override;
    bool AddQuietZoneMarks(double left, double right, double bottom, double top, double size,
                           bool leftMark, bool rightMark) override;
    bool SetFont(const char* name, bool sizeIsCharacterHeight) override;

private:
    bool Record(RecordedCall call);

    std::vector<RecordedCall> calls_;
    std::size_t failAtCall_ = 0;
};

}  // namespace StriveloTest
