#ifndef GLIMMERDROP_GAME_VXSTARTCONTROL_H
#define GLIMMERDROP_GAME_VXSTARTCONTROL_H

#include "Game/dialogs/VXControl.h"

class VXGame;

// "Click to start" under the information pictures: the pictures show it unlit, so it has only its
// lit image, drawn under the pointer. Clicking it leaves the information screen. Like every control
// of the main screen it keeps the class name "VXControl", the only one the control list takes.
class VXStartControl : public VXControl
{
public:
    static const int32_t kX = 114;
    static const int32_t kY = 388;

    explicit VXStartControl( VXGame& game );

    void draw( HDisplayDevice* pDisplay, const HRect& clip ) override;
    bool handleEvent( const HEvent& event ) override;

    // Shown and clickable on the information screens while the game is not paused.
    bool isShown() const;
    // Redraws the control's place when the game's state showed or hid it since the last frame.
    void refreshShown();

private:
    VXGame& m_game;
    bool m_wasShown;
};

#endif
