#ifndef GLIMMERDROP_TOOLS_MKASSETS_COLOUR_H
#define GLIMMERDROP_TOOLS_MKASSETS_COLOUR_H

#include <cairo.h>

#include <algorithm>
#include <cstdint>

// A straight-alpha colour with components from 0 to 1, and the few mixes the painters need.
struct Colour
{
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    double a = 1.0;

    static Colour hex( uint32_t rgb, double alpha = 1.0 )
    {
        return { ( ( rgb >> 16 ) & 255 ) / 255.0, ( ( rgb >> 8 ) & 255 ) / 255.0, ( rgb & 255 ) / 255.0, alpha };
    }

    Colour withAlpha( double alpha ) const { return { r, g, b, alpha }; }
    Colour mix( const Colour& other, double t ) const
    {
        return { r + ( other.r - r ) * t, g + ( other.g - g ) * t, b + ( other.b - b ) * t, a + ( other.a - a ) * t };
    }
    Colour lighter( double t ) const { return mix( Colour{ 1.0, 1.0, 1.0, a }, t ); }
    Colour darker( double t ) const { return mix( Colour{ 0.0, 0.0, 0.0, a }, t ); }

    void set( cairo_t* cr ) const { cairo_set_source_rgba( cr, r, g, b, a ); }
    void addStop( cairo_pattern_t* pattern, double offset ) const
    {
        cairo_pattern_add_color_stop_rgba( pattern, offset, r, g, b, a );
    }
};

#endif
