#include "Framework/application/HFramePacer.h"

namespace
{
const int32_t kSlowestRate = 24;
const int32_t kFastestRate = 500;
} // namespace

HFramePacer::HFramePacer()
    : m_periodMicros( 1000000u / kDefaultRate )
    , m_nextDueMicros( 0 )
    , m_hasFrame( false )
{
}

void HFramePacer::setRefreshRate( int32_t hertz )
{
    if( hertz < kSlowestRate || hertz > kFastestRate )
        hertz = kDefaultRate;
    m_periodMicros = 1000000u / static_cast<uint32_t>( hertz );
}

void HFramePacer::frameBegun( uint64_t now )
{
    uint64_t nowMicros = now * 1000u;
    // Keeps the cadence while frames come on time; a late frame, or a clock that went back,
    // starts a new one from now.
    bool onCadence = m_hasFrame && nowMicros + m_periodMicros >= m_nextDueMicros &&
                     nowMicros < m_nextDueMicros + m_periodMicros / 2;
    m_nextDueMicros = onCadence ? m_nextDueMicros + m_periodMicros : nowMicros + m_periodMicros;
    m_hasFrame = true;
}

uint32_t HFramePacer::untilNextFrame( uint64_t now ) const
{
    uint64_t nowMicros = now * 1000u;
    if( !m_hasFrame || nowMicros >= m_nextDueMicros )
        return 0;
    uint64_t left = m_nextDueMicros - nowMicros;
    if( left > m_periodMicros )
        left = m_periodMicros;
    return static_cast<uint32_t>( ( left + 999u ) / 1000u );
}

uint32_t HFramePacer::idleWait( uint32_t untilChange )
{
    return untilChange < kLongestWait ? untilChange : kLongestWait;
}
