#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HWINDOWICON_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HWINDOWICON_H

#include <cstdint>

// The program's window icon, drawn in code: a glossy pink jelly drop on a clear background.
class HWindowIcon
{
public:
    // Fills size x size pixels as 0xAARRGGBB words (straight alpha), rows top to bottom.
    static void paint( uint32_t* pArgb, int32_t size );
};

#endif
