#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/ScriptEngine/src/HCvarManager.h"
#include "Framework/audio/HAudioMixerStreamingAudioSource.h"
#include "Framework/audio/HLock.h"
#include "Framework/audio/HOVAudioStream.h"
#include "Framework/audio/HSoundBank.h"
#include "Framework/platform/sdl/HSDLAudioDevice.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/SoundFiles.h"
#include "tests/support/TempDir.h"

namespace
{
const int32_t kRate = 22050;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv
{
public:
    ScopedEnv( const char* kpName, const char* kpValue )
        : m_name( kpName )
    {
        const char* kpOld = std::getenv( kpName );
        m_hadOld = kpOld != nullptr;
        if( m_hadOld )
            m_old = kpOld;
        if( kpValue != nullptr )
            setenv( kpName, kpValue, 1 );
        else
            unsetenv( kpName );
    }
    ~ScopedEnv()
    {
        if( m_hadOld )
            setenv( m_name.c_str(), m_old.c_str(), 1 );
        else
            unsetenv( m_name.c_str() );
    }

private:
    std::string m_name;
    std::string m_old;
    bool m_hadOld = false;
};

// A source of one constant value that counts its calls (the audio thread makes them).
class ConstantSource : public HStreamingAudioSource
{
public:
    ConstantSource() { setFormat( 2, 16, kRate ); }
    bool init() override { return true; }
    void shutdown() override {}
    int32_t readNextChunk( uint8_t* pBuffer, int32_t byteCount ) override
    {
        for( int32_t index = 0; index + 1 < byteCount; index += 2 )
        {
            pBuffer[ index ] = static_cast<uint8_t>( value & 0xff );
            pBuffer[ index + 1 ] = static_cast<uint8_t>( ( value >> 8 ) & 0xff );
        }
        ++calls;
        return byteCount;
    }
    int16_t value = 1000;
    std::atomic<int> calls{ 0 };
};

std::vector<int16_t> readValues( const std::string& path )
{
    std::ifstream in( path, std::ios::binary );
    std::string bytes( ( std::istreambuf_iterator<char>( in ) ), std::istreambuf_iterator<char>() );
    std::vector<int16_t> values( bytes.size() / 2 );
    for( size_t index = 0; index < values.size(); ++index )
        values[ index ] = static_cast<int16_t>( static_cast<uint8_t>( bytes[ index * 2 ] ) |
                                                static_cast<uint8_t>( bytes[ index * 2 + 1 ] ) << 8 );
    return values;
}

size_t firstNonZeroFrame( const std::vector<int16_t>& values )
{
    for( size_t index = 0; index < values.size(); ++index )
    {
        if( values[ index ] != 0 )
            return index / 2;
    }
    return values.size() / 2;
}
}

TEST( SDLAudioDeviceTest, DiskDriverWritesExactlyTheSoundBanksSampleOverTheMusic )
{
    TempDir dir;
    ScopedEnv driver( "SDL_AUDIODRIVER", "disk" );
    ScopedEnv file( "SDL_DISKAUDIOFILE", dir.file( "out.raw" ).c_str() );
    RecordingProcessServices services;

    // Three seconds of music, and a short chirp as the sample.
    const std::string music = encodeOgg( synthSine( kRate * 3, 2, kRate, 220.0, 16000.0 ), 2, kRate );
    std::vector<int16_t> chirp = synthSine( kRate / 5, 2, kRate, 1500.0, 20000.0 );
    dir.write( "chirp.wav", makeWav( bytesOf( chirp ), 2, kRate, 16 ) );
    const StraightDecode reference = decodeOggStraight( music );
    ASSERT_TRUE( reference.ok );

    testing::internal::CaptureStdout();
    HStandardFileSystem fs;
    fs.init( dir.path().c_str() );
    testing::internal::GetCapturedStdout();

    HAudioMixerStreamingAudioSource mixer;
    mixer.setFormat( 2, 16, kRate );
    HOVAudioStream musicStream;
    ASSERT_TRUE( musicStream.init() );
    ASSERT_TRUE( musicStream.setStream( reinterpret_cast<const uint8_t*>( music.data() ),
                                        static_cast<uint32_t>( music.size() ), 16, kRate, 0 ) );
    HLock* pMusicLock = createLock();
    musicStream.setLock( pMusicLock );

    HSDLAudioDevice device;
    ASSERT_TRUE( device.init( 2, 16, kRate ) );
    HAudioStream* pStream = device.createStream( &mixer );
    ASSERT_NE( pStream, nullptr );
    HSoundBank bank;
    bank.setFileSystem( &fs );
    bank.setMixer( &mixer );
    int32_t handle = -1;
    mixer.setMusicSource( &handle, &musicStream, 64 );
    int32_t voice = -1;
    ASSERT_TRUE( bank.playSound( &voice, "chirp.wav", 16, kRate, 0, 200, 0, false ) );
    ASSERT_TRUE( pStream->play() );

    // Wait for about a second of sound in the file, then stop.
    const std::string outPath = dir.file( "out.raw" );
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds( 20 );
    while( std::chrono::steady_clock::now() < deadline )
    {
        std::ifstream probe( outPath, std::ios::binary | std::ios::ate );
        if( probe && probe.tellg() >= static_cast<std::streamoff>( kRate * 4 ) )
            break;
        std::this_thread::sleep_for( std::chrono::milliseconds( 20 ) );
    }
    ASSERT_TRUE( pStream->stop() );
    device.shutdownAudioDevice();
    bank.unloadAll();
    destroyLock( pMusicLock );
    EXPECT_TRUE( services.boxes.empty() );

    // What the mixer must have produced: music at 64/256 plus the chirp at 200/256, clamped.
    std::vector<int16_t> expected( reference.values.size() );
    for( size_t index = 0; index < expected.size(); ++index )
    {
        int32_t value = ( reference.values[ index ] * 64 ) >> 8;
        if( index < chirp.size() )
            value += ( chirp[ index ] * 200 ) >> 8;
        expected[ index ] = static_cast<int16_t>( value < -32768 ? -32768 : value > 32767 ? 32767 : value );
    }

    std::vector<int16_t> written = readValues( outPath );
    ASSERT_GE( written.size(), static_cast<size_t>( kRate * 2 ) );
    // Silence while paused, then the mix from its first frame, then silence after the stop.
    const size_t start = firstNonZeroFrame( written ) - firstNonZeroFrame( expected );
    size_t frame = start;
    while( frame * 2 + 1 < written.size() && frame - start < expected.size() / 2 &&
           written[ frame * 2 ] == expected[ ( frame - start ) * 2 ] &&
           written[ frame * 2 + 1 ] == expected[ ( frame - start ) * 2 + 1 ] )
        ++frame;
    const size_t played = frame - start;
    EXPECT_GE( played, static_cast<size_t>( kRate / 2 ) ) << "at least half a second of the exact mix";
    EXPECT_LT( played, static_cast<size_t>( kRate * 3 ) ) << "stopped before the music ran out";
    for( size_t index = frame * 2; index < written.size(); ++index )
        ASSERT_EQ( written[ index ], 0 ) << "after the stop only silence, at value " << index;
    for( size_t index = 0; index < start * 2; ++index )
        ASSERT_EQ( written[ index ], 0 ) << "before the play only silence";
    EXPECT_EQ( voice, 0 );
}

TEST( SDLAudioDeviceTest, NoSoundOutputMeansFalseQuicklyAndWithoutABox )
{
    RecordingProcessServices services;
    ScopedEnv driver( "SDL_AUDIODRIVER", "no-such-driver" );
    HSDLAudioDevice device;
    EXPECT_FALSE( device.init( 2, 16, kRate ) );
    EXPECT_EQ( device.getFrequency(), 0 );
    HAudioMixerStreamingAudioSource mixer;
    EXPECT_EQ( device.createStream( &mixer ), nullptr );
    EXPECT_TRUE( services.boxes.empty() );
    ASSERT_FALSE( services.debugOutputs.empty() );
    EXPECT_EQ( services.debugOutputs.back().rfind( "...SDL audio unavailable: ", 0 ), 0u );

    // Through the factory the program uses: no device, so the game runs silently.
    HCvarManager cvars;
    ASSERT_TRUE( cvars.init() );
    cvars.declareVariable( "c_soundDriver", "win32", 0 );
    setPlatformAudioDeviceFactory( &HSDLAudioDevice::create );
    EXPECT_EQ( createAudioDevice( &cvars, 2, 16, kRate ), nullptr );
    setPlatformAudioDeviceFactory( nullptr );
    cvars.shutdown();
    EXPECT_TRUE( services.boxes.empty() );

    EXPECT_FALSE( device.init( 6, 16, kRate ) );
    EXPECT_FALSE( device.init( 2, 24, kRate ) );
}

TEST( SDLAudioDeviceTest, OneStreamWhichTheAudioThreadFeedsOnlyWhilePlaying )
{
    ScopedEnv driver( "SDL_AUDIODRIVER", "dummy" );
    HSDLAudioDevice device;
    ASSERT_TRUE( device.init( 2, 16, kRate ) );
    EXPECT_EQ( device.getChannels(), 2 );
    EXPECT_EQ( device.getBits(), 16 );
    EXPECT_EQ( device.getFrequency(), kRate );
    ConstantSource source;
    EXPECT_EQ( device.createStream( nullptr ), nullptr );
    HAudioStream* pStream = device.createStream( &source );
    ASSERT_NE( pStream, nullptr );
    EXPECT_EQ( device.createStream( &source ), nullptr ) << "the device has one stream";
    EXPECT_TRUE( pStream->isValid() );
    EXPECT_TRUE( pStream->stop() ) << "stopping a stream that is not playing is harmless";

    ASSERT_TRUE( pStream->play() );
    EXPECT_TRUE( pStream->play() );
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds( 10 );
    while( source.calls.load() < 3 && std::chrono::steady_clock::now() < deadline )
        std::this_thread::sleep_for( std::chrono::milliseconds( 5 ) );
    EXPECT_GE( source.calls.load(), 3 ) << "SDL's thread pulls blocks";
    ASSERT_TRUE( pStream->stop() );
    int callsAtStop = source.calls.load();
    std::this_thread::sleep_for( std::chrono::milliseconds( 150 ) );
    EXPECT_EQ( source.calls.load(), callsAtStop ) << "no pull after stop returned";

    pStream->release();
    pStream->release();
    EXPECT_FALSE( pStream->isValid() );
    EXPECT_FALSE( pStream->setVolume( 0.5f ) );
    device.shutdownAudioDevice();
    device.shutdownAudioDevice();
}

TEST( SDLAudioStreamTest, FillGivesSilenceUnlessPlayingAndScalesByTheVolume )
{
    HSDLAudioStream stream;
    ConstantSource source;
    std::vector<uint8_t> block( 16, 0x77 );
    stream.fill( block.data(), 16 );
    EXPECT_EQ( block, std::vector<uint8_t>( 16, 0 ) ) << "not attached: silence";

    // A made-up device id: play and stop only pass it to SDL, which ignores unknown ids.
    stream.attach( 4242, &source );
    std::fill( block.begin(), block.end(), 0x77 );
    stream.fill( block.data(), 16 );
    EXPECT_EQ( block, std::vector<uint8_t>( 16, 0 ) ) << "attached but not playing: silence";
    EXPECT_EQ( source.calls.load(), 0 );

    ASSERT_TRUE( stream.play() );
    EXPECT_TRUE( stream.isPlaying() );
    stream.fill( block.data(), 16 );
    EXPECT_EQ( block[ 0 ] | block[ 1 ] << 8, 1000 );

    // (1 - x) * -3300 hundredths of a decibel; outside 0..1 clamped.
    EXPECT_TRUE( stream.setVolume( 1.5f ) );
    EXPECT_EQ( stream.getGain(), 65536 );
    EXPECT_TRUE( stream.setVolume( -1.0f ) );
    EXPECT_EQ( stream.getGain(), 1467 );
    source.value = -32768;
    stream.fill( block.data(), 16 );
    EXPECT_EQ( static_cast<int16_t>( block[ 0 ] | block[ 1 ] << 8 ), ( -32768 * 1467 ) >> 16 );
    EXPECT_TRUE( stream.setVolume( 0.5f ) );
    EXPECT_EQ( stream.getGain(), 9806 );

    ASSERT_TRUE( stream.stop() );
    EXPECT_FALSE( stream.isPlaying() );
    int calls = source.calls.load();
    stream.fill( block.data(), 16 );
    EXPECT_EQ( source.calls.load(), calls );
    stream.release();
    EXPECT_FALSE( stream.isValid() );
}

TEST( SDLAudioDeviceTest, PlayStopAndFreeWhileSDLsThreadMixes )
{
    ScopedEnv driver( "SDL_AUDIODRIVER", "dummy" );
    TempDir dir;
    for( int index = 0; index < 4; ++index )
    {
        std::vector<int16_t> values( 3000, static_cast<int16_t>( 2000 * ( index + 1 ) ) );
        dir.write( "s" + std::to_string( index ) + ".wav", makeWav( bytesOf( values ), 2, kRate, 16 ) );
    }
    testing::internal::CaptureStdout();
    HStandardFileSystem fs;
    fs.init( dir.path().c_str() );
    testing::internal::GetCapturedStdout();

    HAudioMixerStreamingAudioSource mixer;
    mixer.setFormat( 2, 16, kRate );
    HSDLAudioDevice device;
    ASSERT_TRUE( device.init( 2, 16, kRate ) );
    HAudioStream* pStream = device.createStream( &mixer );
    ASSERT_NE( pStream, nullptr );
    HSoundBank bank;
    bank.setFileSystem( &fs );
    bank.setMixer( &mixer );
    ASSERT_TRUE( pStream->play() );

    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds( 600 );
    int round = 0;
    while( std::chrono::steady_clock::now() < end )
    {
        std::string name = "s" + std::to_string( round % 4 ) + ".wav";
        int32_t voice = -1;
        bank.playSound( &voice, name.c_str(), 16, kRate, -1, 255, 0, true );
        bank.setVoiceVolume( voice, round & 0xff );
        if( round % 3 == 0 )
            bank.stopVoice( voice );
        if( round % 5 == 0 )
            bank.unloadSound( name.c_str() );
        if( round % 7 == 0 )
            pStream->setVolume( static_cast<float>( round % 10 ) / 10.0f );
        if( round % 50 == 0 )
        {
            pStream->stop();
            pStream->play();
        }
        ++round;
        std::this_thread::sleep_for( std::chrono::microseconds( 500 ) );
    }
    pStream->stop();
    pStream->release();
    mixer.shutdown();
    bank.unloadAll();
    device.shutdownAudioDevice();
    EXPECT_GT( round, 10 );
}
