// HBlitRows: the AVX2 rows, thirty-two mask bytes a step. Only this file is built for AVX2, and
// it uses nothing inline from outside itself, so no AVX2 code can reach a processor without it.
#include "Framework/graphics/HBlitRows.h"

#if defined( __AVX2__ )

#include <immintrin.h>

namespace
{
enum MaskRun
{
    MR_CLEAR,
    MR_OPAQUE,
    MR_MIXED
};

inline MaskRun runOf( __m256i selected )
{
    unsigned bits = static_cast<unsigned>( _mm256_movemask_epi8( selected ) );
    return bits == 0 ? MR_CLEAR : bits == 0xFFFFFFFFu ? MR_OPAQUE : MR_MIXED;
}

inline __m256i load( const void* kp )
{
    return _mm256_loadu_si256( static_cast<const __m256i*>( kp ) );
}

inline void store( void* p, __m256i value )
{
    _mm256_storeu_si256( static_cast<__m256i*>( p ), value );
}

inline __m256i choose( __m256i select, __m256i yes, __m256i no )
{
    return _mm256_blendv_epi8( no, yes, select );
}

// x / 255 for 0 <= x < 2^16: the high half of x * 0x8081, shifted by 7.
inline __m256i divide255( __m256i x )
{
    return _mm256_srli_epi16( _mm256_mulhi_epu16( x, _mm256_set1_epi16( static_cast<short>( 0x8081 ) ) ), 7 );
}

inline __m256i scaled( __m256i src, __m256i dst, __m256i m, __m256i n, int shift )
{
    const __m256i k31 = _mm256_set1_epi16( 31 );
    __m128i count = _mm_cvtsi32_si128( shift );
    __m256i s = _mm256_and_si256( _mm256_srl_epi16( src, count ), k31 );
    __m256i d = _mm256_and_si256( _mm256_srl_epi16( dst, count ), k31 );
    __m256i sum = _mm256_add_epi16( divide255( _mm256_mullo_epi16( s, m ) ), divide255( _mm256_mullo_epi16( d, n ) ) );
    return _mm256_sll_epi16( sum, count );
}

// Sixteen pixels under sixteen mask bytes widened to 16 bits.
inline __m256i blendSixteen( __m256i src, __m256i dst, __m256i m )
{
    __m256i n = _mm256_sub_epi16( _mm256_set1_epi16( 255 ), m );
    __m256i mixed = _mm256_or_si256( _mm256_or_si256( scaled( src, dst, m, n, 10 ), scaled( src, dst, m, n, 5 ) ),
                                     scaled( src, dst, m, n, 0 ) );
    // The ends are exact copies, the unused top bit included.
    __m256i result = choose( _mm256_cmpeq_epi16( m, _mm256_set1_epi16( 255 ) ), src, mixed );
    return choose( _mm256_cmpeq_epi16( m, _mm256_setzero_si256() ), dst, result );
}

inline __m256i widenLow( __m256i mask )
{
    return _mm256_cvtepu8_epi16( _mm256_castsi256_si128( mask ) );
}

inline __m256i widenHigh( __m256i mask )
{
    return _mm256_cvtepu8_epi16( _mm256_extracti128_si256( mask, 1 ) );
}

// Thirty-two pixels a step; runs wholly selected or wholly not cost a copy or nothing, the rest
// goes through mixed( dest, src, mask bytes widened, sixteen at a time ). The last few pixels
// take the portable row.
template <typename Select, typename Mixed>
void walk( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width, Select select, Mixed mixed,
           HBlitRows::Row tail )
{
    int32_t x = 0;
    for( ; x + 32 <= width; x += 32 )
    {
        __m256i mask = load( kpMask + x );
        switch( runOf( select( mask ) ) )
        {
        case MR_CLEAR:
            break;
        case MR_OPAQUE:
            store( pDest + x, load( kpSrc + x ) );
            store( pDest + x + 16, load( kpSrc + x + 16 ) );
            break;
        case MR_MIXED:
            store( pDest + x, mixed( load( pDest + x ), load( kpSrc + x ), widenLow( mask ) ) );
            store( pDest + x + 16, mixed( load( pDest + x + 16 ), load( kpSrc + x + 16 ), widenHigh( mask ) ) );
            break;
        }
    }
    if( x < width )
        tail( pDest + x, kpSrc + x, kpMask + x, width - x );
}

void copyMaskedRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    walk(
        pDest, kpSrc, kpMask, width,
        []( __m256i mask ) { return _mm256_cmpeq_epi8( mask, _mm256_set1_epi8( -1 ) ); },
        []( __m256i dst, __m256i src, __m256i m ) {
            return choose( _mm256_cmpeq_epi16( m, _mm256_set1_epi16( 255 ) ), src, dst );
        },
        HBlitRows::sse2()->copyMasked );
}

void binaryAlphaRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    // movemask reads bit 7 of every byte: exactly the binary test.
    walk(
        pDest, kpSrc, kpMask, width, []( __m256i mask ) { return mask; },
        []( __m256i dst, __m256i src, __m256i m ) {
            return choose( _mm256_cmpgt_epi16( m, _mm256_set1_epi16( 127 ) ), src, dst );
        },
        HBlitRows::sse2()->binaryAlpha );
}

void alphaBlendRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    int32_t x = 0;
    for( ; x + 32 <= width; x += 32 )
    {
        __m256i mask = load( kpMask + x );
        unsigned opaque = static_cast<unsigned>(
            _mm256_movemask_epi8( _mm256_cmpeq_epi8( mask, _mm256_set1_epi8( -1 ) ) ) );
        if( opaque == 0xFFFFFFFFu )
        {
            store( pDest + x, load( kpSrc + x ) );
            store( pDest + x + 16, load( kpSrc + x + 16 ) );
            continue;
        }
        if( _mm256_testz_si256( mask, mask ) )
            continue;
        store( pDest + x, blendSixteen( load( kpSrc + x ), load( pDest + x ), widenLow( mask ) ) );
        store( pDest + x + 16, blendSixteen( load( kpSrc + x + 16 ), load( pDest + x + 16 ), widenHigh( mask ) ) );
    }
    if( x < width )
        HBlitRows::sse2()->alphaBlend( pDest + x, kpSrc + x, kpMask + x, width - x );
}

const HBlitRows::Set kAvx2 = { "avx2", copyMaskedRow, alphaBlendRow, binaryAlphaRow };
} // namespace

const HBlitRows::Set* HBlitRows::m_avx2Rows()
{
    return &kAvx2;
}

#else

const HBlitRows::Set* HBlitRows::m_avx2Rows()
{
    return nullptr;
}

#endif
