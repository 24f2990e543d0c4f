#include "Game/VXPanelControl.h"

#include "Framework/application/HEvent.h"
#include "Game/VXGame.h"

VXPanelControl::VXPanelControl( VXGame& game, Kind kind )
    : m_game( game )
    , m_kind( kind )
    , m_wasShown( false )
{
}

HPoint VXPanelControl::place( Kind kind )
{
    switch( kind )
    {
    case PC_RESTART:
        return { 470, 419 };
    case PC_PARTNER:
        return { 252, 442 };
    case PC_OPTIONS:
        return { 473, 347 };
    case PC_HIGHSCORES:
        return { 451, 375 };
    case PC_EXIT:
        return { 504, 445 };
    case PC_LOGO:
        return { 1, 443 };
    }
    return { 0, 0 };
}

bool VXPanelControl::isShown() const
{
    bool tutorialDone = m_game.getSettings().didTutorial != 0;
    switch( m_kind )
    {
    case PC_RESTART:
        return tutorialDone && m_game.getState() != GS_INFO_START;
    case PC_OPTIONS:
    case PC_HIGHSCORES:
        return tutorialDone;
    case PC_PARTNER:
    case PC_EXIT:
    case PC_LOGO:
        return true;
    }
    return false;
}

void VXPanelControl::draw( HDisplayDevice* pDisplay, const HRect& clip )
{
    if( isShown() )
        VXControl::draw( pDisplay, clip );
}

bool VXPanelControl::handleEvent( const HEvent& event )
{
    VXControl::handleEvent( event );
    if( event.type == ET_TIMESTAMP )
    {
        bool shown = isShown();
        if( shown != m_wasShown )
        {
            m_wasShown = shown;
            m_invalidate();
        }
        return false;
    }
    if( !isShown() || !isClicked( event ) )
        return false;
    return press();
}

bool VXPanelControl::press()
{
    if( !isShown() )
        return false;
    m_game.playGuiClick();
    m_act();
    return true;
}

void VXPanelControl::m_act()
{
    switch( m_kind )
    {
    case PC_RESTART:
        m_game.requestRestart();
        break;
    case PC_PARTNER:
        m_game.openPartnerSite();
        break;
    case PC_OPTIONS:
        m_game.showOptions();
        break;
    case PC_HIGHSCORES:
        m_game.showHighScores();
        break;
    case PC_EXIT:
        m_game.setPaused( false );
        m_game.quitGame();
        break;
    case PC_LOGO:
        m_game.openMakerSite();
        break;
    }
}
