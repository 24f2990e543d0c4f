#include "Game/dialogs/VXControl.h"

#include <initializer_list>

#include "Framework/application/HApplication.h"
#include "Framework/application/HEvent.h"
#include "Framework/graphics/HBlitter.h"
#include "Framework/graphics/VXSprite.h"

namespace
{
// Closed intervals, as every hit test of the controls.
bool meets( const HRect& a, const HRect& b )
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

int32_t clampTo( int32_t value, int32_t low, int32_t high )
{
    return value < low ? low : value > high ? high : value;
}
} // namespace

VXControl::VXControl()
    : m_lit( false )
    , m_enabled( true )
    , m_pLitImage( nullptr )
    , m_pDisabledImage( nullptr )
    , m_pNormalImage( nullptr )
    , m_pOwner( nullptr )
    , m_rect{ -1000, 0, 0, -1000 }
{
}

VXControl::~VXControl() {}

const char* VXControl::getClassName() const
{
    return "VXControl";
}

bool VXControl::isA( const char* kpClassName ) const
{
    return sameClassName( kpClassName, "VXControl" );
}

void VXControl::setEnabled( bool enabled )
{
    m_enabled = enabled;
}

bool VXControl::isEnabled() const
{
    return m_enabled;
}

void VXControl::setOwner( HApplication* pOwner )
{
    m_pOwner = pOwner;
}

void VXControl::m_invalidate()
{
    if( m_pOwner != nullptr )
        m_pOwner->invalidateRect( m_rect );
}

void VXControl::m_updateRect()
{
    int32_t width = 0;
    int32_t height = 0;
    // An image that is not loaded has no size to give.
    for( VXSprite* pImage : { m_pNormalImage, m_pLitImage, m_pDisabledImage } )
    {
        if( pImage != nullptr && pImage->isLoaded() )
        {
            width = pImage->getWidth();
            height = pImage->getHeight();
        }
    }
    m_rect.right = m_rect.left + width;
    m_rect.bottom = m_rect.top + height;
    m_invalidate();
}

void VXControl::setImages( VXSprite* pNormal, VXSprite* pLit, VXSprite* pDisabled )
{
    if( pNormal == m_pNormalImage && pLit == m_pLitImage && pDisabled == m_pDisabledImage )
        return;
    m_pNormalImage = pNormal;
    m_pLitImage = pLit;
    m_pDisabledImage = pDisabled;
    m_updateRect();
}

void VXControl::setPosition( const HPoint& position )
{
    m_rect.left = position.x;
    m_rect.top = position.y;
    m_updateRect();
}

HRect* VXControl::getRect()
{
    return &m_rect;
}

bool VXControl::isClicked( const HEvent& event ) const
{
    return event.type == ET_KEYDOWN && event.key == KC_LBUTTON && m_rect.containsClosed( event.x, event.y );
}

void VXControl::setLit( bool lit )
{
    if( lit == m_lit )
        return;
    m_lit = lit;
    m_invalidate();
}

bool VXControl::isLit() const
{
    return m_lit;
}

bool VXControl::handleEvent( const HEvent& event )
{
    if( event.type == ET_MOUSEMOVE )
        setLit( getRect()->containsClosed( event.x, event.y ) );
    return false;
}

void VXControl::draw( HDisplayDevice* pDisplay, const HRect& clip )
{
    ( void )pDisplay;
    if( clip.width() == 0 || clip.height() == 0 || m_rect.width() == 0 || m_rect.height() == 0 ||
        !meets( clip, m_rect ) )
        return;
    HRect dest{ clampTo( m_rect.left, clip.left, clip.right ), clampTo( m_rect.top, clip.top, clip.bottom ),
                clampTo( m_rect.right, clip.left, clip.right ), clampTo( m_rect.bottom, clip.top, clip.bottom ) };
    HRect src{ dest.left - m_rect.left, dest.top - m_rect.top, dest.right - m_rect.left, dest.bottom - m_rect.top };
    if( m_enabled )
    {
        VXSprite* pImage = m_lit ? m_pLitImage : m_pNormalImage;
        if( pImage != nullptr )
            pImage->blendDraw( dest, src, BA_MASK, BP_ONE, 0, 255, BA_INV_MASK, BP_ONE, 0, 255, BO_ADD );
    }
    else if( m_pDisabledImage != nullptr )
    {
        m_pDisabledImage->draw( dest, src );
    }
}
