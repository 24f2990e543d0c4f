#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HPNGWRITER_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HPNGWRITER_H

#include <cstdint>

// Writes 15-bit pictures as 8-bit RGB PNG files, each 5-bit channel widened by repeating its
// top bits so white stays 255. Used for screenshots and for looking at frames in tests.
class HPNGWriter
{
public:
    // pitch counts pixels. The file is written beside its final name and renamed into place,
    // so a failed write never leaves half a picture. False (with a debug-trace line) on failure.
    static bool write555( const char* kpPath, const uint16_t* kpPixels, int32_t width, int32_t height, int32_t pitch );

    static uint8_t widen5( uint32_t value ) { return static_cast<uint8_t>( ( value << 3 ) | ( value >> 2 ) ); }
};

#endif
