#ifndef GLIMMERDROP_TOOLS_MKASSETS_TEXTPAINTER_H
#define GLIMMERDROP_TOOLS_MKASSETS_TEXTPAINTER_H

#include "tools/mkassets/Canvas.h"
#include "tools/mkassets/Colour.h"

#include <string>

// Text with pango over cairo, in fonts registered by file path so that a missing font stops the
// build instead of falling back silently.
namespace TextPainter
{
enum Family
{
    TF_TITLE,  // rounded script for titles and buttons
    TF_BODY,   // friendly hand-lettered sans for sentences
    TF_DIGITS, // heavy geometric sans for numbers
    TF_MONO,   // the 8 x 12 sheet's face
};

enum Align
{
    TA_LEFT,
    TA_CENTRE,
    TA_RIGHT,
};

struct Style
{
    Family family = TF_BODY;
    bool bold = false;
    double size = 16.0; // pixels
    Colour fill = Colour::hex( 0xFFFFFF );
    Colour fillBottom = Colour::hex( 0xFFFFFF ); // a vertical gradient when different from fill
    bool gradient = false;
    double outline = 0.0; // stroke width in pixels, drawn under the fill
    Colour outlineColour = Colour::hex( 0x000000 );
    double shadowOffset = 0.0;
    double shadowBlur = 0.0;
    Colour shadowColour = Colour::hex( 0x000000, 0.5 );
    Align align = TA_LEFT;
    double lineSpacing = 1.0; // a factor on the font's line height
};

struct Extent
{
    double width;
    double height;
};

// Registers the fonts and checks that each one is what pango then uses; false with a message.
bool registerFonts( std::string& error );

// Pango markup is accepted (<b>, <i>, <span foreground=...>). With a wrap width above 0 the text
// is wrapped and aligned within it; (x, y) is the top-left corner of the layout.
Extent measure( const std::string& markup, const Style& style, double wrapWidth = 0.0 );
void draw( Canvas& canvas, const std::string& markup, double x, double y, const Style& style, double wrapWidth = 0.0 );
// Centres the text in a box, shrinking it until it fits.
void drawFitted( Canvas& canvas, const std::string& markup, double x, double y, double width, double height,
                 Style style );
} // namespace TextPainter

#endif
