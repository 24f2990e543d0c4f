#ifndef GLIMMERDROP_GAME_DIALOGS_VXDIALOG_H
#define GLIMMERDROP_GAME_DIALOGS_VXDIALOG_H

#include <cstdint>

#include "Framework/application/HDirtyRectList.h"
#include "Framework/graphics/HRect.h"

class HApplication;
class HDisplayDevice;
class HEventQueue;
class VXDialogItem;
class VXSprite;
struct HEvent;

// How a modal run ended: an item closed it, the time-out was accepted, or the dialog's own
// event handling ended it (the window was closed, or a played journal ran out).
struct VXDialogResult
{
    static constexpr int32_t kItem = 0;
    static constexpr int32_t kTimedOut = -1;
    static constexpr int32_t kEnded = -2;

    int32_t code;
    VXDialogItem* pItem;

    bool closedBy( const VXDialogItem* kpItem ) const { return code == kItem && pItem == kpItem; }
};

// The base of every modal screen: a background picture, a list of items with a keyboard focus
// and a default item for the return key, and an event loop of its own that draws and presents
// frames until an item is activated, the window is closed, or a time-out is accepted.
// Subclasses decide what activation means.
class VXDialog
{
public:
    VXDialog();
    virtual ~VXDialog();

    VXDialog( const VXDialog& ) = delete;
    VXDialog& operator=( const VXDialog& ) = delete;

    // Not owned.
    virtual void setBackground( VXSprite* pBackground );
    // Runs the dialog over the application's screen. A time-out of 0 never expires.
    virtual VXDialogResult doModal( HApplication* pApp, HDisplayDevice* pDisplay, HEventQueue& eventQueue,
                                    uint32_t timeoutMs, void* pContext );
    // True closes the dialog with this item.
    virtual bool onItemActivated( VXDialogItem* pItem );
    // True ends the dialog when its time is up; false keeps it running (asked again later).
    virtual bool onTimeout();
    // Appends the item (not owned). The first added is the default item; the focus moves to each
    // new item, so the last added has it.
    virtual void addItem( VXDialogItem* pItem );
    // Forgets every item; they are not deleted.
    virtual void removeAllItems();
    virtual void setDefaultItem( VXDialogItem* pItem );
    // The item the escape key activates: the answer that leaves without change. Null (the
    // default) leaves the escape key to the items.
    void setCancelItem( VXDialogItem* pItem ) { m_pCancelItem = pItem; }
    VXDialogItem* getCancelItem() const { return m_pCancelItem; }
    // False ends the dialog.
    virtual bool handleEvent( const HEvent& event );
    // Redraws what is dirty: the background, then every item.
    virtual void draw( HDisplayDevice* pDisplay );
    // The background and every item, inside the clip only; the dirty list is left as it is.
    void drawClipped( HDisplayDevice* pDisplay, const HRect& clip );

    // The dialog's top-left corner on the screen; items follow it.
    void setOrigin( const HPoint& origin );
    // Marks part of the screen for the dialog and the application to redraw.
    void invalidate( const HRect& rect );
    // The item that takes the event: the default item for the return key, the cancel item (when
    // enabled) for the escape key, else the focused item and those after it, wrapping round; null
    // when none does.
    VXDialogItem* findItemForEvent( const HEvent& event );
    void setFocus( VXDialogItem* pItem );

    HPoint getOrigin() const { return HPoint{ m_originX, m_originY }; }
    const HRect& getRect() const { return m_rect; }
    VXDialogItem* getFocus() const { return m_pFocus; }
    VXDialogItem* getDefaultItem() const { return m_pDefaultItem; }
    VXDialogItem* getFirstItem() const { return m_pFirstItem; }
    VXSprite* getBackground() const { return m_pBackground; }
    // A screen to keep in sight under this one while it runs (not owned; null for none). A
    // dialog run from inside another's modal loop keeps that one in sight by itself.
    void setUnder( VXDialog* pUnder );
    VXDialog* getUnder() const { return m_pUnder; }
    HApplication* getApplication() const { return m_pApp; }
    void* getContext() const { return m_pContext; }
    const HDirtyRectList& getDirtyList() const { return m_dirty; }

    // Milliseconds from the event time now until some item changes by itself (a caret's blink);
    // HFramePacer::kNoDeadline when only input changes the dialog.
    virtual uint32_t untilNextChange( uint64_t now ) const;

    // Whether a key or click activates the item that takes it: a click, the return or the escape key.
    static bool isActivation( const HEvent& event );

protected:
    void m_updateRect();
    // The time-out is judged on event time alone, as each event comes, so that a journal played
    // back reaches it at the same event as the recorded run did.
    bool m_timeIsUp( uint64_t startTime, uint32_t timeoutMs ) const;
    // Milliseconds until m_timeIsUp turns true; at least 1.
    uint32_t m_untilTimeout( uint64_t startTime, uint32_t timeoutMs ) const;
    void m_drawFrame( HDisplayDevice* pDisplay );
    // The screens this one opened over, innermost last, where the game was repainted.
    void m_drawUnder( HDisplayDevice* pDisplay, const HRect& clip );

    HApplication* m_pApp;
    void* m_pContext;
    int32_t m_originX;
    int32_t m_originY;
    HRect m_rect;
    HDirtyRectList m_dirty;
    VXDialogItem* m_pFirstItem;
    VXDialogItem* m_pFocus;
    VXDialogItem* m_pDefaultItem;
    VXDialogItem* m_pCancelItem;
    VXSprite* m_pBackground;
    VXDialog* m_pUnder;

    // The innermost dialog running its modal loop, if any.
    static VXDialog* sm_pRunning;
    // Where the software cursor was last drawn by a dialog; shared by all of them.
    static HPoint sm_lastMouse;
};

#endif
