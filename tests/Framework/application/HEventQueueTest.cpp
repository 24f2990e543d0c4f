#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Framework/FileSystem/src/HFile.h"
#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/application/HEventQueue.h"
#include "Framework/application/HInputDevice.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

namespace
{
HEvent makeEvent( int32_t type, int32_t key = 0, int32_t x = 0, int32_t y = 0 )
{
    HEvent event;
    event.clear();
    event.type = type;
    event.key = key;
    event.x = x;
    event.y = y;
    return event;
}

// Posts the events it was given, a few per pump, and says "quit" on the passes asked for.
class ScriptedInputDevice : public HInputDevice
{
public:
    explicit ScriptedInputDevice( HEventQueue& queue )
        : m_queue( queue )
    {
    }

    bool poll() override
    {
        ++polls;
        if( polls <= falsePolls )
            return false;
        for( const HEvent& event : pending )
            m_queue.postEvent( event );
        pending.clear();
        return true;
    }

    std::vector<HEvent> pending;
    int polls = 0;
    int falsePolls = 0;

private:
    HEventQueue& m_queue;
};

class HEventQueueTest : public ::testing::Test
{
protected:
    HEventQueueTest()
    {
        services.useFakeTime = true;
        services.fakeTime = 1000;
        fileSystem.init( dir.path().c_str() );
    }

    ~HEventQueueTest() override { fileSystem.shutdown(); }

    std::string writeJournal( const std::vector<HEvent>& events, size_t extraBytes = 0 )
    {
        std::string bytes;
        for( const HEvent& event : events )
        {
            uint8_t record[ HEvent::kRecordSize ];
            event.toBytes( record );
            bytes.append( reinterpret_cast<const char*>( record ), sizeof( record ) );
        }
        bytes.append( extraBytes, '\x01' );
        dir.write( "journal.bin", bytes );
        return bytes;
    }

    RecordingProcessServices services;
    TempDir dir;
    HStandardFileSystem fileSystem;
    HEventQueue queue;
};
}

TEST_F( HEventQueueTest, HoldsAtMost127EventsAndDropsTheNextWithoutJournalling )
{
    HFile* pRecord = fileSystem.openFileForWrite( "journal.bin" );
    ASSERT_NE( pRecord, nullptr );
    queue.setRecordFile( pRecord );
    for( int i = 0; i < 127; ++i )
    {
        services.fakeTime = 2000 + i;
        EXPECT_TRUE( queue.postEvent( makeEvent( ET_MOUSEMOVE, 0, i, i ) ) ) << i;
    }
    EXPECT_EQ( queue.count(), 127 );
    EXPECT_FALSE( queue.postEvent( makeEvent( ET_KEYDOWN, KC_A ) ) );
    EXPECT_EQ( queue.count(), 127 );
    queue.clearRecordFile();
    pRecord->close();

    std::string journal = dir.read( "journal.bin" );
    ASSERT_EQ( journal.size(), 127 * HEvent::kRecordSize );
    HEvent last;
    last.fromBytes( reinterpret_cast<const uint8_t*>( journal.data() ) + 126 * HEvent::kRecordSize );
    EXPECT_EQ( last.type, ET_MOUSEMOVE );
    EXPECT_EQ( last.time, 2126u );

    // Taking one makes room for exactly one more.
    HEvent event;
    ASSERT_TRUE( queue.getEvent( event ) );
    EXPECT_EQ( event.x, 0 );
    EXPECT_TRUE( queue.postEvent( makeEvent( ET_KEYDOWN, KC_A ) ) );
    EXPECT_FALSE( queue.postEvent( makeEvent( ET_KEYDOWN, KC_B ) ) );
}

TEST_F( HEventQueueTest, EventsComeOutInOrderAcrossTheRingsEnd )
{
    int posted = 0;
    int taken = 0;
    HEvent event;
    for( int round = 0; round < 10; ++round )
    {
        for( int i = 0; i < 50; ++i )
            ASSERT_TRUE( queue.postEvent( makeEvent( ET_KEYDOWN, KC_A, posted++ ) ) );
        for( int i = 0; i < 50; ++i )
        {
            ASSERT_TRUE( queue.getEvent( event ) );
            EXPECT_EQ( event.x, taken++ );
        }
    }
    EXPECT_EQ( queue.count(), 0 );
}

TEST_F( HEventQueueTest, PostingStampsTheClockOverTheRecordsOwnTime )
{
    HEvent event = makeEvent( ET_KEYDOWN, KC_SPACE );
    event.time = 5;
    services.fakeTime = 4321;
    ASSERT_TRUE( queue.postEvent( event ) );
    HEvent out;
    ASSERT_TRUE( queue.getEvent( out ) );
    EXPECT_EQ( out.time, 4321u );
    EXPECT_EQ( queue.getLastEventTime(), 4321u );
}

TEST_F( HEventQueueTest, AnIdleQueueMakesOneTimeStampOnlyWhenTheClockMoves )
{
    HEvent event;
    services.fakeTime = 0;
    EXPECT_FALSE( queue.getEvent( event ) );
    EXPECT_EQ( event.type, ET_NONE );
    EXPECT_EQ( queue.count(), 0 );

    // The stamp begins the pass after the one that ran dry, with the time it begins at: the
    // loop's wait between the two is not lost.
    services.fakeTime = 250;
    EXPECT_EQ( queue.count(), 0 );
    services.fakeTime = 260;
    ASSERT_TRUE( queue.getEvent( event ) );
    EXPECT_EQ( event.type, ET_TIMESTAMP );
    EXPECT_EQ( event.time, 260u );
    EXPECT_EQ( event.key, 0 );

    // Unchanged clock: nothing more.
    EXPECT_FALSE( queue.getEvent( event ) );
    EXPECT_FALSE( queue.getEvent( event ) );
    EXPECT_EQ( queue.count(), 0 );

    // Events queued between two passes come before the stamp, which then waits for a dry queue.
    EXPECT_FALSE( queue.getEvent( event ) );
    services.fakeTime = 300;
    queue.postEvent( makeEvent( ET_KEYDOWN, KC_A ) );
    ASSERT_TRUE( queue.getEvent( event ) );
    EXPECT_EQ( event.type, ET_KEYDOWN );
    EXPECT_FALSE( queue.getEvent( event ) );
    services.fakeTime = 301;
    ASSERT_TRUE( queue.getEvent( event ) );
    EXPECT_EQ( event.type, ET_TIMESTAMP );
    EXPECT_EQ( event.time, 301u );
}

TEST_F( HEventQueueTest, AClockWrappingPast32BitsStillProducesTimeStamps )
{
    HEvent event;
    services.fakeTime = 0xFFFFFFF0u;
    queue.getEvent( event );
    ASSERT_TRUE( queue.getEvent( event ) );
    EXPECT_EQ( event.time, 0xFFFFFFF0u );
    EXPECT_FALSE( queue.getEvent( event ) );
    services.fakeTime = 3;
    ASSERT_TRUE( queue.getEvent( event ) );
    EXPECT_EQ( event.type, ET_TIMESTAMP );
    EXPECT_EQ( event.time, 3u );
}

TEST_F( HEventQueueTest, TheQueueAsksThePollSourceUntilThePumpRunsDry )
{
    ScriptedInputDevice device( queue );
    device.falsePolls = 2;
    device.pending.push_back( makeEvent( ET_KEYDOWN, KC_UP ) );
    queue.setPollSource( &device );
    HEvent event;
    ASSERT_TRUE( queue.getEvent( event ) );
    EXPECT_EQ( device.polls, 3 );
    EXPECT_EQ( event.key, KC_UP );

    // Nothing queued and nothing pumped: the clock decides.
    services.fakeTime = 1000;
    EXPECT_FALSE( queue.getEvent( event ) );
    EXPECT_EQ( device.polls, 4 );
}

TEST_F( HEventQueueTest, TheLastMousePositionFollowsMovesAndTheLeftButtonOnly )
{
    queue.postEvent( makeEvent( ET_MOUSEMOVE, 0, 10, 20 ) );
    queue.postEvent( makeEvent( ET_KEYDOWN, KC_RBUTTON, 99, 99 ) );
    queue.postEvent( makeEvent( ET_KEYUP, KC_A, 98, 98 ) );
    HEvent event;
    queue.getEvent( event );
    queue.getEvent( event );
    queue.getEvent( event );
    EXPECT_EQ( queue.getLastMousePosition().x, 10 );
    EXPECT_EQ( queue.getLastMousePosition().y, 20 );
    queue.postEvent( makeEvent( ET_KEYDOWN, KC_LBUTTON, 30, 40 ) );
    queue.getEvent( event );
    EXPECT_EQ( queue.getLastMousePosition().x, 30 );
    queue.postEvent( makeEvent( ET_KEYUP, KC_LBUTTON, -5, 500 ) );
    queue.getEvent( event );
    EXPECT_EQ( queue.getLastMousePosition().x, -5 );
    EXPECT_EQ( queue.getLastMousePosition().y, 500 );
}

TEST_F( HEventQueueTest, PlaybackReplacesQueuePollAndClock )
{
    std::vector<HEvent> recorded;
    recorded.push_back( makeEvent( ET_TIMESTAMP ) );
    recorded.back().time = 7;
    recorded.push_back( makeEvent( ET_KEYDOWN, KC_LBUTTON, 200, 150 ) );
    recorded.back().time = 9;
    writeJournal( recorded );

    ScriptedInputDevice device( queue );
    device.pending.push_back( makeEvent( ET_KEYDOWN, KC_Z ) );
    queue.setPollSource( &device );
    queue.postEvent( makeEvent( ET_QUIT ) );
    HFile* pPlayback = fileSystem.openFileForRead( "journal.bin" );
    ASSERT_NE( pPlayback, nullptr );
    queue.setPlaybackFile( pPlayback );

    HEvent event;
    // A replayed time stamp first ends the pass, as it did when the live queue made it.
    EXPECT_FALSE( queue.getEvent( event ) );
    EXPECT_EQ( event.type, ET_NONE );
    ASSERT_TRUE( queue.getEvent( event ) );
    EXPECT_EQ( event.type, ET_TIMESTAMP );
    EXPECT_EQ( event.time, 7u );
    services.fakeTime = 123456;
    ASSERT_TRUE( queue.getEvent( event ) );
    EXPECT_EQ( event.type, ET_KEYDOWN );
    EXPECT_EQ( event.time, 9u );
    EXPECT_EQ( queue.getLastMousePosition().x, 200 );
    EXPECT_EQ( device.polls, 0 );
    EXPECT_EQ( queue.count(), 1 ); // the live quit is never seen
    queue.clearPlaybackFile();
    pPlayback->close();
}

TEST_F( HEventQueueTest, AJournalThatRunsOutEndsTheRunWithOneQuit )
{
    std::vector<HEvent> recorded( 1, makeEvent( ET_TIMESTAMP ) );
    recorded[ 0 ].time = 4000;
    writeJournal( recorded, 20 ); // a partial record after the whole one
    HFile* pPlayback = fileSystem.openFileForRead( "journal.bin" );
    queue.setPlaybackFile( pPlayback );

    HEvent event;
    EXPECT_FALSE( queue.getEvent( event ) );
    ASSERT_TRUE( queue.getEvent( event ) );
    EXPECT_FALSE( queue.isPlaybackExhausted() );
    ASSERT_TRUE( queue.getEvent( event ) );
    EXPECT_EQ( event.type, ET_QUIT );
    EXPECT_EQ( event.time, 4000u );
    EXPECT_TRUE( queue.isPlaybackExhausted() );
    for( int i = 0; i < 3; ++i )
        EXPECT_FALSE( queue.getEvent( event ) );
    EXPECT_EQ( queue.count(), 0 ); // no time stamps either
    bool sawPartial = false;
    for( const std::string& line : services.debugOutputs )
        sawPartial = sawPartial || line.find( "partial record of 20 bytes" ) != std::string::npos;
    EXPECT_TRUE( sawPartial );

    // Detaching the file does not bring live input back.
    queue.clearPlaybackFile();
    pPlayback->close();
    queue.postEvent( makeEvent( ET_KEYDOWN, KC_A ) );
    EXPECT_FALSE( queue.getEvent( event ) );
}

TEST_F( HEventQueueTest, AnEmptyJournalGivesOnlyTheClosingQuit )
{
    writeJournal( {} );
    HFile* pPlayback = fileSystem.openFileForRead( "journal.bin" );
    queue.setPlaybackFile( pPlayback );
    HEvent event;
    ASSERT_TRUE( queue.getEvent( event ) );
    EXPECT_EQ( event.type, ET_QUIT );
    EXPECT_EQ( event.time, 0u );
    EXPECT_FALSE( queue.getEvent( event ) );
    queue.clearPlaybackFile();
    pPlayback->close();
}

TEST_F( HEventQueueTest, ARequestToEndGivesOneQuitWhereverInputComesFrom )
{
    ScriptedInputDevice device( queue );
    device.pending.push_back( makeEvent( ET_KEYDOWN, KC_Z ) );
    queue.setPollSource( &device );
    services.fakeTime = 2000;
    HEvent event;
    ASSERT_TRUE( queue.getEvent( event ) );
    HEventQueue::requestQuit();
    queue.postEvent( makeEvent( ET_KEYDOWN, KC_A ) );
    ASSERT_TRUE( queue.getEvent( event ) );
    EXPECT_EQ( event.type, ET_QUIT );
    EXPECT_EQ( event.time, 2000u );
    EXPECT_TRUE( queue.isPlaybackExhausted() );
    services.fakeTime = 3000;
    for( int i = 0; i < 3; ++i )
        EXPECT_FALSE( queue.getEvent( event ) ) << "no input and no time stamps after the quit";

    // During playback, in the middle of the journal.
    std::vector<HEvent> recorded( 3, makeEvent( ET_KEYDOWN, KC_B ) );
    writeJournal( recorded );
    HEventQueue playing;
    HFile* pPlayback = fileSystem.openFileForRead( "journal.bin" );
    playing.setPlaybackFile( pPlayback );
    ASSERT_TRUE( playing.getEvent( event ) );
    EXPECT_EQ( event.type, ET_KEYDOWN );
    HEventQueue::requestQuit();
    ASSERT_TRUE( playing.getEvent( event ) );
    EXPECT_EQ( event.type, ET_QUIT );
    EXPECT_FALSE( playing.getEvent( event ) );
    playing.clearPlaybackFile();
    pPlayback->close();
}

TEST_F( HEventQueueTest, ReplayedPointsAreKeptToWhatAWindowMessageCanCarry )
{
    const int32_t kaPoints[][ 2 ] = { { INT32_MAX, INT32_MIN }, { 70000, -70000 }, { 639, -5 } };
    std::vector<HEvent> recorded;
    for( const auto& point : kaPoints )
        recorded.push_back( makeEvent( ET_MOUSEMOVE, 0, point[ 0 ], point[ 1 ] ) );
    writeJournal( recorded );
    HFile* pPlayback = fileSystem.openFileForRead( "journal.bin" );
    queue.setPlaybackFile( pPlayback );
    const int32_t kaExpected[][ 2 ] = { { 32767, -32768 }, { 32767, -32768 }, { 639, -5 } };
    for( const auto& expected : kaExpected )
    {
        HEvent event;
        ASSERT_TRUE( queue.getEvent( event ) );
        EXPECT_EQ( event.x, expected[ 0 ] );
        EXPECT_EQ( event.y, expected[ 1 ] );
    }
    EXPECT_EQ( queue.getLastMousePosition().x, 639 );
    queue.clearPlaybackFile();
    pPlayback->close();
}
