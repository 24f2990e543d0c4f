#include "Framework/graphics/HBlitRows.h"

#include <algorithm>
#include <cstring>

namespace
{
const uint64_t kAllOpaque = ~uint64_t( 0 );
// Bit 7 of each byte: the binary-alpha test for eight pixels.
const uint64_t kHighBits = 0x8080808080808080ull;

inline uint64_t load64( const uint8_t* kp )
{
    uint64_t value;
    std::memcpy( &value, kp, sizeof( value ) );
    return value;
}

// c * m / 255 for every 5-bit channel value and mask byte: a lookup is cheaper than the
// division where there are no vectors.
struct ScaleTable
{
    uint8_t values[ 256 ][ 32 ];
    ScaleTable()
    {
        for( uint32_t m = 0; m < 256; ++m )
        {
            for( uint32_t c = 0; c < 32; ++c )
                values[ m ][ c ] = static_cast<uint8_t>( c * m / 255 );
        }
    }
};

const ScaleTable& scaleTable()
{
    static const ScaleTable s_table;
    return s_table;
}

// Walks a row eight mask bytes at a time: all clear is skipped, all opaque copied at once, and
// anything else goes pixel by pixel through pixel( dest, src, mask ).
template <typename PixelRule>
void maskedRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width, PixelRule pixel )
{
    int32_t x = 0;
    while( x < width )
    {
        if( x + 8 <= width )
        {
            uint64_t eight = load64( kpMask + x );
            if( eight == 0 )
            {
                x += 8;
                continue;
            }
            if( eight == kAllOpaque )
            {
                std::memcpy( pDest + x, kpSrc + x, 8 * sizeof( uint16_t ) );
                x += 8;
                continue;
            }
        }
        int32_t end = std::min( x + 8, width );
        for( ; x < end; ++x )
            pixel( pDest[ x ], kpSrc[ x ], kpMask[ x ] );
    }
}

void copyMaskedRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    maskedRow( pDest, kpSrc, kpMask, width, []( uint16_t& dest, uint16_t src, uint8_t m ) {
        if( m == 255 )
            dest = src;
    } );
}

void alphaBlendRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    const ScaleTable& table = scaleTable();
    maskedRow( pDest, kpSrc, kpMask, width, [ &table ]( uint16_t& dest, uint16_t src, uint8_t m ) {
        if( m == 255 )
            dest = src;
        else if( m != 0 )
        {
            const uint8_t* kpS = table.values[ m ];
            const uint8_t* kpD = table.values[ 255 - m ];
            uint32_t r = kpS[ ( src >> 10 ) & 31 ] + kpD[ ( dest >> 10 ) & 31 ];
            uint32_t g = kpS[ ( src >> 5 ) & 31 ] + kpD[ ( dest >> 5 ) & 31 ];
            uint32_t b = kpS[ src & 31 ] + kpD[ dest & 31 ];
            dest = static_cast<uint16_t>( r << 10 | g << 5 | b );
        }
    } );
}

void binaryAlphaRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    int32_t x = 0;
    while( x < width )
    {
        if( x + 8 <= width )
        {
            uint64_t high = load64( kpMask + x ) & kHighBits;
            if( high == 0 )
            {
                x += 8;
                continue;
            }
            if( high == kHighBits )
            {
                std::memcpy( pDest + x, kpSrc + x, 8 * sizeof( uint16_t ) );
                x += 8;
                continue;
            }
        }
        int32_t end = std::min( x + 8, width );
        for( ; x < end; ++x )
        {
            if( kpMask[ x ] & 0x80 )
                pDest[ x ] = kpSrc[ x ];
        }
    }
}

const HBlitRows::Set kPortable = { "portable", copyMaskedRow, alphaBlendRow, binaryAlphaRow };

const HBlitRows::Set& widest()
{
    if( const HBlitRows::Set* kpAvx2 = HBlitRows::avx2() )
        return *kpAvx2;
    if( const HBlitRows::Set* kpSse2 = HBlitRows::sse2() )
        return *kpSse2;
    return kPortable;
}
} // namespace

const HBlitRows::Set* HBlitRows::sm_pActive = nullptr;

const HBlitRows::Set& HBlitRows::portable()
{
    return kPortable;
}

const HBlitRows::Set* HBlitRows::avx2()
{
#if defined( __x86_64__ ) || defined( __i386__ )
    // The processor and the system both have to keep the wide registers; the check runs here,
    // outside the code built for AVX2.
    __builtin_cpu_init();
    if( __builtin_cpu_supports( "avx2" ) && sse2() != nullptr )
        return m_avx2Rows();
#endif
    return nullptr;
}

const HBlitRows::Set& HBlitRows::active()
{
    if( sm_pActive == nullptr )
        sm_pActive = &widest();
    return *sm_pActive;
}

void HBlitRows::setActive( const Set& set )
{
    sm_pActive = &set;
}
