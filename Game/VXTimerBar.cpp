#include "Game/VXTimerBar.h"

#include <algorithm>
#include <cmath>

#include "Game/VXDrawing.h"
#include "Game/VXSpriteTable.h"

namespace
{
// The game states of the information screens and of the two bonus phases the bar cares about.
const int32_t kInfoFirst = 8;
const int32_t kInfoLast = 14;
const int32_t kTimeBonus = 5;
const int32_t kNextLevel = 6;
} // namespace

VXTimerBar::VXTimerBar()
    : m_pSprites( nullptr )
    , m_left( kLeft )
    , m_end( kLeft )
    , m_bitesFrame( 0 )
{
}

void VXTimerBar::reset()
{
    m_left = kLeft;
    m_end = kLeft;
    m_bitesFrame = 0;
}

int32_t VXTimerBar::m_width() const
{
    return m_pSprites != nullptr && m_pSprites->isLoaded( SPR_TIMER ) ? m_pSprites->get( SPR_TIMER )->getWidth() : 0;
}

int32_t VXTimerBar::m_height() const
{
    return m_pSprites != nullptr && m_pSprites->isLoaded( SPR_TIMER ) ? m_pSprites->get( SPR_TIMER )->getHeight() : 0;
}

int32_t VXTimerBar::m_bitesWidth( int frame ) const
{
    int slot = SPR_BITES0 + frame;
    return m_pSprites != nullptr && m_pSprites->isLoaded( slot ) ? m_pSprites->get( slot )->getWidth() : 0;
}

void VXTimerBar::update( const Clock& clock, const Invalidate& invalidate )
{
    if( clock.state >= kInfoFirst && clock.state <= kInfoLast )
    {
        m_left = m_end;
        return;
    }

    int32_t bottom = kTop + m_height();
    int32_t widestBites = m_bitesWidth( 0 );
    for( int frame = 1; frame < 3; ++frame )
        widestBites = m_bitesWidth( frame ) > widestBites ? m_bitesWidth( frame ) : widestBites;

    bool blinkOff = clock.timeLeft < 10.0f && clock.state != kTimeBonus && ( clock.now / 250 ) % 2 != 0;
    if( blinkOff )
    {
        if( isHidden() )
            return;
        // The end moves on so that the next shown frame differs and is drawn again.
        m_end += 10;
        // The bites stood at the old end; the area covers them too, whatever their width.
        invalidate( { kLeft, kTop, m_end + widestBites, bottom } );
        m_left = m_end;
        return;
    }

    m_left = kLeft;
    float fill = clock.timeMax > 0.0f ? clock.timeLeft / clock.timeMax : 0.0f;
    if( clock.state == kTimeBonus )
        fill *= clock.phaseTotal > 0 ? static_cast<float>( clock.phaseLeft ) / static_cast<float>( clock.phaseTotal ) : 0.0f;
    else if( clock.state == kNextLevel )
        fill = 0.0f;
    if( !( fill >= 0.0f ) )
        fill = 0.0f;
    else if( fill > 1.0f )
        fill = 1.0f;

    int32_t oldEnd = m_end;
    int32_t newEnd = kLeft + static_cast<int32_t>( static_cast<float>( m_width() ) * fill );
    if( newEnd != oldEnd )
    {
        invalidate( { kLeft, kTop, newEnd, bottom } );
        m_end = newEnd;
    }
    // Far outside the float's whole numbers the remainder means nothing; the first bites do.
    float eighths = clock.timeLeft * 8.0f;
    int32_t frame = std::fabs( eighths ) < 1.0e9f ? std::abs( static_cast<int32_t>( eighths ) % 3 ) : 0;
    if( frame != m_bitesFrame || newEnd != oldEnd )
    {
        int32_t lower = oldEnd < newEnd ? oldEnd : newEnd;
        int32_t upper = oldEnd > newEnd ? oldEnd : newEnd;
        int32_t wider = m_bitesWidth( m_bitesFrame ) > m_bitesWidth( frame ) ? m_bitesWidth( m_bitesFrame )
                                                                             : m_bitesWidth( frame );
        invalidate( { lower - 1, kTop, upper + wider, bottom } );
        m_bitesFrame = frame;
    }
}

uint32_t VXTimerBar::untilNextChange( const Clock& clock ) const
{
    double left = clock.timeLeft;
    if( !( left > 0.0 ) || !( clock.timeMax > 0.0f ) || left > 1.0e6 )
        return 1;
    double untilBlink = static_cast<double>( 250 - ( clock.now % 250 + 250 ) % 250 );
    // Blinked off, nothing shows until it comes back.
    if( left < 10.0 && ( ( clock.now % 500 + 500 ) % 500 ) >= 250 )
        return static_cast<uint32_t>( std::max( 1.0, std::ceil( std::min( untilBlink, left * 1000.0 ) ) ) );
    // The bites and the end change when a number falling with the clock drops below a whole
    // value: one millisecond past the time it reaches it (the float clock's error aside).
    const double kSlack = 0.001;
    double eighths = left * 8.0;
    double wait = std::min( std::ceil( left * 1000.0 ),
                            std::floor( ( eighths - std::floor( eighths ) ) * 125.0 + kSlack ) + 1.0 );
    int32_t width = m_width();
    if( width > 0 )
    {
        double pixels = left / clock.timeMax * width;
        double perPixel = clock.timeMax * 1000.0 / width;
        wait = std::min( wait, std::floor( ( pixels - std::floor( pixels ) ) * perPixel + kSlack ) + 1.0 );
    }
    if( left < 10.0 )
        wait = std::min( wait, untilBlink );
    return static_cast<uint32_t>( std::max( 1.0, std::ceil( wait ) ) );
}

void VXTimerBar::draw( const HRect& clip ) const
{
    if( m_pSprites == nullptr || isHidden() )
        return;
    HRect bar = getRect();
    if( !rectsOverlap( bar, clip ) )
        return;
    HRect visible = rectIntersection( bar, clip );
    VXSprite* pTimer = m_pSprites->get( SPR_TIMER );
    drawSpriteClipped( pTimer, kLeft, kTop, visible );
    drawSpriteClipped( m_pSprites->get( SPR_BITES0 + m_bitesFrame ), m_end, kTop, clip );
}
