#include "Framework/graphics/HBlitter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "Framework/graphics/HBlitRows.h"
#include "Framework/graphics/HSurface.h"
#include "Framework/util/src/HLog.h"

HBlitter::Channel HBlitter::sm_channels[ 3 ] = { { 10, 31 }, { 5, 31 }, { 0, 31 } };
HBlendParams HBlitter::sm_state = HBlendParams::alphaBlend();
int32_t HBlitter::sm_fastPath = 1;
uint8_t HBlitter::sm_options[ HBlitter::kOptionCount ] = {};

namespace
{
const uint32_t kFullFactor = 65025;

struct Span
{
    int32_t destX;
    int32_t destY;
    int32_t srcX;
    int32_t srcY;
    int32_t width;
    int32_t height;
};

bool trim( const HPixelTarget& target, int32_t destX, int32_t destY, const HRect& src, const HSurface& surface,
           Span& span )
{
    if( target.pPixels == nullptr || surface.getPixels() == nullptr )
        return false;
    int64_t dx = destX;
    int64_t dy = destY;
    int64_t sx0 = src.left;
    int64_t sy0 = src.top;
    int64_t sx1 = std::min<int64_t>( src.right, surface.getWidth() );
    int64_t sy1 = std::min<int64_t>( src.bottom, surface.getHeight() );
    if( sx0 < 0 )
    {
        dx -= sx0;
        sx0 = 0;
    }
    if( sy0 < 0 )
    {
        dy -= sy0;
        sy0 = 0;
    }
    if( dx < 0 )
    {
        sx0 -= dx;
        dx = 0;
    }
    if( dy < 0 )
    {
        sy0 -= dy;
        dy = 0;
    }
    sx1 = std::min<int64_t>( sx1, sx0 + target.width - dx );
    sy1 = std::min<int64_t>( sy1, sy0 + target.height - dy );
    if( sx1 <= sx0 || sy1 <= sy0 )
        return false;
    span = { static_cast<int32_t>( dx ),  static_cast<int32_t>( dy ),        static_cast<int32_t>( sx0 ),
             static_cast<int32_t>( sy0 ), static_cast<int32_t>( sx1 - sx0 ), static_cast<int32_t>( sy1 - sy0 ) };
    return true;
}

int32_t clampToInt32( int64_t value )
{
    return static_cast<int32_t>( std::clamp<int64_t>( value, INT32_MIN, INT32_MAX ) );
}

void generalRow( uint16_t* pDest, const uint16_t* kpSrc, const uint8_t* kpMask, int32_t width )
{
    for( int32_t x = 0; x < width; ++x )
    {
        if( kpMask[ x ] != 0 )
            pDest[ x ] = HBlitter::sm_blendPixels16( kpSrc[ x ], pDest[ x ], kpMask[ x ] );
    }
}
} // namespace

void HBlitter::sm_setChannelLayout( int32_t redBits, int32_t greenBits, int32_t blueBits, int32_t redShift,
                                    int32_t greenShift, int32_t blueShift )
{
    const int32_t kBits[ 3 ] = { redBits, greenBits, blueBits };
    const int32_t kShifts[ 3 ] = { redShift, greenShift, blueShift };
    for( int i = 0; i < 3; ++i )
    {
        // Held to what a 16-bit word can carry, so no shift is ever undefined.
        uint32_t bits = static_cast<uint32_t>( std::clamp( kBits[ i ], 0, 16 ) );
        sm_channels[ i ].shift = static_cast<uint32_t>( std::clamp( kShifts[ i ], 0, 15 ) );
        sm_channels[ i ].mask = ( 1u << bits ) - 1;
    }
}

void HBlitter::sm_setBlendState( int32_t srcAlphaSource, int32_t srcParamSource, int32_t srcInvert, uint8_t constA,
                                 int32_t dstAlphaSource, int32_t dstParamSource, int32_t dstInvert, uint8_t constB,
                                 int32_t blendOp )
{
    sm_state = { srcAlphaSource, srcParamSource, srcInvert, constA, dstAlphaSource,
                 dstParamSource, dstInvert,      constB,    blendOp };
    m_deriveFastPath();
}

void HBlitter::sm_setBlendState( const HBlendParams& params )
{
    sm_state = params;
    m_deriveFastPath();
}

void HBlitter::m_deriveFastPath()
{
    const HBlendParams& s = sm_state;
    bool alphaBlend = s.srcAlphaSource == BA_MASK && s.srcParamSource == BP_ONE && s.srcInvert == 0 &&
                      s.dstAlphaSource == BA_INV_MASK && s.dstParamSource == s.srcParamSource && s.dstInvert == 0 &&
                      s.blendOp == BO_ADD;
    if( !alphaBlend )
        sm_fastPath = 0;
    else
        sm_fastPath = sm_options[ BOPT_BINARY_ALPHA ] != 0 ? 2 : 1;
}

int32_t HBlitter::m_constantAlpha()
{
    const HBlendParams& s = sm_state;
    bool constantA = s.srcAlphaSource == BA_CONST_A && s.dstAlphaSource == BA_INV_CONST_A;
    bool constantB = s.srcAlphaSource == BA_CONST_B && s.dstAlphaSource == BA_INV_CONST_B;
    if( sm_fastPath != 0 || !( constantA || constantB ) || s.srcParamSource != BP_ONE ||
        s.dstParamSource != BP_ONE || s.srcInvert != 0 || s.dstInvert != 0 || s.blendOp != BO_ADD )
        return 0;
    int32_t alpha = constantA ? s.constA : s.constB;
    // At 0 and 255 the formula clears the word's unused top bit, which the rows' copies keep.
    return alpha > 0 && alpha < 255 ? alpha : 0;
}

bool HBlitter::m_isStandardLayout()
{
    return sm_channels[ 0 ].shift == 10 && sm_channels[ 0 ].mask == 31 && sm_channels[ 1 ].shift == 5 &&
           sm_channels[ 1 ].mask == 31 && sm_channels[ 2 ].shift == 0 && sm_channels[ 2 ].mask == 31;
}

int32_t HBlitter::sm_getBlendAlpha( int32_t source, uint8_t maskByte )
{
    switch( source )
    {
    case BA_ZERO:
        return 0;
    case BA_ONE:
        return 255;
    case BA_MASK:
        return maskByte;
    case BA_INV_MASK:
        return 255 - maskByte;
    case BA_CONST_A:
        return sm_state.constA;
    case BA_INV_CONST_A:
        return 255 - sm_state.constA;
    case BA_CONST_B:
        return sm_state.constB;
    case BA_INV_CONST_B:
        return 255 - sm_state.constB;
    default:
        debugTrace( "sm_getBlendAlpha: invalid alpha source 0x%x", static_cast<unsigned>( source ) );
        return 255;
    }
}

int32_t HBlitter::sm_getBlendParam( int32_t source )
{
    switch( source )
    {
    case BP_ZERO:
        return 0;
    case BP_ONE:
        return 255;
    case BP_CONST_A:
        return sm_state.constA;
    case BP_INV_CONST_A:
        return 255 - sm_state.constA;
    case BP_CONST_B:
        return sm_state.constB;
    case BP_INV_CONST_B:
        return 255 - sm_state.constB;
    default:
        debugTrace( "sm_getBlendParam: invalid source value 0x'%x'", static_cast<unsigned>( source ) );
        return 255;
    }
}

uint16_t HBlitter::sm_blendPixels16( uint16_t src, uint16_t dst, uint8_t maskByte )
{
    if( sm_fastPath == 1 )
    {
        if( maskByte == 255 )
            return src;
        if( maskByte == 0 )
            return dst;
    }
    else if( sm_fastPath == 2 )
        return ( maskByte & 0x80 ) ? src : dst;

    const HBlendParams& s = sm_state;
    uint32_t f =
        static_cast<uint32_t>( sm_getBlendAlpha( s.srcAlphaSource, maskByte ) * sm_getBlendParam( s.srcParamSource ) );
    if( s.srcInvert == 1 )
        f = kFullFactor - f;
    uint32_t g =
        static_cast<uint32_t>( sm_getBlendAlpha( s.dstAlphaSource, maskByte ) * sm_getBlendParam( s.dstParamSource ) );
    if( s.dstInvert == 1 )
        g = kFullFactor - g;

    bool knownOp = s.blendOp >= BO_ADD && s.blendOp <= BO_REVERSE_SUBTRACT;
    if( !knownOp )
        debugTrace( "sm_blendPixels16: invalid blend op" );
    uint32_t result = 0;
    for( const Channel& channel : sm_channels )
    {
        int64_t sv = static_cast<int64_t>( ( static_cast<uint64_t>( ( src >> channel.shift ) & channel.mask ) * f ) /
                                           kFullFactor );
        int64_t dv = static_cast<int64_t>( ( static_cast<uint64_t>( ( dst >> channel.shift ) & channel.mask ) * g ) /
                                           kFullFactor );
        int64_t value;
        switch( s.blendOp )
        {
        case BO_ADD:
            value = sv + dv;
            break;
        case BO_MULTIPLY:
            value = sv * dv / 255;
            break;
        case BO_SUBTRACT:
            value = sv - dv;
            break;
        case BO_REVERSE_SUBTRACT:
            value = dv - sv;
            break;
        default:
            value = src;
            break;
        }
        value = std::clamp<int64_t>( value, 0, channel.mask );
        result |= static_cast<uint32_t>( value ) << channel.shift;
    }
    return static_cast<uint16_t>( result );
}

bool HBlitter::sm_setBlendOption( int32_t index, uint8_t value )
{
    if( index < 0 || index >= kOptionCount )
    {
        debugTrace( "setBlendOption: invalid option index %d", static_cast<int>( index ) );
        return false;
    }
    if( sm_options[ index ] == value )
        return false;
    sm_options[ index ] = value;
    m_deriveFastPath();
    return true;
}

uint8_t HBlitter::sm_getBlendOption( int32_t index )
{
    if( index < 0 || index >= kOptionCount )
        return 0;
    return sm_options[ index ];
}

void HBlitter::copy( const HPixelTarget& target, int32_t destX, int32_t destY, const HRect& src,
                     const HSurface& surface )
{
    Span span;
    if( !trim( target, destX, destY, src, surface, span ) )
        return;
    int32_t surfaceWidth = surface.getWidth();
    const uint16_t* kpSrc = surface.getPixels() + static_cast<size_t>( span.srcY ) * surfaceWidth + span.srcX;
    const uint8_t* kpMask = surface.getMask();
    uint16_t* pDest = target.pPixels + static_cast<size_t>( span.destY ) * target.pitch + span.destX;
    if( kpMask == nullptr )
    {
        for( int32_t y = 0; y < span.height; ++y )
            std::memcpy( pDest + static_cast<size_t>( y ) * target.pitch,
                         kpSrc + static_cast<size_t>( y ) * surfaceWidth,
                         static_cast<size_t>( span.width ) * sizeof( uint16_t ) );
        return;
    }
    kpMask += static_cast<size_t>( span.srcY ) * surfaceWidth + span.srcX;
    HBlitRows::Row copyMaskedRow = HBlitRows::active().copyMasked;
    for( int32_t y = 0; y < span.height; ++y )
    {
        size_t srcOffset = static_cast<size_t>( y ) * surfaceWidth;
        copyMaskedRow( pDest + static_cast<size_t>( y ) * target.pitch, kpSrc + srcOffset, kpMask + srcOffset,
                       span.width );
    }
}

void HBlitter::blend( const HPixelTarget& target, int32_t destX, int32_t destY, const HRect& src,
                      const HSurface& surface )
{
    if( surface.getMask() == nullptr )
    {
        copy( target, destX, destY, src, surface );
        return;
    }
    Span span;
    if( !trim( target, destX, destY, src, surface, span ) )
        return;
    int32_t surfaceWidth = surface.getWidth();
    size_t srcStart = static_cast<size_t>( span.srcY ) * surfaceWidth + span.srcX;
    const uint16_t* kpSrc = surface.getPixels() + srcStart;
    const uint8_t* kpMask = surface.getMask() + srcStart;
    uint16_t* pDest = target.pPixels + static_cast<size_t>( span.destY ) * target.pitch + span.destX;
    const HBlitRows::Set& rows = HBlitRows::active();
    HBlitRows::Row row = generalRow;
    if( sm_fastPath == 2 )
        row = rows.binaryAlpha;
    else if( sm_fastPath == 1 && m_isStandardLayout() )
        row = rows.alphaBlend;
    int32_t constant = m_constantAlpha();
    if( constant > 0 && m_isStandardLayout() )
    {
        // The same per-channel formula as the alpha blend, with the constant in place of every
        // mask byte that is not 0: the vector rows do it through a mask made of the constant.
        std::vector<uint8_t> mask( static_cast<size_t>( span.width ) );
        for( int32_t y = 0; y < span.height; ++y )
        {
            size_t srcOffset = static_cast<size_t>( y ) * surfaceWidth;
            for( int32_t x = 0; x < span.width; ++x )
                mask[ x ] = kpMask[ srcOffset + x ] != 0 ? static_cast<uint8_t>( constant ) : 0;
            rows.alphaBlend( pDest + static_cast<size_t>( y ) * target.pitch, kpSrc + srcOffset, mask.data(),
                             span.width );
        }
        return;
    }
    for( int32_t y = 0; y < span.height; ++y )
    {
        size_t srcOffset = static_cast<size_t>( y ) * surfaceWidth;
        row( pDest + static_cast<size_t>( y ) * target.pitch, kpSrc + srcOffset, kpMask + srcOffset, span.width );
    }
}

bool HBlitter::clipToScreen( HRect& dest, HRect& src, int32_t screenWidth, int32_t screenHeight )
{
    if( dest.left > screenWidth || dest.right < 0 || dest.top > screenHeight || dest.bottom < 0 )
        return false;
    if( dest.left < 0 )
    {
        src.left = clampToInt32( static_cast<int64_t>( src.left ) - dest.left );
        dest.left = 0;
    }
    if( dest.top < 0 )
    {
        src.top = clampToInt32( static_cast<int64_t>( src.top ) - dest.top );
        dest.top = 0;
    }
    if( dest.right > screenWidth )
    {
        src.right = clampToInt32( static_cast<int64_t>( src.right ) + screenWidth - dest.right );
        dest.right = screenWidth;
    }
    if( dest.bottom > screenHeight )
    {
        src.bottom = clampToInt32( static_cast<int64_t>( src.bottom ) + screenHeight - dest.bottom );
        dest.bottom = screenHeight;
    }
    return src.right > src.left && src.bottom > src.top;
}
