#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HIMAGE_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HIMAGE_H

#include <cstdint>

#include "Framework/object/HObject.h"

enum HImageFormat : int32_t
{
    IF_8BIT = 1,
    // Bytes blue, green, red, alpha: the little-endian word 0xAARRGGBB.
    IF_ARGB32 = 2,
    // Blue in bits 15-11, green 10-6, red 5-1, bit 0 clear.
    IF_BGR555 = 3
};

// A picture as a loader produced it; it lives only until a surface is made from it.
class HImage : public HObject
{
public:
    // Pixels start uninitialised. An unsupported format, a size below one pixel or one whose
    // buffer cannot be had leaves the image without pixels (see hasPixels).
    HImage( int32_t width, int32_t height, HImageFormat format );
    ~HImage() override;

    const char* getClassName() const override;
    bool isA( const char* kpClassName ) const override;

    int32_t getBytesPerPixel() const;
    int32_t getRowBytes() const;
    // Red, green, blue, alpha of an IF_ARGB32 pixel.
    void getPixelRGBA( int32_t x, int32_t y, uint8_t out[ 4 ] ) const;
    uint16_t getPixel16( int32_t x, int32_t y ) const;
    void setPixel32( int32_t x, int32_t y, uint32_t value );
    static uint32_t packARGB( uint32_t r, uint32_t g, uint32_t b, uint32_t a );
    void flipVertical();
    void freePixels();

    bool hasPixels() const { return m_pData != nullptr; }
    uint8_t* getData() { return m_pData; }
    const uint8_t* getData() const { return m_pData; }
    int32_t getWidth() const { return m_width; }
    int32_t getHeight() const { return m_height; }
    HImageFormat getFormat() const { return m_format; }

    static int32_t bytesPerPixelOf( int32_t format );
    // Anything bigger is refused by every loader: no picture of the game comes near it, and it
    // keeps a lying header from asking for gigabytes.
    static constexpr int32_t kMaxSide = 16384;

private:
    uint8_t* m_pData;
    int32_t m_width;
    int32_t m_height;
    HImageFormat m_format;
};

#endif
