#include "Game/VXGameOverDialog.h"

#include "Game/VXGame.h"

VXGameOverDialog::VXGameOverDialog( VXGame& game, VXSprite* pBackground, VXSprite* pContinue, VXSprite* pContinueLit )
    : m_game( game )
    , m_continue()
{
    setBackground( pBackground );
    setOrigin( { 23, 17 } );
    m_continue.setName( "Continue" );
    m_continue.setImages( pContinue, pContinueLit, nullptr );
    m_continue.setPosition( { 101, 293 } );
    m_continue.setEnabled( false );
    addItem( &m_continue );
    setCancelItem( &m_continue );
}

bool VXGameOverDialog::onItemActivated( VXDialogItem* pItem )
{
    if( pItem != &m_continue )
        return false;
    m_game.playGuiClick();
    return true;
}

bool VXGameOverDialog::onTimeout()
{
    m_continue.setEnabled( true );
    return false;
}
