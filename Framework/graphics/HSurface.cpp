#include "Framework/graphics/HSurface.h"

#include <cstring>
#include <new>

#include "Framework/graphics/HImage.h"

namespace
{
const int kDither[ 4 ] = { 0, 2, 3, 1 };
const uint16_t kMagenta555 = 0x7C1F;

inline uint32_t toFiveBits( uint32_t value, int dither )
{
    uint32_t raised = ( value >> 1 ) + dither;
    if( raised > 127 )
        raised = 127;
    return raised >> 2;
}

// NaN and out-of-range components would make the float-to-int conversion undefined.
inline uint32_t componentByte( float value )
{
    if( !( value > 0.0f ) )
        return 0;
    if( value >= 1.0f )
        return 255;
    return static_cast<uint32_t>( value * 255.0f );
}

void convertARGB32( const HImage& image, uint16_t* pPixels, uint8_t* pMask, bool& maskNeeded )
{
    int32_t width = image.getWidth();
    for( int32_t y = 0; y < image.getHeight(); ++y )
    {
        for( int32_t x = 0; x < width; ++x )
        {
            uint8_t rgba[ 4 ];
            image.getPixelRGBA( x, y, rgba );
            size_t index = static_cast<size_t>( y ) * width + x;
            pMask[ index ] = rgba[ 3 ];
            if( rgba[ 3 ] != 255 )
                maskNeeded = true;
            if( rgba[ 0 ] == 255 && rgba[ 1 ] == 0 && rgba[ 2 ] == 255 )
            {
                maskNeeded = true;
                pMask[ index ] = 0;
            }
            int dither = kDither[ ( y & 1 ) * 2 + ( x & 1 ) ];
            pPixels[ index ] =
                static_cast<uint16_t>( toFiveBits( rgba[ 0 ], dither ) << 10 | toFiveBits( rgba[ 1 ], dither ) << 5 |
                                       toFiveBits( rgba[ 2 ], dither ) );
        }
    }
}

void convertBGR555( const HImage& image, uint16_t* pPixels, uint8_t* pMask, bool& maskNeeded )
{
    size_t count = static_cast<size_t>( image.getWidth() ) * image.getHeight();
    const uint8_t* kpData = image.getData();
    for( size_t i = 0; i < count; ++i )
    {
        uint16_t p;
        std::memcpy( &p, kpData + i * 2, sizeof( p ) );
        uint16_t word = static_cast<uint16_t>( ( ( p & 0x7C0 ) | ( p >> 10 ) ) >> 1 | ( p & 0x3E ) << 9 );
        pPixels[ i ] = word;
        if( word == kMagenta555 )
        {
            maskNeeded = true;
            pMask[ i ] = 0;
        }
    }
}
} // namespace

HSurface::HSurface( int32_t width, int32_t height, bool withMask )
    : m_pMask( nullptr )
    , m_pPixels( nullptr )
    , m_width( 0 )
    , m_height( 0 )
    , m_bitsPerPixel( 16 )
    , m_pitch( 0 )
{
    if( width <= 0 || height <= 0 )
        return;
    size_t count = static_cast<size_t>( width ) * static_cast<size_t>( height );
    m_pPixels = new( std::nothrow ) uint16_t[ count ]();
    if( m_pPixels != nullptr && withMask )
    {
        m_pMask = new( std::nothrow ) uint8_t[ count ];
        if( m_pMask == nullptr )
        {
            delete[] m_pPixels;
            m_pPixels = nullptr;
        }
        else
            std::memset( m_pMask, 255, count );
    }
    if( m_pPixels == nullptr )
        return;
    m_width = width;
    m_height = height;
    m_pitch = width * 2;
}

HSurface::~HSurface()
{
    delete[] m_pMask;
    delete[] m_pPixels;
}

void HSurface::freeMask()
{
    delete[] m_pMask;
    m_pMask = nullptr;
}

HSurface* HSurface::fromImage( const HImage* kpImage )
{
    if( kpImage == nullptr )
        return nullptr;
    HSurface* pSurface = new( std::nothrow ) HSurface( kpImage->getWidth(), kpImage->getHeight(), true );
    if( pSurface == nullptr )
        return nullptr;
    if( pSurface->m_pPixels == nullptr && kpImage->getWidth() > 0 && kpImage->getHeight() > 0 )
    {
        delete pSurface;
        return nullptr;
    }
    bool maskNeeded = false;
    if( kpImage->hasPixels() && pSurface->m_pPixels != nullptr )
    {
        if( kpImage->getFormat() == IF_ARGB32 )
            convertARGB32( *kpImage, pSurface->m_pPixels, pSurface->m_pMask, maskNeeded );
        else if( kpImage->getFormat() == IF_BGR555 )
            convertBGR555( *kpImage, pSurface->m_pPixels, pSurface->m_pMask, maskNeeded );
    }
    if( !maskNeeded )
        pSurface->freeMask();
    return pSurface;
}

HSurface* HSurface::duplicate() const
{
    HSurface* pCopy = new( std::nothrow ) HSurface( m_width, m_height, m_pMask != nullptr );
    if( pCopy == nullptr )
        return nullptr;
    if( pCopy->m_pPixels == nullptr && m_pPixels != nullptr )
    {
        delete pCopy;
        return nullptr;
    }
    size_t count = static_cast<size_t>( m_width ) * m_height;
    if( m_pPixels != nullptr )
        std::memcpy( pCopy->m_pPixels, m_pPixels, count * m_bitsPerPixel / 8 );
    if( m_pMask != nullptr )
        std::memcpy( pCopy->m_pMask, m_pMask, count );
    return pCopy;
}

uint32_t HSurface::packColor32( const HColor& colour )
{
    return componentByte( colour.r ) | componentByte( colour.g ) << 8 | componentByte( colour.b ) << 16 |
           componentByte( colour.a ) << 24;
}

uint16_t HSurface::wordFromColor( const HColor& colour )
{
    uint32_t packed = packColor32( colour );
    uint32_t red = packed & 0xFF;
    uint32_t green = ( packed >> 8 ) & 0xFF;
    uint32_t blue = ( packed >> 16 ) & 0xFF;
    return static_cast<uint16_t>( ( red >> 3 ) << 10 | ( green >> 3 ) << 5 | ( blue >> 3 ) );
}
