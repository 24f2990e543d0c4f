#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HDIRTYRECTLIST_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HDIRTYRECTLIST_H

#include <cstdint>

#include "Framework/graphics/HRect.h"

// The screen regions still to be redrawn and presented. Rectangles are merged on insertion,
// so the list never holds one inside another and overlapping or touching regions go out once.
class HDirtyRectList
{
public:
    static const int kCapacity = 512;

    HDirtyRectList();

    // A full list drops the rectangle; coordinates are put in order; empty ones are ignored.
    void add( int32_t left, int32_t top, int32_t right, int32_t bottom );
    void add( const HRect& rect ) { add( rect.left, rect.top, rect.right, rect.bottom ); }
    void clear() { m_count = 0; }
    int count() const { return m_count; }
    const HRect& item( int i ) const { return m_rects[ i ]; }
    const HRect* items() const { return m_rects; }
    int64_t totalArea() const;

    // Touching edges count as overlap; a zero-sized rectangle overlaps nothing.
    static bool overlaps( const HRect& a, const HRect& b );

private:
    HRect m_rects[ kCapacity ];
    int32_t m_count;
};

#endif
