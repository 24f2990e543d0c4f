#ifndef GLIMMERDROP_GAME_VXSCOREPOPUP_H
#define GLIMMERDROP_GAME_VXSCOREPOPUP_H

#include <cstdint>

#include "Framework/graphics/HRect.h"

class HApplication;

// A floating score number rising from where the move was made.
struct VXScorePopup
{
    int32_t value;
    float x;
    float y;
    float previousX;
    float previousY;
    // Pixels per second, and per second squared.
    float velocityX;
    float velocityY;
    float accelerationX;
    float accelerationY;
    // 0 marks a free slot.
    int32_t lifeLeft;
};

// The eight popup slots; a popup started while all are busy is dropped.
class VXScorePopupList
{
public:
    static const int kSlotCount = 8;
    static const int32_t kLife = 2000;

    VXScorePopupList();

    void start( int32_t value, const HPoint& at );
    // Moves every live popup and marks its old and new areas dirty in the application.
    void advance( int32_t elapsed, HApplication& application );
    void clear();

    const VXScorePopup& slot( int i ) const { return m_slots[ i ]; }
    int liveCount() const;
    // The area a popup's digits cover when drawn at (x, y): the last digit's cell, widened leftward,
    // and every cell the digit font draws, the commas' lower ones too.
    static HRect area( int32_t value, int32_t x, int32_t y );

private:
    VXScorePopup m_slots[ kSlotCount ];
};

#endif
