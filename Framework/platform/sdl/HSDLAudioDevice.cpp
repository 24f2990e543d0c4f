#include "Framework/platform/sdl/HSDLAudioDevice.h"

#include <SDL.h>

#include "Framework/util/src/HLog.h"

HSDLAudioDevice::HSDLAudioDevice()
    : m_deviceId( 0 )
    , m_subsystemStarted( false )
{
}

HSDLAudioDevice::~HSDLAudioDevice()
{
    shutdownAudioDevice();
}

HAudioDevice* HSDLAudioDevice::create( const char* )
{
    // SDL has one output whatever the driver's name.
    return new HSDLAudioDevice();
}

bool HSDLAudioDevice::init( int32_t channels, int32_t bits, int32_t frequency )
{
    if( m_deviceId != 0 )
        return false;
    if( ( bits != 8 && bits != 16 ) || channels < 1 || channels > 2 || frequency <= 0 )
    {
        logMessage( "...audio format %d channels %d bits %d Hz unsupported\n", channels, bits, frequency );
        return false;
    }
    if( SDL_InitSubSystem( SDL_INIT_AUDIO ) != 0 )
    {
        logMessage( "...SDL audio unavailable: %s\n", SDL_GetError() );
        return false;
    }
    m_subsystemStarted = true;

    SDL_AudioSpec desired;
    SDL_zero( desired );
    desired.freq = frequency;
    desired.format = bits == 16 ? AUDIO_S16LSB : AUDIO_U8;
    desired.channels = static_cast<Uint8>( channels );
    desired.samples = kBlockFrames;
    desired.callback = &HSDLAudioStream::fillCallback;
    desired.userdata = &m_stream;
    SDL_AudioSpec obtained;
    SDL_zero( obtained );
    // No changes allowed: SDL converts to whatever the hardware wants, so the mixer's blocks are
    // always in the format it was given.
    m_deviceId = SDL_OpenAudioDevice( nullptr, 0, &desired, &obtained, 0 );
    if( m_deviceId == 0 )
    {
        logMessage( "...could not open an SDL audio device: %s\n", SDL_GetError() );
        shutdownAudioDevice();
        return false;
    }
    m_channels = channels;
    m_bits = bits;
    m_frequency = frequency;
    return true;
}

HAudioStream* HSDLAudioDevice::createStream( HStreamingAudioSource* pSource )
{
    if( m_deviceId == 0 || pSource == nullptr || m_stream.isAttached() )
        return nullptr;
    m_stream.attach( m_deviceId, pSource );
    return &m_stream;
}

void HSDLAudioDevice::shutdownAudioDevice()
{
    m_stream.release();
    if( m_deviceId != 0 )
    {
        // Waits for SDL's audio thread to end.
        SDL_CloseAudioDevice( m_deviceId );
        m_deviceId = 0;
    }
    if( m_subsystemStarted )
    {
        SDL_QuitSubSystem( SDL_INIT_AUDIO );
        m_subsystemStarted = false;
    }
}
