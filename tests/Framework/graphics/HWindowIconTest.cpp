#include <gtest/gtest.h>

#include <vector>

#include "Framework/graphics/HWindowIcon.h"

namespace
{
uint32_t alphaOf( uint32_t word )
{
    return word >> 24;
}

int opaqueInRow( const std::vector<uint32_t>& icon, int size, int row )
{
    int count = 0;
    for( int x = 0; x < size; ++x )
        count += alphaOf( icon[ row * size + x ] ) > 128 ? 1 : 0;
    return count;
}
} // namespace

TEST( HWindowIconTest, APinkDropOnAClearBackground )
{
    for( int size : { 16, 32, 64 } )
    {
        std::vector<uint32_t> icon( size * size, 0xDEADBEEF );
        HWindowIcon::paint( icon.data(), size );
        EXPECT_EQ( icon[ 0 ], 0u );
        EXPECT_EQ( alphaOf( icon[ size - 1 ] ), 0u );
        EXPECT_EQ( alphaOf( icon[ ( size - 1 ) * size ] ), 0u );
        // The body is opaque and pink: red above blue above green.
        uint32_t body = icon[ ( size * 7 / 10 ) * size + size * 6 / 10 ];
        EXPECT_EQ( alphaOf( body ), 255u ) << size;
        uint32_t r = ( body >> 16 ) & 255;
        uint32_t g = ( body >> 8 ) & 255;
        uint32_t b = body & 255;
        EXPECT_GT( r, b ) << size;
        EXPECT_GT( b, g ) << size;
        // Narrow at the top, wide at the bottom, and the same on both sides.
        EXPECT_LT( opaqueInRow( icon, size, size / 5 ), opaqueInRow( icon, size, size * 6 / 10 ) ) << size;
        for( int y = 0; y < size; ++y )
        {
            for( int x = 0; x < size / 2; ++x )
                EXPECT_NEAR( alphaOf( icon[ y * size + x ] ), alphaOf( icon[ y * size + size - 1 - x ] ), 1 )
                    << size << " " << x << "," << y;
        }
    }
    HWindowIcon::paint( nullptr, 32 );
    uint32_t untouched = 7;
    HWindowIcon::paint( &untouched, 0 );
    EXPECT_EQ( untouched, 7u );
}
