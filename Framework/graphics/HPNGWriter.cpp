#include "Framework/graphics/HPNGWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <png.h>
#include <string>
#include <vector>

#include "Framework/util/src/HLog.h"

namespace
{
struct WriteJob
{
    FILE* pFile;
    const uint16_t* kpPixels;
    int32_t width;
    int32_t height;
    int32_t pitch;
    png_bytep pRow;
    char message[ 256 ];
};

void onError( png_structp png, png_const_charp kpMessage )
{
    WriteJob* pJob = static_cast<WriteJob*>( png_get_error_ptr( png ) );
    std::snprintf( pJob->message, sizeof( pJob->message ), "%s", kpMessage );
    png_longjmp( png, 1 );
}

void onWarning( png_structp, png_const_charp ) {}

// No C++ object with a destructor may live in this frame: libpng leaves it by a long jump.
bool writeRows( png_structp png, png_infop info, WriteJob* pJob )
{
    if( setjmp( png_jmpbuf( png ) ) )
        return false;
    png_init_io( png, pJob->pFile );
    png_set_IHDR( png, info, static_cast<png_uint_32>( pJob->width ), static_cast<png_uint_32>( pJob->height ), 8,
                  PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT );
    png_set_compression_level( png, 6 );
    png_write_info( png, info );
    for( int32_t y = 0; y < pJob->height; ++y )
    {
        const uint16_t* kpRow = pJob->kpPixels + static_cast<size_t>( y ) * pJob->pitch;
        for( int32_t x = 0; x < pJob->width; ++x )
        {
            uint16_t word = kpRow[ x ];
            pJob->pRow[ x * 3 ] = HPNGWriter::widen5( ( word >> 10 ) & 31 );
            pJob->pRow[ x * 3 + 1 ] = HPNGWriter::widen5( ( word >> 5 ) & 31 );
            pJob->pRow[ x * 3 + 2 ] = HPNGWriter::widen5( word & 31 );
        }
        png_write_row( png, pJob->pRow );
    }
    png_write_end( png, info );
    return true;
}
} // namespace

bool HPNGWriter::write555( const char* kpPath, const uint16_t* kpPixels, int32_t width, int32_t height, int32_t pitch )
{
    if( kpPath == nullptr || kpPixels == nullptr || width <= 0 || height <= 0 || pitch < width )
    {
        debugTrace( "HPNGWriter::write555 - nothing to write to '%s'", kpPath != nullptr ? kpPath : "(null)" );
        return false;
    }
    std::string temporary = std::string( kpPath ) + ".part";
    std::vector<png_byte> row( static_cast<size_t>( width ) * 3 );
    WriteJob job = {};
    job.kpPixels = kpPixels;
    job.width = width;
    job.height = height;
    job.pitch = pitch;
    job.pRow = row.data();
    job.pFile = std::fopen( temporary.c_str(), "wb" );
    if( job.pFile == nullptr )
    {
        debugTrace( "HPNGWriter::write555 - could not create '%s'", temporary.c_str() );
        return false;
    }
    png_structp png = png_create_write_struct( PNG_LIBPNG_VER_STRING, &job, onError, onWarning );
    png_infop info = png != nullptr ? png_create_info_struct( png ) : nullptr;
    bool written = info != nullptr && writeRows( png, info, &job );
    png_destroy_write_struct( &png, &info );
    bool closed = std::fclose( job.pFile ) == 0;
    bool renamed = written && closed && std::rename( temporary.c_str(), kpPath ) == 0;
    // Some systems refuse to rename over an existing file; the old picture then goes first.
    if( written && closed && !renamed && std::remove( kpPath ) == 0 )
        renamed = std::rename( temporary.c_str(), kpPath ) == 0;
    if( !renamed )
    {
        debugTrace( "HPNGWriter::write555 - could not write '%s' %s", kpPath, job.message );
        std::remove( temporary.c_str() );
        return false;
    }
    return true;
}
