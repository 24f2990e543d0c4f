#include "tools/mkicon/IconWriter.h"

#include <png.h>

#include <cstdio>
#include <filesystem>

#include "Framework/graphics/HWindowIcon.h"

namespace
{
void put16( std::vector<uint8_t>& out, uint32_t value )
{
    out.push_back( static_cast<uint8_t>( value & 0xFF ) );
    out.push_back( static_cast<uint8_t>( ( value >> 8 ) & 0xFF ) );
}

void put32( std::vector<uint8_t>& out, uint32_t value )
{
    put16( out, value & 0xFFFF );
    put16( out, value >> 16 );
}

void set32( std::vector<uint8_t>& out, size_t at, uint32_t value )
{
    for( int i = 0; i < 4; ++i )
        out[ at + i ] = static_cast<uint8_t>( ( value >> ( 8 * i ) ) & 0xFF );
}

// One picture as the system's bitmap: header, BGRA rows bottom-up, then the AND mask (set where
// the picture is fully clear; rows padded to four bytes).
std::vector<uint8_t> picture( int32_t size )
{
    std::vector<uint32_t> argb( static_cast<size_t>( size ) * size );
    HWindowIcon::paint( argb.data(), size );
    std::vector<uint8_t> out;
    put32( out, 40 );
    put32( out, static_cast<uint32_t>( size ) );
    put32( out, static_cast<uint32_t>( size * 2 ) ); // the colour rows and the mask rows
    put16( out, 1 );
    put16( out, 32 );
    put32( out, 0 );
    put32( out, 0 );
    put32( out, 0 );
    put32( out, 0 );
    put32( out, 0 );
    put32( out, 0 );
    for( int32_t y = size - 1; y >= 0; --y )
    {
        for( int32_t x = 0; x < size; ++x )
        {
            uint32_t pixel = argb[ static_cast<size_t>( y ) * size + x ];
            out.push_back( static_cast<uint8_t>( pixel & 0xFF ) );
            out.push_back( static_cast<uint8_t>( ( pixel >> 8 ) & 0xFF ) );
            out.push_back( static_cast<uint8_t>( ( pixel >> 16 ) & 0xFF ) );
            out.push_back( static_cast<uint8_t>( pixel >> 24 ) );
        }
    }
    const int32_t maskRow = ( ( size + 31 ) / 32 ) * 4;
    for( int32_t y = size - 1; y >= 0; --y )
    {
        std::vector<uint8_t> row( static_cast<size_t>( maskRow ), 0 );
        for( int32_t x = 0; x < size; ++x )
        {
            if( ( argb[ static_cast<size_t>( y ) * size + x ] >> 24 ) == 0 )
                row[ static_cast<size_t>( x / 8 ) ] |= static_cast<uint8_t>( 0x80 >> ( x % 8 ) );
        }
        out.insert( out.end(), row.begin(), row.end() );
    }
    return out;
}
}

std::vector<uint8_t> IconWriter::iconFile( const std::vector<int32_t>& sizes )
{
    std::vector<uint8_t> out;
    for( int32_t size : sizes )
    {
        if( size < 1 || size > 256 )
            return {};
    }
    put16( out, 0 );
    put16( out, 1 ); // an icon, not a cursor
    put16( out, static_cast<uint32_t>( sizes.size() ) );
    size_t directory = out.size();
    out.resize( directory + 16 * sizes.size(), 0 );
    for( size_t i = 0; i < sizes.size(); ++i )
    {
        std::vector<uint8_t> bitmap = picture( sizes[ i ] );
        size_t entry = directory + 16 * i;
        // A side of 256 is written as 0.
        out[ entry ] = static_cast<uint8_t>( sizes[ i ] & 0xFF );
        out[ entry + 1 ] = static_cast<uint8_t>( sizes[ i ] & 0xFF );
        out[ entry + 4 ] = 1;  // planes
        out[ entry + 6 ] = 32; // bits per pixel
        set32( out, entry + 8, static_cast<uint32_t>( bitmap.size() ) );
        set32( out, entry + 12, static_cast<uint32_t>( out.size() ) );
        out.insert( out.end(), bitmap.begin(), bitmap.end() );
    }
    return out;
}

namespace
{
// Written beside its name and renamed into place, so a failed build never leaves half a file.
bool writeFile( const std::string& path, const std::vector<uint8_t>& bytes )
{
    if( bytes.empty() )
        return false;
    std::string temporary = path + ".part";
    FILE* pFile = std::fopen( temporary.c_str(), "wb" );
    if( pFile == nullptr )
        return false;
    bool ok = std::fwrite( bytes.data(), 1, bytes.size(), pFile ) == bytes.size();
    ok = std::fclose( pFile ) == 0 && ok;
    if( !ok || std::rename( temporary.c_str(), path.c_str() ) != 0 )
    {
        std::remove( temporary.c_str() );
        return false;
    }
    return true;
}
} // namespace

bool IconWriter::write( const std::string& path, const std::vector<int32_t>& sizes )
{
    return writeFile( path, iconFile( sizes ) );
}

std::vector<uint8_t> IconWriter::pngFile( int32_t size )
{
    if( size < 1 || size > 1024 )
        return {};
    std::vector<uint32_t> argb( static_cast<size_t>( size ) * size );
    HWindowIcon::paint( argb.data(), size );
    std::vector<uint8_t> rgba;
    rgba.reserve( argb.size() * 4 );
    for( uint32_t pixel : argb )
    {
        rgba.push_back( static_cast<uint8_t>( ( pixel >> 16 ) & 0xFF ) );
        rgba.push_back( static_cast<uint8_t>( ( pixel >> 8 ) & 0xFF ) );
        rgba.push_back( static_cast<uint8_t>( pixel & 0xFF ) );
        rgba.push_back( static_cast<uint8_t>( pixel >> 24 ) );
    }
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>( size );
    image.height = static_cast<png_uint_32>( size );
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t bytes = 0;
    if( !png_image_write_to_memory( &image, nullptr, &bytes, 0, rgba.data(), 0, nullptr ) )
        return {};
    std::vector<uint8_t> out( bytes );
    if( !png_image_write_to_memory( &image, out.data(), &bytes, 0, rgba.data(), 0, nullptr ) )
        return {};
    out.resize( bytes );
    return out;
}

bool IconWriter::writeThemeIcons( const std::string& dir, const std::string& name, const std::vector<int32_t>& sizes )
{
    for( int32_t size : sizes )
    {
        std::string side = std::to_string( size );
        std::filesystem::path folder = std::filesystem::path( dir ) / ( side + "x" + side ) / "apps";
        std::error_code error;
        std::filesystem::create_directories( folder, error );
        if( error || !writeFile( ( folder / ( name + ".png" ) ).string(), pngFile( size ) ) )
            return false;
    }
    return true;
}
