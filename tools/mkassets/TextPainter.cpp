#include "tools/mkassets/TextPainter.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cstring>

namespace TextPainter
{
namespace
{
struct FontFile
{
    Family family;
    const char* kpPath;
    const char* kpFamilyName;
};

const FontFile kFonts[] = {
    { TF_TITLE, "/usr/share/fonts/truetype/leckerli-one/LeckerliOne-Regular.ttf", "Leckerli One" },
    { TF_BODY, "/usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf", "Comic Neue" },
    { TF_BODY, "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf", "Comic Neue" },
    { TF_DIGITS, "/usr/share/fonts/opentype/league-spartan/LeagueSpartan-Black.otf", "League Spartan" },
    { TF_MONO, "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf", "DejaVu Sans Mono" },
};

const char* familyName( Family family )
{
    for( const FontFile& font : kFonts )
        if( font.family == family )
            return font.kpFamilyName;
    return "Sans";
}

PangoLayout* makeLayout( cairo_t* cr, const std::string& markup, const Style& style, double wrapWidth )
{
    PangoLayout* layout = pango_cairo_create_layout( cr );
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias( options, CAIRO_ANTIALIAS_GRAY );
    cairo_font_options_set_hint_style( options, CAIRO_HINT_STYLE_NONE );
    cairo_font_options_set_hint_metrics( options, CAIRO_HINT_METRICS_OFF );
    pango_cairo_context_set_font_options( pango_layout_get_context( layout ), options );
    pango_layout_context_changed( layout );
    cairo_font_options_destroy( options );

    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family( description, familyName( style.family ) );
    // League Spartan is registered in its black weight only; asking for bold keeps that face.
    pango_font_description_set_weight( description,
                                       ( style.bold || style.family == TF_DIGITS )
                                           ? ( style.family == TF_DIGITS ? PANGO_WEIGHT_HEAVY : PANGO_WEIGHT_BOLD )
                                           : PANGO_WEIGHT_NORMAL );
    pango_font_description_set_absolute_size( description, style.size * PANGO_SCALE );
    pango_layout_set_font_description( layout, description );
    pango_font_description_free( description );

    if( wrapWidth > 0.0 )
    {
        pango_layout_set_width( layout, int( wrapWidth * PANGO_SCALE ) );
        pango_layout_set_wrap( layout, PANGO_WRAP_WORD );
    }
    pango_layout_set_alignment( layout, style.align == TA_CENTRE  ? PANGO_ALIGN_CENTER
                                        : style.align == TA_RIGHT ? PANGO_ALIGN_RIGHT
                                                                  : PANGO_ALIGN_LEFT );
    if( style.lineSpacing != 1.0 )
        pango_layout_set_line_spacing( layout, float( style.lineSpacing ) );
    pango_layout_set_markup( layout, markup.c_str(), -1 );
    return layout;
}

// Pango measures the logical box; without a wrap width the alignment works against that box.
double layoutOffsetX( PangoLayout* layout, const Style& style, double wrapWidth )
{
    if( wrapWidth > 0.0 )
        return 0.0;
    PangoRectangle logical;
    pango_layout_get_pixel_extents( layout, nullptr, &logical );
    if( style.align == TA_CENTRE )
        return -logical.width / 2.0;
    if( style.align == TA_RIGHT )
        return -logical.width;
    return 0.0;
}

void renderLayout( cairo_t* cr, PangoLayout* layout, double x, double y, const Style& style, double top, double bottom )
{
    cairo_save( cr );
    cairo_move_to( cr, x, y );
    if( style.outline > 0.0 )
    {
        pango_cairo_layout_path( cr, layout );
        cairo_set_line_join( cr, CAIRO_LINE_JOIN_ROUND );
        cairo_set_line_width( cr, style.outline * 2.0 );
        style.outlineColour.set( cr );
        cairo_stroke( cr );
        cairo_move_to( cr, x, y );
    }
    if( style.gradient )
    {
        pango_cairo_layout_path( cr, layout );
        cairo_pattern_t* pattern = cairo_pattern_create_linear( 0, top, 0, bottom );
        style.fill.addStop( pattern, 0.0 );
        style.fillBottom.addStop( pattern, 1.0 );
        cairo_set_source( cr, pattern );
        cairo_fill( cr );
        cairo_pattern_destroy( pattern );
    }
    else
    {
        style.fill.set( cr );
        pango_cairo_show_layout( cr, layout );
    }
    cairo_restore( cr );
}
} // namespace

bool registerFonts( std::string& error )
{
    FcConfig* config = FcConfigGetCurrent();
    for( const FontFile& font : kFonts )
    {
        if( !FcConfigAppFontAddFile( config, reinterpret_cast<const FcChar8*>( font.kpPath ) ) )
        {
            error = std::string( "cannot register the font file '" ) + font.kpPath + "'";
            return false;
        }
    }
    // Pango falls back to any font it likes; make sure every family resolves to our file.
    PangoFontMap* map = pango_cairo_font_map_get_default();
    PangoContext* context = pango_font_map_create_context( map );
    for( const FontFile& font : kFonts )
    {
        PangoFontDescription* wanted = pango_font_description_from_string( font.kpFamilyName );
        pango_font_description_set_absolute_size( wanted, 20 * PANGO_SCALE );
        PangoFont* loaded = pango_font_map_load_font( map, context, wanted );
        bool ok = false;
        if( loaded != nullptr )
        {
            PangoFontDescription* got = pango_font_describe( loaded );
            const char* kpFamily = pango_font_description_get_family( got );
            ok = kpFamily != nullptr && std::strcmp( kpFamily, font.kpFamilyName ) == 0;
            pango_font_description_free( got );
            g_object_unref( loaded );
        }
        pango_font_description_free( wanted );
        if( !ok )
        {
            error = std::string( "the font family '" ) + font.kpFamilyName + "' does not resolve to " + font.kpPath;
            g_object_unref( context );
            return false;
        }
    }
    g_object_unref( context );
    return true;
}

Extent measure( const std::string& markup, const Style& style, double wrapWidth )
{
    Canvas scratch( 1, 1 );
    PangoLayout* layout = makeLayout( scratch.cr(), markup, style, wrapWidth );
    PangoRectangle logical;
    pango_layout_get_pixel_extents( layout, nullptr, &logical );
    g_object_unref( layout );
    return { double( logical.width ) + style.outline * 2.0, double( logical.height ) + style.outline * 2.0 };
}

void draw( Canvas& canvas, const std::string& markup, double x, double y, const Style& style, double wrapWidth )
{
    cairo_t* cr = canvas.cr();
    PangoLayout* layout = makeLayout( cr, markup, style, wrapWidth );
    double offset = layoutOffsetX( layout, style, wrapWidth );
    PangoRectangle ink;
    PangoRectangle logical;
    pango_layout_get_pixel_extents( layout, &ink, &logical );
    double top = y + ink.y;
    double bottom = y + ink.y + ink.height;

    if( style.shadowColour.a > 0.0 && ( style.shadowOffset != 0.0 || style.shadowBlur > 0.0 ) )
    {
        Canvas shadow( canvas.width(), canvas.height() );
        cairo_matrix_t matrix;
        cairo_get_matrix( cr, &matrix );
        cairo_set_matrix( shadow.cr(), &matrix );
        Style shadowStyle = style;
        shadowStyle.gradient = false;
        shadowStyle.fill = style.shadowColour.withAlpha( 1.0 );
        shadowStyle.outlineColour = shadowStyle.fill;
        PangoLayout* shadowLayout = makeLayout( shadow.cr(), markup, style, wrapWidth );
        renderLayout( shadow.cr(), shadowLayout, x + offset, y + style.shadowOffset, shadowStyle, top, bottom );
        g_object_unref( shadowLayout );
        shadow.blur( style.shadowBlur );
        cairo_save( cr );
        cairo_identity_matrix( cr );
        canvas.paint( shadow, 0, 0, style.shadowColour.a );
        cairo_restore( cr );
    }
    renderLayout( cr, layout, x + offset, y, style, top, bottom );
    g_object_unref( layout );
}

void drawFitted( Canvas& canvas, const std::string& markup, double x, double y, double width, double height,
                 Style style )
{
    Style measured = style;
    measured.align = TA_LEFT;
    Extent extent = measure( markup, measured );
    while( ( extent.width > width || extent.height > height * 1.35 ) && style.size > 6.0 )
    {
        style.size *= 0.95;
        measured.size = style.size;
        extent = measure( markup, measured );
    }
    // Centre on the ink, which sits lower than the logical box in most of our fonts.
    Canvas scratch( 1, 1 );
    PangoLayout* layout = makeLayout( scratch.cr(), markup, measured, 0.0 );
    PangoRectangle ink;
    pango_layout_get_pixel_extents( layout, &ink, nullptr );
    g_object_unref( layout );
    style.align = TA_LEFT;
    double left = x + ( width - ink.width ) / 2.0 - ink.x;
    double top = y + ( height - ink.height ) / 2.0 - ink.y;
    draw( canvas, markup, left, top, style );
}
} // namespace TextPainter
