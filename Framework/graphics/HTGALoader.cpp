#include "Framework/graphics/HTGALoader.h"

#include <memory>

#include "Framework/graphics/HImage.h"
#include "Framework/util/src/HLog.h"

namespace
{
const uint32_t kHeaderSize = 18;

inline uint32_t read16( const uint8_t* kp )
{
    return static_cast<uint32_t>( kp[ 0 ] ) | static_cast<uint32_t>( kp[ 1 ] ) << 8;
}
} // namespace

bool HTGALoader::decode( const uint8_t* kpData, uint32_t size, const char* kpFileName )
{
    freeImage();
    if( kpFileName == nullptr )
        kpFileName = "(null)";
    if( kpData == nullptr || size < kHeaderSize )
    {
        debugTrace( "HTGALoader::load - '%s' is too short for a header", kpFileName );
        return false;
    }
    uint32_t idLength = kpData[ 0 ];
    uint32_t colourMapType = kpData[ 1 ];
    uint32_t imageType = kpData[ 2 ];
    int32_t width = static_cast<int16_t>( read16( kpData + 12 ) );
    int32_t height = static_cast<int16_t>( read16( kpData + 14 ) );
    uint32_t depth = kpData[ 16 ];
    if( colourMapType != 0 )
        debugTrace( "HTGALoader::load - colormap found in '%s'", kpFileName );

    HImageFormat format = IF_8BIT;
    uint32_t inputBytes = 1;
    if( imageType == 2 )
    {
        // 15 is the same word with the attribute bit unused.
        if( depth == 16 || depth == 15 )
        {
            format = IF_BGR555;
            inputBytes = 2;
        }
        else if( depth == 24 || depth == 32 )
        {
            format = IF_ARGB32;
            inputBytes = depth / 8;
        }
        else
        {
            debugTrace( "HTGALoader::load - unsupported pixel depth %u in '%s'", depth, kpFileName );
            return false;
        }
    }
    if( width <= 0 || height <= 0 || width > HImage::kMaxSide || height > HImage::kMaxSide )
    {
        debugTrace( "HTGALoader::load - refused size %dx%d of '%s'", width, height, kpFileName );
        return false;
    }

    uint64_t offset = kHeaderSize + idLength;
    if( colourMapType == 1 )
    {
        uint64_t entries = read16( kpData + 5 );
        uint64_t entryBytes = ( kpData[ 7 ] + 7u ) / 8u;
        offset += entries * entryBytes;
    }
    uint64_t needed = static_cast<uint64_t>( width ) * static_cast<uint64_t>( height ) * inputBytes;
    if( offset > size || size - offset < needed )
    {
        debugTrace( "HTGALoader::load - pixel data of '%s' is shorter than %dx%d", kpFileName, width, height );
        return false;
    }

    HImage* pImage = new HImage( width, height, format );
    if( !pImage->hasPixels() )
    {
        delete pImage;
        return false;
    }
    const uint8_t* kpIn = kpData + offset;
    uint8_t* pOut = pImage->getData();
    size_t count = static_cast<size_t>( width ) * static_cast<size_t>( height );
    for( size_t i = 0; i < count; ++i )
    {
        if( inputBytes == 2 )
        {
            uint32_t p = read16( kpIn );
            uint32_t word = ( ( ( p & 0x3E0 ) | ( p << 10 ) ) * 2 | ( ( p >> 9 ) & 0x3E ) ) & 0xFFFF;
            pOut[ 0 ] = static_cast<uint8_t>( word );
            pOut[ 1 ] = static_cast<uint8_t>( word >> 8 );
            pOut += 2;
        }
        else if( inputBytes >= 3 )
        {
            pOut[ 0 ] = kpIn[ 0 ];
            pOut[ 1 ] = kpIn[ 1 ];
            pOut[ 2 ] = kpIn[ 2 ];
            pOut[ 3 ] = inputBytes == 4 ? kpIn[ 3 ] : 255;
            pOut += 4;
        }
        else
            *pOut++ = kpIn[ 0 ];
        kpIn += inputBytes;
    }
    pImage->flipVertical();
    m_pImage = pImage;
    debugTrace( "...loaded '%s' %dx%dx%d\n", kpFileName, width, height, pImage->getBytesPerPixel() );
    return true;
}
