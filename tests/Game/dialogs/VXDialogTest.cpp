#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Framework/FileSystem/src/HFile.h"
#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/application/HEvent.h"
#include "Game/dialogs/VXDialog.h"
#include "Game/dialogs/VXDialogItemButton.h"
#include "Game/dialogs/VXDialogItemTextLine.h"
#include "tests/Game/dialogs/support/ModalStage.h"
#include "tests/support/TempDir.h"

namespace
{
// A dialog that closes on the items it is told to and writes down what happened.
class ProbeDialog : public VXDialog
{
public:
    bool onItemActivated( VXDialogItem* pItem ) override
    {
        activated.push_back( pItem );
        for( VXDialogItem* pCloser : closers )
        {
            if( pCloser == pItem )
                return true;
        }
        return false;
    }
    bool onTimeout() override
    {
        timeoutTimes.push_back( m_pApp->getCurrentTime() );
        return acceptTimeout;
    }

    std::vector<VXDialogItem*> closers;
    std::vector<VXDialogItem*> activated;
    std::vector<uint64_t> timeoutTimes;
    bool acceptTimeout = false;
};

HEvent key( char character )
{
    HEvent event;
    event.clear();
    event.type = ET_KEYDOWN;
    event.character = character;
    return event;
}

class DialogTest : public ::testing::Test
{
protected:
    DialogTest()
    {
        VXDialogItemTextLine::resetBlinkTime();
        dialog.setBackground( stage.sprite( "back.tga", 200, 100, 40, 40, 40 ) );
        dialog.setOrigin( { 100, 50 } );
        ok.setImages( stage.sprite( "ok.tga", 20, 20, 0, 255, 0 ), stage.sprite( "ok_lit.tga", 20, 20, 255, 255, 0 ),
                      nullptr );
        ok.setPosition( { 10, 10 } );
        cancel.setImages( stage.sprite( "cancel.tga", 20, 20, 255, 0, 0 ), nullptr, nullptr );
        cancel.setPosition( { 60, 10 } );
        line.setEditable( true );
        line.setFont( stage.font() );
        line.setPosition( { 10, 60 } );
        line.setMaxLength( 16 );
    }

    ModalStage stage;
    ProbeDialog dialog;
    VXDialogItemButton ok;
    VXDialogItemButton cancel;
    VXDialogItemTextLine line;
};
} // namespace

TEST_F( DialogTest, TheFirstItemAddedIsTheDefaultAndTheLastHasTheFocus )
{
    dialog.addItem( &ok );
    dialog.addItem( &cancel );
    dialog.addItem( &line );
    EXPECT_EQ( dialog.getDefaultItem(), &ok );
    EXPECT_EQ( dialog.getFocus(), &line );
    EXPECT_EQ( dialog.getFirstItem(), &ok );
    EXPECT_EQ( ok.getNext(), &cancel );
    EXPECT_EQ( line.getNext(), nullptr );
    EXPECT_EQ( dialog.getRect(), ( HRect{ 100, 50, 300, 150 } ) );

    // Return goes to the default button first, even though the line has the focus.
    EXPECT_EQ( dialog.findItemForEvent( key( 13 ) ), &ok );
    dialog.setDefaultItem( &cancel );
    EXPECT_EQ( dialog.findItemForEvent( key( 13 ) ), &cancel );
    // With a disabled default the focused line answers instead.
    cancel.setEnabled( false );
    EXPECT_EQ( dialog.findItemForEvent( key( 13 ) ), &line );

    dialog.removeAllItems();
    EXPECT_EQ( dialog.getDefaultItem(), nullptr );
    EXPECT_EQ( dialog.getFocus(), nullptr );
    EXPECT_EQ( dialog.findItemForEvent( key( 13 ) ), nullptr );
}

TEST_F( DialogTest, ReturnActivatesTheDefaultButtonWhileTypingGoesToTheLine )
{
    dialog.addItem( &ok );
    dialog.addItem( &line );
    dialog.closers = { &ok };
    stage.typeText( "Mo" );
    stage.type( 13 );
    VXDialogResult result = stage.run( dialog );
    EXPECT_TRUE( result.closedBy( &ok ) );
    EXPECT_STREQ( line.getText(), "Mo" );
    ASSERT_EQ( dialog.activated.size(), 1u );
}

TEST_F( DialogTest, EscapeChoosesTheCancelItemOnlyWhenOneIsSetAndOn )
{
    dialog.addItem( &ok );
    dialog.addItem( &cancel );
    dialog.addItem( &line );
    dialog.closers = { &ok, &cancel };
    // Without a cancel item Escape is only a character, which the line does not keep.
    EXPECT_EQ( dialog.findItemForEvent( key( 27 ) ), nullptr );
    dialog.setCancelItem( &cancel );
    cancel.setEnabled( false );
    EXPECT_EQ( dialog.findItemForEvent( key( 27 ) ), nullptr );
    cancel.setEnabled( true );
    stage.typeText( "Mo" );
    stage.type( 27 );
    VXDialogResult result = stage.run( dialog );
    EXPECT_TRUE( result.closedBy( &cancel ) );
    EXPECT_STREQ( line.getText(), "Mo" );
    ASSERT_EQ( dialog.activated.size(), 1u );
}

TEST_F( DialogTest, TabWalksToTheNextItemThatTakesTheFocus )
{
    VXDialogItemTextLine second;
    second.setEditable( true );
    dialog.addItem( &line );
    dialog.addItem( &ok );
    dialog.addItem( &second );
    dialog.addItem( &cancel );
    ASSERT_EQ( dialog.getFocus(), &cancel );
    HEvent tab = key( 9 );
    EXPECT_TRUE( dialog.handleEvent( tab ) );
    EXPECT_EQ( dialog.getFocus(), &line ); // wrapped round from the last item
    dialog.handleEvent( tab );
    EXPECT_EQ( dialog.getFocus(), &second );
    dialog.handleEvent( tab );
    EXPECT_EQ( dialog.getFocus(), &line );

    // A single line that takes the focus keeps it.
    second.setEditable( false );
    dialog.handleEvent( tab );
    EXPECT_EQ( dialog.getFocus(), &line );
}

TEST_F( DialogTest, TabWithNothingToFocusWalksTheRingOnceAndStaysPut )
{
    dialog.addItem( &ok );
    dialog.addItem( &cancel );
    ASSERT_EQ( dialog.getFocus(), &cancel );
    dialog.handleEvent( key( 9 ) );
    EXPECT_EQ( dialog.getFocus(), &cancel );
    // Without any focus there is nothing to walk from.
    ProbeDialog empty;
    EXPECT_TRUE( empty.handleEvent( key( 9 ) ) );
    EXPECT_EQ( empty.getFocus(), nullptr );
}

TEST_F( DialogTest, AClickOnAButtonActivatesItAndAClickElsewhereDoesNothing )
{
    dialog.addItem( &ok );
    dialog.addItem( &cancel );
    dialog.closers = { &cancel };
    stage.click( 5, 5 );    // outside the dialog
    stage.click( 105, 55 ); // on the background
    stage.click( 130, 80 ); // the far corner of OK, which does not close
    stage.click( 180, 80 ); // the far corner of cancel
    VXDialogResult result = stage.run( dialog );
    EXPECT_TRUE( result.closedBy( &cancel ) );
    ASSERT_EQ( dialog.activated.size(), 2u );
    EXPECT_EQ( dialog.activated[ 0 ], &ok );
    EXPECT_EQ( dialog.activated[ 1 ], &cancel );
}

TEST_F( DialogTest, ClosingTheWindowEndsTheDialogWhateverHasTheFocus )
{
    dialog.addItem( &ok );
    dialog.addItem( &line );
    dialog.closers = { &ok };
    stage.type( 'x' );
    stage.closeWindow();
    stage.click( 120, 70 );
    VXDialogResult result = stage.run( dialog );
    EXPECT_EQ( result.code, VXDialogResult::kEnded );
    EXPECT_EQ( result.pItem, nullptr );
    EXPECT_TRUE( dialog.activated.empty() );
    // The click after the close is still waiting for whoever reads next.
    EXPECT_EQ( stage.input().steps.size(), 2u );
}

TEST_F( DialogTest, NoTimeOutWithZeroAndARefusedTimeOutIsAskedAgain )
{
    dialog.addItem( &ok );
    dialog.closers = { &ok };
    stage.idle( 5000 );
    stage.click( 120, 70 );
    EXPECT_TRUE( stage.run( dialog, 0 ).closedBy( &ok ) );
    EXPECT_TRUE( dialog.timeoutTimes.empty() );

    uint64_t start = stage.scriptTime();
    stage.setCurrentTime( start );
    stage.idle( 1000 );
    stage.idle( 1000 );
    stage.idle( 1 );
    stage.idle( 1 );
    stage.move( 300, 300 );
    stage.click( 120, 70 );
    stage.services().sleeps.clear();
    EXPECT_TRUE( stage.run( dialog, 2000 ).closedBy( &ok ) );
    // Once refused, the time-out is asked again with each event but no longer woken for.
    ASSERT_FALSE( stage.services().sleeps.empty() );
    EXPECT_EQ( stage.services().sleeps.back(), HFramePacer::kLongestWait );
    // Asked as each event past the time-out comes (two time stamps, a move, the click), none before.
    EXPECT_EQ( dialog.timeoutTimes,
               ( std::vector<uint64_t>{ start + 2001, start + 2002, start + 2012, start + 2022 } ) );
}

TEST_F( DialogTest, AnAcceptedTimeOutEndsTheDialog )
{
    dialog.addItem( &ok );
    dialog.acceptTimeout = true;
    uint64_t start = stage.scriptTime();
    stage.setCurrentTime( start );
    stage.idle( 2000 );
    stage.move( 10, 10, 0 );
    stage.move( 11, 10, 1 );
    stage.click( 120, 70 );
    VXDialogResult result = stage.run( dialog, 2000 );
    EXPECT_EQ( result.code, VXDialogResult::kTimedOut );
    ASSERT_EQ( dialog.timeoutTimes.size(), 1u );
    EXPECT_EQ( dialog.timeoutTimes[ 0 ], start + 2001 );
    EXPECT_TRUE( dialog.activated.empty() );
}

TEST_F( DialogTest, ADialogDrawsItsBackgroundAndItemsOverTheGameAndPresents )
{
    dialog.addItem( &ok );
    dialog.addItem( &cancel );
    dialog.closers = { &ok };
    stage.idle( 10 );
    stage.move( 115, 65 );
    stage.idle( 10 );
    stage.click( 120, 70 );
    stage.display().presents.clear();
    stage.run( dialog );

    MemoryDisplayDevice& display = stage.display();
    EXPECT_EQ( display.pixel( 100, 50 ), display.pixel( 299, 149 ) ); // the background
    EXPECT_NE( display.pixel( 100, 50 ), 0 );
    EXPECT_EQ( display.pixel( 99, 50 ), display.pixel( 0, 0 ) ); // the game's part
    EXPECT_NE( display.pixel( 99, 50 ), display.pixel( 100, 50 ) );
    EXPECT_NE( display.pixel( 165, 65 ), display.pixel( 100, 50 ) ); // cancel
    EXPECT_NE( display.pixel( 115, 65 ), display.pixel( 165, 65 ) ); // OK, lit
    // The first frame repaints the whole screen, game first; every frame is presented.
    ASSERT_FALSE( stage.repainted.empty() );
    EXPECT_EQ( stage.repainted[ 0 ], ( HRect{ 0, 0, 640, 480 } ) );
    // The frame that closes has nothing new to show.
    ASSERT_EQ( display.presents.size(), 2u );
    EXPECT_EQ( display.presents[ 0 ][ 0 ], ( HRect{ 0, 0, 640, 480 } ) );
    // Closing asks for the whole screen again.
    ASSERT_EQ( stage.getRepaintList().count(), 1 );
    EXPECT_EQ( stage.getRepaintList().item( 0 ), ( HRect{ 0, 0, 640, 480 } ) );
}

TEST_F( DialogTest, TheSoftwareCursorIsRedrawnWhereItWasAndWhereItGoes )
{
    stage.pCursor = stage.sprite( "cursor.tga", 16, 16 );
    dialog.addItem( &ok );
    dialog.closers = { &ok };
    stage.idle( 10 );
    stage.move( 300, 200 );
    stage.idle( 10 );
    stage.move( 310, 230 );
    stage.idle( 10 );
    stage.click( 120, 70 );
    stage.display().presents.clear();
    stage.run( dialog );
    MemoryDisplayDevice& display = stage.display();
    ASSERT_GE( display.presents.size(), 3u );
    // The first move is measured from where the pointer was when the dialog opened.
    ASSERT_EQ( display.presents[ 1 ].size(), 1u );
    EXPECT_EQ( display.presents[ 1 ][ 0 ], ( HRect{ 0, 0, 316, 216 } ) );
    ASSERT_EQ( display.presents[ 2 ].size(), 1u );
    EXPECT_EQ( display.presents[ 2 ][ 0 ], ( HRect{ 300, 200, 326, 246 } ) );
}

TEST_F( DialogTest, AnIdleDialogWaitsForInputBetweenFramesAndPaintEventsRedrawEverything )
{
    dialog.addItem( &ok );
    dialog.closers = { &ok };
    stage.idle( 10 );
    stage.idle( 10 );
    stage.click( 120, 70 );
    stage.run( dialog );
    // Between frames an idle dialog waits for input as long as any loop does; the second frame,
    // 10 ms after the first, is first held back to the display's refresh (60 Hz: 16.7 ms).
    EXPECT_EQ( stage.services().sleeps,
               ( std::vector<uint32_t>{ HFramePacer::kLongestWait, 7, HFramePacer::kLongestWait } ) );

    HEvent paint;
    paint.clear();
    paint.type = ET_PAINT;
    stage.present();
    EXPECT_TRUE( dialog.handleEvent( paint ) );
    EXPECT_EQ( stage.getRepaintList().item( 0 ), ( HRect{ 0, 0, 640, 480 } ) );
    EXPECT_EQ( dialog.getDirtyList().item( 0 ), dialog.getRect() );
}

namespace
{
// Opens a second dialog when its first item is activated, the way the high-score table asks
// before clearing; writes down the screen as the player saw it when the second one closed.
class NestingDialog : public ProbeDialog
{
public:
    bool onItemActivated( VXDialogItem* pItem ) override
    {
        if( pItem != pOpener )
            return ProbeDialog::onItemActivated( pItem );
        innerResult = pStage->run( *pInner ).code;
        return false;
    }

    ModalStage* pStage = nullptr;
    VXDialogItem* pOpener = nullptr;
    VXDialog* pInner = nullptr;
    int32_t innerResult = 1;
};

class SnapshotDialog : public ProbeDialog
{
public:
    bool onItemActivated( VXDialogItem* pItem ) override
    {
        for( const HPoint& point : probes )
            seen.push_back( pStage->display().pixel( point.x, point.y ) );
        under = getUnder();
        return ProbeDialog::onItemActivated( pItem );
    }

    ModalStage* pStage = nullptr;
    std::vector<HPoint> probes;
    std::vector<uint16_t> seen;
    VXDialog* under = nullptr;
};
} // namespace

TEST_F( DialogTest, ADialogOpenedOverAnotherKeepsTheOtherInSightWhileTheGameRepaints )
{
    NestingDialog outer;
    outer.setBackground( stage.sprite( "outer.tga", 200, 100, 40, 40, 40 ) );
    outer.setOrigin( { 100, 50 } );
    SnapshotDialog inner;
    inner.setBackground( stage.sprite( "inner.tga", 60, 40, 0, 0, 255 ) );
    inner.setOrigin( { 220, 80 } );
    VXDialogItemButton innerOk;
    innerOk.setImages( stage.sprite( "inner_ok.tga", 10, 10, 255, 0, 255 ), nullptr, nullptr );
    innerOk.setPosition( { 5, 5 } );
    inner.addItem( &innerOk );
    inner.closers = { &innerOk };
    inner.pStage = &stage;
    stage.pCursor = stage.sprite( "cursor.tga", 16, 16, 255, 255, 255 );
    outer.addItem( &ok );
    outer.addItem( &cancel );
    outer.closers = { &cancel };
    outer.pStage = &stage;
    outer.pOpener = &ok;
    outer.pInner = &inner;

    // The pointer leaves a trail over the outer dialog only: those spots are repainted by the
    // game, and the outer dialog must come back there too.
    stage.idle( 10 );
    stage.click( 115, 65 );
    stage.idle( 10 );
    stage.move( 130, 110 );
    stage.idle( 10 );
    stage.move( 260, 130 );
    stage.idle( 10 );
    stage.click( 228, 88 );
    stage.idle( 10 );
    stage.click( 165, 65 );
    inner.probes = { { 100, 50 }, { 131, 111 }, { 299, 149 }, { 230, 110 }, { 99, 50 } };
    VXDialogResult result = stage.run( outer );

    EXPECT_EQ( outer.innerResult, VXDialogResult::kItem );
    EXPECT_TRUE( result.closedBy( &cancel ) );
    ASSERT_EQ( inner.seen.size(), 5u );
    MemoryDisplayDevice& display = stage.display();
    uint16_t game = display.pixel( 0, 0 );
    uint16_t outerBack = display.pixel( 100, 50 );
    ASSERT_NE( outerBack, game );
    EXPECT_EQ( inner.seen[ 0 ], outerBack );
    EXPECT_EQ( inner.seen[ 1 ], outerBack ); // where the pointer was
    EXPECT_EQ( inner.seen[ 2 ], outerBack );
    EXPECT_NE( inner.seen[ 3 ], outerBack ); // the inner dialog on top
    EXPECT_NE( inner.seen[ 3 ], game );
    EXPECT_EQ( inner.seen[ 4 ], game );
    // Only while it runs does a dialog know what it opened over.
    EXPECT_EQ( inner.under, &outer );
    EXPECT_EQ( inner.getUnder(), nullptr );
    EXPECT_EQ( outer.getUnder(), nullptr );
}

namespace
{
// Like the game-over notice: its only button comes on when the time is up.
class EnablingDialog : public ProbeDialog
{
public:
    bool onTimeout() override
    {
        ProbeDialog::onTimeout();
        if( pButton != nullptr )
            pButton->setEnabled( true );
        return false;
    }
    VXDialogItem* pButton = nullptr;
};

struct ModalRun
{
    int32_t code;
    std::vector<uint64_t> timeouts;
    size_t activations;
};

ModalRun runTimedDialog( HStandardFileSystem& files, bool record )
{
    ModalStage stage;
    EnablingDialog dialog;
    VXDialogItemButton go;
    go.setImages( stage.sprite( "go.tga", 20, 20 ), nullptr, nullptr );
    go.setPosition( { 10, 10 } );
    go.setEnabled( false );
    dialog.addItem( &go );
    dialog.pButton = &go;
    dialog.closers = { &go };

    HFile* pFile = nullptr;
    if( record )
    {
        pFile = files.openFileForWrite( "journal.bin" );
        stage.getEventQueue().setRecordFile( pFile );
        stage.idle( 1999 );
        // Past the time-out; the queue then runs dry within the same millisecond, so live there is
        // an idle moment that leaves no time stamp in the journal.
        stage.move( 15, 15, 2 );
        stage.idle( 0 );
        stage.click( 15, 15, 4 );
        stage.idle( 50 );
        stage.click( 15, 15 );
    }
    else
    {
        pFile = files.openFileForRead( "journal.bin" );
        stage.getEventQueue().setPlaybackFile( pFile );
    }
    stage.setCurrentTime( stage.services().fakeTime );
    VXDialogResult result = stage.run( dialog, 2000 );
    if( record )
        stage.getEventQueue().clearRecordFile();
    else
        stage.getEventQueue().clearPlaybackFile();
    files.closeFile( pFile );
    return ModalRun{ result.code, dialog.timeoutTimes, dialog.activated.size() };
}
} // namespace

TEST_F( DialogTest, APlayedJournalReachesTheTimeOutAtTheEventItDidLive )
{
    TempDir dir;
    HStandardFileSystem files;
    testing::internal::CaptureStdout();
    files.init( dir.path().c_str() );
    testing::internal::GetCapturedStdout();

    ModalRun live = runTimedDialog( files, true );
    ModalRun replay = runTimedDialog( files, false );
    // Live, the first click after the time-out already finds the button on.
    EXPECT_EQ( live.code, VXDialogResult::kItem );
    EXPECT_EQ( live.activations, 1u );
    ASSERT_FALSE( live.timeouts.empty() );
    EXPECT_EQ( live.timeouts[ 0 ], 10000u + 2001u );
    EXPECT_EQ( replay.code, live.code );
    EXPECT_EQ( replay.activations, live.activations );
    EXPECT_EQ( replay.timeouts, live.timeouts );
    files.shutdown();
}

TEST_F( DialogTest, AJournalThatRunsOutEndsTheDialog )
{
    TempDir dir;
    dir.write( "journal.bin", "" );
    HStandardFileSystem files;
    testing::internal::CaptureStdout();
    files.init( dir.path().c_str() );
    testing::internal::GetCapturedStdout();
    HFile* pFile = files.openFileForRead( "journal.bin" );
    stage.getEventQueue().setPlaybackFile( pFile );
    dialog.addItem( &ok );
    // The first dialog meets the journal's closing quit, a later one only its silence.
    EXPECT_EQ( stage.run( dialog ).code, VXDialogResult::kEnded );
    EXPECT_TRUE( stage.getEventQueue().isPlaybackExhausted() );
    EXPECT_EQ( stage.run( dialog ).code, VXDialogResult::kEnded );
    stage.getEventQueue().clearPlaybackFile();
    files.closeFile( pFile );
    files.shutdown();
}
