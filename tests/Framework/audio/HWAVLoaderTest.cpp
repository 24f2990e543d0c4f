#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/audio/HWAVLoader.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/SoundFiles.h"
#include "tests/support/TempDir.h"

namespace
{
class WAVLoaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testing::internal::CaptureStdout();
        m_fs.init( m_dir.path().c_str() );
        testing::internal::GetCapturedStdout();
        std::memset( &m_sample, 0x5a, sizeof( m_sample ) );
    }
    void TearDown() override
    {
        if( m_loaded )
            HAudioLoader::freeSampleData( m_sample.data );
    }

    bool load( const std::string& bytes, int32_t bits, int32_t frequency = 22050 )
    {
        m_dir.write( "sound.wav", bytes );
        m_loaded = m_loader.loadAudioSample( &m_fs, "sound.wav", m_sample, bits, frequency );
        EXPECT_EQ( m_fs.openFileCount(), 0 ) << "the loader closes its file";
        return m_loaded;
    }

    std::string data() const
    {
        return std::string( reinterpret_cast<const char*>( m_sample.data ), static_cast<size_t>( m_sample.size ) );
    }

    bool untouched() const
    {
        AudioSample pattern;
        std::memset( &pattern, 0x5a, sizeof( pattern ) );
        return std::memcmp( &pattern, &m_sample, sizeof( pattern ) ) == 0;
    }

    RecordingProcessServices m_services;
    TempDir m_dir;
    HStandardFileSystem m_fs;
    HWAVLoader m_loader;
    AudioSample m_sample;
    bool m_loaded = false;
};
}

TEST_F( WAVLoaderTest, SameBitsAreCopied )
{
    std::string pcm = bytesOf( { 1, -2, 300, -32768, 32767, 0 } );
    ASSERT_TRUE( load( makeWav( pcm, 2, 22050, 16 ), 16 ) );
    EXPECT_EQ( data(), pcm );
    EXPECT_EQ( m_sample.channels, 2 );
    EXPECT_EQ( m_sample.bits, 16 );
    EXPECT_EQ( m_sample.frequency, 22050 );
    EXPECT_EQ( m_sample.size, 12 );
    HAudioLoader::freeSampleData( m_sample.data );

    std::string bytes8( "\x00\x7f\x80\xff\x10", 5 );
    ASSERT_TRUE( load( makeWav( bytes8, 1, 11025, 8 ), 8, 11025 ) );
    EXPECT_EQ( data(), bytes8 );
    EXPECT_EQ( m_sample.channels, 1 );
    EXPECT_EQ( m_sample.bits, 8 );
    EXPECT_EQ( m_sample.frequency, 11025 );
}

TEST_F( WAVLoaderTest, EightBitsWidenToTheGivenSixteenBitValues )
{
    ASSERT_TRUE( load( makeWav( std::string( "\x00\x7f\x80\xff", 4 ), 1, 22050, 8 ), 16 ) );
    EXPECT_EQ( m_sample.size, 8 ) << "twice as many bytes";
    EXPECT_EQ( m_sample.bits, 16 );
    const uint8_t* kpData = m_sample.data;
    auto word = [ kpData ]( int index ) { return kpData[ index * 2 ] | kpData[ index * 2 + 1 ] << 8; };
    EXPECT_EQ( word( 0 ), 0x8080 );
    EXPECT_EQ( word( 1 ), 0xFF01 );
    EXPECT_EQ( word( 2 ), 0x0000 ) << "silence stays silence";
    EXPECT_EQ( word( 3 ), 0x7F7F );
}

TEST_F( WAVLoaderTest, SixteenBitsNarrowToEightWithATrace )
{
    ASSERT_TRUE( load( makeWav( bytesOf( { 0, -1, 255, 256, 32767, -32768, -256, -257 } ), 2, 22050, 16 ), 8 ) );
    EXPECT_EQ( m_sample.size, 8 );
    EXPECT_EQ( m_sample.bits, 8 );
    EXPECT_EQ( data(), std::string( "\x80\x7f\x80\x81\xff\x00\x7f\x7e", 8 ) );
    EXPECT_NE( std::find( m_services.debugTraces().begin(), m_services.debugTraces().end(), "Untested!" ),
               m_services.debugTraces().end() );
}

TEST_F( WAVLoaderTest, HeaderMismatchesAreRefusedAndLeaveTheRecordAlone )
{
    std::string good = makeWav( bytesOf( { 1, 2 } ), 1, 22050, 16 );
    std::string riff = good;
    riff[ 0 ] = 'X';
    std::string wave = good;
    wave[ 9 ] = 'X';
    std::string dataTag = good;
    dataTag[ 36 ] = 'X';
    for( const std::string& bad :
         { riff, wave, dataTag, makeWav( bytesOf( { 1, 2 } ), 1, 22050, 16, -1, 18 ), std::string( "RIF" ) } )
    {
        m_services.debugTraces().clear();
        EXPECT_FALSE( load( bad, 16 ) );
        EXPECT_TRUE( untouched() );
    }
    // The format chunk id is not checked.
    std::string chunkId = good;
    chunkId[ 12 ] = 'X';
    EXPECT_TRUE( load( chunkId, 16 ) );
}

TEST_F( WAVLoaderTest, RateAndBitMismatchesAreRefusedWithTheirTraces )
{
    std::string wav44 = makeWav( bytesOf( { 1, 2 } ), 1, 44100, 16 );
    EXPECT_FALSE( load( wav44, 16, 22050 ) );
    EXPECT_EQ( m_services.debugTraces().back(),
               "HWAVLoader::loadAudioSample - file 'sound.wav' frequency 44100 != requested frequency 22050" );

    EXPECT_FALSE( load( makeWav( std::string( 6, '\0' ), 1, 22050, 24 ), 16 ) );
    EXPECT_EQ( m_services.debugTraces().back(), "HWAVLoader::loadAudioSample - Bit size mismatch 16 vs. 24" );

    EXPECT_FALSE( load( makeWav( std::string( 6, '\0' ), 1, 22050, 24 ), 24 ) );
    EXPECT_EQ( m_services.debugTraces().back(),
               "HWAVLoader::loader - m_iBitsPerSample (24) unsupported in file 'sound.wav'" );

    EXPECT_FALSE( load( makeWav( std::string( 6, '\0' ), 0, 22050, 16 ), 16 ) );
    EXPECT_FALSE( load( makeWav( std::string( 6, '\0' ), 3, 22050, 16 ), 16 ) );
    EXPECT_TRUE( untouched() );
}

TEST_F( WAVLoaderTest, ShortFilesAreRefusedBeforeAnyHeaderIsRead )
{
    std::string good = makeWav( bytesOf( { 1, 2 } ), 1, 22050, 16 );
    for( size_t length : { 0u, 3u, 4u, 20u, 40u, 43u, 44u } )
    {
        EXPECT_FALSE( load( good.substr( 0, length ), 16 ) ) << length;
        EXPECT_TRUE( untouched() );
    }
    EXPECT_FALSE( m_loader.loadAudioSample( &m_fs, "missing.wav", m_sample, 16, 22050 ) );
    EXPECT_FALSE( m_loader.loadAudioSample( nullptr, "sound.wav", m_sample, 16, 22050 ) );
    EXPECT_FALSE( m_loader.loadAudioSample( &m_fs, nullptr, m_sample, 16, 22050 ) );
}

TEST_F( WAVLoaderTest, DataSizeLargerThanTheFileIsClippedToWhatItHolds )
{
    std::string pcm = bytesOf( { 10, 20, 30, 40, 50, 60 } );
    ASSERT_TRUE( load( makeWav( pcm, 2, 22050, 16, 0x7fffffff ), 16 ) );
    EXPECT_EQ( data(), pcm );
    HAudioLoader::freeSampleData( m_sample.data );
    // Clipped to whole frames: 5 bytes of stereo 16-bit data hold one frame.
    ASSERT_TRUE( load( makeWav( pcm.substr( 0, 5 ), 2, 22050, 16, 1000 ), 16 ) );
    EXPECT_EQ( data(), pcm.substr( 0, 4 ) );
    HAudioLoader::freeSampleData( m_sample.data );
    ASSERT_TRUE( load( makeWav( std::string( "\x01\x02\x03", 3 ), 1, 22050, 8, 0xffffffffLL ), 16 ) );
    EXPECT_EQ( m_sample.size, 6 );
    HAudioLoader::freeSampleData( m_sample.data );
    m_loaded = false;
    EXPECT_FALSE( load( makeWav( std::string(), 1, 22050, 16 ), 16 ) ) << "no samples at all";
}
