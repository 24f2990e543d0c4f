#include "tests/Game/support/ScreenHarness.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "Framework/graphics/VXSprite.h"
#include "Framework/util/src/HGlobal.h"
#include "Framework/util/src/HRegistry.h"
#include "Game/VXEnterNameDialog.h"
#include "Game/VXHighScoreDialog.h"
#include "Game/dialogs/VXDialog.h"
#include "Game/dialogs/VXDialogItem.h"
#include "tests/Game/support/BoardMoves.h"
#include "tests/support/FakeAudioDevice.h"

namespace
{
HInputDevice* s_pScriptedInput = nullptr;

HInputDevice* provideScriptedInput( HCvarManager* )
{
    return s_pScriptedInput;
}

// Polls with nothing to give before a waiting modal screen counts as stuck.
const int kDryPollLimit = 200;
} // namespace

HEvent makeEvent( int32_t type, int32_t key, char character, int32_t x, int32_t y )
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

char* ScreenServices::getUserName( char* pBuffer, size_t size )
{
    if( userName.empty() || size == 0 )
        return nullptr;
    // As the system does: the whole name or nothing.
    if( userName.size() + 1 > size )
        return nullptr;
    std::copy( userName.begin(), userName.end(), pBuffer );
    pBuffer[ userName.size() ] = '\0';
    return pBuffer;
}

ScreenGame::ScreenGame() = default;

ScreenGame::~ScreenGame()
{
    unloadGraphics();
    shutdown();
}

VXPanelControl* ScreenGame::panelControl( VXPanelControl::Kind kind ) const
{
    for( HControl* pControl = nextControl( nullptr ); pControl != nullptr; pControl = nextControl( pControl ) )
    {
        // Every listed control is a VXControl; the panel's are known by their places.
        VXControl* pButton = static_cast<VXControl*>( pControl );
        HPoint place = VXPanelControl::place( kind );
        if( pButton->getRect()->left == place.x && pButton->getRect()->top == place.y )
            return static_cast<VXPanelControl*>( pButton );
    }
    return nullptr;
}

bool ScreenGame::m_createDisplayDevice( const char* kpTitle, bool fullscreen, bool noDoubleClick, int32_t width,
                                        int32_t height )
{
    if( !displayWorks )
        return false;
    MemoryDisplayDevice* pDisplay = new MemoryDisplayDevice( m_pCvars );
    pDisplay->initScreen( width, height, kpTitle, fullscreen, noDoubleClick );
    m_pDisplayDevice = pDisplay;
    HGlobal::setDisplayDevice( pDisplay );
    ++displaysMade;
    return true;
}

bool ScreenGame::m_switchDisplayMode()
{
    if( !switchesInPlace || m_pDisplayDevice == nullptr )
        return false;
    ++inPlaceSwitches;
    return true;
}

ScriptedGameInput::ScriptedGameInput( ScreenServices& services, HEventQueue& queue )
    : m_services( services )
    , m_queue( queue )
    , m_dryPolls( 0 )
{
}

bool ScriptedGameInput::poll()
{
    if( steps.empty() )
    {
        // The main loop polls once a pass; only a modal screen keeps asking.
        if( ++m_dryPolls == kDryPollLimit )
        {
            m_dryPolls = 0;
            stuck = true;
            m_queue.postEvent( makeEvent( ET_QUIT ) );
        }
        return true;
    }
    m_dryPolls = 0;
    Step step = steps.front();
    steps.pop_front();
    m_services.fakeTime += step.after;
    if( step.check )
        step.check();
    HEvent event = step.make ? step.make() : makeEvent( ET_NONE );
    if( event.type != ET_NONE )
        m_queue.postEvent( event );
    return true;
}

ScreenHarness::ScreenHarness()
    : ScreenHarness( Options() )
{
}

ScreenHarness::ScreenHarness( const Options& options )
    : m_services()
    , m_dir()
    , m_oldDir()
    , m_sound()
    , m_game()
    , m_input( m_services, m_game.getEventQueue() )
    , m_started( false )
    , m_stopped( false )
{
    char cwd[ 1024 ];
    m_oldDir = getcwd( cwd, sizeof( cwd ) ) != nullptr ? cwd : ".";
    if( chdir( m_dir.path().c_str() ) != 0 )
        return;
    std::filesystem::create_symlink( std::string( GLIMMERDROP_BINARY_DIR ) + "/glimmerdrop.vxz",
                                     m_dir.file( "glimmerdrop.vxz" ) );
    if( options.playback )
        m_dir.write( "journal.bin", options.journalBytes );

    setenv( "GLIMMERDROP_REGISTRY", m_dir.file( "registry.reg" ).c_str(), 1 );
    setenv( "GLIMMERDROP_REGISTRY_MACHINE", m_dir.file( "machine.reg" ).c_str(), 1 );
    VXSettings settings;
    settings.didTutorial = options.didTutorial;
    settings.write( HRegistry::get(), nullptr );
    if( !options.registryLines.empty() )
    {
        std::ofstream registry( m_dir.file( "registry.reg" ), std::ios::app );
        registry << options.registryLines;
    }

    // An audio device with no output: music and samples go through the real mixer.
    FakeAudioDevice::install();
    std::string line = options.switches;
    if( options.journal )
        line += " -journal";
    if( options.playback )
        line += " -demo screens";
    HGlobal::setCommandLine( line.c_str() );
    s_pScriptedInput = &m_input;
    HInputDevice::setProvider( provideScriptedInput );
    std::string exeDir = m_dir.path() + "/";
    m_started = m_game.init( false, options.journal, exeDir.c_str(), options.playback ? "screens" : "", true, true );
    m_game.setSoundService( &m_sound );
    // As the main loop does before its first pass.
    m_game.invalidateAll();
}

ScreenHarness::~ScreenHarness()
{
    m_game.setSoundService( nullptr );
    m_game.unloadGraphics();
    m_game.shutdown();
    HInputDevice::setProvider( nullptr );
    s_pScriptedInput = nullptr;
    FakeAudioDevice::uninstall();
    HGlobal::setCommandLine( "" );
    HGlobal::setEventQueue( nullptr );
    HGlobal::setDisplayDevice( nullptr );
    unsetenv( "GLIMMERDROP_REGISTRY" );
    unsetenv( "GLIMMERDROP_REGISTRY_MACHINE" );
    if( chdir( m_oldDir.c_str() ) != 0 )
        m_oldDir.clear();
}

void ScreenHarness::m_add( uint32_t after, std::function<HEvent()> make, std::function<void()> check )
{
    m_input.steps.push_back( ScriptedGameInput::Step{ after, std::move( make ), std::move( check ) } );
}

void ScreenHarness::m_addPressAndRelease( uint32_t after, std::function<HEvent( int32_t type )> at )
{
    // The release goes where the press went, even when the press closed the screen.
    auto pressed = std::make_shared<HEvent>( makeEvent( ET_NONE ) );
    m_add( after,
           [ at, pressed ]()
           {
               *pressed = at( ET_KEYDOWN );
               return *pressed;
           } );
    m_add( 1,
           [ pressed ]()
           {
               HEvent release = *pressed;
               if( release.type == ET_KEYDOWN )
                   release.type = ET_KEYUP;
               return release;
           } );
}

void ScreenHarness::click( int32_t x, int32_t y, uint32_t after )
{
    m_add( after, [ x, y ]() { return makeEvent( ET_KEYDOWN, KC_LBUTTON, 0, x, y ); } );
    m_add( 1, [ x, y ]() { return makeEvent( ET_KEYUP, KC_LBUTTON, 0, x, y ); } );
}

void ScreenHarness::clickPanel( VXPanelControl::Kind kind, uint32_t after )
{
    ScreenGame* pGame = &m_game;
    auto centre = [ pGame, kind ]( int32_t type )
    {
        VXPanelControl* pControl = pGame->panelControl( kind );
        if( pControl == nullptr )
        {
            ADD_FAILURE() << "no panel button of kind " << kind;
            return makeEvent( ET_NONE );
        }
        const HRect* kpRect = pControl->getRect();
        return makeEvent( type, KC_LBUTTON, 0, ( kpRect->left + kpRect->right ) / 2,
                          ( kpRect->top + kpRect->bottom ) / 2 );
    };
    m_addPressAndRelease( after, centre );
}

void ScreenHarness::clickItem( const std::string& name, int occurrence, uint32_t after )
{
    ScreenGame* pGame = &m_game;
    auto centre = [ pGame, name, occurrence ]( int32_t type )
    {
        VXDialog* pDialog = pGame->getModalScreen();
        int seen = 0;
        for( VXDialogItem* pItem = pDialog != nullptr ? pDialog->getFirstItem() : nullptr; pItem != nullptr;
             pItem = pItem->getNext() )
        {
            if( name == pItem->getName() && seen++ == occurrence )
            {
                const HRect& rect = pItem->getRect();
                return makeEvent( type, KC_LBUTTON, 0, ( rect.left + rect.right ) / 2, ( rect.top + rect.bottom ) / 2 );
            }
        }
        ADD_FAILURE() << "no item '" << name << "' on the screen";
        return makeEvent( ET_NONE );
    };
    m_addPressAndRelease( after, centre );
}

void ScreenHarness::moveTo( int32_t x, int32_t y, uint32_t after )
{
    m_add( after, [ x, y ]() { return makeEvent( ET_MOUSEMOVE, 0, 0, x, y ); } );
}

void ScreenHarness::key( char character, uint32_t after )
{
    m_add( after, [ character ]() { return makeEvent( ET_KEYDOWN, 0, character ); } );
}

void ScreenHarness::keyCode( int32_t code, uint32_t after )
{
    m_add( after, [ code ]() { return makeEvent( ET_KEYDOWN, code ); } );
}

void ScreenHarness::type( const std::string& text )
{
    for( char character : text )
        key( character, 5 );
}

void ScreenHarness::paste( uint32_t after )
{
    m_add( after, []() { return makeEvent( ET_PASTE ); } );
}

void ScreenHarness::command( int32_t number, uint32_t after )
{
    m_add( after,
           [ number ]()
           {
               HEvent event = makeEvent( ET_COMMAND );
               event.flag = number;
               return event;
           } );
}

void ScreenHarness::toggleFullscreen( uint32_t after )
{
    m_add( after, []() { return makeEvent( ET_TOGGLE_FULLSCREEN ); } );
}

void ScreenHarness::closeWindow( uint32_t after )
{
    m_add( after, []() { return makeEvent( ET_QUIT ); } );
}

void ScreenHarness::idle( uint32_t after )
{
    m_add( after, nullptr );
}

void ScreenHarness::check( std::function<void()> check )
{
    m_add( 0, nullptr, std::move( check ) );
}

bool ScreenHarness::m_pass()
{
    if( m_stopped )
        return false;
    m_input.newPass();
    m_stopped = m_game.runFrame();
    return !m_stopped;
}

bool ScreenHarness::run()
{
    size_t left = m_input.steps.size();
    int idlePasses = 0;
    while( !m_input.steps.empty() )
    {
        if( !m_pass() )
            return false;
        // Without an input device nothing reads the script.
        idlePasses = m_input.steps.size() == left ? idlePasses + 1 : 0;
        left = m_input.steps.size();
        if( idlePasses > 100 )
        {
            ADD_FAILURE() << "the script is not being read";
            return false;
        }
    }
    return m_pass();
}

bool ScreenHarness::tick( uint32_t milliseconds )
{
    m_services.fakeTime += milliseconds;
    return m_pass() && m_pass();
}

bool ScreenHarness::runUntil( int32_t state, uint32_t maxMilliseconds )
{
    for( uint32_t waited = 0; waited <= maxMilliseconds; waited += 10 )
    {
        if( m_game.getState() == state )
            return true;
        idle( 10 );
        if( !run() )
            return false;
    }
    return m_game.getState() == state;
}

std::string ScreenHarness::modalScreen() const
{
    VXDialog* pDialog = m_game.getModalScreen();
    if( pDialog == nullptr )
        return "";
    VXSprite* pBackground = pDialog->getBackground();
    return pBackground != nullptr ? pBackground->getName() : "(no picture)";
}

std::string ScreenHarness::journalBytes() const
{
    return m_dir.exists( "journal.bin" ) ? m_dir.read( "journal.bin" ) : "";
}

bool ScreenHarness::playJournal()
{
    m_stopped = m_game.run();
    return m_stopped;
}

namespace
{
// The first move towards a line three moves away at most, else one of the legal moves in turn.
HPoint chooseMove( const VXBoard& board, int turn )
{
    HPoint move;
    if( moveTowardsLine( board, 3, move ) )
        return move;
    std::vector<HPoint> legal = legalMoves( board );
    return legal.empty() ? board.getBlankPosition() : legal[ static_cast<size_t>( turn ) % legal.size() ];
}
} // namespace

RecordedGame recordGameToHighScores( const std::string& name )
{
    RecordedGame recorded;
    ScreenHarness::Options options;
    options.journal = true;
    ScreenHarness harness( options );
    if( !harness.started() )
        return recorded;
    ScreenGame& game = harness.game();
    auto noteScreen = [ & ]()
    {
        std::string screen = harness.modalScreen();
        if( recorded.screens.empty() || recorded.screens.back() != screen )
            recorded.screens.push_back( screen );
    };
    harness.idle( 10 );
    harness.key( '\r' );
    harness.run();
    harness.runUntil( GS_IDLE, 2000 );
    for( int turn = 0; turn < 300 && game.getScore() == 0; ++turn )
    {
        HPoint move = chooseMove( game.getBoard(), turn );
        harness.click( VXBoard::kLeft + VXBoard::kCellSize * move.x + 21,
                       VXBoard::kTop + VXBoard::kCellSize * move.y + 21 );
        harness.run();
        harness.runUntil( GS_IDLE, 2000 );
    }
    recorded.score = game.getScore();

    // The debug keys take the first level's long clock down ten seconds at a time.
    harness.key( VXGame::kDebugControlCharacter );
    harness.key( VXGame::kDebugLetter );
    harness.key( VXGame::kDebugControlCharacter );
    for( int i = 0; i * 10.0f < game.getTimeLeft() + 10.0f; ++i )
        harness.key( '-', 1 );
    harness.idle( 10 );
    harness.check( noteScreen );
    // The button comes on at the time stamp after two seconds; the click follows an idle moment
    // that leaves no time stamp in the journal.
    harness.idle( 1985 );
    harness.idle( 20 );
    harness.idle( 0 );
    harness.clickItem( "Continue", 0, 10 );
    harness.check( noteScreen );
    for( int i = 0; i < VXEnterNameDialog::kNameLength; ++i )
        harness.key( 8, 5 );
    harness.type( name );
    harness.key( '\r' );
    harness.check( noteScreen );
    harness.idle( 50 );
    harness.clickItem( "OK" );
    harness.check( noteScreen );
    harness.idle( 10 );
    harness.closeWindow();
    harness.run();
    recorded.highScoreName = game.getHighScores().entry( 0 ).name;
    // The journal is complete once the devices are down.
    game.unloadGraphics();
    recorded.journal = harness.journalBytes();
    recorded.registry = harness.registryText();
    return recorded;
}

RecordedGame recordKeyboardGame( const std::string& name )
{
    RecordedGame recorded;
    ScreenHarness::Options options;
    options.journal = true;
    ScreenHarness harness( options );
    if( !harness.started() )
        return recorded;
    ScreenGame& game = harness.game();
    // The modal screens, and the player's pause as a screen of its own.
    auto noteScreen = [ & ]()
    {
        std::string screen = harness.modalScreen();
        if( screen.empty() && game.isUserPaused() )
            screen = "(paused)";
        const VXHighScoreDialog* kpTable = dynamic_cast<const VXHighScoreDialog*>( game.getModalScreen() );
        if( kpTable != nullptr && kpTable->getMarkedRow() >= 0 )
            screen += " row " + std::to_string( kpTable->getMarkedRow() );
        if( recorded.screens.empty() || recorded.screens.back() != screen )
            recorded.screens.push_back( screen );
    };
    auto press = [ & ]( int32_t code )
    {
        harness.keyCode( code );
        harness.check( noteScreen );
    };
    auto type = [ & ]( char character )
    {
        harness.key( character );
        harness.check( noteScreen );
    };
    harness.idle( 10 );
    type( '\r' );
    harness.run();
    harness.runUntil( GS_IDLE, 2000 );
    // The arrow keys move the blank (the default option) one cell a press.
    for( int turn = 0; turn < 300 && game.getScore() == 0; ++turn )
    {
        HPoint move = chooseMove( game.getBoard(), turn );
        HPoint blank = game.getBoard().getBlankPosition();
        int32_t key = move.x > blank.x ? KC_RIGHT : move.x < blank.x ? KC_LEFT : move.y > blank.y ? KC_DOWN : KC_UP;
        int steps = std::abs( move.x - blank.x ) + std::abs( move.y - blank.y );
        for( int step = 0; step < steps && game.getScore() == 0; ++step )
        {
            harness.keyCode( key );
            harness.run();
            harness.runUntil( GS_IDLE, 2000 );
        }
    }
    recorded.score = game.getScore();

    // Pause and go on by P, by the Pause key and by Escape.
    type( 'p' );
    type( 'P' );
    press( KC_PAUSE );
    press( KC_PAUSE );
    type( 27 );
    type( 27 );
    // The panel's screens by their keys, each left by Escape as it was; Tab moves on without harm.
    type( 'o' );
    type( 9 );
    type( 27 );
    type( 'h' );
    type( 9 );
    type( 27 );
    type( 'r' );
    type( 27 );
    harness.idle( 10 );
    harness.check( noteScreen );

    // The debug keys take the first level's long clock down ten seconds at a time.
    harness.key( VXGame::kDebugControlCharacter );
    harness.key( VXGame::kDebugLetter );
    harness.key( VXGame::kDebugControlCharacter );
    for( int i = 0; i * 10.0f < game.getTimeLeft() + 10.0f; ++i )
        harness.key( '-', 1 );
    harness.idle( 10 );
    // Escape does nothing while the notice's button is still off; Return takes it once it is on.
    type( 27 );
    harness.idle( 1985 );
    harness.idle( 20 );
    harness.idle( 0 );
    type( '\r' );
    for( int i = 0; i < VXEnterNameDialog::kNameLength; ++i )
        harness.key( 8, 5 );
    harness.type( name );
    type( 9 );
    type( '\r' );
    harness.idle( 50 );
    type( 9 );
    type( 27 );
    harness.idle( 10 );
    // The main loop ends at the time stamp after the quit.
    type( 'q' );
    harness.idle( 10 );
    harness.run();
    recorded.highScoreName = game.getHighScores().entry( 0 ).name;
    game.unloadGraphics();
    recorded.journal = harness.journalBytes();
    recorded.registry = harness.registryText();
    return recorded;
}
