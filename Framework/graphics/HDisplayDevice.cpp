#include "Framework/graphics/HDisplayDevice.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "Framework/graphics/HBitmapFont.h"
#include "Framework/graphics/HImage.h"
#include "Framework/graphics/HPNGWriter.h"
#include "Framework/graphics/HSurface.h"
#include "Framework/graphics/VXSprite.h"
#include "Framework/util/src/HLog.h"

HDisplayDevice::HDisplayDevice( HCvarManager* pCvars )
    : m_pCvars( pCvars )
    , m_dirty()
    , m_screenWidth( 0 )
    , m_screenHeight( 0 )
    , m_pBackBuffer( nullptr )
{
}

HDisplayDevice::~HDisplayDevice()
{
    m_freeBackBuffer();
}

void HDisplayDevice::m_freeBackBuffer()
{
    delete[] m_pBackBuffer;
    m_pBackBuffer = nullptr;
    m_screenWidth = 0;
    m_screenHeight = 0;
}

bool HDisplayDevice::initScreen( int32_t width, int32_t height, const char*, bool, bool )
{
    m_freeBackBuffer();
    if( width <= 0 || height <= 0 || width > HImage::kMaxSide || height > HImage::kMaxSide )
        return false;
    m_pBackBuffer = new( std::nothrow ) uint16_t[ static_cast<size_t>( width ) * height ]();
    if( m_pBackBuffer == nullptr )
        return false;
    HBlitter::sm_setChannelLayout( 5, 5, 5, 10, 5, 0 );
    m_screenWidth = width;
    m_screenHeight = height;
    m_dirty.clear();
    return true;
}

HPixelTarget HDisplayDevice::getBackBuffer() const
{
    return { m_pBackBuffer, m_screenWidth, m_screenHeight, m_screenWidth };
}

void HDisplayDevice::clear( const HColor& colour )
{
    if( m_pBackBuffer == nullptr )
        return;
    std::fill_n( m_pBackBuffer, static_cast<size_t>( m_screenWidth ) * m_screenHeight,
                 HSurface::wordFromColor( colour ) );
}

void HDisplayDevice::setFlag( bool ) {}

HSurface* HDisplayDevice::duplicateSurface( const HSurface* kpSurface )
{
    if( kpSurface == nullptr )
        return nullptr;
    return kpSurface->duplicate();
}

HSurface* HDisplayDevice::createSurface( const HImage* kpImage )
{
    return HSurface::fromImage( kpImage );
}

void HDisplayDevice::destroySurface( HSurface* pSurface )
{
    delete pSurface;
}

bool HDisplayDevice::blendBlit( const HRect& dest, const HRect& src, const HSurface* kpSurface, int32_t srcAlphaSource,
                                int32_t srcParamSource, int32_t srcInvert, uint8_t constA, int32_t dstAlphaSource,
                                int32_t dstParamSource, int32_t dstInvert, uint8_t constB, int32_t blendOp )
{
    if( kpSurface == nullptr )
        return true;
    if( kpSurface->getMask() == nullptr )
        return blit( dest, src, kpSurface );
    addDirtyRect( dest );
    HBlitter::sm_setBlendState( srcAlphaSource, srcParamSource, srcInvert, constA, dstAlphaSource, dstParamSource,
                                dstInvert, constB, blendOp );
    HBlitter::blend( getBackBuffer(), dest.left, dest.top, src, *kpSurface );
    return true;
}

bool HDisplayDevice::blendBlit( const HRect& dest, const HRect& src, const HSurface* kpSurface,
                                const HBlendParams& params )
{
    return blendBlit( dest, src, kpSurface, params.srcAlphaSource, params.srcParamSource, params.srcInvert,
                      params.constA, params.dstAlphaSource, params.dstParamSource, params.dstInvert, params.constB,
                      params.blendOp );
}

bool HDisplayDevice::blit( const HRect& dest, const HRect& src, const HSurface* kpSurface )
{
    if( kpSurface == nullptr )
        return true;
    addDirtyRect( dest );
    HBlitter::copy( getBackBuffer(), dest.left, dest.top, src, *kpSurface );
    return true;
}

bool HDisplayDevice::blitSurface( const HRect& dest, const HSurface* kpSurface )
{
    if( kpSurface == nullptr )
        return true;
    addDirtyRect( dest );
    HRect whole = { 0, 0, kpSurface->getWidth(), kpSurface->getHeight() };
    HBlitter::copy( getBackBuffer(), dest.left, dest.top, whole, *kpSurface );
    return true;
}

bool HDisplayDevice::clippedBlit( const HRect& dest, const HRect& src, const HSurface* kpSurface )
{
    HRect clippedDest = dest;
    HRect clippedSrc = src;
    if( !HBlitter::clipToScreen( clippedDest, clippedSrc, m_screenWidth, m_screenHeight ) )
        return true;
    return blit( clippedDest, clippedSrc, kpSurface );
}

bool HDisplayDevice::clippedBlendBlit( const HRect& dest, const HRect& src, const HSurface* kpSurface,
                                       int32_t srcAlphaSource, int32_t srcParamSource, int32_t srcInvert,
                                       uint8_t constA, int32_t dstAlphaSource, int32_t dstParamSource,
                                       int32_t dstInvert, uint8_t constB, int32_t blendOp )
{
    HRect clippedDest = dest;
    HRect clippedSrc = src;
    if( !HBlitter::clipToScreen( clippedDest, clippedSrc, m_screenWidth, m_screenHeight ) )
        return true;
    return blendBlit( clippedDest, clippedSrc, kpSurface, srcAlphaSource, srcParamSource, srcInvert, constA,
                      dstAlphaSource, dstParamSource, dstInvert, constB, blendOp );
}

bool HDisplayDevice::clippedBlendBlit( const HRect& dest, const HRect& src, const HSurface* kpSurface,
                                       const HBlendParams& params )
{
    return clippedBlendBlit( dest, src, kpSurface, params.srcAlphaSource, params.srcParamSource, params.srcInvert,
                             params.constA, params.dstAlphaSource, params.dstParamSource, params.dstInvert,
                             params.constB, params.blendOp );
}

bool HDisplayDevice::switchDisplayMode()
{
    return false;
}

void HDisplayDevice::destroyFont( HBitmapFont* pFont )
{
    delete pFont;
}

HBitmapFont* HDisplayDevice::createFont( VXSprite* pSprite, int32_t cellWidth, int32_t cellHeight )
{
    if( pSprite == nullptr || cellWidth <= 0 || cellHeight <= 0 )
        return nullptr;
    return new HBitmapFont{ pSprite, cellWidth, cellHeight };
}

void HDisplayDevice::drawText( const char* kpText, int32_t x, int32_t y, const HRect& clip, int32_t align,
                               const HBitmapFont* kpFont, const HColor* )
{
    if( kpFont == nullptr || kpText == nullptr || kpFont->sprite == nullptr )
        return;
    const int64_t kCellWidth = kpFont->cellWidth;
    const int64_t kCellHeight = kpFont->cellHeight;
    int64_t length = static_cast<int64_t>( std::strlen( kpText ) );
    int64_t left = x;
    if( align == TA_CENTRE )
        left -= length * kCellWidth / 2;
    else if( align == TA_RIGHT )
        left -= length * kCellWidth;
    const HBlendParams kBlend = HBlendParams::alphaBlend();
    for( int64_t i = 0; i < length; ++i )
    {
        int c = static_cast<signed char>( kpText[ i ] );
        if( c < 16 || c > 127 )
            continue;
        int64_t destLeft = left + i * kCellWidth;
        int64_t destRight = destLeft + kCellWidth;
        int64_t destTop = y;
        int64_t destBottom = destTop + kCellHeight;
        if( destLeft > clip.right || destRight < clip.left || destTop > clip.bottom || destBottom < clip.top )
            continue;
        int64_t srcLeft = ( c % 16 ) * kCellWidth;
        int64_t srcTop = ( c / 16 - 1 ) * kCellHeight;
        int64_t srcRight = srcLeft + kCellWidth;
        int64_t srcBottom = srcTop + kCellHeight;
        if( destLeft < clip.left )
        {
            srcLeft += clip.left - destLeft;
            destLeft = clip.left;
        }
        if( destTop < clip.top )
        {
            srcTop += clip.top - destTop;
            destTop = clip.top;
        }
        if( destRight > clip.right )
        {
            srcRight -= destRight - clip.right;
            destRight = clip.right;
        }
        if( destBottom > clip.bottom )
        {
            srcBottom -= destBottom - clip.bottom;
            destBottom = clip.bottom;
        }
        if( srcRight <= srcLeft || srcBottom <= srcTop )
            continue;
        // Off-screen text is cut by the clipped blit; the coordinates here stay near the screen.
        HRect dest = { static_cast<int32_t>( std::clamp<int64_t>( destLeft, INT32_MIN / 2, INT32_MAX / 2 ) ),
                       static_cast<int32_t>( std::clamp<int64_t>( destTop, INT32_MIN / 2, INT32_MAX / 2 ) ),
                       static_cast<int32_t>( std::clamp<int64_t>( destRight, INT32_MIN / 2, INT32_MAX / 2 ) ),
                       static_cast<int32_t>( std::clamp<int64_t>( destBottom, INT32_MIN / 2, INT32_MAX / 2 ) ) };
        HRect src = { static_cast<int32_t>( srcLeft ), static_cast<int32_t>( srcTop ), static_cast<int32_t>( srcRight ),
                      static_cast<int32_t>( srcBottom ) };
        kpFont->sprite->blendDraw( dest, src, kBlend.srcAlphaSource, kBlend.srcParamSource, kBlend.srcInvert,
                                   kBlend.constA, kBlend.dstAlphaSource, kBlend.dstParamSource, kBlend.dstInvert,
                                   kBlend.constB, kBlend.blendOp );
    }
}

void HDisplayDevice::deactivate() {}

void HDisplayDevice::activate() {}

void HDisplayDevice::setBlendOption( int32_t index, uint8_t value )
{
    HBlitter::sm_setBlendOption( index, value );
}

HPoint HDisplayDevice::mapWindowToFrame( int32_t windowX, int32_t windowY ) const
{
    return { windowX, windowY };
}

void HDisplayDevice::presentDirty()
{
    if( m_dirty.count() == 0 )
        return;
    // Blits mark the rectangle they were given, which may reach past the screen.
    HRect trimmed[ HDirtyRectList::kCapacity ];
    int32_t count = 0;
    for( int i = 0; i < m_dirty.count(); ++i )
    {
        const HRect& rect = m_dirty.item( i );
        HRect inside = { std::max( rect.left, 0 ), std::max( rect.top, 0 ), std::min( rect.right, m_screenWidth ),
                         std::min( rect.bottom, m_screenHeight ) };
        if( inside.right > inside.left && inside.bottom > inside.top )
            trimmed[ count++ ] = inside;
    }
    if( count > 0 )
        present( trimmed, count );
    m_dirty.clear();
}

bool HDisplayDevice::saveScreenshot( const char* kpPath ) const
{
    if( m_pBackBuffer == nullptr )
    {
        debugTrace( "saveScreenshot - no back buffer" );
        return false;
    }
    return HPNGWriter::write555( kpPath, m_pBackBuffer, m_screenWidth, m_screenHeight, m_screenWidth );
}
