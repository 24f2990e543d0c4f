#ifndef GLIMMERDROP_GAME_VXHIGHSCOREDIALOG_H
#define GLIMMERDROP_GAME_VXHIGHSCOREDIALOG_H

#include "Game/VXHighScoreTable.h"
#include "Game/dialogs/VXDialog.h"
#include "Game/dialogs/VXDialogItemButton.h"
#include "Game/dialogs/VXDialogItemTextLine.h"

struct HBitmapFont;

// The high-score table on a screen of its own: name, score and level of the five rows, an OK
// button (the default) and a button that clears the table.
class VXHighScoreDialog : public VXDialog
{
public:
    // The pictures and the font are not owned.
    VXHighScoreDialog( VXSprite* pBackground, VXSprite* pOk, VXSprite* pOkLit, VXSprite* pClearAll,
                       VXSprite* pClearAllLit, const HBitmapFont* kpFont );

    // OK and clear-all both close the screen; the caller tells them apart.
    bool onItemActivated( VXDialogItem* pItem ) override;
    // Shows the rows of the table.
    void refresh( const VXHighScoreTable& table );
    // Frames the row just entered with the picture (not owned; null draws no frame) and lights its
    // text, until the screen closes; -1 marks none.
    void setMarkedRow( int row, VXSprite* pMarker );
    int getMarkedRow() const { return m_markedRow; }

    VXDialogItem* okItem() { return &m_ok; }
    VXDialogItem* clearAllItem() { return &m_clearAll; }
    const VXDialogItemTextLine& nameLine( int row ) const { return m_names[ row ]; }
    const VXDialogItemTextLine& scoreLine( int row ) const { return m_scores[ row ]; }
    const VXDialogItemTextLine& levelLine( int row ) const { return m_levels[ row ]; }

private:
    VXDialogItemButton m_ok;
    VXDialogItemButton m_clearAll;
    // Drawn as a disabled button: a picture that takes no input.
    VXDialogItemButton m_marker;
    int m_markedRow;
    VXDialogItemTextLine m_names[ VXHighScoreTable::kRows ];
    VXDialogItemTextLine m_scores[ VXHighScoreTable::kRows ];
    VXDialogItemTextLine m_levels[ VXHighScoreTable::kRows ];
};

#endif
