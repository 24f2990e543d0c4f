#include <gtest/gtest.h>

#include "Game/VXTile.h"
#include "tests/support/RecordingProcessServices.h"

TEST( VXTileTest, ScoresOfTheKindsAndTheSpecialCodes )
{
    RecordingProcessServices services;
    EXPECT_EQ( getTileScore( TT_ORANGE ), 10 );
    EXPECT_EQ( getTileScore( TT_BLUE ), 35 );
    EXPECT_EQ( getTileScore( TT_BEAR ), 40 );
    EXPECT_EQ( getTileScore( TT_CHOCOLATE ), 50 );
    EXPECT_EQ( getTileScore( TT_GRAPEFRUIT ), 60 ); // the step widens to ten after chocolate
    EXPECT_EQ( getTileScore( TT_WORM ), 90 );
    EXPECT_EQ( getTileScore( TT_BLACK_JELLYBEAN ), 0 );
    EXPECT_EQ( getTileScore( TT_WILD ), 100 );
    EXPECT_TRUE( RecordingProcessServices::debugTraces().empty() );

    // The blank and the cleared marker have no score and are reported as mistakes.
    VXTile blank;
    EXPECT_EQ( getTileScore( blank ), 0 );
    EXPECT_EQ( getTileScore( TT_CLEARED ), 0 );
    EXPECT_EQ( getTileScore( 16 ), 0 );
    EXPECT_EQ( getTileScore( -3 ), 0 );
    ASSERT_EQ( RecordingProcessServices::debugTraces().size(), 4u );
    EXPECT_EQ( RecordingProcessServices::debugTraces()[ 0 ], "getTileScore() - attempted to get score for type 0" );
    EXPECT_EQ( RecordingProcessServices::debugTraces()[ 1 ], "getTileScore() - attempted to get score for type 255" );
}

TEST( VXTileTest, AnimationProgressStaysBelowOne )
{
    VXTile tile;
    EXPECT_FALSE( tile.isAnimating() );
    EXPECT_EQ( tile.pSprite, nullptr );
    tile.setAnimation( true, 256 );
    EXPECT_TRUE( tile.isAnimating() );
    EXPECT_EQ( tile.animationTotal, 256 );
    EXPECT_EQ( tile.animationLeft, 256 );
    EXPECT_FLOAT_EQ( tile.progress(), 0.0f );
    tile.animationLeft = 0;
    EXPECT_FLOAT_EQ( tile.progress(), 256.0f / 257.0f );
    EXPECT_LT( tile.progress(), 1.0f );
    tile.resetAnimation();
    EXPECT_FALSE( tile.isAnimating() );
    EXPECT_EQ( tile.animationTotal, 0 );
    EXPECT_FLOAT_EQ( tile.progress(), 0.0f );
}
