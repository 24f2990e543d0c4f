#include "Game/VXStartControl.h"

#include "Framework/application/HEvent.h"
#include "Game/VXGame.h"

VXStartControl::VXStartControl( VXGame& game )
    : m_game( game )
{
}

const char* VXStartControl::getClassName() const
{
    return "VXStartControl";
}

bool VXStartControl::isA( const char* kpClassName ) const
{
    return sameClassName( kpClassName, "VXStartControl" ) || VXControl::isA( kpClassName );
}

bool VXStartControl::isShown() const
{
    int32_t state = m_game.getState();
    return state >= GS_INFO_START && state <= GS_INFO_BLUE && !m_game.isPaused();
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
