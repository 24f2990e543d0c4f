#ifndef GLIMMERDROP_TOOLS_MKASSETS_HUDPAINTER_H
#define GLIMMERDROP_TOOLS_MKASSETS_HUDPAINTER_H

#include "tools/mkassets/Canvas.h"

#include <string>

// The small sprites that stand over the board and the backdrop: digits, panel lettering, the
// timer with its bitten end, the loading bar, the pointer, the tutorial hand and the logo.
namespace HudPainter
{
// "font_zero.tga" ... "font_nine.tga" by digit, and the comma.
Canvas paintDigit( int digit );
Canvas paintComma();
// "level.tga", "time_bonus.tga", "startlevel_bonus.tga".
Canvas paintBanner( const std::string& text, int width, int height );
Canvas paintTimer( int width, int height );
Canvas paintBites( int frame, int width, int height );
Canvas paintProgress( int width, int height );
Canvas paintCursor( int width, int height );
Canvas paintHand( int width, int height );
Canvas paintLogo( int width, int height, bool lit );
} // namespace HudPainter

#endif
