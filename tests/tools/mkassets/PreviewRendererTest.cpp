// The preview converts pictures exactly as the game makes its 15-bit surfaces.

#include "tools/mkassets/PreviewRenderer.h"
#include "tools/mkassets/Canvas.h"
#include "tools/mkassets/ImageWriters.h"

#include <gtest/gtest.h>

#include <iterator>

TEST( PreviewRendererTest, DitherFollowsTheGamesTwoByTwoPattern )
{
    for( int y = 0; y < 2; ++y )
        for( int x = 0; x < 2; ++x )
        {
            EXPECT_EQ( PreviewRenderer::ditherPixel( 255, 255, 255, x, y ), 0x7FFF );
            EXPECT_EQ( PreviewRenderer::ditherPixel( 0, 0, 0, x, y ), 0x0000 );
        }
    // A channel value of 6 becomes 0 at (0, 0) and 1 at the three other places.
    EXPECT_EQ( PreviewRenderer::ditherPixel( 6, 0, 0, 0, 0 ), 0 );
    EXPECT_EQ( PreviewRenderer::ditherPixel( 6, 0, 0, 1, 0 ), 1 << 10 );
    EXPECT_EQ( PreviewRenderer::ditherPixel( 0, 6, 0, 0, 1 ), 1 << 5 );
    EXPECT_EQ( PreviewRenderer::ditherPixel( 0, 0, 6, 1, 1 ), 1 );
}

TEST( PreviewRendererTest, SurfacesKeepAlphaAndPunchMagentaHoles )
{
    Canvas opaque( 3, 2 );
    cairo_set_source_rgb( opaque.cr(), 0.5, 0.5, 0.5 );
    cairo_paint( opaque.cr() );
    PreviewRenderer::Surface surface;
    ASSERT_TRUE( PreviewRenderer::makeSurface( "x.jpg", ImageWriters::encodeJPEG( opaque, 90 ), surface ) );
    EXPECT_EQ( surface.width, 3 );
    EXPECT_TRUE( surface.mask.empty() ) << "an opaque picture needs no mask";

    // A raw TGA with an opaque magenta pixel, a half-covered one and a near-magenta one.
    std::vector<uint8_t> tga( 18 + 3 * 4, 0 );
    tga[ 2 ] = 2;
    tga[ 12 ] = 3;
    tga[ 14 ] = 1;
    tga[ 16 ] = 32;
    const uint8_t pixels[] = { 255, 0, 255, 255, 10, 20, 30, 128, 255, 1, 255, 255 };
    std::copy( std::begin( pixels ), std::end( pixels ), tga.begin() + 18 );
    ASSERT_TRUE( PreviewRenderer::makeSurface( "x.tga", tga, surface ) );
    ASSERT_EQ( surface.mask.size(), 3u );
    EXPECT_EQ( surface.mask[ 0 ], 0 );
    EXPECT_EQ( surface.mask[ 1 ], 128 );
    EXPECT_EQ( surface.mask[ 2 ], 255 );

    EXPECT_FALSE( PreviewRenderer::makeSurface( "x.tga", std::vector<uint8_t>( 10, 0 ), surface ) );
    EXPECT_FALSE( PreviewRenderer::makeSurface( "x.jpg", std::vector<uint8_t>( 100, 0 ), surface ) );
}
