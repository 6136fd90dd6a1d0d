#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

#include "M7LFailure.h"

namespace Strivelo {

// The elements (bars and spaces) between edgeCount edges.
constexpr std::size_t ElementsBetween(std::uint32_t edgeCount) {
    return edgeCount > 0 ? edgeCount - 1 : 0;
}

// A family's scratch for the elements of one decoding: owned by the family,
// sized by its BeginDecode for the edge count and freed by its EndDecode.
// It knows how many elements it holds, so a buffer begun for a shorter list
// is never read past its end. The elements of a symbol of ordinary length
// fit inside it, so that decoding one needs no allocation.
template <typename Element>
class BarcodeDecodeBuffer {
public:
    static constexpr std::size_t kInlineCount = 256;

    BarcodeDecodeBuffer() = default;
    // The elements may lie inside the buffer, which therefore stays where it
    // is.
    BarcodeDecodeBuffer(const BarcodeDecodeBuffer&) = delete;
    BarcodeDecodeBuffer& operator=(const BarcodeDecodeBuffer&) = delete;

    // Keeps the buffer when it holds count elements already, else takes one
    // that does; false, and no buffer left, when memory is missing.
    bool Reserve(std::size_t count) {
        if (elements_ != nullptr && count_ >= count) {
            return true;
        }
        if (count <= kInlineCount) {
            allocated_.reset();
            elements_ = inline_;
            count_ = count;
            return true;
        }
        allocated_.reset(new (std::nothrow) Element[count]);
        elements_ = allocated_.get();
        count_ = elements_ != nullptr ? count : 0;
        return elements_ != nullptr;
    }
    void Free() {
        allocated_.reset();
        elements_ = nullptr;
        count_ = 0;
    }

    // The elements when the buffer holds count of them; else null, after a
    // report, since BeginDecode sizes the buffer for every decoding.
    Element* GetFor(std::size_t count) {
        if (elements_ == nullptr || count_ < count) {
            ReportCantHappen(0, "decode buffer smaller than its decoding", __FILE__, __LINE__);
            return nullptr;
        }
        return elements_;
    }
    // Null while no buffer is held.
    Element* Get() { return elements_; }
    const Element* Get() const { return elements_; }

private:
    Element inline_[kInlineCount];
    std::unique_ptr<Element[]> allocated_;
    Element* elements_ = nullptr;
    std::size_t count_ = 0;
};

}  // namespace Strivelo
