#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/application/HRandom.h"
#include "Framework/graphics/VXSprite.h"
#include "tests/Framework/application/ApplicationProbe.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

namespace
{
HEvent makeEvent( int32_t type, int32_t flag = 0, int32_t x = 0, int32_t y = 0 )
{
    HEvent event;
    event.clear();
    event.type = type;
    event.flag = flag;
    event.x = x;
    event.y = y;
    return event;
}

// A 32-bit TGA, rows top to bottom, every pixel opaque white.
std::string opaqueTga( int width, int height )
{
    std::string bytes( 18, '\0' );
    bytes[ 2 ] = 2;
    bytes[ 12 ] = static_cast<char>( width );
    bytes[ 14 ] = static_cast<char>( height );
    bytes[ 16 ] = 32;
    bytes[ 17 ] = 0x28;
    bytes.append( static_cast<size_t>( width ) * height * 4, '\xff' );
    return bytes;
}

class HApplicationLoopTest : public ::testing::Test
{
protected:
    HApplicationLoopTest()
    {
        services.useFakeTime = true;
        services.fakeTime = 0;
        application.makeDisplay();
    }

    // Queues an event stamped at the given time and runs one pass of the loop.
    bool postAndRun( const HEvent& event, uint64_t time )
    {
        services.fakeTime = time;
        application.getEventQueue().postEvent( event );
        return application.runFrame();
    }

    RecordingProcessServices services;
    ApplicationProbe application;
};
}

TEST_F( HApplicationLoopTest, TheGeneratorIsSeededOnceFromTheFirstNonZeroStamp )
{
    postAndRun( makeEvent( ET_PAINT ), 0 );
    postAndRun( makeEvent( ET_PAINT ), 5000 );
    postAndRun( makeEvent( ET_PAINT ), 9000 );
    ASSERT_EQ( application.handled.size(), 3u );
    EXPECT_EQ( application.getCurrentTime(), 9000u );
    HRandom expected;
    expected.seed( 5000 );
    for( int i = 0; i < 5; ++i )
        EXPECT_EQ( application.random( 1000 ), expected.random( 1000 ) );
}

TEST_F( HApplicationLoopTest, TheLoopMakesTimeStampsAndStopsWhenTheGameSaysSo )
{
    application.stopOn = ET_TIMESTAMP;
    services.fakeTime = 40;
    // First pass: the idle queue makes a time stamp; the next pass hands it to the game.
    EXPECT_FALSE( application.runFrame() );
    EXPECT_TRUE( application.handled.empty() );
    EXPECT_TRUE( application.runFrame() );
    ASSERT_EQ( application.handled.size(), 1u );
    EXPECT_EQ( application.handled[ 0 ].type, ET_TIMESTAMP );
    EXPECT_EQ( application.handled[ 0 ].time, 40u );
    services.fakeTime = 41;
    EXPECT_TRUE( application.run() ); // the next time stamp stops it again
    EXPECT_EQ( application.handled.size(), 2u );
}

TEST_F( HApplicationLoopTest, InvalidatedAreasAreClippedMergedDrawnAndPresentedOnce )
{
    application.invalidateRect( HRect{ -20, -5, 700, 500 } );
    ASSERT_EQ( application.getRepaintList().count(), 1 );
    EXPECT_EQ( application.getRepaintList().item( 0 ), ( HRect{ 0, 0, 640, 480 } ) );
    application.runFrame();
    EXPECT_EQ( application.getRepaintList().count(), 0 );
    ASSERT_EQ( application.drawn.size(), 1u );

    application.drawn.clear();
    application.invalidateRect( HRect{ 10, 10, 20, 20 } );
    application.invalidateRect( HRect{ 20, 10, 30, 20 } ); // touches: merged
    application.invalidateRect( HRect{ 100, 100, 110, 110 } );
    application.runFrame();
    const std::vector<HRect> kExpected = { HRect{ 10, 10, 30, 20 }, HRect{ 100, 100, 110, 110 } };
    EXPECT_EQ( application.drawn, kExpected );
    EXPECT_EQ( application.calls.back(), "afterRedraw" );

    // Nothing dirty: nothing drawn.
    application.drawn.clear();
    application.runFrame();
    EXPECT_TRUE( application.drawn.empty() );
}

TEST_F( HApplicationLoopTest, NothingIsMarkedOrDrawnWithoutADisplayOrWhileMinimised )
{
    postAndRun( makeEvent( ET_WINDOW_MINIMIZED, 1 ), 10 );
    EXPECT_TRUE( application.isMinimized() );
    EXPECT_FALSE( application.canDraw() );
    application.invalidateAll();
    application.runFrame();
    EXPECT_TRUE( application.drawn.empty() );
    postAndRun( makeEvent( ET_WINDOW_MINIMIZED, 0 ), 20 );
    EXPECT_FALSE( application.isMinimized() );

    ApplicationProbe headless;
    headless.invalidateAll();
    headless.invalidateRect( HRect{ 0, 0, 10, 10 } );
    EXPECT_EQ( headless.getRepaintList().count(), 0 );
}

TEST_F( HApplicationLoopTest, ActivationReachesTheDevicesAndADeactivationRepaintsEverything )
{
    QuietInputDevice input;
    // The input device is borrowed only through the devices step; hand it over the same way.
    application.getEventQueue().setPollSource( &input );
    postAndRun( makeEvent( ET_ACTIVATE, 0 ), 10 );
    EXPECT_FALSE( application.isActive() );
    EXPECT_EQ( application.drawn.size(), 1u ); // the whole screen
    EXPECT_EQ( application.drawn[ 0 ], ( HRect{ 0, 0, 640, 480 } ) );
    postAndRun( makeEvent( ET_ACTIVATE, 1 ), 20 );
    EXPECT_TRUE( application.isActive() );
    application.getEventQueue().setPollSource( nullptr );
}

TEST_F( HApplicationLoopTest, EventsAreDescribedToTheDebugTraceExceptMovesAndTicks )
{
    RecordingProcessServices::debugTraces().clear();
    postAndRun( makeEvent( ET_MOUSEMOVE, 0, 5, 5 ), 10 );
    postAndRun( makeEvent( ET_PAINT ), 11 );
    HEvent key = makeEvent( ET_KEYDOWN );
    key.key = KC_A;
    postAndRun( key, 12 );
    postAndRun( makeEvent( 99 ), 13 );
    const std::vector<std::string> kExpected = { "ET_PAINT(11)", "ET_KEYDOWN(12) - key=KC_A pt=0,0",
                                                 "ET_UNKNOWN[99](13)", "Unknown event type" };
    EXPECT_EQ( RecordingProcessServices::debugTraces(), kExpected );
    // The game still sees every event.
    EXPECT_EQ( application.handled.size(), 4u );
}

TEST_F( HApplicationLoopTest, ControlsAreOfferedEventsInTheOrderAddedUntilOneTakesIt )
{
    std::vector<std::string> log;
    ProbeControl* pFirst = new ProbeControl( log, "first", false );
    ProbeControl* pDisabled = new ProbeControl( log, "disabled", true );
    ProbeControl* pTaker = new ProbeControl( log, "taker", true );
    ProbeControl* pLast = new ProbeControl( log, "last", false );
    pDisabled->setEnabled( false );
    // The list exists from init on.
    application.callBaseInit = true;
    ASSERT_TRUE( application.init( false, false, "", "", true, true ) );
    application.addControl( pFirst );
    application.addControl( pDisabled );
    application.addControl( pTaker );
    application.addControl( pLast );
    EXPECT_EQ( pFirst->pOwnerSeen, &application );
    EXPECT_EQ( application.nextControl( nullptr ), pFirst );
    EXPECT_EQ( application.nextControl( pTaker ), pLast );
    EXPECT_EQ( application.nextControl( pLast ), nullptr );

    postAndRun( makeEvent( ET_KEYDOWN ), 10 );
    const std::vector<std::string> kOffered = { "first event 8", "taker event 8" };
    EXPECT_EQ( log, kOffered );
    ASSERT_EQ( application.handled.size(), 1u ); // the game comes last, whatever the controls did

    // Repainting: every control, disabled ones too, draws into each rectangle.
    log.clear();
    application.invalidateRect( HRect{ 5, 6, 7, 8 } );
    application.runFrame();
    const std::vector<std::string> kDrawn = { "first draw 5,6", "disabled draw 5,6", "taker draw 5,6",
                                              "last draw 5,6" };
    EXPECT_EQ( log, kDrawn );

    log.clear();
    application.shutdown();
    EXPECT_EQ( log.size(), 4u );
    EXPECT_EQ( application.nextControl( nullptr ), nullptr );
}

TEST_F( HApplicationLoopTest, PausesNestAndTheirTimeAddsUp )
{
    services.fakeTime = 1000;
    postAndRun( makeEvent( ET_PAINT ), 1000 );
    application.m_beginPause();
    postAndRun( makeEvent( ET_PAINT ), 1500 );
    application.m_beginPause();
    application.m_endPause();
    EXPECT_TRUE( application.isPaused() );
    postAndRun( makeEvent( ET_PAINT ), 2500 );
    EXPECT_EQ( application.getPausedTime(), 1500u ); // still growing
    application.m_endPause();
    EXPECT_FALSE( application.isPaused() );
    postAndRun( makeEvent( ET_PAINT ), 4000 );
    EXPECT_EQ( application.getPausedTime(), 1500u );

    // A second pause adds to the first.
    application.m_beginPause();
    postAndRun( makeEvent( ET_PAINT ), 4100 );
    application.m_endPause();
    EXPECT_EQ( application.getPausedTime(), 1600u );

    // An end without a beginning must not swallow the next pause.
    application.m_endPause();
    application.m_beginPause();
    EXPECT_TRUE( application.isPaused() );
    application.m_endPause();
    application.resetPausedTime();
    EXPECT_EQ( application.getPausedTime(), 0u );
}

TEST_F( HApplicationLoopTest, TheSoftwareCursorFollowsThePointerAndIsDrawnOnlyInsideRepaintedAreas )
{
    TempDir dir;
    dir.write( "cursor.tga", opaqueTga( 8, 8 ) );
    HStandardFileSystem files;
    files.init( dir.path().c_str() );
    VXSprite cursor;
    ASSERT_TRUE( cursor.load( application.getDisplayDevice(), &files, "cursor.tga" ) );
    application.pCursor = &cursor;

    postAndRun( makeEvent( ET_MOUSEMOVE, 0, 100, 50 ), 10 );
    // The area under the old (0, 0) and the new position, each as large as the cursor, was redrawn.
    ASSERT_EQ( application.drawn.size(), 1u );
    EXPECT_EQ( application.drawn[ 0 ], ( HRect{ 0, 0, 108, 58 } ) );
    EXPECT_EQ( application.display()->pixel( 104, 54 ), 0x7FFF );
    EXPECT_EQ( application.display()->cursorCalls.back(), false );

    // A repaint that only grazes the cursor draws only its own part of it.
    application.drawn.clear();
    application.display()->clear( HColor{ 0, 0, 0, 1 } );
    application.invalidateRect( HRect{ 104, 0, 200, 52 } );
    application.runFrame();
    EXPECT_EQ( application.display()->pixel( 105, 51 ), 0x7FFF );
    EXPECT_EQ( application.display()->pixel( 103, 51 ), 0 );
    EXPECT_EQ( application.display()->pixel( 105, 53 ), 0 );

    // A point at the end of the coordinate range plus the cursor's size must not wrap round.
    application.drawn.clear();
    postAndRun( makeEvent( ET_MOUSEMOVE, 0, INT32_MAX, INT32_MAX ), 15 );
    ASSERT_EQ( application.drawn.size(), 1u );
    EXPECT_EQ( application.drawn[ 0 ], ( HRect{ 100, 50, 640, 480 } ) );

    // Off the display the system cursor comes back.
    postAndRun( makeEvent( ET_MOUSEMOVE, 0, 700, 50 ), 20 );
    EXPECT_EQ( application.display()->cursorCalls.back(), true );
    cursor.unload();
    files.shutdown();
}

TEST_F( HApplicationLoopTest, AJournalPlayedToItsEndStopsTheLoop )
{
    TempDir dir;
    std::string bytes;
    for( uint64_t time : { 100u, 200u } )
    {
        HEvent stamp = makeEvent( ET_TIMESTAMP );
        stamp.time = time;
        uint8_t record[ HEvent::kRecordSize ];
        stamp.toBytes( record );
        bytes.append( reinterpret_cast<const char*>( record ), sizeof( record ) );
    }
    dir.write( "journal.bin", bytes );
    HStandardFileSystem files;
    files.init( dir.path().c_str() );
    HFile* pJournal = files.openFileForRead( "journal.bin" );
    application.getEventQueue().setPlaybackFile( pJournal );

    EXPECT_TRUE( application.run() );
    ASSERT_EQ( application.handled.size(), 3u );
    EXPECT_EQ( application.handled[ 0 ].time, 100u );
    EXPECT_EQ( application.handled[ 1 ].time, 200u );
    EXPECT_EQ( application.handled[ 2 ].type, ET_QUIT );
    application.getEventQueue().clearPlaybackFile();
    pJournal->close();
    files.shutdown();
}

TEST( HFramePacerTest, FramesKeepToTheRefreshAndNoClockJumpBecomesALongWaitOrASpin )
{
    HFramePacer pacer;
    const struct
    {
        int32_t hertz;
        uint32_t periodMicros;
    } kRates[] = { { 60, 16666 }, { 144, 6944 }, { 0, 16666 }, { -5, 16666 }, { 1, 16666 }, { 100000, 16666 } };
    for( const auto& rate : kRates )
    {
        pacer.setRefreshRate( rate.hertz );
        EXPECT_EQ( pacer.getPeriodMicros(), rate.periodMicros ) << rate.hertz;
    }

    EXPECT_EQ( pacer.untilNextFrame( 1000 ), 0u );
    // Frames begun as soon as allowed, each taking 2 ms to draw, come 60 times a second.
    uint64_t now = 1000;
    int frames = 0;
    while( now < 2000 )
    {
        uint32_t hold = pacer.untilNextFrame( now );
        ASSERT_LE( hold, 17u );
        now += hold;
        pacer.frameBegun( now );
        ++frames;
        now += 2;
    }
    EXPECT_GE( frames, 59 );
    EXPECT_LE( frames, 61 );

    // A clock that went far back holds one period at most; one that leapt on holds nothing.
    pacer.frameBegun( 50000 );
    EXPECT_LE( pacer.untilNextFrame( 100 ), 17u );
    pacer.frameBegun( 100 );
    EXPECT_EQ( pacer.untilNextFrame( 100 ), 17u );
    EXPECT_EQ( pacer.untilNextFrame( 0xFFFFFFFFull ), 0u );

    EXPECT_EQ( HFramePacer::idleWait( 0 ), 0u );
    EXPECT_EQ( HFramePacer::idleWait( 125 ), 125u );
    EXPECT_EQ( HFramePacer::idleWait( HFramePacer::kNoDeadline ), HFramePacer::kLongestWait );
}

TEST_F( HApplicationLoopTest, BetweenPassesTheLoopHoldsToTheRefreshThenWaitsUntilInputOrTheNextChange )
{
    services.fakeTime = 1000;
    application.setCurrentTime( 1000 );
    application.waitForNextPass( 0 );
    EXPECT_TRUE( services.sleeps.empty() );
    // Animating: one frame per refresh, never more.
    application.waitForNextPass( 0 );
    EXPECT_EQ( services.sleeps, std::vector<uint32_t>{ 17 } );
    // Idle: the hold counts towards the time until the next change.
    application.setCurrentTime( services.fakeTime );
    services.sleeps.clear();
    application.nextChange = 40;
    application.runFrame();
    application.waitForNextPass( application.untilNextChange() );
    EXPECT_EQ( services.sleeps, ( std::vector<uint32_t>{ 17, 23 } ) );
    // Nothing to show while minimised: whatever the game says, the loop waits for the window.
    postAndRun( makeEvent( ET_WINDOW_MINIMIZED, 1 ), services.fakeTime );
    services.sleeps.clear();
    application.waitForNextPass( 0 );
    ASSERT_EQ( services.sleeps.size(), 2u );
    EXPECT_EQ( services.sleeps[ 1 ], HFramePacer::kLongestWait );
}

TEST_F( HApplicationLoopTest, ALoopThatNeverHasToWaitStillGivesWayEveryFiftyMilliseconds )
{
    // Frames slower than the refresh while something moves: no hold, no wait, yet a page in a
    // browser draws and takes input only while the program sleeps.
    services.fakeTime = 1000;
    for( int pass = 0; pass < 10; ++pass )
    {
        application.setCurrentTime( services.fakeTime );
        application.waitForNextPass( 0 );
        services.fakeTime += 20;
    }
    EXPECT_EQ( services.sleeps, ( std::vector<uint32_t>{ 0, 0, 0 } ) );
}
