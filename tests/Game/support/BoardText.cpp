#include "tests/Game/support/BoardText.h"

#include <cstring>

namespace
{
const char kLetters[] = ".OYPRGB7C9ABCDJW";
}

const char* const kapPlainBoard[ 6 ] = { ".YPOYP", "POYPOY", "YPOYPO", "OYPOYP", "POYPOY", "YPOYPO" };

int32_t typeOfLetter( char letter )
{
    switch( letter )
    {
    case '.':
        return TT_BLANK;
    case 'O':
        return TT_ORANGE;
    case 'Y':
        return TT_YELLOW;
    case 'P':
        return TT_PURPLE;
    case 'R':
        return TT_RED;
    case 'G':
        return TT_GREEN;
    case 'B':
        return TT_BLUE;
    case 'C':
        return TT_CHERRIES;
    case 'J':
        return TT_BLACK_JELLYBEAN;
    case 'W':
        return TT_WILD;
    default:
        return TT_CLEARED;
    }
}

char letterOfType( int32_t type )
{
    if( type == TT_CHERRIES )
        return 'C';
    if( type >= 0 && type < static_cast<int32_t>( std::strlen( kLetters ) ) )
        return kLetters[ type ];
    return 'x';
}

void loadBoard( VXBoard& board, const char* const* kapRows )
{
    for( int y = 0; y < VXBoard::kSize; ++y )
    {
        for( int x = 0; x < VXBoard::kSize; ++x )
        {
            VXTile tile;
            tile.type = typeOfLetter( kapRows[ y ][ x ] );
            board.setCell( x, y, tile );
        }
    }
    board.m_findBlankSpace();
}

std::string boardRow( const VXBoard& board, int y )
{
    std::string text;
    for( int x = 0; x < VXBoard::kSize; ++x )
        text += letterOfType( board.getCell( x, y ).type );
    return text;
}

std::string boardColumn( const VXBoard& board, int x )
{
    std::string text;
    for( int y = 0; y < VXBoard::kSize; ++y )
        text += letterOfType( board.getCell( x, y ).type );
    return text;
}
