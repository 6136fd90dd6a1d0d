#include "Ledger.h"

#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <sstream>

namespace standin {

Ledger::~Ledger() {
    for (auto& [address, block] : blocks_) {
        ASAN_UNPOISON_MEMORY_REGION(block.memory.get(), block.size);
    }
}

void Ledger::SuiteAcquired(std::string_view name, std::int32_t version) {
    ++suites_[{std::string(name), version}].acquired;
}

bool Ledger::SuiteReleased(std::string_view name, std::int32_t version) {
    const auto found = suites_.find({std::string(name), version});
    if (found == suites_.end() || found->second.released >= found->second.acquired) {
        return false;
    }
    ++found->second.released;
    return true;
}

const Ledger::Counts* Ledger::FindCounts(std::string_view name, std::int32_t version) const {
    const auto found = suites_.find({std::string(name), version});
    return found == suites_.end() ? nullptr : &found->second;
}

int Ledger::Acquisitions(std::string_view name, std::int32_t version) const {
    const Counts* counts = FindCounts(name, version);
    return counts ? counts->acquired : 0;
}

int Ledger::Releases(std::string_view name, std::int32_t version) const {
    const Counts* counts = FindCounts(name, version);
    return counts ? counts->released : 0;
}

std::vector<SuiteCount> Ledger::Suites() const {
    std::vector<SuiteCount> result;
    for (const auto& [key, counts] : suites_) {
        result.push_back({key.first, key.second, counts.acquired, counts.released});
    }
    return result;
}

void* Ledger::AllocateBlock(std::size_t size, std::string_view debugName) {
    auto memory = std::make_unique_for_overwrite<std::byte[]>(size);
    std::fill_n(memory.get(), size, kNewBlockPoison);
    void* address = memory.get();
    blocks_.emplace(address, Block{std::move(memory), size, std::string(debugName), {}});
    return address;
}

Ledger::FreeResult Ledger::FreeBlock(const void* block) {
    const auto found = blocks_.find(block);
    if (found == blocks_.end()) {
        return FreeResult::kNotABlock;
    }
    Block& freed = found->second;
    if (freed.freed) {
        return FreeResult::kAlreadyFreed;
    }
    freed.freed = true;
    freed.holder.clear();
    std::fill_n(freed.memory.get(), freed.size, kFreedBlockPoison);
    // With the sanitizer, a read or write of the freed block is reported.
    ASAN_POISON_MEMORY_REGION(freed.memory.get(), freed.size);
    return FreeResult::kFreed;
}

bool Ledger::HoldBlock(const void* block, std::string_view holder) {
    const auto found = blocks_.find(block);
    if (found == blocks_.end() || found->second.freed) {
        return false;
    }
    found->second.holder = holder;
    return true;
}

std::vector<BlockInfo> Ledger::LiveBlocks() const {
    std::vector<BlockInfo> result;
    for (const auto& [address, block] : blocks_) {
        if (!block.freed) {
            result.push_back({address, block.size, block.debugName, block.holder});
        }
    }
    return result;
}

void Ledger::AccessAcquired(host::PluginRef plugin) {
    ++access_[plugin.token];
}

bool Ledger::AccessReleased(host::PluginRef plugin) {
    const auto found = access_.find(plugin.token);
    if (found == access_.end() || found->second == 0) {
        return false;
    }
    --found->second;
    return true;
}

int Ledger::AccessHeld(host::PluginRef plugin) const {
    const auto found = access_.find(plugin.token);
    return found == access_.end() ? 0 : found->second;
}

std::string Ledger::Imbalance() const {
    std::ostringstream out;
    for (const auto& [key, counts] : suites_) {
        if (counts.acquired != counts.released) {
            out << "suite \"" << key.first << "\" " << key.second << ": " << counts.acquired
                << " acquired, " << counts.released << " released\n";
        }
    }
    for (const BlockInfo& block : LiveBlocks()) {
        if (block.holder.empty()) {
            out << "block \"" << block.debugName << "\" of " << block.size << " bytes\n";
        }
    }
    for (const auto& [plugin, held] : access_) {
        if (held != 0) {
            out << "plug-in " << plugin << ": access held " << held << " times\n";
        }
    }
    return out.str();
}

}  // namespace standin
