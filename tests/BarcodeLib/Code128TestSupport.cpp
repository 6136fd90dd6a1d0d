#include "Code128TestSupport.h"

#include "BarcodeProcessorCode128.h"

namespace StriveloTest {

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

}  // namespace StriveloTest
