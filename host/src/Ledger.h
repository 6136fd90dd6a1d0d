#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/HostHandles.h"

namespace standin {

struct SuiteCount {
    std::string name;
    std::int32_t version;
    int acquired;
    int released;
};

struct BlockInfo {
    const void* address;
    std::size_t size;
    std::string debugName;
    std::string holder;  // the published suite that owns the block, or ""
};

// What the plug-in holds of the host: suite acquisitions per name and
// version, memory blocks, and plug-in access. After "Shutdown" all of it is
// balanced, except blocks that a published suite took over.
class Ledger {
public:
    // New blocks are filled with this, not zeroed, so code that reads what it
    // never wrote shows up; freed blocks get the other.
    static constexpr std::byte kNewBlockPoison{0xCD};
    static constexpr std::byte kFreedBlockPoison{0xDD};

    enum class FreeResult { kFreed, kAlreadyFreed, kNotABlock };

    Ledger() = default;
    ~Ledger();
    Ledger(const Ledger&) = delete;
    Ledger& operator=(const Ledger&) = delete;

    void SuiteAcquired(std::string_view name, std::int32_t version);
    // False, counting nothing, when the suite is not outstanding.
    bool SuiteReleased(std::string_view name, std::int32_t version);
    int Acquisitions(std::string_view name, std::int32_t version) const;
    int Releases(std::string_view name, std::int32_t version) const;
    std::vector<SuiteCount> Suites() const;

    void* AllocateBlock(std::size_t size, std::string_view debugName);
    FreeResult FreeBlock(const void* block);
    // False when the address is not a live block.
    bool HoldBlock(const void* block, std::string_view holder);
    std::vector<BlockInfo> LiveBlocks() const;

    void AccessAcquired(host::PluginRef plugin);
    // False, counting nothing, when the plug-in holds no access.
    bool AccessReleased(host::PluginRef plugin);
    int AccessHeld(host::PluginRef plugin) const;

    bool Balanced() const { return Imbalance().empty(); }
    // One line per outstanding suite, block and access; "" when balanced.
    std::string Imbalance() const;

private:
    struct Counts {
        int acquired = 0;
        int released = 0;
    };
    struct Block {
        // Freed blocks keep their memory until the ledger goes, so an address
        // is never handed out twice and a second free is always recognised.
        std::unique_ptr<std::byte[]> memory;
        std::size_t size;
        std::string debugName;
        std::string holder;
        bool freed = false;
    };

    const Counts* FindCounts(std::string_view name, std::int32_t version) const;

    std::map<std::pair<std::string, std::int32_t>, Counts> suites_;
    std::map<const void*, Block> blocks_;
    std::map<std::uint64_t, int> access_;
};

}  // namespace standin
