#ifndef GLIMMERDROP_GAME_VXSTARTCONTROL_H
#define GLIMMERDROP_GAME_VXSTARTCONTROL_H

#include "Game/dialogs/VXControl.h"

class VXGame;

// "Click to start" under the information pictures: the pictures show it unlit, so it has only its
// lit image, drawn under the pointer. Clicking it leaves the information screen.
class VXStartControl : public VXControl
{
public:
    static const int32_t kX = 114;
    static const int32_t kY = 388;

    explicit VXStartControl( VXGame& game );

    const char* getClassName() const override;
    bool isA( const char* kpClassName ) const override;
    void draw( HDisplayDevice* pDisplay, const HRect& clip ) override;
    bool handleEvent( const HEvent& event ) override;

    // Shown and clickable on the information screens while the game is not paused.
    bool isShown() const;

private:
    VXGame& m_game;
};

#endif
