#include "BarcodeProcessorRegistry.h"

#include <algorithm>
#include <vector>

namespace Strivelo {

namespace {

std::vector<BarcodeProcessorRegistryEntry>& Registry() {
    static std::vector<BarcodeProcessorRegistryEntry> registry;
    return registry;
}

std::vector<BarcodeProcessorRegistryEntry>::iterator Find(std::int32_t typeCode) {
    std::vector<BarcodeProcessorRegistryEntry>& registry = Registry();
    return std::find_if(registry.begin(), registry.end(),
                        [typeCode](const BarcodeProcessorRegistryEntry& entry) {
                            return entry.typeCode == typeCode;
                        });
}

}  // namespace

bool RegisterSymbology(std::int32_t typeCode, BarcodeProcessorFactory factory) {
    if (factory == nullptr) {
        return false;
    }
    const auto entry = Find(typeCode);
    if (entry != Registry().end()) {
        entry->factory = factory;
        return true;
    }
    try {
        Registry().push_back({typeCode, factory});
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

std::unique_ptr<BarcodeProcessor> CreateByType(std::int32_t typeCode) {
    const auto entry = Find(typeCode);
    return entry == Registry().end() ? nullptr : entry->factory();
}

std::unique_ptr<BarcodeProcessor> CreateByIndex(std::uint32_t index) {
    const std::vector<BarcodeProcessorRegistryEntry>& registry = Registry();
    return index < registry.size() ? registry[index].factory() : nullptr;
}

void FreeRegistry() {
    std::vector<BarcodeProcessorRegistryEntry>().swap(Registry());
}

}  // namespace Strivelo
