#include "Framework/platform/win32/HWin32AudioDeviceFactory.h"

#include "Framework/platform/win32/HDirectSoundAudioDevice.h"
#include "Framework/platform/win32/HWaveOutAudioDevice.h"
#include "Framework/util/src/HText.h"

HAudioDevice* createWin32AudioDevice( const char* kpDriver )
{
    if( kpDriver != nullptr && textEqualsNoCase( kpDriver, "win32" ) )
        return new HWaveOutAudioDevice();
    return new HDirectSoundAudioDevice();
}
