// HBlitRows: the SSE2 rows, sixteen pixels a step. SSE2 is part of every x86-64 processor.
#include "Framework/graphics/HBlitRows.h"

#if defined( __SSE2__ )

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

// x / 255 for 0 <= x < 2^16: the high half of x * 0x8081, shifted by 7.
inline __m128i divide255( __m128i x )
{
    return _mm_srli_epi16( _mm_mulhi_epu16( x, _mm_set1_epi16( static_cast<short>( 0x8081 ) ) ), 7 );
}

inline __m128i channel( __m128i pixels, int shift )
{
    return _mm_and_si128( _mm_srl_epi16( pixels, _mm_cvtsi32_si128( shift ) ), _mm_set1_epi16( 31 ) );
}

// Eight pixels under eight mask bytes widened to 16 bits.
inline __m128i blendEight( __m128i src, __m128i dst, __m128i m )
{
    __m128i n = _mm_sub_epi16( _mm_set1_epi16( 255 ), m );
    __m128i r = _mm_add_epi16( divide255( _mm_mullo_epi16( channel( src, 10 ), m ) ),
                               divide255( _mm_mullo_epi16( channel( dst, 10 ), n ) ) );
    __m128i g = _mm_add_epi16( divide255( _mm_mullo_epi16( channel( src, 5 ), m ) ),
                               divide255( _mm_mullo_epi16( channel( dst, 5 ), n ) ) );
    __m128i b = _mm_add_epi16( divide255( _mm_mullo_epi16( channel( src, 0 ), m ) ),
                               divide255( _mm_mullo_epi16( channel( dst, 0 ), n ) ) );
    __m128i mixed = _mm_or_si128( _mm_or_si128( _mm_slli_epi16( r, 10 ), _mm_slli_epi16( g, 5 ) ), b );
    // The ends are exact copies, the unused top bit included.
    __m128i result = choose( _mm_cmpeq_epi16( m, _mm_set1_epi16( 255 ) ), src, mixed );
    return choose( _mm_cmpeq_epi16( m, _mm_setzero_si128() ), dst, result );
}

// Walks sixteen pixels a step; runs wholly selected or wholly not cost a copy or nothing, the
// rest goes through mixed( dest, src, mask bytes widened, eight at a time ). The last few pixels
// take the portable row.
template <typename Select, typename Mixed>
void walk( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width, Select select, Mixed mixed,
           HBlitRows::Row tail )
{
    const __m128i kZero = _mm_setzero_si128();
    int32_t x = 0;
    for( ; x + 16 <= width; x += 16 )
    {
        __m128i mask = load( kpMask + x );
        switch( runOf( select( mask ) ) )
        {
        case MR_CLEAR:
            break;
        case MR_OPAQUE:
            store( pDest + x, load( kpSrc + x ) );
            store( pDest + x + 8, load( kpSrc + x + 8 ) );
            break;
        case MR_MIXED:
            store( pDest + x,
                   mixed( load( pDest + x ), load( kpSrc + x ), _mm_unpacklo_epi8( mask, kZero ) ) );
            store( pDest + x + 8,
                   mixed( load( pDest + x + 8 ), load( kpSrc + x + 8 ), _mm_unpackhi_epi8( mask, kZero ) ) );
            break;
        }
    }
    if( x < width )
        tail( pDest + x, kpSrc + x, kpMask + x, width - x );
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
        pDest, kpSrc, kpMask, width, []( __m128i mask ) { return _mm_cmpeq_epi8( mask, _mm_set1_epi8( -1 ) ); },
        []( __m128i dst, __m128i src, __m128i m ) {
            return choose( _mm_cmpeq_epi16( m, _mm_set1_epi16( 255 ) ), src, dst );
        },
        HBlitRows::portable().copyMasked );
}

void binaryAlphaRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    // movemask reads bit 7 of every byte: exactly the binary test.
    walk(
        pDest, kpSrc, kpMask, width, []( __m128i mask ) { return mask; },
        []( __m128i dst, __m128i src, __m128i m ) {
            return choose( _mm_cmpgt_epi16( m, _mm_set1_epi16( 127 ) ), src, dst );
        },
        HBlitRows::portable().binaryAlpha );
}

void alphaBlendRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    const __m128i kZero = _mm_setzero_si128();
    int32_t x = 0;
    for( ; x + 16 <= width; x += 16 )
    {
        __m128i mask = load( kpMask + x );
        switch( alphaRun( mask ) )
        {
        case MR_CLEAR:
            break;
        case MR_OPAQUE:
            store( pDest + x, load( kpSrc + x ) );
            store( pDest + x + 8, load( kpSrc + x + 8 ) );
            break;
        case MR_MIXED:
            store( pDest + x, blendEight( load( kpSrc + x ), load( pDest + x ), _mm_unpacklo_epi8( mask, kZero ) ) );
            store( pDest + x + 8,
                   blendEight( load( kpSrc + x + 8 ), load( pDest + x + 8 ), _mm_unpackhi_epi8( mask, kZero ) ) );
            break;
        }
    }
    if( x < width )
        HBlitRows::portable().alphaBlend( pDest + x, kpSrc + x, kpMask + x, width - x );
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
