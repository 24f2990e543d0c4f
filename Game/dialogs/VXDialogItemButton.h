#ifndef GLIMMERDROP_GAME_DIALOGS_VXDIALOGITEMBUTTON_H
#define GLIMMERDROP_GAME_DIALOGS_VXDIALOGITEMBUTTON_H

#include "Game/dialogs/VXDialogItem.h"

class VXSprite;

// An image button that lights up under the pointer and is pressed by a left click on it, or by
// the return key when the dialog offers it one.
class VXDialogItemButton : public VXDialogItem
{
public:
    VXDialogItemButton();
    ~VXDialogItemButton() override;

    const char* getClassName() const override;
    bool isA( const char* kpClassName ) const override;

    // Enabled: the lit or the normal image; disabled: the disabled image; all blended.
    void draw( HDisplayDevice* pDisplay, const HRect& clip ) override;
    bool handleEvent( const HEvent& event ) override;
    // The position plus the dialog's corner, sized by the last image present of normal, lit, disabled.
    void updateRect() override;
    // None of them owned.
    virtual void setImages( VXSprite* pNormal, VXSprite* pLit, VXSprite* pDisabled );

    bool isLit() const { return m_lit; }
    VXSprite* getNormalImage() const { return m_pNormalImage; }
    VXSprite* getLitImage() const { return m_pLitImage; }
    VXSprite* getDisabledImage() const { return m_pDisabledImage; }

protected:
    bool m_lit;
    VXSprite* m_pNormalImage;
    VXSprite* m_pLitImage;
    VXSprite* m_pDisabledImage;
};

#endif
