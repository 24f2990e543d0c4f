#include "Game/VXPauseControl.h"

#include "Framework/application/HEvent.h"
#include "Game/VXGame.h"
#include "Game/VXSpriteTable.h"

VXPauseControl::VXPauseControl( VXGame& game, VXSpriteTable& sprites )
    : m_game( game )
    , m_wasShown( false )
    , m_sprites( sprites )
{
}

bool VXPauseControl::isShown() const
{
    int32_t state = m_game.getState();
    return m_game.isUserPaused() || state < GS_LEVEL_COMPLETE || state > GS_START_LEVEL_BONUS;
}

void VXPauseControl::showPauseState()
{
    if( m_game.isUserPaused() )
        setImages( m_sprites.get( SPR_ICON_RESUME ), m_sprites.get( SPR_ICON_RESUME_LIT ), nullptr );
    else
        setImages( m_sprites.get( SPR_ICON_PAUSE ), m_sprites.get( SPR_ICON_PAUSE_LIT ), nullptr );
}

void VXPauseControl::refreshShown()
{
    bool shown = isShown();
    if( shown == m_wasShown )
        return;
    m_wasShown = shown;
    m_invalidate();
}

void VXPauseControl::draw( HDisplayDevice* pDisplay, const HRect& clip )
{
    if( isShown() )
        VXControl::draw( pDisplay, clip );
}

bool VXPauseControl::handleEvent( const HEvent& event )
{
    VXControl::handleEvent( event );
    if( !isShown() || !isClicked( event ) )
        return false;
    return press();
}

bool VXPauseControl::press()
{
    if( !isShown() )
        return false;
    m_game.playGuiClick();
    m_game.setPaused( !m_game.isUserPaused() );
    showPauseState();
    m_game.invalidateAll();
    return true;
}
