#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "Framework/graphics/HImage.h"
#include "Framework/graphics/HSurface.h"

namespace
{
std::unique_ptr<HSurface> convert( const HImage& image )
{
    return std::unique_ptr<HSurface>( HSurface::fromImage( &image ) );
}

// A 2 x 2 image of one colour, so every dither position is seen.
HImage* solid( uint8_t r, uint8_t g, uint8_t b, uint8_t a )
{
    HImage* pImage = new HImage( 2, 2, IF_ARGB32 );
    for( int y = 0; y < 2; ++y )
    {
        for( int x = 0; x < 2; ++x )
            pImage->setPixel32( x, y, HImage::packARGB( r, g, b, a ) );
    }
    return pImage;
}

uint16_t at( const HSurface& surface, int x, int y )
{
    return surface.getPixels()[ y * surface.getWidth() + x ];
}
} // namespace

TEST( HSurfaceTest, OpaqueImagesWithoutMagentaHaveNoMask )
{
    std::unique_ptr<HImage> image( solid( 10, 200, 30, 255 ) );
    auto surface = convert( *image );
    ASSERT_NE( surface, nullptr );
    EXPECT_EQ( surface->getMask(), nullptr );
    EXPECT_EQ( surface->getWidth(), 2 );
    EXPECT_EQ( surface->getHeight(), 2 );
    EXPECT_EQ( surface->getBitsPerPixel(), 16 );
    EXPECT_EQ( surface->getPitch(), 4 );
}

TEST( HSurfaceTest, WhiteAndBlackAreExactAtEveryDitherPosition )
{
    std::unique_ptr<HImage> white( solid( 255, 255, 255, 255 ) );
    std::unique_ptr<HImage> black( solid( 0, 0, 0, 255 ) );
    auto whiteSurface = convert( *white );
    auto blackSurface = convert( *black );
    for( int y = 0; y < 2; ++y )
    {
        for( int x = 0; x < 2; ++x )
        {
            EXPECT_EQ( at( *whiteSurface, x, y ), 0x7FFF ) << x << "," << y;
            EXPECT_EQ( at( *blackSurface, x, y ), 0x0000 ) << x << "," << y;
        }
    }
}

TEST( HSurfaceTest, TheOrderedDitherAddsZeroTwoThreeOne )
{
    // Channel value 6: (6 >> 1) = 3, plus 0, 2, 3, 1 at (0,0), (1,0), (0,1), (1,1), then >> 2.
    const int kExpected[ 2 ][ 2 ] = { { 0, 1 }, { 1, 1 } };
    for( int channel = 0; channel < 3; ++channel )
    {
        uint8_t rgb[ 3 ] = { 0, 0, 0 };
        rgb[ channel ] = 6;
        std::unique_ptr<HImage> image( solid( rgb[ 0 ], rgb[ 1 ], rgb[ 2 ], 255 ) );
        auto surface = convert( *image );
        int shift = 10 - channel * 5;
        for( int y = 0; y < 2; ++y )
        {
            for( int x = 0; x < 2; ++x )
                EXPECT_EQ( at( *surface, x, y ), kExpected[ y ][ x ] << shift ) << channel << " " << x << "," << y;
        }
    }
    // 100 >> 1 = 50: 50 >> 2 = 12, 52 >> 2 = 13, 53 >> 2 = 13, 51 >> 2 = 12.
    std::unique_ptr<HImage> grey( solid( 100, 100, 100, 255 ) );
    auto surface = convert( *grey );
    EXPECT_EQ( at( *surface, 0, 0 ), 12 << 10 | 12 << 5 | 12 );
    EXPECT_EQ( at( *surface, 1, 0 ), 13 << 10 | 13 << 5 | 13 );
    EXPECT_EQ( at( *surface, 0, 1 ), 13 << 10 | 13 << 5 | 13 );
    EXPECT_EQ( at( *surface, 1, 1 ), 12 << 10 | 12 << 5 | 12 );
}

TEST( HSurfaceTest, MagentaIsTransparentWhateverItsAlpha )
{
    HImage image( 3, 1, IF_ARGB32 );
    image.setPixel32( 0, 0, HImage::packARGB( 255, 0, 255, 255 ) );
    image.setPixel32( 1, 0, HImage::packARGB( 255, 1, 255, 255 ) );
    image.setPixel32( 2, 0, HImage::packARGB( 255, 0, 255, 77 ) );
    auto surface = convert( image );
    ASSERT_NE( surface->getMask(), nullptr );
    EXPECT_EQ( surface->getMask()[ 0 ], 0 );
    EXPECT_EQ( surface->getMask()[ 1 ], 255 );
    EXPECT_EQ( surface->getMask()[ 2 ], 0 );
    // Keyed pixels still carry their colour words.
    EXPECT_EQ( at( *surface, 0, 0 ), 0x7C1F );

    HImage nearMagenta( 1, 1, IF_ARGB32 );
    nearMagenta.setPixel32( 0, 0, HImage::packARGB( 255, 1, 255, 255 ) );
    EXPECT_EQ( convert( nearMagenta )->getMask(), nullptr );
}

TEST( HSurfaceTest, AlphaBecomesTheMask )
{
    HImage image( 2, 1, IF_ARGB32 );
    image.setPixel32( 0, 0, HImage::packARGB( 1, 2, 3, 128 ) );
    image.setPixel32( 1, 0, HImage::packARGB( 1, 2, 3, 0 ) );
    auto surface = convert( image );
    ASSERT_NE( surface->getMask(), nullptr );
    EXPECT_EQ( surface->getMask()[ 0 ], 128 );
    EXPECT_EQ( surface->getMask()[ 1 ], 0 );
}

TEST( HSurfaceTest, SixteenBitImagesMoveTheirChannelsAndKeyMagenta )
{
    HImage image( 4, 1, IF_BGR555 );
    // Image words: red in bits 5-1, green in 10-6, blue in 15-11.
    const uint16_t kWords[ 4 ] = { 0x003E, 0x07C0, 0xF800, 0xF83E };
    std::memcpy( image.getData(), kWords, sizeof( kWords ) );
    auto surface = convert( image );
    EXPECT_EQ( at( *surface, 0, 0 ), 0x7C00 );
    EXPECT_EQ( at( *surface, 1, 0 ), 0x03E0 );
    EXPECT_EQ( at( *surface, 2, 0 ), 0x001F );
    EXPECT_EQ( at( *surface, 3, 0 ), 0x7C1F );
    ASSERT_NE( surface->getMask(), nullptr );
    EXPECT_EQ( surface->getMask()[ 3 ], 0 );
    EXPECT_EQ( surface->getMask()[ 0 ], 255 );

    HImage opaque( 3, 1, IF_BGR555 );
    std::memcpy( opaque.getData(), kWords, 6 );
    EXPECT_EQ( convert( opaque )->getMask(), nullptr );
}

TEST( HSurfaceTest, OtherFormatsBecomeOpaqueBlack )
{
    HImage grey( 3, 2, IF_8BIT );
    std::memset( grey.getData(), 0xAB, 6 );
    auto surface = convert( grey );
    ASSERT_NE( surface, nullptr );
    EXPECT_EQ( surface->getWidth(), 3 );
    EXPECT_EQ( surface->getHeight(), 2 );
    EXPECT_EQ( surface->getMask(), nullptr );
    for( int i = 0; i < 6; ++i )
        EXPECT_EQ( surface->getPixels()[ i ], 0 );

    HImage unknown( 2, 2, static_cast<HImageFormat>( 9 ) );
    auto blank = convert( unknown );
    ASSERT_NE( blank, nullptr );
    EXPECT_EQ( blank->getWidth(), 2 );
    EXPECT_EQ( HSurface::fromImage( nullptr ), nullptr );
}

TEST( HSurfaceTest, DuplicatesOwnCopiesOfPixelsAndMask )
{
    HImage image( 2, 1, IF_ARGB32 );
    image.setPixel32( 0, 0, HImage::packARGB( 255, 255, 255, 200 ) );
    image.setPixel32( 1, 0, HImage::packARGB( 0, 0, 0, 255 ) );
    auto surface = convert( image );
    std::unique_ptr<HSurface> copy( surface->duplicate() );
    ASSERT_NE( copy, nullptr );
    EXPECT_NE( copy->getPixels(), surface->getPixels() );
    EXPECT_NE( copy->getMask(), surface->getMask() );
    EXPECT_EQ( at( *copy, 0, 0 ), 0x7FFF );
    EXPECT_EQ( copy->getMask()[ 0 ], 200 );
    EXPECT_EQ( copy->getMask()[ 1 ], 255 );
    surface->getPixels()[ 0 ] = 0;
    EXPECT_EQ( at( *copy, 0, 0 ), 0x7FFF );

    std::unique_ptr<HImage> opaque( solid( 1, 2, 3, 255 ) );
    std::unique_ptr<HSurface> plainCopy( convert( *opaque )->duplicate() );
    EXPECT_EQ( plainCopy->getMask(), nullptr );
}

TEST( HSurfaceTest, ClearColoursTruncateAndStayInRange )
{
    EXPECT_EQ( HSurface::packColor32( { 1.0f, 0.5f, 0.0f, 1.0f } ), 0xFF007FFFu );
    EXPECT_EQ( HSurface::wordFromColor( { 1.0f, 1.0f, 1.0f, 1.0f } ), 0x7FFF );
    // 0.5 * 255 = 127.5 truncates to 127, and 127 >> 3 = 15.
    EXPECT_EQ( HSurface::wordFromColor( { 0.5f, 0.0f, 0.0f, 0.0f } ), 15 << 10 );
    // 0.999 * 255 = 254.7 truncates to 254: still 31 after the shift.
    EXPECT_EQ( HSurface::wordFromColor( { 0.0f, 0.0f, 0.999f, 0.0f } ), 31 );
    // Out of range and not-a-number are held to 0..1 instead of overflowing the conversion.
    EXPECT_EQ( HSurface::wordFromColor( { 7.0f, -3.0f, NAN, 1e30f } ), 31 << 10 );
}
