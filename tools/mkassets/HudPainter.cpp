#include "tools/mkassets/HudPainter.h"

#include "tools/mkassets/CandyPainter.h"
#include "tools/mkassets/Random.h"
#include "tools/mkassets/TextPainter.h"
#include "tools/mkassets/UiKit.h"

#include <cmath>

namespace HudPainter
{
namespace
{
// Puts the digits' ink from row 2 to row 21 of their 23.
constexpr double kDigitTop = 2.0;

TextPainter::Style digitStyle()
{
    TextPainter::Style style;
    style.family = TextPainter::TF_DIGITS;
    style.size = 23.0;
    style.gradient = true;
    style.fill = Colour::hex( 0xFFF6B8 );
    style.fillBottom = Colour::hex( 0xFFA51E );
    style.outline = 1.7;
    style.outlineColour = Colour::hex( 0x4A1C00 );
    return style;
}

// Candy-stick stripes across a rounded bar, with gloss; used by the timer and the loading bar.
void paintStick( Canvas& canvas, double x, double y, double w, double h, bool roundRight,
                 const std::vector<uint32_t>& stripes )
{
    cairo_t* cr = canvas.cr();
    double r = h / 2.0;
    cairo_new_path( cr );
    if( roundRight )
        UiKit::roundRect( cr, x, y, w, h, r );
    else
    {
        cairo_move_to( cr, x + w, y );
        cairo_line_to( cr, x + w, y + h );
        cairo_line_to( cr, x + r, y + h );
        cairo_arc( cr, x + r, y + r, r, M_PI / 2, 1.5 * M_PI );
        cairo_close_path( cr );
    }
    cairo_save( cr );
    cairo_clip_preserve( cr );
    cairo_set_source_rgb( cr, 1, 1, 1 );
    cairo_fill( cr );
    for( int i = -2; i < int( w / 9 ) + 4; ++i )
    {
        double sx = x + i * 18.0;
        cairo_move_to( cr, sx, y + h );
        cairo_line_to( cr, sx + h * 0.8, y );
        cairo_line_to( cr, sx + h * 0.8 + 9, y );
        cairo_line_to( cr, sx + 9, y + h );
        cairo_close_path( cr );
        Colour::hex( stripes[ size_t( ( i + 64 ) ) % stripes.size() ] ).set( cr );
        cairo_fill( cr );
    }
    // Roundness: dark at the bottom, a bright gloss line near the top.
    cairo_pattern_t* shade = cairo_pattern_create_linear( 0, y, 0, y + h );
    cairo_pattern_add_color_stop_rgba( shade, 0.0, 1, 1, 1, 0.55 );
    cairo_pattern_add_color_stop_rgba( shade, 0.3, 1, 1, 1, 0.0 );
    cairo_pattern_add_color_stop_rgba( shade, 0.7, 0.3, 0, 0.3, 0.0 );
    cairo_pattern_add_color_stop_rgba( shade, 1.0, 0.3, 0, 0.3, 0.45 );
    cairo_set_source( cr, shade );
    cairo_paint( cr );
    cairo_pattern_destroy( shade );
    cairo_restore( cr );

    cairo_new_path( cr );
    if( roundRight )
        UiKit::roundRect( cr, x, y, w, h, r );
    else
    {
        cairo_move_to( cr, x + w + 2, y );
        cairo_line_to( cr, x + r, y );
        cairo_arc_negative( cr, x + r, y + r, r, 1.5 * M_PI, M_PI / 2 );
        cairo_line_to( cr, x + w + 2, y + h );
    }
    UiKit::Palette::kDeepPurple.set( cr );
    cairo_set_line_width( cr, 1.4 );
    cairo_stroke( cr );
}

const std::vector<uint32_t> kTimerStripes = { 0xFF4F8B, 0xFFFFFF, 0xFF9AC8, 0xFFFFFF };
} // namespace

Canvas paintDigit( int digit )
{
    Canvas canvas( 18, 23 );
    TextPainter::Style style = digitStyle();
    // Every digit sits on one baseline; centre each in its 18-pixel step.
    std::string text = std::to_string( digit );
    TextPainter::Extent extent = TextPainter::measure( text, style );
    TextPainter::draw( canvas, text, ( 18.0 - extent.width ) / 2.0 + style.outline, kDigitTop, style );
    return canvas;
}

Canvas paintComma()
{
    Canvas canvas( 14, 23 );
    TextPainter::Style style = digitStyle();
    // The comma's ink lies in columns 5 to 12: the digit to its left is drawn over columns 0 to 4.
    TextPainter::draw( canvas, ",", 5.5, kDigitTop - 3.0, style );
    return canvas;
}

Canvas paintBanner( const std::string& text, int width, int height )
{
    Canvas canvas( width, height );
    TextPainter::Style style = UiKit::titleStyle( height * 0.95 );
    style.fillBottom = Colour::hex( 0xFFD76A );
    TextPainter::drawFitted( canvas, text, 1, 0, width - 2, height - 2, style );
    return canvas;
}

Canvas paintTimer( int width, int height )
{
    Canvas canvas( width, height );
    paintStick( canvas, 0.5, 1.0, width + 4.0, height - 2.5, false, kTimerStripes );
    return canvas;
}

Canvas paintBites( int frame, int width, int height )
{
    // The stick's bitten end: the piece after the bar's end with bite marks cut out of it and a
    // few crumbs; three shapes alternate as the clock runs.
    Canvas canvas( width, height );
    Canvas stick( width, height );
    paintStick( stick, -height, 1.0, width + height, height - 2.5, true, kTimerStripes );
    Canvas bite( width, height );
    cairo_t* cr = bite.cr();
    cairo_set_source_rgb( cr, 1, 1, 1 );
    cairo_rectangle( cr, 0, 0, width, height );
    cairo_fill( cr );
    cairo_set_operator( cr, CAIRO_OPERATOR_CLEAR );
    Random random( 900 + uint64_t( frame ) );
    double edge = 4.0 + frame * 1.5;
    for( int i = 0; i < 3; ++i )
    {
        double cy = 2.0 + i * ( height - 4.0 ) / 2.0 + random.range( -1.5, 1.5 );
        double r = random.range( 3.6, 5.2 );
        cairo_arc( cr, edge + r + random.range( -1.0, 1.5 ), cy, r, 0, 2 * M_PI );
        cairo_fill( cr );
    }
    cairo_rectangle( cr, edge + 4.0, 0, width, height );
    cairo_fill( cr );
    stick.maskBy( bite );
    canvas.paint( stick );
    cr = canvas.cr();
    for( int i = 0; i < 3; ++i )
    {
        double x = edge + 5.0 + random.range( 0.0, 4.0 );
        double y = random.range( 3.0, height - 3.0 );
        Colour::hex( i % 2 == 0 ? 0xFF4F8B : 0xFFFFFF ).set( cr );
        cairo_arc( cr, x, y, random.range( 0.8, 1.3 ), 0, 2 * M_PI );
        cairo_fill( cr );
    }
    return canvas;
}

Canvas paintProgress( int width, int height )
{
    Canvas canvas( width, height );
    paintStick( canvas, 0.5, 1.0, width - 1.0, height - 2.5, true,
                { 0xFF4F8B, 0xFFD23A, 0x7FE05A, 0x4FB8FF, 0xB96BFF, 0xFF8A1C } );
    return canvas;
}

Canvas paintCursor( int width, int height )
{
    Canvas canvas( width, height );
    cairo_t* cr = canvas.cr();
    // The tip is the pointer's hot spot, at the picture's top-left corner.
    cairo_move_to( cr, 1.2, 1.2 );
    cairo_line_to( cr, 1.2, 21.5 );
    cairo_line_to( cr, 6.4, 16.8 );
    cairo_line_to( cr, 10.2, 25.8 );
    cairo_line_to( cr, 14.0, 24.2 );
    cairo_line_to( cr, 10.3, 15.4 );
    cairo_line_to( cr, 17.2, 15.2 );
    cairo_close_path( cr );
    cairo_set_line_join( cr, CAIRO_LINE_JOIN_ROUND );
    UiKit::Palette::kDeepPurple.set( cr );
    cairo_set_line_width( cr, 2.2 );
    cairo_stroke_preserve( cr );
    cairo_pattern_t* fill = cairo_pattern_create_linear( 0, 0, 14, 24 );
    Colour::hex( 0xFFE0F0 ).addStop( fill, 0.0 );
    Colour::hex( 0xFF6AB2 ).addStop( fill, 1.0 );
    cairo_set_source( cr, fill );
    cairo_fill( cr );
    cairo_pattern_destroy( fill );
    cairo_move_to( cr, 3.0, 5.0 );
    cairo_line_to( cr, 3.0, 14.0 );
    cairo_set_source_rgba( cr, 1, 1, 1, 0.9 );
    cairo_set_line_width( cr, 1.3 );
    cairo_set_line_cap( cr, CAIRO_LINE_CAP_ROUND );
    cairo_stroke( cr );
    (void)width;
    (void)height;
    return canvas;
}

Canvas paintHand( int width, int height )
{
    const int s = CandyPainter::kSupersample;
    Canvas large( width * s, height * s );
    cairo_t* cr = large.cr();
    cairo_scale( cr, s, s );
    // Sketched pointing right, then turned so the fingertip lands near the cell's corner: the
    // hand stands 49 pixels left of and 56 above the cell.
    cairo_translate( cr, 33.0, 45.0 );
    cairo_rotate( cr, M_PI / 4 );
    auto parts = [ cr ]()
    {
        UiKit::roundRect( cr, -27, -14, 10, 30, 3 );  // cuff
        UiKit::roundRect( cr, -19, -15, 31, 31, 11 ); // fist
        UiKit::roundRect( cr, 4, -14, 33, 12, 6 );    // index finger
        UiKit::roundRect( cr, 5, -3, 15, 9, 4.5 );    // curled fingers
        UiKit::roundRect( cr, 5, 5, 13, 8, 4 );
        UiKit::roundRect( cr, 4, 12, 11, 7, 3.5 );
        UiKit::roundRect( cr, -9, -23, 18, 11, 5.5 ); // thumb
    };
    Canvas shadowMask( width * s, height * s );
    cairo_t* sc = shadowMask.cr();
    cairo_scale( sc, s, s );
    cairo_translate( sc, 35.0, 48.0 );
    cairo_rotate( sc, M_PI / 4 );
    UiKit::roundRect( sc, -27, -15, 64, 36, 12 );
    cairo_set_source_rgba( sc, 0.15, 0.0, 0.25, 0.5 );
    cairo_fill( sc );
    shadowMask.blur( 3.0 * s );
    large.paint( shadowMask );

    cairo_set_line_join( cr, CAIRO_LINE_JOIN_ROUND );
    parts();
    UiKit::Palette::kDeepPurple.set( cr );
    cairo_set_line_width( cr, 4.0 );
    cairo_stroke( cr );
    parts();
    cairo_pattern_t* glove = cairo_pattern_create_linear( 0, -20, 0, 20 );
    Colour::hex( 0xFFFFFF ).addStop( glove, 0.0 );
    Colour::hex( 0xF4E6F4 ).addStop( glove, 0.6 );
    Colour::hex( 0xD8C0DC ).addStop( glove, 1.0 );
    cairo_set_source( cr, glove );
    cairo_set_fill_rule( cr, CAIRO_FILL_RULE_WINDING );
    cairo_fill( cr );
    cairo_pattern_destroy( glove );
    // Creases between the parts.
    UiKit::Palette::kDeepPurple.withAlpha( 0.7 ).set( cr );
    cairo_set_line_width( cr, 1.4 );
    UiKit::roundRect( cr, 5, -3, 15, 9, 4.5 );
    UiKit::roundRect( cr, 5, 5, 13, 8, 4 );
    UiKit::roundRect( cr, 4, 12, 11, 7, 3.5 );
    UiKit::roundRect( cr, -9, -23, 18, 11, 5.5 );
    cairo_stroke( cr );
    cairo_move_to( cr, -19, -15 );
    cairo_line_to( cr, -19, 16 );
    cairo_stroke( cr );
    // The cuff in the game's pink.
    UiKit::roundRect( cr, -27, -14, 10, 30, 3 );
    UiKit::Palette::kPink.set( cr );
    cairo_fill( cr );
    cairo_set_source_rgba( cr, 1, 1, 1, 0.9 );
    cairo_move_to( cr, 6, -10 );
    cairo_line_to( cr, 30, -10 );
    cairo_set_line_width( cr, 2.0 );
    cairo_set_line_cap( cr, CAIRO_LINE_CAP_ROUND );
    cairo_stroke( cr );
    return large.downsampled( s );
}

Canvas paintLogo( int width, int height, bool lit )
{
    Canvas canvas( width, height );
    if( lit )
    {
        Canvas glow( width, height );
        TextPainter::Style halo = UiKit::titleStyle( height * 0.8 );
        halo.gradient = false;
        halo.fill = Colour::hex( 0xFFFFFF );
        halo.outline = 4.0;
        halo.outlineColour = Colour::hex( 0xFFF2A0 );
        halo.shadowColour.a = 0.0;
        TextPainter::drawFitted( glow, "Glimmerdrop", height * 0.85, 0, width - height * 0.9, height, halo );
        glow.blur( 2.5 );
        canvas.paint( glow );
    }
    UiKit::placeCandy( canvas, "blue", height * 0.45, height * 0.5, height * 0.92, -0.25 );
    TextPainter::Style style = UiKit::titleStyle( height * 0.8 );
    if( lit )
        style.fillBottom = Colour::hex( 0xFFE890 );
    TextPainter::drawFitted( canvas, "Glimmerdrop", height * 0.85, 0, width - height * 0.9, height, style );
    if( lit )
    {
        cairo_t* cr = canvas.cr();
        CandyPainter::drawSparkle( cr, width - 8.0, 7.0, 5.0, 1.0 );
        CandyPainter::drawSparkle( cr, height * 0.3, height * 0.25, 4.0, 1.0 );
    }
    return canvas;
}
} // namespace HudPainter
