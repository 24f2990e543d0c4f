// HBlitRows: the SSE2 rows, sixteen pixels a step. SSE2 is part of every x86-64 processor.
#include "Framework/graphics/HBlitRows.h"

#if defined( __SSE2__ ) && ( defined( __x86_64__ ) || defined( __i386__ ) )

#include <emmintrin.h>

namespace
{
enum MaskRun
{
    MR_CLEAR,
    MR_OPAQUE,
    MR_MIXED
};

// The run of sixteen from the bytes whose top bit says "selected".
inline MaskRun runOf( __m128i selected )
{
    int bits = _mm_movemask_epi8( selected );
    return bits == 0 ? MR_CLEAR : bits == 0xFFFF ? MR_OPAQUE : MR_MIXED;
}

inline __m128i load( const void* kp )
{
    return _mm_loadu_si128( static_cast<const __m128i*>( kp ) );
}

inline void store( void* p, __m128i value )
{
    _mm_storeu_si128( static_cast<__m128i*>( p ), value );
}

inline __m128i choose( __m128i select, __m128i yes, __m128i no )
{
    return _mm_or_si128( _mm_and_si128( select, yes ), _mm_andnot_si128( select, no ) );
}

// c * m / 255, truncated, for a 5-bit channel c and 0 < m < 255, is the high half of
// c * (257 m + 1): the multiplier overshoots m / 255 by less than one part in 65536, too little
// to reach the next whole number. A channel kept in place (c << shift) gives the same, shifted,
// once the bits below it are masked off. m of 0 or 255 wraps the multiplier; those pixels are
// exact copies chosen afterwards.
inline __m128i factor( __m128i m )
{
    return _mm_add_epi16( _mm_mullo_epi16( m, _mm_set1_epi16( 257 ) ), _mm_set1_epi16( 1 ) );
}

inline __m128i weighted( __m128i pixels, __m128i q )
{
    const __m128i kRed = _mm_set1_epi16( 0x7C00 );
    const __m128i kGreen = _mm_set1_epi16( 0x03E0 );
    const __m128i kBlue = _mm_set1_epi16( 0x001F );
    __m128i r = _mm_and_si128( _mm_mulhi_epu16( _mm_and_si128( pixels, kRed ), q ), kRed );
    __m128i g = _mm_and_si128( _mm_mulhi_epu16( _mm_and_si128( pixels, kGreen ), q ), kGreen );
    __m128i b = _mm_mulhi_epu16( _mm_and_si128( pixels, kBlue ), q );
    return _mm_or_si128( _mm_or_si128( r, g ), b );
}

// Eight pixels under eight mask bytes widened to 16 bits.
inline __m128i blendEight( __m128i src, __m128i dst, __m128i m )
{
    __m128i n = _mm_sub_epi16( _mm_set1_epi16( 255 ), m );
    // No channel sum passes 31, so the two weighted words add without carries between channels.
    __m128i mixed = _mm_add_epi16( weighted( src, factor( m ) ), weighted( dst, factor( n ) ) );
    // The ends are exact copies, the unused top bit included.
    __m128i result = choose( _mm_cmpeq_epi16( m, _mm_set1_epi16( 255 ) ), src, mixed );
    return choose( _mm_cmpeq_epi16( m, _mm_setzero_si128() ), dst, result );
}

// The last few pixels of a row as one more step of sixteen, through copies with clear mask bytes
// after the row's end, so no byte past it is read or written.
template <typename Step>
void paddedTail( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t count, Step step )
{
    alignas( 16 ) uint16_t dest[ 16 ];
    alignas( 16 ) uint16_t src[ 16 ];
    alignas( 16 ) uint8_t mask[ 16 ] = {};
    for( int32_t i = 0; i < count; ++i )
    {
        dest[ i ] = pDest[ i ];
        src[ i ] = kpSrc[ i ];
        mask[ i ] = kpMask[ i ];
    }
    step( dest, src, mask );
    for( int32_t i = 0; i < count; ++i )
        pDest[ i ] = dest[ i ];
}

// Walks sixteen pixels a step; runs that classify( mask bytes ) finds clear or opaque cost nothing
// or a copy, the rest goes through mixed( dest, src, mask bytes widened, eight at a time ).
template <typename Classify, typename Mixed>
void walk( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width, Classify classify,
           Mixed mixed )
{
    auto step = [ & ]( uint16_t* pD, const uint16_t* kpS, const uint8_t* kpM )
    {
        const __m128i kZero = _mm_setzero_si128();
        __m128i mask = load( kpM );
        switch( classify( mask ) )
        {
        case MR_CLEAR:
            break;
        case MR_OPAQUE:
            store( pD, load( kpS ) );
            store( pD + 8, load( kpS + 8 ) );
            break;
        case MR_MIXED:
            store( pD, mixed( load( pD ), load( kpS ), _mm_unpacklo_epi8( mask, kZero ) ) );
            store( pD + 8, mixed( load( pD + 8 ), load( kpS + 8 ), _mm_unpackhi_epi8( mask, kZero ) ) );
            break;
        }
    };
    int32_t x = 0;
    for( ; x + 16 <= width; x += 16 )
        step( pDest + x, kpSrc + x, kpMask + x );
    if( x < width )
        paddedTail( pDest + x, kpSrc + x, kpMask + x, width - x, step );
}

// A run is wholly copied only when every byte is 255; it is skipped when every byte is 0.
MaskRun alphaRun( __m128i mask )
{
    int opaque = _mm_movemask_epi8( _mm_cmpeq_epi8( mask, _mm_set1_epi8( -1 ) ) );
    if( opaque == 0xFFFF )
        return MR_OPAQUE;
    int clear = _mm_movemask_epi8( _mm_cmpeq_epi8( mask, _mm_setzero_si128() ) );
    return clear == 0xFFFF ? MR_CLEAR : MR_MIXED;
}

void copyMaskedRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    walk(
        pDest, kpSrc, kpMask, width,
        []( __m128i mask ) { return runOf( _mm_cmpeq_epi8( mask, _mm_set1_epi8( -1 ) ) ); },
        []( __m128i dst, __m128i src, __m128i m )
        { return choose( _mm_cmpeq_epi16( m, _mm_set1_epi16( 255 ) ), src, dst ); } );
}

void binaryAlphaRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    // movemask reads bit 7 of every byte: exactly the binary test.
    walk(
        pDest, kpSrc, kpMask, width, []( __m128i mask ) { return runOf( mask ); },
        []( __m128i dst, __m128i src, __m128i m )
        { return choose( _mm_cmpgt_epi16( m, _mm_set1_epi16( 127 ) ), src, dst ); } );
}

void alphaBlendRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    walk( pDest, kpSrc, kpMask, width, alphaRun,
          []( __m128i dst, __m128i src, __m128i m ) { return blendEight( src, dst, m ); } );
}

const HBlitRows::Set kSse2 = { "sse2", copyMaskedRow, alphaBlendRow, binaryAlphaRow };
} // namespace

const HBlitRows::Set* HBlitRows::sse2()
{
    return &kSse2;
}

#else

const HBlitRows::Set* HBlitRows::sse2()
{
    return nullptr;
}

#endif
