#ifndef GLIMMERDROP_TOOLS_MKASSETS_RANDOM_H
#define GLIMMERDROP_TOOLS_MKASSETS_RANDOM_H

#include <cstdint>

// A small seeded generator of our own, so the archive does not depend on how a standard library
// implements its distributions.
class Random
{
public:
    explicit Random( uint64_t seed )
        : m_state( seed )
    {
    }

    uint64_t next()
    {
        // splitmix64
        uint64_t z = ( m_state += 0x9E3779B97F4A7C15ull );
        z = ( z ^ ( z >> 30 ) ) * 0xBF58476D1CE4E5B9ull;
        z = ( z ^ ( z >> 27 ) ) * 0x94D049BB133111EBull;
        return z ^ ( z >> 31 );
    }

    // Uniform in [0, 1).
    double unit() { return double( next() >> 11 ) * ( 1.0 / 9007199254740992.0 ); }
    double range( double low, double high ) { return low + ( high - low ) * unit(); }
    // Uniform in [-1, 1).
    double signedUnit() { return unit() * 2.0 - 1.0; }
    int below( int count ) { return int( next() % uint64_t( count ) ); }

private:
    uint64_t m_state;
};

#endif
