#ifndef GLIMMERDROP_GAME_DIALOGS_VXDIALOGITEMPROGRESSBAR_H
#define GLIMMERDROP_GAME_DIALOGS_VXDIALOGITEMPROGRESSBAR_H

#include "Game/dialogs/VXDialogItem.h"

class VXSprite;

// An image revealed from the left in proportion to a value from 0 to 1. Unlike the other
// items its position is a place on the screen, not inside the dialog.
class VXDialogItemProgressBar : public VXDialogItem
{
public:
    VXDialogItemProgressBar();
    ~VXDialogItemProgressBar() override;

    const char* getClassName() const override;
    bool isA( const char* kpClassName ) const override;

    void setPosition( const HPoint& position ) override;
    void draw( HDisplayDevice* pDisplay, const HRect& clip ) override;
    // Not owned; the item takes the image's size.
    virtual void setImage( VXSprite* pImage );
    // Held to 0..1 (a value that is not a number counts as 0).
    virtual void setProgress( float progress );

    float getProgress() const { return m_progress; }

private:
    void m_fitToImage();

    float m_progress;
    VXSprite* m_pImage;
};

#endif
