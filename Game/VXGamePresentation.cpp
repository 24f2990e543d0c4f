// VXGame: drawing the frame and keeping what is on screen up to date.
#include <algorithm>
#include <cmath>

#include "Framework/graphics/HBlitter.h"
#include "Framework/graphics/HDisplayDevice.h"
#include "Framework/util/src/HProcessServices.h"
#include "Game/VXBoardView.h"
#include "Game/VXDrawing.h"
#include "Game/VXGame.h"
#include "Game/VXPauseControl.h"
#include "Game/VXStartControl.h"

namespace
{
// The level, lines and score numbers: the left edge of the last digit, and the top.
const HPoint kScoreAnchor = { 595, 154 };
const HPoint kLevelAnchor = { 550, 211 };
const HPoint kLinesAnchor = { 550, 267 };
const HPoint kLevelPanel = { 181, 172 };
const HPoint kTimeBonusPanel = { 151, 172 };
const HPoint kStartBonusPanel = { 143, 172 };
const HPoint kTutorialPage = { 60, 355 };
// The hand points at the cell of each scripted step, 49 pixels left of and 56 above its corner.
const HPoint kHandPlaces[ 5 ] = { { 100, 45 }, { 142, 45 }, { 184, 45 }, { 184, 87 }, { 58, 87 } };
const int32_t kTutorialSteps = 5;
// The hand's pulse is redrawn this often: smooth enough for a slow glow, cheap enough to idle.
const uint32_t kHandFrame = 33;

bool isInfoState( int32_t state )
{
    return state >= GS_INFO_START && state <= GS_INFO_BLUE;
}

// The pulse of the tutorial hand: fully shown and gone again every 1.8 seconds.
uint8_t handOpacity( uint64_t milliseconds )
{
    const double kDegree = 3.14159265358979323846 / 180.0;
    double phase = std::fmod( 0.2 * static_cast<double>( milliseconds % 1800u ), 360.0 );
    return static_cast<uint8_t>( ( std::sin( phase * kDegree ) + 1.0 ) * 0.5 * 255.0 );
}
} // namespace

VXSprite* VXGame::getCursorImage()
{
    return m_sprites.isLoaded( SPR_CURSOR ) ? m_sprites.get( SPR_CURSOR ) : nullptr;
}

int VXGame::m_arenaPictureSlot()
{
    if( isPaused() )
        return SPR_PAUSE;
    int slot = SPR_ARENA;
    switch( m_state )
    {
    case GS_INFO_START:
        slot = SPR_INFO_START;
        break;
    case GS_INFO_HINT:
        slot = SPR_INFO_HINT;
        break;
    case GS_INFO_BLACK_JELLYBEAN:
        slot = SPR_INFO_BLACK_JELLYBEAN;
        break;
    case GS_INFO_WILDCARD:
        slot = SPR_INFO_WILDCARD;
        break;
    case GS_INFO_RED:
        slot = SPR_INFO_RED;
        break;
    case GS_INFO_GREEN:
        slot = SPR_INFO_GREEN;
        break;
    case GS_INFO_BLUE:
        slot = SPR_INFO_BLUE;
        break;
    default:
        return SPR_ARENA;
    }
    // Information pictures are loaded the first time they are shown.
    if( !m_sprites.isLoaded( slot ) )
        m_sprites.load( slot );
    return slot;
}

void VXGame::drawRect( const HRect& clip )
{
    drawPictureClipped( m_sprites.get( SPR_BACKGROUND ), 0, 0, clip );

    if( rectsOverlap( clip, m_arenaRect ) )
    {
        HRect arena = rectIntersection( clip, m_arenaRect );
        drawPictureClipped( m_sprites.get( m_arenaPictureSlot() ), m_arenaRect.left, m_arenaRect.top, arena );
        if( !isPaused() )
            VXBoardView::drawTiles( m_board, m_sprites, { m_state, m_phaseLeft, m_phaseTotal, m_previousBlank },
                                    arena );
    }

    m_drawTutorial( clip );
    m_drawHud( clip );
    m_drawPopups( clip );
}

void VXGame::m_drawHud( const HRect& clip )
{
    if( !isInfoState( m_state ) && !isPaused() && m_settings.didTutorial != 0 )
        m_timerBar.draw( clip );

    if( rectsOverlap( clip, kScoreArea ) )
        m_digits.drawNumber( m_score, kScoreAnchor.x, kScoreAnchor.y, clip );
    if( rectsOverlap( clip, kLevelArea ) )
        m_digits.drawNumber( m_level + 1, kLevelAnchor.x, kLevelAnchor.y, clip );
    if( rectsOverlap( clip, kLinesArea ) )
        m_digits.drawNumber( m_linesToGo, kLinesAnchor.x, kLinesAnchor.y, clip );

    if( isPaused() )
        return;
    int32_t arenaWidth = m_arenaRect.width();
    int32_t middleY = m_arenaRect.height() / 2;
    if( m_state == GS_LEVEL_INTRO )
    {
        VXSprite* pLevel = m_sprites.get( SPR_LEVEL );
        drawSpriteClipped( pLevel, kLevelPanel.x, kLevelPanel.y, clip );
        int32_t width = pLevel->isLoaded() ? pLevel->getWidth() : 0;
        int32_t number = m_level + 1;
        m_digits.drawNumber( number, kLevelPanel.x + width + VXDigitFont::kAdvance * VXDigitFont::digitCount( number ),
                             kLevelPanel.y, clip );
    }
    else if( m_state == GS_TIME_BONUS || m_state == GS_NEXT_LEVEL )
    {
        drawSpriteClipped( m_sprites.get( SPR_TIME_BONUS ), kTimeBonusPanel.x, kTimeBonusPanel.y, clip );
        int32_t shown = m_timeBonus;
        if( m_state == GS_TIME_BONUS )
        {
            float counted = m_phaseTotal > 0 ? 1.0f - static_cast<float>( m_phaseLeft ) / static_cast<float>( m_phaseTotal )
                                             : 1.0f;
            shown = static_cast<int32_t>( static_cast<double>( m_timeBonus ) * counted );
        }
        int32_t digits = VXDigitFont::digitCount( shown );
        int32_t x = ( arenaWidth + VXDigitFont::kAdvance * ( digits / 2 ) ) / 2 + m_arenaRect.left;
        m_digits.drawNumber( shown, x, middleY, clip );
    }
    else if( m_state == GS_START_LEVEL_BONUS )
    {
        drawSpriteClipped( m_sprites.get( SPR_STARTLEVEL_BONUS ), kStartBonusPanel.x, kStartBonusPanel.y, clip );
        int32_t digits = VXDigitFont::digitCount( m_shownStartBonus );
        int32_t x = ( arenaWidth + VXDigitFont::kAdvance * digits ) / 2 + m_arenaRect.left;
        m_digits.drawNumber( m_shownStartBonus, x, middleY, clip );
    }
}

void VXGame::m_drawPopups( const HRect& clip )
{
    if( isPaused() )
        return;
    for( int i = 0; i < VXScorePopupList::kSlotCount; ++i )
    {
        const VXScorePopup& popup = m_popups.slot( i );
        if( popup.lifeLeft <= 0 )
            continue;
        int32_t x = static_cast<int32_t>( popup.x );
        int32_t y = static_cast<int32_t>( popup.y );
        if( !rectsOverlap( clip, VXScorePopupList::area( popup.value, x, y ) ) )
            continue;
        m_digits.drawNumber( popup.value, x, y, clip );
    }
}

bool VXGame::m_handRect( HRect& out ) const
{
    if( m_settings.didTutorial != 0 || m_tutorialStep < 0 || m_tutorialStep >= kTutorialSteps ||
        !m_sprites.isLoaded( SPR_TUTORIAL_HAND ) )
        return false;
    const VXSprite* kpHand = m_sprites.get( SPR_TUTORIAL_HAND );
    HPoint place = kHandPlaces[ m_tutorialStep ];
    out = { place.x, place.y, place.x + kpHand->getWidth(), place.y + kpHand->getHeight() };
    return true;
}

void VXGame::m_drawTutorial( const HRect& clip )
{
    if( m_settings.didTutorial != 0 || isPaused() || m_state == GS_QUIT || !m_sprites.isLoaded( SPR_TUTORIAL_FIRST ) )
        return;
    if( m_tutorialStep >= 0 && m_tutorialStep <= kTutorialSteps )
        drawSpriteClipped( m_sprites.get( SPR_TUTORIAL_FIRST + m_tutorialStep ), kTutorialPage.x, kTutorialPage.y,
                           clip );
    HRect hand;
    if( !m_handRect( hand ) || !rectsOverlap( hand, clip ) )
        return;
    HRect dest = rectIntersection( hand, clip );
    HRect src = { dest.left - hand.left, dest.top - hand.top, dest.right - hand.left, dest.bottom - hand.top };
    uint8_t opacity = handOpacity( processServices().getTime() );
    m_sprites.get( SPR_TUTORIAL_HAND )
        ->blendDraw( dest, src, BA_CONST_A, BP_ONE, 0, opacity, BA_INV_CONST_A, BP_ONE, 0, opacity, BO_ADD );
}

void VXGame::m_updatePresentation( int32_t elapsed )
{
    ( void )elapsed;
    HRect changed = VXBoardView::chooseSprites( m_board, m_sprites );
    if( changed.width() > 0 )
        invalidateRect( changed );
    m_timerBar.update( { m_state, m_timeLeft, m_timeMax, m_phaseLeft, m_phaseTotal, m_now },
                       [this]( const HRect& rect ) { invalidateRect( rect ); } );
    HRect hand;
    if( m_handRect( hand ) )
        invalidateRect( hand );
    if( m_pStartControl != nullptr )
        m_pStartControl->refreshShown();
    if( m_pPauseControl != nullptr )
        m_pPauseControl->refreshShown();
}

uint32_t VXGame::untilNextChange() const
{
    if( m_state == GS_QUIT )
        return 0;
    if( isPaused() )
        return HFramePacer::kNoDeadline;
    if( m_phaseLeft > 0 || m_popups.liveCount() > 0 )
        return 0;
    uint32_t wait = HFramePacer::kNoDeadline;
    HRect hand;
    if( m_handRect( hand ) )
        wait = kHandFrame;
    if( m_state == GS_IDLE && m_settings.didTutorial != 0 )
        wait = std::min( wait, m_timerBar.untilNextChange(
                                   { m_state, m_timeLeft, m_timeMax, m_phaseLeft, m_phaseTotal, m_now } ) );
    return wait;
}
