#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

// Owned, counted, NUL-terminated text held by value. The size counts the
// units including the terminator and encodes three states: 0 unset (no text
// at all), 1 empty (no buffer), 2 or more a heap buffer of exactly size units.
template <typename Unit>
class M7LOwnedString {
public:
    M7LOwnedString() = default;
    explicit M7LOwnedString(const Unit* text) { Assign(text); }
    M7LOwnedString(const M7LOwnedString& other) { AssignCopy(other); }
    M7LOwnedString(M7LOwnedString&& other) noexcept : text_(other.text_), size_(other.size_) {
        other.text_ = nullptr;
        other.size_ = 0;
    }
    ~M7LOwnedString() { std::free(text_); }

    M7LOwnedString& operator=(const M7LOwnedString& other) { return AssignCopy(other); }
    M7LOwnedString& operator=(M7LOwnedString&& other) noexcept {
        if (this != &other) {
            std::free(text_);
            text_ = other.text_;
            size_ = other.size_;
            other.text_ = nullptr;
            other.size_ = 0;
        }
        return *this;
    }

    // Makes the buffer exactly n units. Keeps the contents when n is the
    // current size; a new buffer is terminated so it is always a valid text.
    bool Allocate(std::uint32_t n) {
        if (n == size_) {
            return text_ != nullptr;
        }
        std::free(text_);
        text_ = nullptr;
        size_ = n;
        if (n < 2) {
            return false;
        }
        text_ = static_cast<Unit*>(std::malloc(sizeof(Unit) * n));
        if (text_ == nullptr) {
            size_ = 0;
            return false;
        }
        text_[0] = 0;
        text_[n - 1] = 0;
        return true;
    }

    M7LOwnedString& AssignCopy(const M7LOwnedString& other) {
        if (this == &other) {
            return *this;
        }
        if (Allocate(other.size_)) {
            std::memcpy(text_, other.text_, sizeof(Unit) * size_);
        }
        return *this;
    }

    // Safe when text points into this string's own buffer: the new buffer is
    // filled before the old one is freed.
    M7LOwnedString& Assign(const Unit* text) {
        if (text == nullptr) {
            Release();
            return *this;
        }
        const std::uint32_t n = static_cast<std::uint32_t>(Length(text) + 1);
        if (n == size_ || n < 2) {
            if (Allocate(n)) {
                std::memmove(text_, text, sizeof(Unit) * n);
            }
            return *this;
        }
        Unit* fresh = static_cast<Unit*>(std::malloc(sizeof(Unit) * n));
        if (fresh != nullptr) {
            std::memcpy(fresh, text, sizeof(Unit) * n);
        }
        std::free(text_);
        text_ = fresh;
        size_ = fresh != nullptr ? n : 0;
        return *this;
    }

    const Unit* CStr() const { return size_ < 2 ? kEmpty : text_; }
    const Unit* CStrOrNull() const {
        if (size_ == 0) {
            return nullptr;
        }
        return size_ == 1 ? kEmpty : text_;
    }

    // Writable buffer of a string whose size is 2 or more, else null.
    Unit* Buffer() { return text_; }
    std::uint32_t GetSize() const { return size_; }

    bool Equals(const Unit* text) const requires std::is_same_v<Unit, char> {
        if (size_ == 0 || text == nullptr) {
            return size_ == 0 && text == nullptr;
        }
        return std::strcmp(CStr(), text) == 0;
    }

    void Clear() requires std::is_same_v<Unit, char> { Release(); }

private:
    void Release() {
        std::free(text_);
        text_ = nullptr;
        size_ = 0;
    }

    static std::size_t Length(const Unit* text) {
        std::size_t n = 0;
        while (text[n] != 0) {
            ++n;
        }
        return n;
    }

    static constexpr Unit kEmpty[1] = {0};

    Unit* text_ = nullptr;
    std::uint32_t size_ = 0;
};

using M7LString = M7LOwnedString<char>;
using M7LWideString = M7LOwnedString<char16_t>;
