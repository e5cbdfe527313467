// Points and rectangles with signed 32-bit members, as hosts of the original framework know them.
#pragma once

#include <cstdint>

struct POINT {
    int32_t x;
    int32_t y;
};

struct RECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Fills all four edges of a rectangle; answers 0 for a null rectangle.
inline int SetRect(RECT* rect, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (rect == nullptr)
        return 0;
    rect->left = left;
    rect->top = top;
    rect->right = right;
    rect->bottom = bottom;
    return 1;
}

class CRect : public RECT {
  public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int32_t l, int32_t t, int32_t r, int32_t b) : RECT{l, t, r, b} {}

    void SetRect(int32_t l, int32_t t, int32_t r, int32_t b) { ::SetRect(this, l, t, r, b); }
    // Widths and heights wrap like the framework's 32-bit arithmetic.
    int32_t Width() const {
        return static_cast<int32_t>(static_cast<uint32_t>(right) - static_cast<uint32_t>(left));
    }
    int32_t Height() const {
        return static_cast<int32_t>(static_cast<uint32_t>(bottom) - static_cast<uint32_t>(top));
    }

    bool operator==(const RECT& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool operator!=(const RECT& other) const { return !(*this == other); }
};
