#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "Framework/audio/HStreamingAudioSource.h"
#include "Framework/platform/win32/HDirectSoundAudioDevice.h"
#include "Framework/platform/win32/HWaveOutAudioDevice.h"
#include "Framework/platform/win32/HWin32AudioDeviceFactory.h"
#include "Framework/platform/win32/HWin32Lock.h"
#include "Framework/platform/win32/HWin32Thread.h"
#include "tests/support/RecordingProcessServices.h"

// Last: the system's headers define macros that our names would meet.
#include <windows.h>

#include <dsound.h>

namespace
{
// A source that counts what it is asked for and fills each block with a running byte pattern.
class CountingSource : public HStreamingAudioSource
{
public:
    CountingSource() { setFormat( 2, 16, 22050 ); }
    bool init() override { return true; }
    void shutdown() override {}
    int32_t readNextChunk( uint8_t* pBuffer, int32_t byteCount ) override
    {
        for( int32_t i = 0; i < byteCount; ++i )
            pBuffer[ i ] = static_cast<uint8_t>( m_next++ );
        bytes += byteCount;
        calls += 1;
        if( lengths.size() < 64 && recordLengths )
            lengths.push_back( byteCount );
        return byteCount;
    }

    std::atomic<int64_t> bytes{ 0 };
    std::atomic<int> calls{ 0 };
    std::vector<int32_t> lengths;
    bool recordLengths = false;

private:
    uint8_t m_next = 0;
};

// Waits (for a bounded time) until the source has been asked for more than it had.
bool askedForMore( const CountingSource& source, int64_t than )
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds( 5 );
    while( source.bytes <= than )
    {
        if( std::chrono::steady_clock::now() > deadline )
            return false;
        std::this_thread::sleep_for( std::chrono::milliseconds( 5 ) );
    }
    return true;
}

struct CountingWork
{
    HWin32Lock* pLock;
    int64_t* pCounter;
    int rounds;
};

void countUnderLock( void* pParameter )
{
    CountingWork* pWork = static_cast<CountingWork*>( pParameter );
    for( int i = 0; i < pWork->rounds; ++i )
    {
        HLockGuard guard( pWork->pLock );
        int64_t value = *pWork->pCounter;
        *pWork->pCounter = value + 1;
    }
}

HANDLE s_release = nullptr;
void waitForRelease( void* )
{
    ::WaitForSingleObject( s_release, INFINITE );
}

class HWin32AudioTest : public ::testing::Test
{
protected:
    RecordingProcessServices m_services;
    CountingSource m_source;
};
}

TEST( HWin32LockTest, TheLockKeepsTwoThreadsApartAndThreadsRunHigh )
{
    HWin32Lock lock;
    lock.lock(); // before init: nothing to take, and nothing goes wrong
    lock.unlock();
    ASSERT_TRUE( lock.init() );
    int64_t counter = 0;
    CountingWork work = { &lock, &counter, 200000 };
    HWin32Thread first;
    HWin32Thread second;
    EXPECT_FALSE( first.start( &work ) ); // no routine yet
    first.setRoutine( countUnderLock );
    second.setRoutine( countUnderLock );
    ASSERT_TRUE( first.start( &work ) );
    ASSERT_TRUE( second.start( &work ) );
    first.join();
    second.join();
    EXPECT_EQ( counter, 400000 );
    lock.shutdown();
    lock.shutdown();

    s_release = ::CreateEventA( nullptr, TRUE, FALSE, nullptr );
    HWin32Thread waiting;
    waiting.setRoutine( waitForRelease );
    ASSERT_TRUE( waiting.start( nullptr ) );
    EXPECT_EQ( ::GetThreadPriority( static_cast<HANDLE>( waiting.getHandle() ) ), THREAD_PRIORITY_HIGHEST );
    ::SetEvent( s_release );
    waiting.join();
    EXPECT_EQ( waiting.getHandle(), nullptr );
    waiting.join();
    ::CloseHandle( s_release );
}

TEST( HWin32AudioDeviceFactoryTest, TheDriverNameChoosesTheOutput )
{
    std::unique_ptr<HAudioDevice> pWaveOut( createWin32AudioDevice( "Win32" ) );
    EXPECT_NE( dynamic_cast<HWaveOutAudioDevice*>( pWaveOut.get() ), nullptr );
    std::unique_ptr<HAudioDevice> pLower( createWin32AudioDevice( "win32" ) );
    EXPECT_NE( dynamic_cast<HWaveOutAudioDevice*>( pLower.get() ), nullptr );
    for( const char* kpOther : { "default", "dsound", "", "win32 " } )
    {
        std::unique_ptr<HAudioDevice> pDevice( createWin32AudioDevice( kpOther ) );
        EXPECT_NE( dynamic_cast<HDirectSoundAudioDevice*>( pDevice.get() ), nullptr ) << kpOther;
    }
    std::unique_ptr<HAudioDevice> pNone( createWin32AudioDevice( nullptr ) );
    EXPECT_NE( dynamic_cast<HDirectSoundAudioDevice*>( pNone.get() ), nullptr );
}

TEST_F( HWin32AudioTest, ADirectSoundStreamStartsWithAFullBufferOfMixedSound )
{
    HDirectSoundAudioDevice device;
    ASSERT_TRUE( device.init( 2, 16, 22050 ) ) << "no sound output (is ALSA's null device set up?)";
    EXPECT_EQ( device.getFrequency(), 22050 );
    EXPECT_EQ( m_services.boxes.size(), 0u );
    EXPECT_EQ( HDirectSoundAudioDevice::streamBufferBytes( 2, 16, 22050 ), 8820u );
    EXPECT_EQ( HDirectSoundAudioDevice::streamBufferBytes( 1, 8, 11025 ), 1104u );

    auto* pStream = static_cast<HDirectSoundAudioStream*>( device.createStream( &m_source ) );
    ASSERT_NE( pStream, nullptr );
    EXPECT_EQ( pStream->getBufferBytes(), 8820u );
    EXPECT_EQ( pStream->getWriteCursor(), 0u );
    EXPECT_EQ( m_source.bytes, 8820 );
    EXPECT_TRUE( pStream->isValid() );

    // The buffer holds exactly what the source gave, from its first byte on.
    void* pFirst = nullptr;
    void* pSecond = nullptr;
    DWORD firstLength = 0;
    DWORD secondLength = 0;
    ASSERT_EQ( pStream->getBuffer()->Lock( 0, 8820, &pFirst, &firstLength, &pSecond, &secondLength, 0 ), DS_OK );
    ASSERT_EQ( firstLength, 8820u );
    const uint8_t* kpBytes = static_cast<const uint8_t*>( pFirst );
    EXPECT_EQ( kpBytes[ 0 ], 0 );
    EXPECT_EQ( kpBytes[ 1000 ], static_cast<uint8_t>( 1000 ) );
    EXPECT_EQ( kpBytes[ 8819 ], static_cast<uint8_t>( 8819 ) );
    pStream->getBuffer()->Unlock( pFirst, firstLength, pSecond, secondLength );
}

TEST_F( HWin32AudioTest, TheFillChasesThePlayCursorAcrossTheBuffersEnd )
{
    HDirectSoundAudioDevice device;
    ASSERT_TRUE( device.init( 2, 16, 22050 ) );
    auto* pStream = static_cast<HDirectSoundAudioStream*>( device.createStream( &m_source ) );
    ASSERT_NE( pStream, nullptr );
    m_source.recordLengths = true;
    int64_t before = m_source.bytes;

    pStream->fillUpTo( 8000 );
    EXPECT_EQ( m_source.bytes - before, 8000 );
    EXPECT_EQ( pStream->getWriteCursor(), 8000u );
    // A play cursor where the writing stands fills nothing.
    pStream->fillUpTo( 8000 );
    EXPECT_EQ( m_source.bytes - before, 8000 );
    // Past the end: the locked region comes in two parts whose lengths add up to the gap.
    pStream->fillUpTo( 1000 );
    EXPECT_EQ( m_source.bytes - before, 8000 + 1820 );
    ASSERT_EQ( m_source.lengths.size(), 3u );
    EXPECT_EQ( m_source.lengths[ 1 ], 820 );
    EXPECT_EQ( m_source.lengths[ 2 ], 1000 );
    EXPECT_EQ( pStream->getWriteCursor(), 1000u );
}

TEST_F( HWin32AudioTest, PlayingKeepsTheSourceAskedAndStopEndsItAtOnce )
{
    HDirectSoundAudioDevice device;
    ASSERT_TRUE( device.init( 2, 16, 22050 ) );
    HAudioStream* pStream = device.createStream( &m_source );
    ASSERT_NE( pStream, nullptr );
    EXPECT_TRUE( pStream->stop() ); // not playing: nothing to do
    ASSERT_TRUE( pStream->play() );
    EXPECT_TRUE( static_cast<HDirectSoundAudioStream*>( pStream )->isPlaying() );
    EXPECT_TRUE( askedForMore( m_source, 8820 ) );

    ASSERT_TRUE( pStream->stop() );
    int64_t atStop = m_source.bytes;
    std::this_thread::sleep_for( std::chrono::milliseconds( 150 ) );
    EXPECT_EQ( m_source.bytes, atStop );

    // Played again, it goes on where it was.
    ASSERT_TRUE( pStream->play() );
    EXPECT_TRUE( askedForMore( m_source, atStop ) );
    pStream->release();
    int64_t atRelease = m_source.bytes;
    EXPECT_FALSE( pStream->isValid() );
    pStream->release();
    EXPECT_TRUE( pStream->play() ); // no buffer any more: nothing starts
    std::this_thread::sleep_for( std::chrono::milliseconds( 100 ) );
    EXPECT_EQ( m_source.bytes, atRelease );
}

TEST_F( HWin32AudioTest, VolumeIsClampedAndBecomesHundredthsOfADecibel )
{
    HDirectSoundAudioDevice device;
    ASSERT_TRUE( device.init( 2, 16, 22050 ) );
    auto* pStream = static_cast<HDirectSoundAudioStream*>( device.createStream( &m_source ) );
    ASSERT_NE( pStream, nullptr );
    const struct
    {
        float volume;
        LONG hundredths;
    } cases[] = { { 1.0f, 0 }, { 1.5f, 0 }, { 0.0f, -3300 }, { -1.0f, -3300 }, { 0.5f, -1650 } };
    for( const auto& c : cases )
    {
        ASSERT_TRUE( pStream->setVolume( c.volume ) );
        LONG volume = 1;
        ASSERT_EQ( pStream->getBuffer()->GetVolume( &volume ), DS_OK );
        EXPECT_EQ( volume, c.hundredths ) << c.volume;
    }
    pStream->release();
    EXPECT_FALSE( pStream->setVolume( 1.0f ) );
}

TEST_F( HWin32AudioTest, FourStreamsAtMostAndNoneBeforeTheDeviceOpens )
{
    HDirectSoundAudioDevice closed;
    EXPECT_EQ( closed.createStream( &m_source ), nullptr );

    HDirectSoundAudioDevice device;
    ASSERT_TRUE( device.init( 2, 16, 22050 ) );
    std::vector<HAudioStream*> streams;
    for( int i = 0; i < 4; ++i )
        streams.push_back( device.createStream( &m_source ) );
    for( HAudioStream* pStream : streams )
        EXPECT_NE( pStream, nullptr );
    EXPECT_EQ( device.createStream( &m_source ), nullptr );
    // A released slot stays with the device.
    streams[ 0 ]->release();
    EXPECT_EQ( device.createStream( &m_source ), nullptr );
    ASSERT_TRUE( streams[ 1 ]->play() );
    device.shutdownAudioDevice();
    EXPECT_FALSE( streams[ 1 ]->isValid() );
    device.shutdownAudioDevice();
}

TEST_F( HWin32AudioTest, TheWaveOutStreamKeepsThreeBlocksQueuedUntilStopped )
{
    EXPECT_EQ( HWaveOutAudioStream::blockSizeFor( 2, 16, 22050 ), 8824u );
    EXPECT_EQ( HWaveOutAudioStream::blockSizeFor( 1, 8, 11025 ), 1103u );

    HWaveOutAudioDevice device;
    ASSERT_TRUE( device.init( 2, 16, 22050 ) ) << "no waveOut device (is ALSA's null device set up?)";
    HAudioStream* pStream = device.createStream( &m_source );
    ASSERT_NE( pStream, nullptr );
    EXPECT_EQ( device.createStream( &m_source ), nullptr ); // one stream only
    EXPECT_EQ( m_source.bytes, 0 );

    ASSERT_TRUE( pStream->play() );
    EXPECT_GE( m_source.bytes, 3 * 8824 );
    // The service thread refills each block the driver hands back.
    EXPECT_TRUE( askedForMore( m_source, 3 * 8824 ) );
    EXPECT_TRUE( pStream->setVolume( 0.25f ) );

    ASSERT_TRUE( pStream->stop() );
    int64_t atStop = m_source.bytes;
    std::this_thread::sleep_for( std::chrono::milliseconds( 300 ) );
    EXPECT_EQ( m_source.bytes, atStop );

    auto start = std::chrono::steady_clock::now();
    pStream->release();
    pStream->release();
    device.shutdownAudioDevice();
    EXPECT_LT( std::chrono::steady_clock::now() - start, std::chrono::seconds( 3 ) );
    EXPECT_EQ( device.getStream(), nullptr );
}

TEST_F( HWin32AudioTest, AWaveOutStreamNeverPlayedIsReleasedWithoutWaiting )
{
    HWaveOutAudioDevice device;
    ASSERT_TRUE( device.init( 2, 16, 22050 ) );
    HAudioStream* pStream = device.createStream( &m_source );
    ASSERT_NE( pStream, nullptr );
    auto start = std::chrono::steady_clock::now();
    pStream->release();
    device.shutdownAudioDevice();
    device.shutdownAudioDevice();
    EXPECT_LT( std::chrono::steady_clock::now() - start, std::chrono::seconds( 2 ) );
    EXPECT_EQ( m_source.bytes, 0 );
}
