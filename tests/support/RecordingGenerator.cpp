#include "RecordingGenerator.h"

#include <utility>

namespace StriveloTest {

using Kind = RecordedCall::Kind;

std::vector<RecordedCall> RecordingGenerator::GetCalls(Kind kind) const {
    std::vector<RecordedCall> calls;
    for (const RecordedCall& call : calls_) {
        if (call.kind == kind) {
            calls.push_back(call);
        }
    }
    return calls;
}

std::vector<RecordedBar> RecordingGenerator::GetBars() const {
    std::vector<RecordedBar> bars;
    for (const RecordedCall& call : GetCalls(Kind::kBar)) {
        bars.push_back({call.numbers[0], call.numbers[1], call.numbers[2], call.numbers[3]});
    }
    return bars;
}

bool RecordingGenerator::AddBar(double left, double right, double bottom, double top) {
    return Record({Kind::kBar, {left, right, bottom, top}, {}, {}});
}

bool RecordingGenerator::AddBearerBar(double left, double right, double bottom, double top) {
    return Record({Kind::kBearerBar, {left, right, bottom, top}, {}, {}});
}

bool RecordingGenerator::AddFrame(double left, double right, double bottom, double top,
                                  double strokeWidth) {
    return Record({Kind::kFrame, {left, right, bottom, top, strokeWidth}, {}, {}});
}

bool RecordingGenerator::AddText(double x, double y, double size, char character) {
    return Record({Kind::kText, {x, y, size}, std::string(1, character), {}});
}

bool RecordingGenerator::AddQuietZoneMarks(double left, double right, double bottom, double top,
                                           double size, bool leftMark, bool rightMark) {
    return Record(
        {Kind::kQuietZoneMarks, {left, right, bottom, top, size}, {}, {leftMark, rightMark}});
}

bool RecordingGenerator::SetFont(const char* name, bool sizeIsCharacterHeight) {
    return Record({Kind::kFont, {}, name, {sizeIsCharacterHeight}});
}

bool RecordingGenerator::Record(RecordedCall call) {
    calls_.push_back(std::move(call));
    return calls_.size() != failAtCall_;
}

}  // namespace StriveloTest
