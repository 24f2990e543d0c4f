#include "Framework/platform/win32/HWin32InputDevice.h"

#include <windows.h>

#include "Framework/application/HWindowProcedure.h"
#include "Framework/platform/win32/HWin32WindowHost.h"
#include "Framework/util/src/HLog.h"

HWin32InputDevice::HWin32InputDevice( HCvarManager* pCvars )
    : m_pCvars( pCvars )
    , m_created( false )
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
