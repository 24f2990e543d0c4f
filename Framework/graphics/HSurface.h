#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HSURFACE_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HSURFACE_H

#include <cstdint>

#include "Framework/graphics/HColor.h"

class HImage;

// A picture in the display's own format: 15-bit words (red 14-10, green 9-5, blue 4-0) and an
// optional coverage mask, one byte per pixel, 255 opaque. A null mask means every pixel is opaque,
// which lets the blitter copy whole rows.
class HSurface
{
public:
    // Pixels start black, and the mask (when asked for) opaque. A size below one pixel, or one
    // whose buffers cannot be had, makes an empty surface (0 × 0, no buffers).
    HSurface( int32_t width, int32_t height, bool withMask );
    virtual int32_t getWidth() const { return m_width; }
    virtual int32_t getHeight() const { return m_height; }
    virtual ~HSurface();
    virtual const uint8_t* getMask() const { return m_pMask; }

    HSurface( const HSurface& ) = delete;
    HSurface& operator=( const HSurface& ) = delete;

    uint8_t* getMask() { return m_pMask; }
    uint16_t* getPixels() { return m_pPixels; }
    const uint16_t* getPixels() const { return m_pPixels; }
    int32_t getBitsPerPixel() const { return m_bitsPerPixel; }
    int32_t getPitch() const { return m_pitch; }
    void freeMask();

    // The conversion every surface of the game goes through: IF_ARGB32 with the 2 × 2 ordered
    // dither and magenta as a colour key, IF_BGR555 moved into place with the same key, anything
    // else black. Null for a null image or when the buffers cannot be had.
    static HSurface* fromImage( const HImage* kpImage );
    HSurface* duplicate() const;

    // The display's clear colour: components held to 0..1, scaled to bytes by truncation.
    static uint32_t packColor32( const HColor& colour );
    static uint16_t wordFromColor( const HColor& colour );

private:
    uint8_t* m_pMask;
    uint16_t* m_pPixels;
    int32_t m_width;
    int32_t m_height;
    int32_t m_bitsPerPixel;
    int32_t m_pitch;
};

#endif
