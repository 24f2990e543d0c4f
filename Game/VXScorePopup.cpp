#include "Game/VXScorePopup.h"

#include <algorithm>

#include "Framework/application/HApplication.h"
#include "Game/VXDigitFont.h"

namespace
{
const int32_t kDigitWidth = 18;
const int32_t kDigitHeight = 23;

HRect unite( const HRect& a, const HRect& b )
{
    return HRect{ std::min( a.left, b.left ), std::min( a.top, b.top ), std::max( a.right, b.right ),
                  std::max( a.bottom, b.bottom ) };
}

// Whole pixels, held inside the range a rectangle can hold.
int32_t wholePixels( float value )
{
    if( !( value > -1.0e9f ) )
        return -1000000000;
    if( value > 1.0e9f )
        return 1000000000;
    return static_cast<int32_t>( value );
}
}

VXScorePopupList::VXScorePopupList()
    : m_slots()
{
}

HRect VXScorePopupList::area( int32_t value, int32_t x, int32_t y )
{
    int32_t widen = 0;
    if( value > 9 )
        widen += kDigitWidth;
    if( value >= 100 )
        widen += kDigitWidth;
    if( value >= 1000 )
        widen += 2 * kDigitWidth;
    if( value > 9999 )
        widen += kDigitWidth;
    if( value > 99999 )
        widen += 2 * kDigitWidth;
    // The commas hang below the digits' cells, and long numbers reach past the widening.
    return unite( HRect{ x - widen, y, x + kDigitWidth, y + kDigitHeight }, VXDigitFont::numberArea( value, x, y ) );
}

void VXScorePopupList::start( int32_t value, const HPoint& at )
{
    for( VXScorePopup& popup : m_slots )
    {
        if( popup.lifeLeft != 0 )
            continue;
        popup.value = value;
        popup.x = popup.previousX = static_cast<float>( at.x );
        popup.y = popup.previousY = static_cast<float>( at.y );
        popup.velocityX = 0.0f;
        popup.velocityY = 0.0f;
        popup.accelerationX = 0.0f;
        popup.accelerationY = -200.0f;
        popup.lifeLeft = kLife;
        return;
    }
}

void VXScorePopupList::advance( int32_t elapsed, HApplication& application )
{
    float t = static_cast<float>( elapsed * 0.001 );
    for( VXScorePopup& popup : m_slots )
    {
        if( popup.lifeLeft <= 0 )
            continue;
        popup.lifeLeft = popup.lifeLeft > elapsed ? popup.lifeLeft - elapsed : 0;
        int32_t oldX = wholePixels( popup.previousX );
        int32_t oldY = wholePixels( popup.previousY );
        HRect dirty = area( popup.value, oldX, oldY );
        if( popup.lifeLeft > 0 )
        {
            popup.previousX = popup.x;
            popup.previousY = popup.y;
            popup.x += popup.velocityX * t;
            popup.y += popup.velocityY * t;
            popup.velocityX += popup.accelerationX * t;
            popup.velocityY += popup.accelerationY * t;
            int32_t newX = wholePixels( popup.x );
            int32_t newY = wholePixels( popup.y );
            if( newX != wholePixels( popup.previousX ) || newY != wholePixels( popup.previousY ) )
                dirty = unite( dirty, area( popup.value, newX, newY ) );
        }
        application.invalidateRect( dirty );
    }
}

void VXScorePopupList::clear()
{
    for( VXScorePopup& popup : m_slots )
        popup.lifeLeft = 0;
}

int VXScorePopupList::liveCount() const
{
    int count = 0;
    for( const VXScorePopup& popup : m_slots )
        count += popup.lifeLeft > 0 ? 1 : 0;
    return count;
}
