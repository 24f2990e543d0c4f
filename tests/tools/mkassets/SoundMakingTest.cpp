// The synthesised sounds: the theme's loop, the alarm's loop, the spoken line, reproducibility.

#include "tools/mkassets/SoundDesigner.h"
#include "tools/mkassets/SpeechMaker.h"
#include "tools/mkassets/ThemeComposer.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace
{
double rms( const std::vector<float>& samples, size_t from, size_t count )
{
    double sum = 0.0;
    for( size_t i = from; i < from + count && i < samples.size(); ++i )
        sum += double( samples[ i ] ) * samples[ i ];
    return std::sqrt( sum / double( count ) );
}

void put32( std::vector<uint8_t>& out, uint32_t v )
{
    for( int i = 0; i < 4; ++i )
        out.push_back( uint8_t( v >> ( 8 * i ) ) );
}

void put16( std::vector<uint8_t>& out, uint32_t v )
{
    out.push_back( uint8_t( v ) );
    out.push_back( uint8_t( v >> 8 ) );
}
} // namespace

TEST( ThemeComposerTest, TheBodyIsItsOwnContinuation )
{
    SoundBuffer theme = ThemeComposer::compose();
    ASSERT_EQ( theme.channels, 2 );
    EXPECT_EQ( theme.rate, 22050 );
    const size_t frames = theme.frames();
    EXPECT_EQ( frames, ThemeComposer::kLoopStart + ThemeComposer::kTick * 16 * ThemeComposer::kBodyBars );
    EXPECT_GE( frames, size_t( 45 * 22050 ) );
    EXPECT_LE( frames, size_t( 90 * 22050 ) );
    // What plays before the loop start the first time is what plays before the end every time,
    // so the jump back cannot be heard: the last quarter second before both is the same music,
    // apart from the last whispers of echoes from different earlier bars.
    const size_t span = 22050 / 4;
    double worst = 0.0;
    for( size_t i = 0; i < span * 2; ++i )
    {
        float atEnd = theme.samples[ ( frames - span ) * 2 + i ];
        float beforeLoop = theme.samples[ ( ThemeComposer::kLoopStart - span ) * 2 + i ];
        worst = std::max( worst, double( std::fabs( atEnd - beforeLoop ) ) );
    }
    EXPECT_LT( worst, 0.003 );
    EXPECT_GT( rms( theme.samples, ThemeComposer::kLoopStart * 2, span * 2 ), 0.1 ) << "the tune is too quiet";
    for( float v : theme.samples )
        ASSERT_LE( std::fabs( v ), 1.0f );
}

TEST( SoundDesignerTest, EffectsAreMonoAtTheMixersRateAndReproducible )
{
    for( const char* kpName : { "click.wav", "crunch.wav", "guiclick.wav", "blocked.ogg", "bjbcrunch.ogg", "klaxon.ogg",
                                "candycane.ogg", "levelup.ogg", "gameover.ogg", "splash.ogg" } )
    {
        SoundBuffer first;
        SoundBuffer second;
        std::string error;
        ASSERT_TRUE( SoundDesigner::make( kpName, first, error ) ) << kpName << ": " << error;
        ASSERT_TRUE( SoundDesigner::make( kpName, second, error ) ) << kpName;
        EXPECT_EQ( first.channels, 1 ) << kpName;
        EXPECT_EQ( first.rate, 22050 ) << kpName;
        EXPECT_EQ( first.samples, second.samples ) << kpName;
        EXPECT_GT( rms( first.samples, 0, first.samples.size() ), 0.01 ) << kpName;
        // Effects end in silence, so no click when a voice stops; the alarm loops instead.
        if( std::string( kpName ) != "klaxon.ogg" )
        {
            EXPECT_LT( std::fabs( first.samples.back() ), 0.02 ) << kpName;
        }
    }
    SoundBuffer none;
    std::string error;
    EXPECT_FALSE( SoundDesigner::make( "nothing.ogg", none, error ) );
    EXPECT_FALSE( error.empty() );
    EXPECT_NE( SoundDesigner::serialOf( "theme.ogg" ), SoundDesigner::serialOf( "klaxon.ogg" ) );
}

TEST( SoundDesignerTest, AlarmRunsOnIntoItsOwnStart )
{
    SoundBuffer klaxon;
    std::string error;
    ASSERT_TRUE( SoundDesigner::make( "klaxon.ogg", klaxon, error ) );
    const std::vector<float>& s = klaxon.samples;
    const size_t n = s.size();
    // The step from the last sample to the first is like the steps around it.
    double step = std::fabs( s[ 0 ] - s[ n - 1 ] );
    double usual = std::fabs( s[ n - 1 ] - s[ n - 2 ] ) + std::fabs( s[ 1 ] - s[ 0 ] );
    EXPECT_LE( step, usual * 1.5 + 1e-3 );
    // The pitch glides instead of switching: from one cycle to the next, across the loop's join
    // too, the period changes by only a little.
    std::vector<double> crossings;
    for( size_t i = 0; i < 2 * n; ++i )
    {
        float a = s[ i % n ];
        float b = s[ ( i + 1 ) % n ];
        if( a < 0.0f && b >= 0.0f )
            crossings.push_back( double( i ) + a / double( a - b ) );
    }
    ASSERT_GT( crossings.size(), 100u );
    for( size_t k = 2; k < crossings.size(); ++k )
    {
        double before = crossings[ k - 1 ] - crossings[ k - 2 ];
        double after = crossings[ k ] - crossings[ k - 1 ];
        ASSERT_LT( std::fabs( after - before ) / before, 0.1 ) << "near sample " << crossings[ k ];
    }
}

TEST( SpeechMakerTest, TheLineIsSpokenTheSameWayEveryTime )
{
    SoundBuffer first;
    SoundBuffer second;
    std::string error;
    ASSERT_TRUE( SpeechMaker::speak( "One more to go!", first, error ) ) << error;
    ASSERT_TRUE( SpeechMaker::speak( "One more to go!", second, error ) ) << error;
    EXPECT_EQ( first.channels, 1 );
    EXPECT_EQ( first.rate, 22050 );
    EXPECT_EQ( first.samples, second.samples );
    double seconds = double( first.samples.size() ) / first.rate;
    EXPECT_GT( seconds, 0.6 );
    EXPECT_LT( seconds, 3.0 );
    EXPECT_GT( rms( first.samples, 0, first.samples.size() ), 0.05 );
}

TEST( SpeechMakerTest, WavReaderWalksChunksAndRefusesWhatItCannotRead )
{
    std::vector<uint8_t> wav = { 'R', 'I', 'F', 'F' };
    put32( wav, 0 );
    wav.insert( wav.end(), { 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ' } );
    put32( wav, 16 );
    put16( wav, 1 );
    put16( wav, 1 );
    put32( wav, 22050 );
    put32( wav, 44100 );
    put16( wav, 2 );
    put16( wav, 16 );
    // A chunk of odd size before the data is skipped with its pad byte.
    wav.insert( wav.end(), { 'L', 'I', 'S', 'T' } );
    put32( wav, 3 );
    wav.insert( wav.end(), { 'a', 'b', 'c', 0 } );
    wav.insert( wav.end(), { 'd', 'a', 't', 'a' } );
    put32( wav, 4 );
    put16( wav, 0x4000 );
    put16( wav, 0xC000 );
    SoundBuffer sound;
    ASSERT_TRUE( SpeechMaker::readWAV( wav, sound ) );
    ASSERT_EQ( sound.samples.size(), 2u );
    EXPECT_FLOAT_EQ( sound.samples[ 0 ], 0.5f );
    EXPECT_FLOAT_EQ( sound.samples[ 1 ], -0.5f );

    // A data size larger than the file is cut to what is there.
    std::vector<uint8_t> lying = wav;
    lying[ lying.size() - 8 ] = 0xFF;
    ASSERT_TRUE( SpeechMaker::readWAV( lying, sound ) );
    EXPECT_EQ( sound.samples.size(), 2u );

    std::vector<uint8_t> eightBit = wav;
    eightBit[ 34 ] = 8;
    EXPECT_FALSE( SpeechMaker::readWAV( eightBit, sound ) );
    EXPECT_FALSE( SpeechMaker::readWAV( std::vector<uint8_t>( wav.begin(), wav.begin() + 10 ), sound ) );
    std::vector<uint8_t> noData( wav.begin(), wav.begin() + 36 );
    EXPECT_FALSE( SpeechMaker::readWAV( noData, sound ) );
}

TEST( SpeechMakerTest, AMissingSynthesiserIsReportedByName )
{
    TempDir empty;
    const char* kpPath = std::getenv( "PATH" );
    std::string saved = kpPath != nullptr ? kpPath : "";
    setenv( "PATH", empty.path().c_str(), 1 );
    SoundBuffer sound;
    std::string error;
    bool spoken = SpeechMaker::speak( "One more to go!", sound, error );
    setenv( "PATH", saved.c_str(), 1 );
    EXPECT_FALSE( spoken );
    EXPECT_NE( error.find( "espeak-ng" ), std::string::npos ) << error;
}

TEST( MkassetsTest, BadArgumentsAreRefusedWithUsage )
{
    const std::string tool = std::string( GLIMMERDROP_BINARY_DIR ) + "/mkassets";
    EXPECT_EQ( runCommand( "'" + tool + "' >/dev/null 2>&1" ), 2 );
    EXPECT_EQ( runCommand( "'" + tool + "' --bogus >/dev/null 2>&1" ), 2 );
    EXPECT_EQ( runCommand( "'" + tool + "' out.vxz --preview >/dev/null 2>&1" ), 2 );
}
