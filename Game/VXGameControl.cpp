// VXGame: what the player's clicks, drags and keys do.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "Framework/graphics/HDisplayDevice.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HProcessServices.h"
#include "Framework/util/src/HText.h"
#include "Game/VXGame.h"
#include "Game/VXPanelControl.h"
#include "Game/VXPauseControl.h"

namespace
{
// A click this soon after the window was activated is the click that activated it.
const int64_t kActivationGuard = 32;
const int32_t kMaxLevelSelect = 14;
const int32_t kTutorialSteps = 5;
// The cells the tutorial's hand asks for, step by step.
const HPoint kScriptedCells[ kTutorialSteps ] = { { 1, 0 }, { 2, 0 }, { 3, 0 }, { 3, 1 }, { 0, 1 } };

// The digit a shifted digit key types on a US keyboard, or 0.
char shiftedDigit( char character )
{
    const char* kpShifted = ")!@#$%^&*(";
    const char* kpFound = character != 0 ? std::strchr( kpShifted, character ) : nullptr;
    return kpFound != nullptr ? static_cast<char>( '0' + ( kpFound - kpShifted ) ) : 0;
}
} // namespace

void VXGame::setActive( bool active )
{
    if( !active && m_state != GS_INFO_START )
    {
        m_mouseButtonHeld = false;
        setPaused( true );
    }
    HApplication::setActive( active );
}

void VXGame::setPaused( bool paused )
{
    if( paused == m_userPaused )
        return;
    if( paused )
    {
        m_beginPause();
        stopAlarm();
    }
    else
        m_endPause();
    m_userPaused = paused;
    if( m_pPauseControl != nullptr )
        m_pPauseControl->showPauseState();
}

void VXGame::m_handleInput( const HEvent& event )
{
    switch( event.type )
    {
    case ET_TOGGLE_FULLSCREEN:
        toggleFullscreen();
        break;
    case ET_ACTIVATE:
        if( event.flag != 0 )
            m_activationTime = event.time;
        break;
    case ET_KEYDOWN:
        if( event.key == KC_LBUTTON )
        {
            // The time stamps are unsigned; a click stamped before the activation is ignored too.
            int64_t sinceActivation = static_cast<int64_t>( event.time - m_activationTime );
            if( sinceActivation > kActivationGuard )
                m_click( event.x, event.y );
        }
        else
            m_keyPress( event.key, event.character );
        break;
    case ET_KEYUP:
        if( event.key == KC_LBUTTON )
            m_mouseButtonHeld = false;
        else
            m_keyRelease( event.key );
        break;
    case ET_MOUSEMOVE:
        m_drag( event.x, event.y );
        break;
    case ET_COMMAND:
        if( event.flag == 0 )
            showHighScores();
        else if( event.flag == 1 )
            showOptions();
        else if( event.flag == 2 )
            requestRestart();
        break;
    default:
        break;
    }
}

void VXGame::m_click( int32_t x, int32_t y )
{
    if( m_state == GS_QUIT || !m_arenaRect.containsClosed( x, y ) )
        return;
    m_mouseButtonHeld = true;
    if( isPaused() )
    {
        playGuiClick();
        setPaused( false );
        invalidateAll();
        return;
    }
    if( m_state != GS_IDLE )
        return;
    m_lastMovePoint = { x, y };
    // Truncation toward zero: up to a cell's width left of or above the board still counts as its edge.
    int column = ( x - VXBoard::kLeft ) / VXBoard::kCellSize;
    int row = ( y - VXBoard::kTop ) / VXBoard::kCellSize;
    if( m_settings.didTutorial == 0 && m_tutorialStep >= 0 && m_tutorialStep < kTutorialSteps )
    {
        const HPoint& scripted = kScriptedCells[ m_tutorialStep ];
        if( column != scripted.x || row != scripted.y )
            return;
        invalidateAll();
        ++m_tutorialStep;
    }
    makeMove( column, row );
}

void VXGame::m_drag( int32_t x, int32_t y )
{
    if( m_mouseButtonHeld && m_state == GS_IDLE && m_arenaRect.containsClosed( x, y ) )
        m_click( x, y );
}

void VXGame::handleArrowKey( int32_t direction )
{
    if( m_state != GS_IDLE )
        return;
    int32_t dx = 0;
    int32_t dy = 0;
    switch( direction )
    {
    case 0:
        dy = VXBoard::kCellSize;
        break;
    case 1:
        dx = -VXBoard::kCellSize;
        break;
    case 2:
        dx = VXBoard::kCellSize;
        break;
    case 3:
        dy = -VXBoard::kCellSize;
        break;
    default:
        alert( "Unhandled key in handleArrowKey" );
        break;
    }
    if( m_settings.keyboardMovesSpace == 0 )
    {
        dx = -dx;
        dy = -dy;
    }
    HPoint blank = m_board.getBlankPosition();
    // Off the board this gives -1 or 6, which is no move.
    int column = ( VXBoard::kCellSize * blank.x + dx ) / VXBoard::kCellSize;
    int row = ( VXBoard::kCellSize * blank.y + dy ) / VXBoard::kCellSize;
    // The tutorial's steps wait for their own move: the key that points from the blank toward the
    // hand's cell makes it, however many candies it slides; every other key is ignored.
    if( m_settings.didTutorial == 0 && m_tutorialStep >= 0 && m_tutorialStep < kTutorialSteps )
    {
        const HPoint& scripted = kScriptedCells[ m_tutorialStep ];
        int towardX = scripted.x - blank.x;
        int towardY = scripted.y - blank.y;
        bool along = ( towardY == 0 && towardX * ( column - blank.x ) > 0 ) ||
                     ( towardX == 0 && towardY * ( row - blank.y ) > 0 );
        if( !along )
            return;
        column = scripted.x;
        row = scripted.y;
        invalidateAll();
        ++m_tutorialStep;
    }
    m_lastMovePoint = { VXBoard::kLeft + VXBoard::kCellSize * column, VXBoard::kTop + VXBoard::kCellSize * row };
    makeMove( column, row );
}

void VXGame::m_keyPress( int32_t key, char character )
{
    switch( key )
    {
    case KC_DOWN:
        handleArrowKey( 0 );
        return;
    case KC_LEFT:
        handleArrowKey( 1 );
        return;
    case KC_RIGHT:
        handleArrowKey( 2 );
        return;
    case KC_UP:
        handleArrowKey( 3 );
        return;
    case KC_F12:
        saveScreenshot();
        return;
    case KC_PAUSE:
        m_pressPause( false );
        return;
    default:
        break;
    }
    if( key == 0 && m_commandKey( character ) )
        return;

    if( character == kDebugControlCharacter )
    {
        if( m_accessProgress == 2 )
        {
            m_accessProgress = 0;
            m_debugMode = !m_debugMode;
            logMessage( "...debug mode %s\n", m_debugMode ? "on" : "off" );
            return;
        }
        m_accessProgress = 1;
    }
    else if( character == kDebugLetter && m_accessProgress == 1 )
        m_accessProgress = 2;

    if( m_debugMode )
        m_debugCommand( character );

    if( character == '\r' && m_state >= GS_INFO_START && m_state <= GS_INFO_BLUE )
        leaveInfoScreen();

    char digit = shiftedDigit( character );
    if( digit != 0 && m_levelSelectCount <= kMaxLevelSelect )
    {
        m_levelSelect[ m_levelSelectCount++ ] = digit;
        m_levelSelect[ m_levelSelectCount ] = '\0';
    }
}

bool VXGame::m_commandKey( char character )
{
    switch( character )
    {
    case 'p':
    case 'P':
        m_pressPause( false );
        return true;
    case 27:
        m_pressPause( true );
        return true;
    case 'o':
    case 'O':
        m_pressPanel( VXPanelControl::PC_OPTIONS );
        return true;
    case 'h':
    case 'H':
        m_pressPanel( VXPanelControl::PC_HIGHSCORES );
        return true;
    case 'r':
    case 'R':
        m_pressPanel( VXPanelControl::PC_RESTART );
        return true;
    case 'q':
    case 'Q':
        m_pressPanel( VXPanelControl::PC_EXIT );
        return true;
    default:
        return false;
    }
}

void VXGame::m_pressPause( bool escape )
{
    // Escape only pauses while the board is in play (the pause button is offered then), and resumes.
    if( m_pPauseControl == nullptr || ( escape && !m_userPaused && m_state > GS_REFILLING ) )
        return;
    m_pPauseControl->press();
}

void VXGame::m_pressPanel( int kind )
{
    for( HControl* pControl = nextControl( nullptr ); pControl != nullptr; pControl = nextControl( pControl ) )
    {
        VXPanelControl* pPanel = dynamic_cast<VXPanelControl*>( pControl );
        if( pPanel != nullptr && pPanel->getKind() == kind )
        {
            pPanel->press();
            return;
        }
    }
}

void VXGame::m_keyRelease( int32_t key )
{
    if( key != KC_SHIFT || m_state != GS_IDLE || m_levelSelectCount == 0 )
        return;
    if( m_debugMode )
    {
        // Up to fifteen digits: more than any level, so the number is held before it is used.
        errno = 0;
        long long number = std::strtoll( m_levelSelect, nullptr, 10 );
        if( errno != 0 || number > 1000000 )
            number = 1000000;
        logMessage( "...debug: new game at level %lld\n", number );
        newGame( static_cast<int32_t>( number ) );
    }
    m_levelSelectCount = 0;
    m_levelSelect[ 0 ] = '\0';
}

void VXGame::m_debugCommand( char character )
{
    switch( character )
    {
    case 's':
        m_restartAudio();
        break;
    case '-':
        m_timeLeft -= 10.0f;
        break;
    case '=':
        m_timeLeft += 10.0f;
        break;
    case 'v':
        toggleFullscreen();
        break;
    default:
        break;
    }
}

bool VXGame::saveScreenshot( char* pPathOut, size_t pathSize )
{
    if( m_pDisplayDevice == nullptr )
        return false;
    char folder[ 1024 ];
    if( processServices().getPicturesFolder( folder, sizeof( folder ) ) == nullptr )
        textCopy( folder, sizeof( folder ), "." );
    std::time_t now = std::time( nullptr );
    char stamp[ 32 ] = "screenshot";
    const std::tm* kpLocal = std::localtime( &now );
    if( kpLocal != nullptr )
        std::strftime( stamp, sizeof( stamp ), "%Y%m%d-%H%M%S", kpLocal );
    char path[ 1024 ];
    char separator = processServices().pathSeparator();
    // Several in one second get a number of their own rather than overwriting each other.
    for( int attempt = 0; attempt < 100; ++attempt )
    {
        if( attempt == 0 )
            textFormat( path, sizeof( path ), "%s%cglimmerdrop-%s.png", folder, separator, stamp );
        else
            textFormat( path, sizeof( path ), "%s%cglimmerdrop-%s-%d.png", folder, separator, stamp, attempt );
        std::FILE* pExisting = std::fopen( path, "rb" );
        if( pExisting == nullptr )
            break;
        std::fclose( pExisting );
    }
    if( !m_pDisplayDevice->saveScreenshot( path ) )
    {
        logMessage( "...could not save a screenshot to %s\n", path );
        return false;
    }
    logMessage( "...screenshot saved to %s\n", path );
    if( pPathOut != nullptr && pathSize > 0 )
        textCopy( pPathOut, pathSize, path );
    return true;
}
