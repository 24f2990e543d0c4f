#ifndef GLIMMERDROP_TESTS_GAME_SUPPORT_BOARDMOVES_H
#define GLIMMERDROP_TESTS_GAME_SUPPORT_BOARDMOVES_H

#include <vector>

#include "Game/VXBoard.h"

// What the test players see of a board: where the blank can go, and how far a line is.

// The cells that may slide into the blank, row then column at each index.
std::vector<HPoint> legalMoves( const VXBoard& board );
// True when some run of at most that many moves completes a line.
bool lineWithin( const VXBoard& board, int moves );
// The first legal move of the shortest way to a complete line, if one is at most maxMoves long.
bool moveTowardsLine( const VXBoard& board, int maxMoves, HPoint& move );

#endif
