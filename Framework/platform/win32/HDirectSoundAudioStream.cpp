#include "Framework/platform/win32/HDirectSoundAudioStream.h"

#include <windows.h>

#include <dsound.h>

#include <cstring>

#include "Framework/audio/HStreamingAudioSource.h"
#include "Framework/util/src/HLog.h"

namespace
{
unsigned lowWord( HRESULT result )
{
    return static_cast<unsigned>( result ) & 0xFFFFu;
}

// What the source did not deliver is silence, not whatever the buffer held before.
void readInto( HStreamingAudioSource* pSource, int32_t bits, void* pRegion, DWORD length )
{
    if( pRegion == nullptr || length == 0 )
        return;
    uint8_t* pBytes = static_cast<uint8_t*>( pRegion );
    int32_t delivered = pSource != nullptr ? pSource->readNextChunk( pBytes, static_cast<int32_t>( length ) ) : 0;
    if( delivered < 0 )
        delivered = 0;
    if( static_cast<DWORD>( delivered ) < length )
        std::memset( pBytes + delivered, bits == 8 ? 128 : 0, length - static_cast<DWORD>( delivered ) );
}
}

HDirectSoundAudioStream::HDirectSoundAudioStream()
    : m_bufferBytes( 0 )
    , m_stopEvent( ::CreateEventA( nullptr, TRUE, FALSE, nullptr ) )
    , m_channels( 0 )
    , m_bits( 0 )
    , m_frequency( 0 )
    , m_bytesPerSecond( 0 )
    , m_playing( false )
    , m_writeCursor( 0 )
    , m_pSource( nullptr )
    , m_pOwner( nullptr )
    , m_pBuffer( nullptr )
{
    if( !m_lock.init() )
        debugTrace( "Could not create critical section for HDirectSoundAudioStream" );
    m_fillThread.setRoutine( &HDirectSoundAudioStream::m_fillLoop );
}

HDirectSoundAudioStream::~HDirectSoundAudioStream()
{
    release();
    if( m_stopEvent != nullptr )
        ::CloseHandle( static_cast<HANDLE>( m_stopEvent ) );
    m_lock.shutdown();
}

bool HDirectSoundAudioStream::adopt( IDirectSoundBuffer* pBuffer, uint32_t bufferBytes, int32_t channels,
                                     int32_t bits, int32_t frequency, HStreamingAudioSource* pSource )
{
    {
        HLockGuard guard( &m_lock );
        m_pBuffer = pBuffer;
        m_bufferBytes = bufferBytes;
        m_channels = channels;
        m_bits = bits;
        m_frequency = frequency;
        m_bytesPerSecond = channels * bits / 8 * frequency;
        m_pSource = pSource;
        m_writeCursor = 0;
        m_playing = false;
    }
    if( !m_fillStream( bufferBytes ) )
    {
        debugTrace( "Failed to fill stream as called from createStream()" );
        return false;
    }
    return true;
}

bool HDirectSoundAudioStream::m_fillStream( uint32_t byteCount )
{
    HLockGuard guard( &m_lock );
    if( m_pBuffer == nullptr || m_bufferBytes == 0 )
        return false;
    void* pFirst = nullptr;
    void* pSecond = nullptr;
    DWORD firstLength = 0;
    DWORD secondLength = 0;
    HRESULT result = m_pBuffer->Lock( m_writeCursor, byteCount, &pFirst, &firstLength, &pSecond, &secondLength, 0 );
    if( FAILED( result ) )
    {
        debugTrace( "m_fillStream - Lock failed with error '%d' (wr=%d,btw=%d,pW=%p)", lowWord( result ),
                    static_cast<int>( m_writeCursor ), static_cast<int>( byteCount ), pFirst );
        return false;
    }
    // A region that runs past the buffer's end comes back in two parts.
    readInto( m_pSource, m_bits, pFirst, firstLength );
    readInto( m_pSource, m_bits, pSecond, secondLength );
    m_pBuffer->Unlock( pFirst, firstLength, pSecond, secondLength );
    m_writeCursor = static_cast<uint32_t>( ( static_cast<uint64_t>( m_writeCursor ) + byteCount ) % m_bufferBytes );
    return true;
}

void HDirectSoundAudioStream::fillUpTo( uint32_t playCursor )
{
    HLockGuard guard( &m_lock );
    if( m_pBuffer == nullptr || m_bufferBytes == 0 )
        return;
    int64_t gap = static_cast<int64_t>( playCursor ) - m_writeCursor;
    while( gap < 0 )
        gap += m_bufferBytes;
    if( gap > 0 )
        m_fillStream( static_cast<uint32_t>( gap ) );
}

void HDirectSoundAudioStream::m_fillLoop( void* pParameter )
{
    HDirectSoundAudioStream* pStream = static_cast<HDirectSoundAudioStream*>( pParameter );
    HANDLE stopEvent = static_cast<HANDLE>( pStream->m_stopEvent );
    for( ;; )
    {
        DWORD waitMs = 25;
        {
            HLockGuard guard( &pStream->m_lock );
            if( ::WaitForSingleObject( stopEvent, 0 ) == WAIT_OBJECT_0 || pStream->m_pBuffer == nullptr )
                return;
            DWORD playCursor = 0;
            DWORD writeCursor = 0;
            DWORD status = 0;
            HRESULT result = pStream->m_pBuffer->GetCurrentPosition( &playCursor, &writeCursor );
            pStream->m_pBuffer->GetStatus( &status );
            // Everything the hardware played since the last pass is replaced by new sound.
            if( SUCCEEDED( result ) )
                pStream->fillUpTo( playCursor );
            if( pStream->m_bytesPerSecond > 0 )
                waitMs = static_cast<DWORD>( static_cast<uint64_t>( pStream->m_bufferBytes ) * 1000 /
                                             static_cast<uint64_t>( pStream->m_bytesPerSecond ) / 4 );
        }
        // Never waits while holding the lock, so stop and release are never kept waiting a pass.
        if( ::WaitForSingleObject( stopEvent, waitMs ) == WAIT_OBJECT_0 )
            return;
    }
}

bool HDirectSoundAudioStream::play()
{
    // A fill thread from before is over (stop waits for it); starting a new one under the lock
    // must never have to wait for an old one that wants the lock.
    m_endFillThread();
    HLockGuard guard( &m_lock );
    if( m_pOwner == nullptr || m_pBuffer == nullptr || m_playing )
        return true;
    HRESULT result = m_pBuffer->Play( 0, 0, DSBPLAY_LOOPING );
    if( SUCCEEDED( result ) )
    {
        ::ResetEvent( static_cast<HANDLE>( m_stopEvent ) );
        m_playing = true;
        m_fillThread.start( this );
    }
    return true;
}

void HDirectSoundAudioStream::m_endFillThread()
{
    // Outside the lock: the thread may be waiting for it before it sees the event.
    m_fillThread.join();
}

bool HDirectSoundAudioStream::stop()
{
    {
        HLockGuard guard( &m_lock );
        if( m_pOwner == nullptr || m_pBuffer == nullptr || !m_playing )
            return true;
        m_pBuffer->Stop();
        ::SetEvent( static_cast<HANDLE>( m_stopEvent ) );
        m_playing = false;
    }
    m_endFillThread();
    return true;
}

void HDirectSoundAudioStream::release()
{
    stop();
    {
        HLockGuard guard( &m_lock );
        if( m_pOwner != nullptr && m_pBuffer != nullptr )
        {
            DWORD status = 0;
            m_pBuffer->GetStatus( &status );
            m_pBuffer->Release();
            m_pBuffer = nullptr;
            ::SetEvent( static_cast<HANDLE>( m_stopEvent ) );
        }
        m_pSource = nullptr;
    }
    m_endFillThread();
}

bool HDirectSoundAudioStream::setVolume( float volume )
{
    HLockGuard guard( &m_lock );
    if( m_pOwner == nullptr || m_pBuffer == nullptr )
        return false;
    if( !( volume >= 0.0f ) )
        volume = 0.0f;
    if( volume > 1.0f )
        volume = 1.0f;
    LONG hundredths = static_cast<LONG>( ( 1.0f - volume ) * -3300.0f );
    HRESULT result = m_pBuffer->SetVolume( hundredths );
    if( FAILED( result ) )
    {
        debugTrace( "HDirectSoundAudioStream::setVolume - failed with error code '%d'", lowWord( result ) );
        return false;
    }
    return true;
}

bool HDirectSoundAudioStream::isValid()
{
    HLockGuard guard( &m_lock );
    return m_pOwner != nullptr && m_pBuffer != nullptr;
}

uint32_t HDirectSoundAudioStream::getWriteCursor()
{
    HLockGuard guard( &m_lock );
    return m_writeCursor;
}

bool HDirectSoundAudioStream::isPlaying()
{
    HLockGuard guard( &m_lock );
    return m_playing;
}
