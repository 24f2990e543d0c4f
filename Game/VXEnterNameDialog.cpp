#include "Game/VXEnterNameDialog.h"

#include "Framework/graphics/HDisplayDevice.h"
#include "Framework/util/src/HText.h"
#include "Game/VXGame.h"

VXEnterNameDialog::VXEnterNameDialog( VXGame& game, VXSprite* pBackground, VXSprite* pOk, VXSprite* pOkLit,
                                      const HBitmapFont* kpFont, int32_t score, const char* kpSuggestedName )
    : m_game( game )
    , m_ok()
    , m_score()
    , m_name()
{
    setBackground( pBackground );
    setOrigin( { 23, 17 } );

    m_ok.setName( "Enter Name OK Button" );
    m_ok.setImages( pOk, pOkLit, nullptr );
    m_ok.setPosition( { 179, 366 } );

    char scoreText[ 16 ];
    textFormat( scoreText, sizeof( scoreText ), "%d", score );
    m_score.setName( "Score" );
    m_score.setMaxLength( 16 );
    m_score.setColour( HColor{ 0.0f, 0.7f, 0.0f, 1.0f } );
    m_score.setAlign( TA_CENTRE );
    m_score.setFont( kpFont );
    m_score.setPosition( { 212, 138 } );
    m_score.setText( scoreText );

    m_name.setName( "Enter Name Edit Line" );
    m_name.setEditable( true );
    m_name.setMaxLength( kNameLength );
    m_name.setColour( HColor{ 1.0f, 1.0f, 0.0f, 1.0f } );
    m_name.setFont( kpFont );
    m_name.setPosition( { 32, 273 } );
    m_name.setText( kpSuggestedName );

    // First the default item, last the one with the focus.
    addItem( &m_ok );
    addItem( &m_score );
    addItem( &m_name );
    // The name as it stands is kept: there is no answer that enters none.
    setCancelItem( &m_ok );
}

bool VXEnterNameDialog::onItemActivated( VXDialogItem* pItem )
{
    if( pItem != &m_ok )
        return false;
    m_game.playGuiClick();
    return true;
}
