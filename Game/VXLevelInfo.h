#ifndef GLIMMERDROP_GAME_VXLEVELINFO_H
#define GLIMMERDROP_GAME_VXLEVELINFO_H

#include <cstdint>

// One row of the level table: what a level asks for and how its board is dealt.
struct VXLevelInfo
{
    static const int kLevelCount = 38;

    int32_t linesToClear;
    float secondsPerLine;
    int32_t kindCount;
    int32_t kindOffset;
    int32_t jellybeanCount;
    // The clock's start value and its cap.
    int32_t levelSeconds;
    // Paid when a game started at this level completes it.
    int32_t startBonus;

    // Fills the 38 rows; row n - 1 serves level number n.
    static void fillTable( VXLevelInfo* pTable );
    // The row index for a 0-based level: every level past the table plays its last row.
    static int rowForLevel( int32_t level );
};

#endif
