#include "Game/VXGame.h"

#include <algorithm>
#include <climits>

#include "Framework/ScriptEngine/src/HCvarManager.h"
#include "Framework/util/src/HGlobal.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HProcessServices.h"
#include "Framework/util/src/HRegistry.h"
#include "Framework/util/src/HText.h"
#include "Game/VXSoundService.h"

namespace
{
const char kpDefaultResourceFile[] = "glimmerdrop.vxz";
}

const char* const VXGame::kTitle = "Glimmerdrop(Ver 1.50.07)";
const HRect VXGame::kScoreArea = { 470, 150, 625, 175 };
const HRect VXGame::kLevelArea = { 520, 205, 575, 230 };
const HRect VXGame::kLinesArea = { 520, 260, 575, 285 };
const HRect VXGame::kBonusArea = { 100, 100, 380, 260 };

VXGame::VXGame()
    : m_board()
    , m_levels()
    , m_settings()
    , m_popups()
    , m_pSoundService( nullptr )
    , m_bankSound( &m_soundBank )
    , m_splashVoice( -1 )
    , m_arenaRect{ 0, 0, 0, 0 }
    , m_state( GS_INFO_START )
    , m_phaseLeft( 0 )
    , m_phaseTotal( 0 )
    , m_now( 0 )
    , m_lastUpdate( 0 )
    , m_level( 0 )
    , m_linesToGo( 0 )
    , m_timeLeft( 0.0f )
    , m_timeMax( 0.0f )
    , m_secondsPerLine( 0.0f )
    , m_score( 0 )
    , m_timeBonus( 0 )
    , m_pendingStartBonus( 0 )
    , m_shownStartBonus( 0 )
    , m_lastMovePoint{ 0, 0 }
    , m_previousBlank{ 0, 0 }
    , m_tutorialStep( 0 )
    , m_tutorialLevel( false )
    , m_alarmPlaying( false )
    , m_bonusTickTime( 0 )
    , m_wildArrived( false )
    , m_sprites()
    , m_digits( &m_sprites )
    , m_timerBar()
    , m_pDisplayFont( nullptr )
    , m_pStartControl( nullptr )
    , m_pPauseControl( nullptr )
    , m_hasPartnerLogo( false )
    , m_userPaused( false )
    , m_mouseButtonHeld( false )
    , m_activationTime( 0 )
    , m_debugMode( false )
    , m_accessProgress( 0 )
    , m_levelSelect()
    , m_levelSelectCount( 0 )
    , m_highScores()
    , m_pModalScreen( nullptr )
{
    textCopy( m_resourceFileName, sizeof( m_resourceFileName ), kpDefaultResourceFile );
    m_board.setRandom( &m_random );
    m_timerBar.setSprites( &m_sprites );
}

VXGame::~VXGame() = default;

bool VXGame::init( bool trace, bool journal, const char* kpExeDir, const char* kpDemoName, bool softwareCursor,
                   bool soundEnabled )
{
    const char* kpDir = kpExeDir != nullptr ? kpExeDir : "";
    HGlobal::setResourceDir( kpDir );
    textCopy( m_resourceFileName, sizeof( m_resourceFileName ), kpDefaultResourceFile );
    if( !HApplication::init( trace, journal, kpDir, kpDemoName, softwareCursor, soundEnabled ) )
        return false;
    if( !HGlobal::hasSwitch( "-dsound" ) )
        m_pCvars->setVariableString( "c_soundDriver", "win32" );

    HRegistry& registry = HRegistry::get();
    if( registry.open( m_pCvars, "Vantorix", "Glimmerdrop" ) )
    {
        if( !registry.readString( "resourceFile", m_resourceFileName, sizeof( m_resourceFileName ) ) )
            textCopy( m_resourceFileName, sizeof( m_resourceFileName ), kpDefaultResourceFile );
        registry.close();
    }
    // Beside the program in a build tree, else where an installed tree keeps its data.
    char path[ 1024 ];
    textFormat( path, sizeof( path ), "%s%s", kpDir, m_resourceFileName );
    char installedPath[ 1024 ];
    installedDataPath( kpDir, "glimmerdrop", m_resourceFileName, installedPath, sizeof( installedPath ) );
    if( !m_loadResourceFile( path, installedPath ) )
        return false;

    m_startUp();
    loadSettings();
    if( !m_createDevices( kTitle, true, m_settings.fullscreen != 0, true, 640, 480, 2, 16, 22050 ) )
        return false;
    setSoundService( &m_bankSound );
    logMessage( "...done initializing subsystems\n" );
    if( HGlobal::hasSwitch( "-benchmark" ) )
        m_runBenchmark();

    m_startSplash();
    logMessage( "...loading assets\n" );
    bool loaded = m_loadAssets();
    m_stopSplash();
    if( !loaded )
        return false;
    m_createScreens();

    m_phaseLeft = 0;
    m_phaseTotal = 0;
    m_state = GS_INFO_START;
    setMusicPlaying( true );
    return true;
}

void VXGame::m_startUp()
{
    VXLevelInfo::fillTable( m_levels );
    m_board.setRandom( &m_random );
    m_phaseLeft = 0;
    m_phaseTotal = 0;
    m_state = GS_INFO_START;
}

void VXGame::loadSettings()
{
    m_settings.read( HRegistry::get(), m_pCvars );
    // Written straight back, so every value exists after the first run.
    saveSettings();
    if( m_pSoundService != nullptr )
        m_pSoundService->setMute( m_settings.soundEnabled == 0 );
}

void VXGame::saveSettings()
{
    m_settings.write( HRegistry::get(), m_pCvars );
}

void VXGame::setSoundService( VXSoundService* pService )
{
    m_pSoundService = pService;
    if( m_pSoundService != nullptr )
        m_pSoundService->setMute( m_settings.soundEnabled == 0 );
}

void VXGame::playSample( const char* kpName, int32_t volume )
{
    if( m_pSoundService != nullptr )
        m_pSoundService->playSample( kpName, volume );
}

void VXGame::playGuiClick()
{
    playSample( "guiclick.wav", 128 );
}

void VXGame::soundAlarm( int32_t volume )
{
    if( m_settings.soundEnabled == 0 || m_settings.alarmEnabled == 0 )
        return;
    if( m_pSoundService != nullptr )
    {
        if( !m_alarmPlaying )
            m_pSoundService->startAlarm( volume );
        m_pSoundService->setAlarmVolume( volume );
    }
    m_alarmPlaying = true;
}

void VXGame::stopAlarm()
{
    m_alarmPlaying = false;
    if( m_pSoundService != nullptr )
        m_pSoundService->stopAlarm();
}

int32_t VXGame::alarmVolume( float timeLeft )
{
    double volume = ( ( 1 - 0.1 * timeLeft ) + 1 ) * 0.5 * 255;
    if( !( volume > 0.0 ) )
        return 0;
    return volume < 255.0 ? static_cast<int32_t>( volume ) : 255;
}

void VXGame::setMusicPlaying( bool on )
{
    HApplication::setMusicPlaying( on && m_settings.musicEnabled != 0 );
}

int VXGame::handleEvent( const HEvent& event )
{
    if( event.type == ET_QUIT )
        quit();
    else if( event.type != ET_TIMESTAMP )
    {
        m_handleInput( event );
        return 0;
    }
    m_takeFrameTime( event.time );
    return m_frameUpdate() ? 1 : 0;
}

void VXGame::m_takeFrameTime( uint64_t eventTime )
{
    // The game counts in the stamp's low 32 bits, read as a signed number.
    int64_t now = static_cast<int32_t>( static_cast<uint32_t>( eventTime ) );
    uint64_t pausedTime = getPausedTime();
    if( pausedTime != 0 )
    {
        int64_t paused = static_cast<int64_t>( std::min<uint64_t>( pausedTime, INT64_MAX / 2 ) );
        if( now - m_lastUpdate >= paused )
            now -= paused;
        if( now < m_lastUpdate )
            now = m_lastUpdate;
    }
    m_now = now;
}

bool VXGame::m_frameUpdate()
{
    if( isPaused() )
        return m_state == GS_QUIT;
    if( m_lastUpdate == 0 )
    {
        m_lastUpdate = m_now;
        debugTrace( "Initializing last update time: %d", static_cast<int>( m_now ) );
    }
    int64_t elapsed = m_now - m_lastUpdate;
    if( elapsed < 0 )
        elapsed = 1;
    int32_t step = static_cast<int32_t>( std::min<int64_t>( elapsed, INT32_MAX ) );

    m_phaseLeft = static_cast<int32_t>( std::max<int64_t>( m_phaseLeft - elapsed, 0 ) );
    m_lastUpdate = m_now;
    m_wildArrived = false;

    m_popups.advance( step, *this );
    m_board.advanceAnimations( step );
    m_updatePresentation( step );

    if( m_phaseLeft < 1 )
    {
        m_phaseLeft = 0;
        m_phaseTotal = 0;
    }
    bool stop = m_frameStep( step );
    if( m_wildArrived )
        playSample( "candycane.ogg", 128 );
    return stop || m_state == GS_QUIT;
}
