#include "Game/VXBoardView.h"

#include "Framework/util/src/HLog.h"
#include "Game/VXBoard.h"
#include "Game/VXDrawing.h"
#include "Game/VXGame.h"
#include "Game/VXSpriteTable.h"

namespace
{
int32_t unitStep( int32_t delta )
{
    return delta < 0 ? -1 : delta > 0 ? 1 : 0;
}

// How much of the phase is still to run, 1 at its start and 0 at its end.
float phaseFraction( const VXBoardView::Motion& motion )
{
    if( motion.phaseTotal <= 0 )
        return 0.0f;
    float fraction = static_cast<float>( motion.phaseLeft ) / static_cast<float>( motion.phaseTotal );
    return fraction > 0.0f ? fraction : 0.0f;
}

bool between( int32_t value, int32_t a, int32_t b )
{
    return a <= b ? value >= a && value <= b : value >= b && value <= a;
}
} // namespace

HRect VXBoardView::chooseSprites( VXBoard& board, VXSpriteTable& sprites )
{
    HRect changed{ 0, 0, 0, 0 };
    for( int y = 0; y < VXBoard::kSize; ++y )
    {
        for( int x = 0; x < VXBoard::kSize; ++x )
        {
            VXTile tile = board.getCell( x, y );
            const VXSprite* pChosen = sprites.get( VXSpriteTable::slotFor( tile ) );
            if( pChosen == tile.pSprite )
                continue;
            board.setCellSprite( x, y, pChosen );
            changed = rectUnion( changed, VXBoard::cellRect( x, y ) );
        }
    }
    return changed;
}

bool VXBoardView::tilePosition( const VXBoard& board, const Motion& motion, int x, int y, HPoint& out )
{
    HRect place = VXBoard::cellRect( x, y );
    out = { place.left, place.top };
    switch( motion.state )
    {
    case GS_IDLE:
    case GS_CRUNCHING:
    case GS_LEVEL_COMPLETE:
        return true;

    case GS_SLIDING:
    {
        HPoint blank = board.getBlankPosition();
        if( between( x, motion.previousBlank.x, blank.x ) && between( y, motion.previousBlank.y, blank.y ) )
        {
            float fraction = phaseFraction( motion );
            out.x += static_cast<int32_t>( static_cast<float>( VXBoard::kCellSize * unitStep( blank.x - motion.previousBlank.x ) ) * fraction );
            out.y += static_cast<int32_t>( static_cast<float>( VXBoard::kCellSize * unitStep( blank.y - motion.previousBlank.y ) ) * fraction );
        }
        return true;
    }

    case GS_REFILLING:
    {
        if( motion.phaseTotal == 0 )
            return false;
        float fraction = phaseFraction( motion );
        int32_t row = board.getCrunchedRow( 0 );
        int32_t column = board.getCrunchedColumn( 0 );
        if( row >= 0 )
        {
            if( y <= row )
                out.y = VXBoard::kTop + static_cast<int32_t>( VXBoard::kCellSize * ( static_cast<float>( y ) - fraction ) );
            return true;
        }
        if( column >= 0 )
        {
            if( x <= column )
                out.x = VXBoard::kLeft + static_cast<int32_t>( VXBoard::kCellSize * ( static_cast<float>( x ) - fraction ) );
            return true;
        }
        return false;
    }

    default:
        return false;
    }
}

void VXBoardView::m_drawTile( const VXBoard& board, VXSpriteTable& sprites, int x, int y, const HPoint& at,
                              const HRect& clip )
{
    VXTile tile = board.getCell( x, y );
    if( tile.type == TT_BLANK || tile.pSprite == nullptr )
        return;
    HRect place{ at.x, at.y, at.x + VXBoard::kCellSize, at.y + VXBoard::kCellSize };
    if( !rectsOverlap( place, clip ) )
        return;
    drawSpriteClipped( sprites.get( sprites.slotOf( tile.pSprite ) ), at.x, at.y, clip );
}

void VXBoardView::drawTiles( const VXBoard& board, VXSpriteTable& sprites, const Motion& motion, const HRect& clip )
{
    if( motion.state < GS_IDLE || motion.state > GS_QUIT )
    {
        alert( "m_drawTiles - unknown state '%d'", motion.state );
        return;
    }
    if( motion.state == GS_REFILLING && motion.phaseTotal != 0 && board.getCrunchedRow( 0 ) < 0 &&
        board.getCrunchedColumn( 0 ) < 0 )
    {
        debugTrace( "m_drawTilesRefilling called incorrectly" );
        return;
    }
    for( int y = 0; y < VXBoard::kSize; ++y )
    {
        for( int x = 0; x < VXBoard::kSize; ++x )
        {
            HPoint at;
            if( !tilePosition( board, motion, x, y, at ) )
                return;
            m_drawTile( board, sprites, x, y, at, clip );
        }
    }
}
