#ifndef GLIMMERDROP_GAME_VXPAUSECONTROL_H
#define GLIMMERDROP_GAME_VXPAUSECONTROL_H

#include "Game/dialogs/VXControl.h"

class VXGame;
class VXSpriteTable;

// The pause button beside the board: "pause" while the game runs, "resume" while the player has
// paused it. It is offered while the board is in play, and whenever the game is paused.
class VXPauseControl : public VXControl
{
public:
    static const int32_t kX = 452;
    static const int32_t kY = 315;

    VXPauseControl( VXGame& game, VXSpriteTable& sprites );

    void draw( HDisplayDevice* pDisplay, const HRect& clip ) override;
    bool handleEvent( const HEvent& event ) override;

    // What a click does, for the keys that stand for the button: false while it is not shown.
    bool press();

    bool isShown() const;
    // Redraws the control's place when the game's state showed or hid it since the last frame.
    void refreshShown();
    // The image pair that matches the game's pause.
    void showPauseState();

private:
    VXGame& m_game;
    bool m_wasShown;
    VXSpriteTable& m_sprites;
};

#endif
