#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/Game/support/BoardMoves.h"
#include "tests/Game/support/GameHarness.h"

namespace
{
// A player that takes a move completing a line, or one that sets up such a move, else a random one.
HPoint chooseMove( const VXBoard& board, std::mt19937& rng )
{
    HPoint move;
    if( moveTowardsLine( board, 2, move ) )
        return move;
    std::vector<HPoint> legal = legalMoves( board );
    return legal.empty() ? board.getBlankPosition() : legal[ rng() % legal.size() ];
}

// Plays for a number of steps: a move whenever the board is idle, Enter on information screens,
// and uneven ticks of the clock in between.
void play( GameHarness& harness, int steps, uint32_t seed )
{
    std::mt19937 rng( seed );
    for( int i = 0; i < steps; ++i )
    {
        int32_t state = harness.game().getState();
        if( state == GS_IDLE )
        {
            HPoint target = chooseMove( harness.game().getBoard(), rng );
            harness.clickCell( target.x, target.y );
        }
        else if( state >= GS_INFO_START && state <= GS_INFO_BLUE )
            harness.pressEnter();
        harness.tick( 3 + rng() % 25 );
    }
}

struct RecordedRun
{
    std::string journal;
    std::vector<std::string> frames;
    std::vector<int32_t> states;
    int32_t level = 0;
    int32_t score = 0;
};

RecordedRun recordRun( int steps, uint32_t seed )
{
    RecordedRun run;
    GameHarness::Options options;
    options.journal = true;
    GameHarness harness( options );
    EXPECT_TRUE( harness.started() );
    play( harness, steps, seed );
    harness.quit();
    run.frames = harness.game().frames;
    run.states = harness.game().states;
    run.level = harness.game().getLevel();
    run.score = harness.game().getScore();
    // The journal is complete once the devices are down.
    harness.game().unloadGraphics();
    run.journal = harness.journalBytes();
    return run;
}

std::string record( const HEvent& event )
{
    uint8_t bytes[ HEvent::kRecordSize ];
    event.toBytes( bytes );
    return std::string( reinterpret_cast<const char*>( bytes ), sizeof( bytes ) );
}
}

TEST( VXGameJournalTest, APlayedBackJournalRepeatsStatesBoardsAndScores )
{
    RecordedRun recorded = recordRun( 3000, 11 );
    ASSERT_GE( recorded.level, 2 ) << "the recorded game should get somewhere";
    ASSERT_GT( recorded.score, 0 );
    ASSERT_EQ( recorded.journal.size() % HEvent::kRecordSize, 0u );
    ASSERT_GT( recorded.frames.size(), 1000u );

    GameHarness::Options options;
    options.playback = true;
    options.journal = true; // must not spoil the journal being played
    options.journalBytes = recorded.journal;
    GameHarness replay( options );
    ASSERT_TRUE( replay.started() );
    EXPECT_TRUE( replay.playJournal() );
    EXPECT_EQ( replay.game().getState(), GS_QUIT );
    EXPECT_EQ( replay.game().getScore(), recorded.score );
    EXPECT_EQ( replay.game().states, recorded.states );
    ASSERT_EQ( replay.game().frames.size(), recorded.frames.size() );
    for( size_t i = 0; i < recorded.frames.size(); ++i )
        ASSERT_EQ( replay.game().frames[ i ], recorded.frames[ i ] ) << "frame " << i;
    EXPECT_EQ( replay.journalBytes(), recorded.journal );
}

TEST( VXGameJournalTest, AJournalCutShortEndsTheRunLikeAClosedWindow )
{
    RecordedRun recorded = recordRun( 600, 5 );
    size_t keep = ( recorded.journal.size() / HEvent::kRecordSize / 2 ) * HEvent::kRecordSize;
    GameHarness::Options options;
    options.playback = true;
    options.journalBytes = recorded.journal.substr( 0, keep + 20 );
    GameHarness replay( options );
    EXPECT_TRUE( replay.playJournal() );
    EXPECT_EQ( replay.game().getState(), GS_QUIT );
    const std::vector<std::string>& frames = replay.game().frames;
    ASSERT_FALSE( frames.empty() );
    ASSERT_LT( frames.size(), recorded.frames.size() );
    for( size_t i = 0; i + 1 < frames.size(); ++i )
        ASSERT_EQ( frames[ i ], recorded.frames[ i ] ) << "frame " << i;
}

TEST( VXGameJournalTest, AnEmptyJournalEndsAtOnce )
{
    GameHarness::Options options;
    options.playback = true;
    options.journalBytes = std::string();
    GameHarness replay( options );
    ASSERT_TRUE( replay.started() );
    ASSERT_TRUE( replay.game().isPlayingJournal() );
    EXPECT_TRUE( replay.playJournal() );
    EXPECT_EQ( replay.game().getState(), GS_QUIT );
    EXPECT_TRUE( replay.game().frames.empty() );
}

TEST( VXGameJournalTest, AGarbageJournalNeverCrashesAndEnds )
{
    std::mt19937_64 rng( 2024 );
    std::string journal;
    for( int i = 0; i < 3000; ++i )
    {
        HEvent event;
        event.clear();
        // Mostly plausible events with wild values, some pure noise.
        event.type = static_cast<int32_t>( rng() % 16 ) - 1;
        if( event.type == ET_QUIT )
            event.type = ET_TIMESTAMP;
        event.time = rng() % 4 == 0 ? rng() : 1000 + static_cast<uint64_t>( i ) * ( rng() % 50 );
        event.key = rng() % 2 == 0 ? KC_LBUTTON : static_cast<int32_t>( rng() );
        event.character = static_cast<char>( rng() );
        event.flag = static_cast<int32_t>( rng() );
        event.x = rng() % 3 == 0 ? static_cast<int32_t>( rng() ) : static_cast<int32_t>( rng() % 700 ) - 30;
        event.y = rng() % 3 == 0 ? static_cast<int32_t>( rng() ) : static_cast<int32_t>( rng() % 520 ) - 20;
        journal += record( event );
        if( i % 500 == 0 )
            journal += std::string( HEvent::kRecordSize, static_cast<char>( rng() ) );
    }
    journal += "tail";
    GameHarness::Options options;
    options.playback = true;
    options.journalBytes = journal;
    GameHarness replay( options );
    ASSERT_TRUE( replay.started() );
    EXPECT_TRUE( replay.playJournal() );
    EXPECT_TRUE( replay.game().getEventQueue().isPlaybackExhausted() || replay.game().getState() == GS_QUIT );
}
