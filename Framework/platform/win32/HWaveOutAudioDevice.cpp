#include "Framework/platform/win32/HWaveOutAudioDevice.h"

#include <windows.h>

#include <mmsystem.h>

#include <cstring>

#include "Framework/util/src/HLog.h"

HWaveOutAudioDevice::HWaveOutAudioDevice()
    : m_pWaveOut( nullptr )
    , m_readyEvent( ::CreateEventA( nullptr, TRUE, FALSE, nullptr ) )
    , m_deviceNumber( 0 )
{
    m_serviceThread.setRoutine( &HWaveOutAudioDevice::m_serviceLoop );
}

HWaveOutAudioDevice::~HWaveOutAudioDevice()
{
    shutdownAudioDevice();
    if( m_readyEvent != nullptr )
        ::CloseHandle( static_cast<HANDLE>( m_readyEvent ) );
}

void HWaveOutAudioDevice::m_serviceLoop( void* pParameter )
{
    HWaveOutAudioDevice* pDevice = static_cast<HWaveOutAudioDevice*>( pParameter );
    MSG message;
    // The driver posts to this thread from the moment the device opens: make the queue first.
    ::PeekMessageA( &message, nullptr, WM_USER, WM_USER, PM_NOREMOVE );
    ::SetEvent( static_cast<HANDLE>( pDevice->m_readyEvent ) );
    while( ::GetMessageA( &message, nullptr, 0, 0 ) > 0 )
    {
        if( message.message == MM_WOM_DONE )
        {
            HWaveOutAudioStream* pStream = pDevice->m_pStream.get();
            if( pStream != nullptr )
                pStream->bufferDone( reinterpret_cast<void*>( message.lParam ) );
        }
        else if( message.message == MM_WOM_CLOSE )
        {
            break;
        }
    }
}

void HWaveOutAudioDevice::m_endServiceThread()
{
    HANDLE thread = static_cast<HANDLE>( m_serviceThread.getHandle() );
    if( thread == nullptr )
        return;
    // Closing the device sends MM_WOM_CLOSE; a thread whose device never opened gets a quit instead.
    ::PostThreadMessageA( ::GetThreadId( thread ), WM_QUIT, 0, 0 );
    m_serviceThread.join();
}

bool HWaveOutAudioDevice::init( int32_t channels, int32_t bits, int32_t frequency )
{
    if( m_pWaveOut != nullptr )
        return false;
    if( ( bits != 8 && bits != 16 ) || channels < 1 || channels > 2 || frequency <= 0 )
    {
        logMessage( "...audio format %d channels %d bits %d Hz unsupported\n", channels, bits, frequency );
        return false;
    }
    UINT count = ::waveOutGetNumDevs();
    if( count == 0 )
    {
        logMessage( "...no waveOut device\n" );
        return false;
    }
    bool found = false;
    for( UINT number = 0; number < count && !found; ++number )
    {
        WAVEOUTCAPSA caps;
        std::memset( &caps, 0, sizeof( caps ) );
        if( ::waveOutGetDevCapsA( number, &caps, sizeof( caps ) ) == MMSYSERR_NOERROR &&
            ( caps.dwFormats & WAVE_FORMAT_1M08 ) != 0 )
        {
            m_deviceNumber = number;
            found = true;
        }
    }
    if( !found )
    {
        logMessage( "...no waveOut device plays 8-bit mono\n" );
        return false;
    }

    m_pStream.reset( new HWaveOutAudioStream( channels, bits, frequency ) );
    ::ResetEvent( static_cast<HANDLE>( m_readyEvent ) );
    if( !m_serviceThread.start( this ) )
    {
        m_pStream.reset();
        return false;
    }
    ::WaitForSingleObject( static_cast<HANDLE>( m_readyEvent ), INFINITE );

    WAVEFORMATEX format;
    std::memset( &format, 0, sizeof( format ) );
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>( channels );
    format.nSamplesPerSec = static_cast<DWORD>( frequency );
    format.nBlockAlign = static_cast<WORD>( channels * bits / 8 );
    format.nAvgBytesPerSec = static_cast<DWORD>( frequency ) * format.nBlockAlign;
    format.wBitsPerSample = static_cast<WORD>( bits );
    HWAVEOUT waveOut = nullptr;
    DWORD threadId = ::GetThreadId( static_cast<HANDLE>( m_serviceThread.getHandle() ) );
    MMRESULT result = ::waveOutOpen( &waveOut, m_deviceNumber, &format, threadId, 0, CALLBACK_THREAD );
    if( result != MMSYSERR_NOERROR || waveOut == nullptr )
    {
        logMessage( "...waveOutOpen failed with error '%u'\n", static_cast<unsigned>( result ) );
        m_endServiceThread();
        m_pStream.reset();
        return false;
    }
    m_pWaveOut = waveOut;
    m_channels = channels;
    m_bits = bits;
    m_frequency = frequency;
    return true;
}

HAudioStream* HWaveOutAudioDevice::createStream( HStreamingAudioSource* pSource )
{
    if( m_pWaveOut == nullptr || m_pStream == nullptr || pSource == nullptr )
        return nullptr;
    if( !m_pStream->attach( m_pWaveOut, pSource ) )
        return nullptr;
    return m_pStream.get();
}

void HWaveOutAudioDevice::shutdownAudioDevice()
{
    if( m_pStream != nullptr )
        m_pStream->release();
    if( m_pWaveOut != nullptr )
    {
        ::waveOutClose( static_cast<HWAVEOUT>( m_pWaveOut ) );
        m_pWaveOut = nullptr;
    }
    m_endServiceThread();
    m_pStream.reset();
}
