#ifndef GLIMMERDROP_GAME_VXGAMEOVERDIALOG_H
#define GLIMMERDROP_GAME_VXGAMEOVERDIALOG_H

#include "Game/dialogs/VXDialog.h"
#include "Game/dialogs/VXDialogItemButton.h"

class VXGame;

// The notice that the clock ran out. Its continue button comes on only once the notice has been
// up for the time-out, so a click meant for the board cannot dismiss it unseen.
class VXGameOverDialog : public VXDialog
{
public:
    static constexpr uint32_t kContinueDelay = 2000;

    // The pictures are not owned.
    VXGameOverDialog( VXGame& game, VXSprite* pBackground, VXSprite* pContinue, VXSprite* pContinueLit );

    bool onItemActivated( VXDialogItem* pItem ) override;
    // Turns the continue button on and keeps the notice up.
    bool onTimeout() override;

    const VXDialogItemButton& getContinueButton() const { return m_continue; }

private:
    VXGame& m_game;
    VXDialogItemButton m_continue;
};

#endif
