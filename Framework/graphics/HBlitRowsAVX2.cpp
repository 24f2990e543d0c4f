// HBlitRows: the AVX2 rows, thirty-two mask bytes a step. Only this file is built for AVX2, and
// it uses nothing inline from outside itself, so no AVX2 code can reach a processor without it.
#include "Framework/graphics/HBlitRows.h"

#if defined( __AVX2__ ) && ( defined( __x86_64__ ) || defined( __i386__ ) )

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

// c * m / 255 as the high half of c * (257 m + 1); see the SSE2 rows for why that is exact.
inline __m256i factor( __m256i m )
{
    return _mm256_add_epi16( _mm256_mullo_epi16( m, _mm256_set1_epi16( 257 ) ), _mm256_set1_epi16( 1 ) );
}

inline __m256i weighted( __m256i pixels, __m256i q )
{
    const __m256i kRed = _mm256_set1_epi16( 0x7C00 );
    const __m256i kGreen = _mm256_set1_epi16( 0x03E0 );
    const __m256i kBlue = _mm256_set1_epi16( 0x001F );
    __m256i r = _mm256_and_si256( _mm256_mulhi_epu16( _mm256_and_si256( pixels, kRed ), q ), kRed );
    __m256i g = _mm256_and_si256( _mm256_mulhi_epu16( _mm256_and_si256( pixels, kGreen ), q ), kGreen );
    __m256i b = _mm256_mulhi_epu16( _mm256_and_si256( pixels, kBlue ), q );
    return _mm256_or_si256( _mm256_or_si256( r, g ), b );
}

// Sixteen pixels under sixteen mask bytes widened to 16 bits.
inline __m256i blendSixteen( __m256i src, __m256i dst, __m256i m )
{
    __m256i n = _mm256_sub_epi16( _mm256_set1_epi16( 255 ), m );
    __m256i mixed = _mm256_add_epi16( weighted( src, factor( m ) ), weighted( dst, factor( n ) ) );
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

// The last few pixels of a row as one more step, through copies with clear mask bytes after
// the row's end, so no byte past it is read or written.
template <typename Step>
void paddedTail( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t count, Step step )
{
    alignas( 32 ) uint16_t dest[ 32 ];
    alignas( 32 ) uint16_t src[ 32 ];
    alignas( 32 ) uint8_t mask[ 32 ] = {};
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

// Thirty-two pixels a step; runs that classify( mask bytes ) finds clear or opaque cost nothing or
// a copy, the rest goes through mixed( dest, src, mask bytes widened, sixteen at a time ).
template <typename Classify, typename Mixed>
void walk( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width, Classify classify,
           Mixed mixed )
{
    auto step = [ & ]( uint16_t* pD, const uint16_t* kpS, const uint8_t* kpM )
    {
        __m256i mask = load( kpM );
        switch( classify( mask ) )
        {
        case MR_CLEAR:
            break;
        case MR_OPAQUE:
            store( pD, load( kpS ) );
            store( pD + 16, load( kpS + 16 ) );
            break;
        case MR_MIXED:
            store( pD, mixed( load( pD ), load( kpS ), widenLow( mask ) ) );
            store( pD + 16, mixed( load( pD + 16 ), load( kpS + 16 ), widenHigh( mask ) ) );
            break;
        }
    };
    int32_t x = 0;
    for( ; x + 32 <= width; x += 32 )
        step( pDest + x, kpSrc + x, kpMask + x );
    if( x < width )
        paddedTail( pDest + x, kpSrc + x, kpMask + x, width - x, step );
}

void copyMaskedRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    walk(
        pDest, kpSrc, kpMask, width,
        []( __m256i mask ) { return runOf( _mm256_cmpeq_epi8( mask, _mm256_set1_epi8( -1 ) ) ); },
        []( __m256i dst, __m256i src, __m256i m )
        { return choose( _mm256_cmpeq_epi16( m, _mm256_set1_epi16( 255 ) ), src, dst ); } );
}

void binaryAlphaRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    // movemask reads bit 7 of every byte: exactly the binary test.
    walk(
        pDest, kpSrc, kpMask, width, []( __m256i mask ) { return runOf( mask ); },
        []( __m256i dst, __m256i src, __m256i m )
        { return choose( _mm256_cmpgt_epi16( m, _mm256_set1_epi16( 127 ) ), src, dst ); } );
}

// A run is wholly copied only when every byte is 255; it is skipped when every byte is 0.
MaskRun alphaRun( __m256i mask )
{
    unsigned opaque =
        static_cast<unsigned>( _mm256_movemask_epi8( _mm256_cmpeq_epi8( mask, _mm256_set1_epi8( -1 ) ) ) );
    if( opaque == 0xFFFFFFFFu )
        return MR_OPAQUE;
    return _mm256_testz_si256( mask, mask ) ? MR_CLEAR : MR_MIXED;
}

void alphaBlendRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    walk( pDest, kpSrc, kpMask, width, alphaRun,
          []( __m256i dst, __m256i src, __m256i m ) { return blendSixteen( src, dst, m ); } );
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
