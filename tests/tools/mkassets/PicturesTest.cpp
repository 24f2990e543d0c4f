// The painters as the builder uses them: sizes, reproducibility, and the canvas operations.

#include "tools/mkassets/AssetBuilder.h"
#include "tools/mkassets/AssetManifest.h"
#include "tools/mkassets/Canvas.h"
#include "tools/mkassets/CrunchPainter.h"
#include "tools/mkassets/TextPainter.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
class PicturesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE( TextPainter::registerFonts( error ) ) << error;
    }
};

int coverage( const Canvas& canvas )
{
    int sum = 0;
    for( int y = 0; y < canvas.height(); ++y )
        for( int x = 0; x < canvas.width(); ++x )
            sum += int( canvas.pixelAt( x, y ) >> 24 );
    return sum;
}
} // namespace

TEST_F( PicturesTest, ManifestNamesAreUniqueAndPicturesComeOutAtTheirSize )
{
    std::set<std::string> seen;
    for( const AssetManifest::Asset& asset : AssetManifest::all() )
        EXPECT_TRUE( seen.insert( asset.name ).second ) << asset.name << " is listed twice";
    // A sample of every family of painter.
    for( const char* kpName :
         { "tile_worm.tga", "anim_tile_blue_ex03.tga", "anim_tile_generic07.tga", "anim_tile_wild_ex00.tga",
           "font_seven.tga", "font.tga", "icon_highscores_lit.tga", "options_icon_14_lit.tga", "timer.tga",
           "bites02.tga", "tutorial_hand.tga", "tutorial_5.jpg", "info_wildcard.jpg", "options_dialog.jpg",
           "restart_areyousure.jpg" } )
    {
        const AssetManifest::Asset* pAsset = AssetManifest::find( kpName );
        ASSERT_NE( pAsset, nullptr ) << kpName;
        Canvas first( 1, 1 );
        Canvas second( 1, 1 );
        std::string error;
        ASSERT_TRUE( AssetBuilder::paintPicture( kpName, first, error ) ) << kpName << ": " << error;
        ASSERT_TRUE( AssetBuilder::paintPicture( kpName, second, error ) ) << kpName;
        EXPECT_EQ( first.width(), pAsset->width ) << kpName;
        EXPECT_EQ( first.height(), pAsset->height ) << kpName;
        EXPECT_EQ( AssetBuilder::encodePicture( kpName, first ), AssetBuilder::encodePicture( kpName, second ) )
            << kpName << " is not the same from one run to the next";
        EXPECT_GT( coverage( first ), 0 ) << kpName << " is empty";
    }
    Canvas none( 1, 1 );
    std::string error;
    EXPECT_FALSE( AssetBuilder::paintPicture( "tile_unicorn.tga", none, error ) );
    EXPECT_FALSE( error.empty() );
}

TEST_F( PicturesTest, CrunchBurstsAndFades )
{
    // The burst spreads out and fades: the last frames hold far less than the first.
    int first = coverage( CrunchPainter::paintFrame( "green", 0 ) );
    int middle = coverage( CrunchPainter::paintFrame( "green", 5 ) );
    int last = coverage( CrunchPainter::paintFrame( "green", 10 ) );
    EXPECT_GT( first, middle );
    EXPECT_GT( middle, last * 2 );
    EXPECT_GT( coverage( CrunchPainter::paintGenericFrame( 0 ) ), coverage( CrunchPainter::paintGenericFrame( 10 ) ) );
}

TEST( CanvasTest, DownsamplingAveragesAndExportUnpremultiplies )
{
    Canvas canvas( 4, 2 );
    uint32_t* p = canvas.pixels();
    int stride = canvas.stridePixels();
    p[ 0 ] = 0xFFFFFFFF;
    p[ 1 ] = 0x00000000;
    p[ stride ] = 0xFFFFFFFF;
    p[ stride + 1 ] = 0x00000000;
    p[ 2 ] = p[ 3 ] = p[ stride + 2 ] = p[ stride + 3 ] = 0x80800000;
    canvas.markDirty();
    Canvas half = canvas.downsampled( 2 );
    ASSERT_EQ( half.width(), 2 );
    ASSERT_EQ( half.height(), 1 );
    EXPECT_EQ( half.pixelAt( 0, 0 ), 0x80808080u );
    EXPECT_EQ( half.pixelAt( 1, 0 ), 0x80800000u );
    std::vector<uint8_t> bgra = half.straightBGRA();
    EXPECT_EQ( bgra[ 0 ], 255 );
    EXPECT_EQ( bgra[ 3 ], 128 );
    EXPECT_EQ( bgra[ 4 + 2 ], 255 );
    EXPECT_EQ( bgra[ 4 + 0 ], 0 );
    // Fully transparent pixels export as black, not as noise.
    Canvas empty( 1, 1 );
    EXPECT_EQ( empty.straightBGRA(), std::vector<uint8_t>( 4, 0 ) );
}

TEST( CanvasTest, BlurSpreadsWithoutGainingOrLosingMuch )
{
    Canvas canvas( 40, 40 );
    cairo_rectangle( canvas.cr(), 15, 15, 10, 10 );
    cairo_set_source_rgb( canvas.cr(), 1, 1, 1 );
    cairo_fill( canvas.cr() );
    int before = coverage( canvas );
    canvas.blur( 3.0 );
    int after = coverage( canvas );
    EXPECT_NEAR( after, before, before / 20 );
    EXPECT_GT( canvas.pixelAt( 13, 20 ) >> 24, 0u ) << "nothing spread out";
    EXPECT_LT( canvas.pixelAt( 20, 20 ) >> 24, 255u );
    // Premultiplied colour never exceeds its alpha.
    for( int y = 0; y < 40; ++y )
        for( int x = 0; x < 40; ++x )
        {
            uint32_t v = canvas.pixelAt( x, y );
            ASSERT_LE( ( v >> 16 ) & 255, v >> 24 );
        }
}
