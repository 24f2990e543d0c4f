#ifndef GLIMMERDROP_GAME_VXOPTIONSDIALOG_H
#define GLIMMERDROP_GAME_VXOPTIONSDIALOG_H

#include "Game/dialogs/VXDialog.h"
#include "Game/dialogs/VXDialogItemButton.h"

class VXGame;
class VXScreenImages;
struct VXSettings;

// The player's settings on one screen: toggles for full screen, music, the arrow keys' sense,
// the alarm and sound, and the six levels a new game may start at. Each press takes effect at
// once, except full screen, which the caller switches once the screen has closed.
class VXOptionsDialog : public VXDialog
{
public:
    static constexpr int kStartLevels = 6;

    // Pictures come from the images given, which must outlive the dialog.
    VXOptionsDialog( VXGame& game, VXSettings& settings, VXScreenImages& images );

    // Plays the click, applies the item's change; only OK closes.
    bool onItemActivated( VXDialogItem* pItem ) override;

    VXDialogItemButton& okButton() { return m_ok; }
    VXDialogItemButton& fullscreenButton() { return m_fullscreen; }
    VXDialogItemButton& musicButton() { return m_music; }
    VXDialogItemButton& keyboardButton() { return m_keyboard; }
    VXDialogItemButton& alarmButton() { return m_alarm; }
    VXDialogItemButton& soundButton() { return m_sound; }
    VXDialogItemButton& startLevelButton( int index ) { return m_startLevels[ index ]; }
    VXDialogItemButton& startLevelLabel() { return m_label; }

    static const int32_t kaStartLevels[ kStartLevels ];

private:
    void m_showToggle( VXDialogItemButton& button, bool on );
    void m_showKeyboard();
    void m_showStartLevels();

    VXGame& m_game;
    VXSettings& m_settings;
    VXSprite* m_pOn;
    VXSprite* m_pOnLit;
    VXSprite* m_pOff;
    VXSprite* m_pOffLit;
    VXSprite* m_pSpace;
    VXSprite* m_pSpaceLit;
    VXSprite* m_pCandies;
    VXSprite* m_pCandiesLit;
    VXSprite* m_apLevel[ kStartLevels ];
    VXSprite* m_apLevelLit[ kStartLevels ];
    VXDialogItemButton m_ok;
    VXDialogItemButton m_fullscreen;
    VXDialogItemButton m_music;
    VXDialogItemButton m_keyboard;
    VXDialogItemButton m_alarm;
    VXDialogItemButton m_sound;
    VXDialogItemButton m_startLevels[ kStartLevels ];
    VXDialogItemButton m_label;
};

#endif
