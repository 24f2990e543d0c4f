#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "Framework/audio/HOVAudioStream.h"
#include "tests/Game/support/GameHarness.h"
#include "tests/support/FakeAudioDevice.h"
#include "tests/support/SoundFiles.h"

namespace
{
const int32_t kRate = 22050;

std::string shortOgg( double frequency, int32_t frames = 4000 )
{
    return encodeOgg( synthSine( frames, 2, kRate, frequency, 8000.0 ), 2, kRate );
}

GameHarness::Options withSounds( bool theme )
{
    GameHarness::Options options;
    options.connectSound = false;
    options.resources = { { "splash.ogg", shortOgg( 500.0, 22050 ) }, { "onemoretogo.ogg", shortOgg( 300.0 ) },
                          { "blocked.ogg", shortOgg( 200.0 ) },       { "bjbcrunch.ogg", shortOgg( 400.0 ) },
                          { "klaxon.ogg", shortOgg( 900.0 ) },        { "candycane.ogg", shortOgg( 600.0 ) } };
    if( theme )
        options.resources.push_back( { "theme.ogg", shortOgg( 220.0, 3 * kRate ) } );
    return options;
}
}

TEST( VXGameAudioTest, SplashSoundsWhileAssetsLoadThenSamplesArePreloadedAndMusicStarts )
{
    GameHarness harness( withSounds( true ) );
    ASSERT_TRUE( harness.started() );
    TestGame& game = harness.game();
    EXPECT_TRUE( game.splashDuringLoad );
    EXPECT_FALSE( game.getSoundBank().isPlaying( "splash.ogg" ) ) << "stopped and freed after loading";
    EXPECT_EQ( game.getSoundBank().getCachedCount(), 5 ) << "the five preloaded samples, not the splash";
    ASSERT_NE( game.getThemeMusic(), nullptr );
    EXPECT_TRUE( game.getThemeMusic()->isOpened() );
    EXPECT_EQ( game.getThemeMusic()->getLoopPosition(), 66016 ) << "three seconds reach past the loop point";
    EXPECT_TRUE( game.isMusicPlaying() );
    EXPECT_EQ( game.getMixer().getMusicSource(), game.getThemeMusic() );
}

TEST( VXGameAudioTest, WithoutThemeMusicNothingIsPreloaded )
{
    GameHarness harness( withSounds( false ) );
    ASSERT_TRUE( harness.started() );
    EXPECT_EQ( harness.game().getSoundBank().getCachedCount(), 0 );
    EXPECT_NE( std::find( harness.services().debugOutputs.begin(), harness.services().debugOutputs.end(),
                          "...***could not open theme music***\n" ),
               harness.services().debugOutputs.end() );
}

TEST( VXGameAudioTest, TheGamesSoundsAndAlarmGoThroughTheSoundBank )
{
    GameHarness harness( withSounds( true ) );
    ASSERT_TRUE( harness.started() );
    TestGame& game = harness.game();
    game.playSample( "blocked.ogg", 128 );
    EXPECT_TRUE( game.getSoundBank().isPlaying( "blocked.ogg" ) );
    game.soundAlarm( 127 );
    EXPECT_TRUE( game.getSoundBank().isPlaying( "klaxon.ogg" ) );
    game.stopAlarm();
    HAudioMixerStreamingAudioSource::VoiceState state = {};
    game.getMixer().getVoiceState( 1, state );
    EXPECT_TRUE( state.paused );
    EXPECT_EQ( state.loopsLeft, -1 );
}

TEST( VXGameAudioTest, RestartingTheAudioBringsDeviceMusicAndAlarmBack )
{
    GameHarness harness( withSounds( true ) );
    ASSERT_TRUE( harness.started() );
    TestGame& game = harness.game();
    game.soundAlarm( 127 );
    game.m_restartAudio();
    EXPECT_EQ( FakeAudioDevice::s_made, 2 );
    EXPECT_TRUE( game.isMusicPlaying() );
    EXPECT_EQ( game.getSoundBank().getCachedCount(), 5 );
    EXPECT_FALSE( game.isAlarmPlaying() );
    EXPECT_FALSE( game.getSoundBank().isPlaying( "klaxon.ogg" ) );
    game.soundAlarm( 200 );
    EXPECT_TRUE( game.getSoundBank().isPlaying( "klaxon.ogg" ) ) << "a new alarm voice";
}
