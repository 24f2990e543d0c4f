#include "tools/mkassets/PreviewRenderer.h"

#include "tools/mkassets/AssetManifest.h"
#include "tools/mkassets/Canvas.h"
#include "tools/mkassets/ImageWriters.h"
#include "tools/mkassets/ScreenLayout.h"

#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <map>

namespace PreviewRenderer
{
namespace
{
using ScreenLayout::Box;

struct JpegError
{
    jpeg_error_mgr manager;
    jmp_buf jump;
};

void onJpegError( j_common_ptr info )
{
    longjmp( reinterpret_cast<JpegError*>( info->err )->jump, 1 );
}

// Straight RGBA, rows top to bottom.
bool decodeJPEG( const std::vector<uint8_t>& bytes, int& width, int& height, std::vector<uint8_t>& rgba )
{
    jpeg_decompress_struct info;
    JpegError error;
    info.err = jpeg_std_error( &error.manager );
    error.manager.error_exit = onJpegError;
    if( setjmp( error.jump ) )
    {
        jpeg_destroy_decompress( &info );
        return false;
    }
    jpeg_create_decompress( &info );
    jpeg_mem_src( &info, bytes.data(), static_cast<unsigned long>( bytes.size() ) );
    jpeg_read_header( &info, TRUE );
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress( &info );
    width = int( info.output_width );
    height = int( info.output_height );
    rgba.assign( size_t( width ) * size_t( height ) * 4, 255 );
    std::vector<uint8_t> row( size_t( width ) * 3 );
    while( info.output_scanline < info.output_height )
    {
        JSAMPROW pointer = row.data();
        size_t y = info.output_scanline;
        jpeg_read_scanlines( &info, &pointer, 1 );
        for( int x = 0; x < width; ++x )
            for( int c = 0; c < 3; ++c )
                rgba[ ( y * size_t( width ) + size_t( x ) ) * 4 + size_t( c ) ] = row[ size_t( x ) * 3 + size_t( c ) ];
    }
    jpeg_finish_decompress( &info );
    jpeg_destroy_decompress( &info );
    return true;
}

// Uncompressed 32-bit TGA; rows are taken bottom-up, as the game's loader takes them.
bool decodeTGA( const std::vector<uint8_t>& bytes, int& width, int& height, std::vector<uint8_t>& rgba )
{
    if( bytes.size() < 18 || bytes[ 2 ] != 2 || bytes[ 16 ] != 32 )
        return false;
    width = bytes[ 12 ] | bytes[ 13 ] << 8;
    height = bytes[ 14 ] | bytes[ 15 ] << 8;
    size_t start = 18 + bytes[ 0 ];
    if( bytes.size() < start + size_t( width ) * size_t( height ) * 4 )
        return false;
    rgba.resize( size_t( width ) * size_t( height ) * 4 );
    for( int y = 0; y < height; ++y )
        for( int x = 0; x < width; ++x )
        {
            const uint8_t* p = &bytes[ start + ( size_t( height - 1 - y ) * size_t( width ) + size_t( x ) ) * 4 ];
            uint8_t* d = &rgba[ ( size_t( y ) * size_t( width ) + size_t( x ) ) * 4 ];
            d[ 0 ] = p[ 2 ];
            d[ 1 ] = p[ 1 ];
            d[ 2 ] = p[ 0 ];
            d[ 3 ] = p[ 3 ];
        }
    return true;
}

// The back buffer and the game's drawing operations on it.
class Frame
{
public:
    Frame()
        : m_pixels( 640 * 480, 0 )
    {
    }

    void draw( const Surface& surface, int x, int y, int alpha = 255 )
    {
        drawPart( surface, x, y, 0, 0, surface.width, surface.height, alpha );
    }

    // Alpha blending exactly as the blender computes it on 5-bit channels.
    void drawPart( const Surface& surface, int x, int y, int sx, int sy, int w, int h, int alpha = 255 )
    {
        for( int j = 0; j < h; ++j )
            for( int i = 0; i < w; ++i )
            {
                int dx = x + i;
                int dy = y + j;
                int px = sx + i;
                int py = sy + j;
                if( dx < 0 || dy < 0 || dx >= 640 || dy >= 480 || px < 0 || py < 0 || px >= surface.width ||
                    py >= surface.height )
                    continue;
                size_t index = size_t( py ) * size_t( surface.width ) + size_t( px );
                int m = surface.mask.empty() ? 255 : surface.mask[ index ];
                m = m * alpha / 255;
                uint16_t& target = m_pixels[ size_t( dy ) * 640 + size_t( dx ) ];
                if( m == 255 )
                    target = surface.pixels[ index ];
                else if( m != 0 )
                    target = blend( surface.pixels[ index ], target, m );
            }
    }

    // The game's digit font: right to left from the anchor, a comma after every third digit.
    void drawNumber( const std::map<std::string, Surface>& surfaces, const std::string& text, int anchorX, int y )
    {
        static const char* const kNames[] = { "font_zero.tga",  "font_one.tga",  "font_two.tga", "font_three.tga",
                                              "font_four.tga",  "font_five.tga", "font_six.tga", "font_seven.tga",
                                              "font_eight.tga", "font_nine.tga" };
        int x = anchorX;
        int count = 0;
        for( int i = int( text.size() ) - 1; i >= 0; --i )
        {
            char c = text[ size_t( i ) ];
            if( c >= '0' && c <= '9' )
                draw( surfaces.at( kNames[ c - '0' ] ), x, y );
            ++count;
            if( count % 3 == 0 )
            {
                x -= 14;
                if( i > 0 )
                {
                    draw( surfaces.at( "font_comma.tga" ), x, y + 3 );
                    x -= 13;
                }
            }
            else
                x -= 18;
        }
    }

    // The dialog text of the 8 x 12 sheet.
    void drawText( const Surface& font, const std::string& text, int x, int y, int align )
    {
        int length = int( text.size() );
        if( align == 2 )
            x -= length * 8 / 2;
        else if( align == 1 )
            x -= length * 8;
        for( int i = 0; i < length; ++i )
        {
            int c = static_cast<signed char>( text[ size_t( i ) ] );
            if( c < 16 )
                continue;
            drawPart( font, x + i * 8, y, ( c % 16 ) * 8, ( c / 16 - 1 ) * 12, 8, 12 );
        }
    }

    Canvas toCanvas() const
    {
        Canvas canvas( 640, 480 );
        uint32_t* p = canvas.pixels();
        int stride = canvas.stridePixels();
        for( int y = 0; y < 480; ++y )
            for( int x = 0; x < 640; ++x )
            {
                uint16_t v = m_pixels[ size_t( y ) * 640 + size_t( x ) ];
                auto expand = []( int five ) { return uint32_t( ( five << 3 ) | ( five >> 2 ) ); };
                p[ y * stride + x ] =
                    0xFF000000u | expand( ( v >> 10 ) & 31 ) << 16 | expand( ( v >> 5 ) & 31 ) << 8 | expand( v & 31 );
            }
        canvas.markDirty();
        return canvas;
    }

private:
    static uint16_t blend( uint16_t source, uint16_t target, int m )
    {
        uint32_t f = uint32_t( m ) * 255;
        uint32_t g = uint32_t( 255 - m ) * 255;
        uint16_t out = 0;
        for( int shift : { 10, 5, 0 } )
        {
            uint32_t s = ( ( source >> shift ) & 31u ) * f / 65025;
            uint32_t d = ( ( target >> shift ) & 31u ) * g / 65025;
            out = uint16_t( out | std::min<uint32_t>( 31, s + d ) << shift );
        }
        return out;
    }

    std::vector<uint16_t> m_pixels;
};

class Previewer
{
public:
    explicit Previewer( const ArchiveWriter& archive )
        : m_archive( archive )
    {
    }

    bool load( std::string& error )
    {
        for( const ArchiveWriter::Entry& entry : m_archive.entries() )
        {
            AssetManifest::Kind kind = AssetManifest::kindOf( entry.name );
            if( kind != AssetManifest::AK_TGA && kind != AssetManifest::AK_JPG )
                continue;
            Surface surface;
            if( !makeSurface( entry.name, entry.data, surface ) )
            {
                error = "the preview cannot read '" + entry.name + "'";
                return false;
            }
            m_surfaces[ entry.name ] = std::move( surface );
        }
        return true;
    }

    const Surface& get( const std::string& name ) const { return m_surfaces.at( name ); }
    const std::map<std::string, Surface>& surfaces() const { return m_surfaces; }

    void drawAt( Frame& frame, const std::string& name ) const
    {
        Box box = ScreenLayout::boxOf( name );
        frame.draw( get( name ), box.x, box.y );
    }

    // The main screen under everything else: backdrop, arena (or its replacement), numbers.
    Frame mainScreen( const std::string& arena, int score, int level, int lines, bool panel ) const
    {
        Frame frame;
        frame.draw( get( "background.jpg" ), 0, 0 );
        frame.draw( get( arena ), ScreenLayout::kArena.x, ScreenLayout::kArena.y );
        frame.drawNumber( m_surfaces, std::to_string( score ), ScreenLayout::kScoreSlot.anchorX,
                          ScreenLayout::kScoreSlot.anchorY );
        frame.drawNumber( m_surfaces, std::to_string( level ), ScreenLayout::kLevelSlot.anchorX,
                          ScreenLayout::kLevelSlot.anchorY );
        frame.drawNumber( m_surfaces, std::to_string( lines ), ScreenLayout::kLinesSlot.anchorX,
                          ScreenLayout::kLinesSlot.anchorY );
        drawAt( frame, "logo.tga" );
        drawAt( frame, "icon_exit.tga" );
        if( panel )
        {
            drawAt( frame, "icon_pause.tga" );
            drawAt( frame, "icon_restart.tga" );
            drawAt( frame, "icon_options.tga" );
            drawAt( frame, "icon_highscores_lit.tga" );
        }
        return frame;
    }

    void drawTile( Frame& frame, const std::string& sprite, int cellX, int cellY ) const
    {
        frame.draw( get( sprite ), ScreenLayout::kBoardLeft + cellX * ScreenLayout::kCell,
                    ScreenLayout::kBoardTop + cellY * ScreenLayout::kCell );
    }

    void drawDialog( Frame& frame, const std::string& background ) const
    {
        Box box = ScreenLayout::boxOf( background );
        frame.draw( get( background ), box.x, box.y );
        for( const ScreenLayout::DialogItem& item : ScreenLayout::dialogItems() )
            if( item.dialog == background )
                frame.draw( get( item.image ), box.x + item.x, box.y + item.y );
    }

    void drawCursor( Frame& frame, int x, int y ) const { frame.draw( get( "cursor.tga" ), x, y ); }

private:
    const ArchiveWriter& m_archive;
    std::map<std::string, Surface> m_surfaces;
};

std::string tileSprite( int type )
{
    static const char* const kWords[] = { "",           "orange", "yellow",   "purple",    "red",        "green",
                                          "blue",       "bear",   "cherries", "chocolate", "grapefruit", "lifesaver",
                                          "peppermint", "worm",   "blocker",  "wild" };
    return std::string( "tile_" ) + kWords[ type ] + ".tga";
}

bool save( const Frame& frame, const std::string& folder, const std::string& name, std::vector<Canvas>& shots )
{
    Canvas canvas = frame.toCanvas();
    bool ok = ImageWriters::writePNG( canvas, folder + "/" + name );
    shots.push_back( std::move( canvas ) );
    return ok;
}
} // namespace

uint16_t ditherPixel( uint8_t red, uint8_t green, uint8_t blue, int x, int y )
{
    static const int kDither[ 4 ] = { 0, 2, 3, 1 };
    int d = kDither[ ( y & 1 ) * 2 + ( x & 1 ) ];
    auto five = [ d ]( int v ) { return std::min( 127, ( v >> 1 ) + d ) >> 2; };
    return uint16_t( five( red ) << 10 | five( green ) << 5 | five( blue ) );
}

bool makeSurface( const std::string& name, const std::vector<uint8_t>& bytes, Surface& out )
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    bool ok = AssetManifest::kindOf( name ) == AssetManifest::AK_JPG ? decodeJPEG( bytes, width, height, rgba )
                                                                     : decodeTGA( bytes, width, height, rgba );
    if( !ok )
        return false;
    out.width = width;
    out.height = height;
    out.pixels.resize( size_t( width ) * size_t( height ) );
    out.mask.assign( out.pixels.size(), 255 );
    bool masked = false;
    for( int y = 0; y < height; ++y )
        for( int x = 0; x < width; ++x )
        {
            const uint8_t* p = &rgba[ ( size_t( y ) * size_t( width ) + size_t( x ) ) * 4 ];
            size_t index = size_t( y ) * size_t( width ) + size_t( x );
            out.mask[ index ] = p[ 3 ];
            if( p[ 3 ] != 255 )
                masked = true;
            if( p[ 0 ] == 255 && p[ 1 ] == 0 && p[ 2 ] == 255 )
            {
                out.mask[ index ] = 0;
                masked = true;
            }
            out.pixels[ index ] = ditherPixel( p[ 0 ], p[ 1 ], p[ 2 ], x, y );
        }
    if( !masked )
        out.mask.clear();
    return true;
}

bool writeAll( const ArchiveWriter& archive, const std::string& folder, std::string& error )
{
    Previewer preview( archive );
    if( !preview.load( error ) )
        return false;
    std::vector<Canvas> shots;
    bool ok = true;

    // The start screen, with the pointer over the start button.
    {
        Frame frame = preview.mainScreen( "info_start.jpg", 0, 1, 2, false );
        preview.drawAt( frame, "icon_click_to_start_lit.tga" );
        preview.drawCursor( frame, 250, 402 );
        ok &= save( frame, folder, "screen_start.png", shots );
    }
    // A board in the middle of a game: a row crunching, a popup rising, the clock half gone.
    {
        Frame frame = preview.mainScreen( "arena.jpg", 1234567, 17, 3, true );
        static const int kBoard[ 6 ][ 6 ] = { { 4, 4, 4, 4, 4, 4 }, { 5, 6, 1, 14, 3, 2 }, { 2, 3, 15, 4, 5, 6 },
                                              { 6, 1, 2, 3, 6, 5 }, { 3, 14, 4, 5, 1, 2 }, { 1, 2, 6, 0, 4, 3 } };
        for( int y = 0; y < 6; ++y )
            for( int x = 0; x < 6; ++x )
            {
                int type = kBoard[ y ][ x ];
                if( type == 0 )
                    continue;
                if( y == 0 )
                {
                    char name[ 64 ];
                    std::snprintf( name, sizeof( name ), "anim_tile_red_ex%02d.tga", x + 2 );
                    preview.drawTile( frame, name, x, y );
                }
                else
                    preview.drawTile( frame, tileSprite( type ), x, y );
            }
        const Surface& timer = preview.get( "timer.tga" );
        int end = 43 + timer.width * 58 / 100;
        frame.drawPart( timer, 43, 402, 0, 0, end - 43, timer.height );
        frame.draw( preview.get( "bites01.tga" ), end, 402 );
        frame.drawNumber( preview.surfaces(), "450", 240, 60 );
        preview.drawCursor( frame, 300, 250 );
        ok &= save( frame, folder, "screen_board.png", shots );
    }
    // Later levels: the candies of the dearer kinds, and a candy crunching with the shared set.
    {
        Frame frame = preview.mainScreen( "arena.jpg", 987654, 37, 6, true );
        for( int y = 0; y < 6; ++y )
            for( int x = 0; x < 6; ++x )
            {
                int type = 7 + ( x + 2 * y ) % 7;
                if( x == 2 && y == 3 )
                    type = 14;
                if( x == 4 && y == 1 )
                    type = 15;
                if( x == 0 && y == 0 )
                    continue;
                preview.drawTile( frame, tileSprite( type ), x, y );
            }
        for( int x = 0; x < 6; ++x )
        {
            char name[ 64 ];
            std::snprintf( name, sizeof( name ), "anim_tile_generic%02d.tga", x * 2 );
            preview.drawTile( frame, name, x, 5 );
        }
        const Surface& timer = preview.get( "timer.tga" );
        frame.drawPart( timer, 43, 402, 0, 0, timer.width / 5, timer.height );
        frame.draw( preview.get( "bites02.tga" ), 43 + timer.width / 5, 402 );
        ok &= save( frame, folder, "screen_candies.png", shots );
    }
    // The tutorial's first step: fixed board, page and pulsing hand.
    {
        Frame frame = preview.mainScreen( "arena.jpg", 0, 1, 2, false );
        static const int kTutorial[ 6 ][ 6 ] = { { 0, 1, 1, 1, 1, 1 }, { 2, 3, 3, 1, 1, 3 }, { 1, 2, 3, 3, 1, 2 },
                                                 { 3, 2, 1, 1, 3, 1 }, { 1, 2, 3, 1, 2, 3 }, { 1, 2, 1, 3, 2, 3 } };
        for( int y = 0; y < 6; ++y )
            for( int x = 0; x < 6; ++x )
                if( kTutorial[ y ][ x ] != 0 )
                    preview.drawTile( frame, tileSprite( kTutorial[ y ][ x ] ), x, y );
        preview.drawAt( frame, "tutorial_1.jpg" );
        frame.draw( preview.get( "tutorial_hand.tga" ), 100, 45, 220 );
        ok &= save( frame, folder, "screen_tutorial.png", shots );
    }
    // The level intro and the two bonus panels, numbers placed as the game places them.
    {
        Frame frame = preview.mainScreen( "arena.jpg", 24680, 7, 8, true );
        const Surface& level = preview.get( "level.tga" );
        frame.draw( level, 181, 172 );
        frame.drawNumber( preview.surfaces(), "7", 181 + level.width + 18, 172 );
        ok &= save( frame, folder, "screen_levelintro.png", shots );
    }
    {
        Frame frame = preview.mainScreen( "arena.jpg", 24680, 7, 0, true );
        preview.drawAt( frame, "time_bonus.tga" );
        std::string bonus = "2840";
        int digits = int( bonus.size() );
        frame.drawNumber( preview.surfaces(), bonus, ( 420 + 18 * ( digits / 2 ) ) / 2 + 23, 420 / 2 );
        ok &= save( frame, folder, "screen_timebonus.png", shots );
    }
    {
        Frame frame = preview.mainScreen( "arena.jpg", 24680, 6, 0, true );
        preview.drawAt( frame, "startlevel_bonus.tga" );
        std::string bonus = "25000";
        int digits = int( bonus.size() );
        frame.drawNumber( preview.surfaces(), bonus, ( 420 + 18 * digits ) / 2 + 23, 420 / 2 );
        ok &= save( frame, folder, "screen_startbonus.png", shots );
    }
    {
        Frame frame = preview.mainScreen( "pause.jpg", 24680, 7, 8, true );
        Box pause = ScreenLayout::boxOf( "icon_resume_lit.tga" );
        frame.draw( preview.get( "icon_resume_lit.tga" ), pause.x, pause.y );
        ok &= save( frame, folder, "screen_pause.png", shots );
    }
    for( const char* kpInfo : { "info_hint.jpg", "info_blackjellybean.jpg", "info_red.jpg", "info_wildcard.jpg",
                                "info_green.jpg", "info_blue.jpg" } )
    {
        Frame frame = preview.mainScreen( kpInfo, 3210, 2, 3, false );
        ok &= save( frame, folder, std::string( "screen_" ) + kpInfo + ".png", shots );
    }
    // The modal screens over a running game.
    {
        Frame frame = preview.mainScreen( "arena.jpg", 31415, 9, 4, true );
        preview.drawDialog( frame, "gameover.jpg" );
        ok &= save( frame, folder, "dialog_gameover.png", shots );
    }
    {
        Frame frame = preview.mainScreen( "arena.jpg", 31415, 9, 4, true );
        preview.drawDialog( frame, "entername.jpg" );
        const Surface& font = preview.get( "font.tga" );
        frame.drawText( font, "Juno the Great|", 23 + 32, 17 + 273, 0 );
        frame.drawText( font, "31415", 23 + 212, 17 + 138, 2 );
        ok &= save( frame, folder, "dialog_entername.png", shots );
    }
    {
        Frame frame = preview.mainScreen( "arena.jpg", 31415, 9, 4, true );
        preview.drawDialog( frame, "highscores.jpg" );
        const Surface& font = preview.get( "font.tga" );
        const char* kNames[] = { "Juno the Great", "Oona", "Lark", "Tobin", "Mira" };
        const char* kScores[] = { "1234567", "31415", "9000", "120", "0" };
        const char* kLevels[] = { "22", "9", "4", "1", "1" };
        for( int row = 0; row < 5; ++row )
        {
            int y = 17 + 177 + 44 * row;
            frame.drawText( font, kNames[ row ], 23 + 33, y, 0 );
            frame.drawText( font, kScores[ row ], 23 + 338, y, 1 );
            frame.drawText( font, kLevels[ row ], 23 + 395, y, 1 );
        }
        ok &= save( frame, folder, "dialog_highscores.png", shots );
    }
    for( const char* kpConfirm : { "restart_areyousure.jpg", "highscores_areyousure.jpg" } )
    {
        Frame frame = preview.mainScreen( "arena.jpg", 31415, 9, 4, true );
        preview.drawDialog( frame, kpConfirm );
        ok &= save( frame, folder, std::string( "dialog_" ) + kpConfirm + ".png", shots );
    }
    {
        Frame frame = preview.mainScreen( "arena.jpg", 31415, 9, 4, true );
        Box box = ScreenLayout::boxOf( "options_dialog.jpg" );
        frame.draw( preview.get( "options_dialog.jpg" ), box.x, box.y );
        for( const ScreenLayout::DialogItem& item : ScreenLayout::dialogItems() )
        {
            if( item.dialog != "options_dialog.jpg" )
                continue;
            std::string image = item.image;
            // Show the current start level (6) lit, music off and the alarm on, as a player might.
            if( image == "options_icon_6.tga" )
                image = "options_icon_6_lit.tga";
            if( item.x == 114 && item.y == 183 )
                image = "options_icon_off.tga";
            frame.draw( preview.get( image ), box.x + item.x, box.y + item.y );
        }
        ok &= save( frame, folder, "dialog_options.png", shots );
    }
    {
        Frame frame;
        frame.draw( preview.get( "loading.jpg" ), 0, 0 );
        const Surface& progress = preview.get( "progress.tga" );
        frame.drawPart( progress, 63, 350, 0, 0, progress.width * 2 / 3, progress.height );
        ok &= save( frame, folder, "screen_loading.png", shots );
    }

    // A montage of the screens at half size.
    const int columns = 4;
    const int rows = int( ( shots.size() + columns - 1 ) / columns );
    Canvas montage( columns * 322, rows * 242 );
    cairo_t* cr = montage.cr();
    cairo_set_source_rgb( cr, 0.2, 0.1, 0.25 );
    cairo_paint( cr );
    for( size_t i = 0; i < shots.size(); ++i )
    {
        cairo_save( cr );
        cairo_translate( cr, 1 + ( i % columns ) * 322.0, 1 + ( i / columns ) * 242.0 );
        cairo_scale( cr, 0.5, 0.5 );
        cairo_set_source_surface( cr, shots[ i ].surface(), 0, 0 );
        cairo_pattern_set_filter( cairo_get_source( cr ), CAIRO_FILTER_GOOD );
        cairo_paint( cr );
        cairo_restore( cr );
    }
    ok &= ImageWriters::writePNG( montage, folder + "/montage.png" );

    // The tiles and their crunch frames at twice their size.
    const std::vector<std::string> sets = { "orange", "yellow", "purple", "red", "green", "blue", "blocker" };
    Canvas strip( 12 * 88 + 4, int( sets.size() + 2 ) * 88 + 4 );
    cr = strip.cr();
    cairo_set_source_rgb( cr, 0.42, 0.25, 0.62 );
    cairo_paint( cr );
    Frame tiles;
    std::vector<std::pair<std::string, std::pair<int, int>>> placed;
    for( size_t s = 0; s < sets.size(); ++s )
        for( int f = 0; f < 12; ++f )
        {
            char name[ 64 ];
            if( f == 0 )
                std::snprintf( name, sizeof( name ), "tile_%s.tga", sets[ s ].c_str() );
            else
                std::snprintf( name, sizeof( name ), "anim_tile_%s_ex%02d.tga", sets[ s ].c_str(), f - 1 );
            placed.push_back( { name, { f, int( s ) } } );
        }
    for( int f = 0; f < 12; ++f )
    {
        char name[ 64 ];
        if( f == 0 )
            std::snprintf( name, sizeof( name ), "tile_bear.tga" );
        else
            std::snprintf( name, sizeof( name ), "anim_tile_generic%02d.tga", f - 1 );
        placed.push_back( { name, { f, int( sets.size() ) } } );
    }
    const char* kCandies[] = { "tile_bear.tga",       "tile_cherries.tga",  "tile_chocolate.tga",
                               "tile_grapefruit.tga", "tile_lifesaver.tga", "tile_peppermint.tga",
                               "tile_worm.tga",       "tile_wild.tga",      "anim_tile_wild_ex00.tga" };
    for( int i = 0; i < 9; ++i )
        placed.push_back( { kCandies[ i ], { i, int( sets.size() ) + 1 } } );
    Canvas cell( 640, 480 );
    for( const auto& entry : placed )
    {
        Frame one;
        Surface floor;
        floor.width = 42;
        floor.height = 42;
        floor.pixels.assign( 42 * 42, uint16_t( ( 0x6E >> 3 ) << 10 | ( 0x40 >> 3 ) << 5 | ( 0xA4 >> 3 ) ) );
        one.draw( floor, 0, 0 );
        one.draw( preview.get( entry.first ), 0, 0 );
        Canvas shot = one.toCanvas();
        cairo_save( cr );
        cairo_translate( cr, 4 + entry.second.first * 88.0, 4 + entry.second.second * 88.0 );
        cairo_rectangle( cr, 0, 0, 84, 84 );
        cairo_clip( cr );
        cairo_scale( cr, 2.0, 2.0 );
        cairo_set_source_surface( cr, shot.surface(), 0, 0 );
        cairo_pattern_set_filter( cairo_get_source( cr ), CAIRO_FILTER_NEAREST );
        cairo_paint( cr );
        cairo_restore( cr );
    }
    ok &= ImageWriters::writePNG( strip, folder + "/tiles.png" );
    if( !ok )
        error = "cannot write the preview into '" + folder + "'";
    return ok;
}
} // namespace PreviewRenderer
