#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Framework/audio/HAudioMixerStreamingAudioSource.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
// A sample record over test-owned memory.
struct TestSample
{
    TestSample( std::vector<int16_t> values, int32_t channels, int32_t frequency = 22050 )
        : values16( std::move( values ) )
    {
        record.data = reinterpret_cast<uint8_t*>( values16.data() );
        record.channels = channels;
        record.bits = 16;
        record.frequency = frequency;
        record.size = static_cast<int32_t>( values16.size() * 2 );
    }
    TestSample( std::vector<uint8_t> values, int32_t channels )
        : values8( std::move( values ) )
    {
        record.data = values8.data();
        record.channels = channels;
        record.bits = 8;
        record.frequency = 22050;
        record.size = static_cast<int32_t>( values8.size() );
    }
    std::vector<int16_t> values16;
    std::vector<uint8_t> values8;
    AudioSample record;
};

// Music that delivers a fixed pattern, or only part of a block.
class FakeMusic : public HStreamingAudioSource
{
public:
    bool init() override { return true; }
    void shutdown() override {}
    int32_t readNextChunk( uint8_t* pBuffer, int32_t byteCount ) override
    {
        ++calls;
        int32_t count = deliver < 0 ? byteCount : std::min( deliver, byteCount );
        for( int32_t index = 0; index + 1 < count; index += 2 )
        {
            int16_t value = pattern[ static_cast<size_t>( index / 2 ) % pattern.size() ];
            std::memcpy( pBuffer + index, &value, 2 );
        }
        return count;
    }
    std::vector<int16_t> pattern = { 1000, -1000 };
    int32_t deliver = -1;
    int calls = 0;
};

class MixerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_mixer.init();
        m_mixer.setFormat( 2, 16, 22050 );
    }

    std::vector<int16_t> mix16( int32_t frames )
    {
        std::vector<int16_t> out( static_cast<size_t>( frames * 2 ), 0x5555 );
        EXPECT_EQ( m_mixer.readNextChunk( reinterpret_cast<uint8_t*>( out.data() ), frames * 4 ), frames * 4 );
        return out;
    }

    std::vector<uint8_t> mix8( int32_t bytes )
    {
        std::vector<uint8_t> out( static_cast<size_t>( bytes ), 0x55 );
        EXPECT_EQ( m_mixer.readNextChunk( out.data(), bytes ), bytes );
        return out;
    }

    int32_t play( const TestSample& sample, int32_t volume = 255, int32_t loops = 0 )
    {
        int32_t voice = -7;
        int32_t result = m_mixer.playSample( &voice, &sample.record, volume, 0, loops );
        EXPECT_EQ( result, 0 );
        return voice;
    }

    bool voiceBusy( int32_t index )
    {
        HAudioMixerStreamingAudioSource::VoiceState state;
        m_mixer.getVoiceState( index, state );
        return state.data != nullptr;
    }

    RecordingProcessServices m_services;
    HAudioMixerStreamingAudioSource m_mixer;
};

// Values in steps of 256, which volume 255 turns into steps of 255 exactly.
std::vector<int16_t> units( std::vector<int> steps )
{
    std::vector<int16_t> values;
    for( int step : steps )
        values.push_back( static_cast<int16_t>( step * 256 ) );
    return values;
}

std::vector<int16_t> heard( std::vector<int> steps )
{
    std::vector<int16_t> values;
    for( int step : steps )
        values.push_back( static_cast<int16_t>( step * 255 ) );
    return values;
}

std::vector<int> count( int from, int to )
{
    std::vector<int> steps;
    for( int step = from; step <= to; ++step )
        steps.push_back( step );
    return steps;
}
}

TEST_F( MixerTest, SilenceWithoutVoicesOrMusic )
{
    std::vector<int16_t> out = mix16( 64 );
    EXPECT_TRUE( std::all_of( out.begin(), out.end(), []( int16_t v ) { return v == 0; } ) );

    m_mixer.setFormat( 1, 8, 22050 );
    std::vector<uint8_t> mono8 = mix8( 33 );
    EXPECT_TRUE( std::all_of( mono8.begin(), mono8.end(), []( uint8_t v ) { return v == 128; } ) );
    m_mixer.setFormat( 2, 8, 22050 );
    std::vector<uint8_t> stereo8 = mix8( 64 );
    EXPECT_TRUE( std::all_of( stereo8.begin(), stereo8.end(), []( uint8_t v ) { return v == 128; } ) );
}

TEST_F( MixerTest, VolumeScalesWithArithmeticShift )
{
    // Volume 255 is just below unity; negative values round toward minus infinity.
    TestSample sample( std::vector<int16_t>{ 1000, -1000, -1, 1, 32767, -32768 }, 2 );
    play( sample, 255 );
    std::vector<int16_t> out = mix16( 3 );
    EXPECT_EQ( out, ( std::vector<int16_t>{ 996, -997, -1, 0, 32639, -32640 } ) );

    TestSample quiet( std::vector<int16_t>{ 1000, -1000 }, 2 );
    play( quiet, 64 );
    EXPECT_EQ( mix16( 1 ), ( std::vector<int16_t>{ 250, -250 } ) );
}

TEST_F( MixerTest, FullScaleVoicesClipInsteadOfWrapping )
{
    TestSample high( std::vector<int16_t>( 8, 32767 ), 2 );
    TestSample low( std::vector<int16_t>( 8, -32768 ), 2 );
    play( high, 255 );
    play( high, 255 );
    EXPECT_EQ( mix16( 2 ), std::vector<int16_t>( 4, 32767 ) );
    m_mixer.shutdown();
    play( low, 255 );
    play( low, 255 );
    EXPECT_EQ( mix16( 1 ), std::vector<int16_t>( 2, -32768 ) );

    m_mixer.shutdown();
    m_mixer.setFormat( 1, 8, 22050 );
    TestSample top( std::vector<uint8_t>( 4, 255 ), 1 );
    TestSample bottom( std::vector<uint8_t>( 4, 0 ), 1 );
    play( top, 255 );
    play( top, 255 );
    EXPECT_EQ( mix8( 1 ), std::vector<uint8_t>( 1, 255 ) );
    m_mixer.shutdown();
    play( bottom, 255 );
    play( bottom, 255 );
    EXPECT_EQ( mix8( 1 ), std::vector<uint8_t>( 1, 0 ) );
}

TEST_F( MixerTest, LoopCountIsHeardExactlyOneMoreTimeThanAsked )
{
    for( int32_t loops : { 0, 1, 3 } )
    {
        TestSample sample( units( count( 1, 10 ) ), 2 ); // 5 frames
        int32_t voice = play( sample, 255, loops );
        std::vector<int16_t> out = mix16( 5 * ( loops + 1 ) + 7 );
        std::vector<int16_t> once = heard( count( 1, 10 ) );
        std::vector<int16_t> expected;
        for( int32_t pass = 0; pass <= loops; ++pass )
            expected.insert( expected.end(), once.begin(), once.end() );
        expected.resize( out.size(), 0 );
        EXPECT_EQ( out, expected ) << "loop count " << loops;
        EXPECT_FALSE( voiceBusy( voice ) ) << "the slot is free again";
    }
}

TEST_F( MixerTest, EndlessLoopKeepsPlayingAndLoopCountStaysMinusOne )
{
    TestSample sample( units( { 7, 8, 9, 10 } ), 2 );
    int32_t voice = play( sample, 255, -1 );
    std::vector<int16_t> out = mix16( 9 );
    std::vector<int16_t> once = heard( { 7, 8, 9, 10 } );
    for( size_t index = 0; index < out.size(); ++index )
        EXPECT_EQ( out[ index ], once[ index % 4 ] );
    HAudioMixerStreamingAudioSource::VoiceState state;
    m_mixer.getVoiceState( voice, state );
    EXPECT_EQ( state.loopsLeft, -1 );
    EXPECT_EQ( state.position, 2 );
}

TEST_F( MixerTest, PausedVoiceResumesWhereItStopped )
{
    TestSample sample( units( count( 1, 12 ) ), 2 );
    int32_t voice = play( sample );
    EXPECT_EQ( mix16( 2 ), heard( { 1, 2, 3, 4 } ) );
    m_mixer.setVoicePaused( voice, true );
    EXPECT_EQ( mix16( 2 ), std::vector<int16_t>( 4, 0 ) );
    EXPECT_TRUE( m_mixer.isSamplePlaying( sample.record.data ) ) << "a paused voice still holds its sample";
    m_mixer.setVoicePaused( voice, false );
    EXPECT_EQ( mix16( 2 ), heard( { 5, 6, 7, 8 } ) );
}

TEST_F( MixerTest, RewindRestartsAtOnceAndKeepsTheLoopCount )
{
    TestSample sample( units( count( 1, 8 ) ), 2 );
    int32_t voice = play( sample, 255, 1 );
    mix16( 5 ); // one pass and one frame of the second
    m_mixer.rewindVoice( voice );
    HAudioMixerStreamingAudioSource::VoiceState state;
    m_mixer.getVoiceState( voice, state );
    EXPECT_EQ( state.position, 0 );
    EXPECT_EQ( state.loopsLeft, 0 );
    std::vector<int16_t> out = mix16( 6 );
    EXPECT_EQ( out, heard( { 1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0 } ) );
}

TEST_F( MixerTest, RefusesWhatItCannotPlay )
{
    TestSample stereo( std::vector<int16_t>{ 1, 2 }, 2 );
    TestSample fast( std::vector<int16_t>{ 1, 2 }, 2, 44100 );
    TestSample eight( std::vector<uint8_t>{ 1, 2 }, 2 );
    int32_t voice = 99;
    EXPECT_EQ( m_mixer.playSample( &voice, nullptr, 255, 0, 0 ), -2 );
    EXPECT_EQ( m_mixer.playSample( &voice, &stereo.record, 255, 0, -2 ), -2 );
    EXPECT_EQ( m_mixer.playSample( &voice, &fast.record, 255, 0, 0 ), -2 );
    EXPECT_EQ( m_mixer.playSample( &voice, &eight.record, 255, 0, 0 ), -2 );
    AudioSample empty = stereo.record;
    empty.size = 2; // less than one stereo frame
    EXPECT_EQ( m_mixer.playSample( &voice, &empty, 255, 0, 0 ), -2 );
    AudioSample noData = stereo.record;
    noData.data = nullptr;
    EXPECT_EQ( m_mixer.playSample( &voice, &noData, 255, 0, 0 ), -2 );
    EXPECT_EQ( voice, 99 ) << "a refusal writes no voice index";

    m_mixer.setFormat( 1, 8, 22050 );
    EXPECT_EQ( m_mixer.playSample( &voice, &eight.record, 255, 0, 0 ), -2 ) << "stereo into a mono mixer";
    EXPECT_EQ( m_mixer.playSample( &voice, &stereo.record, 255, 0, 0 ), -2 ) << "16 bits into an 8-bit mixer";

    m_mixer.setFormat( 2, 16, 22050 );
    for( int32_t index = 0; index < 8; ++index )
    {
        EXPECT_EQ( m_mixer.playSample( &voice, &stereo.record, 255, static_cast<int32_t>( index ), 0 ), 0 );
        EXPECT_EQ( voice, index );
    }
    m_services.debugTraces().clear();
    voice = 99;
    EXPECT_EQ( m_mixer.playSample( &voice, &stereo.record, 255, 0, 0 ), -1 );
    EXPECT_EQ( voice, 99 );
    ASSERT_EQ( m_services.debugTraces().size(), 1u );
    EXPECT_EQ( m_services.debugTraces()[ 0 ],
               "*WARNING* HAudioMixerStreamingAudioSource::playSample - out of voices\n" );
    HAudioMixerStreamingAudioSource::VoiceState state;
    m_mixer.getVoiceState( 7, state );
    EXPECT_EQ( state.tag, 7 ) << "the ninth play changed nothing";
}

TEST_F( MixerTest, MonoVoiceSoundsEquallyOnBothSidesOfAStereoMix )
{
    TestSample mono( std::vector<int16_t>{ 100, -200, 300 }, 1 );
    TestSample stereo( std::vector<int16_t>{ 1, 2, 3, 4, 5, 6 }, 2 );
    play( mono );
    play( stereo );
    // 100 -> 99, -200 -> -200, 300 -> 298 at volume 255; the stereo one 1..6 -> 0..5.
    EXPECT_EQ( mix16( 4 ), ( std::vector<int16_t>{ 99, 100, -198, -197, 302, 303, 0, 0 } ) );
}

TEST_F( MixerTest, EightBitFormats )
{
    m_mixer.setFormat( 1, 8, 22050 );
    TestSample mono( std::vector<uint8_t>{ 128, 0, 255, 200 }, 1 );
    play( mono );
    // Centred values 0, -128, 127, 72 scaled by 255/256 and rounded down.
    EXPECT_EQ( mix8( 5 ), ( std::vector<uint8_t>{ 128, 0, 254, 199, 128 } ) );

    m_mixer.setFormat( 2, 8, 22050 );
    TestSample stereo( std::vector<uint8_t>{ 138, 118, 228, 28 }, 2 );
    TestSample mono2( std::vector<uint8_t>{ 148, 108 }, 1 );
    play( stereo );
    play( mono2 );
    // Stereo adds 9, -10 then 99, -100; the mono voice 19 then -20 to both sides.
    EXPECT_EQ( mix8( 6 ), ( std::vector<uint8_t>{ 156, 137, 207, 8, 128, 128 } ) );

    TestSample half( std::vector<uint8_t>{ 0, 255 }, 2 );
    play( half, 128 );
    EXPECT_EQ( mix8( 2 ), ( std::vector<uint8_t>{ 64, 191 } ) );
}

TEST_F( MixerTest, MusicIsScaledAndVoicesAreAddedOverIt )
{
    FakeMusic music;
    int32_t handle = -1;
    EXPECT_EQ( m_mixer.setMusicSource( &handle, &music, 64 ), 0 );
    EXPECT_EQ( handle, 0 );
    EXPECT_EQ( mix16( 2 ), ( std::vector<int16_t>{ 250, -250, 250, -250 } ) );

    TestSample sample( std::vector<int16_t>{ 10, 20 }, 2 );
    play( sample );
    EXPECT_EQ( mix16( 2 ), ( std::vector<int16_t>{ 259, -231, 250, -250 } ) );

    // The same source again changes nothing, not even the volume.
    handle = -1;
    m_mixer.setMusicSource( &handle, &music, 255 );
    EXPECT_EQ( handle, -1 );
    EXPECT_EQ( mix16( 1 ), ( std::vector<int16_t>{ 250, -250 } ) );

    m_mixer.clearMusicSource( 0 );
    EXPECT_EQ( m_mixer.getMusicSource(), nullptr );
    EXPECT_EQ( mix16( 1 ), ( std::vector<int16_t>{ 0, 0 } ) );
}

TEST_F( MixerTest, MusicThatDeliversNothingOrPartOfABlock )
{
    FakeMusic music;
    m_mixer.setMusicSource( nullptr, &music, 255 );
    music.deliver = 0;
    EXPECT_EQ( mix16( 2 ), std::vector<int16_t>( 4, 0 ) );
    // The part never delivered is silence, not what the buffer held before.
    music.deliver = 6;
    EXPECT_EQ( mix16( 3 ), ( std::vector<int16_t>{ 996, -997, 996, 0, 0, 0 } ) );
}

TEST_F( MixerTest, EightBitMixerLeavesMusicAlone )
{
    FakeMusic music;
    m_mixer.setFormat( 2, 8, 22050 );
    m_mixer.setMusicSource( nullptr, &music, 256 );
    EXPECT_EQ( mix8( 4 ), std::vector<uint8_t>( 4, 128 ) );
    EXPECT_EQ( music.calls, 0 );
}

TEST_F( MixerTest, UnsupportedFormatKeepsMusicOrSilenceAndTraces )
{
    m_mixer.setFormat( 1, 16, 22050 );
    FakeMusic music;
    m_mixer.setMusicSource( nullptr, &music, 128 );
    m_services.debugTraces().clear();
    std::vector<int16_t> out( 4, 1 );
    m_mixer.readNextChunk( reinterpret_cast<uint8_t*>( out.data() ), 8 );
    EXPECT_EQ( out, ( std::vector<int16_t>{ 500, -500, 500, -500 } ) );
    ASSERT_FALSE( m_services.debugTraces().empty() );
    EXPECT_EQ( m_services.debugTraces().back(), "readNextChunk: unsupported format 1 channels 16 bits" );

    // A mixer never given a format produces silence instead of dividing by zero.
    HAudioMixerStreamingAudioSource fresh;
    std::vector<uint8_t> bytes( 8, 9 );
    EXPECT_EQ( fresh.readNextChunk( bytes.data(), 8 ), 8 );
    EXPECT_EQ( bytes, std::vector<uint8_t>( 8, 0 ) );
}

TEST_F( MixerTest, VoiceControlsIgnoreIndexesOutsideTheVoices )
{
    TestSample sample( units( { 2, 2, 2, 2 } ), 2 );
    int32_t voice = play( sample, 255, -1 );
    for( int32_t index : { -1, 8, 1000 } )
    {
        m_mixer.setVoicePaused( index, true );
        m_mixer.setVoiceVolume( index, 0 );
        m_mixer.rewindVoice( index );
        m_mixer.stopVoice( index );
    }
    HAudioMixerStreamingAudioSource::VoiceState state;
    EXPECT_FALSE( m_mixer.getVoiceState( 8, state ) );
    EXPECT_EQ( mix16( 1 ), heard( { 2, 2 } ) );
    m_mixer.setVoiceVolume( voice, 128 );
    EXPECT_EQ( mix16( 1 ), ( std::vector<int16_t>{ 256, 256 } ) );
    m_mixer.setVoiceVolume( voice, 1000 );
    EXPECT_EQ( mix16( 1 ), heard( { 2, 2 } ) ) << "volumes above 255 are clamped";
    m_mixer.stopVoice( voice );
    EXPECT_FALSE( voiceBusy( voice ) );
    EXPECT_FALSE( m_mixer.isSamplePlaying( sample.record.data ) );
}

TEST_F( MixerTest, StopSampleStopsEveryVoiceOfThatData )
{
    TestSample a( units( { 1, 1 } ), 2 );
    TestSample b( units( { 2, 2 } ), 2 );
    play( a, 255, -1 );
    play( b, 255, -1 );
    play( a, 255, -1 );
    EXPECT_EQ( m_mixer.stopSample( a.record.data ), 2 );
    EXPECT_FALSE( m_mixer.isSamplePlaying( a.record.data ) );
    EXPECT_TRUE( m_mixer.isSamplePlaying( b.record.data ) );
    EXPECT_EQ( mix16( 1 ), heard( { 2, 2 } ) );
}

TEST_F( MixerTest, OddSizedStereoDataPlaysWholeFramesOnly )
{
    // Five values: the last half frame would read past the data.
    TestSample sample( units( { 1, 2, 3, 4, 5 } ), 2 );
    int32_t voice = play( sample );
    HAudioMixerStreamingAudioSource::VoiceState state;
    m_mixer.getVoiceState( voice, state );
    EXPECT_EQ( state.length, 4 );
    EXPECT_EQ( mix16( 3 ), heard( { 1, 2, 3, 4, 0, 0 } ) );
}

TEST_F( MixerTest, ShutdownResetsEveryVoice )
{
    TestSample sample( std::vector<int16_t>{ 1, 1 }, 2 );
    for( int32_t index = 0; index < 8; ++index )
        play( sample, 255, -1 );
    m_mixer.shutdown();
    for( int32_t index = 0; index < 8; ++index )
    {
        HAudioMixerStreamingAudioSource::VoiceState state;
        m_mixer.getVoiceState( index, state );
        EXPECT_EQ( state.data, nullptr );
        EXPECT_TRUE( state.paused );
        EXPECT_EQ( state.volume, 255 );
        EXPECT_EQ( state.loopsLeft, 0 );
    }
    EXPECT_EQ( mix16( 1 ), ( std::vector<int16_t>{ 0, 0 } ) );
}
