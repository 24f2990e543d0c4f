#include <gtest/gtest.h>

#include <string>

#include "Framework/graphics/HSurface.h"
#include "Framework/graphics/VXSprite.h"
#include "tests/Game/support/ScreenHarness.h"

namespace
{
const HPoint kPage = { 60, 355 };
const HPoint kaHand[ 5 ] = { { 100, 45 }, { 142, 45 }, { 184, 45 }, { 184, 87 }, { 58, 87 } };

// True when a block of the screen shows the sprite's pixels, the sprite's corner at (x, y).
bool shows( ScreenGame& game, int slot, HPoint corner, HRect block )
{
    VXSprite* pSprite = game.getSprites().get( slot );
    if( pSprite == nullptr || !pSprite->isLoaded() )
        return false;
    const HSurface* kpSurface = pSprite->getSurface();
    for( int y = block.top; y < block.bottom; ++y )
    {
        for( int x = block.left; x < block.right; ++x )
        {
            uint16_t onScreen = game.display()->pixel( corner.x + x, corner.y + y );
            // The pitch counts bytes.
            if( onScreen != kpSurface->getPixels()[ y * ( kpSurface->getPitch() / 2 ) + x ] )
                return false;
        }
    }
    return true;
}

// The page's lower right part: away from the hand, the cursor and the board.
bool showsPage( ScreenGame& game, int page )
{
    return shows( game, SPR_TUTORIAL_FIRST + page, kPage, HRect{ 200, 20, 240, 40 } );
}

HPoint cellUnderHand( int step )
{
    return { kaHand[ step ].x + 49 + 21, kaHand[ step ].y + 56 + 21 };
}
} // namespace

TEST( VXTutorialTest, FollowingTheHandsFiveClicksClearsTheTutorialLevel )
{
    ScreenHarness::Options options;
    options.didTutorial = 0;
    ScreenHarness harness( options );
    ASSERT_TRUE( harness.started() );
    ScreenGame& game = harness.game();
    harness.idle( 10 );
    harness.key( '\r' );
    ASSERT_TRUE( harness.run() );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 2000 ) );
    ASSERT_TRUE( game.isTutorialLevel() );
    ASSERT_TRUE( game.getSprites().isLoaded( SPR_TUTORIAL_HAND ) );
    // The panel offers no restart, options or high scores until the tutorial is done.
    EXPECT_FALSE( game.panelControl( VXPanelControl::PC_RESTART )->isShown() );

    for( int step = 0; step < 5; ++step )
    {
        harness.idle( 10 );
        ASSERT_TRUE( harness.run() );
        EXPECT_EQ( game.getTutorialStep(), step );
        EXPECT_TRUE( showsPage( game, step ) ) << "step " << step;
        for( int other = 0; other < 6; ++other )
            EXPECT_TRUE( other == step || !showsPage( game, other ) ) << "step " << step << " page " << other;
        // The hand's place is redrawn on every time stamp, so its pulse shows.
        game.display()->presents.clear();
        harness.idle( 10 );
        ASSERT_TRUE( harness.run() );
        bool handRedrawn = false;
        for( const std::vector<HRect>& present : game.display()->presents )
        {
            for( const HRect& rect : present )
                handRedrawn = handRedrawn || ( rect.left <= kaHand[ step ].x && rect.top <= kaHand[ step ].y );
        }
        EXPECT_TRUE( handRedrawn ) << "step " << step;

        // Any other cell is ignored without a sound.
        harness.sound().sounds.clear();
        HPoint wrong = cellUnderHand( ( step + 2 ) % 5 );
        harness.click( wrong.x, wrong.y );
        ASSERT_TRUE( harness.run() );
        EXPECT_EQ( game.getTutorialStep(), step );
        EXPECT_TRUE( harness.sound().sounds.empty() );

        HPoint target = cellUnderHand( step );
        harness.click( target.x, target.y );
        ASSERT_TRUE( harness.run() );
        EXPECT_EQ( game.getTutorialStep(), step + 1 );
        EXPECT_EQ( game.getState(), GS_SLIDING );
        if( step < 4 )
        {
            ASSERT_TRUE( harness.runUntil( GS_IDLE, 3000 ) ) << "step " << step;
        }
    }
    // The last page stays up until the level ends; no clock ran meanwhile.
    ASSERT_TRUE( harness.runUntil( GS_LEVEL_COMPLETE, 3000 ) );
    EXPECT_TRUE( showsPage( game, 5 ) );
    EXPECT_LE( game.getLinesToGo(), 0 );
    EXPECT_GT( game.getScore(), 0 );
    EXPECT_EQ( game.getTimeLeft(), game.getTimeMax() );

    ASSERT_TRUE( harness.runUntil( GS_INFO_HINT, 10000 ) );
    EXPECT_EQ( game.getSettings().didTutorial, 1 );
    EXPECT_FALSE( game.getSprites().isLoaded( SPR_TUTORIAL_FIRST ) );
    EXPECT_FALSE( game.getSprites().isLoaded( SPR_TUTORIAL_HAND ) );
    EXPECT_NE( harness.registryText().find( "\"Did Tutorial\"=hex:01,00,00,00" ), std::string::npos );
    // Now the whole panel is offered.
    harness.idle( 10 );
    ASSERT_TRUE( harness.run() );
    EXPECT_TRUE( game.panelControl( VXPanelControl::PC_RESTART )->isShown() );
    EXPECT_TRUE( game.panelControl( VXPanelControl::PC_OPTIONS )->isShown() );
}

TEST( VXTutorialTest, InformationPicturesLoadWhenFirstShownAndTheStartButtonFreesThem )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    ScreenGame& game = harness.game();
    harness.idle( 10 );
    ASSERT_TRUE( harness.run() );
    EXPECT_TRUE( game.getSprites().isLoaded( SPR_INFO_START ) );
    EXPECT_FALSE( game.getSprites().isLoaded( SPR_INFO_HINT ) );
    EXPECT_TRUE( shows( game, SPR_INFO_START, { 23, 17 }, HRect{ 10, 10, 40, 40 } ) );
    harness.click( 114 + 20, 388 + 10 );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( game.getState(), GS_LEVEL_INTRO );
    EXPECT_FALSE( game.getSprites().isLoaded( SPR_INFO_START ) );
    EXPECT_EQ( harness.sound().count( "guiclick.wav@128" ), 1 );
}

TEST( VXTutorialTest, TheArrowKeysAloneFollowTheHandToTheEndAndOtherArrowsAreIgnored )
{
    ScreenHarness::Options options;
    options.didTutorial = 0;
    ScreenHarness harness( options );
    ASSERT_TRUE( harness.started() );
    ScreenGame& game = harness.game();
    harness.key( '\r' );
    ASSERT_TRUE( harness.run() );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 2000 ) );
    const HPoint kaScripted[ 5 ] = { { 1, 0 }, { 2, 0 }, { 3, 0 }, { 3, 1 }, { 0, 1 } };
    for( int step = 0; step < 5; ++step )
    {
        HPoint blank = game.getBoard().getBlankPosition();
        int towardX = ( kaScripted[ step ].x > blank.x ) - ( kaScripted[ step ].x < blank.x );
        int towardY = ( kaScripted[ step ].y > blank.y ) - ( kaScripted[ step ].y < blank.y );
        // The keys move the blank, or with the option off the candy into it.
        if( game.getSettings().keyboardMovesSpace == 0 )
        {
            towardX = -towardX;
            towardY = -towardY;
        }
        int32_t toward = towardX > 0 ? KC_RIGHT : towardX < 0 ? KC_LEFT : towardY > 0 ? KC_DOWN : KC_UP;
        int32_t away = towardX > 0 ? KC_LEFT : towardX < 0 ? KC_RIGHT : towardY > 0 ? KC_UP : KC_DOWN;
        int32_t across = towardX != 0 ? KC_DOWN : KC_RIGHT;
        for( int32_t wrong : { away, across } )
        {
            harness.keyCode( wrong );
            ASSERT_TRUE( harness.run() );
            EXPECT_EQ( game.getTutorialStep(), step );
            EXPECT_EQ( game.getState(), GS_IDLE );
        }
        harness.keyCode( toward );
        ASSERT_TRUE( harness.run() );
        EXPECT_EQ( game.getTutorialStep(), step + 1 );
        EXPECT_EQ( game.getState(), GS_SLIDING );
        if( step < 4 )
        {
            ASSERT_TRUE( harness.runUntil( GS_IDLE, 3000 ) ) << "step " << step;
        }
    }
    ASSERT_TRUE( harness.runUntil( GS_LEVEL_COMPLETE, 3000 ) );
    EXPECT_LE( game.getLinesToGo(), 0 );
    EXPECT_GT( game.getScore(), 0 );
}
