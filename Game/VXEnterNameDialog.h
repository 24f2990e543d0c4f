#ifndef GLIMMERDROP_GAME_VXENTERNAMEDIALOG_H
#define GLIMMERDROP_GAME_VXENTERNAMEDIALOG_H

#include <cstdint>

#include "Game/dialogs/VXDialog.h"
#include "Game/dialogs/VXDialogItemButton.h"
#include "Game/dialogs/VXDialogItemTextLine.h"

class VXGame;
struct HBitmapFont;

// Asks the player with a new high score for a name. The name line has the focus, so typing goes
// there; the OK button is the default, so the return key closes the screen.
class VXEnterNameDialog : public VXDialog
{
public:
    static constexpr int32_t kNameLength = 16;

    // The pictures and the font are not owned.
    VXEnterNameDialog( VXGame& game, VXSprite* pBackground, VXSprite* pOk, VXSprite* pOkLit, const HBitmapFont* kpFont,
                       int32_t score, const char* kpSuggestedName );

    bool onItemActivated( VXDialogItem* pItem ) override;

    const char* getName() const { return m_name.getText(); }
    const VXDialogItemTextLine& getNameLine() const { return m_name; }
    const VXDialogItemTextLine& getScoreLine() const { return m_score; }
    const VXDialogItemButton& getOkButton() const { return m_ok; }

private:
    VXGame& m_game;
    VXDialogItemButton m_ok;
    VXDialogItemTextLine m_score;
    VXDialogItemTextLine m_name;
};

#endif
