#include "Framework/platform/win32/HWin32InputDevice.h"

#include <windows.h>

#include "Framework/application/HWindowProcedure.h"
#include "Framework/platform/win32/HWin32WindowHost.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HProcessServices.h"

namespace
{
// XInput's state record, as its header lays it out.
struct PadState
{
    DWORD packetNumber;
    WORD buttons;
    BYTE leftTrigger;
    BYTE rightTrigger;
    SHORT thumbLX;
    SHORT thumbLY;
    SHORT thumbRX;
    SHORT thumbRY;
};

const uint32_t kScanInterval = 2000;
} // namespace

namespace
{
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// A high-resolution timer where the system offers one (Windows 10 1803 on), else a plain one.
HANDLE createWaitTimer()
{
    HANDLE timer =
        ::CreateWaitableTimerExW( nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS );
    if( timer == nullptr )
        timer = ::CreateWaitableTimerExW( nullptr, nullptr, 0, TIMER_ALL_ACCESS );
    return timer;
}
} // namespace

HWin32InputDevice::HWin32InputDevice( HCvarManager* pCvars )
    : m_pCvars( pCvars )
    , m_created( false )
    , m_timer( nullptr )
    , m_xinputLibrary( nullptr )
    , m_pGetState( nullptr )
    , m_aConnected()
    , m_nextScan( 0 )
    , m_padKeys()
{
}

HInputDevice* HWin32InputDevice::obtain( HCvarManager* pCvars )
{
    static HWin32InputDevice s_device( pCvars );
    static bool s_created = s_device.create();
    return s_created ? &s_device : nullptr;
}

bool HWin32InputDevice::create()
{
    logMessage( ">>>HWin32InputDevice::create()\n" );
    logMessage( "...calling DirectInputCreate..." );
    HWindowProcedure& procedure = HWindowProcedure::processInstance();
    if( procedure.getHost() == nullptr )
        procedure.setHost( &HWin32WindowHost::processInstance() );
    m_timer = createWaitTimer();
    m_created = true;
    logMessage( "ok\n" );
    m_loadXInput();
    return true;
}

void HWin32InputDevice::m_loadXInput()
{
    // The newest first; a system without any has no pads, and the keyboard and mouse still play.
    static const char* const kapNames[] = { "xinput1_4.dll", "xinput9_1_0.dll", "xinput1_3.dll" };
    for( const char* kpName : kapNames )
    {
        HMODULE library = ::LoadLibraryA( kpName );
        if( library == nullptr )
            continue;
        FARPROC pFunction = ::GetProcAddress( library, "XInputGetState" );
        if( pFunction == nullptr )
        {
            ::FreeLibrary( library );
            continue;
        }
        m_xinputLibrary = library;
        m_pGetState = reinterpret_cast<GetStateFunction>( reinterpret_cast<void*>( pFunction ) );
        logMessage( "...game pads through %s\n", kpName );
        return;
    }
    logMessage( "...no XInput: no game pads\n" );
}

void HWin32InputDevice::m_readPads()
{
    if( m_pGetState == nullptr )
        return;
    uint64_t now = processServices().getTime();
    bool scan = now >= m_nextScan || now + kScanInterval < m_nextScan;
    if( scan )
        m_nextScan = now + kScanInterval;
    uint32_t held = 0;
    for( int slot = 0; slot < kPadSlots; ++slot )
    {
        if( !m_aConnected[ slot ] && !scan )
            continue;
        PadState state = {};
        bool connected = m_pGetState( static_cast<uint32_t>( slot ), &state ) == ERROR_SUCCESS;
        if( connected != m_aConnected[ slot ] )
            logMessage( "...game pad %d %s\n", slot, connected ? "connected" : "gone" );
        m_aConnected[ slot ] = connected;
        if( connected )
            held |= HGamepadMapper::fromXInput( state.buttons, state.thumbLX, state.thumbLY );
    }
    if( held == 0 && m_padKeys.getHeld() == 0 )
        return;
    HGamepadMessage aMessages[ HGamepadMapper::kMostMessages ];
    size_t count = m_padKeys.update( held, now, aMessages );
    HWindowProcedure& procedure = HWindowProcedure::processInstance();
    for( size_t i = 0; i < count; ++i )
        procedure.handleMessage( procedure.getWindow(), aMessages[ i ].message, aMessages[ i ].wParam, 0 );
}

bool HWin32InputDevice::poll()
{
    MSG message;
    while( ::PeekMessageA( &message, nullptr, 0, 0, PM_NOREMOVE ) )
    {
        if( ::GetMessageA( &message, nullptr, 0, 0 ) == 0 )
            return false;
        ::TranslateMessage( &message );
        ::DispatchMessageA( &message );
    }
    m_readPads();
    return true;
}

void HWin32InputDevice::waitForInput( uint32_t timeoutMs )
{
    if( timeoutMs == 0 )
        return;
    // A game pad sends no messages: while one is connected, it is read at least every frame.
    const uint32_t kPadPeriod = 16;
    for( bool connected : m_aConnected )
    {
        if( connected && timeoutMs > kPadPeriod )
            timeoutMs = kPadPeriod;
    }
    // Messages already seen by poll's peek count as waiting too.
    const DWORD kWake = QS_ALLINPUT;
    const DWORD kFlags = MWMO_INPUTAVAILABLE;
    HANDLE timer = static_cast<HANDLE>( m_timer );
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>( timeoutMs ) * 10000;
    if( timer != nullptr && ::SetWaitableTimer( timer, &due, 0, nullptr, nullptr, FALSE ) )
    {
        ::MsgWaitForMultipleObjectsEx( 1, &timer, INFINITE, kWake, kFlags );
        ::CancelWaitableTimer( timer );
        return;
    }
    ::MsgWaitForMultipleObjectsEx( 0, nullptr, timeoutMs, kWake, kFlags );
}
