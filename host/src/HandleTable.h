#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Violations.h"

namespace standin {

// The generation of the next handle, never 0. It is process-wide so that a
// token kept from an earlier host instance or from another table does not
// match a new object.
std::uint16_t NextHandleGeneration();

// Host objects behind checked tokens: a token holds a slot index and the
// generation the slot had when the object was made. Slots are reused, but a
// token of a destroyed object never finds the new one.
template <typename Handle, typename Record>
class HandleTable {
public:
    HandleTable(Violations& violations, std::string kind)
        : violations_(violations), kind_(std::move(kind)) {}

    // A null handle when the table is full.
    Handle Issue(Record record) {
        std::size_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else if (slots_.size() < kMaxSlots) {
            index = slots_.size();
            slots_.emplace_back();
        } else {
            return Handle{};
        }
        Slot& slot = slots_[index];
        slot.generation = NextHandleGeneration();
        slot.record.emplace(std::move(record));
        return Handle{(std::uint32_t{slot.generation} << kIndexBits) |
                      static_cast<std::uint32_t>(index + 1)};
    }

    // The live object, or null with a violation recorded against the call.
    Record* Find(Handle handle, std::string_view call) {
        Slot* slot = SlotOf(handle, call);
        if (slot == nullptr) {
            return nullptr;
        }
        if (!slot->record || slot->generation != GenerationOf(handle)) {
            Report(ViolationKind::kStaleHandle, call, handle);
            return nullptr;
        }
        return &*slot->record;
    }

    // The live object, or null; records nothing (the host's own look-ups).
    const Record* Peek(Handle handle) const {
        if ((handle.token & kIndexMask) == 0 || IndexOf(handle) >= slots_.size()) {
            return nullptr;
        }
        const Slot& slot = slots_[IndexOf(handle)];
        return slot.record && slot.generation == GenerationOf(handle) ? &*slot.record : nullptr;
    }
    Record* Peek(Handle handle) { return const_cast<Record*>(std::as_const(*this).Peek(handle)); }

    // Destroys the object; false with a violation when the handle is not live.
    bool Retire(Handle handle, std::string_view call) {
        Slot* slot = SlotOf(handle, call);
        if (slot == nullptr) {
            return false;
        }
        if (slot->generation != GenerationOf(handle)) {
            Report(ViolationKind::kStaleHandle, call, handle);
            return false;
        }
        if (!slot->record) {
            Report(ViolationKind::kDoubleFree, call, handle);
            return false;
        }
        slot->record.reset();
        free_.push_back(IndexOf(handle));
        return true;
    }

    std::size_t LiveCount() const { return slots_.size() - free_.size(); }

private:
    static constexpr int kIndexBits = 16;
    static constexpr std::uint32_t kIndexMask = (1u << kIndexBits) - 1;
    static constexpr std::size_t kMaxSlots = kIndexMask;

    struct Slot {
        std::uint16_t generation = 0;
        std::optional<Record> record;
    };

    static std::uint16_t GenerationOf(Handle handle) {
        return static_cast<std::uint16_t>(handle.token >> kIndexBits);
    }
    static std::size_t IndexOf(Handle handle) { return (handle.token & kIndexMask) - 1; }

    Slot* SlotOf(Handle handle, std::string_view call) {
        if ((handle.token & kIndexMask) == 0 || IndexOf(handle) >= slots_.size()) {
            Report(ViolationKind::kForeignHandle, call, handle);
            return nullptr;
        }
        return &slots_[IndexOf(handle)];
    }

    void Report(ViolationKind kind, std::string_view call, Handle handle) {
        violations_.Record(kind, call, kind_ + " " + std::to_string(handle.token));
    }

    Violations& violations_;
    std::string kind_;
    std::vector<Slot> slots_;
    std::vector<std::size_t> free_;
};

}  // namespace standin
