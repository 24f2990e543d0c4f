#ifndef GLIMMERDROP_GAME_VXGAMESTATE_H
#define GLIMMERDROP_GAME_VXGAMESTATE_H

// Game state codes; other parts test ranges of them (8 to 14 are the information screens).
enum VXGameState
{
    GS_IDLE = 0,
    GS_SLIDING = 1,
    GS_CRUNCHING = 2,
    GS_REFILLING = 3,
    GS_LEVEL_COMPLETE = 4,
    GS_TIME_BONUS = 5,
    GS_NEXT_LEVEL = 6,
    GS_LEVEL_INTRO = 7,
    GS_INFO_START = 8,
    GS_INFO_HINT = 9,
    GS_INFO_BLACK_JELLYBEAN = 10,
    GS_INFO_WILDCARD = 11,
    GS_INFO_RED = 12,
    GS_INFO_GREEN = 13,
    GS_INFO_BLUE = 14,
    GS_START_LEVEL_BONUS = 15,
    GS_QUIT = 16
};

#endif
