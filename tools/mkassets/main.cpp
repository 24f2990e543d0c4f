#include "tools/mkassets/TextPainter.h"
#include "tools/mkassets/ImageWriters.h"
#include <cstdio>
int main()
{
    std::string error;
    if( !TextPainter::registerFonts( error ) ) { std::fprintf( stderr, "%s\n", error.c_str() ); return 1; }
    Canvas c( 400, 200 );
    Colour::hex( 0x8040a0 ).set( c.cr() );
    cairo_paint( c.cr() );
    TextPainter::Style s;
    s.family = TextPainter::TF_TITLE; s.size = 40; s.outline = 3; s.outlineColour = Colour::hex(0x502060);
    s.shadowOffset = 3; s.shadowBlur = 3;
    s.gradient = true; s.fill = Colour::hex(0xffffff); s.fillBottom = Colour::hex(0xffc0e0);
    TextPainter::draw( c, "Glimmerdrop", 20, 20, s );
    s.family = TextPainter::TF_BODY; s.size = 18; s.gradient=false; s.outline = 0; s.shadowOffset=0;
    TextPainter::draw( c, "Slide candies into the <b>empty</b> space.", 20, 100, s, 360 );
    s.family = TextPainter::TF_DIGITS; s.size = 24;
    TextPainter::draw( c, "0123456789", 20, 150, s );
    ImageWriters::writePNG( c, "/tmp/mk_text.png" );
    return 0;
}
