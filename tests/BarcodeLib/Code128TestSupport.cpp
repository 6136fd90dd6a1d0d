#include "Code128TestSupport.h"

#include <gtest/gtest.h>

#include "BarcodeProcessorCode128.h"
#include "BarcodeProcessorEAN128.h"
#include "BarcodeProcessorRegistry.h"

namespace StriveloTest {

std::unique_ptr<Strivelo::BarcodeProcessor> MakeCode128Family(std::int32_t type) {
    if (type == kEAN128Type) {
        return Strivelo::MakeBarcodeProcessor<Strivelo::BarcodeProcessorEAN128>();
    }
    return Strivelo::MakeBarcodeProcessor<Strivelo::BarcodeProcessorCode128>();
}

std::string Code128Modules(const std::vector<int>& values) {
    std::string modules;
    for (const int value : values) {
        const auto& widths =
            Strivelo::Code128SymbolTable.at(static_cast<std::size_t>(value)).widths;
        for (std::size_t i = 0; i < widths.size(); ++i) {
            modules.append(widths[i], i % 2 == 0 ? '1' : '0');
        }
    }
    return modules + "11";
}

std::vector<double> EdgesFromModules(const std::string& modules, double moduleMm) {
    std::vector<double> edges;
    for (std::size_t i = 0; i < modules.size(); ++i) {
        if (modules[i] != '1') {
            continue;
        }
        if (i == 0 || modules[i - 1] != '1') {
            edges.push_back(static_cast<double>(i) * moduleMm);
        }
        if (i + 1 == modules.size() || modules[i + 1] != '1') {
            edges.push_back(static_cast<double>(i + 1) * moduleMm);
        }
    }
    return edges;
}

RecordingGenerator DrawSymbol(Strivelo::BarcodeProcessor& processor) {
    RecordingGenerator generator;
    EXPECT_TRUE(processor.GenerateInto(&generator)) << processor.GetCode();
    return generator;
}

}  // namespace StriveloTest
