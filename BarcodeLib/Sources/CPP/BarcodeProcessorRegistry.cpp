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

bool RegisterSymbology(std::int32_t typeCode, BarcodeProcessorFactory factory,
                       BarcodeEdgeScreen screen) {
    if (factory == nullptr) {
        return false;
    }
    const auto entry = Find(typeCode);
    if (entry != Registry().end()) {
        entry->factory = factory;
        entry->screen = screen;
        return true;
    }
    try {
        Registry().push_back({typeCode, factory, screen});
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

std::uint32_t GetRegisteredCount() {
    return static_cast<std::uint32_t>(Registry().size());
}

std::span<const BarcodeProcessorRegistryEntry> GetRegisteredEntries() {
    return Registry();
}

std::int32_t GetRegisteredType(std::uint32_t index) {
    const std::vector<BarcodeProcessorRegistryEntry>& registry = Registry();
    return index < registry.size() ? registry[index].typeCode : kBarcodeTypeNull;
}

bool MightDecodeByIndex(std::uint32_t index, const double* edges, std::uint32_t count) {
    const std::vector<BarcodeProcessorRegistryEntry>& registry = Registry();
    if (index >= registry.size()) {
        return false;
    }
    const BarcodeEdgeScreen screen = registry[index].screen;
    return screen == nullptr || screen(edges, count);
}

void FreeRegistry() {
    std::vector<BarcodeProcessorRegistryEntry>().swap(Registry());
}

}  // namespace Strivelo
