// The process entry on Windows. The one application object is a global of the program (the game
// defines it); this finds it through HApplication::getInstance and runs it.
#include <windows.h>

#include "Framework/application/HApplication.h"
#include "Framework/application/HWindowProcedure.h"
#include "Framework/audio/HAudioDevice.h"
#include "Framework/platform/win32/HWin32AudioDeviceFactory.h"
#include "Framework/platform/win32/HWin32InputDevice.h"
#include "Framework/platform/win32/HWin32ProcessServices.h"
#include "Framework/platform/win32/HWin32WindowHost.h"

int WINAPI WinMain( HINSTANCE, HINSTANCE, LPSTR kpCmdLine, int )
{
    static HWin32ProcessServices s_services;
    setProcessServices( &s_services );
    HWindowProcedure::processInstance().setHost( &HWin32WindowHost::processInstance() );
    HInputDevice::setProvider( HWin32InputDevice::obtain );
    setPlatformAudioDeviceFactory( createWin32AudioDevice );

    char executable[ 1024 ];
    if( s_services.getExecutablePath( executable, sizeof( executable ) ) == nullptr )
        executable[ 0 ] = '\0';
    return HApplication::runProcess( kpCmdLine != nullptr ? kpCmdLine : "", executable );
}
