#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Framework/application/HEventQueue.h"
#include "Framework/application/HVirtualKeyMap.h"
#include "Framework/application/HWindowHost.h"
#include "Framework/application/HWindowProcedure.h"
#include "Framework/util/src/HGlobal.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
// A window that records what the procedure asked of it.
class RecordingWindowHost : public HWindowHost
{
public:
    HRect getClientRectOnScreen() override { return clientRect; }
    HPoint screenToClient( const HPoint& point ) override
    {
        return { point.x - clientRect.left, point.y - clientRect.top };
    }
    void setCapture() override { calls.push_back( "setCapture" ); }
    void releaseCapture() override { calls.push_back( "releaseCapture" ); }
    void setFocus() override { calls.push_back( "setFocus" ); }
    void setActiveWindow() override { calls.push_back( "setActiveWindow" ); }
    void postQuitMessage( int exitCode ) override { calls.push_back( "postQuitMessage " + std::to_string( exitCode ) ); }
    intptr_t defaultProcessing( void*, uint32_t message, uintptr_t, intptr_t ) override
    {
        defaultMessages.push_back( message );
        return 77;
    }

    HRect clientRect{ 100, 50, 740, 530 };
    std::vector<std::string> calls;
    std::vector<uint32_t> defaultMessages;
};

class HWindowProcedureTest : public ::testing::Test
{
protected:
    HWindowProcedureTest()
    {
        services.useFakeTime = true;
        services.fakeTime = 5000;
        HGlobal::setEventQueue( &queue );
        procedure.setHost( &host );
    }
    ~HWindowProcedureTest() override { HGlobal::setEventQueue( nullptr ); }

    intptr_t send( uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0 )
    {
        return procedure.handleMessage( &host, message, wParam, lParam );
    }
    intptr_t sendMouse( uint32_t message, int32_t x, int32_t y )
    {
        return send( message, 0, HWindowProcedure::makePointParam( x, y ) );
    }

    // Everything posted since the last call.
    std::vector<HEvent> posted()
    {
        std::vector<HEvent> events;
        HEvent event;
        while( queue.count() > 0 && queue.getEvent( event ) )
            events.push_back( event );
        return events;
    }

    RecordingProcessServices services;
    HEventQueue queue;
    RecordingWindowHost host;
    HWindowProcedure procedure;
};

void expectKey( const HEvent& event, int32_t type, int32_t key, char character, uint32_t modifiers )
{
    EXPECT_EQ( event.type, type );
    EXPECT_EQ( event.key, key );
    EXPECT_EQ( event.character, character );
    EXPECT_EQ( event.modifiers, modifiers );
}
} // namespace

TEST( HVirtualKeyMapTest, AnswersAsTheSystemTableDoesForAUsKeyboard )
{
    EXPECT_EQ( mapVirtualKeyToChar( KC_A ), static_cast<uint32_t>( 'A' ) );
    EXPECT_EQ( mapVirtualKeyToChar( KC_Z ), static_cast<uint32_t>( 'Z' ) );
    EXPECT_EQ( mapVirtualKeyToChar( KC_0 ), static_cast<uint32_t>( '0' ) );
    EXPECT_EQ( mapVirtualKeyToChar( KC_NUMPAD7 ), static_cast<uint32_t>( '7' ) );
    EXPECT_EQ( mapVirtualKeyToChar( KC_RETURN ), 13u );
    EXPECT_EQ( mapVirtualKeyToChar( KC_ESCAPE ), 27u );
    EXPECT_EQ( mapVirtualKeyToChar( KC_BACK ), 8u );
    EXPECT_EQ( mapVirtualKeyToChar( KC_TAB ), 9u );
    EXPECT_EQ( mapVirtualKeyToChar( KC_SPACE ), static_cast<uint32_t>( ' ' ) );
    EXPECT_EQ( mapVirtualKeyToChar( VKO_MINUS ), static_cast<uint32_t>( '-' ) );
    EXPECT_EQ( mapVirtualKeyToChar( VKO_PLUS ), static_cast<uint32_t>( '=' ) );
    EXPECT_EQ( mapVirtualKeyToChar( KC_SUBTRACT ), static_cast<uint32_t>( '-' ) );
    // Keys that type nothing.
    for( uint32_t key : std::vector<uint32_t>{ KC_LEFT, KC_UP, KC_RIGHT, KC_DOWN, KC_SHIFT, KC_CONTROL, KC_MENU, KC_F1, KC_F12, KC_LBUTTON,
                          KC_INSERT, KC_DELETE, KC_HOME, KC_END, 0u, 255u, 100000u } )
        EXPECT_EQ( mapVirtualKeyToChar( key ), 0u ) << key;
}

TEST_F( HWindowProcedureTest, ShiftAGivesNoKeyDownButTheCapitalCharacter )
{
    send( HWM_KEYDOWN, KC_SHIFT );
    send( HWM_KEYDOWN, KC_A );
    send( HWM_CHAR, 'A' );
    send( HWM_KEYUP, KC_A );
    send( HWM_KEYUP, KC_SHIFT );
    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 4u );
    expectKey( events[ 0 ], ET_KEYDOWN, KC_SHIFT, 0, EM_SHIFT );
    expectKey( events[ 1 ], ET_KEYDOWN, 0, 'A', EM_SHIFT );
    expectKey( events[ 2 ], ET_KEYUP, 0, 'A', EM_SHIFT );
    expectKey( events[ 3 ], ET_KEYUP, KC_SHIFT, 0, 0 );
    EXPECT_EQ( events[ 1 ].time, 5000u );
    EXPECT_FALSE( procedure.isShiftDown() );
}

TEST_F( HWindowProcedureTest, ControlVPastesAndStillDeliversItsControlCharacter )
{
    send( HWM_KEYDOWN, KC_CONTROL );
    send( HWM_KEYDOWN, KC_V );
    send( HWM_CHAR, 22 );
    send( HWM_KEYUP, KC_V );
    send( HWM_KEYUP, KC_CONTROL );
    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 5u );
    expectKey( events[ 0 ], ET_KEYDOWN, KC_CONTROL, 0, EM_CONTROL );
    EXPECT_EQ( events[ 1 ].type, ET_PASTE );
    EXPECT_EQ( events[ 1 ].modifiers, static_cast<uint32_t>( EM_CONTROL ) );
    expectKey( events[ 2 ], ET_KEYDOWN, 0, 22, EM_CONTROL );
    expectKey( events[ 3 ], ET_KEYUP, 0, 'V', EM_CONTROL );
    expectKey( events[ 4 ], ET_KEYUP, KC_CONTROL, 0, 0 );

    // Only a lower-case "v" pastes: with shift held the key is "V", and without control "v" is typing.
    send( HWM_KEYDOWN, KC_SHIFT );
    send( HWM_KEYDOWN, KC_CONTROL );
    send( HWM_KEYDOWN, KC_V );
    send( HWM_KEYUP, KC_CONTROL );
    send( HWM_KEYUP, KC_SHIFT );
    send( HWM_KEYDOWN, KC_V );
    for( const HEvent& event : posted() )
        EXPECT_NE( event.type, ET_PASTE );
}

TEST_F( HWindowProcedureTest, AltReturnTogglesFullScreenWithoutAnyKeyEvent )
{
    EXPECT_EQ( send( HWM_SYSKEYDOWN, KC_MENU ), 77 );
    EXPECT_TRUE( procedure.isAltDown() );
    send( HWM_SYSKEYDOWN, KC_RETURN );
    send( HWM_SYSKEYUP, KC_RETURN );
    EXPECT_FALSE( procedure.isAltDown() );
    send( HWM_SYSKEYUP, KC_MENU );
    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 1u );
    EXPECT_EQ( events[ 0 ].type, ET_TOGGLE_FULLSCREEN );
    EXPECT_EQ( events[ 0 ].modifiers, static_cast<uint32_t>( EM_ALT ) );
    // Both system key messages still reach default processing.
    EXPECT_EQ( host.defaultMessages.size(), 4u );

    // Any other key with alt held is a plain key press carrying alt.
    send( HWM_SYSKEYDOWN, KC_MENU );
    send( HWM_SYSKEYDOWN, KC_F4 );
    events = posted();
    ASSERT_EQ( events.size(), 1u );
    expectKey( events[ 0 ], ET_KEYDOWN, KC_F4, 0, EM_ALT );
}

TEST_F( HWindowProcedureTest, KeysWithoutCharactersCarryTheirCodeAndKeysWithCharactersWaitForIt )
{
    for( uint32_t key : std::vector<uint32_t>{ KC_LEFT, KC_UP, KC_RIGHT, KC_DOWN, KC_F12, KC_DELETE } )
        send( HWM_KEYDOWN, key );
    // Escape, return, backspace, tab, space and digits type something: no key-down of their own.
    for( uint32_t key : std::vector<uint32_t>{ KC_ESCAPE, KC_RETURN, KC_BACK, KC_TAB, KC_SPACE, KC_5, KC_NUMPAD5 } )
        send( HWM_KEYDOWN, key );
    send( HWM_KEYUP, KC_LEFT );
    send( HWM_KEYUP, KC_RETURN );
    send( HWM_CHAR, 13 );
    send( HWM_CHAR, 0xE9 );
    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 10u );
    expectKey( events[ 0 ], ET_KEYDOWN, KC_LEFT, 0, 0 );
    expectKey( events[ 3 ], ET_KEYDOWN, KC_DOWN, 0, 0 );
    expectKey( events[ 5 ], ET_KEYDOWN, KC_DELETE, 0, 0 );
    expectKey( events[ 6 ], ET_KEYUP, KC_LEFT, 0, 0 );
    expectKey( events[ 7 ], ET_KEYUP, 0, 13, 0 );
    expectKey( events[ 8 ], ET_KEYDOWN, 0, 13, 0 );
    expectKey( events[ 9 ], ET_KEYDOWN, 0, static_cast<char>( 0xE9 ), 0 );
}

TEST_F( HWindowProcedureTest, ALeftButtonReleasedOutsideTheWindowStillArrivesThroughTheCapture )
{
    sendMouse( HWM_MOUSEMOVE, 320, 240 );
    sendMouse( HWM_LBUTTONDOWN, 120, 130 );
    EXPECT_TRUE( procedure.isCaptured() );
    sendMouse( HWM_MOUSEMOVE, -40, 900 );
    sendMouse( HWM_LBUTTONUP, -40, 900 );
    EXPECT_FALSE( procedure.isCaptured() );

    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 4u );
    EXPECT_EQ( events[ 0 ].type, ET_MOUSEMOVE );
    EXPECT_EQ( events[ 0 ].x, 320 );
    expectKey( events[ 1 ], ET_KEYDOWN, KC_LBUTTON, 0, 0 );
    EXPECT_EQ( events[ 1 ].x, 120 );
    EXPECT_EQ( events[ 1 ].y, 130 );
    expectKey( events[ 3 ], ET_KEYUP, KC_LBUTTON, 0, 0 );
    EXPECT_EQ( events[ 3 ].x, -40 );
    EXPECT_EQ( events[ 3 ].y, 900 );
    EXPECT_EQ( host.calls, ( std::vector<std::string>{ "setCapture", "setFocus", "setActiveWindow", "releaseCapture",
                                                         "setFocus", "setActiveWindow" } ) );
    // The queue remembers the pointer of the release for the software cursor.
    EXPECT_EQ( queue.getLastMousePosition().x, -40 );
}

TEST_F( HWindowProcedureTest, CaptureChangesOnlyWhenItDiffersAndNeverWhileMinimised )
{
    procedure.setCapture( false );
    EXPECT_TRUE( host.calls.empty() );
    send( HWM_SIZE, HSIZE_MINIMIZED );
    sendMouse( HWM_LBUTTONDOWN, 1, 2 );
    EXPECT_FALSE( procedure.isCaptured() );
    EXPECT_EQ( host.calls, ( std::vector<std::string>{ "setFocus", "setActiveWindow" } ) );
    send( HWM_SHOWWINDOW, 1 );
    EXPECT_FALSE( procedure.isMinimized() );
    sendMouse( HWM_LBUTTONDOWN, 1, 2 );
    sendMouse( HWM_LBUTTONDOWN, 3, 4 );
    EXPECT_EQ( std::count( host.calls.begin(), host.calls.end(), "setCapture" ), 1 );
}

TEST_F( HWindowProcedureTest, DoubleClicksAreOnlyThePlainDownsAndUpsOfTwoClicks )
{
    sendMouse( HWM_LBUTTONDOWN, 10, 10 );
    sendMouse( HWM_LBUTTONUP, 10, 10 );
    EXPECT_EQ( sendMouse( HWM_LBUTTONDBLCLK, 10, 10 ), 77 );
    sendMouse( HWM_LBUTTONUP, 10, 10 );
    sendMouse( HWM_RBUTTONDOWN, 11, 12 );
    sendMouse( HWM_RBUTTONUP, 11, 12 );
    sendMouse( HWM_RBUTTONDBLCLK, 11, 12 );
    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 5u );
    EXPECT_EQ( events[ 2 ].type, ET_KEYUP );
    expectKey( events[ 3 ], ET_KEYDOWN, KC_RBUTTON, 0, 0 );
    expectKey( events[ 4 ], ET_KEYUP, KC_RBUTTON, 0, 0 );
    EXPECT_EQ( events[ 4 ].y, 12 );
}

TEST_F( HWindowProcedureTest, CloseAsksToQuitAndLeavesTheWindowWhereItIs )
{
    int window = 0;
    EXPECT_EQ( procedure.handleMessage( &window, HWM_CREATE, 0, 0 ), 0 );
    EXPECT_EQ( procedure.getWindow(), &window );
    EXPECT_EQ( send( HWM_CLOSE ), 0 );
    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 1u );
    EXPECT_EQ( events[ 0 ].type, ET_QUIT );
    // No default processing: that would destroy the window.
    EXPECT_TRUE( host.defaultMessages.empty() );
    EXPECT_TRUE( host.calls.empty() );

    EXPECT_EQ( send( HWM_DESTROY ), 0 );
    EXPECT_EQ( host.calls, std::vector<std::string>{ "postQuitMessage 0" } );
    EXPECT_EQ( send( HWM_ERASEBKGND ), 1 );
    EXPECT_TRUE( posted().empty() );
}

TEST_F( HWindowProcedureTest, WindowStateMessagesBecomeActivationPaintAndMinimisedEvents )
{
    send( HWM_ACTIVATE, 0x00010002 );
    send( HWM_ACTIVATE, 0x00010000 );
    send( HWM_PAINT );
    send( HWM_SIZE, HSIZE_MAXHIDE );
    send( HWM_SIZE, HSIZE_MAXIMIZED );
    send( HWM_SHOWWINDOW, 0 );
    send( HWM_MOVE );
    EXPECT_EQ( procedure.getClientRect(), host.clientRect );
    host.clientRect = { -32000, -32000, -31360, 0 };
    send( HWM_MOVE );
    EXPECT_TRUE( procedure.isMinimized() );

    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 6u );
    EXPECT_EQ( events[ 0 ].type, ET_ACTIVATE );
    EXPECT_EQ( events[ 0 ].flag, 1 );
    EXPECT_EQ( events[ 1 ].flag, 0 );
    EXPECT_EQ( events[ 2 ].type, ET_PAINT );
    EXPECT_EQ( events[ 3 ].type, ET_WINDOW_MINIMIZED );
    EXPECT_EQ( events[ 3 ].flag, 1 );
    EXPECT_EQ( events[ 4 ].flag, 0 );
    EXPECT_EQ( events[ 5 ].type, ET_WINDOW_MINIMIZED );
    EXPECT_EQ( events[ 5 ].flag, 1 );
}

TEST_F( HWindowProcedureTest, PointsOutsideTheClientAreaKeepTheirSign )
{
    sendMouse( HWM_MOUSEMOVE, -1, -32768 );
    send( HWM_NCMOUSEMOVE, 0, HWindowProcedure::makePointParam( 90, 60 ) );
    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 2u );
    EXPECT_EQ( events[ 0 ].x, -1 );
    EXPECT_EQ( events[ 0 ].y, -32768 );
    EXPECT_EQ( events[ 1 ].type, ET_MOUSEMOVE );
    EXPECT_EQ( events[ 1 ].x, -10 );
    EXPECT_EQ( events[ 1 ].y, 10 );
}

TEST_F( HWindowProcedureTest, WithoutQueueOrHostMessagesAreStillHandled )
{
    HGlobal::setEventQueue( nullptr );
    procedure.setHost( nullptr );
    EXPECT_EQ( send( HWM_KEYDOWN, KC_SHIFT ), 0 );
    EXPECT_TRUE( procedure.isShiftDown() );
    EXPECT_EQ( sendMouse( HWM_LBUTTONDOWN, 5, 5 ), 0 );
    EXPECT_TRUE( procedure.isCaptured() );
    EXPECT_EQ( send( HWM_DESTROY ), 0 );
    EXPECT_EQ( queue.count(), 0 );
    procedure.reset();
    EXPECT_FALSE( procedure.isShiftDown() );
    EXPECT_FALSE( procedure.isCaptured() );
}
