#include "tests/Game/support/GameResources.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "Game/VXSpriteTable.h"
#include "tests/Game/support/SpriteFiles.h"
#include "tests/support/TempDir.h"

namespace
{
bool endsWith( const std::string& text, const std::string& end )
{
    return text.size() >= end.size() && text.compare( text.size() - end.size(), end.size(), end ) == 0;
}

GamePicture describe( int slot )
{
    GamePicture picture;
    picture.name = VXSpriteTable::fileName( slot );
    // Colours far apart for the pictures tests look at; a spread for the rest.
    picture.red = static_cast<uint8_t>( 40 + ( slot * 53 ) % 200 );
    picture.green = static_cast<uint8_t>( 40 + ( slot * 97 ) % 200 );
    picture.blue = static_cast<uint8_t>( 40 + ( slot * 151 ) % 200 );
    picture.width = 40;
    picture.height = 24;
    const std::string& name = picture.name;
    if( name == "background.jpg" || name == "loading.jpg" )
    {
        picture.width = 640;
        picture.height = 480;
    }
    else if( name == "arena.jpg" || name == "pause.jpg" || name.rfind( "info_", 0 ) == 0 )
    {
        picture.width = 420;
        picture.height = 420;
    }
    else if( name.rfind( "tutorial_", 0 ) == 0 && endsWith( name, ".jpg" ) )
    {
        picture.width = 346;
        picture.height = 80;
    }
    else if( name.rfind( "tile_", 0 ) == 0 || name.rfind( "anim_tile_", 0 ) == 0 )
        picture.width = picture.height = 42;
    else if( name.rfind( "font_", 0 ) == 0 )
    {
        picture.width = name == "font_comma.tga" ? 6 : 16;
        picture.height = 23;
    }
    else if( name == "timer.tga" || name == "progress.tga" )
    {
        picture.width = 360;
        picture.height = 24;
    }
    else if( name == "font.tga" )
    {
        picture.width = 128;
        picture.height = 84;
    }
    if( name == "background.jpg" )
        picture.red = 200, picture.green = 40, picture.blue = 40;
    else if( name == "arena.jpg" )
        picture.red = 40, picture.green = 40, picture.blue = 200;
    else if( name == "pause.jpg" )
        picture.red = 40, picture.green = 200, picture.blue = 40;
    else if( name == "info_start.jpg" )
        picture.red = 200, picture.green = 200, picture.blue = 40;
    return picture;
}

// Made once per test program; copied for each game.
const TempDir& pictureFolder()
{
    static TempDir s_dir;
    static bool s_made = false;
    if( !s_made )
    {
        s_made = true;
        for( const GamePicture& picture : gamePictures() )
        {
            if( endsWith( picture.name, ".jpg" ) )
                s_dir.write( picture.name, solidJpeg( picture.width, picture.height, picture.red, picture.green,
                                                      picture.blue ) );
            else
                s_dir.write( picture.name, solidTga( picture.width, picture.height, picture.red, picture.green,
                                                     picture.blue ) );
        }
    }
    return s_dir;
}
} // namespace

const std::vector<GamePicture>& gamePictures()
{
    static std::vector<GamePicture> s_pictures;
    if( s_pictures.empty() )
    {
        for( int slot = 0; slot < SPR_COUNT; ++slot )
            s_pictures.push_back( describe( slot ) );
    }
    return s_pictures;
}

const GamePicture& gamePicture( const std::string& name )
{
    for( const GamePicture& picture : gamePictures() )
    {
        if( picture.name == name )
            return picture;
    }
    return gamePictures().front();
}

bool copyGamePictures( const std::string& folder, const std::vector<std::string>& leaveOut )
{
    std::error_code error;
    std::filesystem::create_directories( folder, error );
    const TempDir& source = pictureFolder();
    for( const GamePicture& picture : gamePictures() )
    {
        if( std::find( leaveOut.begin(), leaveOut.end(), picture.name ) != leaveOut.end() )
            continue;
        std::string bytes = source.read( picture.name );
        std::ofstream out( folder + "/" + picture.name, std::ios::binary );
        out.write( bytes.data(), static_cast<std::streamsize>( bytes.size() ) );
        if( bytes.empty() || !out.good() )
            return false;
    }
    return true;
}

bool showsPicture( uint16_t pixel, const GamePicture& picture )
{
    int channels[ 3 ] = { ( pixel >> 10 ) & 31, ( pixel >> 5 ) & 31, pixel & 31 };
    int wanted[ 3 ] = { picture.red >> 3, picture.green >> 3, picture.blue >> 3 };
    for( int i = 0; i < 3; ++i )
    {
        if( channels[ i ] < wanted[ i ] - 2 || channels[ i ] > wanted[ i ] + 2 )
            return false;
    }
    return true;
}
