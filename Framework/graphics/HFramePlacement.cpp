#include "Framework/graphics/HFramePlacement.h"

#include <algorithm>

namespace
{
// Rounds towards minus infinity, so points left of or above the picture stay outside the frame.
int64_t floorDiv( int64_t a, int64_t b )
{
    int64_t q = a / b;
    if( ( a % b != 0 ) && ( ( a < 0 ) != ( b < 0 ) ) )
        --q;
    return q;
}

int32_t clamped( int64_t value )
{
    return static_cast<int32_t>( std::clamp<int64_t>( value, INT32_MIN, INT32_MAX ) );
}
} // namespace

HFramePlacement::HFramePlacement( int32_t frameWidth, int32_t frameHeight, int32_t outputWidth, int32_t outputHeight )
    : m_frameWidth( frameWidth )
    , m_frameHeight( frameHeight )
    , m_rect{ 0, 0, frameWidth, frameHeight }
    , m_scale( 1 )
{
    if( frameWidth <= 0 || frameHeight <= 0 || outputWidth <= 0 || outputHeight <= 0 )
        return;
    m_scale = std::min( outputWidth / frameWidth, outputHeight / frameHeight );
    int64_t width;
    int64_t height;
    if( m_scale >= 1 )
    {
        width = static_cast<int64_t>( frameWidth ) * m_scale;
        height = static_cast<int64_t>( frameHeight ) * m_scale;
    }
    else
    {
        // No whole step fits: shrink with the frame's proportions rather than cut any of it off.
        width = std::min<int64_t>( outputWidth, static_cast<int64_t>( outputHeight ) * frameWidth / frameHeight );
        height = std::max<int64_t>( 1, width * frameHeight / frameWidth );
        width = std::max<int64_t>( 1, width );
    }
    int32_t left = static_cast<int32_t>( ( outputWidth - width ) / 2 );
    int32_t top = static_cast<int32_t>( ( outputHeight - height ) / 2 );
    m_rect = { left, top, left + static_cast<int32_t>( width ), top + static_cast<int32_t>( height ) };
}

HPoint HFramePlacement::toFrame( int32_t outputX, int32_t outputY ) const
{
    if( m_frameWidth <= 0 || m_frameHeight <= 0 )
        return { outputX, outputY };
    // Measured from the output pixel's centre: the same answer at whole steps, and a shrunk frame
    // still reaches its last column and row.
    int64_t x = floorDiv( ( 2 * ( static_cast<int64_t>( outputX ) - m_rect.left ) + 1 ) * m_frameWidth,
                          2 * static_cast<int64_t>( m_rect.width() ) );
    int64_t y = floorDiv( ( 2 * ( static_cast<int64_t>( outputY ) - m_rect.top ) + 1 ) * m_frameHeight,
                          2 * static_cast<int64_t>( m_rect.height() ) );
    return { clamped( x ), clamped( y ) };
}

HRect HFramePlacement::toOutput( const HRect& frameRect ) const
{
    if( m_frameWidth <= 0 || m_frameHeight <= 0 )
        return frameRect;
    auto across = [ this ]( int32_t x )
    { return clamped( m_rect.left + floorDiv( static_cast<int64_t>( x ) * m_rect.width(), m_frameWidth ) ); };
    auto down = [ this ]( int32_t y )
    { return clamped( m_rect.top + floorDiv( static_cast<int64_t>( y ) * m_rect.height(), m_frameHeight ) ); };
    return { across( frameRect.left ), down( frameRect.top ), across( frameRect.right ), down( frameRect.bottom ) };
}

int32_t HFramePlacement::scaleToFit( int32_t frameWidth, int32_t frameHeight, int32_t roomWidth, int32_t roomHeight )
{
    if( frameWidth <= 0 || frameHeight <= 0 )
        return 1;
    return std::max( 1, std::min( roomWidth / frameWidth, roomHeight / frameHeight ) );
}
