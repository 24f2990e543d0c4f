#include "Framework/platform/win32/HGDIDisplayDevice.h"

#include <windows.h>

#include <ddraw.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "Framework/graphics/HDisplayDeviceFactory.h"
#include "Framework/graphics/HFramePlacement.h"
#include "Framework/platform/win32/HWin32WindowHost.h"
#include "Framework/util/src/HGlobal.h"
#include "Framework/util/src/HLog.h"

bool HGDIDisplayDevice::sm_classRegistered = false;
bool HGDIDisplayDevice::sm_cursorShown = true;

namespace
{
const uint32_t kErrorBoxFlags = 0x11;

unsigned lowWord( HRESULT result )
{
    return static_cast<unsigned>( result ) & 0xFFFFu;
}

// The work area (the screen less the task bar) of the monitor the player is pointing at.
RECT workArea()
{
    POINT cursor = { 0, 0 };
    ::GetCursorPos( &cursor );
    MONITORINFO info;
    std::memset( &info, 0, sizeof( info ) );
    info.cbSize = sizeof( info );
    if( ::GetMonitorInfoA( ::MonitorFromPoint( cursor, MONITOR_DEFAULTTOPRIMARY ), &info ) )
        return info.rcWork;
    RECT area = { 0, 0, ::GetSystemMetrics( SM_CXSCREEN ), ::GetSystemMetrics( SM_CYSCREEN ) };
    ::SystemParametersInfoA( SPI_GETWORKAREA, 0, &area, 0 );
    return area;
}
}

struct HGDIDisplayDevice::WindowState
{
    HWND window;
    IDirectDraw* pDirectDraw;
    void* pBits;
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;
    int32_t pitch;
    HDC memoryDC;
    HBITMAP dib;
    bool fullscreen;
    HDC windowDC;
    // What the memory context held before the DIB section, put back before it is deleted.
    HGDIOBJ previousBitmap;
};

HGDIDisplayDevice::HGDIDisplayDevice( HCvarManager* pCvars )
    : HDisplayDevice( pCvars )
    , m_pState( new WindowState() )
{
}

HGDIDisplayDevice::~HGDIDisplayDevice()
{
    shutdownScreen();
    delete m_pState;
}

void* HGDIDisplayDevice::getWindow() const
{
    return m_pState->window;
}

bool HGDIDisplayDevice::isFullscreen() const
{
    return m_pState->fullscreen;
}

uint32_t HGDIDisplayDevice::windowStyle( bool fullscreen )
{
    // A fixed-size window: no sizing border, no maximise box.
    return fullscreen ? WS_POPUP : ( WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX );
}

uint32_t HGDIDisplayDevice::windowExStyle( bool fullscreen )
{
    return fullscreen ? WS_EX_TOPMOST : 0;
}

bool HGDIDisplayDevice::initScreen( int32_t width, int32_t height, const char* kpTitle, bool fullscreen,
                                    bool noDoubleClick )
{
    if( width <= 0 || height <= 0 || !m_createWindow( width, height, kpTitle, fullscreen, noDoubleClick ) )
    {
        alert( "initScreen: could not m_createWindow" );
        shutdownScreen();
        return false;
    }
    m_releaseResources();
    if( !fullscreen )
    {
        HDC dc = ::GetDC( m_pState->window );
        int bits = dc != nullptr ? ::GetDeviceCaps( dc, BITSPIXEL ) : 0;
        if( dc != nullptr )
            ::ReleaseDC( m_pState->window, dc );
        if( bits <= 14 )
        {
            messageBox( kErrorBoxFlags, "Error",
                        "This application requires 15-bit (32767 colors) or better graphics...please configure your "
                        "display adapter and try again" );
            shutdownScreen();
            return false;
        }
    }
    // A window left behind by a failed start would sit on the desktop with nothing behind it.
    if( !m_initGDI( fullscreen, width, height ) )
    {
        shutdownScreen();
        return false;
    }
    if( !HDisplayDevice::initScreen( width, height, kpTitle, fullscreen, noDoubleClick ) )
    {
        alert( "initScreen: could not allocate the back buffer" );
        shutdownScreen();
        return false;
    }
    HRect whole = { 0, 0, width, height };
    present( &whole, 1 );
    return true;
}

bool HGDIDisplayDevice::m_createWindow( int32_t width, int32_t height, const char* kpTitle, bool fullscreen,
                                        bool noDoubleClick )
{
    const char* kpName = kpTitle != nullptr ? kpTitle : "";
    HINSTANCE instance = ::GetModuleHandleA( nullptr );
    if( !sm_classRegistered )
    {
        // Set before the attempt: a class that failed once is not tried again.
        sm_classRegistered = true;
        WNDCLASSA windowClass;
        std::memset( &windowClass, 0, sizeof( windowClass ) );
        windowClass.style = CS_HREDRAW | CS_VREDRAW | ( noDoubleClick ? 0 : CS_DBLCLKS );
        windowClass.lpfnWndProc = reinterpret_cast<WNDPROC>( HWin32WindowHost::windowProcedureAddress() );
        windowClass.hInstance = instance;
        windowClass.hIcon = ::LoadIconA( instance, MAKEINTRESOURCEA( HGlobal::getIconResource() ) );
        windowClass.hCursor = ::LoadCursorA( nullptr, IDC_ARROW );
        windowClass.hbrBackground = static_cast<HBRUSH>( ::GetStockObject( NULL_BRUSH ) );
        windowClass.lpszClassName = kpName;
        if( ::RegisterClassA( &windowClass ) == 0 )
        {
            alert( "Unexpected failure calling RegisterClass" );
            return false;
        }
    }

    DWORD style = windowStyle( fullscreen );
    RECT frame = { 0, 0, width, height };
    ::AdjustWindowRect( &frame, style, FALSE );
    int32_t x = CW_USEDEFAULT;
    int32_t y = CW_USEDEFAULT;
    int32_t scale = 1;
    if( !fullscreen )
    {
        // The system no longer magnifies a program that knows the screen's density: the window
        // takes the largest whole step whose frame fits the work area, centred in it. A work area
        // too small for one step gets a client area that fits, and present shrinks the frame into
        // it, so every part of it stays in reach; never less than half the frame.
        RECT area = workArea();
        int32_t borderWidth = frame.right - frame.left - width;
        int32_t borderHeight = frame.bottom - frame.top - height;
        int32_t roomWidth = area.right - area.left - borderWidth;
        int32_t roomHeight = area.bottom - area.top - borderHeight;
        scale = HFramePlacement::scaleToFit( width, height, roomWidth, roomHeight );
        frame = { 0, 0, std::clamp( roomWidth, width / 2, width * scale ),
                  std::clamp( roomHeight, height / 2, height * scale ) };
        ::AdjustWindowRect( &frame, style, FALSE );
        x = std::max<int32_t>( area.left, ( area.left + area.right - ( frame.right - frame.left ) ) / 2 );
        y = std::max<int32_t>( area.top, ( area.top + area.bottom - ( frame.bottom - frame.top ) ) / 2 );
        logMessage( "...window at %d x %d, %d times the frame, in a work area of %d x %d\n", x, y, scale,
                    static_cast<int>( area.right - area.left ), static_cast<int>( area.bottom - area.top ) );
    }
    HWND window = ::CreateWindowExA( windowExStyle( fullscreen ), kpName, kpName, style, x, y, frame.right - frame.left,
                                     frame.bottom - frame.top, nullptr, nullptr, instance, nullptr );
    if( window == nullptr )
    {
        alert( "Could not CreateWindowEx" );
        return false;
    }
    m_pState->window = window;
    ::ShowWindow( window, SW_SHOWNORMAL );
    ::UpdateWindow( window );

    // The system lets only the foreground thread hand the foreground on; join its input for that.
    HWND foreground = ::GetForegroundWindow();
    DWORD foregroundThread = foreground != nullptr ? ::GetWindowThreadProcessId( foreground, nullptr ) : 0;
    DWORD thisThread = ::GetCurrentThreadId();
    bool attached = foregroundThread != 0 && foregroundThread != thisThread &&
                    ::AttachThreadInput( thisThread, foregroundThread, TRUE );
    ::SetLastError( 0 );
    if( ::SetActiveWindow( window ) == nullptr && ::GetLastError() != 0 )
        logMessage( "m_createWindow - failed to SetActiveWindow\n" );
    if( !::SetForegroundWindow( window ) )
        logMessage( "m_createWindow - failed to SetForegroundWindow - error = %d, hWnd = %p, fgHwnd = %p\n",
                    static_cast<int>( ::GetLastError() ), static_cast<void*>( window ),
                    static_cast<void*>( foreground ) );
    ::SetLastError( 0 );
    if( ::SetFocus( window ) == nullptr && ::GetLastError() != 0 )
        logMessage( "m_createWindow - failed to SetFocus\n" );
    if( attached )
        ::AttachThreadInput( thisThread, foregroundThread, FALSE );
    return true;
}

bool HGDIDisplayDevice::m_initGDI( bool fullscreen, int32_t width, int32_t height )
{
    IDirectDraw* pDirectDraw = nullptr;
    HRESULT result = ::DirectDrawCreate( nullptr, &pDirectDraw, nullptr );
    if( FAILED( result ) || pDirectDraw == nullptr )
    {
        alert( "m_initGDI - could not create GDI with error '%d'", lowWord( result ) );
        return false;
    }
    m_pState->pDirectDraw = pDirectDraw;
    result = pDirectDraw->SetCooperativeLevel( m_pState->window,
                                               fullscreen ? ( DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN ) : DDSCL_NORMAL );
    if( FAILED( result ) )
    {
        alert( "m_initGDI - could not SetCooperativeLevel with error '%d'", lowWord( result ) );
        return false;
    }
    if( fullscreen )
    {
        result = pDirectDraw->SetDisplayMode( width, height, 16 );
        if( FAILED( result ) )
        {
            alert( "m_initGDI - could not SetDisplayMode with error '%d'", lowWord( result ) );
            pDirectDraw->SetCooperativeLevel( m_pState->window, DDSCL_NORMAL );
            pDirectDraw->Release();
            m_pState->pDirectDraw = nullptr;
            return false;
        }
    }
    m_pState->fullscreen = fullscreen;

    m_pState->windowDC = ::GetDC( m_pState->window );
    m_pState->width = width;
    m_pState->height = height;
    m_pState->bitsPerPixel = 15;
    m_pState->pitch = width * 16 / 8;
    m_pState->memoryDC = m_pState->windowDC != nullptr ? ::CreateCompatibleDC( m_pState->windowDC ) : nullptr;
    if( m_pState->memoryDC == nullptr )
    {
        alert( "m_initGDI - could not create the drawing context" );
        return false;
    }

    // 16 bits with BI_RGB is the 5-5-5 layout (top bit unused); a negative height is top-down rows.
    BITMAPV4HEADER header;
    std::memset( &header, 0, sizeof( header ) );
    header.bV4Size = sizeof( header );
    header.bV4Width = width;
    header.bV4Height = -height;
    header.bV4Planes = 1;
    header.bV4BitCount = 16;
    header.bV4V4Compression = BI_RGB;
    void* pBits = nullptr;
    m_pState->dib = ::CreateDIBSection( m_pState->windowDC, reinterpret_cast<BITMAPINFO*>( &header ), DIB_RGB_COLORS,
                                        &pBits, nullptr, 0 );
    if( m_pState->dib == nullptr || pBits == nullptr )
    {
        alert( "m_initGDI - could not create the back buffer" );
        return false;
    }
    m_pState->pBits = pBits;
    m_pState->previousBitmap = ::SelectObject( m_pState->memoryDC, m_pState->dib );
    return true;
}

void HGDIDisplayDevice::m_releaseResources()
{
    WindowState& state = *m_pState;
    if( state.windowDC != nullptr )
    {
        ::ReleaseDC( state.window, state.windowDC );
        state.windowDC = nullptr;
    }
    if( state.memoryDC != nullptr )
    {
        if( state.previousBitmap != nullptr )
            ::SelectObject( state.memoryDC, state.previousBitmap );
        ::DeleteDC( state.memoryDC );
        state.memoryDC = nullptr;
    }
    state.previousBitmap = nullptr;
    if( state.dib != nullptr )
    {
        ::DeleteObject( state.dib );
        state.dib = nullptr;
    }
    state.pBits = nullptr;
    if( state.pDirectDraw != nullptr )
    {
        if( state.fullscreen )
            state.pDirectDraw->RestoreDisplayMode();
        state.pDirectDraw->SetCooperativeLevel( state.window, DDSCL_NORMAL );
        state.pDirectDraw->Release();
        state.pDirectDraw = nullptr;
    }
    state.fullscreen = false;
}

bool HGDIDisplayDevice::shutdownScreen()
{
    m_releaseResources();
    m_freeBackBuffer();
    if( m_pState->window == nullptr )
        return false;
    bool destroyed = ::DestroyWindow( m_pState->window ) != 0;
    m_pState->window = nullptr;
    return destroyed;
}

void HGDIDisplayDevice::showCursor( bool show )
{
    if( show == sm_cursorShown )
        return;
    sm_cursorShown = show;
    ::ShowCursor( show ? TRUE : FALSE );
}

HFramePlacement HGDIDisplayDevice::getFramePlacement() const
{
    RECT client = { 0, 0, 0, 0 };
    if( m_pState->window != nullptr )
        ::GetClientRect( m_pState->window, &client );
    return HFramePlacement( m_screenWidth, m_screenHeight, client.right - client.left, client.bottom - client.top );
}

HPoint HGDIDisplayDevice::mapWindowToFrame( int32_t windowX, int32_t windowY ) const
{
    if( m_pState->window == nullptr )
        return { windowX, windowY };
    return getFramePlacement().toFrame( windowX, windowY );
}

void HGDIDisplayDevice::present( const HRect* kpRects, int32_t count )
{
    WindowState& state = *m_pState;
    if( state.pBits == nullptr || state.windowDC == nullptr || m_pBackBuffer == nullptr || kpRects == nullptr )
        return;
    // GDI may still be reading the section from an earlier blit.
    ::GdiFlush();
    HFramePlacement placement = getFramePlacement();
    const HRect& place = placement.getRect();
    const bool direct = placement.getScale() == 1 && place.left == 0 && place.top == 0;
    // Whole steps copy each pixel into a block; the nearest-pixel mode keeps them sharp.
    if( !direct )
        ::SetStretchBltMode( state.windowDC, COLORONCOLOR );
    const int32_t stride = ( ( state.width * 16 + 31 ) / 32 ) * 4;
    for( int32_t i = 0; i < count; ++i )
    {
        int32_t left = std::max( kpRects[ i ].left, 0 );
        int32_t top = std::max( kpRects[ i ].top, 0 );
        int32_t right = std::min( { kpRects[ i ].right, m_screenWidth, state.width } );
        int32_t bottom = std::min( { kpRects[ i ].bottom, m_screenHeight, state.height } );
        if( right <= left || bottom <= top )
            continue;
        for( int32_t y = top; y < bottom; ++y )
        {
            uint8_t* pRow = static_cast<uint8_t*>( state.pBits ) + static_cast<size_t>( y ) * stride;
            std::memcpy( pRow + static_cast<size_t>( left ) * 2,
                         m_pBackBuffer + static_cast<size_t>( y ) * m_screenWidth + left,
                         static_cast<size_t>( right - left ) * 2 );
        }
        if( direct )
        {
            ::BitBlt( state.windowDC, left, top, right - left, bottom - top, state.memoryDC, left, top, SRCCOPY );
            continue;
        }
        HRect out = placement.toOutput( { left, top, right, bottom } );
        ::StretchBlt( state.windowDC, out.left, out.top, out.width(), out.height(), state.memoryDC, left, top,
                      right - left, bottom - top, SRCCOPY );
        if( left == 0 && top == 0 && right == m_screenWidth && bottom == m_screenHeight )
            m_paintBars( place );
    }
}

void HGDIDisplayDevice::m_paintBars( const HRect& place )
{
    RECT client = { 0, 0, 0, 0 };
    ::GetClientRect( m_pState->window, &client );
    HDC dc = m_pState->windowDC;
    ::PatBlt( dc, 0, 0, client.right, place.top, BLACKNESS );
    ::PatBlt( dc, 0, place.bottom, client.right, client.bottom - place.bottom, BLACKNESS );
    ::PatBlt( dc, 0, place.top, place.left, place.height(), BLACKNESS );
    ::PatBlt( dc, place.right, place.top, client.right - place.right, place.height(), BLACKNESS );
}

HDisplayDevice* createDisplayDevice( int32_t width, int32_t height, const char* kpTitle, bool fullscreen,
                                     bool noDoubleClick, HCvarManager* pCvars )
{
    HGDIDisplayDevice* pDevice = new( std::nothrow ) HGDIDisplayDevice( pCvars );
    if( pDevice == nullptr )
        return nullptr;
    if( !pDevice->initScreen( width, height, kpTitle, fullscreen, noDoubleClick ) )
    {
        delete pDevice;
        return nullptr;
    }
    return pDevice;
}
