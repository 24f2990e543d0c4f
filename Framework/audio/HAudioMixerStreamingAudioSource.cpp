#include "Framework/audio/HAudioMixerStreamingAudioSource.h"

#include <cstring>

#include "Framework/util/src/HLog.h"

namespace
{
inline int32_t load16( const uint8_t* kpBytes )
{
    return static_cast<int16_t>( static_cast<uint16_t>( kpBytes[ 0 ] | ( kpBytes[ 1 ] << 8 ) ) );
}

inline void store16( uint8_t* pBytes, int32_t value )
{
    uint16_t word = static_cast<uint16_t>( value );
    pBytes[ 0 ] = static_cast<uint8_t>( word & 0xff );
    pBytes[ 1 ] = static_cast<uint8_t>( word >> 8 );
}

inline int32_t clampTo( int32_t value, int32_t low, int32_t high )
{
    return value < low ? low : ( value > high ? high : value );
}

inline int32_t clampVolume( int32_t volume )
{
    return clampTo( volume, 0, 255 );
}
}

HAudioMixerStreamingAudioSource::HAudioMixerStreamingAudioSource()
    : m_pMusicSource( nullptr )
    , m_musicVolume( 255 )
{
    m_lock.init();
    for( Voice& voice : m_voices )
        m_resetVoice( voice );
}

HAudioMixerStreamingAudioSource::~HAudioMixerStreamingAudioSource() = default;

bool HAudioMixerStreamingAudioSource::init()
{
    return true;
}

void HAudioMixerStreamingAudioSource::shutdown()
{
    HLockGuard guard( &m_lock );
    for( Voice& voice : m_voices )
        m_resetVoice( voice );
}

int32_t HAudioMixerStreamingAudioSource::getChannels() const
{
    return m_channels;
}

int32_t HAudioMixerStreamingAudioSource::getFrequency() const
{
    return m_frequency;
}

void HAudioMixerStreamingAudioSource::setFormat( int32_t channels, int32_t bits, int32_t frequency )
{
    HLockGuard guard( &m_lock );
    HStreamingAudioSource::setFormat( channels, bits, frequency );
}

void HAudioMixerStreamingAudioSource::m_resetVoice( Voice& voice )
{
    voice.data = nullptr;
    voice.channels = 0;
    voice.bits = 0;
    voice.frequency = 0;
    voice.size = 0;
    voice.paused = 1;
    voice.position = 0;
    voice.volume = 255;
    voice.tag = 0;
    voice.loopsLeft = 0;
    voice.length = 0;
}

int32_t HAudioMixerStreamingAudioSource::playSample( int32_t* pVoiceIndex, const AudioSample* kpSample, int32_t volume,
                                                     int32_t tag, int32_t loopCount )
{
    if( kpSample == nullptr || kpSample->data == nullptr || loopCount < -1 )
        return -2;
    if( kpSample->channels < 1 || kpSample->channels > 2 || ( kpSample->bits != 8 && kpSample->bits != 16 ) ||
        kpSample->size <= 0 )
        return -2;

    HLockGuard guard( &m_lock );
    if( kpSample->bits != m_bits || kpSample->channels > m_channels || kpSample->frequency != m_frequency )
        return -2;
    // Whole frames only, so a stereo step never reads past the end of the data.
    int32_t length = kpSample->size / ( kpSample->bits / 8 );
    length -= length % kpSample->channels;
    if( length <= 0 )
        return -2;

    for( int32_t index = 0; index < kVoiceCount; ++index )
    {
        Voice& voice = m_voices[ index ];
        if( voice.data != nullptr )
            continue;
        voice.data = kpSample->data;
        voice.channels = kpSample->channels;
        voice.bits = kpSample->bits;
        voice.frequency = kpSample->frequency;
        voice.size = kpSample->size;
        voice.position = 0;
        voice.volume = static_cast<uint8_t>( clampVolume( volume ) );
        voice.tag = static_cast<uint8_t>( tag );
        voice.loopsLeft = loopCount;
        voice.length = length;
        voice.paused = 0;
        if( pVoiceIndex != nullptr )
            *pVoiceIndex = index;
        return 0;
    }
    debugTrace( "*WARNING* HAudioMixerStreamingAudioSource::playSample - out of voices\n" );
    return -1;
}

void HAudioMixerStreamingAudioSource::setVoicePaused( int32_t index, bool paused )
{
    if( index < 0 || index >= kVoiceCount )
        return;
    HLockGuard guard( &m_lock );
    m_voices[ index ].paused = paused ? 1 : 0;
}

void HAudioMixerStreamingAudioSource::setVoiceVolume( int32_t index, int32_t volume )
{
    if( index < 0 || index >= kVoiceCount )
        return;
    HLockGuard guard( &m_lock );
    m_voices[ index ].volume = static_cast<uint8_t>( clampVolume( volume ) );
}

void HAudioMixerStreamingAudioSource::rewindVoice( int32_t index )
{
    if( index < 0 || index >= kVoiceCount )
        return;
    HLockGuard guard( &m_lock );
    m_voices[ index ].position = 0;
}

void HAudioMixerStreamingAudioSource::stopVoice( int32_t index )
{
    if( index < 0 || index >= kVoiceCount )
        return;
    HLockGuard guard( &m_lock );
    m_resetVoice( m_voices[ index ] );
}

bool HAudioMixerStreamingAudioSource::isSamplePlaying( const uint8_t* kpData )
{
    if( kpData == nullptr )
        return false;
    HLockGuard guard( &m_lock );
    for( const Voice& voice : m_voices )
    {
        if( voice.data == kpData )
            return true;
    }
    return false;
}

int32_t HAudioMixerStreamingAudioSource::stopSample( const uint8_t* kpData )
{
    if( kpData == nullptr )
        return 0;
    HLockGuard guard( &m_lock );
    int32_t stopped = 0;
    for( Voice& voice : m_voices )
    {
        if( voice.data == kpData )
        {
            m_resetVoice( voice );
            ++stopped;
        }
    }
    return stopped;
}

int32_t HAudioMixerStreamingAudioSource::setMusicSource( int32_t* pHandle, HStreamingAudioSource* pSource,
                                                         int32_t volume )
{
    HLockGuard guard( &m_lock );
    if( pSource != m_pMusicSource )
    {
        if( pHandle != nullptr )
            *pHandle = 0;
        m_pMusicSource = pSource;
        m_musicVolume = static_cast<uint8_t>( clampVolume( volume ) );
    }
    return 0;
}

void HAudioMixerStreamingAudioSource::clearMusicSource( int32_t /*handle*/ )
{
    HLockGuard guard( &m_lock );
    m_pMusicSource = nullptr;
}

HStreamingAudioSource* HAudioMixerStreamingAudioSource::getMusicSource()
{
    HLockGuard guard( &m_lock );
    return m_pMusicSource;
}

bool HAudioMixerStreamingAudioSource::getVoiceState( int32_t index, VoiceState& state )
{
    if( index < 0 || index >= kVoiceCount )
        return false;
    HLockGuard guard( &m_lock );
    const Voice& voice = m_voices[ index ];
    state.data = voice.data;
    state.channels = voice.channels;
    state.bits = voice.bits;
    state.paused = voice.paused != 0;
    state.position = voice.position;
    state.volume = voice.volume;
    state.tag = voice.tag;
    state.loopsLeft = voice.loopsLeft;
    state.length = voice.length;
    return true;
}

void HAudioMixerStreamingAudioSource::m_advanceVoice( Voice& voice, int32_t step )
{
    voice.position += step;
    if( voice.position < voice.length )
        return;
    voice.position = 0;
    --voice.loopsLeft;
    if( voice.loopsLeft == -1 )
        m_resetVoice( voice );
    else if( voice.loopsLeft < -1 )
        voice.loopsLeft = -1;
}

void HAudioMixerStreamingAudioSource::m_stepVoice( Voice& voice, int32_t& left, int32_t& right )
{
    const int32_t volume = voice.volume;
    if( voice.bits == 16 )
    {
        const uint8_t* kpValue = voice.data + voice.position * 2;
        left = ( load16( kpValue ) * volume ) >> 8;
        right = voice.channels == 2 ? ( load16( kpValue + 2 ) * volume ) >> 8 : left;
    }
    else
    {
        const uint8_t* kpValue = voice.data + voice.position;
        left = static_cast<int8_t>( ( ( kpValue[ 0 ] - 128 ) * volume ) >> 8 );
        right = voice.channels == 2 ? static_cast<int8_t>( ( ( kpValue[ 1 ] - 128 ) * volume ) >> 8 ) : left;
    }
    m_advanceVoice( voice, voice.channels == 2 ? 2 : 1 );
}

void HAudioMixerStreamingAudioSource::m_mix16Stereo( uint8_t* pBuffer, int32_t frameCount )
{
    for( int32_t frame = 0; frame < frameCount; ++frame )
    {
        uint8_t* pFrame = pBuffer + frame * 4;
        int32_t left = load16( pFrame );
        int32_t right = load16( pFrame + 2 );
        for( Voice& voice : m_voices )
        {
            if( !m_isAudible( voice ) )
                continue;
            int32_t voiceLeft;
            int32_t voiceRight;
            m_stepVoice( voice, voiceLeft, voiceRight );
            left += voiceLeft;
            right += voiceRight;
        }
        store16( pFrame, clampTo( left, -32768, 32767 ) );
        store16( pFrame + 2, clampTo( right, -32768, 32767 ) );
    }
}

void HAudioMixerStreamingAudioSource::m_mix8( uint8_t* pBuffer, int32_t frameCount, int32_t channels )
{
    for( int32_t frame = 0; frame < frameCount; ++frame )
    {
        uint8_t* pFrame = pBuffer + frame * channels;
        int32_t left = pFrame[ 0 ];
        int32_t right = channels == 2 ? pFrame[ 1 ] : 0;
        for( Voice& voice : m_voices )
        {
            if( !m_isAudible( voice ) )
                continue;
            int32_t voiceLeft;
            int32_t voiceRight;
            m_stepVoice( voice, voiceLeft, voiceRight );
            left += voiceLeft;
            right += voiceRight;
        }
        pFrame[ 0 ] = static_cast<uint8_t>( clampTo( left, 0, 255 ) );
        if( channels == 2 )
            pFrame[ 1 ] = static_cast<uint8_t>( clampTo( right, 0, 255 ) );
    }
}

bool HAudioMixerStreamingAudioSource::m_pullMusic( uint8_t* pBuffer, int32_t byteCount )
{
    if( m_pMusicSource == nullptr )
        return false;
    int32_t delivered = m_pMusicSource->readNextChunk( pBuffer, byteCount );
    if( delivered <= 0 )
        return false;
    // A short delivery (a decoding error) must not leave stale bytes to be played as noise.
    if( delivered < byteCount )
        std::memset( pBuffer + delivered, 0, static_cast<size_t>( byteCount - delivered ) );
    const int32_t valueCount = byteCount / 2;
    for( int32_t index = 0; index < valueCount; ++index )
        store16( pBuffer + index * 2, ( load16( pBuffer + index * 2 ) * m_musicVolume ) >> 8 );
    return true;
}

int32_t HAudioMixerStreamingAudioSource::readNextChunk( uint8_t* pBuffer, int32_t byteCount )
{
    if( pBuffer == nullptr || byteCount <= 0 )
        return 0;

    HLockGuard guard( &m_lock );
    // Music is 16-bit material; an 8-bit mixer plays only its voices.
    if( m_bits == 16 )
    {
        if( !m_pullMusic( pBuffer, byteCount ) )
            std::memset( pBuffer, 0, static_cast<size_t>( byteCount ) );
    }
    else
    {
        std::memset( pBuffer, m_bits == 8 ? 128 : 0, static_cast<size_t>( byteCount ) );
    }

    if( m_channels == 2 && m_bits == 16 )
        m_mix16Stereo( pBuffer, byteCount / 4 );
    else if( ( m_channels == 1 || m_channels == 2 ) && m_bits == 8 )
        m_mix8( pBuffer, byteCount / m_channels, m_channels );
    else
        debugTrace( "readNextChunk: unsupported format %d channels %d bits", m_channels, m_bits );
    return byteCount;
}
