// VXGame: the state machine, scoring, the level clock, levels and games.
#include <algorithm>
#include <climits>

#include "Framework/util/src/HGlobal.h"
#include "Framework/util/src/HLog.h"
#include "Game/VXGame.h"

namespace
{
// A level number past this is treated as this, so every score and bonus still fits 32 bits.
const int32_t kHighestLevel = 1000000;

int32_t saturate( int64_t value )
{
    return static_cast<int32_t>( std::min<int64_t>( std::max<int64_t>( value, INT32_MIN ), INT32_MAX ) );
}

// Truncation toward zero of a float result, held inside 32 bits (a float outside it has no int value).
int32_t truncate( float value )
{
    if( !( value > -2147483520.0f ) )
        return value != value ? 0 : INT32_MIN;
    if( value >= 2147483520.0f )
        return INT32_MAX;
    return static_cast<int32_t>( value );
}

bool isInfoState( int32_t state )
{
    return state >= GS_INFO_START && state <= GS_INFO_BLUE;
}
}

void VXGame::m_setPhase( int32_t duration )
{
    m_phaseLeft = duration;
    m_phaseTotal = duration;
}

void VXGame::m_invalidateArena()
{
    invalidateRect( m_arenaRect );
}

void VXGame::m_invalidateBlankSpan()
{
    HPoint blank = m_board.getBlankPosition();
    HRect from = VXBoard::cellRect( m_previousBlank.x, m_previousBlank.y );
    HRect to = VXBoard::cellRect( blank.x, blank.y );
    invalidateRect( HRect{ std::min( from.left, to.left ), std::min( from.top, to.top ),
                           std::max( from.right, to.right ), std::max( from.bottom, to.bottom ) } );
}

int VXGame::makeMove( int column, int row )
{
    if( m_state != GS_IDLE )
        return MR_NO_MOVE;
    int result = m_board.tryMove( column, row, &m_previousBlank );
    if( result == MR_BLOCKED )
        playSample( "blocked.ogg", 128 );
    else if( result == MR_LEGAL )
    {
        m_setPhase( m_settings.didTutorial == 0 ? kTutorialSlideDuration : kSlideDuration );
        m_state = GS_SLIDING;
        playSample( "click.wav", 128 );
    }
    return result;
}

void VXGame::m_crunchEvaluation()
{
    int32_t lines = 0;
    int32_t scoreSum = 0;
    bool wildArrived = false;
    bool jellybeanCrunched = false;
    m_state = m_board.crunchStep( &lines, &scoreSum, &wildArrived, &jellybeanCrunched );
    m_wildArrived = m_wildArrived || wildArrived;

    if( m_state == GS_CRUNCHING )
    {
        int32_t points = saturate( static_cast<int64_t>( m_level + 1 ) * scoreSum );
        m_popups.start( points, m_lastMovePoint );
        m_setPhase( kCrunchPhase );
        m_timeLeft = m_timeLeft + lines * m_secondsPerLine;
        if( m_timeLeft > m_timeMax )
            m_timeLeft = m_timeMax;
        m_score = saturate( static_cast<int64_t>( m_score ) + points );
        invalidateRect( kScoreArea );
        m_linesToGo -= lines;
        invalidateRect( kLinesArea );
        const char* kpCrunch = jellybeanCrunched ? "bjbcrunch.ogg" : "crunch.wav";
        if( m_linesToGo == 1 && m_settings.didTutorial != 0 )
        {
            playSample( "onemoretogo.ogg", 128 );
            playSample( kpCrunch, 64 );
        }
        else
            playSample( kpCrunch, 128 );
    }
    else if( m_state == GS_REFILLING )
        m_setPhase( kRefillPhase );
}

void VXGame::m_completeLevel()
{
    m_state = GS_LEVEL_COMPLETE;
    m_setPhase( kLevelCompletePhase );
    m_board.startLevelEndAnimation();
    stopAlarm();
    playSample( "levelup.ogg", 128 );
    m_invalidateArena();
}

void VXGame::m_gameOver()
{
    stopAlarm();
    playSample( "gameover.ogg", 128 );
    showGameOver();
    if( highScoreRank( m_score ) >= 0 )
        enterName();
    m_setPhase( 0 );
    m_state = GS_INFO_START;
}

bool VXGame::m_frameStep( int32_t elapsed )
{
    switch( m_state )
    {
    case GS_IDLE:
        m_crunchEvaluation();
        if( m_settings.didTutorial != 0 )
        {
            m_timeLeft = static_cast<float>( m_timeLeft - elapsed * 0.001 );
            if( m_state == GS_IDLE && m_timeLeft <= 0 )
                m_gameOver();
            if( m_timeLeft > 0 && m_timeLeft < 10 )
                soundAlarm( alarmVolume( m_timeLeft ) );
            else if( m_timeLeft > 10 )
                stopAlarm();
        }
        break;

    case GS_SLIDING:
        m_invalidateBlankSpan();
        if( m_phaseOver() )
            m_crunchEvaluation();
        break;

    case GS_CRUNCHING:
        if( !m_phaseOver() )
            break;
        if( m_linesToGo > 0 )
            m_crunchEvaluation();
        else
            m_completeLevel();
        break;

    case GS_REFILLING:
        m_invalidateArena();
        if( m_phaseOver() )
            m_crunchEvaluation();
        break;

    case GS_LEVEL_COMPLETE:
        if( !m_phaseOver() )
            break;
        if( m_settings.startLevel == m_level + 1 && m_pendingStartBonus != 0 )
        {
            m_state = GS_START_LEVEL_BONUS;
            m_shownStartBonus = getLevelInfo( m_settings.startLevel - 1 ).startBonus;
        }
        else
        {
            float bonus = m_level <= 2 ? m_timeLeft / m_timeMax * 3000 : ( m_level + 1 ) * m_timeLeft * 10;
            // A level finished on a crunch begun as the clock ran out pays nothing rather than a penalty.
            m_timeBonus = std::max( truncate( bonus ), 0 );
            m_state = GS_TIME_BONUS;
        }
        m_setPhase( kBonusPhase );
        m_invalidateArena();
        break;

    case GS_START_LEVEL_BONUS:
        if( !m_phaseOver() )
            break;
        {
            int32_t firstKindScore = getTileScore( getLevelInfo( m_level ).kindOffset + 1 );
            m_timeBonus = std::max( truncate( ( m_level + 1 ) * m_timeLeft * firstKindScore ), 0 );
        }
        m_state = GS_TIME_BONUS;
        m_setPhase( kBonusPhase );
        m_invalidateArena();
        break;

    case GS_TIME_BONUS:
        if( !m_phaseOver() )
        {
            if( m_now - m_bonusTickTime > 60 )
            {
                invalidateRect( kBonusArea );
                playSample( "click.wav", 128 );
                m_bonusTickTime = m_now;
            }
            break;
        }
        m_score = saturate( static_cast<int64_t>( m_score ) + m_timeBonus );
        m_popups.clear();
        m_score = saturate( static_cast<int64_t>( m_score ) + m_pendingStartBonus );
        m_pendingStartBonus = 0;
        m_setPhase( kNextLevelPhase );
        m_state = GS_NEXT_LEVEL;
        invalidateRect( kBonusArea );
        invalidateRect( kScoreArea );
        invalidateRect( kLinesArea );
        break;

    case GS_NEXT_LEVEL:
        if( !m_phaseOver() )
            break;
        nextLevel();
        m_setPhase( 0 );
        switch( m_level )
        {
        case 1:
            m_state = GS_INFO_HINT;
            break;
        case 2:
            m_state = GS_INFO_BLACK_JELLYBEAN;
            break;
        case 5:
            m_state = GS_INFO_RED;
            break;
        case 6:
            m_state = GS_INFO_WILDCARD;
            break;
        case 9:
            m_state = GS_INFO_GREEN;
            break;
        case 13:
            m_state = GS_INFO_BLUE;
            break;
        default:
            m_state = GS_LEVEL_INTRO;
            m_setPhase( kLevelIntroPhase );
            break;
        }
        m_invalidateArena();
        break;

    case GS_LEVEL_INTRO:
        if( !m_phaseOver() )
            break;
        m_state = GS_IDLE;
        m_invalidateArena();
        break;

    case GS_QUIT:
        return true;

    default:
        // The information screens wait for the player.
        break;
    }
    return m_state == GS_QUIT;
}

void VXGame::nextLevel()
{
    if( m_level < kHighestLevel )
        ++m_level;
    if( HGlobal::hasSwitch( "-tutorial" ) )
        m_settings.didTutorial = 0;
    if( m_settings.didTutorial == 0 && m_level > 0 )
    {
        m_unloadTutorial();
        m_settings.didTutorial = 1;
    }
    const VXLevelInfo& row = getLevelInfo( m_level );
    m_timeMax = static_cast<float>( row.levelSeconds );
    m_timeLeft = m_timeMax;
    m_linesToGo = row.linesToClear;
    m_secondsPerLine = row.secondsPerLine;
    m_lastUpdate = 0;
    if( m_settings.didTutorial == 0 )
    {
        m_loadTutorial();
        m_tutorialStep = 0;
        m_tutorialLevel = true;
    }
    else
        m_tutorialLevel = false;
    m_board.setupLevel( row.kindCount, row.kindOffset, row.jellybeanCount, m_tutorialLevel );
    saveSettings();
    invalidateAll();
}

void VXGame::newGame( int32_t startLevelNumber )
{
    int32_t number = std::min( startLevelNumber, kHighestLevel );
    m_level = number > 0 ? number - 2 : -1;
    m_score = 0;
    m_pendingStartBonus = number == m_settings.startLevel ? getLevelInfo( number - 1 ).startBonus : 0;
    resetPausedTime();
    nextLevel();
}

void VXGame::leaveInfoScreen()
{
    if( !isInfoState( m_state ) )
        return;
    if( m_state == GS_INFO_START )
        newGame( m_settings.startLevel );
    m_setPhase( kInfoLevelIntroPhase );
    m_state = GS_LEVEL_INTRO;
    m_invalidateArena();
}

void VXGame::quit()
{
    char summary[ 160 ];
    logMessage( "...quit at %s\n", describeGame( summary, sizeof( summary ) ) );
    m_state = GS_QUIT;
    setMusicPlaying( false );
    stopAlarm();
    m_setPhase( 0 );
}

void VXGame::restart()
{
    m_setPhase( 0 );
    m_state = GS_INFO_START;
    invalidateAll();
}
