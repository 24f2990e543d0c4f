#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/audio/HAudioMixerStreamingAudioSource.h"
#include "Framework/audio/HSoundBank.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/SoundFiles.h"
#include "tests/support/TempDir.h"

namespace
{
class SoundBankTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testing::internal::CaptureStdout();
        m_fs.init( m_dir.path().c_str() );
        testing::internal::GetCapturedStdout();
        m_mixer.setFormat( 2, 16, 22050 );
        m_bank.setFileSystem( &m_fs );
        m_bank.setMixer( &m_mixer );
    }

    // A stereo WAV whose every value is the given one.
    void writeWav( const std::string& name, int16_t value, int32_t frames = 100 )
    {
        m_dir.write( name, makeWav( bytesOf( std::vector<int16_t>( static_cast<size_t>( frames * 2 ), value ) ), 2,
                                    22050, 16 ) );
    }

    bool play( const char* kpName, int32_t* pVoice = nullptr, bool overlap = true, int32_t loops = 0 )
    {
        return m_bank.playSound( pVoice, kpName, 16, 22050, loops, 255, 0, overlap );
    }

    int loads( const std::string& name ) const
    {
        const std::string line = "...loading sound '" + name + "'\n";
        const std::vector<std::string>& traces = RecordingProcessServices::debugTraces();
        return static_cast<int>( std::count( traces.begin(), traces.end(), line ) );
    }

    int16_t firstValue()
    {
        int16_t out[ 2 ] = {};
        m_mixer.readNextChunk( reinterpret_cast<uint8_t*>( out ), 4 );
        return out[ 0 ];
    }

    RecordingProcessServices m_services;
    TempDir m_dir;
    HStandardFileSystem m_fs;
    HAudioMixerStreamingAudioSource m_mixer;
    HSoundBank m_bank;
};
}

TEST_F( SoundBankTest, LoadsASoundOnceAndFindsItByNameInAnyCase )
{
    writeWav( "click.wav", 512 );
    int32_t voice = -5;
    ASSERT_TRUE( play( "click.wav", &voice ) );
    EXPECT_EQ( voice, 0 );
    EXPECT_EQ( firstValue(), 510 );
    ASSERT_TRUE( play( "CLICK.wav", &voice ) );
    EXPECT_EQ( voice, 1 );
    EXPECT_EQ( loads( "click.wav" ) + loads( "CLICK.wav" ), 1 );
    EXPECT_EQ( m_bank.getCachedCount(), 1 );
    EXPECT_TRUE( m_bank.isPlaying( "Click.WAV" ) );

    // Even with the file gone, the cached sound still plays.
    std::remove( m_dir.file( "click.wav" ).c_str() );
    EXPECT_TRUE( play( "click.wav" ) );
}

TEST_F( SoundBankTest, PicksTheLoaderByACaseSensitiveExtension )
{
    writeWav( "LOUD.WAV", 100 );
    writeWav( "noise.snd", 100 );
    EXPECT_FALSE( play( "LOUD.WAV" ) );
    EXPECT_FALSE( play( "noise.snd" ) );
    EXPECT_EQ( m_services.debugTraces().back(), "loadAudioSample - unknown file type for file 'noise.snd'" );
    m_dir.write( "tone.ogg", encodeOgg( synthSine( 2000, 2, 22050, 440.0, 8000.0 ), 2, 22050 ) );
    int32_t voice = -1;
    EXPECT_TRUE( play( "tone.ogg", &voice ) );
    EXPECT_EQ( voice, 0 );
    // A name with ".wav" in it goes to the WAV loader even if it ends otherwise.
    m_dir.write( "odd.wav.ogg", encodeOgg( synthSine( 2000, 2, 22050, 440.0, 8000.0 ), 2, 22050 ) );
    EXPECT_FALSE( play( "odd.wav.ogg" ) );
}

TEST_F( SoundBankTest, SoundsBeyondSixtyFourArePlayedButNotCachedAndNotLeaked )
{
    for( int index = 0; index < 64; ++index )
    {
        std::string name = "s" + std::to_string( index ) + ".wav";
        writeWav( name, 256, 2 );
        ASSERT_TRUE( play( name.c_str() ) );
        m_mixer.shutdown();
    }
    EXPECT_EQ( m_bank.getCachedCount(), 64 );
    writeWav( "extra.wav", 1024, 4 );
    for( int round = 0; round < 3; ++round )
    {
        ASSERT_TRUE( play( "extra.wav" ) );
        EXPECT_EQ( firstValue(), 1020 );
        EXPECT_EQ( m_bank.getUncachedCount(), 1 ) << "one at a time, freed once no voice plays it";
        m_mixer.shutdown();
    }
    EXPECT_EQ( loads( "extra.wav" ), 3 ) << "loaded again on every play";
    EXPECT_EQ( std::count( m_services.debugTraces().begin(), m_services.debugTraces().end(),
                           "m_storeAudioBufferTemplate - couldn't find a free slot" ),
               3 );
    // Still sounding: it is kept until its voice is done.
    ASSERT_TRUE( play( "extra.wav", nullptr, true, -1 ) );
    ASSERT_TRUE( play( "extra.wav" ) );
    EXPECT_EQ( m_bank.getUncachedCount(), 2 );
    EXPECT_TRUE( m_bank.isPlaying( "extra.wav" ) );
    EXPECT_FALSE( play( "extra.wav", nullptr, false ) );
    m_bank.unloadAll();
    EXPECT_EQ( m_bank.getUncachedCount(), 0 );
    EXPECT_FALSE( m_mixer.isSamplePlaying( nullptr ) );
}

TEST_F( SoundBankTest, WithoutOverlapASoundingSampleIsNotStartedAgain )
{
    writeWav( "klaxon.wav", 256 );
    int32_t voice = -1;
    ASSERT_TRUE( play( "klaxon.wav", &voice, false, -1 ) );
    m_bank.setVoicePaused( voice, true );
    int32_t second = 77;
    EXPECT_FALSE( play( "klaxon.wav", &second, false ) ) << "even while paused";
    EXPECT_EQ( second, -1 );
    HAudioMixerStreamingAudioSource::VoiceState state;
    m_mixer.getVoiceState( 1, state );
    EXPECT_EQ( state.data, nullptr ) << "nothing started";
    EXPECT_TRUE( play( "klaxon.wav", &second, true ) );
    EXPECT_EQ( second, 1 );
}

TEST_F( SoundBankTest, UnloadStopsTheVoiceFirstAndTheNextPlayLoadsAgain )
{
    writeWav( "levelup.wav", 256 );
    int32_t voice = -1;
    ASSERT_TRUE( play( "levelup.wav", &voice, true, -1 ) );
    m_bank.unloadSound( "LEVELUP.wav" );
    EXPECT_EQ( m_bank.getCachedCount(), 0 );
    HAudioMixerStreamingAudioSource::VoiceState state;
    m_mixer.getVoiceState( voice, state );
    EXPECT_EQ( state.data, nullptr ) << "no voice reads freed data";
    EXPECT_EQ( firstValue(), 0 );

    writeWav( "levelup.wav", 1024 );
    ASSERT_TRUE( play( "levelup.wav" ) );
    EXPECT_EQ( firstValue(), 1020 );
    EXPECT_EQ( loads( "levelup.wav" ), 2 );
}

TEST_F( SoundBankTest, VoiceControlsReachTheMixerOnlyForRealVoices )
{
    writeWav( "loop.wav", 1024 );
    int32_t voice = -1;
    ASSERT_TRUE( play( "loop.wav", &voice, true, -1 ) );
    for( int32_t index : { -1, 8 } )
    {
        m_bank.setVoicePaused( index, true );
        m_bank.stopVoice( index );
        m_bank.setVoiceVolume( index, 0 );
        m_bank.rewindVoice( index );
    }
    EXPECT_EQ( firstValue(), 1020 );
    m_bank.setVoiceVolume( voice, 128 );
    EXPECT_EQ( firstValue(), 512 );
    m_bank.setVoicePaused( voice, true );
    EXPECT_EQ( firstValue(), 0 );
    m_bank.setVoicePaused( voice, false );
    m_bank.rewindVoice( voice );
    HAudioMixerStreamingAudioSource::VoiceState state;
    m_mixer.getVoiceState( voice, state );
    EXPECT_EQ( state.position, 0 );
    m_bank.stopVoice( voice );
    EXPECT_FALSE( m_bank.isPlaying( "loop.wav" ) );
}

TEST_F( SoundBankTest, NothingPlaysWhenMutedOrWithoutMixerOrFiles )
{
    writeWav( "click.wav", 256 );
    int32_t voice = 3;
    m_bank.setMute( true );
    EXPECT_FALSE( m_bank.isEnabled() );
    EXPECT_FALSE( play( "click.wav", &voice ) );
    EXPECT_EQ( voice, -1 );
    m_bank.setMute( false );
    EXPECT_FALSE( play( nullptr ) );
    EXPECT_FALSE( play( "missing.wav" ) );
    EXPECT_EQ( m_bank.getCachedCount(), 0 ) << "a failed load leaves no entry";
    writeWav( "missing.wav", 256 );
    EXPECT_TRUE( play( "missing.wav" ) ) << "and the next play tries again";
    EXPECT_FALSE( play( std::string( 130, 'a' ).append( ".wav" ).c_str() ) ) << "names must fit the template";

    m_bank.unloadAll();
    EXPECT_EQ( m_bank.getMixer(), nullptr );
    EXPECT_EQ( m_bank.getCachedCount(), 0 );
    EXPECT_FALSE( play( "click.wav" ) );
    EXPECT_FALSE( m_bank.isPlaying( "click.wav" ) );
    m_bank.stopVoice( 0 );

    HSoundBank noFiles;
    noFiles.setMixer( &m_mixer );
    AudioSample sample;
    EXPECT_FALSE( noFiles.loadAudioSample( "click.wav", sample, 16, 22050 ) );
    EXPECT_FALSE( noFiles.playSound( nullptr, "click.wav", 16, 22050, 0, 255, 0, true ) );
}

TEST_F( SoundBankTest, AFullMixerMeansFalseAndNoVoice )
{
    writeWav( "click.wav", 256 );
    for( int index = 0; index < 8; ++index )
        ASSERT_TRUE( play( "click.wav" ) );
    int32_t voice = 5;
    EXPECT_FALSE( play( "click.wav", &voice ) );
    EXPECT_EQ( voice, -1 );
}

TEST_F( SoundBankTest, LoadedSamplesAreCachedInTheRequestedFormat )
{
    m_dir.write( "tone8.wav", makeWav( std::string( 10, '\x90' ), 1, 22050, 8 ) );
    AudioSample sample = {};
    ASSERT_TRUE( m_bank.loadAudioSample( "tone8.wav", sample, 16, 22050 ) );
    EXPECT_EQ( sample.bits, 16 );
    EXPECT_EQ( sample.size, 20 );
    AudioSample again = {};
    ASSERT_TRUE( m_bank.loadAudioSample( "tone8.wav", again, 16, 22050 ) );
    EXPECT_EQ( again.data, sample.data );
}

TEST_F( SoundBankTest, KnowsWhichSoundAVoicePlays )
{
    writeWav( "klaxon.wav", 256 );
    writeWav( "click.wav", 256 );
    int32_t voice = -1;
    ASSERT_TRUE( play( "klaxon.wav", &voice, false, -1 ) );
    m_bank.setVoicePaused( voice, true );
    EXPECT_TRUE( m_bank.isVoicePlaying( voice, "KLAXON.wav" ) ) << "paused still counts";
    EXPECT_FALSE( m_bank.isVoicePlaying( voice, "click.wav" ) );
    EXPECT_FALSE( m_bank.isVoicePlaying( 8, "klaxon.wav" ) );
    // After a reset the index may go to another sound.
    m_mixer.shutdown();
    int32_t other = -1;
    ASSERT_TRUE( play( "click.wav", &other ) );
    EXPECT_EQ( other, voice );
    EXPECT_FALSE( m_bank.isVoicePlaying( voice, "klaxon.wav" ) );
    EXPECT_TRUE( m_bank.isVoicePlaying( voice, "click.wav" ) );
    m_bank.unloadAll();
    EXPECT_FALSE( m_bank.isVoicePlaying( voice, "click.wav" ) );
}
