// Feeds arbitrary bytes to the three picture decoders, and whatever decodes through the surface
// conversion and the blitter, as the game would after loading a sprite.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "Framework/graphics/HBlitter.h"
#include "Framework/graphics/HImage.h"
#include "Framework/graphics/HJPEGLoader.h"
#include "Framework/graphics/HPNGLoader.h"
#include "Framework/graphics/HSurface.h"
#include "Framework/graphics/HTGALoader.h"

namespace
{
void drawImage( const HImage* kpImage )
{
    if( kpImage == nullptr )
        return;
    std::unique_ptr<HSurface> surface( HSurface::fromImage( kpImage ) );
    if( surface == nullptr )
        return;
    static uint16_t s_frame[ 64 * 48 ];
    HPixelTarget target = { s_frame, 64, 48, 64 };
    HRect whole = { 0, 0, surface->getWidth(), surface->getHeight() };
    HBlitter::copy( target, -3, -5, whole, *surface );
    HBlitter::sm_setBlendState( HBlendParams::alphaBlend() );
    HBlitter::blend( target, 60, 40, whole, *surface );
}
}

extern "C" int LLVMFuzzerTestOneInput( const uint8_t* kpData, size_t size )
{
    if( size == 0 || size > ( 1u << 22 ) )
        return 0;
    // The first byte picks the decoder, so each sees inputs shaped for it.
    const uint8_t* kpBytes = kpData + 1;
    uint32_t length = static_cast<uint32_t>( size - 1 );
    switch( kpData[ 0 ] % 3 )
    {
    case 0:
    {
        HTGALoader loader;
        if( loader.decode( kpBytes, length, "fuzz.tga" ) )
            drawImage( loader.getImage() );
        break;
    }
    case 1:
    {
        HPNGLoader loader;
        if( loader.decode( kpBytes, length, "fuzz.png" ) )
            drawImage( loader.getImage() );
        break;
    }
    default:
    {
        HJPEGLoader loader;
        if( loader.decode( kpBytes, length, "fuzz.jpg" ) )
            drawImage( loader.getImage() );
        break;
    }
    }
    return 0;
}
