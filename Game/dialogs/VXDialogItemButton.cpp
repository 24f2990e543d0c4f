#include "Game/dialogs/VXDialogItemButton.h"

#include <algorithm>

#include "Framework/application/HEvent.h"
#include "Framework/graphics/HBlitter.h"
#include "Framework/graphics/VXSprite.h"

namespace
{
// An image that could not be loaded has no size to give.
void addSize( VXSprite* pImage, int32_t& width, int32_t& height )
{
    if( pImage == nullptr || !pImage->isLoaded() )
        return;
    width = pImage->getWidth();
    height = pImage->getHeight();
}
} // namespace

VXDialogItemButton::VXDialogItemButton()
    : m_lit( false )
    , m_pNormalImage( nullptr )
    , m_pLitImage( nullptr )
    , m_pDisabledImage( nullptr )
{
}

VXDialogItemButton::~VXDialogItemButton() = default;

const char* VXDialogItemButton::getClassName() const
{
    return "VXDialogItemButton";
}

bool VXDialogItemButton::isA( const char* kpClassName ) const
{
    return sameClassName( kpClassName, "VXDialogItemButton" ) || VXDialogItem::isA( kpClassName );
}

void VXDialogItemButton::setImages( VXSprite* pNormal, VXSprite* pLit, VXSprite* pDisabled )
{
    m_pNormalImage = pNormal;
    m_pLitImage = pLit;
    m_pDisabledImage = pDisabled;
    updateRect();
    invalidate( m_rect );
}

void VXDialogItemButton::updateRect()
{
    HPoint origin = m_dialogOrigin();
    int32_t left = m_x + origin.x;
    int32_t top = m_y + origin.y;
    int32_t width = 0;
    int32_t height = 0;
    addSize( m_pNormalImage, width, height );
    addSize( m_pLitImage, width, height );
    addSize( m_pDisabledImage, width, height );
    if( m_pNormalImage == nullptr && m_pLitImage == nullptr && m_pDisabledImage == nullptr )
        m_rect = HRect{ left, top, 0, 0 };
    else
        m_rect = HRect{ left, top, left + width, top + height };
}

bool VXDialogItemButton::handleEvent( const HEvent& event )
{
    if( !m_enabled )
        return false;
    if( event.type == ET_MOUSEMOVE )
    {
        bool inside = m_rect.containsClosed( event.x, event.y );
        if( inside != m_lit )
        {
            invalidate( m_rect );
            m_lit = inside;
        }
        return false;
    }
    if( event.type == ET_KEYDOWN )
        return ( event.key == KC_LBUTTON && m_rect.containsClosed( event.x, event.y ) ) || event.character == 13;
    return false;
}

void VXDialogItemButton::draw( HDisplayDevice*, const HRect& clip )
{
    if( clip.width() == 0 || clip.height() == 0 || m_rect.width() == 0 || m_rect.height() == 0 )
        return;
    if( m_rect.left > clip.right || m_rect.right < clip.left || m_rect.top > clip.bottom || m_rect.bottom < clip.top )
        return;
    VXSprite* pImage = m_enabled ? ( m_lit ? m_pLitImage : m_pNormalImage ) : m_pDisabledImage;
    if( pImage == nullptr )
        return;
    HRect dest = { std::min( std::max( m_rect.left, clip.left ), clip.right ),
                   std::min( std::max( m_rect.top, clip.top ), clip.bottom ),
                   std::min( std::max( m_rect.right, clip.left ), clip.right ),
                   std::min( std::max( m_rect.bottom, clip.top ), clip.bottom ) };
    if( dest.width() <= 0 || dest.height() <= 0 )
        return;
    HRect src = { dest.left - m_rect.left, dest.top - m_rect.top, dest.right - m_rect.left, dest.bottom - m_rect.top };
    pImage->blendDraw( dest, src, BA_MASK, BP_ONE, 0, 255, BA_INV_MASK, BP_ONE, 0, 255, BO_ADD );
}
