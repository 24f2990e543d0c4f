#include "tools/mkassets/AssetManifest.h"
#include "tools/mkassets/GlyphSheet.h"
#include "tools/mkassets/HudPainter.h"
#include "tools/mkassets/ImageWriters.h"
#include "tools/mkassets/TextPainter.h"
#include "tools/mkassets/UiKit.h"
#include <cstdio>
int main()
{
    std::string error;
    if( !TextPainter::registerFonts( error ) ) { std::fprintf( stderr, "%s\n", error.c_str() ); return 1; }
    Canvas sheet( 640, 480 );
    UiKit::paintBackdrop( sheet, 0, 0 );
    UiKit::paintTray( sheet, 20, 20, 300, 200, 20 );
    for( int d = 0; d < 10; ++d ) sheet.paint( HudPainter::paintDigit( d ), 40 + 18 * d, 40 );
    sheet.paint( HudPainter::paintComma(), 40 + 180 - 4, 43 );
    sheet.paint( HudPainter::paintBanner( "Level", 68, 26 ), 40, 80 );
    sheet.paint( HudPainter::paintBanner( "Time Bonus!", 164, 32 ), 120, 80 );
    sheet.paint( HudPainter::paintTimer( 360, 24 ).downsampled(1), 340, 30 );
    Canvas timer = HudPainter::paintTimer( 360, 24 );
    cairo_save( sheet.cr() ); cairo_rectangle( sheet.cr(), 20, 240, 200, 24 ); cairo_clip( sheet.cr() ); sheet.paint( timer, 20, 240 ); cairo_restore( sheet.cr() );
    for( int f = 0; f < 3; ++f ) sheet.paint( HudPainter::paintBites( f, 14, 24 ), 220 + 0 * f, 240 + 30 * f );
    cairo_save( sheet.cr() ); cairo_rectangle( sheet.cr(), 20, 270, 200, 24 ); cairo_clip( sheet.cr() ); sheet.paint( timer, 20, 270 ); cairo_restore( sheet.cr() );
    cairo_save( sheet.cr() ); cairo_rectangle( sheet.cr(), 20, 300, 200, 24 ); cairo_clip( sheet.cr() ); sheet.paint( timer, 20, 300 ); cairo_restore( sheet.cr() );
    sheet.paint( HudPainter::paintProgress( 514, 26 ), 60, 340 );
    sheet.paint( HudPainter::paintCursor( 26, 30 ), 400, 100 );
    sheet.paint( HudPainter::paintHand( 72, 72 ), 450, 100 );
    sheet.paint( HudPainter::paintLogo( 200, 36, false ), 1, 443 );
    sheet.paint( HudPainter::paintLogo( 200, 36, true ), 250, 443 );
    Canvas font( 128, 84 );
    if( !GlyphSheet::paint( font, error ) ) return 1;
    UiKit::paintWell( sheet, 350, 170, 140, 90, 6 );
    sheet.paint( font, 356, 173 );
    Canvas pill( 172, 26 ); UiKit::paintPill( pill, 0, 0, 172, 26, "Pause", UiKit::PT_PINK, false ); sheet.paint( pill, 452, 380 );
    Canvas pill2( 172, 26 ); UiKit::paintPill( pill2, 0, 0, 172, 26, "High Scores", UiKit::PT_PINK, true ); sheet.paint( pill2, 452, 410 );
    ImageWriters::writePNG( sheet, "/tmp/mk_hud.png" );
    return 0;
}
