#include "Framework/application/HRandom.h"

namespace
{
const int kShift = 397;
const uint32_t kMatrixA = 0x9908B0DFu;
const uint32_t kUpperMask = 0x80000000u;
const uint32_t kLowerMask = 0x7FFFFFFFu;
}

HRandom::HRandom()
    : m_state()
    , m_index( kStateSize + 1 )
{
}

void HRandom::seed( uint32_t value )
{
    m_state[ 0 ] = value;
    for( int i = 1; i < kStateSize; ++i )
        m_state[ i ] = m_state[ i - 1 ] * 69069u;
    m_index = kStateSize;
}

void HRandom::m_generate()
{
    for( int i = 0; i < kStateSize; ++i )
    {
        uint32_t y = ( m_state[ i ] & kUpperMask ) | ( m_state[ ( i + 1 ) % kStateSize ] & kLowerMask );
        m_state[ i ] = m_state[ ( i + kShift ) % kStateSize ] ^ ( y >> 1 ) ^ ( ( y & 1u ) != 0 ? kMatrixA : 0u );
    }
    m_index = 0;
}

uint32_t HRandom::next()
{
    if( m_index > kStateSize )
        seed( kDefaultSeed );
    if( m_index >= kStateSize )
        m_generate();
    uint32_t y = m_state[ m_index++ ];
    y ^= y >> 11;
    y ^= ( y << 7 ) & 0x9D2C5680u;
    y ^= ( y << 15 ) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

uint32_t HRandom::random( uint32_t n )
{
    uint32_t word = next();
    // n + 1 would wrap to 0 for the full range; every word is then a valid answer.
    if( n == 0xFFFFFFFFu )
        return word;
    return word % ( n + 1u );
}
