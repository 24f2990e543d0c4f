#ifndef GLIMMERDROP_GAME_VXBOARDVIEW_H
#define GLIMMERDROP_GAME_VXBOARDVIEW_H

#include <cstdint>

#include "Framework/graphics/HRect.h"

class VXBoard;
class VXSpriteTable;

// How the board's tiles appear: which picture each cell shows, and where each tile is drawn while
// the game slides tiles into the blank or lets refilled ones fall into place.
class VXBoardView
{
public:
    // What the drawing depends on besides the board.
    struct Motion
    {
        int32_t state;
        int32_t phaseLeft;
        int32_t phaseTotal;
        // The blank's cell before the last slide.
        HPoint previousBlank;
    };

    // Chooses every cell's picture (kept in the tile); returns the area of the cells whose picture
    // changed, empty when none did.
    static HRect chooseSprites( VXBoard& board, VXSpriteTable& sprites );

    // Draws the tiles the state shows: in place, sliding, falling in after a refill, or none.
    static void drawTiles( const VXBoard& board, VXSpriteTable& sprites, const Motion& motion, const HRect& clip );

    // Where a cell's tile is drawn in this frame; false when the state draws no tiles.
    static bool tilePosition( const VXBoard& board, const Motion& motion, int x, int y, HPoint& out );

private:
    static void m_drawTile( const VXBoard& board, VXSpriteTable& sprites, int x, int y, const HPoint& at,
                            const HRect& clip );
};

#endif
