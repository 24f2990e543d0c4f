#include "tools/mkassets/ImageWriters.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace ImageWriters
{
std::vector<uint8_t> encodeTGA( const Canvas& canvas )
{
    const int w = canvas.width();
    const int h = canvas.height();
    std::vector<uint8_t> bgra = canvas.straightBGRA();
    std::vector<uint8_t> out( 18 + bgra.size() );
    out[ 2 ] = 2; // uncompressed true colour
    out[ 12 ] = uint8_t( w & 255 );
    out[ 13 ] = uint8_t( w >> 8 );
    out[ 14 ] = uint8_t( h & 255 );
    out[ 15 ] = uint8_t( h >> 8 );
    out[ 16 ] = 32;
    out[ 17 ] = 8; // eight alpha bits, origin bottom left
    size_t rowBytes = size_t( w ) * 4;
    for( int y = 0; y < h; ++y )
    {
        const uint8_t* src = &bgra[ size_t( h - 1 - y ) * rowBytes ];
        uint8_t* dst = &out[ 18 + size_t( y ) * rowBytes ];
        for( size_t i = 0; i < rowBytes; i += 4 )
        {
            dst[ i ] = src[ i ];
            dst[ i + 1 ] = src[ i + 1 ];
            dst[ i + 2 ] = src[ i + 2 ];
            dst[ i + 3 ] = src[ i + 3 ];
            if( dst[ i + 3 ] != 0 && dst[ i ] == 255 && dst[ i + 1 ] == 0 && dst[ i + 2 ] == 255 )
                dst[ i + 1 ] = 1;
        }
    }
    return out;
}

std::vector<uint8_t> encodeJPEG( const Canvas& canvas, int quality )
{
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error( &error );
    jpeg_create_compress( &info );
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest( &info, &buffer, &size );
    info.image_width = JDIMENSION( canvas.width() );
    info.image_height = JDIMENSION( canvas.height() );
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults( &info );
    jpeg_set_quality( &info, quality, TRUE );
    for( int c = 0; c < 3; ++c )
    {
        info.comp_info[ c ].h_samp_factor = 1;
        info.comp_info[ c ].v_samp_factor = 1;
    }
    info.optimize_coding = TRUE;
    jpeg_start_compress( &info, TRUE );
    std::vector<uint8_t> rgb = canvas.rgb();
    while( info.next_scanline < info.image_height )
    {
        JSAMPROW row = &rgb[ size_t( info.next_scanline ) * size_t( canvas.width() ) * 3 ];
        jpeg_write_scanlines( &info, &row, 1 );
    }
    jpeg_finish_compress( &info );
    std::vector<uint8_t> out( buffer, buffer + size );
    jpeg_destroy_compress( &info );
    free( buffer );
    return out;
}

bool writePNG( const Canvas& canvas, const std::string& path )
{
    cairo_surface_flush( canvas.surface() );
    return cairo_surface_write_to_png( canvas.surface(), path.c_str() ) == CAIRO_STATUS_SUCCESS;
}
} // namespace ImageWriters
