#include "tests/Game/support/GameHarness.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "Framework/util/src/HGlobal.h"
#include "Framework/util/src/HRegistry.h"
#include "tests/support/FakeAudioDevice.h"
#include "tests/support/MemoryDisplayDevice.h"

namespace
{
HInputDevice* s_pHarnessInput = nullptr;

HInputDevice* provideHarnessInput( HCvarManager* )
{
    return s_pHarnessInput;
}

// Arena pictures are drawn by the presentation; this is the size the game's own one has.
const HRect kArena = { 23, 17, 23 + 420, 17 + 420 };

char typeLetter( int32_t type )
{
    if( type == TT_CLEARED )
        return 'x';
    return "0123456789ABCDEF"[ type & 15 ];
}
}

void RecordingSoundService::playSample( const char* kpName, int32_t volume )
{
    sounds.push_back( std::string( kpName ) + "@" + std::to_string( volume ) );
}

void RecordingSoundService::startAlarm( int32_t volume )
{
    sounds.push_back( "alarm start@" + std::to_string( volume ) );
}

void RecordingSoundService::setAlarmVolume( int32_t volume )
{
    sounds.push_back( "alarm volume@" + std::to_string( volume ) );
}

void RecordingSoundService::stopAlarm()
{
    sounds.push_back( "alarm stop" );
}

void RecordingSoundService::setMute( bool mute )
{
    muted = mute;
}

int RecordingSoundService::count( const std::string& sound ) const
{
    return static_cast<int>( std::count( sounds.begin(), sounds.end(), sound ) );
}

TestGame::TestGame() = default;

TestGame::~TestGame()
{
    unloadGraphics();
    shutdown();
}

int TestGame::handleEvent( const HEvent& event )
{
    int result = VXGame::handleEvent( event );
    if( states.empty() || states.back() != m_state )
        states.push_back( m_state );
    if( event.type == ET_TIMESTAMP )
        frames.push_back( snapshot() );
    return result;
}

std::string TestGame::snapshot() const
{
    uint32_t clockBits = 0;
    std::memcpy( &clockBits, &m_timeLeft, sizeof( clockBits ) );
    std::string text = std::to_string( m_state ) + " " + std::to_string( m_phaseLeft ) + " " +
                       std::to_string( m_level ) + " " + std::to_string( m_score ) + " " +
                       std::to_string( m_linesToGo ) + " " + std::to_string( clockBits ) + " ";
    for( int y = 0; y < VXBoard::kSize; ++y )
    {
        for( int x = 0; x < VXBoard::kSize; ++x )
            text += typeLetter( m_board.getCell( x, y ).type );
        text += '/';
    }
    for( int i = 0; i < VXBoard::kSize; ++i )
        text += typeLetter( m_board.getLeftPreview( i ).type );
    text += '/';
    for( int i = 0; i < VXBoard::kSize; ++i )
        text += typeLetter( m_board.getTopPreview( i ).type );
    return text;
}

void TestGame::m_handleInput( const HEvent& event )
{
    if( realControl )
    {
        VXGame::m_handleInput( event );
        return;
    }
    if( event.type != ET_KEYDOWN )
        return;
    if( event.key == KC_LBUTTON )
    {
        if( m_state != GS_IDLE || !m_arenaRect.containsClosed( event.x, event.y ) )
            return;
        m_lastMovePoint = HPoint{ event.x, event.y };
        makeMove( ( event.x - VXBoard::kLeft ) / VXBoard::kCellSize, ( event.y - VXBoard::kTop ) / VXBoard::kCellSize );
    }
    else if( event.key == 0 && event.character == '\r' && m_state >= GS_INFO_START && m_state <= GS_INFO_BLUE )
        leaveInfoScreen();
}

void TestGame::m_updatePresentation( int32_t elapsed )
{
    ++presentationUpdates;
    if( realPresentation )
        VXGame::m_updatePresentation( elapsed );
}

bool TestGame::m_loadAssets()
{
    splashDuringLoad = m_soundBank.isPlaying( "splash.ogg" );
    if( realAssets )
        return assetsLoad && VXGame::m_loadAssets();
    m_arenaRect = kArena;
    // The sounds come after the pictures, as in the real loading.
    if( assetsLoad )
        m_loadSounds( nullptr );
    return assetsLoad;
}

int32_t TestGame::highScoreRank( int32_t score )
{
    (void)score;
    return rank;
}

bool TestGame::m_createDisplayDevice( const char* kpTitle, bool fullscreen, bool noDoubleClick, int32_t width,
                                      int32_t height )
{
    MemoryDisplayDevice* pDisplay = new MemoryDisplayDevice( m_pCvars );
    pDisplay->initScreen( width, height, kpTitle, fullscreen, noDoubleClick );
    m_pDisplayDevice = pDisplay;
    HGlobal::setDisplayDevice( pDisplay );
    return true;
}

GameHarness::GameHarness()
    : GameHarness( Options() )
{
}

GameHarness::GameHarness( const Options& options )
    : m_services()
    , m_dir()
    , m_registry( m_dir.path() )
    , m_workDir( m_dir.file( "work" ) )
    , m_sound()
    , m_input()
    , m_game()
    , m_started( false )
    , m_stopped( false )
{
    std::filesystem::create_directories( m_workDir );
    std::filesystem::create_directories( m_dir.file( "res" ) );
    for( const auto& resource : options.resources )
        m_dir.write( "res/" + resource.first, resource.second );
    char cwd[ 1024 ];
    m_oldDir = getcwd( cwd, sizeof( cwd ) ) != nullptr ? cwd : ".";
    if( chdir( m_workDir.c_str() ) != 0 )
        return;
    if( options.playback )
        m_dir.write( "work/journal.bin", options.journalBytes );

    m_writeRegistry( options );

    std::string line = options.switches;
    if( options.journal )
        line += " -journal";
    if( options.playback )
        line += " -demo harness";
    HGlobal::setCommandLine( line.c_str() );
    s_pHarnessInput = &m_input;
    HInputDevice::setProvider( provideHarnessInput );
    FakeAudioDevice::install();
    m_game.realControl = options.realControl || options.realGame;
    m_game.realPresentation = options.realPresentation || options.realGame;
    m_game.realAssets = options.realGame;
    if( options.fillResources )
        options.fillResources( m_dir.file( "res" ) );

    std::string exeDir = m_dir.path() + "/";
    m_started =
        m_game.init( options.trace, options.journal, exeDir.c_str(), options.playback ? "harness" : "", true, true );
    if( options.connectSound )
        m_game.setSoundService( &m_sound );
}

GameHarness::~GameHarness()
{
    m_game.setSoundService( nullptr );
    m_game.unloadGraphics();
    m_game.shutdown();
    FakeAudioDevice::uninstall();
    HInputDevice::setProvider( nullptr );
    s_pHarnessInput = nullptr;
    HGlobal::setCommandLine( "" );
    HGlobal::setEventQueue( nullptr );
    if( chdir( m_oldDir.c_str() ) != 0 )
        m_oldDir.clear();
}

void GameHarness::m_writeRegistry( const Options& options )
{
    VXSettings settings;
    settings.didTutorial = options.didTutorial;
    if( options.startLevel >= 0 )
        settings.startLevel = options.startLevel;
    if( options.alarmEnabled >= 0 )
        settings.alarmEnabled = options.alarmEnabled;
    HRegistry& registry = HRegistry::get();
    settings.write( registry, nullptr );
    registry.open( nullptr, "Vantorix", "Glimmerdrop" );
    registry.writeString( "resourceFile", "res" );
    registry.close();
}

bool GameHarness::m_pass()
{
    if( m_stopped )
        return false;
    m_stopped = m_game.runFrame();
    return !m_stopped;
}

bool GameHarness::tick( uint32_t milliseconds )
{
    m_services.fakeTime += milliseconds;
    // The first pass finds the queue dry and makes the time stamp; the second hands it over.
    return m_pass() && m_pass();
}

bool GameHarness::post( const HEvent& event )
{
    if( m_stopped )
        return false;
    m_game.getEventQueue().postEvent( event );
    return m_pass();
}

bool GameHarness::click( int32_t x, int32_t y )
{
    HEvent event;
    event.clear();
    event.type = ET_KEYDOWN;
    event.key = KC_LBUTTON;
    event.x = x;
    event.y = y;
    m_game.getEventQueue().postEvent( event );
    event.type = ET_KEYUP;
    return post( event );
}

bool GameHarness::clickCell( int column, int row )
{
    return click( VXBoard::kLeft + VXBoard::kCellSize * column + VXBoard::kCellSize / 2,
                  VXBoard::kTop + VXBoard::kCellSize * row + VXBoard::kCellSize / 2 );
}

bool GameHarness::pressEnter()
{
    HEvent event;
    event.clear();
    event.type = ET_KEYDOWN;
    event.character = '\r';
    return post( event );
}

namespace
{
HEvent inputEvent( int32_t type, int32_t key, char character, int32_t x, int32_t y )
{
    HEvent event;
    event.clear();
    event.type = type;
    event.key = key;
    event.character = character;
    event.x = x;
    event.y = y;
    return event;
}
}

bool GameHarness::pressKey( int32_t key, char character )
{
    return post( inputEvent( ET_KEYDOWN, key, character, 0, 0 ) );
}

bool GameHarness::releaseKey( int32_t key, char character )
{
    return post( inputEvent( ET_KEYUP, key, character, 0, 0 ) );
}

bool GameHarness::moveMouse( int32_t x, int32_t y )
{
    return post( inputEvent( ET_MOUSEMOVE, 0, 0, x, y ) );
}

bool GameHarness::pressButton( int32_t x, int32_t y )
{
    return post( inputEvent( ET_KEYDOWN, KC_LBUTTON, 0, x, y ) );
}

bool GameHarness::releaseButton( int32_t x, int32_t y )
{
    return post( inputEvent( ET_KEYUP, KC_LBUTTON, 0, x, y ) );
}

bool GameHarness::activate( bool active )
{
    HEvent event = inputEvent( ET_ACTIVATE, 0, 0, 0, 0 );
    event.flag = active ? 1 : 0;
    return post( event );
}

bool GameHarness::quit()
{
    HEvent event;
    event.clear();
    event.type = ET_QUIT;
    return post( event );
}

bool GameHarness::runUntil( int32_t state, uint32_t maxMilliseconds, uint32_t step )
{
    for( uint32_t waited = 0; waited <= maxMilliseconds; waited += step )
    {
        if( m_game.getState() == state )
            return true;
        if( !tick( step ) )
            return m_game.getState() == state;
    }
    return m_game.getState() == state;
}

bool GameHarness::playJournal()
{
    m_stopped = m_game.run();
    return m_stopped;
}

std::string GameHarness::journalBytes() const
{
    return m_dir.read( "work/journal.bin" );
}
