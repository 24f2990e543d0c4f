// Many games back to back through every screen, on a clock of the test's own: hours of game time
// in a minute or two. Memory must stay flat after the first game, and the stored table must be
// what the bot's own record of its results predicts. GLIMMERDROP_SOAK_GAMES sets how many.
#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Framework/util/src/HRegistry.h"
#include "Game/VXEnterNameDialog.h"
#include "Game/VXHighScoreTable.h"
#include "tests/Game/support/BoardMoves.h"
#include "tests/Game/support/ScreenHarness.h"

#if defined( __SANITIZE_ADDRESS__ )
// The address checker's own count; its header is not installed with the compiler here.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace
{
// Bytes the program holds on the heap now.
size_t heapInUse()
{
#if defined( __SANITIZE_ADDRESS__ )
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

template <typename T>
void forget( std::vector<T>& record )
{
    std::vector<T>().swap( record );
}

// Towards a line when one is three moves away at most, else the legal moves in turn.
HPoint chooseMove( const VXBoard& board, int turn )
{
    HPoint move;
    if( moveTowardsLine( board, 3, move ) )
        return move;
    std::vector<HPoint> legal = legalMoves( board );
    return legal.empty() ? board.getBlankPosition() : legal[ static_cast<size_t>( turn ) % legal.size() ];
}

struct Result
{
    std::string name;
    uint32_t score;
    int32_t level;
};
} // namespace

TEST( SoakTest, GamesBackToBackKeepMemoryFlatAndStoreTheRowsTheBotExpects )
{
    const char* kpGames = std::getenv( "GLIMMERDROP_SOAK_GAMES" );
    const int kGames = kpGames != nullptr ? std::max( 2, std::atoi( kpGames ) ) : 12;
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    ScreenGame& game = harness.game();
    // The bot's own record: every result that made the table, in the order the game saw them.
    std::vector<Result> expected;
    // Its own record must not count as the game's memory.
    expected.reserve( static_cast<size_t>( kGames ) );
    size_t afterFirstGame = 0;
    uint64_t gameTime = 0;
    for( int round = 0; round < kGames; ++round )
    {
        uint64_t started = harness.services().fakeTime;
        harness.idle( 10 );
        harness.key( '\r' );
        ASSERT_TRUE( harness.run() );
        harness.runUntil( GS_IDLE, 2000 );
        // Through the first level, so the first game already shows every screen and picture a later
        // one does; then the second level's clock runs out.
        for( int turn = 0; turn < 1000 && game.getLevel() == 0; ++turn )
        {
            HPoint move = chooseMove( game.getBoard(), turn + round );
            harness.click( VXBoard::kLeft + VXBoard::kCellSize * move.x + 21,
                           VXBoard::kTop + VXBoard::kCellSize * move.y + 21 );
            ASSERT_TRUE( harness.run() );
            harness.runUntil( GS_IDLE, 20000 );
            // A hint or a new kind of candy is shown until Enter.
            for( int shown = 0; shown < 3 && game.getState() >= GS_INFO_HINT && game.getState() <= GS_INFO_BLUE; ++shown )
            {
                harness.key( '\r' );
                ASSERT_TRUE( harness.run() );
                harness.runUntil( GS_IDLE, 20000 );
            }
        }
        ASSERT_EQ( game.getState(), GS_IDLE ) << "round " << round;
        Result result = { "Bot " + std::to_string( round ), static_cast<uint32_t>( game.getScore() ),
                          game.getLevel() + 1 };
        bool entersTable = game.getScore() > 0 && game.getHighScores().rank( result.score ) >= 0;

        // The clock runs out a second at a time, a few hundred seconds a script; the game-over notice
        // then waits for its button.
        while( game.getTimeLeft() > 8.0f )
        {
            for( int second = 0; second < 500 && second < static_cast<int>( game.getTimeLeft() ) - 4; ++second )
                harness.idle( 1000 );
            ASSERT_TRUE( harness.run() );
        }
        for( int second = 0; second < 12; ++second )
            harness.idle( 1000 );
        harness.clickItem( "Continue", 0, 10 );
        if( entersTable )
        {
            for( int32_t i = 0; i < VXEnterNameDialog::kNameLength; ++i )
                harness.key( 8, 5 );
            harness.type( result.name );
            harness.key( '\r' );
            harness.idle( 50 );
            harness.clickItem( "OK" );
            expected.push_back( result );
        }
        harness.idle( 10 );
        ASSERT_TRUE( harness.run() );
        ASSERT_FALSE( harness.input().stuck ) << "round " << round << " waited on " << harness.modalScreen();
        ASSERT_EQ( game.getState(), GS_INFO_START ) << "round " << round;
        gameTime += harness.services().fakeTime - started;

        // What the harness itself records would grow for ever; it is not the game's.
        forget( harness.services().sleeps );
        forget( harness.services().debugOutputs );
        forget( RecordingProcessServices::debugTraces() );
        forget( harness.sound().sounds );
        forget( game.display()->presents );
        forget( game.display()->cursorCalls );
        if( round == 0 )
            afterFirstGame = heapInUse();
    }
    size_t afterLastGame = heapInUse();
    std::printf( "%d games, %llu s of game time; heap in use after the first %zu bytes, after the last %zu bytes\n",
                 kGames, static_cast<unsigned long long>( gameTime / 1000 ), afterFirstGame, afterLastGame );
    EXPECT_LE( afterLastGame, afterFirstGame + 64 * 1024 ) << "memory grows from game to game";

    // Best first; an equal score goes below the one that was there.
    std::stable_sort( expected.begin(), expected.end(),
                      []( const Result& a, const Result& b ) { return a.score > b.score; } );
    HRegistry& registry = HRegistry::get();
    registry.open( nullptr, "Vantorix", "Glimmerdrop" );
    for( int row = 0; row < VXHighScoreTable::kRows; ++row )
    {
        char name[ 16 ];
        VXHighScoreTable::valueName( row, name, sizeof( name ) );
        uint8_t bytes[ 64 ];
        uint32_t count = 0;
        ASSERT_TRUE( registry.readBinary( name, bytes, sizeof( bytes ), &count ) ) << name;
        VXHighScoreEntry stored;
        ASSERT_TRUE( stored.fromBytes( bytes, count ) ) << name;
        if( static_cast<size_t>( row ) < expected.size() )
        {
            EXPECT_EQ( stored.name, expected[ row ].name ) << name;
            EXPECT_EQ( stored.score, expected[ row ].score ) << name;
            EXPECT_EQ( stored.level, expected[ row ].level ) << name;
        }
        else
            EXPECT_EQ( stored.score, 0u ) << name;
    }
    registry.close();
}
