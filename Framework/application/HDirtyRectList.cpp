#include "Framework/application/HDirtyRectList.h"

#include <algorithm>

namespace
{
// [a1, a2] meets [b1, b2] when either end lies inside the other span or it covers it.
bool spansMeet( int32_t a1, int32_t a2, int32_t b1, int32_t b2 )
{
    return ( a1 >= b1 && a1 <= b2 ) || ( a2 >= b1 && a2 <= b2 ) || ( a1 <= b1 && a2 >= b2 );
}

bool contains( const HRect& outer, const HRect& inner )
{
    return outer.left <= inner.left && inner.right <= outer.right && outer.top <= inner.top &&
           inner.bottom <= outer.bottom;
}
}

HDirtyRectList::HDirtyRectList()
    : m_rects()
    , m_count( 0 )
{
}

bool HDirtyRectList::overlaps( const HRect& a, const HRect& b )
{
    if( a.width() == 0 || a.height() == 0 || b.width() == 0 || b.height() == 0 )
        return false;
    return spansMeet( a.left, a.right, b.left, b.right ) && spansMeet( a.top, a.bottom, b.top, b.bottom );
}

void HDirtyRectList::add( int32_t left, int32_t top, int32_t right, int32_t bottom )
{
    if( m_count >= kCapacity )
        return;
    if( bottom < top )
        std::swap( top, bottom );
    if( right < left )
        std::swap( left, right );
    HRect grown = { left, top, right, bottom };
    if( grown.width() == 0 || grown.height() == 0 )
        return;
    for( int i = 0; i < m_count; ++i )
    {
        if( contains( m_rects[ i ], grown ) )
            return;
    }

    // Grow over every listed rectangle it meets; a change may reach new ones, so start over.
    for( int i = 0; i < m_count; )
    {
        if( overlaps( m_rects[ i ], grown ) )
        {
            HRect box = { std::min( grown.left, m_rects[ i ].left ), std::min( grown.top, m_rects[ i ].top ),
                          std::max( grown.right, m_rects[ i ].right ), std::max( grown.bottom, m_rects[ i ].bottom ) };
            if( box != grown )
            {
                grown = box;
                i = 0;
                continue;
            }
        }
        ++i;
    }

    int kept = 0;
    for( int i = 0; i < m_count; ++i )
    {
        if( !contains( grown, m_rects[ i ] ) )
            m_rects[ kept++ ] = m_rects[ i ];
    }
    m_count = kept;
    m_rects[ m_count++ ] = grown;
}

int64_t HDirtyRectList::totalArea() const
{
    int64_t area = 0;
    for( int i = 0; i < m_count; ++i )
        area += static_cast<int64_t>( m_rects[ i ].width() ) * m_rects[ i ].height();
    return area;
}
