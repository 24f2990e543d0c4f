#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Framework/application/HEvent.h"
#include "Framework/application/HEventQueue.h"
#include "Framework/graphics/HDisplayDeviceFactory.h"
#include "Framework/platform/win32/HGDIDisplayDevice.h"
#include "Framework/platform/win32/HWin32InputDevice.h"
#include "Framework/util/src/HGlobal.h"
#include "tests/support/RecordingProcessServices.h"

// Last: the system's headers define macros (TA_LEFT and others) that our names would meet.
#include <windows.h>

namespace
{
const char* const kTitle = "Glimmerdrop display test";
const uint16_t kRed = 0x7C00;
const uint16_t kGreen = 0x03E0;

// The 8-bit value a 5-bit channel shows as, give or take the server's own rounding.
bool shows( int shown, int fiveBit )
{
    int expected = fiveBit << 3 | fiveBit >> 2;
    return shown >= expected - 8 && shown <= expected + 8;
}

class HGDIDisplayDeviceTest : public ::testing::Test
{
protected:
    HGDIDisplayDeviceTest()
    {
        HGlobal::setEventQueue( &m_queue );
        m_pInput = HWin32InputDevice::obtain( nullptr );
    }
    ~HGDIDisplayDeviceTest() override
    {
        // The window's end posts a quit; taken here, it cannot close a message box of a later test.
        m_pDevice.reset();
        pump();
        HGlobal::setEventQueue( nullptr );
    }

    HGDIDisplayDevice* open( bool fullscreen = false )
    {
        m_pDevice.reset( static_cast<HGDIDisplayDevice*>(
            createDisplayDevice( 640, 480, kTitle, fullscreen, true, nullptr ) ) );
        pump();
        return m_pDevice.get();
    }

    // Runs the window's messages until a while passes without one, so what follows starts clean.
    void settle()
    {
        for( int quiet = 0; quiet < 10; )
        {
            quiet = pump().empty() ? quiet + 1 : 0;
            ::Sleep( 10 );
        }
    }

    // The key, button and command events the window's messages made; window-state events
    // (activation, paint, pointer moves) come when the display server pleases and are left out.
    std::vector<HEvent> inputEvents()
    {
        std::vector<HEvent> events;
        for( const HEvent& event : pump() )
        {
            if( event.type == ET_KEYDOWN || event.type == ET_KEYUP || event.type == ET_TOGGLE_FULLSCREEN ||
                event.type == ET_QUIT || event.type == ET_PASTE )
                events.push_back( event );
        }
        return events;
    }

    // Runs the window's messages and hands back the events they made, time stamps left out.
    std::vector<HEvent> pump()
    {
        if( m_pInput != nullptr )
        {
            while( !m_pInput->poll() )
            {
            }
        }
        std::vector<HEvent> events;
        HEvent event;
        while( m_queue.getEvent( event ) )
        {
            if( event.type != ET_TIMESTAMP )
                events.push_back( event );
        }
        return events;
    }

    void fill( const HRect& area, uint16_t word )
    {
        HPixelTarget target = m_pDevice->getBackBuffer();
        for( int32_t y = area.top; y < area.bottom; ++y )
            for( int32_t x = area.left; x < area.right; ++x )
                target.pPixels[ y * target.pitch + x ] = word;
    }

    COLORREF shown( int x, int y )
    {
        HWND window = static_cast<HWND>( m_pDevice->getWindow() );
        HDC dc = ::GetDC( window );
        COLORREF colour = ::GetPixel( dc, x, y );
        ::ReleaseDC( window, dc );
        return colour;
    }

    RecordingProcessServices m_services;
    HEventQueue m_queue;
    HInputDevice* m_pInput = nullptr;
    std::unique_ptr<HGDIDisplayDevice> m_pDevice;
};
}

TEST_F( HGDIDisplayDeviceTest, TheWindowHasAFixed640By480ClientAreaAndTheTitle )
{
    HGDIDisplayDevice* pDevice = open();
    ASSERT_NE( pDevice, nullptr );
    HWND window = static_cast<HWND>( pDevice->getWindow() );
    ASSERT_TRUE( ::IsWindow( window ) );
    EXPECT_TRUE( ::IsWindowVisible( window ) );
    RECT client;
    ASSERT_TRUE( ::GetClientRect( window, &client ) );
    EXPECT_EQ( client.right - client.left, 640 );
    EXPECT_EQ( client.bottom - client.top, 480 );
    char title[ 64 ] = "";
    ::GetWindowTextA( window, title, sizeof( title ) );
    EXPECT_STREQ( title, kTitle );
    LONG style = ::GetWindowLongA( window, GWL_STYLE );
    EXPECT_TRUE( style & WS_CAPTION );
    EXPECT_TRUE( style & WS_MINIMIZEBOX );
    EXPECT_FALSE( style & WS_THICKFRAME );
    EXPECT_FALSE( style & WS_MAXIMIZEBOX );
    EXPECT_FALSE( pDevice->isFullscreen() );
    EXPECT_FALSE( pDevice->switchDisplayMode() );
    EXPECT_EQ( pDevice->getScreenWidth(), 640 );
    EXPECT_EQ( m_services.boxes.size(), 0u );
}

TEST_F( HGDIDisplayDeviceTest, OnlyTheDirtyRectanglesReachTheWindow )
{
    ASSERT_NE( open(), nullptr );
    fill( { 0, 0, 640, 480 }, kRed );
    m_pDevice->addDirtyRect( { 10, 20, 110, 70 } );
    m_pDevice->presentDirty();
    EXPECT_EQ( m_pDevice->getDirtyList().count(), 0 );

    COLORREF inside = shown( 50, 40 );
    EXPECT_TRUE( shows( GetRValue( inside ), 31 ) && shows( GetGValue( inside ), 0 ) && shows( GetBValue( inside ), 0 ) )
        << std::hex << inside;
    // Drawn into the back buffer but never presented: the window still shows the first, black frame.
    COLORREF outside = shown( 300, 300 );
    EXPECT_TRUE( shows( GetRValue( outside ), 0 ) && shows( GetGValue( outside ), 0 ) ) << std::hex << outside;

    fill( { 0, 0, 640, 480 }, kGreen );
    HRect rects[] = { { 630, 470, 700, 500 }, { -5, -5, 3, 3 } };
    m_pDevice->present( rects, 2 );
    COLORREF corner = shown( 635, 475 );
    EXPECT_TRUE( shows( GetGValue( corner ), 31 ) && shows( GetRValue( corner ), 0 ) ) << std::hex << corner;
    COLORREF origin = shown( 1, 1 );
    EXPECT_TRUE( shows( GetGValue( origin ), 31 ) ) << std::hex << origin;
    COLORREF untouched = shown( 50, 40 );
    EXPECT_TRUE( shows( GetRValue( untouched ), 31 ) ) << std::hex << untouched;
}

TEST_F( HGDIDisplayDeviceTest, ShutdownTakesTheWindowAwayAndASecondDeviceOpensAgain )
{
    ASSERT_NE( open(), nullptr );
    HWND first = static_cast<HWND>( m_pDevice->getWindow() );
    EXPECT_TRUE( m_pDevice->shutdownScreen() );
    EXPECT_FALSE( ::IsWindow( first ) );
    EXPECT_EQ( m_pDevice->getWindow(), nullptr );
    EXPECT_FALSE( m_pDevice->shutdownScreen() );
    // Closing the window asked the message loop to end; that quit is taken by the next pump.
    pump();

    // The window class stays registered for the process; the next device simply uses it.
    ASSERT_NE( open(), nullptr );
    EXPECT_TRUE( ::IsWindow( static_cast<HWND>( m_pDevice->getWindow() ) ) );
    EXPECT_EQ( m_services.boxes.size(), 0u );
}

TEST_F( HGDIDisplayDeviceTest, FullScreenWithoutThatDisplayModeFailsWithItsMessageAndLeavesNoWindow )
{
    // The test display is larger than 640 x 480, where Wine cannot set that mode.
    if( ::GetSystemMetrics( SM_CXSCREEN ) == 640 )
        GTEST_SKIP() << "the display is already 640 x 480";
    EXPECT_EQ( open( true ), nullptr );
    ASSERT_EQ( m_services.boxes.size(), 1u );
    EXPECT_EQ( m_services.boxes[ 0 ].caption, "Alert" );
    EXPECT_EQ( m_services.boxes[ 0 ].text.rfind( "m_initGDI - could not SetDisplayMode with error '", 0 ), 0u )
        << m_services.boxes[ 0 ].text;
    EXPECT_EQ( ::FindWindowA( kTitle, kTitle ), nullptr );
}

TEST_F( HGDIDisplayDeviceTest, TheSystemCursorIsToldOnlyOfChanges )
{
    ASSERT_NE( open(), nullptr );
    // ShowCursor keeps a count: a second hide that reached it would need a second show.
    m_pDevice->showCursor( false );
    m_pDevice->showCursor( false );
    m_pDevice->showCursor( true );
    int count = ::ShowCursor( TRUE );
    ::ShowCursor( FALSE );
    EXPECT_EQ( count, 1 );
}

TEST_F( HGDIDisplayDeviceTest, RealWindowMessagesBecomeEvents )
{
    ASSERT_NE( open(), nullptr );
    HWND window = static_cast<HWND>( m_pDevice->getWindow() );
    settle();

    ::PostMessageA( window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM( 120, 200 ) );
    std::vector<HEvent> events = inputEvents();
    ASSERT_EQ( events.size(), 1u );
    EXPECT_EQ( events[ 0 ].type, ET_KEYDOWN );
    EXPECT_EQ( events[ 0 ].key, KC_LBUTTON );
    EXPECT_EQ( events[ 0 ].x, 120 );
    EXPECT_EQ( events[ 0 ].y, 200 );
    // The button keeps the mouse until it is released, wherever that happens.
    EXPECT_EQ( ::GetCapture(), window );
    ::PostMessageA( window, WM_LBUTTONUP, 0, MAKELPARAM( 0xFFF6, 900 ) );
    events = inputEvents();
    ASSERT_EQ( events.size(), 1u );
    EXPECT_EQ( events[ 0 ].type, ET_KEYUP );
    EXPECT_EQ( events[ 0 ].x, -10 );
    EXPECT_EQ( events[ 0 ].y, 900 );
    EXPECT_EQ( ::GetCapture(), nullptr );

    // A key without a character arrives with its code; the system's translation adds nothing.
    ::PostMessageA( window, WM_KEYDOWN, VK_LEFT, 0x014B0001 );
    events = inputEvents();
    ASSERT_EQ( events.size(), 1u );
    EXPECT_EQ( events[ 0 ].key, VK_LEFT );
    EXPECT_EQ( events[ 0 ].character, 0 );

    // A letter waits for the character the system's translation makes of it.
    ::PostMessageA( window, WM_KEYDOWN, 'G', 0x00220001 );
    events = inputEvents();
    ASSERT_EQ( events.size(), 1u );
    EXPECT_EQ( events[ 0 ].type, ET_KEYDOWN );
    EXPECT_EQ( events[ 0 ].key, 0 );
    EXPECT_EQ( events[ 0 ].character, 'g' );

    // Alt+Return asks for full screen and types nothing.
    ::PostMessageA( window, WM_SYSKEYDOWN, VK_RETURN, 0x201C0001 );
    events = inputEvents();
    ASSERT_EQ( events.size(), 1u );
    EXPECT_EQ( events[ 0 ].type, ET_TOGGLE_FULLSCREEN );

    // The title bar's close button asks the game to quit; the window stays.
    ::SendMessageA( window, WM_CLOSE, 0, 0 );
    events = inputEvents();
    ASSERT_EQ( events.size(), 1u );
    EXPECT_EQ( events[ 0 ].type, ET_QUIT );
    EXPECT_TRUE( ::IsWindow( window ) );
}

TEST_F( HGDIDisplayDeviceTest, TheQuitMessageEndsOnePassOfThePump )
{
    ASSERT_NE( m_pInput, nullptr );
    ::PostQuitMessage( 0 );
    EXPECT_FALSE( m_pInput->poll() );
    EXPECT_TRUE( m_pInput->poll() );
    EXPECT_EQ( HWin32InputDevice::obtain( nullptr ), m_pInput );
}

TEST_F( HGDIDisplayDeviceTest, AWindowTwiceTheFrameShowsWholePixelBlocksAndMapsTheMouseBack )
{
    ASSERT_NE( open(), nullptr );
    HWND window = static_cast<HWND>( m_pDevice->getWindow() );
    // A client area of 1280 x 964: the frame at twice its size with a bar of two rows above and below.
    RECT frame = { 0, 0, 1280, 964 };
    ::AdjustWindowRect( &frame, static_cast<DWORD>( ::GetWindowLongA( window, GWL_STYLE ) ), FALSE );
    // The client area at the screen's corner, all of it on the 1280-pixel-wide test screen.
    ::SetWindowPos( window, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                    SWP_NOZORDER | SWP_NOACTIVATE );
    settle();
    RECT client;
    ASSERT_TRUE( ::GetClientRect( window, &client ) );
    ASSERT_EQ( client.right, 1280 );
    ASSERT_EQ( client.bottom, 964 );
    EXPECT_EQ( m_pDevice->getFramePlacement().getRect(), ( HRect{ 0, 2, 1280, 962 } ) );

    fill( { 0, 0, 640, 480 }, 0 );
    fill( { 0, 0, 1, 1 }, kRed );
    fill( { 639, 479, 640, 480 }, kGreen );
    HRect whole = { 0, 0, 640, 480 };
    m_pDevice->present( &whole, 1 );
    for( POINT p : { POINT{ 0, 2 }, POINT{ 1, 3 } } )
    {
        COLORREF colour = shown( p.x, p.y );
        EXPECT_TRUE( shows( GetRValue( colour ), 31 ) && shows( GetGValue( colour ), 0 ) ) << p.x << "," << p.y;
    }
    for( POINT p : { POINT{ 1278, 960 }, POINT{ 1279, 961 } } )
    {
        COLORREF colour = shown( p.x, p.y );
        EXPECT_TRUE( shows( GetGValue( colour ), 31 ) && shows( GetRValue( colour ), 0 ) ) << p.x << "," << p.y;
    }
    for( POINT p : { POINT{ 2, 2 }, POINT{ 1, 1 }, POINT{ 1279, 962 } } )
    {
        COLORREF colour = shown( p.x, p.y );
        EXPECT_TRUE( shows( GetRValue( colour ), 0 ) && shows( GetGValue( colour ), 0 ) ) << p.x << "," << p.y;
    }

    // The window's messages carry frame pixels: the game and its journals never see the size.
    HGlobal::setDisplayDevice( m_pDevice.get() );
    ::PostMessageA( window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM( 1279, 961 ) );
    ::PostMessageA( window, WM_LBUTTONUP, 0, MAKELPARAM( 1, 1 ) );
    std::vector<HEvent> events = inputEvents();
    HGlobal::setDisplayDevice( nullptr );
    ASSERT_EQ( events.size(), 2u );
    EXPECT_EQ( events[ 0 ].x, 639 );
    EXPECT_EQ( events[ 0 ].y, 479 );
    EXPECT_EQ( events[ 1 ].x, 0 );
    EXPECT_EQ( events[ 1 ].y, -1 );
}
