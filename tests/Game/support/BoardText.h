#ifndef GLIMMERDROP_TESTS_GAME_SUPPORT_BOARDTEXT_H
#define GLIMMERDROP_TESTS_GAME_SUPPORT_BOARDTEXT_H

#include <string>

#include "Game/VXBoard.h"

// Boards written as six rows of six letters: '.' blank, O Y P R G B orange to blue,
// C cherries, J black jellybean, W wild.
int32_t typeOfLetter( char letter );
char letterOfType( int32_t type );
// Lays the rows out on the board and finds its blank.
void loadBoard( VXBoard& board, const char* const* kapRows );
std::string boardRow( const VXBoard& board, int y );
std::string boardColumn( const VXBoard& board, int x );

// A board with no complete line whose blank is in the top-left corner.
extern const char* const kapPlainBoard[ 6 ];

#endif
