#include "Framework/platform/win32/HWaveOutAudioStream.h"

#include <windows.h>

#include <mmsystem.h>

#include <cstring>
#include <vector>

#include "Framework/audio/HStreamingAudioSource.h"
#include "Framework/util/src/HLog.h"

namespace
{
// How long release waits for the driver to hand the buffers back before it gives up on them.
const int kReleaseChecks = 50;
const DWORD kReleaseCheckMs = 100;
}

struct HWaveOutAudioStream::Buffers
{
    WAVEHDR headers[ kBufferCount ];
    std::vector<uint8_t> data[ kBufferCount ];
    bool prepared[ kBufferCount ];
};

uint32_t HWaveOutAudioStream::blockSizeFor( int32_t channels, int32_t bits, int32_t frequency )
{
    uint32_t align = static_cast<uint32_t>( channels * ( bits / 8 ) );
    if( align == 0 )
        return 0;
    uint32_t bytes = align + static_cast<uint32_t>( static_cast<uint64_t>( align ) * frequency * 100 / 1000 );
    // The description clears the alignment's bits; for the 1, 2 and 4 byte frames used that is
    // a whole number of frames.
    return bytes & ~( align - 1 );
}

HWaveOutAudioStream::HWaveOutAudioStream( int32_t channels, int32_t bits, int32_t frequency )
    : m_blockSize( blockSizeFor( channels, bits, frequency ) )
    , m_bits( bits )
    , m_pBuffers( new Buffers() )
    , m_current( 0 )
    , m_pSource( nullptr )
    , m_pWaveOut( nullptr )
    , m_stopping( false )
{
    m_lock.init();
    for( int i = 0; i < kBufferCount; ++i )
    {
        m_pBuffers->data[ i ].assign( m_blockSize, bits == 8 ? 128 : 0 );
        std::memset( &m_pBuffers->headers[ i ], 0, sizeof( WAVEHDR ) );
        m_pBuffers->headers[ i ].lpData = reinterpret_cast<LPSTR>( m_pBuffers->data[ i ].data() );
        m_pBuffers->headers[ i ].dwBufferLength = m_blockSize;
        m_pBuffers->prepared[ i ] = false;
    }
}

HWaveOutAudioStream::~HWaveOutAudioStream()
{
    release();
    m_lock.shutdown();
}

bool HWaveOutAudioStream::attach( void* pWaveOut, HStreamingAudioSource* pSource )
{
    HLockGuard guard( &m_lock );
    if( pWaveOut == nullptr || pSource == nullptr || m_pSource != nullptr )
        return false;
    HWAVEOUT waveOut = static_cast<HWAVEOUT>( pWaveOut );
    for( int i = 0; i < kBufferCount; ++i )
    {
        if( ::waveOutPrepareHeader( waveOut, &m_pBuffers->headers[ i ], sizeof( WAVEHDR ) ) != MMSYSERR_NOERROR )
        {
            for( int j = 0; j < i; ++j )
            {
                ::waveOutUnprepareHeader( waveOut, &m_pBuffers->headers[ j ], sizeof( WAVEHDR ) );
                m_pBuffers->prepared[ j ] = false;
            }
            return false;
        }
        m_pBuffers->prepared[ i ] = true;
    }
    m_pWaveOut = pWaveOut;
    m_pSource = pSource;
    return true;
}

void HWaveOutAudioStream::m_fill( int index )
{
    uint8_t* pData = m_pBuffers->data[ index ].data();
    int32_t delivered = m_pSource != nullptr ? m_pSource->readNextChunk( pData, static_cast<int32_t>( m_blockSize ) ) : 0;
    if( delivered < 0 )
        delivered = 0;
    if( static_cast<uint32_t>( delivered ) < m_blockSize )
        std::memset( pData + delivered, m_bits == 8 ? 128 : 0, m_blockSize - static_cast<uint32_t>( delivered ) );
}

bool HWaveOutAudioStream::play()
{
    HLockGuard guard( &m_lock );
    if( m_pWaveOut == nullptr || m_pSource == nullptr )
        return false;
    // Playing again after a stop resumes the refills.
    m_stopping = false;
    m_current = 0;
    HWAVEOUT waveOut = static_cast<HWAVEOUT>( m_pWaveOut );
    for( int i = 0; i < kBufferCount; ++i )
        m_fill( i );
    for( int i = 0; i < kBufferCount; ++i )
        ::waveOutWrite( waveOut, &m_pBuffers->headers[ i ], sizeof( WAVEHDR ) );
    return true;
}

void HWaveOutAudioStream::bufferDone( void* pHeader )
{
    HLockGuard guard( &m_lock );
    if( m_stopping || m_pWaveOut == nullptr || m_pSource == nullptr )
        return;
    // Buffers come back in the order they were queued, so the current one is the finished one;
    // the driver's own word for which it was is trusted over the count.
    int index = m_current;
    for( int i = 0; i < kBufferCount; ++i )
    {
        if( pHeader == &m_pBuffers->headers[ i ] )
            index = i;
    }
    m_fill( index );
    ::waveOutWrite( static_cast<HWAVEOUT>( m_pWaveOut ), &m_pBuffers->headers[ index ], sizeof( WAVEHDR ) );
    m_current = ( index + 1 ) % kBufferCount;
}

bool HWaveOutAudioStream::stop()
{
    void* pWaveOut = nullptr;
    {
        // Taken so that no refill is under way, and none starts, once the flag is set.
        HLockGuard guard( &m_lock );
        pWaveOut = m_pWaveOut;
        if( pWaveOut == nullptr )
            return true;
        m_stopping = true;
    }
    // The reset hands every queued buffer back; the flag keeps them from being queued again.
    ::waveOutReset( static_cast<HWAVEOUT>( pWaveOut ) );
    return true;
}

void HWaveOutAudioStream::release()
{
    stop();
    HLockGuard guard( &m_lock );
    if( m_pWaveOut == nullptr )
    {
        m_pSource = nullptr;
        return;
    }
    HWAVEOUT waveOut = static_cast<HWAVEOUT>( m_pWaveOut );
    // Only a buffer still queued keeps the driver busy; one never played has nothing to wait for.
    for( int check = 0; check < kReleaseChecks; ++check )
    {
        bool busy = false;
        for( int i = 0; i < kBufferCount; ++i )
            busy = busy || ( m_pBuffers->headers[ i ].dwFlags & WHDR_INQUEUE ) != 0;
        if( !busy )
            break;
        ::Sleep( kReleaseCheckMs );
    }
    for( int i = 0; i < kBufferCount; ++i )
    {
        if( m_pBuffers->prepared[ i ] &&
            ::waveOutUnprepareHeader( waveOut, &m_pBuffers->headers[ i ], sizeof( WAVEHDR ) ) == MMSYSERR_NOERROR )
            m_pBuffers->prepared[ i ] = false;
    }
    m_pWaveOut = nullptr;
    m_pSource = nullptr;
}

bool HWaveOutAudioStream::setVolume( float volume )
{
    HLockGuard guard( &m_lock );
    if( m_pWaveOut == nullptr )
        return false;
    if( !( volume >= 0.0f ) )
        volume = 0.0f;
    if( volume > 1.0f )
        volume = 1.0f;
    DWORD level = static_cast<DWORD>( volume * 65535.0f );
    if( level > 65535 )
        level = 65535;
    ::waveOutSetVolume( static_cast<HWAVEOUT>( m_pWaveOut ), level | ( level << 16 ) );
    return true;
}

bool HWaveOutAudioStream::isValid()
{
    return true;
}
