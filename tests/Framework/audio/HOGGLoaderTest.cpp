#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/audio/HOGGLoader.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/SoundFiles.h"
#include "tests/support/TempDir.h"

namespace
{
class OGGLoaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testing::internal::CaptureStdout();
        m_fs.init( m_dir.path().c_str() );
        testing::internal::GetCapturedStdout();
    }
    void TearDown() override { release(); }

    bool load( const std::string& bytes, int32_t bits = 16, int32_t frequency = 22050 )
    {
        release();
        m_dir.write( "sound.ogg", bytes );
        m_loaded = m_loader.loadAudioSample( &m_fs, "sound.ogg", m_sample, bits, frequency );
        EXPECT_EQ( m_fs.openFileCount(), 0 );
        return m_loaded;
    }
    void release()
    {
        if( m_loaded )
            HAudioLoader::freeSampleData( m_sample.data );
        m_loaded = false;
    }
    std::vector<int16_t> values() const
    {
        const int16_t* kpValues = reinterpret_cast<const int16_t*>( m_sample.data );
        return std::vector<int16_t>( kpValues, kpValues + m_sample.size / 2 );
    }

    RecordingProcessServices m_services;
    TempDir m_dir;
    HStandardFileSystem m_fs;
    HOGGLoader m_loader;
    AudioSample m_sample = {};
    bool m_loaded = false;
};
}

TEST_F( OGGLoaderTest, YieldsTheWholeSoundAsSixteenBitValues )
{
    for( int32_t channels : { 1, 2 } )
    {
        std::string ogg = encodeOgg( synthSine( 5000, channels, 22050, 660.0, 9000.0 ), channels, 22050 );
        ASSERT_TRUE( load( ogg ) );
        EXPECT_EQ( m_sample.size, 5000 * channels * 2 ) << "frames x channels x 2";
        EXPECT_EQ( m_sample.channels, channels );
        EXPECT_EQ( m_sample.bits, 16 );
        EXPECT_EQ( m_sample.frequency, 22050 );
        EXPECT_EQ( values(), decodeOggStraight( ogg ).values );
    }
}

TEST_F( OGGLoaderTest, TruncatedFileDecodesOnlyWhatItHolds )
{
    std::string ogg = encodeOgg( synthSine( 22050 * 8, 2, 22050, 330.0, 9000.0 ), 2, 22050, 1.0f );
    std::vector<int16_t> whole = decodeOggStraight( ogg ).values;
    ASSERT_TRUE( load( ogg.substr( 0, ogg.size() * 2 / 3 ) ) );
    std::vector<int16_t> part = values();
    EXPECT_LT( part.size(), whole.size() );
    EXPECT_GT( part.size(), 0u );
    EXPECT_EQ( part.size() % 2, 0u ) << "whole frames";
    // What it holds is the start of the sound, never a repeat of it.
    size_t compared = part.size() < whole.size() ? part.size() : whole.size();
    size_t firstDifference = 0;
    while( firstDifference < compared && part[ firstDifference ] == whole[ firstDifference ] )
        ++firstDifference;
    EXPECT_EQ( firstDifference, compared ) << "of " << part.size() << " vs " << whole.size();
}

TEST_F( OGGLoaderTest, GarbageEmptyAndMissingFilesAreRefused )
{
    std::string garbage( 3000, 'x' );
    EXPECT_FALSE( load( garbage ) );
    EXPECT_FALSE( load( "OggS" + garbage ) );
    EXPECT_FALSE( load( std::string() ) );
    EXPECT_FALSE( m_loader.loadAudioSample( &m_fs, "missing.ogg", m_sample, 16, 22050 ) );
    EXPECT_EQ( m_services.debugTraces().back(), "HOGGLoader::loadAudioSample - could not open file 'missing.ogg'" );
    EXPECT_FALSE( m_loader.loadAudioSample( nullptr, "sound.ogg", m_sample, 16, 22050 ) );
}

TEST_F( OGGLoaderTest, WrongRateOrEightBitsAreRefused )
{
    std::string ogg44 = encodeOgg( synthSine( 4410, 1, 44100, 440.0, 9000.0 ), 1, 44100 );
    EXPECT_FALSE( load( ogg44, 16, 22050 ) );
    EXPECT_TRUE( load( ogg44, 16, 44100 ) );
    std::string ogg = encodeOgg( synthSine( 4410, 1, 22050, 440.0, 9000.0 ), 1, 22050 );
    EXPECT_FALSE( load( ogg, 8, 22050 ) ) << "the decoder gives 16-bit data only";
}
