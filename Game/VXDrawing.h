#ifndef GLIMMERDROP_GAME_VXDRAWING_H
#define GLIMMERDROP_GAME_VXDRAWING_H

#include <cstdint>

#include "Framework/graphics/HRect.h"

class VXSprite;

// Small drawing steps shared by the game's screens.

// True when the two rectangles share pixels (right and bottom lie one past the last).
bool rectsOverlap( const HRect& a, const HRect& b );
// The common part; empty (zero width or height) when they do not overlap.
HRect rectIntersection( const HRect& a, const HRect& b );
// The smallest rectangle holding both; an empty rectangle adds nothing.
HRect rectUnion( const HRect& a, const HRect& b );

// Draws a whole sprite with its top-left corner at (x, y), only where it meets the clip, blended
// by its mask (soft edges), or copying only its opaque pixels when not blended.
void drawSpriteClipped( VXSprite* pSprite, int32_t x, int32_t y, const HRect& clip, bool blended = true );
// Draws the part of a picture that lies under the clip, the picture's top-left corner at (x, y).
void drawPictureClipped( VXSprite* pSprite, int32_t x, int32_t y, const HRect& clip );

#endif
