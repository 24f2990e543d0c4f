#include "tools/mkassets/CandyPainter.h"

#include <cmath>
#include <functional>

namespace CandyPainter
{
void drawSparkle( cairo_t* cr, double x, double y, double size, double alpha )
{
    cairo_save( cr );
    cairo_translate( cr, x, y );
    cairo_pattern_t* glow = cairo_pattern_create_radial( 0, 0, 0, 0, 0, size * 1.4 );
    cairo_pattern_add_color_stop_rgba( glow, 0, 1, 1, 1, 0.75 * alpha );
    cairo_pattern_add_color_stop_rgba( glow, 1, 1, 1, 1, 0 );
    cairo_set_source( cr, glow );
    cairo_arc( cr, 0, 0, size * 1.4, 0, 2 * M_PI );
    cairo_fill( cr );
    cairo_pattern_destroy( glow );
    cairo_set_source_rgba( cr, 1, 1, 1, alpha );
    cairo_move_to( cr, 0, -size );
    for( int i = 0; i < 4; ++i )
    {
        double a = i * M_PI / 2.0;
        double b = a + M_PI / 4.0;
        double c = a + M_PI / 2.0;
        cairo_line_to( cr, std::cos( b - M_PI / 2 ) * size * 0.22, std::sin( b - M_PI / 2 ) * size * 0.22 );
        cairo_line_to( cr, std::cos( c - M_PI / 2 ) * size, std::sin( c - M_PI / 2 ) * size );
    }
    cairo_close_path( cr );
    cairo_fill( cr );
    cairo_restore( cr );
}

namespace
{
using PathFn = std::function<void( cairo_t* )>;

// A silhouette in unit coordinates (the tile is 1 x 1). A positive stroke makes the shape the
// path stroked with round ends (worm, cane) instead of the filled path.
struct Shape
{
    PathFn path;
    double stroke = 0.0;
    double centreX = 0.5;
    double centreY = 0.5;
    double sparkleX = 0.34;
    double sparkleY = 0.30;
};

struct Jelly
{
    Colour light;
    Colour base;
    Colour dark;
    Colour outline;
    double gloss = 0.85;
    double rim = 0.55;
    double glow = 0.45;
    double sparkle = 1.0;
    // Paints the body in place of the radial gradient (the source is already clipped to the shape).
    PathFn body;
    // Drawn over the body and under the shading: faces, grooves, segments.
    PathFn details;
};

void shapeMask( Canvas& canvas, const Shape& shape, double grow, double scaleAbout = 1.0, double lift = 0.0,
                double squash = 1.0 )
{
    cairo_t* cr = canvas.cr();
    cairo_save( cr );
    cairo_scale( cr, canvas.width(), canvas.height() );
    cairo_translate( cr, shape.centreX, shape.centreY - lift );
    cairo_scale( cr, scaleAbout, scaleAbout * squash );
    cairo_translate( cr, -shape.centreX, -shape.centreY );
    cairo_set_source_rgb( cr, 1, 1, 1 );
    cairo_new_path( cr );
    shape.path( cr );
    cairo_set_line_cap( cr, CAIRO_LINE_CAP_ROUND );
    cairo_set_line_join( cr, CAIRO_LINE_JOIN_ROUND );
    if( shape.stroke > 0.0 )
    {
        cairo_set_line_width( cr, shape.stroke + 2.0 * grow );
        cairo_stroke( cr );
    }
    else if( grow > 0.0 )
    {
        cairo_fill_preserve( cr );
        cairo_set_line_width( cr, 2.0 * grow );
        cairo_stroke( cr );
    }
    else
        cairo_fill( cr );
    cairo_restore( cr );
}

void paintJelly( Canvas& target, const Shape& shape, const Jelly& jelly )
{
    const int n = target.width();
    Canvas mask( n, n );
    shapeMask( mask, shape, 0.0 );
    Canvas outlined( n, n );
    shapeMask( outlined, shape, 0.026 );

    // A soft shadow under the candy, then the outline drawn under the whole body so that shapes
    // made of several parts show no seams.
    Canvas shadow( outlined );
    shadow.tint( 0.16, 0.02, 0.22 );
    shadow.blur( n * 0.022 );
    target.paint( shadow, 0, n * 0.03, 0.55 );
    Canvas outline( outlined );
    outline.tint( jelly.outline.r, jelly.outline.g, jelly.outline.b );
    target.paint( outline );

    Canvas body( n, n );
    cairo_t* cr = body.cr();
    cairo_save( cr );
    cairo_scale( cr, n, n );
    if( jelly.body )
        jelly.body( cr );
    else
    {
        cairo_pattern_t* pattern = cairo_pattern_create_radial( shape.centreX - 0.1, shape.centreY - 0.14, 0.0,
                                                                shape.centreX, shape.centreY, 0.48 );
        jelly.light.addStop( pattern, 0.0 );
        jelly.base.addStop( pattern, 0.5 );
        jelly.dark.addStop( pattern, 1.0 );
        cairo_set_source( cr, pattern );
        cairo_paint( cr );
        cairo_pattern_destroy( pattern );
    }
    if( jelly.details )
        jelly.details( cr );
    cairo_restore( cr );
    body.maskBy( mask );
    target.paint( body );

    // The rim: the edge inside the shape darkens, as thick jelly does.
    Canvas rim = mask.inverted();
    rim.blur( n * 0.045 );
    rim.maskBy( mask );
    rim.tint( jelly.dark.r, jelly.dark.g, jelly.dark.b );
    target.paint( rim, 0, 0, jelly.rim );

    // Light passing through the candy gathers in its lower part.
    Canvas glow( n, n );
    cr = glow.cr();
    cairo_save( cr );
    cairo_scale( cr, n, n );
    cairo_pattern_t* glowPattern = cairo_pattern_create_radial( shape.centreX, shape.centreY + 0.24, 0.0, shape.centreX,
                                                                shape.centreY + 0.2, 0.34 );
    jelly.light.withAlpha( 1.0 ).addStop( glowPattern, 0.0 );
    jelly.light.withAlpha( 0.0 ).addStop( glowPattern, 1.0 );
    cairo_set_source( cr, glowPattern );
    cairo_paint( cr );
    cairo_pattern_destroy( glowPattern );
    cairo_restore( cr );
    Canvas inner( mask );
    inner.blur( n * 0.03 );
    glow.maskBy( inner );
    glow.maskBy( mask );
    target.paint( glow, 0, 0, jelly.glow );

    // The gloss: a smaller copy of the silhouette lifted to the top, fading downwards.
    if( jelly.gloss > 0.0 )
    {
        Canvas gloss( n, n );
        Shape glossShape = shape;
        if( shape.stroke > 0.0 )
            glossShape.stroke = shape.stroke * 0.42;
        shapeMask( gloss, glossShape, 0.0, shape.stroke > 0.0 ? 1.0 : 0.74,
                   shape.stroke > 0.0 ? shape.stroke * 0.2 : 0.075, shape.stroke > 0.0 ? 1.0 : 0.62 );
        gloss.blur( n * 0.008 );
        Canvas fade( n, n );
        cr = fade.cr();
        cairo_save( cr );
        cairo_scale( cr, n, n );
        cairo_pattern_t* fadePattern = cairo_pattern_create_linear( 0, shape.centreY - 0.4, 0, shape.centreY + 0.12 );
        cairo_pattern_add_color_stop_rgba( fadePattern, 0.0, 1, 1, 1, 1.0 );
        cairo_pattern_add_color_stop_rgba( fadePattern, 1.0, 1, 1, 1, 0.0 );
        cairo_set_source( cr, fadePattern );
        cairo_paint( cr );
        cairo_pattern_destroy( fadePattern );
        cairo_restore( cr );
        gloss.maskBy( fade );
        gloss.maskBy( mask );
        target.paint( gloss, 0, 0, jelly.gloss );
    }

    if( jelly.sparkle > 0.0 )
    {
        cr = target.cr();
        cairo_save( cr );
        cairo_scale( cr, n, n );
        drawSparkle( cr, shape.sparkleX, shape.sparkleY, 0.075, jelly.sparkle );
        cairo_restore( cr );
    }
}

Jelly jellyOf( uint32_t light, uint32_t base, uint32_t dark, uint32_t outline )
{
    Jelly jelly;
    jelly.light = Colour::hex( light );
    jelly.base = Colour::hex( base );
    jelly.dark = Colour::hex( dark );
    jelly.outline = Colour::hex( outline );
    return jelly;
}

// A closed polygon whose corners are rounded with the given radius (convex and concave alike).
void roundedPolygon( cairo_t* cr, const std::vector<std::pair<double, double>>& points, double radius )
{
    const size_t count = points.size();
    for( size_t i = 0; i < count; ++i )
    {
        auto prev = points[ ( i + count - 1 ) % count ];
        auto cur = points[ i ];
        auto next = points[ ( i + 1 ) % count ];
        auto towards = [ radius ]( std::pair<double, double> from, std::pair<double, double> to )
        {
            double dx = to.first - from.first;
            double dy = to.second - from.second;
            double length = std::hypot( dx, dy );
            double t = std::min( radius / length, 0.5 );
            return std::make_pair( from.first + dx * t, from.second + dy * t );
        };
        auto in = towards( cur, prev );
        auto out = towards( cur, next );
        if( i == 0 )
            cairo_move_to( cr, in.first, in.second );
        else
            cairo_line_to( cr, in.first, in.second );
        cairo_curve_to( cr, ( in.first + 2 * cur.first ) / 3, ( in.second + 2 * cur.second ) / 3,
                        ( out.first + 2 * cur.first ) / 3, ( out.second + 2 * cur.second ) / 3, out.first, out.second );
    }
    cairo_close_path( cr );
}

void circlePath( cairo_t* cr, double x, double y, double r )
{
    cairo_new_sub_path( cr );
    cairo_arc( cr, x, y, r, 0, 2 * M_PI );
    cairo_close_path( cr );
}

void ellipsePath( cairo_t* cr, double x, double y, double rx, double ry, double angle = 0.0 )
{
    cairo_save( cr );
    cairo_translate( cr, x, y );
    cairo_rotate( cr, angle );
    cairo_scale( cr, rx, ry );
    cairo_new_sub_path( cr );
    cairo_arc( cr, 0, 0, 1, 0, 2 * M_PI );
    cairo_close_path( cr );
    cairo_restore( cr );
}

void roundRectPath( cairo_t* cr, double x, double y, double w, double h, double r )
{
    cairo_new_sub_path( cr );
    cairo_arc( cr, x + w - r, y + r, r, -M_PI / 2, 0 );
    cairo_arc( cr, x + w - r, y + h - r, r, 0, M_PI / 2 );
    cairo_arc( cr, x + r, y + h - r, r, M_PI / 2, M_PI );
    cairo_arc( cr, x + r, y + r, r, M_PI, 1.5 * M_PI );
    cairo_close_path( cr );
}

// --- the kinds --------------------------------------------------------------------------------

void paintOrange( Canvas& canvas )
{
    Shape shape;
    shape.path = []( cairo_t* cr ) { circlePath( cr, 0.5, 0.5, 0.37 ); };
    Jelly jelly = jellyOf( 0xFFD49A, 0xFF8A1C, 0xC24600, 0x6E2A00 );
    // A faint peel texture of dimples keeps it from reading as a plain ball.
    jelly.details = []( cairo_t* cr )
    {
        cairo_set_source_rgba( cr, 0.75, 0.3, 0.0, 0.18 );
        for( int i = 0; i < 9; ++i )
        {
            double a = i * 2.4;
            double r = 0.1 + 0.2 * std::fmod( i * 0.37, 1.0 );
            circlePath( cr, 0.5 + std::cos( a ) * r, 0.55 + std::sin( a ) * r, 0.018 );
        }
        cairo_fill( cr );
        // The little stem dimple.
        cairo_set_source_rgba( cr, 0.35, 0.55, 0.05, 0.9 );
        ellipsePath( cr, 0.5, 0.17, 0.045, 0.025 );
        cairo_fill( cr );
    };
    paintJelly( canvas, shape, jelly );
}

void paintYellow( Canvas& canvas )
{
    // A lemon: long, with a nub at each end, lying at a slant.
    Shape shape;
    shape.path = []( cairo_t* cr )
    {
        cairo_save( cr );
        cairo_translate( cr, 0.5, 0.5 );
        cairo_rotate( cr, -0.5 );
        cairo_move_to( cr, -0.47, 0.0 );
        cairo_curve_to( cr, -0.44, -0.05, -0.40, -0.07, -0.36, -0.10 );
        cairo_curve_to( cr, -0.28, -0.27, 0.28, -0.27, 0.36, -0.10 );
        cairo_curve_to( cr, 0.40, -0.07, 0.44, -0.05, 0.47, 0.0 );
        cairo_curve_to( cr, 0.44, 0.05, 0.40, 0.07, 0.36, 0.10 );
        cairo_curve_to( cr, 0.28, 0.27, -0.28, 0.27, -0.36, 0.10 );
        cairo_curve_to( cr, -0.40, 0.07, -0.44, 0.05, -0.47, 0.0 );
        cairo_close_path( cr );
        cairo_restore( cr );
    };
    shape.sparkleX = 0.38;
    shape.sparkleY = 0.4;
    paintJelly( canvas, shape, jellyOf( 0xFFF8C0, 0xFFDB2E, 0xD89800, 0x7A5200 ) );
}

std::vector<std::pair<double, double>> starPoints( double cx, double cy, double outer, double inner, int points )
{
    std::vector<std::pair<double, double>> list;
    for( int i = 0; i < points * 2; ++i )
    {
        double a = -M_PI / 2 + i * M_PI / points;
        double r = ( i % 2 == 0 ) ? outer : inner;
        list.push_back( { cx + std::cos( a ) * r, cy + std::sin( a ) * r } );
    }
    return list;
}

void paintPurple( Canvas& canvas )
{
    Shape shape;
    shape.path = []( cairo_t* cr ) { roundedPolygon( cr, starPoints( 0.5, 0.53, 0.43, 0.215, 5 ), 0.07 ); };
    shape.centreY = 0.53;
    shape.sparkleX = 0.4;
    shape.sparkleY = 0.36;
    paintJelly( canvas, shape, jellyOf( 0xE8C4FF, 0xA64DFF, 0x6418B4, 0x35086A ) );
}

void heartPath( cairo_t* cr )
{
    cairo_move_to( cr, 0.5, 0.87 );
    cairo_curve_to( cr, 0.30, 0.72, 0.08, 0.56, 0.09, 0.36 );
    cairo_curve_to( cr, 0.10, 0.18, 0.36, 0.08, 0.5, 0.27 );
    cairo_curve_to( cr, 0.64, 0.08, 0.90, 0.18, 0.91, 0.36 );
    cairo_curve_to( cr, 0.92, 0.56, 0.70, 0.72, 0.5, 0.87 );
    cairo_close_path( cr );
}

void paintRed( Canvas& canvas )
{
    Shape shape;
    shape.path = heartPath;
    shape.centreY = 0.48;
    shape.sparkleX = 0.27;
    shape.sparkleY = 0.3;
    paintJelly( canvas, shape, jellyOf( 0xFFA6B4, 0xF0203F, 0xA6001C, 0x58000E ) );
}

void paintGreen( Canvas& canvas )
{
    Shape shape;
    // A jelly diamond: next to the round orange, a colour-blind player still sees the difference.
    shape.path = []( cairo_t* cr ) {
        roundedPolygon( cr, { { 0.5, 0.08 }, { 0.92, 0.5 }, { 0.5, 0.92 }, { 0.08, 0.5 } }, 0.05 );
    };
    shape.sparkleX = 0.36;
    shape.sparkleY = 0.36;
    paintJelly( canvas, shape, jellyOf( 0xB4F7A8, 0x2FC84A, 0x108428, 0x064216 ) );
}

void paintBlue( Canvas& canvas )
{
    Shape shape;
    shape.path = []( cairo_t* cr )
    {
        cairo_move_to( cr, 0.5, 0.08 );
        cairo_curve_to( cr, 0.57, 0.26, 0.78, 0.42, 0.78, 0.62 );
        cairo_arc( cr, 0.5, 0.62, 0.28, 0, M_PI );
        cairo_curve_to( cr, 0.22, 0.42, 0.43, 0.26, 0.5, 0.08 );
        cairo_close_path( cr );
    };
    shape.centreY = 0.55;
    shape.sparkleX = 0.38;
    shape.sparkleY = 0.5;
    paintJelly( canvas, shape, jellyOf( 0xB0DCFF, 0x2F8CFF, 0x1050C4, 0x08286A ) );
}

// The bear is drawn a little larger than its unit sketch so it fills the cell like the others.
void bearSpace( cairo_t* cr )
{
    cairo_save( cr );
    cairo_translate( cr, 0.5, 0.49 );
    cairo_scale( cr, 1.07, 1.07 );
    cairo_translate( cr, -0.5, -0.5 );
}

void paintBear( Canvas& canvas )
{
    Shape shape;
    shape.path = []( cairo_t* cr )
    {
        bearSpace( cr );
        circlePath( cr, 0.5, 0.31, 0.17 );
        circlePath( cr, 0.355, 0.17, 0.07 );
        circlePath( cr, 0.645, 0.17, 0.07 );
        ellipsePath( cr, 0.5, 0.63, 0.19, 0.22 );
        ellipsePath( cr, 0.3, 0.53, 0.085, 0.065, 0.6 );
        ellipsePath( cr, 0.7, 0.53, 0.085, 0.065, -0.6 );
        circlePath( cr, 0.365, 0.8, 0.09 );
        circlePath( cr, 0.635, 0.8, 0.09 );
        cairo_restore( cr );
    };
    shape.centreY = 0.5;
    shape.sparkleX = 0.42;
    shape.sparkleY = 0.22;
    Jelly jelly = jellyOf( 0xFFCCE2, 0xFF6AA6, 0xD02A6E, 0x701040 );
    jelly.details = []( cairo_t* cr )
    {
        bearSpace( cr );
        // Muzzle, eyes, nose and a tummy patch.
        cairo_set_source_rgba( cr, 1, 0.85, 0.92, 0.55 );
        ellipsePath( cr, 0.5, 0.37, 0.08, 0.055 );
        cairo_fill( cr );
        cairo_set_source_rgba( cr, 0.45, 0.05, 0.2, 0.9 );
        circlePath( cr, 0.44, 0.29, 0.022 );
        circlePath( cr, 0.56, 0.29, 0.022 );
        cairo_fill( cr );
        ellipsePath( cr, 0.5, 0.35, 0.028, 0.018 );
        cairo_fill( cr );
        cairo_set_source_rgba( cr, 1, 0.8, 0.9, 0.35 );
        ellipsePath( cr, 0.5, 0.66, 0.1, 0.12 );
        cairo_fill( cr );
        cairo_restore( cr );
    };
    jelly.gloss = 0.7;
    paintJelly( canvas, shape, jelly );
}

void paintCherries( Canvas& canvas )
{
    const int n = canvas.width();
    // Stems and leaf first, behind the fruit.
    cairo_t* cr = canvas.cr();
    cairo_save( cr );
    cairo_scale( cr, n, n );
    cairo_set_line_cap( cr, CAIRO_LINE_CAP_ROUND );
    for( int pass = 0; pass < 2; ++pass )
    {
        cairo_set_line_width( cr, pass == 0 ? 0.055 : 0.032 );
        if( pass == 0 )
            cairo_set_source_rgb( cr, 0.13, 0.25, 0.04 );
        else
            cairo_set_source_rgb( cr, 0.42, 0.66, 0.16 );
        cairo_move_to( cr, 0.31, 0.58 );
        cairo_curve_to( cr, 0.36, 0.38, 0.48, 0.22, 0.6, 0.13 );
        cairo_move_to( cr, 0.69, 0.62 );
        cairo_curve_to( cr, 0.66, 0.44, 0.62, 0.26, 0.6, 0.13 );
        cairo_stroke( cr );
    }
    // The leaf.
    cairo_move_to( cr, 0.6, 0.13 );
    cairo_curve_to( cr, 0.68, 0.04, 0.84, 0.06, 0.88, 0.13 );
    cairo_curve_to( cr, 0.8, 0.2, 0.68, 0.2, 0.6, 0.13 );
    cairo_close_path( cr );
    cairo_set_source_rgb( cr, 0.13, 0.3, 0.06 );
    cairo_set_line_width( cr, 0.03 );
    cairo_stroke_preserve( cr );
    cairo_pattern_t* leaf = cairo_pattern_create_linear( 0.6, 0.06, 0.8, 0.2 );
    cairo_pattern_add_color_stop_rgb( leaf, 0, 0.55, 0.85, 0.3 );
    cairo_pattern_add_color_stop_rgb( leaf, 1, 0.2, 0.55, 0.1 );
    cairo_set_source( cr, leaf );
    cairo_fill( cr );
    cairo_pattern_destroy( leaf );
    cairo_restore( cr );

    Shape shape;
    shape.path = []( cairo_t* cr )
    {
        circlePath( cr, 0.31, 0.66, 0.19 );
        circlePath( cr, 0.69, 0.7, 0.19 );
    };
    shape.centreY = 0.68;
    shape.sparkleX = 0.24;
    shape.sparkleY = 0.58;
    Jelly jelly = jellyOf( 0xFF8A96, 0xD8102C, 0x8A0012, 0x40000A );
    paintJelly( canvas, shape, jelly );
}

void paintChocolate( Canvas& canvas )
{
    Shape shape;
    shape.path = []( cairo_t* cr ) { roundRectPath( cr, 0.2, 0.12, 0.6, 0.76, 0.07 ); };
    shape.sparkleX = 0.3;
    shape.sparkleY = 0.22;
    Jelly jelly = jellyOf( 0xB07850, 0x70401F, 0x3C1C0A, 0x200C02 );
    jelly.gloss = 0.45;
    jelly.glow = 0.2;
    jelly.details = []( cairo_t* cr )
    {
        // Two by three squares with bevelled edges.
        for( int row = 0; row < 3; ++row )
            for( int column = 0; column < 2; ++column )
            {
                double x = 0.25 + column * 0.255;
                double y = 0.17 + row * 0.232;
                double w = 0.24;
                double h = 0.21;
                cairo_set_source_rgba( cr, 0.16, 0.06, 0.01, 0.85 );
                roundRectPath( cr, x - 0.012, y - 0.012, w + 0.024, h + 0.024, 0.03 );
                cairo_fill( cr );
                cairo_pattern_t* bevel = cairo_pattern_create_linear( x, y, x + w, y + h );
                cairo_pattern_add_color_stop_rgb( bevel, 0, 0.62, 0.38, 0.2 );
                cairo_pattern_add_color_stop_rgb( bevel, 0.5, 0.45, 0.25, 0.11 );
                cairo_pattern_add_color_stop_rgb( bevel, 1, 0.3, 0.15, 0.05 );
                cairo_set_source( cr, bevel );
                roundRectPath( cr, x, y, w, h, 0.03 );
                cairo_fill( cr );
                cairo_pattern_destroy( bevel );
                cairo_set_source_rgba( cr, 0.5, 0.29, 0.13, 1 );
                roundRectPath( cr, x + 0.035, y + 0.035, w - 0.07, h - 0.07, 0.02 );
                cairo_fill( cr );
            }
    };
    paintJelly( canvas, shape, jelly );
}

void paintGrapefruit( Canvas& canvas )
{
    // Half a slice, flat side down, so it never looks like the other round candies.
    Shape shape;
    shape.path = []( cairo_t* cr )
    {
        cairo_move_to( cr, 0.06, 0.68 );
        cairo_arc( cr, 0.5, 0.68, 0.44, M_PI, 2 * M_PI );
        cairo_close_path( cr );
    };
    shape.centreY = 0.52;
    shape.sparkleX = 0.3;
    shape.sparkleY = 0.42;
    Jelly jelly = jellyOf( 0xFFE0A0, 0xFFA040, 0xE06418, 0x6E2A06 );
    jelly.rim = 0.35;
    jelly.glow = 0.2;
    jelly.gloss = 0.55;
    jelly.details = []( cairo_t* cr )
    {
        // Pith, then five pink segments fanning out from the middle of the cut.
        cairo_set_source_rgb( cr, 1.0, 0.95, 0.86 );
        cairo_move_to( cr, 0.12, 0.68 );
        cairo_arc( cr, 0.5, 0.68, 0.38, M_PI, 2 * M_PI );
        cairo_close_path( cr );
        cairo_fill( cr );
        for( int i = 0; i < 5; ++i )
        {
            double a0 = M_PI + i * M_PI / 5 + 0.07;
            double a1 = M_PI + ( i + 1 ) * M_PI / 5 - 0.07;
            double mid = ( a0 + a1 ) / 2;
            cairo_pattern_t* flesh = cairo_pattern_create_radial( 0.5, 0.68, 0.03, 0.5, 0.68, 0.34 );
            cairo_pattern_add_color_stop_rgb( flesh, 0, 1.0, 0.62, 0.62 );
            cairo_pattern_add_color_stop_rgb( flesh, 1, 0.95, 0.25, 0.36 );
            cairo_set_source( cr, flesh );
            cairo_move_to( cr, 0.5 + std::cos( mid ) * 0.05, 0.68 + std::sin( mid ) * 0.05 );
            cairo_arc( cr, 0.5, 0.68, 0.345, a0, a1 );
            cairo_close_path( cr );
            cairo_fill( cr );
            cairo_pattern_destroy( flesh );
            // Juice sacs as light flecks.
            cairo_set_source_rgba( cr, 1, 0.85, 0.85, 0.55 );
            circlePath( cr, 0.5 + std::cos( mid ) * 0.22, 0.68 + std::sin( mid ) * 0.22, 0.02 );
            cairo_fill( cr );
        }
    };
    paintJelly( canvas, shape, jelly );
}

void paintLifesaver( Canvas& canvas )
{
    Shape shape;
    shape.path = []( cairo_t* cr )
    {
        cairo_set_fill_rule( cr, CAIRO_FILL_RULE_EVEN_ODD );
        circlePath( cr, 0.5, 0.5, 0.39 );
        circlePath( cr, 0.5, 0.5, 0.17 );
    };
    shape.sparkleX = 0.3;
    shape.sparkleY = 0.3;
    Jelly jelly = jellyOf( 0xFFEBB0, 0xF5B438, 0xBE7406, 0x5E3402 );
    jelly.details = []( cairo_t* cr )
    {
        // Ridges around the ring and a sugar sprinkle.
        cairo_set_line_width( cr, 0.012 );
        cairo_set_source_rgba( cr, 0.6, 0.32, 0.0, 0.35 );
        for( int i = 0; i < 16; ++i )
        {
            double a = i * M_PI / 8;
            cairo_move_to( cr, 0.5 + std::cos( a ) * 0.18, 0.5 + std::sin( a ) * 0.18 );
            cairo_line_to( cr, 0.5 + std::cos( a ) * 0.35, 0.5 + std::sin( a ) * 0.35 );
        }
        cairo_stroke( cr );
        static const uint32_t kSprinkles[] = { 0xFF4F8B, 0x4FB8FF, 0x7FE05A, 0xFFFFFF, 0xB96BFF };
        for( int i = 0; i < 12; ++i )
        {
            double a = i * 0.52 + 0.3;
            double r = 0.22 + 0.1 * std::fmod( i * 0.61, 1.0 );
            Colour::hex( kSprinkles[ i % 5 ] ).set( cr );
            cairo_save( cr );
            cairo_translate( cr, 0.5 + std::cos( a ) * r, 0.5 + std::sin( a ) * r );
            cairo_rotate( cr, a * 2.1 );
            roundRectPath( cr, -0.03, -0.01, 0.06, 0.02, 0.01 );
            cairo_fill( cr );
            cairo_restore( cr );
        }
    };
    paintJelly( canvas, shape, jelly );
}

void paintPeppermint( Canvas& canvas )
{
    const int n = canvas.width();
    // The twisted wrapper ends behind the sweet.
    cairo_t* cr = canvas.cr();
    cairo_save( cr );
    cairo_scale( cr, n, n );
    for( int side = -1; side <= 1; side += 2 )
    {
        cairo_save( cr );
        cairo_translate( cr, 0.5, 0.5 );
        cairo_scale( cr, side, 1 );
        cairo_move_to( cr, 0.24, -0.06 );
        cairo_curve_to( cr, 0.33, -0.08, 0.38, -0.2, 0.47, -0.19 );
        cairo_curve_to( cr, 0.44, -0.06, 0.44, 0.06, 0.47, 0.19 );
        cairo_curve_to( cr, 0.38, 0.2, 0.33, 0.08, 0.24, 0.06 );
        cairo_close_path( cr );
        cairo_set_source_rgba( cr, 0.55, 0.15, 0.3, 0.9 );
        cairo_set_line_width( cr, 0.025 );
        cairo_set_line_join( cr, CAIRO_LINE_JOIN_ROUND );
        cairo_stroke_preserve( cr );
        cairo_pattern_t* wrap = cairo_pattern_create_linear( 0, -0.2, 0, 0.2 );
        cairo_pattern_add_color_stop_rgb( wrap, 0, 1.0, 0.85, 0.92 );
        cairo_pattern_add_color_stop_rgb( wrap, 1, 0.92, 0.55, 0.72 );
        cairo_set_source( cr, wrap );
        cairo_fill( cr );
        cairo_pattern_destroy( wrap );
        cairo_set_source_rgba( cr, 1, 1, 1, 0.8 );
        cairo_set_line_width( cr, 0.012 );
        cairo_move_to( cr, 0.33, -0.04 );
        cairo_line_to( cr, 0.43, -0.13 );
        cairo_stroke( cr );
        cairo_restore( cr );
    }
    cairo_restore( cr );

    Shape shape;
    shape.path = []( cairo_t* cr ) { circlePath( cr, 0.5, 0.5, 0.29 ); };
    shape.sparkleX = 0.38;
    shape.sparkleY = 0.36;
    Jelly jelly = jellyOf( 0xFFFFFF, 0xFFF6F6, 0xD8C4CC, 0x6A1020 );
    jelly.glow = 0.1;
    jelly.rim = 0.4;
    jelly.details = []( cairo_t* cr )
    {
        // Six curved red stripes swirling from the centre.
        cairo_set_source_rgb( cr, 0.9, 0.1, 0.17 );
        for( int i = 0; i < 6; ++i )
        {
            double a = i * M_PI / 3;
            cairo_save( cr );
            cairo_translate( cr, 0.5, 0.5 );
            cairo_rotate( cr, a );
            cairo_move_to( cr, 0, 0 );
            cairo_curve_to( cr, 0.1, -0.02, 0.2, 0.05, 0.3, 0.0 );
            cairo_arc( cr, 0, 0, 0.3, 0.0, 0.42 );
            cairo_curve_to( cr, 0.18, 0.18, 0.08, 0.08, 0, 0 );
            cairo_close_path( cr );
            cairo_fill( cr );
            cairo_restore( cr );
        }
    };
    paintJelly( canvas, shape, jelly );
}

void wormPath( cairo_t* cr )
{
    cairo_move_to( cr, 0.16, 0.62 );
    cairo_curve_to( cr, 0.24, 0.82, 0.4, 0.76, 0.47, 0.56 );
    cairo_curve_to( cr, 0.54, 0.36, 0.64, 0.24, 0.84, 0.36 );
}

void paintWorm( Canvas& canvas )
{
    Shape shape;
    shape.path = wormPath;
    shape.stroke = 0.17;
    shape.sparkleX = 0.52;
    shape.sparkleY = 0.42;
    Jelly jelly = jellyOf( 0xFFE6A0, 0x8AD838, 0x3A8A10, 0x2A3A06 );
    jelly.body = []( cairo_t* cr )
    {
        // Two flavours along its length, each with its own light.
        cairo_pattern_t* pattern = cairo_pattern_create_linear( 0.16, 0.6, 0.84, 0.36 );
        cairo_pattern_add_color_stop_rgb( pattern, 0.0, 0.2, 0.8, 0.3 );
        cairo_pattern_add_color_stop_rgb( pattern, 0.42, 0.45, 0.9, 0.25 );
        cairo_pattern_add_color_stop_rgb( pattern, 0.58, 1.0, 0.72, 0.15 );
        cairo_pattern_add_color_stop_rgb( pattern, 1.0, 1.0, 0.45, 0.12 );
        cairo_set_source( cr, pattern );
        cairo_paint( cr );
        cairo_pattern_destroy( pattern );
    };
    jelly.details = []( cairo_t* cr )
    {
        // Sugar crystals on the gummy.
        cairo_set_source_rgba( cr, 1, 1, 1, 0.55 );
        for( int i = 0; i < 14; ++i )
        {
            double t = i / 13.0;
            double x = 0.18 + 0.64 * t;
            double y = 0.62 - 0.26 * t + 0.12 * std::sin( t * 6.0 );
            circlePath( cr, x + 0.02 * std::sin( i * 3.7 ), y + 0.02 * std::cos( i * 2.3 ), 0.011 );
        }
        cairo_fill( cr );
        // Eyes on the orange end.
        cairo_set_source_rgb( cr, 0.25, 0.08, 0.02 );
        circlePath( cr, 0.8, 0.33, 0.018 );
        circlePath( cr, 0.86, 0.38, 0.018 );
        cairo_fill( cr );
    };
    jelly.rim = 0.45;
    paintJelly( canvas, shape, jelly );
}

void paintBlocker( Canvas& canvas )
{
    Shape shape;
    shape.path = []( cairo_t* cr )
    {
        // A kidney-shaped bean, lying at a slant.
        cairo_save( cr );
        cairo_translate( cr, 0.5, 0.52 );
        cairo_rotate( cr, -0.35 );
        cairo_move_to( cr, -0.38, 0.02 );
        cairo_curve_to( cr, -0.40, -0.2, -0.2, -0.27, -0.06, -0.17 );
        cairo_curve_to( cr, 0.04, -0.1, 0.1, -0.26, 0.26, -0.22 );
        cairo_curve_to( cr, 0.44, -0.17, 0.46, 0.12, 0.3, 0.22 );
        cairo_curve_to( cr, 0.12, 0.33, -0.1, 0.24, -0.24, 0.22 );
        cairo_curve_to( cr, -0.34, 0.2, -0.37, 0.12, -0.38, 0.02 );
        cairo_close_path( cr );
        cairo_restore( cr );
    };
    shape.centreY = 0.52;
    shape.sparkleX = 0.3;
    shape.sparkleY = 0.42;
    Jelly jelly = jellyOf( 0x7A7088, 0x2E2834, 0x0E0A12, 0x000000 );
    jelly.gloss = 1.0;
    jelly.glow = 0.3;
    jelly.rim = 0.7;
    paintJelly( canvas, shape, jelly );
}

void canePath( cairo_t* cr )
{
    cairo_move_to( cr, 0.34, 0.84 );
    cairo_line_to( cr, 0.44, 0.34 );
    cairo_curve_to( cr, 0.49, 0.09, 0.8, 0.08, 0.77, 0.32 );
    cairo_line_to( cr, 0.74, 0.43 );
}

void paintWild( Canvas& canvas )
{
    Shape shape;
    shape.path = canePath;
    shape.stroke = 0.175;
    shape.sparkleX = 0.56;
    shape.sparkleY = 0.2;
    Jelly jelly = jellyOf( 0xFFFFFF, 0xFFFFFF, 0xD8CCE0, 0x4A1A5A );
    jelly.rim = 0.5;
    jelly.glow = 0.0;
    jelly.details = []( cairo_t* cr )
    {
        // Rainbow stripes across the cane: the wild matches every colour.
        static const uint32_t kStripes[] = { 0xF0203F, 0xFF8A1C, 0xFFD92E, 0x2FC84A, 0x2F8CFF, 0xA64DFF };
        cairo_save( cr );
        cairo_rotate( cr, 0.65 );
        for( int i = -14; i < 20; ++i )
        {
            Colour::hex( kStripes[ ( i + 140 ) % 6 ] ).set( cr );
            cairo_rectangle( cr, i * 0.085, -1.0, 0.042, 3.0 );
            cairo_fill( cr );
        }
        cairo_restore( cr );
    };
    paintJelly( canvas, shape, jelly );
    // Extra twinkles around the cane.
    const int n = canvas.width();
    cairo_t* cr = canvas.cr();
    cairo_save( cr );
    cairo_scale( cr, n, n );
    drawSparkle( cr, 0.22, 0.3, 0.065, 0.95 );
    drawSparkle( cr, 0.83, 0.62, 0.05, 0.9 );
    drawSparkle( cr, 0.62, 0.8, 0.045, 0.8 );
    cairo_restore( cr );
}

struct Kind
{
    const char* kpWord;
    void ( *paint )( Canvas& );
    std::vector<uint32_t> crumbs;
};

const std::vector<Kind>& kinds()
{
    static const std::vector<Kind> list = {
        { "orange", paintOrange, { 0xFF8A1C, 0xFFC266, 0xFFE0B0 } },
        { "yellow", paintYellow, { 0xFFD92E, 0xFFF08A, 0xFFFBD8 } },
        { "purple", paintPurple, { 0xA64DFF, 0xCF9AFF, 0xF0DDFF } },
        { "red", paintRed, { 0xF0203F, 0xFF7C90, 0xFFD0D8 } },
        { "green", paintGreen, { 0x2FC84A, 0x8CEB86, 0xDDFBD8 } },
        { "blue", paintBlue, { 0x2F8CFF, 0x86C0FF, 0xD8ECFF } },
        { "bear", paintBear, { 0xFF6AA6, 0xFFB0D0, 0xFFE6F0 } },
        { "cherries", paintCherries, { 0xD8102C, 0xFF6A7A, 0x6AB82A } },
        { "chocolate", paintChocolate, { 0x70401F, 0xA8703C, 0xD8A878 } },
        { "grapefruit", paintGrapefruit, { 0xFF5E6E, 0xFFA040, 0xFFF0E0 } },
        { "lifesaver", paintLifesaver, { 0xF5B438, 0xFFE0A0, 0xFF4F8B } },
        { "peppermint", paintPeppermint, { 0xE8202E, 0xFFFFFF, 0xFFC0CC } },
        { "worm", paintWorm, { 0x8AD838, 0xFF9A20, 0xFFE6A0 } },
        { "blocker", paintBlocker, { 0x2E2834, 0x5A5066, 0x9A90A8 } },
        { "wild", paintWild, { 0xF0203F, 0xFFD92E, 0x2FC84A, 0x2F8CFF, 0xA64DFF, 0xFFFFFF } },
    };
    return list;
}

const Kind* findKind( const std::string& word )
{
    for( const Kind& kind : kinds() )
        if( word == kind.kpWord )
            return &kind;
    return nullptr;
}
} // namespace

bool isKnown( const std::string& word )
{
    return findKind( word ) != nullptr;
}

Canvas paint( const std::string& word, int size )
{
    Canvas canvas( size, size );
    if( const Kind* kind = findKind( word ) )
        kind->paint( canvas );
    return canvas;
}

Canvas paintTile( const std::string& word )
{
    return paint( word, 42 * kSupersample ).downsampled( kSupersample );
}

std::vector<Colour> crumbColours( const std::string& word )
{
    std::vector<Colour> colours;
    if( const Kind* kind = findKind( word ) )
        for( uint32_t rgb : kind->crumbs )
            colours.push_back( Colour::hex( rgb ) );
    if( colours.empty() )
        colours.push_back( Colour::hex( 0xFFFFFF ) );
    return colours;
}
} // namespace CandyPainter
