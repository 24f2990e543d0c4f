#include <gtest/gtest.h>

#include "Game/VXScorePopup.h"
#include "tests/Game/support/GameHarness.h"

TEST( VXScorePopupTest, EightPopupsAtMostAndTheNinthIsDropped )
{
    VXScorePopupList popups;
    for( int i = 0; i < 9; ++i )
        popups.start( 100 + i, HPoint{ 200, 300 } );
    EXPECT_EQ( popups.liveCount(), 8 );
    for( int i = 0; i < 8; ++i )
        EXPECT_EQ( popups.slot( i ).value, 100 + i );
    popups.clear();
    EXPECT_EQ( popups.liveCount(), 0 );
    popups.start( 5, HPoint{ 1, 2 } );
    EXPECT_EQ( popups.slot( 0 ).value, 5 );
    EXPECT_EQ( popups.slot( 0 ).lifeLeft, 2000 );
    EXPECT_FLOAT_EQ( popups.slot( 0 ).accelerationY, -200.0f );
}

TEST( VXScorePopupTest, TheAreaWidensLeftwardWithTheDigits )
{
    EXPECT_EQ( VXScorePopupList::area( 7, 100, 50 ), ( HRect{ 100, 50, 118, 73 } ) );
    EXPECT_EQ( VXScorePopupList::area( 10, 100, 50 ).left, 82 );
    EXPECT_EQ( VXScorePopupList::area( 100, 100, 50 ).left, 64 );
    EXPECT_EQ( VXScorePopupList::area( 1000, 100, 50 ).left, 28 );
    EXPECT_EQ( VXScorePopupList::area( 10000, 100, 50 ).left, 10 );
    EXPECT_EQ( VXScorePopupList::area( 100000, 100, 50 ).left, -26 );
}

TEST( VXScorePopupTest, APopupRisesAboutFourHundredPixelsInItsTwoSecondsAndMarksItsTrail )
{
    GameHarness harness;
    ASSERT_TRUE( harness.started() );
    TestGame& game = harness.game();
    game.runFrame(); // empties the start-up repaint
    VXScorePopupList popups;
    popups.start( 60, HPoint{ 200, 450 } );
    popups.advance( 10, game );
    // The first step only gathers speed: the popup has not moved yet, its cell is repainted.
    ASSERT_EQ( game.getRepaintList().count(), 1 );
    EXPECT_EQ( game.getRepaintList().item( 0 ), ( HRect{ 182, 450, 218, 473 } ) );
    int steps = 1;
    while( popups.liveCount() > 0 && steps < 1000 )
    {
        popups.advance( 10, game );
        ++steps;
    }
    EXPECT_EQ( steps, 200 );
    float risen = 450.0f - popups.slot( 0 ).y;
    EXPECT_GT( risen, 390.0f );
    EXPECT_LE( risen, 400.0f );
    // Everything between was marked, merged into one column of rectangles.
    EXPECT_EQ( game.getRepaintList().item( game.getRepaintList().count() - 1 ).bottom, 473 );
}
