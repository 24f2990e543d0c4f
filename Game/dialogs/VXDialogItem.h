#ifndef GLIMMERDROP_GAME_DIALOGS_VXDIALOGITEM_H
#define GLIMMERDROP_GAME_DIALOGS_VXDIALOGITEM_H

#include <cstdint>

#include "Framework/graphics/HRect.h"
#include "Framework/object/HObject.h"

class HDisplayDevice;
class VXDialog;
struct HEvent;

// One element of a modal dialog: a button, a line of text or a progress bar. The dialog keeps
// its items in a singly linked list, routes events to them and asks them to draw.
class VXDialogItem : public HObject
{
public:
    static constexpr uint32_t kNameSize = 256;

    VXDialogItem();
    ~VXDialogItem() override;

    const char* getClassName() const override;
    bool isA( const char* kpClassName ) const override;

    virtual bool isEnabled() const;
    // A change redraws the item, whose picture may depend on it.
    virtual void setEnabled( bool enabled );
    virtual bool acceptsFocus() const;
    // Relative to the dialog's corner.
    virtual void setPosition( const HPoint& position );
    virtual uint32_t getUserData() const;
    virtual void setUserData( uint32_t value );
    // At most 255 characters are kept.
    virtual void setName( const char* kpName );
    virtual const char* getName() const;
    virtual void draw( HDisplayDevice* pDisplay, const HRect& clip );
    // True when the event concerns this item (a click on it, its key); false otherwise.
    virtual bool handleEvent( const HEvent& event );
    virtual void updateRect();
    // Passed on to the dialog, when the item is in one.
    virtual void invalidate( const HRect& rect );
    virtual void setDialog( VXDialog* pDialog );
    virtual void setNext( VXDialogItem* pNext );
    virtual VXDialogItem* getNext() const;
    // Milliseconds from the event time now until the item's picture changes by itself;
    // HFramePacer::kNoDeadline for an item that changes only on input.
    virtual uint32_t untilNextChange( uint64_t now ) const;

    // In screen coordinates.
    const HRect& getRect() const { return m_rect; }
    VXDialog* getDialog() const { return m_pDialog; }
    HPoint getPosition() const { return HPoint{ m_x, m_y }; }
    // True while the dialog's keyboard focus is on this item.
    bool hasFocus() const;

protected:
    // The dialog's top-left corner on the screen; (0, 0) outside a dialog.
    HPoint m_dialogOrigin() const;

    HRect m_rect;
    VXDialog* m_pDialog;
    VXDialogItem* m_pNext;
    bool m_enabled;
    char m_name[ kNameSize ];
    uint32_t m_userData;
    int32_t m_x;
    int32_t m_y;
};

#endif
