#ifndef GLIMMERDROP_GAME_VXPANELCONTROL_H
#define GLIMMERDROP_GAME_VXPANELCONTROL_H

#include "Game/dialogs/VXControl.h"

class VXGame;

// The image buttons of the panel beside the board, after the game's own start and pause
// buttons: each is shown and clickable only when the game offers what it does.
class VXPanelControl : public VXControl
{
public:
    enum Kind
    {
        PC_RESTART,
        PC_PARTNER,
        PC_OPTIONS,
        PC_HIGHSCORES,
        PC_EXIT,
        PC_LOGO
    };

    VXPanelControl( VXGame& game, Kind kind );

    void draw( HDisplayDevice* pDisplay, const HRect& clip ) override;
    // Lights under the pointer; a click while shown plays the click sound and runs the action.
    // Every time stamp checks whether the game showed or hid the button since the last one.
    bool handleEvent( const HEvent& event ) override;

    // What a click does, for the keys that stand for the button: false while it is not shown.
    bool press();

    bool isShown() const;
    Kind getKind() const { return m_kind; }

    // Where each stands on the screen.
    static HPoint place( Kind kind );

private:
    void m_act();

    VXGame& m_game;
    Kind m_kind;
    bool m_wasShown;
};

#endif
