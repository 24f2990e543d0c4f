#include "Game/VXConfirmDialog.h"

#include "Framework/graphics/VXSprite.h"

namespace
{
int32_t widthOf( const VXSprite* kpSprite )
{
    return kpSprite != nullptr && kpSprite->isLoaded() ? kpSprite->getWidth() : 0;
}

int32_t heightOf( const VXSprite* kpSprite )
{
    return kpSprite != nullptr && kpSprite->isLoaded() ? kpSprite->getHeight() : 0;
}
} // namespace

VXConfirmDialog::VXConfirmDialog( VXSprite* pBackground, VXSprite* pOk, VXSprite* pOkLit, VXSprite* pCancel,
                                  VXSprite* pCancelLit )
    : m_ok()
    , m_cancel()
{
    int32_t width = widthOf( pBackground );
    int32_t height = heightOf( pBackground );
    setBackground( pBackground );
    setOrigin( { ( 640 - width ) / 2, ( 480 - height ) / 2 } );

    m_ok.setName( "Are you sure, ok" );
    m_ok.setImages( pOk, pOkLit, nullptr );
    int32_t y = height - heightOf( pOk ) * 3 / 2;
    m_ok.setPosition( { ( width - widthOf( pOk ) ) / 4, y } );
    m_cancel.setName( "Are you sure, cancel" );
    m_cancel.setImages( pCancel, pCancelLit, nullptr );
    m_cancel.setPosition( { ( width - widthOf( pCancel ) ) * 3 / 4, y } );
    addItem( &m_ok );
    addItem( &m_cancel );
    setDefaultItem( &m_cancel );
    setCancelItem( &m_cancel );
}

bool VXConfirmDialog::onItemActivated( VXDialogItem* pItem )
{
    return pItem == &m_ok || pItem == &m_cancel;
}
