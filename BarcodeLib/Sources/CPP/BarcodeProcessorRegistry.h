#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <span>

#include "BarcodeProcessor.h"

namespace Strivelo {

// Makes a new processor of one symbology; null when memory runs out.
using BarcodeProcessorFactory = std::unique_ptr<BarcodeProcessor> (*)();
// Judges a caller's edge list without a processor: false only when the
// symbology's decoding fails on it in both directions, so that
// identification need not make a processor for it.
using BarcodeEdgeScreen = bool (*)(const double* edges, std::uint32_t count);

struct BarcodeProcessorRegistryEntry {
    std::int32_t typeCode;
    BarcodeProcessorFactory factory;
    // Null: every list is tried.
    BarcodeEdgeScreen screen = nullptr;
};

template <typename Symbology>
std::unique_ptr<BarcodeProcessor> MakeBarcodeProcessor() {
    return std::unique_ptr<BarcodeProcessor>(new (std::nothrow) Symbology());
}

// The one list of known symbologies. Its order is the order in which
// identification tries them, so it decides ties. A type code registered again
// keeps its position and takes the new factory. False for a null factory or
// missing memory.
bool RegisterSymbology(std::int32_t typeCode, BarcodeProcessorFactory factory,
                       BarcodeEdgeScreen screen = nullptr);
// Null when the type code is not registered.
std::unique_ptr<BarcodeProcessor> CreateByType(std::int32_t typeCode);
// Null when index is not below the number of entries.
std::unique_ptr<BarcodeProcessor> CreateByIndex(std::uint32_t index);
std::uint32_t GetRegisteredCount();
// The entries in registry order, for a pass over all of them; valid until the
// next registration or FreeRegistry.
std::span<const BarcodeProcessorRegistryEntry> GetRegisteredEntries();
// The type code the entry was registered under; kBarcodeTypeNull when index
// is not below the number of entries.
std::int32_t GetRegisteredType(std::uint32_t index);
// False when index is not below the number of entries or the entry's screen
// turns the edges away.
bool MightDecodeByIndex(std::uint32_t index, const double* edges, std::uint32_t count);
// Empties the list; registrations afterwards start a new one.
void FreeRegistry();

}  // namespace Strivelo
