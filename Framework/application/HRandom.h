#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HRANDOM_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HRANDOM_H

#include <cstdint>

// The program's Mersenne Twister (MT19937). Its seeding is the early multiplicative one
// (word i = word i-1 * 69069), not the later standard one, so journals replay the same draws.
class HRandom
{
public:
    static const int kStateSize = 624;
    // Used when a draw comes before any seed, as the generator's authors did.
    static const uint32_t kDefaultSeed = 4357;

    HRandom();

    void seed( uint32_t value );
    // A whole number from 0 to n inclusive: the tempered word modulo n + 1.
    uint32_t random( uint32_t n );
    // The next tempered 32-bit word.
    uint32_t next();

private:
    void m_generate();

    uint32_t m_state[ kStateSize ];
    int32_t m_index;
};

#endif
