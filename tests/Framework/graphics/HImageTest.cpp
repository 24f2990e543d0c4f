#include <gtest/gtest.h>

#include <cstring>

#include "Framework/graphics/HImage.h"
#include "tests/support/RecordingProcessServices.h"

TEST( HImageTest, FormatsGiveTheirPixelSizes )
{
    HImage eight( 3, 2, IF_8BIT );
    HImage argb( 3, 2, IF_ARGB32 );
    HImage bgr( 3, 2, IF_BGR555 );
    EXPECT_EQ( eight.getBytesPerPixel(), 1 );
    EXPECT_EQ( argb.getBytesPerPixel(), 4 );
    EXPECT_EQ( bgr.getBytesPerPixel(), 2 );
    EXPECT_EQ( eight.getRowBytes(), 3 );
    EXPECT_EQ( argb.getRowBytes(), 12 );
    EXPECT_EQ( bgr.getRowBytes(), 6 );
    EXPECT_TRUE( argb.hasPixels() );
    EXPECT_STREQ( argb.getClassName(), "HImage" );
    EXPECT_TRUE( argb.isA( "himage" ) );
}

TEST( HImageTest, AnUnsupportedFormatHasNoPixelsAndAlertsWhenAsked )
{
    RecordingProcessServices services;
    HImage image( 4, 4, static_cast<HImageFormat>( 7 ) );
    EXPECT_FALSE( image.hasPixels() );
    EXPECT_EQ( image.getWidth(), 4 );
    EXPECT_EQ( image.getBytesPerPixel(), 0 );
    ASSERT_EQ( services.boxes.size(), 1u );
    EXPECT_EQ( services.boxes[ 0 ].caption, "Alert" );
    EXPECT_EQ( services.boxes[ 0 ].text, "getBytesPerPixel - unsupported format '7'" );
}

TEST( HImageTest, SizesWithoutPixelsOrBeyondTheLimitAllocateNothing )
{
    for( auto size : { std::pair<int, int>{ 0, 5 }, { 5, 0 }, { -3, 4 }, { 4, -1 }, { HImage::kMaxSide + 1, 1 } } )
    {
        HImage image( size.first, size.second, IF_ARGB32 );
        EXPECT_FALSE( image.hasPixels() );
        EXPECT_EQ( image.getWidth(), 0 );
        EXPECT_EQ( image.getHeight(), 0 );
    }
}

TEST( HImageTest, PixelsAreStoredBlueGreenRedAlpha )
{
    HImage image( 2, 2, IF_ARGB32 );
    image.setPixel32( 1, 1, HImage::packARGB( 0x11, 0x22, 0x33, 0x44 ) );
    const uint8_t* kpLast = image.getData() + 12;
    EXPECT_EQ( kpLast[ 0 ], 0x33 );
    EXPECT_EQ( kpLast[ 1 ], 0x22 );
    EXPECT_EQ( kpLast[ 2 ], 0x11 );
    EXPECT_EQ( kpLast[ 3 ], 0x44 );
    uint8_t rgba[ 4 ];
    image.getPixelRGBA( 1, 1, rgba );
    EXPECT_EQ( rgba[ 0 ], 0x11 );
    EXPECT_EQ( rgba[ 1 ], 0x22 );
    EXPECT_EQ( rgba[ 2 ], 0x33 );
    EXPECT_EQ( rgba[ 3 ], 0x44 );
}

TEST( HImageTest, PackKeepsEachInputToItsOwnByte )
{
    EXPECT_EQ( HImage::packARGB( 0x12, 0x34, 0x56, 0x78 ), 0x78123456u );
    EXPECT_EQ( HImage::packARGB( 255, 255, 255, 255 ), 0xFFFFFFFFu );
    // Wider inputs are cut where the formula cuts them: red to 8 bits, blue to 8 bits.
    EXPECT_EQ( HImage::packARGB( 0x1FF, 0, 0x1AB, 0 ), 0x00FF00ABu );
}

TEST( HImageTest, SixteenBitPixelsAreIndexedByRow )
{
    HImage image( 3, 2, IF_BGR555 );
    uint16_t words[ 6 ] = { 1, 2, 3, 4, 5, 0xF83E };
    std::memcpy( image.getData(), words, sizeof( words ) );
    EXPECT_EQ( image.getPixel16( 0, 1 ), 4 );
    EXPECT_EQ( image.getPixel16( 2, 1 ), 0xF83E );
}

TEST( HImageTest, FlipVerticalSwapsRowPairsAndKeepsTheMiddle )
{
    HImage odd( 2, 3, IF_8BIT );
    const uint8_t kRows[ 6 ] = { 1, 2, 3, 4, 5, 6 };
    std::memcpy( odd.getData(), kRows, 6 );
    odd.flipVertical();
    const uint8_t kFlipped[ 6 ] = { 5, 6, 3, 4, 1, 2 };
    EXPECT_EQ( std::memcmp( odd.getData(), kFlipped, 6 ), 0 );

    HImage even( 1, 4, IF_BGR555 );
    const uint16_t kWords[ 4 ] = { 10, 20, 30, 40 };
    std::memcpy( even.getData(), kWords, sizeof( kWords ) );
    even.flipVertical();
    EXPECT_EQ( even.getPixel16( 0, 0 ), 40 );
    EXPECT_EQ( even.getPixel16( 0, 1 ), 30 );
    EXPECT_EQ( even.getPixel16( 0, 3 ), 10 );

    HImage single( 3, 1, IF_8BIT );
    std::memcpy( single.getData(), kRows, 3 );
    single.flipVertical();
    EXPECT_EQ( std::memcmp( single.getData(), kRows, 3 ), 0 );
}

TEST( HImageTest, FreePixelsForgetsTheWholeImage )
{
    HImage image( 4, 4, IF_ARGB32 );
    image.freePixels();
    EXPECT_FALSE( image.hasPixels() );
    EXPECT_EQ( image.getWidth(), 0 );
    EXPECT_EQ( image.getHeight(), 0 );
    EXPECT_EQ( static_cast<int>( image.getFormat() ), 0 );
    image.flipVertical();
}
