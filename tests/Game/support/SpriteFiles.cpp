#include "tests/Game/support/SpriteFiles.h"

#include <gtest/gtest.h>

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
    std::string command = "convert -size " + std::to_string( width ) + "x" + std::to_string( height ) + " xc:'rgb(" +
                          std::to_string( red ) + "," + std::to_string( green ) + "," + std::to_string( blue ) +
                          ")' -quality 95 '" + m_dir.file( name ) + "' >/dev/null 2>&1";
    return runCommand( command ) == 0;
}
