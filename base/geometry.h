// Points and rectangles in screen pixels, as the core sees them: the shell
// copies the system's POINT and RECT into these.
#pragma once

#include <cstdint>

struct Point32 {
    int32_t x;
    int32_t y;
};

struct Rect32 {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

inline bool operator==(Point32 a, Point32 b) {
    return a.x == b.x && a.y == b.y;
}

inline bool operator==(const Rect32& a, const Rect32& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Right and bottom edges are outside, as the system counts them.
inline bool Contains(const Rect32& r, Point32 at) {
    return at.x >= r.left && at.x < r.right && at.y >= r.top && at.y < r.bottom;
}

// Whether the two share a pixel.
inline bool Meets(const Rect32& a, const Rect32& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
