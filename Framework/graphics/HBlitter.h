#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HBLITTER_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HBLITTER_H

#include <cstdint>

#include "Framework/graphics/HRect.h"

class HSurface;

// Alpha sources of the blender (0..255).
enum HBlendAlpha : int32_t
{
    BA_ZERO = 0,
    BA_ONE = 1,
    BA_MASK = 2,
    BA_INV_MASK = 3,
    BA_CONST_A = 4,
    BA_INV_CONST_A = 5,
    BA_CONST_B = 6,
    BA_INV_CONST_B = 7
};

// Parameter sources of the blender (0..255).
enum HBlendParam : int32_t
{
    BP_ZERO = 0,
    BP_ONE = 1,
    BP_CONST_A = 2,
    BP_INV_CONST_A = 3,
    BP_CONST_B = 4,
    BP_INV_CONST_B = 5
};

enum HBlendOp : int32_t
{
    BO_ADD = 0,
    BO_MULTIPLY = 1,
    BO_SUBTRACT = 2,
    BO_REVERSE_SUBTRACT = 3
};

// Option indices of setBlendOption.
enum HBlendOption : int32_t
{
    BOPT_BINARY_ALPHA = 0
};

// The nine arguments of a blending blit, in their order.
struct HBlendParams
{
    int32_t srcAlphaSource;
    int32_t srcParamSource;
    int32_t srcInvert;
    uint8_t constA;
    int32_t dstAlphaSource;
    int32_t dstParamSource;
    int32_t dstInvert;
    uint8_t constB;
    int32_t blendOp;

    // The one set every blended draw of the game uses: source by mask over destination.
    static HBlendParams alphaBlend() { return { BA_MASK, BP_ONE, 0, 255, BA_INV_MASK, BP_ONE, 0, 255, BO_ADD }; }
};

// A block of 16-bit pixels to draw into; pitch counts pixels.
struct HPixelTarget
{
    uint16_t* pPixels;
    int32_t width;
    int32_t height;
    int32_t pitch;
};

// The software blitter: copies and blends rectangles of surfaces into a 16-bit target under one
// process-wide blend state and channel layout. Only the main thread draws, so the state is unguarded;
// every blending blit sets the whole state before its loop.
class HBlitter
{
public:
    static constexpr int kOptionCount = 8;

    static void sm_setChannelLayout( int32_t redBits, int32_t greenBits, int32_t blueBits, int32_t redShift,
                                     int32_t greenShift, int32_t blueShift );
    static void sm_setBlendState( int32_t srcAlphaSource, int32_t srcParamSource, int32_t srcInvert, uint8_t constA,
                                  int32_t dstAlphaSource, int32_t dstParamSource, int32_t dstInvert, uint8_t constB,
                                  int32_t blendOp );
    static void sm_setBlendState( const HBlendParams& params );
    static const HBlendParams& sm_getBlendState() { return sm_state; }
    static int32_t sm_getBlendAlpha( int32_t source, uint8_t maskByte );
    static int32_t sm_getBlendParam( int32_t source );
    static uint16_t sm_blendPixels16( uint16_t src, uint16_t dst, uint8_t maskByte );
    // Returns whether the value changed; an index outside the table is refused.
    static bool sm_setBlendOption( int32_t index, uint8_t value );
    static uint8_t sm_getBlendOption( int32_t index );
    // 0 general, 1 alpha blend, 2 binary alpha.
    static int32_t sm_getFastPath() { return sm_fastPath; }

    // The drawing loops. Each copies the source rectangle's size to (destX, destY) and first trims
    // it to both the surface and the target, so no rectangle can reach outside either.
    // copy: with a mask only mask bytes of exactly 255; without one, whole rows.
    static void copy( const HPixelTarget& target, int32_t destX, int32_t destY, const HRect& src,
                      const HSurface& surface );
    // blend: under the current blend state; mask byte 0 keeps the target pixel.
    static void blend( const HPixelTarget& target, int32_t destX, int32_t destY, const HRect& src,
                       const HSurface& surface );

    // The clipping of the front-ends against a screen of the given size. False when nothing is left.
    static bool clipToScreen( HRect& dest, HRect& src, int32_t screenWidth, int32_t screenHeight );

private:
    struct Channel
    {
        uint32_t shift;
        uint32_t mask;
    };

    static void m_deriveFastPath();
    static bool m_isStandardLayout();
    // The constant of a constant-alpha blend (source by the constant over the destination by its
    // inverse) between 1 and 254; 0 for any other state.
    static int32_t m_constantAlpha();

    static Channel sm_channels[ 3 ];
    static HBlendParams sm_state;
    static int32_t sm_fastPath;
    static uint8_t sm_options[ kOptionCount ];
};

#endif
