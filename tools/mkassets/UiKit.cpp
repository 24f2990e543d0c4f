#include "tools/mkassets/UiKit.h"

#include "tools/mkassets/CandyPainter.h"
#include "tools/mkassets/Random.h"

#include <algorithm>
#include <cmath>

namespace UiKit
{
void roundRect( cairo_t* cr, double x, double y, double w, double h, double r )
{
    r = std::min( { r, w / 2.0, h / 2.0 } );
    cairo_new_sub_path( cr );
    cairo_arc( cr, x + w - r, y + r, r, -M_PI / 2, 0 );
    cairo_arc( cr, x + w - r, y + h - r, r, 0, M_PI / 2 );
    cairo_arc( cr, x + r, y + h - r, r, M_PI / 2, M_PI );
    cairo_arc( cr, x + r, y + r, r, M_PI, 1.5 * M_PI );
    cairo_close_path( cr );
}

void paintBackdrop( Canvas& canvas, int offsetX, int offsetY )
{
    cairo_t* cr = canvas.cr();
    cairo_save( cr );
    cairo_translate( cr, -offsetX, -offsetY );

    // Soft diagonal stripes on a pink-to-lilac wash; wide and low in contrast, so they survive
    // the game's 15-bit colour without banding into steps.
    cairo_pattern_t* wash = cairo_pattern_create_linear( 0, 0, 640, 480 );
    Colour::hex( 0xFFB6DD ).addStop( wash, 0.0 );
    Colour::hex( 0xF2A6E0 ).addStop( wash, 0.5 );
    Colour::hex( 0xC79AEA ).addStop( wash, 1.0 );
    cairo_set_source( cr, wash );
    cairo_paint( cr );
    cairo_pattern_destroy( wash );

    cairo_save( cr );
    cairo_rotate( cr, -M_PI / 6 );
    for( int i = -20; i < 40; ++i )
    {
        cairo_rectangle( cr, i * 46.0, -400, 20, 1400 );
    }
    cairo_set_source_rgba( cr, 1, 1, 1, 0.16 );
    cairo_fill( cr );
    cairo_restore( cr );

    // A gentle vignette towards the corners.
    cairo_pattern_t* vignette = cairo_pattern_create_radial( 320, 240, 160, 320, 240, 480 );
    cairo_pattern_add_color_stop_rgba( vignette, 0.0, 0.35, 0.1, 0.45, 0.0 );
    cairo_pattern_add_color_stop_rgba( vignette, 1.0, 0.35, 0.1, 0.45, 0.28 );
    cairo_set_source( cr, vignette );
    cairo_paint( cr );
    cairo_pattern_destroy( vignette );

    // Sprinkles, the same everywhere whatever part of the frame is drawn.
    static const uint32_t kSprinkles[] = { 0xFF4F8B, 0x4FB8FF, 0x7FE05A, 0xFFFFFF, 0xB96BFF, 0xFFD23A, 0xFF8A1C };
    Random random( 20020101 );
    for( int i = 0; i < 190; ++i )
    {
        double x = random.range( 0, 640 );
        double y = random.range( 0, 480 );
        double angle = random.range( 0, M_PI );
        Colour colour = Colour::hex( kSprinkles[ random.below( 7 ) ] );
        cairo_save( cr );
        cairo_translate( cr, x, y );
        cairo_rotate( cr, angle );
        roundRect( cr, -5, -1.6, 10, 3.2, 1.6 );
        colour.darker( 0.35 ).withAlpha( 0.45 ).set( cr );
        cairo_set_line_width( cr, 1.0 );
        cairo_stroke_preserve( cr );
        colour.set( cr );
        cairo_fill( cr );
        cairo_restore( cr );
    }
    cairo_restore( cr );
}

void paintTray( Canvas& canvas, double x, double y, double w, double h, double radius )
{
    cairo_t* cr = canvas.cr();
    // Shadow.
    Canvas shadow( canvas.width(), canvas.height() );
    roundRect( shadow.cr(), x + 2, y + 5, w - 4, h - 4, radius );
    cairo_set_source_rgba( shadow.cr(), 0.2, 0.02, 0.3, 1 );
    cairo_fill( shadow.cr() );
    shadow.blur( 4 );
    canvas.paint( shadow, 0, 0, 0.5 );

    // Rim.
    roundRect( cr, x, y, w, h, radius );
    cairo_pattern_t* rim = cairo_pattern_create_linear( 0, y, 0, y + h );
    Colour::hex( 0xFFC4E4 ).addStop( rim, 0.0 );
    Colour::hex( 0xFF7ABE ).addStop( rim, 0.5 );
    Colour::hex( 0xE0569E ).addStop( rim, 1.0 );
    cairo_set_source( cr, rim );
    cairo_fill_preserve( cr );
    cairo_pattern_destroy( rim );
    Palette::kDeepPurple.withAlpha( 0.8 ).set( cr );
    cairo_set_line_width( cr, 1.5 );
    cairo_stroke( cr );
    roundRect( cr, x + 2.5, y + 2.5, w - 5, h - 5, radius - 2 );
    cairo_set_source_rgba( cr, 1, 1, 1, 0.55 );
    cairo_set_line_width( cr, 1.2 );
    cairo_stroke( cr );

    // Floor.
    const double inset = 9;
    roundRect( cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, radius - inset * 0.6 );
    cairo_pattern_t* floor = cairo_pattern_create_linear( 0, y, 0, y + h );
    Colour::hex( 0x6A3A9A ).addStop( floor, 0.0 );
    Colour::hex( 0x55287F ).addStop( floor, 1.0 );
    cairo_set_source( cr, floor );
    cairo_fill_preserve( cr );
    cairo_pattern_destroy( floor );
    Palette::kDeepPurple.set( cr );
    cairo_set_line_width( cr, 1.5 );
    cairo_stroke( cr );

    // Studs along the rim, like the lights of a sweet-shop sign.
    for( int side = 0; side < 4; ++side )
    {
        bool horizontal = side % 2 == 0;
        double length = horizontal ? w - 2 * radius : h - 2 * radius;
        int count = std::max( 2, int( length / 34 ) );
        for( int i = 0; i <= count; ++i )
        {
            double t = radius + length * i / count;
            double px = horizontal ? x + t : ( side == 1 ? x + w - inset / 2 : x + inset / 2 );
            double py = horizontal ? ( side == 0 ? y + inset / 2 : y + h - inset / 2 ) : y + t;
            cairo_pattern_t* stud = cairo_pattern_create_radial( px - 0.8, py - 0.8, 0, px, py, 2.6 );
            cairo_pattern_add_color_stop_rgb( stud, 0, 1, 1, 1 );
            cairo_pattern_add_color_stop_rgb( stud, 1, 1.0, 0.85, 0.5 );
            cairo_set_source( cr, stud );
            cairo_arc( cr, px, py, 2.4, 0, 2 * M_PI );
            cairo_fill( cr );
            cairo_pattern_destroy( stud );
        }
    }
}

void paintCard( Canvas& canvas, double x, double y, double w, double h, double radius, const Colour& fill )
{
    Canvas shadow( canvas.width(), canvas.height() );
    roundRect( shadow.cr(), x + 1, y + 3, w - 2, h - 2, radius );
    cairo_set_source_rgba( shadow.cr(), 0.15, 0.0, 0.25, 1 );
    cairo_fill( shadow.cr() );
    shadow.blur( 3 );
    canvas.paint( shadow, 0, 0, 0.45 );

    cairo_t* cr = canvas.cr();
    roundRect( cr, x, y, w, h, radius );
    cairo_pattern_t* pattern = cairo_pattern_create_linear( 0, y, 0, y + h );
    fill.lighter( 0.4 ).addStop( pattern, 0.0 );
    fill.addStop( pattern, 0.25 );
    fill.darker( 0.04 ).addStop( pattern, 1.0 );
    cairo_set_source( cr, pattern );
    cairo_fill_preserve( cr );
    cairo_pattern_destroy( pattern );
    Colour::hex( 0xD86AAE ).set( cr );
    cairo_set_line_width( cr, 2.0 );
    cairo_stroke( cr );
    roundRect( cr, x + 3, y + 3, w - 6, h - 6, std::max( 1.0, radius - 3 ) );
    Colour::hex( 0xFFD0EA ).set( cr );
    cairo_set_line_width( cr, 1.0 );
    cairo_stroke( cr );
}

void paintWell( Canvas& canvas, double x, double y, double w, double h, double radius )
{
    cairo_t* cr = canvas.cr();
    roundRect( cr, x, y, w, h, radius );
    cairo_pattern_t* pattern = cairo_pattern_create_linear( 0, y, 0, y + h );
    Colour::hex( 0x24083A ).addStop( pattern, 0.0 );
    Colour::hex( 0x3A1658 ).addStop( pattern, 1.0 );
    cairo_set_source( cr, pattern );
    cairo_fill_preserve( cr );
    cairo_pattern_destroy( pattern );
    cairo_set_source_rgba( cr, 1.0, 0.75, 0.9, 0.9 );
    cairo_set_line_width( cr, 1.5 );
    cairo_stroke( cr );
    // Inner shadow along the top edge.
    cairo_save( cr );
    roundRect( cr, x, y, w, h, radius );
    cairo_clip( cr );
    roundRect( cr, x - 2, y + 2.5, w + 4, h + 4, radius );
    cairo_set_source_rgba( cr, 0, 0, 0, 0.45 );
    cairo_set_line_width( cr, 3 );
    cairo_stroke( cr );
    cairo_restore( cr );
}

namespace
{
struct Tone
{
    uint32_t top;
    uint32_t bottom;
    uint32_t outline;
};

Tone toneOf( PillTone tone, bool lit )
{
    switch( tone )
    {
    case PT_GREEN:
        return lit ? Tone{ 0xA8F59A, 0x3CCB52, 0x0E5A1E } : Tone{ 0x7EE07A, 0x24A83E, 0x0C4A18 };
    case PT_GREY:
        return lit ? Tone{ 0xF2E6F0, 0xB8A4BC, 0x4A3A52 } : Tone{ 0xD8CCDA, 0x93819A, 0x3E3046 };
    case PT_TEAL:
        return lit ? Tone{ 0x9AF4F0, 0x22C0C8, 0x0A4A56 } : Tone{ 0x6EDCDC, 0x1498A8, 0x083E4A };
    case PT_PURPLE:
        return lit ? Tone{ 0xDDB0FF, 0x9A4AE8, 0x36105E } : Tone{ 0xB98AE8, 0x7434C0, 0x2E0C52 };
    case PT_GOLD:
        return lit ? Tone{ 0xFFF6B0, 0xFFC21A, 0x6A3A00 } : Tone{ 0xFFE680, 0xF0A800, 0x5E3200 };
    case PT_PINK:
    default:
        return lit ? Tone{ 0xFFC2E2, 0xFF5AAA, 0x6E0A44 } : Tone{ 0xFF9ACE, 0xE0388A, 0x5E0638 };
    }
}
} // namespace

void paintPill( Canvas& canvas, double x, double y, double w, double h, const std::string& label, PillTone tone,
                bool lit, double textSize )
{
    cairo_t* cr = canvas.cr();
    Tone colours = toneOf( tone, lit );
    const double inset = 1.0;
    const double bx = x + inset;
    const double by = y + inset;
    const double bw = w - 2 * inset;
    const double bh = h - 2 * inset - 1.0;
    const double radius = bh / 2.0;

    // A darker base one pixel lower gives the button its thickness.
    roundRect( cr, bx, by + 1.0, bw, bh, radius );
    Colour::hex( colours.outline ).set( cr );
    cairo_fill( cr );

    roundRect( cr, bx, by, bw, bh, radius );
    cairo_pattern_t* body = cairo_pattern_create_linear( 0, by, 0, by + bh );
    Colour::hex( colours.top ).addStop( body, 0.0 );
    Colour::hex( colours.bottom ).addStop( body, 0.7 );
    Colour::hex( colours.bottom ).darker( 0.12 ).addStop( body, 1.0 );
    cairo_set_source( cr, body );
    cairo_fill_preserve( cr );
    cairo_pattern_destroy( body );
    Colour::hex( colours.outline ).set( cr );
    cairo_set_line_width( cr, 1.4 );
    cairo_stroke( cr );

    // Gloss over the upper half.
    roundRect( cr, bx + radius * 0.5, by + 1.8, bw - radius, bh * 0.42, bh * 0.21 );
    cairo_pattern_t* gloss = cairo_pattern_create_linear( 0, by, 0, by + bh * 0.5 );
    cairo_pattern_add_color_stop_rgba( gloss, 0, 1, 1, 1, lit ? 0.8 : 0.6 );
    cairo_pattern_add_color_stop_rgba( gloss, 1, 1, 1, 1, 0.08 );
    cairo_set_source( cr, gloss );
    cairo_fill( cr );
    cairo_pattern_destroy( gloss );

    if( lit )
    {
        roundRect( cr, bx + 1.5, by + 1.5, bw - 3, bh - 3, radius - 1.5 );
        cairo_set_source_rgba( cr, 1, 1, 1, 0.7 );
        cairo_set_line_width( cr, 1.2 );
        cairo_stroke( cr );
    }

    if( !label.empty() )
    {
        TextPainter::Style style;
        style.family = TextPainter::TF_TITLE;
        style.size = textSize > 0.0 ? textSize : bh * 0.72;
        style.fill = Colour::hex( 0xFFFFFF );
        style.outline = std::max( 1.2, bh * 0.06 );
        style.outlineColour = Colour::hex( colours.outline );
        TextPainter::drawFitted( canvas, label, bx + radius * 0.5, by - 0.5, bw - radius, bh, style );
    }

    if( lit )
    {
        cairo_save( cr );
        CandyPainter::drawSparkle( cr, bx + bw - radius * 0.8, by + bh * 0.3, std::min( 6.0, bh * 0.28 ), 1.0 );
        cairo_restore( cr );
    }
}

TextPainter::Style titleStyle( double size )
{
    TextPainter::Style style;
    style.family = TextPainter::TF_TITLE;
    style.size = size;
    style.gradient = true;
    style.fill = Colour::hex( 0xFFFFFF );
    style.fillBottom = Colour::hex( 0xFFB0DA );
    style.outline = std::max( 1.5, size * 0.075 );
    style.outlineColour = Palette::kDeepPurple;
    style.shadowOffset = std::max( 1.0, size * 0.06 );
    style.shadowBlur = std::max( 1.0, size * 0.04 );
    style.shadowColour = Colour::hex( 0x2A0440, 0.6 );
    style.align = TextPainter::TA_CENTRE;
    return style;
}

TextPainter::Style bodyStyle( double size, TextPainter::Align align )
{
    TextPainter::Style style;
    style.family = TextPainter::TF_BODY;
    style.bold = true;
    style.size = size;
    style.fill = Palette::kInk;
    style.align = align;
    style.lineSpacing = 0.95;
    return style;
}

void placeCandy( Canvas& canvas, const std::string& word, double x, double y, double size, double angle )
{
    int pixels = int( std::ceil( size ) ) * CandyPainter::kSupersample;
    Canvas large = CandyPainter::paint( word, pixels );
    Canvas small = large.downsampled( CandyPainter::kSupersample );
    cairo_t* cr = canvas.cr();
    cairo_save( cr );
    cairo_translate( cr, x, y );
    cairo_rotate( cr, angle );
    cairo_translate( cr, -small.width() / 2.0, -small.height() / 2.0 );
    canvas.paint( small );
    cairo_restore( cr );
}
} // namespace UiKit
