#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "Framework/application/HEvent.h"
#include "Framework/application/HFramePacer.h"
#include "Game/dialogs/VXDialog.h"
#include "Game/dialogs/VXDialogItemButton.h"
#include "Game/dialogs/VXDialogItemProgressBar.h"
#include "Game/dialogs/VXDialogItemTextLine.h"
#include "tests/Game/dialogs/support/ModalStage.h"

namespace
{
HEvent keyDown( int32_t key, char character, int32_t x = 0, int32_t y = 0 )
{
    HEvent event;
    event.clear();
    event.type = ET_KEYDOWN;
    event.key = key;
    event.character = character;
    event.x = x;
    event.y = y;
    return event;
}

HEvent mouseMove( int32_t x, int32_t y )
{
    HEvent event;
    event.clear();
    event.type = ET_MOUSEMOVE;
    event.x = x;
    event.y = y;
    return event;
}

HEvent timeStamp( uint64_t time )
{
    HEvent event;
    event.clear();
    event.type = ET_TIMESTAMP;
    event.time = time;
    return event;
}

HEvent pasteEvent()
{
    HEvent event;
    event.clear();
    event.type = ET_PASTE;
    return event;
}

// Empties the dialog's dirty list, so the next invalidation can be seen.
void settle( VXDialog& dialog, ModalStage& stage )
{
    dialog.draw( &stage.display() );
}

class DialogItemTest : public ::testing::Test
{
protected:
    DialogItemTest() { VXDialogItemTextLine::resetBlinkTime(); }

    ModalStage stage;
    VXDialog dialog;
};
} // namespace

TEST_F( DialogItemTest, AButtonFollowsTheDialogAndIsHitOnItsFarEdges )
{
    dialog.setOrigin( { 100, 50 } );
    VXDialogItemButton button;
    button.setPosition( { 10, 10 } );
    button.setImages( stage.sprite( "b.tga", 20, 20 ), nullptr, nullptr );
    EXPECT_EQ( button.getRect(), ( HRect{ 10, 10, 30, 30 } ) ); // not yet in the dialog
    dialog.addItem( &button );
    EXPECT_EQ( button.getRect(), ( HRect{ 110, 60, 130, 80 } ) );

    EXPECT_TRUE( button.handleEvent( keyDown( KC_LBUTTON, 0, 130, 80 ) ) );
    EXPECT_TRUE( button.handleEvent( keyDown( KC_LBUTTON, 0, 110, 60 ) ) );
    EXPECT_FALSE( button.handleEvent( keyDown( KC_LBUTTON, 0, 131, 80 ) ) );
    EXPECT_FALSE( button.handleEvent( keyDown( KC_LBUTTON, 0, 130, 81 ) ) );
    EXPECT_FALSE( button.handleEvent( keyDown( KC_RBUTTON, 0, 120, 70 ) ) );
    // The return key presses whichever button it is offered to.
    EXPECT_TRUE( button.handleEvent( keyDown( 0, 13 ) ) );

    // Moving the dialog afterwards moves its items too.
    dialog.setOrigin( { 0, 0 } );
    EXPECT_EQ( button.getRect(), ( HRect{ 10, 10, 30, 30 } ) );
}

TEST_F( DialogItemTest, AButtonTakesItsSizeFromTheLastImagePresentAndLightsUnderThePointer )
{
    VXDialogItemButton button;
    button.setPosition( { 5, 5 } );
    EXPECT_EQ( button.getRect(), ( HRect{ 5, 5, 0, 0 } ) );
    button.setImages( stage.sprite( "n.tga", 10, 10 ), nullptr, stage.sprite( "d.tga", 30, 8 ) );
    EXPECT_EQ( button.getRect(), ( HRect{ 5, 5, 35, 13 } ) );
    button.setImages( stage.sprite( "n2.tga", 10, 10 ), stage.sprite( "l.tga", 12, 12 ), nullptr );
    EXPECT_EQ( button.getRect(), ( HRect{ 5, 5, 17, 17 } ) );

    dialog.addItem( &button );
    settle( dialog, stage );
    EXPECT_FALSE( button.handleEvent( mouseMove( 17, 17 ) ) );
    EXPECT_TRUE( button.isLit() );
    EXPECT_EQ( dialog.getDirtyList().count(), 1 );
    settle( dialog, stage );
    button.handleEvent( mouseMove( 10, 10 ) );
    EXPECT_EQ( dialog.getDirtyList().count(), 0 ); // still lit: nothing to redraw
    button.handleEvent( mouseMove( 18, 10 ) );
    EXPECT_FALSE( button.isLit() );
    EXPECT_EQ( dialog.getDirtyList().count(), 1 );

    // A disabled button takes nothing, not even the return key.
    button.setEnabled( false );
    EXPECT_FALSE( button.handleEvent( mouseMove( 10, 10 ) ) );
    EXPECT_FALSE( button.isLit() );
    EXPECT_FALSE( button.handleEvent( keyDown( KC_LBUTTON, 0, 10, 10 ) ) );
    EXPECT_FALSE( button.handleEvent( keyDown( 0, 13 ) ) );
}

TEST_F( DialogItemTest, AButtonDrawsTheImageOfItsStateClippedAndBlended )
{
    VXDialogItemButton button;
    button.setPosition( { 10, 10 } );
    button.setImages( stage.sprite( "normal.tga", 20, 20, 255, 0, 0 ), stage.sprite( "lit.tga", 20, 20, 0, 255, 0 ),
                      stage.sprite( "half.tga", 20, 20, 0, 0, 255, 128 ) );
    MemoryDisplayDevice& display = stage.display();
    const uint16_t kRed = 0x7C00;
    const uint16_t kGreen = 0x03E0;

    button.draw( &display, HRect{ 0, 0, 15, 15 } );
    EXPECT_EQ( display.pixel( 14, 14 ), kRed );
    EXPECT_EQ( display.pixel( 15, 15 ), 0 ); // outside the clip
    button.handleEvent( mouseMove( 12, 12 ) );
    button.draw( &display, HRect{ 0, 0, 640, 480 } );
    EXPECT_EQ( display.pixel( 29, 29 ), kGreen );
    EXPECT_EQ( display.pixel( 30, 30 ), 0 );

    // Disabled, the half-transparent image is blended over what is there, unlike a control.
    button.setEnabled( false );
    button.draw( &display, HRect{ 0, 0, 640, 480 } );
    uint16_t blended = display.pixel( 20, 20 );
    EXPECT_NE( blended, kGreen );
    EXPECT_NE( blended & 0x03E0, 0 ); // some green still shows through
    EXPECT_NE( blended & 0x001F, 0 );

    // A clip without area, or one that misses the button, draws nothing.
    std::memset( display.getBackBuffer().pPixels, 0, 640 * 480 * 2 );
    button.setEnabled( true );
    button.draw( &display, HRect{ 0, 0, 0, 100 } );
    button.draw( &display, HRect{ 31, 31, 100, 100 } );
    EXPECT_EQ( display.pixel( 20, 20 ), 0 );
}

TEST_F( DialogItemTest, ATextLineKeepsToItsLengthAndTakesBackspaceWhenFull )
{
    VXDialogItemTextLine line;
    line.setEditable( true );
    line.setMaxLength( 16 );
    dialog.addItem( &line );
    ASSERT_TRUE( line.hasFocus() );

    for( char c : std::string( "ABCDEFGHIJKLMNOPQRS" ) )
        EXPECT_FALSE( line.handleEvent( keyDown( 0, c ) ) );
    EXPECT_STREQ( line.getText(), "ABCDEFGHIJKLMNOP" );
    EXPECT_EQ( line.getLength(), 16 );
    line.handleEvent( keyDown( 0, 8 ) );
    line.handleEvent( keyDown( 0, 8 ) );
    EXPECT_STREQ( line.getText(), "ABCDEFGHIJKLMN" );
    line.handleEvent( keyDown( 0, 'z' ) );
    EXPECT_STREQ( line.getText(), "ABCDEFGHIJKLMNz" );
    // Return is the line's only answer; other keys and characters of no key change nothing.
    EXPECT_TRUE( line.handleEvent( keyDown( 0, 13 ) ) );
    EXPECT_FALSE( line.handleEvent( keyDown( KC_LEFT, 0 ) ) );
    EXPECT_STREQ( line.getText(), "ABCDEFGHIJKLMNz" );

    // Backspace on an empty line is harmless.
    line.setText( "" );
    line.handleEvent( keyDown( 0, 8 ) );
    EXPECT_EQ( line.getLength(), 0 );

    // A read-only line, or one without the focus, takes no keys.
    VXDialogItemTextLine other;
    other.setEditable( true );
    dialog.addItem( &other );
    EXPECT_FALSE( line.handleEvent( keyDown( 0, 13 ) ) );
    line.handleEvent( keyDown( 0, 'q' ) );
    EXPECT_EQ( line.getLength(), 0 );
    other.setEditable( false );
    EXPECT_FALSE( other.handleEvent( keyDown( 0, 13 ) ) );
    EXPECT_FALSE( other.acceptsFocus() );
}

TEST_F( DialogItemTest, ATextLineKeepsOnlyWhatTheFontCanDraw )
{
    VXDialogItemTextLine line;
    line.setEditable( true );
    dialog.addItem( &line );
    // Typed characters are the code page's, one a byte: letters fold to their plain letters,
    // signs become '?', control characters go.
    const char kaTyped[] = "Jos\xC3\xA9 \x7F\x01\t\xE2\x82\xAC!\xA3";
    for( const char* p = kaTyped; *p != '\0'; ++p )
        line.handleEvent( keyDown( 0, *p ) );
    EXPECT_STREQ( line.getText(), "JosA? a??" "!?" );

    // Pasted text: its first line, tabs as spaces, UTF-8 letters folded.
    stage.services().hasClipboard = true;
    stage.services().clipboard = "Zo\xC3\xAB\tQ\nsecond line";
    EXPECT_TRUE( line.handleEvent( pasteEvent() ) );
    EXPECT_STREQ( line.getText(), "Zoe Q" );

    // Text set by the program goes through the same sieve.
    line.setText( "a\x80\x9F"
                  "b\x1B"
                  "c" );
    EXPECT_STREQ( line.getText(), "a?Ybc" );
    for( int i = 0; line.getText()[ i ] != '\0'; ++i )
    {
        EXPECT_GE( line.getText()[ i ], 32 );
        EXPECT_LE( line.getText()[ i ], 126 );
    }
}

TEST_F( DialogItemTest, PasteIsCutToTheLineAndAFailedPasteKeepsTheText )
{
    VXDialogItemTextLine line;
    line.setEditable( true );
    line.setMaxLength( 16 );
    line.setText( "before" );
    dialog.addItem( &line );

    stage.services().hasClipboard = false;
    EXPECT_TRUE( line.handleEvent( pasteEvent() ) );
    EXPECT_STREQ( line.getText(), "before" );

    stage.services().hasClipboard = true;
    stage.services().clipboard = "0123456789012345678901234567890123456789";
    EXPECT_TRUE( line.handleEvent( pasteEvent() ) );
    EXPECT_STREQ( line.getText(), "0123456789012345" );
    EXPECT_EQ( line.getLength(), 16 );

    // A clipboard longer than the line's buffer is cut before it reaches the line.
    line.setMaxLength( 2000 );
    EXPECT_EQ( line.getMaxLength(), VXDialogItemTextLine::kLongestText );
    stage.services().clipboard = std::string( 5000, 'x' );
    line.handleEvent( pasteEvent() );
    EXPECT_EQ( line.getLength(), VXDialogItemTextLine::kLongestText );
    // Lowering the maximum cuts what is there.
    line.setMaxLength( 3 );
    EXPECT_STREQ( line.getText(), "xxx" );
    line.setMaxLength( -5 );
    EXPECT_EQ( line.getMaxLength(), 0 );
    EXPECT_STREQ( line.getText(), "" );

    // Without the focus a paste is not this line's.
    VXDialogItemTextLine other;
    other.setEditable( true );
    dialog.addItem( &other );
    EXPECT_FALSE( line.handleEvent( pasteEvent() ) );
}

TEST_F( DialogItemTest, AClickOnAnEditableLineGivesItTheFocus )
{
    dialog.setOrigin( { 100, 50 } );
    VXDialogItemTextLine line;
    line.setEditable( true );
    line.setMaxLength( 16 );
    line.setPosition( { 32, 273 } );
    VXDialogItemButton button;
    button.setImages( stage.sprite( "b.tga", 20, 20 ), nullptr, nullptr );
    dialog.addItem( &line );

    // Without a font the line has no area to click.
    EXPECT_FALSE( line.handleEvent( keyDown( KC_LBUTTON, 0, 140, 330 ) ) );
    line.setFont( stage.font() );
    EXPECT_EQ( line.getRect(), ( HRect{ 132, 323, 132 + 16 * 8, 335 } ) );
    dialog.addItem( &button );
    ASSERT_EQ( dialog.getFocus(), &button );
    EXPECT_FALSE( line.handleEvent( keyDown( KC_LBUTTON, 0, 131, 330 ) ) );
    EXPECT_EQ( dialog.getFocus(), &button );
    EXPECT_TRUE( line.handleEvent( keyDown( KC_LBUTTON, 0, 260, 335 ) ) );
    EXPECT_EQ( dialog.getFocus(), &line );

    // Right-aligned and centred lines reach the other way from their position.
    line.setAlign( TA_RIGHT );
    EXPECT_EQ( line.getRect(), ( HRect{ 132 - 128, 323, 132, 335 } ) );
    line.setAlign( TA_CENTRE );
    EXPECT_EQ( line.getRect(), ( HRect{ 132 - 64, 323, 132 + 64, 335 } ) );
}

TEST_F( DialogItemTest, TheCaretBlinksNoMoreThanEvery251Milliseconds )
{
    dialog.setBackground( stage.sprite( "back.tga", 50, 50 ) );
    VXDialogItemTextLine line;
    line.setEditable( true );
    dialog.addItem( &line );
    settle( dialog, stage );

    EXPECT_FALSE( line.handleEvent( timeStamp( 5000 ) ) );
    EXPECT_EQ( dialog.getDirtyList().count(), 1 );
    settle( dialog, stage );
    line.handleEvent( timeStamp( 5250 ) );
    EXPECT_EQ( dialog.getDirtyList().count(), 0 );
    line.handleEvent( timeStamp( 5251 ) );
    EXPECT_EQ( dialog.getDirtyList().count(), 1 );
    settle( dialog, stage );
    // The loop is told when to come back for the next blink.
    EXPECT_EQ( line.untilNextChange( 5300 ), 202u );
    EXPECT_EQ( line.untilNextChange( 5600 ), 1u );
    // A clock that went back waits too, but never longer than a blink.
    line.handleEvent( timeStamp( 5000 ) );
    EXPECT_EQ( dialog.getDirtyList().count(), 0 );
    EXPECT_EQ( line.untilNextChange( 1000 ), 251u );
    line.setEditable( false );
    EXPECT_EQ( line.untilNextChange( 5300 ), HFramePacer::kNoDeadline );
    line.setEditable( true );
    // The pacing is shared by every line of the process.
    VXDialogItemTextLine other;
    other.setEditable( true );
    dialog.addItem( &other );
    settle( dialog, stage );
    other.handleEvent( timeStamp( 5400 ) );
    EXPECT_EQ( dialog.getDirtyList().count(), 0 );
    other.handleEvent( timeStamp( 5502 ) );
    EXPECT_EQ( dialog.getDirtyList().count(), 1 );
}

TEST_F( DialogItemTest, TheCaretShowsOnlyOnTheFocusedLineInTheOddHalfSecond )
{
    MemoryDisplayDevice& display = stage.display();
    VXDialogItemTextLine line;
    line.setEditable( true );
    line.setFont( stage.font() );
    line.setText( "AB" );
    dialog.addItem( &line );
    auto drawnWidth = [ & ]()
    {
        std::memset( display.getBackBuffer().pPixels, 0, 640 * 480 * 2 );
        line.draw( &display, HRect{ 0, 0, 640, 480 } );
        int width = 0;
        while( width < 640 && display.pixel( width, 5 ) != 0 )
            ++width;
        return width;
    };
    stage.services().fakeTime = 1000; // 1000 / 500 is even
    EXPECT_EQ( drawnWidth(), 16 );
    stage.services().fakeTime = 1700;
    EXPECT_EQ( drawnWidth(), 24 );
    VXDialogItemTextLine other;
    dialog.addItem( &other );
    EXPECT_EQ( drawnWidth(), 16 );
}

TEST_F( DialogItemTest, AProgressBarHoldsItsValueAndRevealsItsImageFromTheLeft )
{
    VXDialogItemProgressBar bar;
    bar.setProgress( 1.5f );
    EXPECT_EQ( bar.getProgress(), 1.0f );
    bar.setProgress( -0.2f );
    EXPECT_EQ( bar.getProgress(), 0.0f );
    bar.setProgress( std::nanf( "" ) );
    EXPECT_EQ( bar.getProgress(), 0.0f );

    bar.setPosition( { 20, 30 } );
    bar.setImage( stage.sprite( "bar.tga", 100, 10, 255, 255, 255 ) );
    EXPECT_EQ( bar.getRect(), ( HRect{ 20, 30, 120, 40 } ) );
    // The place is on the screen: the dialog's corner does not move it.
    dialog.setOrigin( { 100, 100 } );
    dialog.addItem( &bar );
    EXPECT_EQ( bar.getRect(), ( HRect{ 20, 30, 120, 40 } ) );

    MemoryDisplayDevice& display = stage.display();
    bar.setProgress( 0.333f );
    bar.draw( &display, HRect{ 0, 0, 640, 480 } );
    EXPECT_NE( display.pixel( 20 + 32, 35 ), 0 );
    EXPECT_EQ( display.pixel( 20 + 33, 35 ), 0 );

    // Clipped on the left, the image keeps its place.
    std::memset( display.getBackBuffer().pPixels, 0, 640 * 480 * 2 );
    bar.setProgress( 1.0f );
    bar.draw( &display, HRect{ 60, 0, 80, 480 } );
    EXPECT_EQ( display.pixel( 59, 35 ), 0 );
    EXPECT_NE( display.pixel( 60, 35 ), 0 );
    EXPECT_NE( display.pixel( 79, 35 ), 0 );
    EXPECT_EQ( display.pixel( 80, 35 ), 0 );
    // A clip wholly to the right draws nothing.
    std::memset( display.getBackBuffer().pPixels, 0, 640 * 480 * 2 );
    bar.setProgress( 0.1f );
    bar.draw( &display, HRect{ 40, 0, 640, 480 } );
    EXPECT_EQ( display.pixel( 40, 35 ), 0 );
}

TEST_F( DialogItemTest, NamesAndUserDataAreKept )
{
    VXDialogItemButton button;
    button.setName( std::string( 300, 'n' ).c_str() );
    EXPECT_EQ( std::strlen( button.getName() ), 255u );
    button.setUserData( 0xDEADBEEF );
    EXPECT_EQ( button.getUserData(), 0xDEADBEEFu );
    EXPECT_TRUE( button.isA( "vxdialogitem" ) );
    EXPECT_TRUE( button.isA( "VXDialogItemButton" ) );
    EXPECT_FALSE( button.isA( "VXDialogItemTextLine" ) );
    VXDialogItemTextLine line;
    EXPECT_STREQ( line.getClassName(), "VXDialogItemTextLine" );
    EXPECT_EQ( line.getMaxLength(), 64 );
}
