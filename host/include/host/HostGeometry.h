#pragma once

#include <cstdint>

namespace host {

// Document space: points, y grows upwards, so a rect has top >= bottom.
struct RealPoint {
    float h;
    float v;

    friend constexpr bool operator==(const RealPoint&, const RealPoint&) = default;
};

struct RealRect {
    float left;
    float top;
    float right;
    float bottom;

    friend constexpr bool operator==(const RealRect&, const RealRect&) = default;
};

// Dialog and screen space: whole points, y grows downwards, so a rect has
// bottom >= top.
struct Point {
    std::int32_t h;
    std::int32_t v;
};

struct Rect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

}  // namespace host
