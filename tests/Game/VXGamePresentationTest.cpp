#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Game/VXPauseControl.h"
#include "Game/VXSpriteTable.h"
#include "Game/VXStartControl.h"
#include "tests/Game/support/BoardText.h"
#include "tests/Game/support/GameHarness.h"
#include "tests/Game/support/GameResources.h"
#include "tests/support/MemoryDisplayDevice.h"

namespace
{
const char* const kapOneRow[ 6 ] = { ".OOOOO", "OOYPOY", "YPOYPO", "OYPOYP", "POYPOY", "YPOYPO" };

class VXGamePresentationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GameHarness::Options options;
        options.realGame = true;
        options.fillResources = []( const std::string& folder ) { ASSERT_TRUE( copyGamePictures( folder ) ); };
        m_pHarness.reset( new GameHarness( options ) );
        ASSERT_TRUE( m_pHarness->started() );
        // The software pointer off the frame, so it covers nothing the tests look at; then the
        // whole frame, as the main loop draws it before its first pass.
        m_pHarness->moveMouse( -100, -100 );
        m_pHarness->game().invalidateAll();
        m_pHarness->tick( 10 );
    }

    GameHarness& harness() { return *m_pHarness; }
    TestGame& game() { return m_pHarness->game(); }
    uint16_t pixel( int32_t x, int32_t y )
    {
        return static_cast<MemoryDisplayDevice*>( game().getDisplayDevice() )->pixel( x, y );
    }
    ::testing::AssertionResult shows( int32_t x, int32_t y, const char* kpPicture )
    {
        uint16_t value = pixel( x, y );
        if( showsPicture( value, gamePicture( kpPicture ) ) )
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "(" << x << ", " << y << ") holds " << ( value >> 10 ) << "/"
                                             << ( ( value >> 5 ) & 31 ) << "/" << ( value & 31 ) << ", not "
                                             << kpPicture;
    }

    // Clicks leave the pointer where they were made.
    void hidePointer()
    {
        harness().moveMouse( -100, -100 );
        harness().tick( 1 );
    }

    void toIdle()
    {
        harness().pressKey( 0, '\r' );
        ASSERT_TRUE( harness().runUntil( GS_IDLE, 2000 ) );
        harness().tick( 10 );
    }

    std::unique_ptr<GameHarness> m_pHarness;
};
} // namespace

TEST_F( VXGamePresentationTest, TheStartScreenShowsItsPictureOverTheBackgroundAndTheNumbers )
{
    EXPECT_TRUE( shows( 5, 5, "background.jpg" ) );
    EXPECT_TRUE( shows( 630, 470, "background.jpg" ) );
    EXPECT_TRUE( shows( 23, 17, "info_start.jpg" ) );
    EXPECT_TRUE( shows( 442, 436, "info_start.jpg" ) );
    EXPECT_TRUE( shows( 443, 437, "background.jpg" ) );
    // No tiles and no timer bar on an information screen.
    EXPECT_TRUE( shows( 107 + 60, 101 + 20, "info_start.jpg" ) );
    EXPECT_TRUE( shows( 50, 405, "info_start.jpg" ) );
    // Score 0, level 1, lines 0 at their anchors.
    EXPECT_TRUE( shows( 595, 154, "font_zero.tga" ) );
    EXPECT_TRUE( shows( 550 + 15, 211 + 22, "font_one.tga" ) );
    EXPECT_TRUE( shows( 550, 267, "font_zero.tga" ) );
    EXPECT_TRUE( shows( 577 + 15, 154, "background.jpg" ) );
}

TEST_F( VXGamePresentationTest, PlayShowsTheTilesTheClockAndAMovingBoard )
{
    toIdle();
    loadBoard( game().board(), kapPlainBoard );
    game().invalidateAll();
    harness().tick( 10 );
    EXPECT_TRUE( shows( 107 + 20, 101 + 20, "arena.jpg" ) );
    EXPECT_TRUE( shows( 107 + 42 + 20, 101 + 20, "tile_yellow.tga" ) );
    EXPECT_TRUE( shows( 107 + 5 * 42 + 41, 101 + 5 * 42 + 41, "tile_orange.tga" ) );
    EXPECT_TRUE( shows( 43, 402, "timer.tga" ) );
    EXPECT_TRUE( shows( 43 + 356, 425, "timer.tga" ) );
    EXPECT_TRUE( shows( 43 + 360, 402, "bites00.tga" ) || shows( 43 + 360, 402, "bites01.tga" ) ||
                 shows( 43 + 360, 402, "bites02.tga" ) );

    // Half-way through a slide the tile is drawn half a cell from its new place.
    harness().clickCell( 1, 0 );
    harness().moveMouse( -100, -100 );
    harness().tick( 32 );
    EXPECT_TRUE( shows( 107 + 20, 101 + 20, "arena.jpg" ) );
    EXPECT_TRUE( shows( 107 + 21, 101 + 20, "tile_yellow.tga" ) );
    EXPECT_TRUE( shows( 107 + 21 + 41, 101 + 20, "tile_yellow.tga" ) );
    EXPECT_TRUE( shows( 107 + 21 + 42, 101 + 20, "arena.jpg" ) );
    ASSERT_TRUE( harness().runUntil( GS_IDLE, 200 ) );
    EXPECT_TRUE( shows( 107 + 20, 101 + 20, "tile_yellow.tga" ) );
    EXPECT_TRUE( shows( 107 + 42 + 20, 101 + 20, "arena.jpg" ) );
}

TEST_F( VXGamePresentationTest, PausedTheArenaShowsThePausePictureAloneButTheNumbersStay )
{
    toIdle();
    loadBoard( game().board(), kapOneRow );
    game().setLinesToGo( 2 );
    harness().clickCell( 0, 1 );
    ASSERT_TRUE( harness().runUntil( GS_CRUNCHING, 200 ) );
    ASSERT_EQ( game().getScorePopups().liveCount(), 1 );
    game().setPaused( true );
    game().invalidateAll();
    harness().tick( 10 );
    for( HPoint point : { HPoint{ 107 + 20, 101 + 20 }, HPoint{ 300, 300 }, HPoint{ 50, 405 } } )
        EXPECT_TRUE( shows( point.x, point.y, "pause.jpg" ) ) << point.x << "," << point.y;
    // The popup started at the move's point; paused it is not drawn.
    HPoint popup = game().getLastMovePoint();
    EXPECT_TRUE( shows( popup.x + 2, popup.y - 2, "pause.jpg" ) );
    // The score, level and lines still show: 60 points.
    EXPECT_TRUE( shows( 595, 154, "font_zero.tga" ) );
    EXPECT_TRUE( shows( 577, 154, "font_six.tga" ) );

    game().setPaused( false );
    game().invalidateAll();
    harness().tick( 1 );
    EXPECT_TRUE( shows( 107 + 42 + 20, 101 + 42 + 20, "arena.jpg" ) || !shows( 107 + 42 + 20, 101 + 42 + 20, "pause.jpg" ) );
}

TEST_F( VXGamePresentationTest, APopupOfAnyWidthDrawsOnlyInsideTheAreaItMarks )
{
    toIdle();
    hidePointer();
    const HRect kScreen = { 0, 0, 640, 480 };
    // The frame as the game draws it whole, with no popup (the software pointer and the panel's
    // controls are the application's to draw, over it).
    game().popups().clear();
    game().drawRect( kScreen );
    std::vector<uint16_t> before;
    for( int32_t y = 0; y < 480; ++y )
        for( int32_t x = 0; x < 640; ++x )
            before.push_back( pixel( x, y ) );
    const HPoint kAt = { 430, 250 };
    for( int32_t value : { 7, 40, 360, 1000, 12500, 204000, 1000000, 98765432, 2147483647 } )
    {
        SCOPED_TRACE( value );
        game().popups().clear();
        game().popups().start( value, kAt );
        game().drawRect( kScreen );
        HRect area = VXScorePopupList::area( value, kAt.x, kAt.y );
        int changed = 0;
        int outside = 0;
        for( int32_t y = 0; y < 480; ++y )
        {
            for( int32_t x = 0; x < 640; ++x )
            {
                if( pixel( x, y ) == before[ y * 640 + x ] )
                    continue;
                ++changed;
                bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
                outside += inside ? 0 : 1;
            }
        }
        EXPECT_GT( changed, 0 );
        EXPECT_EQ( outside, 0 );
        // Gone, and only its area repainted: nothing of it may be left behind.
        game().popups().clear();
        game().drawRect( area );
        int left = 0;
        for( int32_t y = 0; y < 480; ++y )
            for( int32_t x = 0; x < 640; ++x )
                left += pixel( x, y ) == before[ y * 640 + x ] ? 0 : 1;
        EXPECT_EQ( left, 0 );
    }
}

TEST_F( VXGamePresentationTest, IntroAndBonusPanelsShowOnAnEmptyArena )
{
    harness().pressKey( 0, '\r' );
    harness().tick( 10 );
    ASSERT_EQ( game().getState(), GS_LEVEL_INTRO );
    EXPECT_TRUE( shows( 181, 172, "level.tga" ) );
    // Level 1's digit follows the panel by one digit's step.
    EXPECT_TRUE( shows( 181 + 40 + 18, 172, "font_one.tga" ) );
    EXPECT_TRUE( shows( 107 + 42 + 20, 101 + 20, "arena.jpg" ) );
    ASSERT_TRUE( harness().runUntil( GS_IDLE, 2000 ) );

    game().setLinesToGo( 1 );
    loadBoard( game().board(), kapOneRow );
    harness().clickCell( 0, 1 );
    ASSERT_TRUE( harness().runUntil( GS_TIME_BONUS, 2000 ) );
    hidePointer();
    harness().tick( 1000 );
    EXPECT_TRUE( shows( 151, 172, "time_bonus.tga" ) );
    EXPECT_TRUE( shows( 107 + 4 * 42 + 20, 101 + 4 * 42 + 20, "arena.jpg" ) );
    ASSERT_TRUE( harness().runUntil( GS_NEXT_LEVEL, 2000 ) );
    harness().tick( 10 );
    // The whole bonus, centred: 3000 in four digits.
    int32_t anchor = ( 420 + 18 * 2 ) / 2 + 23;
    EXPECT_TRUE( shows( anchor, 210, "font_zero.tga" ) );
    EXPECT_TRUE( shows( anchor - 18 - 18 - 14 - 13, 210, "font_three.tga" ) );
}

TEST_F( VXGamePresentationTest, TheStartLevelBonusShowsItsPanelAndNumberCentred )
{
    toIdle();
    game().setShownStartBonus( 25000 );
    game().setState( GS_START_LEVEL_BONUS );
    game().setPhase( 2000 );
    game().invalidateAll();
    harness().tick( 1 );
    EXPECT_TRUE( shows( 143, 172, "startlevel_bonus.tga" ) );
    // 25,000 in five digits: the anchor is half the arena plus five digits' steps, from its left.
    int32_t anchor = ( 420 + 18 * 5 ) / 2 + 23;
    EXPECT_TRUE( shows( anchor, 210, "font_zero.tga" ) );
    EXPECT_TRUE( shows( anchor - 18 - 18 - 14 - 13, 210, "font_five.tga" ) );
    // No tiles under the panel.
    EXPECT_TRUE( shows( 107 + 4 * 42 + 20, 101 + 5 * 42 + 20, "arena.jpg" ) );
}

TEST_F( VXGamePresentationTest, TheControlsOfTheGameShowWhenTheyShouldAndAct )
{
    HControl* pFirst = game().nextControl( nullptr );
    ASSERT_NE( pFirst, nullptr );
    HControl* pSecond = game().nextControl( pFirst );
    ASSERT_NE( pSecond, nullptr );
    auto* pStart = static_cast<VXStartControl*>( pFirst );
    auto* pPause = static_cast<VXPauseControl*>( pSecond );
    EXPECT_EQ( pStart->getRect()->left, 114 );
    EXPECT_EQ( pStart->getRect()->bottom, 388 + 24 );
    EXPECT_TRUE( pStart->isShown() );
    EXPECT_FALSE( pPause->isShown() );

    // The start button lights under the pointer, then its click leaves the start screen.
    harness().moveMouse( 150, 410 );
    EXPECT_TRUE( pStart->isLit() );
    harness().tick( 10 );
    EXPECT_TRUE( shows( 115, 389, "icon_click_to_start_lit.tga" ) );
    harness().sound().sounds.clear();
    harness().click( 120, 390 );
    EXPECT_EQ( game().getState(), GS_LEVEL_INTRO );
    EXPECT_EQ( harness().sound().count( "guiclick.wav@128" ), 1 );
    EXPECT_FALSE( game().getSprites().isLoaded( SPR_INFO_START ) );
    ASSERT_TRUE( harness().runUntil( GS_IDLE, 2000 ) );
    hidePointer();
    EXPECT_FALSE( pStart->isShown() );
    EXPECT_TRUE( pPause->isShown() );
    EXPECT_TRUE( shows( 452 + 1, 315 + 1, "icon_pause.tga" ) );

    // Pause, then resume: the pause count is back where it was.
    harness().click( 460, 320 );
    EXPECT_TRUE( game().isUserPaused() );
    EXPECT_EQ( pPause->getNormalImage(), game().getSprites().get( SPR_ICON_RESUME ) );
    harness().moveMouse( 0, 0 );
    harness().tick( 10 );
    EXPECT_TRUE( shows( 452 + 1, 315 + 1, "icon_resume.tga" ) );
    harness().click( 460, 320 );
    EXPECT_FALSE( game().isPaused() );
    EXPECT_EQ( pPause->getNormalImage(), game().getSprites().get( SPR_ICON_PAUSE ) );
}

TEST_F( VXGamePresentationTest, PPauseAndEscapeActAsThePauseButtonOnlyWhileItIsOffered )
{
    toIdle();
    struct Press
    {
        int32_t key;
        char character;
        bool paused;
    };
    const Press kaPresses[] = { { 0, 'p', true },        { 0, 'P', false }, { KC_PAUSE, 0, true },
                                { KC_PAUSE, 0, false }, { 0, 27, true },   { 0, 'p', false },
                                { 0, 27, true },        { 0, 27, false } };
    for( const Press& press : kaPresses )
    {
        harness().sound().sounds.clear();
        harness().pressKey( press.key, press.character );
        EXPECT_EQ( game().isUserPaused(), press.paused ) << press.key << " " << int( press.character );
        EXPECT_EQ( harness().sound().count( "guiclick.wav@128" ), 1 );
    }
    // Between levels the pause is not offered: neither key pauses.
    game().setState( GS_LEVEL_INTRO );
    harness().pressKey( 0, 27 );
    harness().pressKey( 0, 'p' );
    EXPECT_FALSE( game().isUserPaused() );
}
