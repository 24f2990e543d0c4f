#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HFRAMEPLACEMENT_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HFRAMEPLACEMENT_H

#include <cstdint>

#include "Framework/graphics/HRect.h"

// Where the frame sits in a window's or a screen's pixels: magnified by the largest whole step
// that fits, centred, or shrunk to fit an output smaller than the frame; and the exact way back,
// so a click lands on the frame pixel drawn under it at any step.
class HFramePlacement
{
public:
    HFramePlacement( int32_t frameWidth, int32_t frameHeight, int32_t outputWidth, int32_t outputHeight );

    // The frame's place in the output, in output pixels.
    const HRect& getRect() const { return m_rect; }
    // The whole step of the magnification; 0 when the frame had to shrink.
    int32_t getScale() const { return m_scale; }
    // The frame pixel an output pixel shows; outside the picture the result lies outside the frame.
    HPoint toFrame( int32_t outputX, int32_t outputY ) const;
    // A rectangle of the frame in output pixels; neighbouring rectangles stay neighbours.
    HRect toOutput( const HRect& frameRect ) const;

    // The largest whole step at which the frame fits a room of the given size; at least 1.
    static int32_t scaleToFit( int32_t frameWidth, int32_t frameHeight, int32_t roomWidth, int32_t roomHeight );

private:
    int32_t m_frameWidth;
    int32_t m_frameHeight;
    HRect m_rect;
    int32_t m_scale;
};

#endif
