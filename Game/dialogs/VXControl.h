#ifndef GLIMMERDROP_GAME_DIALOGS_VXCONTROL_H
#define GLIMMERDROP_GAME_DIALOGS_VXCONTROL_H

#include "Framework/application/HControl.h"
#include "Framework/graphics/HRect.h"

class HApplication;
class HDisplayDevice;
class VXSprite;
struct HEvent;

// A free-standing image button on the game's main screen: lit while the pointer is over it,
// drawn clipped to each repainted rectangle. Screens derive from it for their own clicks.
class VXControl : public HControl
{
public:
    VXControl();
    ~VXControl() override;

    const char* getClassName() const override;
    bool isA( const char* kpClassName ) const override;

    void setEnabled( bool enabled ) override;
    bool isEnabled() const override;
    // Enabled: the lit or the normal image, blended; disabled: the disabled image, opaque pixels only.
    void draw( HDisplayDevice* pDisplay, const HRect& clip ) override;
    // None of them owned; the size follows the last one present of normal, lit, disabled.
    virtual void setImages( VXSprite* pNormal, VXSprite* pLit, VXSprite* pDisabled );
    void setOwner( HApplication* pOwner ) override;
    // Lights up under the pointer; takes no event (derived controls add their own clicks).
    bool handleEvent( const HEvent& event ) override;
    virtual void setPosition( const HPoint& position );
    virtual HRect* getRect();
    // A left-button press on the control (its right and bottom edges count).
    virtual bool isClicked( const HEvent& event ) const;
    virtual void setLit( bool lit );
    virtual bool isLit() const;

    VXSprite* getNormalImage() const { return m_pNormalImage; }
    VXSprite* getLitImage() const { return m_pLitImage; }
    VXSprite* getDisabledImage() const { return m_pDisabledImage; }
    HApplication* getOwner() const { return m_pOwner; }

protected:
    void m_updateRect();
    void m_invalidate();

    bool m_lit;
    bool m_enabled;
    VXSprite* m_pLitImage;
    VXSprite* m_pDisabledImage;
    VXSprite* m_pNormalImage;
    HApplication* m_pOwner;
    HRect m_rect;
};

#endif
