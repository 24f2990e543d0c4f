#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Game/VXDigitFont.h"
#include "Game/VXSpriteTable.h"
#include "tests/Game/support/SpriteFiles.h"
#include "tests/support/MemoryDisplayDevice.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
struct Placed
{
    int glyph;
    int32_t x;
    int32_t y;
    bool operator==( const Placed& other ) const { return glyph == other.glyph && x == other.x && y == other.y; }
};

std::vector<Placed> layoutOf( const char* kpText, int32_t x, int32_t y )
{
    std::vector<Placed> placed;
    VXDigitFont::layout( kpText, x, y, [&placed]( int glyph, int32_t gx, int32_t gy ) {
        placed.push_back( { glyph, gx, gy } );
    } );
    return placed;
}
} // namespace

TEST( VXDigitFontTest, NumbersRunLeftFromTheAnchorWithLoweredCommasBetweenGroups )
{
    // 1,234,567 at the score's anchor.
    std::vector<Placed> placed = layoutOf( "1234567", 595, 154 );
    std::vector<Placed> expected = { { 7, 595, 154 }, { 6, 577, 154 }, { 5, 559, 154 }, { 10, 545, 157 },
                                     { 4, 532, 154 }, { 3, 514, 154 }, { 2, 496, 154 }, { 10, 482, 157 },
                                     { 1, 469, 154 } };
    EXPECT_EQ( placed, expected );

    // A thousand has one comma after its first digit; 999 none, nor a comma after a last group.
    placed = layoutOf( "1000", 100, 0 );
    ASSERT_EQ( placed.size(), 5u );
    EXPECT_EQ( placed[ 3 ].glyph, 10 );
    EXPECT_EQ( placed[ 4 ].x, 100 - 36 - 14 - 13 );
    placed = layoutOf( "999", 100, 0 );
    EXPECT_EQ( placed.size(), 3u );
    placed = layoutOf( "123456", 100, 0 );
    EXPECT_EQ( placed.size(), 7u );

    // A minus sign has no glyph but keeps its place: -5 is the 5 alone.
    placed = layoutOf( "-5", 550, 267 );
    expected = { { 5, 550, 267 }, { -1, 532, 267 } };
    EXPECT_EQ( placed, expected );
    EXPECT_TRUE( layoutOf( "", 10, 10 ).empty() );

    EXPECT_EQ( VXDigitFont::digitCount( 0 ), 1 );
    EXPECT_EQ( VXDigitFont::digitCount( 25000 ), 5 );
    EXPECT_EQ( VXDigitFont::digitCount( -12 ), 3 );
}

TEST( VXDigitFontTest, DrawsTheGlyphsOnlyInsideTheClip )
{
    RecordingProcessServices services;
    SpriteFolder folder;
    for( int digit = 0; digit < 10; ++digit )
        folder.add( VXSpriteTable::fileName( SPR_FONT_ZERO + digit ), 16, 20, 255, 255, 255 );
    folder.add( "font_comma.tga", 6, 8, 255, 0, 0 );
    MemoryDisplayDevice display;
    ASSERT_TRUE( display.initScreen( 640, 480, "test", false, true ) );
    VXSpriteTable table;
    table.setSources( &display, &folder.fileSystem() );
    for( int slot = SPR_FONT_COMMA; slot <= SPR_FONT_ZERO + 9; ++slot )
        ASSERT_TRUE( table.load( slot ) );

    VXDigitFont font( &table );
    font.drawNumber( 1000, 200, 100, { 0, 0, 640, 480 } );
    EXPECT_NE( display.pixel( 200, 100 ), 0 );      // last zero
    EXPECT_NE( display.pixel( 182 + 15, 119 ), 0 ); // second zero's far corner
    EXPECT_NE( display.pixel( 154, 103 ), 0 );      // comma at 150, three pixels lower
    EXPECT_EQ( display.pixel( 154, 102 ), 0 );
    EXPECT_NE( display.pixel( 137, 100 ), 0 ); // the one, 16 wide
    EXPECT_NE( display.pixel( 152, 100 ), 0 );
    EXPECT_EQ( display.pixel( 153, 100 ), 0 );
    EXPECT_EQ( display.pixel( 136, 100 ), 0 );

    // Only the part under the clip is drawn.
    display.clear( { 0, 0, 0, 1 } );
    font.drawNumber( 8, 300, 300, { 305, 305, 310, 310 } );
    EXPECT_EQ( display.pixel( 304, 305 ), 0 );
    EXPECT_NE( display.pixel( 305, 305 ), 0 );
    EXPECT_NE( display.pixel( 309, 309 ), 0 );
    EXPECT_EQ( display.pixel( 310, 309 ), 0 );

    // Without sprites nothing is drawn and nothing fails.
    VXDigitFont bare;
    bare.drawNumber( 12, 10, 10, { 0, 0, 640, 480 } );
    font.draw( nullptr, 10, 10, { 0, 0, 640, 480 } );
}
