#include "tools/mkassets/AssetManifest.h"
#include "tools/mkassets/CandyPainter.h"
#include "tools/mkassets/CrunchPainter.h"
#include "tools/mkassets/ImageWriters.h"
#include "tools/mkassets/TextPainter.h"
#include <cstdio>
int main()
{
    std::vector<std::string> sets = { "red", "orange", "yellow", "purple", "green", "blue", "blocker", "generic", "wild" };
    Canvas sheet( 12 * 46, sets.size() * 46 );
    cairo_set_source_rgb( sheet.cr(), 0.36, 0.2, 0.5 );
    cairo_paint( sheet.cr() );
    for( size_t s = 0; s < sets.size(); ++s )
        for( int f = 0; f < 12; ++f )
        {
            Canvas t( 42, 42 );
            if( sets[ s ] == "generic" ) { if( f == 0 ) t = CandyPainter::paintTile( "bear" ); else t = CrunchPainter::paintGenericFrame( f - 1 ); }
            else if( sets[ s ] == "wild" ) { if( f == 0 ) t = CandyPainter::paintTile( "wild" ); else if( f == 1 ) t = CrunchPainter::paintWildFrame(); }
            else if( f == 0 ) t = CandyPainter::paintTile( sets[ s ] );
            else t = CrunchPainter::paintFrame( sets[ s ], f - 1 );
            sheet.paint( t, 2 + 46 * f, 2 + 46 * s );
        }
    ImageWriters::writePNG( sheet, "/tmp/mk_crunch.png" );
    return 0;
}
