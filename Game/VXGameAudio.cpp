// The game's audio steps: the splash and the sounds loaded at start-up.
#include "Game/VXGame.h"

namespace
{
const char kpSplash[] = "splash.ogg";
const char kpTheme[] = "theme.ogg";
// Just under 3 seconds: after its first pass the theme repeats from here.
const int32_t kThemeLoopPosition = 66016;
const char* const kapPreloaded[] = { "onemoretogo.ogg", "blocked.ogg", "bjbcrunch.ogg", "klaxon.ogg", "candycane.ogg" };
}

void VXGame::m_startSplash()
{
    m_soundBank.playSound( &m_splashVoice, kpSplash, VXBankSoundService::kBits, VXBankSoundService::kFrequency, 0, 192,
                           0, false );
}

void VXGame::m_stopSplash()
{
    if( m_splashVoice < 0 )
        return;
    // The jingle may have ended and its voice gone to another sound.
    if( m_soundBank.isVoicePlaying( m_splashVoice, kpSplash ) )
        m_soundBank.stopVoice( m_splashVoice );
    m_soundBank.unloadSound( kpSplash );
    m_splashVoice = -1;
}

void VXGame::m_preloadSounds()
{
    if( !loadThemeMusic( kpTheme, getResourceFileSystem(), kThemeLoopPosition ) )
        return;
    for( const char* kpName : kapPreloaded )
    {
        AudioSample sample;
        m_soundBank.loadAudioSample( kpName, sample, VXBankSoundService::kBits, VXBankSoundService::kFrequency );
    }
}
