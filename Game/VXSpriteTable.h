#ifndef GLIMMERDROP_GAME_VXSPRITETABLE_H
#define GLIMMERDROP_GAME_VXSPRITETABLE_H

#include <cstdint>

#include "Framework/graphics/VXSprite.h"

class HDisplayDevice;
class HFileSystem;
struct VXTile;

// The game's sprite slots. The slots from SPR_TIMER to the last crunch frame are in the order in
// which start-up loads them behind the loading bar (the partner logos are skipped when absent).
enum VXSpriteSlot
{
    SPR_TIMER,
    SPR_TIME_BONUS,
    SPR_STARTLEVEL_BONUS,
    SPR_LEVEL,
    SPR_CURSOR,
    SPR_BITES0,
    SPR_BITES1,
    SPR_BITES2,
    SPR_ICON_RESUME,
    SPR_ICON_RESUME_LIT,
    SPR_ICON_PAUSE,
    SPR_ICON_PAUSE_LIT,
    SPR_ICON_RESTART,
    SPR_ICON_RESTART_LIT,
    SPR_ICON_OPTIONS,
    SPR_ICON_OPTIONS_LIT,
    SPR_ICON_EXIT,
    SPR_ICON_EXIT_LIT,
    SPR_LOGO,
    SPR_LOGO_LIT,
    SPR_PARTNER_LOGO,
    SPR_PARTNER_LOGO_LIT,
    SPR_BACKGROUND,
    SPR_ARENA,
    SPR_PAUSE,
    SPR_ICON_CLICK_TO_START_LIT,
    // The still tiles, in loading order: blue, red, green, yellow, purple, orange, wild, blocker,
    // bear, cherries, chocolate, grapefruit, lifesaver, peppermint, worm.
    SPR_TILE_FIRST,
    SPR_ICON_HIGHSCORES = SPR_TILE_FIRST + 15,
    SPR_ICON_HIGHSCORES_LIT,
    SPR_FONT_COMMA,
    SPR_FONT_ZERO,
    SPR_ANIM_WILD = SPR_FONT_ZERO + 10,
    // Eleven crunch frames each for blocker, orange, purple, yellow, blue, green and red.
    SPR_ANIM_FIRST,
    SPR_ANIM_GENERIC_FIRST = SPR_ANIM_FIRST + 7 * 11,
    SPR_LOAD_END = SPR_ANIM_GENERIC_FIRST + 11,

    // Loaded at other times.
    SPR_LOADING = SPR_LOAD_END,
    SPR_PROGRESS,
    SPR_FONT,
    SPR_INFO_START,
    SPR_INFO_HINT,
    SPR_INFO_BLACK_JELLYBEAN,
    SPR_INFO_WILDCARD,
    SPR_INFO_RED,
    SPR_INFO_GREEN,
    SPR_INFO_BLUE,
    SPR_TUTORIAL_FIRST,
    SPR_TUTORIAL_HAND = SPR_TUTORIAL_FIRST + 6,
    SPR_COUNT
};

// The game's sprites by slot, each named after its file in the resource archive. A slot is loaded
// once however often it is asked for, and unloaded only when loaded, so the sprites' reference
// counts never go astray.
class VXSpriteTable
{
public:
    static const int kCrunchFrames = 12;
    static const int kWildFrames = 2;

    VXSpriteTable();
    ~VXSpriteTable();

    VXSpriteTable( const VXSpriteTable& ) = delete;
    VXSpriteTable& operator=( const VXSpriteTable& ) = delete;

    static const char* fileName( int slot );

    // Where sprites are loaded from and drawn to; both not owned.
    void setSources( HDisplayDevice* pDisplay, HFileSystem* pFileSystem );
    bool load( int slot );
    void unload( int slot );
    // Every loaded slot, in slot order.
    void unloadAll();
    bool isLoaded( int slot ) const;
    // Null for a slot outside the table.
    VXSprite* get( int slot );
    const VXSprite* get( int slot ) const;
    // The slot of one of this table's sprites, -1 for any other.
    int slotOf( const VXSprite* kpSprite ) const;

    // The still picture of a tile type, -1 for the blank, cleared cells and unknown codes.
    static int stillSlot( int32_t tileType );
    // The picture of a tile type in a frame of its crunch: the kind's own frames (frame 0 is the
    // still picture), or the shared candy frames held at their last; -1 where the type has none.
    static int crunchFrameSlot( int32_t tileType, int frame );
    // The picture a tile shows now: still, or the frame its animation has reached.
    static int slotFor( const VXTile& tile );

private:
    VXSprite m_sprites[ SPR_COUNT ];
    HDisplayDevice* m_pDisplay;
    HFileSystem* m_pFileSystem;
};

#endif
