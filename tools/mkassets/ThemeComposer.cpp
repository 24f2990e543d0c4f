#include "tools/mkassets/ThemeComposer.h"

#include "tools/mkassets/Random.h"
#include "tools/mkassets/Synth.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ThemeComposer
{
namespace
{
using Synth::kRate;

constexpr size_t kBar = kTick * 16;
constexpr size_t kIntro = kLoopStart;
constexpr size_t kBody = kBar * kBodyBars;

// A note on the sixteenth grid: bar (from the start of the piece, intro included), tick in the
// bar, length in ticks, MIDI note.
struct Note
{
    int bar;
    int tick;
    int length;
    int pitch;
};

// Stereo buses, each rendered over intro + three passes of the body so every tail is complete.
struct Bus
{
    std::vector<float> left;
    std::vector<float> right;

    explicit Bus( size_t length )
        : left( length, 0.0f )
        , right( length, 0.0f )
    {
    }
    void add( size_t at, double value, double pan )
    {
        if( at >= left.size() )
            return;
        // Equal-power pan, -1 left to +1 right.
        double angle = ( pan + 1.0 ) * M_PI / 4.0;
        left[ at ] += float( value * std::cos( angle ) );
        right[ at ] += float( value * std::sin( angle ) );
    }
};

size_t timeOf( int bar, int tick )
{
    return size_t( bar ) * kBar + size_t( tick ) * kTick;
}

// --- the score ---------------------------------------------------------------------------------

// Chords per bar of the body, as root and quality; two per bar where a bar is split.
struct Chord
{
    int root;     // MIDI note of the root in the bass octave
    int third;    // semitones to the third
    bool seventh; // add a minor seventh
};

const Chord kC = { 48, 4, false };
const Chord kAm = { 45, 3, false };
const Chord kF = { 41, 4, false };
const Chord kG = { 43, 4, false };
const Chord kG7 = { 43, 4, true };
const Chord kEm = { 40, 3, false };
const Chord kDm = { 38, 3, false };

struct BarChords
{
    Chord first;
    Chord second; // from tick 8
};

std::vector<BarChords> bodyChords()
{
    std::vector<BarChords> a = { { kC, kC }, { kAm, kAm }, { kF, kF }, { kG, kG },
                                 { kC, kC }, { kAm, kAm }, { kF, kG }, { kC, kC } };
    std::vector<BarChords> b = { { kF, kF },   { kG, kG }, { kEm, kEm }, { kAm, kAm },
                                 { kDm, kDm }, { kG, kG }, { kC, kF },   { kG7, kG7 } };
    std::vector<BarChords> all;
    all.insert( all.end(), a.begin(), a.end() );
    all.insert( all.end(), a.begin(), a.end() );
    all.insert( all.end(), b.begin(), b.end() );
    all.insert( all.end(), a.begin(), a.end() );
    // The last bar turns back to the first.
    all[ 31 ] = { kG7, kG7 };
    all[ 15 ] = { kC, kG7 };
    return all;
}

// The tune of the A section, bar by bar: tick, length, pitch.
struct Step
{
    int tick;
    int length;
    int pitch;
};

const std::vector<std::vector<Step>>& tuneA()
{
    static const std::vector<std::vector<Step>> bars = {
        { { 0, 2, 76 }, { 2, 2, 79 }, { 4, 3, 84 }, { 7, 1, 83 }, { 8, 2, 81 }, { 10, 2, 79 }, { 12, 4, 76 } },
        { { 0, 2, 81 },
          { 2, 2, 79 },
          { 4, 2, 76 },
          { 6, 2, 72 },
          { 8, 2, 74 },
          { 10, 2, 76 },
          { 12, 2, 72 },
          { 14, 2, 69 } },
        { { 0, 3, 77 }, { 3, 3, 81 }, { 6, 2, 84 }, { 8, 2, 81 }, { 10, 2, 77 }, { 12, 2, 79 }, { 14, 2, 81 } },
        { { 0, 6, 79 }, { 6, 2, 74 }, { 8, 2, 79 }, { 10, 2, 83 }, { 12, 4, 86 } },
        { { 0, 2, 76 }, { 2, 2, 79 }, { 4, 3, 84 }, { 7, 1, 83 }, { 8, 2, 81 }, { 10, 2, 79 }, { 12, 4, 76 } },
        { { 0, 2, 81 }, { 2, 2, 84 }, { 4, 2, 83 }, { 6, 2, 81 }, { 8, 2, 79 }, { 10, 2, 76 }, { 12, 4, 79 } },
        { { 0, 2, 77 },
          { 2, 2, 76 },
          { 4, 2, 74 },
          { 6, 2, 77 },
          { 8, 2, 76 },
          { 10, 2, 74 },
          { 12, 2, 71 },
          { 14, 2, 74 } },
        { { 0, 4, 72 }, { 4, 2, 76 }, { 6, 2, 79 }, { 8, 4, 84 } },
    };
    return bars;
}

const std::vector<std::vector<Step>>& tuneB()
{
    static const std::vector<std::vector<Step>> bars = {
        { { 0, 4, 81 }, { 4, 4, 84 }, { 8, 4, 81 }, { 12, 4, 77 } },
        { { 0, 4, 83 }, { 4, 4, 86 }, { 8, 4, 83 }, { 12, 4, 79 } },
        { { 0, 4, 79 }, { 4, 4, 83 }, { 8, 4, 88 }, { 12, 4, 86 } },
        { { 0, 6, 84 }, { 6, 2, 83 }, { 8, 4, 81 }, { 12, 4, 76 } },
        { { 0, 4, 77 }, { 4, 4, 81 }, { 8, 4, 86 }, { 12, 4, 84 } },
        { { 0, 4, 83 }, { 4, 2, 81 }, { 6, 2, 79 }, { 8, 6, 86 } },
        { { 0, 4, 84 }, { 4, 2, 83 }, { 6, 2, 84 }, { 8, 4, 81 }, { 12, 4, 84 } },
        { { 0, 4, 86 }, { 4, 2, 84 }, { 6, 2, 83 }, { 8, 2, 79 }, { 10, 2, 81 }, { 12, 2, 83 }, { 14, 2, 86 } },
    };
    return bars;
}

// Where the body stands on the timeline of pass p (0, 1 or 2). Pass -1 holds only the body's
// last bar, played as the intro's second bar: the intro then ends exactly as the body does, so
// the first entry into the loop sounds like every later return to it.
int bodyBar( int pass, int bar )
{
    return 2 + pass * kBodyBars + bar;
}

bool isPlayed( int pass, int bar )
{
    return pass >= 0 || bar == kBodyBars - 1;
}

// Noise for one drum hit, the same for the same hit in every pass.
uint64_t hitSeed( int bar, int tick, int instrument )
{
    return uint64_t( ( ( bar % kBodyBars ) + kBodyBars ) % kBodyBars ) * 1000003ull + uint64_t( tick ) * 101ull +
           uint64_t( instrument );
}

std::vector<Note> leadNotes( bool sectionB )
{
    std::vector<Note> notes;
    for( int pass = -1; pass < 3; ++pass )
        for( int bar = 0; bar < kBodyBars; ++bar )
        {
            if( !isPlayed( pass, bar ) )
                continue;
            int section = bar / 8;
            bool isB = section == 2;
            if( isB != sectionB )
                continue;
            const auto& tune = isB ? tuneB() : tuneA();
            std::vector<Step> steps = tune[ size_t( bar % 8 ) ];
            // Variations: the second A ends open, the last A climbs back to the start.
            if( section == 1 && bar % 8 == 7 )
                steps = { { 0, 4, 72 }, { 4, 2, 74 }, { 6, 2, 76 }, { 8, 2, 79 }, { 10, 2, 81 }, { 12, 4, 79 } };
            if( section == 3 && bar % 8 == 7 )
                steps = { { 0, 4, 84 },  { 4, 2, 79 },  { 6, 2, 76 }, { 8, 2, 74 },
                          { 10, 2, 76 }, { 12, 2, 79 }, { 14, 2, 71 } };
            for( const Step& step : steps )
                notes.push_back( { bodyBar( pass, bar ), step.tick, step.length, step.pitch } );
        }
    return notes;
}

// --- instruments -------------------------------------------------------------------------------

void playLead( Bus& bus, const Note& note, double gain )
{
    Synth::Oscillator pulse( Synth::SW_SQUARE );
    Synth::Oscillator sine( Synth::SW_SINE );
    Synth::Biquad filter;
    double frequency = Synth::noteFrequency( note.pitch );
    double length = note.length * double( kTick ) / kRate - 0.02;
    size_t start = timeOf( note.bar, note.tick );
    size_t count = size_t( ( length + 0.12 ) * kRate );
    for( size_t i = 0; i < count; ++i )
    {
        double t = i / kRate;
        double envelope = Synth::adsr( t, 0.006, 0.12, 0.55, 0.1, length );
        double vibrato = 1.0 + 0.004 * std::sin( 2.0 * M_PI * 5.2 * t ) * std::min( 1.0, t / 0.25 );
        filter.setLowPass( 1800.0 + 2400.0 * envelope, 0.9 );
        double v = pulse.next( frequency * vibrato, 0.3 ) * 0.45 + sine.next( frequency * vibrato * 2.0 ) * 0.2;
        bus.add( start + i, filter.process( v ) * envelope * gain, 0.1 );
    }
}

void playFlute( Bus& bus, const Note& note, double gain )
{
    Synth::Oscillator triangle( Synth::SW_TRIANGLE );
    Synth::Oscillator sine( Synth::SW_SINE );
    double frequency = Synth::noteFrequency( note.pitch );
    double length = note.length * double( kTick ) / kRate - 0.03;
    size_t start = timeOf( note.bar, note.tick );
    size_t count = size_t( ( length + 0.2 ) * kRate );
    for( size_t i = 0; i < count; ++i )
    {
        double t = i / kRate;
        double envelope = Synth::adsr( t, 0.04, 0.2, 0.8, 0.18, length );
        double vibrato = 1.0 + 0.006 * std::sin( 2.0 * M_PI * 5.0 * t ) * std::min( 1.0, t / 0.3 );
        double v = triangle.next( frequency * vibrato ) * 0.5 + sine.next( frequency * vibrato ) * 0.5;
        bus.add( start + i, v * envelope * gain, -0.05 );
    }
}

void playBass( Bus& bus, size_t start, int pitch, double seconds, double gain )
{
    Synth::Oscillator saw( Synth::SW_SAW );
    Synth::Oscillator sine( Synth::SW_SINE );
    Synth::Biquad filter;
    double frequency = Synth::noteFrequency( pitch );
    size_t count = size_t( ( seconds + 0.05 ) * kRate );
    for( size_t i = 0; i < count; ++i )
    {
        double t = i / kRate;
        double envelope = Synth::adsr( t, 0.004, 0.08, 0.6, 0.04, seconds );
        filter.setLowPass( 300.0 + 900.0 * Synth::pluck( t, 0.002, 0.05 ), 1.2 );
        double v = filter.process( saw.next( frequency ) ) * 0.6 + sine.next( frequency ) * 0.55;
        bus.add( start + i, v * envelope * gain, 0.0 );
    }
}

void playStab( Bus& bus, size_t start, const Chord& chord, double gain )
{
    int notes[] = { chord.root + 12, chord.root + 12 + chord.third, chord.root + 19, chord.root + 24 };
    if( chord.seventh )
        notes[ 3 ] = chord.root + 22;
    for( int n = 0; n < 4; ++n )
    {
        Synth::Oscillator saw( Synth::SW_SAW, 0.23 * n );
        Synth::Biquad filter = Synth::Biquad::lowPass( 2200.0, 0.7 );
        double frequency = Synth::noteFrequency( notes[ n ] );
        size_t count = size_t( 0.16 * kRate );
        for( size_t i = 0; i < count; ++i )
        {
            double t = i / kRate;
            double envelope = Synth::pluck( t, 0.003, 0.045 );
            bus.add( start + i, filter.process( saw.next( frequency ) ) * envelope * gain, -0.45 );
        }
    }
}

void playBell( Bus& bus, size_t start, int pitch, double gain, double pan )
{
    double frequency = Synth::noteFrequency( pitch );
    double carrier = 0.0;
    double modulator = 0.0;
    size_t count = size_t( 0.5 * kRate );
    for( size_t i = 0; i < count; ++i )
    {
        double t = i / kRate;
        double envelope = Synth::pluck( t, 0.002, 0.12 );
        double m = std::sin( 2.0 * M_PI * modulator ) * 1.2 * std::exp( -t / 0.05 );
        bus.add( start + i, std::sin( 2.0 * M_PI * carrier + m ) * envelope * gain, pan );
        carrier += frequency / kRate;
        modulator += frequency * 4.0 / kRate;
        carrier -= std::floor( carrier );
        modulator -= std::floor( modulator );
    }
}

void playKick( Bus& bus, size_t start, double gain )
{
    double phase = 0.0;
    for( size_t i = 0; i < size_t( 0.25 * kRate ); ++i )
    {
        double t = i / kRate;
        double frequency = 48.0 + 110.0 * std::exp( -t / 0.03 );
        phase += frequency / kRate;
        bus.add( start + i, std::sin( 2.0 * M_PI * phase ) * Synth::pluck( t, 0.001, 0.09 ) * gain, 0.0 );
    }
}

void playSnare( Bus& bus, uint64_t seed, size_t start, double gain )
{
    Random random( seed );
    Synth::Biquad filter = Synth::Biquad::bandPass( 1800.0, 0.8 );
    double phase = 0.0;
    for( size_t i = 0; i < size_t( 0.22 * kRate ); ++i )
    {
        double t = i / kRate;
        double noise = filter.process( random.signedUnit() ) * Synth::pluck( t, 0.001, 0.06 );
        phase += ( 180.0 + 60.0 * std::exp( -t / 0.02 ) ) / kRate;
        double body = std::sin( 2.0 * M_PI * phase ) * Synth::pluck( t, 0.001, 0.03 ) * 0.5;
        bus.add( start + i, ( noise * 1.4 + body ) * gain, 0.05 );
    }
}

void playHat( Bus& bus, uint64_t seed, size_t start, double gain, bool open )
{
    Random random( seed );
    Synth::Biquad filter = Synth::Biquad::highPass( 7000.0, 0.7 );
    double tau = open ? 0.08 : 0.018;
    for( size_t i = 0; i < size_t( ( open ? 0.3 : 0.07 ) * kRate ); ++i )
    {
        double t = i / kRate;
        bus.add( start + i, filter.process( random.signedUnit() ) * Synth::pluck( t, 0.0005, tau ) * gain, 0.3 );
    }
}

void playCrash( Bus& bus, uint64_t seed, size_t start, double gain )
{
    Random random( seed );
    Synth::Biquad filter = Synth::Biquad::highPass( 4500.0, 0.6 );
    for( size_t i = 0; i < size_t( 1.4 * kRate ); ++i )
    {
        double t = i / kRate;
        bus.add( start + i, filter.process( random.signedUnit() ) * Synth::pluck( t, 0.002, 0.4 ) * gain, -0.25 );
    }
}

// --- arrangement -------------------------------------------------------------------------------

void arrangeBody( Bus& lead, Bus& band, Bus& drums )
{
    std::vector<BarChords> chords = bodyChords();
    for( const Note& note : leadNotes( false ) )
        playLead( lead, note, 0.5 );
    for( const Note& note : leadNotes( true ) )
        playFlute( lead, note, 0.55 );

    for( int pass = -1; pass < 3; ++pass )
        for( int bar = 0; bar < kBodyBars; ++bar )
        {
            if( !isPlayed( pass, bar ) )
                continue;
            int at = bodyBar( pass, bar );
            const BarChords& barChords = chords[ size_t( bar ) ];
            bool sectionB = bar / 8 == 2;
            for( int eighth = 0; eighth < 8; ++eighth )
            {
                const Chord& chord = eighth < 4 ? barChords.first : barChords.second;
                int tick = eighth * 2;
                // Bass bounces between root and octave; stabs on the off-beats.
                int pitch = chord.root - 12 + ( eighth % 2 == 1 ? 12 : 0 );
                if( eighth == 3 || eighth == 7 )
                    pitch = chord.root - 12 + 7;
                playBass( band, timeOf( at, tick ), pitch, double( kTick ) * 1.6 / kRate, 0.42 );
                if( eighth % 2 == 1 )
                    playStab( band, timeOf( at, tick ), chord, sectionB ? 0.05 : 0.075 );
            }
            // Bells arpeggiate the chord on the last beat of each bar, up high and to the right.
            const Chord& last = barChords.second;
            int arpeggio[] = { last.root + 24, last.root + 24 + last.third, last.root + 31, last.root + 36 };
            for( int k = 0; k < 4; ++k )
                playBell( band, timeOf( at, 12 + k ), arpeggio[ k ], sectionB ? 0.12 : 0.08, 0.55 );

            // Drums.
            playKick( drums, timeOf( at, 0 ), 0.8 );
            playKick( drums, timeOf( at, 8 ), 0.75 );
            if( bar % 2 == 1 )
                playKick( drums, timeOf( at, 10 ), 0.5 );
            playSnare( drums, hitSeed( bar, 4, 1 ), timeOf( at, 4 ), 0.42 );
            playSnare( drums, hitSeed( bar, 12, 1 ), timeOf( at, 12 ), 0.42 );
            for( int tick = 0; tick < 16; tick += 2 )
                playHat( drums, hitSeed( bar, tick, 2 ), timeOf( at, tick ), tick % 4 == 2 ? 0.16 : 0.1,
                         tick == 14 && bar % 2 == 1 );
            if( bar % 8 == 7 )
            {
                // A fill into the next section.
                playSnare( drums, hitSeed( bar, 13, 1 ), timeOf( at, 13 ), 0.25 );
                playSnare( drums, hitSeed( bar, 14, 1 ), timeOf( at, 14 ), 0.3 );
                playSnare( drums, hitSeed( bar, 15, 1 ), timeOf( at, 15 ), 0.35 );
            }
            if( bar % 8 == 0 )
                playCrash( drums, hitSeed( bar, 0, 3 ), timeOf( at, 0 ), bar == 0 ? 0.22 : 0.16 );
        }
}

void arrangeIntro( Bus& band, Bus& drums )
{
    // Bar 0: a bell run over a held C. Bar 1 is the body's own last bar (see bodyBar).
    const int run[] = { 72, 76, 79, 84, 79, 76, 79, 84, 88, 84, 79, 84, 88, 91, 88, 91 };
    for( int tick = 0; tick < 16; ++tick )
        playBell( band, timeOf( 0, tick ), run[ tick ], 0.12, 0.3 - 0.04 * ( tick % 4 ) );
    playBass( band, timeOf( 0, 0 ), 36, 1.1, 0.45 );
    playBass( band, timeOf( 0, 12 ), 43, 0.3, 0.4 );
    playKick( drums, timeOf( 0, 0 ), 0.8 );
    playKick( drums, timeOf( 0, 8 ), 0.6 );
    // Hats and a two-stroke pickup carry the bar into the next one without a gap.
    for( int tick = 0; tick < 16; tick += 2 )
        playHat( drums, hitSeed( -1, tick, 2 ), timeOf( 0, tick ), tick % 4 == 2 ? 0.14 : 0.08, false );
    playSnare( drums, hitSeed( -1, 14, 1 ), timeOf( 0, 14 ), 0.25 );
    playSnare( drums, hitSeed( -1, 15, 1 ), timeOf( 0, 15 ), 0.32 );
    playCrash( drums, 7, timeOf( 0, 0 ), 0.15 );
}

// Stereo echo on the lead, fed back with damping.
void echoBus( Bus& bus, size_t delay, double feedback, double mix )
{
    std::vector<float> inLeft = bus.left;
    std::vector<float> inRight = bus.right;
    std::vector<float> lineLeft( bus.left.size(), 0.0f );
    std::vector<float> lineRight( bus.right.size(), 0.0f );
    double lowLeft = 0.0;
    double lowRight = 0.0;
    for( size_t i = 0; i < bus.left.size(); ++i )
    {
        // Ping-pong: each repeat crosses to the other side.
        double fromLeft = i >= delay ? lineRight[ i - delay ] : 0.0;
        double fromRight = i >= delay ? lineLeft[ i - delay ] : 0.0;
        lowLeft += ( fromLeft - lowLeft ) * 0.55;
        lowRight += ( fromRight - lowRight ) * 0.55;
        lineLeft[ i ] = float( inLeft[ i ] * 0.7 + lowLeft * feedback );
        lineRight[ i ] = float( inRight[ i ] * 0.3 + lowRight * feedback );
        bus.left[ i ] = float( inLeft[ i ] + lowLeft * mix );
        bus.right[ i ] = float( inRight[ i ] + lowRight * mix );
    }
}
} // namespace

SoundBuffer compose()
{
    const size_t length = kIntro + 3 * kBody + size_t( 2.0 * kRate );
    Bus lead( length );
    Bus band( length );
    Bus drums( length );
    arrangeIntro( band, drums );
    arrangeBody( lead, band, drums );
    echoBus( lead, kTick * 3, 0.35, 0.3 );

    // Mix, then take the intro and the second pass of the body: that pass starts with the tails
    // of the one before it, exactly as it will when the game jumps back to the loop start.
    std::vector<float> left( length );
    std::vector<float> right( length );
    for( size_t i = 0; i < length; ++i )
    {
        left[ i ] = lead.left[ i ] + band.left[ i ] + drums.left[ i ];
        right[ i ] = lead.right[ i ] + band.right[ i ] + drums.right[ i ];
    }
    SoundBuffer out;
    out.channels = 2;
    out.rate = int( kRate );
    out.samples.resize( ( kIntro + kBody ) * 2 );
    for( size_t i = 0; i < kIntro + kBody; ++i )
    {
        size_t from = i < kIntro ? i : i + kBody;
        out.samples[ i * 2 ] = left[ from ];
        out.samples[ i * 2 + 1 ] = right[ from ];
    }
    // Rounded peaks rather than clipped ones, then as loud as it goes: the game plays music at a
    // quarter of full scale.
    Synth::scaleToPeak( out.samples, 1.0 );
    for( float& v : out.samples )
        v = float( std::tanh( v * 1.4 ) / std::tanh( 1.4 ) );
    Synth::scaleToPeak( out.samples, 0.95 );
    return out;
}
} // namespace ThemeComposer
