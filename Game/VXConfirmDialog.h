#ifndef GLIMMERDROP_GAME_VXCONFIRMDIALOG_H
#define GLIMMERDROP_GAME_VXCONFIRMDIALOG_H

#include "Game/dialogs/VXDialog.h"
#include "Game/dialogs/VXDialogItemButton.h"

// The yes/no screen that asks whether the player is sure: a picture centred on the screen with
// an OK and a cancel button; cancel answers the return key.
class VXConfirmDialog : public VXDialog
{
public:
    // The pictures are not owned; any of them may be missing.
    VXConfirmDialog( VXSprite* pBackground, VXSprite* pOk, VXSprite* pOkLit, VXSprite* pCancel, VXSprite* pCancelLit );

    // Either button closes the screen.
    bool onItemActivated( VXDialogItem* pItem ) override;

    const VXDialogItemButton& getOkButton() const { return m_ok; }
    const VXDialogItemButton& getCancelButton() const { return m_cancel; }
    VXDialogItem* okItem() { return &m_ok; }

private:
    VXDialogItemButton m_ok;
    VXDialogItemButton m_cancel;
};

#endif
