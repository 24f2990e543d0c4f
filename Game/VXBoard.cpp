#include "Game/VXBoard.h"

#include <algorithm>

#include "Framework/application/HRandom.h"
#include "Framework/util/src/HLog.h"

namespace
{
const char kpSource[] = "Game\\VXBoard";

// The tutorial's first level; (0, 0) becomes the blank space.
const int32_t kaTutorialBoard[ VXBoard::kSize ][ VXBoard::kSize ] = {
    { TT_BLANK, 1, 1, 1, 1, 1 }, { 2, 3, 3, 1, 1, 3 }, { 1, 2, 3, 3, 1, 2 },
    { 3, 2, 1, 1, 3, 1 },        { 1, 2, 3, 1, 2, 3 }, { 1, 2, 1, 3, 2, 3 },
};
const int32_t kaTutorialTopPreviews[ VXBoard::kSize ] = { TT_ORANGE, TT_YELLOW, TT_ORANGE,
                                                          TT_PURPLE, TT_PURPLE, TT_PURPLE };

bool onBoard( int x, int y )
{
    return x >= 0 && x < VXBoard::kSize && y >= 0 && y < VXBoard::kSize;
}

// The 2 x 2 block around the starting blank stays free so the first slides are always possible.
bool nearStart( int x, int y )
{
    return x <= 1 && y <= 1;
}

int sign( int value )
{
    return value < 0 ? -1 : ( value > 0 ? 1 : 0 );
}
}

VXBoard::VXBoard()
    : m_kindCount( 0 )
    , m_kindOffset( 0 )
    , m_jellybeanCount( 0 )
    , m_blankX( 0 )
    , m_blankY( 0 )
    , m_crunchedRows{ -1, -1, -1, -1, -1, -1 }
    , m_crunchedColumns{ -1, -1, -1, -1, -1, -1 }
    , m_cells()
    , m_leftPreviews()
    , m_topPreviews()
    , m_pRandom( nullptr )
    , m_wildArrived( false )
{
}

uint32_t VXBoard::m_draw( uint32_t n )
{
    if( !HVERIFY( m_pRandom != 0, kpSource ) )
        return 0;
    return m_pRandom->random( n );
}

void VXBoard::dealTile( int32_t kindCount, int32_t kindOffset, VXTile& tile, bool wildAllowed )
{
    // The first draw is made whether or not a wild may come, so the sequence never depends on it.
    uint32_t roll = m_draw( 35 );
    if( wildAllowed && roll == 35 )
        tile.type = TT_WILD;
    else
        tile.type =
            static_cast<int32_t>( m_draw( static_cast<uint32_t>( std::max( kindCount, 1 ) - 1 ) ) ) + kindOffset + 1;
    tile.resetAnimation();
}

void VXBoard::setupLevel( int32_t kindCount, int32_t kindOffset, int32_t jellybeanCount, bool tutorial )
{
    // Fewer than two kinds would make every deal complete and the board could never be built.
    m_kindCount = std::min( std::max( kindCount, 2 ), 13 );
    m_kindOffset = std::min( std::max( kindOffset, 0 ), 13 - m_kindCount );
    m_jellybeanCount = std::max( jellybeanCount, 0 );

    do
    {
        m_buildBoard( tutorial );
    } while( m_hasCompleteLine() );

    bool wild = isWildAllowed();
    for( int y = 0; y < kSize; ++y )
        dealTile( m_kindCount, m_kindOffset, m_leftPreviews[ y ], wild );
    for( int x = 0; x < kSize; ++x )
    {
        if( tutorial )
        {
            m_topPreviews[ x ].type = kaTutorialTopPreviews[ x ];
            m_topPreviews[ x ].resetAnimation();
        }
        else
            dealTile( m_kindCount, m_kindOffset, m_topPreviews[ x ], wild );
    }
    for( int i = 0; i < kSize; ++i )
    {
        m_crunchedRows[ i ] = -1;
        m_crunchedColumns[ i ] = -1;
    }
}

void VXBoard::m_buildBoard( bool tutorial )
{
    if( tutorial && m_kindCount == 3 && m_kindOffset == 0 && m_jellybeanCount == 0 )
    {
        for( int y = 0; y < kSize; ++y )
        {
            for( int x = 0; x < kSize; ++x )
            {
                m_cell( x, y ).type = kaTutorialBoard[ y ][ x ];
                m_cell( x, y ).resetAnimation();
            }
        }
    }
    else
    {
        for( VXTile& tile : m_cells )
            dealTile( m_kindCount, m_kindOffset, tile, false );

        // Six in a line would be a complete line on every deal, and the board could never be built.
        int wanted = std::min( m_jellybeanCount, kSize - 1 );
        if( wanted < m_jellybeanCount )
            debugTrace( "setupLevel - only %d of %d black jellybeans fit", wanted, m_jellybeanCount );
        for( int placed = 0; placed < wanted; )
        {
            int x = static_cast<int>( m_draw( 5 ) );
            int y = static_cast<int>( m_draw( 5 ) );
            if( nearStart( x, y ) || m_cell( x, y ).type == TT_BLACK_JELLYBEAN )
                continue;
            if( m_kindCount == 3 && x != 5 && y != 5 )
                continue;
            m_cell( x, y ).type = TT_BLACK_JELLYBEAN;
            ++placed;
        }

        if( m_jellybeanCount == 1 && m_kindCount == 4 )
        {
            for( ;; )
            {
                int x = static_cast<int>( m_draw( 5 ) );
                int y = static_cast<int>( m_draw( 5 ) );
                if( nearStart( x, y ) || m_cell( x, y ).type == TT_BLACK_JELLYBEAN )
                    continue;
                m_cell( x, y ).type = TT_WILD;
                break;
            }
        }
    }
    m_cell( 0, 0 ).type = TT_BLANK;
    m_blankX = 0;
    m_blankY = 0;
}

bool VXBoard::m_hasCompleteLine() const
{
    for( int y = 0; y < kSize; ++y )
    {
        if( isRowComplete( y ) )
            return true;
    }
    for( int x = 0; x < kSize; ++x )
    {
        if( isColumnComplete( x ) )
            return true;
    }
    return false;
}

VXTile VXBoard::getCell( int x, int y ) const
{
    if( !onBoard( x, y ) )
        return VXTile();
    return m_cell( x, y );
}

void VXBoard::setCell( int x, int y, const VXTile& tile )
{
    if( onBoard( x, y ) )
        m_cell( x, y ) = tile;
}

void VXBoard::setCellType( int x, int y, int32_t type )
{
    if( onBoard( x, y ) )
        m_cell( x, y ).type = type;
}

void VXBoard::setCellSprite( int x, int y, const VXSprite* pSprite )
{
    if( onBoard( x, y ) )
        m_cell( x, y ).pSprite = pSprite;
}

VXTile VXBoard::getLeftPreview( int y ) const
{
    return y >= 0 && y < kSize ? m_leftPreviews[ y ] : VXTile();
}

VXTile VXBoard::getTopPreview( int x ) const
{
    return x >= 0 && x < kSize ? m_topPreviews[ x ] : VXTile();
}

void VXBoard::setLeftPreview( int y, const VXTile& tile )
{
    if( y >= 0 && y < kSize )
        m_leftPreviews[ y ] = tile;
}

void VXBoard::setTopPreview( int x, const VXTile& tile )
{
    if( x >= 0 && x < kSize )
        m_topPreviews[ x ] = tile;
}

int32_t VXBoard::getCrunchedRow( int i ) const
{
    return i >= 0 && i < kSize ? m_crunchedRows[ i ] : -1;
}

int32_t VXBoard::getCrunchedColumn( int i ) const
{
    return i >= 0 && i < kSize ? m_crunchedColumns[ i ] : -1;
}

void VXBoard::startLevelEndAnimation()
{
    for( VXTile& tile : m_cells )
        tile.setAnimation( true, kLevelEndDuration );
}

void VXBoard::advanceAnimations( int32_t elapsed )
{
    for( VXTile& tile : m_cells )
    {
        if( !tile.animating )
            continue;
        tile.animationLeft = tile.animationLeft > elapsed ? tile.animationLeft - elapsed : 0;
    }
}

HRect VXBoard::cellRect( int x, int y )
{
    int32_t left = kLeft + kCellSize * x;
    int32_t top = kTop + kCellSize * y;
    return HRect{ left, top, left + kCellSize, top + kCellSize };
}

int VXBoard::checkMove( int x, int y ) const
{
    if( !onBoard( x, y ) )
        return MR_NO_MOVE;
    if( x != m_blankX )
    {
        if( y != m_blankY )
            return MR_NO_MOVE;
        for( int c = m_blankX; c != x; c += sign( x - m_blankX ) )
        {
            if( m_cell( c, y ).type == TT_BLACK_JELLYBEAN )
                return MR_BLOCKED;
        }
    }
    else
    {
        if( y == m_blankY )
            return MR_NO_MOVE;
        for( int r = m_blankY; r != y; r += sign( y - m_blankY ) )
        {
            if( m_cell( x, r ).type == TT_BLACK_JELLYBEAN )
                return MR_BLOCKED;
        }
    }
    return m_cell( x, y ).type == TT_BLACK_JELLYBEAN ? MR_BLOCKED : MR_LEGAL;
}

int VXBoard::tryMove( int x, int y, HPoint* pPreviousBlank )
{
    int result = checkMove( x, y );
    if( result != MR_LEGAL )
        return result;
    if( pPreviousBlank != nullptr )
        *pPreviousBlank = HPoint{ m_blankX, m_blankY };
    int dx = sign( x - m_blankX );
    int dy = sign( y - m_blankY );
    for( int px = m_blankX, py = m_blankY; px != x || py != y; px += dx, py += dy )
        m_cell( px, py ) = m_cell( px + dx, py + dy );
    m_cell( x, y ).type = TT_BLANK;
    m_blankX = x;
    m_blankY = y;
    return MR_LEGAL;
}

bool VXBoard::m_isLineComplete( const VXTile* const* kapLine ) const
{
    if( kapLine[ 0 ]->type == TT_CLEARED || kapLine[ 0 ]->animating )
        return false;
    int counts[ TT_WILD + 1 ] = {};
    for( int i = 0; i < kSize; ++i )
    {
        int32_t type = kapLine[ i ]->type;
        // A cleared cell further along means a refill is still due: such a line is never complete.
        if( type < TT_BLANK || type > TT_WILD )
            return false;
        ++counts[ type ];
    }
    bool hasWild = counts[ TT_WILD ] > 0;
    int kinds = 0;
    for( int type = TT_BLANK; type <= TT_BLACK_JELLYBEAN; ++type )
    {
        if( type == TT_BLACK_JELLYBEAN && hasWild )
            continue;
        if( counts[ type ] > 0 )
            ++kinds;
    }
    return kinds == 1;
}

bool VXBoard::isRowComplete( int y ) const
{
    if( y < 0 || y >= kSize )
        return false;
    const VXTile* apLine[ kSize ];
    for( int x = 0; x < kSize; ++x )
        apLine[ x ] = &m_cell( x, y );
    return m_isLineComplete( apLine );
}

bool VXBoard::isColumnComplete( int x ) const
{
    if( x < 0 || x >= kSize )
        return false;
    const VXTile* apLine[ kSize ];
    for( int y = 0; y < kSize; ++y )
        apLine[ y ] = &m_cell( x, y );
    return m_isLineComplete( apLine );
}

int VXBoard::findCompleteLines( int32_t* pScoreSum )
{
    int32_t sum = 0;
    int rows = 0;
    int columns = 0;
    for( int i = 0; i < kSize; ++i )
    {
        m_crunchedRows[ i ] = -1;
        m_crunchedColumns[ i ] = -1;
    }
    for( int y = 0; y < kSize; ++y )
    {
        if( !isRowComplete( y ) )
            continue;
        m_crunchedRows[ rows++ ] = y;
        for( int x = 0; x < kSize; ++x )
            sum += getTileScore( m_cell( x, y ) );
    }
    for( int x = 0; x < kSize; ++x )
    {
        if( !isColumnComplete( x ) )
            continue;
        m_crunchedColumns[ columns++ ] = x;
        for( int y = 0; y < kSize; ++y )
            sum += getTileScore( m_cell( x, y ) );
    }
    if( pScoreSum != nullptr )
        *pScoreSum = sum;
    return rows + columns;
}

int VXBoard::crunchStep( int32_t* pLines, int32_t* pScoreSum, bool* pWildArrived, bool* pJellybeanCrunched )
{
    int32_t lines = 0;
    int32_t scoreSum = 0;
    bool jellybeanCrunched = false;
    m_wildArrived = false;

    bool cleared = false;
    for( VXTile& tile : m_cells )
    {
        if( !tile.animating )
            continue;
        tile.type = TT_CLEARED;
        tile.resetAnimation();
        cleared = true;
    }

    int result;
    if( cleared )
    {
        for( int y = kSize - 1; y >= 0; --y )
        {
            for( int x = kSize - 1; x >= 0; --x )
            {
                if( m_cell( x, y ).type != TT_CLEARED )
                    continue;
                if( m_crunchedRows[ 0 ] >= 0 )
                    m_pullDown( x, y );
                else if( m_crunchedColumns[ 0 ] >= 0 )
                    m_pullRight( x, y );
            }
        }
        m_findBlankSpace();
        result = CR_REFILLED;
    }
    else
    {
        lines = findCompleteLines( &scoreSum );
        if( lines == 0 )
            scoreSum = 0;
        for( int i = 0; i < kSize && m_crunchedRows[ i ] >= 0; ++i )
        {
            for( int x = 0; x < kSize; ++x )
            {
                VXTile& tile = m_cell( x, m_crunchedRows[ i ] );
                if( tile.type == TT_BLANK )
                    continue;
                tile.setAnimation( true, kCrunchDuration );
                jellybeanCrunched = jellybeanCrunched || tile.type == TT_BLACK_JELLYBEAN;
            }
        }
        for( int i = 0; i < kSize && m_crunchedColumns[ i ] >= 0; ++i )
        {
            for( int y = 0; y < kSize; ++y )
            {
                VXTile& tile = m_cell( m_crunchedColumns[ i ], y );
                if( tile.type == TT_BLANK )
                    continue;
                tile.setAnimation( true, kCrunchDuration );
                jellybeanCrunched = jellybeanCrunched || tile.type == TT_BLACK_JELLYBEAN;
            }
        }
        result = m_crunchedRows[ 0 ] >= 0 || m_crunchedColumns[ 0 ] >= 0 ? CR_CRUNCHING : CR_NOTHING;
    }

    if( pLines != nullptr )
        *pLines = lines;
    if( pScoreSum != nullptr )
        *pScoreSum = scoreSum;
    if( pWildArrived != nullptr )
        *pWildArrived = m_wildArrived;
    if( pJellybeanCrunched != nullptr )
        *pJellybeanCrunched = jellybeanCrunched;
    return result;
}

void VXBoard::m_takePreview( VXTile& preview, VXTile& out )
{
    out = preview;
    m_wildArrived = m_wildArrived || out.type == TT_WILD;
    dealTile( m_kindCount, m_kindOffset, preview, isWildAllowed() );
}

// Everything above (x, y) moves down one cell and the column's top preview enters at the top.
// A cleared cell directly above is filled first, so what moves down is never a cleared cell.
void VXBoard::m_pullDown( int x, int y )
{
    VXTile tile;
    int r = y - 1;
    if( r < 0 )
        m_takePreview( m_topPreviews[ x ], tile );
    else
    {
        while( m_cell( x, r ).type == TT_CLEARED )
            m_pullDown( x, r );
        tile = m_cell( x, r );
        m_pullDown( x, r );
    }
    m_cell( x, y ) = tile;
}

void VXBoard::m_pullRight( int x, int y )
{
    VXTile tile;
    int c = x - 1;
    if( c < 0 )
        m_takePreview( m_leftPreviews[ y ], tile );
    else
    {
        while( m_cell( c, y ).type == TT_CLEARED )
            m_pullRight( c, y );
        tile = m_cell( c, y );
        m_pullRight( c, y );
    }
    m_cell( x, y ) = tile;
}

void VXBoard::m_findBlankSpace()
{
    for( int y = 0; y < kSize; ++y )
    {
        for( int x = 0; x < kSize; ++x )
        {
            if( m_cell( x, y ).type == TT_BLANK )
            {
                m_blankX = x;
                m_blankY = y;
                return;
            }
        }
    }
    m_cell( 0, 0 ).type = TT_BLANK;
    m_blankX = 0;
    m_blankY = 0;
    debugTrace( "m_findBlankSpace - no blank space found" );
}
