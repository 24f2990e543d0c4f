#ifndef GLIMMERDROP_TOOLS_MKASSETS_SYNTH_H
#define GLIMMERDROP_TOOLS_MKASSETS_SYNTH_H

#include "tools/mkassets/Random.h"

#include <cstddef>
#include <vector>

// Building blocks for the sounds: band-limited oscillators, envelopes, filters, noise, echo and
// the finishing steps. Everything works on float samples at one rate.
namespace Synth
{
constexpr double kRate = 22050.0;

enum Wave
{
    SW_SINE,
    SW_TRIANGLE,
    SW_SAW,
    SW_SQUARE,
};

// An oscillator with its phase; saw and square are corrected at their steps (polyBLEP) so high
// notes do not alias into whistles at this low rate.
class Oscillator
{
public:
    explicit Oscillator( Wave wave, double phase = 0.0 )
        : m_wave( wave )
        , m_phase( phase )
    {
    }
    double next( double frequency, double pulseWidth = 0.5 );
    double phase() const { return m_phase; }

private:
    Wave m_wave;
    double m_phase;
};

// Attack and decay to a sustain level, release after the note's length; times in seconds.
double adsr( double t, double attack, double decay, double sustain, double release, double length );
// An exponential decay with the given time constant after a short linear attack.
double pluck( double t, double attack, double tau );

// Biquad filters (the cookbook forms), run sample by sample.
class Biquad
{
public:
    static Biquad lowPass( double frequency, double q );
    static Biquad highPass( double frequency, double q );
    static Biquad bandPass( double frequency, double q );
    void setLowPass( double frequency, double q );
    double process( double x );

private:
    double m_b0 = 1.0, m_b1 = 0.0, m_b2 = 0.0, m_a1 = 0.0, m_a2 = 0.0;
    double m_x1 = 0.0, m_x2 = 0.0, m_y1 = 0.0, m_y2 = 0.0;
};

// Removes the steady offset that pulse waves and asymmetric envelopes leave.
void dcBlock( std::vector<float>& samples, int channels = 1 );
void scaleToPeak( std::vector<float>& samples, double peak );
void fadeOut( std::vector<float>& samples, double seconds, int channels = 1 );
void fadeIn( std::vector<float>& samples, double seconds, int channels = 1 );
// A feedback echo; the tail is kept inside the buffer (extend it first if it must ring out).
void echo( std::vector<float>& samples, double delaySeconds, double feedback, double mix, double damping );
// Adds source into target from the given frame, scaled.
void mixInto( std::vector<float>& target, const std::vector<float>& source, size_t at, double gain );
size_t frames( double seconds );
double noteFrequency( double midiNote );
} // namespace Synth

#endif
