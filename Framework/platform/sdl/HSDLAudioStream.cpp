#include "Framework/platform/sdl/HSDLAudioStream.h"

#include <SDL.h>

#include <cmath>
#include <cstring>

#include "Framework/audio/HStreamingAudioSource.h"

namespace
{
const int32_t kUnityGain = 65536;
}

HSDLAudioStream::HSDLAudioStream()
    : m_deviceId( 0 )
    , m_pSource( nullptr )
    , m_playing( false )
    , m_gain( kUnityGain )
{
    m_lock.init();
}

HSDLAudioStream::~HSDLAudioStream()
{
    release();
}

void HSDLAudioStream::attach( uint32_t deviceId, HStreamingAudioSource* pSource )
{
    HLockGuard guard( &m_lock );
    m_deviceId = deviceId;
    m_pSource = pSource;
    m_playing = false;
    m_gain = kUnityGain;
}

bool HSDLAudioStream::play()
{
    {
        HLockGuard guard( &m_lock );
        if( m_deviceId == 0 || m_pSource == nullptr || m_playing )
            return true;
        m_playing = true;
    }
    SDL_PauseAudioDevice( m_deviceId, 0 );
    return true;
}

bool HSDLAudioStream::stop()
{
    uint32_t deviceId = 0;
    {
        HLockGuard guard( &m_lock );
        if( m_deviceId == 0 || !m_playing )
            return true;
        m_playing = false;
        deviceId = m_deviceId;
    }
    // From here on every block is silence; pausing only spares SDL the calls.
    SDL_PauseAudioDevice( deviceId, 1 );
    return true;
}

void HSDLAudioStream::release()
{
    stop();
    HLockGuard guard( &m_lock );
    m_pSource = nullptr;
    m_deviceId = 0;
}

bool HSDLAudioStream::setVolume( float volume )
{
    HLockGuard guard( &m_lock );
    if( m_deviceId == 0 )
        return false;
    if( !( volume >= 0.0f ) )
        volume = 0.0f;
    if( volume > 1.0f )
        volume = 1.0f;
    // The attenuation of the description's output buffer: (1 - x) * -3300 hundredths of a decibel.
    int32_t hundredths = static_cast<int32_t>( ( 1.0f - volume ) * -3300.0f );
    m_gain = hundredths == 0 ? kUnityGain
                             : static_cast<int32_t>( std::lround( std::pow( 10.0, hundredths / 2000.0 ) * kUnityGain ) );
    return true;
}

bool HSDLAudioStream::isValid()
{
    HLockGuard guard( &m_lock );
    return m_deviceId != 0;
}

bool HSDLAudioStream::isPlaying()
{
    HLockGuard guard( &m_lock );
    return m_playing;
}

int32_t HSDLAudioStream::getGain()
{
    HLockGuard guard( &m_lock );
    return m_gain;
}

void HSDLAudioStream::fillCallback( void* pStream, uint8_t* pBuffer, int byteCount )
{
    static_cast<HSDLAudioStream*>( pStream )->fill( pBuffer, byteCount );
}

void HSDLAudioStream::fill( uint8_t* pBuffer, int32_t byteCount )
{
    HLockGuard guard( &m_lock );
    const bool is8Bit = m_pSource != nullptr && m_pSource->getBits() == 8;
    if( !m_playing || m_pSource == nullptr )
    {
        std::memset( pBuffer, is8Bit ? 128 : 0, static_cast<size_t>( byteCount ) );
        return;
    }
    int32_t delivered = m_pSource->readNextChunk( pBuffer, byteCount );
    if( delivered < byteCount )
        std::memset( pBuffer + ( delivered > 0 ? delivered : 0 ), is8Bit ? 128 : 0,
                     static_cast<size_t>( byteCount - ( delivered > 0 ? delivered : 0 ) ) );
    if( m_gain == kUnityGain )
        return;
    if( is8Bit )
    {
        for( int32_t index = 0; index < byteCount; ++index )
            pBuffer[ index ] = static_cast<uint8_t>( ( ( ( pBuffer[ index ] - 128 ) * m_gain ) >> 16 ) + 128 );
        return;
    }
    for( int32_t index = 0; index + 1 < byteCount; index += 2 )
    {
        int32_t value = static_cast<int16_t>( static_cast<uint16_t>( pBuffer[ index ] | ( pBuffer[ index + 1 ] << 8 ) ) );
        uint16_t scaled = static_cast<uint16_t>( ( value * m_gain ) >> 16 );
        pBuffer[ index ] = static_cast<uint8_t>( scaled & 0xff );
        pBuffer[ index + 1 ] = static_cast<uint8_t>( scaled >> 8 );
    }
}
