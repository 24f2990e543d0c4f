#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HJPEGLOADER_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HJPEGLOADER_H

#include <cstdint>

#include "Framework/graphics/HImageLoader.h"

// JPEG (baseline, progressive or arithmetic-coded; colour or grey) into IF_ARGB32.
// Data that ends early or is corrupt fails the load instead of giving a half-grey picture.
class HJPEGLoader : public HImageLoader
{
public:
    bool decode( const uint8_t* kpData, uint32_t size, const char* kpFileName ) override;
};

#endif
