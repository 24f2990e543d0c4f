#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/graphics/HBitmapFont.h"
#include "Framework/graphics/HImage.h"
#include "Framework/graphics/HPNGLoader.h"
#include "Framework/graphics/HSurface.h"
#include "Framework/graphics/VXSprite.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/MemoryDisplayDevice.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

namespace
{
const uint16_t kWhite = 0x7FFF;

// A surface whose pixel words count up from 1, with an optional mask.
std::unique_ptr<HSurface> numbered( int w, int h, const std::vector<uint8_t>& mask = {} )
{
    std::unique_ptr<HSurface> surface( new HSurface( w, h, !mask.empty() ) );
    for( int i = 0; i < w * h; ++i )
        surface->getPixels()[ i ] = static_cast<uint16_t>( i + 1 );
    if( !mask.empty() )
        std::memcpy( surface->getMask(), mask.data(), mask.size() );
    return surface;
}

// A 16 x 7 grid of 8 x 12 cells in which every pixel tells where it came from: red is x mod 32,
// green y mod 32, blue the two high parts. Multiples of eight survive the dither unchanged.
std::string positionFontTga()
{
    const int kWidth = 128;
    const int kHeight = 84;
    std::string pixels;
    for( int row = kHeight - 1; row >= 0; --row )
    {
        for( int x = 0; x < kWidth; ++x )
        {
            int blue = ( x >> 5 ) | ( ( row >> 5 ) << 2 );
            pixels += static_cast<char>( blue * 8 );
            pixels += static_cast<char>( ( row & 31 ) * 8 );
            pixels += static_cast<char>( ( x & 31 ) * 8 );
            pixels += static_cast<char>( 255 );
        }
    }
    return tgaBytes( 2, kWidth, kHeight, 32, pixels );
}

HPoint sourceOf( uint16_t word )
{
    int blue = word & 31;
    return { ( ( word >> 10 ) & 31 ) | ( blue & 3 ) << 5, ( ( word >> 5 ) & 31 ) | ( blue >> 2 ) << 5 };
}

class HDisplayDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE( m_display.initScreen( 640, 480, "test", false, true ) );
        HBlitter::sm_setBlendOption( BOPT_BINARY_ALPHA, 0 );
    }
    void TearDown() override { HBlitter::sm_setBlendOption( BOPT_BINARY_ALPHA, 0 ); }

    RecordingProcessServices m_services;
    MemoryDisplayDevice m_display;
};

class HDisplayDeviceTextTest : public HDisplayDeviceTest
{
protected:
    void SetUp() override
    {
        HDisplayDeviceTest::SetUp();
        m_dir.write( "font.tga", positionFontTga() );
        testing::internal::CaptureStdout();
        m_fs.init( m_dir.path().c_str() );
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE( m_sprite.load( &m_display, &m_fs, "font.tga" ) );
        m_pFont = m_display.createFont( &m_sprite, 8, 12 );
        ASSERT_NE( m_pFont, nullptr );
        m_display.clear( { 0, 0, 0, 0 } );
    }
    void TearDown() override
    {
        m_display.destroyFont( m_pFont );
        m_sprite.unload();
        HDisplayDeviceTest::TearDown();
    }

    HPoint at( int x, int y ) const { return sourceOf( m_display.pixel( x, y ) ); }

    TempDir m_dir;
    HStandardFileSystem m_fs;
    VXSprite m_sprite;
    HBitmapFont* m_pFont = nullptr;
    const HRect kScreen = { 0, 0, 640, 480 };
};
} // namespace

TEST_F( HDisplayDeviceTest, InitScreenMakesABlackBackBufferOfTheSize )
{
    EXPECT_EQ( m_display.getScreenWidth(), 640 );
    EXPECT_EQ( m_display.getScreenHeight(), 480 );
    EXPECT_EQ( m_display.pixel( 0, 0 ), 0 );
    EXPECT_EQ( m_display.pixel( 639, 479 ), 0 );
    MemoryDisplayDevice other;
    EXPECT_FALSE( other.initScreen( 0, 480, "x", false, true ) );
    EXPECT_FALSE( other.initScreen( 640, -1, "x", false, true ) );
    EXPECT_EQ( other.getBackBuffer().pPixels, nullptr );
    EXPECT_FALSE( other.switchDisplayMode() );
    EXPECT_EQ( other.mapWindowToFrame( 17, -3 ).x, 17 );
    EXPECT_EQ( other.mapWindowToFrame( 17, -3 ).y, -3 );
}

TEST_F( HDisplayDeviceTest, ClearFillsTheBufferAndMarksNothing )
{
    m_display.clear( { 1.0f, 0.0f, 1.0f, 1.0f } );
    EXPECT_EQ( m_display.pixel( 0, 0 ), 0x7C1F );
    EXPECT_EQ( m_display.pixel( 639, 479 ), 0x7C1F );
    m_display.presentDirty();
    EXPECT_TRUE( m_display.presents.empty() );
}

TEST_F( HDisplayDeviceTest, BlitsMarkTheirDestinationAndEachFrameIsPresentedOnce )
{
    auto surface = numbered( 10, 10 );
    m_display.presentDirty();
    EXPECT_TRUE( m_display.presents.empty() );
    m_display.blit( { 100, 100, 110, 110 }, { 0, 0, 10, 10 }, surface.get() );
    m_display.blit( { 105, 105, 115, 115 }, { 0, 0, 10, 10 }, surface.get() );
    m_display.blitSurface( { 300, 10, 310, 20 }, surface.get() );
    m_display.presentDirty();
    ASSERT_EQ( m_display.presents.size(), 1u );
    ASSERT_EQ( m_display.presents[ 0 ].size(), 2u );
    EXPECT_EQ( m_display.presents[ 0 ][ 0 ], ( HRect{ 100, 100, 115, 115 } ) );
    EXPECT_EQ( m_display.presents[ 0 ][ 1 ], ( HRect{ 300, 10, 310, 20 } ) );
    EXPECT_EQ( m_display.getDirtyList().count(), 0 );
    m_display.presentDirty();
    EXPECT_EQ( m_display.presents.size(), 1u );

    // A raw blit past the edge marks what it was given; the present is trimmed to the screen.
    m_display.blit( { 630, 470, 650, 490 }, { 0, 0, 10, 10 }, surface.get() );
    m_display.presentDirty();
    ASSERT_EQ( m_display.presents.size(), 2u );
    EXPECT_EQ( m_display.presents[ 1 ][ 0 ], ( HRect{ 630, 470, 640, 480 } ) );
    EXPECT_EQ( m_display.pixel( 639, 479 ), 100 );
}

TEST_F( HDisplayDeviceTest, ClippedBlitsTrimTheLeftAndRightEdges )
{
    auto surface = numbered( 20, 1 );
    // Starting at x = -10 draws the source from its eleventh column at x = 0.
    m_display.clippedBlit( { -10, 0, 10, 1 }, { 0, 0, 20, 1 }, surface.get() );
    EXPECT_EQ( m_display.pixel( 0, 0 ), 11 );
    EXPECT_EQ( m_display.pixel( 9, 0 ), 20 );
    EXPECT_EQ( m_display.pixel( 10, 0 ), 0 );
    m_display.presentDirty();
    EXPECT_EQ( m_display.presents.back()[ 0 ], ( HRect{ 0, 0, 10, 1 } ) );

    // Starting exactly at the right edge draws nothing and marks nothing.
    m_display.clippedBlit( { 640, 5, 660, 6 }, { 0, 0, 20, 1 }, surface.get() );
    EXPECT_EQ( m_display.getDirtyList().count(), 0 );
}

TEST_F( HDisplayDeviceTest, ADestinationNarrowerThanItsSourceStillStaysOnScreen )
{
    // The clip narrows the source by what the destination loses, which for a destination narrower
    // than its source would still run past the right edge; the blitter stops at the edge.
    auto surface = numbered( 200, 2 );
    m_display.clippedBlit( { 600, 478, 700, 480 }, { 0, 0, 200, 2 }, surface.get() );
    EXPECT_EQ( m_display.pixel( 600, 478 ), 1 );
    EXPECT_EQ( m_display.pixel( 639, 478 ), 40 );
    EXPECT_EQ( m_display.pixel( 639, 479 ), 240 );
    // The first pixel of the next row is untouched.
    EXPECT_EQ( m_display.pixel( 0, 479 ), 0 );
}

TEST_F( HDisplayDeviceTest, BlendingFollowsTheMaskAndOnlyMaskedSurfacesBlend )
{
    // An unmasked surface is copied even when asked to subtract.
    auto plain = numbered( 2, 1 );
    m_display.clear( { 1, 1, 1, 1 } );
    m_display.clippedBlendBlit( { 0, 0, 2, 1 }, { 0, 0, 2, 1 }, plain.get(), BA_ONE, BP_ONE, 0, 0, BA_ONE, BP_ONE, 0, 0,
                                BO_SUBTRACT );
    EXPECT_EQ( m_display.pixel( 0, 0 ), 1 );
    EXPECT_EQ( m_display.pixel( 1, 0 ), 2 );

    // Mask 254: blit leaves the pixel, blendBlit mixes it.
    std::unique_ptr<HSurface> black( new HSurface( 2, 1, true ) );
    black->getMask()[ 0 ] = 254;
    black->getMask()[ 1 ] = 128;
    m_display.clear( { 1, 1, 1, 1 } );
    m_display.clippedBlit( { 10, 10, 12, 11 }, { 0, 0, 2, 1 }, black.get() );
    EXPECT_EQ( m_display.pixel( 10, 10 ), kWhite );
    m_display.clippedBlendBlit( { 10, 10, 12, 11 }, { 0, 0, 2, 1 }, black.get(), HBlendParams::alphaBlend() );
    EXPECT_EQ( m_display.pixel( 10, 10 ), 0 );
    EXPECT_EQ( m_display.pixel( 11, 10 ), 15 << 10 | 15 << 5 | 15 );

    // Binary alpha, once set, holds for every later blend.
    m_display.setBlendOption( BOPT_BINARY_ALPHA, 1 );
    m_display.clear( { 1, 1, 1, 1 } );
    m_display.clippedBlendBlit( { 10, 10, 12, 11 }, { 0, 0, 2, 1 }, black.get(), HBlendParams::alphaBlend() );
    m_display.clippedBlendBlit( { 20, 10, 22, 11 }, { 0, 0, 2, 1 }, black.get(), HBlendParams::alphaBlend() );
    EXPECT_EQ( m_display.pixel( 11, 10 ), 0 );
    EXPECT_EQ( m_display.pixel( 21, 10 ), 0 );
}

TEST_F( HDisplayDeviceTest, SurfacesAreMadeCopiedAndDestroyed )
{
    HImage image( 3, 2, IF_ARGB32 );
    for( int i = 0; i < 6; ++i )
        image.setPixel32( i % 3, i / 3, HImage::packARGB( 255, 255, 255, 255 ) );
    HSurface* pSurface = m_display.createSurface( &image );
    ASSERT_NE( pSurface, nullptr );
    HSurface* pCopy = m_display.duplicateSurface( pSurface );
    ASSERT_NE( pCopy, nullptr );
    EXPECT_EQ( pCopy->getPixels()[ 5 ], kWhite );
    m_display.destroySurface( pSurface );
    m_display.destroySurface( pCopy );
    m_display.destroySurface( nullptr );
    EXPECT_EQ( m_display.duplicateSurface( nullptr ), nullptr );
    EXPECT_EQ( m_display.createSurface( nullptr ), nullptr );
}

TEST_F( HDisplayDeviceTest, ScreenshotsHoldTheBackBufferWidenedToEightBits )
{
    m_display.clear( { 1, 1, 1, 1 } );
    auto surface = numbered( 1, 1 );
    surface->getPixels()[ 0 ] = 15 << 10 | 0 << 5 | 31;
    m_display.blitSurface( { 5, 7, 6, 8 }, surface.get() );
    TempDir dir;
    ASSERT_TRUE( m_display.saveScreenshot( dir.file( "shot.png" ).c_str() ) );
    EXPECT_FALSE( dir.exists( "shot.png.part" ) );
    std::string bytes = dir.read( "shot.png" );
    HPNGLoader loader;
    ASSERT_TRUE( loader.decode( reinterpret_cast<const uint8_t*>( bytes.data() ), static_cast<uint32_t>( bytes.size() ),
                                "shot.png" ) );
    RgbaPicture picture = pictureOf( *loader.getImage() );
    ASSERT_EQ( picture.width, 640 );
    ASSERT_EQ( picture.height, 480 );
    EXPECT_EQ( picture.at( 0, 0 )[ 0 ], 255 );
    EXPECT_EQ( picture.at( 5, 7 )[ 0 ], 123 );
    EXPECT_EQ( picture.at( 5, 7 )[ 1 ], 0 );
    EXPECT_EQ( picture.at( 5, 7 )[ 2 ], 255 );

    // Nowhere to write: a clean failure, and no back buffer at all: the same.
    EXPECT_FALSE( m_display.saveScreenshot( ( dir.path() + "/missing/shot.png" ).c_str() ) );
    MemoryDisplayDevice blank;
    EXPECT_FALSE( blank.saveScreenshot( dir.file( "blank.png" ).c_str() ) );
}

TEST_F( HDisplayDeviceTextTest, CentredTextStartsHalfItsWidthLeft )
{
    // "AB" centred at 100 with 8-pixel cells: A at 92, B at 100; A's cell is (8, 36) to (16, 48).
    m_display.drawText( "AB", 100, 50, kScreen, TA_CENTRE, m_pFont, nullptr );
    EXPECT_EQ( at( 92, 50 ).x, 8 );
    EXPECT_EQ( at( 92, 50 ).y, 36 );
    EXPECT_EQ( at( 99, 61 ).x, 15 );
    EXPECT_EQ( at( 99, 61 ).y, 47 );
    EXPECT_EQ( at( 100, 50 ).x, 16 );
    EXPECT_EQ( at( 100, 50 ).y, 36 );
    EXPECT_EQ( m_display.pixel( 91, 50 ), 0 );
    EXPECT_EQ( m_display.pixel( 108, 50 ), 0 );
    EXPECT_EQ( m_display.pixel( 92, 62 ), 0 );
}

TEST_F( HDisplayDeviceTextTest, RightAndLeftAlignment )
{
    // Right-aligned at 200: "xyz" ends at 200. '~' (126) is the last cell of the grid.
    m_display.drawText( "xy~", 200, 10, kScreen, TA_RIGHT, m_pFont, nullptr );
    EXPECT_EQ( at( 176, 10 ).x, ( 'x' % 16 ) * 8 );
    EXPECT_EQ( at( 176, 10 ).y, ( 'x' / 16 - 1 ) * 12 );
    EXPECT_EQ( at( 199, 21 ).x, ( '~' % 16 ) * 8 + 7 );
    EXPECT_EQ( m_display.pixel( 200, 10 ), 0 );
    m_display.drawText( " !", 0, 100, kScreen, 7, m_pFont, nullptr );
    EXPECT_EQ( at( 8, 100 ).x, 8 );
    EXPECT_EQ( at( 8, 100 ).y, 12 );
}

TEST_F( HDisplayDeviceTextTest, CharactersWithoutACellDrawNothingButKeepTheirPlace )
{
    const char kText[] = { 'A', 5, static_cast<char>( 200 ), static_cast<char>( -1 ), 127, 'B', 0 };
    m_display.drawText( kText, 0, 0, kScreen, TA_LEFT, m_pFont, nullptr );
    EXPECT_EQ( at( 0, 0 ).x, 8 );
    for( int x = 8; x < 32; ++x )
        EXPECT_EQ( m_display.pixel( x, 5 ), 0 ) << x;
    EXPECT_EQ( at( 32, 0 ).x, 15 * 8 );
    EXPECT_EQ( at( 32, 0 ).y, 72 );
    EXPECT_EQ( at( 40, 0 ).x, 16 );

    // Nothing at all without a font, and no font without a sprite or with empty cells.
    m_display.clear( { 0, 0, 0, 0 } );
    m_display.presentDirty();
    m_display.drawText( "AB", 0, 0, kScreen, TA_LEFT, nullptr, nullptr );
    m_display.drawText( nullptr, 0, 0, kScreen, TA_LEFT, m_pFont, nullptr );
    EXPECT_EQ( m_display.getDirtyList().count(), 0 );
    EXPECT_EQ( m_display.pixel( 0, 0 ), 0 );
    EXPECT_EQ( m_display.createFont( nullptr, 8, 12 ), nullptr );
    EXPECT_EQ( m_display.createFont( &m_sprite, 0, 12 ), nullptr );
}

TEST_F( HDisplayDeviceTextTest, TextIsCutToTheClipRectangle )
{
    // "ABC" at x 100 in a clip from 103 to 117: the end of A, all of B, the start of C.
    HRect clip = { 103, 52, 117, 58 };
    m_display.drawText( "ABC", 100, 50, clip, TA_LEFT, m_pFont, nullptr );
    EXPECT_EQ( m_display.pixel( 102, 52 ), 0 );
    EXPECT_EQ( at( 103, 52 ).x, 8 + 3 );
    EXPECT_EQ( at( 103, 52 ).y, 36 + 2 );
    EXPECT_EQ( at( 116, 57 ).x, 24 + 0 );
    EXPECT_EQ( at( 116, 57 ).y, 36 + 7 );
    EXPECT_EQ( m_display.pixel( 117, 52 ), 0 );
    EXPECT_EQ( m_display.pixel( 110, 51 ), 0 );
    EXPECT_EQ( m_display.pixel( 110, 58 ), 0 );

    // Text running off the screen is cut there too.
    m_display.drawText( "ABCDEFGH", 600, 475, kScreen, TA_LEFT, m_pFont, nullptr );
    EXPECT_EQ( at( 639, 479 ).x, 8 * 5 + 7 );
    m_display.drawText( "ABCDEFGH", -30, -5, kScreen, TA_LEFT, m_pFont, nullptr );
    EXPECT_EQ( at( 0, 0 ).x, 8 * 4 + 6 );
    EXPECT_EQ( at( 0, 0 ).y, 36 + 5 );
}
