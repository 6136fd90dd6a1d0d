#include "Symbols.h"

#include <gtest/gtest.h>

#include <optional>

#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorStandardSymbologies.h"
#include "CaseName.h"

namespace StriveloTest {

using Strivelo::BarcodeProcessor;

StandardRegistry::StandardRegistry(bool upcBeforeEan) {
    Strivelo::FreeRegistry();
    EXPECT_TRUE(Strivelo::RegisterStandardSymbologies(upcBeforeEan));
    EXPECT_TRUE(Strivelo::RegisterMS7B());
}

StandardRegistry::~StandardRegistry() {
    Strivelo::FreeRegistry();
}

// The standard table reaches the tests only through the registry, so an
// empty registry holds it for the moment of the call.
std::unique_ptr<BarcodeProcessor> MakeProcessor(std::int32_t type) {
    std::optional<StandardRegistry> standard;
    if (Strivelo::CreateByIndex(0) == nullptr) {
        standard.emplace();
    }
    std::unique_ptr<BarcodeProcessor> processor = Strivelo::CreateByType(type);
    if (processor == nullptr) {
        ADD_FAILURE() << "no symbology " << TypeName(type);
    }
    return processor;
}

std::unique_ptr<BarcodeProcessor> MakeSymbol(const SymbolSettings& settings) {
    std::unique_ptr<BarcodeProcessor> processor = MakeProcessor(settings.type);
    if (processor == nullptr) {
        return nullptr;
    }
    if (!settings.code.empty()) {
        EXPECT_TRUE(processor->SetCode(settings.code.c_str()))
            << TypeName(settings.type) << " refuses " << settings.code;
    }
    EXPECT_TRUE(ApplySettings(*processor, settings))
        << TypeName(settings.type) << " refuses a setting";
    return processor;
}

}  // namespace StriveloTest
