#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HBLITROWS_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HBLITROWS_H

#include <cstdint>

// The blitter's inner loops over one row of 5-5-5 pixels under an 8-bit mask, in the widest
// form the processor runs: portable C++ everywhere, SSE2 and AVX2 on x86 processors that have
// them (chosen once, at first use). Every form gives the same bits for every input.
class HBlitRows
{
public:
    typedef void ( *Row )( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width );

    struct Set
    {
        const char* kpName;
        // Mask byte 255 copies the source pixel; any other keeps the target's.
        Row copyMasked;
        // The standard alpha blend: per channel src * m / 255 + dst * (255 - m) / 255, truncated;
        // 255 copies the source word and 0 keeps the target's, exactly.
        Row alphaBlend;
        // Mask bytes with bit 7 set copy the source pixel.
        Row binaryAlpha;
    };

    static const Set& portable();
    // Null where the form was not built or the processor cannot run it.
    static const Set* sse2();
    static const Set* avx2();

    // The set the blitter uses: the widest available unless another was chosen.
    static const Set& active();
    static void setActive( const Set& set );

    // One pixel of the standard alpha blend, as every form computes it.
    static uint16_t alphaBlendPixel( uint16_t src, uint16_t dst, uint8_t m )
    {
        if( m == 255 )
            return src;
        if( m == 0 )
            return dst;
        uint32_t n = 255u - m;
        uint32_t r = ( ( src >> 10 ) & 31u ) * m / 255u + ( ( dst >> 10 ) & 31u ) * n / 255u;
        uint32_t g = ( ( src >> 5 ) & 31u ) * m / 255u + ( ( dst >> 5 ) & 31u ) * n / 255u;
        uint32_t b = ( src & 31u ) * m / 255u + ( dst & 31u ) * n / 255u;
        return static_cast<uint16_t>( r << 10 | g << 5 | b );
    }

private:
    // Built for AVX2 where the compiler can; only asked once the processor is known to run it.
    static const Set* m_avx2Rows();

    static const Set* sm_pActive;
};

#endif
