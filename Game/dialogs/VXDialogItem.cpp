#include "Game/dialogs/VXDialogItem.h"

#include "Framework/application/HFramePacer.h"

#include "Framework/util/src/HText.h"
#include "Game/dialogs/VXDialog.h"

VXDialogItem::VXDialogItem()
    : m_rect{ 0, 0, 0, 0 }
    , m_pDialog( nullptr )
    , m_pNext( nullptr )
    , m_enabled( true )
    , m_name()
    , m_userData( 0 )
    , m_x( 0 )
    , m_y( 0 )
{
}

VXDialogItem::~VXDialogItem() = default;

const char* VXDialogItem::getClassName() const
{
    return "VXDialogItem";
}

bool VXDialogItem::isA( const char* kpClassName ) const
{
    return sameClassName( kpClassName, "VXDialogItem" );
}

bool VXDialogItem::isEnabled() const
{
    return m_enabled;
}

void VXDialogItem::setEnabled( bool enabled )
{
    if( enabled == m_enabled )
        return;
    m_enabled = enabled;
    invalidate( m_rect );
}

bool VXDialogItem::acceptsFocus() const
{
    return false;
}

void VXDialogItem::setPosition( const HPoint& position )
{
    m_x = position.x;
    m_y = position.y;
    updateRect();
}

uint32_t VXDialogItem::getUserData() const
{
    return m_userData;
}

void VXDialogItem::setUserData( uint32_t value )
{
    m_userData = value;
}

void VXDialogItem::setName( const char* kpName )
{
    textCopy( m_name, sizeof( m_name ), kpName );
}

const char* VXDialogItem::getName() const
{
    return m_name;
}

void VXDialogItem::draw( HDisplayDevice*, const HRect& ) {}

bool VXDialogItem::handleEvent( const HEvent& )
{
    return false;
}

void VXDialogItem::updateRect() {}

void VXDialogItem::invalidate( const HRect& rect )
{
    if( m_pDialog != nullptr )
        m_pDialog->invalidate( rect );
}

void VXDialogItem::setDialog( VXDialog* pDialog )
{
    m_pDialog = pDialog;
    updateRect();
    invalidate( m_rect );
}

void VXDialogItem::setNext( VXDialogItem* pNext )
{
    m_pNext = pNext;
}

VXDialogItem* VXDialogItem::getNext() const
{
    return m_pNext;
}

bool VXDialogItem::hasFocus() const
{
    return m_pDialog != nullptr && m_pDialog->getFocus() == this;
}

HPoint VXDialogItem::m_dialogOrigin() const
{
    return m_pDialog != nullptr ? m_pDialog->getOrigin() : HPoint{ 0, 0 };
}

uint32_t VXDialogItem::untilNextChange( uint64_t now ) const
{
    ( void )now;
    return HFramePacer::kNoDeadline;
}
