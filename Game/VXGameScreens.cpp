// VXGame: the panel's buttons and the modal screens around the game: confirmation, restart, game
// over, name entry and the high-score table.
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HProcessServices.h"
#include "Framework/util/src/HRegistry.h"
#include "Framework/util/src/HText.h"
#include "Game/VXConfirmDialog.h"
#include "Game/VXEnterNameDialog.h"
#include "Game/VXGame.h"
#include "Game/VXGameOverDialog.h"
#include "Game/VXHighScoreDialog.h"
#include "Game/VXPanelControl.h"
#include "Game/VXScreenImages.h"

const char* const VXGame::kMakerAddress = "https://www.vantorix.example/";

namespace
{
// The login name the system gives is cut to this before the name line cuts it further.
const size_t kUserNameSize = 25;
const char kpMaker[] = "Vantorix";
const char kpProduct[] = "Glimmerdrop";
// The name entered last on this machine, suggested at the next entry.
const char kpLastNameValue[] = "Last Name";

bool readLastName( HCvarManager* pCvars, char* pName, uint32_t size )
{
    HRegistry& registry = HRegistry::get();
    if( !registry.open( pCvars, kpMaker, kpProduct ) )
        return false;
    bool found = registry.readString( kpLastNameValue, pName, size );
    registry.close();
    return found && pName[ 0 ] != '\0';
}

void writeLastName( HCvarManager* pCvars, const char* kpName )
{
    HRegistry& registry = HRegistry::get();
    if( !registry.open( pCvars, kpMaker, kpProduct ) )
        return;
    if( !registry.writeString( kpLastNameValue, kpName ) )
        logMessage( "...could not remember the name entered\n" );
    registry.close();
}

bool isBlank( const char* kpText )
{
    for( ; *kpText != '\0'; ++kpText )
    {
        if( *kpText != ' ' )
            return false;
    }
    return true;
}
} // namespace

void VXGame::m_createPanel()
{
    struct Button
    {
        VXPanelControl::Kind kind;
        int normal;
        int lit;
    };
    const Button kaButtons[] = { { VXPanelControl::PC_RESTART, SPR_ICON_RESTART, SPR_ICON_RESTART_LIT },
                                 { VXPanelControl::PC_PARTNER, SPR_PARTNER_LOGO, SPR_PARTNER_LOGO_LIT },
                                 { VXPanelControl::PC_OPTIONS, SPR_ICON_OPTIONS, SPR_ICON_OPTIONS_LIT },
                                 { VXPanelControl::PC_HIGHSCORES, SPR_ICON_HIGHSCORES, SPR_ICON_HIGHSCORES_LIT },
                                 { VXPanelControl::PC_EXIT, SPR_ICON_EXIT, SPR_ICON_EXIT_LIT },
                                 { VXPanelControl::PC_LOGO, SPR_LOGO, SPR_LOGO_LIT } };
    for( const Button& button : kaButtons )
    {
        // The partner's button exists only when the archive brings its picture.
        if( button.kind == VXPanelControl::PC_PARTNER && !m_hasPartnerLogo )
            continue;
        VXPanelControl* pControl = new VXPanelControl( *this, button.kind );
        pControl->setPosition( VXPanelControl::place( button.kind ) );
        pControl->setImages( m_sprites.get( button.normal ), m_sprites.get( button.lit ), nullptr );
        addControl( pControl );
    }
    loadHighScores( false );
}

VXDialogResult VXGame::m_runModal( VXDialog& dialog, uint32_t timeoutMs )
{
    VXDialog* pOuter = m_pModalScreen;
    m_pModalScreen = &dialog;
    VXDialogResult result = dialog.doModal( this, m_pDisplayDevice, m_eventQueue, timeoutMs, this );
    m_pModalScreen = pOuter;
    return result;
}

bool VXGame::confirm( const char* kpBackground, const char* kpOk, const char* kpOkLit, const char* kpCancel,
                      const char* kpCancelLit, VXDialog* pAsker )
{
    m_beginPause();
    stopAlarm();
    bool sure = false;
    {
        VXScreenImages images( m_pDisplayDevice, m_pResourceFileSystem );
        VXConfirmDialog dialog( images.load( kpBackground ), images.load( kpOk ), images.load( kpOkLit ),
                                images.load( kpCancel ), images.load( kpCancelLit ) );
        dialog.setUnder( pAsker );
        sure = m_runModal( dialog, 0 ).closedBy( dialog.okItem() );
    }
    m_endPause();
    return sure;
}

void VXGame::requestRestart()
{
    if( m_state == GS_INFO_START || m_settings.didTutorial == 0 )
        return;
    bool offered = m_state == GS_IDLE || m_userPaused || ( m_state >= GS_INFO_HINT && m_state <= GS_INFO_BLUE );
    if( !offered || !( m_timeLeft > 0.0f ) )
        return;
    if( !confirm( "restart_areyousure.jpg", "restart_areyousure_OK.tga", "restart_areyousure_OK_lit.tga",
                  "restart_areyousure_CANCEL.tga", "restart_areyousure_CANCEL_lit.tga" ) )
        return;
    playGuiClick();
    // The start screen must not come up hidden behind the pause picture.
    setPaused( false );
    restart();
}

void VXGame::showGameOver()
{
    VXScreenImages images( m_pDisplayDevice, m_pResourceFileSystem );
    VXGameOverDialog dialog( *this, images.load( "gameover.jpg" ), images.load( "icon_continue.tga" ),
                             images.load( "icon_continue_lit.tga" ) );
    m_runModal( dialog, VXGameOverDialog::kContinueDelay );
}

void VXGame::enterName()
{
    char name[ kUserNameSize ] = "";
    if( !readLastName( m_pCvars, name, sizeof( name ) ) &&
        processServices().getUserName( name, sizeof( name ) ) == nullptr )
        name[ 0 ] = '\0';
    name[ sizeof( name ) - 1 ] = '\0';
    char entered[ VXEnterNameDialog::kNameLength + 1 ] = "";
    {
        VXScreenImages images( m_pDisplayDevice, m_pResourceFileSystem );
        VXEnterNameDialog dialog( *this, images.load( "entername.jpg" ), images.load( "icon_ok.tga" ),
                                  images.load( "icon_ok_lit.tga" ), m_pDisplayFont, m_score, name );
        // A row without a name is no row: an emptied line stands for the name it was offered with.
        char offered[ VXEnterNameDialog::kNameLength + 1 ] = "";
        textCopy( offered, sizeof( offered ), isBlank( dialog.getName() ) ? "Player" : dialog.getName() );
        m_runModal( dialog, 0 );
        textCopy( entered, sizeof( entered ), isBlank( dialog.getName() ) ? offered : dialog.getName() );
    }
    writeLastName( m_pCvars, entered );
    insertHighScore( entered );
}

void VXGame::quitGame()
{
    quit();
}

void VXGame::openMakerSite()
{
    openURL( kMakerAddress );
}

int32_t VXGame::highScoreRank( int32_t score )
{
    return score > 0 ? m_highScores.rank( static_cast<uint32_t>( score ) ) : -1;
}

void VXGame::loadHighScores( bool reset )
{
    m_highScores.load( HRegistry::get(), m_pCvars, reset );
}

void VXGame::saveHighScores()
{
    m_highScores.save( HRegistry::get(), m_pCvars );
}

void VXGame::insertHighScore( const char* kpName )
{
    int row = m_score > 0 ? m_highScores.insert( kpName, static_cast<uint32_t>( m_score ), m_level + 1 ) : -1;
    if( row < 0 )
        return;
    saveHighScores();
    showHighScores( row );
}

void VXGame::showHighScores( int markedRow )
{
    m_beginPause();
    {
        VXScreenImages images( m_pDisplayDevice, m_pResourceFileSystem );
        VXHighScoreDialog dialog( images.load( "highscores.jpg" ), images.load( "highscores_ok.tga" ),
                                  images.load( "highscores_ok_lit.tga" ), images.load( "highscores_clearall.tga" ),
                                  images.load( "highscores_clearall_lit.tga" ), m_pDisplayFont );
        dialog.refresh( m_highScores );
        if( markedRow >= 0 )
            dialog.setMarkedRow( markedRow, images.load( "highscores_newrow.tga" ) );
        while( m_runModal( dialog, 0 ).closedBy( dialog.clearAllItem() ) )
        {
            if( !confirm( "highscores_areyousure.jpg", "highscores_areyousure_yes.tga",
                          "highscores_areyousure_yes_lit.tga", "highscores_areyousure_no.tga",
                          "highscores_areyousure_no_lit.tga", &dialog ) )
                continue;
            loadHighScores( true );
            dialog.refresh( m_highScores );
            dialog.setMarkedRow( -1, nullptr );
            saveHighScores();
        }
    }
    m_endPause();
}
