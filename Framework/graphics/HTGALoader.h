#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HTGALOADER_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HTGALOADER_H

#include <cstdint>

#include "Framework/graphics/HImageLoader.h"

// Uncompressed TGA: true colour of 16, 24 or 32 bits, anything else as one raw byte per pixel.
// Rows are taken as stored bottom-up.
class HTGALoader : public HImageLoader
{
public:
    bool decode( const uint8_t* kpData, uint32_t size, const char* kpFileName ) override;
};

#endif
