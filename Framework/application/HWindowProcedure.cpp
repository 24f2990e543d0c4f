#include "Framework/application/HWindowProcedure.h"

#include "Framework/application/HEvent.h"
#include "Framework/application/HEventQueue.h"
#include "Framework/application/HVirtualKeyMap.h"
#include "Framework/application/HWindowHost.h"
#include "Framework/util/src/HGlobal.h"

HWindowProcedure::HWindowProcedure()
    : m_pHost( nullptr )
    , m_pWindow( nullptr )
    , m_shiftDown( 0 )
    , m_controlDown( 0 )
    , m_altDown( 0 )
    , m_captured( 0 )
    , m_minimized( 0 )
    , m_clientRect{ 0, 0, 0, 0 }
{
}

HWindowProcedure& HWindowProcedure::processInstance()
{
    static HWindowProcedure s_procedure;
    return s_procedure;
}

void HWindowProcedure::reset()
{
    m_pWindow = nullptr;
    m_shiftDown = 0;
    m_controlDown = 0;
    m_altDown = 0;
    m_captured = 0;
    m_minimized = 0;
    m_clientRect = { 0, 0, 0, 0 };
}

intptr_t HWindowProcedure::makePointParam( int32_t x, int32_t y )
{
    uint32_t packed = ( static_cast<uint32_t>( static_cast<uint16_t>( y ) ) << 16 ) | static_cast<uint16_t>( x );
    return static_cast<intptr_t>( packed );
}

HPoint HWindowProcedure::pointFromParam( intptr_t lParam )
{
    uint32_t packed = static_cast<uint32_t>( lParam );
    return { static_cast<int16_t>( packed & 0xFFFF ), static_cast<int16_t>( packed >> 16 ) };
}

void HWindowProcedure::setCapture( bool capture )
{
    uint8_t wanted = capture ? 1 : 0;
    if( wanted == m_captured || m_minimized != 0 )
        return;
    if( m_pHost != nullptr )
    {
        if( capture )
            m_pHost->setCapture();
        else
            m_pHost->releaseCapture();
    }
    m_captured = wanted;
}

intptr_t HWindowProcedure::m_defaultProcessing( void* pWindow, uint32_t message, uintptr_t wParam, intptr_t lParam )
{
    return m_pHost != nullptr ? m_pHost->defaultProcessing( pWindow, message, wParam, lParam ) : 0;
}

uint32_t HWindowProcedure::m_characterOf( uintptr_t virtualKey )
{
    uint32_t key = static_cast<uint32_t>( virtualKey );
    return m_pHost != nullptr ? m_pHost->mapVirtualKeyToChar( key ) : mapVirtualKeyToChar( key );
}

void HWindowProcedure::m_post( HEvent& event )
{
    event.modifiers = static_cast<uint32_t>( m_controlDown * 4 | m_altDown * 2 | m_shiftDown );
    HEventQueue* pQueue = HGlobal::getEventQueue();
    if( pQueue != nullptr )
        pQueue->postEvent( event );
}

void HWindowProcedure::m_keyDown( HEvent& event, uintptr_t virtualKey )
{
    uint32_t character = m_characterOf( virtualKey );
    if( virtualKey == KC_SHIFT )
        m_shiftDown = 1;
    else if( virtualKey == KC_CONTROL )
        m_controlDown = 1;
    if( character >= 'A' && character <= 'Z' && m_shiftDown == 0 )
        character += 'a' - 'A';

    if( character == 'v' && m_controlDown != 0 )
    {
        event.type = ET_PASTE;
        return;
    }
    // Keys that type something arrive again as a character message.
    if( character != 0 )
        return;
    event.type = ET_KEYDOWN;
    event.key = static_cast<int32_t>( virtualKey );
    event.character = 0;
}

void HWindowProcedure::m_keyUp( HEvent& event, uintptr_t virtualKey )
{
    uint32_t character = m_characterOf( virtualKey );
    if( virtualKey == KC_SHIFT )
        m_shiftDown = 0;
    else if( virtualKey == KC_CONTROL )
        m_controlDown = 0;
    event.type = ET_KEYUP;
    if( character != 0 )
    {
        event.key = 0;
        event.character = static_cast<char>( character );
    }
    else
    {
        event.key = static_cast<int32_t>( virtualKey );
        event.character = 0;
    }
}

void HWindowProcedure::m_setMouseEvent( HEvent& event, int32_t type, int32_t key, intptr_t lParam )
{
    HPoint point = pointFromParam( lParam );
    event.type = type;
    event.key = key;
    event.x = point.x;
    event.y = point.y;
}

intptr_t HWindowProcedure::handleMessage( void* pWindow, uint32_t message, uintptr_t wParam, intptr_t lParam )
{
    HEvent event;
    event.clear();

    switch( message )
    {
    case HWM_CREATE:
        m_pWindow = pWindow;
        return 0;

    case HWM_DESTROY:
        if( m_pHost != nullptr )
            m_pHost->postQuitMessage( 0 );
        return 0;

    case HWM_MOVE:
        if( m_pHost != nullptr )
            m_clientRect = m_pHost->getClientRectOnScreen();
        // A minimised window is parked where its client area collapses onto the screen's origin.
        if( m_clientRect.right == 0 || m_clientRect.bottom == 0 )
        {
            event.type = ET_WINDOW_MINIMIZED;
            event.flag = 1;
            m_minimized = 1;
        }
        break;

    case HWM_SIZE:
        event.type = ET_WINDOW_MINIMIZED;
        event.flag = ( wParam == HSIZE_MINIMIZED || wParam == HSIZE_MAXHIDE ) ? 1 : 0;
        m_minimized = static_cast<uint8_t>( event.flag );
        break;

    case HWM_ACTIVATE:
        event.type = ET_ACTIVATE;
        event.flag = ( wParam & 0xFFFF ) != 0 ? 1 : 0;
        break;

    case HWM_PAINT:
        event.type = ET_PAINT;
        break;

    case HWM_CLOSE:
        // The window stays until the program itself ends.
        event.type = ET_QUIT;
        m_post( event );
        return 0;

    case HWM_ERASEBKGND:
        return 1;

    case HWM_SHOWWINDOW:
        if( wParam != 0 )
        {
            event.type = ET_WINDOW_MINIMIZED;
            event.flag = 0;
            m_minimized = 0;
        }
        break;

    case HWM_KEYDOWN:
        m_keyDown( event, wParam );
        break;

    case HWM_KEYUP:
        m_keyUp( event, wParam );
        break;

    case HWM_CHAR:
        event.type = ET_KEYDOWN;
        event.key = 0;
        event.character = static_cast<char>( wParam & 0xFF );
        break;

    case HWM_SYSKEYDOWN:
        if( wParam == KC_RETURN )
            event.type = ET_TOGGLE_FULLSCREEN;
        else if( wParam == KC_MENU )
            m_altDown = 1;
        else
        {
            event.type = ET_KEYDOWN;
            event.key = static_cast<int32_t>( wParam );
            event.character = 0;
        }
        break;

    case HWM_SYSKEYUP:
        if( wParam == KC_RETURN || wParam == KC_MENU )
            m_altDown = 0;
        break;

    case HWM_MOUSEMOVE:
        m_setMouseEvent( event, ET_MOUSEMOVE, 0, lParam );
        break;

    case HWM_NCMOUSEMOVE:
    {
        HPoint point = pointFromParam( lParam );
        if( m_pHost != nullptr )
            point = m_pHost->screenToClient( point );
        event.type = ET_MOUSEMOVE;
        event.x = point.x;
        event.y = point.y;
        break;
    }

    case HWM_LBUTTONDOWN:
        m_setMouseEvent( event, ET_KEYDOWN, KC_LBUTTON, lParam );
        setCapture( true );
        if( m_pHost != nullptr )
        {
            m_pHost->setFocus();
            m_pHost->setActiveWindow();
        }
        break;

    case HWM_LBUTTONUP:
        m_setMouseEvent( event, ET_KEYUP, KC_LBUTTON, lParam );
        setCapture( false );
        if( m_pHost != nullptr )
        {
            m_pHost->setFocus();
            m_pHost->setActiveWindow();
        }
        break;

    case HWM_RBUTTONDOWN:
        m_setMouseEvent( event, ET_KEYDOWN, KC_RBUTTON, lParam );
        break;

    case HWM_RBUTTONUP:
        m_setMouseEvent( event, ET_KEYUP, KC_RBUTTON, lParam );
        break;

    default:
        break;
    }

    if( event.type != ET_NONE )
        m_post( event );
    return m_defaultProcessing( pWindow, message, wParam, lParam );
}
