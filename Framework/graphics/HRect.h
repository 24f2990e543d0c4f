#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HRECT_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HRECT_H

#include <cstdint>

// A rectangle in pixels. For blits right and bottom lie one past the last column and row;
// hit tests treat them as inside (a closed rectangle).
struct HRect
{
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    // The closed test used by controls and dialog items.
    bool containsClosed( int32_t x, int32_t y ) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool operator==( const HRect& other ) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool operator!=( const HRect& other ) const { return !( *this == other ); }
};

struct HPoint
{
    int32_t x;
    int32_t y;
};

#endif
