#include <gtest/gtest.h>

#include <string>

#include "Framework/graphics/VXSprite.h"
#include "Game/VXOptionsDialog.h"
#include "tests/Game/support/ScreenHarness.h"

namespace
{
VXOptionsDialog& optionsOn( ScreenHarness& harness )
{
    return *static_cast<VXOptionsDialog*>( harness.game().getModalScreen() );
}

std::string imageName( const VXDialogItemButton& button, bool lit = false )
{
    VXSprite* pImage = lit ? button.getLitImage() : button.getNormalImage();
    return pImage != nullptr ? pImage->getName() : "(none)";
}

// The 4-byte value as the registry file holds it, or "" when it is not there.
std::string storedSetting( ScreenHarness& harness, const char* kpName )
{
    std::string text = harness.registryText();
    std::string key = std::string( "\"" ) + kpName + "\"=hex:";
    size_t at = text.find( key );
    return at == std::string::npos ? "" : text.substr( at + key.size(), 11 );
}
} // namespace

TEST( VXGameOptionsTest, AFirstRunWritesAllSevenSettings )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    EXPECT_EQ( storedSetting( harness, "Did Tutorial" ), "01,00,00,00" ); // the harness skips the tutorial
    EXPECT_EQ( storedSetting( harness, "Start Level" ), "01,00,00,00" );
    EXPECT_EQ( storedSetting( harness, "Keyboard Moves Space" ), "01,00,00,00" );
    EXPECT_EQ( storedSetting( harness, "Alarm Enabled" ), "01,00,00,00" );
    EXPECT_EQ( storedSetting( harness, "Sound Enabled" ), "01,00,00,00" );
    EXPECT_EQ( storedSetting( harness, "Music Enabled" ), "01,00,00,00" );
    EXPECT_EQ( storedSetting( harness, "Fullscreen" ), "00,00,00,00" );
}

TEST( VXGameOptionsTest, TheDialogShowsEverySettingAndCentresItself )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    harness.game().settings().startLevel = 14;
    harness.game().settings().keyboardMovesSpace = 0;
    harness.game().settings().alarmEnabled = 0;
    harness.clickPanel( VXPanelControl::PC_OPTIONS );
    harness.check(
        [ & ]()
        {
            ASSERT_EQ( harness.modalScreen(), "options_dialog.jpg" );
            VXOptionsDialog& dialog = optionsOn( harness );
            HRect rect = dialog.getRect();
            EXPECT_EQ( rect.left, ( 640 - rect.width() ) / 2 );
            EXPECT_EQ( rect.top, ( 480 - rect.height() ) / 2 );
            EXPECT_EQ( dialog.getDefaultItem(), &dialog.okButton() );
            EXPECT_EQ( dialog.okButton().getRect().left, rect.left + 188 );
            EXPECT_EQ( dialog.okButton().getRect().top, rect.top + 384 );
            EXPECT_EQ( dialog.musicButton().getRect().left, rect.left + 114 );
            EXPECT_STREQ( dialog.musicButton().getName(), "Sound Button" );
            EXPECT_EQ( imageName( dialog.fullscreenButton() ), "options_icon_off.tga" );
            EXPECT_EQ( imageName( dialog.musicButton() ), "options_icon_on.tga" );
            EXPECT_EQ( imageName( dialog.keyboardButton() ), "options_icon_candies.tga" );
            EXPECT_EQ( imageName( dialog.alarmButton() ), "options_icon_off.tga" );
            EXPECT_EQ( imageName( dialog.soundButton(), true ), "options_icon_on_lit.tga" );
            // The current start level is lit even without the pointer on it.
            EXPECT_EQ( imageName( dialog.startLevelButton( 3 ) ), "options_icon_14_lit.tga" );
            EXPECT_EQ( imageName( dialog.startLevelButton( 2 ) ), "options_icon_10.tga" );
            EXPECT_EQ( imageName( dialog.startLevelButton( 2 ), true ), "options_icon_10_lit.tga" );
            EXPECT_EQ( dialog.startLevelButton( 5 ).getRect().left, rect.left + 231 );
            EXPECT_EQ( imageName( dialog.startLevelLabel(), true ), "options_icon_startlevel.tga" );
        } );
    harness.key( '\r' );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( harness.modalScreen(), "" );
}

TEST( VXGameOptionsTest, EachToggleTakesEffectAtOnceAndIsStoredOnClose )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    ScreenGame& game = harness.game();
    ASSERT_TRUE( game.isMusicPlaying() );
    harness.command( 1 );
    harness.clickItem( "Sound Button", 1 ); // sound effects
    harness.check(
        [ & ]()
        {
            EXPECT_TRUE( harness.sound().muted );
            EXPECT_EQ( game.getSettings().soundEnabled, 0 );
            EXPECT_EQ( imageName( optionsOn( harness ).soundButton() ), "options_icon_off.tga" );
        } );
    harness.clickItem( "Sound Button", 0 ); // music
    harness.check( [ & ]() { EXPECT_FALSE( game.isMusicPlaying() ); } );
    harness.clickItem( "Keyboard Moves..." );
    harness.clickItem( "Alarm Button" );
    harness.clickItem( "Start Level 22" );
    harness.check(
        [ & ]()
        {
            VXOptionsDialog& dialog = optionsOn( harness );
            EXPECT_EQ( imageName( dialog.startLevelButton( 5 ) ), "options_icon_22_lit.tga" );
            EXPECT_EQ( imageName( dialog.startLevelButton( 0 ) ), "options_icon_1.tga" );
            EXPECT_EQ( imageName( dialog.keyboardButton() ), "options_icon_candies.tga" );
            // Nothing is stored before the dialog closes.
            EXPECT_EQ( storedSetting( harness, "Start Level" ), "01,00,00,00" );
        } );
    harness.clickItem( "Start Level" ); // the label: a click, and nothing else
    harness.clickItem( "Ok Button" );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( harness.modalScreen(), "" );
    EXPECT_EQ( harness.sound().count( "guiclick.wav@128" ), 7 );
    EXPECT_EQ( storedSetting( harness, "Sound Enabled" ), "00,00,00,00" );
    EXPECT_EQ( storedSetting( harness, "Music Enabled" ), "00,00,00,00" );
    EXPECT_EQ( storedSetting( harness, "Keyboard Moves Space" ), "00,00,00,00" );
    EXPECT_EQ( storedSetting( harness, "Alarm Enabled" ), "00,00,00,00" );
    EXPECT_EQ( storedSetting( harness, "Start Level" ), "16,00,00,00" );
    EXPECT_EQ( game.pauseCount(), 0 );
}

TEST( VXGameOptionsTest, OptionsStopTheAlarmAndSoundOffKeepsItQuiet )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    harness.idle( 10 );
    harness.key( '\r' );
    ASSERT_TRUE( harness.run() );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 2000 ) );
    harness.game().setTimeLeft( 5.0f );
    harness.idle( 10 );
    ASSERT_TRUE( harness.run() );
    ASSERT_TRUE( harness.game().isAlarmPlaying() );
    harness.command( 1 );
    harness.check( [ & ]() { EXPECT_FALSE( harness.game().isAlarmPlaying() ); } );
    harness.clickItem( "Sound Button", 1 );
    harness.clickItem( "Ok Button" );
    harness.idle( 10 );
    harness.idle( 10 );
    ASSERT_TRUE( harness.run() );
    EXPECT_FALSE( harness.game().isAlarmPlaying() );
}

TEST( VXGameOptionsTest, FullScreenSwitchesOnceTheDialogClosesAndNotWhenFlippedBack )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    ScreenGame& game = harness.game();
    harness.command( 1 );
    harness.clickItem( "Fullscreen On/Off" );
    harness.clickItem( "Fullscreen On/Off" );
    harness.clickItem( "Ok Button" );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( game.inPlaceSwitches, 0 );
    EXPECT_EQ( game.getSettings().fullscreen, 0 );

    harness.command( 1 );
    harness.clickItem( "Fullscreen On/Off" );
    harness.check(
        [ & ]()
        {
            EXPECT_EQ( game.inPlaceSwitches, 0 );
            EXPECT_EQ( imageName( optionsOn( harness ).fullscreenButton() ), "options_icon_on.tga" );
        } );
    harness.clickItem( "Ok Button" );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( game.inPlaceSwitches, 1 );
    EXPECT_EQ( game.getSettings().fullscreen, 1 );
    EXPECT_EQ( storedSetting( harness, "Fullscreen" ), "01,00,00,00" );
    EXPECT_EQ( game.displaysMade, 1 );
}

TEST( VXGameOptionsTest, AltReturnSwitchesInPlaceAndStoresNothingYet )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    harness.toggleFullscreen();
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( harness.game().inPlaceSwitches, 1 );
    EXPECT_EQ( harness.game().getSettings().fullscreen, 1 );
    EXPECT_EQ( storedSetting( harness, "Fullscreen" ), "00,00,00,00" );
    // A modal screen does not switch.
    harness.command( 0 );
    harness.toggleFullscreen();
    harness.clickItem( "OK" );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( harness.game().inPlaceSwitches, 1 );
}

TEST( VXGameOptionsTest, ADisplayThatCannotSwitchIsMadeAgainWithEverythingOnIt )
{
    ScreenHarness::Options options;
    options.journal = true;
    ScreenHarness harness( options );
    ASSERT_TRUE( harness.started() );
    ScreenGame& game = harness.game();
    game.switchesInPlace = false;
    ASSERT_TRUE( game.isRecordingJournal() );
    harness.toggleFullscreen();
    harness.idle( 10 );
    ASSERT_TRUE( harness.run() );
    EXPECT_EQ( game.displaysMade, 2 );
    EXPECT_NE( game.display(), nullptr );
    EXPECT_EQ( game.getSettings().fullscreen, 1 );
    EXPECT_EQ( storedSetting( harness, "Fullscreen" ), "01,00,00,00" );
    // The journal ends where the devices were taken down.
    EXPECT_FALSE( game.isRecordingJournal() );
    // The pictures are back, on the new display, and the screens still work.
    EXPECT_TRUE( game.getSprites().isLoaded( SPR_BACKGROUND ) );
    EXPECT_EQ( game.getSprites().get( SPR_BACKGROUND )->getDisplay(), game.display() );
    EXPECT_NE( game.getDisplayFont(), nullptr );
    EXPECT_TRUE( game.isMusicPlaying() );
    harness.command( 1 );
    harness.clickItem( "Ok Button" );
    ASSERT_TRUE( harness.run() );
    EXPECT_FALSE( harness.input().stuck );
    EXPECT_TRUE( harness.services().boxes.empty() );
}

TEST( VXGameOptionsTest, AFailedRemakeSaysSoAndTheProgramGoesOn )
{
    ScreenHarness harness;
    ASSERT_TRUE( harness.started() );
    ScreenGame& game = harness.game();
    game.switchesInPlace = false;
    game.displayWorks = false;
    harness.toggleFullscreen();
    ASSERT_TRUE( harness.run() );
    ASSERT_EQ( harness.services().boxes.size(), 1u );
    EXPECT_EQ( harness.services().boxes[ 0 ].caption, "Alert" );
    EXPECT_EQ( harness.services().boxes[ 0 ].text, "toggleFullscreen - could not restart subsystems!" );
    EXPECT_EQ( game.display(), nullptr );
    // Without a display or input the game still keeps its time and can be ended.
    EXPECT_TRUE( harness.tick( 10 ) );
    EXPECT_TRUE( harness.tick( 10 ) );
    game.quitGame();
    EXPECT_FALSE( harness.tick( 10 ) );
}
