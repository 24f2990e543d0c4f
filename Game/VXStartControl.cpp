#include "Game/VXStartControl.h"

#include "Framework/application/HEvent.h"
#include "Game/VXGame.h"

VXStartControl::VXStartControl( VXGame& game )
    : m_game( game )
    , m_wasShown( false )
{
}

bool VXStartControl::isShown() const
{
    int32_t state = m_game.getState();
    return state >= GS_INFO_START && state <= GS_INFO_BLUE && !m_game.isPaused();
}

void VXStartControl::refreshShown()
{
    bool shown = isShown();
    if( shown == m_wasShown )
        return;
    m_wasShown = shown;
    m_invalidate();
}

void VXStartControl::draw( HDisplayDevice* pDisplay, const HRect& clip )
{
    if( isShown() )
        VXControl::draw( pDisplay, clip );
}

bool VXStartControl::handleEvent( const HEvent& event )
{
    VXControl::handleEvent( event );
    if( !isShown() || !isClicked( event ) )
        return false;
    m_game.clickToStart();
    return true;
}
