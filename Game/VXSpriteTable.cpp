#include "Game/VXSpriteTable.h"

#include "Framework/util/src/HText.h"
#include "Game/VXTile.h"

namespace
{
const char* const kLeadingNames[ SPR_TILE_FIRST ] = {
    "timer.tga",          "time_bonus.tga",       "startlevel_bonus.tga",
    "level.tga",          "cursor.tga",           "bites00.tga",
    "bites01.tga",        "bites02.tga",          "icon_resume.tga",
    "icon_resume_lit.tga", "icon_pause.tga",      "icon_pause_lit.tga",
    "icon_restart.tga",   "icon_restart_lit.tga", "icon_options.tga",
    "icon_options_lit.tga", "icon_exit.tga",      "icon_exit_lit.tga",
    "logo.tga",           "logo_lit.tga",         "partnerlogo.tga",
    "partnerlogo_lit.tga", "background.jpg",      "arena.jpg",
    "pause.jpg",          "icon_click_to_start_lit.tga" };

// The still tiles in loading order, with the tile type each shows.
const char* const kStillNames[ 15 ] = { "blue",  "red",      "green",     "yellow",     "purple",
                                        "orange", "wild",    "blocker",   "bear",       "cherries",
                                        "chocolate", "grapefruit", "lifesaver", "peppermint", "worm" };
const int32_t kStillTypes[ 15 ] = { TT_BLUE,  TT_RED,     TT_GREEN,      TT_YELLOW,     TT_PURPLE,
                                    TT_ORANGE, TT_WILD,   TT_BLACK_JELLYBEAN, TT_BEAR, TT_CHERRIES,
                                    TT_CHOCOLATE, TT_GRAPEFRUIT, TT_LIFESAVER, TT_PEPPERMINT, TT_WORM };

// The kinds with crunch frames of their own, in loading order.
const char* const kAnimNames[ 7 ] = { "blocker", "orange", "purple", "yellow", "blue", "green", "red" };
const int32_t kAnimTypes[ 7 ] = { TT_BLACK_JELLYBEAN, TT_ORANGE, TT_PURPLE, TT_YELLOW, TT_BLUE, TT_GREEN, TT_RED };

const char* const kDigitNames[ 10 ] = { "zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine" };

const char* const kTrailingNames[ SPR_TUTORIAL_FIRST - SPR_LOADING ] = {
    "loading.jpg",          "progress.tga",   "font.tga",      "info_start.jpg",  "info_hint.jpg",
    "info_blackjellybean.jpg", "info_wildcard.jpg", "info_red.jpg", "info_green.jpg", "info_blue.jpg" };

struct NameTable
{
    char names[ SPR_COUNT ][ 40 ];

    NameTable()
    {
        for( int slot = 0; slot < SPR_TILE_FIRST; ++slot )
            textCopy( names[ slot ], sizeof( names[ slot ] ), kLeadingNames[ slot ] );
        for( int i = 0; i < 15; ++i )
            textFormat( names[ SPR_TILE_FIRST + i ], sizeof( names[ 0 ] ), "tile_%s.tga", kStillNames[ i ] );
        textCopy( names[ SPR_ICON_HIGHSCORES ], sizeof( names[ 0 ] ), "icon_highscores.tga" );
        textCopy( names[ SPR_ICON_HIGHSCORES_LIT ], sizeof( names[ 0 ] ), "icon_highscores_lit.tga" );
        textCopy( names[ SPR_FONT_COMMA ], sizeof( names[ 0 ] ), "font_comma.tga" );
        for( int i = 0; i < 10; ++i )
            textFormat( names[ SPR_FONT_ZERO + i ], sizeof( names[ 0 ] ), "font_%s.tga", kDigitNames[ i ] );
        textCopy( names[ SPR_ANIM_WILD ], sizeof( names[ 0 ] ), "anim_tile_wild_ex00.tga" );
        for( int set = 0; set < 7; ++set )
        {
            for( int frame = 0; frame < 11; ++frame )
                textFormat( names[ SPR_ANIM_FIRST + set * 11 + frame ], sizeof( names[ 0 ] ), "anim_tile_%s_ex%02d.tga",
                            kAnimNames[ set ], frame );
        }
        for( int frame = 0; frame < 11; ++frame )
            textFormat( names[ SPR_ANIM_GENERIC_FIRST + frame ], sizeof( names[ 0 ] ), "anim_tile_generic%02d.tga",
                        frame );
        for( int slot = SPR_LOADING; slot < SPR_TUTORIAL_FIRST; ++slot )
            textCopy( names[ slot ], sizeof( names[ 0 ] ), kTrailingNames[ slot - SPR_LOADING ] );
        for( int page = 0; page < 6; ++page )
            textFormat( names[ SPR_TUTORIAL_FIRST + page ], sizeof( names[ 0 ] ), "tutorial_%d.jpg", page + 1 );
        textCopy( names[ SPR_TUTORIAL_HAND ], sizeof( names[ 0 ] ), "tutorial_hand.tga" );
    }
};

const NameTable& nameTable()
{
    static const NameTable s_table;
    return s_table;
}

bool isSlot( int slot )
{
    return slot >= 0 && slot < SPR_COUNT;
}
} // namespace

VXSpriteTable::VXSpriteTable()
    : m_pDisplay( nullptr )
    , m_pFileSystem( nullptr )
{
}

VXSpriteTable::~VXSpriteTable()
{
    unloadAll();
}

const char* VXSpriteTable::fileName( int slot )
{
    return isSlot( slot ) ? nameTable().names[ slot ] : "";
}

void VXSpriteTable::setSources( HDisplayDevice* pDisplay, HFileSystem* pFileSystem )
{
    m_pDisplay = pDisplay;
    m_pFileSystem = pFileSystem;
}

bool VXSpriteTable::load( int slot )
{
    if( !isSlot( slot ) )
        return false;
    if( m_sprites[ slot ].isLoaded() )
        return true;
    if( !m_sprites[ slot ].load( m_pDisplay, m_pFileSystem, fileName( slot ) ) )
        return false;
    // A file that read but made no picture still took a reference; give it back.
    if( !m_sprites[ slot ].isLoaded() )
    {
        m_sprites[ slot ].unload();
        return false;
    }
    return true;
}

void VXSpriteTable::unload( int slot )
{
    if( !isSlot( slot ) )
        return;
    while( m_sprites[ slot ].isLoaded() )
        m_sprites[ slot ].unload();
}

void VXSpriteTable::unloadAll()
{
    for( int slot = 0; slot < SPR_COUNT; ++slot )
        unload( slot );
}

bool VXSpriteTable::isLoaded( int slot ) const
{
    return isSlot( slot ) && m_sprites[ slot ].isLoaded();
}

VXSprite* VXSpriteTable::get( int slot )
{
    return isSlot( slot ) ? &m_sprites[ slot ] : nullptr;
}

const VXSprite* VXSpriteTable::get( int slot ) const
{
    return isSlot( slot ) ? &m_sprites[ slot ] : nullptr;
}

int VXSpriteTable::slotOf( const VXSprite* kpSprite ) const
{
    // By address, as tiles are drawn often; anything outside the table is no slot.
    uintptr_t address = reinterpret_cast<uintptr_t>( kpSprite );
    uintptr_t first = reinterpret_cast<uintptr_t>( &m_sprites[ 0 ] );
    if( address < first || ( address - first ) % sizeof( VXSprite ) != 0 )
        return -1;
    uintptr_t slot = ( address - first ) / sizeof( VXSprite );
    return slot < static_cast<uintptr_t>( SPR_COUNT ) ? static_cast<int>( slot ) : -1;
}

int VXSpriteTable::stillSlot( int32_t tileType )
{
    for( int i = 0; i < 15; ++i )
    {
        if( kStillTypes[ i ] == tileType )
            return SPR_TILE_FIRST + i;
    }
    return -1;
}

int VXSpriteTable::crunchFrameSlot( int32_t tileType, int frame )
{
    int still = stillSlot( tileType );
    if( still < 0 )
        return -1;
    if( tileType >= TT_BEAR && tileType <= TT_WORM )
        return SPR_ANIM_GENERIC_FIRST + ( frame < 0 ? 0 : frame > 10 ? 10 : frame );
    if( frame <= 0 )
        return still;
    if( tileType == TT_WILD )
        return SPR_ANIM_WILD;
    for( int set = 0; set < 7; ++set )
    {
        if( kAnimTypes[ set ] == tileType )
            return SPR_ANIM_FIRST + set * 11 + ( frame > 11 ? 10 : frame - 1 );
    }
    return still;
}

int VXSpriteTable::slotFor( const VXTile& tile )
{
    if( !tile.isAnimating() )
        return stillSlot( tile.type );
    int frames = tile.type == TT_WILD ? kWildFrames : kCrunchFrames;
    int frame = static_cast<int>( tile.progress() * static_cast<float>( frames ) );
    frame = frame < 0 ? 0 : frame >= frames ? frames - 1 : frame;
    return crunchFrameSlot( tile.type, frame );
}
