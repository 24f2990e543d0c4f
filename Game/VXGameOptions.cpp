// VXGame: the options dialog and the switch between window and full screen.
#include "Framework/ScriptEngine/src/HCvarManager.h"
#include "Framework/graphics/HDisplayDevice.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"
#include "Game/VXGame.h"
#include "Game/VXOptionsDialog.h"
#include "Game/VXScreenImages.h"

void VXGame::showOptions()
{
    m_beginPause();
    stopAlarm();
    int32_t fullscreenBefore = m_settings.fullscreen;
    {
        VXScreenImages images( m_pDisplayDevice, m_pResourceFileSystem );
        VXOptionsDialog dialog( *this, m_settings, images );
        m_runModal( dialog, 0 );
    }
    // The dialog's pictures are gone by now: a switch that makes the display again must not
    // leave them on the old one.
    if( m_settings.fullscreen != fullscreenBefore )
    {
        m_settings.fullscreen = fullscreenBefore;
        toggleFullscreen();
    }
    saveSettings();
    m_endPause();
}

void VXGame::toggleFullscreen()
{
    const char* kpDriver = m_pCvars != nullptr ? m_pCvars->getVariableString( "c_soundDriver" ) : nullptr;
    bool soundOn = !textEqualsNoCase( kpDriver, "null" );
    m_settings.fullscreen = m_settings.fullscreen != 0 ? 0 : 1;
    if( m_switchDisplayMode() )
        return;
    logMessage( "...making the devices again for %s\n", m_settings.fullscreen != 0 ? "full screen" : "a window" );
    unloadGraphics();
    if( !m_createDevices( kTitle, soundOn, m_settings.fullscreen != 0, true, 640, 480, 2, 16, 22050 ) )
        alert( "toggleFullscreen - could not restart subsystems!" );
    saveSettings();
    m_reloadAssets();
    setMusicPlaying( true );
    invalidateAll();
}

void VXGame::m_reloadAssets()
{
    m_sprites.setSources( m_pDisplayDevice, m_pResourceFileSystem );
    if( m_pDisplayDevice != nullptr && m_pDisplayFont == nullptr && m_sprites.load( SPR_FONT ) )
        m_pDisplayFont = m_pDisplayDevice->createFont( m_sprites.get( SPR_FONT ), 8, 12 );
    if( !m_loadBitmaps( nullptr ) )
        logMessage( "...could not load the pictures again\n" );
    if( m_tutorialLevel && m_settings.didTutorial == 0 )
        m_loadTutorial();
    m_loadSounds( nullptr );
}
