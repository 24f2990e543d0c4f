#include "tools/mkassets/AssetBuilder.h"

#include "tools/mkassets/AssetManifest.h"
#include "tools/mkassets/CandyPainter.h"
#include "tools/mkassets/CrunchPainter.h"
#include "tools/mkassets/DialogPainter.h"
#include "tools/mkassets/GlyphSheet.h"
#include "tools/mkassets/HudPainter.h"
#include "tools/mkassets/ImageWriters.h"
#include "tools/mkassets/ScreenLayout.h"
#include "tools/mkassets/ScreenPainter.h"
#include "tools/mkassets/SoundDesigner.h"

#include <thread>

namespace AssetBuilder
{
namespace
{
bool startsWith( const std::string& text, const std::string& head )
{
    return text.compare( 0, head.size(), head ) == 0;
}

int frameNumber( const std::string& name, size_t at )
{
    if( at + 2 > name.size() )
        return -1;
    return ( name[ at ] - '0' ) * 10 + ( name[ at + 1 ] - '0' );
}

bool paintTileFamily( const std::string& name, Canvas& out )
{
    const std::string still = "tile_";
    if( startsWith( name, still ) )
    {
        std::string word = name.substr( still.size(), name.size() - still.size() - 4 );
        if( !CandyPainter::isKnown( word ) )
            return false;
        out = CandyPainter::paintTile( word );
        return true;
    }
    const std::string generic = "anim_tile_generic";
    if( startsWith( name, generic ) )
    {
        out = CrunchPainter::paintGenericFrame( frameNumber( name, generic.size() ) );
        return true;
    }
    if( name == "anim_tile_wild_ex00.tga" )
    {
        out = CrunchPainter::paintWildFrame();
        return true;
    }
    const std::string animation = "anim_tile_";
    size_t marker = name.find( "_ex" );
    if( startsWith( name, animation ) && marker != std::string::npos )
    {
        std::string word = name.substr( animation.size(), marker - animation.size() );
        if( !CandyPainter::isKnown( word ) )
            return false;
        out = CrunchPainter::paintFrame( word, frameNumber( name, marker + 3 ) );
        return true;
    }
    return false;
}

bool paintHudFamily( const std::string& name, Canvas& out, std::string& error )
{
    static const char* const kDigits[] = { "zero", "one", "two",   "three", "four",
                                           "five", "six", "seven", "eight", "nine" };
    for( int digit = 0; digit < 10; ++digit )
        if( name == std::string( "font_" ) + kDigits[ digit ] + ".tga" )
        {
            out = HudPainter::paintDigit( digit );
            return true;
        }
    const ScreenLayout::Placement* placement = ScreenLayout::find( name );
    if( placement == nullptr )
        return false;
    const int w = placement->box.width;
    const int h = placement->box.height;
    if( name == "font_comma.tga" )
        out = HudPainter::paintComma();
    else if( name == "font.tga" )
    {
        out = Canvas( w, h );
        if( !GlyphSheet::paint( out, error ) )
            return false;
    }
    else if( name == "level.tga" )
        out = HudPainter::paintBanner( "Level", w, h );
    else if( name == "time_bonus.tga" )
        out = HudPainter::paintBanner( "Time Bonus!", w, h );
    else if( name == "startlevel_bonus.tga" )
        out = HudPainter::paintBanner( "Start Level Bonus!", w, h );
    else if( name == "timer.tga" )
        out = HudPainter::paintTimer( w, h );
    else if( startsWith( name, "bites0" ) )
        out = HudPainter::paintBites( name[ 6 ] - '0', w, h );
    else if( name == "progress.tga" )
        out = HudPainter::paintProgress( w, h );
    else if( name == "cursor.tga" )
        out = HudPainter::paintCursor( w, h );
    else if( name == "tutorial_hand.tga" )
        out = HudPainter::paintHand( w, h );
    else if( name == "logo.tga" || name == "logo_lit.tga" )
        out = HudPainter::paintLogo( w, h, name == "logo_lit.tga" );
    else if( name == "icon_click_to_start_lit.tga" )
        out = ScreenPainter::paintStartButton( true );
    else
        return false;
    return true;
}

bool paintScreenFamily( const std::string& name, Canvas& out )
{
    if( name == "background.jpg" )
        out = ScreenPainter::paintBackground();
    else if( name == "arena.jpg" )
        out = ScreenPainter::paintArena();
    else if( name == "loading.jpg" )
        out = ScreenPainter::paintLoading();
    else if( name == "pause.jpg" )
        out = ScreenPainter::paintPause();
    else if( startsWith( name, "info_" ) )
        out = ScreenPainter::paintInfo( name );
    else if( startsWith( name, "tutorial_" ) && name != "tutorial_hand.tga" )
        out = ScreenPainter::paintTutorialPage( name[ 9 ] - '0' );
    else if( name == "highscores_newrow.tga" )
        out = DialogPainter::paintNewRowMarker();
    else if( DialogPainter::isButton( name ) )
        out = DialogPainter::paintButton( name );
    else if( AssetManifest::kindOf( name ) == AssetManifest::AK_JPG )
        out = DialogPainter::paintDialog( name );
    else
        return false;
    return true;
}
} // namespace

bool paintPicture( const std::string& name, Canvas& out, std::string& error )
{
    if( paintTileFamily( name, out ) )
        return true;
    if( paintHudFamily( name, out, error ) )
        return true;
    if( !error.empty() )
        return false;
    if( paintScreenFamily( name, out ) )
        return true;
    error = "no painter for '" + name + "'";
    return false;
}

bool makeSound( const std::string& name, SoundBuffer& out, std::string& error )
{
    return SoundDesigner::make( name, out, error );
}

std::vector<uint8_t> encodePicture( const std::string& name, const Canvas& canvas )
{
    if( AssetManifest::kindOf( name ) == AssetManifest::AK_JPG )
        return ImageWriters::encodeJPEG( canvas, kJpegQuality );
    return ImageWriters::encodeTGA( canvas );
}

std::vector<uint8_t> encodeSound( const std::string& name, const SoundBuffer& sound )
{
    if( AssetManifest::kindOf( name ) == AssetManifest::AK_WAV )
        return SoundWriters::encodeWAV( sound );
    return SoundWriters::encodeOgg( sound, SoundDesigner::qualityOf( name ), SoundDesigner::serialOf( name ) );
}

bool buildAll( ArchiveWriter& archive, std::string& error )
{
    const auto& assets = AssetManifest::all();
    std::map<std::string, std::vector<uint8_t>> sounds;
    std::string soundError;
    std::thread soundThread(
        [ &assets, &sounds, &soundError ]
        {
            for( const AssetManifest::Asset& asset : assets )
            {
                if( asset.kind != AssetManifest::AK_WAV && asset.kind != AssetManifest::AK_OGG )
                    continue;
                SoundBuffer sound;
                if( !makeSound( asset.name, sound, soundError ) )
                    return;
                sounds[ asset.name ] = encodeSound( asset.name, sound );
            }
        } );

    std::map<std::string, std::vector<uint8_t>> pictures;
    bool ok = true;
    for( const AssetManifest::Asset& asset : assets )
    {
        if( asset.kind != AssetManifest::AK_TGA && asset.kind != AssetManifest::AK_JPG )
            continue;
        Canvas canvas( 1, 1 );
        if( !paintPicture( asset.name, canvas, error ) )
        {
            ok = false;
            break;
        }
        if( canvas.width() != asset.width || canvas.height() != asset.height )
        {
            error = "'" + asset.name + "' came out " + std::to_string( canvas.width() ) + " x " +
                    std::to_string( canvas.height() ) + ", the layout says " + std::to_string( asset.width ) + " x " +
                    std::to_string( asset.height );
            ok = false;
            break;
        }
        pictures[ asset.name ] = encodePicture( asset.name, canvas );
    }
    soundThread.join();
    if( !ok )
        return false;
    if( !soundError.empty() )
    {
        error = soundError;
        return false;
    }
    for( const AssetManifest::Asset& asset : assets )
    {
        auto picture = pictures.find( asset.name );
        auto sound = sounds.find( asset.name );
        if( picture != pictures.end() )
            archive.add( asset.name, std::move( picture->second ) );
        else if( sound != sounds.end() )
            archive.add( asset.name, std::move( sound->second ) );
        else
        {
            error = "nothing was made for '" + asset.name + "'";
            return false;
        }
    }
    return true;
}
} // namespace AssetBuilder
