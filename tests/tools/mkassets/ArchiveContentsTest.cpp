// The built archive against the game's needs: every file the game names, read through the game's
// own file system and loaders, with the size, format and placement its drawing code implies.
// Names, positions and rules are typed here from the game's description, not taken from the
// generator, so a slip on either side shows up.

#include "tests/support/MemoryDisplayDevice.h"
#include "tests/tools/mkassets/AssetDecoding.h"

#include "Framework/FileSystem/src/HZIPFileSystem.h"
#include "Framework/audio/HOGGLoader.h"
#include "Framework/audio/HOVAudioStream.h"
#include "Framework/audio/HWAVLoader.h"
#include "Framework/graphics/HImage.h"
#include "Framework/graphics/HImageLoaderProxy.h"
#include "Framework/graphics/HSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace
{
using AssetDecoding::Picture;
using AssetDecoding::Sound;

const std::string kArchive = std::string( GLIMMERDROP_BINARY_DIR ) + "/glimmerdrop.vxz";

std::string twoDigits( int n )
{
    char text[ 8 ];
    std::snprintf( text, sizeof( text ), "%02d", n );
    return text;
}

std::vector<std::string> expectedPictures()
{
    std::vector<std::string> names = {
        "background.jpg",
        "arena.jpg",
        "pause.jpg",
        "loading.jpg",
        "progress.tga",
        "timer.tga",
        "bites00.tga",
        "bites01.tga",
        "bites02.tga",
        "level.tga",
        "time_bonus.tga",
        "startlevel_bonus.tga",
        "cursor.tga",
        "logo.tga",
        "logo_lit.tga",
        "font_comma.tga",
        "font.tga",
        "icon_click_to_start_lit.tga",
        "info_start.jpg",
        "info_hint.jpg",
        "info_blackjellybean.jpg",
        "info_wildcard.jpg",
        "info_red.jpg",
        "info_green.jpg",
        "info_blue.jpg",
        "tutorial_hand.tga",
        "gameover.jpg",
        "entername.jpg",
        "highscores_newrow.tga",
        "highscores.jpg",
        "highscores_areyousure.jpg",
        "restart_areyousure.jpg",
        "options_dialog.jpg",
        "options_icon_startlevel.tga",
    };
    for( const char* kpDigit : { "zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine" } )
        names.push_back( std::string( "font_" ) + kpDigit + ".tga" );
    for( int page = 1; page <= 6; ++page )
        names.push_back( "tutorial_" + std::to_string( page ) + ".jpg" );
    for( const char* kpTile : { "orange", "yellow", "purple", "red", "green", "blue", "bear", "cherries", "chocolate",
                                "grapefruit", "lifesaver", "peppermint", "worm", "blocker", "wild" } )
        names.push_back( std::string( "tile_" ) + kpTile + ".tga" );
    for( const char* kpSet : { "red", "green", "blue", "yellow", "purple", "orange", "blocker" } )
        for( int frame = 0; frame <= 10; ++frame )
            names.push_back( std::string( "anim_tile_" ) + kpSet + "_ex" + twoDigits( frame ) + ".tga" );
    for( int frame = 0; frame <= 10; ++frame )
        names.push_back( "anim_tile_generic" + twoDigits( frame ) + ".tga" );
    names.push_back( "anim_tile_wild_ex00.tga" );
    for( const char* kpButton : { "icon_pause",
                                  "icon_resume",
                                  "icon_restart",
                                  "icon_options",
                                  "icon_highscores",
                                  "icon_exit",
                                  "icon_continue",
                                  "icon_ok",
                                  "highscores_ok",
                                  "highscores_clearall",
                                  "highscores_areyousure_yes",
                                  "highscores_areyousure_no",
                                  "restart_areyousure_OK",
                                  "restart_areyousure_CANCEL",
                                  "options_icon_ok",
                                  "options_icon_on",
                                  "options_icon_off",
                                  "options_icon_space",
                                  "options_icon_candies",
                                  "options_icon_1",
                                  "options_icon_6",
                                  "options_icon_10",
                                  "options_icon_14",
                                  "options_icon_18",
                                  "options_icon_22" } )
    {
        names.push_back( std::string( kpButton ) + ".tga" );
        names.push_back( std::string( kpButton ) + "_lit.tga" );
    }
    return names;
}

const std::vector<std::string> kWavSounds = { "click.wav", "crunch.wav", "guiclick.wav" };
const std::vector<std::string> kOggSounds = { "splash.ogg",      "blocked.ogg",  "bjbcrunch.ogg",
                                              "onemoretogo.ogg", "klaxon.ogg",   "candycane.ogg",
                                              "levelup.ogg",     "gameover.ogg", "theme.ogg" };

struct Rect
{
    int left;
    int top;
    int right;
    int bottom;
};

// Controls and dialog items are hit-tested with right and bottom inside.
bool overlapClosed( const Rect& a, const Rect& b )
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

bool inside( const Rect& inner, const Rect& outer )
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

class ArchiveContentsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pictures = new std::map<std::string, Picture>();
        s_masked = new std::map<std::string, bool>();
        s_files = new std::map<std::string, std::vector<uint8_t>>();
        s_sounds = new std::map<std::string, Sound>();
        HZIPFileSystem archive;
        if( !archive.init( kArchive.c_str() ) )
            return;
        MemoryDisplayDevice display;
        display.initScreen( 640, 480, "test", false, true );
        for( const std::string& name : expectedPictures() )
        {
            readBytes( archive, name );
            // As a sprite loads it: the loader chosen by the name, then the display's 15-bit surface.
            HImageLoaderProxy loader;
            if( !loader.load( &archive, name.c_str() ) || loader.getImage() == nullptr )
                continue;
            const HImage* pImage = loader.getImage();
            if( pImage->getFormat() != IF_ARGB32 )
                continue;
            Picture picture;
            picture.width = pImage->getWidth();
            picture.height = pImage->getHeight();
            picture.depth = 32;
            picture.rgba.resize( size_t( picture.width ) * size_t( picture.height ) * 4 );
            for( int y = 0; y < picture.height; ++y )
                for( int x = 0; x < picture.width; ++x )
                    pImage->getPixelRGBA(
                        x, y, &picture.rgba[ ( size_t( y ) * size_t( picture.width ) + size_t( x ) ) * 4 ] );
            ( *s_pictures )[ name ] = picture;
            HSurface* pSurface = display.createSurface( pImage );
            if( pSurface != nullptr )
                ( *s_masked )[ name ] = pSurface->getMask() != nullptr;
            display.destroySurface( pSurface );
        }
        for( const std::string& name : kWavSounds )
            loadSound( archive, name, true );
        for( const std::string& name : kOggSounds )
            loadSound( archive, name, false );
        archive.shutdown();
    }

    static void readBytes( HZIPFileSystem& archive, const std::string& name )
    {
        HFile* pFile = archive.openFileForRead( name.c_str() );
        if( pFile == nullptr )
            return;
        std::vector<uint8_t> bytes( pFile->getSize() );
        uint32_t got = bytes.empty() ? 0 : pFile->read( bytes.data(), uint32_t( bytes.size() ) );
        pFile->close();
        if( got == bytes.size() )
            ( *s_files )[ name ] = bytes;
    }

    // As the sound bank loads it: 16 bits at 22050 Hz.
    static void loadSound( HZIPFileSystem& archive, const std::string& name, bool wav )
    {
        readBytes( archive, name );
        HWAVLoader wavLoader;
        HOGGLoader oggLoader;
        HAudioLoader& loader = wav ? static_cast<HAudioLoader&>( wavLoader ) : oggLoader;
        AudioSample sample{};
        if( !loader.loadAudioSample( &archive, name.c_str(), sample, 16, 22050 ) )
            return;
        Sound sound;
        sound.channels = sample.channels;
        sound.rate = sample.frequency;
        sound.samples.resize( size_t( sample.size ) / 2 );
        std::memcpy( sound.samples.data(), sample.data, sound.samples.size() * 2 );
        HAudioLoader::freeSampleData( sample.data );
        if( sample.bits == 16 )
            ( *s_sounds )[ name ] = sound;
    }

    static void TearDownTestSuite()
    {
        delete s_pictures;
        delete s_masked;
        delete s_files;
        delete s_sounds;
        s_pictures = nullptr;
        s_masked = nullptr;
        s_files = nullptr;
        s_sounds = nullptr;
    }

    const Picture& picture( const std::string& name )
    {
        static const Picture kNone;
        auto found = s_pictures->find( name );
        if( found == s_pictures->end() )
        {
            ADD_FAILURE() << name << " is missing or the game's loader refuses it";
            return kNone;
        }
        return found->second;
    }

    Rect placed( const std::string& name, int x, int y )
    {
        const Picture& p = picture( name );
        return { x, y, x + p.width, y + p.height };
    }

    const Sound& sound( const std::string& name )
    {
        static const Sound kNone;
        auto found = s_sounds->find( name );
        if( found == s_sounds->end() )
        {
            ADD_FAILURE() << name << " is missing or the game's loader refuses it at 16 bits, 22050 Hz";
            return kNone;
        }
        return found->second;
    }

    static std::map<std::string, Picture>* s_pictures;
    static std::map<std::string, bool>* s_masked;
    static std::map<std::string, std::vector<uint8_t>>* s_files;
    static std::map<std::string, Sound>* s_sounds;
};

std::map<std::string, Picture>* ArchiveContentsTest::s_pictures = nullptr;
std::map<std::string, bool>* ArchiveContentsTest::s_masked = nullptr;
std::map<std::string, std::vector<uint8_t>>* ArchiveContentsTest::s_files = nullptr;
std::map<std::string, Sound>* ArchiveContentsTest::s_sounds = nullptr;
} // namespace

TEST_F( ArchiveContentsTest, HoldsExactlyTheFilesTheGameNames )
{
    std::vector<std::string> listed = AssetDecoding::listArchive( kArchive );
    ASSERT_FALSE( listed.empty() ) << kArchive << " is missing or unreadable";
    std::set<std::string> expected;
    for( const std::string& name : expectedPictures() )
        expected.insert( name );
    expected.insert( kWavSounds.begin(), kWavSounds.end() );
    expected.insert( kOggSounds.begin(), kOggSounds.end() );
    std::set<std::string> present( listed.begin(), listed.end() );
    EXPECT_EQ( present.size(), listed.size() ) << "an entry is stored twice";
    for( const std::string& name : expected )
        EXPECT_TRUE( present.count( name ) ) << "missing " << name;
    for( const std::string& name : present )
        EXPECT_TRUE( expected.count( name ) ) << "unexpected " << name;
    // The game has no partner: its logo must be absent, which the game allows.
    EXPECT_FALSE( present.count( "partnerlogo.tga" ) );
}

TEST_F( ArchiveContentsTest, PicturesDecodeInTheFormatsTheLoadersTake )
{
    for( const std::string& name : expectedPictures() )
    {
        const Picture& p = picture( name );
        EXPECT_GT( p.width, 0 ) << name;
        ASSERT_TRUE( s_masked->count( name ) ) << name << " made no surface";
        // Backgrounds are copied whole; sprites need their mask to be drawn over them.
        EXPECT_EQ( ( *s_masked )[ name ], name.compare( name.size() - 4, 4, ".tga" ) == 0 ) << name;
        if( name.compare( name.size() - 4, 4, ".tga" ) == 0 )
        {
            const std::vector<uint8_t>& bytes = s_files->at( name );
            // Uncompressed true colour with alpha: the loader does not decode run-length data.
            EXPECT_EQ( bytes[ 2 ], 2 ) << name;
            EXPECT_EQ( p.depth, 32 ) << name;
            EXPECT_EQ( bytes[ 1 ], 0 ) << name << " has a colour map";
        }
    }
}

TEST_F( ArchiveContentsTest, TilesAreCellSizedWithSeeThroughCorners )
{
    for( const std::string& name : expectedPictures() )
    {
        if( name.rfind( "tile_", 0 ) != 0 && name.rfind( "anim_tile_", 0 ) != 0 )
            continue;
        const Picture& p = picture( name );
        ASSERT_EQ( p.width, 42 ) << name;
        ASSERT_EQ( p.height, 42 ) << name;
        // The arena must show around each candy, and a still candy must be there to see.
        EXPECT_EQ( p.pixelAlpha( 0, 0 ), 0 ) << name;
        EXPECT_EQ( p.pixelAlpha( 41, 41 ), 0 ) << name;
        if( name.rfind( "tile_", 0 ) == 0 )
        {
            EXPECT_GT( p.pixelAlpha( 21, 21 ) + p.pixelAlpha( 14, 24 ), 0 ) << name;
        }
    }
    // The last crunch frames have faded almost to nothing.
    const Picture& last = picture( "anim_tile_red_ex10.tga" );
    int solid = 0;
    for( int y = 0; y < 42; ++y )
        for( int x = 0; x < 42; ++x )
            solid += last.pixelAlpha( x, y ) > 128;
    EXPECT_LT( solid, 42 * 42 / 20 );
}

TEST_F( ArchiveContentsTest, KindsThatShareABoardHaveTheirOwnSilhouettes )
{
    // Colour alone fails colour-blind players: kinds dealt together must differ in shape. The
    // level table deals six consecutive codes at most (1 to 13), and black jellybeans (14) and
    // wilds (15) can join any of them.
    const char* kWords[] = { "",           "orange", "yellow",   "purple",    "red",        "green",
                             "blue",       "bear",   "cherries", "chocolate", "grapefruit", "lifesaver",
                             "peppermint", "worm",   "blocker",  "wild" };
    auto body = [ this, &kWords ]( int code )
    {
        const Picture& p = picture( std::string( "tile_" ) + kWords[ code ] + ".tga" );
        std::vector<bool> mask( 42 * 42, false );
        if( p.width == 42 && p.height == 42 )
            for( int i = 0; i < 42 * 42; ++i )
                mask[ size_t( i ) ] = p.pixelAlpha( i % 42, i / 42 ) > 200;
        return mask;
    };
    for( int a = 1; a <= 15; ++a )
        for( int b = a + 1; b <= 15; ++b )
        {
            bool together = b >= 14 || b - a <= 5;
            if( !together )
                continue;
            std::vector<bool> first = body( a );
            std::vector<bool> second = body( b );
            int both = 0;
            int either = 0;
            for( size_t i = 0; i < first.size(); ++i )
            {
                both += first[ i ] && second[ i ];
                either += first[ i ] || second[ i ];
            }
            ASSERT_GT( either, 0 );
            EXPECT_LT( double( both ) / either, 0.9 )
                << kWords[ a ] << " and " << kWords[ b ] << " have the same outline";
        }
}

TEST_F( ArchiveContentsTest, NothingIsCutOffAtTheCellsEdge )
{
    // A tile is drawn only inside its own cell: whatever reaches the edge is cut there, so only a
    // soft shadow or the last of a twinkle may touch it.
    for( const std::string& name : expectedPictures() )
    {
        if( name.rfind( "tile_", 0 ) != 0 && name.rfind( "anim_tile_", 0 ) != 0 )
            continue;
        const Picture& p = picture( name );
        ASSERT_EQ( p.width, 42 ) << name;
        int edge = 0;
        for( int k = 0; k < 42; ++k )
            edge = std::max( { edge, int( p.pixelAlpha( k, 0 ) ), int( p.pixelAlpha( k, 41 ) ),
                               int( p.pixelAlpha( 0, k ) ), int( p.pixelAlpha( 41, k ) ) } );
        EXPECT_LE( edge, 96 ) << name;
    }
}

TEST_F( ArchiveContentsTest, ScreenPicturesFitTheFrameAndTheBoard )
{
    EXPECT_EQ( picture( "background.jpg" ).width, 640 );
    EXPECT_EQ( picture( "background.jpg" ).height, 480 );
    EXPECT_EQ( picture( "loading.jpg" ).width, 640 );
    EXPECT_EQ( picture( "loading.jpg" ).height, 480 );

    // The arena stands at (23, 17) and must hold the board, x 107 to 358 and y 101 to 352.
    Rect arena = placed( "arena.jpg", 23, 17 );
    EXPECT_TRUE( inside( { 107, 101, 359, 353 }, arena ) );
    EXPECT_TRUE( inside( arena, { 0, 0, 640, 480 } ) );
    for( const char* kpSame : { "pause.jpg", "info_start.jpg", "info_hint.jpg", "info_blackjellybean.jpg",
                                "info_wildcard.jpg", "info_red.jpg", "info_green.jpg", "info_blue.jpg" } )
    {
        EXPECT_EQ( picture( kpSame ).width, arena.right - arena.left ) << kpSame;
        EXPECT_EQ( picture( kpSame ).height, arena.bottom - arena.top ) << kpSame;
    }
    // The start button is drawn at (114, 388) over the information pictures.
    EXPECT_TRUE( inside( placed( "icon_click_to_start_lit.tga", 114, 388 ), arena ) );
    // The loading bar grows from (63, 350).
    EXPECT_TRUE( inside( placed( "progress.tga", 63, 350 ), { 0, 0, 640, 480 } ) );

    // The timer lies under the board at (43, 402); at full length its bitten end stays in the arena.
    Rect timer = placed( "timer.tga", 43, 402 );
    EXPECT_GE( timer.top, 353 );
    for( const char* kpBites : { "bites00.tga", "bites01.tga", "bites02.tga" } )
    {
        EXPECT_EQ( picture( kpBites ).height, picture( "timer.tga" ).height ) << kpBites;
        EXPECT_TRUE( inside( placed( kpBites, timer.right, 402 ), arena ) ) << kpBites;
    }

    // Tutorial pages at (60, 355), under the board and in the arena; the hand at each of its places.
    for( int page = 1; page <= 6; ++page )
    {
        std::string name = "tutorial_" + std::to_string( page ) + ".jpg";
        Rect rect = placed( name, 60, 355 );
        EXPECT_GE( rect.top, 353 ) << name;
        EXPECT_TRUE( inside( rect, arena ) ) << name;
    }
    for( auto spot : { std::pair<int, int>{ 100, 45 }, { 142, 45 }, { 184, 45 }, { 184, 87 }, { 58, 87 } } )
        EXPECT_TRUE( inside( placed( "tutorial_hand.tga", spot.first, spot.second ), { 0, 0, 640, 480 } ) );

    // The level and bonus panels stand in the bonus area (100, 100, 380, 260) that the game redraws.
    EXPECT_TRUE( inside( placed( "level.tga", 181, 172 ), { 100, 100, 380, 260 } ) );
    EXPECT_TRUE( inside( placed( "time_bonus.tga", 151, 172 ), { 100, 100, 380, 260 } ) );
    EXPECT_TRUE( inside( placed( "startlevel_bonus.tga", 143, 172 ), { 100, 100, 380, 260 } ) );
    // The level number follows "level.tga" 18 pixels on; two digits must still fit the area.
    EXPECT_LE( 181 + picture( "level.tga" ).width + 18 * 2 + 18, 380 );

    // The logo at (1, 443) stays left of where a partner's logo would stand (252, 442).
    Rect logo = placed( "logo.tga", 1, 443 );
    EXPECT_TRUE( inside( logo, { 0, 0, 640, 480 } ) );
    EXPECT_LT( logo.right, 252 );
}

TEST_F( ArchiveContentsTest, PanelButtonsNeverOverlap )
{
    struct Control
    {
        const char* kpImage;
        int x;
        int y;
    };
    const Control controls[] = { { "icon_click_to_start_lit.tga", 114, 388 },
                                 { "icon_pause.tga", 452, 315 },
                                 { "icon_restart.tga", 470, 419 },
                                 { "icon_options.tga", 473, 347 },
                                 { "icon_highscores.tga", 451, 375 },
                                 { "icon_exit.tga", 504, 445 },
                                 { "logo.tga", 1, 443 } };
    for( const Control& a : controls )
    {
        Rect ra = placed( a.kpImage, a.x, a.y );
        EXPECT_TRUE( inside( ra, { 0, 0, 639, 479 } ) ) << a.kpImage;
        for( const Control& b : controls )
            if( &a < &b )
            {
                EXPECT_FALSE( overlapClosed( ra, placed( b.kpImage, b.x, b.y ) ) ) << a.kpImage << " / " << b.kpImage;
            }
    }
    // The resume picture takes the pause button's place.
    EXPECT_EQ( picture( "icon_resume.tga" ).width, picture( "icon_pause.tga" ).width );
    EXPECT_EQ( picture( "icon_resume.tga" ).height, picture( "icon_pause.tga" ).height );
    // The panel stays clear of the arena.
    Rect arena = placed( "arena.jpg", 23, 17 );
    for( const Control& control : controls )
        if( std::string( control.kpImage ) != "icon_click_to_start_lit.tga" )
        {
            EXPECT_FALSE( overlapClosed( placed( control.kpImage, control.x, control.y ), arena ) ) << control.kpImage;
        }
}

TEST_F( ArchiveContentsTest, LitPicturesMatchTheirPlainOnes )
{
    for( const std::string& name : expectedPictures() )
    {
        size_t at = name.find( "_lit.tga" );
        if( at == std::string::npos || name == "icon_click_to_start_lit.tga" )
            continue;
        std::string plain = name.substr( 0, at ) + ".tga";
        EXPECT_EQ( picture( name ).width, picture( plain ).width ) << name;
        EXPECT_EQ( picture( name ).height, picture( plain ).height ) << name;
        EXPECT_NE( s_files->at( name ), s_files->at( plain ) ) << name << " looks the same as " << plain;
    }
}

TEST_F( ArchiveContentsTest, DialogItemsFitTheirDialogsWithoutOverlapping )
{
    struct Item
    {
        const char* kpImage;
        int x;
        int y;
    };
    auto check = [ this ]( const std::string& dialog, int originX, int originY, const std::vector<Item>& items )
    {
        Rect box = placed( dialog, originX, originY );
        EXPECT_TRUE( inside( box, { 0, 0, 640, 480 } ) ) << dialog;
        for( const Item& a : items )
        {
            Rect ra = placed( a.kpImage, originX + a.x, originY + a.y );
            EXPECT_TRUE( inside( ra, box ) ) << dialog << ": " << a.kpImage << " at " << a.x << ", " << a.y;
            for( const Item& b : items )
                if( &a < &b )
                {
                    EXPECT_FALSE( overlapClosed( ra, placed( b.kpImage, originX + b.x, originY + b.y ) ) )
                        << dialog << ": " << a.kpImage << " / " << b.kpImage;
                }
        }
    };
    check( "gameover.jpg", 23, 17, { { "icon_continue.tga", 101, 293 } } );
    check( "entername.jpg", 23, 17, { { "icon_ok.tga", 179, 366 } } );
    check( "highscores.jpg", 23, 17, { { "highscores_ok.tga", 290, 378 }, { "highscores_clearall.tga", 60, 378 } } );

    // The game's text lines: the name line holds 16 cells of 8 pixels; the table's rows sit in the picture.
    EXPECT_LE( 32 + 16 * 8, picture( "entername.jpg" ).width );
    EXPECT_LE( 177 + 44 * 4 + 12, picture( "highscores.jpg" ).height );
    EXPECT_LE( 395, picture( "highscores.jpg" ).width );

    // Confirmations are centred, with OK at ((W - w) / 4, H - 3h / 2) and cancel at ((W - w) * 3 / 4, same y).
    for( auto pair : { std::vector<std::string>{ "restart_areyousure.jpg", "restart_areyousure_OK.tga",
                                                 "restart_areyousure_CANCEL.tga" },
                       std::vector<std::string>{ "highscores_areyousure.jpg", "highscores_areyousure_yes.tga",
                                                 "highscores_areyousure_no.tga" } } )
    {
        const Picture& dialog = picture( pair[ 0 ] );
        const Picture& ok = picture( pair[ 1 ] );
        const Picture& cancel = picture( pair[ 2 ] );
        int x = ( 640 - dialog.width ) / 2;
        int y = ( 480 - dialog.height ) / 2;
        check(
            pair[ 0 ], x, y,
            { { pair[ 1 ].c_str(), ( dialog.width - ok.width ) / 4, dialog.height - ok.height * 3 / 2 },
              { pair[ 2 ].c_str(), ( dialog.width - cancel.width ) * 3 / 4, dialog.height - cancel.height * 3 / 2 } } );
    }

    // Options: centred; every item at its place, toggles showing either picture of their pair.
    const Picture& options = picture( "options_dialog.jpg" );
    int ox = ( 640 - options.width ) / 2;
    int oy = ( 480 - options.height ) / 2;
    for( const char* kpOnOff : { "options_icon_on.tga", "options_icon_off.tga" } )
        for( const char* kpKeys : { "options_icon_space.tga", "options_icon_candies.tga" } )
            check( "options_dialog.jpg", ox, oy,
                   { { "options_icon_ok.tga", 188, 384 },
                     { kpOnOff, 178, 222 },
                     { kpOnOff, 114, 183 },
                     { kpKeys, 302, 96 },
                     { kpOnOff, 115, 326 },
                     { kpOnOff, 110, 138 },
                     { "options_icon_1.tga", 19, 291 },
                     { "options_icon_6.tga", 46, 291 },
                     { "options_icon_10.tga", 87, 291 },
                     { "options_icon_14.tga", 135, 291 },
                     { "options_icon_18.tga", 185, 291 },
                     { "options_icon_22.tga", 231, 291 },
                     { "options_icon_startlevel.tga", 15, 265 } } );
}

TEST_F( ArchiveContentsTest, GlyphsMatchTheWaysTheGameDrawsText )
{
    // Digits step 18 pixels; a popup clears 18 x 23 per digit.
    for( const char* kpDigit : { "zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine" } )
    {
        std::string name = std::string( "font_" ) + kpDigit + ".tga";
        EXPECT_LE( picture( name ).width, 18 ) << name;
        EXPECT_LE( picture( name ).height, 23 ) << name;
        EXPECT_EQ( picture( name ).height, picture( "font_zero.tga" ).height ) << name;
    }
    // All digits stand on one baseline, and the comma's ink lies between the digits around it:
    // the digit to its left is drawn over its columns 0 to 4, the one to its right starts at 14.
    auto inkRows = [ this ]( const std::string& name, int& top, int& bottom, int& left, int& right )
    {
        const Picture& p = picture( name );
        top = p.height;
        bottom = -1;
        left = p.width;
        right = -1;
        for( int y = 0; y < p.height; ++y )
            for( int x = 0; x < p.width; ++x )
                if( p.pixelAlpha( x, y ) > 128 )
                {
                    top = std::min( top, y );
                    bottom = std::max( bottom, y );
                    left = std::min( left, x );
                    right = std::max( right, x );
                }
    };
    int top0, bottom0, left0, right0;
    inkRows( "font_zero.tga", top0, bottom0, left0, right0 );
    for( const char* kpDigit : { "one", "two", "three", "four", "five", "six", "seven", "eight", "nine" } )
    {
        int top, bottom, left, right;
        inkRows( std::string( "font_" ) + kpDigit + ".tga", top, bottom, left, right );
        EXPECT_NEAR( bottom, bottom0, 1 ) << kpDigit;
        EXPECT_NEAR( top, top0, 1 ) << kpDigit;
    }
    int top, bottom, left, right;
    inkRows( "font_comma.tga", top, bottom, left, right );
    EXPECT_GE( left, 5 );
    EXPECT_LE( right, 13 );
    EXPECT_GT( bottom + 3, bottom0 ) << "a comma hangs below the digits' baseline";

    // The 8 x 12 sheet: 16 cells a row, codes 16 to 127 in rows 0 to 6.
    const Picture& sheet = picture( "font.tga" );
    ASSERT_EQ( sheet.width, 16 * 8 );
    ASSERT_GE( sheet.height, 7 * 12 );
    auto ink = [ &sheet ]( int code )
    {
        int column = code % 16;
        int row = code / 16 - 1;
        int sum = 0;
        for( int y = row * 12; y < row * 12 + 12; ++y )
            for( int x = column * 8; x < column * 8 + 8; ++x )
                sum += sheet.pixelAlpha( x, y );
        return sum;
    };
    for( int code = 33; code < 127; ++code )
        EXPECT_GT( ink( code ), 255 * 4 ) << "no glyph for code " << code;
    EXPECT_EQ( ink( ' ' ), 0 );
    // The game draws the sheet as it is (the text colour is ignored): the letters carry their own
    // light colour and a dark edge, so they read on light and dark pictures alike.
    int light = 0;
    int dark = 0;
    for( size_t i = 0; i < sheet.rgba.size(); i += 4 )
    {
        if( sheet.rgba[ i + 3 ] < 200 )
            continue;
        int luma = ( 3 * sheet.rgba[ i ] + 6 * sheet.rgba[ i + 1 ] + sheet.rgba[ i + 2 ] ) / 10;
        light += luma > 180;
        dark += luma < 70;
    }
    EXPECT_GT( light, 500 );
    EXPECT_GT( dark, 500 );
    // The caret the text line appends must be drawn too.
    EXPECT_GT( ink( '|' ), 255 * 4 );
}

TEST_F( ArchiveContentsTest, WavSoundsHaveTheHeaderTheLoaderReadsAtFixedOffsets )
{
    for( const std::string& name : kWavSounds )
    {
        ASSERT_TRUE( s_files->count( name ) ) << name;
        const std::vector<uint8_t>& b = s_files->at( name );
        ASSERT_GT( b.size(), 44u ) << name;
        auto u16 = [ &b ]( size_t at ) { return uint32_t( b[ at ] | b[ at + 1 ] << 8 ); };
        auto u32 = [ &b, &u16 ]( size_t at ) { return u16( at ) | u16( at + 2 ) << 16; };
        EXPECT_EQ( std::string( b.begin(), b.begin() + 4 ), "RIFF" ) << name;
        EXPECT_EQ( std::string( b.begin() + 8, b.begin() + 12 ), "WAVE" ) << name;
        EXPECT_EQ( u32( 16 ), 16u ) << name;
        EXPECT_EQ( u16( 20 ), 1u ) << name << " is not plain PCM";
        EXPECT_GE( u16( 22 ), 1u ) << name;
        EXPECT_LE( u16( 22 ), 2u ) << name;
        EXPECT_EQ( u32( 24 ), 22050u ) << name;
        EXPECT_EQ( u16( 34 ), 16u ) << name;
        EXPECT_EQ( std::string( b.begin() + 36, b.begin() + 40 ), "data" ) << name;
        EXPECT_EQ( u32( 40 ), b.size() - 44 ) << name;
        EXPECT_EQ( u32( 4 ), b.size() - 8 ) << name;
        EXPECT_EQ( sound( name ).samples.size() * 2, b.size() - 44 ) << name;
    }
}

TEST_F( ArchiveContentsTest, OggSoundsDecodeAtTheMixersRate )
{
    for( const std::string& name : kOggSounds )
    {
        const Sound& loaded = sound( name );
        EXPECT_GE( loaded.channels, 1 ) << name;
        EXPECT_LE( loaded.channels, 2 ) << name;
        // The loader hands the mixer the rate it asked for without looking; the file must match it.
        Sound decoded;
        ASSERT_TRUE( s_files->count( name ) ) << name;
        ASSERT_TRUE( AssetDecoding::decodeOgg( s_files->at( name ), decoded ) ) << name;
        EXPECT_EQ( decoded.rate, 22050 ) << name;
        EXPECT_EQ( decoded.samples.size(), loaded.samples.size() ) << name;
        int peak = 0;
        for( int16_t v : loaded.samples )
            peak = std::max( peak, std::abs( int( v ) ) );
        EXPECT_GT( peak, 3000 ) << name << " is (nearly) silent";
        EXPECT_LT( loaded.frames(), size_t( 22050 * 4 ) + ( name == "theme.ogg" ? size_t( 22050 * 90 ) : 0 ) ) << name;
    }
}

TEST_F( ArchiveContentsTest, ThemeLoopsSeamlesslyFromSample66016 )
{
    const Sound& theme = sound( "theme.ogg" );
    // The mixer takes the music stream's blocks as stereo frames.
    ASSERT_EQ( theme.channels, 2 );
    double seconds = double( theme.frames() ) / 22050.0;
    EXPECT_GE( seconds, 45.0 );
    EXPECT_LE( seconds, 90.0 );
    ASSERT_GT( theme.frames(), 66016u + 22050u );
    // Jumping from the last sample back to 66016 must be no bigger a step than the music takes anyway...
    EXPECT_LT( AssetDecoding::joinPercentile( theme, theme.frames() - 1, 66016 ), 99.0 );
    // ...and the half second before the jump must be the music that leads into 66016 the first time,
    // so every return sounds like the first arrival (a loop point off by a few samples fails here).
    EXPECT_LT( AssetDecoding::leadInDifference( theme, theme.frames(), 66016, 11025 ), -20.0 );

    // The game's music stream, as the application sets it up, carries a block across the end.
    const std::vector<uint8_t>& bytes = s_files->at( "theme.ogg" );
    HOVAudioStream music;
    ASSERT_TRUE( music.init() );
    ASSERT_TRUE( music.setStream( bytes.data(), uint32_t( bytes.size() ), 16, 22050, 66016 ) );
    const size_t before = 2000;
    std::vector<int16_t> block( 4096 * 2 );
    size_t played = 0;
    const size_t stopAt = theme.frames() - before;
    while( played < stopAt )
    {
        size_t frames = std::min<size_t>( 4096, stopAt - played );
        ASSERT_EQ( music.readNextChunk( reinterpret_cast<uint8_t*>( block.data() ), int32_t( frames * 4 ) ),
                   int32_t( frames * 4 ) );
        played += frames;
    }
    ASSERT_EQ( music.readNextChunk( reinterpret_cast<uint8_t*>( block.data() ), 4096 * 4 ), 4096 * 4 );
    music.shutdown();
    for( size_t i = 0; i < before * 2; ++i )
        ASSERT_EQ( block[ i ], theme.samples[ stopAt * 2 + i ] ) << "frame " << i / 2 << " before the end";
    for( size_t i = before * 2; i < block.size(); ++i )
        ASSERT_EQ( block[ i ], theme.samples[ 66016 * 2 + i - before * 2 ] )
            << "frame " << i / 2 - before << " after the jump";
}

TEST_F( ArchiveContentsTest, AlarmLoopsSeamlesslyOnItself )
{
    const Sound& klaxon = sound( "klaxon.ogg" );
    ASSERT_GT( klaxon.frames(), 100u );
    EXPECT_LT( AssetDecoding::joinPercentile( klaxon, klaxon.frames() - 1, 0 ), 99.0 );
}
