#include "tools/mkassets/CrunchPainter.h"

#include "tools/mkassets/CandyPainter.h"
#include "tools/mkassets/Random.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace CrunchPainter
{
namespace
{
constexpr int kSize = 42 * CandyPainter::kSupersample;

// Where in the burst a frame stands: frame k is on screen from (k + 1) / 12 to (k + 2) / 12 of
// the animation; u runs from 0 at the first frame to 1 at the last.
double burstTime( int frame )
{
    return std::clamp( frame / double( kFrames - 1 ), 0.0, 1.0 );
}

double easeOut( double t )
{
    return 1.0 - ( 1.0 - t ) * ( 1.0 - t );
}

uint64_t seedOf( const std::string& word )
{
    uint64_t seed = 1469598103934665603ull;
    for( char c : word )
        seed = ( seed ^ uint64_t( uint8_t( c ) ) ) * 1099511628211ull;
    return seed;
}

struct Crumb
{
    double angle;
    double speed;
    double size;
    double spin;
    int colour;
    int sides;
};

struct Twinkle
{
    double x;
    double y;
    double start;
    double size;
};

std::vector<Crumb> makeCrumbs( Random& random, int count, int colours )
{
    std::vector<Crumb> crumbs;
    for( int i = 0; i < count; ++i )
    {
        Crumb crumb;
        crumb.angle = ( i + random.range( 0.1, 0.9 ) ) * 2.0 * M_PI / count;
        crumb.speed = random.range( 0.16, 0.3 );
        crumb.size = random.range( 0.022, 0.042 );
        crumb.spin = random.range( -6.0, 6.0 );
        crumb.colour = random.below( colours );
        crumb.sides = 3 + random.below( 3 );
        crumbs.push_back( crumb );
    }
    return crumbs;
}

std::vector<Twinkle> makeTwinkles( Random& random, int count )
{
    std::vector<Twinkle> twinkles;
    for( int i = 0; i < count; ++i )
    {
        double a = ( i + random.unit() ) * 2.0 * M_PI / count;
        double r = random.range( 0.16, 0.4 );
        twinkles.push_back( { 0.5 + std::cos( a ) * r, 0.5 + std::sin( a ) * r, random.range( 0.15, 0.55 ),
                              random.range( 0.05, 0.085 ) } );
    }
    return twinkles;
}

void drawCrumbs( cairo_t* cr, const std::vector<Crumb>& crumbs, const std::vector<Colour>& colours, double u,
                 double begin )
{
    if( u < begin )
        return;
    double t = ( u - begin ) / ( 1.0 - begin );
    double alpha = t < 0.6 ? 1.0 : std::max( 0.0, 1.0 - ( t - 0.6 ) / 0.4 );
    for( const Crumb& crumb : crumbs )
    {
        double distance = 0.1 + crumb.speed * easeOut( t );
        double x = 0.5 + std::cos( crumb.angle ) * distance;
        double y = 0.5 + std::sin( crumb.angle ) * distance + 0.08 * t * t;
        double size = crumb.size * ( 1.0 - 0.45 * t );
        cairo_save( cr );
        cairo_translate( cr, x, y );
        cairo_rotate( cr, crumb.angle + crumb.spin * t );
        for( int k = 0; k < crumb.sides; ++k )
        {
            double a = k * 2.0 * M_PI / crumb.sides;
            double r = size * ( k % 2 == 0 ? 1.0 : 0.75 );
            if( k == 0 )
                cairo_move_to( cr, std::cos( a ) * r, std::sin( a ) * r );
            else
                cairo_line_to( cr, std::cos( a ) * r, std::sin( a ) * r );
        }
        cairo_close_path( cr );
        const Colour& colour = colours[ size_t( crumb.colour ) % colours.size() ];
        colour.darker( 0.45 ).withAlpha( alpha ).set( cr );
        cairo_set_line_width( cr, 0.008 );
        cairo_stroke_preserve( cr );
        colour.withAlpha( alpha ).set( cr );
        cairo_fill( cr );
        cairo_restore( cr );
    }
}

void drawTwinkles( cairo_t* cr, const std::vector<Twinkle>& twinkles, double u )
{
    for( const Twinkle& twinkle : twinkles )
    {
        double t = ( u - twinkle.start ) / 0.45;
        if( t <= 0.0 || t >= 1.0 )
            continue;
        double pulse = std::sin( t * M_PI );
        CandyPainter::drawSparkle( cr, twinkle.x, twinkle.y, twinkle.size * ( 0.5 + 0.5 * pulse ), pulse );
    }
}

void drawRing( cairo_t* cr, double u, const Colour& colour )
{
    if( u < 0.15 || u > 0.85 )
        return;
    double t = ( u - 0.15 ) / 0.7;
    cairo_set_line_width( cr, 0.035 * ( 1.0 - t ) + 0.005 );
    colour.withAlpha( 0.5 * ( 1.0 - t ) ).set( cr );
    cairo_new_sub_path( cr );
    cairo_arc( cr, 0.5, 0.5, 0.2 + 0.22 * easeOut( t ), 0, 2 * M_PI );
    cairo_stroke( cr );
}

// A white flash over the candy's own silhouette.
void paintFlashed( Canvas& target, const Canvas& candy, double scale, double flash )
{
    cairo_t* cr = target.cr();
    cairo_save( cr );
    cairo_translate( cr, kSize / 2.0, kSize / 2.0 );
    cairo_scale( cr, scale, scale );
    cairo_translate( cr, -kSize / 2.0, -kSize / 2.0 );
    target.paint( candy );
    if( flash > 0.0 )
    {
        Canvas white( candy );
        white.tint( 1.0, 1.0, 0.95 );
        target.paint( white, 0, 0, flash );
    }
    cairo_restore( cr );
}

void drawCracks( cairo_t* cr, Random random, double amount )
{
    cairo_set_line_cap( cr, CAIRO_LINE_CAP_ROUND );
    cairo_set_line_join( cr, CAIRO_LINE_JOIN_ROUND );
    for( int i = 0; i < 6; ++i )
    {
        double a = i * M_PI / 3 + random.range( -0.3, 0.3 );
        double x = 0.5;
        double y = 0.5;
        cairo_move_to( cr, x, y );
        for( int step = 1; step <= 3; ++step )
        {
            double r = 0.12 * step * amount;
            a += random.range( -0.35, 0.35 );
            cairo_line_to( cr, 0.5 + std::cos( a ) * r, 0.5 + std::sin( a ) * r );
        }
    }
    cairo_set_source_rgba( cr, 0.25, 0.05, 0.15, 0.55 );
    cairo_set_line_width( cr, 0.03 );
    cairo_stroke_preserve( cr );
    cairo_set_source_rgba( cr, 1, 1, 1, 0.95 );
    cairo_set_line_width( cr, 0.014 );
    cairo_stroke( cr );
}

struct Wedge
{
    double from;
    double to;
    double coreX;
    double coreY;
};

std::vector<Wedge> makeWedges( Random& random, int count )
{
    std::vector<Wedge> wedges;
    double start = random.range( 0.0, 1.0 );
    for( int i = 0; i < count; ++i )
    {
        double from = start + i * 2.0 * M_PI / count + random.range( -0.15, 0.15 );
        double to = start + ( i + 1 ) * 2.0 * M_PI / count + random.range( -0.15, 0.15 );
        wedges.push_back( { from, to, 0.5 + random.range( -0.04, 0.04 ), 0.5 + random.range( -0.04, 0.04 ) } );
    }
    for( int i = 0; i < count; ++i )
        wedges[ size_t( i ) ].to = wedges[ size_t( ( i + 1 ) % count ) ].from + ( i + 1 == count ? 2.0 * M_PI : 0.0 );
    return wedges;
}

void drawShards( Canvas& target, const Canvas& candy, const std::vector<Wedge>& wedges, double u )
{
    // Shards start to part at u = 0.2 and are gone by u = 0.85.
    double t = std::clamp( ( u - 0.2 ) / 0.65, 0.0, 1.0 );
    if( t >= 1.0 )
        return;
    cairo_t* cr = target.cr();
    for( const Wedge& wedge : wedges )
    {
        double mid = ( wedge.from + wedge.to ) / 2.0;
        double distance = 0.01 + 0.08 * easeOut( t );
        double scale = 1.0 - 0.7 * t;
        double alpha = t < 0.4 ? 1.0 : 1.0 - ( t - 0.4 ) / 0.6;
        double centreX = 0.5 + std::cos( mid ) * 0.2;
        double centreY = 0.5 + std::sin( mid ) * 0.2;
        cairo_save( cr );
        cairo_scale( cr, kSize, kSize );
        cairo_translate( cr, centreX + std::cos( mid ) * distance,
                         centreY + std::sin( mid ) * distance + 0.06 * t * t );
        cairo_rotate( cr, ( mid > M_PI ? -1.0 : 1.0 ) * 1.2 * t );
        cairo_scale( cr, scale, scale );
        cairo_translate( cr, -centreX, -centreY );
        // A jagged piece: from near the core out past the candy's edge.
        cairo_move_to( cr, wedge.coreX, wedge.coreY );
        cairo_line_to( cr, 0.5 + std::cos( wedge.from ) * 0.6, 0.5 + std::sin( wedge.from ) * 0.6 );
        cairo_line_to( cr, 0.5 + std::cos( mid ) * 0.7, 0.5 + std::sin( mid ) * 0.7 );
        cairo_line_to( cr, 0.5 + std::cos( wedge.to ) * 0.6, 0.5 + std::sin( wedge.to ) * 0.6 );
        cairo_close_path( cr );
        cairo_clip( cr );
        cairo_scale( cr, 1.0 / kSize, 1.0 / kSize );
        cairo_set_source_surface( cr, candy.surface(), 0, 0 );
        cairo_paint_with_alpha( cr, alpha );
        cairo_restore( cr );
    }
}

Canvas finish( Canvas& large )
{
    return large.downsampled( CandyPainter::kSupersample );
}
} // namespace

Canvas paintFrame( const std::string& word, int frame )
{
    Canvas candy = CandyPainter::paint( word, kSize );
    std::vector<Colour> colours = CandyPainter::crumbColours( word );
    Random random( seedOf( word ) );
    std::vector<Wedge> wedges = makeWedges( random, 7 );
    std::vector<Crumb> crumbs = makeCrumbs( random, 14, int( colours.size() ) );
    std::vector<Twinkle> twinkles = makeTwinkles( random, 6 );
    Random crackRandom( seedOf( word ) + 7 );

    const double u = burstTime( frame );
    Canvas large( kSize, kSize );
    cairo_t* cr = large.cr();
    if( frame == 0 )
        paintFlashed( large, candy, 1.03, 0.3 );
    else if( frame == 1 )
    {
        paintFlashed( large, candy, 1.05, 0.45 );
        Canvas cracks( kSize, kSize );
        cairo_save( cracks.cr() );
        cairo_scale( cracks.cr(), kSize, kSize );
        drawCracks( cracks.cr(), crackRandom, 1.0 );
        cairo_restore( cracks.cr() );
        cracks.maskBy( candy );
        large.paint( cracks );
    }
    else
    {
        Canvas lit( kSize, kSize );
        paintFlashed( lit, candy, 1.04, std::max( 0.0, 0.35 - u * 0.4 ) );
        drawShards( large, lit, wedges, u );
    }
    cairo_save( cr );
    cairo_scale( cr, kSize, kSize );
    drawRing( cr, u, colours.front().lighter( 0.6 ) );
    drawCrumbs( cr, crumbs, colours, u, 0.15 );
    drawTwinkles( cr, twinkles, u );
    cairo_restore( cr );
    return finish( large );
}

Canvas paintGenericFrame( int frame )
{
    static const std::vector<Colour> confetti = {
        Colour::hex( 0xFF4F8B ), Colour::hex( 0xFFD92E ), Colour::hex( 0x4FB8FF ), Colour::hex( 0x7FE05A ),
        Colour::hex( 0xB96BFF ), Colour::hex( 0xFFFFFF ), Colour::hex( 0xFF8A1C ) };
    Random random( seedOf( "generic" ) );
    std::vector<Crumb> crumbs = makeCrumbs( random, 18, int( confetti.size() ) );
    std::vector<Twinkle> twinkles = makeTwinkles( random, 7 );

    const double u = burstTime( frame );
    Canvas large( kSize, kSize );
    cairo_t* cr = large.cr();
    cairo_save( cr );
    cairo_scale( cr, kSize, kSize );
    // A puff of light takes the candy's place and shrinks away.
    double puff = std::max( 0.0, 1.0 - u / 0.55 );
    if( puff > 0.0 )
    {
        double radius = 0.26 + 0.14 * ( 1.0 - puff );
        cairo_pattern_t* pattern = cairo_pattern_create_radial( 0.5, 0.5, 0.0, 0.5, 0.5, radius );
        cairo_pattern_add_color_stop_rgba( pattern, 0.0, 1.0, 1.0, 0.95, puff );
        cairo_pattern_add_color_stop_rgba( pattern, 0.55, 1.0, 0.9, 0.55, 0.85 * puff );
        cairo_pattern_add_color_stop_rgba( pattern, 1.0, 1.0, 0.6, 0.8, 0.0 );
        cairo_set_source( cr, pattern );
        cairo_arc( cr, 0.5, 0.5, radius, 0, 2 * M_PI );
        cairo_fill( cr );
        cairo_pattern_destroy( pattern );
        // Rays.
        cairo_set_source_rgba( cr, 1, 1, 0.9, 0.8 * puff );
        for( int i = 0; i < 8; ++i )
        {
            double a = i * M_PI / 4 + 0.2;
            double inner = 0.12;
            double outer = 0.3 + 0.12 * ( 1.0 - puff ) + ( i % 2 ) * 0.06;
            cairo_move_to( cr, 0.5 + std::cos( a - 0.12 ) * inner, 0.5 + std::sin( a - 0.12 ) * inner );
            cairo_line_to( cr, 0.5 + std::cos( a ) * outer, 0.5 + std::sin( a ) * outer );
            cairo_line_to( cr, 0.5 + std::cos( a + 0.12 ) * inner, 0.5 + std::sin( a + 0.12 ) * inner );
            cairo_close_path( cr );
        }
        cairo_fill( cr );
    }
    drawRing( cr, u, Colour::hex( 0xFFF0B0 ) );
    drawCrumbs( cr, crumbs, confetti, u, 0.05 );
    drawTwinkles( cr, twinkles, u );
    cairo_restore( cr );
    return finish( large );
}

Canvas paintWildFrame()
{
    static const uint32_t kRainbow[] = { 0xF0203F, 0xFF8A1C, 0xFFD92E, 0x2FC84A, 0x2F8CFF, 0xA64DFF };
    Canvas large( kSize, kSize );
    cairo_t* cr = large.cr();
    cairo_save( cr );
    cairo_scale( cr, kSize, kSize );
    cairo_pattern_t* pattern = cairo_pattern_create_radial( 0.5, 0.5, 0.0, 0.5, 0.5, 0.42 );
    cairo_pattern_add_color_stop_rgba( pattern, 0.0, 1, 1, 1, 0.95 );
    cairo_pattern_add_color_stop_rgba( pattern, 0.4, 1, 0.95, 0.8, 0.5 );
    cairo_pattern_add_color_stop_rgba( pattern, 1.0, 1, 0.8, 1, 0.0 );
    cairo_set_source( cr, pattern );
    cairo_paint( cr );
    cairo_pattern_destroy( pattern );
    for( int i = 0; i < 6; ++i )
    {
        double a = i * M_PI / 3 - M_PI / 2;
        double x = 0.5 + std::cos( a ) * 0.3;
        double y = 0.5 + std::sin( a ) * 0.3;
        Colour colour = Colour::hex( kRainbow[ i ] );
        cairo_pattern_t* dot = cairo_pattern_create_radial( x, y, 0.0, x, y, 0.09 );
        colour.withAlpha( 0.9 ).addStop( dot, 0.0 );
        colour.withAlpha( 0.0 ).addStop( dot, 1.0 );
        cairo_set_source( cr, dot );
        cairo_arc( cr, x, y, 0.09, 0, 2 * M_PI );
        cairo_fill( cr );
        cairo_pattern_destroy( dot );
        CandyPainter::drawSparkle( cr, x, y, 0.06, 1.0 );
    }
    CandyPainter::drawSparkle( cr, 0.5, 0.5, 0.16, 1.0 );
    cairo_restore( cr );
    return finish( large );
}
} // namespace CrunchPainter
