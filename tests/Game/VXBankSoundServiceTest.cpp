#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/audio/HAudioMixerStreamingAudioSource.h"
#include "Framework/audio/HSoundBank.h"
#include "Game/VXBankSoundService.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/SoundFiles.h"
#include "tests/support/TempDir.h"

namespace
{
const int32_t kRate = 22050;

class VXBankSoundServiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testing::internal::CaptureStdout();
        m_fs.init( m_dir.path().c_str() );
        testing::internal::GetCapturedStdout();
        m_dir.write( "klaxon.ogg", encodeOgg( synthSine( 3000, 2, kRate, 700.0, 9000.0 ), 2, kRate ) );
        m_dir.write( "click.wav", makeWav( bytesOf( std::vector<int16_t>( 200, 1024 ) ), 2, kRate, 16 ) );
        m_mixer.setFormat( 2, 16, kRate );
        m_bank.setFileSystem( &m_fs );
        m_bank.setMixer( &m_mixer );
    }

    HAudioMixerStreamingAudioSource::VoiceState voice( int32_t index )
    {
        HAudioMixerStreamingAudioSource::VoiceState state = {};
        m_mixer.getVoiceState( index, state );
        return state;
    }

    void mix( int32_t frames )
    {
        std::vector<int16_t> block( static_cast<size_t>( frames * 2 ) );
        m_mixer.readNextChunk( reinterpret_cast<uint8_t*>( block.data() ), frames * 4 );
    }

    RecordingProcessServices m_services;
    TempDir m_dir;
    HStandardFileSystem m_fs;
    HAudioMixerStreamingAudioSource m_mixer;
    HSoundBank m_bank;
    VXBankSoundService m_service{ &m_bank };
};
}

TEST_F( VXBankSoundServiceTest, SamplesPlayOnceAndNotAgainWhileSounding )
{
    m_service.playSample( "click.wav", 128 );
    EXPECT_EQ( voice( 0 ).volume, 128 );
    EXPECT_EQ( voice( 0 ).loopsLeft, 0 );
    m_service.playSample( "click.wav", 200 );
    EXPECT_EQ( voice( 1 ).data, nullptr ) << "still sounding: not started twice";
    mix( 100 );
    m_service.playSample( "click.wav", 200 );
    EXPECT_EQ( voice( 0 ).volume, 200 ) << "once it ended it plays again";
    m_service.playSample( "missing.wav", 128 );
    m_service.playSample( nullptr, 128 );
}

TEST_F( VXBankSoundServiceTest, TheAlarmIsOneEndlessVoicePausedAndRewoundBetweenUses )
{
    m_service.stopAlarm();
    m_service.setAlarmVolume( 50 );
    EXPECT_EQ( m_service.getAlarmVoice(), -1 ) << "nothing to stop or turn before the first start";

    m_service.startAlarm( 127 );
    const int32_t alarm = m_service.getAlarmVoice();
    ASSERT_EQ( alarm, 0 );
    EXPECT_EQ( voice( alarm ).loopsLeft, -1 );
    EXPECT_EQ( voice( alarm ).volume, 127 );
    EXPECT_FALSE( voice( alarm ).paused );
    m_service.setAlarmVolume( 200 );
    EXPECT_EQ( voice( alarm ).volume, 200 );
    mix( 5000 );
    EXPECT_NE( voice( alarm ).data, nullptr ) << "endless: still there past its length";

    m_service.stopAlarm();
    EXPECT_TRUE( voice( alarm ).paused );
    EXPECT_EQ( voice( alarm ).position, 0 );
    EXPECT_TRUE( m_bank.isPlaying( "klaxon.ogg" ) ) << "kept for the next alarm";

    m_service.playSample( "click.wav", 128 );
    m_service.startAlarm( 140 );
    EXPECT_EQ( m_service.getAlarmVoice(), alarm ) << "the same voice resumes";
    EXPECT_FALSE( voice( alarm ).paused );
    EXPECT_EQ( voice( alarm ).volume, 140 );
    EXPECT_EQ( voice( 2 ).data, nullptr );
}

TEST_F( VXBankSoundServiceTest, AfterAnAudioRestartTheOldVoiceIsNeverTouched )
{
    m_service.startAlarm( 127 );
    ASSERT_EQ( m_service.getAlarmVoice(), 0 );
    // What the restart does to the mixer and bank; then another sound takes voice 0.
    m_mixer.shutdown();
    m_bank.unloadAll();
    m_bank.setMixer( &m_mixer );
    m_service.playSample( "click.wav", 90 );
    m_service.stopAlarm();
    m_service.setAlarmVolume( 10 );
    EXPECT_FALSE( voice( 0 ).paused ) << "the click was not paused";
    EXPECT_EQ( voice( 0 ).volume, 90 );
    m_service.startAlarm( 130 );
    EXPECT_EQ( m_service.getAlarmVoice(), 1 );
    EXPECT_EQ( voice( 1 ).volume, 130 );
}

TEST_F( VXBankSoundServiceTest, MuteSilencesSamplesAndAlarm )
{
    m_service.setMute( true );
    EXPECT_FALSE( m_bank.isEnabled() );
    m_service.playSample( "click.wav", 128 );
    m_service.startAlarm( 128 );
    EXPECT_EQ( voice( 0 ).data, nullptr );
    m_service.setMute( false );
    m_service.playSample( "click.wav", 128 );
    EXPECT_NE( voice( 0 ).data, nullptr );

    VXBankSoundService unconnected( nullptr );
    unconnected.playSample( "click.wav", 128 );
    unconnected.startAlarm( 128 );
    unconnected.setAlarmVolume( 1 );
    unconnected.stopAlarm();
    unconnected.setMute( true );
}
