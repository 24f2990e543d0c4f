#include "tests/Game/support/BoardMoves.h"

std::vector<HPoint> legalMoves( const VXBoard& board )
{
    HPoint blank = board.getBlankPosition();
    std::vector<HPoint> legal;
    for( int i = 0; i < VXBoard::kSize; ++i )
    {
        for( HPoint target : { HPoint{ i, blank.y }, HPoint{ blank.x, i } } )
        {
            if( board.checkMove( target.x, target.y ) == MR_LEGAL )
                legal.push_back( target );
        }
    }
    return legal;
}

namespace
{
bool completesWithin( const VXBoard& board, HPoint move, int moreMoves )
{
    VXBoard trial = board;
    trial.tryMove( move.x, move.y, nullptr );
    return trial.findCompleteLines( nullptr ) > 0 || lineWithin( trial, moreMoves );
}
} // namespace

bool lineWithin( const VXBoard& board, int moves )
{
    if( moves <= 0 )
        return false;
    for( HPoint move : legalMoves( board ) )
    {
        if( completesWithin( board, move, moves - 1 ) )
            return true;
    }
    return false;
}

bool moveTowardsLine( const VXBoard& board, int maxMoves, HPoint& move )
{
    std::vector<HPoint> legal = legalMoves( board );
    for( int moves = 1; moves <= maxMoves; ++moves )
    {
        for( HPoint first : legal )
        {
            if( completesWithin( board, first, moves - 1 ) )
            {
                move = first;
                return true;
            }
        }
    }
    return false;
}
