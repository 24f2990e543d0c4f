#ifndef GLIMMERDROP_GAME_VXTILE_H
#define GLIMMERDROP_GAME_VXTILE_H

#include <cstdint>

class VXSprite;

// Tile type codes as the board stores them; the level table's kind offset counts along 1 to 13.
enum VXTileType
{
    TT_BLANK = 0,
    TT_ORANGE = 1,
    TT_YELLOW = 2,
    TT_PURPLE = 3,
    TT_RED = 4,
    TT_GREEN = 5,
    TT_BLUE = 6,
    TT_BEAR = 7,
    TT_CHERRIES = 8,
    TT_CHOCOLATE = 9,
    TT_GRAPEFRUIT = 10,
    TT_LIFESAVER = 11,
    TT_PEPPERMINT = 12,
    TT_WORM = 13,
    TT_BLACK_JELLYBEAN = 14,
    TT_WILD = 15,
    // A crunched cell between the end of its animation and its refill.
    TT_CLEARED = 255
};

// One board cell or preview slot; always copied whole when it moves.
struct VXTile
{
    int32_t type;
    bool animating;
    int32_t animationTotal;
    // Counts down to 0 and stays there while the flag stays set.
    int32_t animationLeft;
    // The sprite last chosen to draw this tile; not owned.
    const VXSprite* pSprite;

    VXTile();

    void setAnimation( bool flag, int32_t duration );
    void resetAnimation() { setAnimation( false, 0 ); }
    bool isAnimating() const { return animating; }
    // (total - left) / (total + 1): below 1 even when the animation has run out.
    float progress() const;
};

// The score of a tile's kind; 0 (and a debug trace) for codes outside 1 to 15.
int32_t getTileScore( const VXTile& tile );
int32_t getTileScore( int32_t type );

#endif
