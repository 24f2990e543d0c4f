#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Framework/application/HRandom.h"
#include "Game/VXBoard.h"
#include "Game/VXBoardView.h"
#include "Game/VXGame.h"
#include "Game/VXSpriteTable.h"
#include "tests/Game/support/SpriteFiles.h"
#include "tests/support/MemoryDisplayDevice.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
class VXBoardViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        random.seed( 99 );
        board.setRandom( &random );
        // The tutorial's fixed board: blank at the top-left, row 0 orange after it.
        board.setupLevel( 3, 0, 0, true );
        folder.add( "tile_orange.tga", 42, 42, 255, 128, 0 );
        folder.add( "tile_yellow.tga", 42, 42, 255, 255, 0 );
        folder.add( "tile_purple.tga", 42, 42, 128, 0, 255 );
        ASSERT_TRUE( display.initScreen( 640, 480, "test", false, true ) );
        sprites.setSources( &display, &folder.fileSystem() );
        for( int32_t type : { TT_ORANGE, TT_YELLOW, TT_PURPLE } )
            ASSERT_TRUE( sprites.load( VXSpriteTable::stillSlot( type ) ) );
    }

    HPoint at( const VXBoardView::Motion& motion, int x, int y )
    {
        HPoint point{ -1, -1 };
        EXPECT_TRUE( VXBoardView::tilePosition( board, motion, x, y, point ) );
        return point;
    }

    RecordingProcessServices services;
    HRandom random;
    VXBoard board;
    SpriteFolder folder;
    MemoryDisplayDevice display;
    VXSpriteTable sprites;
};
} // namespace

TEST_F( VXBoardViewTest, PicturesAreChosenOnceAndOnlyChangesAreReported )
{
    HRect changed = VXBoardView::chooseSprites( board, sprites );
    EXPECT_EQ( changed, ( HRect{ 107, 101, 107 + 6 * 42, 101 + 6 * 42 } ) );
    EXPECT_EQ( board.getCell( 0, 0 ).pSprite, nullptr );
    EXPECT_EQ( board.getCell( 1, 0 ).pSprite, sprites.get( VXSpriteTable::stillSlot( TT_ORANGE ) ) );
    EXPECT_EQ( VXBoardView::chooseSprites( board, sprites ).width(), 0 );

    // A crunching cell changes picture as its frames go by, and only its own cell is marked.
    VXTile tile = board.getCell( 4, 3 );
    tile.setAnimation( true, 256 );
    board.setCell( 4, 3, tile );
    EXPECT_EQ( VXBoardView::chooseSprites( board, sprites ).width(), 0 );
    board.advanceAnimations( 40 );
    EXPECT_EQ( VXBoardView::chooseSprites( board, sprites ), VXBoard::cellRect( 4, 3 ) );
    board.advanceAnimations( 1 );
    EXPECT_EQ( VXBoardView::chooseSprites( board, sprites ).width(), 0 );
}

TEST_F( VXBoardViewTest, SlidingTilesGlideFromTheirOldCellsIntoTheirNewOnes )
{
    HPoint previous{ 0, 0 };
    ASSERT_EQ( board.tryMove( 3, 0, &previous ), 0 );
    VXBoardView::Motion motion{ GS_SLIDING, 64, 64, previous };
    // At the start every moved tile is drawn where it was.
    EXPECT_EQ( at( motion, 0, 0 ).x, 107 + 42 );
    EXPECT_EQ( at( motion, 2, 0 ).x, 107 + 3 * 42 );
    EXPECT_EQ( at( motion, 4, 0 ).x, 107 + 4 * 42 );
    EXPECT_EQ( at( motion, 0, 1 ).y, 101 + 42 );
    motion.phaseLeft = 32;
    EXPECT_EQ( at( motion, 1, 0 ).x, 107 + 42 + 21 );
    EXPECT_EQ( at( motion, 1, 0 ).y, 101 );
    motion.phaseLeft = 0;
    EXPECT_EQ( at( motion, 1, 0 ).x, 107 + 42 );
    // A phase without length shows the tiles in place.
    motion.phaseTotal = 0;
    motion.phaseLeft = 50;
    EXPECT_EQ( at( motion, 1, 0 ).x, 107 + 42 );

    // Down a column the tiles move up into the blank.
    ASSERT_EQ( board.tryMove( 3, 2, &previous ), 0 );
    motion = { GS_SLIDING, 48, 64, previous };
    EXPECT_EQ( at( motion, 3, 0 ).y, 101 + 31 );
    EXPECT_EQ( at( motion, 3, 1 ).y, 101 + 42 + 31 );
    EXPECT_EQ( at( motion, 3, 3 ).y, 101 + 3 * 42 );
    EXPECT_EQ( at( motion, 2, 1 ).x, 107 + 2 * 42 );
}

TEST_F( VXBoardViewTest, RefilledTilesFallIntoTheCrunchedRow )
{
    // The tutorial's first four moves complete row 0.
    HPoint previous;
    for( HPoint target : { HPoint{ 1, 0 }, HPoint{ 2, 0 }, HPoint{ 3, 0 }, HPoint{ 3, 1 } } )
        ASSERT_EQ( board.tryMove( target.x, target.y, &previous ), 0 );
    int32_t lines = 0;
    int32_t sum = 0;
    bool wild = false;
    bool jellybean = false;
    ASSERT_EQ( board.crunchStep( &lines, &sum, &wild, &jellybean ), 2 );
    board.advanceAnimations( 256 );
    ASSERT_EQ( board.crunchStep( &lines, &sum, &wild, &jellybean ), 3 );
    ASSERT_EQ( board.getCrunchedRow( 0 ), 0 );

    VXBoardView::Motion motion{ GS_REFILLING, 64, 128, previous };
    EXPECT_EQ( at( motion, 2, 0 ).y, 101 - 21 );
    EXPECT_EQ( at( motion, 2, 0 ).x, 107 + 2 * 42 );
    EXPECT_EQ( at( motion, 2, 1 ).y, 101 + 42 );
    motion.phaseLeft = 0;
    EXPECT_EQ( at( motion, 2, 0 ).y, 101 );

    // No phase: nothing at all is drawn.
    motion.phaseTotal = 0;
    HPoint point;
    EXPECT_FALSE( VXBoardView::tilePosition( board, motion, 2, 0, point ) );
}

TEST_F( VXBoardViewTest, DrawsTheTilesTheStateShowsAndComplainsAboutUnknownStates )
{
    VXBoardView::chooseSprites( board, sprites );
    HRect all{ 0, 0, 640, 480 };
    VXBoardView::Motion motion{ GS_IDLE, 0, 0, { 0, 0 } };
    VXBoardView::drawTiles( board, sprites, motion, all );
    EXPECT_EQ( display.pixel( 107 + 20, 101 + 20 ), 0 ); // the blank
    EXPECT_NE( display.pixel( 107 + 42 + 20, 101 + 20 ), 0 );
    EXPECT_NE( display.pixel( 107 + 5 * 42 + 41, 101 + 5 * 42 + 41 ), 0 );

    // Only inside the clip.
    display.clear( { 0, 0, 0, 1 } );
    VXBoardView::drawTiles( board, sprites, motion, VXBoard::cellRect( 2, 2 ) );
    EXPECT_NE( display.pixel( 107 + 2 * 42, 101 + 2 * 42 ), 0 );
    EXPECT_EQ( display.pixel( 107 + 2 * 42 - 1, 101 + 2 * 42 ), 0 );
    EXPECT_EQ( display.pixel( 107 + 3 * 42, 101 + 2 * 42 ), 0 );

    // The level intro, the bonus panels and the information screens show an empty arena.
    display.clear( { 0, 0, 0, 1 } );
    for( int32_t state = GS_TIME_BONUS; state <= GS_QUIT; ++state )
    {
        motion.state = state;
        VXBoardView::drawTiles( board, sprites, motion, all );
    }
    EXPECT_EQ( display.pixel( 107 + 42 + 20, 101 + 20 ), 0 );
    EXPECT_TRUE( services.boxes.empty() );

    motion = { GS_REFILLING, 10, 128, { 0, 0 } };
    VXBoardView::drawTiles( board, sprites, motion, all );
    EXPECT_EQ( display.pixel( 107 + 42 + 20, 101 + 20 ), 0 );
    const auto& traces = RecordingProcessServices::debugTraces();
    EXPECT_NE( std::find( traces.begin(), traces.end(), "m_drawTilesRefilling called incorrectly" ), traces.end() );

    motion.state = 42;
    VXBoardView::drawTiles( board, sprites, motion, all );
    ASSERT_EQ( services.boxes.size(), 1u );
    EXPECT_EQ( services.boxes[ 0 ].caption, "Alert" );
    EXPECT_EQ( services.boxes[ 0 ].text, "m_drawTiles - unknown state '42'" );
}
