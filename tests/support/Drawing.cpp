#include "Drawing.h"

#include <gtest/gtest.h>

#include "BarEdges.h"

namespace StriveloTest {

std::string Drawing::Modules(double nominalModuleMm) const {
    return ModuleString(GetBars(), nominalModuleMm * magnification);
}

Drawing Draw(Strivelo::BarcodeProcessor& processor, std::size_t failAtCall) {
    Drawing drawing;
    drawing.FailAtCall(failAtCall);
    drawing.generated = processor.GenerateInto(&drawing);
    drawing.codeAfter = processor.GetCode();
    drawing.magnification = processor.GetMagnification();
    drawing.totalWidthMm = processor.GetTotalWidth();
    return drawing;
}

void ExpectStopsAtEachRefusedCall(Strivelo::BarcodeProcessor& processor) {
    const bool humanReadable = processor.GetHumanReadable();
    const bool frame = processor.GetEmitFrame();
    const Drawing complete = Draw(processor);
    ASSERT_TRUE(complete.generated);
    for (std::size_t refused = 1; refused <= complete.GetCalls().size(); ++refused) {
        SCOPED_TRACE(testing::Message()
                     << "refused call " << refused << " of " << complete.GetCalls().size());
        const Drawing drawing = Draw(processor, refused);
        EXPECT_FALSE(drawing.generated);
        EXPECT_EQ(drawing.GetCalls().size(), refused);
        EXPECT_EQ(processor.GetHumanReadable(), humanReadable);
        EXPECT_EQ(processor.GetEmitFrame(), frame);
    }
}

}  // namespace StriveloTest
