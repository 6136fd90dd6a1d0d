#include "Drawing.h"

#include <gtest/gtest.h>

#include <memory>

#include "BarEdges.h"
#include "Symbols.h"

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

void ExpectStopsAtEachRefusedCall(const SymbolSettings& symbol) {
    const std::unique_ptr<Strivelo::BarcodeProcessor> drawn = MakeSymbol(symbol);
    ASSERT_NE(drawn, nullptr);
    const std::string code = drawn->GetCode();
    const Drawing complete = Draw(*drawn);
    ASSERT_TRUE(complete.generated);
    const std::size_t calls = complete.GetCalls().size();
    for (std::size_t refused = 1; refused <= calls; ++refused) {
        SCOPED_TRACE(testing::Message() << "refused call " << refused << " of " << calls);
        const std::unique_ptr<Strivelo::BarcodeProcessor> processor = MakeSymbol(symbol);
        const Drawing drawing = Draw(*processor, refused);
        EXPECT_FALSE(drawing.generated);
        EXPECT_EQ(drawing.GetCalls().size(), refused);
        EXPECT_EQ(processor->GetCode(), code);
        EXPECT_EQ(processor->GetHumanReadable(), drawn->GetHumanReadable());
        EXPECT_EQ(processor->GetEmitFrame(), drawn->GetEmitFrame());
    }
}

}  // namespace StriveloTest
