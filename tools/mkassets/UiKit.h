#ifndef GLIMMERDROP_TOOLS_MKASSETS_UIKIT_H
#define GLIMMERDROP_TOOLS_MKASSETS_UIKIT_H

#include "tools/mkassets/Canvas.h"
#include "tools/mkassets/Colour.h"
#include "tools/mkassets/TextPainter.h"

#include <string>

// The shared look of the screens: the candy-striped backdrop, framed trays and cards, pills and
// the title lettering. Coordinates are pixels of the canvas being drawn.
namespace UiKit
{
namespace Palette
{
const Colour kInk = Colour::hex( 0x4A1A62 );        // text on light cards
const Colour kDeepPurple = Colour::hex( 0x3A1458 ); // outlines of titles and wells
const Colour kTray = Colour::hex( 0x5A2C86 );
const Colour kRim = Colour::hex( 0xFF8AC6 );
const Colour kCard = Colour::hex( 0xFFF4FA );
const Colour kPink = Colour::hex( 0xFF5FAE );
const Colour kGold = Colour::hex( 0xFFD23A );
} // namespace Palette

void roundRect( cairo_t* cr, double x, double y, double w, double h, double r );

// The frame-wide backdrop (stripes, vignette, sprinkles); (offsetX, offsetY) is where the canvas
// stands in the 640 x 480 frame, so pictures that lie over the backdrop continue it seamlessly.
void paintBackdrop( Canvas& canvas, int offsetX, int offsetY );
// The arena's tray: a glossy pink rim around a deep purple floor.
void paintTray( Canvas& canvas, double x, double y, double w, double h, double radius );
// A light card for text, with a soft shadow.
void paintCard( Canvas& canvas, double x, double y, double w, double h, double radius,
                const Colour& fill = Palette::kCard );
// A dark inset well for numbers and the game's own text.
void paintWell( Canvas& canvas, double x, double y, double w, double h, double radius );

enum PillTone
{
    PT_PINK,
    PT_GREEN,
    PT_GREY,
    PT_TEAL,
    PT_PURPLE,
    PT_GOLD,
};
// A glossy button with its label, filling the canvas; lit buttons are brighter and sparkle.
void paintPill( Canvas& canvas, double x, double y, double w, double h, const std::string& label, PillTone tone,
                bool lit, double textSize = 0.0 );

// Title lettering: white to pink, a dark outline and a drop shadow.
TextPainter::Style titleStyle( double size );
// Sentences on light cards.
TextPainter::Style bodyStyle( double size, TextPainter::Align align = TextPainter::TA_CENTRE );

// A small candy drawn at any size (a tile kind by its word), centred on (x, y).
void placeCandy( Canvas& canvas, const std::string& word, double x, double y, double size, double angle = 0.0 );
} // namespace UiKit

#endif
