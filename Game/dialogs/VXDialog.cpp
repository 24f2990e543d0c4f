#include "Game/dialogs/VXDialog.h"

#include <algorithm>
#include <cstdint>

#include "Framework/application/HApplication.h"
#include "Framework/application/HEvent.h"
#include "Framework/application/HEventQueue.h"
#include "Framework/application/HFramePacer.h"
#include "Framework/graphics/VXSprite.h"
#include "Framework/util/src/HProcessServices.h"
#include "Game/dialogs/VXDialogItem.h"

HPoint VXDialog::sm_lastMouse = { 0, 0 };
VXDialog* VXDialog::sm_pRunning = nullptr;

VXDialog::VXDialog()
    : m_pApp( nullptr )
    , m_pContext( nullptr )
    , m_originX( 0 )
    , m_originY( 0 )
    , m_rect{ 0, 0, 0, 0 }
    , m_dirty()
    , m_pFirstItem( nullptr )
    , m_pFocus( nullptr )
    , m_pDefaultItem( nullptr )
    , m_pCancelItem( nullptr )
    , m_pBackground( nullptr )
    , m_pUnder( nullptr )
{
}

// Items are usually members of the screen deriving from the dialog, gone before this runs.
VXDialog::~VXDialog() = default;

void VXDialog::setBackground( VXSprite* pBackground )
{
    m_pBackground = pBackground;
    m_updateRect();
}

void VXDialog::setUnder( VXDialog* pUnder )
{
    // Drawing walks down the chain: it must end.
    for( VXDialog* pDialog = pUnder; pDialog != nullptr; pDialog = pDialog->m_pUnder )
    {
        if( pDialog == this )
            return;
    }
    m_pUnder = pUnder;
}

void VXDialog::setOrigin( const HPoint& origin )
{
    m_originX = origin.x;
    m_originY = origin.y;
    m_updateRect();
    for( VXDialogItem* pItem = m_pFirstItem; pItem != nullptr; pItem = pItem->getNext() )
        pItem->updateRect();
}

void VXDialog::m_updateRect()
{
    if( m_pBackground == nullptr )
        m_rect = HRect{ m_originX, m_originY, 0, 0 };
    else
        m_rect = HRect{ m_originX, m_originY, m_originX + m_pBackground->getWidth(),
                        m_originY + m_pBackground->getHeight() };
}

void VXDialog::invalidate( const HRect& rect )
{
    m_dirty.add( rect );
    if( m_pApp != nullptr )
        m_pApp->invalidateRect( rect );
}

void VXDialog::addItem( VXDialogItem* pItem )
{
    if( pItem == nullptr )
        return;
    pItem->setNext( nullptr );
    pItem->setDialog( this );
    if( m_pDefaultItem == nullptr )
        m_pDefaultItem = pItem;
    setFocus( pItem );
    if( m_pFirstItem == nullptr )
    {
        m_pFirstItem = pItem;
        return;
    }
    VXDialogItem* pLast = m_pFirstItem;
    while( pLast->getNext() != nullptr )
        pLast = pLast->getNext();
    pLast->setNext( pItem );
}

void VXDialog::removeAllItems()
{
    m_pDefaultItem = nullptr;
    m_pCancelItem = nullptr;
    m_pFocus = nullptr;
    m_pFirstItem = nullptr;
}

void VXDialog::setDefaultItem( VXDialogItem* pItem )
{
    m_pDefaultItem = pItem;
}

void VXDialog::setFocus( VXDialogItem* pItem )
{
    if( pItem == m_pFocus )
        return;
    m_pFocus = pItem;
    // The caret moves with the focus.
    invalidate( m_rect );
}

bool VXDialog::onItemActivated( VXDialogItem* )
{
    return false;
}

bool VXDialog::onTimeout()
{
    return false;
}

bool VXDialog::handleEvent( const HEvent& event )
{
    switch( event.type )
    {
    case ET_QUIT:
        return false;
    case ET_PAINT:
        if( m_pApp != nullptr )
            m_pApp->invalidateAll();
        invalidate( m_rect );
        return true;
    case ET_KEYDOWN:
        if( event.character == 9 && m_pFocus != nullptr )
        {
            VXDialogItem* pStart = m_pFocus;
            VXDialogItem* pItem = pStart;
            do
            {
                pItem = pItem->getNext() != nullptr ? pItem->getNext() : m_pFirstItem;
                setFocus( pItem );
            } while( pItem != pStart && !pItem->acceptsFocus() );
        }
        return true;
    case ET_MOUSEMOVE:
        if( m_pApp != nullptr && m_pApp->usesSoftwareCursor() )
        {
            VXSprite* pCursor = m_pApp->getCursorImage();
            if( pCursor != nullptr && pCursor->isLoaded() )
            {
                int32_t width = pCursor->getWidth();
                int32_t height = pCursor->getHeight();
                // In 64 bits, as the application does: a far-off point plus the size must not wrap.
                int64_t right = static_cast<int64_t>( std::max( sm_lastMouse.x, event.x ) ) + width;
                int64_t bottom = static_cast<int64_t>( std::max( sm_lastMouse.y, event.y ) ) + height;
                invalidate( HRect{ std::min( sm_lastMouse.x, event.x ), std::min( sm_lastMouse.y, event.y ),
                                   static_cast<int32_t>( std::min<int64_t>( right, INT32_MAX ) ),
                                   static_cast<int32_t>( std::min<int64_t>( bottom, INT32_MAX ) ) } );
            }
            sm_lastMouse = HPoint{ event.x, event.y };
        }
        return true;
    default:
        return true;
    }
}

bool VXDialog::isActivation( const HEvent& event )
{
    return event.type == ET_KEYDOWN && ( event.key == KC_LBUTTON || event.character == 13 || event.character == 27 );
}

VXDialogItem* VXDialog::findItemForEvent( const HEvent& event )
{
    if( event.type == ET_KEYDOWN && event.character == 13 && m_pDefaultItem != nullptr &&
        m_pDefaultItem->handleEvent( event ) )
        return m_pDefaultItem;
    if( event.type == ET_KEYDOWN && event.key == 0 && event.character == 27 && m_pCancelItem != nullptr )
    {
        // A button still switched off (the game-over notice's first seconds) leaves nothing to choose.
        return m_pCancelItem->isEnabled() ? m_pCancelItem : nullptr;
    }
    if( m_pFocus == nullptr )
        return nullptr;
    VXDialogItem* pItem = m_pFocus;
    do
    {
        if( pItem->handleEvent( event ) )
            return pItem;
        pItem = pItem->getNext() != nullptr ? pItem->getNext() : m_pFirstItem;
    } while( pItem != m_pFocus && pItem != nullptr );
    return nullptr;
}

void VXDialog::draw( HDisplayDevice* pDisplay )
{
    for( int i = 0; i < m_dirty.count(); ++i )
        drawClipped( pDisplay, m_dirty.item( i ) );
    m_dirty.clear();
}

void VXDialog::drawClipped( HDisplayDevice* pDisplay, const HRect& clip )
{
    if( m_pBackground != nullptr )
    {
        HRect dest = { std::min( std::max( m_rect.left, clip.left ), clip.right ),
                       std::min( std::max( m_rect.top, clip.top ), clip.bottom ),
                       std::min( std::max( m_rect.right, clip.left ), clip.right ),
                       std::min( std::max( m_rect.bottom, clip.top ), clip.bottom ) };
        if( dest.width() > 0 && dest.height() > 0 )
            m_pBackground->draw( dest, HRect{ dest.left - m_originX, dest.top - m_originY, dest.right - m_originX,
                                              dest.bottom - m_originY } );
    }
    for( VXDialogItem* pItem = m_pFirstItem; pItem != nullptr; pItem = pItem->getNext() )
        pItem->draw( pDisplay, clip );
}

void VXDialog::m_drawUnder( HDisplayDevice* pDisplay, const HRect& clip )
{
    if( m_pUnder == nullptr )
        return;
    m_pUnder->m_drawUnder( pDisplay, clip );
    m_pUnder->drawClipped( pDisplay, clip );
}

bool VXDialog::m_timeIsUp( uint64_t startTime, uint32_t timeoutMs ) const
{
    if( timeoutMs == 0 || m_pApp == nullptr )
        return false;
    uint64_t now = m_pApp->getCurrentTime();
    return now > startTime && now - startTime > timeoutMs;
}

uint32_t VXDialog::untilNextChange( uint64_t now ) const
{
    uint32_t wait = HFramePacer::kNoDeadline;
    for( VXDialogItem* pItem = m_pFirstItem; pItem != nullptr; pItem = pItem->getNext() )
        wait = std::min( wait, pItem->untilNextChange( now ) );
    return wait;
}

uint32_t VXDialog::m_untilTimeout( uint64_t startTime, uint32_t timeoutMs ) const
{
    if( timeoutMs == 0 || m_pApp == nullptr )
        return HFramePacer::kNoDeadline;
    uint64_t now = m_pApp->getCurrentTime();
    // m_timeIsUp wants the time strictly past the time-out; a clock that went back waits it out again.
    uint64_t due = startTime + timeoutMs + 1;
    if( now < startTime )
        return timeoutMs;
    return now >= due ? 1 : static_cast<uint32_t>( std::min<uint64_t>( due - now, timeoutMs ) );
}

void VXDialog::m_drawFrame( HDisplayDevice* pDisplay )
{
    // Whatever the game repaints this frame lies under the dialog too: a screen that closed over
    // this one repainted everything.
    const HDirtyRectList& repaint = m_pApp->getRepaintList();
    for( int i = 0; i < repaint.count(); ++i )
        m_dirty.add( repaint.item( i ) );
    // The panel's controls stay on screen; the cursor is drawn once, over the dialog.
    m_pApp->redraw( false );
    if( m_pApp->canDraw() )
    {
        // A screen opened over another (the clear-all question over the table) keeps the other
        // in sight, where the game was just painted over it.
        for( int i = 0; i < repaint.count(); ++i )
            m_drawUnder( pDisplay, repaint.item( i ) );
        draw( pDisplay );
    }
    else
        m_dirty.clear();
    m_pApp->drawCursorRects();
    m_pApp->present();
}

VXDialogResult VXDialog::doModal( HApplication* pApp, HDisplayDevice* pDisplay, HEventQueue& eventQueue,
                                  uint32_t timeoutMs, void* pContext )
{
    VXDialogResult result = { VXDialogResult::kEnded, nullptr };
    if( pApp == nullptr )
        return result;
    m_pApp = pApp;
    m_pContext = pContext;
    VXDialog* pKeptUnder = m_pUnder;
    if( m_pUnder == nullptr )
        setUnder( sm_pRunning );
    VXDialog* pOuterRun = sm_pRunning;
    sm_pRunning = this;
    uint64_t startTime = pApp->getCurrentTime();
    sm_lastMouse = eventQueue.getLastMousePosition();
    pApp->invalidateAll();
    invalidate( m_rect );

    bool timeUpSeen = false;
    for( ;; )
    {
        bool close = false;
        HEvent event;
        if( eventQueue.getEvent( event ) )
        {
            pApp->setCurrentTime( event.time );
            // Judged on the event's own time before it is handled, so a click that comes after
            // the time is up finds the dialog as the time-out left it.
            if( m_timeIsUp( startTime, timeoutMs ) )
            {
                if( onTimeout() )
                {
                    result = VXDialogResult{ VXDialogResult::kTimedOut, nullptr };
                    break;
                }
                // Asked again with every later event, but no longer worth waking up for.
                timeUpSeen = true;
            }
            result = VXDialogResult{ VXDialogResult::kEnded, nullptr };
            if( handleEvent( event ) )
            {
                VXDialogItem* pItem = findItemForEvent( event );
                result = VXDialogResult{ VXDialogResult::kItem, pItem };
                if( pItem != nullptr && isActivation( event ) )
                    close = onItemActivated( pItem );
            }
            else
                close = true;
            if( !close )
                continue;
        }
        else if( eventQueue.isPlaybackExhausted() )
        {
            // The recorded run is over and no input will ever come: end as a closed window would.
            result = VXDialogResult{ VXDialogResult::kEnded, nullptr };
            close = true;
        }
        m_drawFrame( pDisplay );
        if( close )
            break;
        uint32_t untilTimeout = timeUpSeen ? HFramePacer::kNoDeadline : m_untilTimeout( startTime, timeoutMs );
        pApp->waitForNextPass( std::min( untilNextChange( pApp->getCurrentTime() ), untilTimeout ) );
    }
    sm_pRunning = pOuterRun;
    m_pUnder = pKeptUnder;
    // The pointer moved under this loop, not the application's: tell it where it now is, or its
    // next move would repaint from where it was before and leave this one's last pointer behind.
    pApp->invalidateCursorMove( eventQueue.getLastMousePosition() );
    pApp->invalidateAll();
    return result;
}
