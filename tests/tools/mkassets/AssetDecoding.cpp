#include "tests/tools/mkassets/AssetDecoding.h"

#include <jpeglib.h>
#include <minizip/unzip.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstring>

namespace AssetDecoding
{
namespace
{
struct JpegFailure
{
    jpeg_error_mgr manager;
    jmp_buf jump;
};

void failJpeg( j_common_ptr info )
{
    longjmp( reinterpret_cast<JpegFailure*>( info->err )->jump, 1 );
}

// A warning (corrupt or truncated data) counts as failure: the game must never show a grey half.
void warnJpeg( j_common_ptr info, int level )
{
    if( level < 0 )
        longjmp( reinterpret_cast<JpegFailure*>( info->err )->jump, 1 );
}

struct MemoryReader
{
    const std::vector<uint8_t>* bytes;
    size_t position;
};

size_t readMemory( void* destination, size_t size, size_t count, void* source )
{
    MemoryReader* reader = static_cast<MemoryReader*>( source );
    size_t wanted = size * count;
    size_t left = reader->bytes->size() - reader->position;
    size_t taken = std::min( wanted, left );
    std::memcpy( destination, reader->bytes->data() + reader->position, taken );
    reader->position += taken;
    return size == 0 ? 0 : taken / size;
}

int seekMemory( void* source, ogg_int64_t offset, int whence )
{
    MemoryReader* reader = static_cast<MemoryReader*>( source );
    ogg_int64_t base = whence == SEEK_SET   ? 0
                       : whence == SEEK_CUR ? ogg_int64_t( reader->position )
                                            : ogg_int64_t( reader->bytes->size() );
    ogg_int64_t target = base + offset;
    if( target < 0 || target > ogg_int64_t( reader->bytes->size() ) )
        return -1;
    reader->position = size_t( target );
    return 0;
}

long tellMemory( void* source )
{
    return long( static_cast<MemoryReader*>( source )->position );
}
} // namespace

bool decodeTGA( const std::vector<uint8_t>& bytes, Picture& out )
{
    if( bytes.size() < 18 || bytes[ 1 ] != 0 || bytes[ 2 ] != 2 )
        return false;
    int width = bytes[ 12 ] | bytes[ 13 ] << 8;
    int height = bytes[ 14 ] | bytes[ 15 ] << 8;
    int depth = bytes[ 16 ];
    if( depth != 24 && depth != 32 )
        return false;
    size_t step = size_t( depth / 8 );
    size_t start = 18 + bytes[ 0 ];
    if( bytes.size() < start + size_t( width ) * size_t( height ) * step )
        return false;
    out.width = width;
    out.height = height;
    out.depth = depth;
    out.rgba.assign( size_t( width ) * size_t( height ) * 4, 255 );
    for( int y = 0; y < height; ++y )
        for( int x = 0; x < width; ++x )
        {
            const uint8_t* p = &bytes[ start + ( size_t( height - 1 - y ) * size_t( width ) + size_t( x ) ) * step ];
            uint8_t* d = &out.rgba[ ( size_t( y ) * size_t( width ) + size_t( x ) ) * 4 ];
            d[ 0 ] = p[ 2 ];
            d[ 1 ] = p[ 1 ];
            d[ 2 ] = p[ 0 ];
            d[ 3 ] = step == 4 ? p[ 3 ] : 255;
        }
    return true;
}

bool decodeJPEG( const std::vector<uint8_t>& bytes, Picture& out )
{
    jpeg_decompress_struct info;
    JpegFailure failure;
    info.err = jpeg_std_error( &failure.manager );
    failure.manager.error_exit = failJpeg;
    failure.manager.emit_message = warnJpeg;
    if( setjmp( failure.jump ) )
    {
        jpeg_destroy_decompress( &info );
        return false;
    }
    jpeg_create_decompress( &info );
    jpeg_mem_src( &info, bytes.data(), static_cast<unsigned long>( bytes.size() ) );
    jpeg_read_header( &info, TRUE );
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress( &info );
    out.width = int( info.output_width );
    out.height = int( info.output_height );
    out.depth = 24;
    out.rgba.assign( size_t( out.width ) * size_t( out.height ) * 4, 255 );
    std::vector<uint8_t> row( size_t( out.width ) * 3 );
    while( info.output_scanline < info.output_height )
    {
        size_t y = info.output_scanline;
        JSAMPROW pointer = row.data();
        jpeg_read_scanlines( &info, &pointer, 1 );
        for( int x = 0; x < out.width; ++x )
            std::memcpy( &out.rgba[ ( y * size_t( out.width ) + size_t( x ) ) * 4 ], &row[ size_t( x ) * 3 ], 3 );
    }
    jpeg_finish_decompress( &info );
    jpeg_destroy_decompress( &info );
    return true;
}

bool decodeOgg( const std::vector<uint8_t>& bytes, Sound& out )
{
    MemoryReader reader{ &bytes, 0 };
    ov_callbacks callbacks{ readMemory, seekMemory, nullptr, tellMemory };
    OggVorbis_File file;
    if( ov_open_callbacks( &reader, &file, nullptr, 0, callbacks ) < 0 )
        return false;
    vorbis_info* info = ov_info( &file, -1 );
    out.channels = info->channels;
    out.rate = int( info->rate );
    ogg_int64_t total = ov_pcm_total( &file, -1 );
    out.samples.clear();
    char buffer[ 4096 ];
    int section = 0;
    bool ok = true;
    for( ;; )
    {
        long got = ov_read( &file, buffer, sizeof( buffer ), 0, 2, 1, &section );
        if( got == 0 )
            break;
        if( got < 0 )
        {
            ok = false;
            break;
        }
        size_t count = size_t( got ) / 2;
        size_t at = out.samples.size();
        out.samples.resize( at + count );
        std::memcpy( &out.samples[ at ], buffer, count * 2 );
    }
    ov_clear( &file );
    return ok && total > 0 && ogg_int64_t( out.frames() ) == total;
}

double joinPercentile( const Sound& sound, size_t last, size_t next )
{
    double worst = 0.0;
    const size_t frames = sound.frames();
    if( last < 2 || next >= frames )
        return 100.0;
    for( int c = 0; c < sound.channels; ++c )
    {
        auto at = [ &sound, c ]( size_t frame )
        { return double( sound.samples[ frame * size_t( sound.channels ) + size_t( c ) ] ); };
        std::vector<double> errors;
        for( size_t i = 2; i < frames; ++i )
            errors.push_back( std::fabs( at( i ) - 2.0 * at( i - 1 ) + at( i - 2 ) ) );
        std::sort( errors.begin(), errors.end() );
        double join = std::fabs( at( next ) - 2.0 * at( last ) + at( last - 1 ) );
        double rank = double( std::lower_bound( errors.begin(), errors.end(), join ) - errors.begin() );
        worst = std::max( worst, 100.0 * rank / double( errors.size() ) );
    }
    return worst;
}

double leadInDifference( const Sound& sound, size_t end, size_t loop, size_t span )
{
    if( span > loop || span > end || end > sound.frames() )
        return 0.0;
    double signal = 0.0;
    double difference = 0.0;
    const size_t channels = size_t( sound.channels );
    for( size_t i = 0; i < span * channels; ++i )
    {
        double a = sound.samples[ ( end - span ) * channels + i ];
        double b = sound.samples[ ( loop - span ) * channels + i ];
        signal += a * a;
        difference += ( a - b ) * ( a - b );
    }
    if( signal <= 0.0 )
        return 0.0;
    return 10.0 * std::log10( std::max( difference, 1e-9 ) / signal );
}

std::vector<std::string> listArchive( const std::string& path )
{
    std::vector<std::string> names;
    unzFile zip = unzOpen( path.c_str() );
    if( zip == nullptr )
        return names;
    for( int status = unzGoToFirstFile( zip ); status == UNZ_OK; status = unzGoToNextFile( zip ) )
    {
        unz_file_info info;
        char name[ 1024 ];
        if( unzGetCurrentFileInfo( zip, &info, name, sizeof( name ), nullptr, 0, nullptr, 0 ) != UNZ_OK )
            break;
        names.push_back( name );
    }
    unzClose( zip );
    return names;
}
} // namespace AssetDecoding
