// The synthesiser's building blocks, measured the way an ear would notice their faults.

#include "tools/mkassets/Synth.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
int upwardCrossings( const std::vector<float>& samples )
{
    int count = 0;
    for( size_t i = 1; i < samples.size(); ++i )
        count += samples[ i - 1 ] < 0.0f && samples[ i ] >= 0.0f;
    return count;
}

std::vector<float> run( Synth::Wave wave, double frequency, size_t count )
{
    Synth::Oscillator oscillator( wave );
    std::vector<float> out( count );
    for( float& v : out )
        v = float( oscillator.next( frequency ) );
    return out;
}

double rms( const std::vector<float>& samples, size_t from )
{
    double sum = 0.0;
    for( size_t i = from; i < samples.size(); ++i )
        sum += double( samples[ i ] ) * samples[ i ];
    return std::sqrt( sum / double( samples.size() - from ) );
}

std::vector<float> filtered( Synth::Biquad filter, double frequency )
{
    std::vector<float> out = run( Synth::SW_SINE, frequency, 22050 );
    for( float& v : out )
        v = float( filter.process( v ) );
    return out;
}
} // namespace

TEST( SynthTest, OscillatorsPlayInTuneAndStayBounded )
{
    for( Synth::Wave wave : { Synth::SW_SINE, Synth::SW_TRIANGLE, Synth::SW_SAW, Synth::SW_SQUARE } )
    {
        std::vector<float> second = run( wave, 441.0, 22050 );
        EXPECT_NEAR( upwardCrossings( second ), 441, 2 ) << "wave " << wave;
        float peak = 0.0f;
        double mean = 0.0;
        for( float v : second )
        {
            peak = std::max( peak, std::fabs( v ) );
            mean += v;
        }
        EXPECT_LT( peak, 1.35f ) << "wave " << wave;
        EXPECT_GT( peak, 0.5f ) << "wave " << wave;
        EXPECT_LT( std::fabs( mean / 22050 ), 0.05 ) << "wave " << wave << " has an offset";
    }
    EXPECT_DOUBLE_EQ( Synth::noteFrequency( 69 ), 440.0 );
    EXPECT_NEAR( Synth::noteFrequency( 60 ), 261.63, 0.01 );
}

TEST( SynthTest, FiltersPassAndStopWhatTheyShould )
{
    EXPECT_GT( rms( filtered( Synth::Biquad::lowPass( 1000.0, 0.7 ), 200.0 ), 2000 ), 0.6 );
    EXPECT_LT( rms( filtered( Synth::Biquad::lowPass( 1000.0, 0.7 ), 8000.0 ), 2000 ), 0.03 );
    EXPECT_LT( rms( filtered( Synth::Biquad::highPass( 4000.0, 0.7 ), 200.0 ), 2000 ), 0.01 );
    EXPECT_GT( rms( filtered( Synth::Biquad::highPass( 4000.0, 0.7 ), 9000.0 ), 2000 ), 0.6 );
    EXPECT_GT( rms( filtered( Synth::Biquad::bandPass( 2000.0, 2.0 ), 2000.0 ), 2000 ),
               5.0 * rms( filtered( Synth::Biquad::bandPass( 2000.0, 2.0 ), 200.0 ), 2000 ) );
}

TEST( SynthTest, EnvelopesRiseHoldAndFallToSilence )
{
    EXPECT_DOUBLE_EQ( Synth::adsr( -0.1, 0.1, 0.1, 0.5, 0.2, 1.0 ), 0.0 );
    EXPECT_NEAR( Synth::adsr( 0.05, 0.1, 0.1, 0.5, 0.2, 1.0 ), 0.5, 1e-9 );
    EXPECT_NEAR( Synth::adsr( 0.1, 0.1, 0.1, 0.5, 0.2, 1.0 ), 1.0, 1e-9 );
    EXPECT_NEAR( Synth::adsr( 0.5, 0.1, 0.1, 0.5, 0.2, 1.0 ), 0.5, 1e-9 );
    EXPECT_NEAR( Synth::adsr( 1.1, 0.1, 0.1, 0.5, 0.2, 1.0 ), 0.25, 1e-9 );
    EXPECT_DOUBLE_EQ( Synth::adsr( 1.3, 0.1, 0.1, 0.5, 0.2, 1.0 ), 0.0 );
    // A note released during its attack falls from where it got to, not from the sustain level.
    EXPECT_NEAR( Synth::adsr( 0.05 + 0.1, 0.2, 0.1, 0.5, 0.2, 0.05 ), 0.25 * 0.5, 1e-9 );
    EXPECT_NEAR( Synth::pluck( 0.0, 0.01, 0.1 ), 0.0, 1e-12 );
    EXPECT_NEAR( Synth::pluck( 0.11, 0.01, 0.1 ), std::exp( -1.0 ), 1e-9 );
}

TEST( SynthTest, FinishingStepsLeaveCleanEdges )
{
    std::vector<float> offset( 22050, 0.5f );
    Synth::dcBlock( offset );
    EXPECT_LT( std::fabs( offset.back() ), 0.01f ) << "a steady offset must die away";

    std::vector<float> stereo( 2000, 1.0f );
    Synth::fadeIn( stereo, 0.01, 2 );
    Synth::fadeOut( stereo, 0.01, 2 );
    EXPECT_EQ( stereo[ 0 ], 0.0f );
    EXPECT_EQ( stereo[ 1 ], 0.0f );
    EXPECT_LT( stereo[ stereo.size() - 1 ], 0.01f );
    EXPECT_LT( stereo[ stereo.size() - 2 ], 0.01f );
    EXPECT_EQ( stereo[ 1000 ], 1.0f );

    std::vector<float> loud = { 0.1f, -4.0f, 2.0f };
    Synth::scaleToPeak( loud, 0.8 );
    EXPECT_FLOAT_EQ( loud[ 1 ], -0.8f );
    EXPECT_FLOAT_EQ( loud[ 2 ], 0.4f );
    std::vector<float> quiet( 5, 0.0f );
    Synth::scaleToPeak( quiet, 0.8 );
    EXPECT_EQ( quiet, std::vector<float>( 5, 0.0f ) );

    // An echo repeats a click after its delay, weaker.
    std::vector<float> click( 4000, 0.0f );
    click[ 0 ] = 1.0f;
    Synth::echo( click, 0.05, 0.5, 0.5, 0.0 );
    size_t delay = Synth::frames( 0.05 );
    EXPECT_NEAR( click[ delay ], 0.5f, 1e-6 );
    EXPECT_NEAR( click[ 2 * delay ], 0.25f, 1e-6 );
    EXPECT_EQ( click[ delay - 1 ], 0.0f );

    std::vector<float> target( 4, 1.0f );
    Synth::mixInto( target, { 1.0f, 1.0f, 1.0f }, 2, 0.5 );
    EXPECT_EQ( target, ( std::vector<float>{ 1.0f, 1.0f, 1.5f, 1.5f } ) );
}
