#include <gtest/gtest.h>

#include <vector>

#include "Framework/util/src/HRegistry.h"
#include "tests/Game/support/BoardText.h"
#include "tests/Game/support/GameHarness.h"

namespace
{
const char* const kapOneRow[ 6 ] = { ".OOOOO", "OOYPOY", "YPOYPO", "OYPOYP", "POYPOY", "YPOYPO" };
const char* const kapTwoRows[ 6 ] = { ".OOOOO", "OYYYYY", "YPOYPO", "OYPOYP", "POYPOY", "YPOYPO" };

void toIdle( GameHarness& harness )
{
    harness.pressEnter();
    ASSERT_EQ( harness.game().getState(), GS_LEVEL_INTRO );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 3500 ) );
}

// Completes the level being played with one orange row.
void finishLevel( GameHarness& harness )
{
    harness.game().setLinesToGo( 1 );
    loadBoard( harness.game().board(), kapOneRow );
    harness.clickCell( 0, 1 );
    ASSERT_TRUE( harness.runUntil( GS_LEVEL_COMPLETE, 1500 ) );
}

bool drewOver( const TestGame& game, const HRect& area )
{
    for( const HRect& rect : game.drawn )
    {
        if( rect.left <= area.left && rect.top <= area.top && rect.right >= area.right && rect.bottom >= area.bottom )
            return true;
    }
    return false;
}

int32_t storedSetting( const char* kpName )
{
    HRegistry& registry = HRegistry::get();
    registry.open( nullptr, "Vantorix", "Glimmerdrop" );
    uint8_t bytes[ 4 ] = {};
    uint32_t count = 0;
    bool read = registry.readBinary( kpName, bytes, sizeof( bytes ), &count );
    registry.close();
    return read && count == 4 ? static_cast<int32_t>( bytes[ 0 ] | ( bytes[ 1 ] << 8 ) | ( bytes[ 2 ] << 16 ) |
                                                      ( static_cast<uint32_t>( bytes[ 3 ] ) << 24 ) )
                              : -1;
}
}

TEST( VXGameFlowTest, AWholeLevelRunsThroughItsStatesInOrder )
{
    GameHarness harness;
    ASSERT_TRUE( harness.started() );
    TestGame& game = harness.game();
    EXPECT_EQ( game.screensMade, 1 );
    EXPECT_TRUE( game.isMusicPlaying() );
    harness.tick( 10 );
    toIdle( harness );
    EXPECT_EQ( game.getLevel(), 0 );
    EXPECT_EQ( game.getLinesToGo(), 2 );
    EXPECT_FLOAT_EQ( game.getTimeMax(), 30000.0f );

    loadBoard( game.board(), kapTwoRows );
    game.drawn.clear();
    harness.clickCell( 0, 2 );
    ASSERT_TRUE( harness.runUntil( GS_CRUNCHING, 200 ) );
    EXPECT_TRUE( drewOver( game, VXGame::kScoreArea ) );
    EXPECT_TRUE( drewOver( game, VXGame::kLinesArea ) );
    EXPECT_EQ( game.getScore(), 150 );
    ASSERT_TRUE( harness.runUntil( GS_LEVEL_COMPLETE, 400 ) );
    EXPECT_EQ( game.getPhaseTotal(), 512 );
    ASSERT_TRUE( harness.runUntil( GS_TIME_BONUS, 600 ) );
    EXPECT_EQ( game.getPhaseTotal(), 2000 );
    ASSERT_TRUE( harness.runUntil( GS_NEXT_LEVEL, 2100 ) );
    EXPECT_EQ( game.getScore(), 150 + 3000 );
    ASSERT_TRUE( harness.runUntil( GS_INFO_HINT, 2100 ) );
    EXPECT_EQ( game.getPhaseTotal(), 0 );
    toIdle( harness );

    const std::vector<int32_t> kStates = { GS_INFO_START, GS_LEVEL_INTRO,    GS_IDLE,       GS_SLIDING,
                                           GS_CRUNCHING,  GS_LEVEL_COMPLETE, GS_TIME_BONUS, GS_NEXT_LEVEL,
                                           GS_INFO_HINT,  GS_LEVEL_INTRO,    GS_IDLE };
    EXPECT_EQ( game.states, kStates );
    EXPECT_EQ( game.getLevel(), 1 );
    EXPECT_GT( game.presentationUpdates, 0 );
}

TEST( VXGameFlowTest, TheTutorialBoardIsClearedByFollowingTheHand )
{
    GameHarness::Options options;
    options.didTutorial = 0;
    GameHarness harness( options );
    TestGame& game = harness.game();
    toIdle( harness );
    EXPECT_EQ( game.tutorialLoads, 1 );
    EXPECT_EQ( game.getTutorialStep(), 0 );
    EXPECT_EQ( boardRow( game.getBoard(), 0 ), ".OOOOO" );

    const int kaClicks[ 5 ][ 2 ] = { { 1, 0 }, { 2, 0 }, { 3, 0 }, { 3, 1 }, { 0, 1 } };
    for( int i = 0; i < 5; ++i )
    {
        harness.sound().sounds.clear();
        harness.clickCell( kaClicks[ i ][ 0 ], kaClicks[ i ][ 1 ] );
        EXPECT_EQ( game.getPhaseTotal(), 512 ) << i; // slow slides while learning
        if( i < 4 )
        {
            ASSERT_TRUE( harness.runUntil( GS_IDLE, 1500 ) ) << i;
        }
    }
    ASSERT_TRUE( harness.runUntil( GS_LEVEL_COMPLETE, 1500 ) );
    // The fourth click completed row 0 in orange, the fifth column 1 in yellow.
    EXPECT_EQ( game.getScore(), 6 * 10 + 6 * 15 );
    EXPECT_EQ( harness.sound().count( "onemoretogo.ogg@128" ), 0 );
    EXPECT_FLOAT_EQ( game.getTimeLeft(), 30000.0f ); // no clock in the tutorial
    ASSERT_TRUE( harness.runUntil( GS_INFO_HINT, 5000 ) );
    EXPECT_EQ( game.tutorialUnloads, 1 );
    EXPECT_EQ( game.getSettings().didTutorial, 1 );
    EXPECT_EQ( storedSetting( "Did Tutorial" ), 1 );
    EXPECT_FALSE( game.isTutorialLevel() );
}

TEST( VXGameFlowTest, TheTutorialSwitchPlaysTheTutorialInEveryGame )
{
    GameHarness::Options options;
    options.switches = "-tutorial";
    GameHarness harness( options );
    TestGame& game = harness.game();
    toIdle( harness );
    EXPECT_TRUE( game.isTutorialLevel() );
    finishLevel( harness );
    ASSERT_TRUE( harness.runUntil( GS_INFO_HINT, 5000 ) );
    EXPECT_FALSE( game.isTutorialLevel() );
    game.restart();
    EXPECT_EQ( game.getState(), GS_INFO_START );
    toIdle( harness );
    EXPECT_TRUE( game.isTutorialLevel() );
    EXPECT_EQ( boardRow( game.getBoard(), 1 ), "YPPOOP" );
    EXPECT_EQ( game.tutorialLoads, 2 );
}

TEST( VXGameFlowTest, InformationScreensComeBeforeLevelsThatBringSomethingNew )
{
    GameHarness harness;
    TestGame& game = harness.game();
    toIdle( harness );
    struct Step
    {
        int32_t finished; // level number completed
        int32_t next;     // the state that follows it
    };
    const Step kaSteps[] = { { 1, GS_INFO_HINT },  { 2, GS_INFO_BLACK_JELLYBEAN }, { 3, GS_LEVEL_INTRO },
                             { 5, GS_INFO_RED },   { 6, GS_INFO_WILDCARD },        { 9, GS_INFO_GREEN },
                             { 13, GS_INFO_BLUE }, { 14, GS_LEVEL_INTRO } };
    for( const Step& step : kaSteps )
    {
        if( game.getLevel() + 1 != step.finished )
        {
            game.newGame( step.finished );
            harness.tick( 10 );
        }
        ASSERT_EQ( game.getState(), GS_IDLE ) << step.finished;
        finishLevel( harness );
        ASSERT_TRUE( harness.runUntil( GS_NEXT_LEVEL, 3000 ) );
        harness.tick( 2000 );
        EXPECT_EQ( game.getState(), step.next ) << step.finished;
        EXPECT_EQ( game.getLevel(), step.finished ) << step.finished;
        EXPECT_EQ( game.getPhaseTotal(), step.next == GS_LEVEL_INTRO ? 3000 : 0 ) << step.finished;
        if( step.next == GS_LEVEL_INTRO )
        {
            ASSERT_TRUE( harness.runUntil( GS_IDLE, 3500 ) );
        }
        else
            toIdle( harness );
    }
}

TEST( VXGameFlowTest, AGameStartedAtItsStartLevelPaysTheStartBonusAfterItsFirstLevel )
{
    GameHarness::Options options;
    options.startLevel = 6;
    GameHarness harness( options );
    TestGame& game = harness.game();
    toIdle( harness );
    EXPECT_EQ( game.getLevel(), 5 );
    EXPECT_EQ( game.getPendingStartBonus(), 25000 );
    game.setTimeLeft( 33.0f );
    finishLevel( harness );
    ASSERT_TRUE( harness.runUntil( GS_START_LEVEL_BONUS, 600 ) );
    EXPECT_EQ( game.getShownStartBonus(), 25000 );
    EXPECT_EQ( game.getPhaseTotal(), 2000 );
    ASSERT_TRUE( harness.runUntil( GS_TIME_BONUS, 2100 ) );
    // Six times 36 seconds times the score of the level's first kind, orange.
    EXPECT_EQ( game.getTimeBonus(), 6 * 36 * 10 );
    ASSERT_TRUE( harness.runUntil( GS_NEXT_LEVEL, 2100 ) );
    EXPECT_EQ( game.getScore(), 6 * 60 + 2160 + 25000 );
    EXPECT_EQ( game.getPendingStartBonus(), 0 );
    ASSERT_TRUE( harness.runUntil( GS_INFO_WILDCARD, 2100 ) );

    // The next level pays no start bonus.
    toIdle( harness );
    finishLevel( harness );
    ASSERT_TRUE( harness.runUntil( GS_TIME_BONUS, 600 ) );
}

TEST( VXGameFlowTest, TheStartBonusOfLevel18UsesItsFirstKindYellow )
{
    GameHarness::Options options;
    options.startLevel = 18;
    GameHarness harness( options );
    TestGame& game = harness.game();
    toIdle( harness );
    EXPECT_EQ( game.getPendingStartBonus(), 300000 );
    game.setTimeLeft( 37.0f );
    finishLevel( harness );
    ASSERT_TRUE( harness.runUntil( GS_TIME_BONUS, 2700 ) );
    EXPECT_EQ( game.getTimeBonus(), 18 * 40 * 15 );
    ASSERT_TRUE( harness.runUntil( GS_NEXT_LEVEL, 2100 ) );
    EXPECT_EQ( game.getScore(), 18 * 60 + 10800 + 300000 );
}

TEST( VXGameFlowTest, AGameNotStartedAtTheStartLevelHasNoStartBonus )
{
    GameHarness harness;
    TestGame& game = harness.game();
    toIdle( harness );
    game.newGame( 6 );
    EXPECT_EQ( game.getPendingStartBonus(), 0 );
    harness.tick( 10 );
    finishLevel( harness );
    ASSERT_TRUE( harness.runUntil( GS_TIME_BONUS, 600 ) );
}

TEST( VXGameFlowTest, LevelsPastTheTableKeepItsLastRow )
{
    GameHarness harness;
    TestGame& game = harness.game();
    toIdle( harness );
    game.newGame( 45 );
    EXPECT_EQ( game.getLevel(), 44 );
    EXPECT_FLOAT_EQ( game.getTimeMax(), 36.0f );
    EXPECT_EQ( game.getLinesToGo(), 8 );
    EXPECT_EQ( game.getBoard().getKindOffset(), 7 );
    harness.tick( 10 );
    finishLevel( harness );
    ASSERT_TRUE( harness.runUntil( GS_LEVEL_INTRO, 5000 ) );
    EXPECT_EQ( game.getLevel(), 45 );
    EXPECT_EQ( game.getLinesToGo(), 8 );
    // Scores stay in range however high the level.
    game.newGame( 2000000000 );
    EXPECT_GT( game.getLevel(), 0 );
}

TEST( VXGameFlowTest, RestartReturnsToTheStartScreenAndQuitStopsTheLoop )
{
    GameHarness harness;
    TestGame& game = harness.game();
    toIdle( harness );
    game.restart();
    EXPECT_EQ( game.getState(), GS_INFO_START );
    EXPECT_EQ( game.getPhaseTotal(), 0 );
    harness.tick( 500 );
    EXPECT_EQ( game.getState(), GS_INFO_START );
    // Leaving an information screen is only possible from one.
    game.leaveInfoScreen();
    EXPECT_EQ( game.getState(), GS_LEVEL_INTRO );
    game.leaveInfoScreen();
    EXPECT_EQ( game.getState(), GS_LEVEL_INTRO );
    EXPECT_FALSE( harness.quit() );
    EXPECT_EQ( game.getState(), GS_QUIT );
}

TEST( VXGameFlowTest, StartUpStopsWhenTheArchiveOrTheAssetsAreMissing )
{
    // The harness starts the game in its constructor; the same game then starts again.
    GameHarness harness;
    ASSERT_TRUE( harness.started() );
    TestGame& game = harness.game();
    game.unloadGraphics();
    game.shutdown();

    game.assetsLoad = false;
    EXPECT_FALSE( game.init( false, false, "/nonexistent/", "", true, true ) );
    game.unloadGraphics();
    game.shutdown();

    HRegistry& registry = HRegistry::get();
    registry.open( nullptr, "Vantorix", "Glimmerdrop" );
    registry.writeString( "resourceFile", "missing.vxz" );
    registry.close();
    harness.services().boxes.clear();
    EXPECT_FALSE( game.init( false, false, "/nonexistent/", "", true, true ) );
    ASSERT_EQ( harness.services().boxes.size(), 1u );
    EXPECT_EQ( harness.services().boxes[ 0 ].caption, "Missing Resource File" );
    EXPECT_EQ( harness.services().boxes[ 0 ].text, "Could not load the resource file '/nonexistent/missing.vxz' or "
                                                   "'/share/glimmerdrop/missing.vxz'" );
    EXPECT_EQ( game.getDisplayDevice(), nullptr );
}
