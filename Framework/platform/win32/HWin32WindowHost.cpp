#include "Framework/platform/win32/HWin32WindowHost.h"

#include "Framework/application/HWindowProcedure.h"
#include "Framework/graphics/HDisplayDevice.h"
#include "Framework/util/src/HGlobal.h"

// Last: the system's headers define macros (TA_LEFT and others) that our names would meet.
#include <windows.h>

namespace
{
HWND procedureWindow()
{
    return static_cast<HWND>( HWindowProcedure::processInstance().getWindow() );
}

// A point of the client area as the pixel of the frame shown there, which is what events and
// journals carry whatever the window's magnification.
HPoint framePoint( const HPoint& client )
{
    HDisplayDevice* pDisplay = HGlobal::getDisplayDevice();
    return pDisplay != nullptr ? pDisplay->mapWindowToFrame( client.x, client.y ) : client;
}

LRESULT CALLBACK windowProcedure( HWND window, UINT message, WPARAM wParam, LPARAM lParam )
{
    HWindowProcedure& procedure = HWindowProcedure::processInstance();
    // The first messages (WM_NCCREATE among them) come from inside CreateWindowEx and must
    // already reach the system's default processing.
    if( procedure.getHost() == nullptr )
        procedure.setHost( &HWin32WindowHost::processInstance() );
    switch( message )
    {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    {
        HPoint point = framePoint( HWindowProcedure::pointFromParam( lParam ) );
        lParam = HWindowProcedure::makePointParam( point.x, point.y );
        break;
    }
    default:
        break;
    }
    return procedure.handleMessage( window, message, wParam, lParam );
}
}

HWin32WindowHost& HWin32WindowHost::processInstance()
{
    static HWin32WindowHost s_windowHost;
    return s_windowHost;
}

void* HWin32WindowHost::windowProcedureAddress()
{
    return reinterpret_cast<void*>( &windowProcedure );
}

HRect HWin32WindowHost::getClientRectOnScreen()
{
    HWND window = procedureWindow();
    RECT client = { 0, 0, 0, 0 };
    if( window == nullptr || !::GetClientRect( window, &client ) )
        return { 0, 0, 0, 0 };
    POINT topLeft = { client.left, client.top };
    POINT bottomRight = { client.right, client.bottom };
    ::ClientToScreen( window, &topLeft );
    ::ClientToScreen( window, &bottomRight );
    return { topLeft.x, topLeft.y, bottomRight.x, bottomRight.y };
}

HPoint HWin32WindowHost::screenToClient( const HPoint& point )
{
    POINT converted = { point.x, point.y };
    HWND window = procedureWindow();
    if( window != nullptr )
        ::ScreenToClient( window, &converted );
    return framePoint( { converted.x, converted.y } );
}

void HWin32WindowHost::setCapture()
{
    ::SetCapture( procedureWindow() );
}

void HWin32WindowHost::releaseCapture()
{
    ::ReleaseCapture();
}

void HWin32WindowHost::setFocus()
{
    ::SetFocus( procedureWindow() );
}

void HWin32WindowHost::setActiveWindow()
{
    ::SetActiveWindow( procedureWindow() );
}

void HWin32WindowHost::postQuitMessage( int exitCode )
{
    ::PostQuitMessage( exitCode );
}

intptr_t HWin32WindowHost::defaultProcessing( void* pWindow, uint32_t message, uintptr_t wParam, intptr_t lParam )
{
    return ::DefWindowProcA( static_cast<HWND>( pWindow ), message, wParam, lParam );
}

uint32_t HWin32WindowHost::mapVirtualKeyToChar( uint32_t virtualKey )
{
    // The top bit marks a dead key (an accent waiting for its letter); the character is below it.
    return ::MapVirtualKeyA( virtualKey, MAPVK_VK_TO_CHAR ) & 0x7FFFFFFFu;
}
