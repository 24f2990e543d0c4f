#include "Framework/audio/HAudioDevice.h"

#include "Framework/ScriptEngine/src/HCvarManager.h"
#include "Framework/audio/HNullAudioDevice.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

namespace
{
HAudioDeviceFactory s_platformFactory = nullptr;
}

HAudioDevice::HAudioDevice()
    : m_channels( 0 )
    , m_bits( 0 )
    , m_frequency( 0 )
{
}

HAudioDevice::~HAudioDevice() = default;

int32_t HAudioDevice::getChannels() const
{
    return m_channels;
}

int32_t HAudioDevice::getBits() const
{
    return m_bits;
}

int32_t HAudioDevice::getFrequency() const
{
    return m_frequency;
}

void setPlatformAudioDeviceFactory( HAudioDeviceFactory factory )
{
    s_platformFactory = factory;
}

HAudioDeviceFactory getPlatformAudioDeviceFactory()
{
    return s_platformFactory;
}

HAudioDevice* createAudioDevice( HCvarManager* pCvars, int32_t channels, int32_t bits, int32_t frequency )
{
    const char* kpDriver = pCvars != nullptr ? pCvars->getVariableString( "c_soundDriver" ) : nullptr;
    HAudioDevice* pDevice = nullptr;
    if( kpDriver != nullptr && textEqualsNoCase( kpDriver, "null" ) )
    {
        pDevice = new HNullAudioDevice();
    }
    else if( s_platformFactory != nullptr )
    {
        pDevice = s_platformFactory( kpDriver != nullptr ? kpDriver : "" );
    }
    else
    {
        debugTrace( "createAudioDevice - no platform audio device installed" );
        return nullptr;
    }
    if( pDevice == nullptr )
        return nullptr;
    if( !pDevice->init( channels, bits, frequency ) )
    {
        destroyAudioDevice( pDevice );
        return nullptr;
    }
    return pDevice;
}

void destroyAudioDevice( HAudioDevice* pDevice )
{
    if( pDevice == nullptr )
        return;
    pDevice->shutdownAudioDevice();
    delete pDevice;
}
