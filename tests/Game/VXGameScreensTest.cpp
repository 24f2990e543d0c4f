#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Framework/graphics/VXSprite.h"
#include "Game/VXEnterNameDialog.h"
#include "Game/VXGameOverDialog.h"
#include "Game/VXHighScoreDialog.h"
#include "Game/dialogs/VXDialog.h"
#include "Game/dialogs/VXDialogItemButton.h"
#include "tests/Game/support/BoardText.h"
#include "tests/Game/support/ScreenHarness.h"

namespace
{
// From the start screen into play, on a board with no line near.
void startPlaying( ScreenHarness& harness )
{
    harness.idle( 10 );
    harness.key( '\r' );
    ASSERT_TRUE( harness.run() );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 2000 ) );
    loadBoard( harness.game().board(), kapPlainBoard );
}

// The clock runs out on the next frame with this score.
void endGameWith( ScreenHarness& harness, int32_t score )
{
    harness.game().setScore( score );
    harness.game().setTimeLeft( 0.001f );
}

// A value as the registry file has it, continuation lines joined: "\"name\"=hex:...".
std::string stored( ScreenHarness& harness, const char* kpName )
{
    std::string text = harness.registryText();
    size_t at = text.find( std::string( "\"" ) + kpName + "\"=" );
    if( at == std::string::npos )
        return "";
    std::string value;
    for( size_t i = at; i < text.size(); ++i )
    {
        if( text[ i ] == '\\' && i + 1 < text.size() && text[ i + 1 ] == '\n' )
        {
            i += 1;
            while( i + 1 < text.size() && text[ i + 1 ] == ' ' )
                ++i;
            continue;
        }
        if( text[ i ] == '\n' )
            break;
        value += text[ i ];
    }
    return value;
}

const VXDialogItemButton* findButton( VXDialog* pDialog, const char* kpName )
{
    for( VXDialogItem* pItem = pDialog != nullptr ? pDialog->getFirstItem() : nullptr; pItem != nullptr;
         pItem = pItem->getNext() )
    {
        if( std::string( pItem->getName() ) == kpName )
            return static_cast<const VXDialogItemButton*>( pItem );
    }
    return nullptr;
}
} // namespace

TEST( VXGameScreensTest, ThePanelHasItsButtonsInOrderShownWhenTheyApply )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    ScreenGame& game = harness.game();
    // Start and pause first, then restart, options, high scores, exit and logo; no partner picture
    // is in the archive, so no partner button.
    std::vector<HPoint> places;
    for( HControl* pControl = game.nextControl( nullptr ); pControl != nullptr;
         pControl = game.nextControl( pControl ) )
        places.push_back( HPoint{ static_cast<VXControl*>( pControl )->getRect()->left,
                                  static_cast<VXControl*>( pControl )->getRect()->top } );
    std::vector<HPoint> expected = { { 114, 388 }, { 452, 315 }, { 470, 419 }, { 473, 347 },
                                     { 451, 375 }, { 504, 445 }, { 1, 443 } };
    ASSERT_EQ( places.size(), expected.size() );
    for( size_t i = 0; i < places.size(); ++i )
    {
        EXPECT_EQ( places[ i ].x, expected[ i ].x ) << i;
        EXPECT_EQ( places[ i ].y, expected[ i ].y ) << i;
    }
    EXPECT_EQ( game.panelControl( VXPanelControl::PC_PARTNER ), nullptr );

    // On the start screen there is nothing to restart.
    EXPECT_FALSE( game.panelControl( VXPanelControl::PC_RESTART )->isShown() );
    EXPECT_TRUE( game.panelControl( VXPanelControl::PC_OPTIONS )->isShown() );
    startPlaying( harness );
    EXPECT_TRUE( game.panelControl( VXPanelControl::PC_RESTART )->isShown() );
    // During the tutorial only the exit button and the logo are offered.
    game.settings().didTutorial = 0;
    for( VXPanelControl::Kind kind :
         { VXPanelControl::PC_RESTART, VXPanelControl::PC_OPTIONS, VXPanelControl::PC_HIGHSCORES } )
        EXPECT_FALSE( game.panelControl( kind )->isShown() ) << kind;
    EXPECT_TRUE( game.panelControl( VXPanelControl::PC_EXIT )->isShown() );
    EXPECT_TRUE( game.panelControl( VXPanelControl::PC_LOGO )->isShown() );

    // A hidden button takes no click.
    harness.clickPanel( VXPanelControl::PC_OPTIONS );
    ASSERT_TRUE( harness.run() );
    EXPECT_FALSE( harness.input().stuck );
    EXPECT_EQ( harness.sound().count( "guiclick.wav@128" ), 0 );
}

TEST( VXGameScreensTest, AButtonThatAppearsOrGoesIsRedrawnAtTheNextTimeStamp )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    startPlaying( harness );
    harness.idle( 10 );
    ASSERT_TRUE( harness.run() );
    harness.game().display()->presents.clear();
    harness.game().settings().didTutorial = 0;
    harness.idle( 10 );
    harness.idle( 10 );
    ASSERT_TRUE( harness.run() );
    const HRect* kpOptions = harness.game().panelControl( VXPanelControl::PC_OPTIONS )->getRect();
    bool redrawn = false;
    for( const std::vector<HRect>& present : harness.game().display()->presents )
    {
        for( const HRect& rect : present )
            redrawn = redrawn || ( rect.left <= kpOptions->left && rect.right >= kpOptions->right &&
                                   rect.top <= kpOptions->top && rect.bottom >= kpOptions->bottom );
    }
    EXPECT_TRUE( redrawn );
}

TEST( VXGameScreensTest, TheLogoOpensTheMakersSiteAndExitEndsTheGameEvenWhenPaused )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    startPlaying( harness );
    harness.clickPanel( VXPanelControl::PC_LOGO );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( harness.services().opened, std::vector<std::string>{ "https://www.vantorix.example/" } );
    EXPECT_EQ( harness.sound().count( "guiclick.wav@128" ), 1 );

    harness.game().setPaused( true );
    harness.clickPanel( VXPanelControl::PC_EXIT );
    harness.idle( 10 );
    EXPECT_FALSE( harness.run() );
    EXPECT_EQ( harness.game().getState(), GS_QUIT );
    EXPECT_FALSE( harness.game().isUserPaused() );
    EXPECT_EQ( harness.game().pauseCount(), 0 );
    EXPECT_FALSE( harness.game().isMusicPlaying() );
}

TEST( VXGameScreensTest, PauseButtonPairsAndNestedScreensKeepThePauseCountRight )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    startPlaying( harness );
    ScreenGame& game = harness.game();
    HPoint pause = { 452 + 5, 315 + 5 };
    harness.click( pause.x, pause.y );
    harness.check( [ & ]() { EXPECT_EQ( game.pauseCount(), 1 ); } );
    harness.click( pause.x, pause.y );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( game.pauseCount(), 0 );
    EXPECT_FALSE( game.isUserPaused() );

    // Paused by the player, the options nest a second pause and leave the first in place.
    harness.click( pause.x, pause.y );
    harness.clickPanel( VXPanelControl::PC_OPTIONS );
    harness.check(
        [ & ]()
        {
            EXPECT_EQ( harness.modalScreen(), "options_dialog.jpg" );
            EXPECT_EQ( game.pauseCount(), 2 );
        } );
    harness.clickItem( "Ok Button" );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( game.pauseCount(), 1 );
    EXPECT_TRUE( game.isUserPaused() );
    EXPECT_TRUE( game.isPaused() );

    // The high scores over it, and the clear-all question over those: three deep.
    harness.clickPanel( VXPanelControl::PC_HIGHSCORES );
    harness.clickItem( "Clear All" );
    harness.check(
        [ & ]()
        {
            EXPECT_EQ( harness.modalScreen(), "highscores_areyousure.jpg" );
            EXPECT_EQ( game.pauseCount(), 3 );
        } );
    harness.clickItem( "Are you sure, cancel" );
    harness.check( [ & ]() { EXPECT_EQ( game.pauseCount(), 2 ); } );
    harness.clickItem( "OK" );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( game.pauseCount(), 1 );
    EXPECT_FALSE( harness.input().stuck );
}

TEST( VXGameScreensTest, RestartAsksFirstAndReturnMeansCancel )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    startPlaying( harness );
    ScreenGame& game = harness.game();
    game.setScore( 500 );

    harness.clickPanel( VXPanelControl::PC_RESTART );
    harness.check(
        [ & ]()
        {
            EXPECT_EQ( harness.modalScreen(), "restart_areyousure.jpg" );
            EXPECT_TRUE( game.isPaused() );
            VXDialog* pDialog = game.getModalScreen();
            // Centred, the buttons placed by their widths.
            HRect rect = pDialog->getRect();
            EXPECT_EQ( rect.left, ( 640 - rect.width() ) / 2 );
            EXPECT_EQ( rect.top, ( 480 - rect.height() ) / 2 );
            EXPECT_EQ( pDialog->getDefaultItem(), findButton( pDialog, "Are you sure, cancel" ) );
        } );
    harness.key( '\r' );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( game.getState(), GS_IDLE );
    EXPECT_EQ( game.getScore(), 500 );
    EXPECT_FALSE( game.isPaused() );

    // Paused by the player, restarting also ends the pause, so the start screen shows.
    game.setPaused( true );
    harness.command( 2 );
    harness.clickItem( "Are you sure, ok" );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( game.getState(), GS_INFO_START );
    EXPECT_FALSE( game.isUserPaused() );
    EXPECT_EQ( game.pauseCount(), 0 );
    // The restart button's click and the one of the restart itself.
    EXPECT_EQ( harness.sound().count( "guiclick.wav@128" ), 2 );

    // Nothing to restart on the start screen, nor while the board is busy.
    harness.command( 2 );
    ASSERT_TRUE( harness.run() );
    EXPECT_FALSE( harness.input().stuck );
    startPlaying( harness );
    game.setState( GS_SLIDING );
    harness.command( 2 );
    ASSERT_TRUE( harness.run() );
    EXPECT_FALSE( harness.input().stuck );
    EXPECT_EQ( harness.modalScreen(), "" );
}

TEST( VXGameScreensTest, TheContinueButtonComesOnAfterTwoSecondsAndTheNoticeDoesNotPause )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    startPlaying( harness );
    ScreenGame& game = harness.game();
    endGameWith( harness, 0 );
    harness.idle( 10 );
    harness.check(
        [ & ]()
        {
            EXPECT_EQ( harness.modalScreen(), "gameover.jpg" );
            EXPECT_FALSE( game.isPaused() );
            EXPECT_FALSE( findButton( game.getModalScreen(), "Continue" )->isEnabled() );
        } );
    // Clicks and the return key during the first two seconds do nothing.
    harness.clickItem( "Continue", 0, 500 );
    harness.key( '\r', 100 );
    harness.idle( 1380 );
    harness.check( [ & ]() { EXPECT_EQ( harness.modalScreen(), "gameover.jpg" ); } );
    harness.idle( 30 );
    harness.check( [ & ]() { EXPECT_TRUE( findButton( game.getModalScreen(), "Continue" )->isEnabled() ); } );
    harness.clickItem( "Continue" );
    ASSERT_TRUE( harness.run() );
    EXPECT_FALSE( harness.input().stuck );
    // A score of nothing enters no table: straight back to the start screen.
    EXPECT_EQ( game.getState(), GS_INFO_START );
    EXPECT_EQ( harness.sound().count( "gameover.ogg@128" ), 1 );
    EXPECT_EQ( stored( harness, "HS:0" ), "" );
}

TEST( VXGameScreensTest, ANewHighScoreAsksForANameAndStoresItAtItsRank )
{
    ScreenHarness::Options options;
    options.registryLines = "\"HS:0\"=hex:01,01,00,00,41,64,61,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,"
                            "00,00,00,00,00,00,00,00,00,00,00,00,e8,03,00,00,04,00,00,00\n";
    ScreenHarness harness( options );
    ASSERT_TRUE( harness.started() );
    harness.services().userName = "a-login-of-22-letters";
    startPlaying( harness );
    ScreenGame& game = harness.game();
    EXPECT_STREQ( game.getHighScores().entry( 0 ).name, "Ada" );
    endGameWith( harness, 1000 ); // equal to Ada's: goes below her

    harness.idle( 10 );
    harness.clickItem( "Continue", 0, 2100 );
    harness.check(
        [ & ]()
        {
            ASSERT_EQ( harness.modalScreen(), "entername.jpg" );
            VXEnterNameDialog* pDialog = static_cast<VXEnterNameDialog*>( game.getModalScreen() );
            // The login name, cut to the sixteen characters of the line; typing goes to the line,
            // the return key to OK.
            EXPECT_STREQ( pDialog->getName(), "a-login-of-22-le" );
            EXPECT_EQ( pDialog->getFocus(), &pDialog->getNameLine() );
            EXPECT_EQ( pDialog->getDefaultItem(), &pDialog->getOkButton() );
            EXPECT_STREQ( pDialog->getScoreLine().getText(), "1000" );
            EXPECT_EQ( pDialog->getScoreLine().getAlign(), TA_CENTRE );
            EXPECT_FALSE( game.isPaused() );
        } );
    for( int i = 0; i < 16; ++i )
        harness.key( 8, 5 );
    harness.type( "Bo\x01"
                  "b" );
    harness.key( '\r' );
    harness.check(
        [ & ]()
        {
            EXPECT_EQ( harness.modalScreen(), "highscores.jpg" );
            EXPECT_TRUE( game.isPaused() );
        } );
    harness.clickItem( "OK" );
    ASSERT_TRUE( harness.run() );
    EXPECT_FALSE( harness.input().stuck );
    EXPECT_EQ( game.getState(), GS_INFO_START );
    EXPECT_EQ( game.pauseCount(), 0 );
    EXPECT_STREQ( game.getHighScores().entry( 0 ).name, "Ada" );
    EXPECT_STREQ( game.getHighScores().entry( 1 ).name, "Bob" );
    EXPECT_EQ( game.getHighScores().entry( 1 ).score, 1000u );
    EXPECT_EQ( game.getHighScores().entry( 1 ).level, 1 );
    // Stored at once: 257, "Bob", 1000, level 1.
    EXPECT_EQ( stored( harness, "HS:1" ), "\"HS:1\"=hex:01,01,00,00,42,6f,62,00,00,00,00,00,00,00,00,00,00,00,00,00,"
                                          "00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,e8,03,00,00,01,00,00,00" );
    EXPECT_NE( stored( harness, "HS:4" ), "" );
}

TEST( VXGameScreensTest, WithoutALoginNameTheLineStartsEmptyAndAnEmptyNameIsPlayer )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    // A login name longer than the 24 characters asked for is no name at all.
    harness.services().userName = "a-login-name-far-longer-than-asked";
    startPlaying( harness );
    endGameWith( harness, 70 );
    harness.idle( 10 );
    harness.clickItem( "Continue", 0, 2100 );
    harness.check(
        [ & ]()
        {
            VXEnterNameDialog* pDialog = static_cast<VXEnterNameDialog*>( harness.game().getModalScreen() );
            EXPECT_STREQ( pDialog->getName(), "" );
        } );
    harness.clickItem( "Enter Name OK Button" );
    harness.clickItem( "OK" );
    ASSERT_TRUE( harness.run() );
    EXPECT_STREQ( harness.game().getHighScores().entry( 0 ).name, "Player" );
    EXPECT_EQ( harness.game().getHighScores().entry( 0 ).score, 70u );
}

TEST( VXGameScreensTest, TheNameEnteredLastIsSuggestedFoldedAndKeptWhenTheLineIsEmptied )
{
    struct Case
    {
        const char* kpStored;
        const char* kpSuggested;
        // Typed after the line was emptied with backspaces.
        const char* kpTyped;
        const char* kpEntered;
    };
    const Case kaCases[] = {
        { nullptr, "rootie", "Zo\xEB", "Zoe" },
        { "Zoe", "Zoe", "   ", "Zoe" },
        { "Bj\xC3\xB6rn", "Bjorn", "\xC6sa \xDF", "AEsa ss" },
        { "Anna", "Anna", "", "Anna" },
    };
    for( const Case& test : kaCases )
    {
        SCOPED_TRACE( test.kpTyped );
        ScreenHarness::Options options;
        if( test.kpStored != nullptr )
            options.registryLines = std::string( "\"Last Name\"=\"" ) + test.kpStored + "\"\n";
        ScreenHarness harness( options );
        ASSERT_TRUE( harness.started() );
        harness.services().userName = "rootie";
        startPlaying( harness );
        endGameWith( harness, 70 );
        harness.idle( 10 );
        harness.clickItem( "Continue", 0, 2100 );
        harness.check(
            [ & ]()
            {
                VXEnterNameDialog* pDialog = static_cast<VXEnterNameDialog*>( harness.game().getModalScreen() );
                EXPECT_STREQ( pDialog->getName(), test.kpSuggested );
            } );
        for( int i = 0; i < VXEnterNameDialog::kNameLength; ++i )
            harness.key( 8, 5 );
        harness.type( test.kpTyped );
        harness.key( '\r' );
        // The new row is marked while the table is up.
        harness.check(
            [ & ]()
            {
                VXHighScoreDialog* pTable = dynamic_cast<VXHighScoreDialog*>( harness.game().getModalScreen() );
                ASSERT_NE( pTable, nullptr );
                EXPECT_EQ( pTable->getMarkedRow(), 0 );
            } );
        harness.key( 27 );
        ASSERT_TRUE( harness.run() );
        EXPECT_EQ( harness.modalScreen(), "" );
        EXPECT_STREQ( harness.game().getHighScores().entry( 0 ).name, test.kpEntered );
        EXPECT_NE( harness.registryText().find( std::string( "\"Last Name\"=\"" ) + test.kpEntered + "\"" ),
                   std::string::npos )
            << harness.registryText();
    }
}

TEST( VXGameScreensTest, ClearingTheTableAsksAndWritesTheDefaultsOnlyOnYes )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    // A first run stores no table.
    EXPECT_EQ( stored( harness, "HS:0" ), "" );
    // The question stands over the table, which stays in sight around it (the pause picture
    // under both must not show through).
    const HPoint kaAroundTheQuestion[] = { { 120, 60 }, { 61, 199 }, { 400, 420 }, { 30, 300 } };
    std::vector<uint16_t> table;
    harness.command( 0 );
    harness.idle( 20 );
    harness.check(
        [ & ]()
        {
            for( const HPoint& point : kaAroundTheQuestion )
                table.push_back( harness.game().display()->pixel( point.x, point.y ) );
        } );
    harness.clickItem( "Clear All" );
    harness.idle( 20 );
    harness.check(
        [ & ]()
        {
            ASSERT_EQ( harness.modalScreen(), "highscores_areyousure.jpg" );
            const HRect& question = harness.game().getModalScreen()->getRect();
            for( size_t i = 0; i < table.size(); ++i )
            {
                const HPoint& point = kaAroundTheQuestion[ i ];
                EXPECT_FALSE( point.x >= question.left && point.x < question.right && point.y >= question.top &&
                              point.y < question.bottom );
                EXPECT_EQ( harness.game().display()->pixel( point.x, point.y ), table[ i ] ) << i;
            }
        } );
    harness.clickItem( "Are you sure, cancel" );
    harness.check( [ & ]() { EXPECT_EQ( harness.modalScreen(), "highscores.jpg" ); } );
    harness.clickItem( "OK" );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( stored( harness, "HS:0" ), "" );

    harness.command( 0 );
    harness.clickItem( "Clear All" );
    harness.clickItem( "Are you sure, ok" );
    harness.check(
        [ & ]()
        {
            EXPECT_EQ( harness.modalScreen(), "highscores.jpg" );
            EXPECT_NE( stored( harness, "HS:0" ), "" );
        } );
    harness.key( '\r' ); // OK is the default
    ASSERT_TRUE( harness.run() );
    EXPECT_FALSE( harness.input().stuck );
    EXPECT_EQ( stored( harness, "HS:4" ), "\"HS:4\"=hex:01,01,00,00,4d,69,72,61,00,00,00,00,00,00,00,00,00,00,00,00,"
                                          "00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,01,00,00,00" );
    EXPECT_EQ( harness.game().pauseCount(), 0 );
}

TEST( VXGameScreensTest, ThePointerMovedOnAScreenIsNotLeftBehindOnceItCloses )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    // The main loop last saw the pointer on the panel; the table then sees it move.
    harness.moveTo( 490, 385 );
    harness.idle( 20 );
    harness.command( 0 );
    harness.moveTo( 300, 250 );
    harness.idle( 20 );
    harness.key( '\r' );
    harness.idle( 20 );
    harness.moveTo( 600, 40 );
    harness.idle( 20 );
    std::vector<uint16_t> seen;
    const HRect kWherePointerWas = { 300, 250, 316, 270 };
    auto grab = [ & ]()
    {
        std::vector<uint16_t> pixels;
        for( int32_t y = kWherePointerWas.top; y < kWherePointerWas.bottom; ++y )
            for( int32_t x = kWherePointerWas.left; x < kWherePointerWas.right; ++x )
                pixels.push_back( harness.game().display()->pixel( x, y ) );
        return pixels;
    };
    harness.check( [ & ]() { seen = grab(); } );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( harness.modalScreen(), "" );

    // What the screen holds there once everything is drawn afresh.
    harness.game().invalidateAll();
    ASSERT_TRUE( harness.tick( 20 ) );
    EXPECT_EQ( seen, grab() );
}

TEST( VXGameScreensTest, TheTableShowsStoredRowsSafely )
{
    ScreenHarness::Options options;
    // 32 name bytes and no terminator in row 0; bytes the font cannot draw in row 1; a score
    // above two thousand million in row 2.
    options.registryLines = "\"HS:0\"=hex:01,01,00,00,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,"
                            "41,41,41,41,41,41,41,41,41,41,41,41,05,00,00,00,02,00,00,00\n"
                            "\"HS:1\"=hex:01,01,00,00,c3,a9,7f,01,42,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,"
                            "00,00,00,00,00,00,00,00,00,00,00,00,04,00,00,00,02,00,00,00\n"
                            "\"HS:2\"=hex:01,01,00,00,43,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,"
                            "00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,f0,02,00,00,00\n";
    ScreenHarness harness( options );
    ASSERT_TRUE( harness.started() );
    harness.command( 0 );
    harness.check(
        [ & ]()
        {
            VXDialog* pDialog = harness.game().getModalScreen();
            std::vector<std::string> texts;
            for( VXDialogItem* pItem = pDialog->getFirstItem(); pItem != nullptr; pItem = pItem->getNext() )
            {
                if( pItem->isA( "VXDialogItemTextLine" ) )
                    texts.push_back( static_cast<VXDialogItemTextLine*>( pItem )->getText() );
            }
            ASSERT_EQ( texts.size(), 15u );
            EXPECT_EQ( texts[ 0 ], std::string( 31, 'A' ) );
            EXPECT_EQ( texts[ 1 ], "5" );
            EXPECT_EQ( texts[ 2 ], "2" );
            // An accented letter shows as its plain letter, the rest as marks.
            EXPECT_EQ( texts[ 3 ], "eB" );
            EXPECT_EQ( texts[ 7 ], "4026531840" );
            EXPECT_EQ( texts[ 9 ], "Tobin" ); // no stored row: its default
        } );
    harness.clickItem( "OK" );
    ASSERT_TRUE( harness.run() );
}

TEST( VXGameScreensTest, ClosingTheWindowEndsOnlyTheScreenOnTop )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    harness.command( 0 );
    harness.clickItem( "Clear All" );
    harness.closeWindow();
    harness.check( [ & ]() { EXPECT_EQ( harness.modalScreen(), "highscores.jpg" ); } );
    harness.closeWindow();
    harness.idle( 20 );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( harness.modalScreen(), "" );
    EXPECT_EQ( harness.game().getState(), GS_INFO_START );
    EXPECT_EQ( harness.game().pauseCount(), 0 );
    EXPECT_EQ( stored( harness, "HS:0" ), "" );
    // Outside a screen the close ends the game.
    harness.closeWindow();
    EXPECT_FALSE( harness.run() );
}

TEST( VXGameScreensTest, ARegistryThatCannotBeWrittenWarnsAndKeepsTheScore )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    startPlaying( harness );
    // The registry's folder becomes a file: nothing can be stored there any more.
    std::string folder = harness.dir().file( "store" );
    harness.dir().write( "store", "" );
    setenv( "GLIMMERDROP_REGISTRY", ( folder + "/registry.reg" ).c_str(), 1 );
    endGameWith( harness, 300 );
    harness.idle( 10 );
    harness.clickItem( "Continue", 0, 2100 );
    harness.clickItem( "Enter Name OK Button" );
    harness.clickItem( "OK" );
    ASSERT_TRUE( harness.run() );
    ASSERT_EQ( harness.services().boxes.size(), 1u );
    EXPECT_EQ( harness.services().boxes[ 0 ].caption, "Warning" );
    EXPECT_EQ( harness.services().boxes[ 0 ].text,
               "Glimmerdrop could not open registry.  Please contact support@vantorix.example" );
    EXPECT_EQ( harness.game().getHighScores().entry( 0 ).score, 300u );
}

TEST( VXGameScreensTest, AGameOverPlayedBackFromItsJournalEndsTheSameWay )
{
    RecordedGame recorded = recordGameToHighScores( "Replayed" );
    ASSERT_GT( recorded.score, 0 );
    EXPECT_EQ( recorded.highScoreName, "Replayed" );
    EXPECT_EQ( recorded.screens,
               ( std::vector<std::string>{ "gameover.jpg", "entername.jpg", "highscores.jpg", "" } ) );
    ASSERT_EQ( recorded.journal.size() % HEvent::kRecordSize, 0u );

    ScreenHarness::Options options;
    options.playback = true;
    options.journalBytes = recorded.journal;
    ScreenHarness replay( options );
    ASSERT_TRUE( replay.started() );
    EXPECT_TRUE( replay.playJournal() );
    EXPECT_EQ( replay.game().getState(), GS_QUIT );
    EXPECT_EQ( replay.game().getScore(), recorded.score );
    EXPECT_STREQ( replay.game().getHighScores().entry( 0 ).name, "Replayed" );
    std::string hs0 = stored( replay, "HS:0" );
    EXPECT_NE( hs0, "" );
    size_t at = recorded.registry.find( "\"HS:0\"" );
    ASSERT_NE( at, std::string::npos );
    EXPECT_EQ( recorded.registry.substr( at, recorded.registry.find( "\"HS:1\"" ) - at ),
               replay.registryText().substr( replay.registryText().find( "\"HS:0\"" ),
                                             recorded.registry.find( "\"HS:1\"" ) - at ) );
}
