#include "tools/mkassets/SoundDesigner.h"

#include "tools/mkassets/SpeechMaker.h"
#include "tools/mkassets/Synth.h"
#include "tools/mkassets/ThemeComposer.h"

#include <cmath>

namespace SoundDesigner
{
namespace
{
using Synth::frames;
using Synth::kRate;

// Rounds off the last 15 ms of a note that is cut before it has died away; a hard cut clicks.
double taper( size_t i, size_t count )
{
    size_t span = frames( 0.015 );
    if( i + span < count )
        return 1.0;
    double left = double( count - i ) / double( span );
    return 0.5 - 0.5 * std::cos( M_PI * left );
}

std::vector<float> silence( double seconds )
{
    return std::vector<float>( frames( seconds ), 0.0f );
}

// A bell from two sine operators; the modulator's ratio makes it glassy rather than pure.
std::vector<float> bell( double frequency, double seconds, double tau, double brightness, double ratio = 3.5 )
{
    std::vector<float> out = silence( seconds );
    double carrier = 0.0;
    double modulator = 0.0;
    for( size_t i = 0; i < out.size(); ++i )
    {
        double t = i / kRate;
        double envelope = Synth::pluck( t, 0.002, tau );
        double index = brightness * std::exp( -t / ( tau * 0.35 ) );
        double m = std::sin( 2.0 * M_PI * modulator ) * index;
        out[ i ] = float( std::sin( 2.0 * M_PI * carrier + m ) * envelope * taper( i, out.size() ) );
        carrier += frequency / kRate;
        modulator += frequency * ratio / kRate;
        carrier -= std::floor( carrier );
        modulator -= std::floor( modulator );
    }
    return out;
}

// Short bursts of filtered noise, the sound of something brittle breaking.
void crunchGrains( std::vector<float>& out, Random& random, int grains, double spread, double low, double high,
                   double gain )
{
    for( int g = 0; g < grains; ++g )
    {
        double start = spread * std::pow( random.unit(), 1.6 );
        double length = random.range( 0.012, 0.04 );
        double level = gain * random.range( 0.5, 1.0 ) * std::exp( -start / ( spread * 0.6 ) );
        Synth::Biquad filter = Synth::Biquad::bandPass( random.range( low, high ), random.range( 1.2, 3.0 ) );
        size_t begin = frames( start );
        size_t count = frames( length );
        for( size_t i = 0; i < count + frames( 0.01 ) && begin + i < out.size(); ++i )
        {
            double t = i / kRate;
            double envelope = t < 0.001 ? t / 0.001 : std::exp( -( t - 0.001 ) / ( length * 0.3 ) );
            out[ begin + i ] += float( filter.process( random.signedUnit() ) * envelope * level );
        }
    }
}

// A drum-like thump whose pitch falls quickly.
void thump( std::vector<float>& out, double from, double to, double seconds, double gain, size_t at = 0 )
{
    double phase = 0.0;
    const size_t count = frames( seconds );
    for( size_t i = 0; i < count && at + i < out.size(); ++i )
    {
        double t = i / kRate;
        double frequency = to + ( from - to ) * std::exp( -t / ( seconds * 0.25 ) );
        phase += frequency / kRate;
        out[ at + i ] += float( std::sin( 2.0 * M_PI * phase ) * Synth::pluck( t, 0.002, seconds * 0.35 ) * gain *
                                taper( i, count ) );
    }
}

std::vector<float> makeClick()
{
    // The tick of the bonus count, heard every 60 ms: short, bright and never tiring.
    std::vector<float> out = silence( 0.045 );
    Random random( 11 );
    for( size_t i = 0; i < out.size(); ++i )
    {
        double t = i / kRate;
        double tone = std::sin( 2.0 * M_PI * 2350.0 * t ) * 0.7 + std::sin( 2.0 * M_PI * 3525.0 * t ) * 0.3;
        double noise = random.signedUnit() * std::exp( -t / 0.0015 ) * 0.5;
        out[ i ] = float( ( tone * Synth::pluck( t, 0.0008, 0.007 ) + noise ) );
    }
    Synth::fadeOut( out, 0.004 );
    Synth::scaleToPeak( out, 0.5 );
    return out;
}

std::vector<float> makeGuiClick()
{
    // A soft "bloop" for the buttons.
    std::vector<float> out = silence( 0.09 );
    double phase = 0.0;
    for( size_t i = 0; i < out.size(); ++i )
    {
        double t = i / kRate;
        double frequency = 700.0 + 900.0 * ( 1.0 - std::exp( -t / 0.02 ) );
        phase += frequency / kRate;
        out[ i ] = float( std::sin( 2.0 * M_PI * phase ) * Synth::pluck( t, 0.003, 0.022 ) );
    }
    Synth::fadeOut( out, 0.01 );
    Synth::scaleToPeak( out, 0.55 );
    return out;
}

std::vector<float> makeCrunch( bool heavy )
{
    std::vector<float> out = silence( heavy ? 0.6 : 0.42 );
    Random random( heavy ? 23 : 17 );
    if( heavy )
    {
        thump( out, 160.0, 48.0, 0.28, 0.9 );
        crunchGrains( out, random, 34, 0.26, 500.0, 2600.0, 0.9 );
    }
    else
    {
        thump( out, 240.0, 95.0, 0.09, 0.55 );
        crunchGrains( out, random, 26, 0.2, 1400.0, 5200.0, 0.75 );
    }
    // A sweet sparkle after the crunch.
    const double notes[] = { 88, 91, 96 };
    for( int i = 0; i < 3; ++i )
    {
        double frequency = Synth::noteFrequency( notes[ i ] - ( heavy ? 5 : 0 ) );
        Synth::mixInto( out, bell( frequency, 0.25, 0.07, 1.2 ), frames( 0.06 + i * 0.045 ), 0.16 );
    }
    Synth::dcBlock( out );
    Synth::fadeOut( out, 0.05 );
    Synth::scaleToPeak( out, heavy ? 0.85 : 0.8 );
    return out;
}

std::vector<float> makeBlocked()
{
    // "Uh-uh": two dull descending tones over a wooden knock.
    std::vector<float> out = silence( 0.34 );
    thump( out, 220.0, 140.0, 0.07, 0.6 );
    const double notes[] = { 64, 60 };
    for( int n = 0; n < 2; ++n )
    {
        Synth::Oscillator osc( Synth::SW_TRIANGLE );
        Synth::Oscillator sub( Synth::SW_SQUARE );
        Synth::Biquad filter = Synth::Biquad::lowPass( 1200.0, 0.8 );
        size_t at = frames( 0.02 + n * 0.13 );
        double frequency = Synth::noteFrequency( notes[ n ] - 12 );
        for( size_t i = 0; i < frames( 0.16 ) && at + i < out.size(); ++i )
        {
            double t = i / kRate;
            double v = osc.next( frequency ) * 0.8 + sub.next( frequency, 0.3 ) * 0.2;
            out[ at + i ] += float( filter.process( v ) * Synth::adsr( t, 0.008, 0.05, 0.7, 0.05, 0.09 ) * 0.7 );
        }
    }
    Synth::dcBlock( out );
    Synth::fadeOut( out, 0.02 );
    Synth::scaleToPeak( out, 0.75 );
    return out;
}

std::vector<float> makeSplash()
{
    // While the game loads: a rising run of bells over a shimmer, ending on a bright chord.
    std::vector<float> out = silence( 2.6 );
    Random random( 31 );
    const double run[] = { 72, 76, 79, 84, 88, 91, 96 };
    for( int i = 0; i < 7; ++i )
        Synth::mixInto( out, bell( Synth::noteFrequency( run[ i ] ), 1.2, 0.35, 1.5 ), frames( i * 0.085 ), 0.22 );
    const double chord[] = { 72, 76, 79, 84 };
    for( double note : chord )
        Synth::mixInto( out, bell( Synth::noteFrequency( note ), 2.0, 0.7, 0.9, 2.0 ), frames( 0.7 ), 0.18 );
    Synth::Biquad shimmer = Synth::Biquad::bandPass( 6000.0, 0.7 );
    for( size_t i = 0; i < frames( 1.4 ); ++i )
    {
        double t = i / kRate;
        double envelope = std::sin( M_PI * std::min( 1.0, t / 1.4 ) ) * 0.12;
        out[ i ] += float( shimmer.process( random.signedUnit() ) * envelope );
    }
    Synth::echo( out, 0.18, 0.35, 0.3, 0.4 );
    Synth::dcBlock( out );
    Synth::fadeOut( out, 0.5 );
    Synth::scaleToPeak( out, 0.8 );
    return out;
}

std::vector<float> makeKlaxon()
{
    // A siren swinging between two pitches with quick glides; gliding instead of switching keeps
    // the wave free of clicks. It lasts exactly one second and its phase is brought to a whole
    // number of cycles, so the loop's end runs on into its start.
    const size_t count = size_t( kRate );
    const double middle = 760.0;
    const double swing = 150.0;
    std::vector<double> step( count );
    double total = 0.0;
    for( size_t i = 0; i < count; ++i )
    {
        double t = double( i ) / double( count );
        double frequency = middle + swing * std::tanh( 5.0 * std::sin( 2.0 * M_PI * 2.0 * t ) );
        step[ i ] = frequency / kRate;
        total += step[ i ];
    }
    double correction = std::round( total ) / total;
    std::vector<float> out( count );
    double phase = 0.0;
    for( size_t i = 0; i < count; ++i )
    {
        double v = std::sin( 2.0 * M_PI * phase ) * 0.75 + std::sin( 6.0 * M_PI * phase ) * 0.18 +
                   std::sin( 10.0 * M_PI * phase ) * 0.07;
        out[ i ] = float( v );
        phase += step[ i ] * correction;
        phase -= std::floor( phase );
    }
    // Loud enough to stand out over the music, not so loud that ten seconds of it hurt.
    Synth::scaleToPeak( out, 0.32 );
    return out;
}

std::vector<float> makeCandyCane()
{
    // A magic glissando of bells, one for each colour of the rainbow.
    std::vector<float> out = silence( 1.5 );
    const double run[] = { 79, 83, 86, 88, 91, 95, 98 };
    for( int i = 0; i < 7; ++i )
        Synth::mixInto( out, bell( Synth::noteFrequency( run[ i ] ), 0.9, 0.22, 1.8 ), frames( i * 0.05 ), 0.25 );
    Random random( 41 );
    Synth::Biquad sparkle = Synth::Biquad::highPass( 7000.0, 0.7 );
    for( size_t i = 0; i < frames( 0.8 ); ++i )
    {
        double t = i / kRate;
        double flicker = random.unit() < 0.02 ? 1.0 : 0.0;
        out[ i ] += float( sparkle.process( random.signedUnit() * flicker ) * ( 1.0 - t / 0.8 ) * 0.6 );
    }
    Synth::echo( out, 0.11, 0.3, 0.25, 0.3 );
    Synth::fadeOut( out, 0.3 );
    Synth::scaleToPeak( out, 0.75 );
    return out;
}

// A brassy note: a saw through a filter that opens with the attack.
void brass( std::vector<float>& out, double note, double start, double length, double gain, double vibrato = 0.0 )
{
    Synth::Oscillator saw( Synth::SW_SAW );
    Synth::Oscillator square( Synth::SW_SQUARE );
    Synth::Biquad filter;
    size_t at = frames( start );
    double frequency = Synth::noteFrequency( note );
    for( size_t i = 0; i < frames( length + 0.15 ) && at + i < out.size(); ++i )
    {
        double t = i / kRate;
        double envelope = Synth::adsr( t, 0.02, 0.1, 0.75, 0.12, length );
        filter.setLowPass( 600.0 + 2600.0 * envelope, 1.1 );
        double wobble = 1.0 + vibrato * std::sin( 2.0 * M_PI * 5.5 * t ) * std::min( 1.0, t / 0.3 );
        double v = saw.next( frequency * wobble ) * 0.6 + square.next( frequency * wobble * 0.5, 0.4 ) * 0.3;
        out[ at + i ] += float( filter.process( v ) * envelope * gain );
    }
}

std::vector<float> makeLevelUp()
{
    // Ta-da: a quick arpeggio up to a held chord, with bells on top.
    std::vector<float> out = silence( 2.2 );
    const double run[] = { 60, 64, 67 };
    for( int i = 0; i < 3; ++i )
        brass( out, run[ i ] + 12, i * 0.11, 0.09, 0.35 );
    const double chord[] = { 72, 76, 79, 84 };
    for( double note : chord )
        brass( out, note, 0.36, 0.9, 0.22, 0.006 );
    for( int i = 0; i < 4; ++i )
        Synth::mixInto( out, bell( Synth::noteFrequency( chord[ i ] + 12 ), 1.3, 0.4, 1.2 ), frames( 0.36 + i * 0.07 ),
                        0.14 );
    thump( out, 150.0, 60.0, 0.25, 0.5, frames( 0.36 ) );
    Synth::echo( out, 0.16, 0.25, 0.2, 0.5 );
    Synth::dcBlock( out );
    Synth::fadeOut( out, 0.4 );
    Synth::scaleToPeak( out, 0.8 );
    return out;
}

std::vector<float> makeGameOver()
{
    // "Wah, wah, wah, waaah": falling notes, the last one wobbling away.
    std::vector<float> out = silence( 2.8 );
    const double notes[] = { 67, 66, 65, 64 };
    for( int i = 0; i < 4; ++i )
    {
        bool last = i == 3;
        brass( out, notes[ i ] - 12, i * 0.42, last ? 1.3 : 0.32, 0.6, last ? 0.03 : 0.004 );
    }
    Synth::dcBlock( out );
    Synth::fadeOut( out, 0.5 );
    Synth::scaleToPeak( out, 0.8 );
    return out;
}

bool mono( std::vector<float> samples, SoundBuffer& out )
{
    out.channels = 1;
    out.rate = int( kRate );
    out.samples = std::move( samples );
    return true;
}
} // namespace

bool make( const std::string& name, SoundBuffer& out, std::string& error )
{
    if( name == "click.wav" )
        return mono( makeClick(), out );
    if( name == "guiclick.wav" )
        return mono( makeGuiClick(), out );
    if( name == "crunch.wav" )
        return mono( makeCrunch( false ), out );
    if( name == "bjbcrunch.ogg" )
        return mono( makeCrunch( true ), out );
    if( name == "blocked.ogg" )
        return mono( makeBlocked(), out );
    if( name == "splash.ogg" )
        return mono( makeSplash(), out );
    if( name == "klaxon.ogg" )
        return mono( makeKlaxon(), out );
    if( name == "candycane.ogg" )
        return mono( makeCandyCane(), out );
    if( name == "levelup.ogg" )
        return mono( makeLevelUp(), out );
    if( name == "gameover.ogg" )
        return mono( makeGameOver(), out );
    if( name == "theme.ogg" )
    {
        out = ThemeComposer::compose();
        return true;
    }
    if( name == "onemoretogo.ogg" )
        return SpeechMaker::speak( "One more to go!", out, error );
    error = "no sound is made for '" + name + "'";
    return false;
}

float qualityOf( const std::string& name )
{
    return name == "theme.ogg" ? 0.45f : 0.5f;
}

int serialOf( const std::string& name )
{
    uint32_t hash = 2166136261u;
    for( char c : name )
        hash = ( hash ^ uint8_t( c ) ) * 16777619u;
    return int( hash & 0x7FFFFFFF );
}
} // namespace SoundDesigner
