#include "Framework/platform/win32/HWin32InputDevice.h"

#include <windows.h>

#include "Framework/application/HWindowProcedure.h"
#include "Framework/platform/win32/HWin32WindowHost.h"
#include "Framework/util/src/HLog.h"

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
    return true;
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
    return true;
}

void HWin32InputDevice::waitForInput( uint32_t timeoutMs )
{
    if( timeoutMs == 0 )
        return;
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
