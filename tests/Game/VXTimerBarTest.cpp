#include <gtest/gtest.h>

#include <vector>

#include "Game/VXSpriteTable.h"
#include "Game/VXTimerBar.h"
#include "tests/Game/support/SpriteFiles.h"
#include "tests/support/MemoryDisplayDevice.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
const int32_t kIdle = 0;
const int32_t kTimeBonus = 5;
const int32_t kNextLevel = 6;
const int32_t kInfoStart = 8;

class VXTimerBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.add( "timer.tga", 200, 12, 0, 255, 0 );
        folder.add( "bites00.tga", 6, 12, 255, 0, 0 );
        folder.add( "bites01.tga", 8, 12, 255, 0, 0 );
        folder.add( "bites02.tga", 16, 12, 255, 0, 0 );
        ASSERT_TRUE( display.initScreen( 640, 480, "test", false, true ) );
        sprites.setSources( &display, &folder.fileSystem() );
        for( int slot : { SPR_TIMER, SPR_BITES0, SPR_BITES1, SPR_BITES2 } )
            ASSERT_TRUE( sprites.load( slot ) );
        bar.setSprites( &sprites );
    }

    std::vector<HRect> update( int32_t state, float timeLeft, float timeMax, int64_t now, int32_t phaseLeft = 0,
                               int32_t phaseTotal = 0 )
    {
        std::vector<HRect> dirty;
        bar.update( { state, timeLeft, timeMax, phaseLeft, phaseTotal, now },
                    [&dirty]( const HRect& rect ) { dirty.push_back( rect ); } );
        return dirty;
    }

    RecordingProcessServices services;
    SpriteFolder folder;
    MemoryDisplayDevice display;
    VXSpriteTable sprites;
    VXTimerBar bar;
};
} // namespace

TEST_F( VXTimerBarTest, TheEndFollowsTheClockAndOnlyChangesAreMarked )
{
    EXPECT_TRUE( bar.isHidden() );
    std::vector<HRect> dirty = update( kIdle, 30.0f, 60.0f, 0 );
    EXPECT_FALSE( bar.isHidden() );
    EXPECT_EQ( bar.getEnd(), 143 );
    ASSERT_EQ( dirty.size(), 2u );
    EXPECT_EQ( dirty[ 0 ], ( HRect{ 43, 402, 143, 414 } ) );
    // From one left of the old end to the new end plus the wider bites (frame 240 % 3 = 0).
    EXPECT_EQ( dirty[ 1 ], ( HRect{ 42, 402, 143 + 6, 414 } ) );
    EXPECT_EQ( bar.getBitesFrame(), 0 );

    // Nothing moved: nothing marked.
    EXPECT_TRUE( update( kIdle, 30.0f, 60.0f, 16 ).empty() );

    // The bites turn with every eighth of a second; the end stays put.
    dirty = update( kIdle, 29.95f, 60.0f, 32 );
    EXPECT_EQ( bar.getEnd(), 142 );
    ASSERT_EQ( dirty.size(), 2u );
    EXPECT_EQ( bar.getBitesFrame(), 239 % 3 );
    EXPECT_EQ( dirty[ 1 ], ( HRect{ 141, 402, 143 + 16, 414 } ) );

    // Held to the whole bar, and to nothing.
    update( kIdle, 90.0f, 60.0f, 48 );
    EXPECT_EQ( bar.getEnd(), 243 );
    update( kIdle, -4.0f, 60.0f, 64 );
    EXPECT_EQ( bar.getEnd(), 43 );
    update( kIdle, 1.0e30f, 0.0f, 64 );
    EXPECT_EQ( bar.getEnd(), 43 );
}

TEST_F( VXTimerBarTest, BlinksInTheLastTenSecondsExceptWhileTheBonusCounts )
{
    update( kIdle, 9.0f, 60.0f, 0 );
    EXPECT_FALSE( bar.isHidden() );
    int32_t end = bar.getEnd();
    // 250 to 499 ms of each half-second is the dark half.
    std::vector<HRect> dirty = update( kIdle, 9.0f, 60.0f, 250 );
    EXPECT_TRUE( bar.isHidden() );
    ASSERT_EQ( dirty.size(), 1u );
    EXPECT_EQ( dirty[ 0 ], ( HRect{ 43, 402, end + 10 + 16, 414 } ) );
    EXPECT_TRUE( update( kIdle, 9.0f, 60.0f, 300 ).empty() );
    // The light half brings it back and redraws it, though the clock did not move.
    dirty = update( kIdle, 9.0f, 60.0f, 500 );
    EXPECT_FALSE( bar.isHidden() );
    EXPECT_EQ( bar.getEnd(), end );
    EXPECT_FALSE( dirty.empty() );

    // The time bonus drains the bar over its phase and never blinks.
    update( kTimeBonus, 9.0f, 60.0f, 750, 1000, 2000 );
    EXPECT_FALSE( bar.isHidden() );
    EXPECT_EQ( bar.getEnd(), 43 + 15 );
    update( kTimeBonus, 9.0f, 60.0f, 750, 0, 0 );
    EXPECT_EQ( bar.getEnd(), 43 );
    update( kNextLevel, 50.0f, 60.0f, 0 );
    EXPECT_EQ( bar.getEnd(), 43 );
}

TEST_F( VXTimerBarTest, HiddenOnInformationScreensAndDrawnOnlyWhenShown )
{
    update( kIdle, 60.0f, 60.0f, 0 );
    EXPECT_TRUE( update( kInfoStart, 60.0f, 60.0f, 10 ).empty() );
    EXPECT_TRUE( bar.isHidden() );
    bar.draw( { 0, 0, 640, 480 } );
    EXPECT_EQ( display.pixel( 100, 405 ), 0 );

    update( kIdle, 30.0f, 60.0f, 20 );
    bar.draw( { 0, 0, 640, 480 } );
    EXPECT_NE( display.pixel( 43, 402 ), 0 );
    EXPECT_NE( display.pixel( 142, 413 ), 0 );
    // The bites sit at the end.
    EXPECT_NE( display.pixel( 143, 405 ), 0 );
    EXPECT_EQ( display.pixel( 143 + 6, 405 ), 0 );
    EXPECT_EQ( display.pixel( 42, 405 ), 0 );

    display.clear( { 0, 0, 0, 1 } );
    bar.draw( { 100, 0, 110, 480 } );
    EXPECT_EQ( display.pixel( 99, 405 ), 0 );
    EXPECT_NE( display.pixel( 100, 405 ), 0 );
    EXPECT_EQ( display.pixel( 110, 405 ), 0 );
}

TEST_F( VXTimerBarTest, SaysWhenTheRunningClockChangesItNext )
{
    // Four seconds of a running clock, across the start of the blinking: the bar changes when it
    // said it would (to the millisecond the float clock allows), and not before.
    const float kMax = 60.0f;
    const int64_t kStart = 100000;
    auto at = [&]( int64_t ms ) {
        return VXTimerBar::Clock{ kIdle, 12.0f - static_cast<float>( ms ) * 0.001f, kMax, 0, 0, kStart + ms };
    };
    auto changedAt = [&]( int64_t ms ) {
        VXTimerBar::Clock clock = at( ms );
        return !update( kIdle, clock.timeLeft, kMax, clock.now ).empty();
    };
    changedAt( 0 );
    int64_t t = 0;
    int changes = 0;
    while( t < 4000 )
    {
        uint32_t wait = bar.untilNextChange( at( t ) );
        ASSERT_GE( wait, 1u ) << t;
        ASSERT_LE( wait, 250u ) << t;
        for( uint32_t i = 1; i + 1 < wait; ++i )
            ASSERT_FALSE( changedAt( t + i ) ) << "at " << t + i << " after " << t << " said " << wait;
        bool changed = wait > 1 && changedAt( t + wait - 1 );
        changed = changedAt( t + wait ) || changed;
        ASSERT_TRUE( changed ) << "at " << t + wait;
        t += wait;
        ++changes;
    }
    EXPECT_GT( changes, 30 );
    // A clock that ran out, or one the bar cannot read, asks to be looked at straight away.
    EXPECT_EQ( bar.untilNextChange( { kIdle, 0.0f, kMax, 0, 0, 0 } ), 1u );
    EXPECT_EQ( bar.untilNextChange( { kIdle, 5.0f, 0.0f, 0, 0, 0 } ), 1u );
}
