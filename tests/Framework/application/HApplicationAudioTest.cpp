#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/ScriptEngine/src/HCvarManager.h"
#include "Framework/application/HApplication.h"
#include "Framework/audio/HOVAudioStream.h"
#include "tests/support/FakeAudioDevice.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/SoundFiles.h"
#include "tests/support/TempDir.h"

namespace
{
const int32_t kRate = 22050;

class AudioApplication : public HApplication
{
public:
    int handleEvent( const HEvent& ) override { return 0; }
    void drawRect( const HRect& ) override {}

    using HApplication::m_createAudioDevice;
    using HApplication::m_destroyAudioDevice;
};

class HApplicationAudioTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FakeAudioDevice::install();
        ASSERT_TRUE( m_app.init( false, false, "", "", true, true ) );
        testing::internal::CaptureStdout();
        m_fs.init( m_dir.path().c_str() );
        testing::internal::GetCapturedStdout();
        m_music = encodeOgg( synthSine( kRate, 2, kRate, 250.0, 12000.0 ), 2, kRate );
        m_dir.write( "theme.ogg", m_music );
        m_dir.write( "beep.wav", makeWav( bytesOf( std::vector<int16_t>( 400, 2560 ) ), 2, kRate, 16 ) );
    }
    void TearDown() override
    {
        m_app.unloadGraphics();
        m_app.shutdown();
        FakeAudioDevice::uninstall();
    }

    bool start()
    {
        m_services.debugOutputs.clear();
        return m_app.m_createAudioDevice( &m_fs, 2, 16, kRate );
    }
    FakeAudioStream& stream() { return FakeAudioDevice::s_pCurrent->stream; }

    RecordingProcessServices m_services;
    TempDir m_dir;
    HStandardFileSystem m_fs;
    AudioApplication m_app;
    std::string m_music;
};

std::vector<int16_t> atMusicVolume( const std::vector<int16_t>& values, size_t from, size_t count )
{
    std::vector<int16_t> out;
    for( size_t index = from; index < from + count; ++index )
        out.push_back( static_cast<int16_t>( ( values[ index ] * 64 ) >> 8 ) );
    return out;
}
}

TEST_F( HApplicationAudioTest, MakesTheDeviceMixerAndStreamAndStartsPlaying )
{
    ASSERT_TRUE( start() );
    const std::vector<std::string> kLog = { "...entering m_createAudioStream\n", "...creating mixing stream: ",
                                            "success\n" };
    EXPECT_EQ( m_services.debugOutputs, kLog );
    ASSERT_NE( FakeAudioDevice::s_pCurrent, nullptr );
    EXPECT_EQ( m_app.getAudioDevice(), FakeAudioDevice::s_pCurrent );
    EXPECT_EQ( m_app.getAudioStream(), &stream() );
    EXPECT_TRUE( stream().playing );
    EXPECT_EQ( stream().pSource, &m_app.getMixer() );
    EXPECT_EQ( m_app.getMixer().getChannels(), 2 );
    EXPECT_EQ( m_app.getMixer().getFrequency(), kRate );
    EXPECT_EQ( m_app.getSoundBank().getMixer(), &m_app.getMixer() );
    EXPECT_EQ( m_app.getSoundBank().getFileSystem(), &m_fs );
    ASSERT_NE( m_app.getThemeMusic(), nullptr );

    // A sound played through the bank reaches the output.
    ASSERT_TRUE( m_app.getSoundBank().playSound( nullptr, "beep.wav", 16, kRate, 0, 255, 0, false ) );
    EXPECT_EQ( stream().pull( 4 ), std::vector<int16_t>( 4, 2550 ) );
}

TEST_F( HApplicationAudioTest, TheSilentDriverOrAFailedStreamLeavesNoDevice )
{
    m_app.getCvars()->setVariableString( "c_soundDriver", "null" );
    EXPECT_FALSE( start() );
    const std::vector<std::string> kLog = { "...entering m_createAudioStream\n", "...creating mixing stream: ",
                                            "failed\n" };
    EXPECT_EQ( m_services.debugOutputs, kLog );
    EXPECT_EQ( m_app.getAudioDevice(), nullptr );
    EXPECT_EQ( m_app.getThemeMusic(), nullptr );
    EXPECT_FALSE( m_app.getSoundBank().playSound( nullptr, "beep.wav", 16, kRate, 0, 255, 0, false ) );
    EXPECT_TRUE( m_app.loadThemeMusic( "theme.ogg", &m_fs, 0 ) ) << "no music stream: nothing to do";
    m_app.setMusicPlaying( true );
    EXPECT_FALSE( m_app.isMusicPlaying() );

    m_app.getCvars()->setVariableString( "c_soundDriver", "default" );
    FakeAudioDevice::s_streamFails = true;
    EXPECT_FALSE( start() );
    EXPECT_EQ( FakeAudioDevice::s_pCurrent, nullptr ) << "the device was destroyed again";
    EXPECT_EQ( m_app.getAudioDevice(), nullptr );

    FakeAudioDevice::s_streamFails = false;
    FakeAudioDevice::s_initFails = true;
    EXPECT_FALSE( start() );
    const std::vector<std::string> kNoDevice = { "...entering m_createAudioStream\n" };
    EXPECT_EQ( m_services.debugOutputs, kNoDevice );
    EXPECT_TRUE( m_services.boxes.empty() );
}

TEST_F( HApplicationAudioTest, ThemeMusicPlaysAtItsVolumeAndRepeatsFromTheLoopPosition )
{
    ASSERT_TRUE( start() );
    const int32_t kLoop = 10000;
    ASSERT_TRUE( m_app.loadThemeMusic( "theme.ogg", &m_fs, kLoop ) );
    EXPECT_FALSE( m_app.isMusicPlaying() );
    EXPECT_EQ( stream().pull( 8 ), std::vector<int16_t>( 8, 0 ) ) << "loaded, not yet playing";
    m_app.setMusicPlaying( true );
    EXPECT_TRUE( m_app.isMusicPlaying() );

    const std::vector<int16_t> reference = decodeOggStraight( m_music ).values;
    const size_t total = reference.size();
    std::vector<int16_t> heard = stream().pull( static_cast<int32_t>( total - 100 ) );
    EXPECT_EQ( heard, atMusicVolume( reference, 0, total - 100 ) );
    // Across the end: the last 100 values, then from the loop position on.
    std::vector<int16_t> seam = stream().pull( 300 );
    std::vector<int16_t> expected = atMusicVolume( reference, total - 100, 100 );
    std::vector<int16_t> after = atMusicVolume( reference, kLoop * 2, 200 );
    expected.insert( expected.end(), after.begin(), after.end() );
    EXPECT_EQ( seam, expected );

    m_app.serviceThemeMusic();
    EXPECT_EQ( stream().pull( 50 ), atMusicVolume( reference, 0, 50 ) ) << "restarted from its beginning";
    m_app.setMusicPlaying( false );
    EXPECT_EQ( stream().pull( 8 ), std::vector<int16_t>( 8, 0 ) );
}

TEST_F( HApplicationAudioTest, ThemeMusicThatCannotBeUsedIsRefusedAndNeverPlayed )
{
    ASSERT_TRUE( start() );
    EXPECT_FALSE( m_app.loadThemeMusic( "missing.ogg", &m_fs, 0 ) );
    EXPECT_EQ( m_services.debugOutputs.back(), "...***could not open theme music***\n" );

    m_dir.write( "garbage.ogg", std::string( 4000, 'g' ) );
    EXPECT_FALSE( m_app.loadThemeMusic( "garbage.ogg", &m_fs, 0 ) );
    m_dir.write( "mono.ogg", encodeOgg( synthSine( 4000, 1, kRate, 250.0, 9000.0 ), 1, kRate ) );
    EXPECT_FALSE( m_app.loadThemeMusic( "mono.ogg", &m_fs, 0 ) ) << "mono would play at double speed";
    m_dir.write( "fast.ogg", encodeOgg( synthSine( 8000, 2, 44100, 250.0, 9000.0 ), 2, 44100 ) );
    EXPECT_FALSE( m_app.loadThemeMusic( "fast.ogg", &m_fs, 0 ) );
    m_app.setMusicPlaying( true );
    EXPECT_EQ( stream().pull( 16 ), std::vector<int16_t>( 16, 0 ) );
    m_app.setMusicPlaying( false );

    // A good theme loaded over a playing one replaces it without a gap in ownership.
    ASSERT_TRUE( m_app.loadThemeMusic( "theme.ogg", &m_fs, 0 ) );
    m_app.setMusicPlaying( true );
    stream().pull( 1000 );
    ASSERT_TRUE( m_app.loadThemeMusic( "theme.ogg", &m_fs, 0 ) );
    EXPECT_TRUE( m_app.isMusicPlaying() );
    EXPECT_EQ( stream().pull( 40 ), atMusicVolume( decodeOggStraight( m_music ).values, 0, 40 ) );
    EXPECT_FALSE( m_app.loadThemeMusic( "missing.ogg", &m_fs, 0 ) );
    EXPECT_TRUE( m_app.isMusicPlaying() ) << "a failed open leaves the playing theme alone";
}

TEST_F( HApplicationAudioTest, TakingTheAudioDownStopsEverythingAndCanBeRepeated )
{
    ASSERT_TRUE( start() );
    ASSERT_TRUE( m_app.loadThemeMusic( "theme.ogg", &m_fs, 0 ) );
    m_app.setMusicPlaying( true );
    ASSERT_TRUE( m_app.getSoundBank().playSound( nullptr, "beep.wav", 16, kRate, -1, 255, 0, false ) );
    EXPECT_EQ( stream().stops, 0 );

    m_app.m_destroyAudioDevice();
    EXPECT_EQ( FakeAudioDevice::s_pCurrent, nullptr ) << "shut down and deleted";
    EXPECT_EQ( m_app.getAudioDevice(), nullptr );
    EXPECT_EQ( m_app.getAudioStream(), nullptr );
    EXPECT_EQ( m_app.getThemeMusic(), nullptr );
    EXPECT_FALSE( m_app.isMusicPlaying() );
    EXPECT_EQ( m_app.getMixer().getMusicSource(), nullptr );
    EXPECT_EQ( m_app.getSoundBank().getMixer(), nullptr );
    EXPECT_EQ( m_app.getSoundBank().getCachedCount(), 0 );
    HAudioMixerStreamingAudioSource::VoiceState state;
    m_app.getMixer().getVoiceState( 0, state );
    EXPECT_EQ( state.data, nullptr );

    m_app.m_destroyAudioDevice();
    // And up again, as the debug restart does.
    ASSERT_TRUE( start() );
    EXPECT_EQ( FakeAudioDevice::s_made, 2 );
    ASSERT_TRUE( m_app.loadThemeMusic( "theme.ogg", &m_fs, 0 ) );
    m_app.setMusicPlaying( true );
    EXPECT_TRUE( m_app.isMusicPlaying() );
    EXPECT_TRUE( m_app.getSoundBank().playSound( nullptr, "beep.wav", 16, kRate, 0, 255, 0, false ) );
}
