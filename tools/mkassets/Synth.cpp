#include "tools/mkassets/Synth.h"

#include <algorithm>
#include <cmath>

namespace Synth
{
namespace
{
double polyBlep( double t, double dt )
{
    if( t < dt )
    {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if( t > 1.0 - dt )
    {
        t = ( t - 1.0 ) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}
} // namespace

double Oscillator::next( double frequency, double pulseWidth )
{
    double dt = std::clamp( frequency / kRate, 0.0, 0.49 );
    double t = m_phase;
    double value = 0.0;
    switch( m_wave )
    {
    case SW_SINE:
        value = std::sin( 2.0 * M_PI * t );
        break;
    case SW_SAW:
        value = 2.0 * t - 1.0 - polyBlep( t, dt );
        break;
    case SW_SQUARE:
    {
        value = t < pulseWidth ? 1.0 : -1.0;
        value += polyBlep( t, dt );
        value -= polyBlep( std::fmod( t + 1.0 - pulseWidth, 1.0 ), dt );
        break;
    }
    case SW_TRIANGLE:
        // Its harmonics fall off fast enough that the plain shape does not alias audibly.
        value = 1.0 - 4.0 * std::fabs( std::fmod( t + 0.25, 1.0 ) - 0.5 );
        break;
    }
    m_phase += dt;
    if( m_phase >= 1.0 )
        m_phase -= 1.0;
    return value;
}

double adsr( double t, double attack, double decay, double sustain, double release, double length )
{
    if( t < 0.0 )
        return 0.0;
    double level;
    if( t < attack )
        level = t / attack;
    else if( t < attack + decay )
        level = 1.0 - ( 1.0 - sustain ) * ( t - attack ) / decay;
    else
        level = sustain;
    if( t > length )
    {
        double r = ( t - length ) / release;
        // The level reached at the note's end falls to zero over the release.
        double atEnd = length < attack           ? length / attack
                       : length < attack + decay ? 1.0 - ( 1.0 - sustain ) * ( length - attack ) / decay
                                                 : sustain;
        level = r >= 1.0 ? 0.0 : atEnd * ( 1.0 - r );
    }
    return level;
}

double pluck( double t, double attack, double tau )
{
    if( t < 0.0 )
        return 0.0;
    if( t < attack )
        return t / attack;
    return std::exp( -( t - attack ) / tau );
}

Biquad Biquad::lowPass( double frequency, double q )
{
    Biquad filter;
    filter.setLowPass( frequency, q );
    return filter;
}

void Biquad::setLowPass( double frequency, double q )
{
    double w = 2.0 * M_PI * std::clamp( frequency, 10.0, kRate * 0.45 ) / kRate;
    double alpha = std::sin( w ) / ( 2.0 * q );
    double cosw = std::cos( w );
    double a0 = 1.0 + alpha;
    m_b0 = ( 1.0 - cosw ) / 2.0 / a0;
    m_b1 = ( 1.0 - cosw ) / a0;
    m_b2 = m_b0;
    m_a1 = -2.0 * cosw / a0;
    m_a2 = ( 1.0 - alpha ) / a0;
}

Biquad Biquad::highPass( double frequency, double q )
{
    Biquad filter;
    double w = 2.0 * M_PI * std::clamp( frequency, 10.0, kRate * 0.45 ) / kRate;
    double alpha = std::sin( w ) / ( 2.0 * q );
    double cosw = std::cos( w );
    double a0 = 1.0 + alpha;
    filter.m_b0 = ( 1.0 + cosw ) / 2.0 / a0;
    filter.m_b1 = -( 1.0 + cosw ) / a0;
    filter.m_b2 = filter.m_b0;
    filter.m_a1 = -2.0 * cosw / a0;
    filter.m_a2 = ( 1.0 - alpha ) / a0;
    return filter;
}

Biquad Biquad::bandPass( double frequency, double q )
{
    Biquad filter;
    double w = 2.0 * M_PI * std::clamp( frequency, 10.0, kRate * 0.45 ) / kRate;
    double alpha = std::sin( w ) / ( 2.0 * q );
    double cosw = std::cos( w );
    double a0 = 1.0 + alpha;
    filter.m_b0 = alpha / a0;
    filter.m_b1 = 0.0;
    filter.m_b2 = -alpha / a0;
    filter.m_a1 = -2.0 * cosw / a0;
    filter.m_a2 = ( 1.0 - alpha ) / a0;
    return filter;
}

double Biquad::process( double x )
{
    double y = m_b0 * x + m_b1 * m_x1 + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
    m_x2 = m_x1;
    m_x1 = x;
    m_y2 = m_y1;
    m_y1 = y;
    return y;
}

void dcBlock( std::vector<float>& samples, int channels )
{
    for( int c = 0; c < channels; ++c )
    {
        double x1 = 0.0;
        double y1 = 0.0;
        for( size_t i = size_t( c ); i < samples.size(); i += size_t( channels ) )
        {
            double x = samples[ i ];
            double y = x - x1 + 0.9985 * y1;
            x1 = x;
            y1 = y;
            samples[ i ] = float( y );
        }
    }
}

void scaleToPeak( std::vector<float>& samples, double peak )
{
    double highest = 0.0;
    for( float v : samples )
        highest = std::max( highest, double( std::fabs( v ) ) );
    if( highest <= 0.0 )
        return;
    double gain = peak / highest;
    for( float& v : samples )
        v = float( v * gain );
}

void fadeOut( std::vector<float>& samples, double seconds, int channels )
{
    size_t count = std::min( frames( seconds ), samples.size() / size_t( channels ) );
    size_t total = samples.size() / size_t( channels );
    for( size_t i = 0; i < count; ++i )
    {
        double gain = double( i ) / double( count );
        for( int c = 0; c < channels; ++c )
            samples[ ( total - 1 - i ) * size_t( channels ) + size_t( c ) ] *= float( gain );
    }
}

void fadeIn( std::vector<float>& samples, double seconds, int channels )
{
    size_t count = std::min( frames( seconds ), samples.size() / size_t( channels ) );
    for( size_t i = 0; i < count; ++i )
    {
        double gain = double( i ) / double( count );
        for( int c = 0; c < channels; ++c )
            samples[ i * size_t( channels ) + size_t( c ) ] *= float( gain );
    }
}

void echo( std::vector<float>& samples, double delaySeconds, double feedback, double mix, double damping )
{
    size_t delay = std::max<size_t>( 1, frames( delaySeconds ) );
    std::vector<float> line( samples.size(), 0.0f );
    double low = 0.0;
    for( size_t i = 0; i < samples.size(); ++i )
    {
        double delayed = i >= delay ? line[ i - delay ] : 0.0;
        low += ( delayed - low ) * ( 1.0 - damping );
        line[ i ] = float( samples[ i ] + low * feedback );
        samples[ i ] = float( samples[ i ] + low * mix );
    }
}

void mixInto( std::vector<float>& target, const std::vector<float>& source, size_t at, double gain )
{
    for( size_t i = 0; i < source.size() && at + i < target.size(); ++i )
        target[ at + i ] += float( source[ i ] * gain );
}

size_t frames( double seconds )
{
    return size_t( std::max( 0.0, std::round( seconds * kRate ) ) );
}

double noteFrequency( double midiNote )
{
    return 440.0 * std::pow( 2.0, ( midiNote - 69.0 ) / 12.0 );
}
} // namespace Synth
