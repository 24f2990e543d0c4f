#include "Framework/graphics/HImage.h"

#include <cstring>
#include <new>

#include "Framework/util/src/HLog.h"

HImage::HImage( int32_t width, int32_t height, HImageFormat format )
    : m_pData( nullptr )
    , m_width( 0 )
    , m_height( 0 )
    , m_format( format )
{
    int32_t bytesPerPixel = bytesPerPixelOf( format );
    if( width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide )
        return;
    m_width = width;
    m_height = height;
    if( bytesPerPixel == 0 )
        return;
    size_t size = static_cast<size_t>( width ) * static_cast<size_t>( height ) * static_cast<size_t>( bytesPerPixel );
    m_pData = new( std::nothrow ) uint8_t[ size ];
    if( m_pData == nullptr )
    {
        m_width = 0;
        m_height = 0;
    }
}

HImage::~HImage()
{
    delete[] m_pData;
}

const char* HImage::getClassName() const
{
    return "HImage";
}

bool HImage::isA( const char* kpClassName ) const
{
    return sameClassName( kpClassName, "HImage" );
}

int32_t HImage::bytesPerPixelOf( int32_t format )
{
    switch( format )
    {
    case IF_8BIT:
        return 1;
    case IF_ARGB32:
        return 4;
    case IF_BGR555:
        return 2;
    default:
        return 0;
    }
}

int32_t HImage::getBytesPerPixel() const
{
    int32_t bytesPerPixel = bytesPerPixelOf( m_format );
    if( bytesPerPixel == 0 )
        alert( "getBytesPerPixel - unsupported format '%d'", static_cast<int>( m_format ) );
    return bytesPerPixel;
}

int32_t HImage::getRowBytes() const
{
    return m_width * getBytesPerPixel();
}

void HImage::getPixelRGBA( int32_t x, int32_t y, uint8_t out[ 4 ] ) const
{
    const uint8_t* kpPixel = m_pData + ( static_cast<size_t>( y ) * m_width + x ) * 4;
    out[ 0 ] = kpPixel[ 2 ];
    out[ 1 ] = kpPixel[ 1 ];
    out[ 2 ] = kpPixel[ 0 ];
    out[ 3 ] = kpPixel[ 3 ];
}

uint16_t HImage::getPixel16( int32_t x, int32_t y ) const
{
    uint16_t value;
    std::memcpy( &value, m_pData + ( static_cast<size_t>( y ) * m_width + x ) * 2, sizeof( value ) );
    return value;
}

void HImage::setPixel32( int32_t x, int32_t y, uint32_t value )
{
    std::memcpy( m_pData + ( static_cast<size_t>( y ) * m_width + x ) * 4, &value, sizeof( value ) );
}

uint32_t HImage::packARGB( uint32_t r, uint32_t g, uint32_t b, uint32_t a )
{
    return ( ( r << 16 ) & 0xFFFFFF ) | ( ( ( g << 8 ) | ( b & 0xFF ) ) & 0xFFFF ) | ( a << 24 );
}

void HImage::flipVertical()
{
    if( m_pData == nullptr )
        return;
    size_t rowBytes = static_cast<size_t>( m_width ) * bytesPerPixelOf( m_format );
    for( int32_t y = 0; y < m_height / 2; ++y )
    {
        uint8_t* pTop = m_pData + static_cast<size_t>( y ) * rowBytes;
        uint8_t* pBottom = m_pData + static_cast<size_t>( m_height - 1 - y ) * rowBytes;
        for( size_t i = 0; i < rowBytes; ++i )
        {
            uint8_t swap = pTop[ i ];
            pTop[ i ] = pBottom[ i ];
            pBottom[ i ] = swap;
        }
    }
}

void HImage::freePixels()
{
    delete[] m_pData;
    m_pData = nullptr;
    m_width = 0;
    m_height = 0;
    m_format = static_cast<HImageFormat>( 0 );
}
