#pragma once

#include <cstdint>
#include <memory>

#include "BarcodeProcessor.h"
#include "SymbolSettings.h"

namespace StriveloTest {

// The standard symbologies and MS-7B registered in the engine's order while
// it lives; the registry is empty before and after.
class StandardRegistry {
public:
    explicit StandardRegistry(bool upcBeforeEan = false);
    ~StandardRegistry();
    StandardRegistry(const StandardRegistry&) = delete;
    StandardRegistry& operator=(const StandardRegistry&) = delete;
};

// A new processor of the type, made by the engine's own factory for it: the
// registered one, or the standard table's while nothing is registered. A
// type the engine does not know fails the current test and gives null.
std::unique_ptr<Strivelo::BarcodeProcessor> MakeProcessor(std::int32_t type);

// A processor of the settings' type with their code (none while it is
// empty) and the other settings; a refused code or setting fails the current
// test.
std::unique_ptr<Strivelo::BarcodeProcessor> MakeSymbol(const SymbolSettings& settings);

}  // namespace StriveloTest
