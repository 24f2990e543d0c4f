#include "tests/Game/support/SpriteFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

std::string solidTga( int width, int height, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha )
{
    std::string bytes( 18, '\0' );
    bytes[ 2 ] = 2;
    bytes[ 12 ] = static_cast<char>( width & 0xFF );
    bytes[ 13 ] = static_cast<char>( width >> 8 );
    bytes[ 14 ] = static_cast<char>( height & 0xFF );
    bytes[ 15 ] = static_cast<char>( height >> 8 );
    bytes[ 16 ] = 32;
    bytes[ 17 ] = 8;
    for( int i = 0; i < width * height; ++i )
    {
        bytes += static_cast<char>( blue );
        bytes += static_cast<char>( green );
        bytes += static_cast<char>( red );
        bytes += static_cast<char>( alpha );
    }
    return bytes;
}

std::string solidJpeg( int width, int height, uint8_t red, uint8_t green, uint8_t blue )
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error( &errors );
    jpeg_create_compress( &info );
    unsigned char* pBuffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest( &info, &pBuffer, &size );
    info.image_width = static_cast<JDIMENSION>( width );
    info.image_height = static_cast<JDIMENSION>( height );
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults( &info );
    jpeg_set_quality( &info, 95, TRUE );
    jpeg_start_compress( &info, TRUE );
    std::vector<JSAMPLE> row( static_cast<size_t>( width ) * 3 );
    for( int x = 0; x < width; ++x )
    {
        row[ x * 3 ] = red;
        row[ x * 3 + 1 ] = green;
        row[ x * 3 + 2 ] = blue;
    }
    while( info.next_scanline < info.image_height )
    {
        JSAMPROW pRow = row.data();
        jpeg_write_scanlines( &info, &pRow, 1 );
    }
    jpeg_finish_compress( &info );
    std::string bytes( reinterpret_cast<const char*>( pBuffer ), size );
    jpeg_destroy_compress( &info );
    std::free( pBuffer );
    return bytes;
}

SpriteFolder::SpriteFolder()
{
    // The file system announces its folder on standard output; keep test logs quiet.
    testing::internal::CaptureStdout();
    m_fileSystem.init( m_dir.path().c_str() );
    testing::internal::GetCapturedStdout();
}

SpriteFolder::~SpriteFolder()
{
    m_fileSystem.shutdown();
}

void SpriteFolder::add( const std::string& name, int width, int height, uint8_t red, uint8_t green, uint8_t blue,
                        uint8_t alpha )
{
    m_dir.write( name, solidTga( width, height, red, green, blue, alpha ) );
}

bool SpriteFolder::addJpeg( const std::string& name, int width, int height, uint8_t red, uint8_t green, uint8_t blue )
{
    std::string bytes = solidJpeg( width, height, red, green, blue );
    if( bytes.empty() )
        return false;
    m_dir.write( name, bytes );
    return true;
}
