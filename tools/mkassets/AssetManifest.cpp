#include "tools/mkassets/AssetManifest.h"

#include "tools/mkassets/ScreenLayout.h"

#include <cstdio>

namespace AssetManifest
{
const std::vector<std::string>& colourWords()
{
    static const std::vector<std::string> words = { "orange", "yellow", "purple", "red", "green", "blue" };
    return words;
}

const std::vector<std::string>& tileWords()
{
    static const std::vector<std::string> words = { "orange",    "yellow",     "purple",   "red",       "green",
                                                    "blue",      "bear",       "cherries", "chocolate", "grapefruit",
                                                    "lifesaver", "peppermint", "worm",     "blocker",   "wild" };
    return words;
}

Kind kindOf( const std::string& name )
{
    auto endsWith = [ &name ]( const char* kpTail )
    {
        std::string tail( kpTail );
        return name.size() >= tail.size() && name.compare( name.size() - tail.size(), tail.size(), tail ) == 0;
    };
    if( endsWith( ".jpg" ) )
        return AK_JPG;
    if( endsWith( ".wav" ) )
        return AK_WAV;
    if( endsWith( ".ogg" ) )
        return AK_OGG;
    return AK_TGA;
}

namespace
{
std::string twoDigits( int n )
{
    char text[ 8 ];
    std::snprintf( text, sizeof( text ), "%02d", n );
    return text;
}

std::vector<Asset> makeAll()
{
    std::vector<Asset> list;
    for( const ScreenLayout::Placement& placement : ScreenLayout::placements() )
        list.push_back( { placement.name, kindOf( placement.name ), placement.box.width, placement.box.height } );

    auto addTile = [ &list ]( const std::string& name ) {
        list.push_back( { name, AK_TGA, ScreenLayout::kCell, ScreenLayout::kCell } );
    };
    for( const std::string& word : tileWords() )
        addTile( "tile_" + word + ".tga" );
    std::vector<std::string> sets = colourWords();
    sets.push_back( "blocker" );
    for( const std::string& word : sets )
        for( int frame = 0; frame <= 10; ++frame )
            addTile( "anim_tile_" + word + "_ex" + twoDigits( frame ) + ".tga" );
    for( int frame = 0; frame <= 10; ++frame )
        addTile( "anim_tile_generic" + twoDigits( frame ) + ".tga" );
    addTile( "anim_tile_wild_ex00.tga" );

    for( const char* kpSound :
         { "click.wav", "crunch.wav", "guiclick.wav", "splash.ogg", "blocked.ogg", "bjbcrunch.ogg", "onemoretogo.ogg",
           "klaxon.ogg", "candycane.ogg", "levelup.ogg", "gameover.ogg", "theme.ogg" } )
        list.push_back( { kpSound, kindOf( kpSound ), 0, 0 } );
    return list;
}
} // namespace

const std::vector<Asset>& all()
{
    static const std::vector<Asset> list = makeAll();
    return list;
}

const Asset* find( const std::string& name )
{
    for( const Asset& asset : all() )
        if( asset.name == name )
            return &asset;
    return nullptr;
}
} // namespace AssetManifest
