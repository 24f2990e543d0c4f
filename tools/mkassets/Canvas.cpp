#include "tools/mkassets/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

Canvas::Canvas( int width, int height )
    : m_width( std::max( width, 1 ) )
    , m_height( std::max( height, 1 ) )
    , m_surface( cairo_image_surface_create( CAIRO_FORMAT_ARGB32, m_width, m_height ) )
    , m_cr( cairo_create( m_surface ) )
{
}

Canvas::~Canvas()
{
    if( m_cr != nullptr )
        cairo_destroy( m_cr );
    if( m_surface != nullptr )
        cairo_surface_destroy( m_surface );
}

Canvas::Canvas( const Canvas& other )
    : Canvas( other.m_width, other.m_height )
{
    cairo_surface_flush( other.m_surface );
    cairo_surface_flush( m_surface );
    for( int y = 0; y < m_height; ++y )
        std::memcpy( pixels() + y * stridePixels(), other.pixels() + y * other.stridePixels(), size_t( m_width ) * 4 );
    markDirty();
}

Canvas::Canvas( Canvas&& other ) noexcept
    : m_width( other.m_width )
    , m_height( other.m_height )
    , m_surface( other.m_surface )
    , m_cr( other.m_cr )
{
    other.m_surface = nullptr;
    other.m_cr = nullptr;
}

Canvas& Canvas::operator=( Canvas&& other ) noexcept
{
    if( this != &other )
    {
        if( m_cr != nullptr )
            cairo_destroy( m_cr );
        if( m_surface != nullptr )
            cairo_surface_destroy( m_surface );
        m_width = other.m_width;
        m_height = other.m_height;
        m_surface = other.m_surface;
        m_cr = other.m_cr;
        other.m_surface = nullptr;
        other.m_cr = nullptr;
    }
    return *this;
}

uint32_t* Canvas::pixels()
{
    cairo_surface_flush( m_surface );
    return reinterpret_cast<uint32_t*>( cairo_image_surface_get_data( m_surface ) );
}

const uint32_t* Canvas::pixels() const
{
    cairo_surface_flush( m_surface );
    return reinterpret_cast<const uint32_t*>( cairo_image_surface_get_data( m_surface ) );
}

int Canvas::stridePixels() const
{
    return cairo_image_surface_get_stride( m_surface ) / 4;
}

void Canvas::markDirty()
{
    cairo_surface_mark_dirty( m_surface );
}

void Canvas::clear()
{
    cairo_save( m_cr );
    cairo_set_operator( m_cr, CAIRO_OPERATOR_CLEAR );
    cairo_paint( m_cr );
    cairo_restore( m_cr );
}

void Canvas::paint( const Canvas& other, double x, double y, double alpha )
{
    cairo_surface_flush( other.m_surface );
    cairo_set_source_surface( m_cr, other.m_surface, x, y );
    cairo_paint_with_alpha( m_cr, alpha );
}

namespace
{
// One box pass along rows (or columns, by stride) of four interleaved channels.
void boxPass( std::vector<float>& data, int count, int lines, int step, int lineStep, int radius )
{
    std::vector<float> line( size_t( count ) * 4 );
    const float scale = 1.0f / float( 2 * radius + 1 );
    for( int l = 0; l < lines; ++l )
    {
        float* base = data.data() + size_t( l ) * size_t( lineStep );
        for( int i = 0; i < count; ++i )
            for( int c = 0; c < 4; ++c )
                line[ size_t( i ) * 4 + size_t( c ) ] = base[ size_t( i ) * size_t( step ) + size_t( c ) ];
        for( int c = 0; c < 4; ++c )
        {
            float sum = 0.0f;
            for( int i = -radius; i <= radius; ++i )
                sum += line[ size_t( std::clamp( i, 0, count - 1 ) ) * 4 + size_t( c ) ];
            for( int i = 0; i < count; ++i )
            {
                base[ size_t( i ) * size_t( step ) + size_t( c ) ] = sum * scale;
                int out = std::clamp( i - radius, 0, count - 1 );
                int in = std::clamp( i + radius + 1, 0, count - 1 );
                sum += line[ size_t( in ) * 4 + size_t( c ) ] - line[ size_t( out ) * 4 + size_t( c ) ];
            }
        }
    }
}
} // namespace

void Canvas::blur( double radius )
{
    if( radius <= 0.0 )
        return;
    // Three box passes with a half-width of about sigma approximate a gaussian of that sigma.
    int box = std::max( 1, int( std::lround( radius ) ) );
    uint32_t* p = pixels();
    int stride = stridePixels();
    std::vector<float> data( size_t( m_width ) * size_t( m_height ) * 4 );
    for( int y = 0; y < m_height; ++y )
        for( int x = 0; x < m_width; ++x )
        {
            uint32_t v = p[ y * stride + x ];
            float* d = &data[ ( size_t( y ) * size_t( m_width ) + size_t( x ) ) * 4 ];
            d[ 0 ] = float( ( v >> 24 ) & 255 );
            d[ 1 ] = float( ( v >> 16 ) & 255 );
            d[ 2 ] = float( ( v >> 8 ) & 255 );
            d[ 3 ] = float( v & 255 );
        }
    for( int pass = 0; pass < 3; ++pass )
    {
        boxPass( data, m_width, m_height, 4, m_width * 4, box );
        boxPass( data, m_height, m_width, m_width * 4, 4, box );
    }
    for( int y = 0; y < m_height; ++y )
        for( int x = 0; x < m_width; ++x )
        {
            const float* d = &data[ ( size_t( y ) * size_t( m_width ) + size_t( x ) ) * 4 ];
            uint32_t a = uint32_t( std::clamp( std::lround( d[ 0 ] ), 0L, 255L ) );
            uint32_t r = uint32_t( std::clamp( std::lround( d[ 1 ] ), 0L, long( a ) ) );
            uint32_t g = uint32_t( std::clamp( std::lround( d[ 2 ] ), 0L, long( a ) ) );
            uint32_t b = uint32_t( std::clamp( std::lround( d[ 3 ] ), 0L, long( a ) ) );
            p[ y * stride + x ] = ( a << 24 ) | ( r << 16 ) | ( g << 8 ) | b;
        }
    markDirty();
}

Canvas Canvas::downsampled( int factor ) const
{
    factor = std::max( factor, 1 );
    Canvas out( m_width / factor, m_height / factor );
    const uint32_t* src = pixels();
    int srcStride = stridePixels();
    uint32_t* dst = out.pixels();
    int dstStride = out.stridePixels();
    const int area = factor * factor;
    for( int y = 0; y < out.m_height; ++y )
        for( int x = 0; x < out.m_width; ++x )
        {
            uint32_t sum[ 4 ] = { 0, 0, 0, 0 };
            for( int j = 0; j < factor; ++j )
                for( int i = 0; i < factor; ++i )
                {
                    uint32_t v = src[ ( y * factor + j ) * srcStride + x * factor + i ];
                    for( int c = 0; c < 4; ++c )
                        sum[ c ] += ( v >> ( 24 - 8 * c ) ) & 255;
                }
            uint32_t word = 0;
            for( int c = 0; c < 4; ++c )
                word |= ( ( sum[ c ] + uint32_t( area / 2 ) ) / uint32_t( area ) ) << ( 24 - 8 * c );
            dst[ y * dstStride + x ] = word;
        }
    out.markDirty();
    return out;
}

void Canvas::tint( double r, double g, double b )
{
    uint32_t* p = pixels();
    int stride = stridePixels();
    for( int y = 0; y < m_height; ++y )
        for( int x = 0; x < m_width; ++x )
        {
            uint32_t a = p[ y * stride + x ] >> 24;
            auto channel = [ a ]( double v ) { return uint32_t( std::lround( std::clamp( v, 0.0, 1.0 ) * a ) ); };
            p[ y * stride + x ] = ( a << 24 ) | ( channel( r ) << 16 ) | ( channel( g ) << 8 ) | channel( b );
        }
    markDirty();
}

void Canvas::maskBy( const Canvas& mask )
{
    uint32_t* p = pixels();
    const uint32_t* m = mask.pixels();
    int stride = stridePixels();
    int maskStride = mask.stridePixels();
    int w = std::min( m_width, mask.m_width );
    int h = std::min( m_height, mask.m_height );
    for( int y = 0; y < m_height; ++y )
        for( int x = 0; x < m_width; ++x )
        {
            uint32_t a = ( x < w && y < h ) ? ( m[ y * maskStride + x ] >> 24 ) : 0;
            uint32_t v = p[ y * stride + x ];
            uint32_t word = 0;
            for( int c = 0; c < 4; ++c )
                word |= ( ( ( ( v >> ( 8 * c ) ) & 255 ) * a + 127 ) / 255 ) << ( 8 * c );
            p[ y * stride + x ] = word;
        }
    markDirty();
}

Canvas Canvas::inverted() const
{
    Canvas out( m_width, m_height );
    const uint32_t* src = pixels();
    uint32_t* dst = out.pixels();
    int srcStride = stridePixels();
    int dstStride = out.stridePixels();
    for( int y = 0; y < m_height; ++y )
        for( int x = 0; x < m_width; ++x )
        {
            uint32_t a = 255 - ( src[ y * srcStride + x ] >> 24 );
            dst[ y * dstStride + x ] = ( a << 24 ) | ( a << 16 ) | ( a << 8 ) | a;
        }
    out.markDirty();
    return out;
}

std::vector<uint8_t> Canvas::straightBGRA() const
{
    std::vector<uint8_t> out( size_t( m_width ) * size_t( m_height ) * 4 );
    const uint32_t* p = pixels();
    int stride = stridePixels();
    for( int y = 0; y < m_height; ++y )
        for( int x = 0; x < m_width; ++x )
        {
            uint32_t v = p[ y * stride + x ];
            uint32_t a = v >> 24;
            uint8_t* d = &out[ ( size_t( y ) * size_t( m_width ) + size_t( x ) ) * 4 ];
            for( int c = 0; c < 3; ++c )
            {
                uint32_t premultiplied = ( v >> ( 8 * c ) ) & 255;
                d[ c ] = a == 0 ? 0 : uint8_t( std::min<uint32_t>( 255, ( premultiplied * 255 + a / 2 ) / a ) );
            }
            d[ 3 ] = uint8_t( a );
        }
    return out;
}

std::vector<uint8_t> Canvas::rgb() const
{
    std::vector<uint8_t> out( size_t( m_width ) * size_t( m_height ) * 3 );
    const uint32_t* p = pixels();
    int stride = stridePixels();
    for( int y = 0; y < m_height; ++y )
        for( int x = 0; x < m_width; ++x )
        {
            uint32_t v = p[ y * stride + x ];
            uint8_t* d = &out[ ( size_t( y ) * size_t( m_width ) + size_t( x ) ) * 3 ];
            d[ 0 ] = uint8_t( ( v >> 16 ) & 255 );
            d[ 1 ] = uint8_t( ( v >> 8 ) & 255 );
            d[ 2 ] = uint8_t( v & 255 );
        }
    return out;
}

uint32_t Canvas::pixelAt( int x, int y ) const
{
    if( x < 0 || y < 0 || x >= m_width || y >= m_height )
        return 0;
    return pixels()[ y * stridePixels() + x ];
}
