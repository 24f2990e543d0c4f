#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/Game/support/BoardText.h"
#include "tests/Game/support/GameHarness.h"

namespace
{
void startPlaying( GameHarness& harness )
{
    ASSERT_TRUE( harness.started() );
    harness.pressEnter();
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 1500 ) );
}
}

TEST( VXGameClockTest, TheAlarmVolumeRisesFromHalfToFullAsTheClockNearsZero )
{
    EXPECT_EQ( VXGame::alarmVolume( 9.999f ), 127 );
    EXPECT_EQ( VXGame::alarmVolume( 5.0f ), 191 );
    EXPECT_EQ( VXGame::alarmVolume( 1.0f ), 242 );
    EXPECT_EQ( VXGame::alarmVolume( 0.001f ), 254 );
    EXPECT_EQ( VXGame::alarmVolume( 0.0f ), 255 );
    // Outside the range it is used in, it stays a volume.
    EXPECT_EQ( VXGame::alarmVolume( -50.0f ), 255 );
    EXPECT_EQ( VXGame::alarmVolume( 40.0f ), 0 );
}

TEST( VXGameClockTest, TheClockRunsOnlyWhileIdleAndCountsIn32BitFloats )
{
    GameHarness harness;
    startPlaying( harness );
    TestGame& game = harness.game();
    game.newGame( 20 ); // 58 seconds
    harness.tick( 10 );
    EXPECT_FLOAT_EQ( game.getTimeLeft(), 58.0f ); // the first frame of a level only starts its clock
    harness.tick( 10 );
    float expected = static_cast<float>( 58.0f - 10 * 0.001 );
    EXPECT_EQ( game.getTimeLeft(), expected );
    harness.tick( 7 );
    expected = static_cast<float>( expected - 7 * 0.001 );
    EXPECT_EQ( game.getTimeLeft(), expected );

    // Sliding costs no time.
    loadBoard( game.board(), kapPlainBoard );
    harness.clickCell( 1, 0 );
    harness.tick( 30 );
    EXPECT_EQ( game.getState(), GS_SLIDING );
    EXPECT_EQ( game.getTimeLeft(), expected );
}

TEST( VXGameClockTest, TheAlarmSoundsBelowTenSecondsAndStopsAboveWithNothingAtTen )
{
    GameHarness harness;
    startPlaying( harness );
    TestGame& game = harness.game();
    game.setTimeLeft( 10.005f );
    harness.sound().sounds.clear();
    harness.tick( 10 );
    ASSERT_TRUE( game.isAlarmPlaying() );
    const std::vector<std::string> kStart = { "alarm start@127", "alarm volume@127" };
    EXPECT_EQ( harness.sound().sounds, kStart );
    game.setTimeLeft( 2.0f );
    harness.tick( 10 );
    EXPECT_EQ( harness.sound().sounds.back(), "alarm volume@229" ); // already playing: volume only
    EXPECT_EQ( harness.sound().count( "alarm start@127" ), 1 );

    // Exactly ten: neither sounds nor stops.
    harness.sound().sounds.clear();
    game.setTimeLeft( 10.0f );
    game.m_frameStep( 0 );
    EXPECT_TRUE( harness.sound().sounds.empty() );
    EXPECT_TRUE( game.isAlarmPlaying() );

    game.setTimeLeft( 30.0f );
    harness.tick( 10 );
    EXPECT_FALSE( game.isAlarmPlaying() );
    EXPECT_EQ( harness.sound().sounds.back(), "alarm stop" );
    // The next alarm resumes the same voice.
    game.setTimeLeft( 3.0f );
    harness.tick( 10 );
    EXPECT_EQ( harness.sound().count( "alarm start@216" ), 1 );
}

TEST( VXGameClockTest, NoAlarmWhenItOrSoundIsSwitchedOff )
{
    GameHarness::Options options;
    options.alarmEnabled = 0;
    GameHarness harness( options );
    startPlaying( harness );
    harness.game().setTimeLeft( 5.0f );
    harness.sound().sounds.clear();
    harness.tick( 10 );
    EXPECT_FALSE( harness.game().isAlarmPlaying() );
    EXPECT_TRUE( harness.sound().sounds.empty() );

    harness.game().settings().alarmEnabled = 1;
    harness.game().settings().soundEnabled = 0;
    harness.tick( 10 );
    EXPECT_FALSE( harness.game().isAlarmPlaying() );
}

TEST( VXGameClockTest, WhenTheClockRunsOutTheGameIsOverAndAHighScoreAsksForAName )
{
    GameHarness harness;
    startPlaying( harness );
    TestGame& game = harness.game();
    game.setTimeLeft( 0.05f );
    harness.sound().sounds.clear();
    harness.tick( 100 );
    EXPECT_EQ( game.getState(), GS_INFO_START );
    EXPECT_EQ( game.getPhaseTotal(), 0 );
    EXPECT_EQ( game.gameOvers, 1 );
    EXPECT_EQ( game.nameEntries, 0 );
    const std::vector<std::string> kOver = { "alarm stop", "gameover.ogg@128" };
    EXPECT_EQ( harness.sound().sounds, kOver );
    // The start screen waits; nothing more happens.
    harness.tick( 100 );
    EXPECT_EQ( game.gameOvers, 1 );

    game.rank = 0;
    harness.pressEnter();
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 1500 ) );
    EXPECT_EQ( game.getScore(), 0 );
    game.setTimeLeft( 0.01f );
    harness.tick( 20 );
    EXPECT_EQ( game.gameOvers, 2 );
    EXPECT_EQ( game.nameEntries, 1 );
}

TEST( VXGameClockTest, ACrunchFoundInTheLastFrameSavesTheGame )
{
    GameHarness harness;
    startPlaying( harness );
    TestGame& game = harness.game();
    const char* const kapComplete[ 6 ] = { ".YPOYP", "POYPOY", "YPOYPO", "OYPOYP", "POYPOY", "GGGGGG" };
    loadBoard( game.board(), kapComplete );
    game.setTimeLeft( 0.05f );
    harness.tick( 100 );
    // The line gave five seconds before the frame's tenth of a second was taken off.
    EXPECT_EQ( game.getState(), GS_CRUNCHING );
    EXPECT_EQ( game.gameOvers, 0 );
    EXPECT_EQ( game.getTimeLeft(), static_cast<float>( ( 0.05f + 5.0f ) - 100 * 0.001 ) );
    EXPECT_TRUE( game.isAlarmPlaying() );
}

TEST( VXGameClockTest, TheTutorialLevelHasNoClockNoAlarmAndNoGameOver )
{
    GameHarness::Options options;
    options.didTutorial = 0;
    GameHarness harness( options );
    startPlaying( harness );
    TestGame& game = harness.game();
    EXPECT_TRUE( game.isTutorialLevel() );
    game.setTimeLeft( 0.5f );
    harness.tick( 1000 );
    EXPECT_EQ( game.getState(), GS_IDLE );
    EXPECT_FLOAT_EQ( game.getTimeLeft(), 0.5f );
    EXPECT_FALSE( game.isAlarmPlaying() );
    EXPECT_EQ( game.gameOvers, 0 );
}

TEST( VXGameClockTest, WhilePausedNothingAdvancesAndThePauseIsNotCounted )
{
    GameHarness harness;
    ASSERT_TRUE( harness.started() );
    TestGame& game = harness.game();
    harness.pressEnter();
    harness.tick( 10 ); // starts the level's clock
    harness.tick( 500 );
    ASSERT_EQ( game.getState(), GS_LEVEL_INTRO );
    EXPECT_EQ( game.getPhaseLeft(), 500 );

    game.m_beginPause();
    for( int i = 0; i < 10; ++i )
        harness.tick( 100 );
    EXPECT_EQ( game.getPhaseLeft(), 500 );
    // Nothing moves while paused: the loop may wait for input as long as it likes.
    EXPECT_EQ( game.untilNextChange(), HFramePacer::kNoDeadline );
    game.m_endPause();
    EXPECT_EQ( game.untilNextChange(), 0u );

    harness.tick( 10 );
    EXPECT_EQ( game.getPhaseLeft(), 490 );
    EXPECT_EQ( game.getPausedTime(), 1000u );
    // A new game forgets the time paused before it.
    game.newGame( 1 );
    EXPECT_EQ( game.getPausedTime(), 0u );
}

TEST( VXGameClockTest, TheGameNamesTheNextMomentItsPictureChangesAndNeverSleepsItself )
{
    GameHarness harness;
    startPlaying( harness );
    TestGame& game = harness.game();
    game.newGame( 20 );
    harness.tick( 10 );
    game.setTimeLeft( 10.5f );
    // The running clock names its next change (the bar's own test checks the moment).
    uint32_t wait = game.untilNextChange();
    EXPECT_GE( wait, 1u );
    EXPECT_LE( wait, 125u );
    harness.tick( wait );
    EXPECT_LE( game.untilNextChange(), 125u );

    // A slide animates: every frame.
    loadBoard( game.board(), kapPlainBoard );
    harness.clickCell( 1, 0 );
    harness.tick( 2 );
    EXPECT_EQ( game.getState(), GS_SLIDING );
    EXPECT_EQ( game.untilNextChange(), 0u );
    EXPECT_TRUE( harness.services().sleeps.empty() );
}

TEST( VXGameClockTest, AClockGoingBackwardsCountsAsOneMillisecondAndNeverWaitsLong )
{
    GameHarness harness;
    ASSERT_TRUE( harness.started() );
    TestGame& game = harness.game();
    harness.pressEnter();
    harness.tick( 10 );
    harness.tick( 100 );
    ASSERT_EQ( game.getPhaseLeft(), 900 );
    harness.services().fakeTime -= 5000;
    harness.tick( 0 );
    EXPECT_EQ( game.getPhaseLeft(), 899 );

    // An idle frame after the clock went far back still names a near change.
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 1500 ) );
    harness.services().fakeTime -= 100000;
    harness.tick( 0 );
    EXPECT_LE( game.untilNextChange(), 125u );
    EXPECT_TRUE( harness.services().sleeps.empty() );
}

TEST( VXGameClockTest, QuitEndsTheLoopEvenWhilePaused )
{
    GameHarness harness;
    startPlaying( harness );
    harness.game().m_beginPause();
    EXPECT_FALSE( harness.quit() );
    EXPECT_EQ( harness.game().getState(), GS_QUIT );
    EXPECT_FALSE( harness.game().isMusicPlaying() );
    EXPECT_FALSE( harness.tick( 10 ) );
}
