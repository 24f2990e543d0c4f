#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Game/support/BoardText.h"
#include "tests/Game/support/GameHarness.h"

namespace
{
// One orange row waiting for the orange tile below the blank: clicking (0, 1) completes row 0.
const char* const kapOneRow[ 6 ] = { ".OOOOO", "OOYPOY", "YPOYPO", "OYPOYP", "POYPOY", "YPOYPO" };
// Clicking (0, 2) completes row 0 in orange and row 1 in yellow at once.
const char* const kapTwoRows[ 6 ] = { ".OOOOO", "OYYYYY", "YPOYPO", "OYPOYP", "POYPOY", "YPOYPO" };

// From the start screen to the first idle frame of the game's first level.
void startPlaying( GameHarness& harness )
{
    ASSERT_TRUE( harness.started() );
    ASSERT_EQ( harness.game().getState(), GS_INFO_START );
    harness.pressEnter();
    ASSERT_EQ( harness.game().getState(), GS_LEVEL_INTRO );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 1500 ) );
}

// Jumps to a level the way the debug level select does, in the middle of play.
void jumpToLevel( GameHarness& harness, int32_t number )
{
    harness.game().newGame( number );
    harness.tick( 10 );
    ASSERT_EQ( harness.game().getState(), GS_IDLE );
}

class VXGameScoringTest : public ::testing::Test
{
protected:
    VXGameScoringTest() { startPlaying( harness ); }

    TestGame& game() { return harness.game(); }

    GameHarness harness;
};
}

TEST_F( VXGameScoringTest, ALineScoresTimesTheLevelGivesTimeAndRefills )
{
    jumpToLevel( harness, 4 );
    game().setTimeLeft( 100.0f );
    loadBoard( game().board(), kapOneRow );
    harness.sound().sounds.clear();
    harness.clickCell( 0, 1 );
    EXPECT_EQ( game().getState(), GS_SLIDING );
    EXPECT_EQ( game().getPhaseTotal(), 64 );
    EXPECT_EQ( harness.sound().sounds, std::vector<std::string>{ "click.wav@128" } );
    ASSERT_TRUE( harness.runUntil( GS_CRUNCHING, 200 ) );
    EXPECT_EQ( game().getScore(), 4 * 6 * 10 );
    EXPECT_EQ( game().getLinesToGo(), 5 );
    EXPECT_FLOAT_EQ( game().getTimeLeft(), 104.0f );
    EXPECT_EQ( game().getPhaseTotal(), 256 );
    EXPECT_EQ( harness.sound().count( "crunch.wav@128" ), 1 );
    ASSERT_EQ( game().getScorePopups().liveCount(), 1 );
    EXPECT_EQ( game().getScorePopups().slot( 0 ).value, 240 );

    ASSERT_TRUE( harness.runUntil( GS_REFILLING, 400 ) );
    EXPECT_EQ( game().getPhaseTotal(), 128 );
    EXPECT_EQ( game().getBoard().getBlankPosition().y, 1 );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 300 ) );
    const std::vector<int32_t> kStates = { GS_SLIDING, GS_CRUNCHING, GS_REFILLING, GS_IDLE };
    std::vector<int32_t> tail( game().states.end() - 4, game().states.end() );
    EXPECT_EQ( tail, kStates );
}

TEST_F( VXGameScoringTest, TwoLinesAtOnceScoreBothAndLinesToGoMayEndBelowZero )
{
    jumpToLevel( harness, 4 );
    game().setTimeLeft( 299.0f );
    game().setLinesToGo( 1 );
    loadBoard( game().board(), kapTwoRows );
    harness.clickCell( 0, 2 );
    ASSERT_TRUE( harness.runUntil( GS_CRUNCHING, 200 ) );
    EXPECT_EQ( game().getScore(), 4 * ( 6 * 10 + 6 * 15 ) );
    EXPECT_EQ( game().getLinesToGo(), -1 );
    // Two lines give twice the seconds per line, but never more than the level's clock.
    EXPECT_FLOAT_EQ( game().getTimeLeft(), 300.0f );
    ASSERT_TRUE( harness.runUntil( GS_LEVEL_COMPLETE, 400 ) );
    EXPECT_EQ( harness.sound().count( "levelup.ogg@128" ), 1 );
    for( int y = 0; y < 6; ++y )
        EXPECT_TRUE( game().getBoard().getCell( 3, y ).isAnimating() );
}

TEST_F( VXGameScoringTest, OneMoreToGoSpeaksOnlyWhenExactlyOneLineIsLeft )
{
    // Level 1 asks for two lines: one line leaves exactly one.
    loadBoard( game().board(), kapOneRow );
    harness.sound().sounds.clear();
    harness.clickCell( 0, 1 );
    ASSERT_TRUE( harness.runUntil( GS_CRUNCHING, 200 ) );
    const std::vector<std::string> kHalf = { "click.wav@128", "onemoretogo.ogg@128", "crunch.wav@64" };
    EXPECT_EQ( harness.sound().sounds, kHalf );

    // From four to two: no speech, a full crunch.
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 600 ) );
    game().setLinesToGo( 4 );
    loadBoard( game().board(), kapTwoRows );
    harness.sound().sounds.clear();
    harness.clickCell( 0, 2 );
    ASSERT_TRUE( harness.runUntil( GS_CRUNCHING, 200 ) );
    EXPECT_EQ( game().getLinesToGo(), 2 );
    const std::vector<std::string> kFull = { "click.wav@128", "crunch.wav@128" };
    EXPECT_EQ( harness.sound().sounds, kFull );

    // From three to one with two lines: it lands on one, so it speaks.
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 600 ) );
    game().setLinesToGo( 3 );
    loadBoard( game().board(), kapTwoRows );
    harness.sound().sounds.clear();
    harness.clickCell( 0, 2 );
    ASSERT_TRUE( harness.runUntil( GS_CRUNCHING, 200 ) );
    EXPECT_EQ( game().getLinesToGo(), 1 );
    EXPECT_EQ( harness.sound().sounds, kHalf );
}

TEST_F( VXGameScoringTest, ACrunchedJellybeanSoundsItsOwnCrunch )
{
    const char* const kapJelly[ 6 ] = { ".OOWJO", "OOYPOY", "YPOYPO", "OYPOYP", "POYPOY", "YPOYPO" };
    game().setLinesToGo( 5 );
    loadBoard( game().board(), kapJelly );
    harness.sound().sounds.clear();
    harness.clickCell( 0, 1 );
    ASSERT_TRUE( harness.runUntil( GS_CRUNCHING, 200 ) );
    EXPECT_EQ( harness.sound().count( "bjbcrunch.ogg@128" ), 1 );
    EXPECT_EQ( harness.sound().count( "crunch.wav@128" ), 0 );
    EXPECT_EQ( game().getScore(), 4 * 10 + 100 );
}

TEST_F( VXGameScoringTest, ARefillThatCompletesALineIsCrunchedAndScoredWithoutAMove )
{
    // Row 5 is complete already; when it falls, column 2 (yellow, with a yellow preview) completes.
    const char* const kapChain[ 6 ] = { ".YYOYP", "POYPOY", "YPYYPO", "OYYOYP", "POYPOY", "GGGGGG" };
    loadBoard( game().board(), kapChain );
    const char kaPreviews[] = "OPYPOO";
    for( int x = 0; x < 6; ++x )
    {
        VXTile tile;
        tile.type = typeOfLetter( kaPreviews[ x ] );
        game().board().setTopPreview( x, tile );
    }
    harness.sound().sounds.clear();
    harness.tick( 10 );
    EXPECT_EQ( game().getState(), GS_CRUNCHING );
    EXPECT_EQ( game().getScore(), 6 * 30 );
    ASSERT_TRUE( harness.runUntil( GS_REFILLING, 400 ) );
    EXPECT_EQ( boardColumn( game().getBoard(), 2 ), "YYYYYY" );
    ASSERT_TRUE( harness.runUntil( GS_CRUNCHING, 300 ) );
    EXPECT_EQ( game().getScore(), 6 * 30 + 6 * 15 );
    EXPECT_EQ( game().getLinesToGo(), 0 );
    ASSERT_TRUE( harness.runUntil( GS_LEVEL_COMPLETE, 400 ) );
}

TEST_F( VXGameScoringTest, AWildBroughtInByARefillRingsTheCandyCaneOnce )
{
    jumpToLevel( harness, 7 );
    loadBoard( game().board(), kapOneRow );
    VXTile wild;
    wild.type = TT_WILD;
    game().board().setTopPreview( 2, wild );
    game().board().setTopPreview( 4, wild );
    harness.clickCell( 0, 1 );
    ASSERT_TRUE( harness.runUntil( GS_REFILLING, 600 ) );
    EXPECT_EQ( harness.sound().count( "candycane.ogg@128" ), 1 );
    EXPECT_EQ( game().getBoard().getCell( 2, 0 ).type, TT_WILD );
}

TEST_F( VXGameScoringTest, BlockedAndImpossibleMovesChangeNothingAndOnlyTheBlockedOneSounds )
{
    const char* const kapBlocked[ 6 ] = { ".OJOOO", "OOYPOY", "YPOYPO", "OYPOYP", "POYPOY", "YPOYPO" };
    loadBoard( game().board(), kapBlocked );
    harness.sound().sounds.clear();
    harness.clickCell( 4, 0 );
    harness.clickCell( 3, 3 );
    EXPECT_EQ( game().getState(), GS_IDLE );
    EXPECT_EQ( harness.sound().sounds, std::vector<std::string>{ "blocked.ogg@128" } );
    EXPECT_EQ( boardRow( game().getBoard(), 0 ), ".OJOOO" );
    // A move outside GS_IDLE is refused by the rules themselves.
    harness.clickCell( 1, 0 );
    EXPECT_EQ( game().getState(), GS_SLIDING );
    EXPECT_EQ( game().makeMove( 0, 1 ), MR_NO_MOVE );
}

TEST_F( VXGameScoringTest, TheTimeBonusIsAShareOfThreeThousandOnTheFirstThreeLevelsOnly )
{
    // Level 3: 480 seconds; 236 left plus four for the line is half the clock.
    jumpToLevel( harness, 3 );
    game().setLinesToGo( 1 );
    game().setTimeLeft( 236.0f );
    loadBoard( game().board(), kapOneRow );
    harness.clickCell( 0, 1 );
    ASSERT_TRUE( harness.runUntil( GS_TIME_BONUS, 1500 ) );
    EXPECT_EQ( game().getTimeBonus(), 1500 );
    ASSERT_TRUE( harness.runUntil( GS_NEXT_LEVEL, 2500 ) );
    EXPECT_EQ( game().getScore(), 3 * 60 + 1500 );

    // Level 4, which follows: (level + 1) x seconds left x 10.
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 6000 ) );
    ASSERT_EQ( game().getLevel(), 3 );
    game().setLinesToGo( 1 );
    game().setTimeLeft( 96.0f );
    loadBoard( game().board(), kapOneRow );
    harness.clickCell( 0, 1 );
    ASSERT_TRUE( harness.runUntil( GS_TIME_BONUS, 1500 ) );
    EXPECT_EQ( game().getTimeBonus(), 4000 );
}

TEST_F( VXGameScoringTest, TheBonusCountsWithTicksThenGoesToTheScore )
{
    game().setLinesToGo( 1 );
    loadBoard( game().board(), kapOneRow );
    harness.clickCell( 0, 1 );
    ASSERT_TRUE( harness.runUntil( GS_TIME_BONUS, 1500 ) );
    EXPECT_EQ( game().getTimeBonus(), 3000 ); // the crunch refilled the clock to its top
    int32_t scoreBefore = game().getScore();
    harness.sound().sounds.clear();
    ASSERT_TRUE( harness.runUntil( GS_NEXT_LEVEL, 2500 ) );
    // A tick more than every 60 ms of the two seconds: every seventh 10 ms frame.
    int ticks = harness.sound().count( "click.wav@128" );
    EXPECT_GE( ticks, 27 );
    EXPECT_LE( ticks, 30 );
    EXPECT_EQ( game().getScore(), scoreBefore + 3000 );
    EXPECT_EQ( game().getScorePopups().liveCount(), 0 );
    ASSERT_TRUE( harness.runUntil( GS_INFO_HINT, 2500 ) );
    EXPECT_EQ( game().getLevel(), 1 );
    EXPECT_EQ( game().getLinesToGo(), 3 );
    EXPECT_FLOAT_EQ( game().getTimeMax(), 600.0f );
}
