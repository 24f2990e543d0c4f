#include "Framework/audio/HOVAudioStream.h"

#include <climits>
#include <new>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include "Framework/audio/HLock.h"
#include "Framework/audio/HOggPageCheck.h"
#include "Framework/util/src/HLog.h"

HOVAudioStream::HOVAudioStream()
    : m_pState( nullptr )
    , m_currentSection( 0 )
    , m_opened( false )
    , m_looping( true )
{
}

HOVAudioStream::~HOVAudioStream()
{
    shutdown();
}

bool HOVAudioStream::init()
{
    if( m_pState == nullptr )
        m_pState = new( std::nothrow ) OggVorbis_File();
    return m_pState != nullptr;
}

void HOVAudioStream::shutdown()
{
    if( m_pState == nullptr )
        return;
    if( m_opened )
        ov_clear( m_pState );
    delete m_pState;
    m_pState = nullptr;
    m_opened = false;
}

bool HOVAudioStream::setStream( const uint8_t* kpData, uint32_t size, int32_t bits, int32_t frequency,
                                int32_t loopPosition )
{
    if( m_pState == nullptr )
        return false;
    if( m_opened )
    {
        ov_clear( m_pState );
        m_opened = false;
    }
    HCompressedAudioStream::setStream( kpData, size, bits, frequency, loopPosition );
    if( kpData == nullptr || size == 0 )
        return false;
    if( !HOggPageCheck::isWellFormed( kpData, size ) )
        return false;

    ov_callbacks callbacks;
    callbacks.read_func = &HCompressedAudioStream::readCallback;
    callbacks.seek_func = &HCompressedAudioStream::seekCallback;
    callbacks.close_func = &HCompressedAudioStream::closeCallback;
    callbacks.tell_func = &HCompressedAudioStream::tellCallback;
    if( ov_open_callbacks( this, m_pState, nullptr, 0, callbacks ) < 0 )
    {
        debugTrace( "HOVAudioStream::setStream - ov_open_callbacks failed" );
        return false;
    }
    vorbis_info* pInfo = ov_info( m_pState, -1 );
    if( pInfo == nullptr || pInfo->channels < 1 )
    {
        ov_clear( m_pState );
        return false;
    }
    m_opened = true;
    // What is decoded is what the decoder reports, whatever the caller supposed.
    m_channels = pInfo->channels;
    m_frequency = static_cast<int32_t>( pInfo->rate );
    m_bits = 16;
    m_currentSection = 0;

    ogg_int64_t total = ov_pcm_total( m_pState, -1 );
    if( loopPosition < 0 || ( loopPosition > 0 && total >= 0 && loopPosition >= total ) )
    {
        debugTrace( "HOVAudioStream::setStream - loop position %d outside the stream, looping from 0", loopPosition );
        m_loopPosition = 0;
    }
    return true;
}

int32_t HOVAudioStream::readNextChunk( uint8_t* pBuffer, int32_t byteCount )
{
    if( !hasBlock() || !m_opened || pBuffer == nullptr || byteCount <= 0 )
        return 0;
    HLockGuard guard( m_pLock );
    return m_readLocked( pBuffer, byteCount );
}

int32_t HOVAudioStream::m_readLocked( uint8_t* pBuffer, int32_t byteCount )
{
    int32_t delivered = 0;
    // An end met straight after a seek means nothing lies past the loop point (a stream shorter
    // than it claims); seeking again would spin for ever.
    bool endAfterSeek = false;
    while( delivered < byteCount )
    {
        long result = ov_read( m_pState, reinterpret_cast<char*>( pBuffer + delivered ), byteCount - delivered, 0, 2,
                               1, &m_currentSection );
        if( result > 0 )
        {
            delivered += static_cast<int32_t>( result );
            endAfterSeek = false;
            continue;
        }
        if( result < 0 || !m_looping || endAfterSeek )
            break;
        if( ov_pcm_seek( m_pState, m_loopPosition ) != 0 )
            break;
        endAfterSeek = true;
    }
    return delivered;
}

void HOVAudioStream::restart()
{
    if( m_pState == nullptr || !m_opened )
        return;
    HLockGuard guard( m_pLock );
    ov_pcm_seek( m_pState, 0 );
}

int32_t HOVAudioStream::getLength()
{
    if( m_pState == nullptr || !m_opened )
        return 0;
    ogg_int64_t total = ov_pcm_total( m_pState, -1 );
    if( total <= 0 )
        return 0;
    ogg_int64_t bytes = total * m_channels * 2;
    return bytes > INT32_MAX ? 0 : static_cast<int32_t>( bytes );
}
