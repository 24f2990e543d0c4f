#ifndef GLIMMERDROP_GAME_VXBOARD_H
#define GLIMMERDROP_GAME_VXBOARD_H

#include <cstdint>

#include "Framework/graphics/HRect.h"
#include "Game/VXTile.h"

class HRandom;

// Results of checkMove and tryMove.
enum VXMoveResult
{
    MR_LEGAL = 0,
    MR_NO_MOVE = 1,
    MR_BLOCKED = 2
};

// Results of crunchStep; each names the game state that follows.
enum VXCrunchResult
{
    CR_NOTHING = 0,
    CR_CRUNCHING = 2,
    CR_REFILLED = 3
};

// The 6 x 6 board with its one blank space, the preview tiles that refill it, and the rules of
// play: sliding moves, complete lines, their crunch and the refill. Every random draw comes from
// the generator it is given, in a fixed order, so a replayed journal deals the same boards.
class VXBoard
{
public:
    static const int kSize = 6;
    static const int kCellSize = 42;
    static const int kLeft = 107;
    static const int kTop = 101;
    static const int32_t kCrunchDuration = 256;
    static const int32_t kLevelEndDuration = 512;

    VXBoard();

    // Not owned; dealing without one is refused.
    void setRandom( HRandom* pRandom ) { m_pRandom = pRandom; }

    // Deals one tile: a wild with probability 1/36 when allowed, else one of the level's kinds.
    void dealTile( int32_t kindCount, int32_t kindOffset, VXTile& tile, bool wildAllowed );
    // Builds a level's board and both preview rows; the tutorial's first level is a fixed board.
    void setupLevel( int32_t kindCount, int32_t kindOffset, int32_t jellybeanCount, bool tutorial );
    // Wilds come with previews and refills once a level has more than three kinds and any jellybeans.
    bool isWildAllowed() const { return m_kindCount > 3 && m_jellybeanCount != 0; }

    int32_t getKindCount() const { return m_kindCount; }
    int32_t getKindOffset() const { return m_kindOffset; }
    int32_t getJellybeanCount() const { return m_jellybeanCount; }

    VXTile getCell( int x, int y ) const;
    void setCell( int x, int y, const VXTile& tile );
    void setCellType( int x, int y, int32_t type );
    VXTile getLeftPreview( int y ) const;
    VXTile getTopPreview( int x ) const;
    void setLeftPreview( int y, const VXTile& tile );
    void setTopPreview( int x, const VXTile& tile );
    // The chosen sprite is the presentation's business; it lives in the tile.
    void setCellSprite( int x, int y, const VXSprite* pSprite );
    // -1 past the entries found.
    int32_t getCrunchedRow( int i ) const;
    int32_t getCrunchedColumn( int i ) const;
    HPoint getBlankPosition() const { return HPoint{ m_blankX, m_blankY }; }

    void startLevelEndAnimation();
    void advanceAnimations( int32_t elapsed );

    // 0 legal, 1 no move, 2 blocked by a black jellybean; changes nothing.
    int checkMove( int x, int y ) const;
    // As checkMove, and on 0 slides the tiles between the blank and (x, y) one step toward the blank.
    int tryMove( int x, int y, HPoint* pPreviousBlank );
    bool isRowComplete( int y ) const;
    bool isColumnComplete( int x ) const;
    // Rewrites both crunched lists; a cell in a complete row and column is scored twice.
    int findCompleteLines( int32_t* pScoreSum );
    // Clears finished crunches and refills (3), or marks new complete lines (2), or nothing (0).
    int crunchStep( int32_t* pLines, int32_t* pScoreSum, bool* pWildArrived, bool* pJellybeanCrunched );
    // Locates the blank after a refill carried it; repairs a board that lost it.
    void m_findBlankSpace();

    // The 42 x 42 rectangle of a cell in the 640 x 480 frame.
    static HRect cellRect( int x, int y );

private:
    VXTile& m_cell( int x, int y ) { return m_cells[ y * kSize + x ]; }
    const VXTile& m_cell( int x, int y ) const { return m_cells[ y * kSize + x ]; }
    uint32_t m_draw( uint32_t n );
    void m_buildBoard( bool tutorial );
    bool m_hasCompleteLine() const;
    bool m_isLineComplete( const VXTile* const* kapLine ) const;
    void m_pullDown( int x, int y );
    void m_pullRight( int x, int y );
    void m_takePreview( VXTile& preview, VXTile& out );

    int32_t m_kindCount;
    int32_t m_kindOffset;
    int32_t m_jellybeanCount;
    int32_t m_blankX;
    int32_t m_blankY;
    int32_t m_crunchedRows[ kSize ];
    int32_t m_crunchedColumns[ kSize ];
    VXTile m_cells[ kSize * kSize ];
    VXTile m_leftPreviews[ kSize ];
    VXTile m_topPreviews[ kSize ];
    HRandom* m_pRandom;
    // Set while a refill runs: a preview taken in was a wild.
    bool m_wildArrived;
};

#endif
