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

// Where a new table's generations begin: apart for each table made in the
// process, so that a token kept from another table or from an earlier host
// instance matches no object here.
std::uint32_t FirstGeneration();

// Host objects behind checked tokens. A token holds a slot index (low half)
// and the generation the slot got when the object was made (high half). Each
// table counts its own generations and gives every object a new one, so a
// slot is reused without a token of an earlier object ever finding the new
// one; a table that has used up its generations makes no more objects.
template <typename Handle, typename Record>
class HandleTable {
public:
    HandleTable(Violations& violations, std::string kind)
        : violations_(violations), kind_(std::move(kind)), nextGeneration_(FirstGeneration()) {}

    // A null handle when the table has no generation or slot left.
    Handle Issue(Record record) {
        if (issued_ == kGenerations) {
            return Handle{};
        }
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
        ++issued_;
        Slot& slot = slots_[index];
        slot.generation = nextGeneration_++;
        slot.record.emplace(std::move(record));
        return Handle{(std::uint64_t{slot.generation} << kIndexBits) | (index + 1)};
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
        if (!Indexed(handle)) {
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

    // Puts an object back under the token it had (an undo): into its slot,
    // which is free or holds that same object. False when the token is of no
    // slot or its slot holds another object.
    bool Restore(Handle handle, Record record) {
        if (!Indexed(handle)) {
            return false;
        }
        Slot& slot = slots_[IndexOf(handle)];
        if (slot.record && slot.generation != GenerationOf(handle)) {
            return false;
        }
        if (!slot.record) {
            std::erase(free_, IndexOf(handle));
            slot.generation = GenerationOf(handle);
        }
        slot.record = std::move(record);
        return true;
    }

    std::size_t LiveCount() const { return slots_.size() - free_.size(); }

private:
    static constexpr int kIndexBits = 32;
    static constexpr std::uint64_t kIndexMask = (std::uint64_t{1} << kIndexBits) - 1;
    static constexpr std::size_t kMaxSlots = kIndexMask;
    static constexpr std::uint64_t kGenerations = std::uint64_t{1} << 32;

    struct Slot {
        std::uint32_t generation = 0;
        std::optional<Record> record;
    };

    static std::uint32_t GenerationOf(Handle handle) {
        return static_cast<std::uint32_t>(handle.token >> kIndexBits);
    }
    static std::size_t IndexOf(Handle handle) { return (handle.token & kIndexMask) - 1; }
    bool Indexed(Handle handle) const {
        return (handle.token & kIndexMask) != 0 && IndexOf(handle) < slots_.size();
    }

    Slot* SlotOf(Handle handle, std::string_view call) {
        if (!Indexed(handle)) {
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
    std::uint32_t nextGeneration_;
    std::uint64_t issued_ = 0;
    std::vector<Slot> slots_;
    std::vector<std::size_t> free_;
};

}  // namespace standin
