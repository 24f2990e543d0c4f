#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HPNGLOADER_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HPNGLOADER_H

#include <cstdint>

#include "Framework/graphics/HImageLoader.h"

// PNG of 8 bits per sample: palette, RGB or RGBA, interlaced or not, into IF_ARGB32.
// Transparency chunks are ignored; other kinds are refused.
class HPNGLoader : public HImageLoader
{
public:
    bool decode( const uint8_t* kpData, uint32_t size, const char* kpFileName ) override;
};

#endif
