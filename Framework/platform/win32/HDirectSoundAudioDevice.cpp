#include "Framework/platform/win32/HDirectSoundAudioDevice.h"

#include <windows.h>

#include <dsound.h>

#include <cstring>

#include "Framework/application/HWindowProcedure.h"
#include "Framework/util/src/HLog.h"

namespace
{
const uint32_t kErrorBoxFlags = 0x31;
const DWORD kStreamBufferFlags = DSBCAPS_STATIC | DSBCAPS_LOCSOFTWARE | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME |
                                 DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_GETCURRENTPOSITION2;

unsigned lowWord( long result )
{
    return static_cast<unsigned>( result ) & 0xFFFFu;
}

WAVEFORMATEX pcmFormat( int32_t channels, int32_t bits, int32_t frequency )
{
    WAVEFORMATEX format;
    std::memset( &format, 0, sizeof( format ) );
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>( channels );
    format.nSamplesPerSec = static_cast<DWORD>( frequency );
    format.nBlockAlign = static_cast<WORD>( channels * bits / 8 );
    format.nAvgBytesPerSec = static_cast<DWORD>( frequency ) * format.nBlockAlign;
    format.wBitsPerSample = static_cast<WORD>( bits );
    return format;
}

// DirectSound wants the window whose activation decides who is heard.
HWND gameWindow()
{
    HWND window = static_cast<HWND>( HWindowProcedure::processInstance().getWindow() );
    return window != nullptr && ::IsWindow( window ) ? window : ::GetDesktopWindow();
}
}

HDirectSoundAudioDevice::HDirectSoundAudioDevice()
    : m_pDirectSound( nullptr )
    , m_pPrimary( nullptr )
{
}

HDirectSoundAudioDevice::~HDirectSoundAudioDevice()
{
    shutdownAudioDevice();
}

uint32_t HDirectSoundAudioDevice::streamBufferBytes( int32_t channels, int32_t bits, int32_t frequency )
{
    uint64_t bytes = static_cast<uint64_t>( frequency ) * channels * ( bits / 8 ) * 100 / 1000;
    return static_cast<uint32_t>( ( bytes + 3 ) & ~static_cast<uint64_t>( 3 ) );
}

bool HDirectSoundAudioDevice::m_fail( const char* kpWhat, long result )
{
    messageBox( kErrorBoxFlags, "Error", "%s failed with error '%u'.  Sound will be unavailable.", kpWhat,
                lowWord( result ) );
    shutdownAudioDevice();
    return false;
}

bool HDirectSoundAudioDevice::init( int32_t channels, int32_t bits, int32_t frequency )
{
    if( m_pDirectSound != nullptr )
        return false;
    if( ( bits != 8 && bits != 16 ) || channels < 1 || channels > 2 || frequency <= 0 )
    {
        logMessage( "...audio format %d channels %d bits %d Hz unsupported\n", channels, bits, frequency );
        return false;
    }
    HRESULT result = ::DirectSoundCreate( nullptr, &m_pDirectSound, nullptr );
    if( FAILED( result ) || m_pDirectSound == nullptr )
    {
        m_pDirectSound = nullptr;
        logMessage( "...DirectSoundCreate failed with error '%u'\n", lowWord( result ) );
        // E_FAIL is the usual answer of a machine without sound; only other failures are told.
        if( result != E_FAIL )
            return m_fail( "DirectSoundCreate", result );
        return false;
    }
    result = m_pDirectSound->SetCooperativeLevel( gameWindow(), DSSCL_PRIORITY );
    if( FAILED( result ) )
    {
        logMessage( "...lpDirectSound->SetCooperativeLevel failed with error '%u'\n", lowWord( result ) );
        return m_fail( "SetCooperativeLevel", result );
    }
    DSBUFFERDESC primary;
    std::memset( &primary, 0, sizeof( primary ) );
    primary.dwSize = sizeof( primary );
    primary.dwFlags = DSBCAPS_PRIMARYBUFFER;
    result = m_pDirectSound->CreateSoundBuffer( &primary, &m_pPrimary, nullptr );
    if( FAILED( result ) || m_pPrimary == nullptr )
    {
        m_pPrimary = nullptr;
        return m_fail( "CreateSoundBuffer", result );
    }
    WAVEFORMATEX format = pcmFormat( channels, bits, frequency );
    result = m_pPrimary->SetFormat( &format );
    if( FAILED( result ) )
        return m_fail( "SetFormat on the primary buffer", result );
    DSCAPS caps;
    std::memset( &caps, 0, sizeof( caps ) );
    caps.dwSize = sizeof( caps );
    result = m_pDirectSound->GetCaps( &caps );
    if( FAILED( result ) )
        return m_fail( "IDirectSound::GetCaps", result );
    m_channels = channels;
    m_bits = bits;
    m_frequency = frequency;
    return true;
}

HAudioStream* HDirectSoundAudioDevice::createStream( HStreamingAudioSource* pSource )
{
    if( m_pDirectSound == nullptr || pSource == nullptr )
        return nullptr;
    HDirectSoundAudioStream* pStream = nullptr;
    for( HDirectSoundAudioStream& slot : m_streams )
    {
        if( !slot.isOwned() )
        {
            pStream = &slot;
            break;
        }
    }
    if( pStream == nullptr )
        return nullptr;
    // A slot stays taken for the device's lifetime, whatever becomes of its buffer.
    pStream->setOwner( this );

    uint32_t bytes = streamBufferBytes( m_channels, m_bits, m_frequency );
    WAVEFORMATEX format = pcmFormat( m_channels, m_bits, m_frequency );
    DSBUFFERDESC description;
    std::memset( &description, 0, sizeof( description ) );
    description.dwSize = sizeof( description );
    description.dwFlags = kStreamBufferFlags;
    description.dwBufferBytes = bytes;
    description.lpwfxFormat = &format;
    IDirectSoundBuffer* pBuffer = nullptr;
    HRESULT result = m_pDirectSound->CreateSoundBuffer( &description, &pBuffer, nullptr );
    if( FAILED( result ) || pBuffer == nullptr )
    {
        debugTrace( "createStream - CreateSoundBuffer failed with error '%u'", lowWord( result ) );
        pStream->release();
        return nullptr;
    }

    void* pFirst = nullptr;
    void* pSecond = nullptr;
    DWORD firstLength = 0;
    DWORD secondLength = 0;
    result = pBuffer->Lock( 0, bytes, &pFirst, &firstLength, &pSecond, &secondLength, 0 );
    if( FAILED( result ) )
    {
        debugTrace( "createStream - Lock failed with error '%u': size = %u, pWritePtr = %p, dwLength = %u, "
                    "pWritePtr2 = %p, dwLength2 = %u",
                    lowWord( result ), static_cast<unsigned>( bytes ), pFirst, static_cast<unsigned>( firstLength ),
                    pSecond, static_cast<unsigned>( secondLength ) );
        pBuffer->Release();
        return nullptr;
    }
    const int silence = m_bits == 8 ? 128 : 0;
    if( pFirst != nullptr )
        std::memset( pFirst, silence, firstLength );
    if( pSecond != nullptr )
        std::memset( pSecond, silence, secondLength );
    pBuffer->Unlock( pFirst, firstLength, pSecond, secondLength );

    // The whole buffer holds mixed sound, and the write cursor is back at 0, before playback starts.
    pStream->adopt( pBuffer, bytes, m_channels, m_bits, m_frequency, pSource );
    return pStream;
}

void HDirectSoundAudioDevice::shutdownAudioDevice()
{
    // The streams' buffers belong to the DirectSound object: they go first.
    for( HDirectSoundAudioStream& slot : m_streams )
        slot.release();
    if( m_pPrimary != nullptr )
    {
        m_pPrimary->Release();
        m_pPrimary = nullptr;
    }
    if( m_pDirectSound != nullptr )
    {
        debugTrace( "......shutdownAudioDevice - releasing directsound(%p)\n", static_cast<void*>( m_pDirectSound ) );
        m_pDirectSound->Release();
        m_pDirectSound = nullptr;
    }
}
